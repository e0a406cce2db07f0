// The ini-file operations that fill or read string lists.
#include "rtl/IniFiles.h"
#include "rtl/IniFilesDocument.h"
#include "rtl/StringList.h"
#include "rtl/SysUtils.h"

namespace {

void FillKeys(const TIniDocument& document, const String& Section, TStrings* Strings) {
  Strings->BeginUpdate();
  Strings->Clear();
  for (const auto& [key, value] : document.SectionValues(Section)) Strings->Add(key);
  Strings->EndUpdate();
}

void FillSections(const TIniDocument& document, TStrings* Strings) {
  Strings->BeginUpdate();
  Strings->Clear();
  for (const auto& name : document.SectionNames()) Strings->Add(name);
  Strings->EndUpdate();
}

void FillValues(const TIniDocument& document, const String& Section, TStrings* Strings) {
  Strings->BeginUpdate();
  Strings->Clear();
  for (const auto& [key, value] : document.SectionValues(Section)) Strings->Add(key + "=" + value);
  Strings->EndUpdate();
}

}  // namespace

bool TCustomIniFile::SectionExists(const String& Section) {
  TStringList keys;
  ReadSection(Section, &keys);
  return keys.GetCount() > 0;
}

bool TCustomIniFile::ValueExists(const String& Section, const String& Ident) {
  TStringList keys;
  ReadSection(Section, &keys);
  for (Integer i = 0; i < keys.GetCount(); ++i)
    if (AnsiSameText(keys.GetStrings(i), Ident)) return true;
  return false;
}

void TIniFile::ReadSection(const String& Section, TStrings* Strings) {
  FillKeys(LoadIniDocument(GetFileName()), Section, Strings);
}
void TIniFile::ReadSections(TStrings* Strings) { FillSections(LoadIniDocument(GetFileName()), Strings); }
void TIniFile::ReadSectionValues(const String& Section, TStrings* Strings) {
  FillValues(LoadIniDocument(GetFileName()), Section, Strings);
}

void TMemIniFile::ReadSection(const String& Section, TStrings* Strings) { FillKeys(*FDocument, Section, Strings); }
void TMemIniFile::ReadSections(TStrings* Strings) { FillSections(*FDocument, Strings); }
void TMemIniFile::ReadSectionValues(const String& Section, TStrings* Strings) {
  FillValues(*FDocument, Section, Strings);
}

void TMemIniFile::GetStrings(TStrings* List) {
  String text = FDocument->GetText();
  List->SetText(text);
}

void TMemIniFile::SetStrings(TStrings* List) { FDocument->SetText(List->GetText()); }
