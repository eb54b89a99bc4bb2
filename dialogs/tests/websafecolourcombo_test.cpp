#include "dialogs/websafecolourcombo.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>
#include <string>

namespace {

// The CSS extended colour keywords, in alphabetical order, typed apart from the table under test
// so that a slip in either shows up as a mismatch. The alternative spellings of the greys ("grey"
// for "gray" and the reverse) are left out, as the table has only one form of each.
const std::map<std::string, std::string> kCssKeywords = {
    {"aliceblue", "#f0f8ff"},
    {"antiquewhite", "#faebd7"},
    {"aqua", "#00ffff"},
    {"aquamarine", "#7fffd4"},
    {"azure", "#f0ffff"},
    {"beige", "#f5f5dc"},
    {"bisque", "#ffe4c4"},
    {"black", "#000000"},
    {"blanchedalmond", "#ffebcd"},
    {"blue", "#0000ff"},
    {"blueviolet", "#8a2be2"},
    {"brown", "#a52a2a"},
    {"burlywood", "#deb887"},
    {"cadetblue", "#5f9ea0"},
    {"chartreuse", "#7fff00"},
    {"chocolate", "#d2691e"},
    {"coral", "#ff7f50"},
    {"cornflowerblue", "#6495ed"},
    {"cornsilk", "#fff8dc"},
    {"crimson", "#dc143c"},
    {"cyan", "#00ffff"},
    {"darkblue", "#00008b"},
    {"darkcyan", "#008b8b"},
    {"darkgoldenrod", "#b8860b"},
    {"darkgray", "#a9a9a9"},
    {"darkgreen", "#006400"},
    {"darkkhaki", "#bdb76b"},
    {"darkmagenta", "#8b008b"},
    {"darkolivegreen", "#556b2f"},
    {"darkorange", "#ff8c00"},
    {"darkorchid", "#9932cc"},
    {"darkred", "#8b0000"},
    {"darksalmon", "#e9967a"},
    {"darkseagreen", "#8fbc8f"},
    {"darkslateblue", "#483d8b"},
    {"darkslategray", "#2f4f4f"},
    {"darkturquoise", "#00ced1"},
    {"darkviolet", "#9400d3"},
    {"deeppink", "#ff1493"},
    {"deepskyblue", "#00bfff"},
    {"dimgray", "#696969"},
    {"dodgerblue", "#1e90ff"},
    {"firebrick", "#b22222"},
    {"floralwhite", "#fffaf0"},
    {"forestgreen", "#228b22"},
    {"fuchsia", "#ff00ff"},
    {"gainsboro", "#dcdcdc"},
    {"ghostwhite", "#f8f8ff"},
    {"gold", "#ffd700"},
    {"goldenrod", "#daa520"},
    {"gray", "#808080"},
    {"green", "#008000"},
    {"greenyellow", "#adff2f"},
    {"honeydew", "#f0fff0"},
    {"hotpink", "#ff69b4"},
    {"indianred", "#cd5c5c"},
    {"indigo", "#4b0082"},
    {"ivory", "#fffff0"},
    {"khaki", "#f0e68c"},
    {"lavender", "#e6e6fa"},
    {"lavenderblush", "#fff0f5"},
    {"lawngreen", "#7cfc00"},
    {"lemonchiffon", "#fffacd"},
    {"lightblue", "#add8e6"},
    {"lightcoral", "#f08080"},
    {"lightcyan", "#e0ffff"},
    {"lightgoldenrodyellow", "#fafad2"},
    {"lightgreen", "#90ee90"},
    {"lightgrey", "#d3d3d3"},
    {"lightpink", "#ffb6c1"},
    {"lightsalmon", "#ffa07a"},
    {"lightseagreen", "#20b2aa"},
    {"lightskyblue", "#87cefa"},
    {"lightslategray", "#778899"},
    {"lightsteelblue", "#b0c4de"},
    {"lightyellow", "#ffffe0"},
    {"lime", "#00ff00"},
    {"limegreen", "#32cd32"},
    {"linen", "#faf0e6"},
    {"magenta", "#ff00ff"},
    {"maroon", "#800000"},
    {"mediumaquamarine", "#66cdaa"},
    {"mediumblue", "#0000cd"},
    {"mediumorchid", "#ba55d3"},
    {"mediumpurple", "#9370db"},
    {"mediumseagreen", "#3cb371"},
    {"mediumslateblue", "#7b68ee"},
    {"mediumspringgreen", "#00fa9a"},
    {"mediumturquoise", "#48d1cc"},
    {"mediumvioletred", "#c71585"},
    {"midnightblue", "#191970"},
    {"mintcream", "#f5fffa"},
    {"mistyrose", "#ffe4e1"},
    {"moccasin", "#ffe4b5"},
    {"navajowhite", "#ffdead"},
    {"navy", "#000080"},
    {"oldlace", "#fdf5e6"},
    {"olive", "#808000"},
    {"olivedrab", "#6b8e23"},
    {"orange", "#ffa500"},
    {"orangered", "#ff4500"},
    {"orchid", "#da70d6"},
    {"palegoldenrod", "#eee8aa"},
    {"palegreen", "#98fb98"},
    {"paleturquoise", "#afeeee"},
    {"palevioletred", "#db7093"},
    {"papayawhip", "#ffefd5"},
    {"peachpuff", "#ffdab9"},
    {"peru", "#cd853f"},
    {"pink", "#ffc0cb"},
    {"plum", "#dda0dd"},
    {"powderblue", "#b0e0e6"},
    {"purple", "#800080"},
    {"red", "#ff0000"},
    {"rosybrown", "#bc8f8f"},
    {"royalblue", "#4169e1"},
    {"saddlebrown", "#8b4513"},
    {"salmon", "#fa8072"},
    {"sandybrown", "#f4a460"},
    {"seagreen", "#2e8b57"},
    {"seashell", "#fff5ee"},
    {"sienna", "#a0522d"},
    {"silver", "#c0c0c0"},
    {"skyblue", "#87ceeb"},
    {"slateblue", "#6a5acd"},
    {"slategray", "#708090"},
    {"snow", "#fffafa"},
    {"springgreen", "#00ff7f"},
    {"steelblue", "#4682b4"},
    {"tan", "#d2b48c"},
    {"teal", "#008080"},
    {"thistle", "#d8bfd8"},
    {"tomato", "#ff6347"},
    {"turquoise", "#40e0d0"},
    {"violet", "#ee82ee"},
    {"wheat", "#f5deb3"},
    {"white", "#ffffff"},
    {"whitesmoke", "#f5f5f5"},
    {"yellow", "#ffff00"},
    {"yellowgreen", "#9acd32"},
};

COLORREF FromHex(const std::string& hex) {
    unsigned long rgb = std::strtoul(hex.c_str() + 1, nullptr, 16);
    return RGB(static_cast<BYTE>(rgb >> 16), static_cast<BYTE>(rgb >> 8), static_cast<BYTE>(rgb));
}

const SNamedColour& Entry(int index) {
    return CWebSafeColourCombo::GetNamedColour(index);
}

int Find(std::string_view name) {
    return CWebSafeColourCombo::FindNamedColour(name);
}

}  // namespace

TEST(NamedColourTable, EveryColourIsItsCssKeywordValue) {
    ASSERT_EQ(kCssKeywords.size(), 140u);
    for (int i = 0; i < CWebSafeColourCombo::kNamedColourCount; ++i) {
        auto it = kCssKeywords.find(Entry(i).name);
        ASSERT_NE(it, kCssKeywords.end()) << "index " << i << " " << Entry(i).name;
        EXPECT_EQ(Entry(i).colour, FromHex(it->second)) << "index " << i << " " << Entry(i).name;
    }
}

TEST(NamedColourTable, NamesAreDistinctLowerCaseKeywords) {
    std::set<std::string> names;
    for (int i = 0; i < CWebSafeColourCombo::kNamedColourCount; ++i) {
        std::string name = Entry(i).name;
        EXPECT_TRUE(names.insert(name).second) << "duplicate " << name;
        for (char c : name) {
            EXPECT_TRUE(c >= 'a' && c <= 'z') << name;
        }
    }
    EXPECT_EQ(names.size(), 140u);
}

TEST(NamedColourTable, OnlyTheSynonymPairsShareAValue) {
    std::map<COLORREF, std::set<std::string>> byColour;
    for (int i = 0; i < CWebSafeColourCombo::kNamedColourCount; ++i) {
        byColour[Entry(i).colour].insert(Entry(i).name);
    }
    for (const auto& [colour, names] : byColour) {
        if (names.size() > 1) {
            EXPECT_TRUE(names == std::set<std::string>({"aqua", "cyan"}) ||
                        names == std::set<std::string>({"fuchsia", "magenta"}))
                << "colour " << colour << " shared by " << names.size() << " names";
        }
    }
    EXPECT_EQ(byColour.size(), 138u);
}

TEST(NamedColourTable, FixedEntries) {
    struct Case {
        int index;
        const char* name;
        BYTE red, green, blue;
    };
    const Case cases[] = {
        {0, "maroon", 128, 0, 0},          {5, "red", 255, 0, 0},
        {59, "aqua", 0, 255, 255},         {60, "cyan", 0, 255, 255},
        {131, "lightgrey", 211, 211, 211}, {139, "black", 0, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(Entry(c.index).name, c.name);
        EXPECT_EQ(GetRValue(Entry(c.index).colour), c.red) << c.name;
        EXPECT_EQ(GetGValue(Entry(c.index).colour), c.green) << c.name;
        EXPECT_EQ(GetBValue(Entry(c.index).colour), c.blue) << c.name;
    }
    EXPECT_EQ(Entry(0).colour, 0x000080ul);
}

TEST(NamedColourTable, IndexOutsideTheTableGivesTheFirstEntry) {
    for (int index : {-1, 140, 100000}) {
        EXPECT_EQ(&Entry(index), &Entry(0)) << index;
    }
}

TEST(NamedColourTable, FindNamedColour) {
    struct Case {
        const char* name;
        int index;
    };
    const Case cases[] = {
        {"RED", 5},
        {"Black", 139},
        {"cyan", 60},
        {"aqua", 59},
        {"MAGENTA", 18},
        {"maroon", 0},
        {"LightGoldenRodYellow", 113},
        {"no colour", -1},
        {"", -1},
        {"re", -1},
        {"redd", -1},
        {" red", -1},
        {"grey", -1},
        {"lightgray", -1},
        {"#ff0000", -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Find(c.name), c.index) << c.name;
    }
    EXPECT_EQ(Find(std::string_view("red\0", 4)), -1);
}

TEST(NamedColourTable, EveryNameFindsItsOwnIndex) {
    for (int i = 0; i < CWebSafeColourCombo::kNamedColourCount; ++i) {
        EXPECT_EQ(Find(Entry(i).name), i) << Entry(i).name;
    }
}
