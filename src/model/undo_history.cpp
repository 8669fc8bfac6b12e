#include "model/undo_history.h"

#include "base/utf16.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

bool SameRecord(const AcctRecord& a, const AcctRecord& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// A place in the list, moved from where it was last: a change's steps lie
// near one another (an import's insertions go down the list in order, and
// come back up in order when undone), so a whole change costs one walk.
class ListCursor {
public:
    explicit ListCursor(Account& account) : m_Account(account) {}

    // The node at position, or null one past the tail.
    RecordNode* At(std::size_t position) {
        const std::size_t count = m_Account.RecordCount();
        if (position >= count) return nullptr;
        if (m_Node == nullptr || !m_Account.Contains(m_Node)) {
            m_Node = m_Account.Head();
            m_Index = 0;
        }
        // From wherever is nearest: the head, the tail or the last place.
        const std::size_t fromHere = position > m_Index ? position - m_Index : m_Index - position;
        if (position < fromHere) {
            m_Node = m_Account.Head();
            m_Index = 0;
        } else if (count - 1 - position < fromHere) {
            m_Node = m_Account.Tail();
            m_Index = count - 1;
        }
        while (m_Index < position) m_Node = m_Node->next, ++m_Index;
        while (m_Index > position) m_Node = m_Node->prev, --m_Index;
        return m_Node;
    }
    // The list changed at position: the cursor holds nothing reliable there.
    void Forget() { m_Node = nullptr; }

private:
    Account& m_Account;
    RecordNode* m_Node = nullptr;
    std::size_t m_Index = 0;
};

// One step forwards; false (nothing changed) when the list does not hold
// what the step expects.
bool Step(Account& account, ListCursor& cursor, const RecordEdit& edit) {
    switch (edit.kind) {
        case RecordEdit::Kind::Insert: {
            if (edit.position > account.RecordCount()) return false;
            RecordNode* at = cursor.At(edit.position);
            RecordNode* node = at ? account.InsertBefore(at) : account.AppendRecord();
            *node->record = edit.after;
            cursor.Forget();
            return true;
        }
        case RecordEdit::Kind::Remove: {
            RecordNode* at = cursor.At(edit.position);
            if (!at || !SameRecord(*at->record, edit.before)) return false;
            cursor.Forget();
            return account.Unlink(at) != nullptr;
        }
        case RecordEdit::Kind::Replace: {
            RecordNode* at = cursor.At(edit.position);
            if (!at || !SameRecord(*at->record, edit.before)) return false;
            *at->record = edit.after;
            return true;
        }
    }
    return false;
}

RecordEdit Inverse(const RecordEdit& edit) {
    RecordEdit inverse = edit;
    std::swap(inverse.before, inverse.after);
    if (edit.kind == RecordEdit::Kind::Insert) inverse.kind = RecordEdit::Kind::Remove;
    if (edit.kind == RecordEdit::Kind::Remove) inverse.kind = RecordEdit::Kind::Insert;
    return inverse;
}

std::size_t ImageBytes(const UndoChange& change) {
    return change.edits.size() * sizeof(RecordEdit) + change.name.size();
}

const std::string kNoName;

}  // namespace

void UndoChangeBuilder::Inserted(std::size_t position, const AcctRecord& record) {
    m_Change.edits.push_back({RecordEdit::Kind::Insert, position, {}, record});
}

void UndoChangeBuilder::Removed(std::size_t position, const AcctRecord& record) {
    m_Change.edits.push_back({RecordEdit::Kind::Remove, position, record, {}});
}

void UndoChangeBuilder::Replaced(std::size_t position, const AcctRecord& before, const AcctRecord& after) {
    if (SameRecord(before, after)) return;
    m_Change.edits.push_back({RecordEdit::Kind::Replace, position, before, after});
}

std::optional<std::size_t> ApplyUndoChange(Account& account, const UndoChange& change, UndoDirection direction) {
    const std::size_t count = change.edits.size();
    std::vector<RecordEdit> steps;
    steps.reserve(count);  // every allocation comes before the list changes
    for (std::size_t i = 0; i < count; ++i) {
        const RecordEdit& edit = change.edits[direction == UndoDirection::Forwards ? i : count - 1 - i];
        steps.push_back(direction == UndoDirection::Forwards ? edit : Inverse(edit));
    }
    account.ReserveRecords(count);

    ListCursor cursor(account);
    for (std::size_t done = 0; done < steps.size(); ++done) {
        if (Step(account, cursor, steps[done])) continue;
        // Back to where the change started: the steps done, undone in turn.
        ListCursor back(account);
        while (done > 0) Step(account, back, Inverse(steps[--done]));
        return std::nullopt;
    }
    if (steps.empty()) return std::nullopt;
    const std::size_t last = steps.back().position;
    return account.RecordCount() == 0 ? 0 : std::min(last, account.RecordCount() - 1);
}

void UndoHistory::Record(UndoChange change) {
    if (change.edits.empty()) return;
    m_Undone.clear();
    m_Bytes += ImageBytes(change);
    m_Done.push_back(std::move(change));
    Trim();
}

void UndoHistory::Trim() {
    std::size_t bytes = 0;
    for (const UndoChange& c : m_Undone) bytes += ImageBytes(c);
    for (const UndoChange& c : m_Done) bytes += ImageBytes(c);
    while (m_Done.size() > 1 && (m_Done.size() + m_Undone.size() > m_Limit || bytes > m_ByteLimit)) {
        bytes -= ImageBytes(m_Done.front());
        m_Done.pop_front();
    }
    m_Bytes = bytes;
}

void UndoHistory::Clear() {
    m_Done.clear();
    m_Undone.clear();
    m_Bytes = 0;
}

const std::string& UndoHistory::UndoName() const { return m_Done.empty() ? kNoName : m_Done.back().name; }

const std::string& UndoHistory::RedoName() const { return m_Undone.empty() ? kNoName : m_Undone.back().name; }

std::optional<std::size_t> UndoHistory::Undo(Account& account) {
    if (m_Done.empty()) return std::nullopt;
    const std::optional<std::size_t> touched = ApplyUndoChange(account, m_Done.back(), UndoDirection::Backwards);
    if (!touched) return std::nullopt;
    m_Undone.push_back(std::move(m_Done.back()));
    m_Done.pop_back();
    return touched;
}

std::optional<std::size_t> UndoHistory::Redo(Account& account) {
    if (m_Undone.empty()) return std::nullopt;
    const std::optional<std::size_t> touched = ApplyUndoChange(account, m_Undone.back(), UndoDirection::Forwards);
    if (!touched) return std::nullopt;
    m_Done.push_back(std::move(m_Undone.back()));
    m_Undone.pop_back();
    return touched;
}

std::string TypingChangeName(const char* displayedDate, const char* description) {
    std::string name = "Typing in Row";
    if (displayedDate && displayedDate[0]) name += std::string(" ") + displayedDate;
    if (description && description[0]) name += std::string(" ") + description;
    return name;
}

std::vector<AcctRecord> SavedRecords(const Account& account) {
    const RecordNode* end = account.Tail();
    while (end != nullptr && IsBlankRecord(*end->record)) end = end->prev;
    std::vector<AcctRecord> records;
    records.reserve(account.RecordCount());
    if (end == nullptr) return records;
    for (const RecordNode* n = account.Head(); n != end->next; n = n->next) records.push_back(*n->record);
    return records;
}

namespace {

// How far ahead a run of records put in or taken out is looked for.
constexpr std::size_t kLookAhead = 64;

}  // namespace

namespace {

const AcctRecord& RecordOf(const AcctRecord& record) { return record; }
const AcctRecord& RecordOf(const AcctRecord* record) { return *record; }

// The two lists as vectors of records or of pointers to them: a save
// compares the list in place, without copying its records.
template <typename From, typename To>
std::vector<RecordEdit> Diff(const std::vector<From>& fromList, const std::vector<To>& toList) {
    const auto from = [&](std::size_t i) -> const AcctRecord& { return RecordOf(fromList[i]); };
    const auto to = [&](std::size_t i) -> const AcctRecord& { return RecordOf(toList[i]); };
    const std::size_t fromSize = fromList.size(), toSize = toList.size();
    std::size_t prefix = 0;
    while (prefix < fromSize && prefix < toSize && SameRecord(from(prefix), to(prefix))) ++prefix;
    std::size_t suffix = 0;
    while (suffix < fromSize - prefix && suffix < toSize - prefix &&
           SameRecord(from(fromSize - 1 - suffix), to(toSize - 1 - suffix)))
        ++suffix;

    // The middle, walked once: the list between is to[0, j) then from[i, ...).
    std::vector<RecordEdit> edits;
    std::size_t i = prefix, j = prefix;
    const std::size_t fromEnd = fromSize - suffix, toEnd = toSize - suffix;
    while (i < fromEnd || j < toEnd) {
        if (i < fromEnd && j < toEnd && SameRecord(from(i), to(j))) {
            ++i, ++j;
            continue;
        }
        // The nearest place where the two meet again: records put in before
        // from[i], or taken out before to[j].
        std::size_t inserted = 0, removed = 0;
        for (std::size_t k = 1; k <= kLookAhead && (inserted == 0 && removed == 0); ++k) {
            if (i < fromEnd && j + k < toEnd && SameRecord(from(i), to(j + k))) inserted = k;
            else if (j < toEnd && i + k < fromEnd && SameRecord(from(i + k), to(j))) removed = k;
        }
        if (i >= fromEnd) inserted = toEnd - j;
        if (j >= toEnd) removed = fromEnd - i;
        if (inserted > 0) {
            for (; inserted > 0; --inserted, ++j) edits.push_back({RecordEdit::Kind::Insert, j, {}, to(j)});
        } else if (removed > 0) {
            for (; removed > 0; --removed, ++i) edits.push_back({RecordEdit::Kind::Remove, j, from(i), {}});
        } else {
            edits.push_back({RecordEdit::Kind::Replace, j, from(i), to(j)});
            ++i, ++j;
        }
    }
    return edits;
}

}  // namespace

std::vector<RecordEdit> DiffRecords(const std::vector<AcctRecord>& from, const std::vector<AcctRecord>& to) {
    return Diff(from, to);
}

void AccountHistory::Reset(const Account& account) {
    m_History.Clear();
    m_Known = SavedRecords(account);
    m_NextName.clear();
}

void AccountHistory::Saved(const Account& account, std::string (*displayDate)(const char* stored)) {
    // The list compared where it lies, and what the history knows brought
    // up to it step by step: a typed row costs a comparison, not a copy.
    std::vector<const AcctRecord*> now;
    now.reserve(account.RecordCount());
    const RecordNode* end = account.Tail();
    while (end != nullptr && IsBlankRecord(*end->record)) end = end->prev;
    if (end != nullptr)
        for (const RecordNode* n = account.Head(); n != end->next; n = n->next) now.push_back(n->record.get());
    UndoChange change;
    change.edits = Diff(m_Known, now);
    if (change.edits.empty()) return;
    for (const RecordEdit& edit : change.edits) {
        const auto at = m_Known.begin() + static_cast<std::ptrdiff_t>(edit.position);
        switch (edit.kind) {
            case RecordEdit::Kind::Insert: m_Known.insert(at, edit.after); break;
            case RecordEdit::Kind::Remove: m_Known.erase(at); break;
            case RecordEdit::Kind::Replace: *at = edit.after; break;
        }
    }
    change.name = std::exchange(m_NextName, std::string());
    if (change.name.empty()) {
        // Typing: named after the row typed in, as it reads now.
        const RecordEdit& last = change.edits.back();
        const AcctRecord& row = last.kind == RecordEdit::Kind::Remove ? last.before : last.after;
        char date[sizeof row.date + 1] = {};
        std::memcpy(date, row.date, sizeof row.date);
        char description[sizeof row.description + 1] = {};
        std::memcpy(description, row.description, sizeof row.description);
        // The names are UTF-8, as the file names an import's carries; a
        // description is the register's own text, code page 1252.
        std::string utf8;
        Utf16ToUtf8(Cp1252ToUtf16(description).c_str(), utf8);
        change.name = TypingChangeName(date[0] && displayDate ? displayDate(date).c_str() : "", utf8.c_str());
    }
    m_History.Record(std::move(change));
}

std::optional<std::size_t> AccountHistory::Undo(Account& account) {
    const std::optional<std::size_t> touched = m_History.Undo(account);
    if (touched) m_Known = SavedRecords(account);
    return touched;
}

std::optional<std::size_t> AccountHistory::Redo(Account& account) {
    const std::optional<std::size_t> touched = m_History.Redo(account);
    if (touched) m_Known = SavedRecords(account);
    return touched;
}

bool AccountHistory::HasUnrecorded(const Account& account) const {
    return !DiffRecords(m_Known, SavedRecords(account)).empty();
}

std::optional<std::size_t> AccountHistory::RevertUnrecorded(Account& account) {
    UndoChange change;
    change.edits = DiffRecords(m_Known, SavedRecords(account));
    if (change.edits.empty()) return std::nullopt;
    const std::size_t first = change.edits.front().position;
    if (!ApplyUndoChange(account, change, UndoDirection::Backwards)) return std::nullopt;
    return first;
}
