// The date message as a box: the Find dialog goes first, then the box with
// the text of its kind, owned by the window that asked.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/date_message.h"
#include "ui/message_box.h"
#include "values/date.h"

namespace {

struct Shown {
    HWND owner;
    std::string text, title;
    unsigned type;
};
std::vector<std::string> g_events;
std::vector<Shown> g_boxes;

int Capture(HWND owner, const char* text, const char* title, unsigned type) {
    g_events.push_back("box");
    g_boxes.push_back({owner, text, title, type});
    return IDOK;
}
void CloseFind() { g_events.push_back("find closed"); }

TEST(DateWinTest, TheDateMessageClosesFindFirstAndGoesThroughTheMessageHook) {
    const MessageBoxFunction previousBox = SetMessageBoxFunction(Capture);
    const CloseFindDialogFunction previousFind = SetCloseFindDialogFunction(CloseFind);
    Date date;
    date.SetDateFormat(kFormatMMDDYY);
    HWND owner = reinterpret_cast<HWND>(0x1234);
    for (int kind : {kDateErrorRegister, kDateErrorStatement}) {
        g_events.clear();
        g_boxes.clear();
        ShowDateError(date, owner, kind);
        char expected[kDateErrorMessageSize];
        date.ErrorMessage(kind, expected, sizeof expected);
        EXPECT_EQ(g_events, (std::vector<std::string>{"find closed", "box"})) << "kind " << kind;
        ASSERT_EQ(g_boxes.size(), 1u);
        EXPECT_EQ(g_boxes[0].owner, owner);
        EXPECT_EQ(g_boxes[0].text, expected) << "kind " << kind;
        EXPECT_EQ(g_boxes[0].title, "Incorrect Date Format");
        EXPECT_EQ(g_boxes[0].type, static_cast<unsigned>(MB_OK | MB_ICONINFORMATION));
    }
    SetCloseFindDialogFunction(previousFind);
    SetMessageBoxFunction(previousBox);
}

}  // namespace
