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
class TqzBarSubMenuControl;
class TqzDockControl;
class TqzBar;
class TqzBarCustomCombo;

// The frame of a static item: none, a sunken or raised 1-pixel edge, an etched or bumped 2-pixel one.
enum TqzBarStaticBorderStyle { sbsNone, sbsLowered, sbsRaised, sbsEtched, sbsBump };
TAVREN_ENUM_INFO(TqzBarStaticBorderStyle, sbsNone, sbsLowered, sbsRaised, sbsEtched, sbsBump);

// The class reference of a painter: the static instance of its class.
using TqzBarPainterClass = TqzBarPainter*;

template <class P>
P* BarPainterClassOf() noexcept {
  static P instance(nullptr);
  return &instance;
}

// The system-colour brush code of a colour index: filled alike wherever a brush is.
inline HBRUSH SysColorBrushCode(int AIndex) { return reinterpret_cast<HBRUSH>(static_cast<intptr_t>(AIndex + 1)); }

// Whether the form the manager's bars belong to is the active window (captions follow it).
bool IsManagerFormActive(TqzBarManager* AManager);

// What a menu row keeps right of its shortcut, where the sub-menu arrow column goes: the shortcut
// is drawn right-aligned this far from the row's end, and a row is measured wide enough for it.
inline Integer MenuShortCutEndGap(Integer ATextSize) { return ATextSize + 5; }

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
  virtual void DrawImageFrame(TqzBarItemControlDrawParams* AParams, HDC DC, const TRect& R, bool AAbsent,
                              bool AHasRoom, HBRUSH ABrush);
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
  // The classic size grip; the themed one belongs to the painters that paint natively.
  virtual void DrawSizeGrip(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush, const TRect& R);
  virtual void DrawMarkArrow(TCustomqzBarControl* ABarControl, HDC DC, const TRect& R);
  virtual void DrawMarkChevrons(TCustomqzBarControl* ABarControl, HDC DC, Integer APosition, const TRect& R);  // class
  virtual void DrawMarkBackground(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush, const TRect& R);
  // The mark's down arrow (where quick customizing is offered) and its chevrons when links are hidden.
  virtual void DrawMarkGlyphs(TCustomqzBarControl* ABarControl, HDC DC, const TRect& R);
  // Where a floating caption's text starts, and where its band ends, when the window shows its mark.
  virtual void OffsetFloatingCaption(TCustomqzBarControl* ABarControl, Integer& ATextX, TRect& ACaptionRect);  // class
  virtual Integer MarkElementColorIndex(TCustomqzBarControl* ABarControl);  // class

  // Item captions.
  virtual void DrawItemCaption(TqzBarItemControlDrawParams* AParams, const TRect& R, UINT AFormat, Integer AAlignment);
  virtual void GetTextMargins(TRect& AMargins);  // class
  virtual void GetCaptionExtent(TqzBarItemControlDrawParams* AParams, TRect& R);  // class
  virtual void AddButtonExtraWidth(TqzBarItemControlDrawParams* AParams, Integer& AWidth);
  virtual Integer ComboDotsOffset(Integer ADotSize);

  // The dots button of colour and image combos.
  virtual Integer DotsButtonWidth(Byte APaintKind, const TRect& R);
  virtual void DrawDot(TqzBarItemControlDrawParams* AParams, const TRect& R);
  virtual void DrawDotsButton(TqzBarItemControlDrawParams* AParams, const TRect& R);
  // The dots button at the right end of R inside the image-part margins; empty (left = right)
  // when the item shows none or it would take half of the edit rectangle.
  virtual void CalcDotsButtonRect(TqzBarItemControlDrawParams* AParams, const TRect& R, TRect& AButton);
  // The colour combo's dots button (part 4) at the right end of the edit part R, which gives way.
  virtual void CalcColorComboPartRects(TqzBarItemControlDrawParams* AParams, const TRect& R,
                                       std::vector<TRect>& AParts);
  virtual bool EditHasImagePart(TqzBarItemControlDrawParams* AParams);
  // The small button face, then the dots.
  virtual void DrawImageEditButton(TqzBarItemControlDrawParams* AParams, const TRect& R);

  // Combo arrows.
  virtual void DrawComboArrow(TqzBarItemControlDrawParams* AParams, const TRect& R, TColor AColor, Integer ASize);  // class

  // Menu arrows and scroll buttons.
  virtual void FillArrowShape(TkvCanvas* ACanvas, const TRect& R, TColor AColor);
  virtual Integer ScrollArrowSize(Integer AHeight);  // class
  // A menu's scroll button: the arrow is painted first and clipped out, then the face round it.
  virtual void DrawScrollArrow(TqzBarSubMenuControl* AMenu, TkvCanvas* ACanvas, bool ADown, TColor AColor,
                               const TRect& R);
  virtual void DrawScrollButton(TqzBarSubMenuControl* AMenu, TkvCanvas* ACanvas, bool ADown);
  virtual void DrawScrollButtonFace(TqzBarSubMenuControl* AMenu, TkvCanvas* ACanvas, bool ADown);
  // The line between a down button and a band that starts under it; kept from the face's fill.
  virtual void DrawScrollButtonEdge(TqzBarSubMenuControl* AMenu, TkvCanvas* ACanvas, bool ADown);
  virtual void GetScrollButtonRect(TqzBarSubMenuControl* AMenu, bool ADown, TRect& R);
  virtual Integer ScrollButtonHeight(TqzBarSubMenuControl* AMenu);
  // The mark at the bottom of a menu that shows only its recent links: two chevrons pointing down.
  virtual void DrawExpandChevrons(TqzBarSubMenuControl* AMenu, HDC DC, bool AHot, const TRect& R);
  // Draws the mark off screen and copies it onto the menu's canvas, keeping it from later fills.
  virtual void DrawExpandButton(TqzBarSubMenuControl* AMenu, const TRect& R, bool AHot);
  virtual void DrawExpandButtonHot(TqzBarSubMenuControl* AMenu, HDC DC, const TRect& R);
  // True: a menu's scroll buttons take bands of their own above and below the items.
  virtual bool ScrollButtonsHaveOwnBands();  // class

  // Edit content.
  virtual void GetEditContentRect(TqzBarItemControl* AControl, TRect& R);  // class
  virtual void DrawPushButtonText(HDC DC, const TRect& R, bool AOpaque, const String& AText, Integer AShift);  // class

  // Button parts.
  virtual void CalcButtonPartRects(TqzBarItemControlDrawParams* AParams, const TRect& AItemRect,
                                   std::vector<TRect>& AParts);
  virtual void GetCaptionColors(TqzBarItemControl* AControl, bool AEnabled, bool ASelected, bool AFlat,
                                TColor& ATextColor, TColor& AShadowColor);

  // Bar metrics.
  // The frame of a toolbar window for a docking style (0 floating, 1 left, 2 top, 3 right, 4 bottom):
  // left, top, right and bottom widths; AWithSizeGrip reserves the grip of a status-bar look.
  virtual void GetBarBorderSizes(TqzBar* ABar, Integer ADockingStyle, TRect& R, bool AWithSizeGrip);
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

  // Small button faces and edit margins.
  virtual void DrawSmallButtonFace(TqzBarItemControl* AControl, HDC DC, bool APressed, bool ASelected, bool AEnabled,
                                   const TRect& R);  // class
  virtual void GetEditTextMargins(TRect& AMargins);  // class

  // Button looks.
  // AAbsent: the item shows no glyph (a menu item's check takes its place).
  virtual HBRUSH ItemBackgroundBrush(TqzBarItemControl* AControl, Byte APaintKind, bool ADown, bool ASelected,
                                     bool AAbsent);  // class
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
  // The arrow part of a large button on a toolbar window.
  virtual Integer ButtonGlyphSize(TCustomqzBarControl* ABarControl);
  // How far a separator line in a menu stays from the menu's sides.
  virtual Integer MenuGroupIndent();  // class

  // A dock site's own background over R (DC coordinates); ASiteRect is the same area in the
  // site's client coordinates, so a bar window can ask for the part behind it.
  virtual void DrawDockBackground(TqzDockControl* ADockControl, HDC DC, TColor AColor, HBRUSH ABrush,
                                  const TRect& R, const TRect& ASiteRect);

  // Flat looks and brushes.
  virtual bool PaintsNativeBackground();                         // class
  virtual bool BarWindowFlag(TCustomqzBarControl* ABarControl);  // class
  virtual bool IsWindowFlat(TCustomqzBarControl* ABarControl);
  virtual bool IsControlFlat(TCustomqzBarControl* ABarControl);
  // The brush of the strip where a popup meets the element that opened it.
  virtual HBRUSH OwnerLinkBrush(TqzBarManager* AManager);  // class
  virtual Integer DockRowGap();  // class
  // The background of a bar window: R is the area in the window's client coordinates, AClipRect
  // the same area in the DC's coordinates (they differ when the DC is the whole-window DC).
  virtual void FillFromDockSite(TCustomqzBarControl* ABarControl, HDC DC, TColor AColor, HBRUSH ABrush,
                                const TRect& R, const TRect& AClipRect);
  virtual void FillFromBarBitmap(TCustomqzBarControl* ABarControl, HDC DC, TColor AColor, HBRUSH ABrush,
                                 const TRect& R, const TRect& AClipRect);
  // Fills the window's strip where it meets the element that opened it.
  virtual void DrawQuickFrame(TCustomqzBarControl* ABarControl, HDC DC);  // class
  virtual HBRUSH ToolbarBrush(TCustomqzBarControl* ABarControl);        // class
  virtual HBRUSH BarBrush(TCustomqzBarControl* ABarControl);            // class
  // The background of the quick control a toolbar's mark opens.
  virtual HBRUSH QuickBarBrush(TCustomqzBarControl* ABarControl);       // class
  virtual HBRUSH DownBrush(TCustomqzBarControl* ABarControl);           // class
  virtual HBRUSH DownSelectedBrush(TCustomqzBarControl* ABarControl);   // class
  virtual HBRUSH SelectedBrush(TCustomqzBarControl* ABarControl);       // class
  virtual Integer ComboArrowWidthFor(TCustomqzBarControl* ABarControl, Integer ACharWidth);
  virtual Integer EditControlHeight(TCustomqzBarControl* ABarControl, Integer ATextHeight);  // class
  virtual void GetEditOuterMargins(Integer& ATop, Integer& ABottom);  // class

  // Window parts.
  virtual void AdjustWindowShape(HWND AWnd, const TRect& R, bool AFlag);  // class
  virtual bool HotTracksWindowParts();                                     // class
  virtual bool SupportsQuickCustomizing();                                 // class
  virtual Integer SeparatorOffset();
  virtual Integer SeparatorThickness();
  virtual void GetDockedBorderRect(TCustomqzBarControl* ABarControl, TRect& R);
  virtual Integer DockedBorderWidth();     // class
  virtual void GetDockedMargins(TqzBar* ABar, Integer ADockingStyle, TRect& R);
  virtual Integer FloatingCaptionHeight();  // class
  virtual void FillCaptionBackground(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush, const TRect& R);
  virtual Integer SmallCaptionHeight();   // class
  virtual bool HasCaptionBackground();    // class
  virtual void GetCaptionButtonSize(TSize& ASize);  // class
  // The whole background of a toolbar window; the rectangles as for FillFromDockSite.
  virtual void FillToolbarBackground(TCustomqzBarControl* ABarControl, HDC DC, TColor AColor, HBRUSH ABrush,
                                     const TRect& R, const TRect& AClipRect);
  virtual void DrawBarSeparator(TCustomqzBarControl* ABarControl, HDC DC, bool AHorizontal, HBRUSH ABrush,
                                const TRect& R);
  // The face of a floating caption's button: AState 0 normal, 1 hot, 2 pressed.
  virtual void DrawCaptionButtonFace(TCustomqzBarControl* ABarControl, HDC DC, Integer AState, const TRect& R);
  virtual void DrawCloseButton(TCustomqzBarControl* ABarControl, HDC DC, const TRect& R);
  virtual void DrawDockedBorder(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush, const TRect& R);
  virtual void DrawFloatingBorder(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush, const TRect& ACaptionRect,
                                  const TRect& R);
  // The caption band of a floating toolbar with its text and close button.
  virtual void DrawFloatingCaption(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush,
                                   const TRect& ACaptionRect, const TRect& R);
  virtual void DrawFloatingMark(TCustomqzBarControl* ABarControl, HDC DC, const TRect& R);
  // The mark of a docked toolbar: its background, then its glyphs.
  virtual void DrawMark(TCustomqzBarControl* ABarControl, TkvCanvas* ACanvas, HBRUSH ABrush, const TRect& R);
  // AButton: 0 minimize, 1 restore, 2 close; AState 1 inactive, 4 pushed.
  virtual void DrawMDIButton(TCustomqzBarControl* ABarControl, Integer AButton, const TRect& R, HDC DC, Integer AState);
  virtual void DrawSizeGripArea(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush, const TRect& R);
  virtual void FillCaptionStrip(TCustomqzBarControl* ABarControl, HDC DC, HBRUSH ABrush, const TRect& R);
  virtual Integer FloatingFrameInset();        // class
  // The mark rectangle a toolbar window hits and draws: client coordinates when docked, window
  // coordinates (in the caption band) when floating; empty when the window shows no mark.
  virtual void GetBarMarkRect(TCustomqzBarControl* ABarControl, TRect& R);
  virtual void GetMarkRect(TCustomqzBarControl* ABarControl, TRect& R);
  // Repaints the mark after its state changed.
  virtual void InvalidateMark(TCustomqzBarControl* ABarControl);
  virtual Integer FloatingCaptionTopExtra();     // class
  virtual Integer FloatingCaptionBottomExtra();  // class
  // True: the system tracks a floating caption's close button (the hit test answers HTCLOSE).
  virtual bool LeavesCloseButtonToSystem();  // class
  virtual bool TracksCaptionMark();          // class
  virtual Integer MarkSize(TCustomqzBarControl* ABarControl);
  // The body of a docked toolbar that has no border (the status-bar look); R in DC coordinates.
  virtual void FillDockedToolbar(TCustomqzBarControl* ABarControl, HDC DC, TColor AColor, HBRUSH ABrush,
                                 const TRect& R, const TRect& AClipRect);
  virtual void GetSizeGripMargins(TRect& AMargins);
  virtual Integer CaptionStripHeight();  // class
  virtual void GetSizeGripSize(TqzBarManager* AManager, TSize& ASize);
  // Makes R square (right := left + height) and answers the new right edge in ARight.
  virtual void SetQuickItemRect(Integer& ARight, TRect& R);  // class
  virtual void DrawQuickItemCheck(TqzBarItemControl* AControl, HDC DC, Integer AState, const TRect& R);  // class
  virtual Integer QuickItemCheckWidth();  // class

  // Menu text.
  // Where a captioned separator's text starts in a menu.
  virtual Integer SeparatorTextIndent(TqzBarItemControlDrawParams* AParams);  // class
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

  // Combo drop buttons and drop-down lists.
  virtual void ComboButtonMetrics(Byte APaintKind, TRect& R);  // class
  virtual void ComboDrawDropButton(TqzBarItemControlDrawParams* AParams, const TRect& R);
  // May move R (a face drawn down moves the arrow drawn after it).
  virtual void DrawComboButtonFace(TqzBarItemControlDrawParams* AParams, TRect& R, HBRUSH ABrush);  // class
  virtual Integer DropDownListBorderSize();  // class
  virtual void DrawDropDownListBorder(HDC DC, TColor AColor, const TRect& R);

  // Menus.
  virtual bool MenuHasSideBand();         // class
  virtual bool MenuOffsetsRecentGroup();  // class
  virtual Integer MenuArrowOffset();      // class
  virtual Integer MenuArrowWidth(Integer ATextSize);  // class
  virtual Integer MenuSeparatorHeight();
  virtual Integer MenuFrameWidth();       // class
  virtual Integer MenuBorderSize();       // class
  virtual Integer MenuInnerBorderSize();  // class
  virtual void GetMenuCheckSize(TkvCanvas* ACanvas, Integer ATextSize, Integer& AHeight, Integer& AWidth);
  virtual void GetMenuContentMargins(TqzBarSubMenuControl* AMenu, TRect& R);  // class
  // The room a detach caption takes above the items, its frame included.
  virtual Integer DetachCaptionHeight(TqzBarSubMenuControl* AMenu);  // class
  // Where captions start in a menu's items, from the items' left edge (the icon column's width).
  virtual Integer MenuTextStart(TqzBarSubMenuControl* AMenu);  // class
  // The side band and the icon column together.
  virtual Integer MenuTextIndent(TqzBarSubMenuControl* AMenu);  // class
  // A menu item's caption rectangle grows by MenuExtraLeft at the top and the bottom.
  virtual Integer MenuExtraLeft();   // class
  virtual Integer MenuExtraRight();  // class
  virtual Integer MenuCheckInset(Integer AHeight);  // class
  // The text size at which a bar window's ratio is 1.
  virtual Integer ReferenceTextSize();  // class
  virtual void GetMenuIconRect(const TRect& AItemRect, Integer AIconAreaSize, TRect& R);  // class
  virtual void GetMenuTextRect(TqzBarItemControlDrawParams* AParams, const TRect& AItemRect, TRect& R);  // class
  virtual Integer MenuCaptionIndent(TqzBarItemControlDrawParams* AParams);  // class
  // The gap above R where a group's separator goes (ABand receives it).
  virtual void GetBandGapRect(TqzBarSubMenuControl* AMenu, TqzBarItemControl* AControl, TRect& ABand, const TRect& R);
  // Narrows a menu's window rectangle to where its detach caption goes.
  virtual void GetDetachCaptionInset(TqzBarSubMenuControl* AMenu, TRect& R);  // class
  virtual void DrawScrollButtonExtra(TqzBarSubMenuControl* AMenu, TkvCanvas* ACanvas, bool ADown);
  // The menu's background over R (DC coordinates equal its client coordinates).
  virtual void FillMenuBackground(TqzBarSubMenuControl* AMenu, HDC DC, TColor AColor, HBRUSH ABrush, const TRect& R);
  // The non-client frame of a menu; R is its window rectangle at the origin.
  virtual void DrawMenuBorder(TqzBarSubMenuControl* AMenu, HDC DC, const TRect& R);
  // The frame just inside the client area, round the items.
  virtual void DrawMenuInnerFrame(TqzBarSubMenuControl* AMenu, HDC DC, HBRUSH ABrush, const TRect& R);
  // The thin caption that tears a menu off; R is its rectangle in window coordinates.
  virtual void DrawDetachCaption(TqzBarSubMenuControl* AMenu, HDC DC, const TRect& R);
  // The separator above a group's first item, over the band R the menu's layout gave it.
  virtual void DrawMenuSeparatorItem(TqzBarSubMenuControl* AMenu, TqzBarItemControl* AControl, const TRect& R,
                                     TkvCanvas* ACanvas);
  virtual void DrawMenuItemFrame(TqzBarSubMenuControl* AMenu, TqzBarItemControl* AControl, Integer AIndex,
                                 const TRect& AItemRect, HDC DC);
  virtual void DrawMenuSeparatorLine(TkvCanvas* ACanvas, const TRect& R);
  // Sets ABrush to MenuBrush where menus take it and answers whether it did.
  virtual bool GetMenuBackgroundBrush(TqzBarSubMenuControl* AMenu, HBRUSH& ABrush);  // class
  virtual Integer MenuItemTextSize(TkvCanvas* ACanvas);  // class
  virtual HBRUSH MenuBrush(TqzBarSubMenuControl* AMenu);  // class
  // The face of a button at the bottom of the application menu.
  virtual void DrawAppMenuFrame(TqzBarSubMenuControl* AMenu, HDC DC, const TRect& R);
  virtual void DrawAppMenuExtra(TqzBarItemControlDrawParams* AParams, const TRect& R);
  // A pane of the application menu: R is kept out of the fill of the rest of the menu.
  virtual void DrawAppMenuPane(TqzBarSubMenuControl* AMenu, TkvCanvas* ACanvas, const TRect& R, HBRUSH ABrush);
  virtual void GetAppMenuMargins(TRect& AMargins);
  virtual void FillAppMenuPane(TqzBarSubMenuControl* AMenu, HDC DC, TColor AColor, HBRUSH ABrush, const TRect& R);
  virtual void DrawAppMenuSeparator(TqzBarSubMenuControl* AMenu, HDC DC, bool AHorizontal, HBRUSH ABrush,
                                    const TRect& R);

  // Edits.
  // The glyph, caption and edit parts of an edit item (indexes 1, 2 and 0).
  virtual void CalcEditPartRects(TqzBarItemControlDrawParams* AParams, const TRect& R, std::vector<TRect>& AParts);
  // The drop button at the right of the edit part, as wide as the bar window's combo arrow.
  virtual void CalcComboPartRects2(TqzBarItemControlDrawParams* AParams, const TRect& R, std::vector<TRect>& AParts);
  // An entry of a combo's list (-1: the item's current text) in the canvas's colours.
  virtual void DrawEditDropDownItem(TqzBarCustomCombo* AItem, TCanvas* ACanvas, const TRect& R, Integer AIndex);
  // The value an edit shows while no editor does, drawn by its item into the edit area.
  virtual void DrawEditValue(TqzBarItem* AItem, TqzBarItemLink* ALink, const TRect& R, TkvCanvas* ACanvas);
  virtual TColor EditDisabledColor(TqzBarItemControl* AControl);
  virtual TColor EditAreaColor(TqzBarItemControlDrawParams* AParams);
  virtual void GetEditColors(TqzBarItemControl* AControl, TColor& ATextColor, TColor& ABackColor);
  // Frame, selection, glyph and caption of an edit item; the edit area is the control's.
  virtual void DrawEditItem(TqzBarItemControlDrawParams* AParams, const TRect& R);
  virtual void DrawEditFrame(TqzBarItemControlDrawParams* AParams);
  // Two one-pixel rings; R is left inside them.
  virtual void DrawEditBorder(TqzBarItemControlDrawParams* AParams, TRect& R);
  virtual void DrawEditCaption(TqzBarItemControlDrawParams* AParams, const TRect& R);
  virtual void DrawEditSelection(TqzBarItemControlDrawParams* AParams, const TRect& R);
  virtual void DrawEditGlyph(TqzBarItemControlDrawParams* AParams, const TRect& R);
  virtual bool IsEditLabelSelected(TqzBarItemControlDrawParams* AParams);  // class
  virtual void DrawEditInnerWindow(TqzBarItemControl* AControl, TkvCanvas* ACanvas, const TRect& R);
  virtual TColor EditBackgroundColor(TqzBarItemControl* AControl);
  virtual TColor EditTextColor();
  virtual TColor EditDisabledTextColor();
  virtual TColor EditAreaTextColor(TqzBarItemControl* AControl);
  virtual bool EditHasBorder();
  virtual Integer EditBorderKind();
  virtual bool IsEditDrawnSelected(TqzBarItemControlDrawParams* AParams);
  // The face of an edit's button (drop-down, image or spin button) in a skin state.
  virtual void DrawEditButtonArea(TqzBarItemControlDrawParams* AParams, Integer AState, HBRUSH ABrush, const TRect& R);
  // Frames an edit's button in a skin state: AInner receives the room inside the button's border,
  // and R may shrink to what the frame leaves.
  virtual void EditHook253(TqzBarItemControlDrawParams* AParams, Integer AState, TRect& AInner, TRect& R);
  virtual void GetEditBorders(Byte APaintKind, TRect& R);  // class
  virtual bool IsEditFramedSelected(TqzBarItemControlDrawParams* AParams);  // class
  virtual Integer EditInnerStyle();  // class
  virtual bool EditShowsButton(TqzBarItemControlDrawParams* AParams);  // class
  // APart 1 is the caption; the others are the glyph and the edit.
  virtual void GetEditPartMargins(TqzBarItemControlDrawParams* AParams, Integer APart, TRect& AMargins);  // class
  virtual Integer EditCaptionSpacing(TqzBarItemControlDrawParams* AParams);  // class
  virtual Integer EditMenuSpacing(TqzBarItemControlDrawParams* AParams);     // class
  virtual Integer EditGlyphSpacing(TqzBarItemControlDrawParams* AParams);    // class
  virtual Integer EditCaptionRightGap();  // class
  virtual void GetEditMenuMargins(TqzBarItemControlDrawParams* AParams, TRect& AMargins);  // class
  virtual HBRUSH EditCaptionBrush(TqzBarItemControl* AControl);  // class
  virtual bool DrawsEditGlyphSelected(TqzBarItemControl* AControl);  // class
  // The edit window's formatting rectangle: its client area less the content margins.
  virtual void SetEditRect(TqzBarItemControl* AControl, HWND AWnd);  // class
  virtual void SelectEditText(TqzBarItemControl* AControl, HWND AWnd, bool ANotify);  // class
  virtual bool EditHasImageButton();
  virtual void GetImagePartMargins(Byte APaintKind, TRect& AMargins);
  // The client area of a drop-down window from its window rectangle R (the NC_CALCSIZE rectangle):
  // 1 pixel of frame round it and, when ASizable and the item's control AControl exists, the grip
  // band on the side away from the control; ACorner receives the grip corner then.
  virtual void AdjustDropDownContent(HWND AWnd, TRect& R, bool ASizable, TqzBarItemControl* AControl,
                                     TqzGripCorner& ACorner);
  // The non-client area of a drop-down window, drawn on its window DC: the frame and the grip band
  // that AdjustDropDownContent left; the grip's and close button's rectangles come back in screen
  // coordinates, both empty when the window is not sizable.
  virtual void DrawDropDownNonClient(HWND AWnd, bool ASizable, TqzGripCorner ACorner, TRect& AGripRect,
                                     TRect& ACloseButtonRect, bool AHot, bool ADown);
  virtual Integer DropDownGripHeight();  // class
  virtual bool HasFlatDateButtons();  // class
  virtual void DrawDateNavigatorButton(TqzBarItem* AItem, HDC DC, bool APushed, const String& AText, const TRect& R);
  virtual TColor DateHeaderColor();  // class
  // The arrow of a spin button AHeight high: (2h - 1) wide and h high.
  virtual void GetSpinArrowSize(Integer AHeight, TSize& ASize);  // class
  virtual void GetSpinButtonMargins(Byte APaintKind, TRect& AMargins);  // class
  virtual Integer SpinButtonWidth(Byte APaintKind, const TRect& R);  // class
  // The state of a spin button part (3 up, 4 down): 1 normal, 2 hot, 3 pressed, 4 disabled.
  virtual Integer SpinButtonState(TqzBarItemControlDrawParams* AParams, Integer APart);  // class
  // The up (APart 1) or down (2) button at the right end of R; empty when the buttons would take
  // half of the control's edit area or more.
  virtual void CalcSpinButtonRects(TqzBarItemControlDrawParams* AParams, const TRect& R, TRect& AButton,
                                   Integer APart);
  // The two button parts at the right of the edit part, which ends before them.
  virtual void CalcSpinPartRects(TqzBarItemControlDrawParams* AParams, const TRect& R, std::vector<TRect>& AParts);
  // ADirection is the button part: 3 up, 4 down.
  virtual void GetSpinArrowOrigin(TqzBarItemControlDrawParams* AParams, const TRect& R, TPoint& AOrigin,
                                  Integer ADirection);
  virtual void DrawSpinArrow(TqzBarItemControlDrawParams* AParams, const TPoint& AOrigin, Integer ADirection);
  virtual void DrawSpinButton(TqzBarItemControlDrawParams* AParams, const TRect& R, Integer APart);
  // The room behind the two buttons.
  virtual void DrawSpinEditArea(TqzBarItemControlDrawParams* AParams, const TRect& R);

  // Progress, in-place sub-items, static items, separators and screen tips.
  virtual TColor ProgressBarColor();    // class
  virtual Integer ProgressMinHeight();  // class
  // Background, then the part from Min to Position: whole, or in chunks 2/3 of the thickness long
  // with 2-pixel gaps.
  virtual void DrawProgressBar(TqzBarItemControlDrawParams* AParams, const TRect& R, TColor AColor);
  // Draws the trough over R and narrows R to where the bar fills.
  virtual void DrawProgressBackground(TqzBarItemControlDrawParams* AParams, TRect& R);
  virtual void FillProgressRect(TqzBarItemControlDrawParams* AParams, const TRect& R, HBRUSH ABrush);
  virtual void FillProgressChunk(TqzBarItemControlDrawParams* AParams, const TRect& R, HBRUSH ABrush);
  // Room a progress item keeps free before its content.
  virtual Integer ProgressExtraWidth(TqzBarItemControlDrawParams* AParams);  // class
  virtual Integer ContainerExtraWidth();  // class
  virtual HBRUSH InPlaceSubItemBrush();   // class
  // Where the caption of an in-place sub-item's entry starts: the expand mark's width.
  virtual Integer InPlaceSubItemTextStart(TqzBarItemControlDrawParams* AParams);  // class
  virtual Integer InPlaceSubItemArrowGap();  // class
  virtual bool IsInPlaceSubItemSelected(TqzBarItemControlDrawParams* AParams);
  virtual bool InPlaceSubItemShowsArrow(TqzBarItemControlDrawParams* AParams);  // class
  // ADirection 1 down (expanded), 3 right (collapsed).
  virtual void DrawInPlaceSubItemArrow(TqzBarItemControlDrawParams* AParams, Integer ADirection, const TRect& R);
  virtual void DrawInPlaceSubItemFace(TqzBarItemControlDrawParams* AParams, const TRect& R);
  // The entry of an in-place sub-item in a menu: a band with its caption and expand mark.
  virtual void DrawInPlaceSubItem(TqzBarItemControlDrawParams* AParams, const TRect& R);
  // Fills R with the control's background, with its own brush when it has one.
  virtual void FillStaticBackground(TqzBarItemControlDrawParams* AParams, const TRect& R);
  // Draws the static item's border and narrows R to what lies inside it.
  virtual void DrawStaticBorder(TqzBarItemControlDrawParams* AParams, TRect& R);
  virtual void DrawStaticItem(TqzBarItemControlDrawParams* AParams, const TRect& R);
  // The indents (left/top before the content, right/bottom after it) from the bar's background,
  // the border, then the control's own content inside.
  virtual void DrawStaticFrame(TqzBarItemControlDrawParams* AParams, const TRect& R, const TRect& AIndents);
  virtual bool IsStaticSelected(TqzBarItemControlDrawParams* AParams);  // class
  virtual void GetStaticBorderWidths(TqzBarItemControl* AControl, TqzBarStaticBorderStyle AStyle, TRect& AWidths);
  virtual void GetSeparatorMargins(TqzBarItemControlDrawParams* AParams, TRect& AMargins);  // class
  virtual Integer SeparatorLineHeight();
  // A separator item: its caption (a static caption), or its line in a menu or on a bar.
  virtual void DrawSeparatorCaption(TqzBarItemControlDrawParams* AParams, const TRect& R);
  virtual void DrawSeparatorItem(TqzBarItemControlDrawParams* AParams, const TRect& R);
  // clDefault: the screen tip keeps its own colour.
  virtual TColor ScreenTipDescriptionColor();
  virtual TColor ScreenTipTextColor();
  virtual Integer ScreenTipFooterLineHeight();
  virtual void DrawScreenTipBackground(TkvCanvas* ACanvas, const TRect& R);
  virtual void DrawScreenTipFooterLine(TkvCanvas* ACanvas, const TRect& R);
  // The hint of a bar window's item: shown as a screen tip when the item has one.
  virtual TqzBarCustomHintViewInfo* CreateHintViewInfo(TqzBarManager* AManager, const String& AHint,
                                                       TqzBarScreenTip* AScreenTip, const String& AShortCut);
  // Where an item's hint shows (screen coordinates): below the cursor.
  virtual void PlaceHint(TCustomqzBarControl* ABarControl, const TRect& AItemRect, const TPoint& ACursor,
                         Integer AHintHeight, TPoint& APos);  // class

 protected:
  // The item's image at AGlyphRect by the shared glyph drawer: greyed or faded when disabled, on
  // ABrush over ABackground (nil: on what the DC holds).
  void DrawGlyphImage(TqzBarItemControlDrawParams* AParams, HDC DC, const TRect& AGlyphRect, const TRect& ABackground,
                      HBRUSH ABrush);
  // The icon band of a menu item (a column right of the icon and the strips above and below it)
  // and its text area: the window's selected brush where the item is selected (the band only for
  // an item without image that is not down), AUnselected elsewhere.
  void FillMenuItemBand(TqzBarItemControlDrawParams* AParams, const TRect& R, bool AUseBrush, HBRUSH AUnselected);
  // The menu branch of DrawButtonItem: band, glyph in the icon column, caption and shortcut.
  void DrawMenuButtonItem(TqzBarItemControlDrawParams* AParams, const TRect& R);
  // The last step of DrawButtonItem: the split arrow of a button, the arrow of a sub-item.
  void DrawButtonItemArrow(TqzBarItemControlDrawParams* AParams, const TRect& R);
  // A filled triangle of AArrowSize pointing up or down, centred in R: FillArrowShape paints its
  // bounding rectangle clipped to it, and the triangle then stays out of the canvas clip region so
  // that a face painted afterwards leaves it alone.
  void DrawClippedArrow(TkvCanvas* ACanvas, const TRect& R, bool ADown, Integer AArrowSize, TColor AColor);
  // A spin button's arrow in one colour: its base from AOrigin as wide as the parameters' arrow,
  // its apex up (ADirection 3) or down (4).
  void FillSpinArrow(TqzBarItemControlDrawParams* AParams, const TPoint& AOrigin, Integer ADirection, TColor AColor);
};
