#include "app/ProgressRun.h"

#include <sys/stat.h>

#include <algorithm>

#include "core/EngineApi.h"
#include "core/GlobalFun.h"
#include "rtl/FileUtils.h"
#include "rtl/SysUtils.h"
#include "user/MessageBox.h"
#include "user/Timers.h"
#include "vcl/Forms.h"

TAVREN_CLASS_IMPL(TProgressRun)

namespace {

// Both names lead to one file (the same device and inode, whatever the path says).
bool SameFile(const String& A, const String& B) {
  struct stat a {}, b {};
  return stat(A.c_str(), &a) == 0 && stat(B.c_str(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

Integer Percent(Double Value) { return static_cast<Integer>(std::clamp(Value, 0.0, 100.0)); }

// Clears a flag however the block is left.
class TFlagScope {
 public:
  explicit TFlagScope(bool& Flag) : FFlag(Flag) { FFlag = true; }
  ~TFlagScope() { FFlag = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& FFlag;
};

// The last line of a message: the engine's own words, without the wrapper's heading.
String Reason(const String& Message) {
  const size_t cut = Message.find_last_of("\r\n");
  return cut == String::npos ? Message : Message.substr(cut + 1);
}

}  // namespace

TProgressRun::TProgressRun(TMediaConverter* Converter, TFormats* Formats)
    : FConverter(Converter), FFormats(Formats), FFinishWatch(std::make_unique<TTimer>(nullptr)) {
  FFinishWatch->SetEnabled(false);
  FFinishWatch->SetInterval(FinishWatchInterval);
  FFinishWatch->SetOnTimer(MakeEvent<&TProgressRun::WatchTick>(this));
}

TProgressRun::~TProgressRun() = default;

void TProgressRun::SetJobRunning(bool Running) {
  FJobRunning = Running;
  FFinishWatch->SetEnabled(Running);
}

void TProgressRun::WatchTick(TObject*) {
  try {
    CheckFinished();
  } catch (...) {
    // The application's handler reports the failure once; the window's poll goes on asking.
    FFinishWatch->SetEnabled(false);
    throw;
  }
}

void TProgressRun::AddTask(const String& Source, TTaskInfo* Task) { FTasks.push_back({Source, Task}); }

void TProgressRun::ClearTasks() { FTasks.clear(); }

void TProgressRun::Start() {
  FCurrent = 0;
  SetJobRunning(false);
  FFinished = false;
  FCancelled = false;
  FFigures = {};
  FFailures.clear();
  if (OnState) OnState(2);
  StartFrom(0);
}

void TProgressRun::StartFrom(Integer Index) {
  TFlagScope busy(FBusy);
  for (FCurrent = Index; FCurrent < GetCount() && !FCancelled; ++FCurrent) {
    ShowCounter();
    if (StartTask(FCurrent)) return;
    FFigures.Total = Percent((FCurrent + 1) * 100.0 / GetCount());
  }
  if (!FCancelled) Finish();
}

bool TProgressRun::StartTask(Integer Index) {
  const TTask& entry = FTasks[size_t(Index)];
  const TTaskInfo& task = *entry.Task;
  if (task.TrimmedLength() <= 0) {
    Skip(Index, "the selected range is empty");
    return false;
  }
  // An emptied destination would be written as a hidden file named after the extension alone.
  if (task.OutName.empty()) {
    Skip(Index, "the destination name is empty");
    return false;
  }
  try {
    FormatDetail detail;
    FFormats->BuildDetail(detail);
    const String output = FOutDir + task.OutName + "." + detail.FileExt;
    if (SameFile(entry.Source, output)) {
      Skip(Index, "the output would replace its own source");
      return false;
    }
    if (FileExists(output)) {
      const String question =
          Format("Are you sure you want to replace the exiting file '%s'?", ExtractFileName(output).c_str());
      if (Application()->MessageBox(question, "Information", MB_OKCANCEL | MB_ICONINFORMATION) != IDOK) {
        Skip(Index, "the existing file was kept");
        return false;
      }
      if (FCancelled) return false;
    }
    FConverter->DescribeJob(entry.Source, task, detail, output);
    FConverter->Run(MakeEvent<&TProgressRun::EngineState>(this));
  } catch (const Exception& e) {
    Skip(Index, Reason(e.Message()));
    return false;
  }
  SetJobRunning(true);
  FFigures.Current = 0;
  return true;
}

// A half-described or failed job is dropped, so the engine is idle for the next file.
void TProgressRun::Skip(Integer Index, const String& Why) {
  FFailures.push_back(ExtractFileName(FTasks[size_t(Index)].Source) + ": " + Why);
  try {
    FConverter->Cancel();
  } catch (const Exception& e) {
    LogCoreError("Resetting the conversion failed: " + e.Message());
  }
}

void TProgressRun::Finish() {
  FFinished = true;
  SetJobRunning(false);
  if (OnState) OnState(3);
  String text = "All conversion tasks have been finished!";
  if (!FFailures.empty()) {
    text += "\r\n\r\nThese files were not converted:";
    for (const String& line : FFailures) text += "\r\n" + line;
  }
  ShowInformation(text);
}

void TProgressRun::ShowCounter() {
  FFigures.Counter = Format("[%d/%d]", FCurrent + 1, GetCount());
  FFigures.FileName = ExtractFileName(FTasks[size_t(FCurrent)].Source);
}

void TProgressRun::Poll() {
  if (FBusy || !FJobRunning) return;
  {
    TFlagScope busy(FBusy);
    const TTaskInfo& task = *FTasks[size_t(FCurrent)].Task;
    // Only files with a range longer than zero are started.
    const Double length = Double(task.EndTime - task.StartTime);
    const Double done = Double(FConverter->Position() - task.StartTime);
    FFigures.Current = Percent(done * 100 / length);
    FFigures.Total = Percent(FFigures.Current / Double(GetCount()) + FCurrent * 100 / Double(GetCount()));
    ShowCounter();
  }
  CheckFinished();
}

void TProgressRun::CheckFinished() {
  if (FBusy || !FJobRunning) return;
  TFlagScope busy(FBusy);
  if (!FConverter->IsFinished()) return;
  SetJobRunning(false);
  if (const Byte code = FConverter->GetJobResult())
    FFailures.push_back(FFigures.FileName + ": " + MediaErrorText(code));
  else
    FFigures.Current = 100;
  FFigures.Total = Percent((FCurrent + 1) * 100 / Double(GetCount()));
  StartFrom(FCurrent + 1);
}

// A paused job cannot finish: the watch rests meanwhile.
void TProgressRun::Pause() {
  FConverter->Pause();
  FFinishWatch->SetEnabled(false);
}

void TProgressRun::Resume() {
  FConverter->Resume(true);
  FFinishWatch->SetEnabled(FJobRunning);
}

bool TProgressRun::Cancel() {
  FCancelled = true;
  if (!FJobRunning) return true;
  TFlagScope busy(FBusy);
  FConverter->Cancel();
  const DWORD started = GetTickCount();
  while (!FConverter->IsFinished()) {
    if (GetTickCount() - started >= CancelTimeLimit) {
      SetJobRunning(false);
      ShowError("The conversion did not stop in time; its output may be incomplete.");
      return false;
    }
    Application()->ProcessMessages();
    Sleep(10);
  }
  SetJobRunning(false);
  return true;
}

void TProgressRun::EngineState(Integer State) {
  if (OnState) OnState(State);
}
