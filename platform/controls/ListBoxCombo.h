#pragma once
// How the list of a combo box (a list box with LBS_COMBOBOX) talks to its combo: WM_COMMAND to
// the combo with these codes besides the LBN_ ones.

#include "rtl/WinTypes.h"

// The mouse button went up over an item of the dropped list: the user chose it.
constexpr WORD kComboListChosen = 0x0100;
// The mouse button went up outside the dropped list.
constexpr WORD kComboListOutside = 0x0101;
