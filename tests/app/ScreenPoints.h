#pragma once
// Where the things a test clicks stand on the screen, and what a row of the file list shows. Apart
// from the tests, since the headers of the bars, the list view and the editors share literals.

#include "rtl/Component.h"
#include "rtl/WinTypes.h"

class TControl;
class TFrameFileList;

// The middle, in screen coordinates, of the first place of the bar item AName of AOwner; a test
// failure and (0, 0) when the item is on no shown toolbar.
POINT CommandButtonPoint(TComponent* AOwner, const char* AName);
// A point of a control's client area.
POINT ToScreen(TControl* AControl, Integer X, Integer Y);
// The middle of a control.
POINT ControlPoint(TControl* AControl);
// A point of the row's first column.
POINT FileRowPoint(TFrameFileList* AFrame, Integer ARow);
// The text of the row's column (0 the source's name, 2 the length of its chosen range).
String FileRowText(TFrameFileList* AFrame, Integer ARow, Integer AColumn);
