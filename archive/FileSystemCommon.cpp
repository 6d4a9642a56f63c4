#include "FileSystem.h"

#include "FileSystemDetail.h"

namespace {
int stepsUntilFailure = 0;
bool failAfter = false;
int readsUntilFailure = 0;
std::function<void()> actionBeforeRead;
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

bool IsOpen(const NativeFile& file)
{
    return file.handle != -1;
}

void InjectWriteFailure(int nth, bool andAfter)
{
    stepsUntilFailure = nth;
    failAfter = andAfter;
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

static bool IsSeparator(char c)
{
#ifdef _WIN32
    return c == '\\' || c == '/' || c == ':';
#else
    return c == '/';
#endif
}

std::string FolderPart(const std::string& path)
{
    std::size_t end = path.size();
    while (end > 0 && !IsSeparator(path[end - 1]))
        --end;
    return path.substr(0, end);
}

std::string BaseNamePart(const std::string& path)
{
    return path.substr(FolderPart(path).size());
}
