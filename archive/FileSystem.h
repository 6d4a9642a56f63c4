#pragma once

// Raw file access: the one place that speaks to the operating system (POSIX or Win32, ANSI
// paths). Everything above it is portable.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

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

// Reading. Only a regular file is opened, and without blocking: a folder, a FIFO or a device
// is refused at once.
bool OpenForReading(const std::string& path, NativeFile& file);
bool GetFileLength(const NativeFile& file, std::uint64_t& length);
// Reads up to count bytes at offset; returns how many arrived (0 at the end or on an error).
std::size_t ReadNativeAt(const NativeFile& file, std::uint64_t offset, void* buffer, std::size_t count);

// An open folder that files are created in and renamed within, whatever later happens to the
// path that led to it. On POSIX a descriptor; on Windows, where calls take paths, the path
// and, for folders opened one by one (extract), a handle that keeps the folder from being
// renamed or deleted while it is held.
struct NativeFolder {
    std::intptr_t handle = -1;
    std::string path;  // with its trailing separator, "" for the current folder

    NativeFolder() = default;
    NativeFolder(const NativeFolder&) = delete;
    NativeFolder& operator=(const NativeFolder&) = delete;
    NativeFolder(NativeFolder&& other) noexcept : handle(other.handle), path(std::move(other.path)) { other.handle = -1; }
    NativeFolder& operator=(NativeFolder&& other) noexcept;
    ~NativeFolder();
};

// A folder named by the user; links on the way are followed.
bool OpenFolder(const std::string& path, NativeFolder& folder);

enum class FolderOpening { opened, created, link, notFolder, failed };
// The folder name inside parent, made when missing. Never follows a link: on POSIX every
// lookup starts from parent's descriptor, on Windows a reparse point is refused.
FolderOpening OpenSubfolder(const NativeFolder& parent, std::string_view name, NativeFolder& child);

// The folder of the file at targetPath and the file's name in it. On POSIX a target that is a
// symbolic link is followed to the file it points to, which is then the one written.
bool OpenFolderOfTarget(const std::string& targetPath, NativeFolder& folder, std::string& name);

// Writing, for the safe writer. Each of these is one step that can fail, and each can be made
// to fail in tests. Every temporary file is named by TemporaryName.h's rule and, while its
// writer runs, is kept from being taken for debris (a lock on POSIX, no delete sharing on
// Windows).
//
// A new file in folder: without a name where the system allows (Linux's O_TMPFILE; name stays
// empty), otherwise under a fresh temporary name.
bool CreateTemporaryFile(const NativeFolder& folder, NativeFile& file, std::string& name);
bool WriteNative(NativeFile& file, const void* bytes, std::size_t count);
bool FlushToDisk(NativeFile& file);
// POSIX: the permission bits, owner and group of the file targetName in folder, if there is
// one, as far as the process may set them; never wider than they were. Nothing on Windows.
bool KeepAttributes(const NativeFolder& folder, const std::string& targetName, NativeFile& file);
// Gives a file made without a name its place in folder: targetName itself while nothing has
// that name (inPlace is then true, and name is targetName), else a fresh temporary name.
// Nothing for a file that has a name already.
bool NameTemporaryFile(const NativeFolder& folder, NativeFile& file, const std::string& targetName,
                       std::string& name, bool& inPlace);
// Closes the file, reporting what the system reports only then. On POSIX lock, when given,
// takes over the file's lock until it is closed in turn, so the file is never unguarded
// before its rename.
bool CloseNative(NativeFile& file, NativeFile* lock);
// Puts from in to's place in one step, replacing a file that is there.
bool ReplaceFileIn(const NativeFolder& folder, const std::string& from, const std::string& to);

// Best effort, never fail visibly.
void FlushFolder(const NativeFolder& folder);
void RemoveFileIn(const NativeFolder& folder, const std::string& name);
// Removes the temporary files in folder that writers which no longer run left behind: names
// of TemporaryName.h's rule, regular files (POSIX: of this user, one link, unlocked; Windows:
// not open in any process).
void RemoveDebrisIn(const NativeFolder& folder);
std::uint32_t ProcessId();

// Paths split by character (Characters.h) at '/' on POSIX, at '\', '/' and ':' on Windows.
// The folder part of a path, with its trailing separator ("" for a bare name).
std::string FolderPart(const std::string& path);
// The part after the last separator.
std::string BaseNamePart(const std::string& path);
// True when the last character of path is a separator.
bool EndsInSeparator(std::string_view path);

#ifdef _WIN32
inline constexpr char pathSeparator = '\\';
#else
inline constexpr char pathSeparator = '/';
#endif
// path as the beginning of the paths inside it: with a trailing separator, "" for the current
// folder.
std::string FolderPrefix(const std::string& path);
// folder and name with one separator between them.
std::string JoinPath(const std::string& folder, std::string_view name);

// Test hooks: the nth write-side step from now (create, write, flush, attributes, name, close,
// replace) fails, and with andAfter every later one too; n = 0 switches it off. Named
// temporary files even where the system could make them without a name.
void InjectWriteFailure(int nth, bool andAfter);
void UseNamedTemporaryFiles(bool named);

// Test hook: the nth read from now (ReadNativeAt) fails as a read error does. With an action,
// the action runs just before that read instead and the read goes ahead: a test shrinks the
// file there. n = 0 switches it off.
void InjectReadFailure(int nth, std::function<void()> action = {});
