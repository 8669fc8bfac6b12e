// The shipped sample account: the program's own readers take both files,
// and a first-time user finds something to explore in each view.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "model/account.h"
#include "storage/account_image.h"
#include "storage/account_info.h"
#include "storage/memory_stream.h"

namespace {

std::filesystem::path SampleFolder() {
    return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path().parent_path() / "res" /
           "sample";
}

std::vector<unsigned char> ReadAll(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(SampleAccount, OpensWithClearedAndOutstandingTransactions) {
    const auto bytes = ReadAll(SampleFolder() / "SAMPLE.LPD");
    ASSERT_FALSE(bytes.empty()) << "missing " << (SampleFolder() / "SAMPLE.LPD").string();
    ASSERT_EQ(bytes.size() % kBlockSize, 0u);

    Account account;
    ASSERT_TRUE(LoadAccountImage(bytes.data(), bytes.size(), account));
    EXPECT_STREQ(account.header.name, "Sample Checking");
    ASSERT_GE(account.RecordCount(), 20u);
    EXPECT_STREQ(account.Head()->record->description, "OPENING BALANCE");

    std::size_t cleared = 0;
    for (RecordNode* node = account.Head(); node; node = node->next) {
        if (IsReconciled(*node->record)) ++cleared;
        if (node->next) {
            EXPECT_FALSE(SortsBefore(*node->next->record, *node->record)) << node->next->record->description;
        }
    }
    EXPECT_GT(cleared, 1u);
    EXPECT_LT(cleared, account.RecordCount());

    account.view = ViewAll;
    EXPECT_EQ(account.ComputeBalances(), kBalancesOk);
    EXPECT_EQ(account.visibleCount, account.RecordCount());
    const double ending = account.endingBalance;
    account.view = ViewCurrent;
    EXPECT_EQ(account.ComputeBalances(), kBalancesOk);
    EXPECT_EQ(account.visibleCount, account.RecordCount() - cleared);
    EXPECT_DOUBLE_EQ(account.endingBalance, ending) << "both views end on the same balance";
    EXPECT_GT(account.reconciledBalance, 0.0);
}

TEST(SampleAccount, InformationFileReadsBackItsTexts) {
    const auto bytes = ReadAll(SampleFolder() / "SAMPLEI.LPD");
    ASSERT_FALSE(bytes.empty());
    AccountInfo::ClearFields();
    MemoryDeSerializer reader(bytes);
    AccountInfo info;
    info.DeSerialize(reader);
    EXPECT_EQ(reader.Position(), bytes.size());
    for (int i = 0; i < kInfoFieldCount; ++i) EXPECT_FALSE(AccountInfo::GetField(i).empty()) << i;
    EXPECT_NE(AccountInfo::GetField(kInfoAddress).find("\r\n"), std::string::npos);
    // Scrambled on disk: the bank's name is not there as plain text.
    const std::string raw(bytes.begin(), bytes.end());
    EXPECT_EQ(raw.find(AccountInfo::GetField(kInfoInstitution)), std::string::npos);
    AccountInfo::ClearFields();
}

}  // namespace
