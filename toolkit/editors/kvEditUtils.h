#pragma once
// Painting helpers the editors share: a process-wide cache of solid brushes by colour (system
// colours answered by the platform's system brushes), rectangle fills and frames, polylines,
// arrow glyphs, glyph drawing (normal and greyed), editor button metrics, a few colour choices,
// the conversion between the text layout's flags and DrawText's, and the editors' texts.

#include <memory>
#include <vector>

#include "gdi/Gdi.h"
#include "rtl/Types.h"
#include "toolkit/foundation/kvGraphics.h"
#include "toolkit/foundation/kvLookAndFeelPainters.h"
#include "toolkit/foundation/kvLookAndFeels.h"
#include "vcl/Graphics.h"
#include "vcl/ImgList.h"

// ---- The editors' texts (read through ResourceStringText) -----------------------------------

constexpr Integer skvEditButtonCancel = 64320;
constexpr Integer skvEditButtonOK = 64321;
constexpr Integer skvEditDateConvertError = 64322;
constexpr Integer skvEditNumericConvertError = 64323;
constexpr Integer skvEditCircularReference = 64324;
constexpr Integer skvEditTimeConvertError = 64325;
constexpr Integer skvEditTrue = 64326;
constexpr Integer skvEditFalse = 64327;
constexpr Integer skvEditMenuOK = 64328;
constexpr Integer skvEditMenuCancel = 64329;
constexpr Integer skvEditMenuClose = 64330;
constexpr Integer skvEditMemoUpper = 64331;
constexpr Integer skvEditMemoLower = 64332;
constexpr Integer skvEditPictureUpper = 64333;
constexpr Integer skvEditPictureLower = 64334;
constexpr Integer skvEditCut = 64335;
constexpr Integer skvEditCopy = 64336;
constexpr Integer skvEditPaste = 64337;
constexpr Integer skvEditDelete = 64338;
constexpr Integer skvEditLoad = 64339;
constexpr Integer skvEditSaveAs = 64340;
constexpr Integer skvEditClear = 64341;
constexpr Integer skvEditNow = 64342;
constexpr Integer skvEditToday = 64343;
constexpr Integer skvEditInvalidDate = 64344;
constexpr Integer skvEditError = 64345;
constexpr Integer skvEditLinkPrefix = 64346;
constexpr Integer skvEditLine = 64347;
constexpr Integer skvEditChar = 64348;
constexpr Integer skvEditSourceStreamUnassigned = 64349;
constexpr Integer skvEditSourceStreamEmpty = 64350;
constexpr Integer skvRegExPlusNotApplicable = 64351;
constexpr Integer skvRegExStarNotApplicable = 64352;
constexpr Integer skvRegExEmptyAlternative = 64353;
constexpr Integer skvRegExEmptyBlock = 64354;
constexpr Integer skvRegExIllegal = 64355;
constexpr Integer skvRegExIllegalQuantifier = 64356;
constexpr Integer skvRegExIllegalInteger = 64357;
constexpr Integer skvRegExTooBigReference = 64358;
constexpr Integer skvRegExEmptyEnumeration = 64359;
constexpr Integer skvRegExSubrangeOrder = 64360;
constexpr Integer skvRegExHexExpected = 64361;
constexpr Integer skvRegExHexExpectedFound = 64362;
constexpr Integer skvRegExMissing = 64363;
constexpr Integer skvRegExUnnecessary = 64364;
constexpr Integer skvRegExSpaceAfterBackslash = 64365;
constexpr Integer skvRegExNotCompiled = 64366;
constexpr Integer skvRegExIncorrectParameterQuantifier = 64367;
constexpr Integer skvRegExParameterQuantifierNotApplicable = 64368;
constexpr Integer skvRegExErrors = 64369;
constexpr Integer skvEditInvalidEditValue = 64370;
constexpr Integer skvEditInvalidNumericValue = 64371;
constexpr Integer skvEditCalcEditDescription = 64372;
constexpr Integer skvEditCheckBoxDescription = 64373;
constexpr Integer skvEditCurrencyEditDescription = 64374;
constexpr Integer skvEditDateEditDescription = 64375;
constexpr Integer skvEditHyperLinkDescription = 64376;
constexpr Integer skvEditImageComboBoxDescription = 64377;
constexpr Integer skvEditImageDescription = 64378;
constexpr Integer skvEditMRUEditDescription = 64379;
constexpr Integer skvEditSpinEditDescription = 64380;
constexpr Integer skvEditRadioGroupDescription = 64381;
constexpr Integer skvEditTimeEditDescription = 64382;
constexpr Integer skvEditButtonEditDescription = 64383;
constexpr Integer skvEditReserved1 = 64384;
constexpr Integer skvEditReserved2 = 64385;

// ---- Brushes ------------------------------------------------------------------------------

// Solid brushes by colour, sorted by colour value; past MaxDepth the least used one goes. A brush
// handed out stays valid through the paint that asked for it: an evicted brush is retired and
// deleted at Clear or once more than 128 are retired.
class TkvSolidBrushCache : public TObject {
  TAVREN_CLASS(TkvSolidBrushCache, TObject)
 public:
  explicit TkvSolidBrushCache(Integer AMaxDepth);
  ~TkvSolidBrushCache() override;

  HBRUSH Brush(TColor Color);
  // Deletes every brush (cached and retired); a system palette change calls it.
  virtual void Clear();

  Integer Depth() const noexcept { return FDepth; }
  Integer MaxDepth() const noexcept { return FMaxDepth; }
  TColor ColorAt(Integer Index) const { return FColors.at(static_cast<size_t>(Index)); }
  Cardinal CountAt(Integer Index) const { return FCounts.at(static_cast<size_t>(Index)); }
  Integer RetiredCount() const noexcept { return static_cast<Integer>(FRetired.size()); }

 private:
  void PaletteChanged() { Clear(); }

  std::vector<TColor> FColors;
  std::vector<HBRUSH> FBrushes;
  std::vector<Cardinal> FCounts;
  Integer FDepth = 0;
  Integer FMaxDepth;
  std::unique_ptr<TkvSystemPaletteChangedNotifier> FNotifier;
  std::vector<HBRUSH> FRetired;
};

// The shared cache (128 brushes); nullptr outside the unit's life.
TkvSolidBrushCache* SolidBrushCache();
// Owned by the cache or the platform: callers never delete it.
HBRUSH CachedSolidBrush(TColor Color);
HBRUSH CachedSolidBrushFor(TCanvas* Canvas, TColor Color);
HBRUSH CachedSolidBrushOn(TkvCanvas* Canvas, TColor Color);

void FillRectColor(TkvCanvas* Canvas, const TRect& R, TColor Color);
// Gives Target Source's font in Color, only when that changes how Target looks (a font change
// makes a native edit lay its whole text out again).
void AssignFontInColor(TFont* Target, TFont* Source, TColor Color);
// R moved in on each side by By's matching field.
TRect Shrunk(const TRect& R, const TRect& By);
void FillRectWithBrush(HDC DC, const TRect& R, HBRUSH Brush);
// Fills Outer less Inner (all of Outer when Inner is empty).
void FillRectExcept(TkvCanvas* Canvas, const TRect& Outer, const TRect& Inner, HBRUSH Brush);
// Segments through Count + 1 points, both ends included.
void DrawPolyLineColored(TkvCanvas* Canvas, const TPoint* Points, Integer Count, TColor Color, bool UseBrush);
// Edges: 1 left, 2 top, 4 right, 8 bottom. R comes back inside the lines drawn.
void DrawFrameEdges(TkvCanvas* Canvas, TRect& R, Integer Edges, TColor Color);
// One or two filled triangles of Size lines, centred in R (moved by (1, 1) when Shifted).
void DrawArrows(TkvCanvas* Canvas, Integer Size, const TRect& R, TkvArrowDirection Direction, bool Double,
                bool Shifted, TColor Color);

// ---- Glyphs -------------------------------------------------------------------------------

bool IsGlyphUsable(TBitmap* Glyph);
// The glyph at (X, Y), its transparent colour showing BkColor (nothing with clNone); greyed when
// not Enabled. Buffer, when given, is drawn into first and then copied.
void DrawGlyph(TCanvas* Canvas, Integer X, Integer Y, TBitmap* Glyph, bool Enabled, TColor BkColor,
               TBitmap* Buffer = nullptr);
void DrawGlyphOn(TkvCanvas* Canvas, Integer X, Integer Y, TBitmap* Glyph, bool Enabled, TColor BkColor,
                 TBitmap* Buffer = nullptr);
void DrawGlyphOrImage(TkvCanvas* Canvas, TCustomImageList* Images, Integer ImageIndex, const TRect& R,
                      TColor BkColor, bool Enabled, TBitmap* Bitmap = nullptr);

// ---- Metrics and colours ------------------------------------------------------------------

TSize ArrowSize(const TSize& Size, TkvArrowDirection Direction);
TColor HotTrackColor();
TColor EditHighlightColor(bool Office11);
TColor FlatButtonStateColor(bool Pressed, bool Office11);
TkvCustomLookAndFeelPainterClass PainterClassForKind(bool Native, TkvLookAndFeelKind Kind);
void SetCanvasFontFromLogFont(TkvCanvas* Canvas, const LOGFONT& Font);
bool GetCanvasLogFont(TkvCanvas* Canvas, LOGFONT& Font);

// ---- Flag conversion ----------------------------------------------------------------------

UINT MapTextOutFlagsToDrawText(Cardinal Flags);
Cardinal MapDrawTextFlags(UINT Flags);

void kvEditUtilsStart();
void kvEditUtilsEnd();
