#include "FileSystem.h"

#include <string_view>

#include "Characters.h"
#include "FileSystemDetail.h"

namespace {
int stepsUntilFailure = 0;
bool failAfter = false;
int readsUntilFailure = 0;
std::function<void()> actionBeforeRead;
bool namedOnly = false;
}  // namespace

NativeFile& NativeFile::operator=(NativeFile&& other) noexcept
{
    if (this != &other) {
        if (IsOpen(*this))
            CloseNativeQuietly(*this);
        handle = other.handle;
        other.handle = -1;
    }
    return *this;
}

NativeFile::~NativeFile()
{
    if (IsOpen(*this))
        CloseNativeQuietly(*this);
}

NativeFolder& NativeFolder::operator=(NativeFolder&& other) noexcept
{
    if (this != &other) {
        if (handle != -1)
            CloseFolderQuietly(*this);
        handle = other.handle;
        path = std::move(other.path);
        other.handle = -1;
    }
    return *this;
}

NativeFolder::~NativeFolder()
{
    if (handle != -1)
        CloseFolderQuietly(*this);
}

bool IsOpen(const NativeFile& file)
{
    return file.handle != -1;
}

void InjectWriteFailure(int nth, bool andAfter)
{
    stepsUntilFailure = nth;
    failAfter = andAfter;
}

void UseNamedTemporaryFiles(bool named)
{
    namedOnly = named;
}

bool NamedTemporaryFilesOnly()
{
    return namedOnly;
}

bool InjectedFailure()
{
    if (stepsUntilFailure <= 0)
        return false;
    if (--stepsUntilFailure > 0)
        return false;
    if (failAfter)
        stepsUntilFailure = 1;
    return true;
}

void InjectReadFailure(int nth, std::function<void()> action)
{
    readsUntilFailure = nth;
    actionBeforeRead = std::move(action);
}

bool InjectedReadFailure()
{
    if (readsUntilFailure <= 0 || --readsUntilFailure > 0)
        return false;
    if (!actionBeforeRead)
        return true;
    std::function<void()> action = std::move(actionBeforeRead);
    actionBeforeRead = nullptr;
    action();
    return false;
}

// Windows takes '/' for '\\', and "C:name" is name in drive C's current folder.
#ifdef _WIN32
constexpr std::string_view pathSeparators = "\\/:";
#else
constexpr std::string_view pathSeparators = "/";
#endif

std::string FolderPart(const std::string& path)
{
    std::size_t last = FindLastCharacterOf(path, pathSeparators);
    return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::string BaseNamePart(const std::string& path)
{
    return path.substr(FolderPart(path).size());
}

bool EndsInSeparator(std::string_view path)
{
    std::size_t last = FindLastCharacterOf(path, pathSeparators);
    return last != std::string_view::npos && last + 1 == path.size();
}

std::string FolderPrefix(const std::string& path)
{
    if (path.empty() || EndsInSeparator(path))
        return path;
    return path + pathSeparator;
}

std::string JoinPath(const std::string& folder, std::string_view name)
{
    return FolderPrefix(folder).append(name);
}
