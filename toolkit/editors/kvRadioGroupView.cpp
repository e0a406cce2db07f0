// The radio group's view: the checked item, the button metrics, theme states and the radio
// glyphs and captions the group draws itself (in place, or a data-aware copy).

#include "gdi/UxTheme.h"
#include "user/Rects.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/editors/kvRadioGroup.h"
#include "toolkit/foundation/qzThemeManager.h"
#include "toolkit/foundation/qzUxTheme.h"

TAVREN_CLASS_IMPL(TkvRadioGroupButtonViewInfo)
TAVREN_CLASS_IMPL(TkvCustomRadioGroupViewInfo)
TAVREN_CLASS_IMPL(TkvCustomRadioGroupViewData)

namespace {

TkvButtonState PainterStateOf(Integer State) {
  switch (State) {
    case ebsDisabled: return kvbsDisabled;
    case ebsPressed: return kvbsPressed;
    case ebsSelected: return kvbsHot;
    default: return kvbsNormal;
  }
}

Integer RadioThemeState(Integer State, bool Checked) {
  Integer unchecked;
  switch (State) {
    case ebsDisabled: unchecked = RBS_UNCHECKEDDISABLED; break;
    case ebsPressed: unchecked = RBS_UNCHECKEDPRESSED; break;
    case ebsSelected: unchecked = RBS_UNCHECKEDHOT; break;
    default: unchecked = RBS_UNCHECKEDNORMAL; break;
  }
  return Checked ? unchecked + (RBS_CHECKEDNORMAL - RBS_UNCHECKEDNORMAL) : unchecked;
}

}  // namespace

// ---- View info -------------------------------------------------------------------------------

void TkvRadioGroupButtonViewInfo::PlaceGlyph(const TSize& Glyph, Integer Side, bool PaintsDataCopy) {
  TkvGroupBoxButtonViewInfo::PlaceGlyph(Glyph, Side, PaintsDataCopy);
  if (PaintsDataCopy && !NativeStyle) OffsetRect(&GlyphRect, 1, 0);
}

TkvCustomRadioGroupViewInfo::TkvCustomRadioGroupViewInfo() { RadioButtonGlyphList(); }

void TkvCustomRadioGroupViewInfo::CopyFrom(TkvContainerViewInfo* Other) {
  TkvButtonGroupViewInfo::CopyFrom(Other);
  if (auto* other = dynamic_cast<TkvCustomRadioGroupViewInfo*>(Other)) CheckedIndex = other->CheckedIndex;
}

bool TkvCustomRadioGroupViewInfo::ButtonTransparent(TkvGroupBoxButtonViewInfo* Button) {
  return IsBackgroundBorrowed() || (Button->NativeStyle && Button->PartiallyTransparent);
}

void TkvCustomRadioGroupViewInfo::PaintButtonGlyph(TkvCanvas* Canvas, TkvGroupBoxButtonViewInfo* Button) {
  Canvas->PushClip();
  Canvas->ClipToRect(Button->Bounds);
  if (Button->NativeStyle) {
    if (HTHEME theme = ObtainTheme(totButton))
      UxDrawThemeBackground(theme, Canvas->DCHandle(), BP_RADIOBUTTON, Button->NativeState, &Button->GlyphRect, nullptr);
  } else {
    TkvCustomLookAndFeelPainterClass painter = Painter ? Painter : PainterOfKind(KindOfButtonStyle(Button->ButtonStyle));
    const TColor background = IsBackgroundBorrowed() ? clDefault : BackgroundColor;
    painter->PaintRadioButton(Canvas, Button->GlyphRect.Left, Button->GlyphRect.Top, PainterStateOf(Button->State),
                              Button->Index == CheckedIndex, false, background, Designing);
  }
  Canvas->PopClip();
}

void TkvCustomRadioGroupViewInfo::PaintButtonCaption(TkvCanvas* Canvas, TkvGroupBoxButtonViewInfo* Button) {
  Canvas->AssignFont(Font);
  Canvas->CurrentFont()->SetColor(TextColor);
  PrepareCanvasFont(Canvas);
  TRect r = Button->Bounds;
  if (GlyphSide == 1)
    r.Left = Button->GlyphRect.Right;
  else
    r.Right = Button->GlyphRect.Left;
  r = Button->NativeStyle ? TRect(r.Left + 3, r.Top - 1, r.Right, r.Bottom + 1)
                          : TRect(r.Left + 5, r.Top, r.Right - 1, r.Bottom);
  if (PaintsDataCopy) OffsetRect(&r, 0, -1);
  Canvas->CurrentBrush()->SetStyle(bsClear);
  Canvas->PaintText(Button->Caption, r, CaptionFlags, true);
  if (Inplace || !Focused || Button->Caption.empty()) return;
  TRect focus = r;
  Canvas->MeasureTextInRect(Button->Caption, focus, CaptionFlags);
  focus = TRect(focus.Left - 1, focus.Top - 1, focus.Right + 1, focus.Bottom + 2);
  Canvas->SetBrushColor(BackgroundColor);
  Canvas->GetCanvas()->DrawFocusRect(focus);
}

// ---- View data -------------------------------------------------------------------------------

bool TkvCustomRadioGroupViewData::ButtonsNative() {
  return NativeThemeOpen(GetEditStyle()->GetLookAndFeel()->GetNativeStyle(), totButton);
}

void TkvCustomRadioGroupViewData::ComputeViewInfo(TkvCanvas* Canvas, const TRect& ABounds, const TPoint& P,
                                                  Integer Button, TShiftState Shift, TkvCustomEditViewInfo* ViewInfo,
                                                  bool IsMouseEvent) {
  auto* info = static_cast<TkvCustomRadioGroupViewInfo*>(ViewInfo);
  info->GlyphSide = 1;
  TkvButtonGroupViewData::ComputeViewInfo(Canvas, ABounds, P, Button, Shift, ViewInfo, IsMouseEvent);
  info->GlyphSize = GetEditStyle()->GetLookAndFeel()->PainterForThemeKind(totButton)->RadioButtonExtent();
  info->BackgroundColor = GetEditStyle()->GetColor();
}

void TkvCustomRadioGroupViewData::LoadDisplayValue(TkvCanvas*, const Variant& Value, TkvCustomEditViewInfo* ViewInfo) {
  auto* info = static_cast<TkvCustomRadioGroupViewInfo*>(ViewInfo);
  // A sample shows its first item checked.
  info->CheckedIndex = CreationFlag ? 0 : RadioProperties()->IndexOfValue(Value);
  if (PaintOptionsByte & kvepoAutoHeight) info->PaintOptions |= kvepoAutoHeight;
}

void TkvCustomRadioGroupViewData::GetButtonMetrics(bool, TkvCanvas* Canvas, TkvButtonMetrics& Metrics) {
  Metrics[4] = Inplace ? 1 : 6;
  Metrics[5] = Inplace ? -2 : -6;
  Metrics[6] = 0;
  if (!Canvas) return;
  const bool native = ButtonsNative();
  Metrics[0] = native ? 1 : 3;
  Metrics[1] = Inplace ? -5 : -6;
  Metrics[2] = native ? 5 : 7;
  Metrics[3] = Inplace ? 1 : 6;
  const TSize glyph = GetEditStyle()->GetLookAndFeel()->PainterForThemeKind(totButton)->RadioButtonExtent();
  Metrics[7] = glyph.cx;
  Metrics[8] = glyph.cy;
}

void TkvCustomRadioGroupViewData::ButtonComputed(TkvGroupBoxButtonViewInfo* Button, TkvButtonGroupViewInfo* ViewInfo) {
  if (!Button->NativeStyle) return;
  const bool checked = Button->Index == static_cast<TkvCustomRadioGroupViewInfo*>(ViewInfo)->CheckedIndex;
  Button->NativePart = BP_RADIOBUTTON;
  Button->NativeState = RadioThemeState(Button->State, checked);
  Button->PartiallyTransparent =
      UxIsThemeBackgroundPartiallyTransparent(ObtainTheme(totButton), BP_RADIOBUTTON, Button->NativeState);
}
