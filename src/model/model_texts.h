// Texts the account model puts into records and that its callers show for
// the results of Account::ComputeBalances.
#pragma once

inline constexpr const char kOpeningBalanceDescription[] = "OPENING BALANCE";

// Message boxes for kReconciledOutOfRange and kRunningOutOfRange.
inline constexpr const char kDataEntryErrorTitle[] = "Data Entry Error";
inline constexpr const char kReconciledTooLargeText[] =
    "The opening balance will be too large to display correctly. This transaction with this "
    "amount cannot be reconciled (R).";
inline constexpr const char kEndingTooLargeText[] =
    "The ending balance will be too large to display correctly.";
