// The password rules with scripted dialogs: every dialog shown and every
// box, in order, and what ends up stored and saved.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "features/password.h"
#include "ui/dialog_ids.h"

namespace {

// One scripted dialog: what the user leaves in the field(s) and the button.
struct Step {
    int result;
    std::string first;   // the entry (the old password in dialog 18)
    std::string second = {};  // dialog 18: the new password
};

class ScriptedPrompts : public PasswordPrompts {
public:
    std::deque<Step> dialogs;     // consumed by the dialogs in order
    std::deque<int> boxAnswers;   // consumed by boxes that ask (Retry/Cancel, Yes/No)
    std::vector<std::string> log; // "dlg13 shown='ab'", "box Password Set: ..."

    int NewPassword(HWND__*, int number, PasswordText& text) override {
        return Exchange("dlg" + std::to_string(number), text, nullptr);
    }
    int EnterPassword(HWND__*, int number, PasswordText& text) override {
        return Exchange("dlg" + std::to_string(number), text, nullptr);
    }
    int PasswordIncorrect(HWND__*) override {
        log.push_back("dlg16");
        return Next().result;
    }
    int OldAndNewPassword(HWND__*, PasswordText& oldPw, PasswordText& newPw) override {
        return Exchange("dlg18", oldPw, &newPw);
    }
    int Message(HWND__*, const char* text, const char* title, unsigned type) override {
        log.push_back(std::string("box ") + title + ": " + text);
        lastType = type;
        if (type & 0x0F) {  // a question: take the scripted answer
            int answer = boxAnswers.front();
            boxAnswers.pop_front();
            return answer;
        }
        return 1;
    }
    unsigned lastType = 0;

private:
    Step Next() {
        if (dialogs.empty()) {
            ADD_FAILURE() << "a dialog was shown that the script does not expect";
            return {kPasswordDialogCancel, "", ""};
        }
        Step step = dialogs.front();
        dialogs.pop_front();
        return step;
    }
    // The dialog hands back the whole text left in its field(s).
    int Exchange(const std::string& name, PasswordText& first, PasswordText* second) {
        log.push_back(name + " shown='" + first + "'" + (second ? " new='" + *second + "'" : ""));
        Step step = Next();
        if (step.result == kPasswordDialogOk) {
            first = step.first;
            if (second) *second = step.second;
        }
        return step.result;
    }
};

class MemoryStore : public PasswordStore {
public:
    std::string stored;
    int saves = 0;
    bool saveWorks = true;
    std::string Get() const override { return stored; }
    void Set(const char* password) override { stored = password; }
    void Clear() override { stored.clear(); }
    bool Save() override {
        ++saves;
        return saveWorks;
    }
};

// One case's prompts and store: the stored password, the dialogs and the
// answers to the boxes that ask.
struct Script {
    Script(const std::string& stored, const std::deque<Step>& dialogs, const std::deque<int>& answers) {
        store.stored = stored;
        prompts.dialogs = dialogs;
        prompts.boxAnswers = answers;
    }
    ScriptedPrompts prompts;
    MemoryStore store;
    Password password{prompts, store};
};

constexpr int kOk = kPasswordDialogOk;
constexpr int kCancel = kPasswordDialogCancel;

class PasswordTest : public ::testing::Test {
protected:
    ScriptedPrompts prompts;
    MemoryStore store;
    Password password{prompts, store};

    std::string Box(const char* title, const char* text) { return std::string("box ") + title + ": " + text; }
};

TEST_F(PasswordTest, OnCommandRoutesTheThreeCommandsAndReturnsOthers) {
    store.stored = "";
    EXPECT_EQ(password.OnCommand(nullptr, kChangePasswordCommand), 0);
    EXPECT_EQ(password.OnCommand(nullptr, kRemovePasswordCommand), 0);
    store.stored = "pw";
    EXPECT_EQ(password.OnCommand(nullptr, kCreatePasswordCommand), 0);
    EXPECT_EQ(password.OnCommand(nullptr, 1038), 1038);
    EXPECT_EQ(prompts.log, (std::vector<std::string>{
                               Box(kPasswordProtectTitle, kNoPasswordToChangeText),
                               Box(kPasswordProtectTitle, kNoPasswordToRemoveText),
                               Box(kPasswordProtectTitle, kAlreadyHavePasswordText),
                           }));
    EXPECT_EQ(store.saves, 0);
}

TEST_F(PasswordTest, CreateStoresAndSavesAfterMatchingConfirmation) {
    prompts.dialogs = {{kOk, "Secret1"}, {kOk, "Secret1"}};
    password.CreatePassword(nullptr);
    EXPECT_EQ(store.stored, "Secret1");
    EXPECT_EQ(store.saves, 1);
    EXPECT_EQ(prompts.log, (std::vector<std::string>{"dlg13 shown=''", "dlg14 shown=''",
                                                      Box(kPasswordSetTitle, kPasswordSetText)}));
    EXPECT_TRUE(password.HasPassword());
}

TEST_F(PasswordTest, CreateLoopsOnMismatchAndOnCancelledConfirmation) {
    prompts.dialogs = {
        {kOk, "abc"}, {kOk, "abd"},     // mismatch
        {kOk, "abc"}, {kCancel, ""},    // confirmation cancelled: back to the first
        {kOk, "xyz"}, {kOk, "xyz"},
    };
    password.CreatePassword(nullptr);
    EXPECT_EQ(prompts.log, (std::vector<std::string>{
                               "dlg13 shown=''", "dlg14 shown=''",
                               Box(kPasswordIncorrectTitle, kPasswordsDoNotMatchText),
                               "dlg13 shown='abc'", "dlg14 shown=''",
                               "dlg13 shown='abc'", "dlg14 shown=''",
                               Box(kPasswordSetTitle, kPasswordSetText),
                           }));
    EXPECT_EQ(store.stored, "xyz");
}

TEST_F(PasswordTest, CreateCancelledChangesNothing) {
    prompts.dialogs = {{kOk, "abc"}, {kCancel, ""}, {kCancel, ""}};
    password.CreatePassword(nullptr);
    EXPECT_EQ(store.stored, "");
    EXPECT_EQ(store.saves, 0);
}

TEST_F(PasswordTest, ConfirmationThatDiffersOnlyInCaseIsRefused) {
    prompts.dialogs = {{kOk, "Secret"}, {kOk, "secret"}, {kCancel, ""}};
    password.CreatePassword(nullptr);
    EXPECT_EQ(store.stored, "");
    EXPECT_EQ(prompts.log[2], Box(kPasswordIncorrectTitle, kPasswordsDoNotMatchText));
}

TEST_F(PasswordTest, ChangeChecksOldPasswordThenConfirmsNewOne) {
    store.stored = "old";
    prompts.dialogs = {
        {kOk, "OLD", "new1"},            // wrong old password (case): Retry
        {kOk, "old", "new1"}, {kOk, "new2"},  // confirmation differs
        {kOk, "old", "new1"}, {kCancel, ""},  // confirmation cancelled
        {kOk, "old", "new1"}, {kOk, "new1"},
    };
    prompts.boxAnswers = {pwbox::kAnswerRetry};
    password.ChangePassword(nullptr);
    EXPECT_EQ(prompts.log, (std::vector<std::string>{
                               "dlg18 shown='' new=''",
                               Box(kPasswordIncorrectTitle, kOldPasswordWrongText),
                               "dlg18 shown='OLD' new='new1'", "dlg19 shown=''",
                               Box(kPasswordIncorrectTitle, kPasswordsDoNotMatchText),
                               "dlg18 shown='old' new='new1'", "dlg19 shown=''",
                               "dlg18 shown='old' new='new1'", "dlg19 shown=''",
                               Box(kNewPasswordSetTitle, kNewPasswordSetText),
                           }));
    EXPECT_EQ(store.stored, "new1");
    EXPECT_EQ(store.saves, 1);
}

TEST_F(PasswordTest, ChangeWithWrongOldPasswordAndCancelKeepsThePassword) {
    store.stored = "old";
    prompts.dialogs = {{kOk, "bad", "new"}};
    prompts.boxAnswers = {pwbox::kAnswerCancel};
    password.ChangePassword(nullptr);
    EXPECT_EQ(store.stored, "old");
    EXPECT_EQ(store.saves, 0);
    EXPECT_EQ(prompts.lastType & 0x0F, pwbox::kRetryCancel);
}

TEST_F(PasswordTest, RemoveAsksForPasswordThenYesNo) {
    struct Case {
        const char* name;
        std::deque<Step> dialogs;
        std::deque<int> answers;
        const char* storedAfter;
        int saves;
    };
    const Case cases[] = {
        {"yes removes", {{kOk, "pw"}}, {pwbox::kAnswerYes}, "", 1},
        {"no keeps", {{kOk, "pw"}}, {pwbox::kAnswerNo}, "pw", 0},
        {"cancel keeps", {{kCancel, ""}}, {}, "pw", 0},
        {"wrong then cancel keeps", {{kOk, "PW"}}, {pwbox::kAnswerCancel}, "pw", 0},
        {"wrong, retry, right, yes", {{kOk, "p"}, {kOk, "pw"}}, {pwbox::kAnswerRetry, pwbox::kAnswerYes}, "", 1},
    };
    for (const Case& c : cases) {
        Script script("pw", c.dialogs, c.answers);
        script.password.RemovePassword(nullptr);
        const ScriptedPrompts& p = script.prompts;
        const MemoryStore& s = script.store;
        EXPECT_EQ(s.stored, c.storedAfter) << c.name;
        EXPECT_EQ(s.saves, c.saves) << c.name;
        EXPECT_TRUE(p.dialogs.empty() && p.boxAnswers.empty()) << c.name << ": script not used up";
        if (c.saves) {
            EXPECT_EQ(p.log.back(), Box(kRemovePasswordTitle, kPasswordRemovedText)) << c.name;
        }
    }
}

TEST_F(PasswordTest, RemoveAsksTheQuestionWithYesAndNo) {
    store.stored = "pw";
    prompts.dialogs = {{kOk, "pw"}};
    prompts.boxAnswers = {pwbox::kAnswerNo};
    password.RemovePassword(nullptr);
    ASSERT_EQ(prompts.log.size(), 2u);
    EXPECT_EQ(prompts.log[0], "dlg17 shown=''");
    EXPECT_EQ(prompts.log[1], Box(kRemovePasswordTitle, kRemovePasswordQuestion));
    EXPECT_EQ(prompts.lastType & 0x0F, pwbox::kYesNo);
}

TEST_F(PasswordTest, AskPasswordResults) {
    struct Case {
        const char* name;
        const char* stored;
        std::deque<Step> dialogs;
        int expected;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {"no password", "", {}, kPasswordAccepted, {}},
        {"right", "Pw", {{kOk, "Pw"}}, kPasswordAccepted, {"dlg15 shown=''"}},
        {"cancel", "Pw", {{kCancel, ""}}, kPasswordCancelled, {"dlg15 shown=''"}},
        {"wrong case then quit", "Pw", {{kOk, "pw"}, {kPasswordDialogQuit, ""}}, kPasswordGiveUp,
         {"dlg15 shown=''", "dlg16"}},
        {"empty entry is wrong", "Pw", {{kOk, ""}, {kPasswordDialogQuit, ""}}, kPasswordGiveUp,
         {"dlg15 shown=''", "dlg16"}},
        {"retry asks again with an empty field", "Pw",
         {{kOk, "x"}, {kPasswordDialogRetry, ""}, {kOk, "Pw"}}, kPasswordAccepted,
         {"dlg15 shown=''", "dlg16", "dlg15 shown=''"}},
    };
    for (const Case& c : cases) {
        Script script(c.stored, c.dialogs, {});
        EXPECT_EQ(script.password.AskPassword(nullptr), c.expected) << c.name;
        EXPECT_EQ(script.prompts.log, c.log) << c.name;
        EXPECT_EQ(script.store.saves, 0) << c.name;
    }
}

TEST_F(PasswordTest, EightCharacterPasswordIsKeptWhole) {
    prompts.dialogs = {{kOk, "12345678"}, {kOk, "12345678"}};
    password.CreatePassword(nullptr);
    EXPECT_EQ(store.stored, "12345678");
    ScriptedPrompts ask;
    ask.dialogs = {{kOk, "12345678"}};
    EXPECT_EQ(Password(ask, store).AskPassword(nullptr), kPasswordAccepted);
}

// A text that only starts with the password is not the password, at every
// prompt that checks one.
TEST_F(PasswordTest, AnEntryLongerThanThePasswordIsRefusedEverywhere) {
    const std::string longer = "abcdefghXYZ";
    struct Case {
        const char* name;
        void (*run)(Password&);
        std::deque<Step> dialogs;
        std::deque<int> answers;
        std::string refusal;
    };
    const Case cases[] = {
        {"start-up", [](Password& p) { EXPECT_EQ(p.AskPassword(nullptr), kPasswordGiveUp); },
         {{kOk, longer}, {kPasswordDialogQuit, ""}}, {}, "dlg16"},
        {"remove", [](Password& p) { p.RemovePassword(nullptr); }, {{kOk, longer}}, {pwbox::kAnswerCancel},
         Box(kPasswordIncorrectTitle, kPasswordWrongText)},
        {"change", [](Password& p) { p.ChangePassword(nullptr); }, {{kOk, longer, "new"}}, {pwbox::kAnswerCancel},
         Box(kPasswordIncorrectTitle, kOldPasswordWrongText)},
    };
    for (const Case& c : cases) {
        Script script("abcdefgh", c.dialogs, c.answers);
        c.run(script.password);
        const ScriptedPrompts& p = script.prompts;
        const MemoryStore& s = script.store;
        ASSERT_EQ(p.log.size(), 2u) << c.name;
        EXPECT_EQ(p.log[1], c.refusal) << c.name;
        EXPECT_EQ(s.stored, "abcdefgh") << c.name;
        EXPECT_EQ(s.saves, 0) << c.name;
    }
}

TEST_F(PasswordTest, AConfirmationLongerThanTheFirstEntryDoesNotMatch) {
    prompts.dialogs = {{kOk, "abcdefgh"}, {kOk, "abcdefghXYZ"}, {kCancel, ""}};
    password.CreatePassword(nullptr);
    EXPECT_EQ(prompts.log[2], Box(kPasswordIncorrectTitle, kPasswordsDoNotMatchText));
    EXPECT_EQ(store.stored, "");
}

TEST(PasswordLength, OneToEightCharacters) {
    const struct {
        const char* text;
        bool allowed;
    } cases[] = {{"", false}, {"a", true}, {"abcdefgh", true}, {"abcdefghX", false}, {"abcdefghXYZ", false}};
    for (const auto& c : cases) EXPECT_EQ(IsPasswordLength(c.text), c.allowed) << c.text;
}

TEST_F(PasswordTest, FailedSaveIsToldInsteadOfSuccess) {
    store.saveWorks = false;
    prompts.dialogs = {{kOk, "abc"}, {kOk, "abc"}};
    password.CreatePassword(nullptr);
    EXPECT_EQ(prompts.log.back(), Box(kOptionsSaveErrorTitle, kOptionsSaveErrorText));
    // Kept in memory: the save at exit writes it.
    EXPECT_EQ(store.stored, "abc");
}

}  // namespace
