// The register without windows: a host that keeps each field's text, the
// focus, the messages shown, the beeps and the saves, and a fixture that
// opens a small account in it. Helpers act as the field window procedure
// does for the user's keys, typing and clicks.
#pragma once

#include <array>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/account.h"
#include "model/account_builder.h"
#include "register/event_msg.h"
#include "register/field_input.h"
#include "register/multi_records.h"
#include "register/register_display.h"
#include "register/register_host.h"
#include "values/date.h"

namespace register_test {

using model_test::Tx;

struct ShownMessage {
    std::string title;
    std::string text;
};

class FakeHost final : public RegisterHost {
public:
    void SetText(int index, const char* text) override { texts.at(index) = text; }
    void GetText(int index, char* out, std::size_t size) override {
        const std::string& text = texts.at(index);
        const std::size_t n = std::min(text.size(), size - 1);
        std::memcpy(out, text.data(), n);
        out[n] = '\0';
    }
    void SetFocus(int index) override { focus = index; }
    void SelectAll(int index) override {
        selectionField = index;
        selStart = 0;
        selEnd = static_cast<int>(texts.at(index).size());
    }
    void GetSelection(int index, int& start, int& end) override {
        start = index == selectionField ? selStart : 0;
        end = index == selectionField ? selEnd : 0;
    }
    void SetSelection(int index, int start, int end) override {
        selectionField = index;
        selStart = start;
        selEnd = end;
    }
    void SetScrollBar(int maxValue, int position) override {
        scrollMax = maxValue;
        scrollPos = position;
    }
    void ShowMessage(const char* text, const char* title) override { messages.push_back({title, text}); }
    void Beep() override { ++beeps; }
    // As the real save: the focused record first takes its sorted place;
    // a failed save keeps g_Account.needsSaving.
    bool SaveAccount() override {
        if (RecordNode* node = g_MultiRecords.FocusedNodeInList()) {
            g_Account.MoveRecordBack(node);
            g_Account.MoveRecordForward(node);
        }
        ++saves;
        if (failSaves) return false;
        g_Account.needsSaving = 0;
        savedOrder = model_test::Order(g_Account);
        return true;
    }

    std::array<std::string, 135> texts;
    int focus = -1;
    int selectionField = -1, selStart = 0, selEnd = 0;
    int scrollMax = 0, scrollPos = 0;
    std::vector<ShownMessage> messages;
    int beeps = 0;
    int saves = 0;
    bool failSaves = false;
    std::string savedOrder;
};

inline int Index(int row, int field) { return row * MAX_FLD + field; }

class RegisterTest : public ::testing::Test {
protected:
    void SetUp() override {
        previousHost_ = SetRegisterHost(&host_);
        g_Date.SetDateFormat(kFormatMMDDYY);
        Date::SetTodayForTesting(2026, 3, 15);
        g_Account.ClearAccount();
        g_Account.isOpen = 0;
        g_Account.view = ViewAll;
        g_Account.topIndex = 0;
        g_Account.needsSaving = 0;
        ClearRegister();
        host_.texts = {};
    }
    void TearDown() override {
        ClearRegister();
        g_Account.ClearAccount();
        g_Account.isOpen = 0;
        g_Account.needsSaving = 0;
        Date::SetTodayForTesting(0, 0, 0);
        SetRegisterHost(previousHost_);
    }

    // A fresh start inside a test that runs a table of cases.
    void Reset() {
        TearDown();
        SetUp();
    }

    // Opens an account of these records in the view, as opening a file
    // does: the last screenful shown, the focus on the last record's Date.
    void Open(const std::vector<Tx>& txs, int view = ViewAll) {
        model_test::Build(g_Account, txs);
        g_Account.isOpen = 1;
        g_Account.view = view;
        g_MultiRecords.ShowLastRecords();
        host_.messages.clear();
        host_.saves = 0;
    }

    // Records "d1".."dn", one a day from 1 March 2026, payments of 1.
    static std::vector<Tx> Numbered(int count) {
        static std::vector<std::string> names, dates;
        names.resize(count);
        dates.resize(count);
        std::vector<Tx> txs;
        for (int i = 0; i < count; ++i) {
            names[i] = "d" + std::to_string(i + 1);
            const int day = i % 28 + 1, month = 3 + i / 28;
            char date[9];
            std::snprintf(date, sizeof date, "2026%02d%02d", month, day);
            dates[i] = date;
            txs.push_back({.desc = names[i].c_str(), .date = dates[i].c_str(), .payment = 1});
        }
        return txs;
    }

    std::string Text(int row, int field) const { return host_.texts[Index(row, field)]; }
    std::string Box(int id) const { return host_.texts[id - kFirstFieldId]; }

    // Typing replaces the field's text and marks the account changed, as
    // the field procedure does for printable characters.
    void Type(int row, int field, const std::string& text) {
        host_.texts[Index(row, field)] = text;
        if (!text.empty()) g_Account.needsSaving = 1;
    }
    void Focus(int row, int field) { g_MultiRecords.SetFocusToRecordAndField(row, field); }

    int Key(int key) {
        return g_MultiRecords.HandleEvent(KeyEvent(key, g_MultiRecords.FocusedFieldNumber()));
    }
    void Keys(std::initializer_list<int> keys) {
        for (int key : keys) Key(key);
    }
    // A left click as the field procedure handles it.
    int Click(int row, int field) {
        const int number = Index(row, field);
        if (row >= kRegisterRows || field == BALANCE_FLD) return 0;
        const int result = g_MultiRecords.HandleEvent(MouseEvent(kButtonField, number));
        if (result == 0) g_MultiRecords.SetFocusToRecordAndField();
        return result;
    }
    void Wheel(int key) {
        g_MultiRecords.HandleEvent(KeyEvent(key, g_MultiRecords.FocusedFieldNumber(), 1));
    }

    int FocusRow() const { return host_.focus / MAX_FLD; }
    int FocusField() const { return host_.focus % MAX_FLD; }
    int RowOfFocus() const { return g_MultiRecords.Focus(); }

    std::string LastMessageTitle() const { return host_.messages.empty() ? "" : host_.messages.back().title; }
    std::string LastMessageText() const { return host_.messages.empty() ? "" : host_.messages.back().text; }

    // Descriptions shown in rows 0..g_MultiRecords.LastFilledRow().
    std::string Shown() const {
        std::string out;
        for (int r = 0; r <= g_MultiRecords.LastFilledRow(); ++r)
            out += (r ? " " : "") + (Text(r, DESC_FLD).empty() ? std::string("_") : Text(r, DESC_FLD));
        return out;
    }

    FakeHost host_;
    RegisterHost* previousHost_ = nullptr;
};

// The date message of a register field in format MM/DD/YY.
inline std::string RegisterDateMessage() {
    char text[kDateErrorMessageSize];
    g_Date.ErrorMessage(kDateErrorRegister, text, sizeof text);
    return text;
}

}  // namespace register_test
