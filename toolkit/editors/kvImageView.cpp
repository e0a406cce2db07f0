// The image editor's view: where the picture goes, the picture of a cell painted in place, the
// size a value asks for, and the painting.

#include <algorithm>
#include <cmath>

#include "toolkit/editors/kvImage.h"
#include "toolkit/foundation/kvGeometry.h"

TAVREN_CLASS_IMPL(TkvImageViewInfo)
TAVREN_CLASS_IMPL(TkvImageViewData)

TRect FitProportionally(const TRect& Client, Integer Width, Integer Height) {
  const Integer cw = Client.Width(), ch = Client.Height();
  if (cw <= 0 || ch <= 0 || Width <= 0 || Height <= 0) return Client;
  Integer w, h;
  if (int64_t(cw) * Height >= int64_t(ch) * Width) {
    h = ch;
    w = static_cast<Integer>(int64_t(ch) * Width / Height);
  } else {
    w = cw;
    h = static_cast<Integer>(int64_t(cw) * Height / Width);
  }
  return TRect(Client.Left, Client.Top, Client.Left + w, Client.Top + h);
}

// ---- View info -------------------------------------------------------------------------------

TkvImageViewInfo::TkvImageViewInfo() = default;
TkvImageViewInfo::~TkvImageViewInfo() = default;

void TkvImageViewInfo::CopyFrom(TkvContainerViewInfo* Other) {
  TkvCustomEditViewInfo::CopyFrom(Other);
  auto* other = dynamic_cast<TkvImageViewInfo*>(Other);
  if (!other) return;
  Caption = other->Caption;
  Center = other->Center;
  ShowFocusRect = other->ShowFocusRect;
  Stretch = other->Stretch;
  Proportional = other->Proportional;
  Picture = other->Picture;
  TopLeft = other->TopLeft;
}

TPicture* TkvImageViewInfo::OwnPicture() {
  if (!FOwnPicture) FOwnPicture = std::make_unique<TPicture>();
  return FOwnPicture.get();
}

TRect TkvImageViewInfo::TargetRect() {
  const TRect& client = ClientRect;
  const Integer pw = Picture ? Picture->GetWidth() : 0, ph = Picture ? Picture->GetHeight() : 0;
  TRect target;
  if (Stretch) {
    target = Proportional ? FitProportionally(client, pw, ph) : client;
  } else {
    target = TRect(client.Left, client.Top, client.Left + pw, client.Top + ph);
    if (!Center) target = RectShifted(target, -TopLeft.X, -TopLeft.Y);
  }
  // Integer division truncates toward zero, also for a picture larger than the client.
  if (Center) target = RectShifted(target, (client.Width() - target.Width()) / 2, (client.Height() - target.Height()) / 2);
  return target;
}

TSize TkvImageViewInfo::BufferSize() const { return FBuffer ? TSize{FBuffer->GetWidth(), FBuffer->GetHeight()} : TSize{}; }

void TkvImageViewInfo::DrawGraphic(TkvCanvas* Canvas, TGraphic* Graphic, const TRect& Target, const TRect& Visible) {
  TCanvas* canvas = Canvas->GetCanvas();
  if (IsTransparent() || !Graphic->GetTransparent()) {
    canvas->StretchDraw(Target, Graphic);
    return;
  }
  // A see-through graphic goes over the background in a bitmap first, so that nothing flickers;
  // the bitmap covers only the part of the target that shows.
  TRect part;
  if (!RectIntersection(Target, Visible, part)) return;
  try {
    if (!FBuffer) FBuffer = std::make_unique<TBitmap>();
    FBuffer->SetSize(part.Width(), part.Height());
    TCanvas* buffer = FBuffer->GetCanvas();
    buffer->GetBrush()->SetColor(BackgroundColor);
    buffer->FillRect(TRect(0, 0, part.Width(), part.Height()));
    buffer->StretchDraw(RectShifted(Target, -part.Left, -part.Top), Graphic);
  } catch (EOutOfResources&) {
    FBuffer.reset();
    Canvas->FillWithColor(ClientRect, BackgroundColor);
    canvas->StretchDraw(Target, Graphic);
    return;
  }
  canvas->Draw(part.Left, part.Top, FBuffer.get());
}

void TkvImageViewInfo::PaintContent(TkvCanvas* Canvas) {
  if (IsTransparent() && Edit && !Inplace) CopyParentImage(Edit, Canvas, Bounds, false);
  TGraphic* graphic = Picture ? Picture->GetGraphic() : nullptr;
  TCanvas* canvas = Canvas->GetCanvas();
  auto outline = [&] {
    canvas->GetBrush()->SetStyle(bsClear);
    canvas->Rectangle(ClientRect);
  };
  if (!graphic || graphic->GetEmpty()) {
    DrawEditBackgroundAndButtons(Canvas, this, true, 0);
    if (!Caption.empty()) {
      Canvas->AssignFont(Font);
      canvas->GetFont()->SetColor(TextColor);
      canvas->GetBrush()->SetStyle(bsClear);
      Canvas->PaintText(Caption, ClientRect, ktfAlignHCenter | ktfAlignVCenter | ktfSingleLine);
    }
    if (ShowFocusRect) outline();
    return;
  }
  Canvas->PushClip();
  Canvas->ClipOutRect(ClientRect);
  DrawEditBackgroundAndButtons(Canvas, this, true, 0);
  Canvas->PopClip();
  TRect visible = ClientRect;
  if (ShowFocusRect) {
    outline();
    visible = RectInflated(ClientRect, -1, -1);
  }
  const TRect target = TargetRect();
  Canvas->PushClip();
  Canvas->ClipToRect(visible);
  DrawGraphic(Canvas, graphic, target, visible);
  Canvas->PopClip();
  if (IsTransparent() || RectEncloses(target, visible)) return;
  Canvas->PushClip();
  Canvas->ClipToRect(visible);
  Canvas->ClipOutRect(target);
  Canvas->FillWithColor(visible, BackgroundColor);
  Canvas->PopClip();
}

// ---- View data -------------------------------------------------------------------------------

void TkvImageViewData::ComputeViewInfo(TkvCanvas* Canvas, const TRect& ABounds, const TPoint& P, Integer Button,
                                       TShiftState Shift, TkvCustomEditViewInfo* ViewInfo, bool IsMouseEvent) {
  TkvCustomEditViewData::ComputeViewInfo(Canvas, ABounds, P, Button, Shift, ViewInfo, IsMouseEvent);
  auto* info = static_cast<TkvImageViewInfo*>(ViewInfo);
  if (auto* image = dynamic_cast<TkvCustomImage*>(Edit)) info->Picture = image->GetPicture();
  else info->Picture = info->OwnPicture();
  if (RectIsVoid(ABounds)) return;
  TkvCustomImageProperties* properties = ImageProperties();
  info->Caption = properties->GetCaption();
  info->Center = properties->GetCenter();
  info->Stretch = properties->GetStretch();
  info->Proportional = properties->GetProportional();
  info->ShowFocusRect = properties->GetShowFocusRect() && Focused && !Inplace;
  if (info->Center || info->Stretch) info->TopLeft = TPoint(0, 0);
}

void TkvImageViewData::LoadDisplayValue(TkvCanvas*, const Variant& Value, TkvCustomEditViewInfo* ViewInfo) {
  auto* info = static_cast<TkvImageViewInfo*>(ViewInfo);
  TPicture* picture = info->OwnPicture();
  info->Picture = picture;
  TkvCustomImageProperties* properties = ImageProperties();
  if (!VarIsStr(Value) || VarToStr(Value).empty()) {
    picture->Assign(nullptr);
    return;
  }
  // A value that does not decode shows nothing: painting never raises.
  LoadPictureFromValue(picture, properties->GetInplaceGraphicClass(Edit, -1, false), Value);
  TGraphic* graphic = picture->GetGraphic();
  if (graphic && !graphic->GetEmpty() && properties->GetGraphicTransparency() != gtDefault)
    graphic->SetTransparent(properties->GetGraphicTransparency() == gtTransparent);
}

void TkvImageViewData::GetEditContentSize(TkvCanvas* Canvas, const Variant& Value, const TkvEditSizeRequest& Request,
                                          TSize& Size) {
  if (!Inplace) {
    Size = EditorPicture ? TSize{EditorPicture->GetWidth(), EditorPicture->GetHeight()} : TSize{0, 0};
    return;
  }
  if (auto* image = dynamic_cast<TkvCustomImage*>(Edit)) {
    TRect extent;
    GetBorderExtent(extent);
    Size = TSize{image->GetWidth() - extent.Left - extent.Right, image->GetHeight() - extent.Top - extent.Bottom};
    return;
  }
  TkvCustomImageProperties* properties = ImageProperties();
  Size = TSize{0, properties->GetDefaultHeight()};
  if (VarIsStr(Value)) {
    TPicture picture;
    LoadPictureFromValue(&picture, properties->GetInplaceGraphicClass(nullptr, -1, false), Value);
    const Integer w = picture.GetWidth(), h = picture.GetHeight();
    Size = TSize{w, h};
    if (!properties->GetStretch() || w <= 0 || h <= 0) return;
    if (Request.Width > 0) {
      Size = TSize{Request.Width, static_cast<Integer>(std::lround(double(Request.Width) * h / w))};
    } else if (Request.Height > 0) {
      Size = TSize{static_cast<Integer>(std::lround(double(Request.Height) * w / h)), Request.Height};
    }
    return;
  }
  if (!properties->GetCaption().empty()) {
    Canvas->AssignFont(GetEditStyle()->GetEffectiveFont());
    Size = TSize{Canvas->TextWidthOf(properties->GetCaption()), Canvas->TextHeightOf(properties->GetCaption())};
  }
}
