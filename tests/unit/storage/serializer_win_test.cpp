#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "storage/atomic_file.h"
#include "storage/deserializer.h"
#include "storage/exceptions.h"
#include "storage/serializer.h"
#include "log_capture.h"
#include "scratch_folder_win.h"

namespace {

const FileBytes kOld{'L', 'D', 'G', 'R', 0, 1, 2};

class SerializerFileTest : public ::testing::Test {
protected:
    void SetUp() override { path = folder.Path("LEDGR1I.LPD"); }
    void TearDown() override { ClearAtomicFileFaultsForTesting(); }

    int SerializerCode(const std::function<void(Serializer&)>& write) {
        try {
            Serializer serializer(path.c_str());
            write(serializer);
            serializer.Commit();
        } catch (const ExceptionsSerializer& e) {
            return e.Code();
        }
        return -1;
    }

    int DeSerializerCode(const FileBytes& content, const std::function<void(DeSerializer&)>& read) {
        WriteFileBytes(path, content);
        try {
            DeSerializer reader(path.c_str());
            read(reader);
        } catch (const ExceptionsDeSerializer& e) {
            return e.Code();
        }
        return -1;
    }

    ScratchFolder folder;
    std::string path;
};

}  // namespace

TEST_F(SerializerFileTest, WritesTheStreamBytesAndReadsThemBack) {
    {
        Serializer serializer(path.c_str());
        serializer.PutString("abc");
        serializer.PutLong(0xEF11ABCDu);
        serializer.PutBool(true);
        serializer.PutString("");
        serializer.PutDouble(-0.5);
        serializer.Commit();
    }
    EXPECT_EQ(ReadFileBytes(path), (FileBytes{3, 0, 0, 0, 'a', 'b', 'c', 0xCD, 0xAB, 0x11, 0xEF, 0xB2, 0xFA,
                                              0xB1, 0xFA, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xE0, 0xBF}));
    EXPECT_EQ(FilesIn(folder.Path()), std::vector<std::string>{"LEDGR1I.LPD"});

    DeSerializer reader(path.c_str());
    EXPECT_EQ(reader.GetString(), "abc");
    EXPECT_EQ(reader.GetLong(), -284054579);
    EXPECT_TRUE(reader.GetBool());
    EXPECT_EQ(reader.GetString(), "");
    EXPECT_EQ(reader.GetDouble(), -0.5);
    EXPECT_THROW(reader.GetLong(), ExceptionsDeSerializer);
}

TEST_F(SerializerFileTest, OldFileStaysUntilCommit) {
    WriteFileBytes(path, kOld);
    {
        Serializer serializer(path.c_str());
        serializer.PutString("new content");
        EXPECT_EQ(ReadFileBytes(path), kOld);
        // Destroyed without Commit, as when Serialize throws half-way.
    }
    EXPECT_EQ(ReadFileBytes(path), kOld);
    EXPECT_EQ(FilesIn(folder.Path()), std::vector<std::string>{"LEDGR1I.LPD"});
}

TEST_F(SerializerFileTest, ReadOnlyFileIsReplaced) {
    WriteFileBytes(path, kOld);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(SerializerCode([](Serializer& s) { s.PutLong(5); }), -1);
    EXPECT_EQ(ReadFileBytes(path), (FileBytes{5, 0, 0, 0}));
    EXPECT_EQ(GetFileAttributesA(path.c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), 0u);
}

TEST_F(SerializerFileTest, FileThatCannotBeCreatedThrowsCode0) {
    path = folder.Path("missing\\LEDGR1I.LPD");
    EXPECT_EQ(SerializerCode([](Serializer&) {}), 0);
    SetAtomicFileFaultsForTesting({.failCreate = true});
    path = folder.Path("LEDGR1I.LPD");
    EXPECT_EQ(SerializerCode([](Serializer&) {}), 0);
}

TEST_F(SerializerFileTest, FailuresThrowTheirCodesAndKeepTheOldFile) {
    struct Case {
        const char* name;
        AtomicFileFaults faults;
        int code;
    };
    const Case cases[] = {
        {"length write fails", {.failWriteNumber = 1}, 1},
        {"text write fails", {.failWriteNumber = 2}, 1},
        {"text write short", {.failWriteNumber = 2, .shortWrite = true}, 2},
        {"number write fails", {.failWriteNumber = 3}, 1},
        {"bool mark short", {.failWriteNumber = 4, .shortWrite = true}, 2},
        {"flush fails at commit", {.failFlush = true}, 1},
        {"move fails at commit", {.failMove = true}, 1},
    };
    for (const Case& c : cases) {
        WriteFileBytes(path, kOld);
        SetAtomicFileFaultsForTesting(c.faults);
        int code = SerializerCode([](Serializer& s) {
            s.PutString("LDGRINFO");
            s.PutLong(0xEF11ABCDu);
            s.PutBool(false);
        });
        EXPECT_EQ(code, c.code) << c.name;
        EXPECT_EQ(ReadFileBytes(path), kOld) << c.name;
        EXPECT_EQ(FilesIn(folder.Path()), std::vector<std::string>{"LEDGR1I.LPD"}) << c.name;
    }
}

TEST_F(SerializerFileTest, FileInUseIsNotReplaced) {
    WriteFileBytes(path, kOld);
    ExclusiveHold hold(path);
    ASSERT_TRUE(hold.Held());
    EXPECT_EQ(SerializerCode([](Serializer& s) { s.PutLong(1); }), 1);
    EXPECT_EQ(FilesIn(folder.Path()), std::vector<std::string>{"LEDGR1I.LPD"});
}

TEST_F(SerializerFileTest, DeSerializerCodes) {
    auto getString = [](DeSerializer& r) { r.GetString(); };
    struct Case {
        const char* name;
        FileBytes content;
        std::function<void(DeSerializer&)> read;
        int code;
    };
    const Case cases[] = {
        {"cut inside a string", {5, 0, 0, 0, 'a', 'b'}, getString, 3},
        {"length beyond the file", {0xF0, 0xFF, 0xFF, 0x7F, 'a', 'b'}, getString, 3},
        {"negative length", {0xFE, 0xFF, 0xFF, 0xFF, 'a', 'b'}, getString, 3},
        {"empty file", {}, [](DeSerializer& r) { r.GetLong(); }, 3},
        {"short double", {1, 2, 3}, [](DeSerializer& r) { r.GetDouble(); }, 3},
        {"bool mark 1", {1, 0, 0, 0}, [](DeSerializer& r) { r.GetBool(); }, 4},
        {"whole string", {2, 0, 0, 0, 'o', 'k'}, getString, -1},
    };
    for (const Case& c : cases) EXPECT_EQ(DeSerializerCode(c.content, c.read), c.code) << c.name;
}

TEST_F(SerializerFileTest, FileThatCannotBeOpenedThrowsCode0) {
    try {
        DeSerializer reader(folder.Path("nothing.lpd").c_str());
        ADD_FAILURE() << "opened a missing file";
    } catch (const ExceptionsDeSerializer& e) {
        EXPECT_EQ(e.Code(), 0);
    }
    WriteFileBytes(path, kOld);
    ExclusiveHold hold(path);
    EXPECT_EQ(DeSerializerCode(kOld, [](DeSerializer&) {}), 0);
}

TEST_F(SerializerFileTest, LogLinesOfTheFileClasses) {
    LogCapture log;
    ASSERT_TRUE(log.Started());
    EXPECT_EQ(SerializerCode([](Serializer& s) { s.PutLong(1); }), -1);  // new file: no attributes to set
    SetAtomicFileFaultsForTesting({.failMove = true});
    EXPECT_EQ(SerializerCode([](Serializer& s) { s.PutLong(1); }), 1);
    EXPECT_EQ(DeSerializerCode({9, 0, 0, 0, 'x'}, [](DeSerializer& r) { r.GetString(); }), 3);
    EXPECT_EQ(log.Messages(), (std::vector<std::string>{
                                  "Serializer::Serializer: SetFileAttributes: error 2",
                                  "Serializer::Commit: the file was not replaced, error 5",
                                  "DeSerializer::GetString: bytesRead not correct",
                              }));
}
