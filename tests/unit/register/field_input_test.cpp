// The field window procedure's rules for keys, characters and the wheel.
#include <gtest/gtest.h>

#include "register/event_msg.h"
#include "register/field_input.h"
#include "register/register_panel.h"

namespace {

TEST(FieldInput, KeysDown) {
    struct Case {
        unsigned vk;
        InputRule rule;
    };
    const Case cases[] = {
        {kVkTab, {kKeyTab, true, false}},     {kVkReturn, {kKeyEnter, true, false}},
        {kVkPrior, {kKeyPageUp, false, false}}, {kVkNext, {kKeyPageDown, false, false}},
        {kVkUp, {kKeyUp, false, false}},       {kVkDown, {kKeyDown, false, false}},
        {kVkDelete, {0, true, true}},          {0x25 /* left */, {0, true, false}},
        {'A', {0, true, false}},
    };
    for (const Case& c : cases) {
        const InputRule rule = KeyDownRule(c.vk);
        EXPECT_EQ(rule.eventKey, c.rule.eventKey) << c.vk;
        EXPECT_EQ(rule.passOn, c.rule.passOn) << c.vk;
        EXPECT_EQ(rule.setsNeedsSaving, c.rule.setsNeedsSaving) << c.vk;
    }
}

TEST(FieldInput, Characters) {
    struct Case {
        unsigned ch;
        bool passOn;
        bool changes;
    };
    const Case cases[] = {
        {'\t', false, false}, {'\r', false, false}, {' ', true, false},  {'!', true, true},
        {'r', true, true},    {'~', true, true},    {'\b', true, true},  {127, true, false},
        {0x03 /* ^C */, true, false}, {0xE9 /* e acute */, true, true},
    };
    for (const Case& c : cases) {
        const InputRule rule = CharRule(c.ch);
        EXPECT_EQ(rule.eventKey, 0) << c.ch;
        EXPECT_EQ(rule.passOn, c.passOn) << c.ch;
        EXPECT_EQ(rule.setsNeedsSaving, c.changes) << c.ch;
    }
    EXPECT_EQ(CutPasteRule().eventKey, kKeyCutPaste);
    EXPECT_TRUE(CutPasteRule().setsNeedsSaving);
    EXPECT_TRUE(ClearUndoRule().setsNeedsSaving);
    EXPECT_TRUE(ClearUndoRule().passOn);
}

TEST(FieldInput, WheelLinesSetting) {
    EXPECT_EQ(WheelLinesPerNotch(false, 7), 3u);
    EXPECT_EQ(WheelLinesPerNotch(true, 7), 7u);
    EXPECT_EQ(WheelLinesPerNotch(true, 0), 0u);
    EXPECT_EQ(WheelLinesPerNotch(true, 0xFFFFFFFFu), 18u);  // one page
}

TEST(FieldInput, WheelSendsOneKeyPerMessageOnceANotchBuildsUp) {
    struct Step {
        int delta;
        unsigned lines;
        int key;
        int remainder;
    };
    const Step steps[] = {
        {-120, 3, kKeyDown, 0},  // towards the user
        {120, 3, kKeyUp, 0},
        {-360, 3, kKeyDown, 0},  // three notches, still one key
        {60, 3, 0, 60},          // half a notch waits
        {60, 3, kKeyUp, 0},
        {-40, 3, 0, -40},
        {-100, 3, kKeyDown, -20},
        {20, 3, 0, 0},
        {120, 0, 0, 0},  // no lines per notch: nothing
    };
    WheelAccumulator wheel;
    int i = 0;
    for (const Step& s : steps) {
        EXPECT_EQ(wheel.Add(s.delta, s.lines), s.key) << "step " << i;
        EXPECT_EQ(wheel.Remainder(), s.remainder) << "step " << i;
        ++i;
    }
}

TEST(RegisterPanel, FrameAndLines) {
    const auto strokes = FrameStrokes(10, 794);
    const PanelStroke& outline = strokes[0];
    ASSERT_EQ(outline.count, 5);
    EXPECT_EQ(outline.points[0].x, outline.points[4].x);  // closed
    EXPECT_EQ(outline.points[0].y, outline.points[4].y);
    EXPECT_EQ(outline.points[2].x, 804);
    EXPECT_EQ(outline.points[3].y, 546);
    // The bevel: light edges top-left, dark edges bottom-right.
    EXPECT_EQ(strokes[1].color.red, 192);
    EXPECT_EQ(strokes[1].points[0].x, 11);
    EXPECT_EQ(strokes[3].color.red, 255);
    EXPECT_EQ(strokes[4].points[1].x, 802);
    EXPECT_EQ(strokes[4].points[1].y, 544);
    EXPECT_EQ(strokes[5].points[0].y, 484);
    EXPECT_EQ(strokes[6].points[0].y, 26);
    EXPECT_EQ(strokes[6].points[0].x, 13);
    EXPECT_EQ(strokes[6].points[1].x, 801);
    EXPECT_STREQ(kPanelTexts[7].text, "Opening Balance ");
    EXPECT_STREQ(kPanelTexts[8].text, "Ending Balance  ");
}

}  // namespace
