#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Platform.h"

EntryKind KindOfEntry(const std::string& path)
{
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0)
        return EntryKind::missing;
    if (S_ISLNK(info.st_mode))
        return EntryKind::link;
    if (S_ISDIR(info.st_mode))
        return EntryKind::folder;
    return S_ISREG(info.st_mode) ? EntryKind::file : EntryKind::other;
}

bool IsFolder(const std::string& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool CreateFolder(const std::string& path)
{
    return ::mkdir(path.c_str(), 0777) == 0;
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

bool IdentityOf(const std::string& path, FileIdentity& identity)
{
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0)
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
