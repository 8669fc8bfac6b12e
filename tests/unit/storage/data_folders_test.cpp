#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "storage/data_folders.h"

namespace {

// Folders that exist, and every test and creation in order.
class FakeFolders : public FolderSystem {
public:
    bool IsFolder(const char* path) override {
        calls.push_back(std::string("test ") + path);
        return existing.count(path) != 0;
    }
    void CreateFolder(const char* path) override {
        calls.push_back(std::string("create ") + path);
        if (!files.count(path)) existing.insert(path);
    }
    std::set<std::string> existing;
    std::set<std::string> files;  // plain files: creating a folder there fails
    std::vector<std::string> calls;
};

}  // namespace

TEST(DataFolders, FirstRunCreatesFourFoldersInOrder) {
    FakeFolders fs;
    DataFolders folders;
    folders.PrepareFolders("Ledgerpad", "D:\\Docs", "A:\\Roam", fs);
    EXPECT_EQ(fs.calls, (std::vector<std::string>{
                            "test A:\\Roam\\TallwoodWorks",
                            "test D:\\Docs\\TallwoodWorks",
                            "create A:\\Roam\\TallwoodWorks",
                            "create D:\\Docs\\TallwoodWorks",
                            "test A:\\Roam\\TallwoodWorks\\Ledgerpad",
                            "test D:\\Docs\\TallwoodWorks\\Ledgerpad",
                            "create A:\\Roam\\TallwoodWorks\\Ledgerpad",
                            "create D:\\Docs\\TallwoodWorks\\Ledgerpad",
                        }));
    EXPECT_EQ(GetAccountsFolder(), "D:\\Docs\\TallwoodWorks\\Ledgerpad\\");
    EXPECT_EQ(GetOptionsFolder(), "A:\\Roam\\TallwoodWorks\\Ledgerpad\\");
    EXPECT_EQ(GetAppDataFolder(), "A:\\Roam");
    EXPECT_EQ(GetDocumentsFolder(), "D:\\Docs");

    fs.calls.clear();
    folders.PrepareFolders("Ledgerpad", "D:\\Docs", "A:\\Roam", fs);
    for (const std::string& call : fs.calls) EXPECT_EQ(call.rfind("test ", 0), 0u) << call;
}

TEST(DataFolders, OnlyMissingFoldersAreCreated) {
    FakeFolders fs;
    fs.existing = {"D:\\Docs\\TallwoodWorks", "A:\\Roam\\TallwoodWorks",
                   "A:\\Roam\\TallwoodWorks\\Ledgerpad"};
    DataFolders().PrepareFolders("Ledgerpad", "D:\\Docs", "A:\\Roam", fs);
    std::vector<std::string> creations;
    for (const std::string& call : fs.calls)
        if (call.rfind("create ", 0) == 0) creations.push_back(call);
    EXPECT_EQ(creations, std::vector<std::string>{"create D:\\Docs\\TallwoodWorks\\Ledgerpad"});
}

TEST(DataFolders, FileInTheWayCountsAsMissingAndIsQuietlyLeft) {
    FakeFolders fs;
    fs.files = {"D:\\Docs\\TallwoodWorks"};
    DataFolders().PrepareFolders("Ledgerpad", "D:\\Docs", "A:\\Roam", fs);
    EXPECT_EQ(fs.existing.count("D:\\Docs\\TallwoodWorks"), 0u);
    EXPECT_EQ(GetAccountsFolder(), "D:\\Docs\\TallwoodWorks\\Ledgerpad\\");
}

TEST(DataFolders, RootsLoseTrailingSeparatorsAndEmptyRootsMeanTheDriveRoot) {
    FakeFolders fs;
    DataFolders().PrepareFolders("Ledgerpad", "D:\\", "", fs);
    EXPECT_EQ(GetAccountsFolder(), "D:\\TallwoodWorks\\Ledgerpad\\");
    EXPECT_EQ(GetOptionsFolder(), "\\TallwoodWorks\\Ledgerpad\\");
    EXPECT_EQ(fs.calls.front(), "test \\TallwoodWorks");
}

TEST(DataFolders, BuiltPathsAreZeroFilledAndCutToTheBuffer) {
    FakeFolders fs;
    DataFolders().PrepareFolders("Ledgerpad", "D:\\Docs", "A:\\Roam", fs);

    char path[kPathSize];
    std::memset(path, 'x', sizeof path);
    BuildAccountPath(path, "LEDGR1.LPD");
    EXPECT_STREQ(path, "D:\\Docs\\TallwoodWorks\\Ledgerpad\\LEDGR1.LPD");
    for (std::size_t i = std::strlen(path); i < sizeof path; ++i) ASSERT_EQ(path[i], '\0') << i;

    BuildAccountPath(path, "");
    EXPECT_STREQ(path, "D:\\Docs\\TallwoodWorks\\Ledgerpad\\");
    BuildOptionsPath(path, "Options.dta");
    EXPECT_STREQ(path, "A:\\Roam\\TallwoodWorks\\Ledgerpad\\Options.dta");

    std::string longName(2000, 'n');
    BuildAccountPath(path, longName.c_str());
    EXPECT_EQ(std::strlen(path), kMaxPathLength);
    EXPECT_EQ(path[kPathSize - 1], '\0');

    char small[10];
    BuildOptionsPath(small, "Options.dta");
    EXPECT_STREQ(small, "A:\\Roam\\T");
}

TEST(DataFolders, OverlongRootsAreCutNotOverflowed) {
    FakeFolders fs;
    std::string root(1500, 'r');
    DataFolders().PrepareFolders("Ledgerpad", root.c_str(), root.c_str(), fs);
    EXPECT_EQ(GetAccountsFolder().size(), kMaxPathLength);
    EXPECT_EQ(GetDocumentsFolder().size(), kMaxPathLength);
    for (const std::string& call : fs.calls) EXPECT_LE(call.size(), kMaxPathLength + 7);
}

// The sample account is copied in only on the start that makes the accounts
// folder; whatever else was missing does not count.
TEST(DataFolders, TellsWhetherTheAccountsFolderWasMissing) {
    struct Case {
        const char* name;
        std::set<std::string> existing;
        bool expected;
    };
    const Case cases[] = {
        {"nothing yet", {}, true},
        {"only the options side", {"A:\\Roam\\TallwoodWorks", "A:\\Roam\\TallwoodWorks\\Ledgerpad"}, true},
        {"maker folders only", {"D:\\Docs\\TallwoodWorks", "A:\\Roam\\TallwoodWorks"}, true},
        {"accounts folder there, options missing",
         {"D:\\Docs\\TallwoodWorks", "D:\\Docs\\TallwoodWorks\\Ledgerpad"}, false},
    };
    for (const Case& c : cases) {
        FakeFolders fs;
        fs.existing = c.existing;
        EXPECT_EQ(DataFolders().PrepareFolders("Ledgerpad", "D:\\Docs", "A:\\Roam", fs), c.expected) << c.name;
        EXPECT_FALSE(DataFolders().PrepareFolders("Ledgerpad", "D:\\Docs", "A:\\Roam", fs)) << c.name << ", again";
    }
}
