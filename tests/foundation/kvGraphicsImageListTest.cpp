#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <memory>
#include <vector>

#include "controls/ImageList.h"
#include "gdi/Gdi.h"
#include "rtl/ClassRegistry.h"
#include "rtl/Streams.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "toolkit/foundation/kvGraphics.h"

namespace {

// A W x 16 bitmap whose 16-pixel cells are filled with the colours 1, 2, 3 ... (as RGB(n, 0, 0)),
// left to right.
std::unique_ptr<TBitmap> NumberedStrip(Integer Width, Integer First = 1) {
  std::unique_ptr<TBitmap> strip(NewBitmap(Width, 16, pf24bit));
  for (Integer left = 0; left < Width; left += 16) {
    strip->GetCanvas()->GetBrush()->SetColor(static_cast<TColor>(RGB(First + left / 16, 0, 0)));
    strip->GetCanvas()->FillRect(Rect(left, 0, left + 16, 16));
  }
  return strip;
}

// The red level of the centre of image Index, read from the platform list and from the collection.
Integer ListNumber(TkvImageList& List, Integer Index) {
  TkvBitmap image(16, 16);
  TkvImageList::ExtractImageAndMask(List.GetHandle(), Index, nullptr, &image);
  return GetRValue(GetPixel(image.GetCanvas()->GetHandle(), 8, 8));
}

Integer CollectionNumber(TkvImageList& List, Integer Index) {
  TBitmap* image = List.GetImageInfoCollection()->Item(Index)->GetImage();
  return GetRValue(GetPixel(image->GetCanvas()->GetHandle(), 8, 8));
}

// The numbers of all images, from the platform list or from the collection.
std::vector<Integer> Numbers(TkvImageList& List, bool FromCollection) {
  std::vector<Integer> numbers;
  const Integer count = FromCollection ? List.GetImageInfoCollection()->GetCount() : List.GetCount();
  for (Integer i = 0; i < count; ++i)
    numbers.push_back(FromCollection ? CollectionNumber(List, i) : ListNumber(List, i));
  return numbers;
}

// The first 16 hex digits of every "Image.Data" and "Mask.Data" block of a form text.
std::vector<String> DataHeads(const String& Text) {
  std::vector<String> heads;
  for (size_t at = Text.find(".Data = {"); at != String::npos; at = Text.find(".Data = {", at + 1)) {
    String head;
    for (size_t i = at + 9; i < Text.size() && head.size() < 16; ++i)
      if (std::isxdigit(static_cast<unsigned char>(Text[i]))) head += Text[i];
    heads.push_back(head);
  }
  return heads;
}

}  // namespace

TEST(KvImageList, StripsAddOneItemPerCell) {
  TkvImageList list(nullptr);
  list.AddImageAndMask(NumberedStrip(64).get(), nullptr);
  EXPECT_EQ(Numbers(list, false), (std::vector<Integer>{1, 2, 3, 4}));
  EXPECT_EQ(Numbers(list, true), (std::vector<Integer>{1, 2, 3, 4}));

  // 20 pixels are no whole number of cells: the bitmap is one item as it is.
  list.AddImageAndMask(NumberedStrip(20, 9).get(), nullptr);
  EXPECT_EQ(list.GetCount(), 5);
  ASSERT_EQ(list.GetImageInfoCollection()->GetCount(), 5);
  EXPECT_EQ(list.GetImageInfoCollection()->Item(4)->GetImage()->GetWidth(), 20);
}

TEST(KvImageList, InsertAndMoveKeepListAndCollectionInStep) {
  TkvImageList list(nullptr);
  list.AddImageAndMask(NumberedStrip(48).get(), nullptr);  // 1 2 3
  list.InsertImage(list.GetCount() + 1, NumberedStrip(16, 7).get(), nullptr);
  EXPECT_EQ(list.GetCount(), 3);
  EXPECT_EQ(list.GetImageInfoCollection()->GetCount(), 3);
  list.InsertImage(list.GetCount(), NumberedStrip(16, 4).get(), nullptr);
  list.InsertImage(1, NumberedStrip(32, 5).get(), nullptr);  // 1 5 6 2 3 4
  EXPECT_EQ(Numbers(list, false), (std::vector<Integer>{1, 5, 6, 2, 3, 4}));
  EXPECT_EQ(Numbers(list, true), (std::vector<Integer>{1, 5, 6, 2, 3, 4}));

  list.MoveImage(0, 3);
  EXPECT_EQ(Numbers(list, false), (std::vector<Integer>{5, 6, 2, 1, 3, 4}));
  EXPECT_EQ(Numbers(list, true), (std::vector<Integer>{5, 6, 2, 1, 3, 4}));
  list.ReplaceImageAt(2, NumberedStrip(16, 8).get(), nullptr);
  list.DeleteImage(0);
  EXPECT_EQ(Numbers(list, false), (std::vector<Integer>{6, 8, 1, 3, 4}));
  EXPECT_EQ(Numbers(list, true), (std::vector<Integer>{6, 8, 1, 3, 4}));
  list.ClearImages();
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_EQ(list.GetImageInfoCollection()->GetCount(), 0);
}

// The collection is what form data keeps: packed or plain, it reads back into both sides.
TEST(KvImageList, FormsFindTheClassOnceTheLibraryHasStarted) {
  EXPECT_EQ(static_cast<TClass>(GetClass("TkvImageList")), TkvImageList::ClassInfo());
}

TEST(KvImageList, FormDataRoundTripPackedAndPlain) {
  for (const bool compress : {true, false}) {
    SCOPED_TRACE(compress ? "packed" : "plain");
    TkvImageList list(nullptr);
    list.SetName("Images");
    std::unique_ptr<TBitmap> mask(NewBitmap(32, 16, pf1bit));
    mask->GetCanvas()->GetBrush()->SetColor(clWhite);
    mask->GetCanvas()->FillRect(Rect(0, 0, 32, 16));
    mask->GetCanvas()->GetBrush()->SetColor(clBlack);
    mask->GetCanvas()->FillRect(Rect(4, 4, 12, 12));  // opaque centre of the first image
    list.AddImageAndMask(NumberedStrip(32).get(), mask.get());
    list.AddMaskedImage(NumberedStrip(16, 3).get(), clLime);
    list.SetCompressData(true);
    list.SetCompressData(compress);

    const String text = WriteComponentToText(&list);
    EXPECT_NE(text.find("FormatVersion = 1"), String::npos) << text;
    const std::vector<String> heads = DataHeads(text);
    ASSERT_EQ(heads.size(), 5u) << text;  // two images with masks, one image alone
    for (const String& head : heads) EXPECT_EQ(head.substr(8) == "5A51424D", compress) << head;

    TkvImageList copy(nullptr);
    ReadComponentFromText(text, &copy);
    EXPECT_EQ(copy.GetCompressData(), compress);
    EXPECT_EQ(Numbers(copy, false), (std::vector<Integer>{1, 2, 3}));
    EXPECT_EQ(Numbers(copy, true), (std::vector<Integer>{1, 2, 3}));
    EXPECT_EQ(copy.GetImageInfoCollection()->Item(2)->GetMaskColor(), clLime);
    EXPECT_EQ(copy.GetImageInfoCollection()->Item(0)->GetMaskColor(), clNone);
    TBitmap* readMask = copy.GetImageInfoCollection()->Item(0)->GetMask();
    ASSERT_EQ(readMask->GetWidth(), 16);
    EXPECT_EQ(ColorToRGB(readMask->GetCanvas()->GetPixel(8, 8)), 0u);
    EXPECT_EQ(ColorToRGB(readMask->GetCanvas()->GetPixel(1, 1)), 0xFFFFFFu);
  }
}

TEST(KvImageList, FormatVersionIsWrittenAsOne) {
  TkvImageList list(nullptr);
  ReadComponentFromText("object Images: TkvImageList\n  FormatVersion = 7\nend\n", &list);
  EXPECT_EQ(list.GetFormatVersion(), 7);
  EXPECT_NE(WriteComponentToText(&list).find("FormatVersion = 1"), String::npos);
}

TEST(KvImageList, DrawingDisabledUsesTheDisabledDrawMode) {
  TkvImageList list(nullptr);
  list.AddImageAndMask(NumberedStrip(16, 200).get(), nullptr);
  TkvBitmap drawn(16, 16, 0xFF00FF00), expected(16, 16, 0xFF00FF00);
  list.DrawImage(0, drawn.GetCanvas(), Rect(0, 0, 16, 16), gdmNormal, false, false, false);
  DrawGlyphOrListImage(expected.GetCanvas()->GetHandle(), Rect(0, 0, 16, 16), Rect(0, 0, 16, 16), false, clNone,
                       nullptr, false, gdmDisabled, 0, &list, nullptr);
  TRGBColors a, b;
  drawn.GetPixels(a);
  expected.GetPixels(b);
  EXPECT_EQ(a, b);
  EXPECT_NE(GetPixel(drawn.GetCanvas()->GetHandle(), 8, 8), RGB(200, 0, 0));
}
// Older form data holds the platform list's own stream: the collection is made from it.
TEST(KvImageList, PlatformListStreamBuildsTheCollection) {
  TCustomImageList plain(nullptr, 16, 16);
  plain.Add(NumberedStrip(32).get(), nullptr);
  TMemoryStream memory;
  auto* adapter = new TStreamAdapter(&memory);
  IStream* stream = adapter;
  stream->_AddRef();
  ASSERT_TRUE(ImageList_Write(plain.GetHandle(), stream));
  stream->_Release();
  String hex;
  for (Integer i = 0; i < memory.GetSize(); ++i) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", static_cast<const Byte*>(memory.GetMemory())[i]);
    hex += digits;
  }

  TkvImageList list(nullptr);
  ReadComponentFromText("object Images: TkvImageList\n  Bitmap = {" + hex + "}\nend\n", &list);
  EXPECT_EQ(Numbers(list, false), (std::vector<Integer>{1, 2}));
  EXPECT_EQ(Numbers(list, true), (std::vector<Integer>{1, 2}));
  for (Integer i = 0; i < 2; ++i) EXPECT_EQ(list.GetImageInfoCollection()->Item(i)->GetMaskColor(), clNone);
}

// Damaged image data is refused with an error, plain or packed (a length beyond the data, a
// packed body that is no bitmap).
TEST(KvImageList, DamagedImageDataIsRefused) {
  const char* kBlobs[] = {"E8030000424D", "FF0000005A51424D0100820102", "050000005A51424D0100844142434445"};
  for (const char* blob : kBlobs) {
    SCOPED_TRACE(blob);
    TkvImageList list(nullptr);
    const String text = String("object Images: TkvImageList\n  ImageInfo = <\n    item\n      Image.Data = {") +
                        blob + "}\n    end>\nend\n";
    EXPECT_THROW(ReadComponentFromText(text, &list), Exception);
  }
}
