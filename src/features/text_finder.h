// The search behind the Find dialog: from a point in the register (record,
// field, caret) onwards, through the five searched texts of each record in
// the form the register shows them, wrapping to the first record once.
// Platform-free; the dialog and the register's selection are in
// find_dialog_win.cpp and find_command_win.cpp.
#pragma once

#include <cstddef>
#include <string>

struct AcctRecord;
struct RecordNode;

inline constexpr char kFindMessageName[] = "finddlg_Find";
inline constexpr char kCannotFindTitle[] = "Ledgerpad";
inline constexpr char kCannotFindText[] = "Cannot find ";

// Field states: the searched fields in search order, and "go on with the
// next record".
inline constexpr int kFindDate = 1;
inline constexpr int kFindCheckNumber = 2;
inline constexpr int kFindDescription = 3;
inline constexpr int kFindPayment = 4;
inline constexpr int kFindDeposit = 5;
inline constexpr int kFindNextRecord = 7;

// Register fields of a row (the same numbers as the field states for the
// five searched ones).
inline constexpr int kFindRegisterMark = 0;
inline constexpr int kFindRegisterBalance = 6;

// The register has this many rows of records below which a match does not
// scroll it.
inline constexpr int kFindNoScrollRows = 18;

// Room for the longest searched text: the description.
inline constexpr std::size_t kFindFieldTextSize = 96;

// The text the register shows for field (kFindDate .. kFindDeposit) of a
// record: the date in the user's format, the check number, the description,
// payment and deposit with two decimals and thousands separators (empty
// for none, as the field shows it). Returns the length; any other field
// gives "".
std::size_t FindFieldText(const AcctRecord& record, int field, char* out, std::size_t size);

// "Cannot find \"text\"".
std::string CannotFindMessage(const std::string& searchText);

struct FindMatch {
    int record = -1;  // index within the view
    int field = 0;    // kFindDate .. kFindDeposit
    int start = 0;    // characters start .. end of the field text
    int end = 0;
};

// Where the register shows a match: the record that becomes the first row
// (topIndex) and the row of the match.
struct FindPlacement {
    bool scroll = false;  // topIndex changes
    int topIndex = 0;
    int row = 0;
};
FindPlacement PlaceMatch(int recordIndex, int visibleCount, int topIndex);

class TextFinder {
public:
    // The request: text and options as the dialog holds them.
    void SetSearch(const std::string& text, bool wholeWord, bool matchCase);
    // The start: the register's focused record (topIndex + row), its field
    // (0 .. 6) and the end of the selection in it.
    void SetStart(int recordIndex, int field, int caret);
    // The start from the register's selection in its focused field: from
    // the end of the selection, or right after the last match while the
    // register still shows that match as it was left (a field that cannot
    // show the selection must not hold the search on the same match).
    void SetStartFromSelection(int recordIndex, int field, int selectionStart, int selectionEnd);
    // The selection the register shows once it has shown match.
    void NoteShownMatch(const FindMatch& match, int selectionStart, int selectionEnd);
    // The register's selection when Find opened, put back after a failed
    // search.
    void KeepSelection(int start, int end);

    // Searches from the start onwards, then once from the first record.
    // view is ViewCurrent or ViewAll; fileName names the open account. True
    // with the match; false when the text occurs nowhere.
    bool FindNext(const RecordNode* first, int view, const char* fileName, FindMatch& match);

    const std::string& SearchText() const { return m_Text; }
    int KeptSelectionStart() const { return m_SelectionStart; }
    int KeptSelectionEnd() const { return m_SelectionEnd; }
    int ResumeRecord() const { return m_ResumeRecord; }

private:
    void Restart(const char* fileName);
    bool SearchPass(const RecordNode* first, int view, int lastIndex, FindMatch& match);
    bool SearchRecord(const AcctRecord& record);
    bool SearchField(const char* text, std::size_t length);
    // The first occurrence of the pattern at or after from, or kNoOccurrence.
    static constexpr std::size_t kNoOccurrence = static_cast<std::size_t>(-1);
    std::size_t Occurrence(const char* field, std::size_t length, std::size_t from) const;
    bool IsWholeWord(const char* text, std::size_t length, std::size_t start) const;
    bool CouldBeAmount() const { return m_AmountChars; }

    std::string m_Text;
    std::string m_Pattern;  // m_Text, upper case unless matching case
    bool m_WholeWord = false;
    bool m_MatchCase = false;
    bool m_AmountChars = true;  // the pattern could occur in an amount text

    int m_ResumeRecord = -1;
    int m_FieldState = kFindNextRecord;
    int m_MatchPosition = -1;
    int m_MatchEnd = -1;
    int m_SelectionStart = 0;
    int m_SelectionEnd = 0;
    std::string m_PreviousFile;
    int m_PreviousView = -1;
    FindMatch m_Shown;  // the last match, with the selection the register shows for it
    int m_ShownMatchEnd = -1;
};
