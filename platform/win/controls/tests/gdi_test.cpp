// Device contexts, bitmaps, drawing, block transfers, device-independent bits, the screen and
// text output.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "platform/win/controls/tests/controltestsupport.h"
#include "platform/win/controls/textdrawlog.h"
#include "platform/win/controls/wingdi.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

class GdiTest : public CControlsTest {};

TEST_F(GdiTest, MemoryContextHoldsAMonochromeBitmapUntilAnotherIsSelected) {
    HDC hdc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(GetObjectType(hdc), OBJ_MEMDC);
    HBITMAP mono = CreateCompatibleBitmap(hdc, 4, 4);
    BITMAP info{};
    ASSERT_EQ(GetObjectA(mono, sizeof(info), &info), static_cast<int>(sizeof(info)));
    EXPECT_EQ(info.bmBitsPixel, 1);
    EXPECT_EQ(info.bmWidthBytes, 2);

    HDC screen = GetDC(nullptr);
    HBITMAP colour = CreateCompatibleBitmap(screen, 5, 3);
    ASSERT_EQ(GetObjectA(colour, sizeof(info), &info), static_cast<int>(sizeof(info)));
    EXPECT_EQ(info.bmBitsPixel, 32);
    EXPECT_EQ(info.bmWidth, 5);
    EXPECT_EQ(info.bmHeight, 3);
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 32);
    EXPECT_EQ(GetDeviceCaps(screen, HORZRES), 1024);

    HGDIOBJ old = SelectObject(hdc, colour);
    EXPECT_EQ(GetObjectType(old), OBJ_BITMAP);
    HBITMAP again = CreateCompatibleBitmap(hdc, 2, 2);
    GetObjectA(again, sizeof(info), &info);
    EXPECT_EQ(info.bmBitsPixel, 32);

    SelectObject(hdc, old);
    DeleteDC(hdc);
    ReleaseDC(nullptr, screen);
    EXPECT_TRUE(DeleteObject(mono));
    EXPECT_TRUE(DeleteObject(colour));
    EXPECT_TRUE(DeleteObject(again));
}

TEST_F(GdiTest, SelectedObjectsCannotBeDeletedNorSharedBetweenContexts) {
    CMemoryBitmap target(4, 4);
    HBRUSH brush = CreateSolidBrush(kRed);
    HGDIOBJ oldBrush = SelectObject(target.Dc(), brush);
    EXPECT_FALSE(DeleteObject(brush));
    EXPECT_FALSE(DeleteObject(target.Bitmap()));

    HDC other = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(other, target.Bitmap()), nullptr);
    DeleteDC(other);

    EXPECT_EQ(SelectObject(target.Dc(), oldBrush), brush);
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_EQ(GetObjectType(brush), 0u);
    EXPECT_FALSE(DeleteObject(brush));

    HGDIOBJ stock = GetStockObject(BLACK_BRUSH);
    EXPECT_TRUE(DeleteObject(stock));
    EXPECT_EQ(GetObjectType(stock), OBJ_BRUSH);
}

TEST_F(GdiTest, CreationRefusesSizesAndDepthsItCannotHold) {
    EXPECT_EQ(CreateBitmap(0, 4, 1, 32, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(4, -1, 1, 32, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(4, 4, 1, 16, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(4, 4, 2, 32, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(20000, 4, 1, 32, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(9000, 9000, 1, 32, nullptr), nullptr);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(screen, 0, 10), nullptr);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(CreatePen(42, 1, kRed), nullptr);
}

TEST_F(GdiTest, BitmapBitsAreReadInTheDeviceDependentLayout) {
    // 3 pixels of 24 bits take 9 bytes, padded to 10.
    const unsigned char colourBits[] = {
        0,   0,   255, 0, 255, 0, 255, 0, 0, 0xEE,  // red, green, blue, padding
        255, 255, 255, 0, 0,   0, 1,   2, 3, 0xEE,  // white, black, RGB(3, 2, 1)
    };
    HBITMAP colour = CreateBitmap(3, 2, 1, 24, colourBits);
    // 1 bit per pixel, 8 pixels a byte from the high bit, rows padded to 2 bytes.
    const unsigned char monoBits[] = {0xA0, 0x00, 0x40, 0x00};
    HBITMAP mono = CreateBitmap(3, 2, 1, 1, monoBits);
    HDC hdc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(hdc, colour);
    EXPECT_EQ(GetPixel(hdc, 0, 0), kRed);
    EXPECT_EQ(GetPixel(hdc, 1, 0), kGreen);
    EXPECT_EQ(GetPixel(hdc, 2, 0), kBlue);
    EXPECT_EQ(GetPixel(hdc, 0, 1), kWhite);
    EXPECT_EQ(GetPixel(hdc, 2, 1), RGB(3, 2, 1));
    EXPECT_EQ(GetPixel(hdc, 3, 0), CLR_INVALID);
    SelectObject(hdc, mono);
    EXPECT_EQ(GetPixel(hdc, 0, 0), kWhite);
    EXPECT_EQ(GetPixel(hdc, 1, 0), kBlack);
    EXPECT_EQ(GetPixel(hdc, 2, 0), kWhite);
    EXPECT_EQ(GetPixel(hdc, 1, 1), kWhite);
    EXPECT_EQ(GetPixel(hdc, 0, 1), kBlack);
    SelectObject(hdc, old);
    DeleteDC(hdc);
    DeleteObject(colour);
    DeleteObject(mono);
}

TEST_F(GdiTest, FillsFramesAndRectanglesCoverTheirPixels) {
    CMemoryBitmap target(10, 10);
    target.Fill(kWhite);
    HBRUSH red = CreateSolidBrush(kRed);
    RECT fill{1, 1, 4, 3};
    FillRect(target.Dc(), &fill, red);
    RECT frame{5, 5, 9, 9};
    FrameRect(target.Dc(), &frame,
              reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_HIGHLIGHT + 1)));
    struct SProbe {
        int x;
        int y;
        COLORREF colour;
    };
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const SProbe probes[] = {
        {1, 1, kRed},   {3, 2, kRed},      {4, 2, kWhite},    {3, 3, kWhite},
        {0, 0, kWhite}, {5, 5, highlight}, {8, 8, highlight}, {8, 6, highlight},
        {6, 6, kWhite}, {9, 9, kWhite},    {7, 5, highlight}, {5, 8, highlight},
    };
    for (const SProbe& probe : probes) {
        EXPECT_EQ(GetPixel(target.Dc(), probe.x, probe.y), probe.colour)
            << probe.x << "," << probe.y;
    }
    DeleteObject(red);
}

TEST_F(GdiTest, RectangleOutlinesWithThePenAndFillsWithTheBrush) {
    CMemoryBitmap target(10, 10);
    target.Fill(kWhite);
    HPEN pen = CreatePen(PS_SOLID, 2, kBlue);
    HBRUSH brush = CreateSolidBrush(kGreen);
    HGDIOBJ oldPen = SelectObject(target.Dc(), pen);
    HGDIOBJ oldBrush = SelectObject(target.Dc(), brush);
    Rectangle(target.Dc(), 0, 0, 8, 8);
    EXPECT_EQ(GetPixel(target.Dc(), 0, 0), kBlue);
    EXPECT_EQ(GetPixel(target.Dc(), 1, 1), kBlue);
    EXPECT_EQ(GetPixel(target.Dc(), 7, 4), kBlue);
    EXPECT_EQ(GetPixel(target.Dc(), 2, 2), kGreen);
    EXPECT_EQ(GetPixel(target.Dc(), 5, 5), kGreen);
    EXPECT_EQ(GetPixel(target.Dc(), 8, 8), kWhite);

    // The null pen leaves the right and bottom edge out.
    target.Fill(kWhite);
    SelectObject(target.Dc(), GetStockObject(NULL_PEN));
    Rectangle(target.Dc(), 0, 0, 4, 4);
    EXPECT_EQ(GetPixel(target.Dc(), 2, 2), kGreen);
    EXPECT_EQ(GetPixel(target.Dc(), 3, 2), kWhite);
    EXPECT_EQ(GetPixel(target.Dc(), 2, 3), kWhite);

    SelectObject(target.Dc(), oldPen);
    SelectObject(target.Dc(), oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

TEST_F(GdiTest, ClippingKeepsDrawingInsideTheRectangle) {
    CMemoryBitmap target(10, 10);
    target.Fill(kWhite);
    EXPECT_EQ(IntersectClipRect(target.Dc(), 2, 2, 5, 5), SIMPLEREGION);
    RECT box{};
    EXPECT_EQ(GetClipBox(target.Dc(), &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{2, 2, 5, 5}));
    RECT all{0, 0, 10, 10};
    FillRect(target.Dc(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(GetPixel(target.Dc(), 2, 2), kBlack);
    EXPECT_EQ(GetPixel(target.Dc(), 1, 1), CLR_INVALID);
    EXPECT_EQ(IntersectClipRect(target.Dc(), 7, 7, 9, 9), NULLREGION);
}

// Pattern, source and destination per channel, and the result the operation's name promises.
struct SRasterCase {
    const char* name;
    DWORD rop;
    std::function<BYTE(BYTE, BYTE, BYTE)> expected;
};

TEST_F(GdiTest, RasterOperationsCombinePatternSourceAndDestination) {
    const COLORREF pattern = RGB(0x0F, 0xF0, 0x55);
    const COLORREF source = RGB(0xCC, 0x33, 0x55);
    const COLORREF destination = RGB(0xF0, 0x0F, 0xAA);
    auto byteOf = [](auto value) { return static_cast<BYTE>(value); };
    const std::vector<SRasterCase> cases = {
        {"SRCCOPY", SRCCOPY, [](BYTE, BYTE s, BYTE) { return s; }},
        {"SRCAND", SRCAND, [&](BYTE, BYTE s, BYTE d) { return byteOf(s & d); }},
        {"SRCPAINT", SRCPAINT, [&](BYTE, BYTE s, BYTE d) { return byteOf(s | d); }},
        {"SRCINVERT", SRCINVERT, [&](BYTE, BYTE s, BYTE d) { return byteOf(s ^ d); }},
        {"SRCERASE", SRCERASE, [&](BYTE, BYTE s, BYTE d) { return byteOf(s & ~d); }},
        {"NOTSRCCOPY", NOTSRCCOPY, [&](BYTE, BYTE s, BYTE) { return byteOf(~s); }},
        {"DSTINVERT", DSTINVERT, [&](BYTE, BYTE, BYTE d) { return byteOf(~d); }},
        {"MERGECOPY", MERGECOPY, [&](BYTE p, BYTE s, BYTE) { return byteOf(p & s); }},
        {"PATCOPY", PATCOPY, [](BYTE p, BYTE, BYTE) { return p; }},
        {"PATINVERT", PATINVERT, [&](BYTE p, BYTE, BYTE d) { return byteOf(p ^ d); }},
        {"BLACKNESS", BLACKNESS, [](BYTE, BYTE, BYTE) { return BYTE{0}; }},
        {"WHITENESS", WHITENESS, [](BYTE, BYTE, BYTE) { return BYTE{0xFF}; }},
    };
    CMemoryBitmap from(1, 1);
    from.Fill(source);
    for (const SRasterCase& rasterCase : cases) {
        CMemoryBitmap to(1, 1);
        to.Fill(destination);
        HBRUSH brush = CreateSolidBrush(pattern);
        HGDIOBJ old = SelectObject(to.Dc(), brush);
        ASSERT_TRUE(BitBlt(to.Dc(), 0, 0, 1, 1, from.Dc(), 0, 0, rasterCase.rop))
            << rasterCase.name;
        const COLORREF expected =
            RGB(rasterCase.expected(GetRValue(pattern), GetRValue(source), GetRValue(destination)),
                rasterCase.expected(GetGValue(pattern), GetGValue(source), GetGValue(destination)),
                rasterCase.expected(GetBValue(pattern), GetBValue(source), GetBValue(destination)));
        EXPECT_EQ(GetPixel(to.Dc(), 0, 0), expected) << rasterCase.name;
        SelectObject(to.Dc(), old);
        DeleteObject(brush);
    }
}

TEST_F(GdiTest, BlitsBetweenColourAndMonochromeUseTheContextColours) {
    CMemoryBitmap colour(2, 1);
    SetPixel(colour.Dc(), 0, 0, kRed);
    SetPixel(colour.Dc(), 1, 0, kBlue);
    CMemoryBitmap mono(2, 1, 1);
    // A colour pixel equal to the source's background colour turns white, any other black.
    SetBkColor(colour.Dc(), kRed);
    BitBlt(mono.Dc(), 0, 0, 2, 1, colour.Dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(mono.Dc(), 0, 0), kWhite);
    EXPECT_EQ(GetPixel(mono.Dc(), 1, 0), kBlack);
    // Black takes the destination's text colour, white its background colour.
    CMemoryBitmap back(2, 1);
    SetTextColor(back.Dc(), kGreen);
    SetBkColor(back.Dc(), kBlue);
    BitBlt(back.Dc(), 0, 0, 2, 1, mono.Dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(back.Dc(), 0, 0), kBlue);
    EXPECT_EQ(GetPixel(back.Dc(), 1, 0), kGreen);
}

TEST_F(GdiTest, BlitWithinOneBitmapReadsTheOriginalPixels) {
    CMemoryBitmap target(4, 1);
    SetPixel(target.Dc(), 0, 0, kRed);
    SetPixel(target.Dc(), 1, 0, kGreen);
    SetPixel(target.Dc(), 2, 0, kBlue);
    SetPixel(target.Dc(), 3, 0, kWhite);
    BitBlt(target.Dc(), 1, 0, 3, 1, target.Dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(target.Dc(), 1, 0), kRed);
    EXPECT_EQ(GetPixel(target.Dc(), 2, 0), kGreen);
    EXPECT_EQ(GetPixel(target.Dc(), 3, 0), kBlue);
}

TEST_F(GdiTest, StretchingAveragesNearestsOrMirrorsByMode) {
    CMemoryBitmap source(2, 1);
    SetPixel(source.Dc(), 0, 0, kBlack);
    SetPixel(source.Dc(), 1, 0, kWhite);

    CMemoryBitmap halftone(1, 1);
    EXPECT_EQ(SetStretchBltMode(halftone.Dc(), HALFTONE), BLACKONWHITE);
    StretchBlt(halftone.Dc(), 0, 0, 1, 1, source.Dc(), 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(GetPixel(halftone.Dc(), 0, 0), RGB(128, 128, 128));

    CMemoryBitmap nearest(1, 1);
    SetStretchBltMode(nearest.Dc(), COLORONCOLOR);
    StretchBlt(nearest.Dc(), 0, 0, 1, 1, source.Dc(), 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(GetPixel(nearest.Dc(), 0, 0), kWhite);

    CMemoryBitmap mirrored(2, 1);
    StretchBlt(mirrored.Dc(), 2, 0, -2, 1, source.Dc(), 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(GetPixel(mirrored.Dc(), 0, 0), kWhite);
    EXPECT_EQ(GetPixel(mirrored.Dc(), 1, 0), kBlack);

    CMemoryBitmap enlarged(4, 1);
    SetStretchBltMode(enlarged.Dc(), HALFTONE);
    StretchBlt(enlarged.Dc(), 0, 0, 4, 1, source.Dc(), 0, 0, 2, 1, SRCCOPY);
    const BYTE expected[] = {0, 64, 191, 255};
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(GetPixel(enlarged.Dc(), x, 0), RGB(expected[x], expected[x], expected[x])) << x;
    }
}

// Reads a bitmap as a DIB of the depth and row order asked for.
std::vector<unsigned char> ReadDib(HBITMAP bitmap, int width, int height, WORD bits,
                                   BITMAPINFO& info) {
    info = BITMAPINFO{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bits;
    info.bmiHeader.biCompression = BI_RGB;
    const size_t stride = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
    std::vector<unsigned char> buffer(stride * static_cast<size_t>(std::abs(height)), 0xCD);
    HDC screen = GetDC(nullptr);
    const int lines = GetDIBits(screen, bitmap, 0, static_cast<UINT>(std::abs(height)),
                                buffer.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(lines, std::abs(height));
    return buffer;
}

TEST_F(GdiTest, BlitThenGetDIBitsGivesBottomUpBgrRowsPaddedToFourBytes) {
    CMemoryBitmap source(3, 2);
    SetPixel(source.Dc(), 0, 0, RGB(1, 2, 3));
    SetPixel(source.Dc(), 1, 0, RGB(4, 5, 6));
    SetPixel(source.Dc(), 2, 0, RGB(7, 8, 9));
    SetPixel(source.Dc(), 0, 1, RGB(10, 11, 12));
    SetPixel(source.Dc(), 1, 1, RGB(13, 14, 15));
    SetPixel(source.Dc(), 2, 1, RGB(16, 17, 18));
    CMemoryBitmap copy(3, 2);
    ASSERT_TRUE(BitBlt(copy.Dc(), 0, 0, 3, 2, source.Dc(), 0, 0, SRCCOPY));

    BITMAPINFO info{};
    const std::vector<unsigned char> bottomUp = ReadDib(copy.Bitmap(), 3, 2, 24, info);
    const std::vector<unsigned char> expected = {
        12, 11, 10, 15, 14, 13, 18, 17, 16, 0, 0, 0,  // the bottom row first, blue first
        3,  2,  1,  6,  5,  4,  9,  8,  7,  0, 0, 0,
    };
    EXPECT_EQ(bottomUp, expected);

    const std::vector<unsigned char> topDown = ReadDib(copy.Bitmap(), 3, -2, 32, info);
    const std::vector<unsigned char> expected32 = {
        3, 2, 1, 0, 6, 5, 4, 0, 9, 8, 7, 0, 12, 11, 10, 0, 15, 14, 13, 0, 18, 17, 16, 0,
    };
    EXPECT_EQ(topDown, expected32);
}

TEST_F(GdiTest, GetDIBitsWithoutBitsDescribesTheBitmap) {
    CMemoryBitmap source(5, 3);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    HDC screen = GetDC(nullptr);
    EXPECT_NE(GetDIBits(screen, source.Bitmap(), 0, 3, nullptr, &info, DIB_RGB_COLORS), 0);
    EXPECT_EQ(info.bmiHeader.biWidth, 5);
    EXPECT_EQ(info.bmiHeader.biHeight, 3);
    EXPECT_EQ(info.bmiHeader.biBitCount, 32);
    EXPECT_EQ(info.bmiHeader.biSizeImage, 60u);
    info.bmiHeader.biBitCount = 24;
    EXPECT_NE(GetDIBits(screen, source.Bitmap(), 0, 3, nullptr, &info, DIB_RGB_COLORS), 0);
    EXPECT_EQ(info.bmiHeader.biSizeImage, 48u);
    unsigned char bits[64] = {};
    EXPECT_EQ(GetDIBits(screen, source.Bitmap(), 0, 3, bits, &info, DIB_PAL_COLORS), 0);
    info.bmiHeader.biBitCount = 8;
    EXPECT_EQ(GetDIBits(screen, source.Bitmap(), 0, 3, bits, &info, DIB_RGB_COLORS), 0);
    ReleaseDC(nullptr, screen);
}

TEST_F(GdiTest, SetDIBitsWritesTheLinesGiven) {
    CMemoryBitmap target(2, 2);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 2;
    info.bmiHeader.biHeight = 2;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    const unsigned char bits[] = {255, 0, 0, 0, 0, 0, 0, 0};  // the bottom row: blue, black
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(SetDIBits(screen, target.Bitmap(), 0, 1, bits, &info, DIB_RGB_COLORS), 1);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(GetPixel(target.Dc(), 0, 1), kBlue);
    EXPECT_EQ(GetPixel(target.Dc(), 0, 0), kBlack);
}

// ---------------------------------------------------------------------------------------------
// The screen

class ScreenTest : public CControlsTest {};

TEST_F(ScreenTest, ShowsTheDesktopAndEachVisibleWindowsBackground) {
    CRecordingParent window(100, 100, 200, 150, WS_POPUP | WS_VISIBLE);
    CRecordingParent framed(400, 100, 200, 150, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetPixel(screen, 150, 150), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(GetPixel(screen, 10, 10), GetSysColor(COLOR_BACKGROUND));
    EXPECT_EQ(GetPixel(screen, 99, 150), GetSysColor(COLOR_BACKGROUND));
    EXPECT_EQ(GetPixel(screen, 300, 150), GetSysColor(COLOR_BACKGROUND));
    EXPECT_EQ(GetPixel(screen, 401, 101), GetSysColor(COLOR_BTNFACE));
    ShowWindow(window, SW_HIDE);
    EXPECT_EQ(GetPixel(screen, 150, 150), GetSysColor(COLOR_BACKGROUND));
    ReleaseDC(nullptr, screen);
}

TEST_F(ScreenTest, WindowContextDrawsInTheClientAreaUntilTheWindowsMove) {
    CRecordingParent window(100, 100, 200, 150, WS_POPUP | WS_VISIBLE);
    HDC hdc = GetDC(window);
    HBRUSH red = CreateSolidBrush(kRed);
    RECT rect{-10, -10, 10, 10};
    FillRect(hdc, &rect, red);
    EXPECT_EQ(GetPixel(hdc, 0, 0), kRed);
    EXPECT_EQ(GetPixel(hdc, -1, 0), CLR_INVALID);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetPixel(screen, 100, 100), kRed);
    EXPECT_EQ(GetPixel(screen, 109, 109), kRed);
    EXPECT_EQ(GetPixel(screen, 99, 99), GetSysColor(COLOR_BACKGROUND));
    // Moving a window paints the screen afresh.
    MoveWindow(window, 120, 100, 200, 150, TRUE);
    EXPECT_EQ(GetPixel(screen, 109, 109), GetSysColor(COLOR_BACKGROUND));
    EXPECT_EQ(GetPixel(screen, 120, 100), GetSysColor(COLOR_BTNFACE));
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(ReleaseDC(nullptr, hdc), 0);
    EXPECT_EQ(ReleaseDC(window, hdc), 1);
    DeleteObject(red);
}

TEST_F(ScreenTest, ChildrenAreClippedToTheirParentAndHiddenWindowsDrawNothing) {
    CRecordingParent parent(100, 100, 100, 100, WS_POPUP | WS_VISIBLE);
    CTestWindow child(CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                                      WS_CHILD | WS_VISIBLE | CCS_NORESIZE, 50, 50, 100, 100,
                                      parent, nullptr, nullptr, nullptr));
    HDC hdc = GetDC(child);
    HBRUSH red = CreateSolidBrush(kRed);
    RECT all{0, 0, 100, 100};
    FillRect(hdc, &all, red);
    EXPECT_EQ(GetPixel(hdc, 49, 49), kRed);
    EXPECT_EQ(GetPixel(hdc, 50, 50), CLR_INVALID);
    ReleaseDC(child, hdc);

    ShowWindow(parent, SW_HIDE);
    hdc = GetDC(child);
    RECT box{};
    EXPECT_EQ(GetClipBox(hdc, &box), NULLREGION);
    EXPECT_EQ(GetPixel(hdc, 0, 0), CLR_INVALID);
    ReleaseDC(child, hdc);
    DeleteObject(red);
}

TEST_F(ScreenTest, CaptureOfAWindowThroughACompatibleBitmap) {
    CRecordingParent window(200, 100, 64, 48, WS_POPUP | WS_VISIBLE);
    HDC hdcWindow = GetDC(window);
    HBRUSH blue = CreateSolidBrush(kBlue);
    RECT corner{0, 0, 8, 8};
    FillRect(hdcWindow, &corner, blue);
    ReleaseDC(window, hdcWindow);

    BringWindowToTop(window);
    RECT rect{};
    GetWindowRect(window, &rect);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP capture =
        CreateCompatibleBitmap(screen, rect.right - rect.left, rect.bottom - rect.top);
    HGDIOBJ old = SelectObject(memory, capture);
    ASSERT_TRUE(BitBlt(memory, 0, 0, rect.right - rect.left, rect.bottom - rect.top, screen,
                       rect.left, rect.top, SRCCOPY));
    SelectObject(memory, old);
    BITMAPINFO info{};
    const std::vector<unsigned char> bits = ReadDib(capture, 64, 48, 24, info);
    // The last row of the array is the window's top row, which starts with the blue corner.
    const size_t top = 47 * 192;
    EXPECT_EQ(bits[top], 255);
    EXPECT_EQ(bits[top + 2], 0);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(bits[0], GetBValue(face));
    EXPECT_EQ(bits[1], GetGValue(face));
    EXPECT_EQ(bits[2], GetRValue(face));
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    DeleteObject(capture);
    DeleteObject(blue);
}

// ---------------------------------------------------------------------------------------------
// Text

class TextTest : public CControlsTest {};

struct SDrawTextCase {
    const char* text;
    UINT format;
    RECT rect;
    RECT textRect;
    int height;
};

TEST_F(TextTest, DrawTextLaysOutAndRecordsTheText) {
    const SDrawTextCase cases[] = {
        {"red", DT_SINGLELINE | DT_CENTER | DT_VCENTER, {0, 0, 100, 21}, {41, 4, 59, 17}, 13},
        {"red", DT_SINGLELINE | DT_RIGHT | DT_BOTTOM, {0, 0, 100, 21}, {82, 8, 100, 21}, 13},
        {"&File", DT_LEFT, {10, 5, 100, 21}, {10, 5, 34, 18}, 13},
        {"&File", DT_LEFT | DT_NOPREFIX, {10, 5, 100, 21}, {10, 5, 40, 18}, 13},
        {"ab\r\ncde", DT_CENTER, {0, 0, 30, 40}, {6, 0, 24, 26}, 26},
        {"aaa bbb ccc", DT_WORDBREAK, {0, 0, 45, 40}, {0, 0, 42, 26}, 26},
    };
    CMemoryBitmap target(120, 60);
    for (const SDrawTextCase& drawCase : cases) {
        CTextDrawLog::Get().Clear();
        RECT rect = drawCase.rect;
        EXPECT_EQ(DrawTextA(target.Dc(), drawCase.text, -1, &rect, drawCase.format),
                  drawCase.height)
            << drawCase.text;
        const auto& records = CTextDrawLog::Get().GetRecords();
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].kind, STextDrawRecord::EKind::DrawText);
        EXPECT_EQ(records[0].text, drawCase.text);
        EXPECT_EQ(records[0].rect, drawCase.rect);
        EXPECT_EQ(records[0].textRect, drawCase.textRect) << drawCase.text;
        EXPECT_EQ(records[0].format, drawCase.format);
        EXPECT_EQ(records[0].bitmap, target.Bitmap());
    }
}

TEST_F(TextTest, CalcRectMeasuresWithoutDrawing) {
    CMemoryBitmap target(10, 10);
    RECT rect{5, 5, 6, 6};
    EXPECT_EQ(DrawTextA(target.Dc(), "abcd\nxy", -1, &rect, DT_CALCRECT), 26);
    EXPECT_EQ(rect, (RECT{5, 5, 29, 31}));
    EXPECT_TRUE(CTextDrawLog::Get().GetRecords().empty());
    SIZE size{};
    EXPECT_TRUE(GetTextExtentPoint32A(target.Dc(), "hello", 5, &size));
    EXPECT_EQ(size.cx, 30);
    EXPECT_EQ(size.cy, 13);
    TEXTMETRICA metrics{};
    EXPECT_TRUE(GetTextMetricsA(target.Dc(), &metrics));
    EXPECT_EQ(metrics.tmHeight, 13);
    EXPECT_EQ(metrics.tmAveCharWidth, 6);
}

TEST_F(TextTest, OpaqueTextFillsItsBoxWithTheBackgroundColour) {
    CMemoryBitmap target(100, 21);
    target.Fill(kWhite);
    SetBkColor(target.Dc(), kGreen);
    SetTextColor(target.Dc(), kRed);
    RECT rect{0, 0, 100, 21};
    DrawTextA(target.Dc(), "red", -1, &rect, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    EXPECT_EQ(GetPixel(target.Dc(), 41, 4), kGreen);
    EXPECT_EQ(GetPixel(target.Dc(), 58, 16), kGreen);
    EXPECT_EQ(GetPixel(target.Dc(), 40, 4), kWhite);
    EXPECT_EQ(GetPixel(target.Dc(), 59, 10), kWhite);
    const auto& record = CTextDrawLog::Get().GetRecords().back();
    EXPECT_EQ(record.textColour, kRed);
    EXPECT_EQ(record.bkColour, kGreen);
    EXPECT_EQ(record.bkMode, OPAQUE);

    target.Fill(kWhite);
    EXPECT_EQ(SetBkMode(target.Dc(), TRANSPARENT), OPAQUE);
    DrawTextA(target.Dc(), "red", -1, &rect, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    EXPECT_EQ(GetPixel(target.Dc(), 41, 4), kWhite);
    EXPECT_EQ(CTextDrawLog::Get().GetRecords().back().bkMode, TRANSPARENT);
}

TEST_F(TextTest, ExtTextOutFillsItsRectangleAndTextOutItsBox) {
    CMemoryBitmap target(50, 30);
    target.Fill(kWhite);
    SetBkColor(target.Dc(), kBlue);
    RECT rect{0, 0, 20, 20};
    EXPECT_TRUE(ExtTextOutA(target.Dc(), 2, 3, ETO_OPAQUE, &rect, nullptr, 0, nullptr));
    EXPECT_EQ(GetPixel(target.Dc(), 19, 19), kBlue);
    EXPECT_EQ(GetPixel(target.Dc(), 20, 19), kWhite);
    EXPECT_TRUE(TextOutA(target.Dc(), 25, 10, "ab", 2));
    EXPECT_EQ(GetPixel(target.Dc(), 36, 22), kBlue);
    EXPECT_EQ(GetPixel(target.Dc(), 37, 22), kWhite);
    const auto& records = CTextDrawLog::Get().GetRecords();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].kind, STextDrawRecord::EKind::ExtTextOut);
    EXPECT_EQ(records[0].format, ETO_OPAQUE);
    EXPECT_EQ(records[0].rect, rect);
    EXPECT_EQ(records[1].kind, STextDrawRecord::EKind::TextOut);
    EXPECT_EQ(records[1].text, "ab");
    EXPECT_EQ(records[1].textRect, (RECT{25, 10, 37, 23}));
}

}  // namespace
