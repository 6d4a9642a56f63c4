#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include "Characters.h"
#include "FileSystem.h"
#include "Platform.h"

bool IsFolder(const std::string& path)
{
    // Without FILE_FLAG_OPEN_REPARSE_POINT the handle is that of the link's target.
    HANDLE handle = ::CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info;
    bool folder = ::GetFileInformationByHandle(handle, &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    ::CloseHandle(handle);
    return folder;
}

bool ListRegularFiles(const std::string& folder, std::vector<std::string>& names)
{
    std::string pattern = JoinPath(folder, "*");
    WIN32_FIND_DATAA item;
    HANDLE search = ::FindFirstFileA(pattern.c_str(), &item);
    if (search == INVALID_HANDLE_VALUE)
        return ::GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        const DWORD skipped = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
        if ((item.dwFileAttributes & skipped) == 0)
            names.emplace_back(item.cFileName);
    } while (::FindNextFileA(search, &item));
    bool complete = ::GetLastError() == ERROR_NO_MORE_FILES;
    ::FindClose(search);
    return complete;
}

namespace {
FileIdentity IdentityFrom(const BY_HANDLE_FILE_INFORMATION& info)
{
    return FileIdentity{info.dwVolumeSerialNumber, static_cast<std::uint64_t>(info.nFileIndexHigh) << 32 | info.nFileIndexLow};
}
}  // namespace

// Only "no such file" counts as missing: a name that cannot be asked about (past MAX_PATH,
// say) may well stand for a file written a moment ago.
IdentityLookup IdentityIn(const NativeFolder& folder, const std::string& name, FileIdentity& identity)
{
    HANDLE handle = ::CreateFileA((folder.path + name).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                  nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return ::GetLastError() == ERROR_FILE_NOT_FOUND ? IdentityLookup::missing : IdentityLookup::unknown;
    BY_HANDLE_FILE_INFORMATION info;
    bool known = ::GetFileInformationByHandle(handle, &info) != 0;
    ::CloseHandle(handle);
    if (!known)
        return IdentityLookup::unknown;
    identity = IdentityFrom(info);
    return IdentityLookup::found;
}

bool IdentityOfOpenFile(const NativeFile& file, FileIdentity& identity)
{
    BY_HANDLE_FILE_INFORMATION info;
    if (!::GetFileInformationByHandle(reinterpret_cast<HANDLE>(file.handle), &info))
        return false;
    identity = IdentityFrom(info);
    return true;
}

bool IsTerminal(std::FILE* stream)
{
    return ::_isatty(::_fileno(stream)) != 0;
}

void UseBinaryMode(std::FILE* stream)
{
    ::_setmode(::_fileno(stream), _O_BINARY);
}

TerminalReader TerminalReaderOf(std::FILE* stream)
{
    if (!IsTerminal(stream))
        return {};
    UINT codePage = ::GetConsoleOutputCP();
    return TerminalReaderFor(std::to_string(codePage ? codePage : ::GetACP()));
}

// The console turns what it is sent into characters in its output code page: a lead byte takes
// the next byte with it, and a single byte is a control only where that code page maps it to
// one (0x81 in code page 1252, not 0x80, the euro sign).
TerminalReader TerminalReaderFor(const std::string& encoding)
{
    auto codePage = static_cast<UINT>(std::stoul(encoding));
    return [codePage](std::string_view text, std::size_t at) {
        std::size_t length = CharacterLengthIn(codePage, text, at);
        wchar_t characters[2];
        int count = ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data() + at, static_cast<int>(length),
                                          characters, 2);
        if (count == 0)
            return LoneByte(text, at);
        return TerminalCharacter{length, count == 1 && characters[0] >= 0x80 && characters[0] <= 0x9F};
    };
}
