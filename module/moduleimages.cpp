#include "module/moduleimages.h"

#include <array>

#include "module/resource.h"
#include "platform/win/colorref.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kNavy = RGB(0, 0, 128);
// The swatch's fill: the toolbar replaces exactly this colour by each class colour.
constexpr COLORREF kLightGrey = RGB(192, 192, 192);

constexpr bool IsFrame(int x, int y, int width, int height) {
    return x == 0 || y == 0 || x == width - 1 || y == height - 1;
}

// The product icon, 32 by 32 in colours of the 16-colour palette: a white "L" on navy inside a
// black frame.
constexpr int kIconSize = 32;
constexpr std::array<COLORREF, kIconSize * kIconSize> MakeIcon() {
    std::array<COLORREF, kIconSize * kIconSize> pixels{};
    for (int y = 0; y < kIconSize; ++y) {
        for (int x = 0; x < kIconSize; ++x) {
            const bool bStem = x >= 10 && x <= 13 && y >= 7 && y <= 24;
            const bool bFoot = x >= 10 && x <= 22 && y >= 21 && y <= 24;
            COLORREF colour = kNavy;
            if (IsFrame(x, y, kIconSize, kIconSize)) {
                colour = kBlack;
            } else if (bStem || bFoot) {
                colour = kWhite;
            }
            pixels[y * kIconSize + x] = colour;
        }
    }
    return pixels;
}

// The colour swatch, 16 by 16: a black frame around light grey.
constexpr int kSwatchSize = 16;
constexpr std::array<COLORREF, kSwatchSize * kSwatchSize> MakeSwatch() {
    std::array<COLORREF, kSwatchSize * kSwatchSize> pixels{};
    for (int y = 0; y < kSwatchSize; ++y) {
        for (int x = 0; x < kSwatchSize; ++x) {
            pixels[y * kSwatchSize + x] =
                IsFrame(x, y, kSwatchSize, kSwatchSize) ? kBlack : kLightGrey;
        }
    }
    return pixels;
}

// The About picture, 144 by 96: a vertical gradient from navy at the top to white at the bottom.
constexpr int kPictureWidth = 144;
constexpr int kPictureHeight = 96;
constexpr std::array<COLORREF, kPictureWidth * kPictureHeight> MakePicture() {
    std::array<COLORREF, kPictureWidth * kPictureHeight> pixels{};
    for (int y = 0; y < kPictureHeight; ++y) {
        const int nStep = y * 255 / (kPictureHeight - 1);
        const COLORREF colour = RGB(static_cast<BYTE>(nStep), static_cast<BYTE>(nStep),
                                    static_cast<BYTE>(128 + nStep * 127 / 255));
        for (int x = 0; x < kPictureWidth; ++x) {
            pixels[y * kPictureWidth + x] = colour;
        }
    }
    return pixels;
}

constexpr auto kIconPixels = MakeIcon();
constexpr auto kSwatchPixels = MakeSwatch();
constexpr auto kPicturePixels = MakePicture();

constexpr SImageResource kIcons[] = {
    {IDI_LIRSET, kIconSize, kIconSize, kIconPixels},
};

constexpr SImageResource kBitmaps[] = {
    {IDB_SWATCH, kSwatchSize, kSwatchSize, kSwatchPixels},
    {IDB_ABOUT, kPictureWidth, kPictureHeight, kPicturePixels},
};

}  // namespace

std::span<const SImageResource> GetLirsetIcons() {
    return kIcons;
}

std::span<const SImageResource> GetLirsetBitmaps() {
    return kBitmaps;
}
