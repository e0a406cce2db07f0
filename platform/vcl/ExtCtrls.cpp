// TCustomPanel, TBevel and TImage.

#include "gdi/Text.h"
#include "rtl/ClassRegistry.h"
#include "rtl/ColorIdents.h"
#include "vcl/ExtCtrls.h"

void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, Integer Width) {
  Canvas->GetPen()->SetWidth(1);
  --Rect.Bottom;
  --Rect.Right;
  for (; Width > 0; --Width) {
    TPoint topLeft{Rect.Left, Rect.Top};
    TPoint topRight{Rect.Right, Rect.Top};
    TPoint bottomRight{Rect.Right, Rect.Bottom};
    TPoint bottomLeft{Rect.Left, Rect.Bottom};
    Canvas->GetPen()->SetColor(TopColor);
    const TPoint top[] = {bottomLeft, topLeft, topRight};
    Canvas->Polyline(top, 3);
    Canvas->GetPen()->SetColor(BottomColor);
    --bottomLeft.X;
    const TPoint bottom[] = {topRight, bottomRight, bottomLeft};
    Canvas->Polyline(bottom, 3);
    Rect = TRect{Rect.Left + 1, Rect.Top + 1, Rect.Right - 1, Rect.Bottom - 1};
  }
  ++Rect.Bottom;
  ++Rect.Right;
}

namespace {
void BevelColors(TBevelCut Bevel, TColor& TopColor, TColor& BottomColor) {
  TopColor = Bevel == bvLowered ? clBtnShadow : clBtnHighlight;
  BottomColor = Bevel == bvLowered ? clBtnHighlight : clBtnShadow;
}
}  // namespace

// ---- Panel --------------------------------------------------------------------------------------

TAVREN_MESSAGE_TABLE(TCustomPanel, MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged))

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption,
                                csOpaque,          csDoubleClicks, csReplicatable};
  SetBounds(0, 0, 185, 41);
  FParentColor = false;
  SetColor(clBtnFace);
}

void TCustomPanel::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  if (FBorderStyle == bsSingle) {
    if (GetCtl3D())
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
  Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

Integer TCustomPanel::BevelSize() const {
  Integer size = GetBorderWidth();
  if (FBevelOuter != bvNone) size += FBevelWidth;
  if (FBevelInner != bvNone) size += FBevelWidth;
  return size;
}

void TCustomPanel::AdjustClientRect(TRect& Rect) {
  inherited::AdjustClientRect(Rect);
  // The base already left BorderWidth out; the bevels come on top of it.
  Integer bevels = BevelSize() - GetBorderWidth();
  Rect = TRect{Rect.Left + bevels, Rect.Top + bevels, Rect.Right - bevels, Rect.Bottom - bevels};
}

void TCustomPanel::Paint() {
  TCanvas* canvas = GetCanvas();
  TRect rect = GetClientRect();
  TColor top;
  TColor bottom;
  if (FBevelOuter != bvNone) {
    BevelColors(FBevelOuter, top, bottom);
    Frame3D(canvas, rect, top, bottom, FBevelWidth);
  }
  Frame3D(canvas, rect, GetColor(), GetColor(), GetBorderWidth());
  if (FBevelInner != bvNone) {
    BevelColors(FBevelInner, top, bottom);
    Frame3D(canvas, rect, top, bottom, FBevelWidth);
  }
  if (!GetParentBackground()) {
    canvas->GetBrush()->SetStyle(bsSolid);
    canvas->GetBrush()->SetColor(GetColor());
    canvas->FillRect(rect);
  }
  String caption = GetText();
  if (caption.empty()) return;
  canvas->GetBrush()->SetStyle(bsClear);
  canvas->SetFont(GetFont());
  Integer fontHeight = canvas->TextHeight("W");
  rect.Top = (rect.Bottom + rect.Top - fontHeight) / 2;
  rect.Bottom = rect.Top + fontHeight;
  static constexpr UINT kAlignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  canvas->RequiredState(TCanvasState{csHandleValid, csFontValid, csBrushValid});
  HDC dc = canvas->GetHandle();
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(GetFont()->GetColor()));
  DrawText(dc, caption.c_str(), -1, &rect, DT_EXPANDTABS | DT_VCENTER | DT_SINGLELINE | kAlignments[FAlignment]);
}

void TCustomPanel::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut Value) {
  FBevelInner = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut Value) {
  FBevelOuter = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelWidth(TBevelWidth Value) {
  FBevelWidth = std::max(Value, 1);
  Realign();
  Invalidate();
}

void TCustomPanel::SetBorderStyle(TFormBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TCustomPanel::CMTextChanged(TMessage&) { Invalidate(); }

// ---- Bevel --------------------------------------------------------------------------------------

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle.Include(csReplicatable);
  SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape Value) {
  FShape = Value;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value) {
  FStyle = Value;
  Invalidate();
}

void TBevel::Paint() {
  TCanvas* canvas = GetCanvas();
  TColor top = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
  TColor bottom = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
  TRect client = GetClientRect();
  auto line = [canvas](TColor color, Integer x1, Integer y1, Integer x2, Integer y2) {
    canvas->GetPen()->SetColor(color);
    canvas->MoveTo(x1, y1);
    canvas->LineTo(x2, y2);
  };
  Integer w = FWidth;
  Integer h = FHeight;
  switch (FShape) {
    case bsBox: Frame3D(canvas, client, top, bottom, 1); break;
    case bsFrame: {
      TRect outer{0, 0, w - 1, h - 1};
      TRect inner{1, 1, w, h};
      Frame3D(canvas, outer, top, top, 1);
      Frame3D(canvas, inner, bottom, bottom, 1);
      break;
    }
    case bsTopLine:
      line(top, 0, 0, w, 0);
      line(bottom, 0, 1, w, 1);
      break;
    case bsBottomLine:
      line(top, 0, h - 2, w, h - 2);
      line(bottom, 0, h - 1, w, h - 1);
      break;
    case bsLeftLine:
      line(top, 0, 0, 0, h);
      line(bottom, 1, 0, 1, h);
      break;
    case bsRightLine:
      line(top, w - 2, 0, w - 2, h);
      line(bottom, w - 1, 0, w - 1, h);
      break;
    case bsSpacer: break;
  }
}

// ---- Image --------------------------------------------------------------------------------------

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>()) {
  FControlStyle.Include(csReplicatable);
  FPicture->SetOnChange(MakeEvent<&TImage::PictureChanged>(this));
  SetBounds(0, 0, 105, 105);
}

TImage::~TImage() { FPicture->SetOnChange(nullptr); }

TRect TImage::DestRect() {
  Integer w = FPicture->GetWidth();
  Integer h = FPicture->GetHeight();
  Integer cw = GetClientWidth();
  Integer ch = GetClientHeight();
  if (FStretch || (FProportional && (w > cw || h > ch))) {
    if (FProportional && w > 0 && h > 0) {
      // Scaled in 64 bits: a large picture times a large control overflows 32.
      if (static_cast<Int64>(w) * ch > static_cast<Int64>(h) * cw) {
        h = static_cast<Integer>(static_cast<Int64>(h) * cw / w);
        w = cw;
      } else {
        w = static_cast<Integer>(static_cast<Int64>(w) * ch / h);
        h = ch;
      }
    } else {
      w = cw;
      h = ch;
    }
  }
  TRect result{0, 0, w, h};
  if (FCenter) result = Bounds((cw - w) / 2, (ch - h) / 2, w, h);
  return result;
}

void TImage::Paint() {
  TGraphic* graphic = FPicture->GetGraphic();
  if (!graphic || graphic->GetEmpty()) return;
  GetCanvas()->StretchDraw(DestRect(), graphic);
}

bool TImage::CanAutoSize(Integer& NewWidth, Integer& NewHeight) {
  if (FPicture->GetWidth() <= 0 || FPicture->GetHeight() <= 0) return false;
  NewWidth = FPicture->GetWidth();
  NewHeight = FPicture->GetHeight();
  return true;
}

void TImage::SetAutoSize(bool Value) {
  inherited::SetAutoSize(Value);
  if (Value && FPicture->GetWidth() > 0 && FPicture->GetHeight() > 0)
    SetBounds(FLeft, FTop, FPicture->GetWidth(), FPicture->GetHeight());
}

void TImage::SetStretch(bool Value) {
  FStretch = Value;
  Invalidate();
}

void TImage::SetCenter(bool Value) {
  FCenter = Value;
  Invalidate();
}

void TImage::SetProportional(bool Value) {
  FProportional = Value;
  Invalidate();
}

void TImage::SetTransparent(bool Value) {
  FTransparent = Value;
  PictureChanged(this);
}

void TImage::PictureChanged(TObject*) {
  TGraphic* graphic = FPicture->GetGraphic();
  if (graphic && !graphic->GetEmpty() && graphic->GetTransparent() != FTransparent) {
    // Changing the graphic's transparency reports back here; this guard ends the loop.
    graphic->SetTransparent(FTransparent);
    return;
  }
  if (GetAutoSize() && FPicture->GetWidth() > 0 && FPicture->GetHeight() > 0)
    SetBounds(FLeft, FTop, FPicture->GetWidth(), FPicture->GetHeight());
  if (graphic && !graphic->GetTransparent() && (FStretch || graphic->GetWidth() >= FWidth) &&
      graphic->GetHeight() >= FHeight)
    FControlStyle.Include(csOpaque);
  else
    FControlStyle.Exclude(csOpaque);
  Invalidate();
}

// ---- Published properties -----------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TCustomPanel,
    PROPERTY(Alignment).Default(taCenter),
    PROPERTY(BevelInner).Default(bvNone),
    PROPERTY(BevelOuter).Default(bvRaised),
    PROPERTY(BevelWidth).Default(1),
    PROPERTY(BorderStyle).Default(bsNone),
    PROPERTY(Caption),
    PROPERTY(Color).Idents(ColorIdentMap).Stored<&TCustomPanel::IsColorStored>().Default(clBtnFace))
TAVREN_CLASS_IMPL(TPanel)

TAVREN_CLASS_IMPL_PUBLISHED(TBevel,
    PROPERTY(Shape).Default(bsBox),
    PROPERTY(Style).Default(bsLowered))

TAVREN_CLASS_IMPL_PUBLISHED(TImage,
    PROPERTY(AutoSize).Default(false),
    PROPERTY(Center).Default(false),
    PROPERTY(Picture),
    PROPERTY(Proportional).Default(false),
    PROPERTY(Stretch).Default(false),
    PROPERTY(Transparent).Default(false))

void ExtCtrlsStart() { RegisterClasses({TPanel::ClassInfo(), TBevel::ClassInfo(), TImage::ClassInfo()}); }
