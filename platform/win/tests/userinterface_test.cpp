// Message boxes, the file-open dialog and cursors, as the UI driver answers and records them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/win/commdlg.h"
#include "platform/win/tests/messagelog.h"
#include "platform/win/uidriver.h"
#include "platform/win/winuser.h"

namespace {

constexpr char kOntologyFilter[] = "Ontology Files (*.onto)\0*.onto\0All Files\0*.*\0";

class UserInterfaceTest : public ::testing::Test {
protected:
    void SetUp() override { CUIDriver::Get().Reset(); }

    OPENFILENAMEA OpenDialog(char* buffer, DWORD size) {
        OPENFILENAMEA ofn{};
        ofn.lStructSize = sizeof(ofn);
        ofn.hwndOwner = m_owner;
        ofn.lpstrFilter = kOntologyFilter;
        ofn.nFilterIndex = 1;
        ofn.lpstrFile = buffer;
        ofn.nMaxFile = size;
        ofn.lpstrInitialDir = "C:\\Lirset\\";
        ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
        return ofn;
    }

    CUIDriver& Driver() { return CUIDriver::Get(); }
    CScopedWindow m_owner{CreateLoggingWindow(WS_POPUP | WS_VISIBLE, 0, 0, 300, 30)};
};

TEST_F(UserInterfaceTest, MessageBoxesAreRecordedAndAnsweredWithTheirDefaultButton) {
    struct SCase {
        LPCSTR caption;
        UINT type;
        const char* shownCaption;
        int answer;
    };
    const SCase cases[] = {
        {"", MB_OK, "", IDOK},
        {nullptr, MB_OK, "Error", IDOK},
        {"Concept found", MB_OKCANCEL | MB_ICONINFORMATION, "Concept found", IDOK},
        {"Q", MB_YESNO, "Q", IDYES},
        {"Q", MB_YESNO | MB_DEFBUTTON2, "Q", IDNO},
        {"Q", MB_YESNOCANCEL | MB_DEFBUTTON3, "Q", IDCANCEL},
        {"Q", MB_RETRYCANCEL, "Q", IDRETRY},
    };
    for (const SCase& c : cases) {
        EXPECT_EQ(MessageBoxA(m_owner, "SetBandRebar fail", c.caption, c.type), c.answer);
    }
    ASSERT_EQ(Driver().GetMessageBoxes().size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        const SMessageBoxRecord& box = Driver().GetMessageBoxes()[i];
        EXPECT_EQ(box.owner, m_owner.Get());
        EXPECT_EQ(box.text, "SetBandRebar fail");
        EXPECT_EQ(box.caption, cases[i].shownCaption);
        EXPECT_EQ(box.type, cases[i].type);
        EXPECT_EQ(box.answer, cases[i].answer);
    }
}

TEST_F(UserInterfaceTest, QueuedAnswersListenersAndOwnersOfMessageBoxes) {
    std::string heard;
    Driver().SetMessageBoxListener([&](const SMessageBoxRecord& box) { heard += box.text + ";"; });
    Driver().QueueMessageBoxAnswer(IDNO);
    EXPECT_EQ(MessageBoxA(nullptr, "first", nullptr, MB_YESNO), IDNO);
    EXPECT_EQ(MessageBoxA(nullptr, "second", nullptr, MB_YESNO), IDYES);
    HWND gone = CreateLoggingWindow(WS_POPUP, 0, 0, 1, 1);
    DestroyWindow(gone);
    EXPECT_EQ(MessageBoxA(gone, "never shown", "", MB_OK), 0);
    EXPECT_EQ(heard, "first;second;");
    EXPECT_EQ(Driver().GetMessageBoxes().size(), 2u);
    EXPECT_EQ(Driver().GetMessageBoxes()[0].owner, nullptr);
    Driver().SetMessageBoxListener(nullptr);
}

TEST_F(UserInterfaceTest, FileDialogAnsweredWithAPath) {
    Driver().QueueFileChoice("C:\\Lirset\\Ontology Store\\_news.onto");
    char file[260] = {};
    char title[64] = {};
    OPENFILENAMEA ofn = OpenDialog(file, sizeof(file));
    ofn.lpstrFileTitle = title;
    ofn.nMaxFileTitle = sizeof(title);
    ASSERT_TRUE(GetOpenFileNameA(&ofn));
    EXPECT_STREQ(file, "C:\\Lirset\\Ontology Store\\_news.onto");
    EXPECT_STREQ(title, "_news.onto");
    EXPECT_STREQ(file + ofn.nFileOffset, "_news.onto");
    EXPECT_STREQ(file + ofn.nFileExtension, "onto");
    EXPECT_EQ(CommDlgExtendedError(), 0u);

    const SFileDialogRecord& record = Driver().GetFileDialogs().at(0);
    EXPECT_EQ(record.owner, m_owner.Get());
    ASSERT_EQ(record.filters.size(), 2u);
    EXPECT_EQ(record.filters[0].description, "Ontology Files (*.onto)");
    EXPECT_EQ(record.filters[0].pattern, "*.onto");
    EXPECT_EQ(record.filters[1].pattern, "*.*");
    EXPECT_EQ(record.filterIndex, 1u);
    EXPECT_EQ(record.initialDir, "C:\\Lirset\\");
    EXPECT_EQ(record.initialFile, "");
    EXPECT_EQ(record.flags, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
    EXPECT_EQ(record.maxFile, 260u);
    EXPECT_TRUE(record.answered);
    EXPECT_EQ(record.chosenPath, "C:\\Lirset\\Ontology Store\\_news.onto");
}

TEST_F(UserInterfaceTest, FileDialogCancelledOrUnanswered) {
    char file[260] = "start.onto";
    OPENFILENAMEA ofn = OpenDialog(file, sizeof(file));
    Driver().QueueFileCancel();
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_STREQ(file, "start.onto");
    ASSERT_EQ(Driver().GetFileDialogs().size(), 2u);
    EXPECT_TRUE(Driver().GetFileDialogs()[0].answered);
    EXPECT_FALSE(Driver().GetFileDialogs()[1].answered);
    EXPECT_EQ(Driver().GetFileDialogs()[1].initialFile, "start.onto");
    EXPECT_EQ(Driver().GetFileDialogs()[1].chosenPath, "");
}

TEST_F(UserInterfaceTest, FileDialogReportsABufferTooSmall) {
    const std::string path = "C:\\Lirset\\lexicon.onto";
    Driver().QueueFileChoice(path);
    char file[10] = {};
    OPENFILENAMEA ofn = OpenDialog(file, sizeof(file));
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
    WORD needed = 0;
    std::memcpy(&needed, file, sizeof(needed));
    EXPECT_EQ(needed, path.size() + 1);
    EXPECT_EQ(Driver().GetFileDialogs().at(0).error, FNERR_BUFFERTOOSMALL);

    // Exactly the path and its terminating zero fit.
    Driver().QueueFileChoice(path);
    std::string exact(path.size() + 1, 'x');
    OPENFILENAMEA fits = OpenDialog(exact.data(), static_cast<DWORD>(exact.size()));
    EXPECT_TRUE(GetOpenFileNameA(&fits));
    EXPECT_STREQ(exact.c_str(), path.c_str());
}

TEST_F(UserInterfaceTest, FileDialogChecksItsStructureAndAddsTheDefaultExtension) {
    char file[260] = {};
    OPENFILENAMEA ofn = OpenDialog(file, sizeof(file));
    ofn.lStructSize = 12;
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), CDERR_STRUCTSIZE);
    EXPECT_TRUE(Driver().GetFileDialogs().empty());

    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.lpstrDefExt = "onto";
    Driver().QueueFileChoice("C:\\Lirset\\news");
    EXPECT_TRUE(GetOpenFileNameA(&ofn));
    EXPECT_STREQ(file, "C:\\Lirset\\news.onto");
    EXPECT_EQ(ofn.nFileOffset, 10);
    EXPECT_EQ(ofn.nFileExtension, 15);
}

TEST_F(UserInterfaceTest, CursorsAreSharedAndEveryChangeIsRecorded) {
    HCURSOR hWait = LoadCursorA(nullptr, IDC_WAIT);
    HCURSOR hArrow = LoadCursorA(nullptr, IDC_ARROW);
    ASSERT_NE(hWait, nullptr);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_WAIT), hWait);
    EXPECT_NE(hArrow, hWait);
    EXPECT_EQ(LoadCursorA(reinterpret_cast<HINSTANCE>(0x5200), IDC_WAIT), nullptr);
    EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCEA(1)), nullptr);

    SetCursor(hArrow);
    EXPECT_EQ(SetCursor(hWait), hArrow);
    EXPECT_EQ(GetCursor(), hWait);
    EXPECT_TRUE(DestroyCursor(hWait));
    EXPECT_EQ(GetCursor(), hWait);
    SetCursor(nullptr);

    ASSERT_EQ(Driver().GetCursors().size(), 3u);
    EXPECT_EQ(Driver().GetCursors()[0].name, "IDC_ARROW");
    EXPECT_EQ(Driver().GetCursors()[1].name, "IDC_WAIT");
    EXPECT_EQ(Driver().GetCursors()[1].cursor, hWait);
    EXPECT_EQ(Driver().GetCursors()[2].name, "none");
}

TEST_F(UserInterfaceTest, TheCursorPositionStaysOnTheScreen) {
    SetCursorPos(120, 45);
    POINT point{};
    GetCursorPos(&point);
    EXPECT_EQ(point.x, 120);
    EXPECT_EQ(point.y, 45);
    SetCursorPos(-5, 5000);
    GetCursorPos(&point);
    EXPECT_EQ(point.x, 0);
    EXPECT_EQ(point.y, GetSystemMetrics(SM_CYSCREEN) - 1);
}

}  // namespace
