// The inner list view: traffic handed to the container and the header painted by the painters.


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

TkvCustomInnerListView::TkvCustomInnerListView(TComponent* AOwner) : TkvInnerControlRelay<TListView>(AOwner) {
  FKvCanvas = std::make_unique<TkvCanvas>(GetCanvas());
  FHeader = std::make_unique<TkvListViewHeader>(this, FKvCanvas.get(), [this]() -> TkvContainer* { return FContainer; });
  SetBorderStyle(bsNone);
  FControlStyle.Include(csDoubleClicks);
  GetIconOptions()->SetArrangement(TIconArrangement::iaTop);
  GetIconOptions()->SetAutoArrange(false);
  GetIconOptions()->SetWrapText(true);
  SetParentColor(false);
  SetParentFont(true);
  SetShowColumnHeaders(true);
}

TkvCustomInnerListView::~TkvCustomInnerListView() {
  FHeader.reset();
  FKvCanvas.reset();
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

void TkvCustomInnerListView::InvalidateHeader() { FHeader->Invalidate(); }

void TkvCustomInnerListView::PaintHeader() { FHeader->Paint(); }

void TkvCustomInnerListView::HeaderItemInfo(TMessage& Message) {
  FHeader->ItemInfo(static_cast<Integer>(Message.WParam), *reinterpret_cast<THeaderItemInfo*>(Message.LParam));
}

void TkvCustomInnerListView::WndProc(TMessage& Message) {
  if (FContainer && FContainer->HandleInnerCNKey(Message)) return;
  TWeakRef<TkvCustomInnerListView> self(this);
  TListView::WndProc(Message);
  if (!self) return;
  if (Message.Msg == WM_PAINT && FContainer && ScrollStateChanged()) FContainer->PostRefresh();
  if (Message.Msg == WM_NOTIFY && FContainer) {
    auto* header = reinterpret_cast<NMHDR*>(Message.LParam);
    if (header && header->hwndFrom == FHeader->GetHandle() && header->code == HDN_ITEMCHANGED)
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
  FHeader->Take(reinterpret_cast<HWND>(SendMessage(GetHandle(), LVM_GETHEADER, 0, 0)));
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
  FHeader->ChildCreated(Message.WParam, Message.LParam);
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
