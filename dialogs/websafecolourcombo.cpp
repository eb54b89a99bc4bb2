#include "dialogs/websafecolourcombo.h"

#include <iterator>

namespace {

constexpr SNamedColour kNamedColours[] = {
    {RGB(128, 0, 0), "maroon"},
    {RGB(139, 0, 0), "darkred"},
    {RGB(178, 34, 34), "firebrick"},
    {RGB(165, 42, 42), "brown"},
    {RGB(220, 20, 60), "crimson"},
    {RGB(255, 0, 0), "red"},
    {RGB(255, 69, 0), "orangered"},
    {RGB(205, 92, 92), "indianred"},
    {RGB(233, 150, 122), "darksalmon"},
    {RGB(255, 160, 122), "lightsalmon"},
    {RGB(255, 127, 80), "coral"},
    {RGB(255, 99, 71), "tomato"},
    {RGB(250, 128, 114), "salmon"},
    {RGB(240, 128, 128), "lightcoral"},
    {RGB(219, 112, 147), "palevioletred"},
    {RGB(199, 21, 133), "mediumvioletred"},
    {RGB(255, 20, 147), "deeppink"},
    {RGB(255, 0, 255), "fuchsia"},
    {RGB(255, 0, 255), "magenta"},
    {RGB(255, 105, 180), "hotpink"},
    {RGB(255, 182, 193), "lightpink"},
    {RGB(255, 192, 203), "pink"},
    {RGB(216, 191, 216), "thistle"},
    {RGB(221, 160, 221), "plum"},
    {RGB(238, 130, 238), "violet"},
    {RGB(218, 112, 214), "orchid"},
    {RGB(186, 85, 211), "mediumorchid"},
    {RGB(153, 50, 204), "darkorchid"},
    {RGB(148, 0, 211), "darkviolet"},
    {RGB(128, 0, 128), "purple"},
    {RGB(139, 0, 139), "darkmagenta"},
    {RGB(75, 0, 130), "indigo"},
    {RGB(138, 43, 226), "blueviolet"},
    {RGB(147, 112, 219), "mediumpurple"},
    {RGB(123, 104, 238), "mediumslateblue"},
    {RGB(106, 90, 205), "slateblue"},
    {RGB(72, 61, 139), "darkslateblue"},
    {RGB(25, 25, 112), "midnightblue"},
    {RGB(0, 0, 128), "navy"},
    {RGB(0, 0, 139), "darkblue"},
    {RGB(0, 0, 205), "mediumblue"},
    {RGB(0, 0, 255), "blue"},
    {RGB(65, 105, 225), "royalblue"},
    {RGB(100, 149, 237), "cornflowerblue"},
    {RGB(70, 130, 180), "steelblue"},
    {RGB(30, 144, 255), "dodgerblue"},
    {RGB(0, 191, 255), "deepskyblue"},
    {RGB(135, 206, 250), "lightskyblue"},
    {RGB(135, 206, 235), "skyblue"},
    {RGB(176, 196, 222), "lightsteelblue"},
    {RGB(173, 216, 230), "lightblue"},
    {RGB(176, 224, 230), "powderblue"},
    {RGB(175, 238, 238), "paleturquoise"},
    {RGB(72, 209, 204), "mediumturquoise"},
    {RGB(32, 178, 170), "lightseagreen"},
    {RGB(0, 139, 139), "darkcyan"},
    {RGB(0, 128, 128), "teal"},
    {RGB(95, 158, 160), "cadetblue"},
    {RGB(0, 206, 209), "darkturquoise"},
    {RGB(0, 255, 255), "aqua"},
    {RGB(0, 255, 255), "cyan"},
    {RGB(64, 224, 208), "turquoise"},
    {RGB(127, 255, 212), "aquamarine"},
    {RGB(102, 205, 170), "mediumaquamarine"},
    {RGB(143, 188, 143), "darkseagreen"},
    {RGB(60, 179, 113), "mediumseagreen"},
    {RGB(46, 139, 87), "seagreen"},
    {RGB(0, 100, 0), "darkgreen"},
    {RGB(0, 128, 0), "green"},
    {RGB(34, 139, 34), "forestgreen"},
    {RGB(50, 205, 50), "limegreen"},
    {RGB(0, 255, 127), "springgreen"},
    {RGB(0, 250, 154), "mediumspringgreen"},
    {RGB(152, 251, 152), "palegreen"},
    {RGB(144, 238, 144), "lightgreen"},
    {RGB(0, 255, 0), "lime"},
    {RGB(127, 255, 0), "chartreuse"},
    {RGB(124, 252, 0), "lawngreen"},
    {RGB(173, 255, 47), "greenyellow"},
    {RGB(154, 205, 50), "yellowgreen"},
    {RGB(85, 107, 47), "darkolivegreen"},
    {RGB(107, 142, 35), "olivedrab"},
    {RGB(128, 128, 0), "olive"},
    {RGB(189, 183, 107), "darkkhaki"},
    {RGB(184, 134, 11), "darkgoldenrod"},
    {RGB(218, 165, 32), "goldenrod"},
    {RGB(255, 215, 0), "gold"},
    {RGB(255, 255, 0), "yellow"},
    {RGB(240, 230, 140), "khaki"},
    {RGB(238, 232, 170), "palegoldenrod"},
    {RGB(244, 164, 96), "sandybrown"},
    {RGB(255, 165, 0), "orange"},
    {RGB(255, 140, 0), "darkorange"},
    {RGB(210, 105, 30), "chocolate"},
    {RGB(139, 69, 19), "saddlebrown"},
    {RGB(160, 82, 45), "sienna"},
    {RGB(205, 133, 63), "peru"},
    {RGB(222, 184, 135), "burlywood"},
    {RGB(210, 180, 140), "tan"},
    {RGB(245, 222, 179), "wheat"},
    {RGB(255, 222, 173), "navajowhite"},
    {RGB(255, 228, 181), "moccasin"},
    {RGB(255, 235, 205), "blanchedalmond"},
    {RGB(188, 143, 143), "rosybrown"},
    {RGB(255, 228, 225), "mistyrose"},
    {RGB(255, 240, 245), "lavenderblush"},
    {RGB(230, 230, 250), "lavender"},
    {RGB(248, 248, 255), "ghostwhite"},
    {RGB(240, 255, 255), "azure"},
    {RGB(224, 255, 255), "lightcyan"},
    {RGB(240, 248, 255), "aliceblue"},
    {RGB(245, 255, 250), "mintcream"},
    {RGB(240, 255, 240), "honeydew"},
    {RGB(250, 250, 210), "lightgoldenrodyellow"},
    {RGB(255, 250, 205), "lemonchiffon"},
    {RGB(245, 245, 220), "beige"},
    {RGB(255, 255, 224), "lightyellow"},
    {RGB(255, 255, 240), "ivory"},
    {RGB(255, 250, 240), "floralwhite"},
    {RGB(250, 240, 230), "linen"},
    {RGB(253, 245, 230), "oldlace"},
    {RGB(255, 248, 220), "cornsilk"},
    {RGB(250, 235, 215), "antiquewhite"},
    {RGB(255, 228, 196), "bisque"},
    {RGB(255, 218, 185), "peachpuff"},
    {RGB(255, 239, 213), "papayawhip"},
    {RGB(255, 245, 238), "seashell"},
    {RGB(255, 250, 250), "snow"},
    {RGB(255, 255, 255), "white"},
    {RGB(245, 245, 245), "whitesmoke"},
    {RGB(220, 220, 220), "gainsboro"},
    {RGB(211, 211, 211), "lightgrey"},
    {RGB(192, 192, 192), "silver"},
    {RGB(169, 169, 169), "darkgray"},
    {RGB(128, 128, 128), "gray"},
    {RGB(105, 105, 105), "dimgray"},
    {RGB(119, 136, 153), "lightslategray"},
    {RGB(112, 128, 144), "slategray"},
    {RGB(47, 79, 79), "darkslategray"},
    {RGB(0, 0, 0), "black"},
};

static_assert(std::size(kNamedColours) == CWebSafeColourCombo::kNamedColourCount);

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(std::string_view text, const char* lowerName) {
    size_t i = 0;
    for (; i < text.size(); ++i) {
        if (lowerName[i] == '\0' || AsciiLower(text[i]) != lowerName[i]) {
            return false;
        }
    }
    return lowerName[i] == '\0';
}

}  // namespace

const SNamedColour& CWebSafeColourCombo::GetNamedColour(int index) {
    if (index < 0 || index >= kNamedColourCount) {
        return kNamedColours[0];
    }
    return kNamedColours[index];
}

int CWebSafeColourCombo::FindNamedColour(std::string_view name) {
    for (int i = 0; i < kNamedColourCount; ++i) {
        if (EqualsIgnoringCase(name, kNamedColours[i].name)) {
            return i;
        }
    }
    return -1;
}
