#include "features/text_finder.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#include "base/bounded_text.h"
#include "features/amount_text.h"
#include "model/account.h"
#include "values/amount.h"
#include "values/date.h"

namespace {

// The program runs in the C locale: toupper and isalnum know ASCII only.
char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsWordChar(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Every character an amount text can hold. A pattern with any other
// character cannot occur in one, so the amount need not be formatted.
bool IsAmountChar(char c) {
    return (c >= '0' && c <= '9') || c == '.' || c == ',' || c == '-';
}

// A zero amount shows as an empty field, so it holds nothing to find.
std::size_t AmountText(double amount, char* out, std::size_t size) {
    if (amount == 0.0) {
        out[0] = '\0';
        return 0;
    }
    FormatAmountText(out, size, amount);
    InsertThousandsSeparators(out, size);
    return std::strlen(out);
}

bool IsAmountField(int field) { return field == kFindPayment || field == kFindDeposit; }

double AmountOf(const AcctRecord& record, int field) {
    return field == kFindPayment ? record.payment : record.deposit;
}

}  // namespace

std::size_t FindFieldText(const AcctRecord& record, int field, char* out, std::size_t size) {
    if (out == nullptr || size == 0)
        return 0;
    out[0] = '\0';
    switch (field) {
        case kFindDate: {
            const char* shown = g_Date.ToDisplay(record.date);
            return CopyBoundedField(out, size, shown, kDisplayDateSize);
        }
        case kFindCheckNumber: return CopyBoundedField(out, size, record.checkText, kCheckTextSize - 1);
        case kFindDescription: return CopyBoundedField(out, size, record.description, kDescriptionSize - 1);
        case kFindPayment: return AmountText(record.payment, out, size);
        case kFindDeposit: return AmountText(record.deposit, out, size);
    }
    return 0;
}

std::string CannotFindMessage(const std::string& searchText) {
    return std::string(kCannotFindText) + "\"" + searchText + "\"";
}

FindPlacement PlaceMatch(int recordIndex, int visibleCount, int topIndex) {
    if (recordIndex < kFindNoScrollRows && visibleCount < kFindNoScrollRows) {
        const int row = recordIndex - topIndex;
        if (row >= 0 && row <= kFindNoScrollRows)
            return {false, topIndex, row};
    }
    return {true, recordIndex, 0};
}

void TextFinder::SetSearch(const std::string& text, bool wholeWord, bool matchCase) {
    m_Text = text;
    m_WholeWord = wholeWord;
    m_MatchCase = matchCase;
    m_Pattern = text;
    m_AmountChars = true;
    for (char& c : m_Pattern) {
        if (!matchCase)
            c = Upper(c);
        m_AmountChars = m_AmountChars && IsAmountChar(c);
    }
}

void TextFinder::SetStart(int recordIndex, int field, int caret) {
    m_ResumeRecord = recordIndex;
    m_FieldState = field;
    m_MatchPosition = caret;
    m_MatchEnd = -1;
    if (field <= kFindRegisterMark) {
        m_FieldState = kFindDate;
        m_MatchPosition = -1;
    } else if (field > kFindDeposit) {
        // The balance is not searched: go on with the next record.
        m_ResumeRecord = recordIndex + 1;
        m_FieldState = kFindNextRecord;
        m_MatchPosition = -1;
    }
}

void TextFinder::SetStartFromSelection(int recordIndex, int field, int selectionStart, int selectionEnd) {
    const bool showsLastMatch = m_Shown.record == recordIndex && m_Shown.field == field &&
                                m_Shown.start == selectionStart && m_Shown.end == selectionEnd;
    SetStart(recordIndex, field, showsLastMatch ? std::max(selectionEnd, m_ShownMatchEnd) : selectionEnd);
}

void TextFinder::NoteShownMatch(const FindMatch& match, int selectionStart, int selectionEnd) {
    m_Shown = {match.record, match.field, selectionStart, selectionEnd};
    m_ShownMatchEnd = match.end;
}

void TextFinder::KeepSelection(int start, int end) {
    m_SelectionStart = start;
    m_SelectionEnd = end;
}

void TextFinder::Restart(const char* fileName) {
    m_PreviousFile = fileName;
    m_ResumeRecord = -1;
    m_FieldState = kFindNextRecord;
    m_MatchPosition = -1;
    m_MatchEnd = -1;
}

bool TextFinder::FindNext(const RecordNode* first, int view, const char* fileName, FindMatch& match) {
    if (fileName == nullptr)
        fileName = "";
    if (!m_PreviousFile.empty() && view == m_PreviousView) {
        // Another account: its records have nothing to do with the start.
        if (m_PreviousFile != fileName)
            Restart(fileName);
    } else {
        m_PreviousFile = fileName;
    }
    const int start = m_ResumeRecord;
    if (SearchPass(first, view, INT_MAX, match))
        return true;
    // The wrap. Records after the start were searched in full by the first
    // pass, so the second one can stop at the start record.
    Restart(fileName);
    return SearchPass(first, view, start < 0 ? INT_MAX : start, match);
}

bool TextFinder::SearchPass(const RecordNode* first, int view, int lastIndex, FindMatch& match) {
    m_PreviousView = view;
    int index = 0;
    for (const RecordNode* node = first; node != nullptr; node = node->next) {
        const AcctRecord& record = *node->record;
        if (view == ViewCurrent && IsReconciled(record))
            continue;
        if (index > lastIndex)
            return false;
        if (index >= m_ResumeRecord && SearchRecord(record)) {
            m_ResumeRecord = index;
            KeepSelection(m_MatchPosition, m_MatchEnd);
            match = {index, m_FieldState, m_MatchPosition, m_MatchEnd};
            return true;
        }
        ++index;
    }
    return false;
}

bool TextFinder::SearchRecord(const AcctRecord& record) {
    if (m_FieldState == kFindNextRecord)
        m_FieldState = kFindDate;
    for (; m_FieldState <= kFindDeposit; ++m_FieldState) {
        char text[kFindFieldTextSize];
        const bool skip = IsAmountField(m_FieldState) && !CouldBeAmount() &&
                          std::isfinite(AmountOf(record, m_FieldState));
        if (!skip && SearchField(text, FindFieldText(record, m_FieldState, text, sizeof text)))
            return true;
        m_MatchPosition = -1;
    }
    m_FieldState = kFindNextRecord;
    m_MatchPosition = -1;
    return false;
}

bool TextFinder::SearchField(const char* text, std::size_t length) {
    char field[kFindFieldTextSize];
    for (std::size_t i = 0; i < length; ++i)
        field[i] = m_MatchCase ? text[i] : Upper(text[i]);

    const std::size_t patternLength = m_Pattern.size();
    std::size_t from = m_MatchPosition < 0 ? 0 : static_cast<std::size_t>(m_MatchPosition);
    while (from + patternLength <= length) {
        const std::size_t at = Occurrence(field, length, from);
        if (at == kNoOccurrence)
            break;
        m_MatchPosition = static_cast<int>(at);
        m_MatchEnd = static_cast<int>(at + patternLength);
        if (!m_WholeWord || IsWholeWord(field, length, at))
            return true;
        from = at + 1;
    }
    m_MatchPosition = -1;
    m_MatchEnd = -1;
    return false;
}

std::size_t TextFinder::Occurrence(const char* field, std::size_t length, std::size_t from) const {
    const std::size_t patternLength = m_Pattern.size();
    if (patternLength == 0)
        return from <= length ? from : kNoOccurrence;
    const char first = m_Pattern.front();
    const char* rest = m_Pattern.data() + 1;
    for (std::size_t at = from; at + patternLength <= length; ++at) {
        if (field[at] == first && std::memcmp(field + at + 1, rest, patternLength - 1) == 0)
            return at;
    }
    return kNoOccurrence;
}

bool TextFinder::IsWholeWord(const char* text, std::size_t length, std::size_t start) const {
    const std::size_t patternLength = m_Pattern.size();
    if (patternLength == 0)
        return true;
    const std::size_t end = start + patternLength;
    const bool startSide =
        start == 0 || !IsWordChar(text[start - 1]) || !IsWordChar(m_Pattern.front());
    const bool endSide = end == length || !IsWordChar(text[end]) || !IsWordChar(m_Pattern.back());
    return startSide && endSide;
}
