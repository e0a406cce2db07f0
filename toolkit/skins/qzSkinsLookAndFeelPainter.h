#pragma once
// The skin painter: draws toolkit controls from a skin, through the information object that the
// painter registry holds for its class, and falls back to the Office-11 painter where the skin
// lacks what an operation needs. The painter of each skin derives from it and names its own
// information object and unit.

#include "toolkit/foundation/kvLookAndFeelPainters.h"
#include "toolkit/skins/qzSkinInfo.h"

class TqzSkinLookAndFeelPainter : public TkvOffice11LookAndFeelPainter {
  TAVREN_CLASS(TqzSkinLookAndFeelPainter, TkvOffice11LookAndFeelPainter)
 public:
  // The information object the registry holds for this painter class; nil when unregistered.
  virtual TqzSkinLookAndFeelPainterInfo* PainterInfo();
  // Draws Editors/CloseButton (IsClose) or Editors/EditorButton, image 0, into R; false when the
  // skin has no such element bound.
  virtual bool PaintEditButtonElement(TkvCanvas* Canvas, const TRect& R, bool IsClose, TqzSkinElementState State);
  virtual String PainterUnitName();

  // Colours.
  TColor ContentColor() override;
  TColor ContentEvenColor() override;
  TColor ContentOddColor() override;
  TColor ContentTextColor() override;
  TColor EditorBackgroundColor(bool Disabled) override;
  TColor EditorTextColor(bool Disabled) override;
  TColor FilterBoxTextColor() override;
  TColor FixedSeparatorColor() override;
  TColor DefaultColor18() override;
  TColor DefaultColor20() override;
  TColor GridDetailsSiteColor() override;
  TColor DefaultColor22() override;
  TColor GroupByBoxColor() override;
  TColor GroupByBoxTextColor() override;
  TColor DefaultColor25() override;
  TColor GroupTextColor() override;
  TColor DefaultColor31() override;
  TColor DefaultColor32() override;
  TColor DefaultColor33() override;
  TColor DefaultColor34() override;
  TColor DefaultColor35() override;
  TColor DefaultColor36() override;
  TColor SchedulerBackgroundColor() override;
  TColor DefaultColor43() override;
  TColor DefaultColor44() override;
  TColor DefaultColor46(Integer A, Integer B) override;
  TColor DefaultColor47() override;
  TColor DefaultColor48() override;
  TColor DefaultColor49() override;
  TColor DefaultColor50() override;
  TColor FooterFrameColor() override;
  TColor ButtonGlyphColor(TkvButtonState State, TColor DefaultColor) override;
  TColor EditButtonCaptionColor() override;
  TColor ContainerFrameColor(bool Highlighted) override;
  TColor GroupBoxCaptionColor(Integer CaptionPosition) override;

  // Sizes and metrics.
  Integer ButtonFrameWidth(TkvButtonState State) override;
  TRect ButtonGroupFrameWidths(Integer ButtonCount, Integer ButtonIndex) override;
  Integer ExpandButtonExtent() override;
  TSize CheckBoxExtent() override;
  TSize RadioButtonExtent() override;
  TkvBorders HeaderFrameSides(TkvBorders Neighbors) override;
  bool HeaderFlag120() override;
  Integer FooterCellFrameWidth() override;
  bool FooterCellsPaintedFirst() override;
  TPoint FilterCloseButtonExtent() override;
  bool IndicatorItemsPaintedFirst() override;
  Integer ScrollBarMinThumbExtent(bool Vertical) override;
  TSize SizeGripExtent() override;
  TRect SchedulerEventProgressMargins() override;
  void SchedulerNavButtonMetrics(bool IsNext, TRect& Borders, TSize& ArrowSize) override;
  Integer EditButtonTextIndent() override;
  TSize EditButtonExtent() override;
  TSize NavigatorGlyphExtent() override;
  TRect ProgressFrameWidths(bool Vertical) override;
  TRect GroupBoxFrameWidths(bool HasCaption, Integer CaptionPosition) override;
  bool GroupBoxIsTransparent(bool IsCaption, Integer CaptionPosition) override;
  TSize TrackBarThumbExtent(bool Horizontal) override;
  Integer TrackBarTrackWidth() override;
  TSize SplitterExtent(bool Horizontal) override;

  // Drawing.
  void PaintContent(TkvCanvas* Canvas, const TRect& R, const TRect& TextRect, TkvButtonState State,
                    TAlignment AlignHorz, TkvVerticalAlignment AlignVert, bool MultiLine, bool ShowEndEllipsis,
                    const String& Text, TFont* Font, TColor TextColor, TColor BkColor,
                    const TkvDrawBackgroundEvent& OnDrawBackground, bool Plain) override;
  void PaintSchedulerNavButtonFace(TkvCanvas* Canvas, const TRect& R, const TRect& ArrowRect, bool IsNext,
                                   TkvButtonState State) override;
  void PaintFrame(TkvCanvas* Canvas, const TRect& R) override;
  void PaintButton(TkvCanvas* Canvas, const TRect& R, const String& Caption, TkvButtonState State, bool DrawFrame,
                   TColor Color, TColor TextColor, bool WordWrap) override;
  void PaintGroupButton(TkvCanvas* Canvas, const TRect& R, TkvButtonState State, Integer ButtonCount,
                        Integer ButtonIndex, TColor FrameColor) override;
  void PaintButtonGroupFrame(TkvCanvas* Canvas, const TRect& R, bool Selected, bool Highlighted) override;
  void PaintExpandButton(TkvCanvas* Canvas, const TRect& R, bool Expanded, TColor Color) override;
  void PaintSmallExpandButton(TkvCanvas* Canvas, const TRect& R, bool Expanded, TColor BorderColor,
                              TColor Color) override;
  void PaintCheckBox(TkvCanvas* Canvas, const TRect& R, TkvButtonState State, TkvCheckBoxState CheckState) override;
  void PaintRadioButton(TkvCanvas* Canvas, Integer X, Integer Y, TkvButtonState State, bool Checked, bool Focused,
                        TColor BkColor, bool Highlighted) override;
  void PaintHeader(TkvCanvas* Canvas, const TRect& Bounds, const TRect& TextAreaBounds, TkvBorders Neighbors,
                   TkvBorders Borders, TkvButtonState State, TAlignment AlignHorz, TkvVerticalAlignment AlignVert,
                   bool MultiLine, bool ShowEndEllipsis, const String& Text, TFont* Font, TColor TextColor,
                   TColor BkColor, const TkvDrawBackgroundEvent& OnDrawBackground, bool Rightmost,
                   Integer Reserved) override;
  void PaintHeaderSimple(TkvCanvas* Canvas, const TRect& Bounds, const TRect& TextAreaBounds, TkvBorders Neighbors,
                         TkvBorders Borders, TkvButtonState State, TAlignment AlignHorz,
                         TkvVerticalAlignment AlignVert, bool MultiLine, bool ShowEndEllipsis, const String& Text,
                         TFont* Font, TColor TextColor, TColor BkColor,
                         const TkvDrawBackgroundEvent& OnDrawBackground) override;
  void PaintHeaderSeparator(TkvCanvas* Canvas, const TRect& Bounds, Integer IndentSize, TColor Color,
                            const TkvViewParams& ViewParams) override;
  void PaintBackgroundArea(TkvCanvas* Canvas, const TRect& R, bool Transparent, TColor BkColor,
                           TBitmap* BkBitmap) override;
  void PaintFooterCell(TkvCanvas* Canvas, const TRect& Bounds, TAlignment AlignHorz, TkvVerticalAlignment AlignVert,
                       bool MultiLine, const String& Text, TFont* Font, TColor TextColor, TColor BkColor,
                       const TkvDrawBackgroundEvent& OnDrawBackground) override;
  void PaintFooterFrame(TkvCanvas* Canvas, const TRect& R) override;
  void PaintFooterContent(TkvCanvas* Canvas, const TRect& R, const TkvViewParams& ViewParams) override;
  void PaintFilterCloseButton(TkvCanvas* Canvas, const TRect& R, TkvButtonState State) override;
  void PaintFilterDropDownButton(TkvCanvas* Canvas, const TRect& R, TkvButtonState State, bool Active) override;
  void PaintFilterPanel(TkvCanvas* Canvas, const TRect& R, bool Transparent, TColor BkColor,
                        TBitmap* BkBitmap) override;
  void PaintWindowContent(TkvCanvas* Canvas, const TRect& R) override;
  void PaintIndicatorCustomizeMark(TkvCanvas* Canvas, const TRect& R, TColor Color) override;
  void PaintIndicatorGlyph(TkvCanvas* Canvas, const TRect& R, Integer Kind) override;
  void PaintIndicatorItem(TkvCanvas* Canvas, const TRect& R, Integer Kind, TColor BkColor,
                          const TkvDrawBackgroundEvent& OnDrawBackground) override;
  void PaintIndicatorHeader(TkvCanvas* Canvas, const TRect& R, Integer Kind, TColor BkColor,
                            const TkvDrawBackgroundEvent& OnDrawBackground) override;
  void PaintScrollBarPart(TkvCanvas* Canvas, bool Horizontal, const TRect& R, TkvScrollBarPart Part,
                          TkvButtonState State) override;
  void PaintSizeGrip(TkvCanvas* Canvas, const TRect& R, TColor BkColor) override;
  void LayoutSchedulerNavButton(bool IsNext, bool ArrowOnly, const TSize& TextExtent1, const TSize& TextExtent2,
                                TRect& Bounds, TRect& TextRect, TRect& ArrowRect) override;
  void PaintMonthHeader(TkvCanvas* Canvas, const TRect& R, const String& Text, TkvBorders Neighbors,
                        const TkvViewParams& ViewParams, Integer Arrows, Integer ArrowIndent,
                        const TkvDrawBackgroundEvent& OnDrawBackground) override;
  void PaintSchedulerEventProgress(TkvCanvas* Canvas, const TRect& Bounds, const TRect& ProgressRect,
                                   const TkvViewParams& ViewParams, bool Transparent) override;
  void PaintSchedulerNavigatorButton(TkvCanvas* Canvas, const TRect& R, TkvButtonState State) override;
  void PaintClockFace(TkvCanvas* Canvas, const TRect& R, TDateTime Time, TColor BkColor) override;
  // Kind 0 close, 1 drop-down, 2 plain, 3 ellipsis, 4 to 7 spin up, down, left, right.
  void PaintEditButton(TkvCanvas* Canvas, const TRect& R, Integer Kind, TkvButtonState State) override;
  void PaintNavigatorGlyph(TkvCanvas* Canvas, TCustomImageList* ImageList, Integer ImageIndex, Integer Extra1,
                           const TPoint& P, bool Enabled, Integer Extra2) override;
  void PaintProgressFrame(TkvCanvas* Canvas, const TRect& R, bool Vertical) override;
  void PaintProgressChunk(TkvCanvas* Canvas, const TRect& R, bool Vertical) override;
  void PaintGroupBoxBackground(TkvCanvas* Canvas, const TRect& Bounds, const TRect& R) override;
  void PaintGroupBoxCaption(TkvCanvas* Canvas, const TRect& CaptionRect, Integer CaptionPosition) override;
  void PaintGroupBoxContent(TkvCanvas* Canvas, const TRect& FrameRect, Integer CaptionPosition) override;
  void PaintPanelFrame(TkvCanvas* Canvas, const TRect& R) override;
  void PanelHook198(TkvCanvas* Canvas, const TRect& R, bool WithFrame) override;
  void PanelHook201(TkvCanvas* Canvas, const TRect& R1, const TRect& R2, bool HasSecond, bool Flag,
                    bool Horizontal) override;
  void PaintTrackBarThumb(TkvCanvas* Canvas, const TRect& R, TkvButtonState State, bool Horizontal,
                          Integer Ticks) override;
  void PaintSplitter(TkvCanvas* Canvas, const TRect& R, bool Highlighted, bool Clicked, bool Horizontal) override;

 private:
  // The bound element, nil without information object or binding.
  TqzSkinElement* Bound(TqzSkinElementId Id);
  // The group box's caption element (none for position 4) or frame element of a caption position.
  TqzSkinElement* GroupBoxElement(bool Caption, Integer Position);
  // Draws the bound element into R and answers true; false (nothing drawn) when it is not bound.
  bool DrawBound(TkvCanvas* Canvas, TqzSkinElementId Id, const TRect& R, Integer ImageIndex,
                 TqzSkinElementState State);
};

// The element state a painter button state is drawn in.
TqzSkinElementState SkinElementStateOf(TkvButtonState State);

// Unit start: takes the painter registry the skin painters draw through. End: lets it go.
void qzSkinsLookAndFeelPainterStart();
void qzSkinsLookAndFeelPainterEnd();
