#pragma once
// The painters: every toolkit control draws its frames, buttons, check marks, headers, arrows and
// scroll-bar parts through one of them, so that a control looks flat, standard, ultra-flat,
// Office-11, themed or skinned without changing its own code.
//
// A painter is used only as a class reference. Each painter class has one static instance
// (PainterClassOf<T>()), and the class reference is a pointer to it; every operation is a virtual
// method of that instance with no data of its own. Operations call each other through `this`, so an
// override changes every composite operation that uses it.
//
// The unit also keeps the registry of extended-style (skin) painters, the radio-button images, the
// indicator images, the scroll-track patterns and the shared check-box size.

#include <memory>
#include <vector>

#include "gdi/UxTheme.h"
#include "rtl/DateUtils.h"
#include "rtl/Events.h"
#include "rtl/Interfaces.h"
#include "rtl/Object.h"
#include "rtl/Types.h"
#include "rtl/WinTypes.h"
#include "toolkit/foundation/kvClasses.h"
#include "toolkit/foundation/kvGraphics.h"
#include "vcl/StdCtrls.h"

class TControl;
class TkvCustomLookAndFeelPainter;
class TkvSystemPaletteChangedNotifier;

// ---- Shared enumerations ------------------------------------------------------------------

// The vertical text alignment the painters take beside the framework's horizontal TAlignment.
enum TkvVerticalAlignment { vaTop, vaBottom, vaCenter };

enum TkvLookAndFeelKind { lfFlat, lfStandard, lfUltraFlat, lfOffice11 };

// kvbsDefault is the normal state of a default button.
enum TkvButtonState { kvbsDefault, kvbsNormal, kvbsHot, kvbsPressed, kvbsDisabled };
enum TkvCheckBoxState { cbsUnchecked, cbsChecked, cbsGrayed };
enum TkvArrowDirection : Byte { adUp, adDown, adLeft, adRight };
// The line-up button is the up or left arrow, the page-up track lies before the thumb.
enum TkvScrollBarPart : Byte { sbpNone, sbpLineUp, sbpLineDown, sbpThumbnail, sbpPageUp, sbpPageDown };

// PainterStyle values.
constexpr Byte kvpsFlat = 0;
constexpr Byte kvpsStandard = 1;
constexpr Byte kvpsUltraFlat = 2;
constexpr Byte kvpsNative = 3;
constexpr Byte kvpsOffice11 = 4;

// Answers true when it has drawn the background itself.
using TkvDrawBackgroundEvent = TEvent<bool(TkvCanvas* Canvas, const TRect& Bounds)>;

// The class reference of a painter: its static instance.
using TkvCustomLookAndFeelPainterClass = TkvCustomLookAndFeelPainter*;

// The one instance of painter class P, standing for the class.
template <class P>
P* PainterClassOf() noexcept {
  static P instance;
  return &instance;
}

// ---- Base painter -------------------------------------------------------------------------

class TkvCustomLookAndFeelPainter : public TObject {
  TAVREN_CLASS(TkvCustomLookAndFeelPainter, TObject)
 public:
  // General fills and content.
  virtual void FillBackground(TkvCanvas* Canvas, const TRect& R, bool Transparent, TColor BkColor, TBitmap* BkBitmap);
  virtual void PaintButtonArrow(TkvCanvas* Canvas, const TRect& R, TColor Color);
  virtual void PaintContent(TkvCanvas* Canvas, const TRect& R, const TRect& TextRect, TkvButtonState State,
                            TAlignment AlignHorz, TkvVerticalAlignment AlignVert, bool MultiLine,
                            bool ShowEndEllipsis, const String& Text, TFont* Font, TColor TextColor, TColor BkColor,
                            const TkvDrawBackgroundEvent& OnDrawBackground, bool Plain);
  virtual void PaintSchedulerNavButtonFace(TkvCanvas* Canvas, const TRect& R, const TRect& ArrowRect, bool IsNext,
                                           TkvButtonState State);
  virtual TRect FooterCellContentBounds(const TRect& Bounds);
  virtual TRect FooterCellTextBounds(const TRect& Bounds);
  virtual Byte PainterStyle();

  // Default colours.
  virtual TColor ContentColor();
  virtual TColor ContentEvenColor();
  virtual TColor ContentOddColor();
  virtual TColor ContentTextColor();
  virtual TColor EditorBackgroundColor(bool Disabled);
  virtual TColor EditorTextColor(bool Disabled);
  virtual TColor DefaultColor13();
  virtual TColor FilterBoxTextColor();
  virtual TColor FixedSeparatorColor();
  virtual TColor DefaultColor16();
  virtual TColor DefaultColor17();
  virtual TColor DefaultColor18();
  virtual TColor GridLineColor();
  virtual TColor DefaultColor20();
  virtual TColor GridDetailsSiteColor();
  virtual TColor DefaultColor22();
  virtual TColor GroupByBoxColor();
  virtual TColor GroupByBoxTextColor();
  virtual TColor DefaultColor25();
  virtual TColor GroupTextColor();
  virtual TColor DefaultColor27();
  virtual TColor DefaultColor28();
  virtual TColor DefaultColor29();
  virtual TColor DefaultColor30();
  virtual TColor DefaultColor31();
  virtual TColor DefaultColor32();
  virtual TColor DefaultColor33();
  virtual TColor DefaultColor34();
  virtual TColor DefaultColor35();
  virtual TColor DefaultColor36();
  virtual TColor DateNavigatorHeaderColor();
  virtual TColor DateNavigatorSelectionColor();
  virtual TColor DateNavigatorSelectionTextColor();
  virtual TColor SchedulerBackgroundColor();
  virtual TColor DefaultColor41();
  virtual TColor DefaultColor42();
  virtual TColor DefaultColor43();
  virtual TColor DefaultColor44();
  virtual TColor DefaultColor45();
  virtual TColor DefaultColor46(Integer A, Integer B);
  virtual TColor DefaultColor47();
  virtual TColor DefaultColor48();
  virtual TColor DefaultColor49();
  virtual TColor DefaultColor50();
  virtual TColor DefaultColor51();
  virtual TColor DefaultColor52();
  virtual TColor DefaultColor53();
  virtual TColor DefaultColor54();
  virtual TColor DefaultColor55();
  virtual TColor DefaultColor56();
  virtual TColor DefaultColor57();
  virtual TColor DefaultColor58();
  virtual TColor DefaultColor59();
  virtual TColor DefaultColor60();
  virtual TColor DefaultColor61();
  virtual TColor DefaultColor62();
  virtual TColor DefaultColor63();
  virtual TColor DefaultColor64();
  virtual TColor DefaultColor65();
  virtual TColor DefaultColor66();
  virtual TColor DefaultColor67();
  virtual TColor DefaultColor68();

  // Arrows, frames and buttons.
  virtual void PaintArrow(TkvCanvas* Canvas, const TRect& R, TkvArrowDirection Direction, TColor Color);
  virtual void PaintArrowButton(TkvCanvas* Canvas, const TRect& R, TkvButtonState State, TkvArrowDirection Direction,
                                bool DrawFrame);
  virtual void PaintArrowButtonFrame(TkvCanvas* Canvas, const TRect& R, TkvButtonState State);
  virtual void PaintScrollArrowGlyph(TkvCanvas* Canvas, const TRect& R, TkvButtonState State,
                                     TkvArrowDirection Direction);
  virtual Integer FrameWidth();
  virtual void PaintFrame(TkvCanvas* Canvas, const TRect& R);
  virtual TRect GroupButtonDisplayBounds(const TRect& R, Integer ButtonCount, Integer ButtonIndex);
  virtual Integer ButtonFrameWidth(TkvButtonState State);
  virtual TColor ButtonFaceColor(TkvButtonState State);
  virtual TRect ButtonFocusBounds(TkvCanvas* Canvas, const TRect& R);
  virtual TRect ButtonGroupFrameWidths(Integer ButtonCount, Integer ButtonIndex);
  virtual Integer ButtonTextIndent();
  virtual Integer ButtonPressedTextShift();
  virtual TColor ButtonGlyphColor(TkvButtonState State, TColor DefaultColor);
  virtual TkvButtonState GlyphButtonState(TkvButtonState State);
  virtual void PaintButton(TkvCanvas* Canvas, const TRect& R, const String& Caption, TkvButtonState State,
                           bool DrawFrame, TColor Color, TColor TextColor, bool WordWrap);
  virtual void PaintGroupButton(TkvCanvas* Canvas, const TRect& R, TkvButtonState State, Integer ButtonCount,
                                Integer ButtonIndex, TColor FrameColor);
  virtual void PaintButtonFrame(TkvCanvas* Canvas, const TRect& R, TkvButtonState State);
  virtual void PaintButtonGroupFrame(TkvCanvas* Canvas, const TRect& R, bool Selected, bool Highlighted);
  virtual void PaintExpandButton(TkvCanvas* Canvas, const TRect& R, bool Expanded, TColor Color);
  virtual bool ExpandButtonPaintedFirst();
  virtual void PaintGroupExpandButton(TkvCanvas* Canvas, const TRect& R, bool Expanded, TkvButtonState State);
  virtual void PaintSmallExpandButton(TkvCanvas* Canvas, const TRect& R, bool Expanded, TColor BorderColor,
                                      TColor Color);
  virtual Integer ExpandButtonExtent();
  virtual Integer GroupExpandButtonExtent();
  virtual bool ButtonHotTracks();
  virtual bool HitsGroupExpandButton(const TRect& R, const TPoint& P);
  virtual Integer SmallExpandButtonExtent();

  // Check boxes and radio buttons.
  virtual Integer CheckBoxFrameWidth();
  virtual TColor CheckBoxFaceColor(TkvButtonState State);
  virtual TSize CheckBoxExtent();
  virtual void PaintCheckMark(TkvCanvas* Canvas, const TRect& R, TkvButtonState State, bool Checked, TColor Color);
  virtual void PaintCheckBoxFrame(TkvCanvas* Canvas, const TRect& R, TkvButtonState State);
  virtual void PaintCheckBoxFlag(TkvCanvas* Canvas, const TRect& R, TkvButtonState State, bool Checked);
  virtual void PaintCheckBox(TkvCanvas* Canvas, const TRect& R, TkvButtonState State, TkvCheckBoxState CheckState);
  virtual void PaintRadioButton(TkvCanvas* Canvas, Integer X, Integer Y, TkvButtonState State, bool Checked,
                                bool Focused, TColor BkColor, bool Highlighted);
  virtual TSize RadioButtonExtent();

  // Headers.
  virtual void PaintHeader(TkvCanvas* Canvas, const TRect& Bounds, const TRect& TextAreaBounds, TkvBorders Neighbors,
                           TkvBorders Borders, TkvButtonState State, TAlignment AlignHorz,
                           TkvVerticalAlignment AlignVert, bool MultiLine, bool ShowEndEllipsis, const String& Text,
                           TFont* Font, TColor TextColor, TColor BkColor,
                           const TkvDrawBackgroundEvent& OnDrawBackground, bool Rightmost, Integer Reserved);
  virtual void PaintHeaderSimple(TkvCanvas* Canvas, const TRect& Bounds, const TRect& TextAreaBounds,
                                 TkvBorders Neighbors, TkvBorders Borders, TkvButtonState State, TAlignment AlignHorz,
                                 TkvVerticalAlignment AlignVert, bool MultiLine, bool ShowEndEllipsis,
                                 const String& Text, TFont* Font, TColor TextColor, TColor BkColor,
                                 const TkvDrawBackgroundEvent& OnDrawBackground);
  virtual void PaintHeaderFrame(TkvCanvas* Canvas, const TRect& R, TkvBorders Neighbors, TkvBorders Borders);
  virtual void PaintHeaderPressed(TkvCanvas* Canvas, const TRect& R);
  virtual void PaintHeaderSection(TkvCanvas* Canvas, const TRect& Bounds, const TRect& TextAreaBounds,
                                  TkvBorders Neighbors, TkvBorders Borders, TkvButtonState State,
                                  TAlignment AlignHorz, TkvVerticalAlignment AlignVert, bool MultiLine,
                                  bool ShowEndEllipsis, const String& Text, TFont* Font, TColor TextColor,
                                  TColor BkColor);
  virtual void PaintHeaderSectionFrame(TkvCanvas* Canvas, const TRect& R, TkvBorders Borders, TkvButtonState State);
  virtual void PaintHeaderSectionContent(TkvCanvas* Canvas, const TRect& Bounds, const TRect& TextAreaBounds,
                                         TkvButtonState State, TAlignment AlignHorz, TkvVerticalAlignment AlignVert,
                                         bool MultiLine, bool ShowEndEllipsis, const String& Text, TFont* Font,
                                         TColor TextColor, TColor BkColor);
  virtual void PaintHeaderSectionText(TkvCanvas* Canvas, const TRect& TextAreaBounds, TkvButtonState State,
                                      TAlignment AlignHorz, TkvVerticalAlignment AlignVert, bool MultiLine,
                                      bool ShowEndEllipsis, const String& Text, TFont* Font, TColor TextColor);
  virtual void PaintHeaderSeparator(TkvCanvas* Canvas, const TRect& Bounds, Integer IndentSize, TColor Color,
                                    const TkvViewParams& ViewParams);
  virtual void PaintSortMark(TkvCanvas* Canvas, const TRect& R, bool Ascending);
  virtual TkvBorders HeaderFrameSides(TkvBorders Neighbors);
  virtual Integer HeaderFrameWidth();
  virtual TRect HeaderDrawBounds(const TRect& Bounds, TkvBorders Neighbors, TkvBorders Borders);
  virtual TRect HeaderContentBounds(const TRect& Bounds, TkvBorders Borders);
  virtual bool HeaderFlag120();
  virtual Integer HeaderWidthForContent(Integer ContentWidth);
  virtual Integer HeaderSectionFrameWidth(TkvButtonState State);
  virtual TRect HeaderSectionTextBounds(const TRect& Bounds, TkvButtonState State);
  virtual TRect HeaderSectionContentBounds(const TRect& Bounds, TkvButtonState State);
  virtual Integer HeaderTextWidth(TkvCanvas* Canvas, TkvBorders Borders, const String& Text, TFont* Font);
  virtual bool HeaderFlag126();
  virtual TPoint SortMarkSpace();
  virtual TPoint SortMarkExtent();

  // Footers and filter elements.
  virtual void PaintBackgroundArea(TkvCanvas* Canvas, const TRect& R, bool Transparent, TColor BkColor,
                                   TBitmap* BkBitmap);
  virtual TkvBorders FooterFrameSides();
  virtual Integer FooterFrameWidth();
  virtual Integer FooterCellFrameWidth();
  virtual Integer FooterCellSpacing();
  virtual bool FooterCellsPaintedFirst();
  virtual TColor FooterFrameColor();
  virtual Integer DefaultMetric136();
  virtual void PaintFooterCell(TkvCanvas* Canvas, const TRect& Bounds, TAlignment AlignHorz,
                               TkvVerticalAlignment AlignVert, bool MultiLine, const String& Text, TFont* Font,
                               TColor TextColor, TColor BkColor, const TkvDrawBackgroundEvent& OnDrawBackground);
  virtual void PaintFooterFrame(TkvCanvas* Canvas, const TRect& R);
  virtual void PaintFooterCellFrame(TkvCanvas* Canvas, const TRect& R);
  virtual void PaintFooterContent(TkvCanvas* Canvas, const TRect& R, const TkvViewParams& ViewParams);
  virtual void PaintFooterSeparator(TkvCanvas* Canvas, const TRect& R);
  virtual void PaintFilterActivator(TkvCanvas* Canvas, const TRect& R, TkvButtonState State, bool Checked);
  virtual void PaintFilterCloseButton(TkvCanvas* Canvas, const TRect& R, TkvButtonState State);
  virtual void PaintFilterDropDownButton(TkvCanvas* Canvas, const TRect& R, TkvButtonState State, bool Active);
  virtual void PaintFilterPanel(TkvCanvas* Canvas, const TRect& R, bool Transparent, TColor BkColor,
                                TBitmap* BkBitmap);
  virtual TPoint FilterActivatorExtent();
  virtual TPoint FilterCloseButtonExtent();
  virtual TPoint FilterDropDownButtonExtent();
  virtual void PaintWindowContent(TkvCanvas* Canvas, const TRect& R);
  virtual Byte PopupFrameStyle();

  // Tabs and indicator.
  virtual void PaintTab(TkvCanvas* Canvas, const TRect& R, TkvBorders Borders, const String& Text,
                        TkvButtonState State, bool Vertical, TFont* Font, TColor TextColor, TColor BkColor,
                        bool ShowPrefix);
  virtual void PaintTabFrame(TkvCanvas* Canvas, const TRect& R, TkvBorder Side, TkvBorders Borders, bool Vertical);
  virtual void PaintTabStrip(TkvCanvas* Canvas, const TRect& R, TkvBorders Borders, bool Vertical);
  virtual bool PaintsTabs(bool Vertical);
  virtual bool TabHotTracks(bool Vertical);
  virtual Integer TabFrameWidth(bool Vertical);
  virtual void PaintIndicatorCustomizeMark(TkvCanvas* Canvas, const TRect& R, TColor Color);
  // Kind 0 draws nothing; 1 to 6 are the indicator images.
  virtual void PaintIndicatorGlyph(TkvCanvas* Canvas, const TRect& R, Integer Kind);
  virtual void PaintIndicatorItem(TkvCanvas* Canvas, const TRect& R, Integer Kind, TColor BkColor,
                                  const TkvDrawBackgroundEvent& OnDrawBackground);
  virtual void PaintIndicatorHeader(TkvCanvas* Canvas, const TRect& R, Integer Kind, TColor BkColor,
                                    const TkvDrawBackgroundEvent& OnDrawBackground);
  virtual bool IndicatorItemsPaintedFirst();

  // Scroll bars, size grip, scheduler, clock.
  virtual Integer ScrollBarMinThumbExtent(bool Vertical);
  virtual void PaintScrollBarPart(TkvCanvas* Canvas, bool Horizontal, const TRect& R, TkvScrollBarPart Part,
                                  TkvButtonState State);
  virtual TSize SizeGripExtent();
  virtual void PaintSizeGrip(TkvCanvas* Canvas, const TRect& R, TColor BkColor);
  virtual void LayoutSchedulerNavButton(bool IsNext, bool ArrowOnly, const TSize& TextExtent1,
                                        const TSize& TextExtent2, TRect& Bounds, TRect& TextRect, TRect& ArrowRect);
  // Arrows: bit 1 the previous-month arrow, bit 2 the next-month arrow.
  virtual void PaintMonthHeader(TkvCanvas* Canvas, const TRect& R, const String& Text, TkvBorders Neighbors,
                                const TkvViewParams& ViewParams, Integer Arrows, Integer ArrowIndent,
                                const TkvDrawBackgroundEvent& OnDrawBackground);
  virtual void PaintContentFrame(TkvCanvas* Canvas, const TRect& R);
  virtual void PaintSchedulerEventProgress(TkvCanvas* Canvas, const TRect& Bounds, const TRect& ProgressRect,
                                           const TkvViewParams& ViewParams, bool Transparent);
  virtual void PaintSchedulerNavButton(TkvCanvas* Canvas, const TRect& Bounds, bool IsNext, TkvButtonState State,
                                       const String& Text, const TRect& TextRect, const TRect& ArrowRect);
  virtual void PaintSchedulerNavArrow(TkvCanvas* Canvas, const TRect& R, bool IsNext, TColor Color);
  virtual void PaintSchedulerNavigatorButton(TkvCanvas* Canvas, const TRect& R, TkvButtonState State);
  virtual void PaintSchedulerSplitterFrame(TkvCanvas* Canvas, const TRect& R, const TkvViewParams& ViewParams,
                                           bool Horizontal);
  virtual TRect SchedulerEventProgressMargins();
  virtual void SchedulerNavButtonMetrics(bool IsNext, TRect& Borders, TSize& ArrowSize);
  virtual Integer DefaultMetric176();
  virtual void PaintClockFace(TkvCanvas* Canvas, const TRect& R, TDateTime Time, TColor BkColor);

  // Editors, navigator, progress bar, group box, panel, track bar, splitter.
  // Kind: 1 drop-down arrow button, 2 plain button, 3 ellipsis button.
  virtual void PaintEditButton(TkvCanvas* Canvas, const TRect& R, Integer Kind, TkvButtonState State);
  virtual Integer EditButtonTextIndent();
  virtual TSize EditButtonExtent();
  virtual TColor EditButtonCaptionColor();
  virtual TColor ContainerFrameColor(bool Highlighted);
  virtual void PaintNavigatorGlyph(TkvCanvas* Canvas, TCustomImageList* ImageList, Integer ImageIndex, Integer Extra1,
                                   const TPoint& P, bool Enabled, Integer Extra2);
  virtual TSize NavigatorGlyphExtent();
  virtual void PaintProgressFrame(TkvCanvas* Canvas, const TRect& R, bool Vertical);
  virtual void PaintProgressChunk(TkvCanvas* Canvas, const TRect& R, bool Vertical);
  virtual TRect ProgressFrameWidths(bool Vertical);
  virtual TColor ProgressTextColor();
  // Caption positions 0 to 4, as the group box numbers them.
  virtual void PaintGroupBoxBackground(TkvCanvas* Canvas, const TRect& Bounds, const TRect& R);
  virtual void PaintGroupBoxCaption(TkvCanvas* Canvas, const TRect& CaptionRect, Integer CaptionPosition);
  virtual void PaintGroupBoxContent(TkvCanvas* Canvas, const TRect& FrameRect, Integer CaptionPosition);
  virtual TRect GroupBoxFrameWidths(bool HasCaption, Integer CaptionPosition);
  virtual TColor GroupBoxCaptionColor(Integer CaptionPosition);
  virtual bool GroupBoxIsTransparent(bool IsCaption, Integer CaptionPosition);
  virtual void PaintPanelBackground(TkvCanvas* Canvas, TControl* Control, const TRect& Bounds, TColor ColorFrom,
                                    TColor ColorTo);
  virtual void PaintPanelFrame(TkvCanvas* Canvas, const TRect& R);
  virtual void PaintPanelCaption(TkvCanvas* Canvas, const TRect& CaptionRect, Integer CaptionPosition);
  virtual void PanelHook198(TkvCanvas* Canvas, const TRect& R, bool WithFrame);
  virtual TRect PanelContentMargins();
  virtual TColor DefaultColor200();
  virtual void PanelHook201(TkvCanvas* Canvas, const TRect& R1, const TRect& R2, bool HasSecond, bool Flag,
                            bool Horizontal);
  virtual void PaintTrackBarThumb(TkvCanvas* Canvas, const TRect& R, TkvButtonState State, bool Horizontal,
                                  Integer Ticks);
  virtual TSize TrackBarThumbExtent(bool Horizontal);
  virtual TColor TrackBarScaleColor(bool ForText);
  virtual Integer TrackBarTrackWidth();
  virtual void PaintSplitter(TkvCanvas* Canvas, const TRect& R, bool Highlighted, bool Clicked, bool Horizontal);
  virtual TSize SplitterExtent(bool Horizontal);

  // Glyphs the painters share (not virtual; they read this painter's metrics where they need one).
  // Arrows: bit 1 previous, bit 2 next.
  void PaintMonthNavArrows(TkvCanvas* Canvas, TRect R, Integer Arrows, Integer ArrowIndent, TColor Color);
  void DrawExpandCross(TkvCanvas* Canvas, const TRect& R, TColor Color, bool Expanded);
  void DrawGroupExpandMark(TkvCanvas* Canvas, const TRect& R, TkvButtonState State, bool Expanded);
  void DrawCheckMarkGlyph(TkvCanvas* Canvas, const TRect& R, TColor Color);
  void DrawCloseButtonCross(TkvCanvas* Canvas, const TRect& R, TColor Color, TkvButtonState State);
  void DrawSortArrow(TkvCanvas* Canvas, const TRect& R, TColor ShadowColor, TColor LightColor, bool Ascending);
  // The canvas text flags for the layout arguments of the painters.
  static Integer TextFlagsFor(TAlignment AlignHorz, TkvVerticalAlignment AlignVert, bool MultiLine,
                              bool ShowEndEllipsis);
};

// ---- Standard and Flat --------------------------------------------------------------------

class TkvStandardLookAndFeelPainter : public TkvCustomLookAndFeelPainter {
  TAVREN_CLASS(TkvStandardLookAndFeelPainter, TkvCustomLookAndFeelPainter)
 public:
  Byte PainterStyle() override;
  TColor DefaultColor45() override;
  Integer FrameWidth() override;
  void PaintFrame(TkvCanvas* Canvas, const TRect& R) override;
  Integer ButtonFrameWidth(TkvButtonState State) override;
  Integer ButtonTextIndent() override;
  Integer ButtonPressedTextShift() override;
  void PaintButtonFrame(TkvCanvas* Canvas, const TRect& R, TkvButtonState State) override;
  void PaintExpandButton(TkvCanvas* Canvas, const TRect& R, bool Expanded, TColor Color) override;
  void PaintGroupExpandButton(TkvCanvas* Canvas, const TRect& R, bool Expanded, TkvButtonState State) override;
  Integer ExpandButtonExtent() override;
  bool ButtonHotTracks() override;
  void PaintCheckBoxFrame(TkvCanvas* Canvas, const TRect& R, TkvButtonState State) override;
  void PaintHeaderFrame(TkvCanvas* Canvas, const TRect& R, TkvBorders Neighbors, TkvBorders Borders) override;
  void PaintHeaderSectionFrame(TkvCanvas* Canvas, const TRect& R, TkvBorders Borders, TkvButtonState State) override;
  void PaintSortMark(TkvCanvas* Canvas, const TRect& R, bool Ascending) override;
  Integer HeaderFrameWidth() override;
  Integer HeaderSectionFrameWidth(TkvButtonState State) override;
  TPoint SortMarkExtent() override;
  Integer FooterFrameWidth() override;
  Integer FooterCellFrameWidth() override;
  Integer FooterCellSpacing() override;
  void PaintFooterFrame(TkvCanvas* Canvas, const TRect& R) override;
  void PaintFooterCellFrame(TkvCanvas* Canvas, const TRect& R) override;
  void PaintFilterDropDownButton(TkvCanvas* Canvas, const TRect& R, TkvButtonState State, bool Active) override;
  void PaintTabFrame(TkvCanvas* Canvas, const TRect& R, TkvBorder Side, TkvBorders Borders, bool Vertical) override;
  void PaintTabStrip(TkvCanvas* Canvas, const TRect& R, TkvBorders Borders, bool Vertical) override;
  Integer TabFrameWidth(bool Vertical) override;
  void PaintScrollBarPart(TkvCanvas* Canvas, bool Horizontal, const TRect& R, TkvScrollBarPart Part,
                          TkvButtonState State) override;
  void PaintMonthHeader(TkvCanvas* Canvas, const TRect& R, const String& Text, TkvBorders Neighbors,
                        const TkvViewParams& ViewParams, Integer Arrows, Integer ArrowIndent,
                        const TkvDrawBackgroundEvent& OnDrawBackground) override;
  void PaintSchedulerSplitterFrame(TkvCanvas* Canvas, const TRect& R, const TkvViewParams& ViewParams,
                                   bool Horizontal) override;
};

class TkvFlatLookAndFeelPainter : public TkvCustomLookAndFeelPainter {
  TAVREN_CLASS(TkvFlatLookAndFeelPainter, TkvCustomLookAndFeelPainter)
 public:
  Byte PainterStyle() override;
  Integer FrameWidth() override;
  void PaintFrame(TkvCanvas* Canvas, const TRect& R) override;
  Integer ButtonFrameWidth(TkvButtonState State) override;
  Integer ButtonTextIndent() override;
  Integer ButtonPressedTextShift() override;
  void PaintButtonFrame(TkvCanvas* Canvas, const TRect& R, TkvButtonState State) override;
  void PaintExpandButton(TkvCanvas* Canvas, const TRect& R, bool Expanded, TColor Color) override;
  Integer ExpandButtonExtent() override;
  bool ButtonHotTracks() override;
  void PaintCheckBoxFrame(TkvCanvas* Canvas, const TRect& R, TkvButtonState State) override;
  void PaintHeaderFrame(TkvCanvas* Canvas, const TRect& R, TkvBorders Neighbors, TkvBorders Borders) override;
  void PaintHeaderSectionFrame(TkvCanvas* Canvas, const TRect& R, TkvBorders Borders, TkvButtonState State) override;
  void PaintSortMark(TkvCanvas* Canvas, const TRect& R, bool Ascending) override;
  Integer HeaderFrameWidth() override;
  TPoint SortMarkExtent() override;
  Integer FooterFrameWidth() override;
  Integer FooterCellFrameWidth() override;
  Integer FooterCellSpacing() override;
  void PaintFooterFrame(TkvCanvas* Canvas, const TRect& R) override;
  void PaintFooterCellFrame(TkvCanvas* Canvas, const TRect& R) override;
  void PaintFilterDropDownButton(TkvCanvas* Canvas, const TRect& R, TkvButtonState State, bool Active) override;
  void PaintTabFrame(TkvCanvas* Canvas, const TRect& R, TkvBorder Side, TkvBorders Borders, bool Vertical) override;
  void PaintTabStrip(TkvCanvas* Canvas, const TRect& R, TkvBorders Borders, bool Vertical) override;
  Integer TabFrameWidth(bool Vertical) override;
  void PaintScrollBarPart(TkvCanvas* Canvas, bool Horizontal, const TRect& R, TkvScrollBarPart Part,
                          TkvButtonState State) override;
  void PaintSchedulerSplitterFrame(TkvCanvas* Canvas, const TRect& R, const TkvViewParams& ViewParams,
                                   bool Horizontal) override;
};

// ---- UltraFlat and Office11 ---------------------------------------------------------------

class TkvUltraFlatLookAndFeelPainter : public TkvCustomLookAndFeelPainter {
  TAVREN_CLASS(TkvUltraFlatLookAndFeelPainter, TkvCustomLookAndFeelPainter)
 public:
  void PaintSchedulerNavButtonFace(TkvCanvas* Canvas, const TRect& R, const TRect& ArrowRect, bool IsNext,
                                   TkvButtonState State) override;
  Byte PainterStyle() override;
  TColor DefaultColor42() override;
  Integer FrameWidth() override;
  void PaintFrame(TkvCanvas* Canvas, const TRect& R) override;
  Integer ButtonFrameWidth(TkvButtonState State) override;
  TColor ButtonFaceColor(TkvButtonState State) override;
  TRect ButtonFocusBounds(TkvCanvas* Canvas, const TRect& R) override;
  TRect ButtonGroupFrameWidths(Integer ButtonCount, Integer ButtonIndex) override;
  Integer ButtonTextIndent() override;
  Integer ButtonPressedTextShift() override;
  TColor ButtonGlyphColor(TkvButtonState State, TColor DefaultColor) override;
  TkvButtonState GlyphButtonState(TkvButtonState State) override;
  void PaintGroupButton(TkvCanvas* Canvas, const TRect& R, TkvButtonState State, Integer ButtonCount,
                        Integer ButtonIndex, TColor FrameColor) override;
  void PaintButtonFrame(TkvCanvas* Canvas, const TRect& R, TkvButtonState State) override;
  void PaintButtonGroupFrame(TkvCanvas* Canvas, const TRect& R, bool Selected, bool Highlighted) override;
  void PaintExpandButton(TkvCanvas* Canvas, const TRect& R, bool Expanded, TColor Color) override;
  Integer ExpandButtonExtent() override;
  bool ButtonHotTracks() override;
  void PaintCheckBoxFrame(TkvCanvas* Canvas, const TRect& R, TkvButtonState State) override;
  void PaintHeaderSimple(TkvCanvas* Canvas, const TRect& Bounds, const TRect& TextAreaBounds, TkvBorders Neighbors,
                         TkvBorders Borders, TkvButtonState State, TAlignment AlignHorz,
                         TkvVerticalAlignment AlignVert, bool MultiLine, bool ShowEndEllipsis, const String& Text,
                         TFont* Font, TColor TextColor, TColor BkColor,
                         const TkvDrawBackgroundEvent& OnDrawBackground) override;
  void PaintHeaderFrame(TkvCanvas* Canvas, const TRect& R, TkvBorders Neighbors, TkvBorders Borders) override;
  void PaintHeaderSectionFrame(TkvCanvas* Canvas, const TRect& R, TkvBorders Borders, TkvButtonState State) override;
  void PaintHeaderSectionContent(TkvCanvas* Canvas, const TRect& Bounds, const TRect& TextAreaBounds,
                                 TkvButtonState State, TAlignment AlignHorz, TkvVerticalAlignment AlignVert,
                                 bool MultiLine, bool ShowEndEllipsis, const String& Text, TFont* Font,
                                 TColor TextColor, TColor BkColor) override;
  void PaintSortMark(TkvCanvas* Canvas, const TRect& R, bool Ascending) override;
  TkvBorders HeaderFrameSides(TkvBorders Neighbors) override;
  Integer HeaderFrameWidth() override;
  TPoint SortMarkExtent() override;
  TkvBorders FooterFrameSides() override;
  Integer FooterFrameWidth() override;
  Integer FooterCellFrameWidth() override;
  Integer FooterCellSpacing() override;
  void PaintFooterFrame(TkvCanvas* Canvas, const TRect& R) override;
  void PaintFooterCellFrame(TkvCanvas* Canvas, const TRect& R) override;
  void PaintFilterDropDownButton(TkvCanvas* Canvas, const TRect& R, TkvButtonState State, bool Active) override;
  TPoint FilterCloseButtonExtent() override;
  void PaintTabFrame(TkvCanvas* Canvas, const TRect& R, TkvBorder Side, TkvBorders Borders, bool Vertical) override;
  void PaintTabStrip(TkvCanvas* Canvas, const TRect& R, TkvBorders Borders, bool Vertical) override;
  Integer TabFrameWidth(bool Vertical) override;
  void PaintScrollBarPart(TkvCanvas* Canvas, bool Horizontal, const TRect& R, TkvScrollBarPart Part,
                          TkvButtonState State) override;
  void PaintSchedulerNavigatorButton(TkvCanvas* Canvas, const TRect& R, TkvButtonState State) override;
  void PaintSchedulerSplitterFrame(TkvCanvas* Canvas, const TRect& R, const TkvViewParams& ViewParams,
                                   bool Horizontal) override;

  virtual TColor StateFrameColor(TkvButtonState State);
  virtual TColor LightFrameColor();
  virtual TColor DarkFrameColor();
  virtual TColor HighlightFrameColor();
};

class TkvOffice11LookAndFeelPainter : public TkvUltraFlatLookAndFeelPainter {
  TAVREN_CLASS(TkvOffice11LookAndFeelPainter, TkvUltraFlatLookAndFeelPainter)
 public:
  void PaintContent(TkvCanvas* Canvas, const TRect& R, const TRect& TextRect, TkvButtonState State,
                    TAlignment AlignHorz, TkvVerticalAlignment AlignVert, bool MultiLine, bool ShowEndEllipsis,
                    const String& Text, TFont* Font, TColor TextColor, TColor BkColor,
                    const TkvDrawBackgroundEvent& OnDrawBackground, bool Plain) override;
  void PaintSchedulerNavButtonFace(TkvCanvas* Canvas, const TRect& R, const TRect& ArrowRect, bool IsNext,
                                   TkvButtonState State) override;
  Byte PainterStyle() override;
  TColor DefaultColor13() override;
  TColor FilterBoxTextColor() override;
  TColor DefaultColor16() override;
  TColor DefaultColor17() override;
  TColor GridLineColor() override;
  TColor DefaultColor20() override;
  TColor GridDetailsSiteColor() override;
  TColor GroupByBoxColor() override;
  TColor DefaultColor25() override;
  TColor DateNavigatorHeaderColor() override;
  TColor DateNavigatorSelectionColor() override;
  TColor DateNavigatorSelectionTextColor() override;
  TColor DefaultColor42() override;
  TColor DefaultColor43() override;
  TColor DefaultColor51() override;
  TColor DefaultColor53() override;
  TColor DefaultColor56() override;
  TColor DefaultColor58() override;
  void PaintFrame(TkvCanvas* Canvas, const TRect& R) override;
  TColor ButtonFaceColor(TkvButtonState State) override;
  TColor ButtonGlyphColor(TkvButtonState State, TColor DefaultColor) override;
  void PaintButtonFrame(TkvCanvas* Canvas, const TRect& R, TkvButtonState State) override;
  void PaintExpandButton(TkvCanvas* Canvas, const TRect& R, bool Expanded, TColor Color) override;
  bool ExpandButtonPaintedFirst() override;
  void PaintSmallExpandButton(TkvCanvas* Canvas, const TRect& R, bool Expanded, TColor BorderColor,
                              TColor Color) override;
  Integer ExpandButtonExtent() override;
  Integer SmallExpandButtonExtent() override;
  TColor CheckBoxFaceColor(TkvButtonState State) override;
  void PaintFilterDropDownButton(TkvCanvas* Canvas, const TRect& R, TkvButtonState State, bool Active) override;
  void PaintHeader(TkvCanvas* Canvas, const TRect& Bounds, const TRect& TextAreaBounds, TkvBorders Neighbors,
                   TkvBorders Borders, TkvButtonState State, TAlignment AlignHorz, TkvVerticalAlignment AlignVert,
                   bool MultiLine, bool ShowEndEllipsis, const String& Text, TFont* Font, TColor TextColor,
                   TColor BkColor, const TkvDrawBackgroundEvent& OnDrawBackground, bool Rightmost,
                   Integer Reserved) override;
  void PaintHeaderFrame(TkvCanvas* Canvas, const TRect& R, TkvBorders Neighbors, TkvBorders Borders) override;
  void PaintHeaderSection(TkvCanvas* Canvas, const TRect& Bounds, const TRect& TextAreaBounds, TkvBorders Neighbors,
                          TkvBorders Borders, TkvButtonState State, TAlignment AlignHorz,
                          TkvVerticalAlignment AlignVert, bool MultiLine, bool ShowEndEllipsis, const String& Text,
                          TFont* Font, TColor TextColor, TColor BkColor) override;
  void PaintSortMark(TkvCanvas* Canvas, const TRect& R, bool Ascending) override;
  TkvBorders HeaderFrameSides(TkvBorders Neighbors) override;
  Integer HeaderFrameWidth() override;
  bool HeaderFlag126() override;
  TColor FooterFrameColor() override;
  void PaintScrollBarPart(TkvCanvas* Canvas, bool Horizontal, const TRect& R, TkvScrollBarPart Part,
                          TkvButtonState State) override;
  void PaintSizeGrip(TkvCanvas* Canvas, const TRect& R, TColor BkColor) override;
  void PaintMonthHeader(TkvCanvas* Canvas, const TRect& R, const String& Text, TkvBorders Neighbors,
                        const TkvViewParams& ViewParams, Integer Arrows, Integer ArrowIndent,
                        const TkvDrawBackgroundEvent& OnDrawBackground) override;
  void PaintContentFrame(TkvCanvas* Canvas, const TRect& R) override;
  void PaintSchedulerNavigatorButton(TkvCanvas* Canvas, const TRect& R, TkvButtonState State) override;
  void PaintPanelBackground(TkvCanvas* Canvas, TControl* Control, const TRect& Bounds, TColor ColorFrom,
                            TColor ColorTo) override;
  TColor StateFrameColor(TkvButtonState State) override;
  TColor LightFrameColor() override;
  TColor DarkFrameColor() override;
  TColor HighlightFrameColor() override;

  virtual TColor HeaderLightColor();
  virtual TColor HeaderDarkColor();
  virtual TColor HeaderSeparatorColor();
  virtual TColor HeaderTopColor();
};

// ---- Themed -------------------------------------------------------------------------------

class TkvWinXPLookAndFeelPainter : public TkvStandardLookAndFeelPainter {
  TAVREN_CLASS(TkvWinXPLookAndFeelPainter, TkvStandardLookAndFeelPainter)
 public:
  void PaintSchedulerNavButtonFace(TkvCanvas* Canvas, const TRect& R, const TRect& ArrowRect, bool IsNext,
                                   TkvButtonState State) override;
  Byte PainterStyle() override;
  TColor DefaultColor42() override;
  TColor DefaultColor45() override;
  void PaintArrow(TkvCanvas* Canvas, const TRect& R, TkvArrowDirection Direction, TColor Color) override;
  void PaintArrowButton(TkvCanvas* Canvas, const TRect& R, TkvButtonState State, TkvArrowDirection Direction,
                        bool DrawFrame) override;
  void PaintArrowButtonFrame(TkvCanvas* Canvas, const TRect& R, TkvButtonState State) override;
  Integer FrameWidth() override;
  void PaintFrame(TkvCanvas* Canvas, const TRect& R) override;
  TRect GroupButtonDisplayBounds(const TRect& R, Integer ButtonCount, Integer ButtonIndex) override;
  Integer ButtonFrameWidth(TkvButtonState State) override;
  TColor ButtonFaceColor(TkvButtonState State) override;
  TRect ButtonFocusBounds(TkvCanvas* Canvas, const TRect& R) override;
  TRect ButtonGroupFrameWidths(Integer ButtonCount, Integer ButtonIndex) override;
  Integer ButtonTextIndent() override;
  Integer ButtonPressedTextShift() override;
  TColor ButtonGlyphColor(TkvButtonState State, TColor DefaultColor) override;
  void PaintButton(TkvCanvas* Canvas, const TRect& R, const String& Caption, TkvButtonState State, bool DrawFrame,
                   TColor Color, TColor TextColor, bool WordWrap) override;
  void PaintExpandButton(TkvCanvas* Canvas, const TRect& R, bool Expanded, TColor Color) override;
  bool ExpandButtonPaintedFirst() override;
  void PaintGroupExpandButton(TkvCanvas* Canvas, const TRect& R, bool Expanded, TkvButtonState State) override;
  void PaintSmallExpandButton(TkvCanvas* Canvas, const TRect& R, bool Expanded, TColor BorderColor,
                              TColor Color) override;
  Integer ExpandButtonExtent() override;
  Integer GroupExpandButtonExtent() override;
  bool ButtonHotTracks() override;
  bool HitsGroupExpandButton(const TRect& R, const TPoint& P) override;
  Integer SmallExpandButtonExtent() override;
  Integer CheckBoxFrameWidth() override;
  TSize CheckBoxExtent() override;
  void PaintCheckMark(TkvCanvas* Canvas, const TRect& R, TkvButtonState State, bool Checked, TColor Color) override;
  void PaintCheckBoxFrame(TkvCanvas* Canvas, const TRect& R, TkvButtonState State) override;
  void PaintRadioButton(TkvCanvas* Canvas, Integer X, Integer Y, TkvButtonState State, bool Checked, bool Focused,
                        TColor BkColor, bool Highlighted) override;
  TSize RadioButtonExtent() override;
  void PaintHeader(TkvCanvas* Canvas, const TRect& Bounds, const TRect& TextAreaBounds, TkvBorders Neighbors,
                   TkvBorders Borders, TkvButtonState State, TAlignment AlignHorz, TkvVerticalAlignment AlignVert,
                   bool MultiLine, bool ShowEndEllipsis, const String& Text, TFont* Font, TColor TextColor,
                   TColor BkColor, const TkvDrawBackgroundEvent& OnDrawBackground, bool Rightmost,
                   Integer Reserved) override;
  void PaintHeaderPressed(TkvCanvas* Canvas, const TRect& R) override;
  void PaintHeaderSection(TkvCanvas* Canvas, const TRect& Bounds, const TRect& TextAreaBounds, TkvBorders Neighbors,
                          TkvBorders Borders, TkvButtonState State, TAlignment AlignHorz,
                          TkvVerticalAlignment AlignVert, bool MultiLine, bool ShowEndEllipsis, const String& Text,
                          TFont* Font, TColor TextColor, TColor BkColor) override;
  void PaintSortMark(TkvCanvas* Canvas, const TRect& R, bool Ascending) override;
  Integer HeaderFrameWidth() override;
  Integer HeaderSectionFrameWidth(TkvButtonState State) override;
  TRect HeaderSectionContentBounds(const TRect& Bounds, TkvButtonState State) override;
  bool HeaderFlag126() override;
  TPoint SortMarkExtent() override;
  Integer FooterFrameWidth() override;
  Integer FooterCellFrameWidth() override;
  Integer FooterCellSpacing() override;
  bool FooterCellsPaintedFirst() override;
  void PaintFooterCell(TkvCanvas* Canvas, const TRect& Bounds, TAlignment AlignHorz, TkvVerticalAlignment AlignVert,
                       bool MultiLine, const String& Text, TFont* Font, TColor TextColor, TColor BkColor,
                       const TkvDrawBackgroundEvent& OnDrawBackground) override;
  void PaintFooterFrame(TkvCanvas* Canvas, const TRect& R) override;
  void PaintFilterCloseButton(TkvCanvas* Canvas, const TRect& R, TkvButtonState State) override;
  void PaintFilterDropDownButton(TkvCanvas* Canvas, const TRect& R, TkvButtonState State, bool Active) override;
  TPoint FilterActivatorExtent() override;
  TPoint FilterCloseButtonExtent() override;
  void PaintTab(TkvCanvas* Canvas, const TRect& R, TkvBorders Borders, const String& Text, TkvButtonState State,
                bool Vertical, TFont* Font, TColor TextColor, TColor BkColor, bool ShowPrefix) override;
  void PaintTabFrame(TkvCanvas* Canvas, const TRect& R, TkvBorder Side, TkvBorders Borders, bool Vertical) override;
  void PaintTabStrip(TkvCanvas* Canvas, const TRect& R, TkvBorders Borders, bool Vertical) override;
  bool PaintsTabs(bool Vertical) override;
  bool TabHotTracks(bool Vertical) override;
  Integer TabFrameWidth(bool Vertical) override;
  void PaintIndicatorItem(TkvCanvas* Canvas, const TRect& R, Integer Kind, TColor BkColor,
                          const TkvDrawBackgroundEvent& OnDrawBackground) override;
  Integer ScrollBarMinThumbExtent(bool Vertical) override;
  void PaintScrollBarPart(TkvCanvas* Canvas, bool Horizontal, const TRect& R, TkvScrollBarPart Part,
                          TkvButtonState State) override;
  void PaintSizeGrip(TkvCanvas* Canvas, const TRect& R, TColor BkColor) override;
  void PaintMonthHeader(TkvCanvas* Canvas, const TRect& R, const String& Text, TkvBorders Neighbors,
                        const TkvViewParams& ViewParams, Integer Arrows, Integer ArrowIndent,
                        const TkvDrawBackgroundEvent& OnDrawBackground) override;
  void PaintSchedulerEventProgress(TkvCanvas* Canvas, const TRect& Bounds, const TRect& ProgressRect,
                                   const TkvViewParams& ViewParams, bool Transparent) override;
  TRect SchedulerEventProgressMargins() override;
  void PaintSchedulerNavigatorButton(TkvCanvas* Canvas, const TRect& R, TkvButtonState State) override;
  void PaintSchedulerSplitterFrame(TkvCanvas* Canvas, const TRect& R, const TkvViewParams& ViewParams,
                                   bool Horizontal) override;
  void PaintPanelBackground(TkvCanvas* Canvas, TControl* Control, const TRect& Bounds, TColor ColorFrom,
                            TColor ColorTo) override;

  virtual void PaintThemedText(TkvCanvas* Canvas, HTHEME Theme, Integer PartId, Integer StateId, const TRect& Bounds,
                               const TRect& TextRect, TAlignment AlignHorz, TkvVerticalAlignment AlignVert,
                               bool MultiLine, bool ShowEndEllipsis, bool ShowPrefix, const String& Text, TFont* Font,
                               TColor TextColor, TColor BkColor);
};

// ---- Routines of the unit -----------------------------------------------------------------

// The three corners of an arrow in R (Part geometry: apex P1). Size 0: sized from R. An unknown
// direction leaves the points as they were.
void ComputeArrowTriangle(const TRect& R, TPoint Points[3], TkvArrowDirection Direction, bool Proportional,
                          Integer Size = 0);
TkvLookAndFeelKind PainterStyleToKind(Byte Style);
TkvArrowDirection ScrollArrowDirection(bool Horizontal, TkvScrollBarPart Part);

// ---- Extended-style painter registry ------------------------------------------------------

// Told when extended-style painters come or go.
class IkvLookAndFeelPainterListener : public virtual IInterface {
  TAVREN_INTERFACE(IkvLookAndFeelPainterListener)
 public:
  virtual void PaintersChanged(TkvCustomLookAndFeelPainterClass Painter) = 0;
};

class TkvExtendedStylePainterInfo : public TObject {
  TAVREN_CLASS(TkvExtendedStylePainterInfo, TObject)
 public:
  // Takes ownership of AData.
  TkvExtendedStylePainterInfo(const String& AName, TkvCustomLookAndFeelPainterClass APainter, TObject* AData);
  ~TkvExtendedStylePainterInfo() override;
  const String& GetName() const noexcept { return FName; }
  TkvCustomLookAndFeelPainterClass GetPainter() const noexcept { return FPainter; }
  TObject* GetData() const noexcept { return FData; }

 private:
  String FName;
  TkvCustomLookAndFeelPainterClass FPainter;
  TObject* FData;
};

// The skin painters by name: sorted case-sensitively, looked up ignoring case.
class TkvExtendedStylePainters : public TkvObjectList {
  TAVREN_CLASS(TkvExtendedStylePainters, TkvObjectList)
 public:
  ~TkvExtendedStylePainters() override;

  void RegisterListener(IkvLookAndFeelPainterListener* Listener);
  void UnregisterListener(IkvLookAndFeelPainterListener* Listener);
  // False when the name is taken (the caller keeps Info); otherwise the entry owns Info.
  bool AddPainter(const String& Name, TkvCustomLookAndFeelPainterClass Painter, TObject* Info);
  bool RemovePainter(const String& Name);
  // Painter is left alone when the name is not registered.
  bool LookupPainter(const String& Name, TkvCustomLookAndFeelPainterClass& Painter) const;
  bool NameOfPainter(TkvCustomLookAndFeelPainterClass Painter, String& Name) const;
  bool InfoOfPainter(TkvCustomLookAndFeelPainterClass Painter, TObject*& Info) const;

  TkvExtendedStylePainterInfo* PainterInfoAt(Integer Index) const;
  const String& PainterNameAt(Integer Index) const { return PainterInfoAt(Index)->GetName(); }
  TkvCustomLookAndFeelPainterClass PainterAt(Integer Index) const { return PainterInfoAt(Index)->GetPainter(); }
  Integer ListenerCount() const noexcept { return static_cast<Integer>(FListeners.size()); }

 private:
  Integer IndexOfName(const String& Name) const;
  void NotifyListeners(TkvCustomLookAndFeelPainterClass Painter);
  void SortByName();

  std::vector<TInterfacePtr<IkvLookAndFeelPainterListener>> FListeners;
};

// nullptr before unit start and after unit end.
TkvExtendedStylePainters* ExtendedStylePaintersInstance();

// ---- Radio-button images ------------------------------------------------------------------

// Radio-button glyphs for every kind, state, check, focus and highlight, built from the
// platform's radio-button shape and the current system colours.
class TkvRadioButtonImageList : public TObject {
  TAVREN_CLASS(TkvRadioButtonImageList, TObject)
 public:
  // Measures the glyph and builds the 128 images.
  TkvRadioButtonImageList();
  ~TkvRadioButtonImageList() override;

  // BkColor clDefault draws the masked image over what is there.
  void PaintGlyph(TkvCanvas* Canvas, Integer X, Integer Y, TColor BkColor, TkvLookAndFeelKind Kind,
                  TkvButtonState State, bool Checked, bool Focused, bool Highlighted);
  TSize GlyphSize() const { return {FGlyphWidth, FGlyphHeight}; }
  // Images again in the current colours; the geometry stays as first measured.
  void Rebuild();

  // Pattern indexes: 0 outside, 1 and 2 the outer ring's halves, 3 and 4 the inner ring's, 5 the
  // body, 6 the dot.
  Integer PatternIndexAt(Integer X, Integer Y) const;
  TRect DotRect() const { return FDot; }
  TCustomImageList* Images() const noexcept { return FImages.get(); }
  static Integer ImageKey(TkvLookAndFeelKind Kind, TkvButtonState State, bool Checked, bool Focused,
                          bool Highlighted);
  // The seven colours of one image, by pattern index.
  static void ColorMap(TkvLookAndFeelKind Kind, TkvButtonState State, bool Checked, bool Highlighted, bool Focused,
                       TColor (&Colors)[7]);

 private:
  void MeasureGlyph();
  void BuildPattern();
  void Prepare();

  std::unique_ptr<TCustomImageList> FImages;
  std::unique_ptr<TBitmap> FMask;
  Integer FGlyphWidth = 0;
  Integer FGlyphHeight = 0;
  TPoint FOrigin{0, 0};
  TRect FDot{0, 0, 0, 0};
  std::vector<Byte> FPattern;      // FGlyphHeight rows of FGlyphWidth indexes
  std::vector<Integer> FKeyIndex;  // image key -> image index
};

// Created and prepared at the first request; nullptr after unit end.
TkvRadioButtonImageList* RadioButtonGlyphList();

// Steps a pixel at a time from (X, Y) by (DX, DY) while the bitmap's pixel equals Color, and
// answers where it stopped: the first position of another colour, or the first one outside the
// bitmap. Nothing outside the bitmap is read.
TPoint ScanColorRun(TBitmap* Bitmap, Integer X, Integer Y, Integer DX, Integer DY, TColor Color);

// ---- Shared painter resources -------------------------------------------------------------

// The six row-indicator glyphs (8 x 9).
TCustomImageList* IndicatorImages();
// 0 light, 1 dark (tracks while pressed); 8 x 8.
TBitmap* ScrollPatternBitmap(Integer Index);
// Repaints both patterns in the current colours, creating them when missing.
void RefreshScrollPatterns();
// The platform's check-box cell size.
TSize SharedCheckBoxSize();

// Unit start (counted: only the first acts) and end (only the last acts).
void kvLookAndFeelPaintersStart();
void kvLookAndFeelPaintersEnd();
