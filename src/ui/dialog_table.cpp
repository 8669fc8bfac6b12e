// The dialog descriptions, transcribed control by control. Positions and
// sizes are layout units; the order of each list is the tab order.
#include "ui/dialog_table.h"

#include "ui/dialog_ids.h"
#include "ui/maker_info.h"

namespace {

using namespace dlgstyle;

// Every control is visible from the start.
constexpr ControlDescription Control(std::uint16_t x, std::uint16_t y, std::uint16_t width,
                                     std::uint16_t height, int id, std::uint32_t style,
                                     const char* windowClass, const char* text) {
    return {x, y, width, height, static_cast<std::uint16_t>(id), style | kVisible, windowClass, text};
}

// No description has a menu, a class of its own or a font: dialogs sit at
// (0, 0) until PlaceDialog centres them and gives their controls a font.
constexpr DialogDescription Dialog(std::uint32_t style, std::uint16_t width, std::uint16_t height,
                                   const char* caption, std::span<const ControlDescription> controls) {
    return {style, 0, 0, width, height, "", "", caption, 0, "", controls};
}

// Dialog 0: Print Range.
constexpr ControlDescription kPrintRangeControls[] = {
    Control(54, 50, 23, 9, kIdText0, kStaticLeft, "STATIC", "From:"),
    Control(54, 64, 23, 9, kIdText1, kStaticLeft, "STATIC", "To:"),
    Control(15, 31, 23, 12, kIdRangeAll, kRadioButton, "BUTTON", "&All"),
    Control(15, 49, 32, 12, kIdRangeDates, kRadioButton, "BUTTON", "&Range"),
    Control(79, 48, 33, 12, kIdRangeFrom, kEditLeft | kBorder | kTabStop, "EDIT", ""),
    Control(79, 63, 33, 12, kIdRangeTo, kEditLeft | kBorder | kTabStop, "EDIT", ""),
    Control(29, 96, 31, 14, kIdOk, kDefPushButton, "BUTTON", "&OK"),
    Control(76, 96, 31, 14, kIdCancel, kPushButton, "BUTTON", "&Cancel"),
    Control(8, 13, 117, 71, kIdRangeGroup, kGroupBox, "button", "Print Range"),
    Control(0, 0, 1, 1, kIdWhiteRect, kStaticWhiteRect, "static", ""),
};

// Dialog 1: Open Existing Account.
constexpr ControlDescription kOpenAccountControls[] = {
    Control(6, 17, 111, 43, kIdAccountList, kListNotify | kBorder | kVScroll | kTabStop, "LISTBOX", ""),
    Control(50, 63, 70, 9, kIdAccountFileName, kStaticLeft, "STATIC", "LEDGR1.LPD"),
    Control(26, 79, 31, 14, kIdOk, kDefPushButton, "BUTTON", "&OK"),
    Control(65, 79, 31, 14, kIdCancel, kPushButton, "BUTTON", "&Cancel"),
    Control(6, 6, 33, 9, kIdText0, kStaticLeft, "STATIC", "Account:"),
    Control(6, 63, 37, 9, kIdText1, kStaticLeft, "STATIC", "File Name:"),
    Control(0, 0, 1, 1, kIdWhiteRect, kStaticWhiteRect, "static", ""),
};

// Dialog 2: Delete Account Verification.
constexpr ControlDescription kDeleteVerifyControls[] = {
    Control(8, 19, 107, 9, kIdAccountName, kStaticCenter, "STATIC", "LEDGR1.LPD"),
    Control(6, 6, 33, 9, kIdText0, kStaticLeft, "STATIC", "Account:"),
    Control(6, 35, 37, 9, kIdText1, kStaticLeft, "STATIC", "File Name:"),
    Control(26, 50, 31, 14, kIdOk, kDefPushButton, "BUTTON", "&OK"),
    Control(65, 50, 31, 14, kIdCancel, kPushButton, "BUTTON", "&Cancel"),
    Control(50, 35, 70, 9, kIdAccountFileName, kStaticLeft, "STATIC", "LEDGR1.LPD"),
    Control(5, 79, 101, 18, kIdText2, kStaticLeft, "STATIC", "Deletion of this account is permanent."),
    Control(5, 72, 102, 2, kIdText3, kStaticBlackFrame, "static", ""),
    Control(0, 0, 1, 1, kIdWhiteRect, kStaticWhiteRect, "static", ""),
};

// Dialog 3: Delete Existing Account.
constexpr ControlDescription kDeleteAccountControls[] = {
    Control(6, 17, 111, 43, kIdAccountList, kListNotify | kBorder | kVScroll | kTabStop, "LISTBOX", ""),
    Control(50, 63, 70, 9, kIdAccountFileName, kStaticLeft, "STATIC", "LEDGR1.LPD"),
    Control(6, 6, 33, 9, kIdText0, kStaticLeft, "STATIC", "Account:"),
    Control(6, 63, 37, 9, kIdText1, kStaticLeft, "STATIC", "File Name:"),
    Control(26, 79, 31, 14, kIdOk, kDefPushButton, "BUTTON", "&OK"),
    Control(65, 79, 31, 14, kIdCancel, kPushButton, "BUTTON", "&Cancel"),
    Control(0, 0, 1, 1, kIdWhiteRect, kStaticWhiteRect, "static", ""),
};

// Dialog 4: Create New Account.
constexpr ControlDescription kNewAccountNameControls[] = {
    Control(5, 18, 111, 12, kIdEntryField, kEditLeft | kBorder | kTabStop, "EDIT", ""),
    Control(26, 38, 31, 14, kIdOk, kDefPushButton, "BUTTON", "&OK"),
    Control(65, 38, 31, 14, kIdCancel, kPushButton, "BUTTON", "&Cancel"),
    Control(16, 6, 80, 9, kIdText0, kStaticLeft, "STATIC", "Checking Account Name:"),
    Control(5, 69, 111, 27, kIdText1, kStaticLeft, "STATIC", "Enter a name for this checking account.  Examples:  Tom's Checking, State Bank."),
    Control(5, 62, 111, 2, kIdText2, kStaticBlackFrame, "static", ""),
    Control(0, 0, 1, 1, kIdWhiteRect, kStaticWhiteRect, "static", ""),
};

// Dialog 5: Create New Account.
constexpr ControlDescription kNewAccountBalanceControls[] = {
    Control(32, 18, 42, 12, kIdEntryField, kEditLeft | kBorder | kTabStop, "EDIT", ""),
    Control(21, 38, 31, 14, kIdOk, kDefPushButton, "BUTTON", "&OK"),
    Control(60, 38, 31, 14, kIdCancel, kPushButton, "BUTTON", "&Cancel"),
    Control(25, 6, 55, 9, kIdText0, kStaticLeft, "STATIC", "Ending Balance:"),
    Control(5, 69, 101, 27, kIdText1, kStaticLeft, "STATIC", "Enter the ending balance from your last statement for this checking account."),
    Control(25, 20, 4, 9, kIdText2, kStaticLeft, "STATIC", "$"),
    Control(5, 62, 102, 2, kIdText3, kStaticBlackFrame, "static", ""),
    Control(0, 0, 1, 1, kIdWhiteRect, kStaticWhiteRect, "static", ""),
};

// Dialog 6: Create New Account.
constexpr ControlDescription kNewAccountDateControls[] = {
    Control(38, 18, 32, 12, kIdEntryField, kEditLeft | kBorder | kTabStop, "EDIT", ""),
    Control(21, 38, 31, 14, kIdOk, kDefPushButton, "BUTTON", "&OK"),
    Control(60, 38, 31, 14, kIdCancel, kPushButton, "BUTTON", "&Cancel"),
    Control(46, 6, 19, 9, kIdText0, kStaticLeft, "STATIC", "Date:"),
    Control(5, 63, 101, 27, kIdDateFormatHelp, kStaticLeft, "STATIC", "Enter the date from your last statement for this checking account.  Format:  MM/DD/YY "),
    Control(5, 58, 102, 2, kIdText3, kStaticBlackFrame, "static", ""),
    Control(0, 0, 1, 1, kIdWhiteRect, kStaticWhiteRect, "static", ""),
};

// Dialog 7: no caption.
constexpr ControlDescription kStartScreenControls[] = {
    Control(11, 116, 148, 14, kIdCreateAccount, kPushButton, "BUTTON", "Create &New Account"),
    Control(11, 134, 148, 14, kIdOpenAccount, kPushButton, "BUTTON", "&Open Existing Account"),
    Control(11, 152, 148, 14, kIdOpenRecent, kDefPushButton, "BUTTON", "Open Most &Recently Used Account"),
    Control(68, 170, 34, 14, kIdCancel, kPushButton, "BUTTON", "&Quit"),
    Control(0, 0, 1, 1, kIdWhiteRect, kStaticWhiteRect, "static", ""),
};

// Dialog 8: Printing.
constexpr ControlDescription kPrintingControls[] = {
    Control(0, 10, 100, 9, kIdText0, kStaticCenter, "STATIC", "Sending"),
    Control(0, 20, 100, 9, kIdPrintingName, kStaticCenter, "STATIC", ""),
    Control(0, 30, 100, 9, kIdText1, kStaticCenter, "STATIC", "to print spooler."),
    Control(34, 50, 32, 14, kIdCancel, kDefPushButton, "BUTTON", "Cancel"),
    Control(0, 0, 1, 1, kIdWhiteRect, kStaticWhiteRect, "static", ""),
};

// Dialog 9: About.
constexpr ControlDescription kAboutControls[] = {
    Control(60, 17, 16, 16, kIdAboutIcon, kStaticIcon, "STATIC", "LedgerIcon"),
    Control(0, 41, 137, 9, kIdText1, kStaticCenter, "STATIC", "LEDGERPAD"),
    Control(22, 51, 94, 9, kIdText2, kStaticCenter, "STATIC", "Version 4.12"),
    Control(13, 75, 112, 9, kIdAboutNotice, kStaticCenter, "STATIC", kAboutNoticeText),
    Control(22, 90, 94, 9, kIdText5, kStaticCenter, "STATIC", "TALLWOOD"),
    Control(22, 100, 94, 9, kIdAboutAddress1, kStaticCenter, "STATIC", kAboutAddressLine1),
    Control(22, 110, 94, 9, kIdAboutAddress2, kStaticCenter, "STATIC", kAboutAddressLine2),
    Control(17, 128, 104, 8, kIdAboutWebLink, 0, "HotLinkText", kAboutWebText),
    Control(48, 149, 42, 14, kIdOk, kDefPushButton, "BUTTON", "&OK"),
    Control(0, 0, 1, 1, kIdWhiteRect, kStaticWhiteRect, "static", ""),
};

// Dialog 10: Balance Ledgerpad.
constexpr ControlDescription kBalanceStatementControls[] = {
    Control(32, 18, 47, 12, kIdEntryField, kEditLeft | kBorder | kTabStop, "EDIT", ""),
    Control(21, 38, 31, 14, kIdOk, kDefPushButton, "BUTTON", "&OK"),
    Control(60, 38, 31, 14, kIdCancel, kPushButton, "BUTTON", "&Cancel"),
    Control(28, 6, 55, 9, kIdText0, kStaticLeft, "STATIC", "Current Balance:"),
    Control(5, 69, 101, 26, kIdText1, kStaticLeft, "STATIC", "Enter the current (ending) balance from your checking account bank statement."),
    Control(25, 20, 4, 9, kIdText2, kStaticLeft, "STATIC", "$"),
    Control(5, 62, 102, 2, kIdText3, kStaticBlackFrame, "static", ""),
    Control(0, 0, 1, 1, kIdWhiteRect, kStaticWhiteRect, "static", ""),
};

// Dialog 11: Rename Account.
constexpr ControlDescription kRenameAccountControls[] = {
    Control(5, 43, 111, 12, kIdNewName, kEditLeft | kBorder | kTabStop, "EDIT", ""),
    Control(5, 17, 111, 12, kIdOldName, kStaticCenter, "STATIC", "Old Name"),
    Control(26, 64, 31, 14, kIdOk, kDefPushButton, "BUTTON", "&OK"),
    Control(65, 64, 31, 14, kIdCancel, kPushButton, "BUTTON", "&Cancel"),
    Control(5, 6, 80, 9, kIdText0, kStaticLeft, "STATIC", "Current Name:"),
    Control(5, 33, 80, 9, kIdText1, kStaticLeft, "STATIC", "New Name:"),
    Control(5, 93, 101, 27, kIdText2, kStaticLeft, "STATIC", "Enter a new name for this checking account."),
    Control(5, 86, 102, 2, kIdText2, kStaticBlackFrame, "static", ""),
    Control(0, 0, 1, 1, kIdWhiteRect, kStaticWhiteRect, "static", ""),
};

// Dialog 12: Account.
constexpr ControlDescription kAccountChoiceControls[] = {
    Control(11, 11, 148, 14, kIdCreateAccount, kPushButton, "BUTTON", "Create &New Account"),
    Control(11, 32, 148, 14, kIdOpenAccount, kDefPushButton, "BUTTON", "&Open Existing Account"),
    Control(68, 53, 34, 14, kIdCancel, kPushButton, "BUTTON", "&Quit"),
    Control(0, 0, 1, 1, kIdWhiteRect, kStaticWhiteRect, "static", ""),
};

// Dialog 13: Create Password.
constexpr ControlDescription kCreatePasswordControls[] = {
    Control(25, 18, 60, 12, kIdPasswordField, kEditLeft | kBorder | kTabStop, "EDIT", ""),
    Control(18, 38, 30, 14, kIdOk, kDefPushButton, "BUTTON", "&OK"),
    Control(58, 38, 30, 14, kIdCancel, kPushButton, "BUTTON", "&Cancel"),
    Control(23, 6, 64, 9, kIdText0, kStaticCenter, "STATIC", "Enter Password:"),
    Control(5, 69, 100, 27, kIdText1, kStaticLeft, "STATIC", "Your password needs to be between 1 to 8 characters long."),
    Control(5, 62, 100, 2, kIdText2, kStaticBlackFrame, "static", ""),
    Control(0, 0, 1, 1, kIdWhiteRect, kStaticWhiteRect, "static", ""),
};

// Dialog 14: Confirm Password.
constexpr ControlDescription kConfirmPasswordControls[] = {
    Control(25, 18, 60, 12, kIdPasswordField, kEditLeft | kBorder | kTabStop, "EDIT", ""),
    Control(18, 38, 30, 14, kIdOk, kDefPushButton, "BUTTON", "&OK"),
    Control(58, 38, 30, 14, kIdCancel, kPushButton, "BUTTON", "&Cancel"),
    Control(5, 6, 100, 9, kIdText0, kStaticCenter, "STATIC", "Re-enter Password:"),
    Control(0, 0, 1, 1, kIdWhiteRect, kStaticWhiteRect, "static", ""),
};

// Dialog 15: Password.
constexpr ControlDescription kPasswordControls[] = {
    Control(25, 18, 60, 12, kIdPasswordField, kEditLeft | kEditPassword | kBorder | kTabStop, "EDIT", ""),
    Control(18, 38, 30, 14, kIdOk, kDefPushButton, "BUTTON", "&OK"),
    Control(58, 38, 30, 14, kIdCancel, kPushButton, "BUTTON", "&Cancel"),
    Control(23, 6, 64, 9, kIdText0, kStaticCenter, "STATIC", "Enter Password:"),
    Control(0, 0, 1, 1, kIdWhiteRect, kStaticWhiteRect, "static", ""),
};

// Dialog 16: Password Incorrect.
constexpr ControlDescription kPasswordIncorrectControls[] = {
    Control(12, 38, 36, 14, kIdRetry, kDefPushButton, "BUTTON", "&Retry"),
    Control(58, 38, 36, 14, kIdCancel, kPushButton, "BUTTON", "&Quit"),
    Control(5, 6, 100, 27, kIdText0, kStaticLeft, "STATIC", "The password you entered is not correct."),
    Control(0, 0, 1, 1, kIdWhiteRect, kStaticWhiteRect, "static", ""),
};

// Dialog 17: Remove Password.
constexpr ControlDescription kRemovePasswordControls[] = {
    Control(25, 28, 60, 12, kIdPasswordField, kEditLeft | kBorder | kTabStop, "EDIT", ""),
    Control(18, 48, 30, 14, kIdOk, kDefPushButton, "BUTTON", "&OK"),
    Control(58, 48, 30, 14, kIdCancel, kPushButton, "BUTTON", "&Cancel"),
    Control(5, 6, 110, 18, kIdText0, kStaticLeft, "STATIC", "To remove password protection, enter your password:"),
    Control(0, 0, 1, 1, kIdWhiteRect, kStaticWhiteRect, "static", ""),
};

// Dialog 18: Change Password.
constexpr ControlDescription kChangePasswordControls[] = {
    Control(25, 18, 60, 12, kIdPasswordField, kEditLeft | kBorder | kTabStop, "EDIT", ""),
    Control(25, 45, 60, 12, kIdNewPasswordField, kEditLeft | kBorder | kTabStop, "EDIT", ""),
    Control(18, 65, 30, 14, kIdOk, kDefPushButton, "BUTTON", "&OK"),
    Control(58, 65, 30, 14, kIdCancel, kPushButton, "BUTTON", "&Cancel"),
    Control(23, 6, 64, 9, kIdText0, kStaticCenter, "STATIC", "Old Password:"),
    Control(23, 33, 64, 9, kIdText1, kStaticCenter, "STATIC", "New Password:"),
    Control(0, 0, 1, 1, kIdWhiteRect, kStaticWhiteRect, "static", ""),
};

// Dialog 19: Confirm New Password.
constexpr ControlDescription kConfirmNewPasswordControls[] = {
    Control(25, 18, 60, 12, kIdPasswordField, kEditLeft | kBorder | kTabStop, "EDIT", ""),
    Control(18, 38, 30, 14, kIdOk, kDefPushButton, "BUTTON", "&OK"),
    Control(58, 38, 30, 14, kIdCancel, kPushButton, "BUTTON", "&Cancel"),
    Control(5, 6, 100, 9, kIdText0, kStaticCenter, "STATIC", "Re-enter New Password:"),
    Control(0, 0, 1, 1, kIdWhiteRect, kStaticWhiteRect, "static", ""),
};

// Dialog 20: Find.
constexpr ControlDescription kFindControls[] = {
    Control(3, 6, 33, 9, kIdText0, kStaticLeft, "STATIC", "&Find what:"),
    Control(36, 5, 96, 10, kIdFindText, kEditLeft | kBorder | kTabStop, "EDIT", ""),
    Control(3, 21, 65, 10, kIdFindWholeWord, kAutoCheckBox, "BUTTON", "Match &whole word only "),
    Control(3, 34, 39, 10, kIdFindMatchCase, kAutoCheckBox, "BUTTON", "Match &case "),
    Control(137, 4, 37, 12, kIdOk, kDefPushButton, "BUTTON", "&Find Next"),
    Control(137, 19, 37, 12, kIdCancel, kPushButton, "BUTTON", "Cancel"),
    Control(0, 0, 1, 1, kIdWhiteRect, kStaticWhiteRect, "static", ""),
};

// Dialog 21: Checking Account Info.
constexpr ControlDescription kAccountInfoControls[] = {
    Control(56, 10, 124, 12, kIdInfoInstitution, kEditLeft | kBorder | kTabStop, "EDIT", ""),
    Control(56, 25, 124, 36, kIdInfoAddress, kEditLeft | kEditMultiline | kEditWantReturn | kBorder | kTabStop, "EDIT", ""),
    Control(56, 60, 124, 12, kIdInfoPhone, kEditLeft | kBorder | kTabStop, "EDIT", ""),
    Control(56, 74, 124, 12, kIdInfoAccountNumber, kEditLeft | kBorder | kTabStop, "EDIT", ""),
    Control(56, 88, 124, 12, kIdInfoAccountType, kEditLeft | kBorder | kTabStop, "EDIT", ""),
    Control(56, 102, 30, 12, kIdInfoInterestRate, kEditLeft | kBorder | kTabStop, "EDIT", ""),
    Control(56, 116, 124, 36, kIdInfoNotes, kEditLeft | kEditMultiline | kEditWantReturn | kBorder | kTabStop, "EDIT", ""),
    Control(3, 12, 50, 8, kIdText0, kStaticRight | kTabStop, "static", "Financial Institution:"),
    Control(3, 25, 50, 8, kIdText1, kStaticRight | kTabStop, "static", "Address:"),
    Control(3, 62, 50, 8, kIdText2, kStaticRight | kTabStop, "static", "Phone:"),
    Control(3, 76, 50, 8, kIdText3, kStaticRight | kTabStop, "static", "Account #:"),
    Control(3, 90, 50, 8, kIdText4, kStaticRight | kTabStop, "static", "Account Type:"),
    Control(3, 104, 50, 8, kIdText5, kStaticRight | kTabStop, "static", "Interest Rate:"),
    Control(3, 116, 50, 8, kIdText6, kStaticRight | kTabStop, "static", "Notes:"),
    Control(89, 104, 9, 8, kIdText7, kStaticLeft | kTabStop, "static", "%"),
    Control(57, 158, 31, 14, kIdOk, kPushButton, "BUTTON", "&OK"),
    Control(95, 158, 31, 14, kIdCancel, kPushButton, "BUTTON", "&Cancel"),
    Control(0, 0, 1, 1, kIdWhiteRect, kStaticWhiteRect, "static", ""),
};

constexpr DialogDescription kDialogs[kDialogCount] = {
    Dialog(kPopup | kCaption, 136, 119, "Print Range", kPrintRangeControls),
    Dialog(kPopup | kCaption, 122, 99, "Open Existing Account", kOpenAccountControls),
    Dialog(kPopup | kCaption, 122, 102, "Delete Account Verification", kDeleteVerifyControls),
    Dialog(kPopup | kCaption, 122, 99, "Delete Existing Account", kDeleteAccountControls),
    Dialog(kPopup | kCaption, 122, 99, "Create New Account", kNewAccountNameControls),
    Dialog(kPopup | kCaption, 112, 99, "Create New Account", kNewAccountBalanceControls),
    Dialog(kPopup | kCaption, 112, 90, "Create New Account", kNewAccountDateControls),
    Dialog(kPopup | kBorder, 170, 190, "", kStartScreenControls),
    Dialog(kPopup | kVisible | kCaption, 100, 76, "Printing", kPrintingControls),
    Dialog(kPopup | kCaption, 139, 175, "About", kAboutControls),
    Dialog(kPopup | kCaption, 112, 99, "Balance Ledgerpad", kBalanceStatementControls),
    Dialog(kPopup | kCaption, 122, 114, "Rename Account", kRenameAccountControls),
    Dialog(kPopup | kCaption, 170, 76, "Account", kAccountChoiceControls),
    Dialog(kPopup | kCaption, 111, 89, "Create Password", kCreatePasswordControls),
    Dialog(kPopup | kCaption, 111, 59, "Confirm Password", kConfirmPasswordControls),
    Dialog(kPopup | kCaption, 111, 59, "Password", kPasswordControls),
    Dialog(kPopup | kCaption, 111, 59, "Password Incorrect", kPasswordIncorrectControls),
    Dialog(kPopup | kCaption, 121, 69, "Remove Password", kRemovePasswordControls),
    Dialog(kPopup | kCaption, 111, 90, "Change Password", kChangePasswordControls),
    Dialog(kPopup | kCaption, 111, 59, "Confirm New Password", kConfirmNewPasswordControls),
    Dialog(kPopup | kVisible | kCaption | kSysMenu, 177, 51, "Find", kFindControls),
    Dialog(kPopup | kCaption, 185, 180, "Checking Account Info", kAccountInfoControls),
};

}  // namespace

const DialogDescription* FindDialogDescription(int dialogNumber) {
    if (dialogNumber < 0 || dialogNumber >= kDialogCount) return nullptr;
    return &kDialogs[dialogNumber];
}
