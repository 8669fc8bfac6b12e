// Control identifiers of the import dialogs: the preview and the choice of
// account in a file that holds several. Platform-free.
#pragma once

// The preview: three lines about the statement above the list of its
// transactions, and one about transactions before the account's opening
// balance.
inline constexpr int kIdImportFile = 2400;
inline constexpr int kIdImportAccount = 2401;
inline constexpr int kIdImportPeriod = 2402;
inline constexpr int kIdImportList = 2403;
inline constexpr int kIdImportBeforeOpening = 2404;
// Turns every amount to the other side and matches again.
inline constexpr int kIdImportReverse = 2405;

// The choice of account.
inline constexpr int kIdImportChoiceText = 2410;
inline constexpr int kIdImportChoiceList = 2411;

// The preview's columns, left to right.
enum ImportColumn { kColAction, kColDate, kColNumber, kColDescription, kColAmount, kColRecord, kImportColumnCount };
