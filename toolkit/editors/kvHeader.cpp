// One header section painted by the look-and-feel painter.

#include "toolkit/editors/kvHeader.h"

#include <cstring>

#include "controls/Header.h"
#include "toolkit/editors/kvContainer.h"
#include "toolkit/foundation/kvGeometry.h"
#include "user/User.h"

namespace {

// Where the image goes, and how the text area and alignment change around it.
void PlaceListHeaderImage(TkvCanvas* Canvas, TCustomImageList* Images, THeaderItemInfo& Info, TRect& TextArea,
                          TRect& ImageRect) {
  const Integer textWidth = Canvas->TextWidthOf(Info.Text);
  const Integer w = Images->GetWidth();
  ImageRect = TextArea;
  switch (Info.Alignment) {
    case taLeftJustify:
      ImageRect.Left = TextArea.Left;
      TextArea.Left = ImageRect.Left + w + 2;
      break;
    case taRightJustify:
      ImageRect.Left = TextArea.Right - textWidth - w - 2;
      if (ImageRect.Left < TextArea.Left) {
        ImageRect.Left = TextArea.Left;
        TextArea.Left += w + 2;
        Info.Alignment = taLeftJustify;
      }
      break;
    case taCenter:
      ImageRect.Left = TextArea.Left + (TextArea.Width() - w - 2 - textWidth) / 2;
      if (ImageRect.Left < TextArea.Left) {
        ImageRect.Left = TextArea.Left;
        Info.Alignment = taLeftJustify;
      }
      TextArea.Left += w + 2;
      break;
  }
  ImageRect.Right = ImageRect.Left + w;
}

}  // namespace

void PaintListHeaderItem(HWND Header, Integer Index, TkvCanvas* Canvas, TCustomImageList* Images,
                         TkvLookAndFeel* LookAndFeel) {
  const Integer count = static_cast<Integer>(SendMessage(Header, HDM_GETITEMCOUNT, 0, 0));
  RECT window;
  GetWindowRect(Header, &window);
  const TRect whole(0, 0, window.Right - window.Left, window.Bottom - window.Top);
  if (count == 0) {
    Canvas->FillTiled(whole, nullptr, false);
    return;
  }
  THeaderItemInfo info;
  SendMessage(Header, HeaderItemInfoRequest, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&info));
  TkvCustomLookAndFeelPainterClass painter = LookAndFeel->ActivePainter();
  if (Index == count)
    info.Rect.Right = whole.Right + 10;
  else if (!LookAndFeel->GetNativeStyle() && LookAndFeel->GetKind() == lfUltraFlat)
    info.Rect.Right += 1;
  const TRect content = painter->HeaderSectionContentBounds(info.Rect, kvbsNormal);
  TRect textArea = RectInflated(content, -4, 0);
  if (info.SortOrder != 0) textArea.Right -= 11;
  const bool withImage = Images && info.ImageIndex >= 0;
  TRect imageRect;
  if (withImage) PlaceListHeaderImage(Canvas, Images, info, textArea, imageRect);

  const TColor brushColor = Canvas->CurrentBrush()->GetColor();
  TkvRegion* savedClip = Canvas->CopyClipRegion();
  try {
    Canvas->ClipToRect(info.Rect);
    painter->PaintHeaderSection(Canvas, info.Rect, textArea, TkvBorders{bRight}, kvAllBorders, info.State,
                                info.Alignment, vaCenter, false, true, info.Text, Canvas->CurrentFont(),
                                Canvas->CurrentFont()->GetColor(), brushColor);
    Canvas->ClipToRect(content);
    if (withImage)
      Canvas->DrawImageListItem(Images, imageRect.Left,
                                imageRect.Top + (imageRect.Bottom - imageRect.Top - Images->GetHeight()) / 2,
                                info.ImageIndex, true);
    if (info.SortOrder != 0) {
      const TColor penColor = Canvas->CurrentPen()->GetColor();
      painter->PaintSortMark(Canvas, TRect(info.Rect.Right - 11, info.Rect.Top, info.Rect.Right - 4, info.Rect.Bottom),
                             info.SortOrder == 1);
      Canvas->CurrentPen()->SetColor(penColor);
    }
  } catch (...) {
    Canvas->ApplyClipRegion(savedClip, roSet, true);
    Canvas->SetBrushColor(brushColor);
    throw;
  }
  Canvas->ApplyClipRegion(savedClip, roSet, true);
  Canvas->SetBrushColor(brushColor);
}

// ---- A list view's header --------------------------------------------------------------------

namespace {
const char* const kHeaderProperty = "kvListViewHeader";
}  // namespace

LRESULT ListViewHeaderProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
  auto* header = static_cast<TkvListViewHeader*>(GetProp(Window, kHeaderProperty));
  if (!header || header->FHandle != Window) return DefWindowProc(Window, Message, WParam, LParam);
  return header->WndProc(Message, WParam, LParam);
}

TkvListViewHeader::TkvListViewHeader(TCustomListView* List, TkvCanvas* Canvas,
                                     std::function<TkvContainer*()> Container)
    : FList(List), FCanvas(Canvas), FContainer(std::move(Container)) {}

TkvListViewHeader::~TkvListViewHeader() {
  if (FHandle && IsWindow(FHandle)) {
    RemoveProp(FHandle, kHeaderProperty);
    if (FDefProc) SetWindowLongPtr(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FDefProc));
  }
}

void TkvListViewHeader::Take(HWND Window) {
  if (!Window || FHandle) return;
  FHandle = Window;
  SetProp(Window, kHeaderProperty, this);
  FDefProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtr(Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListViewHeaderProc)));
  SetWindowLong(Window, GWL_STYLE, GetWindowLong(Window, GWL_STYLE) | HDS_HOTTRACK);
}

void TkvListViewHeader::ChildCreated(WPARAM WParam, LPARAM LParam) {
  if (LOWORD(WParam) != WM_CREATE || FHandle) return;
  char name[80] = {};
  GetClassName(reinterpret_cast<HWND>(LParam), name, sizeof name);
  if (std::strcmp(name, WC_HEADER) == 0) Take(reinterpret_cast<HWND>(LParam));
}

void TkvListViewHeader::Invalidate() {
  if (FHandle) InvalidateRect(FHandle, nullptr, FALSE);
}

void TkvListViewHeader::Paint() {
  TCanvas* canvas = FCanvas->GetCanvas();
  canvas->GetBrush()->SetColor(clBtnFace);
  canvas->SetFont(FList->GetFont());
  canvas->GetFont()->SetColor(clBtnText);
  TkvContainer* container = FContainer();
  TkvLookAndFeel* lookAndFeel = container ? container->GetLookAndFeel() : nullptr;
  if (!lookAndFeel) return;
  for (Integer i = 0; i <= FList->GetColumns()->GetCount(); ++i)
    PaintListHeaderItem(FHandle, i, FCanvas, FList->GetSmallImages(), lookAndFeel);
}

LRESULT TkvListViewHeader::WndProc(UINT Message, WPARAM WParam, LPARAM LParam) {
  HWND header = FHandle;
  WNDPROC previous = FDefProc;
  switch (Message) {
    case WM_PAINT:
    case WM_PRINTCLIENT: {
      HDC dc = reinterpret_cast<HDC>(WParam);
      PAINTSTRUCT paint;
      if (!dc) dc = BeginPaint(header, &paint);
      TCanvas* canvas = FCanvas->GetCanvas();
      try {
        canvas->SetHandle(dc);
        FCanvas->TakeObjectsFromDC(dc);
        Paint();
      } catch (...) {
        canvas->SetHandle(nullptr);
        if (!WParam) EndPaint(header, &paint);
        throw;
      }
      canvas->SetHandle(nullptr);
      if (!WParam) EndPaint(header, &paint);
      return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN: {
      LRESULT result = CallWindowProc(previous, header, Message, WParam, LParam);
      if (FHandle && FList->GetColumnClick() && GetCapture() == header) FPressedSection = SectionAtCursor();
      return result;
    }
    case WM_CAPTURECHANGED:
      if (FPressedSection != -1) {
        RECT r = SectionRect(FPressedSection);
        InvalidateRect(header, &r, FALSE);
      }
      FPressedSection = -1;
      return CallWindowProc(previous, header, Message, WParam, LParam);
    case WM_NCDESTROY: {
      RemoveProp(header, kHeaderProperty);
      SetWindowLongPtr(header, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
      FHandle = nullptr;
      FDefProc = nullptr;
      return CallWindowProc(previous, header, Message, WParam, LParam);
    }
    // The list answers, so that a descendant may change what a section shows.
    case HeaderItemInfoRequest: return FList->Perform(Message, WParam, LParam);
    default: return CallWindowProc(previous, header, Message, WParam, LParam);
  }
}

void TkvListViewHeader::ItemInfo(Integer Position, THeaderItemInfo& Info) {
  Info = THeaderItemInfo();
  if (Position < FList->GetColumns()->GetCount()) {
    TListColumn* column = FList->GetColumns()->GetItems(Position);
    Info.ImageIndex = column->GetImageIndex();
    Info.Alignment = column->GetAlignment();
    Info.Text = column->GetCaption();
    Info.SortOrder = 0;
  } else {
    Info.ImageIndex = -1;
  }
  Info.Rect = SectionBounds(Position);
  Info.State = SectionState(Position);
}

Integer TkvListViewHeader::OrderToIndex(Integer Position) {
  return static_cast<Integer>(SendMessage(FHandle, HDM_ORDERTOINDEX, static_cast<WPARAM>(Position), 0));
}

TRect TkvListViewHeader::SectionRect(Integer Index) {
  RECT r{};
  SendMessage(FHandle, HDM_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r));
  return r;
}

TRect TkvListViewHeader::SectionBounds(Integer Position) {
  const Integer count = FList->GetColumns()->GetCount();
  if (Position < count) return SectionRect(OrderToIndex(Position));
  RECT client;
  ::GetClientRect(FHandle, &client);
  TRect r = client;
  if (count > 0) r.Left = SectionRect(OrderToIndex(count - 1)).Right;
  return r;
}

Integer TkvListViewHeader::SectionAtCursor() {
  POINT p;
  GetCursorPos(&p);
  ::ScreenToClient(FHandle, &p);
  HDHITTESTINFO hit;
  hit.pt = p;
  SendMessage(FHandle, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  if (hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) return -1;
  return hit.iItem;
}

Integer TkvListViewHeader::HotSection() {
  POINT p;
  GetCursorPos(&p);
  if (WindowFromPoint(p) != FHandle) return -1;
  ::ScreenToClient(FHandle, &p);
  HDHITTESTINFO hit;
  hit.pt = p;
  SendMessage(FHandle, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  return hit.iItem;
}

TkvButtonState TkvListViewHeader::SectionState(Integer Position) {
  TkvContainer* container = FContainer();
  if (container && !container->GetEnabled()) return kvbsDisabled;
  const Integer index = OrderToIndex(Position);
  if (index == FPressedSection) return kvbsPressed;
  bool hotTracking = FList->GetColumnClick();
  for (Integer i = 0; hotTracking && i < FList->GetColumns()->GetCount(); ++i)
    if (FList->GetColumns()->GetItems(i)->GetImageIndex() != -1) hotTracking = false;
  if (hotTracking && index == HotSection()) return kvbsHot;
  return kvbsNormal;
}
