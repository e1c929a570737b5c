#include "core/FileOps.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <exception>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

// Files are written the way a careful desktop editor writes them: the bytes go
// to a temporary file beside the target, which takes the target's name only
// once it is whole, so a process killed half-way leaves either the old file or
// the new one, never a torn one. Where the file system allows it the
// temporary has no name at all until then (O_TMPFILE), so a kill leaves
// nothing behind either, but for one instant of a replace; the next save of
// the same file removes what that instant left. There is no fsync: the files
// are small user settings, and surviving a power cut is not worth the stall
// in the window.

namespace vosk {
namespace {

// Named temporary files are "<name>.tmp-<process id>-XXXXXX". They must
// never end in the setup extension, or a temporary would show up in the
// setup list; the process id tells a temporary whose maker was killed from
// one that is still being written.
constexpr char kTempMark[] = ".tmp-";
constexpr std::size_t kRandomChars = 6;

// The kernel's own limit on links followed in one path lookup.
constexpr int kMaxLinkHops = 40;

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

// A path that names a folder, or nothing, can never become a file.
bool NamesAFile(const std::string &path) {
    return !path.empty() && path.back() != '/';
}

// The folder part of path with its slash ("" for a bare name).
std::string FolderOf(const std::string &path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Follows path through symbolic links, a chain of them included, to the file
// the bytes belong in; each relative link is read from its own folder. The
// result may not exist (a dangling link). False for a loop or an unreadable
// link.
bool FollowLinks(const std::string &path, std::string &target) {
    target = path;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat st {};
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
            return false;
        }
        to.resize(static_cast<std::size_t>(n));
        target = to.front() == '/' ? to : FolderOf(target) + to;
    }
    return false;
}

// Replaces the trailing X's of pattern with random letters and digits.
void Randomise(std::string &pattern) {
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
    for (std::size_t i = 0; i < kRandomChars; ++i) {
        pattern[pattern.size() - kRandomChars + i] = kChars[random[i] % (sizeof kChars - 1)];
    }
}

// Gives a temporary file a fresh name beside target with make(name), which
// fails with EEXIST on a taken name and is tried again. A name that would
// grow too long with the suffix falls back to a short name in the same
// folder, which keeps the final rename or link on the same file system.
template <typename Make> int NameBeside(const std::string &target, std::string &temp, Make make) {
    for (const std::string &base : {target, FolderOf(target)}) {
        for (int attempt = 0; attempt < 100; ++attempt) {
            temp = base + kTempMark + std::to_string(::getpid()) + '-' +
                   std::string(kRandomChars, 'X');
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
    return -1;
}

// How putting bytes under a name through a temporary file ended.
enum class Put { kDone, kFailed, kNoTemporary, kTryNamed };

// Gives the whole unnamed temporary fd the name target. A replace that finds
// something there (it may have appeared since the caller looked) links the
// file under a temporary name and renames that over target: only the instant
// between those two calls can leave a whole temporary file behind. kTryNamed
// when linking through /proc is not possible here.
Put PublishUnnamed(int fd, const std::string &target, bool replace, bool exists) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    const auto linkAs = [&self](const std::string &name) {
        return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW);
    };
    if (!replace || !exists) {
        if (linkAs(target) == 0) {
            return Put::kDone;
        }
        if (errno != EEXIST) {
            return Put::kTryNamed;
        }
        if (!replace) {
            return Put::kFailed;
        }
    }
    std::string temp;
    if (NameBeside(target, temp, [&](std::string &name) {
            Randomise(name);
            return linkAs(name);
        }) != 0) {
        return Put::kTryNamed;
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        ::unlink(temp.c_str());
        return Put::kFailed;
    }
    return Put::kDone;
}

// Used when the file system cannot make hard links: O_EXCL still refuses an
// existing target, and a target we created but could not fill is removed.
bool CreateExclusive(const std::string &to, const void *data, std::size_t size) {
    const int fd = ::open(to.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    bool ok = WriteAll(fd, data, size);
    ok = (::close(fd) == 0) && ok;
    if (!ok) {
        ::unlink(to.c_str());
    }
    return ok;
}

// The named temporary of file systems without O_TMPFILE or without /proc.
// A kill between its creation and the final rename or link leaves it behind.
Put PublishNamed(const std::string &target, const void *data, std::size_t size, mode_t mode,
                 bool replace) {
    std::string temp;
    const int fd = NameBeside(target, temp,
                              [](std::string &name) { return ::mkostemp(name.data(), O_CLOEXEC); });
    if (fd < 0) {
        return (errno == EACCES || errno == EPERM) ? Put::kNoTemporary : Put::kFailed;
    }
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, data, size);
    // A failed close can mean the data never reached the file (NFS, quota).
    ok = (::close(fd) == 0) && ok;
    int error = 0;
    if (ok && replace) {
        ok = ::rename(temp.c_str(), target.c_str()) == 0;
    } else if (ok) {
        // link, unlike rename, fails when target already exists.
        ok = ::link(temp.c_str(), target.c_str()) == 0;
        error = errno;
    }
    if (!ok || !replace) {
        ::unlink(temp.c_str());
    }
    const bool noLinks = error == EPERM || error == ENOTSUP || error == EOPNOTSUPP ||
                         error == EXDEV || error == ENOSYS;
    return ok || (noLinks && CreateExclusive(target, data, size)) ? Put::kDone : Put::kFailed;
}

// Writes the bytes to a temporary file in target's folder with the given
// permission bits and gives it the name target, replacing what is there only
// when replace is set. exists says whether target existed a moment ago.
Put PutThroughTemp(const std::string &target, const void *data, std::size_t size, mode_t mode,
                   bool replace, bool exists) {
    const std::string folder = FolderOf(target);
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    if (fd >= 0) {
        // The umask applied to the mode given to open; the kept bits of an
        // existing file must not lose anything to it.
        Put put = (::fchmod(fd, mode) == 0 && WriteAll(fd, data, size))
                      ? PublishUnnamed(fd, target, replace, exists)
                      : Put::kFailed;
        ::close(fd);
        if (put != Put::kTryNamed) {
            return put;
        }
    } else if (errno == EACCES || errno == EPERM) {
        return Put::kNoTemporary;
    } else if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
        return Put::kFailed;
    }
    return PublishNamed(target, data, size, mode, replace);
}

// The folder lets no new name in (a read-only folder holding a writable
// file), so the save can only overwrite the file where it stands. This is the
// one case in which a kill or a full disk half-way can tear the file. Writing
// over the old bytes before cutting the file to length, rather than emptying
// it first, keeps a same-sized save from ever needing new disk space.
bool OverwriteInPlace(const std::string &target, const void *data, std::size_t size) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && WriteAll(fd, data, size) &&
              ::ftruncate(fd, static_cast<off_t>(size)) == 0;
    ok = (::close(fd) == 0) && ok;
    return ok;
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

// The process id in a temporary's name, prefix + id + "-XXXXXX"; 0 when name
// is no such name.
pid_t MakerOf(const std::string &name, const std::string &prefix) {
    const std::size_t at = prefix.size(), dash = name.find('-', at);
    if (name.compare(0, at, prefix) != 0 || dash == std::string::npos || dash == at ||
        dash > at + 9 || name.find_first_not_of("0123456789", at) != dash ||
        name.size() != dash + 1 + kRandomChars) {
        return 0;
    }
    return static_cast<pid_t>(std::stol(name.substr(at, dash - at)));
}

// Removes the temporaries of target that killed processes left: a whole one
// from the instant between naming and renaming, or, without O_TMPFILE, one
// from anywhere in the write. Once its maker is gone nobody can publish such
// a file any more. A process of another machine or pid namespace sharing the
// folder looks gone too: its save then fails and leaves the old file whole.
void RemoveOrphanedTemps(const std::string &target) {
    const std::string folder = FolderOf(target);
    DIR *dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) {
        return;
    }
    const std::string own = target.substr(folder.size()) + kTempMark;
    while (const dirent *entry = ::readdir(dir)) {
        pid_t maker = MakerOf(entry->d_name, own);
        maker = maker ? maker : MakerOf(entry->d_name, kTempMark); // the shortened form
        if (maker > 0 && ::kill(maker, 0) != 0 && errno == ESRCH) {
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
        }
    }
    ::closedir(dir);
}

} // namespace

bool ReplaceFile(const std::string &path, const void *data, std::size_t size) {
    // A link is the user's way of keeping the file elsewhere: the link stays
    // and its target gets the bytes. A dangling link gets its target created,
    // as a plain fopen through it would: refusing would leave a choice that
    // can never be remembered until the user makes the file by hand.
    std::string target;
    if (!NamesAFile(path) || !FollowLinks(path, target) || !NamesAFile(target)) {
        return false;
    }
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    // A folder or device under the name stays what it is, and so does a file
    // the user has made read-only, although its folder would let a rename
    // replace it.
    if (exists &&
        (!S_ISREG(st.st_mode) || ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)) {
        return false;
    }
    // Keep the permissions the user gave the old file; a new one gets the
    // same permissions as any file the program creates.
    const mode_t mode = exists ? static_cast<mode_t>(st.st_mode & 0777) : FreshFileMode();
    switch (PutThroughTemp(target, data, size, mode, true, exists)) {
    case Put::kDone:
        RemoveOrphanedTemps(target);
        return true;
    case Put::kNoTemporary:
        return exists && OverwriteInPlace(target, data, size);
    default:
        return false;
    }
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

bool CreateFileNoReplace(const std::string &path, const void *data, std::size_t size) {
    return NamesAFile(path) &&
           PutThroughTemp(path, data, size, FreshFileMode(), false, false) == Put::kDone;
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
