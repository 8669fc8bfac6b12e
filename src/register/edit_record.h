// One of the register's 19 rows: its seven fields, the field that has the
// focus, the reading of each key for that field, and the checks that put
// what was typed back into the row's transaction record.
#pragma once

#include <array>

#include "model/account.h"
#include "register/edit_window.h"
#include "register/register_layout.h"
#include "values/amount.h"
#include "values/date.h"

struct eventMsg;

// The register's name for the description field.
inline constexpr int DESC_FLD = DESCRIPTION_FLD;

// Result of the row's date checks.
inline constexpr int kDateInvalid = 0;
inline constexpr int kDateValid = 1;
inline constexpr int kDateEmpty = 2;

// Display texts of a record's six editable fields, before the fields add
// their thousands separators.
struct RowTexts {
    char reconcile[kReconcileSize];
    char date[kDisplayDateSize];
    char num[kCheckTextSize];
    char description[kDescriptionSize];
    char payment[kAmountTextSize];
    char deposit[kAmountTextSize];
};
RowTexts RowTextsOf(const AcctRecord& record);

class EditRecord {
public:
    explicit EditRecord(int row);

    // Reads the event for the focused field; leaves a result code
    // (kResult* in event_msg.h) and possibly a new focus field.
    void RunWindow(const eventMsg& ev);
    // Reads all seven fields, checks them and writes them into record;
    // true when accepted, false when refused (a message was shown and the
    // row keeps the refusal for TakeError). keyboardEvent: the input came from a key, so the field the
    // user was in before the key decides between payment and deposit.
    bool GetInput(AcctRecord& record, bool keyboardEvent = false);

    // Insert Date: today's date into the Date field when it has the focus.
    void setDateField();
    // Sets the focus field unless -1, gives that field the keyboard focus
    // and selects its text.
    void SetRecordFocus(int field);
    int CheckRowDate();     // no message
    int ValidateRowDate();  // the date message when it is not valid
    // True when R, Num, description, Payment and Deposit are all empty.
    bool IsRecordEmpty();
    void ClearRow();

    void setFields(const AcctRecord& record);
    void ShowBalance(double balance);

    // Whether the last reading of the row was refused; taking it forgets it.
    bool TakeError();

    int Result() const { return m_Result; }
    int DateState() const { return m_DateState; }
    void SetDateState(int state) { m_DateState = state; }
    int FocusField() const { return m_FocusField; }
    void SetFocusField(int field) { m_FocusField = field; }
    int PreviousFocusField() const { return m_PreviousFocusField; }
    int Row() const { return m_Row; }
    double Payment() const { return m_Payment; }
    double Deposit() const { return m_Deposit; }
    EditWindow& Field(int field) { return Fields[field]; }

private:
    void RunReconcile(int action);
    void RunDate(const eventMsg& ev, int action);
    void RunAmount(int field, int action);
    void CommonMoves(int action);
    // A field's text after reading (amounts cleaned); false when it is
    // empty.
    bool FieldHasText(int field);
    AcctRecord* ShownRecord() const;

    int m_FirstIdentifier;
    int m_DateState = kDateInvalid;
    int m_Result = 0;
    double m_Payment = 0.0;
    double m_Deposit = 0.0;
    int m_Row;
    int m_FocusField = DATE_FLD;
    int m_PreviousFocusField = DATE_FLD;
    std::array<EditWindow, MAX_FLD> Fields;
    bool m_Error = false;
};
