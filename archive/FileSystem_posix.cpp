#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "FileSystemDetail.h"
#include "TemporaryName.h"

namespace {
#ifdef O_PATH
// Enough to look names up and make files in a folder, even in one that may not be listed.
constexpr int folderAccess = O_PATH;
#else
constexpr int folderAccess = O_RDONLY;
#endif
constexpr int maxLinkHops = 40;
constexpr int nameAttempts = 100;

int Descriptor(const NativeFile& file)
{
    return static_cast<int>(file.handle);
}

int Descriptor(const NativeFolder& folder)
{
    return static_cast<int>(folder.handle);
}

void Adopt(NativeFile& file, int fd)
{
    file = NativeFile();
    file.handle = fd;
}

void Adopt(NativeFolder& folder, int fd, std::string path)
{
    folder = NativeFolder();
    folder.handle = fd;
    folder.path = std::move(path);
}

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Replaces path, a symbolic link, by the path of what it points to.
bool FollowLink(std::string& path)
{
    std::vector<char> text(256);
    for (;;) {
        ssize_t length = ::readlink(path.c_str(), text.data(), text.size());
        if (length <= 0)
            return false;
        if (static_cast<std::size_t>(length) < text.size()) {
            std::string target(text.data(), static_cast<std::size_t>(length));
            path = target.front() == '/' ? target : FolderPart(path) + target;
            return true;
        }
        text.resize(text.size() * 2);
    }
}

// A writer holds a shared lock on its temporary file from the moment it has a name until it
// is renamed; a clean-up removes only what it can lock exclusively. Where the file system
// has no locks, neither side gets one and the clean-up removes nothing.
bool LockedAgainstCleanUp(int fd)
{
    return ::flock(fd, LOCK_SH | LOCK_NB) == 0 || errno != EWOULDBLOCK;
}

bool CreateNamedTemporaryFile(const NativeFolder& folder, NativeFile& file, std::string& name)
{
    for (int attempt = 0; attempt < nameAttempts; ++attempt) {
        std::string candidate = TemporaryName(NextTemporaryNonce());
        int fd = ::openat(Descriptor(folder), candidate.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                          0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return false;
        }
        // A clean-up of another process may have taken the new file for debris before it was
        // locked: then the name no longer leads to it, and another name is tried.
        struct stat mine, named;
        if (LockedAgainstCleanUp(fd) && ::fstat(fd, &mine) == 0 &&
            ::fstatat(Descriptor(folder), candidate.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            SameFile(mine, named)) {
            Adopt(file, fd);
            name = candidate;
            return true;
        }
        ::close(fd);
    }
    return false;
}

// Linux: a file with no name at all until it is complete, so a killed run leaves nothing. It
// is named later through /proc, which needs no privilege (unlike AT_EMPTY_PATH).
bool CreateUnnamedFile(const NativeFolder& folder, NativeFile& file)
{
#ifdef O_TMPFILE
    static const bool procMounted = ::access("/proc/self/fd", X_OK) == 0;
    if (!procMounted || NamedTemporaryFilesOnly())
        return false;
    int fd = ::openat(Descriptor(folder), ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    Adopt(file, fd);
    return true;
#else
    (void)folder;
    (void)file;
    return false;
#endif
}

void RemoveIfDebris(const NativeFolder& folder, const std::string& name)
{
    int fd = ::openat(Descriptor(folder), name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat info, named;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid() && info.st_nlink == 1 &&
        ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        ::fstatat(Descriptor(folder), name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(info, named))
        ::unlinkat(Descriptor(folder), name.c_str(), 0);
    ::close(fd);
}
}  // namespace

void CloseNativeQuietly(NativeFile& file)
{
    ::close(Descriptor(file));
    file.handle = -1;
}

void CloseFolderQuietly(NativeFolder& folder)
{
    ::close(Descriptor(folder));
    folder.handle = -1;
}

bool OpenForReading(const std::string& path, NativeFile& file)
{
    // Looked at before it is opened, so that no device is opened at all; opened without
    // blocking, so that a FIFO put in its place meanwhile cannot hold the process.
    struct stat info;
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || ::fcntl(fd, F_SETFL, 0) != 0) {
        ::close(fd);
        return false;
    }
    Adopt(file, fd);
    return true;
}

bool GetFileLength(const NativeFile& file, std::uint64_t& length)
{
    struct stat info;
    if (::fstat(Descriptor(file), &info) != 0 || info.st_size < 0)
        return false;
    length = static_cast<std::uint64_t>(info.st_size);
    return true;
}

std::size_t ReadNativeAt(const NativeFile& file, std::uint64_t offset, void* buffer, std::size_t count)
{
    if (InjectedReadFailure())
        return 0;
    for (;;) {
        ssize_t got = ::pread(Descriptor(file), buffer, count, static_cast<off_t>(offset));
        if (got >= 0)
            return static_cast<std::size_t>(got);
        if (errno != EINTR)
            return 0;
    }
}

bool OpenFolder(const std::string& path, NativeFolder& folder)
{
    int fd = ::open(path.empty() ? "." : path.c_str(), folderAccess | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    Adopt(folder, fd, FolderPrefix(path));
    return true;
}

FolderOpening OpenSubfolder(const NativeFolder& parent, std::string_view name, NativeFolder& child)
{
    const std::string text(name);
    bool made = false;
    for (int round = 0; round < 2; ++round) {
        int fd = ::openat(Descriptor(parent), text.c_str(), folderAccess | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd >= 0) {
            Adopt(child, fd, parent.path + text + "/");
            return made ? FolderOpening::created : FolderOpening::opened;
        }
        if (errno == ENOENT && round == 0) {
            made = ::mkdirat(Descriptor(parent), text.c_str(), 0777) == 0;
            if (!made && errno != EEXIST)
                return FolderOpening::failed;
            continue;
        }
        struct stat info;
        if (::fstatat(Descriptor(parent), text.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
            return FolderOpening::failed;
        if (S_ISLNK(info.st_mode))
            return FolderOpening::link;
        return S_ISDIR(info.st_mode) ? FolderOpening::failed : FolderOpening::notFolder;
    }
    return FolderOpening::failed;
}

bool OpenFolderOfTarget(const std::string& targetPath, NativeFolder& folder, std::string& name)
{
    std::string path = targetPath;
    for (int hop = 0;; ++hop) {
        struct stat info;
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            break;
        if (hop == maxLinkHops || !FollowLink(path))
            return false;
    }
    name = BaseNamePart(path);
    return !name.empty() && OpenFolder(FolderPart(path), folder);
}

bool CreateTemporaryFile(const NativeFolder& folder, NativeFile& file, std::string& name)
{
    if (InjectedFailure())
        return false;
    name.clear();
    return CreateUnnamedFile(folder, file) || CreateNamedTemporaryFile(folder, file, name);
}

bool WriteNative(NativeFile& file, const void* bytes, std::size_t count)
{
    if (InjectedFailure())
        return false;
    const char* next = static_cast<const char*>(bytes);
    while (count > 0) {
        ssize_t put = ::write(Descriptor(file), next, count);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        next += put;
        count -= static_cast<std::size_t>(put);
    }
    return true;
}

bool FlushToDisk(NativeFile& file)
{
    if (InjectedFailure())
        return false;
    return ::fsync(Descriptor(file)) == 0;
}

bool KeepAttributes(const NativeFolder& folder, const std::string& targetName, NativeFile& file)
{
    if (InjectedFailure())
        return false;
    struct stat old, mine;
    if (::fstatat(Descriptor(folder), targetName.c_str(), &old, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(old.st_mode))
        return true;  // a new file: the defaults
    if (::fstat(Descriptor(file), &mine) != 0)
        return false;
    // Permission bits only: set-user-ID and the like are not handed on to new content.
    mode_t mode = old.st_mode & 0777;
    if (mine.st_uid != old.st_uid || mine.st_gid != old.st_gid) {
        // Only root may give a file away; the group may still be one of ours to set. Group
        // bits meant for another group would let this one in: they are dropped.
        if (::fchown(Descriptor(file), old.st_uid, old.st_gid) != 0) {
            if (errno != EPERM)
                return false;
            if (::fchown(Descriptor(file), static_cast<uid_t>(-1), old.st_gid) != 0) {
                if (errno != EPERM)
                    return false;
                mode &= ~static_cast<mode_t>(070);
            }
        }
    }
    return ::fchmod(Descriptor(file), mode) == 0;
}

bool NameTemporaryFile(const NativeFolder& folder, NativeFile& file, const std::string& targetName,
                       std::string& name, bool& inPlace)
{
    inPlace = false;
    if (InjectedFailure())
        return false;
    if (!name.empty())
        return true;
    // Straight to the target's name when it is free (the common case for extract): complete
    // as it appears, and no rename.
    const std::string source = "/proc/self/fd/" + std::to_string(Descriptor(file));
    if (::linkat(AT_FDCWD, source.c_str(), Descriptor(folder), targetName.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        name = targetName;
        inPlace = true;
        return true;
    }
    if (errno != EEXIST)
        return false;
    // From here to the rename others can see it: locked against clean-ups, as a named one is.
    ::flock(Descriptor(file), LOCK_SH);
    for (int attempt = 0; attempt < nameAttempts; ++attempt) {
        std::string candidate = TemporaryName(NextTemporaryNonce());
        if (::linkat(AT_FDCWD, source.c_str(), Descriptor(folder), candidate.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            name = candidate;
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    return false;
}

bool CloseNative(NativeFile& file, NativeFile* lock)
{
    bool failed = InjectedFailure();
    // A duplicate keeps the lock (it belongs to the open file, not to a descriptor), while
    // close still reports what some file systems report only then (NFS: a late write error).
    if (lock) {
        *lock = NativeFile();
        lock->handle = ::fcntl(Descriptor(file), F_DUPFD_CLOEXEC, 0);
    }
    int result = ::close(Descriptor(file));
    file.handle = -1;
    return !failed && result == 0;
}

bool ReplaceFileIn(const NativeFolder& folder, const std::string& from, const std::string& to)
{
    if (InjectedFailure())
        return false;
    return ::renameat(Descriptor(folder), from.c_str(), Descriptor(folder), to.c_str()) == 0;
}

void FlushFolder(const NativeFolder& folder)
{
    int fd = ::openat(Descriptor(folder), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

void RemoveFileIn(const NativeFolder& folder, const std::string& name)
{
    ::unlinkat(Descriptor(folder), name.c_str(), 0);
}

void RemoveDebrisIn(const NativeFolder& folder)
{
    int fd = ::openat(Descriptor(folder), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    DIR* listing = ::fdopendir(fd);
    if (!listing) {
        ::close(fd);
        return;
    }
    std::vector<std::string> candidates;
    while (const dirent* item = ::readdir(listing))
        if (IsTemporaryName(item->d_name))
            candidates.emplace_back(item->d_name);
    ::closedir(listing);
    for (const std::string& name : candidates)
        RemoveIfDebris(folder, name);
}

std::uint32_t ProcessId()
{
    return static_cast<std::uint32_t>(::getpid());
}
