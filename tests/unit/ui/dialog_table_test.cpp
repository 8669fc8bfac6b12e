// The dialog descriptions and the template bytes built from them, checked
// without Windows.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "ui/dialog_ids.h"
#include "ui/dialog_table.h"
#include "ui/dialog_template_layout.h"
#include "ui/template_reader.h"

namespace {

constexpr DialogBaseUnits kUnscaled{8, 16};

ui_test::TemplateContents ReadLayout(const std::vector<std::uint8_t>& bytes, bool hasFont = false) {
    return ui_test::TemplateReader(bytes.data(), bytes.size()).Read(hasFont);
}

TEST(DialogTableTest, EveryDialogNumberHasADescriptionAndNoOtherDoes) {
    for (int n = 0; n < kDialogCount; ++n) {
        const DialogDescription* dialog = FindDialogDescription(n);
        ASSERT_NE(dialog, nullptr) << "dialog " << n;
        EXPECT_FALSE(dialog->controls.empty()) << "dialog " << n;
    }
    EXPECT_EQ(FindDialogDescription(-1), nullptr);
    EXPECT_EQ(FindDialogDescription(kDialogCount), nullptr);
}

TEST(DialogTableTest, EveryListClosesWithTheWhiteRectangle) {
    for (int n = 0; n < kDialogCount; ++n) {
        const ControlDescription& last = FindDialogDescription(n)->controls.back();
        EXPECT_EQ(last.id, kIdWhiteRect) << "dialog " << n;
        EXPECT_STREQ(last.windowClass, "static") << "dialog " << n;
        EXPECT_EQ(last.style, dlgstyle::kStaticWhiteRect | dlgstyle::kVisible) << "dialog " << n;
        EXPECT_EQ(last.x + last.y, 0) << "dialog " << n;
        EXPECT_EQ(last.width * last.height, 1) << "dialog " << n;
    }
}

// A copied row with a forgotten id would leave one control unreachable.
// Rename Account has two controls 2502 by design (its help text and the rule
// above it); no code addresses either.
TEST(DialogTableTest, ControlIdsAreUniqueWithinADialog) {
    for (int n = 0; n < kDialogCount; ++n) {
        std::set<int> seen;
        for (const ControlDescription& control : FindDialogDescription(n)->controls) {
            const bool fresh = seen.insert(control.id).second;
            if (n == kDlgRenameAccount && control.id == kIdText2) continue;
            EXPECT_TRUE(fresh) << "dialog " << n << " id " << control.id;
        }
    }
}

// The template widens texts byte by byte, which is right for ASCII only: a
// typographic quote or dash pasted into a text would show as garbage.
TEST(DialogTableTest, TextsArePlainAscii) {
    auto isAscii = [](const char* text) {
        for (const char* p = text; *p; ++p) {
            if (static_cast<unsigned char>(*p) < 0x20 || static_cast<unsigned char>(*p) > 0x7E) return false;
        }
        return true;
    };
    for (int n = 0; n < kDialogCount; ++n) {
        const DialogDescription& dialog = *FindDialogDescription(n);
        EXPECT_TRUE(isAscii(dialog.caption)) << "dialog " << n;
        for (const ControlDescription& control : dialog.controls) {
            EXPECT_TRUE(isAscii(control.text)) << "dialog " << n << " id " << control.id;
            EXPECT_TRUE(isAscii(control.windowClass)) << "dialog " << n << " id " << control.id;
        }
    }
}

TEST(DialogTemplateLayoutTest, EveryDialogHoldsItsControlsOnFourByteBoundaries) {
    for (int n = 0; n < kDialogCount; ++n) {
        const DialogDescription& dialog = *FindDialogDescription(n);
        const ui_test::TemplateContents t = ReadLayout(LayoutDialogTemplate(dialog, kUnscaled));
        ASSERT_TRUE(t.complete) << "dialog " << n;
        EXPECT_EQ(t.itemCount, static_cast<int>(dialog.controls.size())) << "dialog " << n;
        EXPECT_EQ(t.style, dialog.style) << "dialog " << n;
        EXPECT_EQ(t.caption, dialog.caption) << "dialog " << n;
        // The reader skips to each boundary as the dialog manager does, so an
        // item written elsewhere reads back with the wrong id.
        for (std::size_t i = 0; i < t.items.size(); ++i) {
            EXPECT_EQ(t.items[i].offset % kTemplateItemAlignment, 0u) << "dialog " << n << " item " << i;
            EXPECT_EQ(t.items[i].id, dialog.controls[i].id) << "dialog " << n << " item " << i;
        }
    }
}

// Base units of 8 x 16 keep every stored number, so the items must repeat
// the description field by field, WS_CHILD added.
TEST(DialogTemplateLayoutTest, ItemsRepeatTheDescription) {
    for (int n = 0; n < kDialogCount; ++n) {
        const DialogDescription& dialog = *FindDialogDescription(n);
        const ui_test::TemplateContents t = ReadLayout(LayoutDialogTemplate(dialog, kUnscaled));
        ASSERT_EQ(t.items.size(), dialog.controls.size()) << "dialog " << n;
        EXPECT_EQ(t.width, dialog.width) << "dialog " << n;
        EXPECT_EQ(t.height, dialog.height) << "dialog " << n;
        for (std::size_t i = 0; i < t.items.size(); ++i) {
            const ControlDescription& c = dialog.controls[i];
            const ui_test::TemplateItem& item = t.items[i];
            const std::string where = "dialog " + std::to_string(n) + " id " + std::to_string(c.id);
            EXPECT_EQ(item.style, c.style | dlgstyle::kChild) << where;
            EXPECT_EQ(item.exStyle, 0u) << where;
            EXPECT_EQ(item.x, c.x) << where;
            EXPECT_EQ(item.y, c.y) << where;
            EXPECT_EQ(item.width, c.width) << where;
            EXPECT_EQ(item.height, c.height) << where;
            EXPECT_EQ(item.id, c.id) << where;
            EXPECT_EQ(item.windowClass, c.windowClass) << where;
            EXPECT_EQ(item.text, c.text) << where;
            EXPECT_EQ(item.creationDataSize, 0) << where;
        }
    }
}

TEST(DialogTemplateLayoutTest, StoredUnitsScaleToTwoPixels) {
    const struct {
        int stored;
        DialogBaseUnits units;
        int across;
        int down;
    } cases[] = {
        {31, {8, 16}, 31, 31},
        {31, {10, 20}, 24, 24},  // 31 * 8 / 10 and 31 * 16 / 20
        {99, {6, 13}, 132, 121},
        {185, {7, 15}, 211, 197},
        {0, {10, 20}, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ScaleLayoutX(c.stored, c.units), c.across) << c.stored << " at " << c.units.horizontal;
        EXPECT_EQ(ScaleLayoutY(c.stored, c.units), c.down) << c.stored << " at " << c.units.vertical;
    }
}

TEST(DialogTemplateLayoutTest, LargerBaseUnitsShrinkDialogAndItems) {
    const DialogDescription& balance = *FindDialogDescription(kDlgBalance);
    const ui_test::TemplateContents t = ReadLayout(LayoutDialogTemplate(balance, {10, 20}));
    EXPECT_EQ(t.width, 112 * 8 / 10);
    EXPECT_EQ(t.height, 99 * 16 / 20);
    EXPECT_EQ(t.x, 0);
    EXPECT_EQ(t.y, 0);
    ASSERT_GE(t.items.size(), 2u);
    const ui_test::TemplateItem& ok = t.items[1];  // "&OK" at (21, 38), 31 x 14
    EXPECT_EQ(ok.id, kIdOk);
    EXPECT_EQ(ok.x, 16);
    EXPECT_EQ(ok.y, 30);
    EXPECT_EQ(ok.width, 24);
    EXPECT_EQ(ok.height, 11);
}

TEST(DialogTemplateLayoutTest, EmptyCaptionMenuAndClassAreSingleZeros) {
    const DialogDescription& start = *FindDialogDescription(kDlgStartScreen);
    const std::vector<std::uint8_t> bytes = LayoutDialogTemplate(start, kUnscaled);
    const ui_test::TemplateContents t = ReadLayout(bytes);
    EXPECT_EQ(t.caption, "");
    EXPECT_EQ(t.menu, "");
    EXPECT_EQ(t.windowClass, "");
    // Header, three empty strings of one word each, then padding to 4.
    ASSERT_FALSE(t.items.empty());
    EXPECT_EQ(t.items[0].offset, 24u);
}

// No description sets a font, but one that does must keep its items aligned
// after the odd-length face name.
TEST(DialogTemplateLayoutTest, FontOfAStyleWithSetFontIsWrittenBeforeTheItems) {
    const ControlDescription controls[] = {
        {1, 2, 3, 4, 77, dlgstyle::kVisible, "EDIT", "odd"},
        {5, 6, 7, 8, 78, dlgstyle::kVisible, "BUTTON", "ab"},
    };
    const DialogDescription dialog{dlgstyle::kPopup | dlgstyle::kSetFont, 0, 0, 40, 50, "", "", "Cap", 8, "Arial",
                                   controls};
    const std::vector<std::uint8_t> bytes = LayoutDialogTemplate(dialog, kUnscaled);
    const ui_test::TemplateContents t = ReadLayout(bytes, true);
    ASSERT_TRUE(t.complete);
    EXPECT_EQ(t.pointSize, 8);
    EXPECT_EQ(t.faceName, "Arial");
    EXPECT_EQ(t.caption, "Cap");
    ASSERT_EQ(t.items.size(), 2u);
    for (const auto& item : t.items) EXPECT_EQ(item.offset % 4, 0u) << item.id;
    EXPECT_EQ(t.items[1].text, "ab");
    EXPECT_EQ(t.items[1].id, 78);
}

}  // namespace
