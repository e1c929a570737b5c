#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace vosk::test {

ScratchWorkdir::ScratchWorkdir() {
    previous = fs::current_path().string();
    std::string tmpl = (fs::temp_directory_path() / "vosk-test-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) {
        ADD_FAILURE() << "mkdtemp failed: " << errno;
    }
    dir = tmpl;
    fs::current_path(dir);
}

ScratchWorkdir::~ScratchWorkdir() {
    std::error_code ec;
    fs::current_path(previous, ec);
    // Tests may leave read-only folders behind; make them removable first.
    for (auto it = fs::recursive_directory_iterator(dir, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_directory(ec)) {
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        }
    }
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(dir, ec);
}

void MakeDirs(const std::string &path) {
    std::error_code ec;
    fs::create_directories(path, ec);
}

void WriteFile(const std::string &path, const std::string &bytes) {
    const fs::path p(path);
    if (p.has_parent_path()) {
        MakeDirs(p.parent_path().string());
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << "cannot write " << path;
}

std::string ReadFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Exists(const std::string &path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

} // namespace vosk::test
