#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "Editor.h"

// Template 101 as the program carries it, read back and compared field by field: the resource
// compiler's shorthand statements add styles of their own, and this settles what they gave.
namespace {
struct Item {
    std::string windowClass;
    int id;
    std::string text;
    int x, y, width, height;
    DWORD style;
    bool operator==(const Item&) const = default;
};

void PrintTo(const Item& item, std::ostream* out)
{
    *out << item.windowClass << " " << item.id << " \"" << item.text << "\" " << item.x << "," << item.y << " "
         << item.width << "x" << item.height << " style 0x" << std::hex << item.style << std::dec;
}

struct Reader {
    const BYTE* next;

    WORD Word()
    {
        WORD value;
        std::memcpy(&value, next, sizeof value);
        next += sizeof value;
        return value;
    }
    DWORD Dword()
    {
        DWORD value;
        std::memcpy(&value, next, sizeof value);
        next += sizeof value;
        return value;
    }
    short Short() { return static_cast<short>(Word()); }
    std::string WideString()
    {
        std::string text;
        for (WORD c = Word(); c != 0; c = Word())
            text += static_cast<char>(c);
        return text;
    }
    // A string or, after 0xFFFF, an ordinal; the predefined control classes come as ordinals.
    std::string StringOrOrdinal()
    {
        WORD first;
        std::memcpy(&first, next, sizeof first);
        if (first != 0xFFFF)
            return WideString();
        Word();
        switch (WORD ordinal = Word()) {
        case 0x80: return "BUTTON";
        case 0x81: return "EDIT";
        case 0x82: return "STATIC";
        default: return "#" + std::to_string(ordinal);
        }
    }
    void AlignToDword(const BYTE* start)
    {
        while ((next - start) % 4 != 0)
            ++next;
    }
};

std::string Upper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

const DWORD child = WS_CHILD | WS_VISIBLE;
const DWORD button = child | WS_TABSTOP | BS_PUSHBUTTON;
const DWORD label = child | WS_GROUP | SS_LEFT;
}  // namespace

TEST(DialogTemplate, MatchesTheDesign)
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(IDD_MAIN_DIALOG), MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    ASSERT_NE(resource, nullptr);
    const auto* start = static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
    ASSERT_NE(start, nullptr);
    Reader in{start};

    DWORD style = in.Dword();
    EXPECT_EQ(style, DWORD(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME | DS_CENTER | DS_SETFONT));
    EXPECT_EQ(in.Dword(), 0u) << "extended style";
    WORD count = in.Word();
    EXPECT_EQ(in.Short(), 0);
    EXPECT_EQ(in.Short(), 0);
    EXPECT_EQ(in.Short(), 185);
    EXPECT_EQ(in.Short(), 215);
    EXPECT_EQ(in.StringOrOrdinal(), "") << "menu";
    EXPECT_EQ(in.StringOrOrdinal(), "") << "window class";
    EXPECT_EQ(in.WideString(), "Tamsel");
    EXPECT_EQ(in.Word(), 8) << "font size";
    EXPECT_EQ(in.WideString(), "MS Sans Serif");

    const std::vector<Item> design = {
        {"BUTTON", -1, "", 5, 0, 175, 166, child | BS_GROUPBOX},
        {"EDIT", 1000, "", 10, 8, 165, 12, child | WS_BORDER | ES_READONLY | ES_AUTOHSCROLL},
        {"BUTTON", 1002, "&New", 10, 25, 45, 15, button},
        {"BUTTON", 1003, "&Open", 10, 45, 45, 15, button},
        {"BUTTON", 1004, "&Save", 10, 65, 45, 15, button},
        {"BUTTON", 1005, "Save &As", 10, 85, 45, 15, button},
        {"BUTTON", 1006, "&Import", 10, 105, 45, 15, button},
        {"BUTTON", 1007, "&Export", 10, 125, 45, 15, button},
        {"BUTTON", 1010, "E&xit", 10, 145, 45, 15, button},
        {"BUTTON", 1008, "&Rename", 60, 125, 55, 15, button},
        {"BUTTON", 1009, "Re&move", 120, 125, 55, 15, button},
        {"BUTTON", 1011, "Move &Up", 60, 145, 55, 15, button},
        {"BUTTON", 1012, "Move &Down", 120, 145, 55, 15, button},
        {"SYSLISTVIEW32", 1001, "File list", 60, 25, 115, 95,
         child | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_EDITLABELS},
        {"BUTTON", -1, "", 5, 165, 175, 46, child | BS_GROUPBOX | BS_LEFT},
        {"STATIC", -1, "Author:", 20, 175, 30, 10, label},
        {"STATIC", -1, "E-mail:", 20, 185, 30, 10, label},
        {"STATIC", -1, "Website:", 20, 195, 30, 10, label},
        {"STATIC", -1, "Tamsel", 60, 175, 25, 10, label},
        {"STATIC", -1, "not published", 60, 185, 75, 10, label},
        {"STATIC", -1, "not published", 60, 195, 90, 10, label},
    };
    ASSERT_EQ(count, design.size());
    for (const Item& expected : design) {
        in.AlignToDword(start);
        Item item;
        item.style = in.Dword();
        in.Dword();  // extended style
        item.x = in.Short();
        item.y = in.Short();
        item.width = in.Short();
        item.height = in.Short();
        item.id = static_cast<short>(in.Word());
        item.windowClass = Upper(in.StringOrOrdinal());
        item.text = in.StringOrOrdinal();
        WORD extra = in.Word();
        in.next += extra;
        EXPECT_EQ(item, expected);
    }
}
