#pragma once
// The bar painter: every bar window and item control asks it for sizes, colours and brushes and
// lets it draw. The base class carries the plain three-dimensional default look; the styles
// derive from it and override by operation.
//
// Operations are of two kinds. A class operation uses no painter state: it is reached through the
// painter's class reference, the one static instance of its class (ClassRef(), or
// BarPainterClassOf<P>() for a class known at compile time), and class operations call one
// another through `this` of that instance. An instance operation is called on the painter the
// manager made. Operations are declared in the order of their slots: descendants override by
// position, so new operations go where their slot is.
//
// Value conventions: clNone as a colour argument means "fill from the window's background";
// clDefault as a result means "keep your own default". A brush argument is a GDI brush or a
// system-colour code (the colour index plus 1); both fill alike.

#include <vector>

#include "rtl/Object.h"
#include "rtl/Types.h"
#include "rtl/WinTypes.h"
#include "toolkit/bars/qzBar.h"
#include "toolkit/foundation/kvGraphics.h"

class TCustomqzBarControl;
class TqzBarItemControl;
class TqzBarItemControlDrawParams;
class TqzBarManager;
class TqzBarPainter;

// The class reference of a painter: the static instance of its class.
using TqzBarPainterClass = TqzBarPainter*;

template <class P>
P* BarPainterClassOf() noexcept {
  static P instance(nullptr);
  return &instance;
}

// Declares a painter class's class reference; first in the class body after TAVREN_CLASS.
#define QZ_BAR_PAINTER_CLASS(Name) \
 public:                           \
  TqzBarPainterClass ClassRef() const override { return BarPainterClassOf<Name>(); }

class TqzBarPainter : public TObject {
  TAVREN_CLASS(TqzBarPainter, TObject)
 public:
  using TCreateArg = TObject*;
  // AData is the look-and-feel's skin painter; only the skinned painter keeps it.
  explicit TqzBarPainter(TObject* AData);
  virtual TqzBarPainterClass ClassRef() const { return BarPainterClassOf<TqzBarPainter>(); }

  // Bar windows.
  virtual void DrawBarBackground(TCustomqzBarControl* ABarControl, TkvCanvas* ACanvas);
  virtual void DrawSkinnedBarFrame(TCustomqzBarControl* ABarControl, HDC DC);
  virtual void GetFloatingCaptionRect(const TRect& AWindowRect, TRect& ARect);
  virtual bool DrawsBarFrameItself();  // class
  virtual bool AllowsLargeIcons();

  // Caption placement and colours.
  // Narrows ATextRect to where the caption goes beside AGlyphRect; answers the alignment (0 left,
  // 1 centre, 2 right).
  virtual Integer CalcButtonTextRect(TqzBarItemControlDrawParams* AParams, TRect& ATextRect, const TRect& AGlyphRect);
  // AHasRoom: the glyph area leaves a pixel round the glyph for a frame.
  virtual void DrawImageFrame(TqzBarItemControlDrawParams* AParams, HDC DC, const TRect& R, bool AHasRoom,
                              HBRUSH ABrush);
  virtual void PaintCheckMark(TqzBarItemControl* AControl, HDC DC, Integer AScale, Integer ATop, Integer ALeft);
  virtual void DrawCheckMarkCentred(TqzBarItemControl* AControl, HDC DC, bool AChecked, Byte APaintKind,
                                    const TRect& R);
  virtual void DrawDropDownArrow(HDC DC, const TRect& R, TColor AColor, bool AFlat, bool ASelected, bool AEnabled,
                                 Integer ADirection);  // class
  virtual void DrawArrow(HDC DC, const TRect& R, TColor AColor, bool AFlat, bool ASelected, bool AEnabled,
                         Integer ADirection, Integer AArrowSize);
  virtual void DrawSelectedFrame(HDC DC, const TRect& R);  // class
  virtual TColor ItemTextColor(TqzBarItemControl* AControl, bool ASelected, bool AFlat);
  virtual void DisabledCaptionColors(TqzBarItemControl* AControl, bool ASelected, bool AFlat, TColor& AShadowColor,
                                     TColor& ATextColor);
  virtual TColor EnabledCaptionColor(TqzBarItemControl* AControl, bool ASelected, bool AFlat);
  virtual TColor ItemArrowColor(TqzBarItemControlDrawParams* AParams);
  virtual bool FadesDisabledImages(TCustomqzBarControl* ABarControl);  // class
  virtual bool UsesClassicLook();
  virtual bool MenuItemsSelectedFlat();  // class
  virtual bool SuppressesPressedShift(TqzBarItemControl* AControl);          // class
  virtual bool ArrowUsesTextColor(TqzBarItemControlDrawParams* AParams);     // class

  // The mark and the caption.
  virtual bool IsMarkRectShort(TCustomqzBarControl* ABarControl, const TRect& R);  // class
  virtual TColor CaptionSysColor(Integer AStateIndex);
  virtual TColor CaptionTextColor(TCustomqzBarControl* ABarControl);
  virtual TColor MarkArrowColor(TCustomqzBarControl* ABarControl, Integer AMarkState);  // class
  virtual void DrawMarkArrow(TCustomqzBarControl* ABarControl, HDC DC, const TRect& R);
  virtual void DrawMarkChevrons(TCustomqzBarControl* ABarControl, HDC DC, Integer APosition, const TRect& R);  // class
  virtual void DrawMarkBackground(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush, const TRect& R);
  virtual Integer MarkElementColorIndex(TCustomqzBarControl* ABarControl);  // class

  // Item captions.
  virtual void DrawItemCaption(TqzBarItemControlDrawParams* AParams, const TRect& R, UINT AFormat, Integer AAlignment);
  virtual void GetTextMargins(TRect& AMargins);  // class
  virtual void GetCaptionExtent(TqzBarItemControlDrawParams* AParams, TRect& R);  // class
  virtual void AddButtonExtraWidth(TqzBarItemControlDrawParams* AParams, Integer& AWidth);

  // Button parts.
  virtual void CalcButtonPartRects(TqzBarItemControlDrawParams* AParams, const TRect& AItemRect,
                                   std::vector<TRect>& AParts);
  virtual void GetCaptionColors(TqzBarItemControl* AControl, bool AEnabled, bool ASelected, bool AFlat,
                                TColor& ATextColor, TColor& AShadowColor);

  // Bar metrics.
  virtual Integer DockedBarSpacing();
  virtual Integer BarContentIndent();
  virtual Integer MenuIconAreaSize(TCustomqzBarControl* ABarControl);
  virtual Integer SubItemTextIndent(TqzBarItemControl* AControl);  // class
  virtual Integer BarTextSize(TkvCanvas* ACanvas);  // class
  virtual Integer PopupBorderWidth();

  // Glyphs and item backgrounds.
  virtual void PlaceLargeGlyph(TqzBarItemControl* AControl, const TSize& AImageSize, TRect& R,
                               TqzBarGlyphLayout ALayout, Byte AContentParts, Byte APaintKind,
                               const TRect& AGlyphArea);
  virtual void FillItemBackground(TqzBarItemControl* AControl, HDC DC, bool AUseBrush, HBRUSH ABrush,
                                  const TRect& R);  // class
  virtual void FrameItemBackground(TqzBarItemControl* AControl, HDC DC, bool AUseBrush, HBRUSH ABrush,
                                   const TRect& R);  // class
  virtual void FillDisabledShadow(TqzBarItemControl* AControl, HDC DC, const TRect& R);  // class
  virtual void FillPlaceBackground(TqzBarItemControl* AControl, TkvCanvas* ACanvas, HDC DC, const TRect& R);
  // Places and draws the glyph of the parameters in AGlyphArea; AGlyphRect receives where it went.
  virtual void DrawItemGlyph(TqzBarItemControlDrawParams* AParams, HDC DC, const TRect& AGlyphArea,
                             const TRect& AFrameArea, bool AAbsent, TRect& AGlyphRect);
  virtual void PaintItemGlyph(TqzBarItemControlDrawParams* AParams, HDC DC, bool AAbsent, const TRect& AGlyphRect,
                              const TRect& AGlyphArea);
  virtual void DrawMenuItemBand(TqzBarItemControlDrawParams* AParams, const TRect& R);
  virtual void DrawCaptionText(TqzBarItemControl* AControl, HDC DC, UINT AFormat, bool AFlat, bool AClip,
                               bool ARotated, bool ASelected, bool AEnabled, Integer AAlignment, const TRect& R,
                               const String& AText);
  virtual void DrawSunkenFrame(HDC DC, TRect& R);  // class

  // Button looks.
  virtual HBRUSH ItemBackgroundBrush(TqzBarItemControl* AControl);  // class
  virtual bool DownGlyphShift(TqzBarItemControl* AControl);         // class
  virtual bool PressedGlyphShift(TqzBarItemControl* AControl, bool ADown);  // class
  virtual bool GlyphStyleFlag();  // class
  virtual bool IsFlat();  // class
  virtual bool IsFlatOnColouredFace();  // class
  virtual Integer ButtonItemHeightExtra(TqzBarItemControl* AControl);
  virtual bool FillsGlyphBackground(TqzBarItemControl* AControl, bool ADown, bool AAbsent, bool ASelected,
                                    bool APressed);  // class
  virtual bool GlyphStateFlag();  // class
  virtual bool DrawsItemBackground(TqzBarItemControl* AControl);  // class
  virtual bool ButtonHotTracks();                                  // class
  virtual Integer ButtonBorderWidth(TqzBarItemControl* AControl);  // class
  virtual Integer MenuCheckIndent(TqzBarItemControl* AControl);    // class
  virtual Integer GripperOffset();       // class
  virtual Integer FloatBorderX();        // class
  virtual Integer FloatBorderY();        // class
  virtual Integer DockedBorderMetric();  // class
  virtual Integer GripperAreaSize(TCustomqzBarControl* ABarControl);
  virtual Integer GripperWidth(TCustomqzBarControl* ABarControl);
  virtual Integer SplitArrowWidth(TqzBarManager* AManager);

  // Flat looks and brushes.
  virtual bool PaintsNativeBackground();                         // class
  virtual bool BarWindowFlag(TCustomqzBarControl* ABarControl);  // class
  virtual bool IsWindowFlat(TCustomqzBarControl* ABarControl);
  virtual bool IsControlFlat(TCustomqzBarControl* ABarControl);
  virtual Integer DockRowGap();  // class
  virtual HBRUSH ToolbarBrush(TCustomqzBarControl* ABarControl);        // class
  virtual HBRUSH BarBrush(TCustomqzBarControl* ABarControl);            // class
  virtual HBRUSH DownBrush(TCustomqzBarControl* ABarControl);           // class
  virtual HBRUSH DownSelectedBrush(TCustomqzBarControl* ABarControl);   // class
  virtual HBRUSH SelectedBrush(TCustomqzBarControl* ABarControl);       // class
  virtual Integer ComboArrowWidthFor(TCustomqzBarControl* ABarControl, Integer ACharWidth);
  virtual Integer EditControlHeight(TCustomqzBarControl* ABarControl, Integer ATextHeight);  // class

  // Window parts.
  virtual void AdjustWindowShape(HWND AWnd, const TRect& R, bool AFlag);  // class
  virtual bool HotTracksWindowParts();                                     // class
  virtual bool SupportsQuickCustomizing();                                 // class
  virtual Integer SeparatorOffset();
  virtual Integer SeparatorThickness();
  virtual void GetDockedBorderRect(TCustomqzBarControl* ABarControl, TRect& R);
  virtual Integer DockedBorderWidth();     // class
  virtual Integer FloatingCaptionHeight();  // class
  virtual void FillCaptionBackground(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush, const TRect& R);
  virtual Integer SmallCaptionHeight();   // class
  virtual bool HasCaptionBackground();    // class
  virtual void GetCaptionButtonSize(TSize& ASize);  // class
  virtual void DrawBarSeparator(TCustomqzBarControl* ABarControl, HDC DC, bool AHorizontal, HBRUSH ABrush,
                                const TRect& R);
  virtual Integer FloatingFrameInset();        // class
  virtual Integer FloatingCaptionTopExtra();     // class
  virtual Integer FloatingCaptionBottomExtra();  // class
  virtual Integer MarkSize(TCustomqzBarControl* ABarControl);
  virtual Integer CaptionStripHeight();  // class

  // Menu text.
  virtual void GetMenuTextMargins(TRect& AMargins);  // class

  // Buttons.
  virtual HBRUSH ButtonBackgroundBrush(TqzBarItemControlDrawParams* AParams);
  virtual bool IsButtonDrawnDown(TqzBarItemControlDrawParams* AParams);
  virtual bool IsArrowDrawnDown(TqzBarItemControlDrawParams* AParams);
  virtual bool IsFlatInstance();
  virtual bool ClicksRepaintWholeButton();  // class
  virtual Integer ButtonHeightExtra();
  virtual Integer ButtonWidthExtra();
  virtual Integer ButtonHeightFor(Integer AImageSize);
  virtual Integer ButtonWidthFor(Integer AImageSize);
  virtual void GetButtonSize(Integer AImageSize, Integer ASizeBase, TSize& ASize);
  virtual void GetMenuArrowSize(TSize& ASize);
  virtual void AdjustMenuItemHeight(Integer& AHeight);  // class
  virtual void AdjustMenuItemWidth(Integer& AWidth);    // class
  virtual void ShiftPressedRect(bool ADown, bool APressed, TRect& R);
  virtual void ShiftPressedArrowRect(bool APressed, TRect& R);  // class
  virtual void DrawButtonItem(TqzBarItemControlDrawParams* AParams, const TRect& R);
  virtual void DrawButtonCaption(TqzBarItemControlDrawParams* AParams, const TRect& R, const TRect& AGlyphRect);
  virtual void DrawButtonArrow(TqzBarItemControlDrawParams* AParams, const TRect& R);
  virtual void DrawArrowPartBackground(TqzBarItemControlDrawParams* AParams, const TRect& R, HBRUSH ABrush);
  virtual void DrawSplitArrow(TqzBarItemControlDrawParams* AParams, const TRect& R);
  virtual void DrawSubItemArrow(TqzBarItemControlDrawParams* AParams, const TRect& R);
  virtual TColor ComboArrowColor(TqzBarItemControlDrawParams* AParams);
  virtual HBRUSH ComboButtonBrush(TqzBarItemControlDrawParams* AParams);
  virtual Integer ComboButtonBorder();  // class

  // Menus.
  virtual Integer ReferenceTextSize();  // class
};
