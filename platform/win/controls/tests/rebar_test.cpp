// The rebar: bands read and written by position, their children, rows and height.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/win/controls/commctrl.h"
#include "platform/win/controls/controldriver.h"
#include "platform/win/controls/tests/controltestsupport.h"

namespace {

constexpr int kRebarId = 40;

REBARBANDINFOA BandInfo(UINT mask) {
    REBARBANDINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = mask;
    return info;
}

class RebarTest : public CControlsTest {
protected:
    RebarTest()
        : m_frame(0, 0, 600, 400, WS_POPUP | WS_VISIBLE),
          m_rebar(CreateWindowExA(0, REBARCLASSNAMEA, nullptr,
                                  WS_CHILD | WS_VISIBLE | RBS_VARHEIGHT | CCS_NODIVIDER, 0, 0, 0, 0,
                                  m_frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kRebarId)),
                                  nullptr, nullptr)) {}

    // A child window of the frame, for a band to take.
    HWND CreateChild(int id) {
        return CreateWindowExA(0, WC_STATICA, "child", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, m_frame,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }

    bool InsertBand(int index, HWND hWndChild, UINT id, UINT style, UINT cx, UINT cyMinChild,
                    LPCSTR text = nullptr) {
        REBARBANDINFOA info =
            BandInfo(RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_ID |
                     RBBIM_IDEALSIZE | (text != nullptr ? RBBIM_TEXT : 0));
        info.fStyle = style;
        info.hwndChild = hWndChild;
        info.cxMinChild = 50;
        info.cyMinChild = cyMinChild;
        info.cx = cx;
        info.wID = id;
        info.cxIdeal = 0;
        info.lpText = const_cast<LPSTR>(text);
        return SendMessageA(m_rebar, RB_INSERTBANDA, static_cast<WPARAM>(index),
                            reinterpret_cast<LPARAM>(&info)) != 0;
    }

    static RECT ChildRect(HWND hWndChild, HWND hWndParent) {
        RECT rect{};
        GetWindowRect(hWndChild, &rect);
        MapWindowPoints(nullptr, hWndParent, reinterpret_cast<LPPOINT>(&rect), 2);
        return rect;
    }

    CRecordingParent m_frame;
    CTestWindow m_rebar;
};

TEST_F(RebarTest, BandsAreReadAndWrittenByPosition) {
    CTestWindow first(CreateChild(1));
    CTestWindow second(CreateChild(2));
    ASSERT_TRUE(InsertBand(-1, first, 100, 0, 200, 22));
    ASSERT_TRUE(InsertBand(0, second, 200, RBBS_NOGRIPPER, 150, 20, "Links"));
    EXPECT_EQ(SendMessageA(m_rebar, RB_GETBANDCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(m_rebar, RB_IDTOINDEX, 100, 0), 1);
    EXPECT_EQ(SendMessageA(m_rebar, RB_IDTOINDEX, 200, 0), 0);
    EXPECT_EQ(SendMessageA(m_rebar, RB_IDTOINDEX, 300, 0), -1);

    char text[16] = {};
    REBARBANDINFOA info = BandInfo(RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE |
                                   RBBIM_ID | RBBIM_TEXT | RBBIM_IDEALSIZE);
    info.lpText = text;
    info.cch = sizeof(text);
    ASSERT_TRUE(SendMessageA(m_rebar, RB_GETBANDINFOA, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(info.hwndChild, second.Get());
    EXPECT_EQ(info.wID, 200u);
    EXPECT_EQ(info.fStyle, RBBS_NOGRIPPER);
    EXPECT_EQ(info.cx, 150u);
    EXPECT_EQ(info.cyMinChild, 20u);
    EXPECT_STREQ(text, "Links");
    EXPECT_FALSE(SendMessageA(m_rebar, RB_GETBANDINFOA, 2, reinterpret_cast<LPARAM>(&info)));
    EXPECT_FALSE(SendMessageA(m_rebar, RB_SETBANDINFOA, 2, reinterpret_cast<LPARAM>(&info)));

    // The toolbar's way of setting its band's width: find the band by its child, write the
    // child and the ideal width back.
    for (int i = 0; i < SendMessageA(m_rebar, RB_GETBANDCOUNT, 0, 0); ++i) {
        REBARBANDINFOA band = BandInfo(RBBIM_CHILD | RBBIM_IDEALSIZE);
        if (!SendMessageA(m_rebar, RB_GETBANDINFOA, static_cast<WPARAM>(i),
                          reinterpret_cast<LPARAM>(&band)) ||
            band.hwndChild != first.Get()) {
            continue;
        }
        band.cxIdeal = 162;
        ASSERT_TRUE(SendMessageA(m_rebar, RB_SETBANDINFOA, static_cast<WPARAM>(i),
                                 reinterpret_cast<LPARAM>(&band)));
        break;
    }
    REBARBANDINFOA read = BandInfo(RBBIM_CHILD | RBBIM_IDEALSIZE);
    SendMessageA(m_rebar, RB_GETBANDINFOA, 1, reinterpret_cast<LPARAM>(&read));
    EXPECT_EQ(read.cxIdeal, 162u);
    EXPECT_EQ(read.hwndChild, first.Get());
    EXPECT_EQ(GetParent(first), m_rebar.Get());
}

TEST_F(RebarTest, TheOldestRecordSizeLeavesLaterFieldsAlone) {
    CTestWindow child(CreateChild(1));
    ASSERT_TRUE(InsertBand(-1, child, 1, 0, 200, 22));
    REBARBANDINFOA info = BandInfo(RBBIM_IDEALSIZE | RBBIM_ID);
    info.cbSize = REBARBANDINFOA_V3_SIZE;
    info.cxIdeal = 77;
    info.wID = 5;
    ASSERT_TRUE(SendMessageA(m_rebar, RB_SETBANDINFOA, 0, reinterpret_cast<LPARAM>(&info)));
    REBARBANDINFOA read = BandInfo(RBBIM_IDEALSIZE | RBBIM_ID);
    read.cbSize = REBARBANDINFOA_V3_SIZE;
    read.cxIdeal = 0xDEAD;
    SendMessageA(m_rebar, RB_GETBANDINFOA, 0, reinterpret_cast<LPARAM>(&read));
    EXPECT_EQ(read.wID, 5u);
    EXPECT_EQ(read.cxIdeal, 0xDEADu);
    read.cbSize = sizeof(read);
    SendMessageA(m_rebar, RB_GETBANDINFOA, 0, reinterpret_cast<LPARAM>(&read));
    EXPECT_EQ(read.cxIdeal, 0u);
    info.cbSize = REBARBANDINFOA_V3_SIZE - 4;
    EXPECT_FALSE(SendMessageA(m_rebar, RB_SETBANDINFOA, 0, reinterpret_cast<LPARAM>(&info)));
}

TEST_F(RebarTest, BandsLieInRowsAndTheRebarTakesTheirHeight) {
    CTestWindow first(CreateChild(1));
    CTestWindow second(CreateChild(2));
    CTestWindow third(CreateChild(3));
    ASSERT_TRUE(InsertBand(-1, first, 1, 0, 200, 22));
    ASSERT_TRUE(InsertBand(-1, second, 2, 0, 100, 16, "Links"));
    ASSERT_TRUE(InsertBand(-1, third, 3, RBBS_BREAK | RBBS_NOGRIPPER, 100, 30));
    struct SPlaceCase {
        int band;
        RECT bandRect;
        HWND child;
        RECT childRect;
    };
    const SPlaceCase cases[] = {
        {0, {0, 0, 200, 26}, first, {10, 2, 200, 24}},
        {1, {200, 0, 600, 26}, second, {244, 5, 600, 21}},
        {2, {0, 26, 600, 60}, third, {0, 28, 600, 58}},
    };
    for (const SPlaceCase& placeCase : cases) {
        RECT rect{};
        ASSERT_TRUE(SendMessageA(m_rebar, RB_GETRECT, static_cast<WPARAM>(placeCase.band),
                                 reinterpret_cast<LPARAM>(&rect)));
        EXPECT_EQ(rect, placeCase.bandRect) << placeCase.band;
        EXPECT_EQ(ChildRect(placeCase.child, m_rebar), placeCase.childRect) << placeCase.band;
    }
    EXPECT_EQ(SendMessageA(m_rebar, RB_GETROWCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(m_rebar, RB_GETBARHEIGHT, 0, 0), 60);
    EXPECT_EQ(SendMessageA(m_rebar, RB_GETROWHEIGHT, 2, 0), 34);
    RECT window{};
    GetWindowRect(m_rebar, &window);
    EXPECT_EQ(window, (RECT{0, 0, 600, 60}));
    // 0 -> 26 with the first band, 26 -> 60 with the third.
    const auto changes = m_frame.Notifications(RBN_HEIGHTCHANGE);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].header.hwndFrom, m_rebar.Get());
    EXPECT_EQ(changes[0].header.idFrom, static_cast<UINT_PTR>(kRebarId));

    ASSERT_TRUE(SendMessageA(m_rebar, RB_SHOWBAND, 2, FALSE));
    EXPECT_FALSE(IsWindowVisible(third));
    EXPECT_EQ(SendMessageA(m_rebar, RB_GETBARHEIGHT, 0, 0), 26);
    RECT hidden{};
    EXPECT_FALSE(SendMessageA(m_rebar, RB_GETRECT, 2, reinterpret_cast<LPARAM>(&hidden)));
    EXPECT_EQ(m_frame.Notifications(RBN_HEIGHTCHANGE).size(), 3u);
}

TEST_F(RebarTest, AChildLetGoIsHiddenAndGivenBackToItsParent) {
    CTestWindow first(CreateChild(1));
    CTestWindow second(CreateChild(2));
    ASSERT_TRUE(InsertBand(-1, first, 1, 0, 200, 22));
    EXPECT_EQ(GetParent(first), m_rebar.Get());
    EXPECT_TRUE(IsWindowVisible(first));

    REBARBANDINFOA info = BandInfo(RBBIM_CHILD);
    info.hwndChild = second;
    ASSERT_TRUE(SendMessageA(m_rebar, RB_SETBANDINFOA, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(GetParent(first), m_frame.Get());
    EXPECT_FALSE(IsWindowVisible(first));
    EXPECT_EQ(GetParent(second), m_rebar.Get());

    ASSERT_TRUE(SendMessageA(m_rebar, RB_DELETEBAND, 0, 0));
    EXPECT_EQ(SendMessageA(m_rebar, RB_GETBANDCOUNT, 0, 0), 0);
    EXPECT_EQ(GetParent(second), m_frame.Get());
    EXPECT_FALSE(IsWindowVisible(second));
    EXPECT_FALSE(SendMessageA(m_rebar, RB_DELETEBAND, 0, 0));

    // Neither the rebar nor a window it lies in can be a band's child.
    info.hwndChild = m_frame;
    EXPECT_FALSE(SendMessageA(m_rebar, RB_INSERTBANDA, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(SendMessageA(m_rebar, RB_GETBANDCOUNT, 0, 0), 0);
}

TEST_F(RebarTest, ChildrenNotificationsGoOnToTheRebarsParent) {
    CTestWindow button(CreateWindowExA(0, WC_BUTTONA, "Go", WS_CHILD | WS_VISIBLE, 0, 0, 40, 20,
                                       m_frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(9)),
                                       nullptr, nullptr));
    ASSERT_TRUE(InsertBand(-1, button, 1, 0, 100, 20));
    SendMessageA(button, BM_CLICK, 0, 0);
    const auto commands = m_frame.Of(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].Id(), 9);
}

TEST_F(RebarTest, AToolbarInABandStillNotifiesTheWindowItWasCreatedUnder) {
    CRecordingParent reflection(0, 0, 100, 100, WS_POPUP);
    CTestWindow toolbar(CreateWindowExA(
        0, TOOLBARCLASSNAMEA, nullptr,
        WS_CHILD | WS_VISIBLE | TBSTYLE_LIST | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 0,
        0, 100, 100, reflection, nullptr, nullptr, nullptr));
    SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    TBBUTTON button{};
    button.idCommand = 111;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = BTNS_AUTOSIZE;
    button.iString = -1;
    SendMessageA(toolbar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
    EXPECT_FALSE(CControlDriver::ClickToolbarButton(toolbar, 111));

    ASSERT_TRUE(InsertBand(-1, toolbar, 1, RBBS_NOGRIPPER, 300, 22));
    EXPECT_EQ(GetParent(toolbar), m_rebar.Get());
    ASSERT_TRUE(CControlDriver::ClickToolbarButton(toolbar, 111));
    EXPECT_EQ(reflection.Of(WM_COMMAND).size(), 1u);
    EXPECT_TRUE(m_frame.Of(WM_COMMAND).empty());
}

}  // namespace
