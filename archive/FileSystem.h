#pragma once

// Raw file access: the one place that speaks to the operating system (POSIX or Win32, ANSI
// paths). Everything above it is portable.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

struct NativeFile {
    std::intptr_t handle = -1;  // a descriptor on POSIX, a HANDLE on Windows; -1 when closed

    NativeFile() = default;
    NativeFile(const NativeFile&) = delete;
    NativeFile& operator=(const NativeFile&) = delete;
    NativeFile(NativeFile&& other) noexcept : handle(other.handle) { other.handle = -1; }
    NativeFile& operator=(NativeFile&& other) noexcept;
    ~NativeFile();
};

bool IsOpen(const NativeFile& file);

// Reading.
bool OpenForReading(const std::string& path, NativeFile& file);
bool GetFileLength(const NativeFile& file, std::uint64_t& length);
// Reads up to count bytes at offset; returns how many arrived (0 at the end or on an error).
std::size_t ReadNativeAt(const NativeFile& file, std::uint64_t offset, void* buffer, std::size_t count);

// Writing. Each of these is one step that can fail, and each can be made to fail in tests.
bool CreateNewFile(const std::string& path, NativeFile& file);  // fails if the path exists
bool WriteNative(NativeFile& file, const void* bytes, std::size_t count);
bool FlushToDisk(NativeFile& file);
bool CloseNative(NativeFile& file);
// Puts from in to's place in one step, replacing a file that is there.
bool ReplaceFileAtomically(const std::string& from, const std::string& to);

// Best effort, never fails visibly.
void FlushFolderOf(const std::string& path);
void RemoveFileQuietly(const std::string& path);
std::uint32_t ProcessId();

// Paths split by character (Characters.h) at '/' on POSIX, at '\', '/' and ':' on Windows.
// The folder part of a path, with its trailing separator ("" for a bare name).
std::string FolderPart(const std::string& path);
// The part after the last separator.
std::string BaseNamePart(const std::string& path);
// True when the last character of path is a separator.
bool EndsInSeparator(std::string_view path);

// Test hook: the nth write-side step from now (create, write, flush, close, replace) fails, and
// with andAfter every later one too. n = 0 switches it off.
void InjectWriteFailure(int nth, bool andAfter);
