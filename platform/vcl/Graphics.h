#pragma once
// The framework's graphics unit: fonts, pens and brushes with cached handles, the canvas that
// selects them into a DC when a drawing call needs them, and the graphic classes (TGraphic,
// TBitmap, TIcon, TPicture) declared in vcl/GraphicClasses.h.

#include <memory>
#include <mutex>

#include "gdi/Gdi.h"
#include "rtl/ColorIdents.h"
#include "rtl/Events.h"
#include "rtl/Persistent.h"
#include "rtl/Sets.h"
#include "rtl/TypInfo.h"

class TGraphic;
class TBitmap;

// The RGB value of a colour; system colours (high byte 0x80) through the system colour table.
COLORREF ColorToRGB(TColor Color);

// ---- Graphics objects -------------------------------------------------------------------------

// A pen, brush or font: a description whose GDI handle is made when first asked for and dropped
// whenever the description changes, telling OnChange (the canvas that holds it listens there).
class TGraphicsObject : public TPersistent {
  TAVREN_CLASS(TGraphicsObject, TPersistent)
 public:
  ~TGraphicsObject() override;
  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }
  // Whether a handle is made and cached right now.
  bool HandleAllocated() const { return FHandle != nullptr; }

 protected:
  // Drops the handle and tells the listeners.
  virtual void Changed();
  // Tells the listeners of a change that leaves the handle as it is.
  void NotifyChange() { FOnChange(this); }
  // The handle a description stands for, made on first use.
  HGDIOBJ CachedHandle();
  // Adopts Handle as the cached one (it is deleted with the object or at the next change).
  void AdoptHandle(HGDIOBJ Handle);
  virtual HGDIOBJ CreateHandle() = 0;
  void FreeHandle();

 private:
  HGDIOBJ FHandle = nullptr;
  TNotifyEvent FOnChange;
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
TAVREN_ENUM_INFO(TFontStyle, fsBold, fsItalic, fsUnderline, fsStrikeOut);
using TFontStyles = TSet<TFontStyle, 4>;

enum TFontPitch { fpDefault, fpVariable, fpFixed };
TAVREN_ENUM_INFO(TFontPitch, fpDefault, fpVariable, fpFixed);

using TFontCharset = Byte;
// Names of the character sets in form text (DEFAULT_CHARSET ...).
extern const TIdentMap CharsetIdentMap;

class TFont : public TGraphicsObject {
  TAVREN_CLASS(TFont, TGraphicsObject)
 public:
  TFont();
  void Assign(TPersistent* Source) override;

  String GetName() const { return FName; }
  void SetName(const String& Value);
  // Points; the height in pixels at PixelsPerInch is what is stored.
  Integer GetSize() const;
  void SetSize(Integer Value);
  // Negative: character height in pixels; positive: cell height.
  Integer GetHeight() const { return FHeight; }
  void SetHeight(Integer Value);
  TFontStyles GetStyle() const { return FStyle; }
  void SetStyle(TFontStyles Value);
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  TFontCharset GetCharset() const { return FCharset; }
  void SetCharset(TFontCharset Value);
  TFontPitch GetPitch() const { return FPitch; }
  void SetPitch(TFontPitch Value);
  // Tenths of a degree, counter-clockwise: the escapement of the text.
  Integer GetOrientation() const { return FOrientation; }
  void SetOrientation(Integer Value);
  Integer GetPixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(Integer Value) { FPixelsPerInch = Value > 0 ? Value : 96; }

  HFONT GetHandle() { return static_cast<HFONT>(CachedHandle()); }
  // Takes over a font handle (made by the caller, e.g. rotated) and reads its description.
  void SetHandle(HFONT Value);

 protected:
  HGDIOBJ CreateHandle() override;

 private:
  String FName = "MS Sans Serif";
  Integer FHeight = -11;
  TFontStyles FStyle;
  TColor FColor = clWindowText;
  TFontCharset FCharset = DEFAULT_CHARSET;
  TFontPitch FPitch = fpDefault;
  Integer FOrientation = 0;
  Integer FPixelsPerInch = 96;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
TAVREN_ENUM_INFO(TPenStyle, psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame);

enum TPenMode {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
  pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};
TAVREN_ENUM_INFO(TPenMode, pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
                 pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor);
// The R2_* mix of each pen mode.
int PenModeToRop2(TPenMode Mode);

class TPen : public TGraphicsObject {
  TAVREN_CLASS(TPen, TGraphicsObject)
 public:
  void Assign(TPersistent* Source) override;
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  Integer GetWidth() const { return FWidth; }
  void SetWidth(Integer Value);
  TPenStyle GetStyle() const { return FStyle; }
  void SetStyle(TPenStyle Value);
  // Not part of the handle: the canvas sets it as the DC's mix when it selects the pen.
  TPenMode GetMode() const { return FMode; }
  void SetMode(TPenMode Value);
  HPEN GetHandle() { return static_cast<HPEN>(CachedHandle()); }
  void SetHandle(HPEN Value);

 protected:
  HGDIOBJ CreateHandle() override;

 private:
  TColor FColor = clBlack;
  Integer FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
TAVREN_ENUM_INFO(TBrushStyle, bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross,
                 bsDiagCross);

class TBrush : public TGraphicsObject {
  TAVREN_CLASS(TBrush, TGraphicsObject)
 public:
  void Assign(TPersistent* Source) override;
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  TBrushStyle GetStyle() const { return FStyle; }
  void SetStyle(TBrushStyle Value);
  // A pattern; the brush only refers to the bitmap (its owner frees it) and copies its pixels
  // into the handle when the handle is made.
  TBitmap* GetBitmap() const { return FBitmap; }
  void SetBitmap(TBitmap* Value);
  HBRUSH GetHandle() { return static_cast<HBRUSH>(CachedHandle()); }
  void SetHandle(HBRUSH Value);

 protected:
  HGDIOBJ CreateHandle() override;

 private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
  TBitmap* FBitmap = nullptr;
};

// ---- Canvas -----------------------------------------------------------------------------------

enum TCanvasStates { csHandleValid, csFontValid, csPenValid, csBrushValid };
using TCanvasState = TSet<TCanvasStates, 4>;

using TCopyMode = Integer;
constexpr TCopyMode cmBlackness = BLACKNESS;
constexpr TCopyMode cmDstInvert = DSTINVERT;
constexpr TCopyMode cmMergeCopy = MERGECOPY;
constexpr TCopyMode cmMergePaint = MERGEPAINT;
constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
constexpr TCopyMode cmNotSrcErase = NOTSRCERASE;
constexpr TCopyMode cmPatCopy = PATCOPY;
constexpr TCopyMode cmPatInvert = PATINVERT;
constexpr TCopyMode cmPatPaint = PATPAINT;
constexpr TCopyMode cmSrcAnd = SRCAND;
constexpr TCopyMode cmSrcCopy = SRCCOPY;
constexpr TCopyMode cmSrcErase = SRCERASE;
constexpr TCopyMode cmSrcInvert = SRCINVERT;
constexpr TCopyMode cmSrcPaint = SRCPAINT;
constexpr TCopyMode cmWhiteness = WHITENESS;

// Drawing on a DC through the framework's objects. The font, pen and brush are selected into the
// DC only when a call needs them (RequiredState) and deselected when they change, so a canvas
// never draws with a stale handle. A canvas without a DC asks CreateHandle for one; the base
// class has none to give and refuses to draw.
class TCanvas : public TPersistent {
  TAVREN_CLASS(TCanvas, TPersistent)
 public:
  TCanvas();
  ~TCanvas() override;

  HDC GetHandle();
  void SetHandle(HDC Value);
  bool HandleAllocated() const { return FHandle != nullptr; }
  TCanvasState GetState() const { return FState; }

  TFont* GetFont() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TPen* GetPen() const { return FPen.get(); }
  void SetPen(TPen* Value) { FPen->Assign(Value); }
  TBrush* GetBrush() const { return FBrush.get(); }
  void SetBrush(TBrush* Value) { FBrush->Assign(Value); }
  TCopyMode GetCopyMode() const { return FCopyMode; }
  void SetCopyMode(TCopyMode Value) { FCopyMode = Value; }
  // Options of ExtTextOut for TextOut (ETO_*).
  Integer GetTextFlags() const { return FTextFlags; }
  void SetTextFlags(Integer Value) { FTextFlags = Value; }
  TPoint GetPenPos();
  void SetPenPos(TPoint Value) { MoveTo(Value.X, Value.Y); }
  TColor GetPixel(Integer X, Integer Y);
  void SetPixel(Integer X, Integer Y, TColor Value);
  TRect GetClipRect();

  void FillRect(const TRect& Rect);
  void FrameRect(const TRect& Rect);
  void Rectangle(Integer X1, Integer Y1, Integer X2, Integer Y2);
  void Rectangle(const TRect& Rect) { Rectangle(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
  void RoundRect(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3);
  void Ellipse(Integer X1, Integer Y1, Integer X2, Integer Y2);
  void Ellipse(const TRect& Rect) { Ellipse(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
  void Polygon(const TPoint* Points, Integer Count);
  void Polyline(const TPoint* Points, Integer Count);
  void MoveTo(Integer X, Integer Y);
  void LineTo(Integer X, Integer Y);
  void DrawFocusRect(const TRect& Rect);

  // Leaves the pen position after the text, as the framework does.
  void TextOut(Integer X, Integer Y, const String& Text);
  // Text at (X, Y) clipped to Rect, which is filled first unless the brush is clear.
  void TextRect(const TRect& Rect, Integer X, Integer Y, const String& Text);
  TSize TextExtent(const String& Text);
  Integer TextWidth(const String& Text) { return TextExtent(Text).cx; }
  Integer TextHeight(const String& Text) { return TextExtent(Text).cy; }

  // The graphic at its own size; nothing for an empty one.
  void Draw(Integer X, Integer Y, TGraphic* Graphic);
  void StretchDraw(const TRect& Rect, TGraphic* Graphic);
  // StretchBlt from another canvas with CopyMode.
  void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);
  // Copies Source of the bitmap into Dest, painting the pixels of Color with the brush instead
  // (left untouched when the brush is clear).
  void BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color);

  // Serialises drawing from several threads; Lock nests.
  void Lock();
  void Unlock();
  bool TryLock();
  Integer GetLockCount() const { return FLockCount; }
  // Deselects the font, pen and brush (they are selected again when needed).
  void Refresh() { DeselectHandles(); }

  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }
  TNotifyEvent GetOnChanging() const { return FOnChanging; }
  void SetOnChanging(TNotifyEvent Value) { FOnChanging = Value; }

  // Makes sure the DC and the objects named are there and selected.
  void RequiredState(TCanvasState ReqState);

 protected:
  virtual void Changed();
  virtual void Changing();
  // Descendants give the canvas its DC here (SetHandle); the base class has none.
  virtual void CreateHandle() {}

 private:
  void DeselectHandles();
  void CreateFont();
  void CreatePen();
  void CreateBrush();
  void FontChanged(TObject* Sender);
  void PenChanged(TObject* Sender);
  void BrushChanged(TObject* Sender);

  HDC FHandle = nullptr;
  TCanvasState FState;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TBrush> FBrush;
  TCopyMode FCopyMode = cmSrcCopy;
  Integer FTextFlags = 0;
  std::recursive_mutex FLock;
  Integer FLockCount = 0;
  TNotifyEvent FOnChange;
  TNotifyEvent FOnChanging;
};

#include "vcl/GraphicClasses.h"
