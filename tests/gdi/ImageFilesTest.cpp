#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "PixelCanvas.h"
#include "gdi/ImageFiles.h"

namespace {

// A canvas with a few known pixels.
void Paint(PixelCanvas& canvas) {
  SetPixel(canvas.dc(), 0, 0, RGB(255, 0, 0));
  SetPixel(canvas.dc(), 2, 1, RGB(0, 0, 255));
  SetPixel(canvas.dc(), 4, 2, RGB(0, 0, 0));
}

TEST(ImageFiles, BmpRoundTripsInItsOwnDepth) {
  PixelCanvas canvas(5, 3);
  Paint(canvas);
  for (UINT flags : {0u, LR_MONOCHROME}) {
    HBITMAP source = static_cast<HBITMAP>(CopyImage(canvas.bitmap(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | flags));
    std::vector<uint8_t> file;
    ASSERT_TRUE(EncodeBmp(source, file));
    HBITMAP read = DecodeBmp(file.data(), file.size());
    ASSERT_NE(read, nullptr);
    BITMAP a, b;
    GetObject(source, sizeof(a), &a);
    GetObject(read, sizeof(b), &b);
    EXPECT_EQ(b.bmBitsPixel, a.bmBitsPixel);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, read);
    EXPECT_EQ(GetPixel(dc, 0, 0), flags ? RGB(0, 0, 0) : RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 1, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 4, 2), RGB(0, 0, 0));
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(read);
    DeleteObject(source);
  }
}

TEST(ImageFiles, PngKeepsAlphaPremultiplied) {
  PixelImage image;
  image.width = 2;
  image.height = 1;
  image.hasAlpha = true;
  image.pixels = {0x80400000, 0xFF00FF00};  // half-transparent red at half intensity, opaque green
  std::vector<uint8_t> file;
  ASSERT_TRUE(EncodePng(image, file));
  PixelImage read;
  ASSERT_TRUE(DecodePng(file.data(), file.size(), read));
  EXPECT_TRUE(read.hasAlpha);
  EXPECT_EQ(read.pixels, image.pixels);
  PixelImage straight;
  ASSERT_TRUE(DecodePng(file.data(), file.size(), straight, false));
  EXPECT_EQ(straight.pixels[0], 0x80800000u);
  HBITMAP bitmap = DecodeBitmapFile(file.data(), file.size());
  DIBSECTION section;
  ASSERT_EQ(GetObject(bitmap, sizeof(section), &section), static_cast<int>(sizeof(DIBSECTION)));
  EXPECT_EQ(static_cast<const uint32_t*>(section.dsBm.bmBits)[0], 0x80400000u);
  DeleteObject(bitmap);
}

TEST(ImageFiles, JpegRoundTripIsClose) {
  PixelImage image;
  image.width = 16;
  image.height = 16;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) image.pixels.push_back(x < 8 ? 0xFFC83214u : 0xFF1E64C8u);
  }
  std::vector<uint8_t> file;
  ASSERT_TRUE(EncodeJpeg(image, 95, file));
  PixelImage read;
  ASSERT_TRUE(DecodeJpeg(file.data(), file.size(), read));
  ASSERT_EQ(read.width, 16);
  for (int shift : {0, 8, 16}) {
    EXPECT_NEAR(static_cast<int>((read.pixels[2 * 16 + 2] >> shift) & 0xFF), static_cast<int>((0xC83214u >> shift) & 0xFF), 6);
  }
}

TEST(ImageFiles, IconsAndCursorsRoundTrip) {
  PixelCanvas colour(4, 4, RGB(255, 0, 0));
  const RECT transparentRow{0, 0, 4, 1};
  FillRect(colour.dc(), &transparentRow, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  const BYTE maskRows[8] = {0xF0, 0, 0, 0, 0, 0, 0, 0};  // top row transparent
  HBITMAP mask = CreateBitmap(4, 4, 1, 1, maskRows);
  ICONINFO info;
  info.fIcon = FALSE;
  info.xHotspot = 1;
  info.yHotspot = 2;
  info.hbmColor = colour.bitmap();
  info.hbmMask = mask;
  HICON cursor = CreateIconIndirect(&info);
  ASSERT_NE(cursor, nullptr);
  std::vector<uint8_t> file;
  ASSERT_TRUE(EncodeIconFile({&cursor, 1}, file));
  HICON read = DecodeIconFile(file.data(), file.size(), 0, 0);
  ASSERT_NE(read, nullptr);
  ICONINFO back;
  ASSERT_TRUE(GetIconInfo(read, &back));
  EXPECT_FALSE(back.fIcon);
  EXPECT_EQ(back.xHotspot, 1u);
  EXPECT_EQ(back.yHotspot, 2u);
  PixelCanvas target(4, 4, RGB(0, 0, 255));
  EXPECT_TRUE(DrawIconEx(target.dc(), 0, 0, read, 0, 0, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(target.Map(), (Rows{"bbbb", "rrrr", "rrrr", "rrrr"}));
  DeleteObject(back.hbmColor);
  DeleteObject(back.hbmMask);
  DestroyIcon(read);
  DestroyIcon(cursor);
  DeleteObject(mask);
}

TEST(ImageFiles, LoadImageReadsFilesAndRefusesBrokenOnes) {
  PixelCanvas canvas(5, 3);
  Paint(canvas);
  std::vector<uint8_t> file;
  ASSERT_TRUE(EncodeBmp(canvas.bitmap(), file));
  const char* dir = std::getenv("TMPDIR");
  const std::string path = std::string(dir ? dir : "/tmp") + "/gdi_load_image_test.bmp";
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  HBITMAP loaded = static_cast<HBITMAP>(LoadImage(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  ASSERT_NE(loaded, nullptr);
  BITMAP info;
  GetObject(loaded, sizeof(info), &info);
  EXPECT_EQ(info.bmWidth, 5);
  DeleteObject(loaded);
  std::ofstream(path, std::ios::binary).write("BM garbage", 10);
  EXPECT_EQ(LoadImage(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
  EXPECT_EQ(LoadImage(nullptr, (path + ".missing").c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE), nullptr);
  EXPECT_EQ(LoadImage(nullptr, dir ? dir : "/tmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);  // a folder
  std::remove(path.c_str());
}

// The CRC that PNG chunks end with.
uint32_t PngCrc(const uint8_t* data, size_t size) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

void PutBigEndian(std::vector<uint8_t>& file, size_t at, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) file[at + i] = static_cast<uint8_t>(value >> (8 * (bytes - 1 - i)));
}

// A small valid picture whose header claims width x height instead.
std::vector<uint8_t> PngClaiming(uint32_t width, uint32_t height) {
  PixelImage image;
  image.width = image.height = 1;
  image.pixels = {0xFF102030};
  std::vector<uint8_t> file;
  EncodePng(image, file);
  PutBigEndian(file, 16, width, 4);  // IHDR data follows the signature, length and type
  PutBigEndian(file, 20, height, 4);
  PutBigEndian(file, 29, PngCrc(file.data() + 12, 17), 4);
  return file;
}

std::vector<uint8_t> JpegClaiming(uint16_t width, uint16_t height) {
  PixelImage image;
  image.width = image.height = 8;
  image.pixels.assign(64, 0xFF808080);
  std::vector<uint8_t> file;
  EncodeJpeg(image, 50, file);
  for (size_t i = 2; i + 8 < file.size(); ++i)
    if (file[i] == 0xFF && file[i + 1] == 0xC0) {  // start of frame: length, precision, height, width
      PutBigEndian(file, i + 5, height, 2);
      PutBigEndian(file, i + 7, width, 2);
      break;
    }
  return file;
}

// Pictures whose headers claim more pixels than any real one, or than their data can hold, are
// refused before anything is allocated for them; a picture cut short is refused, not padded.
TEST(ImageFiles, OversizedOrTruncatedPicturesAreRefused) {
  struct Case {
    const char* what;
    std::vector<uint8_t> file;
  };
  PixelImage photo;
  photo.width = photo.height = 64;
  for (int i = 0; i < 64 * 64; ++i) photo.pixels.push_back(0xFF000000u | static_cast<uint32_t>(i * 2654435761u >> 8));
  std::vector<uint8_t> cut;
  EncodeJpeg(photo, 90, cut);
  cut.resize(cut.size() / 2);
  const Case kCases[] = {
      {"PNG of 32768 x 32768", PngClaiming(32768, 32768)},
      {"PNG of 4096 x 4096 in a few bytes", PngClaiming(4096, 4096)},
      {"JPEG of 32768 x 32768", JpegClaiming(32768, 32768)},
      {"JPEG of 4096 x 4096 in a few bytes", JpegClaiming(4096, 4096)},
      {"JPEG cut in half", cut},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    PixelImage image;
    EXPECT_FALSE(DecodePng(c.file.data(), c.file.size(), image) || DecodeJpeg(c.file.data(), c.file.size(), image));
    EXPECT_EQ(DecodeBitmapFile(c.file.data(), c.file.size()), nullptr);
  }
}

// Every decoder, fed truncated and corrupted copies of valid files: a clean refusal or a picture,
// never a crash or a read outside the buffer (the sanitizer run checks the latter).
TEST(ImageFiles, DamagedFilesFailCleanly) {
  PixelCanvas canvas(9, 7);
  Paint(canvas);
  std::vector<std::vector<uint8_t>> files(4);
  EncodeBmp(canvas.bitmap(), files[0]);
  PixelImage image;
  image.width = 9;
  image.height = 7;
  image.pixels.assign(63, 0xFF336699);
  EncodePng(image, files[1]);
  EncodeJpeg(image, 80, files[2]);
  HICON icon = nullptr;
  {
    const BYTE maskRows[14] = {};
    HBITMAP mask = CreateBitmap(9, 7, 1, 1, maskRows);
    ICONINFO info;
    info.hbmColor = canvas.bitmap();
    info.hbmMask = mask;
    icon = CreateIconIndirect(&info);
    DeleteObject(mask);
  }
  EncodeIconFile({&icon, 1}, files[3]);
  DestroyIcon(icon);
  srand(7);
  for (const auto& original : files) {
    ASSERT_FALSE(original.empty());
    for (size_t cut = 0; cut < original.size(); cut += 1 + original.size() / 40) {
      std::vector<uint8_t> truncated(original.begin(), original.begin() + static_cast<std::ptrdiff_t>(cut));
      truncated.shrink_to_fit();
      HBITMAP bitmap = DecodeBitmapFile(truncated.data(), truncated.size());
      DeleteObject(bitmap);
      DestroyIcon(DecodeIconFile(truncated.data(), truncated.size(), 0, 0));
    }
    for (int round = 0; round < 60; ++round) {
      std::vector<uint8_t> damaged(original);
      for (int k = 0; k < 4; ++k) damaged[static_cast<size_t>(rand()) % damaged.size()] = static_cast<uint8_t>(rand());
      DeleteObject(DecodeBitmapFile(damaged.data(), damaged.size()));
      DeleteObject(DecodePackedDib(damaged.data(), damaged.size()));
      DestroyIcon(DecodeIconFile(damaged.data(), damaged.size(), 16, 16));
    }
  }
  EXPECT_EQ(DecodeBitmapFile(nullptr, 0), nullptr);
}

}  // namespace
