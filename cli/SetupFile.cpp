#include "SetupFile.h"

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

} // namespace

bool ReadSetupFile(const std::string &path, SetupFile &file, std::string &error) {
    // O_NONBLOCK: a named pipe that carries a setup's name must not hang us.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        error = Reason(errno);
        return false;
    }
    unsigned char bytes[kProbe];
    std::size_t got = 0;
    int readError = 0;
    while (got < kProbe) {
        const ssize_t n = ::read(fd, bytes + got, kProbe - got);
        if (n < 0 && errno == EINTR) {
            continue;
        }
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
    bool ok = readError == 0;
    if (ok && got != CarSetup::kFileSize) {
        struct stat st {};
        if (::fstat(fd, &st) != 0) {
            readError = errno;
            ok = false;
        } else if (S_ISDIR(st.st_mode)) {
            readError = EISDIR;
            ok = false;
        } else if (!S_ISREG(st.st_mode)) {
            error = "is not a regular file";
            ::close(fd);
            return false;
        } else if (got == kProbe) {
            size = static_cast<long long>(st.st_size);
        }
    }
    ::close(fd);
    if (!ok) {
        error = Reason(readError);
        return false;
    }
    file.size = size;
    if (file.Complete()) {
        std::memcpy(file.words, bytes, CarSetup::kFileSize);
    }
    return true;
}

std::string SizeProblem(long long size) {
    return std::to_string(size) + (size == 1 ? " byte" : " bytes") + ", a setup file has " +
           std::to_string(CarSetup::kFileSize);
}

} // namespace vosk::cli
