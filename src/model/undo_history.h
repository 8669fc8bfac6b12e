// What can be taken back: each change to the open account's records, kept
// as the records' images (the file's own 128-byte layout) and the places
// they were, never as pointers into the list, so an entry stays valid
// whatever the list does meanwhile. Undo applies a change's steps backwards,
// redo forwards; a change either applies whole or not at all.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "model/account.h"

// One step of a change, as it was made. The position counts from the head
// of the list as it was just before this step.
struct RecordEdit {
    enum class Kind : unsigned char { Insert, Remove, Replace };
    Kind kind = Kind::Replace;
    std::size_t position = 0;
    AcctRecord before{};  // the record taken out or replaced
    AcctRecord after{};   // the record put in or put in its place
};

struct UndoChange {
    std::string name;  // what the Edit menu names, UTF-8: "Delete Transaction", ...
    std::vector<RecordEdit> edits;
};

// Builds a change step by step while it is made (or afterwards, in the order
// it was made).
class UndoChangeBuilder {
public:
    explicit UndoChangeBuilder(std::string name) { m_Change.name = std::move(name); }
    void Inserted(std::size_t position, const AcctRecord& record);
    void Removed(std::size_t position, const AcctRecord& record);
    // Records that are byte for byte the same are no step.
    void Replaced(std::size_t position, const AcctRecord& before, const AcctRecord& after);
    bool Empty() const { return m_Change.edits.empty(); }
    UndoChange Take() { return std::move(m_Change); }

private:
    UndoChange m_Change;
};

// Applies a change to account forwards (redo) or backwards (undo). Every
// step first checks that the list holds what the step expects there; when
// one does not (the list changed otherwise), the steps done so far are
// undone and nothing has changed. Returns the position of the record the
// change touched last (for the register to show), or nothing on refusal.
enum class UndoDirection { Backwards, Forwards };
std::optional<std::size_t> ApplyUndoChange(Account& account, const UndoChange& change, UndoDirection direction);

class UndoHistory {
public:
    // At least `changes` changes are kept; older ones go first. The images
    // of all kept changes stay under `bytes`, except the newest change,
    // which is always kept.
    static constexpr std::size_t kDefaultChanges = 100;
    static constexpr std::size_t kDefaultBytes = 64u * 1024 * 1024;
    explicit UndoHistory(std::size_t changes = kDefaultChanges, std::size_t bytes = kDefaultBytes)
        : m_Limit(changes), m_ByteLimit(bytes) {}

    // A new change: what was undone can no longer be redone.
    void Record(UndoChange change);
    void Clear();

    bool CanUndo() const { return !m_Done.empty(); }
    bool CanRedo() const { return !m_Undone.empty(); }
    // The change the next Undo / Redo takes; "" when there is none.
    const std::string& UndoName() const;
    const std::string& RedoName() const;

    // Takes back the last change (or does again the last one taken back)
    // and moves it to the other side; the position it touched, or nothing
    // when there is nothing to do or the account refused it (the entry then
    // stays where it was).
    std::optional<std::size_t> Undo(Account& account);
    std::optional<std::size_t> Redo(Account& account);

    std::size_t UndoCount() const { return m_Done.size(); }
    std::size_t RedoCount() const { return m_Undone.size(); }

private:
    void Trim();

    std::deque<UndoChange> m_Done;    // oldest first
    std::deque<UndoChange> m_Undone;  // the next to redo last
    std::size_t m_Limit;
    std::size_t m_ByteLimit;
    std::size_t m_Bytes = 0;
};

// The Edit menu's names of changes.
std::string TypingChangeName(const char* displayedDate, const char* description);

// The records of a list as its file holds them: head to tail, without the
// blank records at the end (the register's row for typing).
std::vector<AcctRecord> SavedRecords(const Account& account);

// Steps that turn the list `from` into the list `to`, as RecordEdits in the
// order they apply. Records the two share in order are left alone: a
// record typed over is one replacement, one moved by its new date a removal
// and an insertion, an import's additions insertions. Any list gives a
// correct script; lists that differ in scattered places give a short one.
std::vector<RecordEdit> DiffRecords(const std::vector<AcctRecord>& from, const std::vector<AcctRecord>& to);

// The open account's history, kept from what was saved: each save that
// succeeded records what changed since the last, under the name the
// command gave it or, for typing, the name of the row typed in.
class AccountHistory {
public:
    // Another account opened, created or closed: nothing to take back.
    void Reset(const Account& account);
    // The name of the change the next save records ("Delete Transaction").
    void NameNextChange(std::string name) { m_NextName = std::move(name); }
    // After a save that succeeded. displayDate turns a stored date into the
    // register's text for the typing name.
    void Saved(const Account& account, std::string (*displayDate)(const char* stored));

    bool CanUndo() const { return m_History.CanUndo(); }
    bool CanRedo() const { return m_History.CanRedo(); }
    const std::string& UndoName() const { return m_History.UndoName(); }
    const std::string& RedoName() const { return m_History.RedoName(); }
    std::optional<std::size_t> Undo(Account& account);
    std::optional<std::size_t> Redo(Account& account);

    // True when the list holds changes that no save has recorded yet.
    bool HasUnrecorded(const Account& account) const;
    // Puts the list back as it was recorded last (typing not yet saved is
    // taken back); the position of the first record it touched.
    std::optional<std::size_t> RevertUnrecorded(Account& account);

private:
    UndoHistory m_History;
    std::vector<AcctRecord> m_Known;  // the list as the history knows it
    std::string m_NextName;
};
