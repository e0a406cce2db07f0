#include "vcl/Graphics.h"

#include <vector>

TAVREN_CLASS_IMPL(TCanvas)

TCanvas::TCanvas() : FFont(std::make_unique<TFont>()), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()) {
  FFont->SetOnChange(MakeEvent<&TCanvas::FontChanged>(this));
  FPen->SetOnChange(MakeEvent<&TCanvas::PenChanged>(this));
  FBrush->SetOnChange(MakeEvent<&TCanvas::BrushChanged>(this));
}

TCanvas::~TCanvas() {
  // The DC belongs to whoever handed it over; it only gets its stock objects back.
  SetHandle(nullptr);
}

HDC TCanvas::GetHandle() {
  RequiredState({csHandleValid});
  return FHandle;
}

void TCanvas::SetHandle(HDC Value) {
  if (FHandle == Value) return;
  if (FHandle) {
    DeselectHandles();
    FHandle = nullptr;
    FState.Exclude(csHandleValid);
  }
  if (Value) {
    FState.Include(csHandleValid);
    FHandle = Value;
  }
}

void TCanvas::RequiredState(TCanvasState ReqState) {
  TCanvasState needed = ReqState - FState;
  if (needed.Empty()) return;
  if (needed.Contains(csHandleValid)) {
    CreateHandle();
    if (!FHandle) throw EInvalidOperation("Canvas does not allow drawing");
  }
  if (needed.Contains(csFontValid)) CreateFont();
  if (needed.Contains(csPenValid)) CreatePen();
  if (needed.Contains(csBrushValid)) CreateBrush();
}

void TCanvas::DeselectHandles() {
  if (FHandle && !(FState - TCanvasState{csHandleValid}).Empty()) {
    SelectObject(FHandle, GetStockObject(BLACK_PEN));
    SelectObject(FHandle, GetStockObject(HOLLOW_BRUSH));
    SelectObject(FHandle, GetStockObject(SYSTEM_FONT));
  }
  FState -= TCanvasState{csPenValid, csBrushValid, csFontValid};
}

void TCanvas::CreateFont() {
  SelectObject(FHandle, FFont->GetHandle());
  SetTextColor(FHandle, ColorToRGB(FFont->GetColor()));
  FState.Include(csFontValid);
}

void TCanvas::CreatePen() {
  SelectObject(FHandle, FPen->GetHandle());
  SetROP2(FHandle, PenModeToRop2(FPen->GetMode()));
  FState.Include(csPenValid);
}

void TCanvas::CreateBrush() {
  SelectObject(FHandle, FBrush->GetHandle());
  // Hatches are drawn over what is there; their gaps keep the background.
  if (FBrush->GetStyle() == bsSolid) {
    SetBkColor(FHandle, ColorToRGB(FBrush->GetColor()));
    SetBkMode(FHandle, OPAQUE);
  } else {
    SetBkColor(FHandle, ~ColorToRGB(FBrush->GetColor()) & 0xFFFFFF);
    SetBkMode(FHandle, TRANSPARENT);
  }
  FState.Include(csBrushValid);
}

void TCanvas::FontChanged(TObject*) {
  if (!FState.Contains(csFontValid)) return;
  FState.Exclude(csFontValid);
  SelectObject(FHandle, GetStockObject(SYSTEM_FONT));
}

void TCanvas::PenChanged(TObject*) {
  if (!FState.Contains(csPenValid)) return;
  FState.Exclude(csPenValid);
  SelectObject(FHandle, GetStockObject(BLACK_PEN));
}

void TCanvas::BrushChanged(TObject*) {
  if (!FState.Contains(csBrushValid)) return;
  FState.Exclude(csBrushValid);
  SelectObject(FHandle, GetStockObject(HOLLOW_BRUSH));
}

void TCanvas::Changed() { FOnChange(this); }
void TCanvas::Changing() { FOnChanging(this); }

TPoint TCanvas::GetPenPos() {
  RequiredState({csHandleValid});
  POINT p;
  GetCurrentPositionEx(FHandle, &p);
  return p;
}

TColor TCanvas::GetPixel(Integer X, Integer Y) {
  RequiredState({csHandleValid});
  return static_cast<TColor>(::GetPixel(FHandle, X, Y));
}

void TCanvas::SetPixel(Integer X, Integer Y, TColor Value) {
  Changing();
  RequiredState({csHandleValid, csPenValid});
  ::SetPixel(FHandle, X, Y, ColorToRGB(Value));
  Changed();
}

TRect TCanvas::GetClipRect() {
  RequiredState({csHandleValid});
  RECT r;
  GetClipBox(FHandle, &r);
  return r;
}

void TCanvas::FillRect(const TRect& Rect) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::FillRect(FHandle, &Rect, FBrush->GetHandle());
  Changed();
}

void TCanvas::FrameRect(const TRect& Rect) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::FrameRect(FHandle, &Rect, FBrush->GetHandle());
  Changed();
}

void TCanvas::Rectangle(Integer X1, Integer Y1, Integer X2, Integer Y2) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Rectangle(FHandle, X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::RoundRect(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::RoundRect(FHandle, X1, Y1, X2, Y2, X3, Y3);
  Changed();
}

void TCanvas::Ellipse(Integer X1, Integer Y1, Integer X2, Integer Y2) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Ellipse(FHandle, X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::Polygon(const TPoint* Points, Integer Count) {
  if (!Points || Count <= 0) return;
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Polygon(FHandle, Points, Count);
  Changed();
}

void TCanvas::Polyline(const TPoint* Points, Integer Count) {
  if (!Points || Count <= 0) return;
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Polyline(FHandle, Points, Count);
  Changed();
}

void TCanvas::MoveTo(Integer X, Integer Y) {
  RequiredState({csHandleValid});
  MoveToEx(FHandle, X, Y, nullptr);
}

void TCanvas::LineTo(Integer X, Integer Y) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::LineTo(FHandle, X, Y);
  Changed();
}

void TCanvas::DrawFocusRect(const TRect& Rect) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::DrawFocusRect(FHandle, &Rect);
  Changed();
}

void TCanvas::TextOut(Integer X, Integer Y, const String& Text) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  ExtTextOut(FHandle, X, Y, static_cast<UINT>(FTextFlags), nullptr, Text.data(), static_cast<UINT>(Text.size()),
             nullptr);
  MoveTo(X + TextWidth(Text), Y);
  Changed();
}

void TCanvas::TextRect(const TRect& Rect, Integer X, Integer Y, const String& Text) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  UINT options = ETO_CLIPPED | static_cast<UINT>(FTextFlags);
  if (FBrush->GetStyle() != bsClear) options |= ETO_OPAQUE;
  ExtTextOut(FHandle, X, Y, options, &Rect, Text.data(), static_cast<UINT>(Text.size()), nullptr);
  Changed();
}

TSize TCanvas::TextExtent(const String& Text) {
  RequiredState({csHandleValid, csFontValid});
  SIZE size;
  GetTextExtentPoint32(FHandle, Text.data(), static_cast<int>(Text.size()), &size);
  return size;
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source) {
  if (!Canvas) return;
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  Canvas->RequiredState({csHandleValid, csBrushValid});
  StretchBlt(FHandle, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), Canvas->FHandle, Source.Left, Source.Top,
             Source.Width(), Source.Height(), static_cast<DWORD>(FCopyMode));
  Changed();
}

void TCanvas::Lock() {
  FLock.lock();
  ++FLockCount;
}

void TCanvas::Unlock() {
  --FLockCount;
  FLock.unlock();
}

bool TCanvas::TryLock() {
  if (!FLock.try_lock()) return false;
  ++FLockCount;
  return true;
}

void TCanvas::Draw(Integer X, Integer Y, TGraphic* Graphic) {
  if (!Graphic || Graphic->GetEmpty()) return;
  Changing();
  RequiredState({csHandleValid});
  SetBkColor(FHandle, ColorToRGB(FBrush->GetColor()));
  Graphic->Draw(this, Rect(X, Y, X + Graphic->GetWidth(), Y + Graphic->GetHeight()));
  FState.Exclude(csBrushValid);  // the background colour above belongs to the brush's state
  Changed();
}

void TCanvas::StretchDraw(const TRect& Rect, TGraphic* Graphic) {
  if (!Graphic || Graphic->GetEmpty()) return;
  Changing();
  RequiredState({csHandleValid});
  Graphic->Draw(this, Rect);
  Changed();
}

void TCanvas::BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color) {
  if (!Bitmap || Bitmap->GetEmpty() || Dest.Width() <= 0 || Dest.Height() <= 0) return;
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  const int w = Dest.Width(), h = Dest.Height();
  // The source at the destination's size, then a mask of its pixels in Color (1 bits).
  HDC sourceDC = Bitmap->GetCanvas()->GetHandle();
  HDC imageDC = CreateCompatibleDC(nullptr);
  HBITMAP image = CreateBitmap(w, h, 1, 32, nullptr);
  HGDIOBJ oldImage = SelectObject(imageDC, image);
  StretchBlt(imageDC, 0, 0, w, h, sourceDC, Source.Left, Source.Top, Source.Width(), Source.Height(), SRCCOPY);
  HDC maskDC = CreateCompatibleDC(nullptr);
  HBITMAP mask = CreateBitmap(w, h, 1, 1, nullptr);
  HGDIOBJ oldMask = SelectObject(maskDC, mask);
  SetBkColor(imageDC, ColorToRGB(Color));
  BitBlt(maskDC, 0, 0, w, h, imageDC, 0, 0, SRCCOPY);
  // Mask bits 1 take the brush (or keep the destination for a clear brush), 0 bits the image.
  const DWORD keyed = FBrush->GetStyle() == bsClear ? 0x00AA0029 : PATCOPY;
  SelectObject(maskDC, oldMask);
  MaskBlt(FHandle, Dest.Left, Dest.Top, w, h, imageDC, 0, 0, mask, 0, 0, MAKEROP4(keyed, SRCCOPY));
  DeleteDC(maskDC);
  DeleteObject(mask);
  SelectObject(imageDC, oldImage);
  DeleteDC(imageDC);
  DeleteObject(image);
  Changed();
}
