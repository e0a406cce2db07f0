#include "rtl/Streams.h"

#include <algorithm>
#include <cstring>

#include "rtl/SysUtils.h"

TAVREN_CLASS_IMPL(TStream)
TAVREN_CLASS_IMPL(TCustomMemoryStream)
TAVREN_CLASS_IMPL(TMemoryStream)
TAVREN_CLASS_IMPL(TStringStream)

// ---- TStream ------------------------------------------------------------------------------------

Integer TStream::Seek(Integer Offset, TSeekOriginWord Origin) {
  return static_cast<Integer>(Seek(Int64{Offset}, static_cast<TSeekOrigin>(Origin)));
}

Int64 TStream::GetSize() {
  Int64 position = Seek(Int64{0}, soCurrent);
  Int64 size = Seek(Int64{0}, soEnd);
  Seek(position, soBeginning);
  return size;
}

void TStream::SetSize(Int64) {}

void TStream::ReadBuffer(void* Buffer, Integer Count) {
  if (Count != 0 && Read(Buffer, Count) != Count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, Integer Count) {
  if (Count != 0 && Write(Buffer, Count) != Count) throw EWriteError("Stream write error");
}

Int64 TStream::CopyFrom(TStream* Source, Int64 Count) {
  if (Count == 0) {
    Source->SetPosition(0);
    Count = Source->GetSize();
  }
  constexpr Integer kChunk = 64 * 1024;
  std::vector<Byte> buffer(static_cast<size_t>(std::min<Int64>(std::max<Int64>(Count, 1), kChunk)));
  for (Int64 left = Count; left > 0;) {
    Integer n = static_cast<Integer>(std::min<Int64>(left, static_cast<Int64>(buffer.size())));
    Source->ReadBuffer(buffer.data(), n);
    WriteBuffer(buffer.data(), n);
    left -= n;
  }
  return Count;
}

// ---- TCustomMemoryStream ------------------------------------------------------------------------

void TCustomMemoryStream::SetPointer(void* Ptr, Int64 Size) {
  FMemory = Ptr;
  FSize = Size;
}

Integer TCustomMemoryStream::Read(void* Buffer, Integer Count) {
  if (FPosition < 0 || Count <= 0 || FPosition >= FSize) return 0;
  Integer n = static_cast<Integer>(std::min<Int64>(Count, FSize - FPosition));
  std::memcpy(Buffer, static_cast<const Byte*>(FMemory) + FPosition, static_cast<size_t>(n));
  FPosition += n;
  return n;
}

Int64 TCustomMemoryStream::Seek(Int64 Offset, TSeekOrigin Origin) {
  switch (Origin) {
    case soBeginning: FPosition = Offset; break;
    case soCurrent: FPosition += Offset; break;
    case soEnd: FPosition = FSize + Offset; break;
  }
  return FPosition;
}

void TCustomMemoryStream::SaveToStream(TStream* Stream) {
  // Integer counts: write large contents in pieces.
  const Byte* data = static_cast<const Byte*>(FMemory);
  for (Int64 done = 0; done < FSize;) {
    Integer n = static_cast<Integer>(std::min<Int64>(FSize - done, 1 << 30));
    Stream->WriteBuffer(data + done, n);
    done += n;
  }
}

void TCustomMemoryStream::SaveToFile(const String& FileName) {
  TFileStream stream(FileName, fmCreate);
  SaveToStream(&stream);
}

// ---- TMemoryStream ------------------------------------------------------------------------------

Integer TMemoryStream::Write(const void* Buffer, Integer Count) {
  if (FPosition < 0 || Count <= 0) return 0;
  Int64 end = FPosition + Count;
  if (end > GetSize()) {
    // Grow by half again so that a long run of small writes stays linear.
    if (static_cast<size_t>(end) > FData.capacity()) FData.reserve(std::max<size_t>(end, FData.capacity() * 3 / 2));
    FData.resize(static_cast<size_t>(end));
    SetPointer(FData.data(), end);
  }
  std::memcpy(FData.data() + FPosition, Buffer, static_cast<size_t>(Count));
  FPosition = end;
  return Count;
}

void TMemoryStream::SetSize(Int64 NewSize) {
  FData.resize(static_cast<size_t>(std::max<Int64>(NewSize, 0)));
  SetPointer(FData.data(), static_cast<Int64>(FData.size()));
}

void TMemoryStream::Clear() {
  FData.clear();
  FData.shrink_to_fit();
  SetPointer(nullptr, 0);
  FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* Stream) {
  Stream->SetPosition(0);
  Int64 size = Stream->GetSize();
  SetSize(size);
  for (Int64 done = 0; done < size;) {
    Integer n = static_cast<Integer>(std::min<Int64>(size - done, 1 << 30));
    Stream->ReadBuffer(FData.data() + done, n);
    done += n;
  }
  FPosition = 0;
}

void TMemoryStream::LoadFromFile(const String& FileName) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&stream);
}

// ---- TStringStream ------------------------------------------------------------------------------

TStringStream::TStringStream(const String& AString) {
  WriteString(AString);
  FPosition = 0;
}

String TStringStream::GetDataString() const {
  return String(static_cast<const char*>(FMemory), static_cast<size_t>(FSize));
}

String TStringStream::ReadString(Integer Count) {
  Int64 available = std::max<Int64>(FSize - FPosition, 0);
  String text(static_cast<size_t>(std::clamp<Int64>(Count, 0, available)), '\0');
  text.resize(static_cast<size_t>(Read(text.data(), static_cast<Integer>(text.size()))));
  return text;
}

void TStringStream::WriteString(const String& AString) {
  WriteBuffer(AString.data(), static_cast<Integer>(AString.size()));
}
