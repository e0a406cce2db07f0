// The look-and-feel radio button: owner-drawn glyph and caption, mouse states and popup menu.

#include "controls/Button.h"
#include "rtl/ColorIdents.h"
#include "toolkit/editors/kvContainer.h"
#include "toolkit/editors/kvRadioGroup.h"
#include "toolkit/foundation/kvGeometry.h"
#include "toolkit/foundation/qzThemeManager.h"
#include "vcl/ControlsMessages.h"

TAVREN_CLASS_IMPL_PUBLISHED(TkvRadioButton,
    PROPERTY(LookAndFeel),
    PROPERTY_AS(PopupMenu, GetKvPopupMenu, SetKvPopupMenu),
    PROPERTY(ParentBackground).Default(true),
    PROPERTY(Transparent).Default(false))

TAVREN_MESSAGE_TABLE(TkvRadioButton, MESSAGE_HANDLER(WM_CONTEXTMENU, WMContextMenu),
                     MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd),
                     MESSAGE_HANDLER(WM_WINDOWPOSCHANGED, WMWindowPosChanged),
                     MESSAGE_HANDLER(BM_SETCHECK, BMSetCheck),
                     MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged),
                     MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter), MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave),
                     MESSAGE_HANDLER(CM_SYSCOLORCHANGE, CMSysColorChange),
                     MESSAGE_HANDLER(CN_KEYDOWN, CNKeyDown), MESSAGE_HANDLER(CN_SYSKEYDOWN, CNKeyDown),
                     MESSAGE_HANDLER(CN_DRAWITEM, CNDrawItem), MESSAGE_HANDLER(CN_MEASUREITEM, CNMeasureItem))

TkvRadioButton::TkvRadioButton(TComponent* AOwner) : TRadioButton(AOwner) {
  FControlStyle.Include(csDoubleClicks);
  FControlCanvas = std::make_unique<TControlCanvas>();
  FControlCanvas->SetControl(this);
  FKvCanvas = std::make_unique<TkvCanvas>(FControlCanvas.get());
  FLookAndFeel = std::make_unique<TkvLookAndFeel>(this);
  FLookAndFeel->SetOnChanged(MakeEvent<&TkvRadioButton::LookAndFeelChanged>(this));
  FTrackingCaller = std::make_unique<TkvMouseLeaveMessenger>(this);
  SetParentBackground(true);
  RadioButtonGlyphList();
}

TkvRadioButton::~TkvRadioButton() {
  StopMouseLeaveWatch(FTrackingCaller.get());
  FLookAndFeel.reset();
  FKvCanvas.reset();
  FControlCanvas.reset();
}

bool TkvRadioButton::Focused() {
  return !GetComponentState().Contains(csDesigning) && TRadioButton::Focused();
}

void TkvRadioButton::Invalidate() { InvalidateWindowRect(this, TRect(0, 0, GetWidth(), GetHeight()), false); }

void TkvRadioButton::SetKvPopupMenu(TComponent* Value) { SetPopupMenuReference(this, FPopupMenu, Value); }

void TkvRadioButton::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  Invalidate();
}

void TkvRadioButton::Notification(TComponent* AComponent, TOperation Operation) {
  TRadioButton::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

// ---- Questions descendants answer ---------------------------------------------------------------------

bool TkvRadioButton::NeedsParentBackground() {
  return IsNative() && GetParentBackground() && !IsInGroupInplace() && !FTransparent;
}

bool TkvRadioButton::IsNative() { return NativeThemeOpen(FLookAndFeel->GetNativeStyle(), totButton); }

bool TkvRadioButton::IsTransparent() { return FTransparent && !IsInGroupInplace(); }

bool TkvRadioButton::BackgroundBorrowed() { return NeedsParentBackground() || IsTransparent(); }

void TkvRadioButton::LookAndFeelChanged(TkvLookAndFeel*, TkvLookAndFeelValues) { Invalidate(); }

bool TkvRadioButton::ShowPopupMenu(TComponent* Menu, Integer X, Integer Y) {
  return ShowPopupMenuAt(this, Menu, X, Y);
}

// ---- Window ----------------------------------------------------------------------------------------

void TkvRadioButton::CreateParams(TCreateParams& Params) {
  TRadioButton::CreateParams(Params);
  Params.Style = (Params.Style & ~BS_TYPEMASK) | BS_OWNERDRAW;
}

void TkvRadioButton::CreateHandle() {
  TRadioButton::CreateHandle();
  UpdateStateFromCursor();
}

void TkvRadioButton::DoEnter() {
  TRadioButton::DoEnter();
  if (GetChecked() || FClicksDisabled) return;
  // Entering checks the button with one click, even when checking it fails half way.
  auto clickOnce = [this] {
    FClicksDisabled = false;
    if (!GetComponentState().Contains(csLoading)) Click();
  };
  FClicksDisabled = true;
  try {
    SetChecked(true);
  } catch (...) {
    clickOnce();
    throw;
  }
  clickOnce();
}

// ---- Mouse -------------------------------------------------------------------------------------------

void TkvRadioButton::UpdateState(Integer, TShiftState Shift, const TPoint& P) {
  TkvRadioButtonState state;
  const bool inside = RectHoldsPoint(TRect(0, 0, GetWidth(), GetHeight()), P);
  if (!GetEnabled())
    state = rbsDisabled;
  else if (GetComponentState().Contains(csDesigning))
    state = rbsNormal;
  else if (HandleAllocated() && ::GetCapture() == GetHandle())
    state = inside ? rbsPressed : rbsHot;
  else
    state = inside && Shift.Empty() ? rbsHot : rbsNormal;
  if (state == FState) return;
  FState = state;
  InvalidateButtonRect(1);
}

void TkvRadioButton::UpdateStateFromCursor() {
  if (!HandleAllocated()) return;
  TPoint p;
  QueryCursorPos(p);
  UpdateState(0, CurrentShiftState(), ScreenToClient(p));
}

void TkvRadioButton::InvalidateButtonRect(Integer Grow) {
  InvalidateWindowRect(this, RectInflated(FButtonRect, Grow, Grow), false);
}

void TkvRadioButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TRadioButton::MouseDown(Button, Shift, X, Y);
  UpdateState(MapMouseButton(Button), Shift, TPoint(X, Y));
}

void TkvRadioButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TRadioButton::MouseUp(Button, Shift, X, Y);
  UpdateState(MapMouseButton(Button), Shift, TPoint(X, Y));
}

void TkvRadioButton::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TRadioButton::MouseMove(Shift, X, Y);
  UpdateState(0, Shift, TPoint(X, Y));
  StartMouseLeaveWatch(this, TRect(0, 0, GetWidth(), GetHeight()), FTrackingCaller.get());
}

void TkvRadioButton::DoContextPopup(TPoint MousePos, bool& Handled) {
  TRadioButton::DoContextPopup(MousePos, Handled);
  if (Handled) return;
  if (MousePos.X == -1 && MousePos.Y == -1) MousePos = TPoint(0, 0);
  TPoint p = ClientToScreen(MousePos);
  Handled = ShowPopupMenu(FPopupMenu, p.X, p.Y);
}

// ---- Messages --------------------------------------------------------------------------------------

void TkvRadioButton::WMContextMenu(TMessage& Message) {
  if (Message.Result != 0) return;
  TPoint p;
  if (!GetComponentState().Contains(csDesigning) && ContextMenuClientPoint(this, Message, p)) {
    bool handled = false;
    DoContextPopup(p, handled);
    Message.Result = handled ? 1 : 0;
    if (handled) return;
  }
  InheritedMessage(Message);
}

void TkvRadioButton::WMWindowPosChanged(TMessage& Message) {
  InheritedMessage(Message);
  if (!GetComponentState().Contains(csDestroying) && BackgroundBorrowed()) Invalidate();
}

void TkvRadioButton::BMSetCheck(TMessage& Message) {
  InheritedMessage(Message);
  InvalidateButtonRect(0);
}

void TkvRadioButton::CMEnabledChanged(TMessage& Message) {
  InheritedMessage(Message);
  UpdateStateFromCursor();
  Invalidate();
}

void TkvRadioButton::CMMouseEnter(TMessage& Message) {
  InheritedMessage(Message);
  UpdateStateFromCursor();
  StartMouseLeaveWatch(this, TRect(0, 0, GetWidth(), GetHeight()), FTrackingCaller.get());
}

void TkvRadioButton::CMMouseLeave(TMessage& Message) {
  InheritedMessage(Message);
  UpdateState(0, TShiftState{}, TPoint(-1, -1));
  StopMouseLeaveWatch(FTrackingCaller.get());
}

void TkvRadioButton::CMSysColorChange(TMessage& Message) {
  InheritedMessage(Message);
  Invalidate();
}

void TkvRadioButton::CNKeyDown(TMessage& Message) {
  if (PopupMenuShortCutHandled(FPopupMenu, Message)) {
    Message.Result = 1;
    return;
  }
  InheritedMessage(Message);
}

void TkvRadioButton::CNDrawItem(TMessage& Message) {
  if (GetComponentState().Contains(csDestroying)) return;
  const auto& item = *reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
  FControlCanvas->PaintOn(item.hDC, [&] { Draw(item.itemAction == ODA_FOCUS); });
}

void TkvRadioButton::CNMeasureItem(TMessage& Message) {
  auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
  item->itemWidth = static_cast<UINT>(GetWidth());
  item->itemHeight = static_cast<UINT>(GetHeight());
}

// ---- Painting ----------------------------------------------------------------------------------------

namespace {

TkvButtonState PainterState(TkvRadioButtonState State) {
  switch (State) {
    case rbsDisabled: return kvbsDisabled;
    case rbsHot: return kvbsHot;
    case rbsPressed: return kvbsPressed;
    default: return kvbsNormal;
  }
}

}  // namespace

void TkvRadioButton::PaintBackground() {
  if (!BackgroundBorrowed()) FKvCanvas->FillWithColor(TRect(0, 0, GetWidth(), GetHeight()), GetColor());
}

void TkvRadioButton::PaintGlyph(TkvCanvas* Canvas, TkvCustomLookAndFeelPainterClass Painter, TColor Background,
                                bool Native) {
  const TSize glyph = Painter->RadioButtonExtent();
  FButtonRect.Top = (GetHeight() - glyph.cy) / 2;
  FButtonRect.Bottom = FButtonRect.Top + glyph.cy;
  if (GetAlignment() == taLeftJustify) {
    FButtonRect.Left = GetWidth() - glyph.cx;
  } else {
    FButtonRect.Left = !Native && !IsInGroupInplace() ? 1 : 0;
  }
  FButtonRect.Right = FButtonRect.Left + glyph.cx;
  Painter->PaintRadioButton(Canvas, FButtonRect.Left, FButtonRect.Top, PainterState(FState), GetChecked(), Focused(),
                            Background, GetComponentState().Contains(csDesigning));
}

void TkvRadioButton::Draw(bool FocusOnly) {
  const bool native = IsNative();
  const TRect client(0, 0, GetWidth(), GetHeight());
  if (!FocusOnly) {
    if (IsTransparent())
      CopyParentImage(this, FKvCanvas.get(), client, false);
    else if (NeedsParentBackground())
      DrawParentBackground(this, FKvCanvas.get(), client);
    if (native) PaintBackground();
  }
  TkvCustomLookAndFeelPainterClass painter = FLookAndFeel->PainterForThemeKind(totButton);
  TColor background = GetColor();
  if (BackgroundBorrowed()) background = FLookAndFeel->GetSkinPainter() ? clNone : clDefault;
  PaintGlyph(FKvCanvas.get(), painter, background, native);
  FKvCanvas->PushClip();
  FKvCanvas->ClipOutRect(FButtonRect);
  if (!FocusOnly && !native) PaintBackground();
  PaintCaption(FKvCanvas.get(), native);
  FKvCanvas->PopClip();
}

void TkvRadioButton::CaptionMargins(TRect& R, bool Native) {
  struct TMargins {
    Integer left, top, right, bottom;
  };
  TMargins m;
  if (IsInGroupInplace()) {
    m = Native ? TMargins{3, 0, 0, 0} : TMargins{5, 0, 1, 0};
  } else {
    // Rows: not native without and with word wrap, native without and with; columns by alignment.
    static const TMargins kLeft[2][2] = {{{2, -1, 1, 0}, {2, -1, 6, 0}}, {{0, -1, 1, 0}, {0, -1, 3, 0}}};
    static const TMargins kRight[2][2] = {{{5, -1, 0, 0}, {5, -1, 2, 0}}, {{3, -1, 0, 0}, {3, -1, 0, 0}}};
    const auto& table = GetAlignment() == taLeftJustify ? kLeft : kRight;
    m = table[Native ? 1 : 0][GetWordWrap() ? 1 : 0];
  }
  R = TRect(R.Left + m.left, R.Top + m.top, R.Right - m.right, R.Bottom - m.bottom);
}

TColor TkvRadioButton::CaptionColor() {
  const bool enabled = GetEnabled();
  if (GetFont()->GetColor() == clWindowText) {
    TColor color = FLookAndFeel->ActivePainter()->EditorTextColor(!enabled);
    if (color != clDefault) return color;
  }
  if (enabled || Supports<IkvContainerInnerControl>(this)) return GetFont()->GetColor();
  return clBtnShadow;
}

void TkvRadioButton::PaintCaption(TkvCanvas* Canvas, bool Native) {
  TCanvas* canvas = Canvas->GetCanvas();
  canvas->SetFont(GetFont());
  canvas->GetFont()->SetColor(CaptionColor());
  TRect r(0, 0, GetWidth(), GetHeight());
  if (GetAlignment() == taLeftJustify)
    r.Right = FButtonRect.Left;
  else
    r.Left = FButtonRect.Right;
  CaptionMargins(r, Native);
  Integer flags = ktfAlignLeft | ktfAlignVCenter | ktfShowPrefix;
  flags |= GetWordWrap() ? ktfNoClip | ktfWordBreak : ktfSingleLine;
  if (NeedsParentBackground()) canvas->Refresh();
  canvas->GetBrush()->SetStyle(bsClear);
  const bool innerControl = Supports<IkvContainerInnerControl>(this);
  const bool enabledLook = FLookAndFeel->ActivePainter()->EditorTextColor(true) != clDefault || innerControl ||
                           Native || GetEnabled();
  const String caption = GetCaption();
  Canvas->PaintText(caption, r, flags, enabledLook);
  if (!Focused() || caption.empty()) return;
  TRect focus = r;
  Canvas->MeasureTextInRect(caption, focus, flags);
  focus = TRect(focus.Left - 1, focus.Top - 1, focus.Right + 1, focus.Bottom + 2);
  if (IsInGroupInplace()) {
    focus.Top = std::max(focus.Top, 1);
    focus.Bottom = std::min(focus.Bottom, GetHeight() - 1);
    focus.Right = std::min(focus.Right, GetWidth());
  } else {
    focus.Left = std::max(focus.Left, 0);
    focus.Top = std::max(focus.Top, 0);
    focus.Right = std::min(focus.Right, GetWidth());
    focus.Bottom = std::min(focus.Bottom, GetHeight());
    if (GetAlignment() == taLeftJustify) focus.Right = std::min(focus.Right, FButtonRect.Left);
  }
  canvas->GetBrush()->SetStyle(bsSolid);
  canvas->GetBrush()->SetColor(GetColor());
  canvas->GetFont()->SetColor(GetFont()->GetColor());
  canvas->DrawFocusRect(focus);
}
