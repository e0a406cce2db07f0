#pragma once
// Painting of a list view's column header through the look-and-feel painters: the header window
// answers HeaderItemInfoRequest for each section position and PaintListHeaderItem draws it,
// image, text, state and sort mark. Shared by the list view and the shell list view.

#include "toolkit/foundation/kvGraphics.h"
#include "toolkit/foundation/kvLookAndFeelPainters.h"
#include "toolkit/foundation/kvLookAndFeels.h"
#include "vcl/ImgList.h"

// Asks the header window about one section: wParam the section position, lParam a THeaderItemInfo.
constexpr UINT HeaderItemInfoRequest = 0x807D;

struct THeaderItemInfo {
  Integer ImageIndex = 0;
  TRect Rect;
  TAlignment Alignment = taLeftJustify;
  // 0 no sort mark, 1 ascending, anything else descending.
  Byte SortOrder = 0;
  TkvButtonState State = kvbsDefault;
  String Text;
};

// Paints the section at position Index; Index equal to the column count paints the area after the
// last column.
void PaintListHeaderItem(HWND Header, Integer Index, TkvCanvas* Canvas, TCustomImageList* Images,
                         TkvLookAndFeel* LookAndFeel);
