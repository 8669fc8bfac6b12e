// The register on a long account: a payment typed in a row and confirmed
// with Enter (the row read back, the balances, the sort, the save and the
// refill), a Tab within a row, Page Down, and refilling the 19 rows from
// the middle of the list. The register runs on an in-memory host: the
// texts the controls would show, the real save.
#include <windows.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <string>

#include "bench.h"
#include "model/account.h"
#include "register/event_msg.h"
#include "register/multi_records.h"
#include "register/register_display.h"
#include "register/register_host.h"
#include "storage/save_account.h"
#include "ui/storage_messages.h"

namespace {

class BenchHost final : public RegisterHost {
public:
    void SetText(int index, const char* text) override { texts[index] = text; }
    void GetText(int index, char* out, std::size_t size) override {
        std::snprintf(out, size, "%s", texts[index].c_str());
    }
    void SetFocus(int) override {}
    void SelectAll(int) override {}
    void GetSelection(int, int& start, int& end) override { start = end = 0; }
    void SetSelection(int, int, int) override {}
    void SetScrollBar(int, int) override {}
    void ShowMessage(const char* text, const char* title) override {
        BenchFail(std::string("register message \"") + title + "\": " + text);
    }
    void Beep() override {}
    bool SaveAccount() override {
        LARGE_INTEGER start, end, frequency;
        QueryPerformanceCounter(&start);
        if (!::SaveAccount()) BenchFail("register save failed");
        QueryPerformanceCounter(&end);
        QueryPerformanceFrequency(&frequency);
        saveMs = static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
        return true;
    }
    std::array<std::string, 135> texts;
    double saveMs = 0;  // the last save
};

BenchHost g_host;
constexpr int kRow = 5;

// The register shows the middle of the view, the focus on a field of row 5.
void ShowMiddle(int field) {
    SetRegisterHost(&g_host);
    SetFocusedNodeSource([] { return g_MultiRecords.FocusedNodeInList(); });
    ClearRegister();
    g_Account.isOpen = 1;
    g_Account.view = ViewAll;
    g_Account.ComputeBalances();
    g_Account.topIndex = static_cast<int>(g_Account.visibleCount / 2);
    g_Account.PositionAtTop(g_Account.topIndex);
    DisplayRecords(g_Account.current);
    g_MultiRecords.SetFocusToRecordAndField(kRow, field);
    g_Account.needsSaving = 0;
}

int Send(int key) { return g_MultiRecords.HandleEvent(KeyEvent(key, g_MultiRecords.FocusedFieldNumber())); }

// A new amount in row 5's Payment field, as typed.
void TypePayment(BenchAccount&) {
    static int turn = 0;
    ShowMiddle(PAYMENT_FLD);
    // The row shows a payment or a deposit; the typed payment replaces both.
    g_host.texts[kRow * MAX_FLD + PAYMENT_FLD] = (++turn % 2) ? "45.67" : "76.54";
    g_host.texts[kRow * MAX_FLD + DEPOSIT_FLD] = "";
    g_Account.needsSaving = 1;
}

void ConfirmPayment(BenchAccount&) {
    g_host.saveMs = 0;
    Send(kKeyEnter);
    if (g_MultiRecords.Focus() != kRow + 1 || g_Account.needsSaving != 0) BenchFail("row commit: not saved and moved on");
}

const BenchRegistrar kRegisterCases{{
    {.name = "row commit",
     .target = "<= save + 5 ms",
     .part = [] { return g_host.saveMs; },
     .maxOverPart = 5,
     .prepare = TypePayment,
     .run = ConfirmPayment},
    {.name = "tab in a row",
     .target = "< 10 ms",
     .maxMilliseconds = 10,
     .prepare = [](BenchAccount&) { ShowMiddle(NUM_FLD); },
     .run = [](BenchAccount&) { Send(kKeyTab); }},
    {.name = "page down",
     .target = "< 10 ms",
     .maxMilliseconds = 10,
     .prepare = [](BenchAccount&) { ShowMiddle(DATE_FLD); },
     .run = [](BenchAccount&) { Send(kKeyPageDown); }},
    {.name = "register refill",
     .target = "< 10 ms",
     .maxMilliseconds = 10,
     .prepare = [](BenchAccount&) { ShowMiddle(DATE_FLD); },
     .run =
         [](BenchAccount&) {
             g_Account.PositionAtTop(g_Account.topIndex);
             DisplayRecords(g_Account.current);
         }},
}};

}  // namespace
