#include <cerrno>
#include <new>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "FileSystemDetail.h"

namespace {
int Descriptor(const NativeFile& file)
{
    return static_cast<int>(file.handle);
}
}  // namespace

void CloseNativeQuietly(NativeFile& file)
{
    ::close(Descriptor(file));
    file.handle = -1;
}

bool OpenForReading(const std::string& path, NativeFile& file)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info;
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        return false;
    }
    file = NativeFile();
    file.handle = fd;
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

bool CreateNewFile(const std::string& path, NativeFile& file)
{
    if (InjectedFailure())
        return false;
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    file = NativeFile();
    file.handle = fd;
    return true;
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

bool CloseNative(NativeFile& file)
{
    bool failed = InjectedFailure();
    int result = ::close(Descriptor(file));
    file.handle = -1;
    return !failed && result == 0;
}

bool ReplaceFileAtomically(const std::string& from, const std::string& to)
{
    if (InjectedFailure())
        return false;
    return ::rename(from.c_str(), to.c_str()) == 0;
}

void FlushFolderOf(const std::string& path)
{
    // Called once the rename is done: a failure here must not make a save look failed.
    std::string folder;
    try {
        folder = FolderPart(path);
    } catch (const std::bad_alloc&) {
        return;
    }
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

void RemoveFileQuietly(const std::string& path)
{
    ::unlink(path.c_str());
}

std::uint32_t ProcessId()
{
    return static_cast<std::uint32_t>(::getpid());
}
