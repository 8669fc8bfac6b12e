#include <gtest/gtest.h>

#include "storage/save_attempt.h"

namespace {

TEST(SaveAttemptTest, OneFailureWithinAnActionStopsLaterSavesAndIsToldOnce) {
    EXPECT_TRUE(SaveAttempt::MayTry());
    EXPECT_TRUE(SaveAttempt::Record("A", 5)) << "outside an action every failure is told";
    EXPECT_TRUE(SaveAttempt::MayTry());
    {
        SaveAttempt action;
        EXPECT_TRUE(SaveAttempt::MayTry());
        EXPECT_TRUE(SaveAttempt::Record("C:\\x\\LEDGR1.LPD", 32));
        EXPECT_FALSE(SaveAttempt::MayTry());
        EXPECT_FALSE(SaveAttempt::Record("C:\\x\\LEDGR1I.LPD", 5)) << "a second message";
        EXPECT_TRUE(action.Failed());
        EXPECT_EQ(action.Failure().file, "C:\\x\\LEDGR1.LPD");
        EXPECT_EQ(action.Failure().error, 32u);
    }
    EXPECT_TRUE(SaveAttempt::MayTry()) << "the next action tries again";
}

TEST(SaveAttemptTest, AKeepingScopeTellsNothingAndAnInnerActionJoinsIt) {
    SaveAttempt closing(SaveAttempt::Report::Keep);
    {
        SaveAttempt inner;  // a command or key handled while closing
        EXPECT_FALSE(SaveAttempt::Record("C:\\x\\LEDGR1.LPD", 32));
        EXPECT_FALSE(inner.Failed()) << "it joined the action under way";
    }
    EXPECT_TRUE(closing.Failed());
    EXPECT_EQ(closing.Failure().error, 32u);
    EXPECT_FALSE(SaveAttempt::MayTry());
}

TEST(SaveAttemptTest, TheQuestionBeforeQuittingNamesTheFileAndTheReason) {
    const struct {
        const char* reason;
        const char* expected;
    } cases[] = {
        {"Sharing violation.", "Ledgerpad could not save your last change to C:\\A\\LEDGR1.LPD: Sharing violation. "
                               "Quit anyway and lose it?"},
        {"Access denied", "Ledgerpad could not save your last change to C:\\A\\LEDGR1.LPD: Access denied. "
                          "Quit anyway and lose it?"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QuitAnywayQuestion("C:\\A\\LEDGR1.LPD", c.reason), c.expected) << c.reason;
}

}  // namespace
