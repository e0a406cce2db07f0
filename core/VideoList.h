#pragma once
// The task list: the source files the user added, in order, each with its probe result and job
// settings, and the input and output folders.

#include <memory>
#include <vector>

#include "core/Convert.h"
#include "core/Observer.h"
#include "core/TaskConf.h"

class TVideoInfo : public TObject {
  TAVREN_CLASS(TVideoInfo, TObject)
 public:
  TVideoInfo();
  ~TVideoInfo() override;

  bool HasVideo = false;
  Integer Width = 0;
  Integer Height = 0;
  bool HasAudio = false;
  Int64 Duration = 0;  // 100 ns
  TTaskInfo* Task;     // owned
};

// The destination name of a source file: its name with the extension's dot turned into "_"
// ("clip.avi" -> "clip_avi", "clip" -> "clip_").
String DestinationName(const String& Path);

class TVideoList : public TSubject {
  TAVREN_CLASS(TVideoList, TSubject)
 public:
  // Reads the folders from the settings file.
  explicit TVideoList(const String& ConfigFile = DefaultConfigFile());
  // Writes the folders back; a failure to write is logged.
  ~TVideoList() override;

  // EInvalideIndex unless 0 <= Index < Count.
  void CheckIndex(Integer Index) const;
  Integer GetCount() const { return static_cast<Integer>(FFiles.size()); }
  const String& GetPath(Integer Index) const;
  TVideoInfo* GetInfo(Integer Index) const;

  const String& GetInDir() const { return FInDir; }
  void SetInDir(const String& Folder) { FInDir = Folder; }
  const String& GetOutDir() const { return FOutDir; }
  // Stores Folder with a trailing delimiter; nobody is notified.
  void SetOutDir(const String& Folder);

  // Probes Path and appends it. The input folder follows Path even when the probe fails; the
  // list itself then stays as it was and the engine's error passes on.
  void AddFile(TMediaInfo* MediaInfo, const String& Path);
  void Delete(Integer Index);
  void Clear();

 private:
  struct TEntry {
    String Path;
    std::unique_ptr<TVideoInfo> Info;
  };
  std::vector<TEntry> FFiles;
  std::unique_ptr<TConfIni> FIni;
  String FInDir;
  String FOutDir;
};
