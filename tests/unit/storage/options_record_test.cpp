#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "storage/options_record.h"

namespace {

using Image = std::vector<unsigned char>;

Image Encoded(const OptionsRecord& record) {
    unsigned char image[kOptionsRecordSize];
    EncodeOptionsRecord(record, image);
    return Image(image, image + kOptionsRecordSize);
}

OptionsRecord WithTexts(const char* mostRecent, const char* password) {
    OptionsRecord record = DefaultOptionsRecord();
    std::strcpy(record.mostRecent, mostRecent);
    std::strcpy(record.password, password);
    return record;
}

void PutInt32(Image& image, std::size_t offset, std::int32_t value) {
    for (int i = 0; i < 4; ++i) image[offset + i] = static_cast<unsigned char>(static_cast<std::uint32_t>(value) >> (8 * i));
}

}  // namespace

TEST(OptionsRecordKey, IsTheReleasedConstant) {
    // Changing these bytes makes every saved password unreadable.
    const unsigned char released[9] = {0x5A, 0x17, 0xC3, 0x3E, 0x91, 0x6D, 0xA8, 0x24, 0xF5};
    EXPECT_EQ(std::memcmp(kOptionsKey, released, 9), 0);
}

TEST(OptionsRecordImage, DefaultsGiveTheFirstStartFile) {
    Image image = Encoded(DefaultOptionsRecord());
    ASSERT_EQ(image.size(), 813u);
    const Image head{0xFD, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0,
                     0, 0, 0, 0, 0, 0, 0, 0, 0x20, 0x03, 0, 0, 0x58, 0x02, 0, 0};
    EXPECT_EQ(Image(image.begin(), image.begin() + 32), head);
    // The empty path: its NUL less K[0], then the fill seeded with length 0.
    EXPECT_EQ(Image(image.begin() + 32, image.begin() + 38), (Image{0xA6, 38, 99, 156, 151, 219}));
    // No password: nine zero bytes less the key.
    EXPECT_EQ(Image(image.begin() + 804, image.end()),
              (Image{0xA6, 0xE9, 0x3D, 0xC2, 0x6F, 0x93, 0x58, 0xDC, 0x0B}));
    OptionsRecord back{};
    ASSERT_TRUE(DecodeOptionsRecord(image.data(), image.size(), back));
    const OptionsRecord defaults = DefaultOptionsRecord();
    EXPECT_EQ(std::memcmp(&back, &defaults, sizeof back), 0) << "defaults load as valid";
}

TEST(OptionsRecordImage, PasswordIsStoredLessTheKeyOverAllNineBytes) {
    struct Case {
        const char* password;
        Image stored;
    };
    const Case cases[] = {
        {"ab", {0x07, 0x4B, 0x3D, 0xC2, 0x6F, 0x93, 0x58, 0xDC, 0x0B}},
        {"12345678", {0xD7, 0x1B, 0x70, 0xF6, 0xA4, 0xC9, 0x8F, 0x14, 0x0B}},
    };
    for (const Case& c : cases) {
        Image image = Encoded(WithTexts("", c.password));
        EXPECT_EQ(Image(image.begin() + 804, image.end()), c.stored) << c.password;
        OptionsRecord back{};
        ASSERT_TRUE(DecodeOptionsRecord(image.data(), image.size(), back));
        EXPECT_STREQ(back.password, c.password);
    }
}

TEST(OptionsRecordImage, MostRecentPathIsScrambledThenFilledByItsLength) {
    Image image = Encoded(WithTexts("a", ""));
    EXPECT_EQ(image[32], static_cast<unsigned char>('a' - 0x5A));
    EXPECT_EQ(image[33], static_cast<unsigned char>(0 - 0x17));
    EXPECT_EQ(Image(image.begin() + 34, image.begin() + 39), (Image{41, 179, 238, 84, 119}));
    for (std::size_t i = 34; i < 804; ++i) ASSERT_LT(image[i], 254) << i;

    // The key index runs over K[0..7] only: byte 8 of the path uses K[0] again.
    Image nine = Encoded(WithTexts("AAAAAAAAA", ""));
    EXPECT_EQ(nine[32 + 8], static_cast<unsigned char>('A' - 0x5A));
    EXPECT_EQ(nine[32 + 7], static_cast<unsigned char>('A' - 0x24));
}

TEST(OptionsRecordImage, EqualStatesGiveEqualFilesAndLengthsChangeTheFill) {
    const char* path = "C:\\Docs\\TallwoodWorks\\Ledgerpad\\LEDGR1.LPD";
    EXPECT_EQ(Encoded(WithTexts(path, "pw")), Encoded(WithTexts(path, "pw")));
    // Equal lengths, different texts: the same fill.
    Image one = Encoded(WithTexts("C:\\A\\LEDGR1.LPD", ""));
    Image other = Encoded(WithTexts("C:\\B\\LEDGR2.LPD", ""));
    EXPECT_TRUE(std::equal(one.begin() + 48, one.begin() + 804, other.begin() + 48));
    Image longer = Encoded(WithTexts("C:\\A\\LEDGR10.LPD", ""));
    EXPECT_FALSE(std::equal(one.begin() + 49, one.begin() + 804, longer.begin() + 49));
}

TEST(OptionsRecordImage, TextsRoundTrip) {
    std::string longest(771, 'p');
    const char* paths[] = {"", "C:\\x", "D:\\Old\\LEDGR1.LPD", longest.c_str(), "\xff\x01\x80"};
    const char* passwords[] = {"", "a", "ab", "1234567", "12345678", "\xff\x80"};
    for (const char* path : paths) {
        for (const char* password : passwords) {
            OptionsRecord record = WithTexts(path, password);
            record.dateFormat = 2;
            record.showState = 3;
            record.left = -40;
            record.top = 17;
            record.width = 1024;
            record.height = 700;
            Image image = Encoded(record);
            OptionsRecord back{};
            ASSERT_TRUE(DecodeOptionsRecord(image.data(), image.size(), back));
            EXPECT_EQ(std::memcmp(&back, &record, sizeof back), 0) << path << " / " << password;
        }
    }
}

TEST(OptionsRecordValidity, WrongSizesAndValuesAreRefused) {
    Image good = Encoded(DefaultOptionsRecord());
    struct Case {
        const char* name;
        Image image;
    };
    std::vector<Case> cases;
    cases.push_back({"812 bytes", Image(good.begin(), good.end() - 1)});
    Image longer = good;
    longer.push_back(0);
    cases.push_back({"814 bytes", longer});
    cases.push_back({"empty", Image{}});
    auto changed = [&good](std::size_t offset, std::int32_t value) {
        Image image = good;
        PutInt32(image, offset, value);
        return image;
    };
    cases.push_back({"signature 0", changed(0, 0)});
    cases.push_back({"signature -2", changed(0, -2)});
    cases.push_back({"date format 4", changed(4, 4)});
    cases.push_back({"date format -1", changed(4, -1)});
    cases.push_back({"show state 2", changed(8, 2)});
    cases.push_back({"show state 0", changed(8, 0)});
    cases.push_back({"saved show state 2", changed(12, 2)});
    for (const Case& c : cases) {
        OptionsRecord out = WithTexts("untouched", "keep");
        EXPECT_FALSE(DecodeOptionsRecord(c.image.data(), c.image.size(), out)) << c.name;
        EXPECT_STREQ(out.mostRecent, "untouched") << c.name;
    }
    for (std::int32_t format = 0; format < 4; ++format) {
        Image image = changed(4, format);
        OptionsRecord out{};
        EXPECT_TRUE(DecodeOptionsRecord(image.data(), image.size(), out)) << format;
        EXPECT_EQ(out.dateFormat, format);
    }
}

TEST(OptionsRecordValidity, UnterminatedTextsAreCutAtTheirWidth) {
    Image image = Encoded(DefaultOptionsRecord());
    // Stored bytes that all unscramble to 'z': no NUL anywhere.
    for (std::size_t i = 0; i < kPathSize; ++i)
        image[32 + i] = static_cast<unsigned char>('z' - kOptionsKey[i % 8]);
    for (std::size_t i = 0; i < kPasswordSize; ++i)
        image[804 + i] = static_cast<unsigned char>('q' - kOptionsKey[i]);
    OptionsRecord out{};
    ASSERT_TRUE(DecodeOptionsRecord(image.data(), image.size(), out));
    EXPECT_EQ(strnlen(out.mostRecent, kPathSize), kMaxPathLength);
    EXPECT_STREQ(out.password, "qqqqqqqq");
}

TEST(OptionsRecordValidity, BytesAfterTheNulAreCleared) {
    Image image = Encoded(WithTexts("ab", "x"));
    image[804 + 5] = 0x77;  // garbage after the password's NUL
    OptionsRecord out{};
    ASSERT_TRUE(DecodeOptionsRecord(image.data(), image.size(), out));
    for (std::size_t i = 2; i < kPathSize; ++i) ASSERT_EQ(out.mostRecent[i], 0) << i;
    for (std::size_t i = 1; i < kPasswordSize; ++i) ASSERT_EQ(out.password[i], 0) << i;
}

TEST(OptionsRecordMostRecent, RebuiltInTheAccountsFolderFromItsLastComponent) {
    const char* folder = "C:\\Users\\me\\Documents\\TallwoodWorks\\Ledgerpad\\";
    struct Case {
        const char* stored;
        std::string rebuilt;
    };
    const std::string in = folder;
    const Case cases[] = {
        {"D:\\Old\\LEDGR1.LPD", in + "LEDGR1.LPD"},
        {"LEDGR1.LPD", in + "LEDGR1.LPD"},
        {"", ""},
        {"D:/Old/SAMPLE.LPD", in + "SAMPLE.LPD"},
        {"D:\\Old/sub\\..\\..\\evil/LEDGR2.LPD", in + "LEDGR2.LPD"},
        {"C:LEDGR3.LPD", in + "LEDGR3.LPD"},
        {"D:\\Old\\", ""},
        {"D:\\Old\\..", ""},
        {"..", ""},
        {"D:\\Old\\.", ""},
    };
    for (const Case& c : cases) {
        char path[kPathSize] = {};
        std::strcpy(path, c.stored);
        RebuildMostRecentPath(path, folder);
        EXPECT_EQ(std::string(path), c.rebuilt) << c.stored;
    }
}

TEST(OptionsRecordMostRecent, RebuildIsCutToTheBuffer) {
    std::string folder(765, 'f');
    char path[kPathSize] = {};
    std::strcpy(path, "D:\\Old\\LEDGR1.LPD");
    RebuildMostRecentPath(path, folder.c_str());
    EXPECT_EQ(std::string(path), folder + "LEDGR1");
    EXPECT_EQ(std::strlen(path), kMaxPathLength);
}
