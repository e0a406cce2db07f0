#pragma once
// Reads a resource list: one resource a line, "TYPE NAME PATH".
//
//   TYPE   a name (XML, PNG, QZSKINS, FORM...) or a number; the classic names CURSOR, BITMAP,
//          ICON, FONT, RCDATA, GROUP_CURSOR, GROUP_ICON, HTML and MANIFEST stand for their
//          numbers, as resource scripts have it.
//   NAME   a name or a number 1..65535.
//   PATH   the file; relative paths are looked up in the list's folder, then in the search
//          folders given to rescomp (where build steps write generated files). A path with
//          blanks is written in double quotes.
//
// Two types take other forms:
//   STRINGTABLE PATH        a string-table source (see StringTable.h)
// A FORM whose text names pictures (see FormPictures.h) is packed with the pictures written in.
//   VERSION 1 a.b.c.d       the program's file version
// Blank lines and lines starting with '#' or "//" are skipped.

#include <cstdint>
#include <string>
#include <vector>

struct ResourceLine {
  enum class Kind { File, Bitmap, StringTable, Version, Expanded };

  Kind kind = Kind::File;
  std::string typeName;  // empty when the type is a number
  uint16_t typeId = 0;
  std::string name;      // empty when the name is a number
  uint16_t nameId = 0;
  std::string path;      // resolved file, or the version text for Kind::Version
  std::string where;     // "list:line", for messages
  std::string data;      // Kind::Expanded: the form text with its pictures written in
  std::vector<std::string> pictures;  // the picture files a form named
};

// Appends the list's resources to `lines`; a resource already there (same type and name, letter
// case aside) is a fault. Throws std::runtime_error naming the list and line on any fault.
void ReadResourceList(const std::string& listPath, const std::vector<std::string>& searchDirs,
                      std::vector<ResourceLine>& lines);

// "3.0.1.324" -> four numbers; throws std::runtime_error when malformed.
std::vector<uint16_t> ParseVersionText(const std::string& text);
