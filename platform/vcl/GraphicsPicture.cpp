#include <algorithm>
#include <cstring>

#include "rtl/FileUtils.h"
#include "rtl/Filer.h"
#include "rtl/SysUtils.h"
#include "user/Clipboard.h"
#include "user/GlobalMemory.h"
#include "vcl/GraphicClasses.h"

// ---- TGraphic ----------------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TGraphic)

void TGraphic::SetSize(Integer AWidth, Integer AHeight) {
  SetWidth(AWidth);
  SetHeight(AHeight);
}

void TGraphic::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  Changed(this);
}

void TGraphic::SetModified(bool Value) {
  if (Value)
    Changed(this);
  else
    FModified = false;
}

void TGraphic::Changed(TObject*) {
  FModified = true;
  FOnChange(this);
}

void TGraphic::LoadFromFile(const String& FileName) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&stream);
}

void TGraphic::SaveToFile(const String& FileName) {
  TFileStream stream(FileName, fmCreate);
  SaveToStream(&stream);
}

void TGraphic::DefineProperties(TFiler* Filer) {
  Filer->DefineBinaryProperty(
      "Data", [this](TStream* Stream) { ReadData(Stream); }, [this](TStream* Stream) { WriteData(Stream); },
      !GetEmpty());
}

void TGraphic::SaveToClipboardFormat(Word& AFormat, HANDLE& AData, HPALETTE& APalette) {
  AFormat = 0;
  AData = nullptr;
  APalette = nullptr;
}

void TGraphic::LoadFromClipboardFormat(Word AFormat, HANDLE AData, HPALETTE) {
  TGraphicClass registered = TPicture::ClipboardFormatClass(AFormat);
  if (!registered || !ClassType()->InheritsFrom(registered)) throw EInvalidGraphic("Unsupported clipboard format");
  const size_t size = AData ? GlobalSize(AData) : 0;
  const auto* bytes = static_cast<const Byte*>(size ? GlobalLock(AData) : nullptr);
  if (!bytes) throw EInvalidGraphic("The clipboard data is empty");
  TMemoryStream stream;
  stream.WriteBuffer(bytes, static_cast<Integer>(std::min<size_t>(size, 0x7FFFFFFF)));
  GlobalUnlock(AData);
  stream.SetPosition(0);
  LoadFromStream(&stream);
  // Some classes read damaged data as an empty picture: bytes that gave nothing are refused.
  if (GetEmpty()) throw EInvalidGraphic("The clipboard data is not a valid picture");
}

std::vector<Byte> ReadRestOfStream(TStream* Stream) {
  Int64 rest = Stream->GetSize() - Stream->GetPosition();
  if (rest <= 0) return {};
  if (rest > 0x7FFFFFFF) throw EInvalidGraphic("Picture data is too large");
  std::vector<Byte> data(static_cast<size_t>(rest));
  Stream->ReadBuffer(data.data(), static_cast<Integer>(rest));
  return data;
}

// ---- File formats --------------------------------------------------------------------------------

namespace {

struct TFileFormat {
  String Extension;
  String Description;
  TGraphicClass GraphicClass;
};

std::vector<TFileFormat>& FileFormats() {
  static std::vector<TFileFormat> formats;
  return formats;
}

String WithoutDot(const String& Extension) {
  return !Extension.empty() && Extension[0] == '.' ? Extension.substr(1) : Extension;
}

struct TClipboardFormat {
  Word Format;
  TGraphicClass GraphicClass;
};

std::vector<TClipboardFormat>& ClipboardFormatList() {
  static std::vector<TClipboardFormat> formats;
  return formats;
}

TGraphicClass FindClassName(const String& Name) {
  for (const TFileFormat& format : FileFormats())
    if (SameText(format.GraphicClass->Name, Name)) return format.GraphicClass;
  return nullptr;
}

}  // namespace

void TPicture::RegisterFileFormat(const String& Extension, const String& Description, TGraphicClass GraphicClass) {
  if (!GraphicClass) return;
  FileFormats().push_back({WithoutDot(Extension), Description, GraphicClass});
}

void TPicture::UnregisterGraphicClass(TGraphicClass GraphicClass) {
  std::erase_if(FileFormats(), [&](const TFileFormat& f) { return f.GraphicClass->InheritsFrom(GraphicClass); });
  std::erase_if(ClipboardFormatList(),
                [&](const TClipboardFormat& f) { return f.GraphicClass->InheritsFrom(GraphicClass); });
}

void TPicture::RegisterClipboardFormat(Word AFormat, TGraphicClass GraphicClass) {
  if (AFormat && GraphicClass) ClipboardFormatList().push_back({AFormat, GraphicClass});
}

TGraphicClass TPicture::ClipboardFormatClass(Word AFormat) {
  const auto& formats = ClipboardFormatList();
  for (auto it = formats.rbegin(); it != formats.rend(); ++it)
    if (it->Format == AFormat) return it->GraphicClass;
  return nullptr;
}

bool TPicture::SupportsClipboardFormat(Word AFormat) { return ClipboardFormatClass(AFormat) != nullptr; }

std::vector<Word> TPicture::ClipboardFormats() {
  std::vector<Word> result;
  const auto& formats = ClipboardFormatList();
  for (auto it = formats.rbegin(); it != formats.rend(); ++it)
    if (std::find(result.begin(), result.end(), it->Format) == result.end()) result.push_back(it->Format);
  return result;
}

TGraphicClass TPicture::FileFormatClass(const String& Extension) {
  const String ext = WithoutDot(Extension);
  const auto& formats = FileFormats();
  for (auto it = formats.rbegin(); it != formats.rend(); ++it)
    if (SameText(it->Extension, ext)) return it->GraphicClass;
  return nullptr;
}

namespace {

std::vector<const TFileFormat*> FormatsOf(TGraphicClass GraphicClass) {
  std::vector<const TFileFormat*> result;
  for (const TFileFormat& format : FileFormats())
    if (!GraphicClass || format.GraphicClass->InheritsFrom(GraphicClass)) result.push_back(&format);
  return result;
}

}  // namespace

String GraphicFileMask(TGraphicClass GraphicClass) {
  String masks;
  for (const TFileFormat* format : FormatsOf(GraphicClass)) {
    const String mask = "*." + format->Extension;
    if ((";" + masks + ";").find(";" + mask + ";") != String::npos) continue;
    masks += (masks.empty() ? "" : ";") + mask;
  }
  return masks;
}

String GraphicFilter(TGraphicClass GraphicClass) {
  const String masks = GraphicFileMask(GraphicClass);
  String filter = "All (" + masks + ")|" + masks;
  for (const TFileFormat* format : FormatsOf(GraphicClass)) {
    const String mask = "*." + format->Extension;
    filter += "|" + format->Description + " (" + mask + ")|" + mask;
  }
  return filter;
}

String GraphicExtension(TGraphicClass GraphicClass) {
  const auto& formats = FileFormats();
  for (auto it = formats.rbegin(); it != formats.rend(); ++it)
    if (static_cast<TClass>(it->GraphicClass) == static_cast<TClass>(GraphicClass)) return it->Extension;
  return {};
}

// ---- TMetafile -----------------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TMetafile)

void TMetafile::Assign(TPersistent* Source) {
  if (!Source || dynamic_cast<TMetafile*>(Source)) return;  // nothing to copy
  inherited::Assign(Source);
}

void TMetafile::LoadFromStream(TStream*) { throw EInvalidGraphic("Metafiles are not supported"); }

void GraphicsStart() {
  TPicture::RegisterFileFormat("bmp", "Bitmaps", TBitmap::ClassInfo());
  TPicture::RegisterFileFormat("ico", "Icons", TIcon::ClassInfo());
  TPicture::RegisterClipboardFormat(CF_BITMAP, TBitmap::ClassInfo());
}

void GraphicsEnd() {
  FileFormats().clear();
  ClipboardFormatList().clear();
}

// ---- TPicture ------------------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TPicture)

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Adopt(TGraphic* NewGraphic) {
  FGraphic.reset(NewGraphic);
  if (FGraphic) FGraphic->SetOnChange(MakeEvent<&TPicture::Changed>(this));
  Changed(this);
}

void TPicture::SetGraphic(TGraphic* Value) {
  if (Value == FGraphic.get()) return;
  if (!Value) {
    Adopt(nullptr);
    return;
  }
  auto* copy = static_cast<TGraphic*>(Value->ClassType()->Create());
  try {
    copy->Assign(Value);
  } catch (...) {
    delete copy;
    throw;
  }
  Adopt(copy);
}

void TPicture::ForceType(TGraphicClass GraphicClass) {
  if (FGraphic && FGraphic->ClassType() == static_cast<TClass>(GraphicClass)) return;
  Adopt(GraphicClass.Create());
}

TBitmap* TPicture::GetBitmap() {
  ForceType(TBitmap::ClassInfo());
  return static_cast<TBitmap*>(FGraphic.get());
}

TIcon* TPicture::GetIcon() {
  ForceType(TIcon::ClassInfo());
  return static_cast<TIcon*>(FGraphic.get());
}

void TPicture::Assign(TPersistent* Source) {
  if (!Source) {
    SetGraphic(nullptr);
  } else if (auto* picture = dynamic_cast<TPicture*>(Source)) {
    SetGraphic(picture->GetGraphic());
  } else if (auto* graphic = dynamic_cast<TGraphic*>(Source)) {
    SetGraphic(graphic);
  } else {
    inherited::Assign(Source);
  }
}

void TPicture::LoadFromFile(const String& FileName) {
  const String ext = ExtractFileExt(FileName);
  TGraphicClass graphicClass = FileFormatClass(ext);
  if (!graphicClass) throw EInvalidGraphic("Unknown picture file extension (" + ext + ")");
  // Loaded into a new graphic first: a file that fails leaves the picture as it was.
  std::unique_ptr<TGraphic> graphic(graphicClass.Create());
  graphic->LoadFromFile(FileName);
  Adopt(graphic.release());
}

void TPicture::LoadFromClipboardFormat(Word AFormat, HANDLE AData, HPALETTE APalette) {
  TGraphicClass graphicClass = ClipboardFormatClass(AFormat);
  if (!graphicClass) throw EInvalidGraphic("Unsupported clipboard format");
  std::unique_ptr<TGraphic> graphic(graphicClass.Create());
  graphic->LoadFromClipboardFormat(AFormat, AData, APalette);
  Adopt(graphic.release());
}

void TPicture::SaveToClipboardFormat(Word& AFormat, HANDLE& AData, HPALETTE& APalette) {
  if (FGraphic) {
    FGraphic->SaveToClipboardFormat(AFormat, AData, APalette);
    return;
  }
  AFormat = 0;
  AData = nullptr;
  APalette = nullptr;
}

void TPicture::SaveToFile(const String& FileName) {
  if (FGraphic) FGraphic->SaveToFile(FileName);
}

void TPicture::Changed(TObject*) { FOnChange(this); }

void TPicture::DefineProperties(TFiler* Filer) {
  Filer->DefineBinaryProperty(
      "Data", [this](TStream* Stream) { ReadData(Stream); }, [this](TStream* Stream) { WriteData(Stream); },
      FGraphic && !FGraphic->GetEmpty());
}

void TPicture::ReadData(TStream* Stream) {
  Byte length = 0;
  Stream->ReadBuffer(&length, 1);
  String name(length, '\0');
  if (length) Stream->ReadBuffer(name.data(), length);
  TGraphicClass graphicClass = FindClassName(name);
  if (!graphicClass) throw EInvalidGraphic("Unknown picture class " + name);
  std::unique_ptr<TGraphic> graphic(graphicClass.Create());
  graphic->ReadData(Stream);
  Adopt(graphic.release());
}

void TPicture::WriteData(TStream* Stream) {
  const String name = FGraphic ? FGraphic->ClassName() : String();
  const Byte length = static_cast<Byte>(std::min<size_t>(name.size(), 255));
  Stream->WriteBuffer(&length, 1);
  Stream->WriteBuffer(name.data(), length);
  if (FGraphic) FGraphic->WriteData(Stream);
}
