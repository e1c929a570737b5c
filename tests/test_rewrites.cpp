// The short cuts that keep large folders and repeated saves cheap must give
// the same files and the same listings as the long way round.
#include "setup/FileOps.h"
#include "setup/FolderLister.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

using namespace vosk::test;

namespace {

ino_t Inode(const char *path) {
    struct stat st {};
    return ::stat(path, &st) == 0 ? st.st_ino : 0;
}

struct Rewrite {
    const char *name;
    const char *before; // nullptr: no file yet
    bool keepsFile;     // the very same file stays, not a replacement
};

class ReplaceIfChanged : public ::testing::TestWithParam<Rewrite> {
    ScratchWorkdir work;
};

TEST_P(ReplaceIfChanged, LeavesOnlyAnIdenticalFileAlone) {
    const Rewrite &row = GetParam();
    if (row.before) {
        WriteFile("conf.ini", row.before);
    }
    const ino_t inode = Inode("conf.ini");
    EXPECT_TRUE(vosk::ReplaceFileIfChanged("conf.ini", "NAME=a", 6));
    EXPECT_EQ(ReadFile("conf.ini"), "NAME=a");
    EXPECT_EQ(Inode("conf.ini") == inode, row.keepsFile);
}

INSTANTIATE_TEST_SUITE_P(Rows, ReplaceIfChanged,
                         ::testing::Values(Rewrite{"Identical", "NAME=a", true},
                                           Rewrite{"Different", "NAME=b", false},
                                           Rewrite{"LongerWithTheSameStart", "NAME=ab", false},
                                           Rewrite{"Shorter", "NAME=", false},
                                           Rewrite{"Missing", nullptr, false}),
                         [](const auto &row) { return std::string(row.param.name); });

TEST(ReplaceIfChangedOnAFolder, FailsAndLeavesTheFolder) {
    ScratchWorkdir work;
    MakeDirs("conf.ini");
    EXPECT_FALSE(vosk::ReplaceFileIfChanged("conf.ini", "", 0));
    EXPECT_TRUE(std::filesystem::is_directory("conf.ini"));
}

// "*.rvs" is matched by its ending; "*.rv[s]" goes through fnmatch. Both
// must accept the same names, odd ones included.
TEST(ListFilesByEnding, MatchesWhatTheGeneralWildcardMatches) {
    ScratchWorkdir work;
    for (const char *name : {"a.rvs", ".rvs", "\xff\xfe.rvs", "x.rvs.bak", "b.RVS", "rvs"}) {
        WriteFile(std::string("setup/") + name, "");
    }
    MakeDirs("setup/old.rvs");
    FolderLister byEnding;
    byEnding.ListFiles("setup/*.rvs");
    FolderLister general;
    general.ListFiles("setup/*.rv[s]");
    EXPECT_EQ(byEnding.names, general.names);
    EXPECT_EQ(byEnding.names.size(), 3u);
}

} // namespace
