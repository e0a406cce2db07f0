// The shell list view's container: the inner list's plumbing, its relays and its scrolling.

#include "controls/ListView.h"
#include "toolkit/editors/kvShellListView.h"
#include "toolkit/foundation/kvGraphics.h"

// ---- Inner list ------------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvInnerShellListView)

TAVREN_MESSAGE_TABLE(TkvInnerShellListView, MESSAGE_HANDLER(WM_GETDLGCODE, WMGetDlgCode),
                     MESSAGE_HANDLER(WM_SETFOCUS, WMSetFocus), MESSAGE_HANDLER(WM_KILLFOCUS, WMKillFocus),
                     MESSAGE_HANDLER(WM_NCPAINT, WMNCPaint), MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter),
                     MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave), MESSAGE_HANDLER(WM_PARENTNOTIFY, WMParentNotify),
                     MESSAGE_HANDLER(HeaderItemInfoRequest, HeaderItemInfo))

TkvInnerShellListView::TkvInnerShellListView(TComponent* AOwner)
    : TkvInnerControlRelay<TkvCustomInnerShellListView>(AOwner),
      FKvCanvas(std::make_unique<TkvCanvas>(GetCanvas())),
      FHeader(std::make_unique<TkvListViewHeader>(this, FKvCanvas.get(),
                                                  [this]() -> TkvContainer* { return FContainer; })) {
  SetBorderStyle(bsNone);
  FControlStyle.Include(csDoubleClicks);
  SetParentColor(false);
  SetParentFont(true);
  SetShowColumnHeaders(true);
}

TkvInnerShellListView::~TkvInnerShellListView() {
  FHeader.reset();
  FKvCanvas.reset();
}

TkvContainer* TkvInnerShellListView::RelayTarget() const { return FContainer; }

void TkvInnerShellListView::CreateWnd() {
  TkvInnerControlRelay<TkvCustomInnerShellListView>::CreateWnd();
  // The header is made while the window is made; take it here should that notice have gone by.
  FHeader->Take(reinterpret_cast<HWND>(SendMessage(GetHandle(), LVM_GETHEADER, 0, 0)));
}

void TkvInnerShellListView::WMParentNotify(TMessage& Message) {
  InheritedMessage(Message);
  FHeader->ChildCreated(Message.WParam, Message.LParam);
}

void TkvInnerShellListView::HeaderItemInfo(TMessage& Message) {
  FHeader->ItemInfo(static_cast<Integer>(Message.WParam), *reinterpret_cast<THeaderItemInfo*>(Message.LParam));
}

void TkvInnerShellListView::BrowseTo(LPCITEMIDLIST List) {
  TkvCustomInnerShellListView::BrowseTo(List);
  if (!HandleAllocated()) return;
  SendMessage(GetHandle(), WM_HSCROLL, SB_LEFT, 0);
  SendMessage(GetHandle(), WM_VSCROLL, SB_TOP, 0);
}

void TkvInnerShellListView::WndProc(TMessage& Message) {
  if (FContainer && FContainer->HandleInnerCNKey(Message)) return;
  TWeakRef<TkvInnerShellListView> self(this);
  TkvCustomInnerShellListView::WndProc(Message);
  if (!self || !FContainer) return;
  switch (Message.Msg) {
    case WM_WINDOWPOSCHANGED:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
    case LVM_SETITEMCOUNT:
    case KVSM_ITEM_FETCHED:
    case KVSM_OPTIONS_CHANGED:
    case KVSM_SHELL_NOTIFY:
    case KVSM_ITEMS_ENUMERATED: FContainer->UpdateInnerScrollBars(false); break;
    case WM_SHOWWINDOW:
      if (Message.WParam) FContainer->UpdateInnerScrollBars(false);
      break;
    default: break;
  }
}

void TkvInnerShellListView::WMNCPaint(TMessage& Message) {
  InheritedMessage(Message);
  PaintScrollBarCorner();
}

// ---- Container -------------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvCustomShellListView)

TkvCustomShellListView::TkvCustomShellListView(TComponent* AOwner) : TkvContainer(AOwner) {
  FInnerList = new TkvInnerShellListView(this);
  FInnerList->FContainer = this;
  FInnerList->SetAlign(alClient);
  FInnerList->SetParent(this);
  FInnerList->SetOnAddFolder(MakeEvent<&TkvCustomShellListView::RelayAddFolder>(this));
  FInnerList->SetOnBeforeNavigation(MakeEvent<&TkvCustomShellListView::RelayBeforeNavigation>(this));
  FInnerList->SetOnCompare(MakeEvent<&TkvCustomShellListView::RelayCompare>(this));
  FInnerList->SetOnRootChanged(MakeEvent<&TkvCustomShellListView::RootChanged>(this));
  FInnerList->SetOnShellChange(MakeEvent<&TkvCustomShellListView::RelayShellChange>(this));
  SetInnerControl(FInnerList);
  SetBounds(GetLeft(), GetTop(), 250, 150);
}

TkvCustomShellListView::~TkvCustomShellListView() {
  if (FInnerList) {
    FInnerList->FContainer = nullptr;
    delete FInnerList;
  }
}

void TkvCustomShellListView::Notification(TComponent* AComponent, TOperation Operation) {
  TkvContainer::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FInnerList) FInnerList = nullptr;
}

void TkvCustomShellListView::RootChanged(TObject*, TkvCustomShellRoot*) {
  try {
    FOnRootChanged(this);
  } catch (...) {
    UpdateInnerScrollBars(false);
    throw;
  }
  UpdateInnerScrollBars(false);
}

void TkvCustomShellListView::SetViewStyle(TViewStyle Value) {
  FInnerList->SetShellViewStyle(Value);
  UpdateInnerScrollBars(false);
}

void TkvCustomShellListView::ScrollContent(TScrollBarKind Kind, TScrollCode ScrollCode, Integer& Position) {
  if (!GetEnabled() || !FInnerList->HandleAllocated()) return;
  HWND inner = FInnerList->GetHandle();
  const int bar = Kind == sbHorizontal ? SB_HORZ : SB_VERT;
  if (ScrollCode == scTrack) {
    // Dragging the thumb scrolls by the distance, in pixels (report rows by the row height).
    const Integer current = GetScrollPos(inner, bar);
    Integer dx = 0, dy = 0;
    if (Kind == sbHorizontal) {
      dx = Position - current;
    } else if (GetViewStyle() == vsReport) {
      dy = (Position - current) * (TextHeightInFont(FInnerList->GetFont(), "Wg") + 1);
    } else {
      dy = Position - current;
    }
    SendMessage(inner, LVM_SCROLL, static_cast<WPARAM>(dx), static_cast<LPARAM>(dy));
  } else {
    FInnerList->CallDefault(Kind == sbHorizontal ? WM_HSCROLL : WM_VSCROLL,
                            MAKEWPARAM(static_cast<WORD>(ScrollCode), static_cast<WORD>(Position)),
                            reinterpret_cast<LPARAM>(Kind == sbHorizontal ? GetHScrollBar()->GetHandle()
                                                                          : GetVScrollBar()->GetHandle()));
  }
  Position = GetScrollPos(inner, bar);
  UpdateInnerScrollBars(false);
}
