// Image lists, and bitmaps from module resources with and without mapped colours.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "platform/win/controls/commctrl.h"
#include "platform/win/controls/tests/controltestsupport.h"
#include "platform/win/moduleresources.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrey = RGB(192, 192, 192);
constexpr COLORREF kMagenta = RGB(255, 0, 255);

constexpr UINT kQuadrantIcon = 206;
constexpr UINT kSmallIcon = 207;
constexpr UINT kSwatchBitmap = 230;

// A 32 by 32 icon in four coloured quadrants.
std::array<COLORREF, 32 * 32> MakeQuadrants() {
    std::array<COLORREF, 32 * 32> pixels{};
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            pixels[static_cast<size_t>(y * 32 + x)] =
                y < 16 ? (x < 16 ? kRed : kGreen) : (x < 16 ? kBlue : kWhite);
        }
    }
    return pixels;
}

const std::array<COLORREF, 32 * 32> kQuadrants = MakeQuadrants();
const std::array<COLORREF, 16 * 16> kSmall = [] {
    std::array<COLORREF, 16 * 16> pixels{};
    for (size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = RGB(static_cast<BYTE>(i), 7, 9);
    }
    return pixels;
}();
// A swatch: a black frame around light grey, one pixel of white.
const std::array<COLORREF, 4 * 2> kSwatch = {kBlack, kGrey, kGrey,  kBlack,
                                             kBlack, kGrey, kWhite, kBlack};

const SImageResource kIcons[] = {
    {kQuadrantIcon, 32, 32, kQuadrants},
    {kSmallIcon, 16, 16, kSmall},
};
const SImageResource kBitmaps[] = {{kSwatchBitmap, 4, 2, kSwatch}};

HINSTANCE TestInstance() {
    static int module = 0;
    return reinterpret_cast<HINSTANCE>(&module);
}

class ImageListTest : public CControlsTest {
protected:
    ImageListTest()
        : m_resources(TestInstance(), SModuleResourceTable{{}, {}, {}, kIcons, kBitmaps}) {}

    // The pixel of an image, drawn alone.
    static COLORREF ImagePixel(HIMAGELIST himl, int index, int x, int y) {
        int cx = 0;
        int cy = 0;
        ImageList_GetIconSize(himl, &cx, &cy);
        CMemoryBitmap target(cx, cy);
        ImageList_Draw(himl, index, target.Dc(), 0, 0, ILD_IMAGE);
        return GetPixel(target.Dc(), x, y);
    }

    // A bitmap of blocks of the colours, each the width of an image.
    static HBITMAP Blocks(const std::vector<COLORREF>& colours, int cx, int cy) {
        HBITMAP bitmap = CreateBitmap(cx * static_cast<int>(colours.size()), cy, 1, 32, nullptr);
        HDC hdc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(hdc, bitmap);
        for (size_t i = 0; i < colours.size(); ++i) {
            HBRUSH brush = CreateSolidBrush(colours[i]);
            RECT block{static_cast<int>(i) * cx, 0, (static_cast<int>(i) + 1) * cx, cy};
            FillRect(hdc, &block, brush);
            DeleteObject(brush);
        }
        SelectObject(hdc, old);
        DeleteDC(hdc);
        return bitmap;
    }

    CResourceRegistration m_resources;
};

TEST_F(ImageListTest, CreationKeepsSizeDepthAndRoomForTheInitialImages) {
    HIMAGELIST himl = ImageList_Create(16, 16, ILC_COLOR16, 142, 0);
    ASSERT_NE(himl, nullptr);
    int cx = 0;
    int cy = 0;
    EXPECT_TRUE(ImageList_GetIconSize(himl, &cx, &cy));
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);
    EXPECT_EQ(ImageList_GetImageCount(himl), 0);
    EXPECT_EQ(ImageList_AddIcon(himl, LoadIconA(TestInstance(), MAKEINTRESOURCEA(kSmallIcon))), 0);
    IMAGEINFO info{};
    ASSERT_TRUE(ImageList_GetImageInfo(himl, 0, &info));
    EXPECT_EQ(info.hbmMask, nullptr);
    BITMAP strip{};
    GetObjectA(info.hbmImage, sizeof(strip), &strip);
    EXPECT_EQ(strip.bmBitsPixel, 16);
    EXPECT_EQ(strip.bmWidth, 142 * 16);
    // The strips belong to the list.
    EXPECT_FALSE(DeleteObject(info.hbmImage));
    EXPECT_TRUE(ImageList_Destroy(himl));
    EXPECT_EQ(GetObjectType(info.hbmImage), 0u);
    EXPECT_FALSE(ImageList_Destroy(himl));
    EXPECT_EQ(ImageList_GetImageCount(himl), 0);

    EXPECT_EQ(ImageList_Create(0, 16, ILC_COLOR24, 1, 1), nullptr);
    EXPECT_EQ(ImageList_Create(16, 300, ILC_COLOR24, 1, 1), nullptr);
    EXPECT_EQ(ImageList_Create(256, 256, ILC_COLOR24, 0xFFFF, 1), nullptr);
    // A list cannot grow past what a bitmap holds.
    HIMAGELIST large = ImageList_Create(256, 256, ILC_COLOR24, 1, 1);
    EXPECT_FALSE(ImageList_SetImageCount(large, 0xFFFF));
    EXPECT_EQ(ImageList_GetImageCount(large), 0);
    ImageList_Destroy(large);
}

TEST_F(ImageListTest, AddingABitmapAddsOneImagePerImageWidth) {
    HIMAGELIST himl = ImageList_Create(4, 4, ILC_COLOR24, 1, 1);
    HBITMAP three = Blocks({kRed, kGreen, kBlue}, 4, 4);
    HBITMAP one = Blocks({kWhite}, 4, 4);
    HBITMAP narrow = CreateBitmap(3, 4, 1, 32, nullptr);
    EXPECT_EQ(ImageList_Add(himl, three, nullptr), 0);
    EXPECT_EQ(ImageList_Add(himl, one, nullptr), 3);
    EXPECT_EQ(ImageList_Add(himl, narrow, nullptr), -1);
    EXPECT_EQ(ImageList_GetImageCount(himl), 4);
    const COLORREF expected[] = {kRed, kGreen, kBlue, kWhite};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ImagePixel(himl, i, 2, 2), expected[i]) << i;
    }
    IMAGEINFO info{};
    ASSERT_TRUE(ImageList_GetImageInfo(himl, 2, &info));
    EXPECT_EQ(info.rcImage, (RECT{8, 0, 12, 4}));
    EXPECT_FALSE(ImageList_GetImageInfo(himl, 4, &info));

    ASSERT_TRUE(ImageList_Remove(himl, 1));
    EXPECT_EQ(ImageList_GetImageCount(himl), 3);
    EXPECT_EQ(ImagePixel(himl, 1, 0, 0), kBlue);
    EXPECT_FALSE(ImageList_Remove(himl, 3));
    ASSERT_TRUE(ImageList_SetImageCount(himl, 5));
    EXPECT_EQ(ImagePixel(himl, 4, 0, 0), kBlack);
    ASSERT_TRUE(ImageList_RemoveAll(himl));
    EXPECT_EQ(ImageList_GetImageCount(himl), 0);

    DeleteObject(three);
    DeleteObject(one);
    DeleteObject(narrow);
    ImageList_Destroy(himl);
}

TEST_F(ImageListTest, MaskedImagesDrawThroughTheirMask) {
    HIMAGELIST himl = ImageList_Create(2, 1, ILC_COLOR32 | ILC_MASK, 1, 1);
    HBITMAP image = CreateBitmap(2, 1, 1, 32, nullptr);
    {
        HDC hdc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(hdc, image);
        SetPixel(hdc, 0, 0, kMagenta);
        SetPixel(hdc, 1, 0, kRed);
        SelectObject(hdc, old);
        DeleteDC(hdc);
    }
    ASSERT_EQ(ImageList_AddMasked(himl, image, kMagenta), 0);
    CMemoryBitmap target(2, 1);
    target.Fill(kGreen);
    ImageList_Draw(himl, 0, target.Dc(), 0, 0, ILD_NORMAL);
    EXPECT_EQ(GetPixel(target.Dc(), 0, 0), kGreen);
    EXPECT_EQ(GetPixel(target.Dc(), 1, 0), kRed);
    ImageList_Draw(himl, 0, target.Dc(), 0, 0, ILD_IMAGE);
    EXPECT_EQ(GetPixel(target.Dc(), 0, 0), kBlack);
    ImageList_Draw(himl, 0, target.Dc(), 0, 0, ILD_MASK);
    EXPECT_EQ(GetPixel(target.Dc(), 0, 0), kWhite);
    EXPECT_EQ(GetPixel(target.Dc(), 1, 0), kBlack);
    target.Fill(kGreen);
    EXPECT_EQ(ImageList_SetBkColor(himl, kBlue), CLR_NONE);
    ImageList_Draw(himl, 0, target.Dc(), 0, 0, ILD_NORMAL);
    EXPECT_EQ(GetPixel(target.Dc(), 0, 0), kBlue);
    // The caller's bitmap keeps its colours.
    HDC hdc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(hdc, image);
    EXPECT_EQ(GetPixel(hdc, 0, 0), kMagenta);
    SelectObject(hdc, old);
    DeleteDC(hdc);
    DeleteObject(image);
    ImageList_Destroy(himl);
}

TEST_F(ImageListTest, IconsAreScaledToTheImageSize) {
    HIMAGELIST himl = ImageList_Create(16, 16, ILC_COLOR24, 2, 2);
    HICON quadrants = LoadIconA(TestInstance(), MAKEINTRESOURCEA(kQuadrantIcon));
    HICON small = LoadIconA(TestInstance(), MAKEINTRESOURCEA(kSmallIcon));
    ASSERT_NE(quadrants, nullptr);
    EXPECT_EQ(ImageList_ReplaceIcon(himl, -1, quadrants), 0);
    EXPECT_EQ(ImageList_AddIcon(himl, small), 1);
    struct SProbe {
        int x;
        int y;
        COLORREF colour;
    };
    const SProbe probes[] = {{0, 0, kRed},  {7, 7, kRed},   {8, 0, kGreen}, {15, 7, kGreen},
                             {0, 8, kBlue}, {7, 15, kBlue}, {8, 8, kWhite}, {15, 15, kWhite}};
    for (const SProbe& probe : probes) {
        EXPECT_EQ(ImagePixel(himl, 0, probe.x, probe.y), probe.colour) << probe.x << "," << probe.y;
    }
    EXPECT_EQ(ImagePixel(himl, 1, 5, 3), kSmall[3 * 16 + 5]);

    EXPECT_EQ(ImageList_ReplaceIcon(himl, 1, quadrants), 1);
    EXPECT_EQ(ImagePixel(himl, 1, 15, 15), kWhite);
    EXPECT_EQ(ImageList_GetImageCount(himl), 2);
    EXPECT_EQ(ImageList_ReplaceIcon(himl, 2, quadrants), -1);
    EXPECT_EQ(ImageList_ReplaceIcon(himl, -1, reinterpret_cast<HICON>(&himl)), -1);

    ASSERT_TRUE(ImageList_SetIconSize(himl, 8, 8));
    EXPECT_EQ(ImageList_GetImageCount(himl), 0);
    EXPECT_EQ(ImageList_AddIcon(himl, quadrants), 0);
    EXPECT_EQ(ImagePixel(himl, 0, 7, 0), kGreen);
    ImageList_Destroy(himl);
}

TEST_F(ImageListTest, MappedBitmapReplacesTheListedColoursOnly) {
    COLORMAP map{kGrey, kRed};
    HBITMAP mapped = CreateMappedBitmap(TestInstance(), kSwatchBitmap, 0, &map, 1);
    ASSERT_NE(mapped, nullptr);
    HDC hdc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(hdc, mapped);
    const COLORREF expected[] = {kBlack, kRed, kRed, kBlack, kBlack, kRed, kWhite, kBlack};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(GetPixel(hdc, i % 4, i / 4), expected[i]) << i;
    }
    SelectObject(hdc, old);
    DeleteObject(mapped);

    // Without a map, the standard colours become the button colours of the display.
    HBITMAP standard = CreateMappedBitmap(TestInstance(), kSwatchBitmap, 0, nullptr, 0);
    old = SelectObject(hdc, standard);
    EXPECT_EQ(GetPixel(hdc, 1, 0), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(GetPixel(hdc, 2, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(GetPixel(hdc, 0, 0), GetSysColor(COLOR_BTNTEXT));
    SelectObject(hdc, old);
    DeleteObject(standard);
    DeleteDC(hdc);

    EXPECT_EQ(CreateMappedBitmap(TestInstance(), 999, 0, &map, 1), nullptr);
    EXPECT_EQ(CreateMappedBitmap(nullptr, kSwatchBitmap, 0, &map, 1), nullptr);
}

TEST_F(ImageListTest, SwatchesOfMappedBitmapsFillAList) {
    HIMAGELIST himl = ImageList_Create(4, 2, ILC_COLOR16, 4, 0);
    const COLORREF colours[] = {kRed, kGreen, kBlue};
    for (COLORREF colour : colours) {
        COLORMAP map{kGrey, colour};
        HBITMAP swatch = CreateMappedBitmap(TestInstance(), kSwatchBitmap, 0, &map, 1);
        ImageList_Add(himl, swatch, nullptr);
        DeleteObject(swatch);
    }
    ASSERT_EQ(ImageList_GetImageCount(himl), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(ImagePixel(himl, i, 1, 0), colours[i]);
        EXPECT_EQ(ImagePixel(himl, i, 0, 0), kBlack);
    }
    ImageList_Destroy(himl);
}

TEST_F(ImageListTest, BitmapsAndImagesLoadFromTheModule) {
    HBITMAP loaded = LoadBitmapA(TestInstance(), MAKEINTRESOURCEA(kSwatchBitmap));
    ASSERT_NE(loaded, nullptr);
    BITMAP info{};
    GetObjectA(loaded, sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 4);
    EXPECT_EQ(info.bmBitsPixel, 24);
    DeleteObject(loaded);

    auto stretched = static_cast<HBITMAP>(
        LoadImageA(TestInstance(), "#230", IMAGE_BITMAP, 8, 4, LR_DEFAULTCOLOR));
    ASSERT_NE(stretched, nullptr);
    HDC hdc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(hdc, stretched);
    EXPECT_EQ(GetPixel(hdc, 7, 3), kBlack);
    EXPECT_EQ(GetPixel(hdc, 5, 2), kWhite);
    EXPECT_EQ(GetPixel(hdc, 2, 0), kGrey);
    SelectObject(hdc, old);
    DeleteDC(hdc);
    DeleteObject(stretched);

    auto mono = static_cast<HBITMAP>(LoadImageA(TestInstance(), MAKEINTRESOURCEA(kSwatchBitmap),
                                                IMAGE_BITMAP, 0, 0, LR_MONOCHROME));
    GetObjectA(mono, sizeof(info), &info);
    EXPECT_EQ(info.bmBitsPixel, 1);
    DeleteObject(mono);

    EXPECT_EQ(LoadImageA(TestInstance(), MAKEINTRESOURCEA(kSmallIcon), IMAGE_ICON, 16, 16, 0),
              LoadIconA(TestInstance(), MAKEINTRESOURCEA(kSmallIcon)));
    EXPECT_EQ(LoadImageA(TestInstance(), "swatch.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE),
              nullptr);
    EXPECT_EQ(LoadBitmapA(TestInstance(), MAKEINTRESOURCEA(1)), nullptr);
    EXPECT_EQ(LoadImageA(TestInstance(), "#230", IMAGE_BITMAP, 100000, 100000, 0), nullptr);
}

}  // namespace
