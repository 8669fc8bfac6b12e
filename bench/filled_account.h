// A large account as a user who has kept it for years would have it: used
// by the benchmark program and by the crash trials, which both need one
// built by the program's own code.
#pragma once

#include <cstddef>

#include "model/account.h"

// Replaces account's header and list: "Benchmark Checking", opening balance
// 2,500.00 on 1 January 2000, then `transactions` records spread over the
// years from 2000 on in date order, one in four cleared, checks and
// deposits mixed, every text field filled. Open flag, view and balances are
// the caller's.
void FillAccount(Account& account, std::size_t transactions);
