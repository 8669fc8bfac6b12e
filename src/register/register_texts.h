// The register's own messages. Date, amount and balance messages come from
// values/date.h, values/amount.h and model/model_texts.h.
#pragma once

inline constexpr const char kEntryErrorTitle[] = "Entry Error";
inline constexpr const char kReconcileOnlyText[] = "You can only type the letter \"R\" in this field.";

inline constexpr const char kIncorrectLocationTitle[] = "Incorrect Location";
inline constexpr const char kIncorrectLocationText[] = "You must have the cursor in the date field.";

// Headers and footers drawn on the panel.
inline constexpr const char kFooterOpeningBalance[] = "Opening Balance ";
inline constexpr const char kFooterEndingBalance[] = "Ending Balance  ";

// Log lines.
inline constexpr const char kLogFocusNotSet[] =
    "EditWindw::SetFocusToField: FOCUS NOT SET  retHWND %i  error %i IsWindow %i";
