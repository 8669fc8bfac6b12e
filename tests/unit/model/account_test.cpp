// File images of the header and records, new accounts and their
// opening-balance record.
#include <cmath>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "model/account.h"
#include "model/model_texts.h"
#include "account_builder.h"

namespace {

using namespace model_test;

template <typename T> std::string Bytes(const T& block, std::size_t offset, std::size_t n) {
    return std::string(reinterpret_cast<const char*>(&block) + offset, n);
}

template <typename T> double DoubleAt(const T& block, std::size_t offset) {
    double value;
    std::memcpy(&value, reinterpret_cast<const char*>(&block) + offset, sizeof value);
    return value;
}

template <typename T> unsigned U16At(const T& block, std::size_t offset) {
    const auto* p = reinterpret_cast<const unsigned char*>(&block) + offset;
    return p[0] | (p[1] << 8);  // little-endian in the file
}

TEST(AccountLayout, HeaderImageHasFieldsAtTheirFileOffsets) {
    AccountHeader header;
    std::memset(&header, 0xAA, sizeof header);  // stale bytes must not survive
    FillAccountHeader(header, "Household", 100.0, "20240301", 2024, 61);

    EXPECT_EQ(Bytes(header, 0, 2), std::string("\xFE\x00", 2));
    EXPECT_EQ(Bytes(header, 2, 10), std::string("Household\0", 10));
    EXPECT_EQ(Bytes(header, 11, 80), std::string(80, '\0'));
    EXPECT_EQ(DoubleAt(header, 91), 100.0);
    EXPECT_EQ(Bytes(header, 99, 9), std::string("20240301\0", 9));
    EXPECT_EQ(U16At(header, 108), 2024u);
    EXPECT_EQ(U16At(header, 110), 61u);
    EXPECT_EQ(Bytes(header, 112, 16), std::string(16, '\0'));
}

TEST(AccountLayout, RecordImageHasFieldsAtTheirFileOffsets) {
    AcctRecord rec{};
    Fill(rec, Cleared({.desc = "Rent", .date = "20240315", .check = 1042, .payment = 850.25, .deposit = 12.5}));

    EXPECT_EQ(Bytes(rec, 0, 2), std::string("R\0", 2));
    EXPECT_EQ(Bytes(rec, 2, 9), std::string("20240315\0", 9));
    EXPECT_EQ(U16At(rec, 11), 2024u);
    EXPECT_EQ(U16At(rec, 13), 75u);
    EXPECT_EQ(Bytes(rec, 15, 5), std::string("1042\0", 5));
    EXPECT_EQ(U16At(rec, 20), 1042u);
    EXPECT_EQ(Bytes(rec, 22, 5), std::string("Rent\0", 5));
    EXPECT_EQ(DoubleAt(rec, 112), 850.25);
    EXPECT_EQ(DoubleAt(rec, 120), 12.5);
}

TEST(AccountLayout, AppendedRecordIsAllZeroBytes) {
    Account account;
    const AcctRecord& rec = *account.AppendRecord()->record;
    EXPECT_EQ(Bytes(rec, 0, sizeof rec), std::string(sizeof rec, '\0'));
}

TEST(CopyFixedText, CutsToFieldAndClearsTheRest) {
    struct Case {
        const char* src;
        std::string expected;  // the whole 5-byte field
    };
    const Case cases[] = {
        {"12", std::string("12\0\0\0", 5)},
        {"1234", std::string("1234\0", 5)},
        {"123456789", std::string("1234\0", 5)},
        {"", std::string(5, '\0')},
        {nullptr, std::string(5, '\0')},
    };
    for (const Case& c : cases) {
        char field[5];
        std::memset(field, 'x', sizeof field);
        CopyFixedText(field, c.src);
        EXPECT_EQ(std::string(field, sizeof field), c.expected) << (c.src ? c.src : "(null)");
    }
}

TEST(AccountLayout, LongNameIsCutTo88Characters) {
    AccountHeader header{};
    const std::string longName(200, 'N');
    FillAccountHeader(header, longName.c_str(), 0.0, "20240101", 2024, 1);
    EXPECT_EQ(std::string(header.name), std::string(88, 'N'));
    EXPECT_EQ(header.name[88], '\0');
    EXPECT_EQ(Value(header.statementBalance), 0.0);  // the next field is untouched
}

TEST(OpeningBalanceRecord, AmountGoesToDepositOrPaymentBySign) {
    struct Case {
        double balance;
        double payment;
        double deposit;
    };
    const Case cases[] = {
        {100.0, 0.0, 100.0},
        {0.0, 0.0, 0.0},
        {-25.50, 25.50, 0.0},
        {-9999999.99, 9999999.99, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.balance);
        AccountHeader header{};
        FillAccountHeader(header, "Checking", c.balance, "20231231", 2023, 365);
        AcctRecord rec;
        std::memset(&rec, 0x55, sizeof rec);
        FillOpeningBalanceRecord(rec, header);

        EXPECT_STREQ(rec.reconcile, "R");
        EXPECT_STREQ(rec.date, "20231231");
        EXPECT_EQ(Value(rec.year), 2023);
        EXPECT_EQ(Value(rec.dayOfYear), 365);
        EXPECT_STREQ(rec.checkText, "");
        EXPECT_EQ(Value(rec.checkNumber), 0);
        EXPECT_STREQ(rec.description, kOpeningBalanceDescription);
        EXPECT_EQ(Value(rec.payment), c.payment);
        EXPECT_EQ(Value(rec.deposit), c.deposit);
        EXPECT_FALSE(std::signbit(rec.payment));
        EXPECT_FALSE(std::signbit(rec.deposit));
    }
}

TEST(OpeningBalanceRecord, UnterminatedHeaderDateIsCutToEightCharacters) {
    AccountHeader header{};
    std::memset(header.statementDate, '9', sizeof header.statementDate);
    AcctRecord rec{};
    FillOpeningBalanceRecord(rec, header);
    EXPECT_EQ(std::string(rec.date, sizeof rec.date), std::string("99999999\0", 9));
}

TEST(CreateInMemory, NegativeBalanceAccountShowsOnlyTheOpeningTotal) {
    Account account;
    account.CreateInMemory("Joint", -25.50, "20240301", 2024, 61);

    EXPECT_EQ(account.isOpen, 1);
    EXPECT_EQ(account.header.marker, kAccountFileMarker);
    EXPECT_EQ(account.header.flag, 0);
    EXPECT_STREQ(account.header.name, "Joint");
    EXPECT_EQ(Value(account.header.statementBalance), -25.50);
    EXPECT_STREQ(account.header.statementDate, "20240301");
    EXPECT_EQ(Value(account.header.statementYear), 2024);
    EXPECT_EQ(Value(account.header.statementDay), 61);

    ASSERT_EQ(account.RecordCount(), 1u);
    const AcctRecord& rec = *account.Head()->record;
    EXPECT_STREQ(rec.reconcile, "R");
    EXPECT_STREQ(rec.description, "OPENING BALANCE");
    EXPECT_EQ(Value(rec.payment), 25.50);
    EXPECT_EQ(Value(rec.deposit), 0.0);

    account.view = ViewCurrent;
    EXPECT_EQ(account.ComputeBalances(), kBalancesOk);
    EXPECT_EQ(account.reconciledBalance, -25.50);
    EXPECT_EQ(account.endingBalance, -25.50);
    EXPECT_EQ(account.visibleCount, 0u);
}

TEST(CreateInMemory, ReplacesWhateverWasOpen) {
    Account account;
    Build(account, {{.desc = "old 1"}, {.desc = "old 2"}});
    account.topIndex = 7;
    account.CreateInMemory("Fresh", 10.0, "20240102", 2024, 2);

    EXPECT_EQ(Order(account), "OPENING BALANCE");
    EXPECT_EQ(account.current, account.Head());
    EXPECT_EQ(account.topIndex, 0);
    ExpectWellLinked(account);
}

}  // namespace
