// Steps the register tests share: opening an account written record by
// record, reaching a row's field, typing and pressing keys into the field
// that has the focus, clicks and wheel turns posted to a field, answering
// the register's message boxes, and reading the records back from disk.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "accounts_helpers.h"
#include "driver.h"

namespace e2e::reg {

inline constexpr int kFirstFieldId = 1130;
inline constexpr int kFieldsPerRow = 7;
inline constexpr int kRows = 19;
inline constexpr int kOpeningBox = 1263;
inline constexpr int kEndingBox = 1264;
enum Field { R = 0, Date = 1, Num = 2, Desc = 3, Payment = 4, Deposit = 5, Balance = 6 };

inline constexpr int kCmdInsertDate = 1017;
inline constexpr int kCmdViewAll = 1011;
inline constexpr int kCmdViewCurrent = 1012;

// One transaction as the tests write and read it.
struct Tx {
    std::string date{};  // YYYYMMDD, "" for a blank record
    std::string description{};
    double payment = 0;
    double deposit = 0;
    bool cleared = false;
    std::string num{};  // read back only
};

// Writes LEDGR1.LPD (header "Register Test", statement balance 0) with
// these records and opens it from the start screen's Open Existing Account.
// Empty on success, else what went wrong.
std::string OpenWrittenAccount(Program& app, const std::vector<Tx>& records);
// The same with the header's statement date (the opening balance's date).
std::string OpenWrittenAccount(Program& app, const std::vector<Tx>& records, const std::string& statementDate);
// Records "r1".."rn", one a day from 1 January 2026, payments of 1.
std::vector<Tx> Numbered(int count);

HWND FieldWindow(HWND main, int row, int field);
// The register's fields are made once the start screen is painted: whether
// the last of them (the ending balance box) is there, and waiting for it.
bool RegisterFieldsMade(HWND main);
bool WaitForRegisterFields(const Program& app);
std::string FieldText(const Program& app, int row, int field);
std::string BoxText(const Program& app, int id);

struct Place {
    int row = -1;
    int field = -1;
    bool operator==(const Place&) const = default;
};
// The register field that has the keyboard focus now.
Place FocusedPlace(const Program& app);
// Waits until the focus is on (row, field); the place it ended on.
Place WaitForFocus(const Program& app, int row, int field);

// Keys go to the field that has the focus, as the user types; each returns
// once the program has handled them (or shows a message box).
bool Type(Program& app, const std::string& text);
bool Press(Program& app, WORD key, std::initializer_list<WORD> modifiers = {});
// A left click on a field, posted to it; returns once handled.
bool Click(Program& app, int row, int field);
// One wheel message to the focused field (negative: towards the user).
bool Wheel(Program& app, int delta);
// A scroll-bar action of the register's scroll bar.
bool Scroll(Program& app, int code, int position = 0);
HWND ScrollBar(const Program& app);

// The message box now showing, answered with OK; nothing when none came.
std::optional<MessageBoxText> TakeMessage(Program& app, Duration timeout = kTimeout);
// True when no message box shows up within a short while.
bool NoMessage(Program& app);

// The records of LEDGR1.LPD as stored.
std::vector<Tx> StoredRecords();
std::string Descriptions(const std::vector<Tx>& records);

}  // namespace e2e::reg
