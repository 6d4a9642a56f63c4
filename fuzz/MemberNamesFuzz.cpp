// Feeds arbitrary names to the rules viv extract applies to member names and to the escaping
// viv list prints them with. Each is held against the rules as their headers state them,
// written out here a second way: a name taken as safe splits into components that give the
// name back and break none of the rules; a name refused breaks one; an escaped name holds no
// control byte and decodes to the name.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "NameEscape.h"
#include "SafeNames.h"

namespace {
bool SameLetters(std::string_view text, std::string_view upper)
{
    if (text.size() != upper.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i] >= 'a' && text[i] <= 'z' ? static_cast<char>(text[i] - 32) : text[i];
        if (c != upper[i])
            return false;
    }
    return true;
}

bool IsDevice(std::string_view component)
{
    std::string_view stem = component.substr(0, component.find('.'));
    while (!stem.empty() && stem.back() == ' ')
        stem.remove_suffix(1);
    for (std::string_view device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
        if (SameLetters(stem, device))
            return true;
    if (stem.size() != 4 || !(SameLetters(stem.substr(0, 3), "COM") || SameLetters(stem.substr(0, 3), "LPT")))
        return false;
    return std::string_view("0123456789\xB9\xB2\xB3").find(stem[3]) != std::string_view::npos;
}

bool BreaksARule(std::string_view component)
{
    if (component.empty() || component == "." || component == ".." || component.size() > 255)
        return true;
    for (char c : component) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || c == ':' || c == '<' || c == '>' || c == '"' || c == '|' || c == '?' || c == '*')
            return true;
    }
    return component.back() == '.' || component.back() == ' ' || IsDevice(component);
}

std::vector<std::string_view> SplitAtSeparators(std::string_view name)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= name.size(); ++i) {
        if (i == name.size() || name[i] == '/' || name[i] == '\\') {
            parts.push_back(name.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::optional<std::string> Unescape(std::string_view escaped)
{
    std::string name;
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        if (escaped[i] != '\\') {
            name += escaped[i];
        } else if (i + 1 < escaped.size() && escaped[i + 1] == '\\') {
            name += '\\';
            ++i;
        } else if (i + 3 < escaped.size() && escaped[i + 1] == 'x' && HexValue(escaped[i + 2]) >= 0 &&
                   HexValue(escaped[i + 3]) >= 0) {
            name += static_cast<char>(HexValue(escaped[i + 2]) * 16 + HexValue(escaped[i + 3]));
            i += 3;
        } else {
            return std::nullopt;
        }
    }
    return name;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view name(reinterpret_cast<const char*>(data), size);

    std::vector<std::string_view> components;
    bool safe = SplitSafeName(name, components);
    std::vector<std::string_view> parts = SplitAtSeparators(name);
    bool anyBroken = false;
    for (std::string_view part : parts)
        anyBroken = anyBroken || BreaksARule(part);
    if (safe == anyBroken)
        __builtin_trap();
    if (safe && components != parts)
        __builtin_trap();

    std::string escaped = EscapeName(name);
    for (char c : escaped)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            __builtin_trap();
    if (Unescape(escaped) != std::optional<std::string>(name))
        __builtin_trap();
    return 0;
}
