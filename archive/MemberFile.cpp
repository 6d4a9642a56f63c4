#include "MemberFile.h"

#include <new>

#include "CommandError.h"
#include "VivFormat.h"

void OpenMemberFile(const std::string& path, InputFile& input)
{
    if (!OpenInputFile(path, input))
        throw ErrorWithPath(errorTexts::fileCouldntBeOpened, path);
    if (input.length > vivMaxFileSize)
        throw ErrorWithPath(errorTexts::fileTooLarge, path);
}

MemberData ReadMemberFile(const std::string& path)
{
    InputFile input;
    OpenMemberFile(path, input);
    MemberData data;
    try {
        data.resize(static_cast<std::size_t>(input.length));
    } catch (const std::bad_alloc&) {
        throw ErrorText(errorTexts::memoryCouldntBeAllocated);
    }
    if (!ReadAt(input, 0, data.data(), data.size()))
        throw ErrorWithPath(errorTexts::fileCouldntBeOpened, path);
    return data;
}
