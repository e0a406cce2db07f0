#include "gdi/ImageFiles.h"
#include "vcl/GraphicClasses.h"

TAVREN_CLASS_IMPL(TIcon)

TIcon::TIcon() = default;

TIcon::~TIcon() {
  if (FHandle) DestroyIcon(FHandle);
}

void TIcon::Assign(TPersistent* Source) {
  if (!Source) {
    SetHandle(nullptr);
    return;
  }
  if (auto* icon = dynamic_cast<TIcon*>(Source)) {
    if (icon != this) SetHandle(icon->FHandle ? CopyIcon(icon->FHandle) : nullptr);
    return;
  }
  inherited::Assign(Source);
}

void TIcon::SetWidth(Integer Value) {
  if (Value != FWidth) throw EInvalidGraphicOperation("Cannot change the size of an icon");
}

void TIcon::SetHeight(Integer Value) {
  if (Value != FHeight) throw EInvalidGraphicOperation("Cannot change the size of an icon");
}

void TIcon::SetHandle(HICON Value) {
  if (Value == FHandle) return;
  if (FHandle) DestroyIcon(FHandle);
  FHandle = Value;
  FWidth = FHeight = 0;
  ICONINFO info;
  if (Value && GetIconInfo(Value, &info)) {
    BITMAP bm;
    if (info.hbmColor && GetObject(info.hbmColor, sizeof(bm), &bm)) {
      FWidth = bm.bmWidth;
      FHeight = bm.bmHeight;
    } else if (info.hbmMask && GetObject(info.hbmMask, sizeof(bm), &bm)) {
      FWidth = bm.bmWidth;
      FHeight = bm.bmHeight / 2;  // a monochrome icon's mask holds the image below it
    }
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
  }
  Changed(this);
}

HICON TIcon::ReleaseHandle() {
  HICON handle = FHandle;
  FHandle = nullptr;
  FWidth = FHeight = 0;
  Changed(this);
  return handle;
}

void TIcon::LoadFromStream(TStream* Stream) {
  std::vector<Byte> data = ReadRestOfStream(Stream);
  HICON icon = data.empty() ? nullptr : DecodeIconFile(data.data(), data.size(), 0, 0);
  if (!icon) throw EInvalidGraphic("Icon image is not valid");
  SetHandle(icon);
}

void TIcon::SaveToStream(TStream* Stream) {
  if (!FHandle) return;
  std::vector<uint8_t> file;
  HICON icons[] = {FHandle};
  if (!EncodeIconFile(icons, file)) throw EInvalidGraphicOperation("Cannot write the icon");
  Stream->WriteBuffer(file.data(), static_cast<Integer>(file.size()));
}

void TIcon::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (!FHandle) return;
  DrawIconEx(ACanvas->GetHandle(), Rect.Left, Rect.Top, FHandle, Rect.Width(), Rect.Height(), 0, nullptr, DI_NORMAL);
}
