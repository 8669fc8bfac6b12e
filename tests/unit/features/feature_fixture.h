// Small accounts for the feature tests, built with the model tests' helper,
// and a guard that puts the user's date format back after a test.
#pragma once

#include <vector>

#include <gtest/gtest.h>

#include "model/account.h"
#include "model/account_builder.h"
#include "values/date.h"

namespace feature_test {

using model_test::Cleared;
using model_test::Tx;

class AccountTest : public ::testing::Test {
protected:
    void TearDown() override {
        g_Date.SetDateFormat(kFormatMMDDYY);
        Date::SetTodayForTesting(0, 0, 0);
    }

    // Fills the account and computes the balances of the view.
    void Build(const std::vector<Tx>& txs, int view = ViewAll, double opening = 0.0) {
        if (opening != 0.0) {
            Tx first{.desc = "OPENING BALANCE", .date = "20130101", .cleared = true};
            (opening > 0 ? first.deposit : first.payment) = opening > 0 ? opening : -opening;
            model_test::Add(account, first);
        }
        model_test::Build(account, txs);
        account.view = view;
        account.ComputeBalances();
    }

    void SetView(int view) {
        account.view = view;
        account.ComputeBalances();
    }

    Account account;
};

}  // namespace feature_test
