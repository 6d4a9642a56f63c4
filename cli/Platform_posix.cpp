#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Platform.h"

bool IsFolder(const std::string& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool ListRegularFiles(const std::string& folder, std::vector<std::string>& names)
{
    DIR* listing = ::opendir(folder.c_str());
    if (!listing)
        return false;
    int folderFd = ::dirfd(listing);
    while (const dirent* item = ::readdir(listing)) {
        struct stat info;
        if (::fstatat(folderFd, item->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode))
            names.emplace_back(item->d_name);
    }
    ::closedir(listing);
    return true;
}

IdentityLookup IdentityIn(const NativeFolder& folder, const std::string& name, FileIdentity& identity)
{
    struct stat info;
    if (::fstatat(static_cast<int>(folder.handle), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? IdentityLookup::missing : IdentityLookup::unknown;
    identity = FileIdentity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
    return IdentityLookup::found;
}

bool IdentityOfOpenFile(const NativeFile& file, FileIdentity& identity)
{
    struct stat info;
    if (::fstat(static_cast<int>(file.handle), &info) != 0)
        return false;
    identity = FileIdentity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
    return true;
}

bool IsTerminal(std::FILE* stream)
{
    return ::isatty(::fileno(stream)) != 0;
}

void UseBinaryMode(std::FILE*)
{
}
