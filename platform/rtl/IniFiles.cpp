#include "rtl/IniFiles.h"

#include "rtl/IniFilesDocument.h"
#include "rtl/Streams.h"
#include "rtl/SysUtils.h"

TAVREN_CLASS_IMPL(TCustomIniFile)
TAVREN_CLASS_IMPL(TIniFile)
TAVREN_CLASS_IMPL(TMemIniFile)

namespace {

// Reads the file as it is now, edits it and writes it back when the edit changed something.
template <typename Edit>
void EditFile(const String& FileName, Edit edit) {
  TIniDocument document = LoadIniDocument(FileName);
  if (edit(document)) WriteIniTextAtomically(FileName, document.GetText());
}

}  // namespace

// ---- TCustomIniFile -----------------------------------------------------------------------------

Integer TCustomIniFile::ReadInteger(const String& Section, const String& Ident, Integer Default) {
  return StrToIntDef(ReadString(Section, Ident, ""), Default);
}

void TCustomIniFile::WriteInteger(const String& Section, const String& Ident, Integer Value) {
  WriteString(Section, Ident, IntToStr(Value));
}

bool TCustomIniFile::ReadBool(const String& Section, const String& Ident, bool Default) {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const String& Section, const String& Ident, bool Value) {
  WriteString(Section, Ident, Value ? "1" : "0");
}

Double TCustomIniFile::ReadFloat(const String& Section, const String& Ident, Double Default) {
  return StrToFloatDef(ReadString(Section, Ident, ""), Default);
}

void TCustomIniFile::WriteFloat(const String& Section, const String& Ident, Double Value) {
  WriteString(Section, Ident, FloatToStr(Value));
}

TDateTime TCustomIniFile::ReadDateTime(const String& Section, const String& Ident, TDateTime Default) {
  return StrToDateTimeDef(ReadString(Section, Ident, ""), Default);
}

void TCustomIniFile::WriteDateTime(const String& Section, const String& Ident, TDateTime Value) {
  WriteString(Section, Ident, DateTimeToStr(Value));
}

Integer TCustomIniFile::ReadBinaryStream(const String& Section, const String& Name, TStream* Value) {
  String text = ReadString(Section, Name, "");
  String bytes;
  // Pairs of hexadecimal digits up to the first that is not one.
  auto digit = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  };
  for (size_t i = 0; i + 1 < text.size(); i += 2) {
    int high = digit(text[i]), low = digit(text[i + 1]);
    if (high < 0 || low < 0) break;
    bytes += static_cast<char>(high * 16 + low);
  }
  if (!bytes.empty()) Value->WriteBuffer(bytes.data(), static_cast<Integer>(bytes.size()));
  return static_cast<Integer>(bytes.size());
}

void TCustomIniFile::WriteBinaryStream(const String& Section, const String& Name, TStream* Value) {
  static const char kDigits[] = "0123456789ABCDEF";
  String text;
  Byte buffer[4096];
  for (Integer n; (n = Value->Read(buffer, sizeof buffer)) > 0;)
    for (Integer i = 0; i < n; ++i) {
      text += kDigits[buffer[i] >> 4];
      text += kDigits[buffer[i] & 15];
    }
  WriteString(Section, Name, text);
}

// ---- TIniFile -----------------------------------------------------------------------------------

TIniFile::TIniFile(const String& FileName) : TCustomIniFile(FileName) {}

TIniFile::~TIniFile() = default;

String TIniFile::ReadString(const String& Section, const String& Ident, const String& Default) {
  String value;
  return LoadIniDocument(GetFileName()).ReadValue(Section, Ident, value) ? value : Default;
}

void TIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
  EditFile(GetFileName(), [&](TIniDocument& d) { return d.WriteValue(Section, Ident, Value); });
}

void TIniFile::EraseSection(const String& Section) {
  EditFile(GetFileName(), [&](TIniDocument& d) { return d.EraseSection(Section); });
}

void TIniFile::DeleteKey(const String& Section, const String& Ident) {
  EditFile(GetFileName(), [&](TIniDocument& d) { return d.DeleteKey(Section, Ident); });
}

// ---- TMemIniFile --------------------------------------------------------------------------------

TMemIniFile::TMemIniFile(const String& FileName)
    : TCustomIniFile(FileName), FDocument(std::make_unique<TIniDocument>()) {
  if (!FileName.empty()) *FDocument = LoadIniDocument(FileName);
}

TMemIniFile::~TMemIniFile() = default;

String TMemIniFile::ReadString(const String& Section, const String& Ident, const String& Default) {
  String value;
  return FDocument->ReadValue(Section, Ident, value) ? value : Default;
}

void TMemIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
  FDocument->WriteValue(Section, Ident, Value);
}

void TMemIniFile::EraseSection(const String& Section) { FDocument->EraseSection(Section); }

void TMemIniFile::DeleteKey(const String& Section, const String& Ident) { FDocument->DeleteKey(Section, Ident); }

void TMemIniFile::UpdateFile() {
  if (!GetFileName().empty()) WriteIniTextAtomically(GetFileName(), FDocument->GetText());
}

void TMemIniFile::Clear() { FDocument->Clear(); }
