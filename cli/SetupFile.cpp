// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#include "SetupFile.h"

#include "core/FileOps.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vosk::cli {
namespace {

// One more byte than a record tells a long file from a good one without a
// stat; the stat is made only for files that turn out odd, and only then is
// a file read to its end.
constexpr std::size_t kProbe = CarSetup::kFileSize + 1;

std::string Reason(int error) {
    return error == EISDIR ? "is a folder" : std::strerror(error);
}

// An open file, closed on every way out; standard input stays open.
struct Input {
    int fd = -1;
    explicit Input(int descriptor) : fd(descriptor) {}
    Input(const Input &) = delete;
    Input &operator=(const Input &) = delete;
    ~Input() {
        if (fd > STDIN_FILENO) {
            ::close(fd);
        }
    }
};

int OpenNamed(const std::string &path) {
    return path == "-" ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
}

// Reads a file found in a folder: the fast way for the many regular files of
// a setup folder, and never waiting on a named pipe.
bool ReadFolderEntry(const std::string &path, SetupFile &file, std::string &error) {
    const Input in(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (in.fd < 0) {
        error = Reason(errno);
        return false;
    }
    unsigned char bytes[kProbe];
    std::size_t got = 0;
    int readError = 0;
    while (got < kProbe) {
        const ssize_t n = ReadOnce(in.fd, bytes + got, kProbe - got);
        if (n <= 0) {
            readError = n < 0 ? errno : 0;
            break;
        }
        got += static_cast<std::size_t>(n);
        // A regular file reads short only at its end, so a first read of
        // exactly one record is a whole setup file; a file of other sizes is
        // read on to make sure.
        if (got == CarSetup::kFileSize && got == static_cast<std::size_t>(n)) {
            break;
        }
    }
    long long size = static_cast<long long>(got);
    if (readError != 0 || got != CarSetup::kFileSize) {
        struct stat st {};
        if (::fstat(in.fd, &st) != 0) {
            error = Reason(errno);
            return false;
        }
        if (S_ISDIR(st.st_mode)) {
            error = Reason(EISDIR);
            return false;
        }
        if (!S_ISREG(st.st_mode)) {
            error = "is not a regular file";
            return false;
        }
        if (readError != 0) {
            error = Reason(readError);
            return false;
        }
        if (got == kProbe) {
            size = static_cast<long long>(st.st_size);
        }
    }
    file.size = size;
    if (file.Complete()) {
        std::memcpy(file.words, bytes, CarSetup::kFileSize);
    }
    return true;
}

} // namespace

bool ReadSetupFile(const std::string &path, SetupFile &file, std::string &error, Named named) {
    if (named == Named::InFolder) {
        return ReadFolderEntry(path, file, error);
    }
    const Input in(OpenNamed(path));
    if (in.fd < 0) {
        error = Reason(errno);
        return false;
    }
    unsigned char bytes[kProbe];
    int readError = 0;
    const std::size_t got = ReadUpTo(in.fd, bytes, kProbe, readError);
    long long size = static_cast<long long>(got);
    if (readError == 0 && got == kProbe) {
        // A longer file: its size says how long, or a pipe is read to its end
        // so that the count is true.
        struct stat st {};
        if (::fstat(in.fd, &st) == 0 && S_ISREG(st.st_mode)) {
            size = static_cast<long long>(st.st_size);
        } else {
            unsigned char rest[65536];
            std::size_t more = 0;
            while (readError == 0 && (more = ReadUpTo(in.fd, rest, sizeof rest, readError)) != 0) {
                size += static_cast<long long>(more);
            }
        }
    }
    if (readError != 0) {
        error = Reason(readError);
        return false;
    }
    file.size = size;
    if (file.Complete()) {
        std::memcpy(file.words, bytes, CarSetup::kFileSize);
    }
    return true;
}

bool ReadWholeFile(const std::string &path, std::string &bytes, std::string &error) {
    const Input in(OpenNamed(path));
    if (in.fd < 0) {
        error = Reason(errno);
        return false;
    }
    bytes.clear();
    unsigned char chunk[65536];
    int readError = 0;
    std::size_t got = 0;
    while (readError == 0 && (got = ReadUpTo(in.fd, chunk, sizeof chunk, readError)) != 0) {
        bytes.append(reinterpret_cast<const char *>(chunk), got);
    }
    if (readError != 0) {
        error = Reason(readError);
        return false;
    }
    return true;
}

std::string SizeProblem(long long size) {
    return std::to_string(size) + (size == 1 ? " byte" : " bytes") + ", a setup file has " +
           std::to_string(CarSetup::kFileSize);
}

} // namespace vosk::cli
