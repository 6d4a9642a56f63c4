#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "FileSystemDetail.h"

namespace {
HANDLE Handle(const NativeFile& file)
{
    return reinterpret_cast<HANDLE>(file.handle);
}

void Adopt(NativeFile& file, HANDLE handle)
{
    file = NativeFile();
    file.handle = reinterpret_cast<std::intptr_t>(handle);
}
}  // namespace

void CloseNativeQuietly(NativeFile& file)
{
    ::CloseHandle(Handle(file));
    file.handle = -1;
}

bool OpenForReading(const std::string& path, NativeFile& file)
{
    // Sharing delete lets a writer replace the file while a reader still holds it.
    HANDLE handle = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
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

bool CreateNewFile(const std::string& path, NativeFile& file)
{
    if (InjectedFailure())
        return false;
    HANDLE handle = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    Adopt(file, handle);
    return true;
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

bool CloseNative(NativeFile& file)
{
    bool failed = InjectedFailure();
    BOOL closed = ::CloseHandle(Handle(file));
    file.handle = -1;
    return !failed && closed;
}

bool ReplaceFileAtomically(const std::string& from, const std::string& to)
{
    if (InjectedFailure())
        return false;
    return ::MoveFileExA(from.c_str(), to.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void FlushFolderOf(const std::string&)
{
    // MOVEFILE_WRITE_THROUGH has already made the rename durable.
}

void RemoveFileQuietly(const std::string& path)
{
    ::DeleteFileA(path.c_str());
}

std::uint32_t ProcessId()
{
    return ::GetCurrentProcessId();
}
