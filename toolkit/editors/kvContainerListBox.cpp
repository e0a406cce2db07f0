// The inner list box: traffic handed to the container, incremental search and mirrored bars.

#include "controls/ListBox.h"
#include "gdi/Regions.h"
#include "toolkit/editors/kvContainer.h"
#include "user/Painting.h"
#include "user/WindowDC.h"
#include "vcl/ControlsMessages.h"

namespace {

// How many bytes the UTF-8 sequence that starts with Lead has (1 for a plain or stray byte).
Integer SequenceLength(Byte Lead) {
  if (Lead >= 0xF0 && Lead <= 0xF4) return 4;
  if (Lead >= 0xE0) return Lead <= 0xEF ? 3 : 1;
  if (Lead >= 0xC2) return 2;
  return 1;
}

bool IsContinuation(Byte B) { return (B & 0xC0) == 0x80; }

// The last whole character goes.
void DropLastCharacter(String& Text) {
  if (Text.empty()) return;
  size_t end = Text.size() - 1;
  while (end > 0 && IsContinuation(static_cast<Byte>(Text[end]))) --end;
  Text.erase(end);
}

}  // namespace

TAVREN_CLASS_IMPL_PUBLISHED(TkvCustomInnerListBox, PROPERTY(AutoCompleteDelay).Default(500))

TAVREN_MESSAGE_TABLE(TkvCustomInnerListBox, MESSAGE_HANDLER(WM_GETDLGCODE, WMGetDlgCode),
                     MESSAGE_HANDLER(WM_SETFOCUS, WMSetFocus), MESSAGE_HANDLER(WM_KILLFOCUS, WMKillFocus),
                     MESSAGE_HANDLER(WM_LBUTTONDOWN, WMLButtonDown), MESSAGE_HANDLER(WM_NCCALCSIZE, WMNCCalcSize),
                     MESSAGE_HANDLER(WM_SETREDRAW, WMSetRedraw), MESSAGE_HANDLER(WM_NCPAINT, WMNCPaint),
                     MESSAGE_HANDLER(WM_PRINT, WMPrint), MESSAGE_HANDLER(WM_PRINTCLIENT, WMPrintClient),
                     MESSAGE_HANDLER(WM_WINDOWPOSCHANGED, WMWindowPosChanged),
                     MESSAGE_HANDLER(CN_DRAWITEM, CNDrawItem), MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter),
                     MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave))

TkvCustomInnerListBox::TkvCustomInnerListBox(TComponent* AOwner) : TCustomListBox(AOwner) {
  FKvCanvas = std::make_unique<TkvCanvas>(GetCanvas());
  FLookAndFeel = std::make_unique<TkvLookAndFeel>(this);
  FLookAndFeel->SetOnChanged(MakeEvent<&TkvCustomInnerListBox::LookAndFeelChanged>(this));
  FHScrollBar = new TkvScrollBar(this);
  FVScrollBar = new TkvScrollBar(this);
  FHScrollBar->SetKind(sbHorizontal);
  FVScrollBar->SetKind(sbVertical);
  FHScrollBar->SetOnScroll(MakeEvent<&TkvCustomInnerListBox::HScroll>(this));
  FVScrollBar->SetOnScroll(MakeEvent<&TkvCustomInnerListBox::VScroll>(this));
  for (TkvScrollBar* bar : {FHScrollBar, FVScrollBar}) {
    bar->SetSmallChange(1);
    bar->SetVisible(false);
    bar->FreeNotification(this);
    bar->GetLookAndFeel()->AttachToMaster(FLookAndFeel.get());
  }
  SetBorderStyle(bsNone);
  FControlStyle = FControlStyle - TControlStyle{csOpaque} + TControlStyle{csDoubleClicks};
  SetParentColor(false);
  SetParentFont(true);
}

TkvCustomInnerListBox::~TkvCustomInnerListBox() {
  // Bars placed on the container are freed with the list box; the container's own children go
  // with it otherwise.
  for (TkvScrollBar* bar : {FHScrollBar, FVScrollBar}) {
    if (bar) bar->GetLookAndFeel()->AttachToMaster(nullptr);
  }
  FLookAndFeel.reset();
  FKvCanvas.reset();
}

void TkvCustomInnerListBox::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomListBox::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FHScrollBar) FHScrollBar = nullptr;
  if (AComponent == FVScrollBar) FVScrollBar = nullptr;
}

void TkvCustomInnerListBox::LookAndFeelChanged(TkvLookAndFeel*, TkvLookAndFeelValues) {
  if (HandleAllocated()) Invalidate();
}

void TkvCustomInnerListBox::DefaultHandler(TMessage& Message) {
  if (FContainer && FContainer->PreviewInnerMessage(Message)) return;
  TCustomListBox::DefaultHandler(Message);
}

LRESULT TkvCustomInnerListBox::CallDefault(UINT Message, WPARAM WParam, LPARAM LParam) {
  return CallWindowProc(FDefWndProc, GetHandle(), Message, WParam, LParam);
}

void TkvCustomInnerListBox::WndProc(TMessage& Message) {
  if (FContainer && FContainer->HandleInnerCNKey(Message)) return;
  TWeakRef<TkvCustomInnerListBox> self(this);
  TCustomListBox::WndProc(Message);
  if (!self) return;
  switch (Message.Msg) {
    case WM_SETREDRAW:
      if (Message.WParam == 0) break;
      [[fallthrough]];
    case WM_WINDOWPOSCHANGED:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
    case LB_RESETCONTENT:
    case LB_SETCURSEL:
    case LB_SETHORIZONTALEXTENT:
    case LB_SETTOPINDEX:
    case LB_SETCARETINDEX:
    case LB_SETCOUNT:
    case WM_MOUSEWHEEL:
    case CM_WININICHANGE: UpdateScrollBars(); break;
    default: break;
  }
}

void TkvCustomInnerListBox::DestroyWindowHandle() {
  FRedrawLocked = false;
  TCustomListBox::DestroyWindowHandle();
}

// ---- Traffic handed to the container -------------------------------------------------------

void TkvCustomInnerListBox::Click() {
  TCustomListBox::Click();
  if (!FContainer) return;
  if (FVScrollBar) FVScrollBar->SetPosition(GetTopIndex());
  FContainer->Click();
}

void TkvCustomInnerListBox::DblClick() {
  TCustomListBox::DblClick();
  if (FContainer) FContainer->DblClick();
}

void TkvCustomInnerListBox::DragDrop(TObject* Source, Integer X, Integer Y) {
  if (FContainer) FContainer->DragDrop(Source, X + GetLeft(), Y + GetTop());
}

void TkvCustomInnerListBox::DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) {
  if (FContainer) FContainer->DragOver(Source, X + GetLeft(), Y + GetTop(), State, Accept);
}

bool TkvCustomInnerListBox::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) {
  if (FContainer && FContainer->DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  return TCustomListBox::DoMouseWheel(Shift, WheelDelta, MousePos);
}

TPopupMenu* TkvCustomInnerListBox::GetPopupMenuForContext() {
  return FContainer ? FContainer->GetPopupMenuForContext() : TCustomListBox::GetPopupMenuForContext();
}

void TkvCustomInnerListBox::KeyDown(Word& Key, TShiftState Shift) {
  if (FContainer) FContainer->KeyDown(Key, Shift);
  if (Key != 0) TCustomListBox::KeyDown(Key, Shift);
}

void TkvCustomInnerListBox::KeyUp(Word& Key, TShiftState Shift) {
  if (Key == VK_TAB) Key = 0;
  if (FContainer && Key != 0) FContainer->KeyUp(Key, Shift);
  if (Key != 0) TCustomListBox::KeyUp(Key, Shift);
}

void TkvCustomInnerListBox::KeyPress(Char& Key) {
  if (Key == '\t') Key = 0;
  if (FContainer && Key != 0) FContainer->KeyPress(Key);
  if (Key == '\r') Key = 0;
  if (Key == 0) return;
  TCustomListBox::KeyPress(Key);  // the OnKeyPress event
  if (Key != 0) IncrementalSearchKey(Key);
}

void TkvCustomInnerListBox::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TWeakRef<TkvCustomInnerListBox> self(this);
  TCustomListBox::MouseDown(Button, Shift, X, Y);
  if (!self || !FContainer) return;
  TWeakRef<TkvContainer> container(FContainer);
  FContainer->SetInnerMouseDown(true);
  FContainer->MouseDown(Button, Shift, X + GetLeft(), Y + GetTop());
  if (container) container->SetInnerMouseDown(false);
}

void TkvCustomInnerListBox::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TCustomListBox::MouseMove(Shift, X, Y);
  if (FContainer) FContainer->MouseMove(Shift, X + GetLeft(), Y + GetTop());
}

void TkvCustomInnerListBox::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomListBox::MouseUp(Button, Shift, X, Y);
  if (FContainer) FContainer->MouseUp(Button, Shift, X + GetLeft(), Y + GetTop());
}

void TkvCustomInnerListBox::MouseLeaveHook(TControl*) {
  if (FContainer) FContainer->RefreshViewInfo(true);
}

void TkvCustomInnerListBox::CMMouseEnter(TMessage& Message) {
  InheritedMessage(Message);
  auto* control = reinterpret_cast<TControl*>(Message.LParam);
  MouseEnterHook(control ? control : this);
}

void TkvCustomInnerListBox::CMMouseLeave(TMessage& Message) {
  InheritedMessage(Message);
  auto* control = reinterpret_cast<TControl*>(Message.LParam);
  MouseLeaveHook(control ? control : this);
}

void TkvCustomInnerListBox::WMGetDlgCode(TMessage& Message) {
  InheritedMessage(Message);
  if (!FContainer) return;
  Message.Result |= DLGC_WANTCHARS;
  if (GetKeyState(VK_CONTROL) >= 0) Message.Result |= DLGC_WANTTAB;
}

void TkvCustomInnerListBox::WMSetFocus(TMessage& Message) {
  InheritedMessage(Message);
  if (!FContainer || FContainer->IsBeingDestroyed() || IsDestroying()) return;
  HWND from = reinterpret_cast<HWND>(Message.WParam);
  if (!(FContainer->HandleAllocated() && from == FContainer->GetHandle())) FContainer->FireFocusChanged();
}

void TkvCustomInnerListBox::WMKillFocus(TMessage& Message) {
  InheritedMessage(Message);
  if (FContainer && !FContainer->IsBeingDestroyed()) FContainer->FireFocusChanged();
}

void TkvCustomInnerListBox::WMLButtonDown(TMessage& Message) {
  if (!FContainer || FContainer->GetDragMode() != dmAutomatic || FContainer->IsDesignTime()) {
    InheritedMessage(Message);
    return;
  }
  TWeakRef<TkvCustomInnerListBox> self(this);
  TWeakRef<TkvContainer> container(FContainer);
  TDragMode mode = GetDragMode();
  SetDragMode(dmManual);
  try {
    TShiftState shift = KeysToShiftState(static_cast<WORD>(Message.WParam));
    TPoint p = MessagePoint(Message.LParam);
    Integer item = ItemAtPos(p, true);
    bool shiftOnly = shift.Contains(ssShift) && !shift.Contains(ssCtrl);
    if (GetMultiSelect() && item >= 0 && GetSelected(item) && !shiftOnly) {
      // Dragging selected items must not turn the click into a new selection.
      container->BeginDrag(false, -1);
    } else {
      InheritedMessage(Message);
      if (self && container && (!GetMultiSelect() || (!shift.Contains(ssCtrl) && !shift.Contains(ssShift))))
        container->BeginDrag(false, -1);
    }
  } catch (...) {
    if (self) SetDragMode(mode);
    throw;
  }
  if (self) SetDragMode(mode);
}

void TkvCustomInnerListBox::WMNCCalcSize(TMessage& Message) {
  InheritedMessage(Message);
  if (!FScrollBarsCalculating) UpdateScrollBars();
}

void TkvCustomInnerListBox::WMSetRedraw(TMessage& Message) {
  Message.Result = CallDefault(WM_SETREDRAW, Message.WParam, Message.LParam);
  FRedrawLocked = Message.WParam == 0;
  if (!FRedrawLocked && !IsDestroying()) UpdateScrollBars();
}

// ---- Incremental search --------------------------------------------------------------------

void TkvCustomInnerListBox::IncrementalSearchKey(Char& Key) {
  if (!GetAutoComplete()) return;
  DWORD now = GetTickCount();
  if (now - FLastKeyTime >= FAutoCompleteDelay) FFilter.clear();
  FLastKeyTime = now;
  const auto byte = static_cast<Byte>(Key);
  if (Key == '\b') {
    DropLastCharacter(FFilter);
  } else if (SequenceLength(byte) == 1) {
    FFilter.push_back(Key);
  } else {
    // One WM_CHAR comes per byte: the rest of the character is taken from the queue.
    String character(1, Key);
    MSG msg;
    for (Integer i = 1; i < SequenceLength(byte); ++i) {
      if (!HandleAllocated() || !PeekMessage(&msg, GetHandle(), WM_CHAR, WM_CHAR, PM_NOREMOVE) ||
          !IsContinuation(static_cast<Byte>(msg.wParam)))
        break;
      PeekMessage(&msg, GetHandle(), WM_CHAR, WM_CHAR, PM_REMOVE);
      character.push_back(static_cast<Char>(msg.wParam));
    }
    FFilter += character;
    Key = 0;
  }
  if (FFilter.empty()) {
    SetItemIndex(0);
    Click();
  } else {
    Integer found = IsVirtual() ? DoFindData(FFilter)
                                : static_cast<Integer>(SendMessage(GetHandle(), LB_FINDSTRING, static_cast<WPARAM>(-1),
                                                                   reinterpret_cast<LPARAM>(FFilter.c_str())));
    if (found >= 0) {
      if (GetMultiSelect()) {
        SendMessage(GetHandle(), LB_SELITEMRANGE, FALSE, MAKELPARAM(0, static_cast<WORD>(GetCount() - 1)));
        SendMessage(GetHandle(), LB_SELITEMRANGE, TRUE, MAKELPARAM(static_cast<WORD>(found), static_cast<WORD>(found)));
      }
      SetItemIndex(found);
      Click();
    }
  }
  if (Key != '\b' && Key != '\r' && Key != 27) Key = 0;
}

// ---- Mirrored scroll bars ------------------------------------------------------------------

void TkvCustomInnerListBox::PlaceScrollBar(TkvScrollBar* Bar) {
  SCROLLBARINFO info;
  bool shown = false;
  TWinControl* parent = GetParent();
  if (parent && parent->HandleAllocated() &&
      QueryScrollBarInfo(GetHandle(), Bar->GetKind() == sbHorizontal ? OBJID_HSCROLL : OBJID_VSCROLL, info) &&
      !(info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN))) {
    Bar->SetEnabled(!(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) && parent->GetEnabled());
    TPoint topLeft = parent->ScreenToClient(info.rcScrollBar.TopLeft());
    Integer width = info.rcScrollBar.Width();
    Integer height = info.rcScrollBar.Height();
    if (topLeft.X >= 0 && topLeft.Y >= 0 && width <= GetWidth() && height <= GetHeight()) {
      Bar->SetBounds(topLeft.X, topLeft.Y, width, height);
      shown = true;
    }
  }
  if (shown) {
    ++FScrollBarLockCount;
    Bar->SetParent(parent);
    --FScrollBarLockCount;
    Bar->SetCtl3D(false);
    Bar->BringToFront();
  } else {
    Bar->SetBounds(0, 0, 0, 0);
  }
  Bar->SetVisible(shown);
}

void TkvCustomInnerListBox::UpdateScrollBars() {
  if (IsDestroying() || FScrollBarLockCount >= 1 || !ScrollBarInfoAvailable || FRedrawLocked || !HandleAllocated())
    return;
  FScrollBarsCalculating = true;
  for (TkvScrollBar* bar : {FHScrollBar, FVScrollBar}) {
    if (!bar) continue;
    PlaceScrollBar(bar);
    if (!bar->GetVisible()) continue;
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
    GetScrollInfo(GetHandle(), bar->GetKind() == sbHorizontal ? SB_HORZ : SB_VERT, &info);
    Integer page = std::min<Integer>(static_cast<Integer>(info.nPage), info.nMax);
    bar->SetRangeAndPosition(info.nMin, info.nMax, info.nPos, page, true);
  }
  FScrollBarsCalculating = false;
}

void TkvCustomInnerListBox::HScroll(TObject*, TScrollCode ScrollCode, Integer& ScrollPos) {
  if (!FHScrollBar || !FHScrollBar->HandleAllocated()) return;
  CallDefault(WM_HSCROLL, MAKEWPARAM(static_cast<WORD>(ScrollCode), static_cast<WORD>(ScrollPos)),
              reinterpret_cast<LPARAM>(FHScrollBar->GetHandle()));
  ScrollPos = GetScrollPos(GetHandle(), SB_HORZ);
}

void TkvCustomInnerListBox::VScroll(TObject*, TScrollCode ScrollCode, Integer& ScrollPos) {
  switch (ScrollCode) {
    case scLineUp:
    case scLineDown: SetTopIndex(ScrollPos); break;
    case scPosition:
    case scTrack:
      SetTopIndex(ScrollPos);
      ScrollPos = GetScrollPos(GetHandle(), SB_VERT);
      break;
    default:
      CallDefault(WM_VSCROLL, MAKEWPARAM(static_cast<WORD>(ScrollCode), static_cast<WORD>(ScrollPos)),
                  reinterpret_cast<LPARAM>(FVScrollBar ? FVScrollBar->GetHandle() : nullptr));
      ScrollPos = GetScrollPos(GetHandle(), SB_VERT);
      break;
  }
}

TRect TkvCustomInnerListBox::SizeGripRect() {
  TWinControl* parent = GetParent();
  if (!parent || !FHScrollBar || !FVScrollBar || !FHScrollBar->GetVisible() || !FVScrollBar->GetVisible() ||
      !HandleAllocated())
    return TRect();
  TPoint corner = parent->ClientToScreen(TPoint(FVScrollBar->GetLeft(), FHScrollBar->GetTop()));
  TRect window;
  GetWindowRect(GetHandle(), &window);
  return Bounds(corner.X - window.Left, corner.Y - window.Top, FVScrollBar->GetWidth(), FHScrollBar->GetHeight());
}

void TkvCustomInnerListBox::PaintSizeGrip(HDC DC) {
  if (!ScrollBarInfoAvailable) return;
  TRect r = SizeGripRect();
  if (r.Width() <= 0 || r.Height() <= 0) return;
  TColor color = clBtnFace;
  if (FContainer) color = FContainer->GetLookAndFeel()->ActivePainter()->DefaultColor32();
  HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
  FillRect(DC, &r, brush);
  DeleteObject(brush);
}

void TkvCustomInnerListBox::WMNCPaint(TMessage& Message) {
  InheritedMessage(Message);
  if (!HandleAllocated()) return;
  HDC dc = GetWindowDC(GetHandle());
  PaintSizeGrip(dc);
  ReleaseDC(GetHandle(), dc);
}

void TkvCustomInnerListBox::WMPrint(TMessage& Message) {
  if (Message.LParam & PRF_NONCLIENT) {
    Message.LParam &= ~PRF_NONCLIENT;
    PaintSizeGrip(reinterpret_cast<HDC>(Message.WParam));
  }
  InheritedMessage(Message);
}

void TkvCustomInnerListBox::WMPrintClient(TMessage& Message) {
  Message.Result = CallDefault(WM_PRINTCLIENT, Message.WParam, Message.LParam);
}

void TkvCustomInnerListBox::WMWindowPosChanged(TMessage& Message) {
  InheritedMessage(Message);
  if (IsDestroying()) return;
  TRect r = SizeGripRect();
  if (r.Width() <= 0 || r.Height() <= 0) return;
  HRGN region = CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
  SendMessage(GetHandle(), WM_NCPAINT, reinterpret_cast<WPARAM>(region), 0);
  DeleteObject(region);
}

void TkvCustomInnerListBox::CNDrawItem(TMessage& Message) {
  auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
  TCanvas* canvas = GetCanvas();
  TOwnerDrawState state;
  if (item->itemState & ODS_SELECTED) state.Include(odSelected);
  if (item->itemState & ODS_FOCUS) state.Include(odFocused);
  if (item->itemState & ODS_DISABLED) state.Include(odDisabled);
  canvas->SetHandle(item->hDC);
  canvas->SetFont(GetFont());
  canvas->SetBrush(GetBrush());
  if (state.Contains(odSelected)) {
    canvas->GetBrush()->SetColor(clHighlight);
    canvas->GetFont()->SetColor(clHighlightText);
  }
  TRect r = item->rcItem;
  if (static_cast<Integer>(item->itemID) < 0)
    canvas->FillRect(r);
  else
    DrawItem(static_cast<Integer>(item->itemID), r, state);
  if ((item->itemState & ODS_FOCUS) && DrawsFocusRect()) canvas->DrawFocusRect(r);
  canvas->SetHandle(nullptr);
}
