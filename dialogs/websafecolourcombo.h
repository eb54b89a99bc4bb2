// The colour combo of the colour dialog and the named colours it offers.
//
// Highlight colours travel through the system as CSS colour keywords. The named colour table maps
// each keyword the system offers to its colour value; its order runs through the hues from dark
// red to the greys, which is the order of the toolbar's swatch images and of the combo's items.
#pragma once

#include <string_view>

#include "platform/win/colorref.h"

struct SNamedColour {
    COLORREF colour;
    const char* name;  // lower case
};

class CWebSafeColourCombo {
public:
    static constexpr int kNamedColourCount = 140;

    // The entry at the index; an index outside 0 to kNamedColourCount - 1 gives entry 0, the
    // swatch the toolbar shows for a colour it does not know.
    static const SNamedColour& GetNamedColour(int index);

    // The first index whose name equals the text with ASCII letter case ignored, or -1.
    static int FindNamedColour(std::string_view name);
};
