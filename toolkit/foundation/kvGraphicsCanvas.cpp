// The canvas wrapper: state stacks, clipping, fills and frames, text output and measurement.

#include <algorithm>

#include "gdi/Gdi.h"
#include "toolkit/foundation/kvGraphics.h"
#include "user/Painting.h"
#include "user/WindowTree.h"

TAVREN_CLASS_IMPL(TkvCanvas)
TAVREN_CLASS_IMPL(TkvScreenCanvas)

namespace {

constexpr Integer kNoClipExtent = 30000;

TkvScreenCanvas* gScreenCanvas = nullptr;
bool gFinalized = false;

}  // namespace

UINT KvTextFlagsToDT(Integer Flags) {
  UINT result = DT_NOPREFIX;
  if (Flags & ktfAlignRight) result |= DT_RIGHT;
  if (Flags & ktfAlignHCenter) result |= DT_CENTER;
  if (Flags & ktfAlignBottom) result |= DT_BOTTOM;
  if (Flags & ktfAlignVCenter) result |= DT_VCENTER;
  if (Flags & ktfSingleLine) result |= DT_SINGLELINE;
  if (Flags & ktfNoClip) result |= DT_NOCLIP;
  if (Flags & ktfExpandTabs) result |= DT_EXPANDTABS;
  if (Flags & ktfShowPrefix) result &= ~DT_NOPREFIX;
  if (Flags & ktfWordBreak) {
    result |= DT_WORDBREAK;
    if (!(Flags & ktfNoCharBreak)) result |= DT_EDITCONTROL;
  }
  if (Flags & ktfEndEllipsis) result |= DT_END_ELLIPSIS;
  if (Flags & ktfMeasureOnly) result |= DT_CALCRECT;
  if (Flags & ktfPathEllipsis) result |= DT_PATH_ELLIPSIS;
  return result;
}

// ---- TkvCanvas ----------------------------------------------------------------------------

struct TkvCanvas::TSavedState {
  std::unique_ptr<TFont> Font;
  std::unique_ptr<TBrush> Brush;
  std::unique_ptr<TPen> Pen;
};

TkvCanvas::TkvCanvas(TCanvas* ACanvas) : FCanvas(ACanvas) {}

// Whatever a caller left on the stacks is owned here and goes with the wrapper.
TkvCanvas::~TkvCanvas() = default;

void TkvCanvas::SetBrushColor(TColor Color) {
  TBrush* brush = FCanvas->GetBrush();
  if (brush->GetColor() != Color || brush->GetStyle() == bsClear) brush->SetColor(Color);
}

TPoint TkvCanvas::ReadWindowOrg() {
  POINT p{};
  GetWindowOrgEx(DCHandle(), &p);
  return p;
}

void TkvCanvas::WriteWindowOrg(const TPoint& P) { SetWindowOrgEx(DCHandle(), P.X, P.Y, nullptr); }

TPoint TkvCanvas::ReadViewportOrg() {
  POINT p{};
  GetViewportOrgEx(DCHandle(), &p);
  return p;
}

TPoint TkvCanvas::DCOrigin() {
  TPoint window = ReadWindowOrg();
  TPoint viewport = ReadViewportOrg();
  return {viewport.X - window.X, viewport.Y - window.Y};
}

void TkvCanvas::TakeObjectsFromDC(HDC DC) {
  LOGFONT logFont{};
  if (ReadLogFont(static_cast<HFONT>(GetCurrentObject(DC, OBJ_FONT)), logFont)) {
    CurrentFont()->SetHandle(CreateFontIndirect(&logFont));
    CurrentFont()->SetColor(static_cast<TColor>(GetTextColor(DC)));
  }
  LOGBRUSH logBrush{};
  if (ReadLogBrush(static_cast<HBRUSH>(GetCurrentObject(DC, OBJ_BRUSH)), logBrush)) {
    TBrush* brush = CurrentBrush();
    brush->SetColor(static_cast<TColor>(logBrush.lbColor));
    if (logBrush.lbStyle == BS_NULL)
      brush->SetStyle(bsClear);
    else if (logBrush.lbStyle == BS_HATCHED && logBrush.lbHatch <= 5)
      brush->SetStyle(static_cast<TBrushStyle>(bsHorizontal + logBrush.lbHatch));
    else
      brush->SetStyle(bsSolid);
  }
  LOGPEN logPen{};
  if (ReadLogPen(static_cast<HPEN>(GetCurrentObject(DC, OBJ_PEN)), logPen)) {
    TPen* pen = CurrentPen();
    pen->SetColor(static_cast<TColor>(logPen.lopnColor));
    pen->SetStyle(static_cast<TPenStyle>(std::min<UINT>(logPen.lopnStyle & 0xFF, psInsideFrame)));
    pen->SetWidth(logPen.lopnWidth.X);
    TPenMode mode = pmCopy;
    int rop2 = GetROP2(DC);
    for (int m = pmBlack; m <= pmNotXor; ++m)
      if (PenModeToRop2(static_cast<TPenMode>(m)) == rop2) {
        mode = static_cast<TPenMode>(m);
        break;
      }
    pen->SetMode(mode);
  }
}

void TkvCanvas::SetFontAngle(Integer Degrees) {
  LOGFONT logFont{};
  if (!ReadLogFont(CurrentFont()->GetHandle(), logFont)) return;
  logFont.lfEscapement = Degrees * 10;
  if (Degrees != 0) logFont.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  CurrentFont()->SetHandle(CreateFontIndirect(&logFont));
}

void TkvCanvas::PushDC() { FSavedDCs.push_back(SaveDC(DCHandle())); }

void TkvCanvas::PopDC() {
  if (FSavedDCs.empty()) return;
  RestoreDC(DCHandle(), FSavedDCs.back());
  FSavedDCs.pop_back();
}

void TkvCanvas::PushClip() { FSavedClips.emplace_back(CopyClipRegion(true)); }

void TkvCanvas::PopClip() {
  if (FSavedClips.empty()) return;
  ApplyClipRegion(FSavedClips.back().release(), roSet, true, true);
  FSavedClips.pop_back();
}

void TkvCanvas::PushState() {
  PushDC();
  TSavedState state{std::make_unique<TFont>(), std::make_unique<TBrush>(), std::make_unique<TPen>()};
  state.Font->Assign(CurrentFont());
  state.Brush->Assign(CurrentBrush());
  state.Pen->Assign(CurrentPen());
  FStates.push_back(std::move(state));
}

void TkvCanvas::PopState() {
  if (FStates.empty()) return;
  TSavedState& state = FStates.back();
  CurrentFont()->Assign(state.Font.get());
  CurrentBrush()->Assign(state.Brush.get());
  CurrentPen()->Assign(state.Pen.get());
  FStates.pop_back();
  PopDC();
}

TkvRegion* TkvCanvas::CopyClipRegion(bool ConsiderOrigin) {
  auto* region = new TkvRegion();
  if (GetClipRgn(DCHandle(), region->GetHandle()) != 1) {
    delete region;
    region = new TkvRegion(0, 0, kNoClipExtent, kNoClipExtent);
  }
  if (ConsiderOrigin) {
    TPoint origin = DCOrigin();
    region->MoveBy(-origin.X, -origin.Y);
  }
  return region;
}

void TkvCanvas::ApplyClipRegion(TkvRegion* Region, TkvRegionOperation Operation, bool DestroyRegion,
                                bool ConsiderOrigin) {
  if (Operation != roSet) {
    TkvRegion* clip = CopyClipRegion(ConsiderOrigin);
    clip->CombineWith(Region, Operation, DestroyRegion);
    ApplyClipRegion(clip, roSet, true, ConsiderOrigin);
    return;
  }
  TPoint origin{};
  if (ConsiderOrigin) {
    origin = DCOrigin();
    Region->MoveBy(origin.X, origin.Y);
  }
  SelectClipRgn(DCHandle(), Region->GetHandle());
  if (DestroyRegion)
    delete Region;
  else if (ConsiderOrigin)
    Region->MoveBy(-origin.X, -origin.Y);
}

void TkvCanvas::ClipOutRect(const TRect& R) { ExcludeClipRect(DCHandle(), R.Left, R.Top, R.Right, R.Bottom); }

void TkvCanvas::ClipToRect(const TRect& R) { IntersectClipRect(DCHandle(), R.Left, R.Top, R.Right, R.Bottom); }

bool TkvCanvas::AreaVisible(const TRect& R) { return RectVisible(DCHandle(), &R) != 0; }

void TkvCanvas::FillWithColor(const TRect& R, TColor Color) {
  if (Color == clNone) return;
  if (Color != clDefault) SetBrushColor(Color);
  FCanvas->FillRect(R);
}

void TkvCanvas::FillTiled(const TRect& R, TBitmap* Bitmap, bool ExcludeRect) {
  if (R.Width() <= 0 || R.Height() <= 0) return;
  if (Bitmap && !Bitmap->GetEmpty()) {
    const Integer w = Bitmap->GetWidth();
    const Integer h = Bitmap->GetHeight();
    // Cells of a grid anchored at (0, 0); floor division so that negative coordinates tile too.
    auto floorDiv = [](Integer a, Integer b) { return a >= 0 ? a / b : -((-a + b - 1) / b); };
    for (Integer row = floorDiv(R.Top, h); row <= floorDiv(R.Bottom - 1, h); ++row)
      for (Integer col = floorDiv(R.Left, w); col <= floorDiv(R.Right - 1, w); ++col) {
        TRect cell = Bounds(col * w, row * h, w, h);
        TRect part{std::max(cell.Left, R.Left), std::max(cell.Top, R.Top), std::min(cell.Right, R.Right),
                   std::min(cell.Bottom, R.Bottom)};
        TRect source{part.Left - cell.Left, part.Top - cell.Top, part.Right - cell.Left, part.Bottom - cell.Top};
        FCanvas->CopyRect(part, Bitmap->GetCanvas(), source);
      }
  } else {
    FCanvas->FillRect(R);
  }
  if (ExcludeRect) ApplyClipRegion(new TkvRegion(R), roSubtract, true, true);
}

void TkvCanvas::PaintFrame(const TRect& R, TColor Color, Integer LineWidth, TkvBorders Borders, bool ExcludeFrame) {
  if (R.Width() <= 0 || R.Height() <= 0) return;
  if (Color != clDefault) SetBrushColor(Color);
  if (Borders.Contains(bLeft))
    FillTiled(Rect(R.Left, R.Top, std::min(R.Left + LineWidth, R.Right), R.Bottom), nullptr, ExcludeFrame);
  if (Borders.Contains(bTop))
    FillTiled(Rect(R.Left, R.Top, R.Right, std::min(R.Top + LineWidth, R.Bottom)), nullptr, ExcludeFrame);
  if (Borders.Contains(bRight))
    FillTiled(Rect(std::max(R.Right - LineWidth, R.Left), R.Top, R.Right, R.Bottom), nullptr, ExcludeFrame);
  if (Borders.Contains(bBottom))
    FillTiled(Rect(R.Left, std::max(R.Bottom - LineWidth, R.Top), R.Right, R.Bottom), nullptr, ExcludeFrame);
}

void TkvCanvas::PaintTwoColorFrame(const TRect& R, TColor LeftTopColor, TColor RightBottomColor, TkvBorders Borders,
                                   Integer LineWidth) {
  auto band = [&](TColor color, const TRect& r) {
    SetBrushColor(color);
    FillTiled(r, nullptr, false);
  };
  if (Borders.Contains(bLeft)) band(LeftTopColor, Rect(R.Left, R.Top, R.Left + LineWidth, R.Bottom));
  if (Borders.Contains(bTop)) band(LeftTopColor, Rect(R.Left, R.Top, R.Right, R.Top + LineWidth));
  if (Borders.Contains(bRight)) band(RightBottomColor, Rect(R.Right - LineWidth, R.Top, R.Right, R.Bottom));
  if (Borders.Contains(bBottom)) band(RightBottomColor, Rect(R.Left, R.Bottom - LineWidth, R.Right, R.Bottom));
}

void TkvCanvas::PaintBevel(const TRect& R, bool Sunken, bool Outer, TkvBorders Borders) {
  static constexpr TColor kColors[2][2][2] = {
      {{clBtnHighlight, clBtnShadow}, {cl3DLight, cl3DDkShadow}},   // raised: inner, outer
      {{cl3DDkShadow, cl3DLight}, {clBtnShadow, clBtnHighlight}}};  // sunken: inner, outer
  const TColor* colors = kColors[Sunken][Outer];
  PaintTwoColorFrame(R, colors[0], colors[1], Borders, 1);
}

void TkvCanvas::PaintFramedFill(const TRect& R, const TkvViewParams& ViewParams, TkvBorders Borders,
                                TColor FrameColor, Integer LineWidth, bool ExcludeRect) {
  PaintFrame(R, FrameColor, LineWidth, Borders, ExcludeRect);
  TRect inner = R;
  if (Borders.Contains(bLeft)) inner.Left += LineWidth;
  if (Borders.Contains(bTop)) inner.Top += LineWidth;
  if (Borders.Contains(bRight)) inner.Right -= LineWidth;
  if (Borders.Contains(bBottom)) inner.Bottom -= LineWidth;
  SetBrushColor(ViewParams.Color);
  FillTiled(inner, ViewParams.Bitmap, ExcludeRect);
}

void TkvCanvas::DrawFocusFrame(const TRect& R) {
  SetBrushColor(clWhite);
  CurrentFont()->SetColor(clBlack);
  FCanvas->RequiredState(TCanvasState{csHandleValid, csFontValid});
  ::DrawFocusRect(DCHandle(), &R);
}

void TkvCanvas::DrawFocusFrames(const TRect& R, Integer Count) {
  TRect r = R;
  for (Integer i = 0; i < Count; ++i) {
    DrawFocusFrame(r);
    r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
  }
}

void TkvCanvas::InvertArea(const TRect& R) {
  FCanvas->SetCopyMode(cmDstInvert);
  FCanvas->CopyRect(R, FCanvas, R);
  FCanvas->SetCopyMode(cmSrcCopy);
}

void TkvCanvas::DrawPolygon(const std::vector<TPoint>& Points) {
  if (!Points.empty()) FCanvas->Polygon(Points.data(), static_cast<Integer>(Points.size()));
}

void TkvCanvas::DrawPolyline(const std::vector<TPoint>& Points) {
  if (!Points.empty()) FCanvas->Polyline(Points.data(), static_cast<Integer>(Points.size()));
}

void TkvCanvas::DrawImageListItem(TCustomImageList* ImageList, Integer X, Integer Y, Integer Index, bool Enabled) {
  if (!ImageIndexInList(ImageList, Index)) return;
  PushDC();
  ImageList->Draw(FCanvas, X, Y, Index, Enabled);
  PopDC();
}

TSize TkvCanvas::MeasureText(const String& Text) {
  FCanvas->RequiredState(TCanvasState{csHandleValid, csFontValid});
  SIZE size{};
  if (!GetTextExtentPoint32(DCHandle(), Text.data(), static_cast<int>(Text.size()), &size)) return {};
  return {size.cx, size.cy};
}

Integer TkvCanvas::LineHeightForFont(TFont* Font) {
  AssignFont(Font);
  return TextHeightOf("Qq");
}

void TkvCanvas::MeasureTextInRect(const String& Text, TRect& R, Integer Flags) {
  const Integer oldWidth = R.Width();
  const Integer oldHeight = R.Height();
  const UINT format = KvTextFlagsToDT(Flags);
  if (oldWidth <= 0 && !Text.empty()) R.Right = R.Left + 1;
  FCanvas->RequiredState(TCanvasState{csHandleValid, csFontValid});
  if (DrawText(DCHandle(), Text.data(), static_cast<int>(Text.size()), &R, (format & ~DT_VCENTER) | DT_CALCRECT) ==
      0) {
    R.Right = R.Left;
    R.Bottom = R.Top;
  }
  const Integer dx = oldWidth - R.Width();
  const Integer dy = oldHeight - R.Height();
  Integer moveX = 0, moveY = 0;
  if (format & DT_CENTER)
    moveX = dx / 2;
  else if (format & DT_RIGHT)
    moveX = dx;
  if (format & DT_VCENTER)
    moveY = dy / 2;
  else if (format & DT_BOTTOM)
    moveY = dy;
  R = Rect(R.Left + moveX, R.Top + moveY, R.Right + moveX, R.Bottom + moveY);
}

void TkvCanvas::AlignTextBlockVertically(TRect& R, const String& Text, Integer Placement, bool WordBreak,
                                         bool ShowPrefix, bool Enabled, bool NoCharBreak) {
  if (Placement == 0) return;
  const Integer d = Enabled ? 0 : 1;
  Integer flags = ktfAlignLeft | ktfAlignTop;
  if (WordBreak) flags |= ktfWordBreak;
  if (ShowPrefix) flags |= ktfShowPrefix;
  if (NoCharBreak) flags |= ktfNoCharBreak;
  TRect measured = Rect(0, 0, R.Width() - d, 0);
  MeasureTextInRect(Text, measured, flags);
  if (Placement == 1)
    R.Top = R.Bottom - measured.Height() - d;
  else
    R.Top = (R.Top + R.Bottom - measured.Height()) / 2;
}

void TkvCanvas::PaintText(const String& Text, TRect R, Integer Flags, bool Enabled) {
  if (Text.empty()) return;
  const bool useDrawText =
      !(Flags & ktfSingleLine) || (Flags & (ktfShowPrefix | ktfEndEllipsis | ktfPathEllipsis)) != 0;
  const TSize size = MeasureText(Text);
  if (size.cx <= R.Width() && size.cy <= R.Height()) Flags |= ktfNoClip;
  const Integer d = Enabled ? 0 : 1;
  UINT options = 0;
  if (useDrawText) {
    if (!(Flags & ktfSingleLine) && (Flags & (ktfAlignBottom | ktfAlignVCenter)))
      AlignTextBlockVertically(R, Text, (Flags & ktfAlignBottom) ? 1 : 2, (Flags & ktfWordBreak) != 0,
                               (Flags & ktfShowPrefix) != 0, Enabled, (Flags & ktfNoCharBreak) != 0);
  } else {
    if (size.cx < R.Width()) {
      if ((Flags & 7) == ktfAlignRight)
        R.Left = R.Right - size.cx - d;
      else if ((Flags & 7) == ktfAlignHCenter)
        R.Left = (R.Left + R.Right - size.cx) / 2;
    }
    if (size.cy < R.Height()) {
      if ((Flags & 0x38) == ktfAlignBottom)
        R.Top = R.Bottom - size.cy - d;
      else if ((Flags & 0x38) == ktfAlignVCenter)
        R.Top = (R.Top + R.Bottom - size.cy) / 2;
    }
    options = (Flags & ktfNoClip) ? 0 : ETO_CLIPPED;
  }
  const UINT format = KvTextFlagsToDT(Flags);
  auto output = [&](TRect r) {
    FCanvas->RequiredState(TCanvasState{csHandleValid, csFontValid, csBrushValid});
    if (useDrawText)
      DrawText(DCHandle(), Text.data(), static_cast<int>(Text.size()), &r, format);
    else
      ExtTextOut(DCHandle(), r.Left, r.Top, options, &r, Text.data(), static_cast<UINT>(Text.size()), nullptr);
  };
  const TBrushStyle brushStyle = CurrentBrush()->GetStyle();
  const TColor fontColor = CurrentFont()->GetColor();
  if (!Enabled) {
    R.Left += 1;
    R.Top += 1;
    CurrentBrush()->SetStyle(bsClear);
    CurrentFont()->SetColor(clBtnHighlight);
    output(R);
    R = Rect(R.Left - 1, R.Top - 1, R.Right - 1, R.Bottom - 1);
    CurrentFont()->SetColor(clBtnShadow);
  }
  output(R);
  if (CurrentBrush()->GetStyle() != brushStyle) CurrentBrush()->SetStyle(brushStyle);
  CurrentFont()->SetColor(fontColor);
}

// ---- Screen canvas ------------------------------------------------------------------------

namespace {

// A canvas on the desktop window's DC, released with the canvas.
class TDesktopCanvas : public TCanvas {
 public:
  ~TDesktopCanvas() override {
    if (HandleAllocated()) {
      HDC dc = GetHandle();
      SetHandle(nullptr);
      ReleaseDC(GetDesktopWindow(), dc);
    }
  }

 protected:
  void CreateHandle() override { SetHandle(GetDCEx(GetDesktopWindow(), nullptr, DCX_CACHE | DCX_LOCKWINDOWUPDATE)); }
};

}  // namespace

TkvScreenCanvas::TkvScreenCanvas() : TkvCanvas(nullptr) {
  FScreenCanvas = std::make_unique<TDesktopCanvas>();
  SetWrappedCanvas(FScreenCanvas.get());
}

TkvScreenCanvas::~TkvScreenCanvas() = default;

TkvScreenCanvas* ScreenCanvasInstance() {
  if (!gScreenCanvas && !gFinalized) gScreenCanvas = new TkvScreenCanvas();
  return gScreenCanvas;
}

void kvGraphicsCanvasStart() { gFinalized = false; }

void kvGraphicsCanvasEnd() {
  gFinalized = true;
  delete gScreenCanvas;
  gScreenCanvas = nullptr;
}
