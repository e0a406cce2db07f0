#pragma once
// The folders the user works with, kept in section "Files" of the settings file.

#include "rtl/Object.h"

// The settings file: "configure.ini" beside the program. The task list and the format catalogue
// share it, under this one name.
String DefaultConfigFile();

class TConfIni : public TObject {
  TAVREN_CLASS(TConfIni, TObject)
 public:
  explicit TConfIni(const String& FileName = DefaultConfigFile()) : FFileName(FileName) {}

  // The stored folder when it exists, else the user's documents folder ("/" without one).
  String ReadDir(const String& Key);
  void WriteDir(const String& Key, const String& Value);

  String GetInitDir() { return ReadDir("InitDir"); }
  void SetInitDir(const String& Value) { WriteDir("InitDir", Value); }
  String GetOutDir() { return ReadDir("OutDir"); }
  void SetOutDir(const String& Value) { WriteDir("OutDir", Value); }

 private:
  String FFileName;  // opened anew for every read and write
};
