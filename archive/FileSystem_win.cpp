#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstring>
#include <new>
#include <vector>

#include "FileSystemDetail.h"
#include "TemporaryName.h"

namespace {
constexpr int nameAttempts = 100;

HANDLE Handle(const NativeFile& file)
{
    return reinterpret_cast<HANDLE>(file.handle);
}

void Adopt(NativeFile& file, HANDLE handle)
{
    file = NativeFile();
    file.handle = reinterpret_cast<std::intptr_t>(handle);
}

void Adopt(NativeFolder& folder, HANDLE handle, std::string path)
{
    folder = NativeFolder();
    folder.handle = reinterpret_cast<std::intptr_t>(handle);
    folder.path = std::move(path);
}

// A folder held open for reading without delete sharing: no one can rename or delete it (nor
// put a link in its place) until it is closed. Reading, not only attributes, because a handle
// that asks only for attributes takes no part in sharing.
HANDLE OpenFolderHandle(const std::string& path, DWORD flags)
{
    return ::CreateFileA(path.empty() ? "." : path.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES,
                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS | flags, nullptr);
}
}  // namespace

void CloseNativeQuietly(NativeFile& file)
{
    ::CloseHandle(Handle(file));
    file.handle = -1;
}

void CloseFolderQuietly(NativeFolder& folder)
{
    ::CloseHandle(reinterpret_cast<HANDLE>(folder.handle));
    folder.handle = -1;
}

bool OpenForReading(const std::string& path, NativeFile& file)
{
    // Sharing delete lets a writer replace the file while a reader still holds it.
    HANDLE handle = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    // Only a file on a disk: not a device (NUL, CON, COM1), nor a pipe, nor a folder.
    BY_HANDLE_FILE_INFORMATION info;
    if (::GetFileType(handle) != FILE_TYPE_DISK || !::GetFileInformationByHandle(handle, &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE))) {
        ::CloseHandle(handle);
        return false;
    }
    Adopt(file, handle);
    return true;
}

bool GetFileLength(const NativeFile& file, std::uint64_t& length)
{
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(Handle(file), &size) || size.QuadPart < 0)
        return false;
    length = static_cast<std::uint64_t>(size.QuadPart);
    return true;
}

std::size_t ReadNativeAt(const NativeFile& file, std::uint64_t offset, void* buffer, std::size_t count)
{
    if (InjectedReadFailure())
        return 0;
    OVERLAPPED at = {};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD chunk = count > 0x40000000u ? 0x40000000u : static_cast<DWORD>(count);
    DWORD got = 0;
    if (!::ReadFile(Handle(file), buffer, chunk, &got, &at))
        return 0;
    return got;
}

bool OpenFolder(const std::string& path, NativeFolder& folder)
{
    HANDLE handle = OpenFolderHandle(path, 0);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info;
    if (!::GetFileInformationByHandle(handle, &info) || !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ::CloseHandle(handle);
        return false;
    }
    Adopt(folder, handle, FolderPrefix(path));
    return true;
}

FolderOpening OpenSubfolder(const NativeFolder& parent, std::string_view name, NativeFolder& child)
{
    const std::string path = parent.path + std::string(name);
    bool made = false;
    for (int round = 0; round < 2; ++round) {
        // The reparse point itself, if it is one, rather than what it leads to.
        HANDLE handle = OpenFolderHandle(path, FILE_FLAG_OPEN_REPARSE_POINT);
        if (handle == INVALID_HANDLE_VALUE) {
            DWORD error = ::GetLastError();
            if (round == 0 && (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)) {
                made = ::CreateDirectoryA(path.c_str(), nullptr) != 0;
                if (!made && ::GetLastError() != ERROR_ALREADY_EXISTS)
                    return FolderOpening::failed;
                continue;
            }
            return FolderOpening::failed;
        }
        BY_HANDLE_FILE_INFORMATION info;
        FolderOpening result;
        if (!::GetFileInformationByHandle(handle, &info))
            result = FolderOpening::failed;
        else if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
            result = FolderOpening::link;
        else if (!(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            result = FolderOpening::notFolder;
        else
            result = made ? FolderOpening::created : FolderOpening::opened;
        if (result != FolderOpening::opened && result != FolderOpening::created) {
            ::CloseHandle(handle);
            return result;
        }
        Adopt(child, handle, path + "\\");
        return result;
    }
    return FolderOpening::failed;
}

// No link is followed here: a target that is a link is replaced by the file, as Windows'
// own programs do.
bool OpenFolderOfTarget(const std::string& targetPath, NativeFolder& folder, std::string& name)
{
    name = BaseNamePart(targetPath);
    folder = NativeFolder();
    folder.path = FolderPart(targetPath);
    return !name.empty();
}

bool CreateTemporaryFile(const NativeFolder& folder, NativeFile& file, std::string& name)
{
    if (InjectedFailure())
        return false;
    // No sharing at all: while the writer runs no one can open the file, nor delete it as debris.
    for (int attempt = 0; attempt < nameAttempts; ++attempt) {
        std::string candidate = TemporaryName(NextTemporaryNonce());
        HANDLE handle = ::CreateFileA((folder.path + candidate).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            Adopt(file, handle);
            name = candidate;
            return true;
        }
        DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            return false;
    }
    return false;
}

bool WriteNative(NativeFile& file, const void* bytes, std::size_t count)
{
    if (InjectedFailure())
        return false;
    const char* next = static_cast<const char*>(bytes);
    while (count > 0) {
        DWORD chunk = count > 0x40000000u ? 0x40000000u : static_cast<DWORD>(count);
        DWORD put = 0;
        if (!::WriteFile(Handle(file), next, chunk, &put, nullptr) || put == 0)
            return false;
        next += put;
        count -= put;
    }
    return true;
}

bool FlushToDisk(NativeFile& file)
{
    if (InjectedFailure())
        return false;
    return ::FlushFileBuffers(Handle(file)) != 0;
}

bool KeepAttributes(const NativeFolder&, const std::string&, NativeFile&)
{
    return !InjectedFailure();
}

bool NameTemporaryFile(const NativeFolder&, NativeFile&, const std::string&, std::string& name, bool& inPlace)
{
    inPlace = false;
    return !InjectedFailure() && !name.empty();
}

// MoveFileEx needs the file closed: from here to the rename another process's clean-up could
// delete it, and the rename then fails and is reported, the target as it was.
bool CloseNative(NativeFile& file, NativeFile*)
{
    bool failed = InjectedFailure();
    BOOL closed = ::CloseHandle(Handle(file));
    file.handle = -1;
    return !failed && closed;
}

bool ReplaceFileIn(const NativeFolder& folder, const std::string& from, const std::string& to)
{
    if (InjectedFailure())
        return false;
    return ::MoveFileExA((folder.path + from).c_str(), (folder.path + to).c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void FlushFolder(const NativeFolder&)
{
    // MOVEFILE_WRITE_THROUGH has already made the rename durable.
}

void RemoveFileIn(const NativeFolder& folder, const std::string& name)
{
    // Called by a writer's destructor, where a throw would end the program: the path is made
    // without memory where it fits, as it nearly always does; otherwise, without memory for
    // it, the file stays as debris that the next writer in the folder removes.
    char path[1024];
    if (folder.path.size() + name.size() < sizeof path) {
        std::memcpy(path, folder.path.data(), folder.path.size());
        std::memcpy(path + folder.path.size(), name.c_str(), name.size() + 1);
        ::DeleteFileA(path);
        return;
    }
    try {
        ::DeleteFileA((folder.path + name).c_str());
    } catch (const std::bad_alloc&) {
    }
}

// A writer that runs holds its file without delete sharing, so DeleteFile fails on it; the
// files of writers that ended without removing them are deleted.
void RemoveDebrisIn(const NativeFolder& folder)
{
    WIN32_FIND_DATAA item;
    HANDLE search = ::FindFirstFileA((folder.path + "~*.tmp").c_str(), &item);
    if (search == INVALID_HANDLE_VALUE)
        return;
    std::vector<std::string> candidates;
    do {
        const DWORD skipped = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
        if ((item.dwFileAttributes & skipped) == 0 && IsTemporaryName(item.cFileName))
            candidates.emplace_back(item.cFileName);
    } while (::FindNextFileA(search, &item));
    ::FindClose(search);
    for (const std::string& name : candidates)
        RemoveFileIn(folder, name);
}

std::uint32_t ProcessId()
{
    return ::GetCurrentProcessId();
}
