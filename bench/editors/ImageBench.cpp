// The image editor given a 4000 x 3000 JPEG as its value and painted stretched proportionally in
// 640 x 480, then scrolled 50 steps at natural size with a repaint after each; against the
// platform's TImage with the same picture, painted once proportionally and 50 times at natural
// size, in the same run. Goal: at most 1.5 times the platform's image.

#include "ImageBench.h"

#include <cstdio>

#include "BenchScreen.h"
#include "BenchTiming.h"
#include "toolkit/editors/kvImage.h"
#include "user/Painting.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/Jpeg.h"

namespace {

void Pump() {
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  UpdateAllWindows();
}

// A photograph-like 4000 x 3000 JPEG: bands of colour with a diagonal gradient.
String PhotoJpeg() {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetSize(4000, 3000);
  for (Integer y = 0; y < 3000; ++y) {
    auto* row = static_cast<uint32_t*>(bitmap.GetScanLine(y));
    for (Integer x = 0; x < 4000; ++x)
      row[x] = 0xFF000000 | (uint32_t((x + y) / 28 % 256) << 16) | (uint32_t(y / 12 % 256) << 8) | uint32_t(x / 16 % 256);
  }
  TJPEGImage jpeg;
  jpeg.Assign(&bitmap);
  TMemoryStream stream;
  jpeg.SaveToStream(&stream);
  return String(static_cast<const char*>(stream.GetMemory()), static_cast<size_t>(stream.GetSize()));
}

}  // namespace

void RunImageBench() {
  BenchScreen units;
  const String photo = PhotoJpeg();
  auto* form = new TForm(nullptr, 0);
  form->SetBorderStyle(bsNone);
  form->SetBounds(0, 0, 660, 500);
  form->Show();
  Pump();

  TkvImage* image = nullptr;
  const double editor = Best(3, [&] {
    delete image;
    image = new TkvImage(form);
    image->SetParent(form);
    image->SetBounds(0, 0, 640, 480);
    image->GetImageEditProperties()->SetGraphicClassName("TJPEGImage");
    image->GetImageEditProperties()->SetStretch(true);
    image->SetEditValue(Variant(photo));
    Pump();
    image->GetImageEditProperties()->SetStretch(false);
    image->GetImageEditProperties()->SetCenter(false);
    Pump();
    for (int step = 0; step < 50; ++step) {
      Integer position = 0;
      image->ScrollContent(sbVertical, scLineDown, position);
      Pump();
    }
  });
  const bool scrolled = image->ImageViewInfo()->TopLeft.Y == 50 * 8;
  delete image;

  TImage* platform = nullptr;
  const double peer = Best(3, [&] {
    delete platform;
    platform = new TImage(form);
    platform->SetParent(form);
    platform->SetBounds(0, 0, 640, 480);
    TJPEGImage jpeg;
    TMemoryStream stream;
    stream.WriteBuffer(photo.data(), static_cast<Integer>(photo.size()));
    stream.SetPosition(0);
    jpeg.LoadFromStream(&stream);
    platform->GetPicture()->SetGraphic(&jpeg);
    platform->SetStretch(true);
    platform->SetProportional(true);
    Pump();
    platform->SetStretch(false);
    Pump();
    for (int step = 0; step < 50; ++step) {
      platform->Invalidate();
      Pump();
    }
  });
  delete form;
  std::printf("editors: image editor, 4000 x 3000 JPEG set, painted stretched in 640 x 480, 50 scroll steps at "
              "natural size: %.1f ms (platform image %.1f ms, ratio %.2f) (goal <= 1.5)%s\n",
              editor, peer, editor / peer, scrolled ? "" : " [the editor did not scroll]");
}
