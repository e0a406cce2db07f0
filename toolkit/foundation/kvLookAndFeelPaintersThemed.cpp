// The themed painter: draws through the platform's visual styles. Every operation asks for the
// theme of one kind of object and, when that kind does not open, draws the classic Standard look
// instead, so a missing theme class degrades one element at a time.

#include <algorithm>
#include <memory>

#include "gdi/Regions.h"
#include "gdi/TextLayout.h"
#include "toolkit/foundation/kvGeometry.h"
#include "toolkit/foundation/kvLookAndFeelPainters.h"
#include "toolkit/foundation/kvLookAndFeelPaintersShared.h"
#include "toolkit/foundation/qzOffice11.h"
#include "toolkit/foundation/qzThemeManager.h"
#include "toolkit/foundation/qzUxTheme.h"

TAVREN_CLASS_IMPL(TkvWinXPLookAndFeelPainter)

namespace {

using TStandard = TkvStandardLookAndFeelPainter;
using TBase = TkvCustomLookAndFeelPainter;

constexpr int kButtonFaceColorProperty = 204;
const TRect kMetricsRect{0, 0, 100, 100};

// ---- Theme state maps, indexed by button state (default, normal, hot, pressed, disabled) ----

int PushButtonThemeState(TkvButtonState State) {
  static constexpr int kStates[] = {5, 1, 2, 3, 4};
  return kStates[State];
}

int CheckThemeState(TkvButtonState State, bool Checked) {
  static constexpr int kStates[] = {1, 1, 2, 3, 4};
  return kStates[State] + (Checked ? 4 : 0);
}

int HeaderThemeState(TkvButtonState State) {
  static constexpr int kStates[] = {1, 1, 2, 3, 1};
  return kStates[State];
}

// Tab items, combo drop-down buttons, small close buttons and navigation faces.
int TabThemeState(TkvButtonState State) {
  static constexpr int kStates[] = {1, 1, 2, 3, 4};
  return kStates[State];
}

int ExplorerBarThemeState(TkvButtonState State) {
  static constexpr int kStates[] = {1, 1, 2, 3, 1};
  return kStates[State];
}

int ToolBarThemeState(TkvButtonState State) {
  static constexpr int kStates[] = {2, 2, 5, 3, 4};
  return kStates[State];
}

int ScrollPartThemeState(TkvButtonState State) {
  switch (State) {
    case kvbsHot: return 2;
    case kvbsPressed: return 3;
    case kvbsDisabled: return 4;
    default: return 1;
  }
}

int ScrollArrowThemeState(TkvArrowDirection Direction, TkvButtonState State) {
  static constexpr int kBase[] = {1, 5, 9, 13};  // up, down, left, right
  return kBase[Direction] + ScrollPartThemeState(State) - 1;
}

// ---- Theme reads --------------------------------------------------------------------------

bool Succeeded(HRESULT Result) { return Result >= 0; }

void DrawPart(HTHEME Theme, TkvCanvas* Canvas, int Part, int State, const TRect& R) {
  UxDrawThemeBackground(Theme, Canvas->DCHandle(), Part, State, &R, nullptr);
}

bool ContentRect(HTHEME Theme, HDC DC, int Part, int State, const TRect& Bounds, TRect& Content) {
  return Succeeded(UxGetThemeBackgroundContentRect(Theme, DC, Part, State, &Bounds, &Content));
}

// The left offset of the part's content inside (0, 0, 100, 100).
bool ContentWidth(HTHEME Theme, int Part, int State, Integer& Width) {
  TRect content;
  if (!ContentRect(Theme, nullptr, Part, State, kMetricsRect, content)) return false;
  Width = content.Left;
  return true;
}

bool TrueSize(HTHEME Theme, int Part, int State, SIZE& Size) {
  return Succeeded(UxThemePartSize(Theme, nullptr, Part, State, TS_TRUE, &Size));
}

bool ThemeColor(HTHEME Theme, int Part, int State, int Property, TColor& Color) {
  COLORREF value = 0;
  if (!Succeeded(UxGetThemeColor(Theme, Part, State, Property, &value))) return false;
  Color = static_cast<TColor>(value);
  return true;
}

bool ComboBoxBorderColor(TColor& Color) {
  const HTHEME theme = ObtainTheme(totComboBox);
  return theme && ThemeColor(theme, 1, 1, TMT_BORDERCOLOR, Color);
}

TRect Turned(const TRect& R) { return Rect(R.Top, R.Left, R.Bottom, R.Right); }

}  // namespace

void TkvWinXPLookAndFeelPainter::PaintSchedulerNavButtonFace(TkvCanvas* Canvas, const TRect& R,
                                                             const TRect& ArrowRect, bool IsNext,
                                                             TkvButtonState State) {
  const HTHEME theme = ObtainTheme(totTab);
  if (!theme || RectIsVoid(R)) {
    TBase::PaintSchedulerNavButtonFace(Canvas, R, ArrowRect, IsNext, State);
    return;
  }
  // The tab item is drawn turned a quarter, so that its open side faces the content.
  TkvCustomBitmap bitmap(R, pf32bit);
  bitmap.GetCanvas()->CopyRect(Rect(0, 0, R.Width(), R.Height()), Canvas->GetCanvas(), R);
  bitmap.RotateFlip(IsNext ? 2 : 1, false);
  const TRect whole = bitmap.ImageRect();
  UxDrawThemeBackground(theme, bitmap.GetCanvas()->GetHandle(), 1, TabThemeState(State), &whole, nullptr);
  bitmap.RotateFlip(IsNext ? 1 : 2, false);
  Canvas->DrawGraphic(R.Left, R.Top, &bitmap);
  PaintSchedulerNavArrow(Canvas, ArrowRect, IsNext, ButtonGlyphColor(State, clDefault));
}

Byte TkvWinXPLookAndFeelPainter::PainterStyle() { return kvpsNative; }

TColor TkvWinXPLookAndFeelPainter::DefaultColor42() {
  TColor color;
  return ComboBoxBorderColor(color) ? color : TBase::DefaultColor42();
}

TColor TkvWinXPLookAndFeelPainter::DefaultColor45() { return static_cast<TColor>(0xD5FFFF); }

void TkvWinXPLookAndFeelPainter::PaintArrow(TkvCanvas* Canvas, const TRect& R, TkvArrowDirection Direction,
                                            TColor Color) {
  TBase::PaintArrow(Canvas, R, Direction, Color);
}

void TkvWinXPLookAndFeelPainter::PaintArrowButton(TkvCanvas* Canvas, const TRect& R, TkvButtonState State,
                                                  TkvArrowDirection Direction, bool DrawFrame) {
  if (const HTHEME theme = ObtainTheme(totScrollBar))
    DrawPart(theme, Canvas, 1, ScrollArrowThemeState(Direction, State), R);
  else
    TBase::PaintArrowButton(Canvas, R, State, Direction, DrawFrame);
}

void TkvWinXPLookAndFeelPainter::PaintArrowButtonFrame(TkvCanvas* Canvas, const TRect& R, TkvButtonState State) {
  if (const HTHEME theme = ObtainTheme(totButton))
    DrawPart(theme, Canvas, 1, PushButtonThemeState(State), R);
  else
    TBase::PaintArrowButtonFrame(Canvas, R, State);
}

Integer TkvWinXPLookAndFeelPainter::FrameWidth() { return ObtainTheme(totListView) ? 1 : TStandard::FrameWidth(); }

void TkvWinXPLookAndFeelPainter::PaintFrame(TkvCanvas* Canvas, const TRect& R) {
  const HTHEME theme = ObtainTheme(totListView);
  if (!theme) {
    TStandard::PaintFrame(Canvas, R);
    return;
  }
  // Only the one-pixel rim of the list view's background shows.
  Canvas->PushDC();
  Canvas->ClipOutRect(RectInflated(R, -1, -1));
  DrawPart(theme, Canvas, 5, 0, R);
  Canvas->PopDC();
}

TRect TkvWinXPLookAndFeelPainter::GroupButtonDisplayBounds(const TRect& R, Integer, Integer) {
  const HTHEME theme = ObtainTheme(totButton);
  return theme && UxIsThemeBackgroundPartiallyTransparent(theme, 1, 1) ? RectInflated(R, 1, 1) : R;
}

Integer TkvWinXPLookAndFeelPainter::ButtonFrameWidth(TkvButtonState State) {
  const HTHEME theme = ObtainTheme(totButton);
  Integer width = 0;
  if (theme && ContentWidth(theme, 1, PushButtonThemeState(State), width)) return width;
  return TStandard::ButtonFrameWidth(kvbsNormal);
}

TColor TkvWinXPLookAndFeelPainter::ButtonFaceColor(TkvButtonState State) {
  const HTHEME theme = ObtainTheme(totButton);
  TColor color;
  if (theme && ThemeColor(theme, 1, PushButtonThemeState(State), kButtonFaceColorProperty, color)) return color;
  return TBase::ButtonFaceColor(State);
}

TRect TkvWinXPLookAndFeelPainter::ButtonFocusBounds(TkvCanvas* Canvas, const TRect& R) {
  const HTHEME theme = ObtainTheme(totButton);
  TRect content;
  if (theme && ContentRect(theme, Canvas->DCHandle(), 1, 1, R, content)) return content;
  return TBase::ButtonFocusBounds(Canvas, R);
}

TRect TkvWinXPLookAndFeelPainter::ButtonGroupFrameWidths(Integer ButtonCount, Integer ButtonIndex) {
  const HTHEME theme = ObtainTheme(totButton);
  TRect content;
  if (!theme || !ContentRect(theme, nullptr, 1, 1, kMetricsRect, content))
    return TBase::ButtonGroupFrameWidths(ButtonCount, ButtonIndex);
  TRect widths = Rect(content.Left, content.Top, 100 - content.Right, 100 - content.Bottom);
  if (UxIsThemeBackgroundPartiallyTransparent(theme, 1, 1)) widths = RectInflated(widths, -1, -1);
  return widths;
}

Integer TkvWinXPLookAndFeelPainter::ButtonTextIndent() { return 2; }
Integer TkvWinXPLookAndFeelPainter::ButtonPressedTextShift() { return 0; }

TColor TkvWinXPLookAndFeelPainter::ButtonGlyphColor(TkvButtonState State, TColor DefaultColor) {
  const HTHEME theme = ObtainTheme(totButton);
  TColor color;
  if (theme && ThemeColor(theme, 1, PushButtonThemeState(State), TMT_TEXTCOLOR, color)) return color;
  return TBase::ButtonGlyphColor(State, DefaultColor);
}

void TkvWinXPLookAndFeelPainter::PaintButton(TkvCanvas* Canvas, const TRect& R, const String& Caption,
                                             TkvButtonState State, bool DrawFrame, TColor Color, TColor TextColor,
                                             bool WordWrap) {
  const HTHEME theme = ObtainTheme(totButton);
  if (!theme) {
    TBase::PaintButton(Canvas, R, Caption, State, DrawFrame, Color, TextColor, WordWrap);
    return;
  }
  const int state = PushButtonThemeState(State);
  DrawPart(theme, Canvas, 1, state, R);
  if (Caption.empty()) return;
  Canvas->GetCanvas()->RequiredState(TCanvasState{csHandleValid, csFontValid});
  UxDrawThemeText(theme, Canvas->DCHandle(), 1, state, Caption, -1, DT_CENTER | DT_VCENTER | DT_SINGLELINE, 0, &R);
}

void TkvWinXPLookAndFeelPainter::PaintExpandButton(TkvCanvas* Canvas, const TRect& R, bool Expanded, TColor Color) {
  const HTHEME theme = ObtainTheme(totTreeView);
  if (!theme) {
    TStandard::PaintExpandButton(Canvas, R, Expanded, Color);
    return;
  }
  DrawPart(theme, Canvas, 2, Expanded ? 2 : 1, R);
  Canvas->ClipOutRect(R);
}

bool TkvWinXPLookAndFeelPainter::ExpandButtonPaintedFirst() { return false; }

void TkvWinXPLookAndFeelPainter::PaintGroupExpandButton(TkvCanvas* Canvas, const TRect& R, bool Expanded,
                                                        TkvButtonState State) {
  if (const HTHEME theme = ObtainTheme(totExplorerBar))
    DrawPart(theme, Canvas, Expanded ? 6 : 7, ExplorerBarThemeState(State), R);
  else
    TStandard::PaintGroupExpandButton(Canvas, R, Expanded, State);
}

void TkvWinXPLookAndFeelPainter::PaintSmallExpandButton(TkvCanvas* Canvas, const TRect& R, bool Expanded,
                                                        TColor BorderColor, TColor) {
  if (ObtainTheme(totTreeView)) {
    PaintExpandButton(Canvas, R, Expanded, clDefault);
    return;
  }
  // No face fill: the button lies on whatever the caller painted. The frame takes the border colour
  // the caller asked for.
  TBase::PaintSmallExpandButton(Canvas, R, Expanded, BorderColor, clDefault);
}

Integer TkvWinXPLookAndFeelPainter::ExpandButtonExtent() {
  const HTHEME theme = ObtainTheme(totTreeView);
  SIZE size{};
  return theme && TrueSize(theme, 2, 2, size) ? size.cx : TStandard::ExpandButtonExtent();
}

Integer TkvWinXPLookAndFeelPainter::GroupExpandButtonExtent() {
  const HTHEME theme = ObtainTheme(totExplorerBar);
  SIZE size{};
  return theme && TrueSize(theme, 7, 1, size) ? size.cx : TBase::GroupExpandButtonExtent();
}

bool TkvWinXPLookAndFeelPainter::ButtonHotTracks() { return true; }

bool TkvWinXPLookAndFeelPainter::HitsGroupExpandButton(const TRect& R, const TPoint& P) {
  const HTHEME theme = ObtainTheme(totExplorerBar);
  HRGN region = nullptr;
  if (!theme || !Succeeded(UxGetThemeBackgroundRegion(theme, nullptr, 7, 1, &R, &region)) || !region)
    return TBase::HitsGroupExpandButton(R, P);
  const bool hit = PtInRegion(region, P.X, P.Y) != FALSE;
  DeleteObject(region);
  return hit;
}

Integer TkvWinXPLookAndFeelPainter::SmallExpandButtonExtent() {
  return ObtainTheme(totTreeView) ? ExpandButtonExtent() : TBase::SmallExpandButtonExtent();
}

Integer TkvWinXPLookAndFeelPainter::CheckBoxFrameWidth() {
  return ObtainTheme(totButton) ? 0 : TBase::CheckBoxFrameWidth();
}

TSize TkvWinXPLookAndFeelPainter::CheckBoxExtent() {
  const HTHEME theme = ObtainTheme(totButton);
  SIZE size{};
  return theme && TrueSize(theme, 3, 5, size) ? size : TBase::CheckBoxExtent();
}

void TkvWinXPLookAndFeelPainter::PaintCheckMark(TkvCanvas* Canvas, const TRect& R, TkvButtonState State,
                                                bool Checked, TColor Color) {
  if (const HTHEME theme = ObtainTheme(totButton))
    DrawPart(theme, Canvas, 3, CheckThemeState(State, Checked), R);
  else
    TBase::PaintCheckMark(Canvas, R, State, Checked, Color);
}

void TkvWinXPLookAndFeelPainter::PaintCheckBoxFrame(TkvCanvas* Canvas, const TRect& R, TkvButtonState State) {
  if (!ObtainTheme(totButton)) TStandard::PaintCheckBoxFrame(Canvas, R, State);
}

void TkvWinXPLookAndFeelPainter::PaintRadioButton(TkvCanvas* Canvas, Integer X, Integer Y, TkvButtonState State,
                                                  bool Checked, bool Focused, TColor BkColor, bool Highlighted) {
  const HTHEME theme = ObtainTheme(totButton);
  if (!theme) {
    // The button theme can go while this painter is still chosen (a theme switch in between).
    TBase::PaintRadioButton(Canvas, X, Y, State, Checked, Focused, BkColor, Highlighted);
    return;
  }
  const TSize size = RadioButtonExtent();
  DrawPart(theme, Canvas, 2, CheckThemeState(State, Checked), MakeBoundsRect(X, Y, size.cx, size.cy));
}

TSize TkvWinXPLookAndFeelPainter::RadioButtonExtent() {
  const HTHEME theme = ObtainTheme(totButton);
  SIZE size{};
  return theme && TrueSize(theme, 2, 1, size) ? size : TBase::RadioButtonExtent();
}

void TkvWinXPLookAndFeelPainter::PaintHeader(TkvCanvas* Canvas, const TRect& Bounds, const TRect& TextAreaBounds,
                                             TkvBorders Neighbors, TkvBorders Borders, TkvButtonState State,
                                             TAlignment AlignHorz, TkvVerticalAlignment AlignVert, bool MultiLine,
                                             bool ShowEndEllipsis, const String& Text, TFont* Font, TColor TextColor,
                                             TColor BkColor, const TkvDrawBackgroundEvent& OnDrawBackground,
                                             bool Rightmost, Integer Reserved) {
  const HTHEME theme = ObtainTheme(totHeader);
  if (!theme) {
    TBase::PaintHeader(Canvas, Bounds, TextAreaBounds, Neighbors, Borders, State, AlignHorz, AlignVert, MultiLine,
                       ShowEndEllipsis, Text, Font, TextColor, BkColor, OnDrawBackground, Rightmost, Reserved);
    return;
  }
  const int state = HeaderThemeState(State);
  const Integer scheme = Office11SchemeIndex();
  const int part = Rightmost && state == 1 && (scheme == 1 || scheme == 2) ? 3 : 1;
  DrawPart(theme, Canvas, part, state, Bounds);
  const TRect textRect = State == kvbsPressed ? RectShifted(TextAreaBounds, 1, 1) : TextAreaBounds;
  PaintThemedText(Canvas, theme, part, state, Bounds, textRect, AlignHorz, AlignVert, MultiLine, ShowEndEllipsis,
                  false, Text, Font, TextColor, BkColor);
}

void TkvWinXPLookAndFeelPainter::PaintHeaderPressed(TkvCanvas*, const TRect&) {}

void TkvWinXPLookAndFeelPainter::PaintHeaderSection(TkvCanvas* Canvas, const TRect& Bounds,
                                                    const TRect& TextAreaBounds, TkvBorders Neighbors,
                                                    TkvBorders Borders, TkvButtonState State, TAlignment AlignHorz,
                                                    TkvVerticalAlignment AlignVert, bool MultiLine,
                                                    bool ShowEndEllipsis, const String& Text, TFont* Font,
                                                    TColor TextColor, TColor BkColor) {
  Canvas->FillWithColor(Bounds, clBtnFace);
  PaintHeader(Canvas, Bounds, TextAreaBounds, Neighbors, Borders, State, AlignHorz, AlignVert, MultiLine,
              ShowEndEllipsis, Text, Font, TextColor, BkColor, TkvDrawBackgroundEvent(), false, 0);
}

void TkvWinXPLookAndFeelPainter::PaintSortMark(TkvCanvas* Canvas, const TRect& R, bool Ascending) {
  PainterClassOf<TkvUltraFlatLookAndFeelPainter>()->PaintSortMark(Canvas, R, Ascending);
}

Integer TkvWinXPLookAndFeelPainter::HeaderFrameWidth() {
  const HTHEME theme = ObtainTheme(totHeader);
  TRect content;
  if (theme && ContentRect(theme, nullptr, 1, 1, kMetricsRect, content)) return (content.Left + content.Top) / 2;
  return TStandard::HeaderFrameWidth();
}

Integer TkvWinXPLookAndFeelPainter::HeaderSectionFrameWidth(TkvButtonState) { return HeaderFrameWidth(); }

TRect TkvWinXPLookAndFeelPainter::HeaderSectionContentBounds(const TRect& Bounds, TkvButtonState State) {
  if (!ObtainTheme(totHeader)) return TBase::HeaderSectionContentBounds(Bounds, State);
  return RectInflated(Bounds, -HeaderFrameWidth(), -HeaderFrameWidth());
}

bool TkvWinXPLookAndFeelPainter::HeaderFlag126() { return true; }
TPoint TkvWinXPLookAndFeelPainter::SortMarkExtent() { return PainterClassOf<TkvUltraFlatLookAndFeelPainter>()->SortMarkExtent(); }

Integer TkvWinXPLookAndFeelPainter::FooterFrameWidth() {
  return ObtainTheme(totEdit) ? 1 : TStandard::FooterFrameWidth();
}

Integer TkvWinXPLookAndFeelPainter::FooterCellFrameWidth() {
  const HTHEME theme = ObtainTheme(totTrackBar);
  Integer width = 0;
  return theme && ContentWidth(theme, 1, 1, width) ? width : TStandard::FooterCellFrameWidth();
}

Integer TkvWinXPLookAndFeelPainter::FooterCellSpacing() {
  return ObtainTheme(totTrackBar) ? 1 : TStandard::FooterCellSpacing();
}

bool TkvWinXPLookAndFeelPainter::FooterCellsPaintedFirst() { return false; }

void TkvWinXPLookAndFeelPainter::PaintFooterCell(TkvCanvas* Canvas, const TRect& Bounds, TAlignment AlignHorz,
                                                 TkvVerticalAlignment AlignVert, bool MultiLine, const String& Text,
                                                 TFont* Font, TColor TextColor, TColor BkColor,
                                                 const TkvDrawBackgroundEvent& OnDrawBackground) {
  const HTHEME theme = ObtainTheme(totTrackBar);
  if (!theme) {
    TBase::PaintFooterCell(Canvas, Bounds, AlignHorz, AlignVert, MultiLine, Text, Font, TextColor, BkColor,
                           OnDrawBackground);
    return;
  }
  DrawPart(theme, Canvas, 1, 1, Bounds);
  PaintThemedText(Canvas, theme, 1, 1, Bounds, FooterCellTextBounds(Bounds), AlignHorz, AlignVert, MultiLine, false,
                  false, Text, Font, TextColor, BkColor);
}

void TkvWinXPLookAndFeelPainter::PaintFooterFrame(TkvCanvas* Canvas, const TRect& R) {
  const HTHEME theme = ObtainTheme(totEdit);
  if (!theme) {
    TStandard::PaintFooterFrame(Canvas, R);
    return;
  }
  constexpr UINT kRaisedInner = 4, kAllSides = 15;
  UxDrawThemeEdge(theme, Canvas->DCHandle(), 0, 0, &R, kRaisedInner, kAllSides, nullptr);
}

void TkvWinXPLookAndFeelPainter::PaintFilterCloseButton(TkvCanvas* Canvas, const TRect& R, TkvButtonState State) {
  if (const HTHEME theme = ObtainTheme(totWindow))
    DrawPart(theme, Canvas, 19, TabThemeState(State), R);
  else
    TBase::PaintFilterCloseButton(Canvas, R, State);
}

void TkvWinXPLookAndFeelPainter::PaintFilterDropDownButton(TkvCanvas* Canvas, const TRect& R, TkvButtonState State,
                                                           bool Active) {
  if (const HTHEME theme = ObtainTheme(totComboBox))
    DrawPart(theme, Canvas, 1, TabThemeState(State), R);
  else
    TStandard::PaintFilterDropDownButton(Canvas, R, State, Active);
}

TPoint TkvWinXPLookAndFeelPainter::FilterActivatorExtent() {
  const HTHEME theme = ObtainTheme(totButton);
  SIZE size{};
  if (theme && TrueSize(theme, 3, 5, size)) return {size.cx, size.cy};
  return TBase::FilterActivatorExtent();
}

TPoint TkvWinXPLookAndFeelPainter::FilterCloseButtonExtent() {
  const HTHEME theme = ObtainTheme(totWindow);
  SIZE size{};
  if (theme && TrueSize(theme, 19, 1, size)) return {size.cx + 4, size.cy + 4};
  return TBase::FilterCloseButtonExtent();
}

void TkvWinXPLookAndFeelPainter::PaintTab(TkvCanvas* Canvas, const TRect& R, TkvBorders Borders, const String& Text,
                                          TkvButtonState State, bool Vertical, TFont* Font, TColor TextColor,
                                          TColor BkColor, bool ShowPrefix) {
  const HTHEME theme = ObtainTheme(totTab);
  if (!theme) {
    TBase::PaintTab(Canvas, R, Borders, Text, State, Vertical, Font, TextColor, BkColor, ShowPrefix);
    return;
  }
  const int state = TabThemeState(State);
  const bool selected = State == kvbsPressed;
  // A vertical tab is drawn turned on a bitmap of its own and transposed back onto the canvas.
  std::unique_ptr<TkvCustomBitmap> turned;
  TRect c = R;
  HDC dc = Canvas->DCHandle();
  if (Vertical) {
    c = Rect(0, 0, R.Height(), R.Width());
    if (RectIsVoid(c)) return;
    turned = std::make_unique<TkvCustomBitmap>(c, pf32bit);
    dc = turned->GetCanvas()->GetHandle();
  }
  TRect d = c;
  const TkvBorder before = Vertical ? bTop : bLeft, after = Vertical ? bBottom : bRight;
  if (!Borders.Contains(before)) d.Left -= 2;
  if (!Borders.Contains(after)) d.Right += 2;
  if (selected)
    ++d.Bottom;
  else
    --c.Bottom;
  UxDrawThemeBackground(theme, dc, 1, state, &d, &c);
  if (turned) {
    turned->RotateFlip(1, true);
    c = Turned(c);
    d = Turned(d);
    Canvas->CopyFromCanvas(RectShifted(c, R.Left, R.Top), turned->GetCanvas(), c);
    turned.reset();
    c = RectShifted(c, R.Left, R.Top);
    d = RectShifted(d, R.Left, R.Top);
  }
  if (selected) {
    if (Vertical)
      d.Right -= 2;
    else
      d.Bottom -= 2;
  }
  PaintThemedText(Canvas, theme, 1, state, c, d, taCenter, vaCenter, false, false, ShowPrefix, Text, Font, TextColor,
                  BkColor);
}

void TkvWinXPLookAndFeelPainter::PaintTabFrame(TkvCanvas* Canvas, const TRect& R, TkvBorder Side, TkvBorders Borders,
                                               bool Vertical) {
  if (!ObtainTheme(totTab)) TStandard::PaintTabFrame(Canvas, R, Side, Borders, Vertical);
}

void TkvWinXPLookAndFeelPainter::PaintTabStrip(TkvCanvas* Canvas, const TRect& R, TkvBorders Borders,
                                               bool Vertical) {
  const HTHEME theme = ObtainTheme(totTab);
  if (!theme) {
    TStandard::PaintTabStrip(Canvas, R, Borders, Vertical);
    return;
  }
  // The pane is drawn larger than R so that only its edge along the tabs shows.
  TRect c = R;
  ContentRect(theme, Canvas->DCHandle(), 9, 0, R, c);
  TRect p = R;
  if (Vertical) {
    p.Right = R.Right + 10;
    p.Bottom = R.Bottom + (R.Top - c.Top) + (R.Bottom - c.Bottom);
  } else {
    p.Right = R.Right + (R.Left - c.Left) + (R.Right - c.Right);
    p.Bottom = R.Bottom + 10;
  }
  UxDrawThemeBackground(theme, Canvas->DCHandle(), 9, 0, &p, &R);
}

bool TkvWinXPLookAndFeelPainter::PaintsTabs(bool Vertical) {
  return ObtainTheme(totTab) ? true : TStandard::PaintsTabs(Vertical);
}

bool TkvWinXPLookAndFeelPainter::TabHotTracks(bool Vertical) {
  return ObtainTheme(totTab) ? true : TStandard::TabHotTracks(Vertical);
}

Integer TkvWinXPLookAndFeelPainter::TabFrameWidth(bool Vertical) {
  return ObtainTheme(totTab) ? 1 : TStandard::TabFrameWidth(Vertical);
}

void TkvWinXPLookAndFeelPainter::PaintIndicatorItem(TkvCanvas* Canvas, const TRect& R, Integer Kind, TColor BkColor,
                                                    const TkvDrawBackgroundEvent& OnDrawBackground) {
  PainterClassOf<TkvFlatLookAndFeelPainter>()->PaintIndicatorItem(Canvas, R, Kind, BkColor, OnDrawBackground);
}

Integer TkvWinXPLookAndFeelPainter::ScrollBarMinThumbExtent(bool Vertical) {
  constexpr Integer kLeast = 8;
  const HTHEME theme = ObtainTheme(totScrollBar);
  if (!theme) return kLeast;
  // The gripper drawn on the thumb of this orientation sets how short the thumb may get.
  const int gripper = Vertical ? 9 : 8;
  SIZE least{}, natural{};
  if (!Succeeded(UxThemePartSize(theme, nullptr, gripper, 1, TS_MIN, &least))) return kLeast;
  Integer extent = Vertical ? least.cy : least.cx;
  if (Succeeded(UxThemePartSize(theme, nullptr, gripper, 1, TS_TRUE, &natural)))
    extent = std::max(extent, (Vertical ? natural.cy : natural.cx) + 4);
  return std::max(extent, kLeast);
}

void TkvWinXPLookAndFeelPainter::PaintScrollBarPart(TkvCanvas* Canvas, bool Horizontal, const TRect& R,
                                                    TkvScrollBarPart Part, TkvButtonState State) {
  if (RectIsVoid(R)) return;
  const HTHEME theme = ObtainTheme(totScrollBar);
  if (!theme) {
    TStandard::PaintScrollBarPart(Canvas, Horizontal, R, Part, State);
    return;
  }
  switch (Part) {
    case sbpLineUp:
    case sbpLineDown:
      PaintArrowButton(Canvas, R, State, ScrollArrowDirection(Horizontal, Part), true);
      break;
    case sbpThumbnail:
      DrawPart(theme, Canvas, Horizontal ? 2 : 3, ScrollPartThemeState(State), R);
      DrawPart(theme, Canvas, Horizontal ? 8 : 9, 0, R);
      break;
    case sbpPageUp:
    case sbpPageDown: {
      const bool up = Part == sbpPageUp;
      const int part = Horizontal ? (up ? 4 : 5) : (up ? 6 : 7);
      DrawPart(theme, Canvas, part, ScrollPartThemeState(State), R);
      break;
    }
    default:
      break;
  }
}

void TkvWinXPLookAndFeelPainter::PaintSizeGrip(TkvCanvas* Canvas, const TRect& R, TColor BkColor) {
  const HTHEME theme = ObtainTheme(totScrollBar);
  if (!theme) {
    TStandard::PaintSizeGrip(Canvas, R, BkColor);
    return;
  }
  Canvas->FillWithColor(R, BkColor);
  DrawPart(theme, Canvas, 10, 1, R);
}

void TkvWinXPLookAndFeelPainter::PaintMonthHeader(TkvCanvas* Canvas, const TRect& R, const String& Text,
                                                  TkvBorders Neighbors, const TkvViewParams& ViewParams,
                                                  Integer Arrows, Integer ArrowIndent,
                                                  const TkvDrawBackgroundEvent& OnDrawBackground) {
  PaintHeader(Canvas, R, R, Neighbors, kvAllBorders, kvbsNormal, taCenter, vaCenter, false, false, Text,
              ViewParams.Font, ViewParams.TextColor, ViewParams.Color, OnDrawBackground, !Neighbors.Contains(bRight),
              0);
  PaintMonthNavArrows(Canvas, R, Arrows, ArrowIndent, clWindowText);
}

void TkvWinXPLookAndFeelPainter::PaintSchedulerEventProgress(TkvCanvas* Canvas, const TRect& Bounds,
                                                             const TRect& ProgressRect,
                                                             const TkvViewParams& ViewParams, bool Transparent) {
  const HTHEME theme = ObtainTheme(totProgress);
  if (!theme) {
    TBase::PaintSchedulerEventProgress(Canvas, Bounds, ProgressRect, ViewParams, Transparent);
    return;
  }
  DrawPart(theme, Canvas, 1, 0, Bounds);
  DrawPart(theme, Canvas, 3, 0, ProgressRect);
}

TRect TkvWinXPLookAndFeelPainter::SchedulerEventProgressMargins() { return Rect(3, 3, 3, 3); }

void TkvWinXPLookAndFeelPainter::PaintSchedulerNavigatorButton(TkvCanvas* Canvas, const TRect& R,
                                                               TkvButtonState State) {
  if (const HTHEME theme = ObtainTheme(totToolBar))
    DrawPart(theme, Canvas, 1, ToolBarThemeState(State), R);
  else
    TBase::PaintSchedulerNavigatorButton(Canvas, R, State);
}

void TkvWinXPLookAndFeelPainter::PaintSchedulerSplitterFrame(TkvCanvas* Canvas, const TRect& R,
                                                             const TkvViewParams& ViewParams, bool Horizontal) {
  TColor border;
  if (ObtainTheme(totListView) && ComboBoxBorderColor(border))
    PaintSplitterLines(Canvas, R, ViewParams, Horizontal, {{border, border}});
  else
    TStandard::PaintSchedulerSplitterFrame(Canvas, R, ViewParams, Horizontal);
}

void TkvWinXPLookAndFeelPainter::PaintPanelBackground(TkvCanvas* Canvas, TControl* Control, const TRect& Bounds,
                                                      TColor ColorFrom, TColor) {
  if (ColorFrom == clDefault)
    CopyParentImage(Control, Canvas, Bounds, true);
  else
    Canvas->FillWithColor(Bounds, ColorFrom);
}

void TkvWinXPLookAndFeelPainter::PaintThemedText(TkvCanvas* Canvas, HTHEME Theme, Integer PartId, Integer StateId,
                                                 const TRect&, const TRect& TextRect, TAlignment AlignHorz,
                                                 TkvVerticalAlignment AlignVert, bool MultiLine, bool ShowEndEllipsis,
                                                 bool ShowPrefix, const String& Text, TFont* Font, TColor TextColor,
                                                 TColor) {
  if (Text.empty()) return;
  if (Font) Canvas->AssignFont(Font);
  Canvas->CurrentFont()->SetColor(TextColor);
  TRect r = TextRect;
  if (MultiLine) {
    const Integer placement = AlignVert == vaBottom ? 1 : AlignVert == vaCenter ? 2 : 0;
    Canvas->AlignTextBlockVertically(r, Text, placement, true, ShowPrefix, true, false);
  }
  DWORD flags = AlignHorz == taRightJustify ? DT_RIGHT : AlignHorz == taCenter ? DT_CENTER : DT_LEFT;
  flags |= AlignVert == vaBottom ? DT_BOTTOM : AlignVert == vaCenter ? DT_VCENTER : DT_TOP;
  flags |= DT_EDITCONTROL | (MultiLine ? DT_WORDBREAK : DT_SINGLELINE);
  if (ShowEndEllipsis) flags |= DT_END_ELLIPSIS;
  if (!ShowPrefix) flags |= DT_NOPREFIX;
  Canvas->GetCanvas()->RequiredState(TCanvasState{csHandleValid, csFontValid});
  UxDrawThemeText(Theme, Canvas->DCHandle(), PartId, StateId, Text, -1, flags, 0, &r);
}
