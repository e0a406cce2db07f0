#include <cstring>
#include <fstream>
#include <iterator>

#include "gdi/GdiPlusObjects.h"
#include "gdi/ImageFiles.h"
#include "rtl/Streams.h"
#include "rtl/WideText.h"

namespace {

// The documented identifiers of the PNG encoder and of the PNG format.
constexpr CLSID kPngEncoder{0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
constexpr GUID kPngFormat{0xB96B3CAF, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
constexpr size_t kMaxFileBytes = size_t{1} << 30;

constexpr std::u16string_view kCodecName = u"PNG";
constexpr std::u16string_view kExtension = u"*.PNG";
constexpr std::u16string_view kMimeType = u"image/png";
constexpr DWORD kCodecEncoder = 0x1;
constexpr DWORD kCodecBuiltin = 0x10000;

UINT EncoderTableSize() {
  return static_cast<UINT>(sizeof(ImageCodecInfo) +
                           (kCodecName.size() + kExtension.size() + kMimeType.size() + 3) * sizeof(WCHAR));
}

GpStatus FromBytes(const std::vector<uint8_t>& bytes, GpBitmap** bitmap) {
  if (!bitmap) return InvalidParameter;
  static constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (bytes.size() < 8 || std::memcmp(bytes.data(), kSignature, 8) != 0) return UnknownImageFormat;
  PixelImage decoded;
  if (!DecodePng(bytes.data(), bytes.size(), decoded)) return InvalidParameter;  // a damaged file loads nothing
  auto image = NewBitmap(decoded.width, decoded.height, PixelFormat32bppPARGB);
  std::memcpy(image->scan0, decoded.pixels.data(), decoded.pixels.size() * 4);
  *bitmap = image.release();
  return Ok;
}

GpStatus ReadStream(IStream* stream, std::vector<uint8_t>& bytes) {
  if (!stream) return InvalidParameter;
  uint8_t chunk[65536];
  for (;;) {
    ULONG read = 0;
    HRESULT result = stream->Read(chunk, sizeof(chunk), &read);
    if (result < 0) return Win32Error;
    bytes.insert(bytes.end(), chunk, chunk + read);
    if (bytes.size() > kMaxFileBytes) return OutOfMemory;
    if (read < sizeof(chunk)) return Ok;
  }
}

GpStatus ReadFile(const WCHAR* fileName, std::vector<uint8_t>& bytes) {
  if (!fileName) return InvalidParameter;
  std::ifstream in(UTF8Encode(WideString(fileName)), std::ios::binary);
  if (!in) return FileNotFound;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return Ok;
}

}  // namespace

GpStatus GdipCreateBitmapFromStream(IStream* stream, GpBitmap** bitmap) {
  std::vector<uint8_t> bytes;
  GpStatus status = ReadStream(stream, bytes);
  return status == Ok ? FromBytes(bytes, bitmap) : status;
}

GpStatus GdipCreateBitmapFromStreamICM(IStream* stream, GpBitmap** bitmap) {
  return GdipCreateBitmapFromStream(stream, bitmap);
}

GpStatus GdipLoadImageFromStream(IStream* stream, GpImage** image) { return GdipCreateBitmapFromStream(stream, image); }

GpStatus GdipCreateBitmapFromFile(const WCHAR* fileName, GpBitmap** bitmap) {
  std::vector<uint8_t> bytes;
  GpStatus status = ReadFile(fileName, bytes);
  return status == Ok ? FromBytes(bytes, bitmap) : status;
}

GpStatus GdipLoadImageFromFile(const WCHAR* fileName, GpImage** image) { return GdipCreateBitmapFromFile(fileName, image); }

GpStatus GdipGetImageEncodersSize(UINT* count, UINT* size) {
  if (!count || !size) return InvalidParameter;
  *count = 1;
  *size = EncoderTableSize();
  return Ok;
}

GpStatus GdipGetImageEncoders(UINT count, UINT size, ImageCodecInfo* encoders) {
  if (!encoders || count != 1 || size < EncoderTableSize()) return InvalidParameter;
  // The texts live in the caller's block, after the record, as the library lays them out.
  auto* text = reinterpret_cast<WCHAR*>(encoders + 1);
  auto place = [&text](std::u16string_view value) {
    const WCHAR* start = text;
    std::memcpy(text, value.data(), value.size() * sizeof(WCHAR));
    text += value.size();
    *text++ = u'\0';
    return start;
  };
  ImageCodecInfo info;
  info.Clsid = kPngEncoder;
  info.FormatID = kPngFormat;
  info.CodecName = place(kCodecName);
  info.FormatDescription = info.CodecName;
  info.FilenameExtension = place(kExtension);
  info.MimeType = place(kMimeType);
  info.Flags = kCodecEncoder | kCodecBuiltin;
  info.Version = 1;
  *encoders = info;
  return Ok;
}

GpStatus GdipGetEncoderParameterListSize(GpImage*, const CLSID*, UINT*) { return NotImplemented; }
GpStatus GdipGetEncoderParameterList(GpImage*, const CLSID*, UINT, EncoderParameters*) { return NotImplemented; }

GpStatus GdipSaveImageToStream(GpImage* image, IStream* stream, const CLSID* encoder, const EncoderParameters*) {
  if (!image || !stream || !encoder) return InvalidParameter;
  if (!(*encoder == kPngEncoder)) return FileNotFound;  // no such encoder
  PixelImage pixels;
  pixels.width = image->width;
  pixels.height = image->height;
  pixels.pixels = PremultipliedPixels(*image);
  pixels.hasAlpha = true;
  std::vector<uint8_t> png;
  if (!EncodePng(pixels, png)) return GenericError;
  ULONG written = 0;
  if (stream->Write(png.data(), static_cast<ULONG>(png.size()), &written) != S_OK || written != png.size()) {
    return Win32Error;
  }
  return Ok;
}
