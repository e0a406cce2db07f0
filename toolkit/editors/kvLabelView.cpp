// The label's layout: copied settings, text and label rectangles, text flags and natural size.

#include <cmath>

#include "gdi/TextLayout.h"
#include "rtl/Variants.h"
#include "user/Rects.h"
#include "vcl/Menus.h"
#include "toolkit/editors/kvLabel.h"

TAVREN_CLASS_IMPL(TkvCustomLabelViewInfo)
TAVREN_CLASS_IMPL(TkvCustomLabelViewData)

TClassOf<TkvCustomEditViewData> TkvCustomLabelProperties::GetViewDataClass() {
  return TkvCustomLabelViewData::ClassInfo();
}

TClassOf<TkvCustomEditViewInfo> TkvCustomLabelProperties::GetViewInfoClass() {
  return TkvCustomLabelViewInfo::ClassInfo();
}

// ---- View data ------------------------------------------------------------------------------

TkvEditBorderStyle TkvCustomLabelViewData::GetBorderStyle() {
  // The editors' styles are plain edit styles: a label's root style without a border of its own
  // draws none (a state style's own border still counts).
  TkvCustomEditStyle* style = GetEditStyle();
  TkvContainerStyle* root = style->RootStyle();
  if (!Inplace && !style->IsValueAssigned(svBorderStyle) && !root->IsValueAssigned(svBorderStyle)) return ebsNone;
  return TkvCustomEditViewData::GetBorderStyle();
}

void TkvCustomLabelViewData::EditValueToDisplayText(const Variant& Value, String& Text) { Text = VarToStr(Value); }

void TkvCustomLabelViewData::LoadDisplayValue(TkvCanvas*, const Variant& Value, TkvCustomEditViewInfo* ViewInfo) {
  static_cast<TkvCustomLabelViewInfo*>(ViewInfo)->Text = VarToStr(Value);
}

Cardinal TkvCustomLabelViewData::TextFlags() {
  TkvCustomLabelProperties* p = LabelProperties();
  const Integer angle = ((p->GetAngle() % 360) + 360) % 360;
  const bool ellipsis = Inplace && (PaintOptionsByte & 2) && p->GetShowEndEllipsis();
  return KvTextFlagsToDT(BuildTextFlags(0, HorzAlignment, VertAlignment, ellipsis, p->GetWordWrap() && angle == 0, 0,
                                        false, false));
}

void TkvCustomLabelViewData::ComputeViewInfo(TkvCanvas* Canvas, const TRect& ABounds, const TPoint& P, Integer Button,
                                             TShiftState Shift, TkvCustomEditViewInfo* ViewInfo, bool IsMouseEvent) {
  // A label without a border draws no themed frame either.
  if (GetBorderStyle() == ebsNone) NativeStyle = false;
  TkvCustomEditViewData::ComputeViewInfo(Canvas, ABounds, P, Button, Shift, ViewInfo, IsMouseEvent);
  auto* info = static_cast<TkvCustomLabelViewInfo*>(ViewInfo);
  if (Inplace && (ABounds.Right == kvMeasuringBounds.Right || ABounds.Bottom == kvMeasuringBounds.Bottom)) return;
  TkvCustomLabelProperties* p = LabelProperties();
  if (!Inplace) info->Transparent = Edit && Edit->GetTransparent();
  info->Alignment->Assign(p->GetAlignment());
  info->Angle = p->GetAngle();
  info->Depth = p->GetDepth();
  info->Glyph = p->HasGlyph() ? p->GetGlyph() : nullptr;
  info->LabelEffect = p->GetLabelEffect();
  info->LabelStyle = p->GetLabelStyle();
  info->Orientation = p->GetOrientation();
  info->PenWidth = p->GetPenWidth();
  info->ShadowedColor = p->GetShadowedColor();
  info->ShowAccelChar = p->GetShowAccelChar();
  info->ShowEndEllipsis = Inplace && (PaintOptionsByte & 2) && p->GetShowEndEllipsis();
  info->WordWrap = p->GetWordWrap();
  info->EffectOffsets = p->GetEffectOffsets();
  info->TextRect = info->ClientRect;
  info->LabelRect = info->ClientRect;
  info->FocusRect = !Inplace && Focused && !info->Text.empty() ? RectInflated(info->TextRect, 1, 1) : TRect();
  info->ControlPosition = Edit ? TPoint{Edit->GetLeft(), Edit->GetTop()} : TPoint{0, 0};
  info->InplaceOffsets = ContentParams.Offsets;
  info->TextFlags = TextFlags();
  info->Redraw = true;
}

void TkvCustomLabelViewData::GetEditContentSize(TkvCanvas* Canvas, const Variant& Value,
                                                const TkvEditSizeRequest& Request, TSize& Size) {
  TkvCustomLabelProperties* p = LabelProperties();
  const String shown = Edit ? static_cast<TkvCustomLabelViewInfo*>(Edit->GetEditViewInfo())->Text : VarToStr(Value);
  // An empty label measures as one space.
  const String text = shown.empty() ? String(1, ' ') : shown;
  const bool trueType = SetCanvasAngle(Canvas->GetCanvas(), GetEditStyle()->GetEffectiveFont(), p->GetAngle());
  const Integer angle = trueType ? ((p->GetAngle() % 360) + 360) % 360 : 0;
  TkvCustomLabelViewInfo sample;
  sample.LabelStyle = p->GetLabelStyle();
  sample.Font = GetEditStyle()->GetEffectiveFont();
  const Integer s = sample.StyleOffset();
  const TPoint effect = p->GetEffectOffsets();
  const bool bordered = !Inplace && GetBorderStyle() != ebsNone;
  const TRect& offsets = ContentParams.Offsets;
  UINT flags = DT_CALCRECT;
  if (!(p->GetShowAccelChar() && angle == 0)) flags |= DT_NOPREFIX;
  if (p->GetWordWrap() && angle == 0 && !(Inplace && Request.Width < 0)) flags |= DT_WORDBREAK;
  Integer width = Request.Width;
  if (width >= 0) {
    width -= s + effect.X + (bordered ? 2 : 0);
    if (Inplace) width -= offsets.Left + offsets.Right;
  } else {
    width = 0x3FFFFFFF;
  }
  TRect r(0, 0, std::max(width, 1), 0x3FFFFFFF);
  String measured = p->GetShowAccelChar() && angle != 0 ? StripHotkey(text) : text;
  // Measured unturned: the turned extent follows from the angle.
  Canvas->GetCanvas()->SetFont(GetEditStyle()->GetEffectiveFont());
  Canvas->GetCanvas()->RequiredState(TCanvasState{csHandleValid, csFontValid});
  DrawTextToDC(Canvas->DCHandle(), measured, r, flags);
  Integer w = r.Width(), h = r.Height();
  if (angle != 0) {
    const double a = angle * M_PI / 180;
    const Integer turnedW = static_cast<Integer>(std::trunc(std::fabs(h * std::sin(a)) + std::fabs(w * std::cos(a)) + 0.5));
    const Integer turnedH = static_cast<Integer>(std::trunc(std::fabs(h * std::cos(a)) + std::fabs(w * std::sin(a)) + 0.5));
    w = turnedW;
    h = turnedH;
  }
  Size.cx = w + s + effect.X + (bordered ? 2 : 0);
  Size.cy = h + s + effect.Y;
  if (Inplace) {
    Size.cx += offsets.Left + offsets.Right;
    Size.cy += offsets.Top + offsets.Bottom;
  }
}

// ---- View info: copies and changes ------------------------------------------------------------

TkvCustomLabelViewInfo::TkvCustomLabelViewInfo() : Alignment(std::make_unique<TkvEditAlignment>(nullptr)) {}

TkvCustomLabelViewInfo::~TkvCustomLabelViewInfo() = default;

void TkvCustomLabelViewInfo::CopyFrom(TkvContainerViewInfo* Other) {
  if (auto* other = dynamic_cast<TkvCustomLabelViewInfo*>(Other)) {
    LabelRect = other->LabelRect;
    Angle = other->Angle;
    Depth = other->Depth;
    LabelEffect = other->LabelEffect;
    LabelStyle = other->LabelStyle;
  }
  TkvCustomTextEditViewInfo::CopyFrom(Other);
}

void TkvCustomLabelViewInfo::MoveBy(Integer DX, Integer DY) {
  TkvCustomTextEditViewInfo::MoveBy(DX, DY);
  OffsetRect(&LabelRect, DX, DY);
  OffsetRect(&FocusRect, DX, DY);
  if (Transparent) Redraw = true;
}

void TkvCustomLabelViewInfo::AssignBackgroundColor(TColor Color) {
  TkvCustomTextEditViewInfo::AssignBackgroundColor(Color);
  Redraw = true;
}

bool TkvCustomLabelViewInfo::RepaintDifference(TWinControl* Control, const TRect& Inner,
                                               TkvCustomEditViewInfo* Older) {
  bool changed = TkvCustomEditViewInfo::RepaintDifference(Control, Inner, Older);
  auto* older = dynamic_cast<TkvCustomLabelViewInfo*>(Older);
  if (!older || !Control->HandleAllocated()) return changed;
  if (older->Text != Text || older->LabelRect != LabelRect || older->Angle != Angle || older->Depth != Depth ||
      older->LabelEffect != LabelEffect || older->LabelStyle != LabelStyle) {
    InvalidateRect(Control->GetHandle(), &Bounds, false);
    changed = true;
  }
  return changed;
}

Integer TkvCustomLabelViewInfo::StyleOffset() const {
  if (LabelStyle != kvlsRaised && LabelStyle != kvlsLowered) return 0;
  return Font && Font->GetSize() < 12 ? 1 : 2;
}
