#include "register/edit_record.h"

#include <cstdlib>
#include <cstring>

#include "model/account.h"
#include "model/model_texts.h"
#include "register/event_msg.h"
#include "register/multi_records.h"
#include "register/register_host.h"
#include "register/register_texts.h"
#include "values/amount.h"
#include "values/date.h"

namespace {

constexpr int kFieldKinds[MAX_FLD] = {kKindText,   kKindText,   kKindText,  kKindDescription,
                                      kKindAmount, kKindAmount, kKindBalance};

// Copies a fixed-width field that a damaged file may have left without its
// NUL: never more than width - 1 characters.
template <std::size_t N, std::size_t W> void CopyField(char (&dst)[N], const char (&src)[W]) {
    static_assert(N >= W);
    const std::size_t length = strnlen(src, W - 1);
    std::memcpy(dst, src, length);
    dst[length] = '\0';
}

// The check number's value: its leading digits, as the C library reads an
// integer; a sign or no digits at all give 0.
std::uint16_t CheckNumberOf(const char* text) {
    const long value = std::strtol(text, nullptr, 10);
    return value > 0 ? static_cast<std::uint16_t>(value) : 0;
}

bool IsTabOrEnter(int action) { return action == kActionTab || action == kActionEnter; }

}  // namespace

RowTexts RowTextsOf(const AcctRecord& record) {
    RowTexts texts{};
    CopyField(texts.reconcile, record.reconcile);
    char stored[kDateTextSize];
    CopyField(stored, record.date);
    CopyFixedText(texts.date, sizeof texts.date, g_Date.ToDisplay(stored));
    CopyField(texts.num, record.checkText);
    CopyField(texts.description, record.description);
    if (record.payment != 0.0) FormatAmount(texts.payment, record.payment);
    if (record.deposit != 0.0) FormatAmount(texts.deposit, record.deposit);
    return texts;
}

EditRecord::EditRecord(int row)
    : m_FirstIdentifier(FieldId(row, 0)),
      m_Row(row),
      Fields{EditWindow(m_FirstIdentifier + 0, kFieldKinds[0]), EditWindow(m_FirstIdentifier + 1, kFieldKinds[1]),
             EditWindow(m_FirstIdentifier + 2, kFieldKinds[2]), EditWindow(m_FirstIdentifier + 3, kFieldKinds[3]),
             EditWindow(m_FirstIdentifier + 4, kFieldKinds[4]), EditWindow(m_FirstIdentifier + 5, kFieldKinds[5]),
             EditWindow(m_FirstIdentifier + 6, kFieldKinds[6])} {}

AcctRecord* EditRecord::ShownRecord() const {
    RecordNode* node = g_MultiRecords.RowNode(m_Row);
    return node ? node->record.get() : nullptr;
}

// ---------------------------------------------------------------------------
// Keys

void EditRecord::RunWindow(const eventMsg& ev) {
    m_PreviousFocusField = m_FocusField;
    m_Result = kResultNone;
    EditWindow& field = Fields[m_FocusField];
    field.SetAction(ev);
    const int action = field.GetAction();

    switch (m_FocusField) {
        case RECONCILE_FLD: RunReconcile(action); break;
        case DATE_FLD:
            if (action != kActionNone) RunDate(ev, action);
            break;
        case NUM_FLD:
        case DESC_FLD:
            if (IsTabOrEnter(action)) {
                ++m_FocusField;
                m_Result = kResultOtherField;
            }
            CommonMoves(action);
            break;
        case PAYMENT_FLD:
        case DEPOSIT_FLD:
            if (action != kActionNone) RunAmount(m_FocusField, action);
            break;
        default: break;
    }
}

void EditRecord::CommonMoves(int action) {
    switch (action) {
        case kActionUp: m_Result = kResultPreviousRecord; break;
        case kActionDown: m_Result = kResultNextRecord; break;
        case kActionPageDown: m_Result = kResultPageDown; break;
        case kActionPageUp: m_Result = kResultPageUp; break;
        default: break;
    }
}

void EditRecord::RunReconcile(int action) {
    char text[kFieldTextSize];
    Fields[RECONCILE_FLD].GetInput(text);
    if (text[0] != '\0' && text[0] != 'R') {
        ShowRegisterMessage(kReconcileOnlyText, kEntryErrorTitle);
        Fields[RECONCILE_FLD].Clear();
        SetRecordFocus(RECONCILE_FLD);
        return;
    }
    if (IsTabOrEnter(action)) {
        m_FocusField = RECONCILE_FLD + 1;
        m_Result = kResultOtherField;
    }
    CommonMoves(action);
}

void EditRecord::RunDate(const eventMsg& ev, int action) {
    if (!g_MultiRecords.OnLastRecord()) {
        ValidateRowDate();
    } else {
        // The wheel and the scroll bar never run past the blank last record.
        if (ev.m_Scroll == 1 && ev.m_Key == kKeyDown) return;
        const int state = CheckRowDate();
        if (state == kDateInvalid) {
            ValidateRowDate();
        } else if (state == kDateEmpty) {
            const bool leavesForward = IsTabOrEnter(action) || action == kActionDown || action == kActionPageDown;
            if (!IsRecordEmpty() || leavesForward) ValidateRowDate();
        }
    }
    if (m_DateState == kDateInvalid) return;
    if (IsTabOrEnter(action)) {
        m_FocusField = NUM_FLD;
        m_Result = kResultDateAccepted;
    }
    CommonMoves(action);
}

void EditRecord::RunAmount(int field, int action) {
    char text[kFieldTextSize];
    Fields[field].GetInput(text);
    if (Fields[field].IsInvalid()) {
        ShowRegisterMessage(kEntryAmountError, kAmountErrorTitle);
        m_Result = kResultRefused;
        return;
    }
    const bool isPayment = field == PAYMENT_FLD;
    double& amount = isPayment ? m_Payment : m_Deposit;
    double& other = isPayment ? m_Deposit : m_Payment;
    amount = AmountValue(text);
    if (AcctRecord* record = ShownRecord()) {
        if (isPayment)
            record->payment = amount;
        else
            record->deposit = amount;
        const int balances = g_Account.ComputeBalances();
        if (balances != kBalancesOk) {
            ShowBalanceError(balances);
            m_Result = kResultRefused;
            amount = 0.0;  // the record keeps the typed amount until corrected
            return;
        }
    }
    if (amount != 0.0) other = 0.0;

    if (action == kActionTab) {
        m_FocusField = isPayment ? DEPOSIT_FLD : RECONCILE_FLD;
        m_Result = kResultOtherField;
    } else if (action == kActionEnter) {
        if (isPayment && amount == 0.0) {
            m_FocusField = DEPOSIT_FLD;
            m_Result = kResultOtherField;
        } else {
            m_FocusField = DATE_FLD;
            m_Result = kResultNextRecord;
        }
    }
    CommonMoves(action);
}

// ---------------------------------------------------------------------------
// Reading the row into its record

bool EditRecord::GetInput(AcctRecord& record, bool keyboardEvent) {
    m_Error = false;
    m_DateState = kDateInvalid;
    char text[kFieldTextSize];

    Fields[RECONCILE_FLD].GetInput(text);
    if (text[0] != '\0' && std::strcmp(text, "R") != 0) {
        ShowRegisterMessage(kReconcileOnlyText, kEntryErrorTitle);
        m_Error = true;
        Fields[RECONCILE_FLD].Clear();
        return false;
    }
    CopyFixedText(record.reconcile, text);

    Fields[DATE_FLD].GetInput(text);
    // What the field shows of the stored date reads back as that date and
    // no other: a two-digit year cannot tell every century apart.
    char stored[kDateTextSize];
    CopyField(stored, record.date);
    const bool unchanged = stored[0] != '\0' && std::strcmp(text, g_Date.ToDisplay(stored)) == 0;
    if (!g_Date.Parse(text)) {
        ShowRegisterDateError();
        m_Error = true;
        return false;
    }
    m_DateState = kDateValid;
    if (!unchanged) {
        CopyFixedText(record.date, g_Date.GetText());
        record.year = static_cast<std::uint16_t>(g_Date.GetYear());
        record.dayOfYear = static_cast<std::uint16_t>(g_Date.GetDayOfYear());
    }

    Fields[NUM_FLD].GetInput(text);
    CopyFixedText(record.checkText, text);
    record.checkNumber = CheckNumberOf(record.checkText);

    Fields[DESC_FLD].GetInput(text);
    CopyFixedText(record.description, text);

    for (int field : {PAYMENT_FLD, DEPOSIT_FLD}) {
        Fields[field].GetInput(text);
        if (Fields[field].IsInvalid()) {
            ShowRegisterMessage(kEntryAmountError, kAmountErrorTitle);
            m_DateState = kDateInvalid;
            m_Error = true;
            return false;
        }
        (field == PAYMENT_FLD ? m_Payment : m_Deposit) = AmountValue(text);
    }

    // A record holds a payment or a deposit, never both.
    bool takesPayment = m_Payment != 0.0;
    int fieldToEmpty = -1;
    if ((m_Payment != 0.0) == (m_Deposit != 0.0)) {
        const int userField = keyboardEvent ? m_PreviousFocusField : m_FocusField;
        takesPayment = userField == PAYMENT_FLD;
        fieldToEmpty = takesPayment ? DEPOSIT_FLD : PAYMENT_FLD;
    }
    record.payment = takesPayment ? m_Payment : 0.0;
    record.deposit = takesPayment ? 0.0 : m_Deposit;

    const int balances = g_Account.ComputeBalances();
    if (balances != kBalancesOk) {
        ShowBalanceError(balances);
        m_DateState = kDateInvalid;
        m_Error = true;
        if (takesPayment)
            record.deposit = m_Deposit;
        else
            record.payment = m_Payment;
        return false;
    }
    if (fieldToEmpty >= 0) Fields[fieldToEmpty].Clear();
    m_Payment = 0.0;
    m_Deposit = 0.0;
    return true;
}

// ---------------------------------------------------------------------------
// Dates

int EditRecord::CheckRowDate() {
    m_DateState = kDateInvalid;
    char text[kFieldTextSize];
    Fields[DATE_FLD].GetInput(text);
    // An empty date leaves the pending change as it is: it may be a record
    // whose save failed, which only a successful save may forget.
    if (text[0] == '\0') {
        m_DateState = kDateEmpty;
    } else if (g_Date.Parse(text)) {
        m_DateState = kDateValid;
    }
    return m_DateState;
}

int EditRecord::ValidateRowDate() {
    m_DateState = kDateInvalid;
    char text[kFieldTextSize];
    Fields[DATE_FLD].GetInput(text);
    if (g_Date.Parse(text)) {
        m_DateState = kDateValid;
    } else {
        ShowRegisterDateError();
        SetRecordFocus(-1);
    }
    return m_DateState;
}

void EditRecord::setDateField() {
    if (m_FocusField != DATE_FLD) {
        ShowRegisterMessage(kIncorrectLocationText, kIncorrectLocationTitle);
        SetRecordFocus(-1);
        return;
    }
    Fields[DATE_FLD].Clear();
    char today[kStoredDateSize];
    g_Date.Today(today);
    Fields[DATE_FLD].SetText(g_Date.ToDisplay(today));
    g_Account.needsSaving = 1;
}

// ---------------------------------------------------------------------------
// Focus and contents

void EditRecord::SetRecordFocus(int field) {
    if (field >= 0 && field < MAX_FLD) m_FocusField = field;
    Fields[m_FocusField].SetFocusToField();
    Fields[m_FocusField].SelectAll();
}

bool EditRecord::FieldHasText(int field) {
    char text[kFieldReadSize];
    Host().GetText(Fields[field].Index(), text, sizeof text);
    return text[0] != '\0';
}

bool EditRecord::IsRecordEmpty() {
    for (int field : {RECONCILE_FLD, NUM_FLD, DESC_FLD, PAYMENT_FLD, DEPOSIT_FLD})
        if (FieldHasText(field)) return false;
    return true;
}

void EditRecord::ClearRow() {
    for (EditWindow& field : Fields) field.Clear();
    m_FocusField = DATE_FLD;
}

void EditRecord::setFields(const AcctRecord& record) {
    const RowTexts texts = RowTextsOf(record);
    Fields[RECONCILE_FLD].SetText(texts.reconcile);
    Fields[DATE_FLD].SetText(texts.date);
    Fields[NUM_FLD].SetText(texts.num);
    Fields[DESC_FLD].SetText(texts.description);
    Fields[PAYMENT_FLD].SetText(texts.payment);
    Fields[DEPOSIT_FLD].SetText(texts.deposit);
    m_Payment = record.payment;
    m_Deposit = record.deposit;
}

void EditRecord::ShowBalance(double balance) {
    char text[kAmountTextSize];
    FormatBalance(text, balance);
    Fields[BALANCE_FLD].SetText(text);
}

bool EditRecord::TakeError() {
    const bool error = m_Error;
    m_Error = false;
    return error;
}
