#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cwchar>
#include <memory>
#include <type_traits>

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

TerminalReader TerminalReaderOf(std::FILE* stream)
{
    return IsTerminal(stream) ? TerminalReaderFor("") : TerminalReader();
}

// The terminal reads in the locale's character set, whatever it is (UTF-8, EUC-JP, ISO 8859);
// the process's own locale stays "C".
TerminalReader TerminalReaderFor(const std::string& encoding)
{
    locale_t locale = ::newlocale(LC_CTYPE_MASK, encoding.c_str(), locale_t(0));
    if (!locale)
        return LoneByte;
    std::shared_ptr<std::remove_pointer_t<locale_t>> owned(locale, ::freelocale);
    return [owned](std::string_view text, std::size_t at) {
        std::mbstate_t state{};
        wchar_t character = 0;
        locale_t previous = ::uselocale(owned.get());
        std::size_t length = std::mbrtowc(&character, text.data() + at, text.size() - at, &state);
        ::uselocale(previous);
        // 0 for NUL; -1 and -2 (invalid, incomplete) are larger than what is left.
        if (length == 0 || length > text.size() - at)
            return LoneByte(text, at);
        return TerminalCharacter{length, character >= 0x80 && character <= 0x9F};
    };
}
