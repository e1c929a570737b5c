#include "setup/FileOps.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

using namespace vosk::test;
namespace fs = std::filesystem;

namespace {

long EntryCount(const std::string &folder) {
    return std::distance(fs::directory_iterator(folder), {});
}

unsigned Permissions(const std::string &path) {
    return static_cast<unsigned>(fs::status(path).permissions());
}

} // namespace

TEST(CopyFileNoReplace, CopiesEveryByteOrRefusesWithoutTouchingAnything) {
    ScratchWorkdir work;
    const std::string bytes("a\0b\r\nc", 6);
    WriteFile("setup/a.rvs", bytes);
    WriteFile("setup/b.rvs", "keep");
    MakeDirs("setup/folder.rvs");
    fs::create_symlink("nowhere.rvs", "setup/dangling.rvs");
    EXPECT_TRUE(vosk::CopyFileNoReplace("setup/a.rvs", "setup/c.rvs"));
    EXPECT_EQ(ReadFile("setup/c.rvs"), bytes);
    const std::pair<const char *, const char *> refused[] = {
        {"setup/a.rvs", "setup/b.rvs"},       {"setup/a.rvs", "setup/dangling.rvs"},
        {"setup/missing.rvs", "setup/d.rvs"}, {"setup/folder.rvs", "setup/d.rvs"},
        {"setup/a.rvs", "gone/d.rvs"},        {"setup/a.rvs", "setup/"}};
    for (const auto &[from, to] : refused) {
        EXPECT_FALSE(vosk::CopyFileNoReplace(from, to)) << from << " to " << to;
    }
    EXPECT_EQ(ReadFile("setup/b.rvs"), "keep");
    EXPECT_FALSE(Exists("setup/nowhere.rvs") || Exists("gone"));
    EXPECT_EQ(EntryCount("setup"), 5); // a, b, c, folder, dangling
}

TEST(ReplaceFile, KeepsTheOldModeAndGivesNewFilesTheUmaskMode) {
    ScratchWorkdir work;
    WriteFile("kept.ini", "old");
    fs::permissions("kept.ini", fs::perms(0604));
    const mode_t previous = ::umask(027);
    const bool replaced = vosk::ReplaceFile("kept.ini", "new", 3);
    const bool created = vosk::ReplaceFile("fresh.ini", "new", 3);
    ::umask(previous);
    ASSERT_TRUE(replaced && created);
    EXPECT_EQ(ReadFile("kept.ini"), "new");
    EXPECT_EQ(Permissions("kept.ini"), 0604u);
    EXPECT_EQ(Permissions("fresh.ini"), 0640u);
}

TEST(ReplaceFile, WritesANameTooLongForTheTemporarySuffix) {
    ScratchWorkdir work;
    const std::string name = "setup/" + std::string(250, 'n') + ".rvs";
    MakeDirs("setup");
    EXPECT_TRUE(vosk::ReplaceFile(name, "abc", 3));
    EXPECT_EQ(ReadFile(name), "abc");
    EXPECT_EQ(EntryCount("setup"), 1);
}
