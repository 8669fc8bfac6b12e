// Crash trials: ends Ledgerpad.exe with TerminateProcess at a random moment
// while it saves a change to an account of 50,000 records, then checks that
// the account file, its information file and the options file each hold
// byte for byte either what they held before the change or what the
// completed change writes, and that the program opens them again.
//
//   crash_trials --ledgerpad=<Ledgerpad.exe> [--trials=N] [--seed=S] [--shots=<folder>]
//
// Each kind of save first runs once to completion: that gives its old and
// new images and how long the save takes from the input that starts it to
// the last file replaced. The trials then kill the program at a delay drawn
// uniformly over 0 to 1.5 times that. Exit code 1 when any file is neither
// image or the program did not open them after a kill, 2 when the trials
// could not be run.
#include <windows.h>

#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "accounts_helpers.h"
#include "driver.h"
#include "filled_account.h"
#include "register_helpers.h"
#include "storage/account_image.h"

namespace {

using namespace e2e;
using namespace e2e::accounts;

constexpr std::size_t kTransactions = 50000;
constexpr char kAccountName[] = "Household Checking";
constexpr char kRenamedTo[] = "Renamed Checking";
constexpr char kOldPassword[] = "Before1";
constexpr char kNewPassword[] = "After22";
constexpr double kKillSpread = 1.5;  // kills land over 0..1.5x the save's duration
constexpr int kAttempts = 3;
constexpr int kCmdUndo = 1042;
constexpr int kCmdRestoreBackup = 1044;
constexpr int kRestoreList = 1501;         // a trial whose steps before the kill failed is run again

// ---- The three files ----------------------------------------------------------------

enum FileId { kAccountFile, kInfoFile, kOptionsFile, kFileCount };
constexpr const char* kFileNames[kFileCount] = {"account file", "information file", "options file"};

std::string PathOf(FileId file) {
    switch (file) {
    case kAccountFile: return AccountPath(kFirstSlot);
    case kInfoFile: return AccountPath("LEDGR1I.LPD");
    default: return OptionsFolder() + "Options.dta";
    }
}

using Bytes = std::optional<std::vector<uint8_t>>;  // nothing: no such file
using Files = std::array<Bytes, kFileCount>;

Files ReadFiles() {
    Files files;
    for (int f = 0; f < kFileCount; ++f) files[f] = ReadFileBytes(PathOf(FileId(f)));
    return files;
}

// Empty data folders holding exactly `files`: whatever a killed save left
// beside them (a temporary file) goes too.
bool RestoreFiles(const Files& files) {
    if (!ResetDataFolders()) return false;
    for (int f = 0; f < kFileCount; ++f)
        if (files[f] && !WriteFileBytes(PathOf(FileId(f)), *files[f])) return false;
    return true;
}

// ---- Time -------------------------------------------------------------------------------

double NowMs() {
    static const double perMs = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / perMs;
}

// Sleeps most of the way and spins the last two milliseconds: a sleep's
// granularity is a large part of an options file's save.
void WaitUntilMs(double at) {
    for (double left; (left = at - NowMs()) > 0;) {
        if (left > 2)
            Sleep(static_cast<DWORD>(left - 1));
        else
            std::this_thread::yield();
    }
}

// Watches the three files from a thread of its own and notes when each was
// last replaced. It asks for attributes only, never opens a file, so the
// program's replacing move cannot be disturbed.
class ReplacementWatch {
public:
    ReplacementWatch() {
        for (int f = 0; f < kFileCount; ++f) paths_[f] = PathOf(FileId(f));
        for (int f = 0; f < kFileCount; ++f) seen_[f] = Stamp(f);
        thread_ = std::thread([this] { Run(); });
    }
    ~ReplacementWatch() { Stop(); }

    void Stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }
    bool Replaced(FileId file) const { return changedAt_[file] > 0; }
    // When the last replacement was seen; 0 when none was.
    double LastChangeMs() const {
        double last = 0;
        for (const auto& at : changedAt_) last = std::max(last, at.load());
        return last;
    }

private:
    struct FileStamp {
        bool exists = false;
        FILETIME written{};
        DWORD sizeLow = 0;
        bool operator==(const FileStamp& o) const {
            return exists == o.exists && sizeLow == o.sizeLow &&
                   CompareFileTime(&written, &o.written) == 0;
        }
    };
    FileStamp Stamp(int f) const {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExA(paths_[f].c_str(), GetFileExInfoStandard, &data)) return {};
        return {true, data.ftLastWriteTime, data.nFileSizeLow};
    }
    void Run() {
        while (!stop_) {
            for (int f = 0; f < kFileCount; ++f) {
                const FileStamp now = Stamp(f);
                if (now == seen_[f]) continue;
                seen_[f] = now;
                changedAt_[f] = NowMs();
            }
            Sleep(0);
        }
    }

    std::array<std::string, kFileCount> paths_;
    std::array<FileStamp, kFileCount> seen_;
    std::array<std::atomic<double>, kFileCount> changedAt_{};
    std::atomic<bool> stop_ = false;
    std::thread thread_;
};

// ---- Working the program ----------------------------------------------------------------

std::string Title(const std::string& name) { return "Ledgerpad - [" + name + "]"; }

// Starts the program; its start screen, or null.
HWND StartToStartScreen(Program& app) { return app.Start() ? WaitForStartScreen(app) : nullptr; }

// From the start screen: the recent account, behind the password.
std::string OpenRecent(Program& app, HWND start, const std::string& password, const std::string& name) {
    if (!start || !ClickButton(start, kRecentButton)) return "no start screen\n" + app.DescribeWindows();
    HWND ask = WaitForDialogShowing(app, "Password", kPasswordField);
    if (!ask || !EnterPassword(app, ask, password)) return "no password prompt\n" + app.DescribeWindows();
    if (WaitForTitle(app.MainWindow(), Title(name)) != Title(name))
        return "the account did not open as \"" + name + "\"\n" + app.DescribeWindows();
    return app.WaitIdle() ? "" : "the program did not settle";
}

std::string StartAndOpen(Program& app) {
    return OpenRecent(app, StartToStartScreen(app), kOldPassword, kAccountName);
}

// The account every trial starts from: written by the program's own code,
// opened once by the program (which adds its information file) and
// protected with a password, then closed.
std::string MakeStartingFiles(Program& app, Files& files) {
    if (!ResetDataFolders()) return "could not empty the data folders";
    Account account;
    FillAccount(account, kTransactions);
    CopyFixedText(account.header.name, kAccountName);
    std::vector<unsigned char> image;
    BuildAccountImage(account, image);
    account.ClearAccount();
    if (!WriteFileBytes(AccountPath(kFirstSlot), image)) return "could not write the account";

    if (!app.Start()) return "no main window";
    if (std::string failed = OpenFirstFromStartScreen(app, Title(kAccountName)); !failed.empty()) return failed;
    if (!PostCommand(app.MainWindow(), kCmdCreatePassword)) return "no Create Password";
    for (const char* caption : {"Create Password", "Confirm Password"}) {
        HWND dialog = WaitForDialogShowing(app, caption, kPasswordField);
        if (!dialog || !TypeInto(dialog, kPasswordField, kOldPassword) || !Press(app, dialog, IDOK))
            return std::string("no dialog ") + caption + "\n" + app.DescribeWindows();
    }
    std::optional<MessageBoxText> told = AnswerMessageBox(app);
    if (!told || told->caption != "Password Set") return "the password was not set";
    if (!app.Stop()) return "the program did not close";
    files = ReadFiles();
    for (int f = 0; f < kFileCount; ++f)
        if (!files[f]) return std::string("no ") + kFileNames[f] + " after the first run";
    return "";
}

// A change that saves: the steps up to its last input, and that input.
struct SaveKind {
    const char* name;
    std::function<std::string(Program&, HWND& dialog)> prepare;
    std::function<bool(Program&, HWND dialog)> trigger;
    const char* password;  // the password once the change is saved
};

bool PressOk(Program&, HWND dialog) { return ClickButton(dialog, IDOK); }

HWND DialogAfter(Program& app, int command, const char* caption, int field) {
    if (!PostCommand(app.MainWindow(), command)) return nullptr;
    return WaitForDialogShowing(app, caption, field);
}

// The register opens at the end of the account, where the blank row waits.
std::string TypeRow(Program& app, HWND&) {
    int blank = -1;
    for (int row = reg::kRows - 1; row >= 0 && blank < 0; --row)
        if (reg::FieldText(app, row, reg::Date).empty() && reg::FieldText(app, row, reg::Desc).empty() &&
            (row == 0 || !reg::FieldText(app, row - 1, reg::Desc).empty()))
            blank = row;
    if (blank < 0) return "the register shows no blank row";
    if (!reg::Click(app, blank, reg::Date) || reg::WaitForFocus(app, blank, reg::Date) != reg::Place{blank, reg::Date})
        return "the blank row's date field did not take the focus";
    if (!reg::Type(app, "9/1/26\t\tCrash trial\t12.50")) return "could not type the row";
    if (reg::WaitForFocus(app, blank, reg::Payment) != reg::Place{blank, reg::Payment})
        return "the row was not typed up to its payment";
    // The description and payment as typed: a key that arrived otherwise
    // (a Shift let go) would save a row the completed change never wrote.
    if (reg::FieldText(app, blank, reg::Desc) != "Crash trial" || reg::FieldText(app, blank, reg::Payment) != "12.50")
        return "the row was not typed as given";
    return "";
}

std::string FillRename(Program& app, HWND& dialog) {
    dialog = DialogAfter(app, kCmdRename, "Rename Account", accounts::kNewName);
    if (!dialog) return "no Rename Account dialog";
    return TypeInto(dialog, accounts::kNewName, kRenamedTo) ? "" : "could not type the new name";
}

std::string FillInfo(Program& app, HWND& dialog) {
    dialog = DialogAfter(app, kCmdAccountInfo, "Checking Account Info", kInfoFirstField);
    if (!dialog) return "no Checking Account Info dialog";
    return TypeInto(dialog, kInfoFirstField, "Riverside Community Bank") ? "" : "could not type the bank";
}

std::string FillPasswordChange(Program& app, HWND& dialog) {
    HWND change = DialogAfter(app, kCmdChangePassword, "Change Password", kPasswordField);
    if (!change || !TypeInto(change, kPasswordField, kOldPassword) ||
        !TypeInto(change, kNewPasswordField, kNewPassword) || !Press(app, change, IDOK))
        return "no Change Password dialog";
    dialog = WaitForDialogShowing(app, "Confirm New Password", kPasswordField);
    if (!dialog) return "no Confirm New Password dialog\n" + app.DescribeWindows();
    return TypeInto(dialog, kPasswordField, kNewPassword) ? "" : "could not confirm the new password";
}

// A typed row saved in full: the change that Undo takes back, and the one
// whose first save of the day keeps a backup of the account as it was.
std::string TypeRowAndSave(Program& app, HWND& dialog) {
    if (std::string failed = TypeRow(app, dialog); !failed.empty()) return failed;
    const Bytes before = ReadFileBytes(PathOf(kAccountFile));
    if (!PressKey(VK_RETURN) || !app.WaitIdle(30s)) return "the typed row was not entered";
    return ReadFileBytes(PathOf(kAccountFile)) != before ? "" : "the typed row was not saved";
}

// Restore from Backup up to its question: the backup of the account as it
// was before the typed row, chosen in the list.
std::string AskRestore(Program& app, HWND& dialog) {
    if (std::string failed = TypeRowAndSave(app, dialog); !failed.empty()) return failed;
    HWND list = DialogAfter(app, kCmdRestoreBackup, "Restore from Backup", kRestoreList);
    if (!list) return "no Restore from Backup dialog\n" + app.DescribeWindows();
    if (SendMessageA(GetDlgItem(list, kRestoreList), LB_GETCOUNT, 0, 0) != 1) return "not one backup in the list";
    if (!ClickButton(list, IDOK)) return "Restore could not be pressed";
    dialog = WaitForMessageBox(app);
    if (!dialog || WindowText(dialog) != "Restore from Backup") return "no question before the restore\n" + app.DescribeWindows();
    return "";
}

const SaveKind kKinds[] = {
    {"typed row", TypeRow, [](Program&, HWND) { return PressKey(VK_RETURN); }, kOldPassword},
    {"undo", TypeRowAndSave, [](Program& app, HWND) { return PostCommand(app.MainWindow(), kCmdUndo); },
     kOldPassword},
    {"restore", AskRestore, [](Program&, HWND question) { return ClickButton(question, IDYES); }, kOldPassword},
    {"rename", FillRename, PressOk, kOldPassword},
    {"account information", FillInfo, PressOk, kOldPassword},
    {"password change", FillPasswordChange, PressOk, kNewPassword},
};
constexpr int kKindCount = sizeof kKinds / sizeof kKinds[0];

// ---- Calibration: one change of each kind run to completion -----------------------------------

struct Calibrated {
    Files before;
    Files after;
    FileId changed = kAccountFile;  // the one file the change rewrites with new bytes
    double saveMs = 0;
};

std::string Calibrate(Program& app, const Files& start, const SaveKind& kind, Calibrated& out) {
    if (!RestoreFiles(start)) return "could not restore the files";
    if (std::string failed = StartAndOpen(app); !failed.empty()) return failed;
    HWND dialog = nullptr;
    if (std::string failed = kind.prepare(app, dialog); !failed.empty()) return failed;
    out.before = ReadFiles();
    ReplacementWatch watch;
    const double input = NowMs();
    if (!kind.trigger(app, dialog)) return "the last input could not be given";
    // The save ends with a file replaced and the program back in a message
    // loop (its own or a message box's).
    if (!WaitUntil([&] { return watch.LastChangeMs() > 0; }, 30s)) return "no file was replaced";
    if (!app.WaitIdle(30s)) return "the program did not settle after the save";
    watch.Stop();
    out.saveMs = watch.LastChangeMs() - input;
    out.after = ReadFiles();
    app.Kill();  // a close would save the options once more
    int changes = 0;
    for (int f = 0; f < kFileCount; ++f) {
        if (out.before[f] == out.after[f]) continue;
        out.changed = FileId(f);
        ++changes;
    }
    if (changes != 1) return "the change rewrote " + std::to_string(changes) + " files with new bytes, not one";
    return "";
}

// ---- Trials ------------------------------------------------------------------------------

enum Outcome { kOld, kNew, kDamaged, kOutcomeCount };
constexpr const char* kOutcomeNames[kOutcomeCount] = {"old", "new", "damaged"};

struct Counts {
    std::array<int, kOutcomeCount> n{};
    int Total() const { return n[kOld] + n[kNew] + n[kDamaged]; }
    std::string Text() const {
        return std::to_string(n[kOld]) + " old, " + std::to_string(n[kNew]) + " new, " +
               std::to_string(n[kDamaged]) + " damaged";
    }
};

struct KindTally {
    Counts trials;
    int notReopened = 0;
    double latestKillMs = 0;
};

Outcome Compare(const Bytes& now, const Bytes& before, const Bytes& after) {
    if (now == before) return kOld;
    if (now == after) return kNew;
    return kDamaged;
}

void SaveDamaged(const Bytes& bytes, int trial, FileId file) {
    if (!bytes) return;
    const std::string path = ToWindowsPath(GetSettings().shots) + "\\damaged-" + std::to_string(trial) + "-" +
                             std::to_string(file) + ".bin";
    WriteFileBytes(path, *bytes);
    std::printf("  kept as %s\n", path.c_str());
}

struct Trial {
    int number = 0;
    const SaveKind* kind = nullptr;
    const Calibrated* calibrated = nullptr;
    double killAtMs = 0;
};

struct TrialResult {
    Outcome outcome = kOld;
    std::array<Outcome, kFileCount> files{};
    bool reopened = false;
    bool movedAfterKill = false;  // a file was replaced after the kill was reported
};

// Up to the kill; false when a step before the last input failed (nothing
// was saved yet, the trial can be run again).
bool KillDuringSave(Program& app, const Files& start, const Trial& trial, std::string& failed) {
    if (!RestoreFiles(start)) {
        failed = "could not restore the files";
        return false;
    }
    failed = StartAndOpen(app);
    HWND dialog = nullptr;
    if (failed.empty()) failed = trial.kind->prepare(app, dialog);
    if (!failed.empty()) {
        app.Kill();
        return false;
    }
    const double input = NowMs();
    if (!trial.kind->trigger(app, dialog)) {
        failed = "the last input could not be given";
        app.Kill();
        return false;
    }
    WaitUntilMs(input + trial.killAtMs);
    TerminateProcess(app.Handle(), 1);
    app.WaitForExit();
    return true;
}

TrialResult Judge(Program& app, const Trial& trial) {
    const Calibrated& c = *trial.calibrated;
    const Files atKill = ReadFiles();
    // The files are judged again once the next copy shows its start screen:
    // Wine reports a killed process ended while the system call it was in
    // (a replacing move) may still complete.
    HWND start = StartToStartScreen(app);
    const Files now = ReadFiles();
    TrialResult result;
    result.movedAfterKill = now != atKill;
    for (int f = 0; f < kFileCount; ++f) {
        const Outcome first = Compare(atKill[f], c.before[f], c.after[f]);
        result.files[f] = first == kDamaged ? kDamaged : Compare(now[f], c.before[f], c.after[f]);
        if (result.files[f] != kDamaged) continue;
        std::printf("trial %d (%s, killed %.2f ms after the input): the %s is neither image (%zu bytes)\n",
                    trial.number, trial.kind->name, trial.killAtMs, kFileNames[f],
                    first == kDamaged ? (atKill[f] ? atKill[f]->size() : 0) : (now[f] ? now[f]->size() : 0));
        SaveDamaged(first == kDamaged ? atKill[f] : now[f], trial.number, FileId(f));
    }
    // A file the change does not alter is "old" and "new" at once: the
    // trial is judged by the file it changes.
    result.outcome = kDamaged;
    bool damaged = false;
    for (Outcome o : result.files) damaged = damaged || o == kDamaged;
    if (!damaged) result.outcome = result.files[c.changed];

    // The next start opens what is on disk: the name in the account file,
    // behind the password in the options file.
    const bool newPassword = c.changed == kOptionsFile && result.outcome == kNew;
    const std::string name = now[kAccountFile] ? StoredName(*now[kAccountFile]) : "";
    const std::string failed = OpenRecent(app, start, newPassword ? trial.kind->password : kOldPassword, name);
    result.reopened = failed.empty();
    if (!result.reopened) {
        std::printf("trial %d (%s, killed %.2f ms after the input): the next start failed: %s\n", trial.number,
                    trial.kind->name, trial.killAtMs, failed.c_str());
        SaveScreenshot("crash-trial-" + std::to_string(trial.number));
    }
    if (app.Running() && !app.Stop()) {
        std::printf("trial %d (%s): the program did not close after the restart\n", trial.number, trial.kind->name);
        result.reopened = false;
    }
    return result;
}

struct Options {
    int trials = 25;
    unsigned long long seed = 0;
    bool haveSeed = false;
};

Options ReadArguments(int argc, char** argv, Settings& settings) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        auto value = [&](std::string_view key) -> std::optional<std::string> {
            if (!arg.starts_with(key)) return std::nullopt;
            return std::string(arg.substr(key.size()));
        };
        if (auto v = value("--ledgerpad=")) settings.program = *v;
        if (auto v = value("--shots=")) settings.shots = *v;
        if (auto v = value("--trials=")) options.trials = std::max(1, std::atoi(v->c_str()));
        if (auto v = value("--seed=")) {
            options.seed = std::strtoull(v->c_str(), nullptr, 10);
            options.haveSeed = true;
        }
    }
    if (settings.shots.empty()) settings.shots = "screenshots";
    if (!options.haveSeed) options.seed = static_cast<unsigned long long>(NowMs() * 1000.0);
    return options;
}

int Run(const Options& options) {
    Program app;
    if (HWND other = FindTopLevel(0, kMainClass)) {
        std::printf("crash_trials: another Ledgerpad is running in this Wine prefix (process %lu)\n",
                    ProcessOf(other));
        return 2;
    }
    Files start;
    if (std::string failed = MakeStartingFiles(app, start); !failed.empty()) {
        std::printf("crash_trials: could not make the starting files: %s\n", failed.c_str());
        return 2;
    }
    std::printf("account of %zu records (%zu bytes); seed %llu\n", kTransactions, start[kAccountFile]->size(),
                options.seed);

    std::array<Calibrated, kKindCount> calibrated;
    for (int k = 0; k < kKindCount; ++k) {
        if (std::string failed = Calibrate(app, start, kKinds[k], calibrated[k]); !failed.empty()) {
            std::printf("crash_trials: %s, run to completion: %s\n", kKinds[k].name, failed.c_str());
            return 2;
        }
        std::printf("%-20s rewrites the %s; the save took %.1f ms after the input\n", kKinds[k].name,
                    kFileNames[calibrated[k].changed], calibrated[k].saveMs);
    }
    std::fflush(stdout);

    std::mt19937_64 random(options.seed);
    std::array<KindTally, kKindCount> byKind;
    std::array<Counts, kFileCount> byFile;
    Counts all;
    int notReopened = 0;
    int movedAfterKill = 0;
    const double begun = NowMs();
    for (int t = 0; t < options.trials; ++t) {
        const int k = t % kKindCount;
        Trial trial{t + 1, &kKinds[k], &calibrated[k], 0};
        std::uniform_real_distribution<double> delay(0, kKillSpread * calibrated[k].saveMs);
        trial.killAtMs = delay(random);
        std::string failed;
        int attempt = 1;
        while (!KillDuringSave(app, start, trial, failed)) {
            if (++attempt > kAttempts) {
                std::printf("crash_trials: trial %d (%s) could not be run: %s\n", trial.number, trial.kind->name,
                            failed.c_str());
                SaveScreenshot("crash-trial-" + std::to_string(trial.number));
                return 2;
            }
        }
        const TrialResult result = Judge(app, trial);
        KindTally& tally = byKind[k];
        ++tally.trials.n[result.outcome];
        tally.latestKillMs = std::max(tally.latestKillMs, trial.killAtMs);
        ++all.n[result.outcome];
        // Per file: its outcome in the trials that change it, and any damage
        // to it in the others.
        const FileId changed = calibrated[k].changed;
        ++byFile[changed].n[result.files[changed]];
        for (int f = 0; f < kFileCount; ++f)
            if (f != changed && result.files[f] == kDamaged) ++byFile[f].n[kDamaged];
        if (result.movedAfterKill) ++movedAfterKill;
        if (!result.reopened) {
            ++tally.notReopened;
            ++notReopened;
        }
        if ((t + 1) % 50 == 0 && t + 1 < options.trials) {
            std::printf("%d trials: %s\n", t + 1, all.Text().c_str());
            std::fflush(stdout);
        }
    }

    std::printf("\n");
    for (int k = 0; k < kKindCount; ++k) {
        const KindTally& tally = byKind[k];
        std::printf("%-20s %4d trials: %s; killed 0-%.1f ms after the input (save %.1f ms); %d did not reopen\n",
                    kKinds[k].name, tally.trials.Total(), tally.trials.Text().c_str(), tally.latestKillMs,
                    calibrated[k].saveMs, tally.notReopened);
    }
    for (int f = 0; f < kFileCount; ++f)
        std::printf("%-20s %4d trials that change it: %s\n", kFileNames[f], byFile[f].Total(),
                    byFile[f].Text().c_str());
    std::printf("%.1f s a trial; in %d trials a file was replaced after the kill was reported\n",
                (NowMs() - begun) / 1000.0 / options.trials, movedAfterKill);
    if (notReopened > 0) std::printf("%d trials: the next start did not open the files\n", notReopened);
    std::printf("%d trials: %s\n", all.Total(), all.Text().c_str());
    return all.n[kDamaged] > 0 || notReopened > 0 ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    Settings& settings = GetSettings();
    const Options options = ReadArguments(argc, argv, settings);
    if (!FileExists(ToWindowsPath(settings.program))) {
        std::printf("crash_trials: no program to test; pass --ledgerpad=<path of Ledgerpad.exe>\n");
        return 2;
    }
    // Typing into the program attaches this thread's input to its thread.
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    const int rc = Run(options);
    std::fflush(stdout);
    return rc;
}
