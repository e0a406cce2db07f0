#pragma once
// The table of resources linked into an executable. tools/rescomp writes one such table per
// program (see tavren_resources() in cmake/TavrenLibrary.cmake); rtl/Resources.h looks names up in
// it. The table is a plain constant: no code runs to build it.
//
// How the program's table is found: the runtime library holds a weak, empty TavrenResourceTable;
// the source generated for an executable defines the same symbol strongly, so the linker takes
// the program's own table. A program without resources links and finds nothing.

#include <cstddef>
#include <cstdint>

// Numeric resource types, with the values resource files have always used.
enum : uint16_t {
  ResTypeCursor = 1,
  ResTypeBitmap = 2,
  ResTypeIcon = 3,
  ResTypeMenu = 4,
  ResTypeDialog = 5,
  ResTypeString = 6,
  ResTypeFontDir = 7,
  ResTypeFont = 8,
  ResTypeAccelerator = 9,
  ResTypeRCData = 10,
  ResTypeMessageTable = 11,
  ResTypeGroupCursor = 12,
  ResTypeGroupIcon = 14,
  ResTypeVersion = 16,
  ResTypeDlgInclude = 17,
  ResTypePlugPlay = 19,
  ResTypeVxd = 20,
  ResTypeAniCursor = 21,
  ResTypeAniIcon = 22,
  ResTypeHtml = 23,
  ResTypeManifest = 24,
};

// One resource. A type or name is either text (TypeName/Name set) or a number (the text is null
// and TypeId/NameId hold it). Data runs to DataEnd; a zero byte follows DataEnd so that text
// resources can be read as C strings.
struct TResourceEntry {
  const char* TypeName;
  uint16_t TypeId;
  const char* Name;
  uint16_t NameId;
  const unsigned char* Data;
  const unsigned char* DataEnd;
};

struct TResourceTable {
  const TResourceEntry* Entries;
  size_t Count;
};

extern "C" const TResourceTable TavrenResourceTable;
