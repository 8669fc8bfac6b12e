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
// "%s" stands for the full path of the help page.
inline constexpr char kHelpMissingText[] =
    "The help page is missing. It belongs in the folder of Ledgerpad.exe:\n\n%s";
inline constexpr char kHelpNotOpenedText[] =
    "Unable to show the help page in a web browser. You can open it yourself:\n\n%s";

// An options file that is there but cannot be read stops the start: it
// holds the password, which defaults would silently remove. The file's
// path and the reason follow (titled "File Read Error").
inline constexpr char kOptionsReadErrorText[] = "Ledgerpad cannot start because its options file could not be read:\n";
// The exit code of that stop.
inline constexpr int kExitOptionsUnreadable = 1;
