#pragma once
// The shell list view's unit. Here so far: turning a folder typed as text into an absolute ID list
// under a control's root (absolute paths, names relative to the root, the two namespace prefixes,
// display names matched ignoring case), and the table of special folders whose display names can
// be typed as paths.
//
// Sources: kvShellListViewPaths.cpp (path resolution and the table).

#include <array>

#include "toolkit/editors/kvShellCommon.h"

// Filter flags built from a control's options.
constexpr Byte kvsfNonFolders = 1;
constexpr Byte kvsfFolders = 2;
constexpr Byte kvsfHidden = 4;

DWORD EnumFlagsFromFilter(Byte Filter);
bool PassesFilter(Byte Filter, DWORD Attributes);

// Kinds of a typed path.
constexpr Integer kvpkAbsolute = 0;       // "/…" (a leading backslash counts as a slash)
constexpr Integer kvpkRelative = 1;       // a name below the root
constexpr Integer kvpkNetwork = 2;        // "\\\\…"
constexpr Integer kvpkNamespace = 3;      // "::{…"
constexpr Integer kvpkFromDesktop = 4;    // "::{DB56C6B1-4234-4109-B4F2-EF8F6CF19FF6}…"
constexpr Integer kvpkFromRoot = 5;       // "::{E0BEE4C6-FEC1-4D9E-AF61-9DD67E77E266}…"
constexpr Integer kvpkUnusable = 6;       // empty, or a drive letter: there are no drives here

// May drop a trailing separator from Path.
Integer ClassifyPath(String& Path);
// The child of Folder that Name names: parsed, else the first child whose display name equals it
// ignoring case; nil when none passes the filter.
LPITEMIDLIST FindChildByName(IShellFolder* Folder, const String& Name, Byte Filter);
// Full: the file-system path, else the names from the desktop joined with "/"; otherwise the
// item's own display name.
String BuildDisplayPath(LPCITEMIDLIST List, bool Full);
// A new absolute list for the text, or nil; an empty text names the root itself. With
// RestrictToRoot a folder outside the root answers nil.
LPITEMIDLIST ParsePath(const String& Path, TkvCustomShellRoot* Root, Byte Filter, bool RestrictToRoot);

struct TkvShellSpecialFolderInfoTableItem {
  DWORD FolderAttributes = 0;  // SFGAO_FOLDER and SFGAO_HIDDEN only
  LPITEMIDLIST FolderIdList = nullptr;
  String FolderName;
  String UpperPath;
  String UpperName;
};
// One entry per special-folder number 0 to 34; an entry without a list has no folder here.
const std::array<TkvShellSpecialFolderInfoTableItem, 35>& SpecialFolderTable();

void kvShellListViewStart();
void kvShellListViewEnd();
