#pragma once
// The text of an ini file and the edits made to it. Every line an edit does not touch stays as it
// was: comments, blank lines, lines that are neither a section nor a key, the byte-order mark and
// the line ends (CR LF when the file used them). Used by the ini-file classes and the registry
// stand-in.
//
// Reading is lenient: a line "[name]" opens a section, "key=value" in a section is a value (key
// and value trimmed, one pair of matching quotes around the value removed), anything else is kept
// and ignored. Section and key names compare without regard to letter case; a section that occurs
// twice reads as one.

#include <utility>
#include <vector>

#include "rtl/Types.h"

class TIniDocument {
 public:
  void SetText(const String& Text);
  String GetText() const;
  void Clear();

  bool ReadValue(const String& Section, const String& Ident, String& Value) const;
  // Answers whether the text changed. Names or a value that an ini file cannot hold (a line
  // break, '=' in a key, ']' in a section name, an empty name) raise EIniFileException. A value
  // with blanks at either end, or inside a pair of quotes, is written quoted so that it reads
  // back as it was.
  bool WriteValue(const String& Section, const String& Ident, const String& Value);
  bool DeleteKey(const String& Section, const String& Ident);
  bool EraseSection(const String& Section);
  // Adds an empty section when there is none of that name.
  bool AddSection(const String& Section);

  // Every section that has a header, each name once, in file order.
  std::vector<String> SectionNames() const;
  bool HasSection(const String& Section) const;
  // The keys and values of the section, each key once (the first one wins).
  std::vector<std::pair<String, String>> SectionValues(const String& Section) const;

 private:
  enum class TLineKind { Other, Section, Value };
  struct TLine {
    TLineKind Kind = TLineKind::Other;
    String Text;
    String Name;   // section name or key
    String Value;  // value, unquoted
  };
  static TLine ParseLine(const String& Text);
  // Index of the first line after the section's body; -1 when there is no such section.
  Integer FindValue(const String& Section, const String& Ident) const;

  std::vector<TLine> FLines;
  bool FCrLf = false;
  bool FByteOrderMark = false;
};

// Reads a whole file. Answers false when it does not exist; raises EIniFileException when it exists
// but cannot be read (so that a write never replaces a file it could not read).
bool ReadIniText(const String& FileName, String& Text);
// The document of a file, empty when the file does not exist; raises as ReadIniText does.
TIniDocument LoadIniDocument(const String& FileName);
// Replaces the file with Text through a temporary file in the same folder and a rename, so that a
// crash leaves either the old file or the new one whole. EIniFileException when that fails.
void WriteIniTextAtomically(const String& FileName, const String& Text);
