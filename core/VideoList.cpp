#include "core/VideoList.h"

#include "core/EngineApi.h"
#include "core/Exception.h"
#include "rtl/FileUtils.h"

TAVREN_CLASS_IMPL(TVideoInfo)
TAVREN_CLASS_IMPL(TVideoList)

TVideoInfo::TVideoInfo() : Task(new TTaskInfo) {}
TVideoInfo::~TVideoInfo() { delete Task; }

String DestinationName(const String& Path) {
  String name = ExtractFileName(Path);
  String ext = ExtractFileExt(name);
  if (!ext.empty()) {
    name.resize(name.size() - ext.size());
    ext.erase(0, 1);
  }
  return name + "_" + ext;
}

TVideoList::TVideoList(const String& ConfigFile) : FIni(std::make_unique<TConfIni>(ConfigFile)) {
  FInDir = FIni->GetInitDir();
  SetOutDir(FIni->GetOutDir());
}

TVideoList::~TVideoList() {
  try {
    FIni->SetInitDir(FInDir);
    FIni->SetOutDir(FOutDir);
  } catch (const Exception& e) {
    LogCoreError("Saving the folders failed: " + e.Message());
  }
}

void TVideoList::CheckIndex(Integer Index) const {
  if (Index < 0 || Index >= GetCount()) RaiseInvalidIndex(Index);
}

const String& TVideoList::GetPath(Integer Index) const {
  CheckIndex(Index);
  return FFiles[Index].Path;
}

TVideoInfo* TVideoList::GetInfo(Integer Index) const {
  CheckIndex(Index);
  return FFiles[Index].Info.get();
}

void TVideoList::SetOutDir(const String& Folder) { FOutDir = IncludeTrailingPathDelimiter(Folder); }

void TVideoList::AddFile(TMediaInfo* MediaInfo, const String& Path) {
  FInDir = ExtractFilePath(Path);
  auto info = std::make_unique<TVideoInfo>();
  info->Task->OutName = DestinationName(Path);
  MediaInfo->Open(Path);
  info->Duration = MediaInfo->Duration();
  const Integer count = MediaInfo->StreamCount();
  for (Integer i = 0; i < count; ++i) {
    TStreamRecord record;
    MediaInfo->StreamInfo(i, record);
    switch (MediaInfo->StreamType(i)) {
      case stVideo:
        info->HasVideo = true;
        info->Width = record.Width();
        info->Height = record.Height();
        break;
      case stAudio: info->HasAudio = true; break;
      default: break;
    }
  }
  info->Task->Crop = Rect(0, 0, info->Width, info->Height);
  info->Task->EndTime = info->Duration;
  FFiles.push_back({Path, std::move(info)});
  Notify();
}

void TVideoList::Delete(Integer Index) {
  CheckIndex(Index);
  FFiles.erase(FFiles.begin() + Index);
  Notify();
}

void TVideoList::Clear() {
  FFiles.clear();
  Notify();
}
