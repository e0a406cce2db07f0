#pragma once
// Painting of a list view's column header through the look-and-feel painters: the header window
// answers HeaderItemInfoRequest for each section position and PaintListHeaderItem draws it,
// image, text, state and sort mark. Shared by the list view and the shell list view.

#include <functional>

#include "toolkit/foundation/kvGraphics.h"
#include "toolkit/foundation/kvLookAndFeelPainters.h"
#include "toolkit/foundation/kvLookAndFeels.h"
#include "vcl/ComCtrls.h"
#include "vcl/ImgList.h"

class TkvContainer;

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

// The column header of a list view painted by the look-and-feel of the list's container. The
// header window is taken over once the list has made it (Take, from the list's WM_PARENTNOTIFY or
// after its CreateWnd); it then answers HeaderItemInfoRequest from the list's columns, paints
// every section and the area after the last, and tracks the pressed and the hot section. The
// header asks the list about each section with HeaderItemInfoRequest; the list's handler answers
// with ItemInfo.
class TkvListViewHeader {
 public:
  // Container: the control whose look and enabled state the header shows (asked at each paint;
  // none: nothing is painted).
  TkvListViewHeader(TCustomListView* List, TkvCanvas* Canvas, std::function<TkvContainer*()> Container);
  ~TkvListViewHeader();
  TkvListViewHeader(const TkvListViewHeader&) = delete;
  TkvListViewHeader& operator=(const TkvListViewHeader&) = delete;

  // Takes over Window when it is a header and none is taken yet.
  void Take(HWND Window);
  // From the list's WM_PARENTNOTIFY: a header window being made is taken.
  void ChildCreated(WPARAM WParam, LPARAM LParam);
  HWND GetHandle() const { return FHandle; }
  Integer GetPressedSection() const { return FPressedSection; }
  void Invalidate();
  void Paint();

  // The sections, by position (HeaderItemInfoRequest) or item index.
  Integer OrderToIndex(Integer Position);
  TRect SectionRect(Integer Index);
  TRect SectionBounds(Integer Position);
  Integer SectionAtCursor();
  Integer HotSection();
  TkvButtonState SectionState(Integer Position);
  void ItemInfo(Integer Position, THeaderItemInfo& Info);

 private:
  friend LRESULT ListViewHeaderProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT WndProc(UINT Message, WPARAM WParam, LPARAM LParam);

  TCustomListView* FList;
  TkvCanvas* FCanvas;
  std::function<TkvContainer*()> FContainer;
  HWND FHandle = nullptr;
  WNDPROC FDefProc = nullptr;
  Integer FPressedSection = -1;
};
