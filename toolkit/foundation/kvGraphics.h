#pragma once
// The toolkit's drawing base: the canvas wrapper every painter draws through, clip regions,
// bitmaps with per-pixel access, filters and a packed form-data storage, the alpha image list,
// and alpha drawing with Lanczos resampling and the glyph renderer.

#include <memory>
#include <vector>

#include "rtl/Collection.h"
#include "rtl/Sets.h"
#include "vcl/Graphics.h"
#include "vcl/ImgList.h"

class TControl;
class TkvRegion;
class TkvBitmap;

// ---- Canvas text flags --------------------------------------------------------------------

constexpr Integer ktfAlignLeft = 0x0001;
constexpr Integer ktfAlignRight = 0x0002;
constexpr Integer ktfAlignHCenter = 0x0004;
constexpr Integer ktfAlignTop = 0x0008;
constexpr Integer ktfAlignBottom = 0x0010;
constexpr Integer ktfAlignVCenter = 0x0020;
constexpr Integer ktfSingleLine = 0x0040;
constexpr Integer ktfNoClip = 0x0080;
constexpr Integer ktfExpandTabs = 0x0100;
constexpr Integer ktfShowPrefix = 0x0200;
constexpr Integer ktfWordBreak = 0x0400;
constexpr Integer ktfEndEllipsis = 0x0800;
constexpr Integer ktfMeasureOnly = 0x1000;
constexpr Integer ktfPathEllipsis = 0x2000;
constexpr Integer ktfNoCharBreak = 0x4000;

// The DrawText format of a set of canvas text flags (bits 15 and up are ignored).
UINT KvTextFlagsToDT(Integer Flags);

enum TkvBorder { bLeft, bTop, bRight, bBottom };
using TkvBorders = TSet<TkvBorder, 4>;
inline const TkvBorders kvAllBorders{bLeft, bTop, bRight, bBottom};

// Clip and region arithmetic.
enum TkvRegionOperation { roSet, roAdd, roSubtract, roIntersect };

// What painters hand to drawing routines; nothing in it is owned.
struct TkvViewParams {
  TBitmap* Bitmap = nullptr;
  TColor Color = clNone;
  TFont* Font = nullptr;
  TColor TextColor = clNone;
};

// ---- Canvas wrapper -----------------------------------------------------------------------

class TkvCanvas : public TObject {
  TAVREN_CLASS(TkvCanvas, TObject)
 public:
  // ACanvas is not owned.
  explicit TkvCanvas(TCanvas* ACanvas);
  ~TkvCanvas() override;

  TCanvas* GetCanvas() const noexcept { return FCanvas; }
  HDC DCHandle() { return FCanvas->GetHandle(); }
  TFont* CurrentFont() const { return FCanvas->GetFont(); }
  TBrush* CurrentBrush() const { return FCanvas->GetBrush(); }
  TPen* CurrentPen() const { return FCanvas->GetPen(); }
  void AssignFont(TFont* Font) { FCanvas->SetFont(Font); }
  // Leaves the brush alone when the colour is the same, so its handle is not made again; a clear
  // brush becomes solid, so a fill after clear-brush text still fills.
  void SetBrushColor(TColor Color);
  void WriteCopyMode(TCopyMode Mode) { FCanvas->SetCopyMode(Mode); }
  void WritePixel(Integer X, Integer Y, TColor Color) { FCanvas->SetPixel(X, Y, Color); }

  TPoint ReadWindowOrg();
  void WriteWindowOrg(const TPoint& P);
  TPoint ReadViewportOrg();
  // Viewport origin minus window origin: where logical (0, 0) lies on the device.
  TPoint DCOrigin();

  void TakeObjectsFromDC(HDC DC);
  void SetFontAngle(Integer Degrees);

  // Stacks; a pop with nothing saved does nothing.
  void PushDC();
  void PopDC();
  void PushClip();
  void PopClip();
  void PushState();
  void PopState();

  // The caller owns the result. Without a clip region: 0, 0, 30000, 30000.
  TkvRegion* CopyClipRegion(bool ConsiderOrigin = true);
  void ApplyClipRegion(TkvRegion* Region, TkvRegionOperation Operation = roSet, bool DestroyRegion = true,
                       bool ConsiderOrigin = true);
  void ClipOutRect(const TRect& R);
  void ClipToRect(const TRect& R);
  bool AreaVisible(const TRect& R);

  // clNone draws nothing, clDefault fills with the current brush.
  void FillWithColor(const TRect& R, TColor Color);
  void FillTiled(const TRect& R, TBitmap* Bitmap, bool ExcludeRect);
  void PaintFrame(const TRect& R, TColor Color, Integer LineWidth = 1, TkvBorders Borders = kvAllBorders,
                  bool ExcludeFrame = false);
  void PaintTwoColorFrame(const TRect& R, TColor LeftTopColor, TColor RightBottomColor,
                          TkvBorders Borders = kvAllBorders, Integer LineWidth = 1);
  void PaintBevel(const TRect& R, bool Sunken, bool Outer, TkvBorders Borders = kvAllBorders);
  void PaintFramedFill(const TRect& R, const TkvViewParams& ViewParams, TkvBorders Borders, TColor FrameColor,
                       Integer LineWidth, bool ExcludeRect);
  void DrawFocusFrame(const TRect& R);
  void DrawFocusFrames(const TRect& R, Integer Count);
  void InvertArea(const TRect& R);
  void DrawLineTo(Integer X, Integer Y) { FCanvas->LineTo(X, Y); }
  void MovePenTo(Integer X, Integer Y) { FCanvas->MoveTo(X, Y); }
  void DrawPolygon(const std::vector<TPoint>& Points);
  void DrawPolyline(const std::vector<TPoint>& Points);
  void CopyFromCanvas(const TRect& DestRect, TCanvas* SourceCanvas, const TRect& SourceRect) {
    FCanvas->CopyRect(DestRect, SourceCanvas, SourceRect);
  }
  void DrawGraphic(Integer X, Integer Y, TGraphic* Graphic) { FCanvas->Draw(X, Y, Graphic); }
  void DrawImageListItem(TCustomImageList* ImageList, Integer X, Integer Y, Integer Index, bool Enabled = true);

  // (0, 0) when the platform cannot measure.
  TSize MeasureText(const String& Text);
  Integer TextWidthOf(const String& Text) { return MeasureText(Text).cx; }
  Integer TextHeightOf(const String& Text) { return MeasureText(Text).cy; }
  Integer LineHeightForFont(TFont* Font);
  void MeasureTextInRect(const String& Text, TRect& R, Integer Flags);
  void PaintText(const String& Text, TRect R, Integer Flags, bool Enabled = true);
  // Placement: 0 leaves R, 1 puts the text block at the bottom, 2 in the middle.
  void AlignTextBlockVertically(TRect& R, const String& Text, Integer Placement, bool WordBreak, bool ShowPrefix,
                                bool Enabled, bool NoCharBreak);

 protected:
  void SetWrappedCanvas(TCanvas* Value) noexcept { FCanvas = Value; }

 private:
  struct TSavedState;
  TCanvas* FCanvas;
  std::vector<int> FSavedDCs;
  std::vector<std::unique_ptr<TkvRegion>> FSavedClips;
  std::vector<TSavedState> FStates;
};

// The wrapper over a canvas on the whole screen, for measuring text where no window exists.
class TkvScreenCanvas : public TkvCanvas {
  TAVREN_CLASS(TkvScreenCanvas, TkvCanvas)
 public:
  TkvScreenCanvas();
  ~TkvScreenCanvas() override;

 private:
  std::unique_ptr<TCanvas> FScreenCanvas;
};

// Created on first use, freed at unit end; nullptr after that.
TkvScreenCanvas* ScreenCanvasInstance();

// ---- Free text and device-context routines ------------------------------------------------

// Count -1: the whole text.
Integer DrawTextToDC(HDC DC, const String& Text, TRect& R, UINT Format, Integer Count = -1);
bool TextOutToDC(HDC DC, const String& Text, const TPoint& P, const TRect* ClipRect, UINT Options,
                 Integer Count = -1);
bool DCTextExtent(HDC DC, const String& Text, TSize& Size, Integer Count = -1);
// Measured on the shared screen canvas; Size 0 keeps the font's size.
TSize TextExtentInFont(TFont* Font, const String& Text, Integer Size = 0);
Integer TextWidthInFont(TFont* Font, const String& Text, Integer Size = 0);
Integer TextHeightInFont(TFont* Font, const String& Text, Integer Size = 0);
TSize TextSizeOnDC(HDC DC, const String& Text);
// The narrowest rectangle that holds the text in RowCount rows.
void FitTextInRows(HDC DC, const String& Text, Integer RowCount, bool ReturnRowsHeight, TRect& R);
// The text shortened with "..." to MaxWidth; DC nullptr: the screen's; Font may be nullptr.
void EllipsizeText(HDC DC, TFont* Font, const String& Text, Integer MaxWidth, String& Result);
void SplitTextToWidth(const String& Text, TkvCanvas* Canvas, const TRect& R, std::vector<String>& Lines);
// Index 0: vertical, 1: horizontal.
Integer ScreenPixelsPerInch(Integer Index);
bool IsChineseOrArabicText(Integer Charset, const String& Text);
bool ReadLogFont(HFONT Font, LOGFONT& LogFont);
bool ReadLogBrush(HBRUSH Brush, LOGBRUSH& LogBrush);
bool ReadLogPen(HPEN Pen, LOGPEN& LogPen);
bool ReadBitmapInfo(HBITMAP Bitmap, BITMAP& Info);
void InvalidateWindowArea(HWND Window, const TRect* R, bool Erase);
void DrawParentBackground(TControl* Control, TkvCanvas* Canvas, const TRect& R);
// Paints what lies behind Control into the canvas at R (the control's coordinates).
void CopyParentImage(TControl* Control, TkvCanvas* Canvas, const TRect& R, bool WithSiblings);

// ---- Regions ------------------------------------------------------------------------------

class TkvRegion : public TObject {
  TAVREN_CLASS(TkvRegion, TObject)
 public:
  // Takes ownership of Handle.
  explicit TkvRegion(HRGN Handle);
  explicit TkvRegion(const TRect& R);
  TkvRegion(Integer Left, Integer Top, Integer Right, Integer Bottom);
  // An empty region.
  TkvRegion();
  ~TkvRegion() override;
  // The left and top edges move in by one pixel.
  static TkvRegion* CreateRounded(const TRect& R, Integer EllipseWidth, Integer EllipseHeight);
  static TkvRegion* CreateRoundedFromCoords(Integer Left, Integer Top, Integer Right, Integer Bottom,
                                            Integer EllipseWidth, Integer EllipseHeight);

  HRGN GetHandle() const noexcept { return FHandle; }
  void ReleaseHandle();
  // With DestroyOther, Other is freed in every case.
  void CombineWith(TkvRegion* Other, TkvRegionOperation Operation, bool DestroyOther = true);
  bool IsEmpty() const;
  bool SameAs(const TkvRegion* Other) const;
  bool SameAsHandle(HRGN Handle) const;
  void MoveBy(Integer DX, Integer DY);

 private:
  HRGN FHandle = nullptr;
};

// ---- Bitmaps ------------------------------------------------------------------------------

// A framework bitmap with its own canvas wrapper, batched change notification and an optional
// packed form-data storage.
class TkvCustomBitmap : public TBitmap {
  TAVREN_CLASS(TkvCustomBitmap, TBitmap)
 public:
  TkvCustomBitmap() : TkvCustomBitmap(0, 0) {}
  TkvCustomBitmap(Integer AWidth, Integer AHeight, TPixelFormat APixelFormat = pf24bit);
  explicit TkvCustomBitmap(const TRect& R, TPixelFormat APixelFormat = pf24bit)
      : TkvCustomBitmap(R.Width(), R.Height(), APixelFormat) {}
  ~TkvCustomBitmap() override;

  TkvCanvas* GetkvCanvas() const noexcept { return FkvCanvas.get(); }
  bool GetCompressData() const noexcept { return FCompressData; }
  void SetCompressData(bool Value) { FCompressData = Value; }

  void BeginChange() { ++FChangeLockCount; }
  void EndChange(bool Force = false);
  bool IsChanging() const noexcept { return FChangeLockCount > 0; }
  virtual void Erase();
  virtual void Resize(Integer AWidth, Integer AHeight);
  TRect ImageRect() const { return Rect(0, 0, GetWidth(), GetHeight()); }
  void CopyFrom(TBitmap* Source, DWORD RasterOp = SRCCOPY);
  void CopyRectFrom(TBitmap* Source, const TRect& DestRect, const TPoint& SourceTopLeft, DWORD RasterOp = SRCCOPY);
  // Rotation 0 to 3 (see the pixel moves in the source); Flip mirrors.
  void RotateFlip(Integer Rotation, bool Flip);

 protected:
  void Changed(TObject* Sender) override;
  virtual void AfterChange() {}
  void ReadData(TStream* Stream) override;
  void WriteData(TStream* Stream) override;

 private:
  bool FCompressData = false;
  std::unique_ptr<TkvCanvas> FkvCanvas;
  Integer FChangeLockCount = 0;
  bool FChangedWhileLocked = false;
};

using TRGBColors = std::vector<DWORD>;

// A list of 24-bit pixel values (blue in the low byte).
class TkvColorList : public TObject {
  TAVREN_CLASS(TkvColorList, TObject)
 public:
  void AddColor(TColor Color);
  void Clear() { FColors.clear(); }
  bool Contains(DWORD Pixel24) const;
  Integer Count() const noexcept { return static_cast<Integer>(FColors.size()); }

 private:
  std::vector<DWORD> FColors;
};

enum TkvPixelFilter {
  pfLighten = 0, pfTintedGray = 1, pfAverageGray = 2, pfOpaque = 3, pfMask = 4, pfGray = 5, pfGreenGray = 6,
  pfOpaqueTransparent = 7, pfChecker = 8, pfFill = 9
};

// Always 32 bits per pixel, with pixel access, transparent colours and pixel filters.
class TkvBitmap : public TkvCustomBitmap {
  TAVREN_CLASS(TkvBitmap, TkvCustomBitmap)
 public:
  TkvBitmap() : TkvBitmap(0, 0) {}
  TkvBitmap(Integer AWidth, Integer AHeight);
  explicit TkvBitmap(const TRect& R) : TkvBitmap(R.Width(), R.Height()) {}
  // CreateFilled: FillPixel is stored before the bitmap is erased.
  TkvBitmap(Integer AWidth, Integer AHeight, DWORD FillPixel);
  ~TkvBitmap() override;

  void Erase() override;
  void Resize(Integer AWidth, Integer AHeight) override;
  // Bottom-up rows.
  void GetPixels(TRGBColors& Colors);
  void SetPixels(const TRGBColors& Colors);
  bool HasAlpha();
  void MakeOpaque();
  void SetTransparentColor(TColor Color);
  void SetCheckerPattern(TColor Color1, TColor Color2, Byte Alpha1, Byte Alpha2, Byte CellSize);
  bool IsTransparentPixel(DWORD Pixel) const;
  void ApplyPixelFilter(Integer Filter);

  DWORD GetFillColor() const noexcept { return FFillColor; }
  void SetFillColor(DWORD Value) { FFillColor = Value; }
  TkvColorList* GetColorList() const noexcept { return FColorList.get(); }
  HDC GetMemoryDC() const noexcept { return FMemoryDC; }

 protected:
  void AfterChange() override;

 private:
  void FilterPixel(Integer Filter, DWORD& Pixel);

  BITMAPINFOHEADER FInfoHeader{};
  HDC FMemoryDC = nullptr;
  DWORD FFillColor = 0;
  std::unique_ptr<TkvColorList> FColorList;
  Integer FCurrentX = 0;
  Integer FCurrentY = 0;
  struct {
    DWORD Color1 = 0;
    Byte Alpha1 = 0;
    DWORD Color2 = 0;
    Byte Alpha2 = 0;
    Byte CellSize = 1;
  } FChecker;
};

// ---- Colour and pixel routines ------------------------------------------------------------

DWORD ColorToRGBA(TColor Color, Byte Alpha);
Byte ClampChannel(Integer Value);
Byte RoundClamped(Double Value);
void BlendPixel(DWORD Source, DWORD& Dest, Byte Alpha);
TColor LightHighlightColor();
TColor PaleHighlightColor();
void InitBitmapInfoHeader(BITMAPINFOHEADER& Header, Integer Width, Integer Height, bool TopDown);
void ReadBitmapPixels(TBitmap* Bitmap, bool TopDown, TRGBColors& Colors);
// Frees Colors afterwards.
void StoreBitmapPixels(TBitmap* Bitmap, TRGBColors& Colors, bool TopDown);
// Owned by the caller, like every bitmap these routines return.
TBitmap* NewBitmap(Integer Width, Integer Height, TPixelFormat PixelFormat = pfDevice);
TBitmap* NewBitmapOfSize(const TSize& Size, TPixelFormat PixelFormat = pfDevice);
TBitmap* NewBitmapForRect(const TRect& R, TPixelFormat PixelFormat = pfDevice);
TBitmap* CopyDCRectToBitmap(HDC DC, const TRect& R);
void BlitRect(HDC DestDC, HDC SourceDC, const TRect& DestRect, const TPoint& SourceTopLeft, DWORD RasterOp = SRCCOPY);
void CopyBitmapPixels(TBitmap* Dest, TBitmap* Source);
TBitmap* CloneBitmap(TBitmap* Source);
TkvBitmap* CloneAsKvBitmap(TBitmap* Source);
void StretchBitmapInto(TBitmap* Dest, TBitmap* Source);
bool SameRectSize(const TRect& A, const TRect& B);
HBITMAP CopyImageHandle(HBITMAP Bitmap);
void ClearTransparentPixels(TBitmap* Source, TBitmap* Dest);
void RenderMaskBitmap(TkvBitmap* Source, TBitmap* Dest);
TSize CurrentCursorSize();

bool GlyphPresent(TBitmap* Bitmap);
bool ImageIndexInList(TCustomImageList* ImageList, Integer Index);
void SetImageListField(TCustomImageList* NewList, TCustomImageList*& Field, TChangeLink* ChangeLink,
                       TComponent* Owner);
void ShrinkRectByMargins(TRect& R, const TRect& Margins);

// The system colour brushes 0 to 30 and the 50% checker brush (valid from unit start to end).
HBRUSH SystemColorBrush(Integer Index);
HBRUSH CheckerBrush();

// The packed run format of form data, on its own.
std::vector<Byte> PackBytes(const std::vector<Byte>& Data);
// Stops at the end of Data when a run claims more than is there.
std::vector<Byte> UnpackBytes(const Byte* Data, size_t Size);

// Shared scratch bitmaps of the glyph renderer: resized (and so erased) on every call.
TkvBitmap* ScratchTargetBitmap(Integer Width, Integer Height);
TkvBitmap* ScratchImageBitmap(Integer Width, Integer Height);
TkvBitmap* ScratchMaskBitmap(Integer Width, Integer Height);

// ---- Alpha drawing, resampling, glyphs ----------------------------------------------------

enum TkvGlyphDrawMode : Byte { gdmNormal, gdmDisabled, gdmFaded, gdmGrayScale, gdmLightened, gdmShadowed };

using TkvGlyphDrawHook = bool (*)(TkvCanvas* Canvas, TCustomImageList* ImageList, Integer ImageIndex,
                                  TkvGlyphDrawMode DrawMode, TRect& ImageRect, TBitmap* Glyph);
// Replaceable; when it answers true the renderer leaves the glyph to it.
extern TkvGlyphDrawHook GlyphDrawHook;

bool AlphaBlendRect(HDC DestDC, HDC SourceDC, const TRect& DestRect, const TRect& SourceRect, Byte Alpha = 255);
void DrawAlpha(HDC DestDC, HDC SourceDC, const TRect& DestRect, const TRect& SourceRect, bool Smooth = false,
               Byte Alpha = 255);
void AlphaDrawBitmap(HDC DestDC, TBitmap* SourceBitmap, const TRect& DestRect, const TRect& SourceRect,
                     bool Smooth = false, Byte Alpha = 255);
void AlphaDrawDC(HDC DestDC, HDC SourceDC, const TRect& DestRect, const TRect& SourceRect, bool Smooth = false,
                 Byte Alpha = 255);
void AlphaDrawBitmapToBitmap(TBitmap* DestBitmap, TBitmap* SourceBitmap, const TRect& DestRect,
                             const TRect& SourceRect, bool Smooth = false, Byte Alpha = 255);
void DrawBitmapAlpha(TBitmap* Source, TBitmap* Dest, const TRect& DestRect, Byte Alpha = 255, bool Smooth = false);
// Scales Source onto Dest's current size.
void ResampleBitmap(TBitmap* Source, TBitmap* Dest, bool ForceLanczos = false);

// One destination pixel's sources and weights (1/256 units) for Lanczos-3 resampling.
struct TContributor {
  Integer Pixel;
  Integer Weight;
};
using TContributorArray = std::vector<TContributor>;
using TContributorList = std::vector<TContributorArray>;
// Every source position lies inside 0..SourceCount-1.
TContributorList BuildContributors(Integer SourceCount, Integer DestCount, Double Scale);
Double LanczosWeight(Double X);

void DrawGlyphOrListImage(HDC DC, TRect ImageRect, const TRect& DestRect, bool UseGlyphTransparency, TColor BkColor,
                          HBRUSH BackgroundBrush, bool Smooth, TkvGlyphDrawMode DrawMode, Integer ImageIndex,
                          TCustomImageList* ImageList, TBitmap* Glyph);
void BlitBitmapToDC(HDC DC, TBitmap* Bitmap, const TRect& DestRect, const TPoint& SourceTopLeft,
                    DWORD RasterOp = SRCCOPY);
void AddGlyphShadow(TkvBitmap* Bitmap, TkvBitmap* Mask, Integer Offset, TColor ShadowColor, bool Grow);
void PaintHatchedSwatch(TkvCanvas* Canvas, const TRect& R, Integer Index);
void BlendCheckerOverDC(HDC DC, const TRect& R, TColor Color1, TColor Color2, Byte Alpha1, Byte Alpha2,
                        Byte CellSize);
void BlendGraphicOnto(TBitmap* Dest, TBitmap* Background, TBitmap* Overlay, Byte Alpha);

// ---- Alpha image list ---------------------------------------------------------------------

class TkvImageList;

class TkvImageInfo : public TPersistent {
  TAVREN_CLASS(TkvImageInfo, TPersistent)
 public:
  TkvImageInfo();
  ~TkvImageInfo() override;
  void Assign(TPersistent* Source) override;
  TkvCustomBitmap* GetImage() const noexcept { return FImage.get(); }
  // Assigns into the owned bitmap (nullptr clears it).
  void SetImage(TBitmap* Value);
  TkvCustomBitmap* GetMask() const noexcept { return FMask.get(); }
  void SetMask(TBitmap* Value);
  TColor GetMaskColor() const noexcept { return FMaskColor; }
  void SetMaskColor(TColor Value) { FMaskColor = Value; }

 private:
  std::unique_ptr<TkvCustomBitmap> FImage;
  std::unique_ptr<TkvCustomBitmap> FMask;
  TColor FMaskColor = clNone;
};

class TkvImageInfoItem : public TCollectionItem {
  TAVREN_CLASS(TkvImageInfoItem, TCollectionItem)
 public:
  explicit TkvImageInfoItem(TCollection* Collection);
  TkvImageInfoItem(TCollection* Collection, TBitmap* Image, TBitmap* Mask, TColor MaskColor);
  ~TkvImageInfoItem() override;
  void Assign(TPersistent* Source) override;

  TkvImageInfo* GetImageInfo() const noexcept { return FImageInfo.get(); }
  TBitmap* GetImage() const { return FImageInfo->GetImage(); }
  void SetImage(TBitmap* Value) { FImageInfo->SetImage(Value); }
  TBitmap* GetMask() const { return FImageInfo->GetMask(); }
  void SetMask(TBitmap* Value) { FImageInfo->SetMask(Value); }
  TColor GetMaskColor() const { return FImageInfo->GetMaskColor(); }
  void SetMaskColor(TColor Value) { FImageInfo->SetMaskColor(Value); }
  bool GetCompressData() const;
  void SetCompressData(bool Value);

 private:
  std::unique_ptr<TkvImageInfo> FImageInfo;
};

class TkvImageInfoCollection : public TCollection {
  TAVREN_CLASS(TkvImageInfoCollection, TCollection)
 public:
  explicit TkvImageInfoCollection(TkvImageList* AImageList);
  TPersistent* GetOwner() override;
  TkvImageInfoItem* AddInfo(TBitmap* Image, TBitmap* Mask, TColor MaskColor);
  void MoveInfo(Integer From, Integer To);
  // -1 clears the collection.
  void DeleteInfo(Integer Index);
  TkvImageInfoItem* Item(Integer Index) const { return static_cast<TkvImageInfoItem*>(GetItems(Index)); }
  bool GetCompressData() const noexcept { return FCompressData; }
  void SetCompressData(bool Value);

 private:
  TkvImageList* FImageList;
  bool FCompressData = false;
};

// An image list that keeps the images as they were added beside the platform list, draws them
// with their alpha, and stores itself in form data as that collection.
class TkvImageList : public TCustomImageList {
  TAVREN_CLASS(TkvImageList, TCustomImageList)
 public:
  explicit TkvImageList(TComponent* AOwner);
  TkvImageList(TComponent* AOwner, Integer AWidth, Integer AHeight);
  ~TkvImageList() override;
  void Assign(TPersistent* Source) override;

  void BeginUpdate() { ++FLockCount; }
  void EndUpdate(bool FireChange = true);
  Integer AddImageAndMask(TBitmap* Image, TBitmap* Mask);
  Integer AddMaskedImage(TBitmap* Image, TColor MaskColor);
  void MoveImage(Integer From, Integer To);
  // -1 deletes all.
  void DeleteImage(Integer Index);
  void ClearImages() { DeleteImage(-1); }
  void InsertImage(Integer Index, TBitmap* Image, TBitmap* Mask);
  void ReplaceImageAt(Integer Index, TBitmap* Image, TBitmap* Mask);
  // Either may be nullptr.
  void GetImageAt(Integer Index, TBitmap* Image, TBitmap* Mask);
  static void ExtractImageAndMask(HIMAGELIST List, Integer Index, TBitmap* Mask, TBitmap* Image);
  void GetImageInfo(Integer Index, TkvImageInfo* Info);
  void AddImageInfo(TkvImageInfo* Info);
  void DrawImage(Integer Index, TCanvas* Canvas, const TRect& R, TkvGlyphDrawMode Style, bool Stretch, bool Smooth,
                 bool Enabled);

  TkvImageInfoCollection* GetImageInfoCollection() const noexcept { return FImageInfo.get(); }
  bool GetCompressData() const { return FImageInfo->GetCompressData(); }
  void SetCompressData(bool Value) { FImageInfo->SetCompressData(Value); }
  bool GetAlphaBlending() const noexcept { return FAlphaBlending; }
  void SetAlphaBlending(bool Value) { FAlphaBlending = Value; }
  Word GetFormatVersion() const noexcept { return FFormatVersion; }
  Integer GetDesignInfo() const noexcept { return FDesignInfo; }
  void SetDesignInfo(Integer Value) { FDesignInfo = Value; }

 protected:
  void Change() override;
  void DoDraw(Integer Index, TCanvas* Canvas, Integer X, Integer Y, UINT Style, bool Enabled) override;
  void DefineProperties(TFiler* Filer) override;

 private:
  void AddToImageInfo(TBitmap* Image, TBitmap* Mask, TColor MaskColor);
  void SynchronizeImageInfo();
  void ReadImageInfo(TReader* Reader);
  void WriteImageInfo(TWriter* Writer);
  void ReadPlatformList(TStream* Stream);

  std::unique_ptr<TkvImageInfoCollection> FImageInfo;
  Integer FLockCount = 0;
  bool FAlphaBlending = true;
  bool FSynchronizing = false;
  Word FFormatVersion = 0;
  Integer FDesignInfo = 0;
};

// How many images a bitmap yields for cells of Width x Height.
Integer ImageCountOf(TBitmap* Bitmap, Integer Width, Integer Height);
// Bits per pixel of the list's image strip, 0 when it has none.
Integer ImageListPixelFormat(HIMAGELIST List);
bool ImageListsEqual(TCustomImageList* A, TCustomImageList* B);

// ---- Unit start and end -------------------------------------------------------------------

void kvGraphicsStart();
void kvGraphicsEnd();
