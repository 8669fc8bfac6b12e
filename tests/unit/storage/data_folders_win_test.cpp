#include <gtest/gtest.h>

#include <string>

#include "storage/data_folders.h"
#include "scratch_folder_win.h"

namespace {

class DataFoldersOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        documents = folder.Path("Documents");
        appData = folder.Path("AppData");
        CreateDirectoryA(documents.c_str(), nullptr);
        CreateDirectoryA(appData.c_str(), nullptr);
        SetDataRootsForTesting(documents.c_str(), appData.c_str());
    }
    void TearDown() override { SetDataRootsForTesting(nullptr, nullptr); }

    ScratchFolder folder;
    std::string documents;
    std::string appData;
};

}  // namespace

TEST_F(DataFoldersOnDisk, CreatesMakerAndProductFoldersOnBothSides) {
    DataFolders folders;
    folders.PrepareFolders("Ledgerpad");
    EXPECT_TRUE(FolderExists(appData + "\\TallwoodWorks\\Ledgerpad"));
    EXPECT_TRUE(FolderExists(documents + "\\TallwoodWorks\\Ledgerpad"));
    EXPECT_EQ(GetAccountsFolder(), documents + "\\TallwoodWorks\\Ledgerpad\\");
    EXPECT_EQ(GetAppDataFolder(), appData);

    char optionsPath[kPathSize];
    BuildOptionsPath(optionsPath, kOptionsFileName);
    EXPECT_EQ(std::string(optionsPath), appData + "\\TallwoodWorks\\Ledgerpad\\Options.dta");

    // A second run finds everything in place.
    folders.PrepareFolders("Ledgerpad");
    EXPECT_TRUE(FolderExists(documents + "\\TallwoodWorks\\Ledgerpad"));
}

TEST_F(DataFoldersOnDisk, FileInThePlaceOfTheMakerFolderIsLeftAlone) {
    WriteFileBytes(documents + "\\TallwoodWorks", FileBytes{'x'});
    DataFolders().PrepareFolders("Ledgerpad");
    EXPECT_FALSE(FolderExists(documents + "\\TallwoodWorks"));
    EXPECT_EQ(ReadFileBytes(documents + "\\TallwoodWorks"), FileBytes{'x'});
    EXPECT_TRUE(FolderExists(appData + "\\TallwoodWorks\\Ledgerpad"));
    EXPECT_EQ(GetAccountsFolder(), documents + "\\TallwoodWorks\\Ledgerpad\\");
}
