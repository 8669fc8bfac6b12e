// Names and texts of the application shell.
#pragma once

inline constexpr char kMainClassName[] = "LedgerClass";
inline constexpr char kMainTitle[] = "Ledgerpad";
inline constexpr char kTitleAccountPrefix[] = "Ledgerpad - [";
inline constexpr char kTitleAccountSuffix[] = "]";

// Appended to the class name to name the single-instance mutex; a build
// with another class name therefore never sees this one.
inline constexpr char kInstanceMutexSuffix[] = "-A9A6DFD3-0A4C-4342-AF42-B15CB339DA90";

inline constexpr char kIconName[] = "LedgerIcon";
inline constexpr char kMenuName[] = "LedgerMenu";

inline constexpr char kCalculatorCommand[] = "calc";
inline constexpr char kCalculatorErrorText[] = "Unable to load calc.exe.";
inline constexpr char kCalculatorErrorTitle[] = "Error";

// The help page ships beside the program.
inline constexpr char kHelpFileName[] = "LedgerpadHelp.html";
inline constexpr char kHelpErrorTitle[] = "Ledgerpad Help";
inline constexpr char kHelpErrorText[] =
    "Unable to open the help page LedgerpadHelp.html. It should be in the folder of Ledgerpad.exe.";
