#pragma once
// The shared vocabulary of the Wb controls: the enumerations every control publishes, the colour
// model on a 0..240 hue/saturation/lightness scale, the frame and bevel painters, a few glyph
// painters, font and caption routines and the desktop colour-scheme detection. The frame
// controller and the ini-or-registry store of the same unit are in WbFrameController.h.

#include "rtl/Sets.h"
#include "rtl/TypInfo.h"
#include "rtl/Types.h"
#include "rtl/WinTypes.h"
#include "vcl/StdCtrls.h"

class TCanvas;
class TControl;
class TFont;
class TWinControl;

enum TFrameStyleEx {
  fsNone,
  fsFlat,
  fsGroove,
  fsBump,
  fsLowered,
  fsButtonDown,
  fsRaised,
  fsButtonUp,
  fsStatus,
  fsPopup,
  fsFlatBold,
  fsFlatRounded
};
TAVREN_ENUM_INFO(TFrameStyleEx, fsNone, fsFlat, fsGroove, fsBump, fsLowered, fsButtonDown, fsRaised, fsButtonUp,
                 fsStatus, fsPopup, fsFlatBold, fsFlatRounded);
// The styles without fsFlatRounded; stored forms hold them by ordinal.
using TFrameStyle = TFrameStyleEx;

enum TFramingPreference { fpCustomFraming, fpXPThemes };
TAVREN_ENUM_INFO(TFramingPreference, fpCustomFraming, fpXPThemes);

enum TGradientDirection {
  gdDiagonalUp,
  gdDiagonalDown,
  gdHorizontalEnd,
  gdHorizontalCenter,
  gdHorizontalBox,
  gdVerticalEnd,
  gdVerticalCenter,
  gdVerticalBox,
  gdSquareBox,
  gdBigSquareBox
};
TAVREN_ENUM_INFO(TGradientDirection, gdDiagonalUp, gdDiagonalDown, gdHorizontalEnd, gdHorizontalCenter,
                 gdHorizontalBox, gdVerticalEnd, gdVerticalCenter, gdVerticalBox, gdSquareBox, gdBigSquareBox);

enum TSide { sdLeft, sdTop, sdRight, sdBottom };
TAVREN_ENUM_INFO(TSide, sdLeft, sdTop, sdRight, sdBottom);
using TSides = TSet<TSide, 4>;
inline constexpr TSides AllSides{sdLeft, sdTop, sdRight, sdBottom};

enum TAlignmentVertical { avTop, avCenter, avBottom };
TAVREN_ENUM_INFO(TAlignmentVertical, avTop, avCenter, avBottom);
enum TTextStyle { tsNormal, tsRaised, tsRecessed, tsShadow };
TAVREN_ENUM_INFO(TTextStyle, tsNormal, tsRaised, tsRecessed, tsShadow);
enum TOrientation { orHorizontal, orVertical };
TAVREN_ENUM_INFO(TOrientation, orHorizontal, orVertical);
enum TWbHotTrackColorType { htctComplement, htctActual };
TAVREN_ENUM_INFO(TWbHotTrackColorType, htctComplement, htctActual);
enum TWbGradientColorStyle { gcsSystem, gcsMSOffice, gcsCustom };
TAVREN_ENUM_INFO(TWbGradientColorStyle, gcsSystem, gcsMSOffice, gcsCustom);
enum TWbVisualStyle { vsClassic, vsWinXP, vsGradient };
TAVREN_ENUM_INFO(TWbVisualStyle, vsClassic, vsWinXP, vsGradient);
enum TWbButtonHotTrackStyle { htsInterior, htsFrame };
TAVREN_ENUM_INFO(TWbButtonHotTrackStyle, htsInterior, htsFrame);

enum TWbFrameControllerProperty {
  fcpColor,
  fcpFocusColor,
  fcpDisabledColor,
  fcpReadOnlyColor,
  fcpReadOnlyColorOnFocus,
  fcpParentColor,
  fcpFlatButtonColor,
  fcpFlatButtons,
  fcpFrameColor,
  fcpFrameHotColor,
  fcpFrameHotTrack,
  fcpFrameHotStyle,
  fcpFrameSides,
  fcpFrameStyle,
  fcpFrameVisible,
  fcpFramingPreference,
  fcpAll
};
TAVREN_ENUM_INFO(TWbFrameControllerProperty, fcpColor, fcpFocusColor, fcpDisabledColor, fcpReadOnlyColor,
                 fcpReadOnlyColorOnFocus, fcpParentColor, fcpFlatButtonColor, fcpFlatButtons, fcpFrameColor,
                 fcpFrameHotColor, fcpFrameHotTrack, fcpFrameHotStyle, fcpFrameSides, fcpFrameStyle,
                 fcpFrameVisible, fcpFramingPreference, fcpAll);
// Bit n set: property n is taken from the frame controller (fcpAll is never a member).
using TWbFrameControllerNotifications = TSet<TWbFrameControllerProperty, 16>;
inline constexpr TWbFrameControllerNotifications AllFrameControllerNotifications =
    TWbFrameControllerNotifications::FromBits(0xFFFF);

// taLeftJustify or taRightJustify.
using TLeftRight = TAlignment;

using TPositionChangingEvent = TEvent<void(TObject* Sender, Integer NewPos, bool& AllowChange)>;
using TPositiveInteger = Integer;

// A control that reads the values it wants from its frame controller itself.
class IWbFramingClient {
 public:
  virtual void PullFrameControllerValues() = 0;

 protected:
  ~IWbFramingClient() = default;
};

// ---- Colour model (0..240 per component) ------------------------------------------------------

void ColorToHslBytes(TColor Color, Byte& H, Byte& S, Byte& L);
Byte HueOfColor(TColor Color);
TColor HslBytesToColor(Byte H, Byte S, Byte L);
TColor DarkenColor(TColor Color, Byte Amount);
TColor LightenColor(TColor Color, Byte Amount);
// Negative darkens, positive lightens; 0 returns Color as it is (a system colour stays one).
TColor ShiftColorLightness(TColor Color, Integer Adjustment);
// Weight 255 gives Color1, 0 gives Color2.
TColor MixColors(TColor Color1, TColor Color2, Byte Weight);
bool ColorsLookAlike(TColor Color1, TColor Color2);
TColor OppositeHueColor(TColor Color, Byte Lightness);

TColor ThemePartColor(Byte Kind);
void OfficeGradientColors(TWbGradientColorStyle Style, TColor& StartColor, TColor& StopColor);
void GroupGradientColors(TWbGradientColorStyle Style, TColor& StopColor, TColor& StartColor, TColor& LineColor);
bool HasFullColorDisplay();
// 0 default, 1 "HOMESTEAD", 2 "METALLIC".
Byte DetectXPColorScheme();

// Decided once at start-up.
extern bool FullColorDisplay;
extern Byte XPColorScheme;

// ---- Frames: each returns the rectangle left inside what it drew ------------------------------

TRect PaintSides(TCanvas* Canvas, const TRect& Bounds, TColor ULColor, TColor LRColor, TSides Sides);
TRect PaintBevel(TCanvas* Canvas, const TRect& Bounds, TColor ULColor, TColor LRColor, Integer Width, TSides Sides);
TRect PaintBorderSides(TCanvas* Canvas, const TRect& Bounds, TFrameStyle Style, TSides Sides);
TRect PaintBorder(TCanvas* Canvas, const TRect& Bounds, TFrameStyle Style);
TRect PaintColorBorderSides(TCanvas* Canvas, const TRect& Bounds, TColor FaceColor, TSides Sides, TFrameStyle Style);
TRect PaintColorBorder(TCanvas* Canvas, const TRect& Bounds, TColor FaceColor, TFrameStyle Style);
TRect PaintColorButtonEdge(TCanvas* Canvas, const TRect& Bounds, TColor FaceColor, TSides Sides, bool Down);
TRect PaintBox(TCanvas* Canvas, const TRect& Bounds, TColor Color);
TRect PaintDottedFocusRect(TCanvas* Canvas, const TRect& Bounds);
TRect PaintRoundedFlatBorder(TCanvas* Canvas, const TRect& Bounds, TColor Color, TSides Sides);
// The borders of a panel: outer style, a BorderWidth band, inner style.
TRect PaintInnerOuterBorders(TCanvas* Canvas, const TRect& Bounds, TFrameStyleEx BorderOuter,
                             TFrameStyleEx BorderInner, Integer BorderWidth, TSides BorderSides, TColor BorderColor,
                             TColor BorderHighlight, TColor BorderShadow, Integer BevelWidth, TColor FlatColor,
                             Integer FlatColorAdjustment, TColor Color, TColor ParentColor, bool Transparent);
// An edit's frame, drawn into its window DC.
void PaintNonClientFrame(TCanvas* Canvas, Integer Width, Integer Height, TFrameStyle Style, TColor Color,
                         TColor FrameColor, TSides Sides);
void InvalidateNonClientFrame(HWND Window, const TRect& Rect);
// Invalidates the children that publish "Transparent" and have it on.
void InvalidateTransparentChildren(TWinControl* Container);
TRect RectCenteredIn(const TRect& Bounds, Integer Width, Integer Height);

// ---- Glyphs ----------------------------------------------------------------------------------

void PaintDropDownArrow(TCanvas* Canvas, const TRect& Bounds, bool Themed, bool Enabled, bool Pressed);
// Direction: 0 up, 1 down, 2 left, 3 right; anything else draws nothing.
void PaintDirectionArrow(TCanvas* Canvas, const TRect& Bounds, bool Themed, bool Enabled, bool Pressed,
                         Integer Direction);
void PaintCloseGlyph(TCanvas* Canvas, const TRect& Bounds, bool Themed, bool Enabled, bool Pressed);
// DrawState: 0 normal, 1 pressed, 2 hot, 3 disabled.
void PaintCheckGlyph(TCanvas* Canvas, const TRect& Bounds, TCheckBoxState State, Integer DrawState, bool Focused,
                     bool ReadOnly, bool ReadOnlyColorOnFocus, TWbButtonHotTrackStyle HotTrackStyle,
                     TColor FrameColor, TColor FillColor, TColor FocusColor, TColor DisabledColor,
                     TColor ReadOnlyColor, TColor MarkColor, TColor HotFrameColor, TColor HotLightColor);
// A two-pixel gradient ring; the caller's clipping is kept.
void PaintHighlightRing(TCanvas* Canvas, const TRect& Bounds, TGradientDirection Direction, TColor StartColor,
                        TColor StopColor);

// ---- Fonts and text --------------------------------------------------------------------------

// The caller deletes the font.
HFONT CreateRotatedFont(TFont* Font, Integer Angle);
bool FontIsTrueType(TFont* Font);
Integer FontMinEditHeight(TFont* Font);
String StripAccelerators(const String& Caption);
// Tells a form designer about a change; there is no designer at run time.
void MarkDesignerModified(TControl* Control);

// ---- Small shared helpers ----------------------------------------------------------------------

// Whether the control reads right to left (any right-to-left bidirectional mode).
bool UsesRightToLeftReading(TControl* Control);
// With TabOnEnter, Enter moves on as Tab does: the key is swallowed and a Tab key-down posted to
// the control. True when it did so.
bool TabOnEnterKey(TWinControl* Control, bool TabOnEnter, Char& Key);
// A part of the visual style drawn over Rect; false when no style answers.
bool DrawThemedPart(HDC DC, const char16_t* ThemeClass, int Part, int State, const TRect& Rect);

void WbCommonStart();
