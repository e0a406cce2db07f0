#pragma once
// Where a command button of a window's toolbars stands, for tests that click it as a person would.
// Apart from the tests that include the editors' headers, whose literals the bars' headers share.

#include "rtl/WinTypes.h"
#include "rtl/Component.h"

// The middle, in screen coordinates, of the first place of the bar item AName of AOwner; a test
// failure and (0, 0) when the item is on no shown toolbar.
POINT CommandButtonPoint(TComponent* AOwner, const char* AName);
