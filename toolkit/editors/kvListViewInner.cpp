// The inner list view: traffic handed to the container and the header painted by the painters.

#include <cstring>

#include "controls/Header.h"
#include "gdi/Regions.h"
#include "toolkit/editors/kvListView.h"
#include "user/Painting.h"
#include "user/WindowClasses.h"
#include "user/WindowDC.h"
#include "vcl/ControlsMessages.h"

TAVREN_CLASS_IMPL(TkvCustomInnerListView)

TAVREN_MESSAGE_TABLE(TkvCustomInnerListView, MESSAGE_HANDLER(WM_GETDLGCODE, WMGetDlgCode),
                     MESSAGE_HANDLER(WM_SETFOCUS, WMSetFocus), MESSAGE_HANDLER(WM_KILLFOCUS, WMKillFocus),
                     MESSAGE_HANDLER(WM_LBUTTONDOWN, WMLButtonDown), MESSAGE_HANDLER(WM_NCCALCSIZE, WMNCCalcSize),
                     MESSAGE_HANDLER(WM_NCPAINT, WMNCPaint), MESSAGE_HANDLER(WM_WINDOWPOSCHANGED, WMWindowPosChanged),
                     MESSAGE_HANDLER(WM_PARENTNOTIFY, WMParentNotify), MESSAGE_HANDLER(CM_HINTSHOW, CMHintShow),
                     MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter), MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave),
                     MESSAGE_HANDLER(CN_NOTIFY, CNNotify), MESSAGE_HANDLER(HeaderItemInfoRequest, HeaderItemInfo))

// The header's window procedure: the inner list view is the header's parent.
LRESULT InnerListViewHeaderProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
  auto* view = dynamic_cast<TkvCustomInnerListView*>(FindControl(GetParent(Window)));
  if (!view || view->FHeaderHandle != Window) return DefWindowProc(Window, Message, WParam, LParam);
  return view->HeaderWndProc(Message, WParam, LParam);
}

TkvCustomInnerListView::TkvCustomInnerListView(TComponent* AOwner) : TkvInnerControlRelay<TListView>(AOwner) {
  FKvCanvas = std::make_unique<TkvCanvas>(GetCanvas());
  SetBorderStyle(bsNone);
  FControlStyle.Include(csDoubleClicks);
  GetIconOptions()->SetArrangement(iaTop);
  GetIconOptions()->SetAutoArrange(false);
  GetIconOptions()->SetWrapText(true);
  SetParentColor(false);
  SetParentFont(true);
  SetShowColumnHeaders(true);
}

TkvCustomInnerListView::~TkvCustomInnerListView() {
  FKvCanvas.reset();
  if (FHeaderHandle && FDefHeaderProc && IsWindow(FHeaderHandle))
    SetWindowLongPtr(FHeaderHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FDefHeaderProc));
  FHeaderHandle = nullptr;
}

void TkvCustomInnerListView::DeleteSelected() {
  if (GetReadOnly()) return;
  TListView::DeleteSelected();
}

bool TkvCustomInnerListView::CanEdit(TListItem* Item) {
  if (FContainer && FContainer->GetReadOnly()) return false;
  return TListView::CanEdit(Item);
}

void TkvCustomInnerListView::DoCancelEdit() {
  if (IsEditing() && FContainer && !FContainer->IsBeingDestroyed()) FContainer->FOnCancelEdit(FContainer);
}

void TkvCustomInnerListView::InvalidateHeader() {
  if (FHeaderHandle) InvalidateRect(FHeaderHandle, nullptr, FALSE);
}

void TkvCustomInnerListView::PaintHeader() {
  TCanvas* canvas = GetCanvas();
  canvas->GetBrush()->SetColor(clBtnFace);
  canvas->SetFont(GetFont());
  canvas->GetFont()->SetColor(clBtnText);
  TkvLookAndFeel* lookAndFeel = FContainer ? FContainer->GetLookAndFeel() : nullptr;
  if (!lookAndFeel) return;
  for (Integer i = 0; i <= GetColumns()->GetCount(); ++i)
    PaintListHeaderItem(FHeaderHandle, i, FKvCanvas.get(), GetSmallImages(), lookAndFeel);
}

void TkvCustomInnerListView::WndProc(TMessage& Message) {
  if (FContainer && FContainer->HandleInnerCNKey(Message)) return;
  TWeakRef<TkvCustomInnerListView> self(this);
  TListView::WndProc(Message);
  if (!self) return;
  if (Message.Msg == WM_PAINT && FContainer && ScrollStateChanged()) FContainer->PostRefresh();
  if (Message.Msg == WM_NOTIFY && FContainer) {
    auto* header = reinterpret_cast<NMHDR*>(Message.LParam);
    if (header && header->hwndFrom == FHeaderHandle && header->code == HDN_ITEMCHANGED)
      FContainer->UpdateInnerScrollBars(false);
  }
}

void TkvCustomInnerListView::CreateParams(TCreateParams& Params) {
  TListView::CreateParams(Params);
  if (!FContainer) return;
  if (FContainer->GetIconOptions()->GetAutoArrange())
    Params.Style |= LVS_AUTOARRANGE;
  else
    Params.Style &= ~LVS_AUTOARRANGE;
  if (!GetShowColumnHeaders()) Params.Style |= LVS_NOCOLUMNHEADER;
}

void TkvCustomInnerListView::CreateWnd() {
  TListView::CreateWnd();
  // The header is made while the window is made; take it here should that notice have gone by.
  if (!FHeaderHandle) SubclassHeader(reinterpret_cast<HWND>(SendMessage(GetHandle(), LVM_GETHEADER, 0, 0)));
  if (!FContainer) return;
  FContainer->UpdateInnerScrollBars(false);
  FContainer->SyncInnerControlLook();
}

void TkvCustomInnerListView::Loaded() {
  TListView::Loaded();
  FSavedHint = GetHint();
  if (FContainer) FContainer->ApplyIconOptions();
}

bool TkvCustomInnerListView::ScrollStateChanged() {
  // Mirroring the bars repaints them over the list: only a change of the list's own bars asks for it.
  TScrollState state;
  for (int bar = 0; bar < 2; ++bar) {
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (!GetScrollInfo(GetHandle(), bar == 0 ? SB_HORZ : SB_VERT, &info)) info = SCROLLINFO();
    state.Values[bar * 4] = info.nMin;
    state.Values[bar * 4 + 1] = info.nMax;
    state.Values[bar * 4 + 2] = static_cast<Integer>(info.nPage);
    state.Values[bar * 4 + 3] = info.nPos;
  }
  RECT window;
  GetWindowRect(GetHandle(), &window);
  state.Values[8] = window.Right - window.Left;
  state.Values[9] = window.Bottom - window.Top;
  if (state == FLastScrollState) return false;
  FLastScrollState = state;
  return true;
}

// ---- Header ----------------------------------------------------------------------------------

void TkvCustomInnerListView::WMParentNotify(TMessage& Message) {
  InheritedMessage(Message);
  if (LOWORD(Message.WParam) != WM_CREATE || FHeaderHandle) return;
  char name[80] = {};
  GetClassName(reinterpret_cast<HWND>(Message.LParam), name, sizeof name);
  if (std::strcmp(name, WC_HEADER) == 0) SubclassHeader(reinterpret_cast<HWND>(Message.LParam));
}

void TkvCustomInnerListView::SubclassHeader(HWND Header) {
  if (!Header || FHeaderHandle) return;
  FHeaderHandle = Header;
  FDefHeaderProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtr(Header, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&InnerListViewHeaderProc)));
  SetWindowLong(Header, GWL_STYLE, GetWindowLong(Header, GWL_STYLE) | HDS_HOTTRACK);
}

LRESULT TkvCustomInnerListView::HeaderWndProc(UINT Message, WPARAM WParam, LPARAM LParam) {
  HWND header = FHeaderHandle;
  WNDPROC previous = FDefHeaderProc;
  switch (Message) {
    case WM_PAINT:
    case WM_PRINTCLIENT: {
      HDC dc = reinterpret_cast<HDC>(WParam);
      PAINTSTRUCT paint;
      if (!dc) dc = BeginPaint(header, &paint);
      TCanvas* canvas = GetCanvas();
      try {
        canvas->SetHandle(dc);
        FKvCanvas->TakeObjectsFromDC(dc);
        PaintHeader();
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
      if (FHeaderHandle && GetColumnClick() && GetCapture() == header) FPressedSection = HeaderSectionAtCursor();
      return result;
    }
    case WM_CAPTURECHANGED:
      if (FPressedSection != -1) {
        RECT r = HeaderSectionRect(FPressedSection);
        InvalidateRect(header, &r, FALSE);
      }
      FPressedSection = -1;
      return CallWindowProc(previous, header, Message, WParam, LParam);
    case HeaderItemInfoRequest: return Perform(Message, WParam, LParam);
    default: return CallWindowProc(previous, header, Message, WParam, LParam);
  }
}

void TkvCustomInnerListView::HeaderItemInfo(TMessage& Message) {
  auto* info = reinterpret_cast<THeaderItemInfo*>(Message.LParam);
  const Integer position = static_cast<Integer>(Message.WParam);
  *info = THeaderItemInfo();
  if (position < GetColumns()->GetCount()) {
    TListColumn* column = GetColumns()->GetItems(position);
    info->ImageIndex = column->GetImageIndex();
    info->Alignment = column->GetAlignment();
    info->Text = column->GetCaption();
    info->SortOrder = 0;
  } else {
    info->ImageIndex = -1;
  }
  info->Rect = HeaderSectionBounds(position);
  info->State = HeaderSectionState(position);
}

Integer TkvCustomInnerListView::HeaderOrderToIndex(Integer Position) {
  return static_cast<Integer>(SendMessage(FHeaderHandle, HDM_ORDERTOINDEX, static_cast<WPARAM>(Position), 0));
}

TRect TkvCustomInnerListView::HeaderSectionRect(Integer Index) {
  RECT r{};
  SendMessage(FHeaderHandle, HDM_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r));
  return r;
}

TRect TkvCustomInnerListView::HeaderSectionBounds(Integer Position) {
  const Integer count = GetColumns()->GetCount();
  if (Position < count) return HeaderSectionRect(HeaderOrderToIndex(Position));
  RECT client;
  ::GetClientRect(FHeaderHandle, &client);
  TRect r = client;
  if (count > 0) r.Left = HeaderSectionRect(HeaderOrderToIndex(count - 1)).Right;
  return r;
}

Integer TkvCustomInnerListView::HeaderSectionAtCursor() {
  POINT p;
  GetCursorPos(&p);
  ::ScreenToClient(FHeaderHandle, &p);
  HDHITTESTINFO hit;
  hit.pt = p;
  SendMessage(FHeaderHandle, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  if (hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) return -1;
  return hit.iItem;
}

Integer TkvCustomInnerListView::HeaderHotSection() {
  POINT p;
  GetCursorPos(&p);
  if (WindowFromPoint(p) != FHeaderHandle) return -1;
  ::ScreenToClient(FHeaderHandle, &p);
  HDHITTESTINFO hit;
  hit.pt = p;
  SendMessage(FHeaderHandle, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  return hit.iItem;
}

TkvButtonState TkvCustomInnerListView::HeaderSectionState(Integer Position) {
  if (FContainer && !FContainer->GetEnabled()) return kvbsDisabled;
  const Integer index = HeaderOrderToIndex(Position);
  if (index == FPressedSection) return kvbsPressed;
  bool hotTracking = GetColumnClick();
  for (Integer i = 0; hotTracking && i < GetColumns()->GetCount(); ++i)
    if (GetColumns()->GetItems(i)->GetImageIndex() != -1) hotTracking = false;
  if (hotTracking && index == HeaderHotSection()) return kvbsHot;
  return kvbsNormal;
}

// ---- Traffic handed to the container -------------------------------------------------------

TkvContainer* TkvCustomInnerListView::RelayTarget() const { return FContainer; }

void TkvCustomInnerListView::DragDrop(TObject* Source, Integer X, Integer Y) {
  TListView::DragDrop(Source, X, Y);
  if (FContainer) FContainer->DragDrop(Source, X + GetLeft(), Y + GetTop());
}

void TkvCustomInnerListView::DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) {
  TListView::DragOver(Source, X, Y, State, Accept);
  if (FContainer) FContainer->DragOver(Source, X + GetLeft(), Y + GetTop(), State, Accept);
}

void TkvCustomInnerListView::WMLButtonDown(TMessage& Message) {
  InheritedMessage(Message);
  // A drag the platform started here becomes the container's.
  if (FContainer && Dragging()) {
    EndDrag(false);
    FContainer->BeginDrag(false, -1);
  }
}

// ---- Label editing and notifications -------------------------------------------------------

void TkvCustomInnerListView::CNNotify(TMessage& Message) {
  auto* header = reinterpret_cast<NMHDR*>(Message.LParam);
  if (header->code != LVN_ENDLABELEDIT) {
    InheritedMessage(Message);
    return;
  }
  auto* info = reinterpret_cast<NMLVDISPINFO*>(header);
  if (info->item.iItem == -1) return;
  if (info->item.pszText) {
    if (info->item.iItem < GetItems()->GetCount() && CanChange(GetItems()->GetItem(info->item.iItem), ctText))
      Edit(info->item);
  } else {
    DoCancelEdit();
  }
}

// ---- Info tips -----------------------------------------------------------------------------

void TkvCustomInnerListView::CMHintShow(TMessage& Message) {
  auto* info = reinterpret_cast<THintInfo*>(Message.LParam);
  TListItem* item = GetItemAt(info->CursorPos.X, info->CursorPos.Y);
  if (item && item == FLastHintItem) return;
  if (!GetOnInfoTip()) {
    SetHint(FSavedHint);
    InheritedMessage(Message);
  } else if (item) {
    String text = item->GetCaption();
    GetOnInfoTip()(this, item, text);
    info->HintStr = text;
    SetHint(text);
    info->CursorRect = item->DisplayRect(drBounds);
    TPoint corner = ClientToScreen(info->CursorRect.TopLeft());
    info->HintPos = TPoint(corner.X + GetSystemMetrics(SM_CXCURSOR), corner.Y + GetSystemMetrics(SM_CYCURSOR));
    info->HintMaxWidth = GetClientWidth();
  } else {
    SetHint(FSavedHint);
  }
  FLastHintItem = item;
}

// ---- Non-client area and scroll bars -------------------------------------------------------

void TkvCustomInnerListView::WMNCPaint(TMessage&) { PaintScrollBarCorner(); }

void TkvCustomInnerListView::WMWindowPosChanged(TMessage& Message) {
  if (!IsDestroying() && FContainer) FContainer->UpdateInnerScrollBars(false);
  InheritedMessage(Message);
  if (IsDestroying() || !FContainer || !FContainer->HorzScrollBarShown() || !FContainer->VertScrollBarShown()) return;
  TRect r;
  SizeGripScreenRect(this, r);
  HRGN region = CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
  SendMessage(GetHandle(), WM_NCPAINT, reinterpret_cast<WPARAM>(region), 0);
  DeleteObject(region);
}

void TkvCustomInnerListView::WMNCCalcSize(TMessage& Message) {
  InheritedMessage(Message);
  if (FContainer && !FContainer->ScrollBarsCalculating()) FContainer->UpdateInnerScrollBars(false);
}
