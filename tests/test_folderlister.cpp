#include "setup/FolderLister.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

using namespace vosk::test;
namespace fs = std::filesystem;

namespace {

// Runs list(argument) on folder and holds the result against a raw directory
// read of it: exactly the wanted names, in the file system's order. A dozen
// extra wanted entries make a sorted listing unlikely to pass.
void ExpectListing(const std::string &folder, void (FolderLister::*list)(std::string),
                   const std::string &argument, std::set<std::string> wanted) {
    const bool folders = list == &FolderLister::ListFolders;
    for (int i = 0; i < 12; ++i) {
        const std::string name =
            folder + "/z" + std::to_string(i * 7 % 12) + (folders ? "" : ".rvs");
        folders ? MakeDirs(name) : WriteFile(name, "");
        wanted.insert(fs::path(name).filename());
    }
    std::vector<std::string> raw;
    for (const auto &entry : fs::directory_iterator(folder)) {
        if (wanted.count(entry.path().filename())) {
            raw.push_back(entry.path().filename());
        }
    }
    FolderLister lister;
    (lister.*list)(argument);
    EXPECT_EQ(lister.names, raw);
    EXPECT_EQ(lister.names.size(), wanted.size());
}

} // namespace

TEST(FolderLister, ListFilesKeepsMatchingFilesInFileSystemOrder) {
    ScratchWorkdir work;
    const std::string setup = "cars/vosk/setup";
    for (const char *file : {"a.rvs", "b.rvs", "notes.txt", "UPPER.RVS", "a.rvs.tmp-x1Yz2Q"}) {
        WriteFile(setup + "/" + file, "");
    }
    MakeDirs(setup + "/old.rvs");
    fs::create_directory_symlink("old.rvs", setup + "/linked.rvs");
    ExpectListing(setup, &FolderLister::ListFiles, setup + "/*.rvs", {"a.rvs", "b.rvs"});
}

TEST(FolderLister, ListFoldersKeepsDotlessFoldersInFileSystemOrder) {
    ScratchWorkdir work;
    const std::string skins = "cars/vosk/skins";
    for (const char *folder : {"red", "blue", "race.old", "elsewhere"}) {
        MakeDirs(skins + "/" + folder);
    }
    WriteFile(skins + "/readme", "");
    fs::create_directory_symlink("elsewhere", skins + "/linked");
    fs::create_symlink("nowhere", skins + "/dangling");
    ExpectListing(skins, &FolderLister::ListFolders, skins, {"red", "blue", "elsewhere", "linked"});
}

TEST(FolderLister, EachCallReplacesTheListAndMissingFoldersGiveNothing) {
    ScratchWorkdir work;
    MakeDirs("skins/red");
    WriteFile("a.rvs", "");
    FolderLister lister;
    lister.ListFolders("skins");
    lister.ListFiles("*.rvs"); // no folder part: the current folder
    EXPECT_EQ(lister.names, std::vector<std::string>{"a.rvs"});
    lister.ListFolders("missing");
    EXPECT_TRUE(lister.names.empty());
    lister.ListFolders("skins");
    lister.ListFiles("missing/*.rvs");
    EXPECT_TRUE(lister.names.empty());
}
