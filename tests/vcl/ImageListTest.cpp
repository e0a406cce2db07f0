#include <gtest/gtest.h>

#include "backend/BackendStart.h"
#include "backend/HeadlessBackend.h"
#include "rtl/Reader.h"
#include "rtl/SysUtils.h"
#include "user/User.h"
#include "vcl/ImgList.h"

namespace {

// A 32-bit bitmap of w x h in one colour.
void Fill(TBitmap& bitmap, Integer w, Integer h, TColor colour) {
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetSize(w, h);
  bitmap.GetCanvas()->GetBrush()->SetColor(colour);
  bitmap.GetCanvas()->FillRect(Rect(0, 0, w, h));
}

struct Counter : TObject {
  int changes = 0;
  void Changed(TObject*) { ++changes; }
};

}  // namespace

TEST(ImageList, MaskedImagesLeaveTheirKeyColourTransparent) {
  TImageList list(nullptr, 2, 2);
  Counter counter;
  TChangeLink link;
  link.SetOnChange(MakeEvent<&Counter::Changed>(&counter));
  list.RegisterChanges(&link);

  // Two images in one strip: red with a fuchsia corner, then blue.
  TBitmap strip;
  Fill(strip, 4, 2, clRed);
  strip.GetCanvas()->SetPixel(0, 0, clFuchsia);
  strip.GetCanvas()->GetBrush()->SetColor(clBlue);
  strip.GetCanvas()->FillRect(Rect(2, 0, 4, 2));
  EXPECT_EQ(list.AddMasked(&strip, clFuchsia), 0);
  EXPECT_EQ(list.GetCount(), 2);
  EXPECT_EQ(counter.changes, 1);

  TBitmap target;
  Fill(target, 4, 2, clWhite);
  list.Draw(target.GetCanvas(), 0, 0, 0);
  list.Draw(target.GetCanvas(), 2, 0, 1);
  EXPECT_EQ(target.GetCanvas()->GetPixel(0, 0), clWhite);
  EXPECT_EQ(target.GetCanvas()->GetPixel(1, 1), clRed);
  EXPECT_EQ(target.GetCanvas()->GetPixel(3, 1), clBlue);

  // With a background colour the masked pixel takes it.
  list.SetBkColor(clLime);
  list.Draw(target.GetCanvas(), 0, 0, 0);
  EXPECT_EQ(target.GetCanvas()->GetPixel(0, 0), clLime);
  EXPECT_EQ(counter.changes, 2);

  IMAGEINFO info;
  ASSERT_TRUE(ImageList_GetImageInfo(list.GetHandle(), 1, &info));
  EXPECT_EQ(info.rcImage, Rect(2, 0, 4, 2));
  BITMAP bm;
  ASSERT_TRUE(GetObject(info.hbmImage, sizeof(bm), &bm));
  EXPECT_EQ(bm.bmBitsPixel, 32);
  EXPECT_NE(info.hbmMask, nullptr);

  list.UnRegisterChanges(&link);
  list.Delete(0);
  EXPECT_EQ(list.GetCount(), 1);
  EXPECT_EQ(counter.changes, 2);
  EXPECT_THROW(list.Delete(5), EInvalidOperation);
}

TEST(ImageList, GreyedImagesPaintOnlyTheirShape) {
  // A red 2 x 2 square in the middle of a fuchsia (left out) 4 x 4 image, drawn disabled on lime:
  // the shape in the shadow colour, its highlight one pixel down and right, the rest untouched.
  TImageList list(nullptr, 4, 4);
  TBitmap image;
  Fill(image, 4, 4, clFuchsia);
  image.GetCanvas()->GetBrush()->SetColor(clRed);
  image.GetCanvas()->FillRect(Rect(1, 1, 3, 3));
  list.AddMasked(&image, clFuchsia);
  TBitmap target;
  Fill(target, 5, 5, clLime);
  list.Draw(target.GetCanvas(), 0, 0, 0, false);
  TCanvas* c = target.GetCanvas();
  EXPECT_EQ(c->GetPixel(0, 0), clLime);
  EXPECT_EQ(c->GetPixel(3, 0), clLime);
  EXPECT_EQ(ColorToRGB(c->GetPixel(1, 1)), ColorToRGB(clBtnShadow));
  EXPECT_EQ(ColorToRGB(c->GetPixel(2, 2)), ColorToRGB(clBtnShadow));
  EXPECT_EQ(ColorToRGB(c->GetPixel(3, 3)), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(c->GetPixel(4, 4), clLime);
}

TEST(ImageList, AlphaAndBlendingComposeOnThePixels) {
  HIMAGELIST list = ImageList_Create(1, 1, ILC_COLOR32, 1, 1);
  TBitmap pixel;
  Fill(pixel, 1, 1, clBlack);
  *static_cast<uint32_t*>(pixel.GetScanLine(0)) = 0x800000FF;  // blue (pixels are 0xAARRGGBB), half covered, straight alpha
  ASSERT_EQ(ImageList_Add(list, pixel.GetHandle(), nullptr), 0);
  *static_cast<uint32_t*>(pixel.GetScanLine(0)) = 0x00FF0000;  // red without alpha
  ASSERT_EQ(ImageList_Add(list, pixel.GetHandle(), nullptr), 1);

  TBitmap target;
  Fill(target, 1, 1, clWhite);
  HDC dc = target.GetCanvas()->GetHandle();
  struct Case { int index; UINT style; COLORREF fg; COLORREF expected; };
  const Case kCases[] = {
      {0, ILD_NORMAL, CLR_DEFAULT, RGB(127, 127, 255)},   // half blue over white
      {1, ILD_NORMAL, CLR_DEFAULT, RGB(255, 0, 0)},       // no alpha at all: opaque
      {1, ILD_BLEND50, RGB(0, 0, 255), RGB(128, 0, 128)}, // half red, half blue
      {1, ILD_BLEND25, RGB(0, 0, 255), RGB(191, 0, 64)},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.index * 100 + c.style);
    target.GetCanvas()->FillRect(Rect(0, 0, 1, 1));
    ASSERT_TRUE(ImageList_DrawEx(list, c.index, dc, 0, 0, 0, 0, CLR_NONE, c.fg, c.style));
    COLORREF got = static_cast<COLORREF>(target.GetCanvas()->GetPixel(0, 0));
    EXPECT_NEAR(GetRValue(got), GetRValue(c.expected), 1);
    EXPECT_NEAR(GetGValue(got), GetGValue(c.expected), 1);
    EXPECT_NEAR(GetBValue(got), GetBValue(c.expected), 1);
  }
  EXPECT_FALSE(ImageList_DrawEx(list, 2, dc, 0, 0, 0, 0, CLR_NONE, CLR_NONE, 0));
  ImageList_Destroy(list);
  EXPECT_EQ(ImageList_GetImageCount(list), 0);  // a destroyed list names nothing
}

TEST(ImageList, ListsRoundTripThroughStreamsAndFormData) {
  TImageList list(nullptr, 2, 1);
  TBitmap strip;
  Fill(strip, 4, 1, clNavy);
  strip.GetCanvas()->SetPixel(3, 0, clYellow);
  list.AddMasked(&strip, clYellow);
  ASSERT_TRUE(ImageList_Copy(list.GetHandle(), 0, list.GetHandle(), 1, ILCF_SWAP));

  TImageList copy(nullptr);
  copy.Assign(&list);
  EXPECT_EQ(copy.GetCount(), 2);
  EXPECT_EQ(copy.GetWidth(), 2);
  TBitmap image;
  copy.GetBitmap(0, &image);  // the swapped image: navy with a transparent right pixel
  EXPECT_EQ(image.GetCanvas()->GetPixel(0, 0), clNavy);
  EXPECT_EQ(image.GetCanvas()->GetPixel(1, 0), clWhite);

  // Damaged list data is refused.
  TMemoryStream junk;
  junk.WriteBuffer("TTIL\1\0\0\0", 8);
  junk.SetPosition(0);
  auto* adapter = new TStreamAdapter(&junk);
  IStream* stream = adapter;
  stream->_AddRef();
  EXPECT_EQ(ImageList_Read(stream), nullptr);
  stream->_Release();
}

// Sizes in list data whose product passes any sane size (or wraps around 64 bits) are refused
// before anything is allocated: the form reader raises its error and the list keeps its images.
TEST(ImageList, ListDataWithAbsurdSizesIsRefusedAndTheListKept) {
  struct Case {
    int32_t cx, cy, count;
  };
  const Case kCases[] = {
      {1 << 24, 1 << 24, 65536},  // 2^64 pixels: zero once wrapped
      {65536, 65536, 1},
      {1, 1, INT32_MAX},
      {INT32_MAX, INT32_MAX, INT32_MAX},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(IntToStr(c.cx) + " x " + IntToStr(c.cy) + " x " + IntToStr(c.count));
    TImageList list(nullptr, 2, 1);
    TBitmap strip;
    Fill(strip, 4, 1, clNavy);
    list.Add(&strip, nullptr);
    const int32_t header[] = {0x4C495454, 1, c.cx, c.cy, ILC_COLOR32, 4, c.count, -1};
    String hex;
    for (int32_t v : header)
      for (int shift = 0; shift < 32; shift += 8) hex += IntToHex((v >> shift) & 0xFF, 2);
    EXPECT_THROW(ReadComponentFromText("object L: TImageList\n  Bitmap = {" + hex + "00000000}\nend\n", &list),
                 EReadError);
    EXPECT_EQ(list.GetCount(), 2);
    list.Delete(0);
    EXPECT_EQ(list.GetCount(), 1);
  }
}

TEST(ImageList, DragImageIsATranslucentWindowFollowingThePointer) {
  TDragImageList list(nullptr, 4, 4);
  TBitmap image;
  Fill(image, 4, 4, clRed);
  image.GetCanvas()->SetPixel(3, 3, clFuchsia);
  list.AddMasked(&image, clFuchsia);
  ASSERT_TRUE(list.SetDragImage(0, 1, 2));
  EXPECT_FALSE(list.SetDragImage(1, 0, 0));

  ASSERT_TRUE(list.BeginDrag(nullptr, 300, 200));
  HWND window = list.GetDragWindow();
  RECT r;
  GetWindowRect(window, &r);
  EXPECT_EQ(r, Rect(299, 198, 303, 202));
  EXPECT_EQ(GetForegroundWindow() == window, false);  // never activated

  HeadlessBackend* backend = CurrentHeadlessBackend();
  ASSERT_NE(backend, nullptr);
  PixelImage before;
  list.HideDragImage();
  before = backend->ComposeScreen();
  list.ShowDragImage();
  PixelImage shown = backend->ComposeScreen();
  auto at = [](const PixelImage& p, int x, int y) { return p.pixels[static_cast<size_t>(y) * p.width + x] & 0xFFFFFF; };
  const uint32_t desktop = at(before, 300, 200);
  const uint32_t mixed = at(shown, 300, 200);
  EXPECT_NE(mixed, desktop);
  EXPECT_NE(mixed, 0xFF0000u);                                 // red, but not opaque
  EXPECT_GT((mixed >> 16) & 0xFF, (desktop >> 16) & 0xFF);      // redder than the desktop
  EXPECT_EQ(at(shown, 302, 201), at(before, 302, 201));        // the masked pixel is keyed out

  ASSERT_TRUE(list.DragMove(50, 60));
  GetWindowRect(window, &r);
  EXPECT_EQ(r, Rect(49, 58, 53, 62));
  ASSERT_TRUE(list.EndDrag());
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(list.DragMove(1, 1));
}

TEST(ImageList, IconsGoInAndOutOfListsAndFiles) {
  TImageList list(nullptr, 3, 3);
  TBitmap image;
  Fill(image, 3, 3, clGreen);
  image.GetCanvas()->SetPixel(0, 0, clFuchsia);
  list.AddMasked(&image, clFuchsia);

  TIcon icon;
  list.GetIcon(0, &icon);
  ASSERT_FALSE(icon.GetEmpty());
  EXPECT_EQ(icon.GetWidth(), 3);
  EXPECT_THROW(icon.SetWidth(5), EInvalidGraphicOperation);

  TMemoryStream file;
  icon.SaveToStream(&file);
  file.SetPosition(0);
  TIcon loaded;
  loaded.LoadFromStream(&file);
  EXPECT_EQ(loaded.GetHeight(), 3);

  // Back into a list: the masked corner stays transparent, the rest keeps its colour.
  EXPECT_EQ(list.AddIcon(&loaded), 1);
  TBitmap target;
  Fill(target, 3, 3, clWhite);
  list.Draw(target.GetCanvas(), 0, 0, 1);
  EXPECT_EQ(target.GetCanvas()->GetPixel(0, 0), clWhite);
  EXPECT_EQ(target.GetCanvas()->GetPixel(2, 2), clGreen);

  TMemoryStream junk;
  junk.WriteBuffer("\0\0\1\0\1\0", 6);
  junk.SetPosition(0);
  EXPECT_THROW(loaded.LoadFromStream(&junk), EInvalidGraphic);
  EXPECT_EQ(loaded.GetWidth(), 3);  // a failed load keeps the icon
}
