#include "platform/win/uidriver.h"

#include <algorithm>
#include <utility>

#include "platform/win/menumanager.h"
#include "platform/win/windowmanager.h"

namespace {

// Bounds a pump and the depth of a recorded menu, so that neither a window that keeps posting
// nor a malformed menu can hold the thread.
constexpr size_t kMaxPumpedMessages = 10000;
constexpr int kMaxMenuDepth = 32;

bool IsClass(HWND hWnd, const char* className) {
    char name[64] = {};
    GetClassNameA(hWnd, name, sizeof(name));
    std::string_view actual(name);
    std::string_view expected(className);
    return actual.size() == expected.size() &&
           std::equal(actual.begin(), actual.end(), expected.begin(),
                      [](char a, char b) { return (a | 0x20) == (b | 0x20); });
}

bool IsCheckBox(HWND hWnd) {
    DWORD type = static_cast<DWORD>(GetWindowLongPtrA(hWnd, GWL_STYLE)) & BS_TYPEMASK;
    return IsClass(hWnd, WC_BUTTONA) && (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX ||
                                         type == BS_3STATE || type == BS_AUTO3STATE);
}

std::string WindowText(HWND hWnd) {
    std::string text(static_cast<size_t>(std::max(GetWindowTextLengthA(hWnd), 0)) + 1, '\0');
    int length = GetWindowTextA(hWnd, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(std::max(length, 0)));
    return text;
}

// The label a person reads: "&" marks the mnemonic and "&&" stands for "&".
std::string VisibleLabel(const std::string& text) {
    std::string label;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            ++i;
        }
        label += text[i];
    }
    return label;
}

bool LabelMatches(const std::string& itemText, const std::string& label) {
    if (itemText == label) {
        return true;
    }
    std::string visible = VisibleLabel(itemText);
    return visible == label || visible.substr(0, visible.find('\t')) == label;
}

bool IsEnabledItem(const SMenuItem& item) {
    return (item.flags & (MF_GRAYED | MF_DISABLED)) == 0;
}

std::vector<SMenuItemRecord> SnapshotMenu(HMENU hMenu, int depth) {
    std::vector<SMenuItemRecord> records;
    SMenu* menu = CMenuManager::Get().Find(hMenu);
    if (menu == nullptr || depth > kMaxMenuDepth) {
        return records;
    }
    for (const SMenuItem& item : menu->items) {
        SMenuItemRecord record{item.text, item.id, item.flags, {}};
        if (item.subMenu != nullptr) {
            record.flags |= MF_POPUP;
            record.items = SnapshotMenu(item.subMenu, depth + 1);
        }
        records.push_back(std::move(record));
    }
    return records;
}

// The first item with the command id; blocked tells whether a disabled pop-up hides it.
const SMenuItem* FindMenuCommand(HMENU hMenu, UINT id, int depth, bool* blocked) {
    SMenu* menu = CMenuManager::Get().Find(hMenu);
    if (menu == nullptr || depth > kMaxMenuDepth) {
        return nullptr;
    }
    for (const SMenuItem& item : menu->items) {
        if (item.subMenu != nullptr) {
            const SMenuItem* found = FindMenuCommand(item.subMenu, id, depth + 1, blocked);
            if (found != nullptr) {
                *blocked = *blocked || !IsEnabledItem(item);
                return found;
            }
        } else if ((item.flags & MF_SEPARATOR) == 0 && item.id == id) {
            return &item;
        }
    }
    return nullptr;
}

int DefaultMessageBoxAnswer(UINT type) {
    static const std::vector<int> kButtons[] = {
        {IDOK},        {IDOK, IDCANCEL},    {IDABORT, IDRETRY, IDIGNORE}, {IDYES, IDNO, IDCANCEL},
        {IDYES, IDNO}, {IDRETRY, IDCANCEL},
    };
    UINT kind = type & MB_TYPEMASK;
    const std::vector<int>& buttons = kind < std::size(kButtons) ? kButtons[kind] : kButtons[0];
    size_t defaultButton = (type & MB_DEFMASK) >> 8;
    return buttons[std::min(defaultButton, buttons.size() - 1)];
}

}  // namespace

const SDialogControlRecord* SDialogRecord::Control(int id) const {
    auto it = std::find_if(controls.begin(), controls.end(),
                           [id](const SDialogControlRecord& control) { return control.id == id; });
    return it != controls.end() ? &*it : nullptr;
}

std::string SDialogRecord::Text(int id) const {
    const SDialogControlRecord* control = Control(id);
    return control != nullptr ? control->text : std::string();
}

CDialogAnswer& CDialogAnswer::ForDialog(UINT templateId) {
    m_nTemplateId = templateId;
    return *this;
}

CDialogAnswer& CDialogAnswer::SetText(int id, std::string text) {
    SStep step;
    step.action = EAction::SetText;
    step.id = id;
    step.text = std::move(text);
    m_steps.push_back(std::move(step));
    return *this;
}

CDialogAnswer& CDialogAnswer::Check(int id, UINT state) {
    SStep step;
    step.action = EAction::Check;
    step.id = id;
    step.state = state;
    m_steps.push_back(std::move(step));
    return *this;
}

CDialogAnswer& CDialogAnswer::Press(int id) {
    SStep step;
    step.action = EAction::Press;
    step.id = id;
    m_steps.push_back(std::move(step));
    return *this;
}

CDialogAnswer& CDialogAnswer::Close() {
    SStep step;
    step.action = EAction::Close;
    m_steps.push_back(std::move(step));
    return *this;
}

CDialogAnswer& CDialogAnswer::Resize(int cx, int cy) {
    SStep step;
    step.action = EAction::Resize;
    step.size = SIZE{cx, cy};
    m_steps.push_back(std::move(step));
    return *this;
}

CDialogAnswer& CDialogAnswer::Call(std::function<void(HWND)> function) {
    SStep step;
    step.action = EAction::Call;
    step.function = std::move(function);
    m_steps.push_back(std::move(step));
    return *this;
}

CUIDriver& CUIDriver::Get() {
    thread_local CUIDriver driver;
    return driver;
}

void CUIDriver::QueueMenuChoice(UINT id) {
    m_menuAnswers.push_back(SMenuAnswer{id, {}});
}

void CUIDriver::QueueMenuChoice(std::vector<std::string> labelPath) {
    m_menuAnswers.push_back(SMenuAnswer{std::nullopt, std::move(labelPath)});
}

void CUIDriver::QueueMenuDismiss() {
    m_menuAnswers.push_back(SMenuAnswer{});
}

void CUIDriver::QueueFileChoice(std::string path) {
    m_fileAnswers.emplace_back(std::move(path));
}

void CUIDriver::QueueFileCancel() {
    m_fileAnswers.emplace_back(std::nullopt);
}

void CUIDriver::QueueMessageBoxAnswer(int answer) {
    m_messageBoxAnswers.push_back(answer);
}

void CUIDriver::QueueDialogAnswer(CDialogAnswer answer) {
    m_dialogAnswers.push_back(std::move(answer));
}

size_t CUIDriver::GetPendingAnswerCount() const {
    return m_menuAnswers.size() + m_fileAnswers.size() + m_messageBoxAnswers.size() +
           m_dialogAnswers.size();
}

void CUIDriver::SetMessageBoxListener(std::function<void(const SMessageBoxRecord&)> listener) {
    m_messageBoxListener = std::move(listener);
}

void CUIDriver::Reset() {
    m_menuAnswers.clear();
    m_fileAnswers.clear();
    m_messageBoxAnswers.clear();
    m_dialogAnswers.clear();
    m_messageBoxes.clear();
    m_menus.clear();
    m_fileDialogs.clear();
    m_dialogs.clear();
    m_cursors.clear();
}

size_t CUIDriver::PumpMessages() {
    size_t count = 0;
    MSG msg{};
    while (count < kMaxPumpedMessages && PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        // The quit message stays queued for the loop that owns the thread.
        if (msg.message == WM_QUIT) {
            break;
        }
        PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
        DispatchMessageA(&msg);
        ++count;
    }
    return count;
}

LRESULT CUIDriver::SendCommand(HWND hWnd, UINT id) {
    return SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0);
}

bool CUIDriver::Click(HWND hButton) {
    if (!IsWindow(hButton) || !IsWindowEnabled(hButton) || !IsWindowVisible(hButton)) {
        return false;
    }
    SendMessageA(hButton, BM_CLICK, 0, 0);
    return true;
}

bool CUIDriver::Type(HWND hEdit, const std::string& text) {
    if (!IsWindow(hEdit) || !IsWindowEnabled(hEdit) || !IsWindowVisible(hEdit) ||
        !IsClass(hEdit, WC_EDITA) ||
        (static_cast<DWORD>(GetWindowLongPtrA(hEdit, GWL_STYLE)) & ES_READONLY) != 0) {
        return false;
    }
    SetFocus(hEdit);
    SendMessageA(hEdit, EM_SETSEL, 0, -1);
    SendMessageA(hEdit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    return true;
}

int CUIDriver::ShowMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    if (owner != nullptr && !IsWindow(owner)) {
        return 0;
    }
    SMessageBoxRecord record;
    record.owner = owner;
    record.text = text != nullptr ? text : "";
    record.caption = caption != nullptr ? caption : "Error";
    record.type = type;
    if (!m_messageBoxAnswers.empty()) {
        record.answer = m_messageBoxAnswers.front();
        m_messageBoxAnswers.pop_front();
    } else {
        record.answer = DefaultMessageBoxAnswer(type);
    }
    m_messageBoxes.push_back(record);
    if (m_messageBoxListener) {
        m_messageBoxListener(record);
    }
    return record.answer;
}

UINT CUIDriver::TrackPopupMenu(HMENU hMenu, UINT flags, int x, int y, HWND owner) {
    SMenuRecord record;
    record.owner = owner;
    record.x = x;
    record.y = y;
    record.flags = flags;
    record.items = SnapshotMenu(hMenu, 0);
    if (!m_menuAnswers.empty()) {
        SMenuAnswer answer = std::move(m_menuAnswers.front());
        m_menuAnswers.pop_front();
        record.answered = true;
        record.chosenId = ChooseMenuItem(hMenu, answer, &record.refusal);
    }
    m_menus.push_back(std::move(record));
    return m_menus.back().chosenId;
}

UINT CUIDriver::ChooseMenuItem(HMENU hMenu, const SMenuAnswer& answer, std::string* refusal) {
    if (answer.id) {
        bool blocked = false;
        const SMenuItem* item = FindMenuCommand(hMenu, *answer.id, 0, &blocked);
        if (item == nullptr) {
            *refusal = "no item with id " + std::to_string(*answer.id);
            return 0;
        }
        if (blocked || !IsEnabledItem(*item)) {
            *refusal = "item " + std::to_string(*answer.id) + " is disabled";
            return 0;
        }
        return item->id;
    }
    if (answer.labelPath.empty()) {
        return 0;
    }
    HMENU hLevel = hMenu;
    for (size_t i = 0; i < answer.labelPath.size(); ++i) {
        const std::string& label = answer.labelPath[i];
        SMenu* menu = CMenuManager::Get().Find(hLevel);
        auto it = menu == nullptr ? std::vector<SMenuItem>::const_iterator{}
                                  : std::find_if(menu->items.cbegin(), menu->items.cend(),
                                                 [&](const SMenuItem& item) {
                                                     return (item.flags & MF_SEPARATOR) == 0 &&
                                                            LabelMatches(item.text, label);
                                                 });
        if (menu == nullptr || it == menu->items.cend()) {
            *refusal = "no item \"" + label + "\"";
            return 0;
        }
        if (!IsEnabledItem(*it)) {
            *refusal = "item \"" + label + "\" is disabled";
            return 0;
        }
        const bool last = i + 1 == answer.labelPath.size();
        if (last != (it->subMenu == nullptr)) {
            *refusal = last ? "item \"" + label + "\" opens a pop-up"
                            : "item \"" + label + "\" is not a pop-up";
            return 0;
        }
        if (last) {
            return it->id;
        }
        hLevel = it->subMenu;
    }
    return 0;
}

std::optional<std::string> CUIDriver::TakeFileAnswer(bool* answered) {
    *answered = !m_fileAnswers.empty();
    if (m_fileAnswers.empty()) {
        return std::nullopt;
    }
    std::optional<std::string> answer = std::move(m_fileAnswers.front());
    m_fileAnswers.pop_front();
    return answer;
}

void CUIDriver::RecordFileDialog(SFileDialogRecord record) {
    m_fileDialogs.push_back(std::move(record));
}

void CUIDriver::RecordCursor(HCURSOR cursor, std::string name) {
    m_cursors.push_back(SCursorRecord{cursor, std::move(name)});
}

bool CUIDriver::DialogEnded(HWND hDlg) {
    SWindow* window = CWindowManager::Get().Find(hDlg);
    return window == nullptr || window->dialogEnded;
}

INT_PTR CUIDriver::RunModalDialog(HWND hDlg, UINT templateId) {
    const size_t index = m_dialogs.size();
    SDialogRecord shown;
    shown.templateId = templateId;
    shown.title = WindowText(hDlg);
    shown.owner = GetWindow(hDlg, GW_OWNER);
    shown.hwnd = hDlg;
    m_dialogs.push_back(std::move(shown));

    std::optional<CDialogAnswer> answer;
    if (!m_dialogAnswers.empty() && (m_dialogAnswers.front().m_nTemplateId == 0 ||
                                     m_dialogAnswers.front().m_nTemplateId == templateId)) {
        answer = std::move(m_dialogAnswers.front());
        m_dialogAnswers.pop_front();
    }
    m_dialogs[index].answered = answer.has_value();
    PumpMessages();
    if (answer) {
        size_t step = 0;
        for (; step < answer->m_steps.size() && !DialogEnded(hDlg); ++step) {
            if (auto refusal = PerformStep(hDlg, answer->m_steps[step])) {
                m_dialogs[index].refusals.push_back(*refusal);
            }
            PumpMessages();
        }
        m_dialogs[index].unusedSteps = answer->m_steps.size() - step;
    }
    if (!DialogEnded(hDlg)) {
        m_dialogs[index].cancelledByDriver = true;
        SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(hDlg, IDCANCEL)));
        PumpMessages();
        if (!DialogEnded(hDlg)) {
            m_dialogs[index].forcedClosed = true;
            EndDialog(hDlg, IDCANCEL);
        }
    }
    INT_PTR result = 0;
    if (SWindow* window = CWindowManager::Get().Find(hDlg)) {
        result = window->dialogResult;
        RecordControls(hDlg, m_dialogs[index]);
    }
    m_dialogs[index].result = result;
    return result;
}

std::optional<std::string> CUIDriver::PerformStep(HWND hDlg, const CDialogAnswer::SStep& step) {
    using EAction = CDialogAnswer::EAction;
    const std::string control = "control " + std::to_string(step.id);
    HWND hControl = GetDlgItem(hDlg, step.id);
    switch (step.action) {
        case EAction::SetText:
            if (hControl == nullptr) {
                return "no " + control;
            }
            if (!Type(hControl, step.text)) {
                return control + " cannot be typed into";
            }
            return std::nullopt;
        case EAction::Check:
            if (hControl == nullptr) {
                return "no " + control;
            }
            if (!IsCheckBox(hControl)) {
                return control + " is not a check box";
            }
            // A three-state box needs up to two clicks to reach a state.
            for (int click = 0; click < 3 && SendMessageA(hControl, BM_GETCHECK, 0, 0) !=
                                                 static_cast<LRESULT>(step.state);
                 ++click) {
                if (!Click(hControl)) {
                    return control + " cannot be clicked";
                }
                PumpMessages();
            }
            if (SendMessageA(hControl, BM_GETCHECK, 0, 0) != static_cast<LRESULT>(step.state)) {
                return control + " does not take the state " + std::to_string(step.state);
            }
            return std::nullopt;
        case EAction::Press:
            if (hControl == nullptr) {
                if (step.id == IDOK || step.id == IDCANCEL) {
                    SendMessageA(hDlg, WM_COMMAND,
                                 MAKEWPARAM(static_cast<WORD>(step.id), BN_CLICKED), 0);
                    return std::nullopt;
                }
                return "no " + control;
            }
            if (!Click(hControl)) {
                return control + " cannot be clicked";
            }
            return std::nullopt;
        case EAction::Close:
            SendMessageA(hDlg, WM_SYSCOMMAND, SC_CLOSE, 0);
            return std::nullopt;
        case EAction::Resize:
            SetWindowPos(hDlg, nullptr, 0, 0, step.size.cx, step.size.cy,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            return std::nullopt;
        case EAction::Call:
            step.function(hDlg);
            return std::nullopt;
    }
    return std::nullopt;
}

void CUIDriver::RecordControls(HWND hDlg, SDialogRecord& record) {
    record.controls.clear();
    for (HWND hChild = GetWindow(hDlg, GW_CHILD); hChild != nullptr;
         hChild = GetWindow(hChild, GW_HWNDNEXT)) {
        SDialogControlRecord control;
        control.id = GetDlgCtrlID(hChild);
        char className[64] = {};
        GetClassNameA(hChild, className, sizeof(className));
        control.className = className;
        control.text = WindowText(hChild);
        if (IsCheckBox(hChild)) {
            control.check = static_cast<UINT>(SendMessageA(hChild, BM_GETCHECK, 0, 0));
        }
        control.enabled = IsWindowEnabled(hChild) != FALSE;
        record.controls.push_back(std::move(control));
    }
}
