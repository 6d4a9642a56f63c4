#include "SafeNames.h"

#include <algorithm>
#include <array>

#include "Characters.h"

namespace {
constexpr std::size_t maxComponentLength = 255;

char Upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameLetters(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Upper(x) == Upper(y); });
}

// Windows opens the device for "con", "Con.txt" or "con .tar.gz" alike: what counts is the
// part before the first dot, blanks at its end ignored.
bool IsReservedOnWindows(std::string_view component)
{
    std::string_view stem = component.substr(0, component.find('.'));
    while (!stem.empty() && stem.back() == ' ')
        stem.remove_suffix(1);

    static constexpr std::array<std::string_view, 6> devices = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (std::string_view device : devices)
        if (SameLetters(stem, device))
            return true;
    if (stem.size() != 4 || !(SameLetters(stem.substr(0, 3), "COM") || SameLetters(stem.substr(0, 3), "LPT")))
        return false;
    // Windows also reserves the superscript digits 1, 2 and 3 of its Western code page.
    char digit = stem[3];
    return (digit >= '0' && digit <= '9') || digit == '\xB9' || digit == '\xB2' || digit == '\xB3';
}

// By character: a second byte of a double-byte character may be '|' or '\' (Characters.h).
bool IsSafeComponent(std::string_view component)
{
    if (component.empty() || component == "." || component == ".." || component.size() > maxComponentLength)
        return false;
    std::size_t last = 0;
    for (std::size_t at = 0, length = 0; at < component.size(); at += length) {
        length = CharacterLength(component, at);
        last = at;
        if (length > 1)
            continue;
        char c = component[at];
        if (static_cast<unsigned char>(c) < 0x20 || std::string_view(":<>\"|?*").find(c) != std::string_view::npos)
            return false;
    }
    if (component.size() - last == 1 && (component.back() == '.' || component.back() == ' '))
        return false;
    return !IsReservedOnWindows(component);
}
}  // namespace

bool SplitSafeName(std::string_view name, std::vector<std::string_view>& components)
{
    components.clear();
    for (;;) {
        std::size_t separator = FindFirstCharacterOf(name, "/\\");
        std::string_view component = name.substr(0, separator);
        if (!IsSafeComponent(component))
            return false;
        components.push_back(component);
        if (separator == std::string_view::npos)
            return true;
        name.remove_prefix(separator + 1);
    }
}
