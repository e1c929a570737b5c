#include "core/FileOps.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Every write here goes to a temporary file first and is published with one
// rename or link, so a process killed half-way leaves either the old file or
// the new one, never a torn one. There is no fsync: the files are small user
// settings, and surviving a power cut is not worth the stall in the window.

namespace vosk {
namespace {

// Suffix of temporary files. It must never end in the setup extension, or a
// half-written temporary would show up in the setup list.
constexpr char kTempSuffix[] = ".tmp-XXXXXX";

bool WriteAll(int fd, const void *data, std::size_t size) {
    const auto *bytes = static_cast<const unsigned char *>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, bytes, size);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        bytes += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// The permissions a file made by a plain fopen would get. The umask is read
// from /proc rather than by setting and restoring it, because setting it even
// briefly would race with any other thread of the host creating files.
mode_t FreshFileMode() {
    unsigned mask = 0;
    bool found = false;
    if (std::FILE *status = std::fopen("/proc/self/status", "re")) {
        char line[256];
        while (!found && std::fgets(line, sizeof line, status)) {
            found = std::sscanf(line, "Umask: %o", &mask) == 1;
        }
        std::fclose(status);
    }
    if (!found) {
        const mode_t current = ::umask(022);
        ::umask(current);
        mask = current;
    }
    return static_cast<mode_t>(0666 & ~mask);
}

// Creates an empty temporary file next to path. A name that would grow too
// long with the suffix falls back to a short name in the same folder, which
// keeps the final rename or link on the same file system.
int MakeTempBeside(const std::string &path, std::string &temp) {
    temp = path + kTempSuffix;
    int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0 && errno == ENAMETOOLONG) {
        const std::size_t slash = path.rfind('/');
        temp =
            (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + kTempSuffix;
        fd = ::mkostemp(temp.data(), O_CLOEXEC);
    }
    return fd;
}

// Writes the bytes to a fresh temporary file beside path and closes it. On
// failure nothing is left on disk.
bool WriteTempBeside(const std::string &path, const void *data, std::size_t size, mode_t mode,
                     std::string &temp) {
    const int fd = MakeTempBeside(path, temp);
    if (fd < 0) {
        return false;
    }
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, data, size);
    // A failed close can mean the data never reached the file (NFS, quota).
    ok = (::close(fd) == 0) && ok;
    if (!ok) {
        ::unlink(temp.c_str());
    }
    return ok;
}

// A path that names a folder, or nothing, can never become a file.
bool NamesAFile(const std::string &path) {
    return !path.empty() && path.back() != '/';
}

// Opens path for reading when it is a regular file. O_NONBLOCK keeps a named
// pipe that happens to carry a setup's name from hanging the window.
int OpenRegular(const std::string &path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Reads up to size bytes, stopping early only at the end of the file.
// Returns the count read, or -1 on a read error.
ssize_t ReadUpTo(int fd, unsigned char *buffer, std::size_t size) {
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::read(fd, buffer + got, size - got);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return -1;
        }
        if (n == 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    return static_cast<ssize_t>(got);
}

// Used when the file system cannot make hard links: O_EXCL still refuses an
// existing target, and a target we created but could not fill is removed.
bool CreateExclusive(const std::string &to, const std::string &bytes) {
    const int fd = ::open(to.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    bool ok = WriteAll(fd, bytes.data(), bytes.size());
    ok = (::close(fd) == 0) && ok;
    if (!ok) {
        ::unlink(to.c_str());
    }
    return ok;
}

} // namespace

bool ReplaceFile(const std::string &path, const void *data, std::size_t size) {
    if (!NamesAFile(path)) {
        return false;
    }
    // Keep the permissions the user gave the old file; a new one gets the
    // same permissions as any file the program creates.
    struct stat st {};
    const mode_t mode = (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
                            ? static_cast<mode_t>(st.st_mode & 0777)
                            : FreshFileMode();
    std::string temp;
    if (!WriteTempBeside(path, data, size, mode, temp)) {
        return false;
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

bool ReplaceFileIfChanged(const std::string &path, const void *data, std::size_t size) {
    // Read at most one byte more than needed: a longer file differs anyway.
    const int fd = OpenRegular(path);
    if (fd >= 0) {
        std::string current(size + 1, '\0');
        const ssize_t got =
            ReadUpTo(fd, reinterpret_cast<unsigned char *>(current.data()), size + 1);
        ::close(fd);
        if (got >= 0 && static_cast<std::size_t>(got) == size &&
            (size == 0 || std::memcmp(current.data(), data, size) == 0)) {
            return true;
        }
    }
    return ReplaceFile(path, data, size);
}

bool CopyFileNoReplace(const std::string &from, const std::string &to) {
    std::string bytes;
    if (!NamesAFile(to) || !ReadWholeFile(from, bytes)) {
        return false;
    }
    // The copy gets fresh-file permissions rather than the source's, so a
    // read-only original does not give a copy the user cannot save into.
    std::string temp;
    if (!WriteTempBeside(to, bytes.data(), bytes.size(), FreshFileMode(), temp)) {
        return false;
    }
    // link, unlike rename, fails when to already exists: the copy never
    // replaces a setup the user already has.
    const bool linked = ::link(temp.c_str(), to.c_str()) == 0;
    const int error = errno;
    ::unlink(temp.c_str());
    if (linked) {
        return true;
    }
    if (error == EPERM || error == ENOTSUP || error == EOPNOTSUPP || error == EXDEV ||
        error == ENOSYS) {
        return CreateExclusive(to, bytes);
    }
    return false;
}

bool CreateFileNoReplace(const std::string &path, const void *data, std::size_t size) {
    std::string temp;
    if (!NamesAFile(path) || !WriteTempBeside(path, data, size, FreshFileMode(), temp)) {
        return false;
    }
    // link, unlike rename, fails when path already exists.
    const bool linked = ::link(temp.c_str(), path.c_str()) == 0;
    const int error = errno;
    ::unlink(temp.c_str());
    if (linked) {
        return true;
    }
    if (error == EPERM || error == ENOTSUP || error == EOPNOTSUPP || error == EXDEV ||
        error == ENOSYS) {
        return CreateExclusive(path, std::string(static_cast<const char *>(data), size));
    }
    errno = error;
    return false;
}

bool ReadWholeFile(const std::string &path, std::string &bytes) {
    const int fd = OpenRegular(path);
    if (fd < 0) {
        return false;
    }
    // Read to the end rather than trusting the size: a file may grow or
    // shrink while it is read.
    std::string content;
    bool ok = true;
    try {
        unsigned char chunk[16384];
        for (;;) {
            const ssize_t n = ReadUpTo(fd, chunk, sizeof chunk);
            if (n < 0) {
                ok = false;
                break;
            }
            content.append(reinterpret_cast<const char *>(chunk), static_cast<std::size_t>(n));
            if (static_cast<std::size_t>(n) < sizeof chunk) {
                break;
            }
        }
    } catch (const std::exception &) {
        ok = false; // too large to hold in memory
    }
    ::close(fd);
    if (ok) {
        bytes.swap(content);
    }
    return ok;
}

bool ReadFilePrefix(const std::string &path, void *buffer, std::size_t size) {
    const int fd = OpenRegular(path);
    if (fd < 0) {
        return false;
    }
    const ssize_t got = ReadUpTo(fd, static_cast<unsigned char *>(buffer), size);
    ::close(fd);
    return got >= 0 && static_cast<std::size_t>(got) == size;
}

} // namespace vosk
