// The UI driver: what a person does at the user interface, scripted, and what was shown, recorded.
//
// Pop-up menus, file dialogs, modal dialogs and message boxes do not wait for a person here: each
// takes the next answer queued for its kind, and each is recorded when it is shown. A menu or a
// file dialog without an answer is dismissed, a message box without one is answered with its
// default button, and a modal dialog without one is cancelled; the records say so. So a test or
// the host scripts the answers first, runs the system, and then reads what was shown.
//
// There is one driver per thread, next to that thread's windows (CUIDriver::Get()).
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/win/winuser.h"

// A message box as it was shown and answered.
struct SMessageBoxRecord {
    HWND owner = nullptr;
    std::string text;
    std::string caption;  // as shown: "Error" when none was given
    UINT type = 0;        // the MB_ flags
    int answer = 0;
};

struct SMenuItemRecord {
    std::string text;
    UINT id = 0;
    UINT flags = 0;  // MF_SEPARATOR, MF_POPUP, MF_GRAYED, MF_DISABLED, MF_CHECKED, ...
    std::vector<SMenuItemRecord> items;  // a pop-up's items
};

// A pop-up menu as it was shown, and what became of it.
struct SMenuRecord {
    HWND owner = nullptr;
    int x = 0;
    int y = 0;
    UINT flags = 0;  // the TPM_ flags
    std::vector<SMenuItemRecord> items;
    bool answered = false;  // an answer was queued for it
    UINT chosenId = 0;      // 0: dismissed
    std::string refusal;    // why the queued choice could not be made, if it could not
};

struct SFileFilterRecord {
    std::string description;
    std::string pattern;
};

// A file-open dialog as it was shown, and what became of it.
struct SFileDialogRecord {
    HWND owner = nullptr;
    std::vector<SFileFilterRecord> filters;
    DWORD filterIndex = 0;
    std::string initialFile;
    std::string initialDir;
    std::string title;
    std::string defaultExtension;
    DWORD flags = 0;
    DWORD maxFile = 0;
    bool answered = false;
    std::string chosenPath;  // empty when cancelled
    DWORD error = 0;         // CommDlgExtendedError after the dialog
};

// A control of a dialog as it was when the dialog closed.
struct SDialogControlRecord {
    int id = 0;
    std::string className;
    std::string text;
    UINT check = 0;  // BM_GETCHECK of check boxes
    bool enabled = true;
};

// A modal dialog as it was shown, and what became of it.
struct SDialogRecord {
    UINT templateId = 0;  // 0 for a template given directly
    std::string title;
    HWND owner = nullptr;
    HWND hwnd = nullptr;
    bool answered = false;           // an answer was queued for it
    bool cancelledByDriver = false;  // still open after the answer's steps, so cancelled
    bool forcedClosed = false;       // did not end on cancel either, so ended by the driver
    INT_PTR result = 0;
    size_t unusedSteps = 0;             // steps left when the dialog ended
    std::vector<std::string> refusals;  // steps the dialog did not allow
    std::vector<SDialogControlRecord> controls;

    const SDialogControlRecord* Control(int id) const;
    // The control's final text; empty when there is no such control.
    std::string Text(int id) const;
};

struct SCursorRecord {
    HCURSOR cursor = nullptr;
    std::string name;  // "IDC_WAIT", "IDC_ARROW", ...; "none" for a null cursor
};

// What a person does in one modal dialog, step by step.
class CDialogAnswer {
public:
    // The answer only serves the dialog of that template id; another dialog is cancelled and
    // leaves the answer queued.
    CDialogAnswer& ForDialog(UINT templateId);
    // Types the text into an edit control in place of its contents (the control's text limit
    // applies as to typing).
    CDialogAnswer& SetText(int id, std::string text);
    // Clicks a check box until it shows the state.
    CDialogAnswer& Check(int id, UINT state = BST_CHECKED);
    // Clicks a button. IDOK and IDCANCEL without a button stand for Enter and Escape.
    CDialogAnswer& Press(int id);
    // Clicks the close box.
    CDialogAnswer& Close();
    // Drags the dialog's frame to the window size.
    CDialogAnswer& Resize(int cx, int cy);
    // Runs the function with the dialog's handle, e.g. to read the message boxes shown so far.
    CDialogAnswer& Call(std::function<void(HWND)> function);

    UINT GetTemplateId() const { return m_nTemplateId; }

private:
    friend class CUIDriver;
    enum class EAction { SetText, Check, Press, Close, Resize, Call };
    struct SStep {
        EAction action = EAction::Call;
        int id = 0;
        std::string text;
        UINT state = 0;
        SIZE size{};
        std::function<void(HWND)> function;
    };

    UINT m_nTemplateId = 0;
    std::vector<SStep> m_steps;
};

class CUIDriver {
public:
    // The driver of the calling thread.
    static CUIDriver& Get();

    CUIDriver() = default;
    CUIDriver(const CUIDriver&) = delete;
    CUIDriver& operator=(const CUIDriver&) = delete;

    // Answers, each for the next one shown of its kind.
    void QueueMenuChoice(UINT id);
    // The item reached through these labels, from the shown menu's top level down; a label
    // matches with its "&" marks removed, or as written.
    void QueueMenuChoice(std::vector<std::string> labelPath);
    void QueueMenuDismiss();
    void QueueFileChoice(std::string path);
    void QueueFileCancel();
    void QueueMessageBoxAnswer(int answer);
    void QueueDialogAnswer(CDialogAnswer answer);
    // Answers queued and not yet taken.
    size_t GetPendingAnswerCount() const;

    // What was shown, in the order it was shown.
    const std::vector<SMessageBoxRecord>& GetMessageBoxes() const { return m_messageBoxes; }
    const std::vector<SMenuRecord>& GetMenus() const { return m_menus; }
    const std::vector<SFileDialogRecord>& GetFileDialogs() const { return m_fileDialogs; }
    const std::vector<SDialogRecord>& GetDialogs() const { return m_dialogs; }
    const std::vector<SCursorRecord>& GetCursors() const { return m_cursors; }

    // Called with every message box as it is shown (the host prints them).
    void SetMessageBoxListener(std::function<void(const SMessageBoxRecord&)> listener);

    // Forgets all answers and records.
    void Reset();

    // Delivers the posted messages of this thread, those posted meanwhile included (at most
    // a bounded number, so that a window that keeps posting cannot hold the caller); returns
    // how many were delivered.
    size_t PumpMessages();
    // A command as a menu or accelerator sends it: WM_COMMAND with code 0; the result is the
    // window procedure's.
    LRESULT SendCommand(HWND hWnd, UINT id);
    // Clicks a button control; false when it is not an enabled, visible window.
    bool Click(HWND hButton);
    // Types into an edit control in place of its contents; false when it cannot be typed into.
    bool Type(HWND hEdit, const std::string& text);

    // Called by the platform functions that show things.
    int ShowMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
    UINT TrackPopupMenu(HMENU hMenu, UINT flags, int x, int y, HWND owner);
    // The answer for a file dialog about to be shown: a path, or nothing for a cancel. The record
    // is added by the file dialog.
    std::optional<std::string> TakeFileAnswer(bool* answered);
    void RecordFileDialog(SFileDialogRecord record);
    // Runs a modal dialog until it has ended; returns its result.
    INT_PTR RunModalDialog(HWND hDlg, UINT templateId);
    void RecordCursor(HCURSOR cursor, std::string name);

private:
    struct SMenuAnswer {
        std::optional<UINT> id;
        std::vector<std::string> labelPath;
    };

    // Why a step could not be taken, or nothing.
    std::optional<std::string> PerformStep(HWND hDlg, const CDialogAnswer::SStep& step);
    UINT ChooseMenuItem(HMENU hMenu, const SMenuAnswer& answer, std::string* refusal);
    bool DialogEnded(HWND hDlg);
    void RecordControls(HWND hDlg, SDialogRecord& record);

    std::deque<SMenuAnswer> m_menuAnswers;
    std::deque<std::optional<std::string>> m_fileAnswers;
    std::deque<int> m_messageBoxAnswers;
    std::deque<CDialogAnswer> m_dialogAnswers;

    std::vector<SMessageBoxRecord> m_messageBoxes;
    std::vector<SMenuRecord> m_menus;
    std::vector<SFileDialogRecord> m_fileDialogs;
    std::vector<SDialogRecord> m_dialogs;
    std::vector<SCursorRecord> m_cursors;
    std::function<void(const SMessageBoxRecord&)> m_messageBoxListener;
};
