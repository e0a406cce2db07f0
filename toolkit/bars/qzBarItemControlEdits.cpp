// In-place item controls: the hosted window's subclassing, focus, keys and mouse; the edit layout
// and its sizing while customizing; the edit control over the "EDIT" window.

#include "toolkit/bars/qzBarItemControlEdits.h"

#include "controls/Edit.h"
#include "gdi/Blits.h"
#include "gdi/DeviceContexts.h"
#include "rtl/Resources.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarCustForm.h"
#include "toolkit/bars/qzBarDesignController.h"
#include "toolkit/bars/qzBarHooks.h"
#include "toolkit/editors/kvContainer.h"
#include "user/Focus.h"
#include "user/Input.h"
#include "user/Messages.h"
#include "user/Rects.h"
#include "user/VirtualKeys.h"
#include "user/WindowPos.h"
#include "user/WindowTree.h"
#include "vcl/Forms.h"

TAVREN_CLASS_IMPL(TqzBarEditLikeControlDrawParams)
TAVREN_CLASS_IMPL(TqzBarWinControl)
TAVREN_CLASS_IMPL(TqzBarCustomEditControl)
TAVREN_CLASS_IMPL(TqzBarEditControl)

namespace {

// The control a hooked window belongs to.
constexpr const char* kHookedControlProp = "qzBarWinControl";

bool KeyIsDown(int AKey) { return GetKeyState(AKey) < 0; }

TPoint PointOf(LPARAM AParam) {
  return TPoint(static_cast<short>(LOWORD(AParam)), static_cast<short>(HIWORD(AParam)));
}

LPARAM ParamOf(const TPoint& P) { return MAKELPARAM(static_cast<WORD>(P.X), static_cast<WORD>(P.Y)); }

bool IsHostedMouseMessage(UINT AMsg) {
  switch (AMsg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_MOUSEWHEEL:
      return true;
    default:
      return false;
  }
}

// Keeps the band between the outer rectangle and the inner one out of the canvas's later painting.
void ExcludeFrameBandFromClip(TkvCanvas* ACanvas, const TRect& AOuter, const TRect& AInner) {
  ACanvas->ClipOutRect(TRect(AOuter.Left, AOuter.Top, AOuter.Right, AInner.Top));
  ACanvas->ClipOutRect(TRect(AOuter.Left, AInner.Bottom, AOuter.Right, AOuter.Bottom));
  ACanvas->ClipOutRect(TRect(AOuter.Left, AInner.Top, AInner.Left, AInner.Bottom));
  ACanvas->ClipOutRect(TRect(AInner.Right, AInner.Top, AOuter.Right, AInner.Bottom));
}

}  // namespace

// ---- The hosted window ---------------------------------------------------------------------------

TqzBarWinControl::~TqzBarWinControl() {
  // A descendant that still holds its window has unhooked it in its own destructor.
  FHookedWindow = nullptr;
}

TqzBarWindowItem* TqzBarWinControl::GetWindowItem() const { return dynamic_cast<TqzBarWindowItem*>(GetItem()); }

bool TqzBarWinControl::EditorHidden() const {
  auto* combo = dynamic_cast<TCustomqzBarCombo*>(GetItem());
  return combo && !combo->GetShowEditor();
}

LRESULT TqzBarWinControl::HookedWindowProc(HWND AWnd, UINT AMsg, WPARAM AWParam, LPARAM ALParam) {
  auto* control = static_cast<TqzBarWinControl*>(GetProp(AWnd, kHookedControlProp));
  if (!control) return DefWindowProc(AWnd, AMsg, AWParam, ALParam);
  TMessage message{AMsg, AWParam, ALParam, 0};
  control->InnerWndProc(message);
  return message.Result;
}

void TqzBarWinControl::HookWindow() {
  HWND window = GetInnerWindow();
  if (!window || FHookedWindow) return;
  SetProp(window, kHookedControlProp, this);
  FPrevWndProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtr(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TqzBarWinControl::HookedWindowProc)));
  FHookedWindow = window;
}

void TqzBarWinControl::UnhookWindow() {
  if (!FHookedWindow) return;
  SetInPlaceActive(false);
  HWND window = FHookedWindow;
  FHookedWindow = nullptr;
  if (IsWindow(window)) {
    SetWindowLongPtr(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FPrevWndProc));
    RemoveProp(window, kHookedControlProp);
  }
  FPrevWndProc = nullptr;
}

void TqzBarWinControl::PassToPrevWndProc(TMessage& Message) {
  if (FPrevWndProc && FHookedWindow)
    Message.Result = CallWindowProc(FPrevWndProc, FHookedWindow, Message.Msg, Message.WParam, Message.LParam);
}

TRect TqzBarWinControl::GetInnerRect() {
  if (!IsEnabled() || EditorHidden()) return TRect();
  return FInnerRect;
}

void TqzBarWinControl::SetInnerRect(const TRect& R) {
  FInnerRect = R;
  HWND window = GetInnerWindow();
  if (!window || !IsWindowVisible(window)) return;
  // A combo that hides its editor keeps it without size: it takes the keys but shows nothing.
  const TRect place = GetInnerRect();
  RECT current{};
  GetWindowRect(window, &current);
  POINT topLeft{current.Left, current.Top};
  ScreenToClient(GetParent()->GetHandle(), &topLeft);
  if (topLeft.X == place.Left && topLeft.Y == place.Top && current.Width() == place.Width() &&
      current.Height() == place.Height())
    return;
  SetWindowPos(window, nullptr, place.Left, place.Top, place.Width(), place.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  AfterInnerPlaced();
}

void TqzBarWinControl::ForwardPress(bool AByMouse) {
  HWND window = GetInnerWindow();
  if (!AByMouse || !window || !GetParent()->HandleAllocated()) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  TPoint inParent = GetParent()->ScreenToClient(TPoint(cursor.X, cursor.Y));
  TRect inner = GetInnerRect();
  if (PtInRect(&inner, inParent)) return;
  POINT inWindow = cursor;
  ScreenToClient(window, &inWindow);
  WPARAM keys = MK_LBUTTON | (KeyIsDown(VK_SHIFT) ? MK_SHIFT : 0) | (KeyIsDown(VK_CONTROL) ? MK_CONTROL : 0);
  SendMessage(window, WM_LBUTTONDOWN, keys, ParamOf(TPoint(inWindow.X, inWindow.Y)));
}

// The whole text, however long: only the item's MaxLength limits it, through the window's limit.
void TqzBarWinControl::GetInnerText(String& AText) {
  AText.clear();
  HWND window = GetInnerWindow();
  if (!window) return;
  Integer length = GetWindowTextLength(window);
  if (length <= 0) return;
  AText.resize(static_cast<size_t>(length) + 1);
  Integer read = GetWindowText(window, AText.data(), length + 1);
  AText.resize(static_cast<size_t>(std::max(read, 0)));
}

void TqzBarWinControl::ReloadText() {
  FInternalUpdate = true;
  try {
    LoadText();
  } catch (...) {
    FInternalUpdate = false;
    throw;
  }
  FInternalUpdate = false;
}

void TqzBarWinControl::PrepareInPlace() { FBufferedPaint = GetParent()->RefreshesEdits(); }

void TqzBarWinControl::RequestBufferedRedraw() {
  HWND window = GetInnerWindow();
  if (FRedrawPending || !window) return;
  FRedrawPending = true;
  PostMessage(window, qzRedrawBufferedMessage, 0, 0);
}

bool TqzBarWinControl::PaintBuffered(TMessage& Message) {
  HWND window = GetInnerWindow();
  if (!FBufferedPaint || !window) return false;
  if (Message.Msg == WM_PAINT) {
    PaintBufferedOnPaint(window);
    Message.Result = 1;
    return true;
  }
  if (Message.Msg != qzRedrawBufferedMessage || !FRedrawPending) return false;
  // Cleared after the repaint: its own colour questions ask for no further one.
  PaintBufferedWindow(window);
  FRedrawPending = false;
  return true;
}

void TqzBarWinControl::LoadText() {
  TqzBarWindowItem* item = GetWindowItem();
  SetInnerText(item ? item->GetText() : String());
}

void TqzBarWinControl::SetInnerText(const String& AText) {
  if (HWND window = GetInnerWindow()) SetWindowText(window, AText.c_str());
  if (EditorHidden()) Repaint();
}

void TqzBarWinControl::StoreText() {
  String text;
  GetInnerText(text);
  if (TqzBarWindowItem* item = GetWindowItem()) item->SetText(text);
}

void TqzBarWinControl::SetInPlaceActive(bool AFlag) {
  if (FInPlaceActive == AFlag) return;
  FInPlaceActive = AFlag;
  TCustomqzBarControl* parent = GetParent();
  if (AFlag) {
    FPrevFocus = GetFocus();
    if (!GetActive()) Activate(true);
    parent->SelectControlFocused(this);
    PrepareInPlace();
    return;
  }
  TqzBarManager* manager = GetBarManager();
  // A plain Esc ends the editing without storing, even where leaving it otherwise stores.
  bool cancelled = KeyIsDown(VK_ESCAPE) && !KeyIsDown(VK_CONTROL) && !KeyIsDown(VK_MENU);
  HWND window = GetInnerWindow();
  bool hadFocus = window && (GetFocus() == window || IsChild(window, GetFocus()));
  CommitText(manager && manager->GetAlwaysSaveText() && !cancelled);
  // The focus goes back only while the editor still holds it: a click into another window has
  // given it where the user wants it.
  HWND target = FPrevFocus;
  FPrevFocus = nullptr;
  if (!hadFocus) return;
  if (!target || !IsWindow(target) || !IsWindowVisible(target)) {
    TCustomForm* form = manager ? dynamic_cast<TCustomForm*>(manager->GetOwner()) : nullptr;
    target = form && form->HandleAllocated() ? form->GetHandle() : nullptr;
    if (target && !IsWindowVisible(target)) target = GetWindow(target, GW_HWNDNEXT);
  }
  if (!target) return;
  // Leaving the name box of a customizing popup for the customizing form would bring the form
  // over the popup: the popup and its bar windows stay above while the focus moves.
  TqzBarDesignController* controller = ExistingDesignController();
  TqzBarCustomizingForm* customizing = ActiveCustomizingForm();
  bool keepPopupAbove = controller && controller->HasCustomizingPopup() && customizing &&
                        customizing->HandleAllocated() &&
                        (target == customizing->GetHandle() || IsChild(customizing->GetHandle(), target));
  if (keepPopupAbove) controller->SetCustomizingPopupTopmost(true);
  SetFocus(target);
  if (keepPopupAbove) controller->SetCustomizingPopupTopmost(false);
}

void TqzBarWinControl::FilterMenuKeyDown(Word& AKey, TShiftState AShift) {
  ++FMenuKeyCount;
  if (AKey == VK_MENU) {
    AKey = 0;
    return;
  }
  if (AKey != VK_F10) return;
  FMenuKeyCount = 0;
  TqzObjectGuard guard(this);
  GetParent()->CloseOnce();
  if (AShift.Contains(ssShift) || RunBarKeyboardHookDirect(AKey, 0)) AKey = 0;
}

void TqzBarWinControl::FilterMenuKeyUp(Word& AKey) {
  if (FMenuKeyCount == 0) {
    // A key-up whose key-down the editor never saw.
    AKey = 0;
    return;
  }
  FMenuKeyCount = 0;
  if (AKey != VK_MENU) return;
  GetParent()->CloseOnce();
  // Bit 31 set: a key-up.
  if (RunBarKeyboardHookDirect(AKey, static_cast<LPARAM>(0xC0000000u))) AKey = 0;
}

void TqzBarWinControl::EditorKeyDown(Word& AKey, TShiftState AShift) {
  if (AKey == VK_F10 || AKey == VK_MENU || AShift.Contains(ssAlt)) {
    FilterMenuKeyDown(AKey, AShift);
    return;
  }
  TqzObjectGuard guard(this);
  if (TqzBarWindowItem* item = GetWindowItem()) item->FireKeyDown(AKey, AShift);
  if (!guard.Alive()) {
    AKey = 0;
    return;
  }
  TCustomqzBarControl* parent = GetParent();
  HWND window = GetInnerWindow();
  bool visible = window && IsWindowVisible(window);
  switch (AKey) {
    case VK_TAB:
      StoreText();
      if (visible && guard.Alive()) {
        DiscardPendingCharMessages(window);
        parent->Perform(WM_KEYDOWN, VK_TAB, 0);
      }
      AKey = 0;
      break;
    case VK_RETURN:
      GetLink()->GetSourceLink()->RegisterUse(true);
      StoreText();
      if (visible && guard.Alive()) {
        parent->ClearSelection();
        DiscardPendingCharMessages(window);
        if (IsBarControlLive(parent)) parent->CloseOnce();
      }
      AKey = 0;
      break;
    case VK_ESCAPE:
      parent->ClearSelection();
      DiscardPendingCharMessages(window);
      if (IsBarControlLive(parent)) parent->CancelMode();
      AKey = 0;
      break;
    default:
      break;
  }
}

void TqzBarWinControl::EditorKeyPress(Char& AKey) {
  if (TqzBarWindowItem* item = GetWindowItem()) item->FireKeyPress(AKey);
}

void TqzBarWinControl::EditorKeyUp(Word& AKey, TShiftState AShift) {
  if (AKey == VK_MENU || AShift.Contains(ssAlt)) {
    FilterMenuKeyUp(AKey);
    return;
  }
  if (TqzBarWindowItem* item = GetWindowItem()) item->FireKeyUp(AKey, AShift);
}

void TqzBarWinControl::KillFocus(TMessage& Message) {
  HWND focused = reinterpret_cast<HWND>(Message.WParam);
  CloseUp(focused);
  TCustomqzBarControl* parent = GetParent();
  if (FInPlaceActive) {
    PassToPrevWndProc(Message);
    parent->CloseOnce();
    Message.Msg = 0;
    return;
  }
  if (parent->BarKind() != 0 || !parent->HandleAllocated()) return;
  // The bar window the focus went to: the parent itself, or the window holding the focused one.
  HWND owner = focused;
  if (owner && owner != parent->GetHandle()) {
    owner = ::GetParent(owner);
    if (owner && !dynamic_cast<TCustomqzBarControl*>(FindControl(owner))) owner = ::GetParent(owner);
  }
  if (owner == parent->GetHandle()) return;
  HWND window = GetInnerWindow();
  PassToPrevWndProc(Message);
  DiscardPendingCharMessages(window);
  parent->CloseOnce();
  Message.Msg = 0;
}

void TqzBarWinControl::MouseMessage(TMessage& Message) {
  HWND window = GetInnerWindow();
  TCustomqzBarControl* parent = GetParent();
  POINT p{};
  if (Message.Msg == WM_MOUSEWHEEL) {
    GetCursorPos(&p);
    ScreenToClient(parent->GetHandle(), &p);
  } else {
    TPoint local = PointOf(Message.LParam);
    p = {local.X, local.Y};
    MapWindowPoints(window, parent->GetHandle(), &p, 1);
  }
  TPoint inParent(p.X, p.Y);
  TRect inner = GetInnerRect();
  TRect item = GetItemRect();
  // A press on the caption or glyph part belongs to the bar window.
  if (GetCapture() != window && !PtInRect(&inner, inParent) && PtInRect(&item, inParent)) Message.Msg = 0;
}

void TqzBarWinControl::InnerWndProc(TMessage& Message) {
  TqzObjectGuard guard(this);
  TqzBarWindowItem* item = GetWindowItem();
  bool consumed = false;
  switch (Message.Msg) {
    case WM_SETFOCUS:
      if (item) item->FireEnter();
      break;
    case WM_KILLFOCUS:
      KillFocus(Message);
      consumed = Message.Msg == 0;
      Message.Msg = WM_KILLFOCUS;
      if (guard.Alive() && (item = GetWindowItem())) item->FireExit();
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      Word key = static_cast<Word>(Message.WParam);
      EditorKeyDown(key, KeyDataToShiftState(Message.LParam));
      consumed = key == 0;
      Message.WParam = key;
      break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      Word key = static_cast<Word>(Message.WParam);
      EditorKeyUp(key, KeyDataToShiftState(Message.LParam));
      consumed = key == 0;
      Message.WParam = key;
      break;
    }
    case WM_CHAR: {
      Char ch = static_cast<Char>(Message.WParam);
      EditorKeyPress(ch);
      consumed = ch == 0;
      Message.WParam = static_cast<unsigned char>(ch);
      break;
    }
    case WM_COMMAND:
      // The bar window sends the editor's change notifications back here.
      if (HIWORD(Message.WParam) == EN_CHANGE) {
        if (!FInternalUpdate && item) item->FireCurChange();
        consumed = true;
      }
      break;
    case WM_MOUSEMOVE: {
      // Hot tracking goes on over the hosted window.
      POINT p{PointOf(Message.LParam).X, PointOf(Message.LParam).Y};
      MapWindowPoints(GetInnerWindow(), GetParent()->GetHandle(), &p, 1);
      GetParent()->Perform(WM_MOUSEMOVE, Message.WParam, ParamOf(TPoint(p.X, p.Y)));
      break;
    }
    case WM_RBUTTONDOWN: {
      POINT p{PointOf(Message.LParam).X, PointOf(Message.LParam).Y};
      MapWindowPoints(GetInnerWindow(), GetParent()->GetHandle(), &p, 1);
      SendMessage(GetParent()->GetHandle(), WM_RBUTTONDOWN, Message.WParam, ParamOf(TPoint(p.X, p.Y)));
      consumed = true;
      break;
    }
    default:
      if (IsHostedMouseMessage(Message.Msg)) {
        MouseMessage(Message);
        consumed = Message.Msg == 0;
      }
      break;
  }
  if (guard.Alive() && !consumed) PassToPrevWndProc(Message);
}

// ---- Overrides of the item control ---------------------------------------------------------------

void TqzBarWinControl::EnabledChanged() {
  SetInPlaceActive(false);
  inherited::EnabledChanged();
}

// Where text is turned no editing happens in place: a click runs the item's OnClick.
bool TqzBarWinControl::ClickFiresItem() { return GetParent() && GetParent()->RotatesText(); }

bool TqzBarWinControl::CanSelect() {
  TqzBarItem* item = GetItem();
  return inherited::CanSelect() && item && item->GetCanSelect();
}

void TqzBarWinControl::Deactivate(bool AFlag) {
  SetInPlaceActive(false);
  inherited::Deactivate(AFlag);
}

bool TqzBarWinControl::OwnsWindow(HWND AWnd) {
  HWND window = GetInnerWindow();
  return AWnd && window && (AWnd == window || IsChild(window, AWnd));
}

void TqzBarWinControl::UserActivate(bool AByMouse) {
  SetInPlaceActive(true);
  ForwardPress(AByMouse);
}

// ---- Edit layout ---------------------------------------------------------------------------------

TqzBarCustomEditControl::~TqzBarCustomEditControl() = default;

TFont* TqzBarCustomEditControl::EditFont() {
  TqzBarEdit* edit = GetEdit();
  TkvStyle* style = edit ? edit->GetStyleEdit() : nullptr;
  if (style && style->GetAssignedValues().Contains(kvStyles::svFont)) return style->GetFont();
  return GetParent()->GetEditFont();
}

bool TqzBarCustomEditControl::ShowsCaption() {
  if (GetPaintType() == qzPaintMenu) return true;
  TqzBarItem* item = GetItem();
  return item && item->GetShowCaption();
}

bool TqzBarCustomEditControl::IsDrawnSelected() { return inherited::IsDrawnSelected() && !GetParent()->IsCustomizing(); }

TqzBarItemViewLevels TqzBarCustomEditControl::GetPossibleViewLevels() {
  TqzBarItemViewLevels levels = inherited::GetPossibleViewLevels();
  levels.Include(ivlControlOnly);
  return levels;
}

Byte TqzBarCustomEditControl::GetContentKind() {
  Byte parts = ShowsCaption() ? qzContentText : 0;
  if (HasImage(GetViewSize()) && Painter()->ClassRef()->EditShowsButton(GetDrawParams())) parts |= qzContentIcon;
  return parts;
}

TClassOf<TqzBarItemControlDrawParams> TqzBarCustomEditControl::DrawParamsClass() {
  return TqzBarEditLikeControlDrawParams::ClassInfo();
}

void TqzBarCustomEditControl::FillDrawParams(bool ARefresh) {
  inherited::FillDrawParams(ARefresh);
  if (!ARefresh) return;
  EditParams()->FramesWholeItemLook = FramesWholeItem();
  EditParams()->InPlaceActiveLook = GetInPlaceActive();
}

void TqzBarCustomEditControl::CalcPartRects() {
  std::vector<TRect> parts(GetPartCount(), TRect());
  Painter()->CalcEditPartRects(GetDrawParams(), GetItemRect(), parts);
  SetPartRects(parts);
}

void TqzBarCustomEditControl::UpdateBrushes() {
  inherited::UpdateBrushes();
  TkvCanvas* canvas = GetCanvas();
  if (!canvas) return;
  TqzSavedItemFont saved;
  SelectItemFont(EditFont(), nullptr, saved);
  FEditFontHeight = GetParent()->Painter()->ClassRef()->BarTextSize(canvas);
  RestoreFont(saved);
}

void TqzBarCustomEditControl::DrawInRect(const TRect& R, Byte) {
  Painter()->DrawEditItem(GetDrawParams(), R);
  ExcludeEditFrame();
  PaintEditArea();
}

void TqzBarCustomEditControl::GetTextMargins(Byte AKind, TRect& AMargins) {
  Painter()->ClassRef()->GetEditPartMargins(GetDrawParams(), AKind, AMargins);
}

Integer TqzBarCustomEditControl::TextPartWidth() {
  if (!(GetDrawParams()->ContentParts & qzContentText)) return 0;
  TRect margins;
  GetTextMargins(1, margins);
  return CaptionWidth() + margins.Left + margins.Right;
}

Integer TqzBarCustomEditControl::ExtraWidth() { return GetLink() ? GetLink()->GetEffectiveWidth() : 0; }

Integer TqzBarCustomEditControl::GlyphPartWidth() {
  if (!(GetDrawParams()->ContentParts & qzContentIcon)) return 0;
  TRect margins;
  GetTextMargins(0, margins);
  return GlyphSize(GetDrawParams()->GlyphSizeKind, 0).cx + margins.Left + margins.Right;
}

Integer TqzBarCustomEditControl::GetHeight() {
  TqzBarEdit* edit = GetEdit();
  TkvStyle* style = edit ? edit->GetStyleEdit() : nullptr;
  bool ownFont = style && style->GetAssignedValues().Contains(kvStyles::svFont);
  Integer height = Painter()->ClassRef()->EditControlHeight(GetParent(), ownFont ? FEditFontHeight
                                                                                 : static_cast<Integer>(GetParent()->GetEditTextSize()));
  if (ShowsCaption()) height = std::max(height, GetParent()->ItemHeightFor(this));
  return height;
}

bool TqzBarCustomEditControl::IsClickable() {
  if (!inherited::IsClickable()) return false;
  if (GetParent()->IsCustomizing() || GetPaintType() == qzPaintMenu) return true;
  return GetHotPart() != qzEditGlyphPart && GetHotPart() != qzEditCaptionPart;
}

void TqzBarCustomEditControl::GetEditAreaRect(TRect& R) {
  R = GetItemRect();
  if (IsRectEmpty(&R)) return;
  if (GetAlign() == iaClient && !(GetParent()->KindFlags() & qzKindStretchesClient))
    R.Left = R.Right - ExtraWidth();
  else
    R.Left += TextPartWidth() + GlyphPartWidth();
}

void TqzBarCustomEditControl::ExcludeEditFrame() {
  TRect r;
  if (FramesWholeItem() && GetPaintType() != qzPaintMenu)
    r = GetItemRect();
  else
    GetEditAreaRect(r);
  AdjustFrameRect(r);
  TRect inner = r;
  Painter()->DrawEditBorder(GetDrawParams(), inner);
  ExcludeFrameBandFromClip(GetCanvas(), r, inner);
}

HBRUSH TqzBarCustomEditControl::GetEditBrush() {
  if (!FEditBrush) FEditBrush = std::make_unique<TBrush>();
  FEditBrush->SetColor(Painter()->EditAreaColor(GetDrawParams()));
  return FEditBrush->GetHandle();
}

// ---- Sizing while customizing --------------------------------------------------------------------

bool TqzBarCustomEditControl::IsEditSizingPoint(const TPoint& P) {
  TqzBarManager* manager = GetBarManager();
  if (!manager || !manager->IsCustomizingOrDesigning()) return false;
  TRect r = GetItemRect();
  if (P.Y < r.Top || P.Y >= r.Bottom) return false;
  return (P.X >= r.Right - 7 && P.X < r.Right) || (P.X >= r.Left && P.X < r.Left + 7);
}

void TqzBarCustomEditControl::BeginEditSizing(const TPoint& P) {
  TRect r = GetItemRect();
  FDragsRightEdge = P.X >= r.Right - 7;
  FDragWidth = r.Width();
  DrawOnCanvas(GetCanvas(), r, 0);
  InvertSizingFrame(FDragWidth);
}

void TqzBarCustomEditControl::TrackEditSizing(const TPoint& P) {
  TRect r = GetItemRect();
  Integer width = std::max(FDragsRightEdge ? P.X - r.Left : r.Right - P.X, MinimumWidth());
  if (width == FDragWidth) return;
  InvertSizingFrame(FDragWidth);
  FDragWidth = width;
  InvertSizingFrame(FDragWidth);
}

void TqzBarCustomEditControl::EndEditSizing(bool AApply) {
  InvertSizingFrame(FDragWidth);
  TRect edit;
  GetEditAreaRect(edit);
  // The edit keeps room for at least its minimum width whatever the drag left.
  Integer width = std::max(FDragWidth - (edit.Left - GetItemRect().Left), MinEditWidth());
  if (AApply && width != ExtraWidth())
    GetLink()->SetUserWidth(width);
  else
    Repaint();
}

void TqzBarCustomEditControl::InvertSizingFrame(Integer AWidth) {
  TRect r = GetItemRect();
  if (FDragsRightEdge)
    r.Right = r.Left + AWidth;
  else
    r.Left = r.Right - AWidth;
  TPoint topLeft = GetParent()->ClientToScreen(TPoint(r.Left, r.Top));
  OffsetRect(&r, topLeft.X - r.Left, topLeft.Y - r.Top);
  HDC dc = GetDC(nullptr);
  PatBlt(dc, r.Left, r.Top, r.Width(), 2, DSTINVERT);
  PatBlt(dc, r.Left, r.Bottom - 2, r.Width(), 2, DSTINVERT);
  PatBlt(dc, r.Left, r.Top + 2, 2, r.Height() - 4, DSTINVERT);
  PatBlt(dc, r.Right - 2, r.Top + 2, 2, r.Height() - 4, DSTINVERT);
  ReleaseDC(nullptr, dc);
}

// ---- The edit control ----------------------------------------------------------------------------

TqzBarEditControl::TqzBarEditControl(TqzBarItemLink* ALink) : TqzBarCustomEditControl(ALink) { HookWindow(); }

TqzBarEditControl::~TqzBarEditControl() { UnhookWindow(); }

void TqzBarEditControl::CreateEditWindow() {
  TCustomqzBarControl* parent = GetParent();
  if (FEditWindow || !parent || !parent->HandleAllocated()) return;
  DWORD style = static_cast<DWORD>(Painter()->ClassRef()->EditInnerStyle()) | WS_CHILD;
  FEditWindow = CreateWindowEx(0, "EDIT", "", style, 0, 0, 100, 100, parent->GetHandle(), nullptr, HInstance, nullptr);
}

void TqzBarEditControl::HookWindow() {
  CreateEditWindow();
  inherited::HookWindow();
  if (!FEditWindow) return;
  ReloadText();
  TqzBarEdit* edit = GetEdit();
  SendMessage(FEditWindow, EM_LIMITTEXT, edit ? static_cast<WPARAM>(edit->GetMaxLength()) : 0, 0);
}

void TqzBarEditControl::UnhookWindow() {
  inherited::UnhookWindow();
  HWND window = FEditWindow;
  FEditWindow = nullptr;
  if (window && IsWindow(window)) DestroyWindow(window);
}

bool TqzBarEditControl::PaintsText() { return !(GetInPlaceActive() && IsEnabled()); }

void TqzBarEditControl::UserActivate(bool AByMouse) {
  inherited::UserActivate(AByMouse);
  if (GetInPlaceActive() && FEditWindow) SendMessage(FEditWindow, EM_SETSEL, 0, -1);
}

bool TqzBarEditControl::GetExcludeRect(TRect& R) {
  if (PaintsText() || GetPartRects().empty()) return false;
  R = GetPartRects()[qzEditPart];
  return true;
}

void TqzBarEditControl::CommitText(bool AApply) {
  if (FEditWindow) ShowWindow(FEditWindow, SW_HIDE);
  if (AApply) StoreText();
}

void TqzBarEditControl::AfterInnerPlaced() {
  if (FEditWindow) Painter()->ClassRef()->SetEditRect(this, FEditWindow);
}

void TqzBarEditControl::SetInPlaceActive(bool AFlag) {
  if (AFlag && !GetInPlaceActive() && FEditWindow) {
    TqzBarEdit* edit = GetEdit();
    SendMessage(FEditWindow, EM_SETREADONLY, (edit && edit->GetReadOnly()) || EditorHidden(), 0);
  }
  TqzObjectGuard guard(this);
  inherited::SetInPlaceActive(AFlag);
  if (guard.Alive()) Repaint();
}

void TqzBarEditControl::SetInnerText(const String& AText) {
  String current;
  GetInnerText(current);
  inherited::SetInnerText(AText);
  if (FEditWindow) Painter()->ClassRef()->SelectEditText(this, FEditWindow, current != AText);
}

void TqzBarEditControl::PrepareInPlace() {
  inherited::PrepareInPlace();
  RefreshForEditing();
  if (!FEditWindow) return;
  SendMessage(FEditWindow, WM_SETFONT, reinterpret_cast<WPARAM>(EditFont()->GetHandle()), 0);
  TRect r = GetInnerRect();
  SetWindowPos(FEditWindow, nullptr, r.Left, r.Top, r.Width(), r.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  AfterInnerPlaced();
  ReloadText();
  SetFocus(FEditWindow);
}

void TqzBarEditControl::InnerWndProc(TMessage& Message) {
  if (Message.Msg == WM_DESTROY) {
    // Destroyed from outside: the control lets go of it without destroying it again.
    SetInPlaceActive(false);
    PassToPrevWndProc(Message);
    FEditWindow = nullptr;
    TqzBarWinControl::UnhookWindow();
    return;
  }
  if (PaintBuffered(Message)) return;
  inherited::InnerWndProc(Message);
}

void TqzBarEditControl::PaintEditArea() {
  const std::vector<TRect>& parts = GetPartRects();
  if (parts.empty()) return;
  if (IsEnabled()) SetInnerRect(parts[qzEditPart]);
  if (!PaintsText()) return;
  TqzSavedItemFont saved;
  SelectItemFont(EditFont(), nullptr, saved);
  try {
    Painter()->DrawEditInnerWindow(this, GetCanvas(), parts[qzEditPart]);
  } catch (...) {
    RestoreFont(saved);
    throw;
  }
  RestoreFont(saved);
}
