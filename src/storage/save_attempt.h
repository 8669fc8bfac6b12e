// One user action, one attempt to save. A command, a key or click in the
// register, or closing the program may reach the save more than once (the
// checks before a command save, then the command saves); once a save has
// failed within the action, the later ones fail at once, without a second
// message, since nothing the action does in between makes the file
// writable. The failure stays recorded in the scope, so that the action
// can stop, and a scope may keep it from the user altogether when its
// caller words its own message (the question before quitting).
#pragma once

#include <string>

// What a failed save could not write, and why.
struct SaveFailure {
    std::string file;         // full path of the file that was not written
    unsigned long error = 0;  // the system's error code of the failed step
};

// What a save came to. The window that asked turns it into its message
// (ui/storage_messages.h): "Error Saving File" for Failed only.
enum class SaveResult {
    Saved,
    Failed,        // recorded in the action, and the user is to be told
    FailedUntold,  // recorded; told already in this action, or kept by its caller
    NoAccount,     // no account is open: nothing was written
};

class SaveAttempt {
public:
    enum class Report {
        Show,  // the user sees "Error Saving File"; joins an action under way
        Keep,  // no message: the caller tells the user
    };

    explicit SaveAttempt(Report report = Report::Show);
    ~SaveAttempt();
    SaveAttempt(const SaveAttempt&) = delete;
    SaveAttempt& operator=(const SaveAttempt&) = delete;

    bool Failed() const { return m_Failed; }
    const SaveFailure& Failure() const { return m_Failure; }

    // For the saves: false once a save of the current action has failed.
    static bool MayTry();
    // Records a failed save in the current action; true when the user is
    // to see the message (always true outside any action).
    static bool Record(const std::string& file, unsigned long error);
    // Record as the result of the failed save: Failed when it is to be told.
    static SaveResult RecordFailure(const std::string& file, unsigned long error) {
        return Record(file, error) ? SaveResult::Failed : SaveResult::FailedUntold;
    }

private:
    Report m_Report;
    bool m_Active = false;  // false when a Show scope joined an outer action
    bool m_Failed = false;
    SaveFailure m_Failure;
    SaveAttempt* m_Outer = nullptr;
};

// The question before quitting with a change that could not be saved; the
// reason is the system's text, its own final full stop left out.
std::string QuitAnywayQuestion(const std::string& file, std::string reason);
