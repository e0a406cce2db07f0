#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "vcl/Graphics.h"
#include "vcl/Jpeg.h"

namespace {

// A component publishing a picture and a font, to stream them as forms do.
class TPictureHolder : public TComponent {
  TAVREN_CLASS(TPictureHolder, TComponent)
 public:
  using TComponent::TComponent;
  TPicture* GetPicture() { return &FPicture; }
  void SetPicture(TPicture* Value) { FPicture.Assign(Value); }
  TFont* GetFont() { return &FFont; }
  void SetFont(TFont* Value) { FFont.Assign(Value); }

 private:
  TPicture FPicture;
  TFont FFont;
};

std::string TempFile(const std::string& name) {
  return (std::filesystem::temp_directory_path() / ("tavren-vclgfx-" + std::to_string(getpid()) + "-" + name)).string();
}

void Paint(TBitmap& bitmap, Integer w, Integer h, TColor background) {
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetSize(w, h);
  bitmap.GetCanvas()->GetBrush()->SetColor(background);
  bitmap.GetCanvas()->FillRect(Rect(0, 0, w, h));
}

}  // namespace

TAVREN_CLASS_IMPL_PUBLISHED(TPictureHolder, PROPERTY(Font), PROPERTY(Picture))

TEST(Graphics, ColorToRGBResolvesSystemColours) {
  struct Case { TColor color; COLORREF rgb; };
  const Case kCases[] = {{clRed, 0x0000FF},
                         {clMoneyGreen, 0xC0DCC0},
                         {clBtnFace, GetSysColor(COLOR_BTNFACE)},
                         {clWindow, GetSysColor(COLOR_WINDOW)},
                         {clHighlight, GetSysColor(COLOR_HIGHLIGHT)},
                         {clNone, 0x1FFFFFFF}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.color);
    EXPECT_EQ(ColorToRGB(c.color), c.rgb);
  }
}

TEST(Graphics, FontSizeAndHeightFollowPixelsPerInch) {
  struct Case { Integer size; Integer height; };
  const Case kCases[] = {{8, -11}, {9, -12}, {10, -13}, {12, -16}, {24, -32}};
  TFont font;
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.size);
    font.SetSize(c.size);
    EXPECT_EQ(font.GetHeight(), c.height);
    EXPECT_EQ(font.GetSize(), c.size);
  }
}

TEST(Graphics, FontHandleIsRemadeOnChangeAndAdoptedFromLogFont) {
  TFont font;
  int changes = 0;
  struct Counter : TObject {
    int* n;
    void Bump(TObject*) { ++*n; }
  } counter;
  counter.n = &changes;
  font.SetOnChange(MakeEvent<&Counter::Bump>(&counter));
  HFONT first = font.GetHandle();
  EXPECT_EQ(font.GetHandle(), first);  // cached
  font.SetStyle({fsBold});
  EXPECT_EQ(changes, 1);
  LOGFONT lf;
  ASSERT_EQ(GetObject(font.GetHandle(), sizeof(lf), &lf), static_cast<int>(sizeof(lf)));
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_EQ(lf.lfHeight, -11);

  LOGFONT rotated = lf;
  rotated.lfEscapement = rotated.lfOrientation = 900;
  rotated.lfItalic = 1;
  std::strcpy(rotated.lfFaceName, "Arial");
  HFONT handle = CreateFontIndirect(&rotated);
  font.SetHandle(handle);
  EXPECT_EQ(font.GetHandle(), handle);
  EXPECT_EQ(font.GetOrientation(), 900);
  EXPECT_EQ(font.GetName(), "Arial");
  EXPECT_TRUE(font.GetStyle().Contains(fsItalic));
  EXPECT_EQ(changes, 2);
}

TEST(Graphics, CanvasSelectsObjectsOnlyWhenADrawingCallNeedsThem) {
  TBitmap bitmap;
  Paint(bitmap, 8, 8, clWhite);
  TCanvas* canvas = bitmap.GetCanvas();
  canvas->Refresh();
  canvas->GetBrush()->SetColor(clRed);
  canvas->FillRect(Rect(0, 0, 4, 4));
  EXPECT_TRUE(canvas->GetState().Contains(csBrushValid));
  EXPECT_FALSE(canvas->GetState().Contains(csFontValid));
  EXPECT_FALSE(canvas->GetState().Contains(csPenValid));
  EXPECT_EQ(canvas->GetPixel(1, 1), clRed);

  // A change deselects the brush; the next call selects the new one.
  canvas->GetBrush()->SetColor(clBlue);
  EXPECT_FALSE(canvas->GetState().Contains(csBrushValid));
  canvas->FillRect(Rect(0, 0, 2, 2));
  EXPECT_EQ(canvas->GetPixel(0, 0), clBlue);
  EXPECT_EQ(canvas->GetPixel(3, 3), clRed);

  // Setting a clear brush's colour makes it solid, also when the colour is the one it had.
  canvas->GetBrush()->SetStyle(bsClear);
  canvas->GetBrush()->SetColor(clBlue);
  EXPECT_EQ(canvas->GetBrush()->GetStyle(), bsSolid);
  canvas->FillRect(Rect(0, 0, 4, 4));
  EXPECT_EQ(canvas->GetPixel(3, 3), clBlue);

  canvas->GetFont()->SetColor(clLime);
  canvas->TextWidth("Wg");
  EXPECT_TRUE(canvas->GetState().Contains(csFontValid));
  EXPECT_EQ(GetTextColor(canvas->GetHandle()), static_cast<COLORREF>(clLime));

  canvas->GetPen()->SetColor(clRed);
  canvas->GetPen()->SetMode(pmXor);
  canvas->MoveTo(0, 7);
  canvas->LineTo(8, 7);
  EXPECT_EQ(GetROP2(canvas->GetHandle()), R2_XORPEN);
  EXPECT_EQ(canvas->GetPixel(5, 7), clAqua);  // red xor white
}

TEST(Graphics, PenModesMapToMixesInTableOrder) {
  const int kExpected[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,         R2_COPYPEN,   R2_NOTCOPYPEN,
                           R2_MERGEPENNOT, R2_MASKPENNOT, R2_MERGENOTPEN, R2_MASKNOTPEN,  R2_MERGEPEN,  R2_NOTMERGEPEN,
                           R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
  for (int mode = pmBlack; mode <= pmNotXor; ++mode) EXPECT_EQ(PenModeToRop2(TPenMode(mode)), kExpected[mode]);
}

TEST(Graphics, CanvasWithoutDeviceContextRefusesToDraw) {
  TCanvas canvas;
  EXPECT_THROW(canvas.FillRect(Rect(0, 0, 1, 1)), EInvalidOperation);
}

TEST(Graphics, BitmapScanLinesAreThePixelsTheCanvasSees) {
  struct Case { TPixelFormat format; int bytes; };
  const Case kCases[] = {{pf24bit, 3}, {pf32bit, 4}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.format);
    TBitmap bitmap;
    bitmap.SetPixelFormat(c.format);
    bitmap.SetSize(5, 3);
    auto* row = static_cast<Byte*>(bitmap.GetScanLine(2));
    row[4 * c.bytes + 0] = 0x10;  // B
    row[4 * c.bytes + 1] = 0x20;  // G
    row[4 * c.bytes + 2] = 0x30;  // R
    EXPECT_EQ(bitmap.GetCanvas()->GetPixel(4, 2), 0x102030);
    bitmap.GetCanvas()->SetPixel(0, 0, clBlue);
    EXPECT_EQ(static_cast<Byte*>(bitmap.GetScanLine(0))[0], 0xFF);
    EXPECT_THROW(bitmap.GetScanLine(3), EInvalidGraphicOperation);
    EXPECT_THROW(bitmap.GetScanLine(-1), EInvalidGraphicOperation);
  }
}

TEST(Graphics, BitmapKeepsPixelsThroughResizeFormatChangeAndDormant) {
  TBitmap bitmap;
  Paint(bitmap, 4, 4, clRed);
  bitmap.GetCanvas()->GetBrush()->SetColor(clYellow);
  bitmap.SetSize(6, 5);
  EXPECT_EQ(bitmap.GetCanvas()->GetPixel(3, 3), clRed);
  EXPECT_EQ(bitmap.GetCanvas()->GetPixel(5, 4), clYellow);  // new pixels take the brush's colour
  bitmap.SetPixelFormat(pf24bit);
  EXPECT_EQ(bitmap.GetCanvas()->GetPixel(0, 0), clRed);
  bitmap.Dormant();
  EXPECT_FALSE(bitmap.HandleAllocated());
  EXPECT_EQ(bitmap.GetWidth(), 6);
  EXPECT_EQ(bitmap.GetCanvas()->GetPixel(2, 2), clRed);
  bitmap.SetMonochrome(true);
  EXPECT_EQ(bitmap.GetPixelFormat(), pf1bit);
  EXPECT_THROW(bitmap.SetPixelFormat(pf16bit), EInvalidGraphicOperation);
}

TEST(Graphics, TransparentColourIsTheBottomLeftPixelUntilFixed) {
  TBitmap bitmap;
  Paint(bitmap, 3, 3, clLime);
  bitmap.GetCanvas()->SetPixel(0, 2, clFuchsia);
  EXPECT_EQ(bitmap.GetTransparentColor(), clFuchsia);
  bitmap.SetTransparentColor(clLime);
  EXPECT_EQ(bitmap.GetTransparentMode(), tmFixed);

  // Drawn transparently, the lime pixels leave the destination alone.
  bitmap.SetTransparent(true);
  TBitmap target;
  Paint(target, 3, 3, clNavy);
  target.GetCanvas()->Draw(0, 0, &bitmap);
  EXPECT_EQ(target.GetCanvas()->GetPixel(1, 1), clNavy);
  EXPECT_EQ(target.GetCanvas()->GetPixel(0, 2), clFuchsia);
}

TEST(Graphics, BrushCopyPaintsTheKeyColourWithTheBrush) {
  TBitmap source;
  Paint(source, 2, 1, clRed);
  source.GetCanvas()->SetPixel(1, 0, clLime);
  TBitmap target;
  Paint(target, 2, 1, clWhite);
  TCanvas* canvas = target.GetCanvas();
  canvas->GetBrush()->SetColor(clBlue);
  canvas->BrushCopy(Rect(0, 0, 2, 1), &source, Rect(0, 0, 2, 1), clLime);
  EXPECT_EQ(canvas->GetPixel(0, 0), clRed);
  EXPECT_EQ(canvas->GetPixel(1, 0), clBlue);
}

TEST(Graphics, PictureAndFontRoundTripThroughFormText) {
  TPictureHolder holder(nullptr);
  holder.SetName("Holder");
  holder.GetFont()->SetStyle({fsBold, fsUnderline});
  holder.GetFont()->SetCharset(RUSSIAN_CHARSET);
  TBitmap* bitmap = holder.GetPicture()->GetBitmap();
  Paint(*bitmap, 3, 2, clTeal);
  bitmap->GetCanvas()->SetPixel(2, 1, clYellow);
  const String text = WriteComponentToText(&holder);
  EXPECT_NE(text.find("Font.Charset = RUSSIAN_CHARSET"), String::npos) << text;
  EXPECT_NE(text.find("Font.Style = [fsBold, fsUnderline]"), String::npos) << text;
  // The picture's data names its class first: a length byte and "TBitmap".
  EXPECT_NE(text.find("Picture.Data = {\n    07544269746D6170"), String::npos) << text;

  TPictureHolder copy(nullptr);
  ReadComponentFromText(text, &copy);
  EXPECT_EQ(copy.GetFont()->GetCharset(), RUSSIAN_CHARSET);
  EXPECT_TRUE(copy.GetFont()->GetStyle().Contains(fsUnderline));
  TGraphic* graphic = copy.GetPicture()->GetGraphic();
  ASSERT_NE(graphic, nullptr);
  ASSERT_EQ(graphic->ClassName(), "TBitmap");
  auto* read = static_cast<TBitmap*>(graphic);
  EXPECT_EQ(read->GetWidth(), 3);
  EXPECT_EQ(read->GetCanvas()->GetPixel(2, 1), clYellow);
  EXPECT_EQ(read->GetCanvas()->GetPixel(0, 0), clTeal);
}

TEST(Graphics, DamagedPictureDataIsRefused) {
  // "TBitmap", then a length beyond the data; "TBitmap", then a body that is no bitmap; an
  // unknown class.
  const char* kBlobs[] = {"07544269746D6170E8030000424D", "07544269746D617004000000424D4D4D",
                          "0354787A00"};
  for (const char* blob : kBlobs) {
    SCOPED_TRACE(blob);
    TPictureHolder holder(nullptr);
    const String text = String("object Holder: TPictureHolder\n  Picture.Data = {") + blob + "}\nend\n";
    EXPECT_ANY_THROW(ReadComponentFromText(text, &holder));
    EXPECT_EQ(holder.GetPicture()->GetGraphic(), nullptr);
  }
}

TEST(Graphics, PictureChoosesTheClassByExtensionAndNamesItInFormData) {
  TBitmap bitmap;
  Paint(bitmap, 4, 4, clMaroon);
  const std::string bmp = TempFile("p.BMP"), jpg = TempFile("p.jpg"), odd = TempFile("p.xyz");
  bitmap.SaveToFile(bmp);
  TJPEGImage jpeg;
  jpeg.Assign(&bitmap);
  jpeg.SaveToFile(jpg);
  std::ofstream(odd) << "x";

  TPicture picture;
  picture.LoadFromFile(bmp);
  ASSERT_NE(picture.GetGraphic(), nullptr);
  EXPECT_EQ(picture.GetGraphic()->ClassName(), "TBitmap");
  picture.LoadFromFile(jpg);
  EXPECT_EQ(picture.GetGraphic()->ClassName(), "TJPEGImage");
  EXPECT_EQ(picture.GetWidth(), 4);
  EXPECT_THROW(picture.LoadFromFile(odd), EInvalidGraphic);
  std::ofstream(bmp, std::ios::trunc) << "BM broken";
  EXPECT_THROW(picture.LoadFromFile(bmp), EInvalidGraphic);
  EXPECT_EQ(picture.GetGraphic()->ClassName(), "TJPEGImage");  // a failed load keeps the picture

  TPicture::UnregisterGraphicClass(TJPEGImage::ClassInfo());
  EXPECT_FALSE(TPicture::FileFormatClass(".jpg"));
  EXPECT_TRUE(TPicture::FileFormatClass("BMP"));
  JpegStart();  // as the unit start left it
  for (const auto& f : {bmp, jpg, odd}) std::filesystem::remove(f);
}

TEST(Graphics, FiltersAndExtensionsComeFromTheRegisteredFormats) {
  EXPECT_EQ(GraphicFilter(TGraphic::ClassInfo()),
            "All (*.bmp;*.ico;*.jpg;*.jpeg)|*.bmp;*.ico;*.jpg;*.jpeg|Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|"
            "JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg");
  EXPECT_EQ(GraphicFilter(TBitmap::ClassInfo()), "All (*.bmp)|*.bmp|Bitmaps (*.bmp)|*.bmp");
  EXPECT_EQ(GraphicFileMask(TIcon::ClassInfo()), "*.ico");
  EXPECT_EQ(GraphicExtension(TJPEGImage::ClassInfo()), "jpeg");
  EXPECT_EQ(GraphicExtension(TMetafile::ClassInfo()), "");

  TMetafile metafile;
  TMemoryStream data;
  data.WriteBuffer("\xD7\xCD\xC6\x9A", 4);
  data.SetPosition(0);
  EXPECT_THROW(metafile.LoadFromStream(&data), EInvalidGraphic);
  EXPECT_TRUE(metafile.GetEmpty());
}
