// Dialog numbers and the control identifiers of the dialogs. Every dialog is
// built from its numbered description (ui/dialog_table.h); dialog code names
// its controls with these constants. Platform-free.
#pragma once

// Dialog numbers: the index of each description in the dialog table.
inline constexpr int kDlgPrintRange = 0;          // "Print Range" (export renames it)
inline constexpr int kDlgOpenAccount = 1;         // choose an account to open
inline constexpr int kDlgDeleteVerify = 2;        // confirm deleting an account
inline constexpr int kDlgDeleteAccount = 3;       // choose an account to delete
inline constexpr int kDlgNewAccountName = 4;      // new account, step 1
inline constexpr int kDlgNewAccountBalance = 5;   // new account, step 2
inline constexpr int kDlgNewAccountDate = 6;      // new account, step 3
inline constexpr int kDlgStartScreen = 7;         // no caption
inline constexpr int kDlgPrinting = 8;            // modeless print progress
inline constexpr int kDlgAbout = 9;
inline constexpr int kDlgBalance = 10;            // statement balance
inline constexpr int kDlgRenameAccount = 11;
inline constexpr int kDlgAccountChoice = 12;      // start without a recently used account
inline constexpr int kDlgCreatePassword = 13;
inline constexpr int kDlgConfirmPassword = 14;
inline constexpr int kDlgPassword = 15;
inline constexpr int kDlgPasswordIncorrect = 16;
inline constexpr int kDlgRemovePassword = 17;
inline constexpr int kDlgChangePassword = 18;
inline constexpr int kDlgConfirmNewPassword = 19;
inline constexpr int kDlgFind = 20;               // modeless, class-based
inline constexpr int kDlgAccountInfo = 21;        // class-based
inline constexpr int kDialogCount = 22;

// Standard button results (IDOK, IDCANCEL, IDRETRY).
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdRetry = 4;

// Static texts and frames numbered from 2500 in every dialog. Some of them
// are filled or changed by the dialog code, hence the names below.
inline constexpr int kIdText0 = 2500;
inline constexpr int kIdText1 = 2501;
inline constexpr int kIdText2 = 2502;
inline constexpr int kIdText3 = 2503;
inline constexpr int kIdText4 = 2504;
inline constexpr int kIdText5 = 2505;
inline constexpr int kIdText6 = 2506;
inline constexpr int kIdText7 = 2507;

// The 1 x 1 white static that closes every description.
inline constexpr int kIdWhiteRect = 845;

// Dialog 0: Print Range / Export Range.
inline constexpr int kIdRangeAll = 1000;
inline constexpr int kIdRangeDates = 1001;
inline constexpr int kIdRangeFrom = 2100;
inline constexpr int kIdRangeTo = 2101;
inline constexpr int kIdRangeGroup = 2504;

// Dialogs 1 to 3: account choice and deletion.
inline constexpr int kIdAccountList = 2110;      // list box (dialogs 1, 3)
inline constexpr int kIdAccountName = 2110;      // static name (dialog 2)
inline constexpr int kIdAccountFileName = 2113;  // "LEDGR1.LPD" placeholder

// Dialogs 4, 5, 6 and 10: the one entry field.
inline constexpr int kIdEntryField = 2120;
// Dialog 6: the help text whose date format the procedure fills in.
inline constexpr int kIdDateFormatHelp = 2501;

// Dialogs 7 and 12: start choices.
inline constexpr int kIdCreateAccount = 1032;
inline constexpr int kIdOpenAccount = 1033;
inline constexpr int kIdOpenRecent = 1034;

// Dialog 8: the document name being printed.
inline constexpr int kIdPrintingName = 3070;

// Dialog 9: About.
inline constexpr int kIdAboutIcon = 2500;
inline constexpr int kIdAboutNotice = 2503;
inline constexpr int kIdAboutAddress1 = 2506;
inline constexpr int kIdAboutAddress2 = 2507;
inline constexpr int kIdAboutWebLink = 2220;

// Dialog 11: Rename Account.
inline constexpr int kIdOldName = 2200;
inline constexpr int kIdNewName = 2201;

// Dialogs 13 to 19: passwords.
inline constexpr int kIdPasswordField = 2300;
inline constexpr int kIdNewPasswordField = 2301;  // dialog 18

// Dialog 20: Find.
inline constexpr int kIdFindText = 2310;
inline constexpr int kIdFindWholeWord = 2311;
inline constexpr int kIdFindMatchCase = 2312;

// Dialog 21: Checking Account Info, the seven texts in their stored order.
inline constexpr int kIdInfoInstitution = 2320;
inline constexpr int kIdInfoAddress = 2321;
inline constexpr int kIdInfoPhone = 2322;
inline constexpr int kIdInfoAccountNumber = 2323;
inline constexpr int kIdInfoAccountType = 2324;
inline constexpr int kIdInfoInterestRate = 2325;
inline constexpr int kIdInfoNotes = 2326;
inline constexpr int kIdInfoFirst = kIdInfoInstitution;
inline constexpr int kIdInfoFieldCount = 7;  // items 2320 to 2326
