#include "register_helpers.h"

#include <cstdio>
#include <cstring>

namespace e2e::reg {
namespace {

using namespace accounts;

constexpr char kTestAccountName[] = "Register Test";

template <typename T> T ValueAt(const std::vector<uint8_t>& bytes, size_t offset) {
    T value{};
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

std::string TextAt(const std::vector<uint8_t>& bytes, size_t offset, size_t width) {
    const char* text = reinterpret_cast<const char*>(bytes.data() + offset);
    return std::string(text, strnlen(text, width));
}

bool Handled(Program& app) { return app.WaitIdle(); }

// The focused field (or the dialog control, while one is up) gets the
// keyboard, with the program in front. Brought back to the front, the main
// window passes the focus on to the register field it keeps; the keys wait
// until it has.
bool KeyboardToFocus(Program& app) {
    HWND focus = FocusedWindow(app.MainWindow());
    return focus ? FocusControl(focus) : Activate(app.MainWindow()) && Handled(app);
}

}  // namespace

std::string OpenWrittenAccount(Program& app, const std::vector<Tx>& records) {
    return OpenWrittenAccount(app, records, "20260831");
}

std::string OpenWrittenAccount(Program& app, const std::vector<Tx>& records, const std::string& statementDate) {
    std::vector<std::vector<uint8_t>> blocks = {HeaderBlock(kTestAccountName, 0.0, statementDate)};
    for (const Tx& tx : records) blocks.push_back(RecordBlock(tx.date, tx.description, tx.payment, tx.deposit, tx.cleared));
    if (!WriteAccount(kFirstSlot, blocks)) return "the account file could not be written";
    if (!app.Start()) return "no main window\n" + app.DescribeWindows();
    const std::string opened = OpenFirstFromStartScreen(app, std::string("Ledgerpad - [") + kTestAccountName + "]");
    if (!opened.empty()) return opened;
    return Handled(app) ? "" : "the program did not settle";
}

std::vector<Tx> Numbered(int count) {
    std::vector<Tx> records;
    for (int i = 0; i < count; ++i) {
        char date[9];
        std::snprintf(date, sizeof date, "2026%02d%02d", 1 + i / 28, 1 + i % 28);
        records.push_back({.date = date, .description = "r" + std::to_string(i + 1), .payment = 1});
    }
    return records;
}

HWND FieldWindow(HWND main, int row, int field) {
    return GetDlgItem(main, kFirstFieldId + kFieldsPerRow * row + field);
}

bool RegisterFieldsMade(HWND main) { return main && GetDlgItem(main, kEndingBox) != nullptr; }

bool WaitForRegisterFields(const Program& app) {
    return WaitUntil([&] { return RegisterFieldsMade(app.MainWindow()); });
}

std::string FieldText(const Program& app, int row, int field) {
    return WindowText(FieldWindow(app.MainWindow(), row, field));
}

std::string BoxText(const Program& app, int id) { return ControlText(app.MainWindow(), id); }

Place FocusedPlace(const Program& app) {
    HWND focus = FocusedWindow(app.MainWindow());
    const int id = focus ? GetDlgCtrlID(focus) : 0;
    const int index = id - kFirstFieldId;
    if (index < 0 || index >= kRows * kFieldsPerRow) return {};
    return {index / kFieldsPerRow, index % kFieldsPerRow};
}

Place WaitForFocus(const Program& app, int row, int field) {
    Place now;
    WaitUntil([&] {
        now = FocusedPlace(app);
        return now == Place{row, field};
    });
    return now;
}

bool Type(Program& app, const std::string& text) {
    return KeyboardToFocus(app) && TypeText(text) && Handled(app);
}

bool Press(Program& app, WORD key, std::initializer_list<WORD> modifiers) {
    return KeyboardToFocus(app) && PressKey(key, modifiers) && Handled(app);
}

bool Click(Program& app, int row, int field) {
    HWND target = FieldWindow(app.MainWindow(), row, field);
    if (!target || !KeyboardToFocus(app)) return false;
    PostMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    PostMessageA(target, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    return Handled(app);
}

bool Wheel(Program& app, int delta) {
    HWND focus = FocusedWindow(app.MainWindow());
    if (!focus) return false;
    PostMessageA(focus, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta))), 0);
    return Handled(app);
}

HWND ScrollBar(const Program& app) {
    for (HWND child : ChildWindows(app.MainWindow()))
        if (ClassName(child) == "ScrollBar") return child;
    return nullptr;
}

bool Scroll(Program& app, int code, int position) {
    HWND bar = ScrollBar(app);
    if (!bar) return false;
    PostMessageA(app.MainWindow(), WM_VSCROLL, MAKEWPARAM(code, position), reinterpret_cast<LPARAM>(bar));
    return Handled(app);
}

std::optional<MessageBoxText> TakeMessage(Program& app, Duration timeout) {
    HWND box = WaitForMessageBox(app, timeout);
    if (!box) return std::nullopt;
    std::optional<MessageBoxText> text = ReadMessageBox(box);
    if (!ClickButton(box, IDOK) || !WaitGone(box)) return std::nullopt;
    Handled(app);
    return text;
}

bool NoMessage(Program& app) {
    Handled(app);
    return WaitForMessageBox(app, Duration(300)) == nullptr;
}

std::vector<Tx> StoredRecords() {
    const std::vector<uint8_t> file = FileBytes(kFirstSlot);
    std::vector<Tx> records;
    for (size_t at = 128; at + 128 <= file.size(); at += 128) {
        Tx tx;
        tx.cleared = file[at] == 'R';
        tx.date = TextAt(file, at + 2, 9);
        tx.num = TextAt(file, at + 15, 5);
        tx.description = TextAt(file, at + 22, 90);
        tx.payment = ValueAt<double>(file, at + 112);
        tx.deposit = ValueAt<double>(file, at + 120);
        records.push_back(tx);
    }
    return records;
}

std::string Descriptions(const std::vector<Tx>& records) {
    std::string out;
    for (const Tx& tx : records) out += (out.empty() ? "" : " ") + tx.description;
    return out;
}

}  // namespace e2e::reg
