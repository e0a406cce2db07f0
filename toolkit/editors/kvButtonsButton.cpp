// The push button: its colours, states, group behaviour, drop-down menu and painting.

#include "controls/Button.h"
#include "rtl/ColorIdents.h"
#include "rtl/Math.h"
#include "rtl/SysUtils.h"
#include "toolkit/editors/kvButtons.h"
#include "toolkit/foundation/kvGeometry.h"
#include "toolkit/foundation/qzThemeManager.h"
#include "toolkit/foundation/qzUxTheme.h"
#include "vcl/ActnList.h"
#include "vcl/ControlsMessages.h"

// ---- Colours -----------------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TkvButtonColors,
    PROPERTY(Default).Idents(ColorIdentMap).Stored<&TkvButtonColors::IsStored<kvbcDefault>>(),
    PROPERTY(DefaultText).Idents(ColorIdentMap).Stored<&TkvButtonColors::IsStored<kvbcDefaultText>>(),
    PROPERTY(Normal).Idents(ColorIdentMap).Stored<&TkvButtonColors::IsStored<kvbcNormal>>(),
    PROPERTY(NormalText).Idents(ColorIdentMap).Stored<&TkvButtonColors::IsStored<kvbcNormalText>>(),
    PROPERTY(Hot).Idents(ColorIdentMap).Stored<&TkvButtonColors::IsStored<kvbcHot>>(),
    PROPERTY(HotText).Idents(ColorIdentMap).Stored<&TkvButtonColors::IsStored<kvbcHotText>>(),
    PROPERTY(Pressed).Idents(ColorIdentMap).Stored<&TkvButtonColors::IsStored<kvbcPressed>>(),
    PROPERTY(PressedText).Idents(ColorIdentMap).Stored<&TkvButtonColors::IsStored<kvbcPressedText>>(),
    PROPERTY(Disabled).Idents(ColorIdentMap).Stored<&TkvButtonColors::IsStored<kvbcDisabled>>(),
    PROPERTY(DisabledText).Idents(ColorIdentMap).Stored<&TkvButtonColors::IsStored<kvbcDisabledText>>(),
    PROPERTY(AssignedColors).Stored(false))

TkvButtonColors::TkvButtonColors(TkvCustomButton* AButton) : FButton(AButton) {
  for (TColor& color : FColors) color = clDefault;
}

void TkvButtonColors::SetColor(TkvButtonAssignedColor Index, TColor Value) {
  if (Value == clNone || Value == clDefault) {
    FColors[Index] = clDefault;
    FAssignedColors.Exclude(Index);
  } else {
    if (Value == FColors[Index]) return;
    FColors[Index] = Value;
    FAssignedColors.Include(Index);
  }
  FButton->Invalidate();
}

void TkvButtonColors::SetAssignedColors(TkvButtonAssignedColors Value) {
  if (!FButton->GetComponentState().Contains(csDesigning) || Value == FAssignedColors) return;
  for (Integer i = kvbcDefault; i <= kvbcPressedText; ++i) {
    auto index = static_cast<TkvButtonAssignedColor>(i);
    if (FAssignedColors.Contains(index) && !Value.Contains(index)) FColors[index] = clDefault;
    if (Value.Contains(index) && FColors[index] == clDefault) Value.Exclude(index);
  }
  FAssignedColors = Value;
  FButton->Invalidate();
}

void TkvButtonColors::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvButtonColors*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  std::copy(std::begin(source->FColors), std::end(source->FColors), std::begin(FColors));
  FAssignedColors = source->FAssignedColors;
  FButton->Invalidate();
}

namespace {

TkvButtonAssignedColor FaceIndexOf(TkvButtonState State) {
  switch (State) {
    case kvbsDefault: return kvbcDefault;
    case kvbsHot: return kvbcHot;
    case kvbsPressed: return kvbcPressed;
    case kvbsDisabled: return kvbcDisabled;
    default: return kvbcNormal;
  }
}

}  // namespace

TColor TkvButtonColors::FaceColorFor(TkvButtonState State) {
  TkvButtonAssignedColor index = FaceIndexOf(State);
  if (FAssignedColors.Contains(index)) return FColors[index];
  return State == kvbsNormal ? FColors[kvbcDefault] : FColors[kvbcNormal];
}

TColor TkvButtonColors::TextColorFor(TkvButtonState State) {
  auto index = static_cast<TkvButtonAssignedColor>(FaceIndexOf(State) + 1);
  return FAssignedColors.Contains(index) ? FColors[index] : clDefault;
}

// ---- Painter choice ------------------------------------------------------------------------------

TkvCustomLookAndFeelPainterClass ButtonPainterFor(TkvLookAndFeel* LookAndFeel) {
  if (TkvCustomLookAndFeelPainterClass skin = LookAndFeel->GetSkinPainter()) return skin;
  TkvCustomLookAndFeelPainterClass painter = LookAndFeel->ActivePainter();
  if (painter->PainterStyle() != kvpsOffice11) return painter;
  if (ThemeAvailableFor(totButton)) return PainterClassOf<TkvWinXPLookAndFeelPainter>();
  return PainterClassOf<TkvStandardLookAndFeelPainter>();
}

// ---- Button ----------------------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TkvCustomButton, PROPERTY_AS(PopupMenu, GetKvPopupMenu, SetKvPopupMenu))

TAVREN_CLASS_IMPL_PUBLISHED(TkvButton,
    PROPERTY(Colors).Stored<&TkvCustomButton::IsColorsStored>(),
    PROPERTY(DropDownMenu),
    PROPERTY(Glyph),
    PROPERTY(Kind).Default(kvbkStandard),
    PROPERTY(Layout).Default(blGlyphLeft),
    PROPERTY(LookAndFeel),
    PROPERTY(Margin).Default(-1),
    PROPERTY(NumGlyphs).Default(1),
    PROPERTY(PopupAlignment).Default(paLeft),
    PROPERTY(Spacing).Default(4),
    PROPERTY(UseSystemPaint).Default(false),
    PROPERTY(CanBeFocused).Default(true),
    PROPERTY(GroupIndex).Default(0),
    PROPERTY(Down).Default(false),
    PROPERTY(AllowAllUp).Default(false),
    PROPERTY(OnDropDownMenuPopup),
    PROPERTY(OnGetDrawParams))

TAVREN_MESSAGE_TABLE(TkvCustomButton, MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd),
                     MESSAGE_HANDLER(CN_MEASUREITEM, CNMeasureItem), MESSAGE_HANDLER(CN_DRAWITEM, CNDrawItem),
                     MESSAGE_HANDLER(CN_KEYDOWN, CNKeyDown), MESSAGE_HANDLER(CN_SYSKEYDOWN, CNKeyDown),
                     MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar), MESSAGE_HANDLER(CM_FONTCHANGED, CMFontChanged),
                     MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged),
                     MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter), MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave),
                     MESSAGE_HANDLER(CM_BUTTONPRESSED, CMButtonPressed),
                     MESSAGE_HANDLER(WM_CAPTURECHANGED, WMCaptureChanged),
                     MESSAGE_HANDLER(WM_CONTEXTMENU, WMContextMenu),
                     MESSAGE_HANDLER(KVM_DROPDOWNMENU, KVMDropDownMenu),
                     MESSAGE_HANDLER(KVM_DROPDOWNMENUCLOSED, KVMDropDownMenuClosed))

TkvCustomButton::TkvCustomButton(TComponent* AOwner) : TButton(AOwner) {
  FGlyph.reset(GlyphClass().Create());
  FGlyph->SetOnChange(MakeEvent<&TkvCustomButton::GlyphChanged>(this));
  FColors = std::make_unique<TkvButtonColors>(this);
  FControlCanvas = std::make_unique<TControlCanvas>();
  FControlCanvas->SetControl(this);
  FKvCanvas = std::make_unique<TkvCanvas>(FControlCanvas.get());
  FLookAndFeel = std::make_unique<TkvLookAndFeel>(this);
  FLookAndFeel->SetOnChanged(MakeEvent<&TkvCustomButton::LookAndFeelChanged>(this));
  FTrackingCaller = std::make_unique<TkvMouseLeaveMessenger>(this);
  SetDoubleBuffered(true);
  FControlStyle = FControlStyle + TControlStyle{csOpaque, csReflector};
  SetCanBeFocused(true);
  SetGroupIndex(0);
  SetAllowAllUp(false);
  SetDown(false);
}

TkvCustomButton::~TkvCustomButton() {
  StopMouseLeaveWatch(FTrackingCaller.get());
  FLookAndFeel.reset();
  FColors.reset();
  FGlyph.reset();
  FKvCanvas.reset();
  FControlCanvas.reset();
}

void TkvCustomButton::GlyphChanged(TObject*) { Invalidate(); }

UINT TkvCustomButton::BiDiFlags() const {
  switch (GetBiDiMode()) {
    case bdRightToLeft: return DT_RIGHT | DT_RTLREADING;
    case bdRightToLeftReadingOnly: return DT_RTLREADING;
    default: return 0;
  }
}

void TkvCustomButton::LookAndFeelChanged(TkvLookAndFeel*, TkvLookAndFeelValues) {
  if (FUseSystemPaint)
    RecreateWnd();
  else
    Invalidate();
}

void TkvCustomButton::Notification(TComponent* AComponent, TOperation Operation) {
  TButton::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FDropDownMenu) FDropDownMenu = nullptr;
  if (AComponent == FPopupMenu) SetKvPopupMenu(nullptr);
}

void TkvCustomButton::SetKind(TkvButtonKind Value) {
  if (FKind == Value) return;
  FKind = Value;
  RecreateWnd();
}

void TkvCustomButton::SetLayout(TButtonLayout Value) {
  if (FLayout == Value) return;
  FLayout = Value;
  Invalidate();
}

void TkvCustomButton::SetMargin(Integer Value) {
  if (FMargin == Value || Value < -1) return;
  FMargin = Value;
  Invalidate();
}

void TkvCustomButton::SetSpacing(Integer Value) {
  if (FSpacing == Value) return;
  FSpacing = Value;
  Invalidate();
}

void TkvCustomButton::SetKvPopupMenu(TComponent* Value) { SetPopupMenuReference(this, FPopupMenu, Value); }

void TkvCustomButton::SetDropDownMenu(TPopupMenu* Value) {
  if (FDropDownMenu == Value) return;
  if (FDropDownMenu) FDropDownMenu->RemoveFreeNotification(this);
  FDropDownMenu = Value;
  if (FDropDownMenu) FDropDownMenu->FreeNotification(this);
}

// ---- Groups and speed mode -------------------------------------------------------------------------

void TkvCustomButton::SetAllowAllUp(bool Value) {
  if (FAllowAllUp == Value) return;
  FAllowAllUp = Value;
  BroadcastGroup();
}

void TkvCustomButton::SetCanBeFocused(bool Value) {
  if (FCanBeFocused == Value) return;
  FCanBeFocused = Value;
  BroadcastGroup();
}

void TkvCustomButton::SetGroupIndex(Integer Value) {
  if (FGroupIndex == Value) return;
  FGroupIndex = Value;
  if (FGroupIndex != 0)
    BroadcastGroup();
  else
    SetDown(false);
}

void TkvCustomButton::SetDown(bool Value) {
  if (FGroupIndex == 0) Value = false;
  if (Value == FDown) return;
  // A down button of a group is released only by another button of the group.
  if (FDown && !FAllowAllUp && FGroupIndex != 0) return;
  FDown = Value;
  FPressedLook = Value;
  if (Value) BroadcastGroup();
  Invalidate();
}

void TkvCustomButton::BroadcastGroup() {
  if (FGroupIndex == 0 || !GetParent()) return;
  TMessage message{CM_BUTTONPRESSED, static_cast<WPARAM>(FGroupIndex), reinterpret_cast<LPARAM>(this), 0};
  GetParent()->Broadcast(message);
}

void TkvCustomButton::CMButtonPressed(TMessage& Message) {
  auto* sender = reinterpret_cast<TkvCustomButton*>(Message.LParam);
  if (!InSpeedMode() || sender == this || FGroupIndex == 0 || static_cast<Integer>(Message.WParam) != FGroupIndex)
    return;
  FAllowAllUp = sender->FAllowAllUp;
  FCanBeFocused = sender->FCanBeFocused;
  if (sender->FDown && FDown) {
    FDown = false;
    FPressedLook = false;
    if (auto* action = dynamic_cast<TCustomAction*>(GetAction())) action->SetChecked(false);
    Invalidate();
  }
}

bool TkvCustomButton::CanFocus() {
  TCustomForm* form = GetParentForm();
  if (!form) return false;
  for (TWinControl* control = this; control && control != form; control = control->GetParent()) {
    if (!control->GetVisible() || !control->GetEnabled()) return false;
  }
  return FCanBeFocused || GetComponentState().Contains(csDesigning);
}

// ---- State -------------------------------------------------------------------------------------------

TkvButtonState TkvCustomButton::ButtonState() {
  if (!GetEnabled()) return kvbsDisabled;
  if (FPressedLook || (FMenuOpen && FKind == kvbkDropDown) || (FDown && InSpeedMode())) return kvbsPressed;
  if (FHot) return kvbsHot;
  if ((!FDefaultLook && !FDefaultButtonStyle) || InSpeedMode()) return kvbsNormal;
  return kvbsDefault;
}

bool TkvCustomButton::HotTrackingAllowed() {
  return !UsesNativeDrawing() && Painter()->ButtonHotTracks() && GetEnabled();
}

bool TkvCustomButton::CursorOverButton() {
  POINT p;
  GetCursorPos(&p);
  return HandleAllocated() && WindowFromPoint(p) == GetHandle();
}

void TkvCustomButton::OptimalSize(TSize& Size) {
  auto canvas = std::make_unique<TkvScreenCanvas>();
  canvas->GetCanvas()->SetFont(GetFont());
  String caption;
  StripAccelChar(GetCaption(), false, caption);
  const String measured = caption.empty() ? String(1, ' ') : caption;
  Size.cx = canvas->GetCanvas()->TextWidth(measured) + 3 * canvas->GetCanvas()->TextWidth("R");
  Size.cy = MulDiv(canvas->GetCanvas()->TextHeight("Wg"), 14, 8);
}

bool TkvCustomButton::FireDropDownMenuPopup(TPopupMenu*& Menu) {
  bool handled = false;
  FOnDropDownMenuPopup(this, Menu, handled);
  return handled;
}

bool TkvCustomButton::PopupMenuAt(TComponent* Menu, Integer X, Integer Y) { return ShowPopupMenuAt(this, Menu, X, Y); }

void TkvCustomButton::DoContextPopup(TPoint MousePos, bool& Handled) {
  TButton::DoContextPopup(MousePos, Handled);
  if (Handled) return;
  if (MousePos.X == -1 && MousePos.Y == -1) MousePos = TPoint(0, 0);
  TPoint p = ClientToScreen(MousePos);
  Handled = PopupMenuAt(FPopupMenu, p.X, p.Y);
}

void TkvCustomButton::TakeActionImages() {
  if (auto* action = dynamic_cast<TCustomAction*>(GetAction())) FGlyph->SetImageIndex(action->GetImageIndex());
}

void TkvCustomButton::ActionChange(TObject* Sender, bool CheckDefaults) {
  TButton::ActionChange(Sender, CheckDefaults);
  TakeActionImages();
}

TClassOf<TActionLink> TkvCustomButton::GetActionLinkClass() { return TkvButtonActionLink::ClassInfo(); }

// ---- Window ----------------------------------------------------------------------------------------

void TkvCustomButton::CreateParams(TCreateParams& Params) {
  TButton::CreateParams(Params);
  if (!UsesNativeDrawing()) Params.Style |= BS_OWNERDRAW;
}

void TkvCustomButton::CreateHandle() {
  TButton::CreateHandle();
  FGlyph->ImageIndexForState(GetEnabled() ? kvbsNormal : kvbsDisabled);
}

void TkvCustomButton::DestroyWindowHandle() {
  if (FMenuOpen && HandleAllocated()) SendMessage(GetHandle(), KVM_DROPDOWNMENUCLOSED, 0, 0);
  TButton::DestroyWindowHandle();
}

void TkvCustomButton::SetButtonStyle(bool ADefault) {
  if (UsesNativeDrawing()) {
    TButton::SetButtonStyle(ADefault);
    return;
  }
  if (ADefault == FDefaultButtonStyle) return;
  FDefaultButtonStyle = ADefault;
  Refresh();
}

TRect TkvCustomButton::ArrowPart() {
  TRect r = GetClientRect();
  return TRect(r.Right - kvSplitArrowWidth, r.Top, r.Right, r.Bottom);
}

void TkvCustomButton::DropDownTest(const TPoint& P) {
  if (FKind == kvbkDropDownButton && !RectHoldsPoint(ArrowPart(), P)) return;
  PostMessage(GetHandle(), KVM_DROPDOWNMENU, 0, 0);
}

// Speed-mode mouse and keys; Handled ends the message there.
void TkvCustomButton::SpeedModeMessage(TMessage& Message, bool& Handled) {
  Handled = false;
  TWeakRef<TkvCustomButton> self(this);
  switch (Message.Msg) {
    case WM_KEYUP:
      if (Message.WParam == VK_SPACE) SetDown(!FDown);
      break;
    case WM_LBUTTONDOWN: {
      FMousePressed = true;
      Invalidate();
      TPoint p = MessagePoint(Message.LParam);
      if (FKind != kvbkStandard) DropDownTest(p);
      FPressedLook = !(FKind == kvbkDropDownButton && RectHoldsPoint(ArrowPart(), p));
      if (CanFocus()) SetFocus();
      Handled = true;
      break;
    }
    case WM_LBUTTONUP:
      if (FGroupIndex != 0) {
        SetDown(!FDown);
      } else {
        FMousePressed = false;
        FPressedLook = false;
      }
      Click();
      if (self) Invalidate();
      Handled = true;
      break;
    case WM_LBUTTONDBLCLK:
      DblClick();
      if (self) Invalidate();
      Handled = true;
      break;
    default: break;
  }
}

void TkvCustomButton::WndProc(TMessage& Message) {
  if (InSpeedMode() && !GetComponentState().Contains(csDesigning)) {
    bool handled;
    SpeedModeMessage(Message, handled);
    if (handled) return;
    TButton::WndProc(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
      if (FKind == kvbkDropDownButton && RectHoldsPoint(ArrowPart(), MessagePoint(Message.LParam)))
        FMousePressed = true;
      break;
    case WM_LBUTTONUP: FMousePressed = false; break;
    case WM_LBUTTONDBLCLK: Message.Result = Perform(WM_LBUTTONDOWN, Message.WParam, Message.LParam); return;
    default: break;
  }
  TButton::WndProc(Message);
}

void TkvCustomButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (Button == mbLeft && FKind != kvbkStandard && !InSpeedMode()) {
    if (FMenuOpen) {
      FMenuJustClosed = true;
      FMenuOpen = false;
      FPressedLook = false;
      Repaint();
    } else {
      DropDownTest(TPoint(X, Y));
    }
  }
  TButton::MouseDown(Button, Shift, X, Y);
}

void TkvCustomButton::Click() {
  if (FKind == kvbkDropDown && !FMenuOpen) {
    if (!FMenuJustClosed && HandleAllocated()) PostMessage(GetHandle(), KVM_DROPDOWNMENU, 0, 0);
    FMenuJustClosed = false;
    return;
  }
  if (FMenuJustClosed && FKind != kvbkStandard) {
    FMenuJustClosed = false;
    return;
  }
  TButton::Click();
}

void TkvCustomButton::KeyDown(Word& Key, TShiftState Shift) {
  if (FKind == kvbkDropDownButton && (Key == VK_UP || Key == VK_DOWN) &&
      (Shift.Contains(ssAlt) || Shift.Contains(ssShift))) {
    if (!FMenuOpen && HandleAllocated()) PostMessage(GetHandle(), KVM_DROPDOWNMENU, 0, 0);
    Key = 0;
    return;
  }
  TButton::KeyDown(Key, Shift);
}

void TkvCustomButton::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TButton::MouseMove(Shift, X, Y);
  if (!FHot && HotTrackingAllowed() && RectHoldsPoint(GetClientRect(), TPoint(X, Y)) && !GetCapture())
    Perform(CM_MOUSEENTER, 0, 0);
}

// ---- Messages --------------------------------------------------------------------------------------

void TkvCustomButton::CNMeasureItem(TMessage& Message) {
  auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
  item->itemWidth = static_cast<UINT>(GetWidth());
  item->itemHeight = static_cast<UINT>(GetHeight());
}

void TkvCustomButton::CNDrawItem(TMessage& Message) {
  if (GetComponentState().Contains(csDestroying)) return;
  DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam));
}

void TkvCustomButton::CNKeyDown(TMessage& Message) {
  if (PopupMenuShortCutHandled(FPopupMenu, Message)) {
    Message.Result = 1;
    return;
  }
  InheritedMessage(Message);
}

void TkvCustomButton::CMDialogChar(TMessage& Message) {
  if (IsAccel(static_cast<Word>(Message.WParam), GetCaption()) && CanFocus()) {
    SetDown(!FDown);
    Click();
    Message.Result = 1;
    return;
  }
  InheritedMessage(Message);
}

void TkvCustomButton::CMFontChanged(TMessage& Message) {
  InheritedMessage(Message);
  Invalidate();
}

void TkvCustomButton::CMEnabledChanged(TMessage& Message) {
  InheritedMessage(Message);
  if (!GetEnabled()) FHot = false;
  Invalidate();
}

void TkvCustomButton::CMMouseEnter(TMessage& Message) {
  InheritedMessage(Message);
  if (GetComponentState().Contains(csDesigning) || FHot || !HotTrackingAllowed() || GetCapture()) return;
  StartMouseLeaveWatch(this, TRect(0, 0, GetWidth(), GetHeight()), FTrackingCaller.get());
  FHot = true;
  Repaint();
}

void TkvCustomButton::CMMouseLeave(TMessage& Message) {
  InheritedMessage(Message);
  if (GetComponentState().Contains(csDesigning)) return;
  StopMouseLeaveWatch(FTrackingCaller.get());
  FMousePressed = FMenuOpen;
  if (FHot && HotTrackingAllowed()) {
    FHot = false;
    Invalidate();
  }
}

void TkvCustomButton::WMCaptureChanged(TMessage& Message) {
  InheritedMessage(Message);
  if (!GetComponentState().Contains(csDesigning)) FHot = HotTrackingAllowed() && CursorOverButton();
}

void TkvCustomButton::WMContextMenu(TMessage& Message) {
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

void TkvCustomButton::KVMDropDownMenu(TMessage&) {
  if (FKind == kvbkStandard) return;
  TPopupMenu* menu = FDropDownMenu;
  if (FireDropDownMenuPopup(menu) || !menu) return;
  // The menu's item handlers may free the button or the menu: both are held weakly.
  TWeakRef<TkvCustomButton> self(this);
  TWeakRef<TPopupMenu> menuRef(menu);
  FMenuOpen = true;
  Repaint();
  Integer x = FPopupAlignment == paRight ? GetWidth() : FPopupAlignment == paCenter ? GetWidth() / 2 : 0;
  TPoint p = ClientToScreen(TPoint(x, GetHeight()));
  TRect area = NearestMonitorWorkArea(p);
  if (area.Bottom < p.Y + PopupMenuHeight(menu)) p.Y -= PopupMenuHeight(menu) + GetHeight() + 2;
  TPopupAlignment saved = menu->GetAlignment();
  if (p.X <= area.Left)
    menu->SetAlignment(paRight);
  else if (p.X >= area.Right)
    menu->SetAlignment(paLeft);
  else
    menu->SetAlignment(FPopupAlignment);
  menu->SetPopupComponent(this);
  menu->Popup(p.X, p.Y);
  if (menuRef) menuRef->SetAlignment(saved);
  if (self && self->HandleAllocated()) PostMessage(self->GetHandle(), KVM_DROPDOWNMENUCLOSED, 0, 0);
}

void TkvCustomButton::KVMDropDownMenuClosed(TMessage&) {
  FHot = HotTrackingAllowed() && CursorOverButton();
  FMenuOpen = false;
  Repaint();
  if (!InSpeedMode()) FMousePressed = false;
}

// ---- Painting ----------------------------------------------------------------------------------------

void TkvCustomButton::DrawItem(const DRAWITEMSTRUCT& Item) {
  FControlCanvas->PaintOn(Item.hDC, [&] {
    if (FMousePressed)
      FPressedLook = FPressedLook && InSpeedMode();
    else
      FPressedLook = (Item.itemState & ODS_SELECTED) != 0;
    FDefaultLook = (Item.itemState & ODS_FOCUS) != 0 || (GetDefault() && GetComponentState().Contains(csDesigning));
    Paint();
  });
}

void TkvCustomButton::Paint() {
  if (UsesNativeDrawing()) return;
  TkvCustomLookAndFeelPainterClass painter = Painter();
  TkvCanvas* canvas = FKvCanvas.get();
  TRect r = GetClientRect();
  if (painter == FLookAndFeel->GetSkinPainter() && painter) {
    CopyParentImage(this, canvas, r, true);
  } else if (painter->PainterStyle() == kvpsNative) {
    HTHEME theme = ObtainTheme(totButton);
    if (theme && UxIsThemeBackgroundPartiallyTransparent(theme, 1, 1)) DrawParentBackground(this, canvas, r);
  }
  TRect arrow;
  if (FKind == kvbkDropDown) FPressedLook = FMenuOpen;
  if (FKind == kvbkDropDownButton) {
    arrow = ArrowPart();
    r.Right -= kvSplitArrowIndent;
  }
  TkvButtonState state = ButtonState();
  canvas->GetCanvas()->SetFont(GetFont());
  TColor color = FColors->FaceColorFor(state);
  TColor textColor = FColors->TextColorFor(state);
  if (textColor == clDefault) textColor = painter->ButtonGlyphColor(state, canvas->GetCanvas()->GetFont()->GetColor());
  canvas->GetCanvas()->GetFont()->SetColor(textColor);
  FOnGetDrawParams(this, state, color, canvas->GetCanvas()->GetFont());
  textColor = canvas->GetCanvas()->GetFont()->GetColor();
  painter->PaintButton(canvas, r, "", state, true, color, textColor, false);
  TPoint offset{0, 0};
  if (state == kvbsPressed) {
    Integer shift = painter->ButtonPressedTextShift();
    if (shift != 0) offset = TPoint(shift, shift);
  }
  TRect content = RectInflated(GetClientRect(), -painter->ButtonFrameWidth(state), -painter->ButtonFrameWidth(state));
  if (FKind == kvbkDropDownButton) content.Right -= kvSplitArrowIndent;
  canvas->PushClip();
  canvas->ClipToRect(content);
  TakeActionImages();
  FGlyph->PaintContent(canvas, content, offset, GetCaption(), FLayout, FMargin, FSpacing, state,
                       BiDiFlags(), false);
  canvas->PopClip();
  if (FKind == kvbkDropDownButton) {
    TkvButtonState arrowState = state;
    if (FMenuOpen)
      arrowState = kvbsPressed;
    else if (state == kvbsPressed)
      arrowState = FDefaultButtonStyle ? kvbsHot : kvbsNormal;
    painter->PaintButton(canvas, arrow, "", arrowState, true, color, textColor, false);
    painter->PaintScrollArrowGlyph(canvas, arrow, arrowState, adDown);
  }
  if (CanFocus() && Focused() && !FMenuOpen) canvas->DrawFocusFrame(painter->ButtonFocusBounds(canvas, GetClientRect()));
}

// ---- Action link -------------------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvButtonActionLink)

TkvButtonActionLink::~TkvButtonActionLink() {
  auto* button = static_cast<TkvCustomButton*>(FClient);
  if (button->GetComponentState().Contains(csDestroying)) return;
  button->GetGlyphObject()->SetImages(nullptr);
  button->GetGlyphObject()->SetImageIndex(-1);
}

void TkvButtonActionLink::SetImageIndex(Integer Value) {
  TButtonActionLink::SetImageIndex(Value);
  static_cast<TkvCustomButton*>(FClient)->GetGlyphObject()->SetImageIndex(Value);
}
