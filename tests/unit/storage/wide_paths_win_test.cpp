// A user whose folders are named outside the system's code page: every path
// reaches the system through its wide calls, so the program's folders and
// files land where the names say, not under "?" in their place.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/log.h"
#include "base/wide_path_win.h"
#include "model/account.h"
#include "storage/atomic_file.h"
#include "storage/data_file.h"
#include "storage/data_folders.h"
#include "storage/options.h"
#include "ui/storage_messages.h"
#include "scratch_folder_win.h"

namespace {

// "Пользователь" ("user"), as Wine names the profile folder of such a user.
const std::string kUser =
    "\xD0\x9F\xD0\xBE\xD0\xBB\xD1\x8C\xD0\xB7\xD0\xBE\xD0\xB2\xD0\xB0\xD1\x82\xD0\xB5\xD0\xBB\xD1\x8C";
// "Выписка.txt" ("statement"), a file the user names.
const std::string kStatement = "\xD0\x92\xD1\x8B\xD0\xBF\xD0\xB8\xD1\x81\xD0\xBA\xD0\xB0.txt";

TEST(WidePath, WidensUtf8AndRefusesWhatIsNot) {
    EXPECT_EQ(WidePath("C:\\" + kUser),
              L"C:\\\u041F\u043E\u043B\u044C\u0437\u043E\u0432\u0430\u0442\u0435\u043B\u044C");
    // A name cut inside a character, or in a single-byte code page, names
    // no file at all rather than another one.
    EXPECT_EQ(WidePath(kUser.substr(0, 3)), L"");
    EXPECT_EQ(WidePath("C:\\\xCF\xEE"), L"");
    EXPECT_EQ(NarrowPath(L"C:\\\u041F"), "C:\\\xD0\x9F");

    char small[4];
    EXPECT_FALSE(NarrowPath(L"C:\\\u041F", small));
    EXPECT_STREQ(small, "");
}

// The "cannot start" message names the options file: the program's texts
// are code page 1252, the path UTF-8, and the box shows both as they are.
TEST(WidePath, AMessageShowsThePathsRealCharacters) {
    const std::wstring text = WideMessage("Options could not be read:\n", ("C:\\users\\" + kUser).c_str(),
                                          "\n\n\x93Invalid name.\x94");
    EXPECT_EQ(text, L"Options could not be read:\nC:\\users\\\u041F\u043E\u043B\u044C\u0437\u043E\u0432"
                    L"\u0430\u0442\u0435\u043B\u044C\n\n\u201CInvalid name.\u201D");
}

class CyrillicFolder : public ::testing::Test {
protected:
    void TearDown() override {
        SetDataRootsForTesting(nullptr, nullptr);
        StopLogForTesting();
    }

    ScratchFolder folder{kUser + "-"};
    MessageBoxCapture boxes;
};

TEST_F(CyrillicFolder, TheDataFoldersAndTheOptionsFileAreMadeThere) {
    const std::string documents = folder.Path("Documents");
    const std::string appData = folder.Path("AppData");
    ASSERT_TRUE(CreateDirectoryW(WidePath(documents).c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(WidePath(appData).c_str(), nullptr));
    SetDataRootsForTesting(documents.c_str(), appData.c_str());

    EXPECT_TRUE(DataFolders().PrepareFolders("Ledgerpad")) << "a first start";
    EXPECT_TRUE(FolderExists(documents + "\\TallwoodWorks\\Ledgerpad"));
    EXPECT_TRUE(FolderExists(appData + "\\TallwoodWorks\\Ledgerpad"));
    EXPECT_EQ(GetAccountsFolder(), documents + "\\TallwoodWorks\\Ledgerpad\\");

    char optionsPath[kPathSize];
    BuildOptionsPath(optionsPath, kOptionsFileName);
    std::string failure;
    Options first;
    ASSERT_TRUE(first.LoadOptions(optionsPath, GetAccountsFolder().c_str(), &failure)) << failure;
    EXPECT_EQ(first.DefaultsWrite(), FileWriteResult::Written);
    EXPECT_EQ(ReadFileBytes(optionsPath).size(), 813u);

    Options again;
    EXPECT_TRUE(again.LoadOptions(optionsPath, GetAccountsFolder().c_str(), &failure)) << failure;
    EXPECT_FALSE(DataFolders().PrepareFolders("Ledgerpad")) << "the folders are found the next time";
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(CyrillicFolder, AnAccountIsWrittenAndReadBack) {
    const std::string path = folder.Path("LEDGR1.LPD");
    Account account;
    account.CreateInMemory("Checking", 100.0, "20260115", 2026, 15);
    DataFile file;
    ASSERT_TRUE(WriteAccountFile(file, path.c_str(), account));
    EXPECT_EQ(FilesIn(folder.Path()), std::vector<std::string>{"LEDGR1.LPD"});

    Account reopened;
    ASSERT_TRUE(ReadAccountFile(file, path.c_str(), reopened));
    EXPECT_STREQ(reopened.header.name, "Checking");
    file.CloseFile();
    EXPECT_TRUE(boxes.Boxes().empty());
}

// A file the user names in Cyrillic (an export) is replaced as any other,
// and a leftover of a crash beside it is found and removed.
TEST_F(CyrillicFolder, AFileNamedInCyrillicIsReplacedWithoutLeftovers) {
    const std::string target = folder.Path(kStatement);
    WriteFileBytes(target, FileBytes{'o', 'l', 'd'});
    WriteFileBytes(target + ".~lp0A1B2C3D.tmp", FileBytes(10, 'x'));
    unsigned long error = 99;
    ASSERT_TRUE(ReplaceFileContents(target.c_str(), "new", 3, &error)) << error;
    EXPECT_EQ(ReadFileBytes(target), (FileBytes{'n', 'e', 'w'}));
    EXPECT_EQ(FilesIn(folder.Path()), std::vector<std::string>{kStatement});
}

TEST_F(CyrillicFolder, TheLogGoesBesideAProgramInstalledThere) {
    ASSERT_TRUE(StartLog(folder.Path("probe.txt").c_str(), folder.Path("Ledgerpad.exe").c_str()));
    EXPECT_EQ(std::string(LogFilePath()), folder.Path("Log.txt"));
    ASSERT_TRUE(WriteLog("saved %s", kStatement.c_str()));
    const FileBytes log = ReadFileBytes(folder.Path("Log.txt"));
    EXPECT_NE(std::string(log.begin(), log.end()).find("saved " + kStatement), std::string::npos);
}

}  // namespace
