#include <gtest/gtest.h>

#include "user/Clipboard.h"
#include "user/GlobalMemory.h"
#include "vcl/Clipbrd.h"
#include "vcl/Graphics.h"
#include "vcl/Jpeg.h"

namespace {

void Paint(TBitmap& bitmap, Integer w, Integer h, TColor background) {
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetSize(w, h);
  bitmap.GetCanvas()->GetBrush()->SetColor(background);
  bitmap.GetCanvas()->FillRect(Rect(0, 0, w, h));
}

String BytesOf(TGraphic* graphic) {
  TMemoryStream stream;
  graphic->SaveToStream(&stream);
  return String(static_cast<const char*>(stream.GetMemory()), static_cast<size_t>(stream.GetSize()));
}

}  // namespace

TEST(Clipbrd, GraphicsGoThroughTheClipboardInTheFormatsTheirClassesWrite) {
  ASSERT_NE(CF_PICTURE, 0u);
  TBitmap bitmap;
  Paint(bitmap, 5, 3, clTeal);
  Clipboard()->Assign(&bitmap);
  EXPECT_TRUE(Clipboard()->HasFormat(CF_BITMAP));
  EXPECT_FALSE(Clipboard()->HasFormat(CF_PICTURE));
  Paint(bitmap, 1, 1, clRed);  // the clipboard holds its own copy

  TPicture picture;
  picture.Assign(Clipboard());
  ASSERT_NE(dynamic_cast<TBitmap*>(picture.GetGraphic()), nullptr);
  EXPECT_EQ(picture.GetWidth(), 5);
  EXPECT_EQ(picture.GetBitmap()->GetCanvas()->GetPixel(2, 1), clTeal);
  // A JPEG image takes the clipboard's bitmap and writes CF_BITMAP itself.
  TJPEGImage jpeg;
  jpeg.Assign(Clipboard());
  EXPECT_EQ(jpeg.GetWidth(), 5);
  Clipboard()->Clear();
  Clipboard()->Assign(&jpeg);
  EXPECT_TRUE(Clipboard()->HasFormat(CF_BITMAP));

  // Icons, metafiles and empty pictures leave the clipboard empty; nothing is there to paste.
  TIcon icon;
  TMetafile metafile;
  TPicture empty;
  for (TPersistent* nothing : std::initializer_list<TPersistent*>{&icon, &metafile, &empty}) {
    Clipboard()->SetAsText("left over");
    Clipboard()->Assign(nothing);
    EXPECT_FALSE(Clipboard()->HasFormat(CF_BITMAP));
    EXPECT_EQ(Clipboard()->GetAsText(), "");
    EXPECT_THROW(picture.Assign(Clipboard()), EInvalidGraphic);
    EXPECT_EQ(picture.GetWidth(), 5);  // a failed paste keeps the picture
  }
}

TEST(Clipbrd, AFormatRegisteredForAClassCarriesItsOwnBytesAndIsPreferred) {
  EXPECT_TRUE(TPicture::SupportsClipboardFormat(CF_BITMAP));
  EXPECT_FALSE(TPicture::SupportsClipboardFormat(CF_PICTURE));
  EXPECT_FALSE(TPicture::SupportsClipboardFormat(CF_TEXT));
  TPicture::RegisterClipboardFormat(CF_PICTURE, TJPEGImage::ClassInfo());
  EXPECT_EQ(TPicture::ClipboardFormats(), (std::vector<Word>{static_cast<Word>(CF_PICTURE), CF_BITMAP}));

  TBitmap bitmap;
  Paint(bitmap, 6, 4, clNavy);
  TJPEGImage jpeg;
  jpeg.Assign(&bitmap);
  const String bytes = BytesOf(&jpeg);
  Clipboard()->Assign(&jpeg);
  EXPECT_TRUE(Clipboard()->HasFormat(CF_BITMAP));
  ASSERT_TRUE(Clipboard()->HasFormat(CF_PICTURE));
  TPicture picture;
  picture.Assign(Clipboard());
  ASSERT_NE(dynamic_cast<TJPEGImage*>(picture.GetGraphic()), nullptr);
  EXPECT_EQ(BytesOf(picture.GetGraphic()), bytes);
  // A bitmap still takes the bitmap format.
  TBitmap pasted;
  pasted.Assign(Clipboard());
  EXPECT_EQ(pasted.GetWidth(), 6);

  // Damaged bytes under the format are refused and the picture stays.
  Clipboard()->SetAsHandle(CF_PICTURE, GlobalAlloc(GHND, 16));
  EXPECT_THROW(picture.Assign(Clipboard()), EInvalidGraphic);
  EXPECT_EQ(BytesOf(picture.GetGraphic()), bytes);

  TPicture::UnregisterGraphicClass(TJPEGImage::ClassInfo());
  EXPECT_FALSE(TPicture::SupportsClipboardFormat(CF_PICTURE));
  EXPECT_TRUE(TPicture::SupportsClipboardFormat(CF_BITMAP));
  JpegStart();  // as the unit start left it
}

TEST(Clipbrd, TextAndNestedOpening) {
  Clipboard()->Open();
  Clipboard()->Open();
  Clipboard()->SetAsText("12.5");
  Clipboard()->Close();
  // Still held by the outer Open: another opener is refused.
  EXPECT_FALSE(OpenClipboard(reinterpret_cast<HWND>(1)));
  Clipboard()->Close();
  EXPECT_EQ(Clipboard()->GetAsText(), "12.5");
  EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));
}

TEST(Clipbrd, BitmapPixelsThatCannotBeAllocatedRaiseOutOfResources) {
  TBitmap bitmap;
  Paint(bitmap, 3, 2, clLime);
  EXPECT_THROW(bitmap.SetSize(40000, 10), EOutOfResources);
  EXPECT_EQ(bitmap.GetWidth(), 3);
  EXPECT_EQ(bitmap.GetCanvas()->GetPixel(1, 1), clLime);
}
