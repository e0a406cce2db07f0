#include <zlib.h>

#include <cmath>
#include <cstring>

#include "rtl/ClassRegistry.h"
#include "toolkit/skins/qzSkinsCore.h"
#include "toolkit/skins/qzSkinsStrs.h"

TAVREN_CLASS_IMPL(TqzSkinPartStream)

namespace {

const char kSignature[] = "qzSkin";
constexpr Integer kSignatureLength = 6;

// The least bytes a record can take, so that a count the rest of the stream cannot hold is refused
// before anything is made for it.
constexpr Integer kMinString = 4;
constexpr Integer kMinColorRecord = 2 * kMinString + 4;
constexpr Integer kMinPropertyRecord = 2 * kMinString + 1;
constexpr Integer kMinGroupRecord = kMinString + 4 + 4;
constexpr Integer kMinImageRecord = 16 + 1 + 2 + 1 + 4;
constexpr Integer kMinBorderRecord = 2 * kMinString + 8;
constexpr Integer kMinElementRecord = kMinString + 4 + 1 + 4 + 16 + 2 * kMinImageRecord + 4 * kMinBorderRecord + 4 + 8 + 4;

Int64 Remaining(TStream* AStream) { return AStream->GetSize() - AStream->GetPosition(); }

// A run of fixed-size fields taken with one read: a skin has thousands of them.
class TFieldBlock {
 public:
  TFieldBlock(TStream* AStream, Integer ASize) { AStream->ReadBuffer(FBytes, ASize); }
  Byte U8() { return FBytes[FAt++]; }
  Word U16() {
    Word v = static_cast<Word>(FBytes[FAt] | (FBytes[FAt + 1] << 8));
    FAt += 2;
    return v;
  }
  Integer Int() {
    Cardinal v = Cardinal{FBytes[FAt]} | (Cardinal{FBytes[FAt + 1]} << 8) | (Cardinal{FBytes[FAt + 2]} << 16) |
                 (Cardinal{FBytes[FAt + 3]} << 24);
    FAt += 4;
    return static_cast<Integer>(v);
  }
  TRect Rect() {
    TRect r;
    r.Left = Int();
    r.Top = Int();
    r.Right = Int();
    r.Bottom = Int();
    return r;
  }

 private:
  Byte FBytes[32];
  Integer FAt = 0;
};

void WriteByte(TStream* AStream, Byte AValue) { AStream->WriteBuffer(&AValue, 1); }

void WriteRect(TStream* AStream, const TRect& R) {
  WriteSkinInteger(AStream, R.Left);
  WriteSkinInteger(AStream, R.Top);
  WriteSkinInteger(AStream, R.Right);
  WriteSkinInteger(AStream, R.Bottom);
}

// Margins and offsets beyond the largest picture are damage, and would overflow the rectangle sums.
bool IsMetric(Integer Value, Integer Low) { return Value >= Low && Value <= kqzSkinMaxPictureSide; }

bool IsMetricRect(const TRect& R, Integer Low) {
  return IsMetric(R.Left, Low) && IsMetric(R.Top, Low) && IsMetric(R.Right, Low) && IsMetric(R.Bottom, Low);
}

// Stores R without reporting a change: reading is not editing.
void StoreRect(TkvRect* Target, const TRect& R) {
  TNotifyEvent handler = Target->GetOnChange();
  Target->SetOnChange(TNotifyEvent());
  Target->AssignRect(R);
  Target->SetOnChange(handler);
}

uint32_t BigEndian32(const Byte* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

bool IsValidPngDepth(Byte ColorType, Byte Depth) {
  switch (ColorType) {
    case 0: return Depth == 1 || Depth == 2 || Depth == 4 || Depth == 8 || Depth == 16;
    case 3: return Depth == 1 || Depth == 2 || Depth == 4 || Depth == 8;
    case 2: case 4: case 6: return Depth == 8 || Depth == 16;
    default: return false;
  }
}

}  // namespace

[[noreturn]] void RaiseInvalidSkinStream() { throw EqzSkin(SkinStr(sqzSkinInvalidStreamFormat)); }

// ---- Stream routines ----------------------------------------------------------------------

Integer ReadSkinInteger(TStream* AStream) {
  Byte bytes[4];
  AStream->ReadBuffer(bytes, 4);
  return static_cast<Integer>(Cardinal{bytes[0]} | (Cardinal{bytes[1]} << 8) | (Cardinal{bytes[2]} << 16) |
                              (Cardinal{bytes[3]} << 24));
}

void WriteSkinInteger(TStream* AStream, Integer AValue) {
  Cardinal v = static_cast<Cardinal>(AValue);
  Byte bytes[4] = {static_cast<Byte>(v), static_cast<Byte>(v >> 8), static_cast<Byte>(v >> 16),
                   static_cast<Byte>(v >> 24)};
  AStream->WriteBuffer(bytes, 4);
}

String ReadSkinString(TStream* AStream) {
  Integer length = ReadSkinInteger(AStream);
  if (length <= 0) return String();
  if (length > Remaining(AStream)) RaiseInvalidSkinStream();
  String value(static_cast<size_t>(length), '\0');
  AStream->ReadBuffer(value.data(), length);
  return value;
}

void WriteSkinString(TStream* AStream, const String& AValue) {
  WriteSkinInteger(AStream, static_cast<Integer>(AValue.size()));
  if (!AValue.empty()) AStream->WriteBuffer(AValue.data(), static_cast<Integer>(AValue.size()));
}

Integer ReadSkinCount(TStream* AStream, Integer AMinRecordSize) {
  Integer count = ReadSkinInteger(AStream);
  if (count < 0 || Int64{count} * AMinRecordSize > Remaining(AStream)) RaiseInvalidSkinStream();
  return count;
}

bool ReadSkinSignature(TStream* AStream, Double& AVersion) {
  AStream->Seek(Int64{4}, soCurrent);
  char signature[kSignatureLength];
  if (AStream->Read(signature, kSignatureLength) != kSignatureLength ||
      std::memcmp(signature, kSignature, kSignatureLength) != 0)
    return false;
  AStream->ReadBuffer(&AVersion, sizeof(Double));
  return true;
}

void WriteSkinSignature(TStream* AStream) {
  WriteSkinString(AStream, kSignature);
  Double version = kqzSkinStreamVersion;
  AStream->WriteBuffer(&version, sizeof(Double));
}

void CheckSkinVersion(Double AVersion) {
  if (!std::isfinite(AVersion)) RaiseInvalidSkinStream();
  if (AVersion < 1.0) throw EqzSkin(SkinStr(sqzSkinVersionMismatch));
}

bool CheckSkinPicture(const Byte* Data, size_t Count, TSize& Size) {
  static const Byte kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (Count < 8 + 25 + 12 || std::memcmp(Data, kPngSignature, 8) != 0) return false;
  size_t at = 8;
  bool first = true;
  while (at + 12 <= Count) {
    uint32_t length = BigEndian32(Data + at);
    if (length > Count - at - 12) return false;
    const Byte* type = Data + at + 4;
    const Byte* body = type + 4;
    uint32_t crc = static_cast<uint32_t>(crc32(0, type, length + 4));
    if (crc != BigEndian32(body + length)) return false;
    if (first) {
      // The header comes first: size, depth and colour type within what the decoder takes.
      if (std::memcmp(type, "IHDR", 4) != 0 || length != 13) return false;
      uint32_t width = BigEndian32(body), height = BigEndian32(body + 4);
      if (width < 1 || height < 1 || width > kqzSkinMaxPictureSide || height > kqzSkinMaxPictureSide ||
          uint64_t{width} * height > kqzSkinMaxPictureArea || !IsValidPngDepth(body[9], body[8]) || body[10] != 0 ||
          body[11] != 0 || body[12] > 1)
        return false;
      Size = TSize{static_cast<Integer>(width), static_cast<Integer>(height)};
      first = false;
    }
    at += size_t{length} + 12;
    if (std::memcmp(type, "IEND", 4) == 0) return at == Count;
  }
  return false;
}

// ---- Part stream --------------------------------------------------------------------------

void TqzSkinPartStream::Initialize(TStream* ASource, Int64 AStart, Int64 AEnd) {
  FSource = ASource;
  SetBounds(AStart, AEnd);
}

void TqzSkinPartStream::SetBounds(Int64 AStart, Int64 AEnd) {
  FPosStart = AStart;
  FPosEnd = AEnd;
}

Integer TqzSkinPartStream::Read(void* Buffer, Integer Count) {
  Int64 left = FPosEnd - FSource->GetPosition();
  if (left <= 0 || Count <= 0) return 0;
  return FSource->Read(Buffer, static_cast<Integer>(std::min<Int64>(Count, left)));
}

Integer TqzSkinPartStream::Write(const void* Buffer, Integer Count) {
  Integer written = FSource->Write(Buffer, Count);
  FPosEnd = FSource->GetPosition();
  return written;
}

Int64 TqzSkinPartStream::Seek(Int64 Offset, TSeekOrigin Origin) {
  Int64 target = 0;
  switch (Origin) {
    case soBeginning: target = FPosStart + Offset; break;
    case soEnd: target = FPosEnd + Offset; break;
    default: target = FSource->GetPosition() + Offset; break;
  }
  target = std::clamp(target, FPosStart, FPosEnd);
  return FSource->Seek(target, soBeginning) - FPosStart;
}

// ---- Reader -------------------------------------------------------------------------------

void TqzSkin::LoadFromStream(TStream* AStream) {
  GpCheck(GdiPlusReady());
  // Everything is read into a skin of its own and taken over only once the whole stream has
  // been read: a damaged stream leaves this skin as it was.
  TqzSkin fresh(GetName(), false, nullptr);
  fresh.ReadContent(AStream);
  TakeOver(&fresh);
}

void TqzSkin::ReadContent(TStream* AStream) {
  if (!ReadSkinSignature(AStream, FVersion)) RaiseInvalidSkinStream();
  SetName(ReadSkinString(AStream));
  CheckSkinVersion(FVersion);
  BeginUpdate();
  Integer colorCount = ReadSkinCount(AStream, kMinColorRecord);
  for (Integer i = 0; i < colorCount; ++i) {
    ReadSkinString(AStream);  // the class name; colours are always of one class
    String name = ReadSkinString(AStream);
    AddColor(name, ReadSkinInteger(AStream));
  }
  ReadProperties(AStream);
  Integer groupCount = ReadSkinCount(AStream, kMinGroupRecord);
  for (Integer i = 0; i < groupCount; ++i) AddGroup(ReadSkinString(AStream))->ReadData(AStream, FVersion);
  CancelUpdate();
}

void TqzSkin::TakeOver(TqzSkin* Source) {
  BeginUpdate();
  SetName(Source->GetName());
  FVersion = Source->FVersion;
  std::swap(FColors, Source->FColors);
  std::swap(FGroups, Source->FGroups);
  std::swap(FProperties, Source->FProperties);
  Reown(FColors.get());
  Reown(FGroups.get());
  Reown(FProperties.get());
  FSorted = false;
  EndUpdate();
}

void TqzSkinPersistent::ReadProperties(TStream* AStream) {
  Integer count = ReadSkinCount(AStream, kMinPropertyRecord);
  for (Integer i = 0; i < count; ++i) {
    String className = ReadSkinString(AStream);
    // Only skin property classes: a stream must not make any other registered class.
    TqzSkinPropertyClass propertyClass = FindSkinPropertyClass(className);
    if (!propertyClass) throw EClassNotFound("Class " + className + " not found");
    String name = ReadSkinString(AStream);
    AddProperty(name, propertyClass)->ReadData(AStream);
  }
}

void TqzSkinControlGroup::ReadData(TStream* AStream, Double AVersion) {
  Integer count = ReadSkinCount(AStream, kMinElementRecord);
  for (Integer i = 0; i < count; ++i) AddElement(ReadSkinString(AStream))->ReadData(AStream, AVersion);
  ReadProperties(AStream);
  Changed();
}

void TqzSkinElement::ReadData(TStream* AStream, Double) {
  TFieldBlock head(AStream, 25);
  FColor = head.Int();
  FAlpha = head.U8();
  FImageCount = head.Int();
  // Every image block needs a pixel at least; a count of none would divide by zero when drawn.
  if (FImageCount < 1 || FImageCount > kqzSkinMaxPictureSide) RaiseInvalidSkinStream();
  TRect offset = head.Rect();
  if (!IsMetricRect(offset, -kqzSkinMaxPictureSide)) RaiseInvalidSkinStream();
  StoreRect(FContentOffset.get(), offset);
  FGlyph->ReadData(AStream);
  FImage->ReadData(AStream);
  for (Integer side = 0; side < 4; ++side) {
    ReadSkinString(AStream);  // the class name; borders are always of one class
    FBorders->Items(side)->ReadFromStream(AStream);
  }
  SetColor(FColor);
  TFieldBlock tail(AStream, 12);
  FTextColor = tail.Int();
  TSize minSize;
  minSize.cx = tail.Int();
  minSize.cy = tail.Int();
  FMinSize->SetSize(minSize);
  ReadProperties(AStream);
}

void TqzSkinImage::ReadData(TStream* AStream) {
  TFieldBlock head(AStream, 20);
  TRect margins = head.Rect();
  Byte layout = head.U8();
  Word states = head.U16();
  Byte stretch = head.U8();
  if (!IsMetricRect(margins, 0) || layout > ilVertical || stretch > smNoResize ||
      (states >> kqzSkinElementStateCount) != 0)
    RaiseInvalidSkinStream();
  StoreRect(FMargins.get(), margins);
  FImageLayout = static_cast<TqzSkinImageLayout>(layout);
  FStates = SkinStatesFromWord(states);
  FStretch = static_cast<TqzSkinStretchMode>(stretch);
  TqzSkin* skin = FOwner ? FOwner->Skin() : nullptr;
  const bool gradients = !skin || skin->GetVersion() >= 1.02;
  TFieldBlock rest(AStream, gradients ? 13 : 4);
  if (gradients) {
    FGradientBeginColor = rest.Int();
    FGradientEndColor = rest.Int();
    Byte gradient = rest.U8();
    if (gradient > gmBackwardDiagonal) RaiseInvalidSkinStream();
    FGradient = static_cast<TqzSkinGradientMode>(gradient);
  }
  Integer size = rest.Int();
  if (size < 0 || size > Remaining(AStream)) RaiseInvalidSkinStream();
  Int64 position = AStream->GetPosition();
  FPicture.reset();
  FEncoded.clear();
  FDecoded = false;
  if (size > 0) {
    // The picture's bytes are checked now and decoded at first use.
    TqzSkinPartStream* part = SharedSkinPartStream();
    part->Initialize(AStream, position, position + size);
    FEncoded.resize(static_cast<size_t>(size));
    part->ReadBuffer(FEncoded.data(), size);
    if (!CheckSkinPicture(FEncoded.data(), FEncoded.size(), FEncodedSize)) {
      FEncoded.clear();
      RaiseInvalidSkinStream();
    }
  }
  AStream->SetPosition(position + size);
  FDirty = true;
}

// ---- Writer -------------------------------------------------------------------------------

void TqzSkin::SaveToStream(TStream* AStream) {
  WriteSkinSignature(AStream);
  WriteSkinString(AStream, GetName());
  WriteSkinInteger(AStream, ColorCount());
  for (Integer i = 0; i < ColorCount(); ++i) Colors(i)->WriteToStream(AStream);
  WriteProperties(AStream);
  WriteSkinInteger(AStream, GroupCount());
  for (Integer i = 0; i < GroupCount(); ++i) Groups(i)->WriteData(AStream);
}

void TqzSkinPersistent::WriteProperties(TStream* AStream) {
  WriteSkinInteger(AStream, PropertyCount());
  for (Integer i = 0; i < PropertyCount(); ++i) Properties(i)->WriteToStream(AStream);
}

void TqzSkinControlGroup::WriteData(TStream* AStream) {
  WriteSkinString(AStream, GetName());
  WriteSkinInteger(AStream, ElementCount());
  for (Integer i = 0; i < ElementCount(); ++i) {
    WriteSkinString(AStream, Elements(i)->GetName());
    Elements(i)->WriteData(AStream, kqzSkinStreamVersion);
  }
  WriteProperties(AStream);
}

void TqzSkinElement::WriteData(TStream* AStream, Double) {
  WriteSkinInteger(AStream, FColor);
  WriteByte(AStream, FAlpha);
  WriteSkinInteger(AStream, FImageCount);
  WriteRect(AStream, FContentOffset->RectRef());
  FGlyph->WriteData(AStream);
  FImage->WriteData(AStream);
  for (Integer side = 0; side < 4; ++side) FBorders->Items(side)->WriteToStream(AStream);
  WriteSkinInteger(AStream, FTextColor);
  WriteSkinInteger(AStream, FMinSize->SizeRef().cx);
  WriteSkinInteger(AStream, FMinSize->SizeRef().cy);
  WriteProperties(AStream);
}

void TqzSkinImage::WriteData(TStream* AStream) {
  WriteRect(AStream, FMargins->RectRef());
  WriteByte(AStream, FImageLayout);
  Word states = SkinStatesToWord(FStates);
  AStream->WriteBuffer(&states, 2);
  WriteByte(AStream, FStretch);
  WriteSkinInteger(AStream, FGradientBeginColor);
  WriteSkinInteger(AStream, FGradientEndColor);
  WriteByte(AStream, FGradient);
  if (!FEncoded.empty()) {
    WriteSkinInteger(AStream, static_cast<Integer>(FEncoded.size()));
    AStream->WriteBuffer(FEncoded.data(), static_cast<Integer>(FEncoded.size()));
    return;
  }
  if (Empty()) {
    WriteSkinInteger(AStream, 0);
    return;
  }
  TMemoryStream picture;
  FPicture->SaveToStream(&picture);
  WriteSkinInteger(AStream, static_cast<Integer>(picture.GetSize()));
  AStream->WriteBuffer(picture.GetMemory(), static_cast<Integer>(picture.GetSize()));
}
