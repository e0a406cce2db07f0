#pragma once
// File names and the file system. The system's code was written with '\' between folders; every
// routine here takes both '\' and '/' as delimiters, and names handed to the file system have '\'
// turned into '/' (see docs/paths.md). Names are UTF-8.

#include <memory>

#include "rtl/DateUtils.h"
#include "rtl/Types.h"

constexpr Char PathDelim = '/';

bool IsPathDelimiter(const String& s, Integer index);  // index is 1-based
String IncludeTrailingPathDelimiter(const String& s);
String ExcludeTrailingPathDelimiter(const String& s);

String ExtractFileName(const String& fileName);
// Up to and including the last delimiter.
String ExtractFilePath(const String& fileName);
// Up to the last delimiter, which is kept only when it is the root.
String ExtractFileDir(const String& fileName);
// From the last '.' of the name on, with the dot; "" when the name has none.
String ExtractFileExt(const String& fileName);
String ChangeFileExt(const String& fileName, const String& extension);
// An absolute name with "." and ".." folded, relative names taken from the current directory.
String ExpandFileName(const String& fileName);

// The name as the file system takes it: '\' becomes '/'.
String NativePath(const String& fileName);

bool FileExists(const String& fileName);       // a file, not a directory
bool DirectoryExists(const String& directory);
// Creates the directory and any missing parents; false when that fails or dir is empty.
bool ForceDirectories(const String& directory);
bool DeleteFile(const String& fileName);
bool RenameFile(const String& oldName, const String& newName);
String GetCurrentDir();

// Last modification time in local time; false when the file does not exist.
bool FileAge(const String& fileName, TDateTime& age);
// 0 on success, else the system's error number.
Integer FileSetDate(const String& fileName, TDateTime age);

// ---- Directory search ----

constexpr Integer faReadOnly = 0x01;
constexpr Integer faHidden = 0x02;  // names starting with '.'
constexpr Integer faSysFile = 0x04;
constexpr Integer faVolumeID = 0x08;
constexpr Integer faDirectory = 0x10;
constexpr Integer faArchive = 0x20;  // every regular file
constexpr Integer faAnyFile = 0x3F;

// Win32 error numbers that FindFirst and FindNext answer.
constexpr Integer ERROR_FILE_NOT_FOUND = 2;
constexpr Integer ERROR_PATH_NOT_FOUND = 3;
constexpr Integer ERROR_NO_MORE_FILES = 18;

struct TSearchState;

struct TSearchRec {
  TDateTime TimeStamp = 0;
  Int64 Size = 0;
  Integer Attr = 0;
  String Name;
  Integer ExcludeAttr = 0;
  std::shared_ptr<TSearchState> FindHandle;
};

// path is a folder and a mask with '*' and '?' ("skins/*.skn"), matched without regard to case.
// Hidden, system and directory entries are found only when attr asks for them. Entries come in
// name order. Answers 0 or an ERROR_ number.
Integer FindFirst(const String& path, Integer attr, TSearchRec& f);
Integer FindNext(TSearchRec& f);
void FindClose(TSearchRec& f);
