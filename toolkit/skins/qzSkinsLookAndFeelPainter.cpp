// The skin painter's class operations, colours and metrics; the drawing operations are in
// qzSkinsLookAndFeelPainterDraw.cpp.

#include "toolkit/skins/qzSkinsLookAndFeelPainter.h"

#include <algorithm>

TAVREN_CLASS_IMPL(TqzSkinLookAndFeelPainter)

namespace {

TkvExtendedStylePainters* registry = nullptr;

// Group-box elements by caption position 0 to 4 (position 4 has no caption element).
constexpr TqzSkinElementId kGroupCaption[4] = {seCommonGroupPanelCaptionTop, seCommonGroupPanelCaptionBottom,
                                              seCommonGroupPanelCaptionLeft, seCommonGroupPanelCaptionRight};
constexpr TqzSkinElementId kGroupFrame[5] = {seCommonGroupPanelTop, seCommonGroupPanelBottom, seCommonGroupPanelLeft,
                                            seCommonGroupPanelRight, seCommonGroupPanel};

}  // namespace

TqzSkinElementState SkinElementStateOf(TkvButtonState State) {
  switch (State) {
    case kvbsHot: return esHot;
    case kvbsPressed: return esPressed;
    case kvbsDisabled: return esDisabled;
    default: return esNormal;
  }
}

TqzSkinLookAndFeelPainterInfo* TqzSkinLookAndFeelPainter::PainterInfo() {
  TObject* info = nullptr;
  if (!registry || !registry->InfoOfPainter(this, info)) return nullptr;
  return dynamic_cast<TqzSkinLookAndFeelPainterInfo*>(info);
}

TqzSkinElement* TqzSkinLookAndFeelPainter::Bound(TqzSkinElementId Id) {
  TqzSkinLookAndFeelPainterInfo* info = PainterInfo();
  return info ? info->Element(Id) : nullptr;
}

bool TqzSkinLookAndFeelPainter::DrawBound(TkvCanvas* Canvas, TqzSkinElementId Id, const TRect& R,
                                          Integer ImageIndex, TqzSkinElementState State) {
  TqzSkinElement* element = Bound(Id);
  if (!element) return false;
  element->Draw(Canvas->DCHandle(), R, ImageIndex, State);
  return true;
}

TqzSkinElement* TqzSkinLookAndFeelPainter::GroupBoxElement(bool Caption, Integer Position) {
  if (Position < 0 || Position > (Caption ? 3 : 4)) return nullptr;
  return Bound(Caption ? kGroupCaption[Position] : kGroupFrame[Position]);
}

bool TqzSkinLookAndFeelPainter::PaintEditButtonElement(TkvCanvas* Canvas, const TRect& R, bool IsClose,
                                                       TqzSkinElementState State) {
  return DrawBound(Canvas, IsClose ? seEditorsCloseButton : seEditorsEditorButton, R, 0, State);
}

String TqzSkinLookAndFeelPainter::PainterUnitName() { return "qzSkinsLookAndFeelPainter"; }

// ---- Colours --------------------------------------------------------------------------------

#define SKIN_COLOR(Op, Id)                                         \
  TColor TqzSkinLookAndFeelPainter::Op() {                         \
    TqzSkinLookAndFeelPainterInfo* info = PainterInfo();           \
    TqzSkinColor* color = info ? info->SkinColor(Id) : nullptr;    \
    return color ? color->GetValue() : inherited::Op();            \
  }
// The same, but a skin colour of clDefault also leaves it to the Office-11 painter.
#define SKIN_COLOR_SET(Op, Id)                                                 \
  TColor TqzSkinLookAndFeelPainter::Op() {                                     \
    TqzSkinLookAndFeelPainterInfo* info = PainterInfo();                       \
    TqzSkinColor* color = info ? info->SkinColor(Id) : nullptr;                \
    return color && color->GetValue() != clDefault ? color->GetValue() : inherited::Op(); \
  }
#define ELEMENT_COLOR(Op, Id)                                 \
  TColor TqzSkinLookAndFeelPainter::Op() {                    \
    TqzSkinElement* element = Bound(Id);                      \
    return element ? element->GetColor() : inherited::Op();   \
  }
#define ELEMENT_TEXT_COLOR(Op, Id)                              \
  TColor TqzSkinLookAndFeelPainter::Op() {                      \
    TqzSkinElement* element = Bound(Id);                        \
    return element ? element->GetTextColor() : inherited::Op(); \
  }

SKIN_COLOR(ContentColor, scContentColor)
SKIN_COLOR_SET(ContentEvenColor, scContentEvenColor)
SKIN_COLOR_SET(ContentOddColor, scContentOddColor)
SKIN_COLOR(ContentTextColor, scContentTextColor)
ELEMENT_TEXT_COLOR(FilterBoxTextColor, seGridGridFilterPanel)
ELEMENT_COLOR(FixedSeparatorColor, seGridGridFixedLine)
ELEMENT_COLOR(DefaultColor18, seGridGridLine)
ELEMENT_TEXT_COLOR(DefaultColor20, seGridGridGroupPanel)
ELEMENT_COLOR(GridDetailsSiteColor, seGridGroupRow)
ELEMENT_TEXT_COLOR(DefaultColor22, seGridGroupRow)
SKIN_COLOR(GroupByBoxColor, scHeaderBackgroundColor)
SKIN_COLOR(GroupByBoxTextColor, scHeaderBackgroundTextColor)
ELEMENT_COLOR(DefaultColor25, seCommonHeader)
ELEMENT_TEXT_COLOR(GroupTextColor, seCommonHeader)
ELEMENT_COLOR(DefaultColor31, seGridGridFixedLine)
ELEMENT_COLOR(DefaultColor33, seVerticalGridCategory)
ELEMENT_TEXT_COLOR(DefaultColor34, seVerticalGridCategory)
ELEMENT_COLOR(DefaultColor35, seVerticalGridGridLine)
ELEMENT_COLOR(DefaultColor36, seVerticalGridBandBorder)
SKIN_COLOR(SchedulerBackgroundColor, scContentColor)
SKIN_COLOR(DefaultColor43, scContentColor)
ELEMENT_TEXT_COLOR(DefaultColor47, seSchedulerAppointment)
SKIN_COLOR(DefaultColor48, scSelectionColor)
SKIN_COLOR(DefaultColor49, scSelectionTextColor)
ELEMENT_COLOR(DefaultColor50, seGridCardSeparator)
ELEMENT_TEXT_COLOR(EditButtonCaptionColor, seEditorsEditorButton)

#undef SKIN_COLOR
#undef SKIN_COLOR_SET
#undef ELEMENT_COLOR
#undef ELEMENT_TEXT_COLOR

TColor TqzSkinLookAndFeelPainter::EditorBackgroundColor(bool Disabled) {
  TqzSkinLookAndFeelPainterInfo* info = PainterInfo();
  TqzSkinColor* color =
      info ? info->ColorProperty(Disabled ? cpEditorsBackgroundDisabledColor : cpEditorsBackgroundColor) : nullptr;
  return color ? color->GetValue() : inherited::EditorBackgroundColor(Disabled);
}

TColor TqzSkinLookAndFeelPainter::EditorTextColor(bool Disabled) {
  TqzSkinLookAndFeelPainterInfo* info = PainterInfo();
  TqzSkinColor* color = info ? info->ColorProperty(Disabled ? cpEditorsTextDisabledColor : cpEditorsTextColor) : nullptr;
  return color ? color->GetValue() : inherited::EditorTextColor(Disabled);
}

TColor TqzSkinLookAndFeelPainter::DefaultColor32() {
  TqzSkinElement* content = Bound(seFormFormContent);
  return content && content->GetColor() != clDefault ? content->GetColor() : inherited::DefaultColor32();
}

TColor TqzSkinLookAndFeelPainter::DefaultColor44() {
  TqzSkinLookAndFeelPainterInfo* info = PainterInfo();
  TqzSkinColor* color = info ? info->ColorProperty(cpSchedulerNavigatorColor) : nullptr;
  return color ? color->GetValue() : inherited::DefaultColor44();
}

TColor TqzSkinLookAndFeelPainter::DefaultColor46(Integer, Integer) { return DefaultColor47(); }

TColor TqzSkinLookAndFeelPainter::FooterFrameColor() { return DefaultColor18(); }

TColor TqzSkinLookAndFeelPainter::ButtonGlyphColor(TkvButtonState State, TColor DefaultColor) {
  TqzSkinLookAndFeelPainterInfo* info = PainterInfo();
  TqzSkinElement* button = info ? info->Element(seCommonButton) : nullptr;
  if (!button) return inherited::ButtonGlyphColor(State, DefaultColor);
  TqzSkinColor* disabled = info->ColorProperty(cpCommonButtonDisabledText);
  return State == kvbsDisabled && disabled ? disabled->GetValue() : button->GetTextColor();
}

TColor TqzSkinLookAndFeelPainter::ContainerFrameColor(bool Highlighted) {
  TqzSkinLookAndFeelPainterInfo* info = PainterInfo();
  TqzSkinColor* color =
      info ? info->SkinColor(Highlighted ? scContainerHighlightBorderColor : scContainerBorderColor) : nullptr;
  return color ? color->GetValue() : inherited::ContainerFrameColor(Highlighted);
}

TColor TqzSkinLookAndFeelPainter::GroupBoxCaptionColor(Integer CaptionPosition) {
  TqzSkinElement* caption = GroupBoxElement(true, CaptionPosition);
  return caption ? caption->GetTextColor() : inherited::GroupBoxCaptionColor(CaptionPosition);
}

// ---- Sizes and metrics ----------------------------------------------------------------------

Integer TqzSkinLookAndFeelPainter::ButtonFrameWidth(TkvButtonState State) {
  return Bound(seCommonButton) ? 0 : inherited::ButtonFrameWidth(State);
}

TRect TqzSkinLookAndFeelPainter::ButtonGroupFrameWidths(Integer ButtonCount, Integer ButtonIndex) {
  TqzSkinElement* button = Bound(seEditorsEditorButton);
  if (!button) return inherited::ButtonGroupFrameWidths(ButtonCount, ButtonIndex);
  const TSize frame = button->Size(), glyph = NavigatorGlyphExtent();
  const Integer h = (frame.cx - glyph.cx) / 2, v = (frame.cy - glyph.cy) / 2;
  return Rect(h, v, h, v);
}

Integer TqzSkinLookAndFeelPainter::ExpandButtonExtent() {
  TqzSkinElement* element = Bound(seGridPlusMinus);
  return element ? element->Size().cy : inherited::ExpandButtonExtent();
}

TSize TqzSkinLookAndFeelPainter::CheckBoxExtent() {
  TqzSkinElement* element = Bound(seEditorsCheckbox);
  return element ? element->Size() : inherited::CheckBoxExtent();
}

TSize TqzSkinLookAndFeelPainter::RadioButtonExtent() {
  TqzSkinElement* element = Bound(seEditorsRadioButton);
  return element ? element->Size() : inherited::RadioButtonExtent();
}

TkvBorders TqzSkinLookAndFeelPainter::HeaderFrameSides(TkvBorders Neighbors) {
  TkvBorders sides = inherited::HeaderFrameSides(Neighbors);
  if (Neighbors.Contains(bLeft)) sides.Exclude(bLeft);
  if (Neighbors.Contains(bTop)) sides.Exclude(bTop);
  return sides;
}

bool TqzSkinLookAndFeelPainter::HeaderFlag120() { return false; }

Integer TqzSkinLookAndFeelPainter::FooterCellFrameWidth() {
  TqzSkinElement* element = Bound(seGridFooterCell);
  if (!element) return inherited::FooterCellFrameWidth();
  const TRect& o = element->GetContentOffset()->RectRef();
  return std::max({o.Left, o.Top, o.Right, o.Bottom});
}

bool TqzSkinLookAndFeelPainter::FooterCellsPaintedFirst() { return false; }

TPoint TqzSkinLookAndFeelPainter::FilterCloseButtonExtent() {
  TqzSkinElement* element = Bound(seEditorsCloseButton);
  if (!element) return inherited::FilterCloseButtonExtent();
  const TSize size = element->Size();
  return TPoint{size.cx, size.cy};
}

bool TqzSkinLookAndFeelPainter::IndicatorItemsPaintedFirst() { return true; }

Integer TqzSkinLookAndFeelPainter::ScrollBarMinThumbExtent(bool Vertical) {
  TqzSkinLookAndFeelPainterInfo* info = PainterInfo();
  TqzSkinScrollInfo* thumb = info ? info->ScrollInfo(Vertical ? 0 : 1, sbpThumbnail) : nullptr;
  if (!thumb || !thumb->Element) return inherited::ScrollBarMinThumbExtent(Vertical);
  const TSize size = thumb->Element->Size();
  return Vertical ? size.cy : size.cx;
}

TSize TqzSkinLookAndFeelPainter::SizeGripExtent() {
  TqzSkinElement* element = Bound(seCommonSizeGrip);
  return element ? element->Size() : inherited::SizeGripExtent();
}

TRect TqzSkinLookAndFeelPainter::SchedulerEventProgressMargins() {
  TqzSkinElement* element = Bound(seEditorsProgressBorder);
  return element ? element->GetContentOffset()->RectRef() : inherited::SchedulerEventProgressMargins();
}

void TqzSkinLookAndFeelPainter::SchedulerNavButtonMetrics(bool IsNext, TRect& Borders, TSize& ArrowSize) {
  TqzSkinElement* button = Bound(IsNext ? seSchedulerNavButtonNext : seSchedulerNavButtonPrev);
  TqzSkinElement* arrow = Bound(IsNext ? seSchedulerNavButtonNextArrow : seSchedulerNavButtonPrevArrow);
  if (!button || !arrow) {
    inherited::SchedulerNavButtonMetrics(IsNext, Borders, ArrowSize);
    return;
  }
  Borders = button->GetContentOffset()->RectRef();
  ArrowSize = arrow->Size();
}

Integer TqzSkinLookAndFeelPainter::EditButtonTextIndent() { return 1; }

TSize TqzSkinLookAndFeelPainter::EditButtonExtent() {
  TqzSkinElement* element = Bound(seEditorsEditorButton);
  return element ? element->Size() : inherited::EditButtonExtent();
}

TSize TqzSkinLookAndFeelPainter::NavigatorGlyphExtent() {
  TqzSkinElement* element = Bound(seEditorsNavigator);
  return element ? element->Size() : inherited::NavigatorGlyphExtent();
}

TRect TqzSkinLookAndFeelPainter::ProgressFrameWidths(bool Vertical) {
  TqzSkinElement* element = Bound(Vertical ? seEditorsProgressBorderVert : seEditorsProgressBorder);
  return element ? element->GetContentOffset()->RectRef() : inherited::ProgressFrameWidths(Vertical);
}

TRect TqzSkinLookAndFeelPainter::GroupBoxFrameWidths(bool HasCaption, Integer CaptionPosition) {
  TqzSkinElement* element = GroupBoxElement(HasCaption, CaptionPosition);
  return element ? element->GetContentOffset()->RectRef() : inherited::GroupBoxFrameWidths(HasCaption, CaptionPosition);
}

bool TqzSkinLookAndFeelPainter::GroupBoxIsTransparent(bool IsCaption, Integer CaptionPosition) {
  TqzSkinElement* element = GroupBoxElement(IsCaption, CaptionPosition);
  return element ? element->HasAlpha() : inherited::GroupBoxIsTransparent(IsCaption, CaptionPosition);
}

TSize TqzSkinLookAndFeelPainter::TrackBarThumbExtent(bool Horizontal) {
  TqzSkinElement* element = Bound(Horizontal ? seEditorsTrackBarThumb : seEditorsTrackBarThumbVert);
  return element ? element->Size() : inherited::TrackBarThumbExtent(Horizontal);
}

Integer TqzSkinLookAndFeelPainter::TrackBarTrackWidth() {
  TqzSkinElement* element = Bound(seEditorsTrackBarTrack);
  return element ? element->Size().cy : inherited::TrackBarTrackWidth();
}

TSize TqzSkinLookAndFeelPainter::SplitterExtent(bool Horizontal) {
  TqzSkinElement* element = Bound(Horizontal ? seCommonSplitterHorz : seCommonSplitter);
  return element ? element->Size() : inherited::SplitterExtent(Horizontal);
}

void qzSkinsLookAndFeelPainterStart() { registry = ExtendedStylePaintersInstance(); }

void qzSkinsLookAndFeelPainterEnd() { registry = nullptr; }
