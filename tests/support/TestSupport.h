#pragma once

#include <string>

class TfrmMain;

namespace vosk::test {

// A fresh empty folder that becomes the process's current folder for the
// lifetime of the object; the previous folder is restored and the scratch
// folder removed afterwards.
class ScratchWorkdir {
public:
    ScratchWorkdir();
    ~ScratchWorkdir();
    ScratchWorkdir(const ScratchWorkdir &) = delete;
    ScratchWorkdir &operator=(const ScratchWorkdir &) = delete;

    const std::string &path() const { return dir; }

private:
    std::string dir;
    std::string previous;
};

// Creates the parent folders of path as needed and writes bytes to it.
void WriteFile(const std::string &path, const std::string &bytes);
// The whole file, or an empty string when it cannot be read.
std::string ReadFile(const std::string &path);
bool Exists(const std::string &path);
void MakeDirs(const std::string &path);

} // namespace vosk::test
