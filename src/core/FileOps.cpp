// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#include "core/FileOps.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <exception>
#include <fcntl.h>
#include <poll.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

// Files are written as databases and careful editors write them: the bytes go
// to a temporary file beside the target, flushed to the disk before it takes
// the target's name, and the folder is flushed after the rename, so neither a
// kill nor a power cut leaves a torn or empty file, only the old or the new.
//
// Where the file system allows, the temporary has no name until it is whole
// (O_TMPFILE), but replacing a name takes one named step (a link under
// "<name>.tmp-XXXXXX", renamed over the target), and a kill between those two
// calls leaves that whole copy behind. It stays: its name is never a setup's,
// and nothing here deletes a file it did not make in the same call, since a
// user's file or another process's live temporary can look just the same, and
// finding leftovers would mean reading the whole folder on every save.

namespace vosk {
namespace {

constexpr char kTempMark[] = ".tmp-";
constexpr std::size_t kRandomChars = 6;

// The kernel's own limit on links followed in one path lookup.
constexpr int kMaxLinkHops = 40;

bool Fail(int error) {
    errno = error;
    return false;
}

// Closes fd after a failed step and removes name, the file this call made
// there, keeping the errno that says why the step failed. Returns -1.
int Abandon(int fd, const std::string &name) {
    const int error = errno;
    ::close(fd);
    if (!name.empty()) {
        ::unlink(name.c_str());
    }
    errno = error;
    return -1;
}

bool WriteAll(int fd, const void *data, std::size_t size) {
    const auto *bytes = static_cast<const unsigned char *>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, bytes, size);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return n < 0 ? false : Fail(EIO);
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

// A path that names a folder, or nothing, can never become a file.
bool NamesAFile(const std::string &path) {
    return path.empty() ? Fail(ENOENT) : path.back() != '/' || Fail(EISDIR);
}

// The folder part of path with its slash ("" for a bare name).
std::string FolderOf(const std::string &path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Follows path through symbolic links, a chain of them included, to the file
// the bytes belong in; each relative link is read from its own folder. The
// result may not exist (a dangling link). False for a loop (ELOOP), an
// unreadable link or a name that can only be a folder.
bool FollowLinks(const std::string &path, std::string &target) {
    target = path;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat st {};
        if (!NamesAFile(target)) {
            return false;
        }
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            return true;
        }
        std::string to(256, '\0');
        ssize_t n = 0;
        while ((n = ::readlink(target.c_str(), to.data(), to.size())) >= 0 &&
               static_cast<std::size_t>(n) == to.size()) {
            to.resize(to.size() * 2);
        }
        if (n <= 0) {
            return n == 0 && Fail(ENOENT);
        }
        to.resize(static_cast<std::size_t>(n));
        target = to.front() == '/' ? to : FolderOf(target) + to;
    }
    return Fail(ELOOP);
}

// Six random letters and digits.
std::string RandomChars() {
    static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    unsigned char random[kRandomChars] = {};
    if (::getrandom(random, sizeof random, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof random)) {
        // No entropy yet: clock and counter still differ per call, and the
        // callers retry on a taken name.
        static unsigned counter = 0;
        timespec now{};
        ::clock_gettime(CLOCK_MONOTONIC, &now);
        const unsigned long long mix =
            static_cast<unsigned long long>(now.tv_nsec) * 2654435761u + ++counter;
        std::memcpy(random, &mix, sizeof random);
    }
    std::string chars(kRandomChars, '\0');
    for (std::size_t i = 0; i < kRandomChars; ++i) {
        chars[i] = kChars[random[i] % (sizeof kChars - 1)];
    }
    return chars;
}

// Gives a temporary file of target a fresh name, temp, with make(temp), which
// fails with EEXIST on a taken name and is tried again. A name that would
// grow too long falls back to the bare suffix in the same folder, which keeps
// the final rename or link on the same file system.
template <typename Make> int NameBeside(const std::string &target, std::string &temp, Make make) {
    for (const std::string &base : {target, FolderOf(target)}) {
        for (int attempt = 0; attempt < 100; ++attempt) {
            temp = base + kTempMark + RandomChars();
            const int result = make(temp);
            if (result >= 0) {
                return result;
            }
            if (errno != EEXIST) {
                break;
            }
        }
        if (errno != ENAMETOOLONG) {
            break;
        }
    }
    temp.clear();
    return -1;
}

// Writes size bytes over the regular file path, opened with the extra flags
// (O_CREAT | O_EXCL: a new file, removed again when it cannot be filled),
// cuts it to that length and flushes it. Returns the open descriptor or -1.
int WriteFlushed(const std::string &path, int flags, const void *data, std::size_t size) {
    const int fd = ::open(path.c_str(), flags | O_WRONLY | O_CLOEXEC | O_NONBLOCK, 0666);
    struct stat st {};
    if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || !WriteAll(fd, data, size) ||
                    ::ftruncate(fd, static_cast<off_t>(size)) != 0 || ::fsync(fd) != 0)) {
        return Abandon(fd, (flags & O_EXCL) ? path : std::string());
    }
    return fd;
}

// Flushes the folder of target, so that a name just given survives a power
// cut. Some file systems refuse to flush a folder; the name is given either
// way, so, as databases do, that refusal is not the save's failure.
void FlushFolder(const std::string &target) {
    const std::string folder = FolderOf(target);
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Writes and flushes the bytes in a new file beside target, with the
// permission bits mode and, when old is given, old's owner and group (root
// may give a file away; anyone else gets EPERM here). The file has no name
// where the file system allows it, else its name is temp. Returns its
// descriptor, or -1.
int WriteTemporary(const std::string &target, const void *data, std::size_t size, mode_t mode,
                   const struct stat *old, std::string &temp) {
    static const bool canLinkUnnamed = ::access("/proc/self/fd", X_OK) == 0;
    const std::string folder = FolderOf(target);
    int fd = -1;
    temp.clear();
    if (canLinkUnnamed) {
        fd = ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    }
    if (fd < 0 && (!canLinkUnnamed || errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
        fd = NameBeside(target, temp, [](const std::string &name) {
            return ::open(name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
        });
    }
    if (fd < 0) {
        return -1;
    }
    struct stat made {};
    // The mode is set after the open because the umask cut it there; the kept
    // bits of an existing file must not lose anything to it.
    if (::fstat(fd, &made) != 0 ||
        (old && (made.st_uid != old->st_uid || made.st_gid != old->st_gid) &&
         ::fchown(fd, old->st_uid, old->st_gid) != 0) ||
        ::fchmod(fd, mode) != 0 || !WriteAll(fd, data, size) || ::fsync(fd) != 0) {
        return Abandon(fd, temp);
    }
    return fd;
}

// Puts the bytes under the name target through a flushed temporary file, then
// flushes the folder. With old (target's status) the file there is replaced;
// without it nothing may stand under the name, unless replace allows a file
// that appeared meanwhile to be replaced.
bool PutThroughTemp(const std::string &target, const void *data, std::size_t size, mode_t mode,
                    const struct stat *old, bool replace) {
    std::string temp;
    const int fd = WriteTemporary(target, data, size, mode, old, temp);
    if (fd < 0) {
        return false;
    }
    bool done = false, renamed = false;
    if (temp.empty()) {
        const std::string self = "/proc/self/fd/" + std::to_string(fd);
        const auto linkAs = [&self](const std::string &name) {
            return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW);
        };
        done = !old && linkAs(target) == 0;
        if (!done && (old || (replace && errno == EEXIST)) &&
            NameBeside(target, temp, linkAs) == 0) {
            done = renamed = ::rename(temp.c_str(), target.c_str()) == 0;
        }
    } else if (replace) {
        done = renamed = ::rename(temp.c_str(), target.c_str()) == 0;
    } else {
        // link, unlike rename, refuses a taken name. A file system without
        // hard links refuses the link itself, and O_EXCL stands in.
        done = ::link(temp.c_str(), target.c_str()) == 0;
        const int made = !done && (errno == EPERM || errno == EOPNOTSUPP || errno == ENOSYS)
                             ? WriteFlushed(target, O_CREAT | O_EXCL, data, size)
                             : -1;
        done = done || (made >= 0 && ::close(made) == 0);
    }
    const int error = errno;
    ::close(fd);
    if (!temp.empty() && !renamed) {
        ::unlink(temp.c_str());
    }
    if (!done) {
        return Fail(error);
    }
    FlushFolder(target);
    return true;
}

// Overwrites the file where it stands. This one path cannot be atomic: a kill
// or a full disk half-way leaves a torn file. Writing over the old bytes
// before cutting the file to length, rather than emptying it first, keeps a
// same-sized save from needing disk space.
bool WriteInPlace(const std::string &target, const void *data, std::size_t size) {
    const int fd = WriteFlushed(target, 0, data, size);
    return fd >= 0 && ::close(fd) == 0;
}

// Opens path for reading when it is a regular file. O_NONBLOCK keeps a named
// pipe that happens to carry a setup's name from hanging the window.
int OpenRegular(const std::string &path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat st {};
    if (fd < 0 || (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode))) {
        return fd;
    }
    ::close(fd);
    errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    return -1;
}

} // namespace

bool ReplaceFile(const std::string &path, const void *data, std::size_t size) {
    // A link is the user's way of keeping the file elsewhere: the link stays
    // and its target gets the bytes. A dangling link gets its target created,
    // as a plain fopen through it would: refusing would leave a choice that
    // can never be remembered until the user makes the file by hand.
    std::string target;
    if (!FollowLinks(path, target)) {
        return false;
    }
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) {
        return errno == ENOENT &&
               PutThroughTemp(target, data, size, FreshFileMode(), nullptr, true);
    }
    // A folder or device under the name stays what it is, and so does a file
    // the user has made read-only, although its folder would let a rename
    // replace it.
    if (!S_ISREG(st.st_mode)) {
        return Fail(S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
    }
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        return false;
    }
    // A second hard link is the user's (a backup folder made with ln), which
    // a rename would split off. It is written where it stands, as is a file
    // that no new file can replace although it is writable itself: in a
    // folder that lets no new name in, a mount point (EBUSY, EXDEV), another
    // user's file in a sticky folder or one whose owner cannot be kept (EPERM).
    if (st.st_nlink == 1 &&
        PutThroughTemp(target, data, size, static_cast<mode_t>(st.st_mode & 0777), &st, true)) {
        return true;
    }
    return (st.st_nlink > 1 || errno == EACCES || errno == EPERM || errno == EBUSY ||
            errno == EXDEV) &&
           WriteInPlace(target, data, size);
}

bool ReplaceFileIfChanged(const std::string &path, const void *data, std::size_t size) {
    // Read at most one byte more than needed: a longer file differs anyway.
    const int fd = OpenRegular(path);
    if (fd >= 0) {
        std::string current(size + 1, '\0');
        int error = 0;
        const std::size_t got = ReadUpTo(fd, current.data(), size + 1, error);
        ::close(fd);
        if (error == 0 && got == size &&
            (size == 0 || std::memcmp(current.data(), data, size) == 0)) {
            return true;
        }
    }
    return ReplaceFile(path, data, size);
}

bool CreateFileNoReplace(const std::string &path, const void *data, std::size_t size) {
    return NamesAFile(path) && PutThroughTemp(path, data, size, FreshFileMode(), nullptr, false);
}

bool CopyFileNoReplace(const std::string &from, const std::string &to) {
    // The copy gets fresh-file permissions rather than the source's, so a
    // read-only original does not give a copy the user cannot save into.
    std::string bytes;
    return NamesAFile(to) && ReadWholeFile(from, bytes) &&
           CreateFileNoReplace(to, bytes.data(), bytes.size());
}

bool ReadWholeFile(const std::string &path, std::string &bytes) {
    const int fd = OpenRegular(path);
    if (fd < 0) {
        return false;
    }
    // Read to the end rather than trusting the size: a file may grow or
    // shrink while it is read.
    std::string content;
    int error = 0;
    try {
        char chunk[16384];
        std::size_t n = 0;
        while ((n = ReadUpTo(fd, chunk, sizeof chunk, error)) > 0) {
            content.append(chunk, n);
            if (n < sizeof chunk) {
                break; // ReadUpTo stops short only at the end or on a failure
            }
        }
    } catch (const std::exception &) {
        error = ENOMEM; // too large to hold in memory
    }
    ::close(fd);
    if (error != 0) {
        return Fail(error);
    }
    bytes.swap(content);
    return true;
}

ssize_t ReadOnce(int fd, void *buffer, std::size_t size) {
    ssize_t n = 0;
    do {
        n = ::read(fd, buffer, size);
    } while (n < 0 && errno == EINTR);
    return n;
}

std::size_t ReadUpTo(int fd, void *buffer, std::size_t size, int &error) {
    auto *bytes = static_cast<unsigned char *>(buffer);
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ReadOnce(fd, bytes + got, size - got);
        if (n < 0 && errno == EAGAIN) {
            pollfd ready{fd, POLLIN, 0};
            if (::poll(&ready, 1, -1) >= 0 || errno == EINTR) {
                continue;
            }
        }
        if (n < 0) {
            error = errno;
        }
        if (n <= 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    return got;
}

bool ReadFilePrefix(const std::string &path, void *buffer, std::size_t size) {
    const int fd = OpenRegular(path);
    if (fd < 0) {
        return false;
    }
    int error = 0;
    const std::size_t got = ReadUpTo(fd, buffer, size, error);
    ::close(fd);
    // A file shorter than asked for has no more data.
    return got == size || Fail(error != 0 ? error : ENODATA);
}

} // namespace vosk
