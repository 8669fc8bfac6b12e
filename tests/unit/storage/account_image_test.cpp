#include "storage/account_image.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstddef>
#include <cstring>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "account_golden.h"

namespace {

using namespace account_golden;

Bytes ValidImage(std::size_t size) {
    Bytes b(size, 0);
    if (size > 0) b[0] = 0xFE;
    return b;
}

std::size_t CountNodes(const Account& a) {
    std::size_t n = 0;
    for (RecordNode* p = a.Head(); p != nullptr; p = p->next) ++n;
    return n;
}

TEST(AccountImage, RecordBlocksFollowTheSizeInWholeBlocks) {
    const struct { std::uint64_t size, blocks; } cases[] = {
        {0, 0}, {50, 0}, {127, 0}, {128, 0}, {255, 0}, {256, 1}, {300, 1}, {384, 2},
        {128 + 128ull * 100000, 100000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CountRecordBlocks(c.size), c.blocks) << "size " << c.size;
}

TEST(AccountImage, NewAccountGivesTheGoldenBytes) {
    Account account;
    account.CreateInMemory("Checking", 100.0, "20260115", 2026, 15);
    Bytes image;
    BuildAccountImage(account, image);
    EXPECT_EQ(image, NewAccountFile());
}

TEST(AccountImage, FindsTheFirstAmountThatIsNoNumber) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct { const char* name; std::size_t offset; double value; bool header; std::uint64_t record; } cases[] = {
        {"all finite", 128 + offsetof(AcctRecord, payment), 12.5, false, 0},
        {"largest finite", 128 + offsetof(AcctRecord, payment), std::numeric_limits<double>::max(), false, 0},
        {"payment not a number", 128 + offsetof(AcctRecord, payment), nan, false, 1},
        {"deposit infinite", 256 + offsetof(AcctRecord, deposit), inf, false, 2},
        {"deposit minus infinity", 384 + offsetof(AcctRecord, deposit), -inf, false, 3},
        {"statement balance", offsetof(AccountHeader, statementBalance), nan, true, 0},
    };
    for (const auto& c : cases) {
        Bytes image = ValidImage(128 * 4 + 60);  // three records and stray bytes
        image[image.size() - 8] = 0xFF;         // stray bytes are no record
        image[image.size() - 2] = 0xFF;
        std::memcpy(&image[c.offset], &c.value, sizeof c.value);
        const AmountDamage damage = FindDamagedAmount(image.data(), image.size());
        EXPECT_EQ(damage.header, c.header) << c.name;
        EXPECT_EQ(damage.record, c.record) << c.name;
        EXPECT_EQ(static_cast<bool>(damage), c.header || c.record != 0) << c.name;
    }
    EXPECT_EQ(AmountDamageReason({.record = 7}),
              "Transaction 7 of the file holds an amount that is not a number: the file is damaged.");
}

TEST(AccountImage, OpensByFileSize) {
    const struct { const char* name; std::size_t size; bool opens; std::size_t records; } cases[] = {
        {"empty", 0, false, 0},   {"50 bytes", 50, false, 0}, {"127 bytes", 127, false, 0},
        {"header only", 128, true, 1}, {"one record", 256, true, 1},
        {"one record and 44 stray bytes", 300, true, 1}, {"two records", 384, true, 2},
    };
    for (const auto& c : cases) {
        Account account;
        account.CreateInMemory("Before", 1.0, "20250101", 2025, 1);
        Bytes image = ValidImage(c.size);
        if (c.size >= 128) PutText(image, 2, "After");
        EXPECT_EQ(LoadAccountImage(image.data(), image.size(), account), c.opens) << c.name;
        EXPECT_STREQ(account.header.name, c.opens ? "After" : "Before") << c.name;
        EXPECT_EQ(CountNodes(account), c.records ? c.records : 1) << c.name;
        EXPECT_EQ(account.RecordCount(), CountNodes(account)) << c.name;
    }
}

TEST(AccountImage, HeaderOnlyOpensWithOneBlankRecord) {
    Account account;
    Bytes image = ValidImage(128);
    ASSERT_TRUE(LoadAccountImage(image.data(), image.size(), account));
    ASSERT_EQ(account.Head(), account.Tail());
    const AcctRecord blank{};
    EXPECT_EQ(std::memcmp(account.Head()->record.get(), &blank, sizeof blank), 0);
}

TEST(AccountImage, RefusesAWrongMarkerAndLeavesTheAccount) {
    for (unsigned char marker : {0x00, 0xFF, 0xFD, 0x02}) {
        Account account;
        account.CreateInMemory("Kept", 5.0, "20250101", 2025, 1);
        Bytes image = NewAccountFile();
        image[0] = marker;
        EXPECT_FALSE(LoadAccountImage(image.data(), image.size(), account)) << int(marker);
        EXPECT_STREQ(account.header.name, "Kept");
        EXPECT_STREQ(account.Head()->record->description, "OPENING BALANCE");
    }
}

TEST(AccountImage, RecordsComeInFileOrderUnchanged) {
    Bytes image = ValidImage(128 * 4);
    PutRecord(image, 0, "", "20260301", 2026, 60, "first");
    PutRecord(image, 1, "", "20260101", 2026, 1, "out of order stays");
    PutRecord(image, 2, "", "2026XX01", 9999, 400, "damaged date kept");
    Account account;
    ASSERT_TRUE(LoadAccountImage(image.data(), image.size(), account));
    std::vector<std::string> got;
    for (RecordNode* p = account.Head(); p; p = p->next) got.emplace_back(p->record->description);
    EXPECT_EQ(got, (std::vector<std::string>{"first", "out of order stays", "damaged date kept"}));
    EXPECT_EQ(int{account.Tail()->record->year}, 9999);  // packed: copy, never bind
    EXPECT_EQ(account.Tail()->next, nullptr);
}

TEST(AccountImage, TextFieldsWithoutTheirNulAreCutAtTheirWidth) {
    Bytes image = ValidImage(256);
    std::memset(image.data() + 2, 'N', 89);        // name
    std::memset(image.data() + 99, '9', 9);        // statement date
    std::memset(image.data() + 128, 'R', 2);       // mark
    std::memset(image.data() + 128 + 2, '1', 9);   // date
    std::memset(image.data() + 128 + 15, '7', 5);  // check text
    std::memset(image.data() + 128 + 22, 'd', 90); // description
    Account account;
    ASSERT_TRUE(LoadAccountImage(image.data(), image.size(), account));
    EXPECT_EQ(std::string(account.header.name), std::string(88, 'N'));
    EXPECT_EQ(std::string(account.header.statementDate), "99999999");
    const AcctRecord& r = *account.Head()->record;
    EXPECT_STREQ(r.reconcile, "R");
    EXPECT_STREQ(r.date, "11111111");
    EXPECT_STREQ(r.checkText, "7777");
    EXPECT_EQ(std::string(r.description), std::string(89, 'd'));
}

TEST(AccountImage, BytesAfterATextsNulSurviveARoundTrip) {
    Bytes image = NewAccountFile();
    PutText(image, 128 + 22, "AB");
    image[128 + 22 + 2] = 0;
    image[128 + 22 + 5] = 'z';  // leftover of an older, longer description
    Account account;
    ASSERT_TRUE(LoadAccountImage(image.data(), image.size(), account));
    Bytes again;
    BuildAccountImage(account, again);
    EXPECT_EQ(again, image);
}

TEST(AccountImage, SavesEveryRecordWhateverTheView) {
    Account account;
    account.CreateInMemory("Checking", 100.0, "20260115", 2026, 15);
    AcctRecord& open = *account.AppendRecord()->record;
    CopyFixedText(open.date, "20260120");
    CopyFixedText(open.description, "open");
    account.view = ViewCurrent;
    account.ComputeBalances();
    Bytes image;
    BuildAccountImage(account, image);
    ASSERT_EQ(image.size(), 128u * 3);
    EXPECT_EQ(image[128], 'R');
    EXPECT_STREQ(reinterpret_cast<const char*>(image.data() + 256 + 22), "open");
}

// The register's row for typing is a blank record at the tail: it is no
// transaction and never reaches the file, nor do blank records before it
// (from an older file), so a saved file saves again to the same bytes. A
// blank record inside the list (a row inserted above another) is kept.
TEST(AccountImage, TheBlankRowForTypingIsNeverSaved) {
    Account account;
    account.CreateInMemory("Checking", 100.0, "20260115", 2026, 15);
    account.AppendRecord();
    Bytes image;
    BuildAccountImage(account, image);
    EXPECT_EQ(image, NewAccountFile());
    account.AppendRecord();
    BuildAccountImage(account, image);
    EXPECT_EQ(image, NewAccountFile()) << "two blank records at the end";

    CopyFixedText(account.Tail()->record->description, "typed");
    BuildAccountImage(account, image);
    ASSERT_EQ(image.size(), 128u * 4);
    EXPECT_EQ(image[256 + 22], 0) << "a blank record before a typed one stays";
    EXPECT_EQ(image[384 + 22], 't');

    Account onlyBlank;
    ASSERT_TRUE(LoadAccountImage(ValidImage(128).data(), 128, onlyBlank));
    BuildAccountImage(onlyBlank, image);
    EXPECT_EQ(image, ValidImage(128));
}

TEST(AccountImage, TwoBuildsOfOneStateAreIdentical) {
    Bytes image = NewAccountFile();
    image.resize(128 * 5, 0);
    PutRecord(image, 1, "", "20260201", 2026, 32, "a");
    PutRecord(image, 3, "", "20260202", 2026, 33, "b");
    Account account;
    ASSERT_TRUE(LoadAccountImage(image.data(), image.size(), account));
    Bytes first, second;
    BuildAccountImage(account, first);
    BuildAccountImage(account, second);
    EXPECT_EQ(first, image);
    EXPECT_EQ(second, first);
}

}  // namespace

namespace {

// One buffer serves saves of any size in turn: a smaller account after a
// larger one gives its own bytes only, a larger one after it grows the buffer.
TEST(AccountImage, AReusedBufferHoldsOnlyTheLatestImage) {
    Account big, small;
    Bytes bigImage = ValidImage(128 * 6);
    PutRecord(bigImage, 4, "", "20260301", 2026, 60, "last");
    ASSERT_TRUE(LoadAccountImage(bigImage.data(), bigImage.size(), big));
    small.CreateInMemory("Checking", 100.0, "20260115", 2026, 15);
    AccountImage image;
    for (Account* account : {&big, &small, &big}) {
        ASSERT_TRUE(BuildAccountImage(*account, image));
        std::vector<unsigned char> fresh;
        BuildAccountImage(*account, fresh);
        EXPECT_EQ(Bytes(image.bytes.get(), image.bytes.get() + image.size), fresh);
    }
    EXPECT_EQ(image.size, 128u * 6);
    EXPECT_EQ(image.capacity, 128u * 6);
}

}  // namespace

namespace {

// Every piece a write is handed, in order.
struct Pieces {
    std::vector<Bytes> list;
    Bytes Joined() const {
        Bytes all;
        for (const Bytes& piece : list) all.insert(all.end(), piece.begin(), piece.end());
        return all;
    }
};

Pieces WritePieces(Account& account) {
    Pieces pieces;
    std::vector<unsigned char> staging;
    EXPECT_TRUE(WriteAccountImage(account, staging, [&](const unsigned char* bytes, std::size_t size) {
        pieces.list.emplace_back(bytes, bytes + size);
        return true;
    }));
    return pieces;
}

// The image as the list holds it, record by record.
Bytes ListImage(const Account& account) {
    Bytes image(reinterpret_cast<const unsigned char*>(&account.header),
                reinterpret_cast<const unsigned char*>(&account.header) + 128);
    for (RecordNode* node = account.Head(); node; node = node->next) {
        if (node == account.Tail() && IsBlankRecord(*node->record)) break;
        const auto* bytes = reinterpret_cast<const unsigned char*>(node->record.get());
        image.insert(image.end(), bytes, bytes + 128);
    }
    return image;
}

Bytes NumberedImage(std::size_t records) {
    Bytes image = ValidImage(128 * (records + 1));
    for (std::size_t i = 0; i < records; ++i) {
        char desc[16];
        std::snprintf(desc, sizeof desc, "r%zu", i);
        PutRecord(image, i, i % 4 == 0 ? "R" : "", "20260301", 2026, 60, desc, 1.25, 0);
    }
    return image;
}

// A long account is read into one block, in file order, and goes out again
// as the header and one piece straight from that block.
TEST(AccountImage, AHundredThousandRecordsReadAsOneBlock) {
    const Bytes image = NumberedImage(100000);
    Account account;
    ASSERT_TRUE(LoadAccountImage(image.data(), image.size(), account));
    ASSERT_EQ(account.RecordCount(), 100000u);
    std::size_t i = 0;
    for (RecordNode* node = account.Head(); node; node = node->next, ++i) {
        ASSERT_EQ(std::memcmp(node->record.get(), image.data() + 128 * (i + 1), 128), 0) << "record " << i;
        if (node->next) {
            ASSERT_EQ(node->next->record.get(), node->record.get() + 1) << "record " << i;
        }
    }
    const Pieces pieces = WritePieces(account);
    EXPECT_EQ(pieces.list.size(), 2u);
    EXPECT_EQ(pieces.Joined(), image);
}

// Edits leave records in list order that no longer lie in memory order:
// the pieces still make the list's image, byte for byte, and short runs
// are gathered instead of written one by one.
TEST(AccountImage, AListMixedUpByEditsWritesItsOwnImage) {
    const Bytes image = NumberedImage(3000);
    Account account;
    ASSERT_TRUE(LoadAccountImage(image.data(), image.size(), account));
    RecordNode* node = account.Head();
    for (int step = 0; node && node->next; ++step) {
        if (step % 7 == 0) std::swap(node->record, node->next->record);  // a sort step
        if (step % 11 == 0) CopyFixedText(account.InsertBefore(node)->record->description, "inserted");
        if (step % 13 == 0 && node->next->next) account.Unlink(node->next);
        node = node->next;
    }
    account.AppendRecord();  // the blank row for typing is no transaction

    const Pieces pieces = WritePieces(account);
    EXPECT_EQ(pieces.Joined(), ListImage(account));
    EXPECT_LT(pieces.list.size(), 10u);
    std::vector<unsigned char> built;
    BuildAccountImage(account, built);
    EXPECT_EQ(built, ListImage(account));
}

// A piece the writer refuses ends the image there.
TEST(AccountImage, ARefusedPieceStopsTheWrite) {
    const Bytes image = NumberedImage(3000);
    Account account;
    ASSERT_TRUE(LoadAccountImage(image.data(), image.size(), account));
    std::vector<unsigned char> staging;
    int calls = 0;
    EXPECT_FALSE(WriteAccountImage(account, staging, [&](const unsigned char*, std::size_t) { return ++calls > 1; }));
    EXPECT_EQ(calls, 1);
}

}  // namespace
