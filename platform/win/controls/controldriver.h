// CControlDriver: what a person does with the common controls, through the messages the mouse
// would cause, for tests and the host (beside the UI driver of uidriver.h for menus, dialogs and
// message boxes). Each refuses, answering false, what a person could not do: a control that is
// not a visible, enabled window, a button that is hidden or disabled, an item that does not exist.
#pragma once

#include <string>

#include "platform/win/controls/commctrl.h"

class CControlDriver {
public:
    // Presses and releases the left button over the button part of the toolbar button with the
    // command id (left of its drop-down arrow, if it has one drawn).
    static bool ClickToolbarButton(HWND hWndToolbar, int idCommand);
    // Presses and releases the left button over the button's drop-down arrow (the middle of a
    // button whose arrow is not drawn apart); false for a button without a drop-down.
    static bool ClickToolbarDropDown(HWND hWndToolbar, int idCommand);
    // Rests the pointer on the button and reads the tooltip shown, then lets it go; empty when the
    // toolbar has no tooltip or none shows.
    static std::string GetToolbarTooltip(HWND hWndToolbar, int idCommand);
    // Clicks the combo to drop its list, scrolls the item into view and clicks it.
    static bool SelectComboItem(HWND hWndCombo, int index);
};
