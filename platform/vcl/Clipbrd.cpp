#include "vcl/Clipbrd.h"

#include <cstring>
#include <memory>

#include "rtl/Exceptions.h"
#include "user/Clipboard.h"
#include "user/GlobalMemory.h"

UINT CF_PICTURE = 0;

TAVREN_CLASS_IMPL(TClipboard)

namespace {

std::unique_ptr<TClipboard> gClipboardObject;

// Holds the clipboard open for the life of a scope.
class TClipboardOpen {
 public:
  explicit TClipboardOpen(TClipboard* Clipboard) : FClipboard(Clipboard) { FClipboard->Open(); }
  ~TClipboardOpen() { FClipboard->Close(); }
  TClipboardOpen(const TClipboardOpen&) = delete;
  TClipboardOpen& operator=(const TClipboardOpen&) = delete;

 private:
  TClipboard* FClipboard;
};

HGLOBAL BlockOf(TMemoryStream& Stream) {
  const auto size = static_cast<size_t>(Stream.GetSize());
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!block) throw EOutOfResources("Out of system resources");
  if (size) {
    std::memcpy(GlobalLock(block), Stream.GetMemory(), size);
    GlobalUnlock(block);
  }
  return block;
}

}  // namespace

void TClipboard::Open() {
  if (FOpenRefCount == 0 && !OpenClipboard(nullptr)) throw EOutOfResources("Cannot open clipboard");
  ++FOpenRefCount;
}

void TClipboard::Close() {
  if (FOpenRefCount == 0) return;
  if (--FOpenRefCount == 0) CloseClipboard();
}

void TClipboard::Clear() {
  TClipboardOpen open(this);
  EmptyClipboard();
}

bool TClipboard::HasFormat(Word Format) { return IsClipboardFormatAvailable(Format) != FALSE; }

String TClipboard::GetAsText() {
  TClipboardOpen open(this);
  HANDLE data = GetClipboardData(CF_TEXT);
  const auto* bytes = static_cast<const char*>(data ? GlobalLock(data) : nullptr);
  if (!bytes) return {};
  String text(bytes, strnlen(bytes, GlobalSize(data)));
  GlobalUnlock(data);
  return text;
}

void TClipboard::SetAsText(const String& Value) {
  TMemoryStream stream;
  stream.WriteBuffer(Value.c_str(), static_cast<Integer>(Value.size() + 1));
  SetAsHandle(CF_TEXT, BlockOf(stream));
}

HANDLE TClipboard::GetAsHandle(Word Format) {
  TClipboardOpen open(this);
  return GetClipboardData(Format);
}

void TClipboard::SetAsHandle(Word Format, HANDLE Value) {
  TClipboardOpen open(this);
  EmptyClipboard();
  SetClipboardData(Format, Value);
}

void TClipboard::Assign(TPersistent* Source) {
  if (auto* picture = dynamic_cast<TPicture*>(Source)) {
    AssignGraphic(picture->GetGraphic());
  } else if (auto* graphic = dynamic_cast<TGraphic*>(Source)) {
    AssignGraphic(graphic);
  } else {
    inherited::Assign(Source);
  }
}

void TClipboard::AssignGraphic(TGraphic* Graphic) {
  TClipboardOpen open(this);
  EmptyClipboard();
  if (!Graphic) return;
  Word format = 0;
  HANDLE data = nullptr;
  HPALETTE palette = nullptr;
  Graphic->SaveToClipboardFormat(format, data, palette);
  if (data) SetClipboardData(format, data);
  for (Word other : TPicture::ClipboardFormats()) {
    if (other == format || TPicture::ClipboardFormatClass(other) != TGraphicClass(Graphic->ClassType())) continue;
    TMemoryStream stream;
    Graphic->SaveToStream(&stream);
    if (stream.GetSize() > 0) SetClipboardData(other, BlockOf(stream));
  }
}

void TClipboard::AssignTo(TPersistent* Dest) {
  TClipboardOpen open(this);
  if (auto* picture = dynamic_cast<TPicture*>(Dest)) {
    for (Word format : TPicture::ClipboardFormats())
      if (HasFormat(format)) {
        picture->LoadFromClipboardFormat(format, GetClipboardData(format), nullptr);
        return;
      }
    throw EInvalidGraphic("The clipboard holds no picture");
  }
  if (auto* graphic = dynamic_cast<TGraphic*>(Dest)) {
    for (Word format : TPicture::ClipboardFormats()) {
      TGraphicClass owner = TPicture::ClipboardFormatClass(format);
      if (HasFormat(format) && graphic->ClassType()->InheritsFrom(owner) && format != CF_BITMAP) {
        graphic->LoadFromClipboardFormat(format, GetClipboardData(format), nullptr);
        return;
      }
    }
    if (!HasFormat(CF_BITMAP)) throw EInvalidGraphic("The clipboard holds no picture");
    graphic->LoadFromClipboardFormat(CF_BITMAP, GetClipboardData(CF_BITMAP), nullptr);
    return;
  }
  inherited::AssignTo(Dest);
}

TClipboard* Clipboard() {
  if (!gClipboardObject) gClipboardObject = std::make_unique<TClipboard>();
  return gClipboardObject.get();
}

void ClipbrdStart() { CF_PICTURE = RegisterClipboardFormat("Picture"); }

void ClipbrdEnd() { gClipboardObject.reset(); }
