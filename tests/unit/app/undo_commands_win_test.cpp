// The Edit menu's Undo and Redo items: named after what they would take
// back or do again, "Typing" while typing is not saved, grayed when there
// is nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/commands.h"
#include "app/undo_commands.h"
#include "model/account_builder.h"
#include "storage/save_account.h"

namespace {

std::string ItemText(HMENU menu, int id) {
    char text[128] = {};
    GetMenuStringA(menu, id, text, sizeof text, MF_BYCOMMAND);
    return text;
}

bool Grayed(HMENU menu, int id) { return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0; }

std::string ShownDate(const char* stored) { return stored; }

class UndoMenuTest : public testing::Test {
protected:
    void SetUp() override {
        bar_ = CreateMenu();
        HMENU edit = CreatePopupMenu();
        AppendMenuA(edit, MF_STRING, IDM_UNDO, "&Undo\tCtrl+Z");
        AppendMenuA(edit, MF_STRING, IDM_REDO, "&Redo\tCtrl+Y");
        AppendMenuA(bar_, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), "&Edit");
        model_test::Build(g_Account, {{.desc = "a", .date = "20260301"}, {.desc = "b", .date = "20260302"}});
        g_Account.isOpen = 1;
        g_Account.needsSaving = 0;
        g_AccountHistory.Reset(g_Account);
    }
    void TearDown() override {
        DestroyMenu(bar_);
        g_Account.ClearAccount();
        g_Account.isOpen = 0;
        g_Account.needsSaving = 0;
        g_AccountHistory.Reset(g_Account);
    }
    HMENU bar_ = nullptr;
};

TEST_F(UndoMenuTest, ItemsNameWhatTheyWouldDo) {
    UpdateUndoMenuItems(bar_);
    EXPECT_EQ(ItemText(bar_, IDM_UNDO), "&Undo\tCtrl+Z");
    EXPECT_TRUE(Grayed(bar_, IDM_UNDO));
    EXPECT_TRUE(Grayed(bar_, IDM_REDO));

    g_AccountHistory.NameNextChange("Delete Transaction");
    g_Account.Unlink(g_Account.Head());
    g_AccountHistory.Saved(g_Account, ShownDate);
    UpdateUndoMenuItems(bar_);
    EXPECT_EQ(ItemText(bar_, IDM_UNDO), "&Undo Delete Transaction\tCtrl+Z");
    EXPECT_FALSE(Grayed(bar_, IDM_UNDO));
    EXPECT_TRUE(Grayed(bar_, IDM_REDO));

    ASSERT_TRUE(g_AccountHistory.Undo(g_Account));
    UpdateUndoMenuItems(bar_);
    EXPECT_EQ(ItemText(bar_, IDM_REDO), "&Redo Delete Transaction\tCtrl+Y");
    EXPECT_FALSE(Grayed(bar_, IDM_REDO));
    EXPECT_TRUE(Grayed(bar_, IDM_UNDO));

    // Typing not saved comes first, and nothing is redone over it.
    g_Account.needsSaving = 1;
    UpdateUndoMenuItems(bar_);
    EXPECT_EQ(ItemText(bar_, IDM_UNDO), "&Undo Typing\tCtrl+Z");
    EXPECT_FALSE(Grayed(bar_, IDM_UNDO));
    EXPECT_TRUE(Grayed(bar_, IDM_REDO));

    g_Account.isOpen = 0;
    UpdateUndoMenuItems(bar_);
    EXPECT_TRUE(Grayed(bar_, IDM_UNDO));
    EXPECT_TRUE(Grayed(bar_, IDM_REDO));
}

}  // namespace
