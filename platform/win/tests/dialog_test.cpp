// Modal dialogs from templates, driven by the UI driver: OK, Cancel, no answer, several presses
// with message boxes between them, refusals, nesting, layout and resizing.
#include <gtest/gtest.h>

#include <string>

#include "platform/win/containedwindow.h"
#include "platform/win/dialogimpl.h"
#include "platform/win/dialogresize.h"
#include "platform/win/moduleresources.h"
#include "platform/win/tests/messagelog.h"
#include "platform/win/uidriver.h"

namespace {

const HINSTANCE kModule = reinterpret_cast<HINSTANCE>(0x5100);

constexpr int IDD_FIND = 249;
constexpr int IDD_PREFERENCES = 235;
constexpr int IDD_DUMP = 250;
constexpr int IDD_ABOUT = 247;
constexpr int IDD_OUTER = 260;
constexpr int IDC_QUERY = 242;
constexpr int IDC_AUTOLOAD = 235;
constexpr int IDC_HUB = 218;
constexpr int IDC_HUB_ADDRESS = 225;
constexpr int IDC_DUMP_TEXT = 210;
constexpr int IDC_CLOSE = 231;
constexpr int IDC_OPEN_ABOUT = 300;

constexpr DWORD kDialogStyle = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;

constexpr SDialogItemTemplate kFindItems[] = {
    {WC_STATICA, -1, "Please, type word or phrase you are interested in:", SS_LEFT, 7, 30, 164, 11},
    {WC_EDITA, IDC_QUERY, "", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 41, 172, 13},
    {WC_BUTTONA, IDOK, "Find", BS_DEFPUSHBUTTON | WS_TABSTOP, 21, 74, 50, 14},
    {WC_BUTTONA, IDCANCEL, "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 114, 74, 50, 14},
};
constexpr SDialogTemplate kFindDialog{
    "Find concept...", kDialogStyle, 0, 0, 0, 186, 95, "MS Shell Dlg", 8, kFindItems};

constexpr SDialogItemTemplate kPreferencesItems[] = {
    {WC_BUTTONA, IDOK, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 7, 142, 50, 14},
    {WC_BUTTONA, IDCANCEL, "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 103, 142, 50, 14},
    {WC_BUTTONA, IDC_HUB, "Enable Lirset Hub connection", BS_AUTOCHECKBOX | WS_DISABLED, 7, 98, 146,
     14},
    {WC_EDITA, IDC_HUB_ADDRESS, "", ES_AUTOHSCROLL | ES_READONLY | WS_BORDER, 19, 122, 134, 14},
    {WC_BUTTONA, IDC_AUTOLOAD, "Automatically load last ontology", BS_AUTOCHECKBOX | WS_TABSTOP, 7,
     5, 117, 10},
};
constexpr SDialogTemplate kPreferencesDialog{
    "User preferences", kDialogStyle, 0, 0, 0, 160, 162, "MS Shell Dlg", 8, kPreferencesItems};

constexpr SDialogItemTemplate kDumpItems[] = {
    {WC_EDITA, IDC_DUMP_TEXT, "",
     ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER, 6, 6, 448, 240},
    {WC_BUTTONA, IDOK, "OK", BS_DEFPUSHBUTTON | WS_GROUP, 204, 251, 50, 14},
};
constexpr SDialogTemplate kDumpDialog{
    "HTML Dump", DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
    0,           0,
    0,           460,
    271,         "MS Shell Dlg",
    8,           kDumpItems};

constexpr SDialogItemTemplate kAboutItems[] = {
    {WC_BUTTONA, IDC_CLOSE, "Close", BS_DEFPUSHBUTTON | WS_TABSTOP, 262, 114, 50, 14},
};
constexpr SDialogTemplate kAboutDialog{
    "About Lirset...", kDialogStyle, 0, 0, 0, 319, 135, "MS Shell Dlg", 8, kAboutItems};

constexpr SDialogItemTemplate kOuterItems[] = {
    {WC_BUTTONA, IDC_OPEN_ABOUT, "About", BS_PUSHBUTTON, 5, 5, 50, 14},
    {WC_BUTTONA, IDOK, "OK", BS_DEFPUSHBUTTON, 60, 5, 50, 14},
};
constexpr SDialogTemplate kOuterDialog{"Outer", kDialogStyle,   0, 0,          0, 120,
                                       30,      "MS Shell Dlg", 8, kOuterItems};

constexpr SDialogResource kDialogs[] = {
    {IDD_FIND, &kFindDialog},   {IDD_PREFERENCES, &kPreferencesDialog},
    {IDD_DUMP, &kDumpDialog},   {IDD_ABOUT, &kAboutDialog},
    {IDD_OUTER, &kOuterDialog},
};
constexpr SModuleResourceTable kResources{{}, {}, kDialogs, {}, {}};

class CFindDialog : public CDialogImpl<CFindDialog> {
public:
    enum { IDD = IDD_FIND };

    BEGIN_MSG_MAP(CFindDialog)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    COMMAND_ID_HANDLER(IDOK, OnFind)
    COMMAND_ID_HANDLER(IDCANCEL, OnCancel)
    ALT_MSG_MAP(1)
    END_MSG_MAP()

    CContainedWindow m_edit{"edit", this, 1};
    int m_nSearches = 0;

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
        m_edit.SubclassWindow(GetDlgItem(IDC_QUERY));
        m_edit.SetWindowText("");
        return TRUE;
    }
    LRESULT OnFind(WORD, WORD, HWND, BOOL&) {
        char query[1024] = {};
        GetDlgItemText(IDC_QUERY, query, sizeof(query));
        if (query[0] == '\0') {
            return 0;
        }
        ++m_nSearches;
        std::string message = std::string("Concept '") + query + "' was not found.";
        MessageBox(message.c_str(), "Concept not found", MB_OK);
        return 0;
    }
    LRESULT OnCancel(WORD, WORD, HWND, BOOL&) {
        EndDialog(IDCANCEL);
        return 0;
    }
};

class CPreferencesDialog : public CDialogImpl<CPreferencesDialog> {
public:
    enum { IDD = IDD_PREFERENCES };

    BEGIN_MSG_MAP(CPreferencesDialog)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    COMMAND_HANDLER(IDOK, BN_CLICKED, OnOK)
    COMMAND_HANDLER(IDCANCEL, BN_CLICKED, OnCancel)
    END_MSG_MAP()

    bool m_bAutoLoad = false;
    bool m_bOwnerDisabledWhileShown = false;

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
        SetDlgItemText(IDC_HUB_ADDRESS, "127.0.0.1:1050");
        GotoDlgCtrl(GetDlgItem(IDC_AUTOLOAD));
        m_bOwnerDisabledWhileShown = !::IsWindowEnabled(GetWindow(GW_OWNER));
        return FALSE;
    }
    LRESULT OnOK(WORD, WORD, HWND, BOOL&) {
        m_bAutoLoad = IsDlgButtonChecked(IDC_AUTOLOAD) == BST_CHECKED;
        EndDialog(IDOK);
        return 0;
    }
    LRESULT OnCancel(WORD, WORD, HWND, BOOL&) {
        EndDialog(IDCANCEL);
        return 0;
    }
};

class CDumpDialog : public CDialogImpl<CDumpDialog>, public CDialogResize<CDumpDialog> {
public:
    enum { IDD = IDD_DUMP };

    BEGIN_MSG_MAP(CDumpDialog)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    COMMAND_ID_HANDLER(IDOK, OnClose)
    COMMAND_ID_HANDLER(IDCANCEL, OnClose)
    CHAIN_MSG_MAP(CDialogResize<CDumpDialog>)
    END_MSG_MAP()

    BEGIN_DLGRESIZE_MAP(CDumpDialog)
    DLGRESIZE_CONTROL(IDC_DUMP_TEXT, DLSZ_SIZE_X | DLSZ_SIZE_Y)
    DLGRESIZE_CONTROL(IDOK, DLSZ_MOVE_Y)
    END_DLGRESIZE_MAP()

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
        SetDlgItemText(IDC_DUMP_TEXT, "<p>page</p>");
        DlgResize_Init(true, true, WS_THICKFRAME | WS_CLIPCHILDREN);
        return TRUE;
    }
    LRESULT OnClose(WORD, WORD wID, HWND, BOOL&) {
        EndDialog(wID);
        return 0;
    }
};

// Handles its Close button only: Escape and the close box leave it open.
class CAboutDialog : public CDialogImpl<CAboutDialog> {
public:
    enum { IDD = IDD_ABOUT };

    BEGIN_MSG_MAP(CAboutDialog)
    COMMAND_HANDLER(IDC_CLOSE, BN_CLICKED, OnClose)
    END_MSG_MAP()

private:
    LRESULT OnClose(WORD, WORD, HWND, BOOL&) {
        EndDialog(IDC_CLOSE);
        return 0;
    }
};

class COuterDialog : public CDialogImpl<COuterDialog> {
public:
    enum { IDD = IDD_OUTER };

    BEGIN_MSG_MAP(COuterDialog)
    COMMAND_ID_HANDLER(IDC_OPEN_ABOUT, OnAbout)
    COMMAND_ID_HANDLER(IDOK, OnOK)
    END_MSG_MAP()

    INT_PTR m_nAboutResult = 0;

private:
    LRESULT OnAbout(WORD, WORD, HWND, BOOL&) {
        CAboutDialog about;
        m_nAboutResult = about.DoModal(m_hWnd);
        return 0;
    }
    LRESULT OnOK(WORD, WORD, HWND, BOOL&) {
        EndDialog(IDOK);
        return 0;
    }
};

RECT ControlRect(HWND hDlg, int id) {
    RECT rect{};
    GetWindowRect(GetDlgItem(hDlg, id), &rect);
    MapWindowPoints(nullptr, hDlg, reinterpret_cast<LPPOINT>(&rect), 2);
    return rect;
}

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        CUIDriver::Get().Reset();
        CModuleResources::SetResourceInstance(kModule);
        m_owner = CreateLoggingWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 800, 600);
    }
    void TearDown() override {
        DestroyWindow(m_owner);
        EXPECT_EQ(CUIDriver::Get().GetPendingAnswerCount(), m_nExpectedPending);
    }

    CUIDriver& Driver() { return CUIDriver::Get(); }

    CResourceRegistration m_resources{kModule, kResources};
    HWND m_owner = nullptr;
    size_t m_nExpectedPending = 0;
};

TEST_F(DialogTest, DrivenToOkWithChecksAndRefusalsRecorded) {
    Driver().QueueDialogAnswer(CDialogAnswer()
                                   .Check(IDC_AUTOLOAD)
                                   .Check(IDC_HUB)
                                   .SetText(IDC_HUB_ADDRESS, "10.0.0.1")
                                   .Press(IDOK));
    CPreferencesDialog dialog;
    EXPECT_EQ(dialog.DoModal(m_owner), IDOK);
    EXPECT_TRUE(dialog.m_bAutoLoad);
    EXPECT_TRUE(dialog.m_bOwnerDisabledWhileShown);
    EXPECT_TRUE(IsWindowEnabled(m_owner));
    EXPECT_EQ(dialog.m_hWnd, nullptr);

    ASSERT_EQ(Driver().GetDialogs().size(), 1u);
    const SDialogRecord& record = Driver().GetDialogs()[0];
    EXPECT_EQ(record.templateId, static_cast<UINT>(IDD_PREFERENCES));
    EXPECT_EQ(record.title, "User preferences");
    EXPECT_EQ(record.owner, m_owner);
    EXPECT_TRUE(record.answered);
    EXPECT_FALSE(record.cancelledByDriver);
    EXPECT_EQ(record.result, IDOK);
    EXPECT_EQ(record.Control(IDC_AUTOLOAD)->check, BST_CHECKED);
    EXPECT_EQ(record.Control(IDC_HUB)->check, BST_UNCHECKED);
    EXPECT_FALSE(record.Control(IDC_HUB)->enabled);
    EXPECT_EQ(record.Text(IDC_HUB_ADDRESS), "127.0.0.1:1050");
    EXPECT_EQ(record.refusals, (std::vector<std::string>{"control 218 cannot be clicked",
                                                         "control 225 cannot be typed into"}));
}

TEST_F(DialogTest, DrivenToCancelKeepsTheTypedTextInTheRecord) {
    Driver().QueueDialogAnswer(
        CDialogAnswer().SetText(IDC_QUERY, "neural network").Press(IDCANCEL));
    CFindDialog dialog;
    EXPECT_EQ(dialog.DoModal(m_owner), IDCANCEL);
    const SDialogRecord& record = Driver().GetDialogs().at(0);
    EXPECT_EQ(record.result, IDCANCEL);
    EXPECT_EQ(record.Text(IDC_QUERY), "neural network");
    EXPECT_EQ(record.Text(IDOK), "Find");
    EXPECT_TRUE(Driver().GetMessageBoxes().empty());
}

TEST_F(DialogTest, DialogsWithoutAnAnswerAreCancelledAndSaySo) {
    struct SCase {
        const char* name;
        INT_PTR (*show)(HWND);
        bool forced;
    };
    const SCase cases[] = {
        {"handles Cancel", [](HWND owner) { return CFindDialog().DoModal(owner); }, false},
        {"ignores Cancel", [](HWND owner) { return CAboutDialog().DoModal(owner); }, true},
    };
    for (const SCase& c : cases) {
        Driver().Reset();
        EXPECT_EQ(c.show(m_owner), IDCANCEL) << c.name;
        const SDialogRecord& record = Driver().GetDialogs().at(0);
        EXPECT_FALSE(record.answered) << c.name;
        EXPECT_TRUE(record.cancelledByDriver) << c.name;
        EXPECT_EQ(record.forcedClosed, c.forced) << c.name;
    }
}

TEST_F(DialogTest, FindPressedSeveralTimesShowsAMessageBoxEachTime) {
    size_t boxesAfterFirst = 0;
    HWND boxOwner = nullptr;
    Driver().QueueDialogAnswer(CDialogAnswer()
                                   .Press(IDOK)
                                   .SetText(IDC_QUERY, "neural")
                                   .Press(IDOK)
                                   .Call([&](HWND) {
                                       boxesAfterFirst = CUIDriver::Get().GetMessageBoxes().size();
                                       boxOwner = CUIDriver::Get().GetMessageBoxes().back().owner;
                                   })
                                   .Press(IDOK)
                                   .Press(IDOK)
                                   .Press(IDCANCEL));
    CFindDialog dialog;
    EXPECT_EQ(dialog.DoModal(m_owner), IDCANCEL);
    EXPECT_EQ(dialog.m_nSearches, 3);
    EXPECT_EQ(boxesAfterFirst, 1u);

    const HWND hDlg = Driver().GetDialogs().at(0).hwnd;
    EXPECT_EQ(boxOwner, hDlg);
    ASSERT_EQ(Driver().GetMessageBoxes().size(), 3u);
    for (const SMessageBoxRecord& box : Driver().GetMessageBoxes()) {
        EXPECT_EQ(box.owner, hDlg);
        EXPECT_EQ(box.text, "Concept 'neural' was not found.");
        EXPECT_EQ(box.caption, "Concept not found");
        EXPECT_EQ(box.answer, IDOK);
    }
    EXPECT_EQ(Driver().GetDialogs().at(0).unusedSteps, 0u);
}

TEST_F(DialogTest, StepsLeftAfterTheDialogEndedAreCounted) {
    Driver().QueueDialogAnswer(CDialogAnswer().Press(IDCANCEL).Press(IDOK).Press(IDOK));
    CFindDialog().DoModal(m_owner);
    EXPECT_EQ(Driver().GetDialogs().at(0).unusedSteps, 2u);
}

TEST_F(DialogTest, TheCloseBoxCancelsThroughTheDefaultDialogHandling) {
    Driver().QueueDialogAnswer(CDialogAnswer().Close());
    EXPECT_EQ(CFindDialog().DoModal(m_owner), IDCANCEL);
    EXPECT_FALSE(Driver().GetDialogs().at(0).cancelledByDriver);

    Driver().QueueDialogAnswer(CDialogAnswer().Close().Press(IDCANCEL).Press(IDC_CLOSE));
    EXPECT_EQ(CAboutDialog().DoModal(m_owner), IDC_CLOSE);
}

TEST_F(DialogTest, AnAnswerForAnotherDialogStaysQueued) {
    Driver().QueueDialogAnswer(CDialogAnswer().ForDialog(IDD_ABOUT).Press(IDC_CLOSE));
    EXPECT_EQ(CFindDialog().DoModal(m_owner), IDCANCEL);
    EXPECT_FALSE(Driver().GetDialogs().at(0).answered);
    EXPECT_EQ(Driver().GetPendingAnswerCount(), 1u);
    EXPECT_EQ(CAboutDialog().DoModal(m_owner), IDC_CLOSE);
}

TEST_F(DialogTest, ADialogOpenedFromADialogTakesTheNextAnswer) {
    Driver().QueueDialogAnswer(CDialogAnswer().Press(IDC_OPEN_ABOUT).Press(IDOK));
    Driver().QueueDialogAnswer(CDialogAnswer().Press(IDC_CLOSE));
    COuterDialog outer;
    EXPECT_EQ(outer.DoModal(m_owner), IDOK);
    EXPECT_EQ(outer.m_nAboutResult, IDC_CLOSE);
    ASSERT_EQ(Driver().GetDialogs().size(), 2u);
    EXPECT_EQ(Driver().GetDialogs()[0].templateId, static_cast<UINT>(IDD_OUTER));
    EXPECT_EQ(Driver().GetDialogs()[1].templateId, static_cast<UINT>(IDD_ABOUT));
    EXPECT_EQ(Driver().GetDialogs()[1].owner, Driver().GetDialogs()[0].hwnd);
    EXPECT_EQ(GetActiveWindow(), m_owner);
}

TEST_F(DialogTest, TemplatesAreLaidOutInDialogUnitsOfTheirFont) {
    RECT client{};
    RECT query{};
    Driver().QueueDialogAnswer(CDialogAnswer().Call([&](HWND hDlg) {
        GetClientRect(hDlg, &client);
        query = ControlRect(hDlg, IDC_QUERY);
    }));
    CFindDialog().DoModal(m_owner);
    // 8 point: 6 by 13 base units, a dialog unit being a quarter and an eighth of them.
    EXPECT_EQ(client.right, 279);
    EXPECT_EQ(client.bottom, 154);
    EXPECT_EQ(query.left, 11);
    EXPECT_EQ(query.top, 67);
    EXPECT_EQ(query.right - query.left, 258);
    EXPECT_EQ(query.bottom - query.top, 21);
}

TEST_F(DialogTest, MissingTemplateFailsWithoutShowingAnything) {
    EXPECT_EQ(DialogBoxParamA(kModule, MAKEINTRESOURCEA(999), m_owner, nullptr, 0), -1);
    EXPECT_TRUE(Driver().GetDialogs().empty());
}

TEST_F(DialogTest, ResizedDialogKeepsItsMinimumSizeAndMovesItsControls) {
    SIZE initial{};
    RECT initialText{};
    RECT initialOk{};
    RECT initialClient{};
    RECT shrunk{};
    RECT grownClient{};
    RECT grownText{};
    RECT grownOk{};
    Driver().QueueDialogAnswer(
        CDialogAnswer()
            .Call([&](HWND hDlg) {
                RECT window{};
                GetWindowRect(hDlg, &window);
                initial = SIZE{window.right - window.left, window.bottom - window.top};
                GetClientRect(hDlg, &initialClient);
                initialText = ControlRect(hDlg, IDC_DUMP_TEXT);
                initialOk = ControlRect(hDlg, IDOK);
            })
            .Resize(200, 100)
            .Call([&](HWND hDlg) { GetWindowRect(hDlg, &shrunk); })
            .Resize(1000, 700)
            .Call([&](HWND hDlg) {
                GetClientRect(hDlg, &grownClient);
                grownText = ControlRect(hDlg, IDC_DUMP_TEXT);
                grownOk = ControlRect(hDlg, IDOK);
            })
            .Press(IDOK));
    EXPECT_EQ(CDumpDialog().DoModal(m_owner), IDOK);
    EXPECT_EQ(shrunk.right - shrunk.left, initial.cx);
    EXPECT_EQ(shrunk.bottom - shrunk.top, initial.cy);
    const int dx = grownClient.right - initialClient.right;
    const int dy = grownClient.bottom - initialClient.bottom;
    EXPECT_GT(dx, 0);
    EXPECT_EQ(grownText.right - grownText.left, initialText.right - initialText.left + dx);
    EXPECT_EQ(grownText.bottom - grownText.top, initialText.bottom - initialText.top + dy);
    EXPECT_EQ(grownOk.left, initialOk.left);
    EXPECT_EQ(grownOk.top, initialOk.top + dy);
    EXPECT_EQ(grownClient.bottom - grownOk.bottom, initialClient.bottom - initialOk.bottom);
}

}  // namespace
