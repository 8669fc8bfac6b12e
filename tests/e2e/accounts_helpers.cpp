#include "accounts_helpers.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>

namespace e2e::accounts {
namespace {

bool IsMessageBox(HWND window) { return ReadMessageBox(window).has_value(); }

template <typename T> void Put(std::vector<uint8_t>& block, size_t offset, const T& value) {
    std::memcpy(block.data() + offset, &value, sizeof value);
}

void PutText(std::vector<uint8_t>& block, size_t offset, size_t width, const std::string& text) {
    std::memcpy(block.data() + offset, text.data(), std::min(text.size(), width - 1));
}

// Year and day of the year of a YYYYMMDD text.
void YearAndDay(const std::string& date, uint16_t& year, uint16_t& day) {
    if (date.size() != 8) return;
    const int y = std::stoi(date.substr(0, 4));
    const int m = std::stoi(date.substr(4, 2));
    const int d = std::stoi(date.substr(6, 2));
    static const int kBefore[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    year = static_cast<uint16_t>(y);
    day = static_cast<uint16_t>(kBefore[m - 1] + d + (leap && m > 2 ? 1 : 0));
}

// A full field refuses the last keys without a visible change, so its text
// matching says nothing about whether they are still queued; they would land
// in whatever gets the focus next. Keys arrive in order: once a Home key has
// moved the caret, every key typed before it has been handled.
bool KeysArrived(HWND field) {
    auto caret = [&] {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return std::pair<DWORD, DWORD>{start, end};
    };
    const auto length = static_cast<DWORD>(SendMessageA(field, WM_GETTEXTLENGTH, 0, 0));
    if (length == 0) return true;
    // With Ctrl, Home and End reach the ends of a field of several lines too.
    return PressKey(VK_HOME, {VK_CONTROL}) && WaitUntil([&] { return caret() == std::pair<DWORD, DWORD>{0, 0}; }) &&
           PressKey(VK_END, {VK_CONTROL}) &&
           WaitUntil([&] { return caret() == std::pair<DWORD, DWORD>{length, length}; });
}

std::size_t TextLength(HWND field) { return static_cast<std::size_t>(SendMessageA(field, WM_GETTEXTLENGTH, 0, 0)); }

// Wine's X driver sets the modifier keys to what the display holds when a
// window of the program gains the display's focus; that can let a Shift
// go between two typed keys, and "Before1" arrives as "before1". A text
// that arrived otherwise than typed is typed again, as a user would.
constexpr int kTypingAttempts = 3;

// Replaces the focused field's text with `text`, typed as keys, and waits
// until the field holds `length` characters and every key has been
// handled. The text the field then holds (empty when the field does not
// give it away); nothing when the keys did not arrive.
std::optional<std::string> TypeInPlace(HWND field, const std::string& text, std::size_t length) {
    DWORD_PTR ignored;
    SendMessageTimeoutA(field, EM_SETSEL, 0, -1, SMTO_NORMAL, 5000, &ignored);
    if (!PressKey(VK_DELETE) || !WaitUntil([&] { return TextLength(field) == 0; })) return std::nullopt;
    // Keys are still on their way when TypeText returns; a button pressed
    // before they arrive would act on half the text.
    if (!text.empty() && !TypeText(text)) return std::nullopt;
    if (!WaitUntil([&] { return TextLength(field) == length; })) return std::nullopt;
    if (length != text.size() && !KeysArrived(field)) return std::nullopt;
    return WindowText(field);
}

}  // namespace

HWND WaitForDialogShowing(const Program& app, const char* caption, int id, const char* text, Duration timeout) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND dialog : TopLevelWindows(app.Id(), kDialogClass, caption)) {
                if (IsMessageBox(dialog) || !GetDlgItem(dialog, id)) continue;
                if (text && ControlText(dialog, id) != text) continue;
                found = dialog;
                return true;
            }
            return !app.Running();
        },
        timeout);
    return found;
}

HWND WaitForStartScreen(const Program& app, Duration timeout) {
    return WaitForDialogShowing(app, "", kRecentButton, nullptr, timeout);
}

HWND WaitForMessageBox(const Program& app, Duration timeout) {
    HWND box = nullptr;
    WaitUntil(
        [&] {
            for (HWND dialog : TopLevelWindows(app.Id(), kDialogClass)) {
                if (IsMessageBox(dialog)) {
                    box = dialog;
                    return true;
                }
            }
            return !app.Running();
        },
        timeout);
    return box;
}

bool WaitGone(HWND window, Duration timeout) {
    return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeout);
}

std::optional<MessageBoxText> AnswerMessageBox(const Program& app, int button) {
    HWND box = WaitForMessageBox(app);
    if (!box) return std::nullopt;
    std::optional<MessageBoxText> text = ReadMessageBox(box);
    if (!ClickButton(box, button) || !WaitGone(box)) return std::nullopt;
    return text;
}

bool TypeInto(HWND dialog, int id, const std::string& text) { return TypeInto(dialog, id, text, text); }

bool TypeInto(HWND dialog, int id, const std::string& text, const std::string& shown) {
    HWND field = GetDlgItem(dialog, id);
    if (!field || !FocusControl(field)) return false;
    for (int attempt = 0; attempt < kTypingAttempts; ++attempt) {
        std::optional<std::string> typed = TypeInPlace(field, text, shown.size());
        if (!typed) return false;
        if (*typed == shown) return true;
    }
    return false;
}

bool Press(const Program& app, HWND dialog, int id) {
    if (!ClickButton(dialog, id)) return false;
    return WaitUntil([&] {
        if (!IsWindow(dialog) || !IsWindowVisible(dialog)) return true;
        for (HWND window : TopLevelWindows(app.Id(), kDialogClass))
            if (IsMessageBox(window)) return true;
        return false;
    });
}

bool EnterPassword(Program& app, HWND dialog, const std::string& text, std::size_t taken) {
    HWND field = GetDlgItem(dialog, kPasswordField);
    if (!field || !FocusControl(field)) return false;
    for (int attempt = 0; attempt < kTypingAttempts; ++attempt) {
        std::optional<std::string> typed = TypeInPlace(field, text, taken);
        if (!typed) return false;
        // A masked field that does not give its text away is judged by
        // its length alone.
        if (typed->empty() || *typed == text.substr(0, taken))
            return app.WaitIdle() && TextLength(field) == taken && Press(app, dialog, IDOK);
    }
    return false;
}

bool EnterPassword(Program& app, HWND dialog, const std::string& text) {
    return EnterPassword(app, dialog, text, text.size());
}

bool HasFocus(HWND dialog, int id) {
    return WaitUntil([&] { return FocusedWindow(dialog) == GetDlgItem(dialog, id); });
}

std::string FillCreateDialogs(const Program& app, const std::string& name, const std::string& balance,
                              const std::string& date) {
    struct Step {
        const char* label;
        const std::string& text;
    };
    const Step steps[] = {{kNameLabel, name}, {kBalanceLabel, balance}, {kDateLabel, date}};
    for (const Step& step : steps) {
        HWND dialog = WaitForDialogShowing(app, kCreateCaption, kLabel, step.label);
        if (!dialog) return std::string("no dialog showing ") + step.label + "\n" + app.DescribeWindows();
        if (!TypeInto(dialog, kEntryField, step.text) ||
            !WaitUntil([&] { return ControlText(dialog, kEntryField) == step.text; }))
            return std::string("could not type into ") + step.label;
        if (!Press(app, dialog, IDOK)) return std::string("OK did not close ") + step.label;
        if (IsWindow(dialog) && IsWindowVisible(dialog)) {
            auto box = ReadMessageBox(WaitForMessageBox(app));
            return std::string("refused ") + step.label + " " + (box ? box->caption + ": " + box->text : "");
        }
    }
    std::optional<MessageBoxText> told = AnswerMessageBox(app);
    if (!told || told->caption != kCreateCaption) return "no \"outstanding transactions\" message";
    return "";
}

std::string CreateFromStartScreen(const Program& app, const std::string& name, const std::string& balance,
                                  const std::string& date) {
    HWND start = WaitForStartScreen(app);
    if (!start) return "no start screen\n" + app.DescribeWindows();
    if (!ClickButton(start, kCreateButton)) return "no Create button";
    return FillCreateDialogs(app, name, balance, date);
}

std::string OpenFirstFromStartScreen(const Program& app, const std::string& title) {
    HWND start = WaitForStartScreen(app);
    if (!start || !ClickButton(start, kOpenButton)) return "no start screen\n" + app.DescribeWindows();
    HWND chooser = WaitForDialogShowing(app, nullptr, kAccountList);
    if (!chooser || !ClickButton(chooser, IDOK)) return "no account chooser\n" + app.DescribeWindows();
    if (WaitForTitle(app.MainWindow(), title) != title) return "the account did not open\n" + app.DescribeWindows();
    return "";
}

std::string ShippedSampleFile(const std::string& name) {
    return ToWindowsPath(std::string(LEDGERPAD_SAMPLE_FOLDER) + "/" + name);
}

std::string AccountPath(const std::string& fileName) { return AccountsFolder() + fileName; }

std::vector<uint8_t> FileBytes(const std::string& fileName) {
    return ReadFileBytes(AccountPath(fileName)).value_or(std::vector<uint8_t>{});
}

std::vector<uint8_t> HeaderBlock(const std::string& name, double balance, const std::string& date) {
    std::vector<uint8_t> block(128, 0);
    block[0] = 0xFE;
    PutText(block, 2, 89, name);
    Put(block, 91, balance);
    PutText(block, 99, 9, date);
    uint16_t year = 0, day = 0;
    YearAndDay(date, year, day);
    Put(block, 108, year);
    Put(block, 110, day);
    return block;
}

std::vector<uint8_t> RecordBlock(const std::string& date, const std::string& description, double payment,
                                 double deposit, bool cleared) {
    std::vector<uint8_t> block(128, 0);
    if (cleared) block[0] = 'R';
    PutText(block, 2, 9, date);
    uint16_t year = 0, day = 0;
    YearAndDay(date, year, day);
    Put(block, 11, year);
    Put(block, 13, day);
    PutText(block, 22, 90, description);
    Put(block, 112, payment);
    Put(block, 120, deposit);
    return block;
}

bool WriteAccount(const std::string& fileName, const std::vector<std::vector<uint8_t>>& blocks) {
    std::vector<uint8_t> bytes;
    for (const auto& block : blocks) bytes.insert(bytes.end(), block.begin(), block.end());
    return WriteFileBytes(AccountPath(fileName), bytes);
}

std::string StoredName(const std::vector<uint8_t>& file) {
    if (file.size() < 91) return "";
    const char* name = reinterpret_cast<const char*>(file.data() + 2);
    return std::string(name, strnlen(name, 89));
}

std::string SystemErrorText(DWORD error) {
    char text[512] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                        error, 0, text, sizeof text, nullptr);
    std::string result(text, length);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r')) result.pop_back();
    return result;
}

UniqueHandle HoldFile(const std::string& path) {
    return UniqueHandle(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
}

std::string SaveDialogShot(HWND dialog, const std::string& name, uint32_t background) {
    POINT corner = {3, 3};
    if (!ClientToScreen(dialog, &corner)) return {};
    const bool painted = WaitUntil([&] {
        std::optional<Image> screen = CaptureScreen();
        return screen && corner.x < screen->width && corner.y < screen->height &&
               screen->Pixel(corner.x, corner.y) == background;
    });
    return painted ? SaveScreenshot(name, dialog) : std::string();
}

std::string WaitForTitle(HWND window, const std::string& title, Duration timeout) {
    std::string now;
    WaitUntil(
        [&] {
            now = WindowText(window);
            return now == title;
        },
        timeout);
    return now;
}

}  // namespace e2e::accounts
