#pragma once
// Ini files in the framework's shape.
//
// TIniFile has the profile semantics: every read looks at the file as it is now and every write
// reaches the file at once, so two objects on one file see each other's changes. A write replaces
// the file through a temporary file and a rename: a crash leaves the old file or the new one,
// never half of one. TMemIniFile reads the file once and writes it only in UpdateFile.
//
// Both keep the lines they do not change (comments, unknown lines) and compare section and key
// names without regard to letter case. A damaged file (binary bytes, very long lines, no final
// line end, CR LF) reads as far as it makes sense. The text format is in rtl/IniFilesDocument.h.

#include <memory>

#include "rtl/DateUtils.h"
#include "rtl/Object.h"
#include "rtl/Types.h"

class TStream;
class TStrings;
class TIniDocument;

class TCustomIniFile : public TObject {
  TAVREN_CLASS(TCustomIniFile, TObject)
 public:
  explicit TCustomIniFile(const String& FileName) : FFileName(FileName) {}
  const String& GetFileName() const { return FFileName; }

  virtual String ReadString(const String& Section, const String& Ident, const String& Default) = 0;
  virtual void WriteString(const String& Section, const String& Ident, const String& Value) = 0;
  // Text that is not a number (decimal, or hexadecimal after "0x" or "$") gives Default.
  Integer ReadInteger(const String& Section, const String& Ident, Integer Default);
  void WriteInteger(const String& Section, const String& Ident, Integer Value);
  // A number: 0 is False, anything else True; other text gives Default. Written as "1"/"0".
  bool ReadBool(const String& Section, const String& Ident, bool Default);
  void WriteBool(const String& Section, const String& Ident, bool Value);
  // In the locale's number and date formats; text that does not convert gives Default.
  Double ReadFloat(const String& Section, const String& Ident, Double Default);
  void WriteFloat(const String& Section, const String& Ident, Double Value);
  TDateTime ReadDateTime(const String& Section, const String& Ident, TDateTime Default);
  void WriteDateTime(const String& Section, const String& Ident, TDateTime Value);
  // Bytes as hexadecimal text. Reading writes the bytes to Value and answers their count;
  // writing takes Value from its position to its end.
  Integer ReadBinaryStream(const String& Section, const String& Name, TStream* Value);
  void WriteBinaryStream(const String& Section, const String& Name, TStream* Value);

  // The keys of a section; the section names; "key=value" lines of a section.
  virtual void ReadSection(const String& Section, TStrings* Strings) = 0;
  virtual void ReadSections(TStrings* Strings) = 0;
  virtual void ReadSectionValues(const String& Section, TStrings* Strings) = 0;
  virtual void EraseSection(const String& Section) = 0;
  virtual void DeleteKey(const String& Section, const String& Ident) = 0;
  virtual void UpdateFile() = 0;
  // A section exists when it holds a key.
  bool SectionExists(const String& Section);
  virtual bool ValueExists(const String& Section, const String& Ident);

 private:
  String FFileName;
};

class TIniFile : public TCustomIniFile {
  TAVREN_CLASS(TIniFile, TCustomIniFile)
 public:
  explicit TIniFile(const String& FileName);
  ~TIniFile() override;

  String ReadString(const String& Section, const String& Ident, const String& Default) override;
  // EIniFileException "Unable to write to <file>. <reason>" when the file cannot be written.
  void WriteString(const String& Section, const String& Ident, const String& Value) override;
  void ReadSection(const String& Section, TStrings* Strings) override;
  void ReadSections(TStrings* Strings) override;
  void ReadSectionValues(const String& Section, TStrings* Strings) override;
  void EraseSection(const String& Section) override;
  void DeleteKey(const String& Section, const String& Ident) override;
  // Every change is already in the file.
  void UpdateFile() override {}
};

class TMemIniFile : public TCustomIniFile {
  TAVREN_CLASS(TMemIniFile, TCustomIniFile)
 public:
  // An empty file name gives an ini file in memory only.
  explicit TMemIniFile(const String& FileName);
  ~TMemIniFile() override;

  String ReadString(const String& Section, const String& Ident, const String& Default) override;
  void WriteString(const String& Section, const String& Ident, const String& Value) override;
  void ReadSection(const String& Section, TStrings* Strings) override;
  void ReadSections(TStrings* Strings) override;
  void ReadSectionValues(const String& Section, TStrings* Strings) override;
  void EraseSection(const String& Section) override;
  void DeleteKey(const String& Section, const String& Ident) override;
  // Writes the contents to the file (nothing without a file name).
  void UpdateFile() override;
  void Clear();
  // The contents as the lines of the file, and back.
  void GetStrings(TStrings* List);
  void SetStrings(TStrings* List);

 private:
  std::unique_ptr<TIniDocument> FDocument;
};
