// An editor's layout: container state, border, colours, client rectangle and the place, width
// and state of every visible button; and the button metrics it uses.

#include <algorithm>
#include <climits>

#include "gdi/SysMetrics.h"
#include "gdi/UxTheme.h"
#include "toolkit/editors/kvEdit.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/foundation/kvDWMApi.h"
#include "toolkit/foundation/qzThemeManager.h"
#include "toolkit/foundation/qzUxTheme.h"
#include "user/Input.h"

namespace {

// The content margins of a theme part, measured on a 100 x 100 rectangle.
TRect ThemeContentMargins(TkvCanvas* Canvas, TqzThemedObjectType Kind, int Part, int State) {
  HTHEME theme = ObtainTheme(Kind);
  if (!theme) return TRect();
  RECT bounds{0, 0, 100, 100}, content = bounds;
  UxGetThemeBackgroundContentRect(theme, Canvas ? Canvas->DCHandle() : nullptr, Part, State, &bounds, &content);
  return TRect(content.Left, content.Top, 100 - content.Right, 100 - content.Bottom);
}

bool IsRectEmpty(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }

bool Contains(const TRect& R, const TPoint& P) {
  return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}

TkvContainerState ToContainerState(Byte State) {
  TkvContainerState result;
  if (State & kvesNormal) result.Include(csNormal);
  if (State & kvesActive) result.Include(csActive);
  if (State & kvesDisabled) result.Include(csDisabled);
  if (State & kvesHot) result.Include(csHot);
  return result;
}

TkvEditButtonStyle ButtonStyleOfKind(TkvLookAndFeelKind Kind) {
  switch (Kind) {
    case lfFlat:
      return btsFlat;
    case lfUltraFlat:
      return btsUltraFlat;
    case lfOffice11:
      return btsOffice11;
    default:
      return bts3D;
  }
}

TkvEditPopupBorderStyle PopupBorderOfKind(TkvLookAndFeelKind Kind) {
  switch (Kind) {
    case lfFlat:
      return epbsFlat;
    case lfStandard:
      return epbsFrame3D;
    default:
      return epbsSingle;
  }
}


const TShiftState kMouseShift{ssLeft, ssRight, ssMiddle, ssDouble};
const TShiftState kMouseButtons{ssLeft, ssRight, ssMiddle};

}  // namespace

TkvLookAndFeelKind KindOfButtonStyle(TkvEditButtonStyle Style) {
  switch (Style) {
    case btsFlat:
    case btsSimple:
    case btsHotFlat:
      return lfFlat;
    case btsUltraFlat:
      return lfUltraFlat;
    case btsOffice11:
      return lfOffice11;
    default:
      return lfStandard;
  }
}

// ---- Routines ------------------------------------------------------------------------------

Integer EditButtonWidth(TkvCanvas* Canvas, TkvEditButtonViewInfo* Button) {
  TqzThemedObjectType kind = Button->ComboDropButton ? totComboBox : totButton;
  if (Button->NativeStyle) Button->NativeStyle = NativeThemeOpen(true, kind);
  Integer margins = 4;
  if (Button->NativeStyle) {
    TRect m = ThemeContentMargins(Canvas, kind, 1, 1);
    margins = m.Left + m.Right;
  }
  if (Button->Width >= 1) return std::max(Button->Width, margins);
  if (Button->Kind == bkGlyph && IsGlyphUsable(Button->Glyph)) return Button->Glyph->GetWidth() + margins;
  Integer width = Button->Kind == bkText ? margins + Canvas->MeasureText(Button->VisibleCaption).cx + 3 : 0;
  return std::max(width, GetSystemMetrics(SM_CYHSCROLL));
}

Integer EditButtonsContentVerticalOffset(TkvCanvas* Canvas, TkvEditButtonStyle ButtonStyle, bool Native) {
  if (Native) {
    TRect m = ThemeContentMargins(Canvas, totButton, 1, 1);
    return m.Top + m.Bottom;
  }
  switch (ButtonStyle) {
    case btsDefault:
      return 0;
    case bts3D:
      return 4;
    default:
      return 2;
  }
}

Integer NativeInnerEditHeightCorrection(TkvCustomEditProperties* Properties, bool Inplace) {
  return Inplace && Properties->GetButtons()->GetCount() > 0 ? 1 : 0;
}

bool EditViewHasShadow(TkvCustomEditViewData* ViewData) {
  TkvCustomEditStyle* style = ViewData->GetEditStyle();
  return style->GetShadow() && !TkvCustomEditViewData::UsesNativeLook(style->GetLookAndFeel());
}

// ---- View data -----------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvCustomEditViewData)

TAVREN_CLASS_IMPL(TkvCustomEditViewDataArgs)

TkvCustomEditViewData::TkvCustomEditViewData(TkvCustomEditViewDataArgs* Args)
    : Properties(Args->Properties), Inplace(Args->Inplace), FStyle(Args->Style) {
  InitDefaults();
  Color1 = Color2 = clDefault;
  InitFromProperties();
}

bool TkvCustomEditViewData::UsesNativeLook(TkvLookAndFeel* LookAndFeel) {
  return LookAndFeel && NativeThemeOpen(LookAndFeel->GetNativeStyle(), totEdit);
}

void TkvCustomEditViewData::InitDefaults() {
  InplaceBorderOffsets = TRect();
  Enabled = true;
}

void TkvCustomEditViewData::InitFromProperties() {
  VisibleButtonCount = Properties->GetButtons()->VisibleCount();
  UnfocusedRaw = Properties->GetValueFormatKind(false) == 0;
  TkvEditAlignment* alignment = Properties->GetAlignment();
  HorzAlignment = alignment->GetHorz();
  VertAlignment = alignment->GetVert();
  NativeStyle = UsesNativeLook(FStyle->GetLookAndFeel());
  InitContentParams(ContentParams);
}

void TkvCustomEditViewData::GetDefaultContentOffsets(TRect& R) {
  R = Inplace ? TRect(1, 1, 1, 1) : TRect(1, 1, 1, 3);
}

Integer TkvCustomEditViewData::InitContentParams(TkvContentParams& Params) {
  Params.ExternalBorderBounds = TRect();
  GetDefaultContentOffsets(Params.Offsets);
  Params.Correction1 = 2;
  Params.Correction2 = static_cast<Byte>(3 - Params.Offsets.Left - Params.Offsets.Right);
  Params.HeightCorrection = NativeStyle ? NativeInnerEditHeightCorrection(Properties, Inplace) : 0;
  return 2;
}

Integer TkvCustomEditViewData::GetNativeState() {
  if (!Enabled) return 4;
  if (Properties->GetReadOnly()) return 6;
  if (Focused) return DwmCompositionEnabled() ? 3 : 5;
  return (ContainerState & kvesHot) ? 2 : 1;
}

Byte TkvCustomEditViewData::GetContainerState(const TRect& ABounds, const TPoint& P, Integer, TShiftState Shift,
                                              bool) {
  if (!Enabled) return kvesDisabled;
  if (Designing) return kvesNormal;
  Byte state = Focused ? kvesActive : kvesNormal;
  TRect tracking = Shrunk(ABounds, InplaceBorderOffsets);
  if (Edit) Edit->GetMouseTrackingBounds(tracking);
  bool captured = Edit && Edit->HandleAllocated() && GetCapture() == Edit->GetHandle();
  if (Contains(tracking, P) && ((Shift * kMouseButtons).Empty() || captured)) state |= kvesHot;
  return state;
}

TkvEditBorderStyle TkvCustomEditViewData::GetBorderStyle() {
  if (Inplace) return ebsNone;
  TkvEditBorderStyle style = FStyle->GetBorderStyle();
  return style == ebsUltraFlat || style == ebsOffice11 ? ebsSingle : style;
}

void TkvCustomEditViewData::GetBorderExtent(TRect& R) {
  if (Inplace) {
    R = InplaceBorderOffsets;
    return;
  }
  TkvCustomLookAndFeelPainterClass painter = FStyle->GetLookAndFeel()->GetSkinPainter();
  auto* base = static_cast<TkvCustomEditStyle*>(FStyle->RootStyle());
  if (FStyle->GetTransparentBorder() && !painter) {
    R = TRect(2, 2, 2, 2);
  } else if (!FStyle->ShowsBorder() || (NativeStyle && base->GetBorderStyle() == ebsNone)) {
    R = TRect();
  } else if (NativeStyle) {
    R = TRect(2, 2, 2, 2);
  } else {
    Integer width = painter ? 1 : BorderWidthOf(static_cast<TkvContainerBorderStyle>(GetBorderStyle()));
    TkvBorders edges = FStyle->GetEdges();
    R = TRect(edges.Contains(bLeft) ? width : 0, edges.Contains(bTop) ? width : 0,
              edges.Contains(bRight) ? width : 0, edges.Contains(bBottom) ? width : 0);
  }
  if (HasShadow()) {
    R.Right += 3;
    R.Bottom += 3;
  }
}

void TkvCustomEditViewData::GetContentBorderExtent(TkvCanvas* Canvas, TRect& R) {
  if (Inplace) {
    R = InplaceBorderOffsets;
    return;
  }
  if (!NativeStyle) return GetBorderExtent(R);
  bool bordered = static_cast<TkvCustomEditStyle*>(FStyle->RootStyle())->GetBorderStyle() != ebsNone;
  if (bordered)
    R = ThemeContentMargins(Canvas, totEdit, 1, 1);
  else
    R = FStyle->GetTransparentBorder() ? TRect(2, 2, 2, 2) : TRect();
}

void TkvCustomEditViewData::GetClientExtent(TkvCanvas* Canvas, TkvCustomEditViewInfo* ViewInfo, TRect& R) {
  GetBorderExtent(R);
  if (Properties->GetButtonsLayout() != 0 && ViewInfo->ButtonCount() > 0) {
    TRect content;
    GetContentBorderExtent(Canvas, content);
    R.Left = content.Left;
    R.Right = content.Right;
  }
  if (HasHorzScrollBar) R.Bottom += GetSystemMetrics(SM_CYHSCROLL);
  if (HasVertScrollBar) R.Right += GetSystemMetrics(SM_CXVSCROLL);
  for (auto& button : ViewInfo->Buttons) {
    if (button->LeftAlignment)
      R.Left = std::max(R.Left, button->Bounds.Right - Bounds.Left);
    else
      R.Right = std::max(R.Right, Bounds.Right - button->Bounds.Left);
  }
}

bool TkvCustomEditViewData::HasShadow() { return EditViewHasShadow(this); }

TColor TkvCustomEditViewData::GetBorderColor() {
  bool highlighted = (ContainerState & kvesActive) || ((ContainerState & kvesHot) && FStyle->GetHotTrack());
  if (TkvCustomLookAndFeelPainterClass painter = FStyle->GetLookAndFeel()->GetSkinPainter())
    return painter->ContainerFrameColor(highlighted);
  TkvEditBorderStyle style = FStyle->GetBorderStyle();
  if (style != ebsUltraFlat && style != ebsOffice11) return FStyle->GetBorderColor();
  if (highlighted || (Designing && Enabled)) return EditHighlightColor(style == ebsOffice11);
  return clBtnShadow;
}

void TkvCustomEditViewData::GetColors(TColor& Background, TColor& Text) {
  Background = Text = clDefault;
  if (TkvCustomLookAndFeelPainterClass painter = FStyle->GetLookAndFeel()->GetSkinPainter()) {
    if (!FStyle->IsValueAssigned(svColor)) Background = painter->EditorBackgroundColor(!Enabled);
    if (!FStyle->IsValueAssigned(svTextColor)) Text = painter->EditorTextColor(!Enabled);
  }
  if (Text == clDefault) Text = FStyle->GetTextColor();
  if (Edit && Edit->DefaultParentColor()) Background = FStyle->GetColor();
  if (Background != clDefault) return;
  if (NativeStyle && !Enabled && !FStyle->IsValueAssigned(svColor))
    if (HTHEME theme = ObtainTheme(totEdit)) {
      COLORREF fill = 0;
      if (UxGetThemeColor(theme, DwmCompositionEnabled() ? 3 : 1, GetNativeState(), TMT_FILLCOLOR, &fill) == S_OK) {
        Background = static_cast<TColor>(fill);
        return;
      }
    }
  Background = FStyle->GetColor();
}

TkvEditButtonStyle TkvCustomEditViewData::GetButtonStyle() {
  TkvEditButtonStyle style = FStyle->GetButtonStyle();
  if (style != btsDefault) return style;
  TkvEditBorderStyle border = FStyle->GetBorderStyle();
  if (!Inplace && (border != ebsNone || FStyle->GetHotTrack())) {
    const TkvEditButtonStyle kByBorder[] = {btsSimple, btsHotFlat, bts3D, btsFlat, bts3D, btsUltraFlat, btsOffice11};
    return kByBorder[border];
  }
  return ButtonStyleOfKind(FStyle->GetLookAndFeel()->GetKind());
}

Byte TkvCustomEditViewData::GetPaintOptions() {
  Byte options = PaintOptionsByte;
  if (!IsRectEmpty(ContentParams.ExternalBorderBounds)) options |= 4;
  if (ContentParams.Correction1 & 1) options |= 16;
  return options;
}

void TkvCustomEditViewData::FillBorderInfo(TkvCustomEditViewInfo* ViewInfo) {
  ViewInfo->NativeStyle = NativeStyle;
  ViewInfo->NativeState = NativeStyle ? GetNativeState() : 0;
  GetBorderExtent(ViewInfo->BorderExtent);
  ViewInfo->BorderRect = Shrunk(Bounds, ViewInfo->BorderExtent);
  ViewInfo->ShadowRect = ViewInfo->BorderRect;
  ViewInfo->HasContentOffsets = !IsRectEmpty(InplaceBorderOffsets) || InplaceBorderOffsets != TRect();
  if (!Inplace) ViewInfo->BorderColor = GetBorderColor();
  GetColors(ViewInfo->BackgroundColor, ViewInfo->TextColor);
}

void TkvCustomEditViewData::ComputeViewInfo(TkvCanvas* Canvas, const TRect& ABounds, const TPoint& P, Integer Button,
                                            TShiftState Shift, TkvCustomEditViewInfo* ViewInfo, bool IsMouseEvent) {
  Shift = Shift * kMouseShift;
  Bounds = ABounds;
  if (Edit) FStyle = static_cast<TkvCustomEditStyle*>(Edit->GetActiveStyle());
  ContainerState = GetContainerState(ABounds, P, Button, Shift, IsMouseEvent);
  Selected = ContainerState & (kvesActive | kvesHot);
  auto* base = static_cast<TkvCustomEditStyle*>(FStyle->RootStyle());
  TkvEditBorderStyle border = Inplace || !NativeStyle ? GetBorderStyle() : base->GetBorderStyle();
  ViewInfo->BorderStyle = static_cast<TkvContainerBorderStyle>(border);
  ViewInfo->ContainerState = ToContainerState(ContainerState);
  ViewInfo->Edit = Edit;
  ViewInfo->Properties = Properties;
  ViewInfo->Bounds = ABounds;
  ViewInfo->Painter = FStyle->GetLookAndFeel()->GetSkinPainter();
  ViewInfo->Enabled = Enabled;
  ViewInfo->Focused = Focused;
  ViewInfo->HasBackground = Edit && Edit->ErasesBackground();
  ViewInfo->HasInnerEdit = InnerEdit && InnerEdit->GetVisible();
  ViewInfo->IsContainerInnerControl = Edit && dynamic_cast<IkvContainerInnerControl*>(Edit);
  ViewInfo->Designing = Designing;
  ViewInfo->Inplace = Inplace;
  ViewInfo->Selected = Selected;
  ViewInfo->PaintOptions = GetPaintOptions();
  ViewInfo->Edges = FStyle->GetEdges();
  ViewInfo->Font = FStyle->GetDirectAccess() ? FStyle->GetFont() : FStyle->GetEffectiveFont();
  ViewInfo->Shadow = !Inplace && HasShadow();
  ViewInfo->WindowHandle = WindowHandle;
  ViewInfo->HotTrack = (Designing || !FStyle->GetHotTrack() || Inplace) ? 0 : (Selected ? 2 : 1);
  Integer layout = Properties->GetButtonsLayout();
  StretchesButtons = (Inplace && ABounds.Right != kvMeasuringBounds.Right && layout != 0) || layout == 1;
  FillBorderInfo(ViewInfo);
  ComputeButtons(Canvas, ABounds, P, Button, Shift, ViewInfo, IsMouseEvent);
  TRect extent;
  GetClientExtent(Canvas, ViewInfo, extent);
  ViewInfo->ClientRect = Shrunk(ABounds, extent);
  ViewInfo->InnerEditRect = ViewInfo->HasInnerEdit ? InnerEdit->GetBoundsRect() : ViewInfo->ClientRect;
  ViewInfo->PopupBorderStyle = ResolvePopupBorderStyle();
}

void TkvCustomEditViewData::ComputeButtons(TkvCanvas* Canvas, const TRect& ABounds, const TPoint& P, Integer Button,
                                           TShiftState Shift, TkvCustomEditViewInfo* ViewInfo, bool IsMouseEvent) {
  TkvEditButtonTransparency transparency = FStyle->GetButtonTransparency();
  bool hidden = VisibleButtonCount == 0 || (!Focused && transparency == ebtHideInactive) ||
                (!Focused && !(ContainerState & kvesHot) && transparency == ebtHideUnselected);
  Integer previousPressed = IsMouseEvent ? ViewInfo->PressedButton : -1;
  ViewInfo->PressedButton = ViewInfo->HotButton = -1;
  LeftGroupLeftmost = LeftGroupRightmost = RightGroupLeftmost = RightGroupRightmost = -1;
  ViewInfo->MouseActivity = false;
  if (hidden) return ViewInfo->SetButtonCount(0);
  ViewInfo->SetButtonCount(VisibleButtonCount);
  TkvEditButtons* buttons = Properties->GetButtons();
  TRect area;
  GetContentBorderExtent(Canvas, area);
  area = Shrunk(ABounds, area);
  bool comboFirst = VisibleButtonCount == 1 && buttons->GetCount() > 0;
  if (comboFirst)
    for (Integer i = 0; i < buttons->GetCount(); ++i)
      if (buttons->GetButton(i)->GetVisible()) comboFirst = buttons->GetButton(i)->GetKind() == bkDown;
  if (NativeStyle && !Inplace && DwmCompositionEnabled() && comboFirst) area = ABounds;
  const Integer total = area.Width();
  bool fontPrepared = false;
  Integer visible = VisibleButtonCount;
  TkvEditButtonStyle style = GetButtonStyle();
  for (Integer i = buttons->GetCount() - 1; i >= 0; --i) {
    TkvEditButton* button = buttons->GetButton(i);
    if (!button->GetVisible()) continue;
    if (button->GetKind() == bkText && !fontPrepared) {
      Canvas->AssignFont(FStyle->GetEffectiveFont());
      ViewInfo->PrepareCanvasFont(Canvas);
      fontPrepared = true;
    }
    TkvEditButtonViewInfo* info = ViewInfo->Buttons[--visible].get();
    info->Index = i;
    info->ButtonStyle = style;
    FillButtonViewInfo(Canvas, ViewInfo, button, info);
    PlaceButton(Canvas, ViewInfo, visible, area);
  }
  StretchButtons(ViewInfo, total, area.Width());
  ComputeButtonStates(P, Button, Shift, ViewInfo, previousPressed);
  SetEdgeFlags(ViewInfo);
}

void TkvCustomEditViewData::FillButtonViewInfo(TkvCanvas*, TkvCustomEditViewInfo* ViewInfo, TkvEditButton* Button,
                                               TkvEditButtonViewInfo* Info) {
  Info->ComboDropButton = VisibleButtonCount == 1 && Button->GetKind() == bkDown;
  Info->Kind = Button->GetKind();
  if (Info->Kind == bkText) {
    Info->Caption = Button->GetCaption();
    Info->TextColor = ViewInfo->OnButtonTextColor ? ViewInfo->OnButtonTextColor(ViewInfo, Info->Index)
                                                  : Button->GetTextColor();
    Info->VisibleCaption = Button->GetVisibleCaption();
  }
  Info->ContentAlignment = Button->GetContentAlignment();
  Info->Default = Button->GetDefault();
  Info->Glyph = Button->HasGlyph() ? Button->GetGlyph() : nullptr;
  Info->Gradient = FStyle->GetGradientButtons();
  Info->Inplace = Inplace;
  Info->LeftAlignment = Button->GetLeftAlignment();
  Info->GroupStart = Info->GroupEnd = false;
  Info->NativeStyle = NativeStyle;
  Info->Stretchable = Button->GetStretchable();
  Info->Width = Button->GetWidth() != 0 ? Button->GetWidth() : DoGetDefaultButtonWidth(Info->Index);
  TkvEditButtonTransparency transparency = FStyle->GetButtonTransparency();
  Info->Transparent = transparency == ebtAlways || (transparency == ebtInactive && !Selected);
  Info->BackgroundColor = ViewInfo->BackgroundColor;
  Info->HasBackground = ViewInfo->HasBackground;
}

void TkvCustomEditViewData::PlaceButton(TkvCanvas* Canvas, TkvCustomEditViewInfo* ViewInfo, Integer Index,
                                        TRect& R) {
  TkvEditButtonViewInfo* info = ViewInfo->Buttons[Index].get();
  if (IsRectEmpty(R)) {
    info->Bounds = info->VisibleBounds = TRect();
    return;
  }
  Integer width = EditButtonWidth(Canvas, info);
  Integer visibleWidth = std::min(width, R.Width());
  if (info->LeftAlignment) {
    info->Bounds = TRect(R.Left, R.Top, R.Left + width, R.Bottom);
    info->VisibleBounds = TRect(R.Left, R.Top, R.Left + visibleWidth, R.Bottom);
    R.Left += visibleWidth;
    if (LeftGroupLeftmost < 0) LeftGroupLeftmost = Index;
    LeftGroupRightmost = Index;
  } else {
    info->Bounds = TRect(R.Right - width, R.Top, R.Right, R.Bottom);
    info->VisibleBounds = TRect(R.Right - visibleWidth, R.Top, R.Right, R.Bottom);
    R.Right -= visibleWidth;
    if (RightGroupRightmost < 0) RightGroupRightmost = Index;
    RightGroupLeftmost = Index;
  }
}

void TkvCustomEditViewData::StretchButtons(TkvCustomEditViewInfo* ViewInfo, Integer Total, Integer Remaining) {
  if (!StretchesButtons || Remaining <= 0) return;
  const Integer count = ViewInfo->ButtonCount();
  std::vector<bool> takesPart(count);
  Integer base = 0;
  bool any = false;
  for (Integer i = 0; i < count; ++i) {
    takesPart[i] = ViewInfo->Buttons[i]->Stretchable && !IsButtonFixedWidth(i);
    if (takesPart[i]) {
      any = true;
      base += ViewInfo->Buttons[i]->Bounds.Width();
    }
  }
  if (!any) {
    std::fill(takesPart.begin(), takesPart.end(), true);
    base = Total - Remaining;
  }
  if (base <= 0) return;
  Integer last = -1;
  for (Integer i = 0; i < count; ++i)
    if (takesPart[i]) {
      last = i;
      break;
    }
  Integer left = Remaining;
  for (Integer i = count - 1; i >= 0; --i) {
    if (!takesPart[i]) continue;
    TkvEditButtonViewInfo* info = ViewInfo->Buttons[i].get();
    Integer grow = i == last ? left : info->Bounds.Width() * Remaining / base;
    left -= grow;
    if (info->LeftAlignment) {
      Integer edge = info->Bounds.Right;
      for (auto& other : ViewInfo->Buttons)
        if (other->LeftAlignment && other->Bounds.Left >= edge) {
          other->Bounds.Left += grow;
          other->Bounds.Right += grow;
        }
      info->Bounds.Right += grow;
    } else {
      Integer edge = info->Bounds.Left;
      for (auto& other : ViewInfo->Buttons)
        if (!other->LeftAlignment && other->Bounds.Right <= edge) {
          other->Bounds.Left -= grow;
          other->Bounds.Right -= grow;
        }
      info->Bounds.Left -= grow;
    }
  }
  for (auto& info : ViewInfo->Buttons) info->VisibleBounds = info->Bounds;
}

void TkvCustomEditViewData::ComputeButtonStates(const TPoint& P, Integer Button, TShiftState Shift,
                                                TkvCustomEditViewInfo* ViewInfo, Integer PreviousPressed) {
  TkvEditButtons* buttons = Properties->GetButtons();
  const bool leftOnly = Shift == TShiftState{ssLeft} || Shift == TShiftState{ssLeft, ssDouble};
  const bool mouseHeld = !(Shift * kMouseButtons).Empty();
  for (Integer i = 0; i < ViewInfo->ButtonCount(); ++i) {
    TkvEditButtonViewInfo* info = ViewInfo->Buttons[i].get();
    const bool pressedOutside = IsButtonPressed(ViewInfo, i);
    const Integer previous = info->State;
    Integer state;
    if (!Enabled || !buttons->GetButton(info->Index)->GetEnabled()) {
      state = ebsDisabled;
    } else if (!pressedOutside && (Designing || !Contains(info->VisibleBounds, P))) {
      state = ebsNormal;
    } else {
      const bool reentry = Button == 0 && Shift.Contains(ssLeft) && previous == ebsNormal && i == CaptureButtonIndex();
      const bool press = Button == 1 && leftOnly;
      const bool held = previous == ebsPressed && Shift.Contains(ssLeft);
      if (pressedOutside || press || held || reentry) ViewInfo->MouseActivity = true;
      if (!pressedOutside && !mouseHeld && !reentry) {
        state = ebsSelected;
        ViewInfo->HotButton = i;
      } else if (pressedOutside || (reentry && CanPressButton(ViewInfo, i)) ||
                 (leftOnly && ((press && CanPressButton(ViewInfo, i)) || i == PreviousPressed)) || held) {
        state = ebsPressed;
        ViewInfo->PressedButton = i;
      } else {
        state = ebsNormal;
      }
    }
    ViewInfo->OnButtonState(ViewInfo, state);
    info->State = state;
    FillButtonNativeState(info);
  }
}

void TkvCustomEditViewData::SetEdgeFlags(TkvCustomEditViewInfo* ViewInfo) {
  auto flag = [&](Integer Index, bool TkvEditButtonViewInfo::*Field) {
    if (Index >= 0) ViewInfo->Buttons[Index].get()->*Field = true;
  };
  flag(LeftGroupLeftmost, &TkvEditButtonViewInfo::GroupStart);
  if (!StretchesButtons || LeftGroupLeftmost < 0) flag(RightGroupLeftmost, &TkvEditButtonViewInfo::GroupStart);
  flag(RightGroupRightmost, &TkvEditButtonViewInfo::GroupEnd);
  if (!StretchesButtons || RightGroupRightmost < 0) flag(LeftGroupRightmost, &TkvEditButtonViewInfo::GroupEnd);
  if (StretchesButtons)
    for (auto& info : ViewInfo->Buttons) info->LeftAlignment = false;
}

void TkvCustomEditViewData::FillButtonNativeState(TkvEditButtonViewInfo* Button) {
  Integer part = 0;
  HTHEME theme = nullptr;
  if (NativeStyle) {
    theme = ObtainTheme(Button->ComboDropButton ? totComboBox : totButton);
    if (theme) {
      part = 1;
      if (Button->ComboDropButton)
        part = Button->LeftAlignment ? 7 : (!Inplace && DwmCompositionEnabled() ? 6 : 1);
    }
  }
  Button->NativePart = part;
  if (!part) {
    Button->PartiallyTransparent = false;
    Button->NativeState = 0;
    return;
  }
  Button->PartiallyTransparent = UxIsThemeBackgroundPartiallyTransparent(theme, part, Button->NativeState);
  const Integer kNativeStates[] = {4, 1, 3, 2};
  Button->NativeState = kNativeStates[Button->State];
}

void TkvCustomEditViewData::MeasureButtonsHeight(TkvCanvas* Canvas, bool AInplace, const TkvEditSizeRequest&,
                                                 TSize& Minimum, TkvCustomEditViewInfo* ViewInfo, TSize& NonClient) {
  Minimum = TSize{0, 0};
  NonClient = TSize{ViewInfo->Bounds.Width() - ViewInfo->ClientRect.Width(),
                    ViewInfo->Bounds.Height() - ViewInfo->ClientRect.Height()};
  Integer height = 0;
  bool fontPrepared = false;
  for (auto& info : ViewInfo->Buttons) {
    if (info->Kind == bkGlyph && info->Glyph) height = std::max(height, info->Glyph->GetHeight());
    if (AInplace && info->Kind == bkText) {
      if (!fontPrepared) {
        Canvas->AssignFont(FStyle->GetEffectiveFont());
        ViewInfo->PrepareCanvasFont(Canvas);
        fontPrepared = true;
      }
      height = std::max(height, Canvas->TextHeightOf(info->VisibleCaption));
    }
  }
  if (height <= 0) return;
  if (!ViewInfo->Painter) {
    TRect content;
    GetContentBorderExtent(Canvas, content);
    height += content.Top + content.Bottom;
  }
  height += EditButtonsContentVerticalOffset(Canvas, GetButtonStyle(), NativeStyle);
  Minimum.cy = std::max(0, height - NonClient.cy);
}

void TkvCustomEditViewData::MeasureContent(TkvCanvas* Canvas, const TkvEditSizeRequest& Request, TSize& Minimum,
                                           TkvCustomEditViewInfo* ViewInfo, TSize& NonClient) {
  std::unique_ptr<TkvCustomEditViewInfo> own;
  if (!ViewInfo) {
    own.reset(Properties->GetViewInfoClass().Create());
    ComputeViewInfo(Canvas, kvMeasuringBounds, TPoint{-1, -1}, 0, TShiftState{}, own.get(), false);
    ViewInfo = own.get();
  }
  MeasureButtonsHeight(Canvas, Inplace, Request, Minimum, ViewInfo, NonClient);
}

void TkvCustomEditViewData::GetEditContentSize(TkvCanvas* Canvas, const Variant&, const TkvEditSizeRequest&,
                                               TSize& Size) {
  if (Properties->GetButtonsLayout() == 0) return GetDefaultContentSize(Size);
  TSize offsets;
  GetContentOffsetSize(offsets);
  Canvas->AssignFont(FStyle->GetEffectiveFont());
  Size = TSize{0, offsets.cy + Canvas->TextHeightOf("Zg")};
}

void TkvCustomEditViewData::GetContentOffsetSize(TSize& Size) {
  const TRect& o = ContentParams.Offsets;
  Size = TSize{o.Left + o.Right + ContentParams.Correction2, o.Top + o.Bottom + ContentParams.HeightCorrection};
}

void TkvCustomEditViewData::GetEditSize(TkvCanvas* Canvas, const Variant& Value, TSize& Size,
                                        const TkvEditSizeRequest& Request) {
  TSize minimum, nonClient;
  MeasureContent(Canvas, Request, minimum, nullptr, nonClient);
  TkvEditSizeRequest content = Request;
  bool tooNarrow = false;
  if (Request.Width >= 0) {
    content.Width = Request.Width - nonClient.cx;
    if (content.Width < 0) {
      content.Width = 0;
      tooNarrow = true;
    }
  }
  TSize contentSize;
  GetEditContentSize(Canvas, Value, content, contentSize);
  EnlargeSize(contentSize, minimum);
  Size.cx = tooNarrow ? Request.Width : nonClient.cx + contentSize.cx;
  Size.cy = nonClient.cy + contentSize.cy;
  ConstrainEditSize(Size);
}

void TkvCustomEditViewData::ConstrainEditSize(TSize& Size) {
  if (Inplace || !Edit) return;
  TSizeConstraints* constraints = Edit->GetConstraints();
  if (constraints->GetMaxHeight() > 0) Size.cy = std::min(Size.cy, constraints->GetMaxHeight());
  if (constraints->GetMinHeight() > 0) Size.cy = std::max(Size.cy, constraints->GetMinHeight());
  if (constraints->GetMaxWidth() > 0) Size.cx = std::min(Size.cx, constraints->GetMaxWidth());
  if (constraints->GetMinWidth() > 0) Size.cx = std::max(Size.cx, constraints->GetMinWidth());
}

void TkvCustomEditViewData::EditValueToText(const Variant& Value, String& Text) {
  EditValueToDisplayText(Value, Text);
  FireDisplayText(Text);
}

Integer TkvCustomEditViewData::DoGetDefaultButtonWidth(Integer Index) {
  Integer width = 0;
  OnDefaultButtonWidth(this, Index, width);
  return width;
}

Integer TkvCustomEditViewData::CaptureButtonIndex() { return Edit ? Edit->GetCaptureButtonIndex() : -1; }

bool TkvCustomEditViewData::IsEditFormatActive() { return Edit ? Edit->PrefersEditFormat() : Focused; }

TkvEditPopupBorderStyle TkvCustomEditViewData::ResolvePopupBorderStyle() {
  TkvEditPopupBorderStyle style = FStyle->GetPopupBorderStyle();
  if (style != epbsDefault || !Edit) return style;
  if (Inplace) return PopupBorderOfKind(FStyle->GetLookAndFeel()->GetKind());
  TkvEditBorderStyle border = FStyle->GetBorderStyle();
  if (border != ebsNone || VisibleButtonCount == 0) {
    const TkvEditPopupBorderStyle kByBorder[] = {epbsFlat,   epbsSingle, epbsSingle, epbsFlat,
                                                 epbsSingle, epbsSingle, epbsSingle};
    return kByBorder[border];
  }
  return PopupBorderOfKind(KindOfButtonStyle(GetButtonStyle()));
}

// ---- Properties' factories -----------------------------------------------------------------

TkvCustomEditViewData* TkvCustomEditProperties::MakeViewData(TkvCustomEditStyle* Style, bool Inplace, bool Flag) {
  TkvCustomEditViewDataArgs args(this, Inplace, Style);
  TkvCustomEditViewData* data = GetViewDataClass().Create(&args);
  data->CreationFlag = Flag;
  return data;
}

TClassOf<TkvCustomEditViewData> TkvCustomEditProperties::GetViewDataClass() {
  return TkvCustomEditViewData::ClassInfo();
}

TClassOf<TkvCustomEditViewInfo> TkvCustomEditProperties::GetViewInfoClass() {
  return TkvCustomEditViewInfo::ClassInfo();
}
