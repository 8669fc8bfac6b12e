#include "storage/account_info.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "storage/exceptions.h"
#include "storage/memory_stream.h"
#include "account_golden.h"
#include "info_file_builder.h"

namespace {

using Bytes = std::vector<unsigned char>;
using namespace info_file_test;

void SetFields(const std::vector<std::string>& fields) {
    for (int i = 0; i < kInfoFieldCount; ++i) AccountInfo::SetField(i, fields[i]);
}

const std::vector<std::string> kSample = {
    "First Harbor Savings", "12 Quay Street\r\nPort Alder", "555-0142", "0042-77193",
    "Checking", "0.25%", "Opened 2019\r\nJoint with M.",
};
const std::vector<std::string> kEmpty(kInfoFieldCount);

class AcctInfoTest : public ::testing::Test {
protected:
    void SetUp() override { AccountInfo::ClearFields(); }
    void TearDown() override { AccountInfo::ClearFields(); }
    AccountInfo info;
};

TEST_F(AcctInfoTest, EmptyFieldsGiveTheGolden44Bytes) {
    MemorySerializer writer;
    info.Serialize(writer);
    EXPECT_EQ(writer.Bytes(), account_golden::EmptyInfoFile());
}

TEST_F(AcctInfoTest, FieldsAreStoredScrambledAndComeBackPlain) {
    SetFields(kSample);
    MemorySerializer writer;
    info.Serialize(writer);
    EXPECT_EQ(Fields(), kSample) << "the fields themselves stay plain";
    EXPECT_EQ(writer.Bytes(), InfoFile("LDGRINFO", 0xEF11ABCDu, kSample));

    AccountInfo::ClearFields();
    MemoryDeSerializer reader(writer.Bytes());
    info.DeSerialize(reader);
    EXPECT_EQ(Fields(), kSample);
    EXPECT_EQ(reader.Position(), writer.Bytes().size());
}

TEST_F(AcctInfoTest, ScramblingKeepsLengthChangesBytesAndReverses) {
    std::string every;
    for (int c = 0; c < 256; ++c) every.push_back(static_cast<char>(c));
    every += every;  // more than one turn of the key
    const std::string stored = AccountInfo::Scramble(every);
    EXPECT_EQ(stored.size(), every.size());
    EXPECT_NE(stored, every);
    EXPECT_EQ(AccountInfo::Unscramble(stored), every);
    // The key starts again at position 0 for every text.
    EXPECT_EQ(AccountInfo::Scramble("abc"), AccountInfo::Scramble("abcdef").substr(0, 3));
    // Byte p depends only on the plain byte and p mod 9.
    const std::string nine = AccountInfo::Scramble(std::string(18, 'x'));
    EXPECT_EQ(nine.substr(0, 9), nine.substr(9, 9));
    EXPECT_EQ(AccountInfo::Scramble(""), "");
}

TEST_F(AcctInfoTest, ForeignOrDamagedFilesAreRefused) {
    std::vector<std::string> first = kEmpty;
    first[0] = "Bank";
    const Bytes valid = InfoFile("LDGRINFO", 0xEF11ABCDu, kSample);
    struct Case {
        const char* name;
        Bytes bytes;
        bool versionError;  // else a stream error
        int code;
    };
    std::vector<Case> cases = {
        {"empty file", {}, false, ExceptionsDeSerializer::kShortRead},
        {"version text lower case", InfoFile("ldgrinfo", 0xEF11ABCDu, kSample), true, 0},
        {"version text last letter", InfoFile("LDGRINFP", 0xEF11ABCDu, kSample), true, 0},
        {"version text short", InfoFile("LDGRINF", 0xEF11ABCDu, kSample), true, 0},
        {"version text long", InfoFile("LDGRINFO!", 0xEF11ABCDu, kSample), true, 0},
        {"version number", InfoFile("LDGRINFO", 0xEF11ABCEu, kSample), true, 1},
        {"version number zero", InfoFile("LDGRINFO", 0, kSample), true, 1},
        {"cut inside the version text", Bytes(valid.begin(), valid.begin() + 7), false,
         ExceptionsDeSerializer::kShortRead},
        {"cut inside the number", Bytes(valid.begin(), valid.begin() + 14), false,
         ExceptionsDeSerializer::kShortRead},
        {"cut inside the first field", Bytes(valid.begin(), valid.begin() + 16 + 4 + 5), false,
         ExceptionsDeSerializer::kShortRead},
        {"cut inside the last length prefix",
         Bytes(valid.begin(), valid.end() - static_cast<long>(kSample[6].size()) - 2), false,
         ExceptionsDeSerializer::kShortRead},
    };
    Bytes beyond = InfoFile("LDGRINFO", 0xEF11ABCDu, {});
    AppendLong(beyond, 0x7FFFFFFF);  // a length far beyond the end
    beyond.insert(beyond.end(), {'a', 'b'});
    cases.push_back({"length prefix beyond the end", beyond, false, ExceptionsDeSerializer::kShortRead});
    Bytes negative = InfoFile("LDGRINFO", 0xEF11ABCDu, {});
    AppendLong(negative, 0xFFFFFFF0u);
    cases.push_back({"negative length prefix", negative, false, ExceptionsDeSerializer::kShortRead});

    for (const Case& c : cases) {
        AccountInfo::ClearFields();
        MemoryDeSerializer reader(c.bytes);
        try {
            info.DeSerialize(reader);
            ADD_FAILURE() << c.name << ": accepted";
        } catch (const ExceptionsAccountInfo& e) {
            EXPECT_TRUE(c.versionError) << c.name;
            EXPECT_EQ(e.Code(), c.code) << c.name;
        } catch (const ExceptionsDeSerializer& e) {
            EXPECT_FALSE(c.versionError) << c.name;
            EXPECT_EQ(e.Code(), c.code) << c.name;
        }
        if (c.versionError) {
            EXPECT_EQ(Fields(), kEmpty) << c.name;
        }
    }
}

TEST_F(AcctInfoTest, AFileCutPartWayKeepsTheFieldsReadSoFar) {
    SetFields(kEmpty);
    AccountInfo::SetField(kInfoNotes, "earlier notes");
    Bytes cut = InfoFile("LDGRINFO", 0xEF11ABCDu, kSample);
    cut.resize(cut.size() - 3);  // inside the last field
    MemoryDeSerializer reader(cut);
    EXPECT_THROW(info.DeSerialize(reader), ExceptionsDeSerializer);
    std::vector<std::string> expected = kSample;
    expected[kInfoNotes] = "earlier notes";
    EXPECT_EQ(Fields(), expected);
}

TEST_F(AcctInfoTest, InfoFileNameInsertsIBeforeTheExtension) {
    const struct { const char* account; const char* info; } cases[] = {
        {"C:\\Docs\\TallwoodWorks\\Ledgerpad\\LEDGR1.LPD", "C:\\Docs\\TallwoodWorks\\Ledgerpad\\LEDGR1I.LPD"},
        {"SAMPLE.LPD", "SAMPLEI.LPD"},
        {".LPD", "I.LPD"},
        {"ab", "Iab"},
        {"", "I"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(info.InfoFileName(c.account), c.info) << c.account;
        EXPECT_EQ(info.FileName(), c.info) << c.account;
    }
}

TEST_F(AcctInfoTest, FieldsAreSharedByEveryObjectAndIndexesAreChecked) {
    AccountInfo dialogCopy;
    dialogCopy.SetField(kInfoPhone, "555-0100");
    EXPECT_EQ(info.GetField(kInfoPhone), "555-0100");
    EXPECT_EQ(info.GetFieldLength(kInfoPhone), 8u);
    for (int bad : {-1, kInfoFieldCount, 1000}) {
        AccountInfo::SetField(bad, "ignored");
        EXPECT_EQ(AccountInfo::GetField(bad), "") << bad;
        EXPECT_EQ(AccountInfo::GetFieldLength(bad), 0u) << bad;
    }
    EXPECT_EQ(Fields()[kInfoPhone], "555-0100");
}

}  // namespace
