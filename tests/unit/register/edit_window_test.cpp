// One field's reading and writing rules: thousands separators on the way
// out, amount checks and cleaning on the way in, and each event's action.
#include <string>

#include "register/edit_window.h"
#include "register_fixture.h"

namespace register_test {
namespace {

class EditWindowTest : public RegisterTest {};

TEST_F(EditWindowTest, WritingAddsSeparatorsToAmountsAndBalancesOnly) {
    struct Case {
        int kind;
        const char* text;
        const char* shown;
    };
    const Case cases[] = {
        {kKindAmount, "1234.50", "1,234.50"},
        {kKindAmount, "", ""},
        {kKindAmount, "1234.5", "1234.5"},  // the rule counts on two decimals
        {kKindAmount, "999.99", "999.99"},
        {kKindBalance, "1234567.89", "1,234,567.89"},
        {kKindBalance, "-1234.50", "-1,234.50"},
        {kKindBalance, "*******.**", "*,***,***.**"},
        {kKindBalance, "", ""},
        {kKindText, "1234567.89", "1234567.89"},
        {kKindDescription, "1234.50", "1234.50"},
    };
    for (const Case& c : cases) {
        EditWindow field(FieldId(3, PAYMENT_FLD), c.kind);
        field.SetText(c.text);
        EXPECT_EQ(Text(3, PAYMENT_FLD), c.shown) << "kind " << c.kind << " text " << c.text;
        EXPECT_STREQ(field.Text(), c.shown);
    }
}

TEST_F(EditWindowTest, WritingKeepsAtMost89Characters) {
    EditWindow field(FieldId(0, DESC_FLD), kKindDescription);
    const std::string longText(200, 'd');
    field.SetText(longText.c_str());
    EXPECT_EQ(Text(0, DESC_FLD), std::string(89, 'd'));
    field.Clear();
    EXPECT_EQ(Text(0, DESC_FLD), "");
}

TEST_F(EditWindowTest, ReadingAnAmountChecksAndCleansIt) {
    struct Case {
        const char* typed;
        bool invalid;
        const char* cleaned;
    };
    const Case cases[] = {
        {"1,234.56", false, "1234.56"}, {"1 234.56", false, "1234.56"}, {"", false, ""},
        {"999,999.99", false, "999999.99"}, {"12.3.4", false, "12.3.4"}, {"12a", true, "12"},
        {"$12", true, "12"}, {"-5", true, "5"}, {"1,000,000", true, "1000000"},
    };
    EditWindow field(FieldId(2, DEPOSIT_FLD), kKindAmount);
    for (const Case& c : cases) {
        Type(2, DEPOSIT_FLD, c.typed);
        char out[kFieldTextSize];
        field.GetInput(out);
        EXPECT_STREQ(out, c.cleaned) << c.typed;
        EXPECT_STREQ(field.Text(), c.cleaned) << c.typed;
        EXPECT_EQ(field.IsInvalid(), c.invalid) << c.typed;
        EXPECT_EQ(field.IsInvalid(), c.invalid) << "asking again changes nothing: " << c.typed;
    }
}

// Whatever reached a control (a paste, old text shown again), a tab or a
// line break is read as a space, in every kind of field.
TEST_F(EditWindowTest, ReadingTurnsControlCharactersIntoSpaces) {
    const struct {
        int field;
        int kind;
        const char* typed;
        const char* read;
    } cases[] = {
        {DESC_FLD, kKindDescription, "Rent\tMay\r\nJune", "Rent May June"},
        {NUM_FLD, kKindText, "1\t2", "1 2"},
        {PAYMENT_FLD, kKindAmount, "12.50\t", "12.50"},
    };
    for (const auto& c : cases) {
        EditWindow field(FieldId(4, c.field), c.kind);
        Type(4, c.field, c.typed);
        char out[kFieldTextSize];
        field.GetInput(out);
        EXPECT_STREQ(out, c.read) << c.typed;
        EXPECT_FALSE(field.IsInvalid()) << c.typed;
    }
}

TEST_F(EditWindowTest, ReadingTakesAtMost88CharactersAndCutsToTheCallersBuffer) {
    EditWindow field(FieldId(1, DESC_FLD), kKindDescription);
    Type(1, DESC_FLD, std::string(120, 'q'));
    char out[kFieldTextSize];
    field.GetInput(out);
    EXPECT_EQ(std::string(out), std::string(88, 'q'));
    char small[5];
    field.GetInput(small);
    EXPECT_STREQ(small, "qqqq");
    EXPECT_FALSE(field.IsInvalid());  // only amounts are checked
}

TEST_F(EditWindowTest, FocusAndSelectionGoToTheControl) {
    EditWindow field(FieldId(4, NUM_FLD), kKindText);
    EXPECT_EQ(field.Index(), Index(4, NUM_FLD));
    Type(4, NUM_FLD, "1234");
    field.SetFocusToField();
    field.SelectAll();
    EXPECT_EQ(host_.focus, Index(4, NUM_FLD));
    EXPECT_EQ(host_.selStart, 0);
    EXPECT_EQ(host_.selEnd, 4);
}

TEST(EditWindowAction, EventsBecomeActions) {
    struct Case {
        eventMsg ev;
        int action;
    };
    const Case cases[] = {
        {KeyEvent(kKeyTab, 0), kActionTab},         {KeyEvent(kKeyEnter, 0), kActionEnter},
        {KeyEvent(kKeyUp, 0), kActionUp},           {KeyEvent(kKeyDown, 0, 1), kActionDown},
        {KeyEvent(kKeyPageDown, 0), kActionPageDown}, {KeyEvent(kKeyPageUp, 0), kActionPageUp},
        {KeyEvent(kKeyCutPaste, 0), kActionNone},   {MouseEvent(kButtonField, 5), kActionClick},
        {MouseEvent(kButtonThumbDrop, 5), kActionNone}, {MouseEvent(kButtonNone, 0), kActionNone},
    };
    EditWindow field(FieldId(0, 0), kKindText);
    for (const Case& c : cases) {
        field.SetAction(c.ev);
        EXPECT_EQ(field.GetAction(), c.action) << "type " << c.ev.m_Type << " key " << c.ev.m_Key << " button "
                                               << c.ev.m_Button;
    }
}

}  // namespace
}  // namespace register_test
