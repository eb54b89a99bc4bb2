// Registration of the common control classes.
#include "platform/win/controls/comboboxcontrol.h"
#include "platform/win/controls/commctrl.h"
#include "platform/win/controls/rebarcontrol.h"
#include "platform/win/controls/toolbarcontrol.h"
#include "platform/win/controls/tooltipcontrol.h"
#include "platform/win/windowclasstable.h"

namespace {

// Registers a class of the system once for the process; later calls find it there.
void RegisterControlClass(LPCSTR name, WNDPROC proc, int background) {
    CWindowClassTable& table = CWindowClassTable::Get();
    if (table.Find(name)) {
        return;
    }
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(background + 1));
    wc.lpszClassName = name;
    table.Register(wc, true);
}

}  // namespace

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
    if (init == nullptr || init->dwSize != sizeof(INITCOMMONCONTROLSEX)) {
        return FALSE;
    }
    RegisterControlClass(WC_COMBOBOXA, CComboBoxControl::WindowProc, COLOR_WINDOW);
    RegisterControlClass(WC_COMBOLBOXA, CComboBoxControl::ListWindowProc, COLOR_WINDOW);
    bool registered = (init->dwICC & ICC_STANDARD_CLASSES) != 0;
    if ((init->dwICC & ICC_BAR_CLASSES) != 0) {
        RegisterControlClass(TOOLBARCLASSNAMEA, CToolbarControl::WindowProc, COLOR_BTNFACE);
        RegisterControlClass(TOOLTIPS_CLASSA, CTooltipControl::WindowProc, COLOR_WINDOW);
        registered = true;
    }
    if ((init->dwICC & ICC_COOL_CLASSES) != 0) {
        RegisterControlClass(REBARCLASSNAMEA, CRebarControl::WindowProc, COLOR_BTNFACE);
        registered = true;
    }
    return registered ? TRUE : FALSE;
}

void InitCommonControls() {
    const INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&init);
}
