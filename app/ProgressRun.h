#pragma once
// One conversion run of the queued files: each file's job is described to the engine and started
// in turn, the engine is followed from the progress window's timers, and a file that cannot be
// converted is skipped and named when the run ends. The progress window shows what this holds.

#include <memory>
#include <vector>

#include "core/Convert.h"
#include "core/Formats.h"
#include "vcl/Timers.h"

// What the window shows of the run after a poll.
struct TProgressFigures {
  Integer Current = 0;  // per cent of the file being converted
  Integer Total = 0;    // per cent of the whole run
  String Counter;       // "[2/3]"
  String FileName;      // the source without its folder
};

class TProgressRun : public TObject {
  TAVREN_CLASS(TProgressRun, TObject)
 public:
  // How long a cancel waits for the engine to stop before it gives up with a message.
  static constexpr Cardinal CancelTimeLimit = 10000;  // ms
  // How often the run looks whether the engine has finished the job, so that the next file starts
  // at once rather than at the window's next progress poll.
  static constexpr Cardinal FinishWatchInterval = 10;  // ms

  TProgressRun(TMediaConverter* Converter, TFormats* Formats);
  ~TProgressRun() override;

  // The queue: source paths with their job settings (not owned: they belong to the task list).
  void AddTask(const String& Source, TTaskInfo* Task);
  void ClearTasks();
  Integer GetCount() const { return static_cast<Integer>(FTasks.size()); }
  // The output folder, with a trailing delimiter.
  void SetOutDir(const String& Folder) { FOutDir = Folder; }
  const String& GetOutDir() const { return FOutDir; }

  // The engine's state codes for the window: 0 paused, 1 resumed, 2 started, 3 all done.
  TStateEvent OnState;

  // Reports 2 and starts the first file that can be converted.
  void Start();
  // Follows the engine once: moves the figures and, when the job has ended, starts the next
  // file or ends the run. Does nothing while a file is being set up, a poll is under way or no
  // job runs (the replace question and the cancel wait let timers in).
  void Poll();
  // The end of the job only: what the run's own watch does between two polls.
  void CheckFinished();
  void Pause();
  void Resume();
  // Stops a running job and waits for the engine, processing messages, at most CancelTimeLimit
  // of the clock; answers false, after telling the user, when it did not stop in time. Nothing
  // further is started.
  bool Cancel();

  Integer GetCurrent() const { return FCurrent; }
  const TProgressFigures& GetFigures() const { return FFigures; }
  bool IsJobRunning() const { return FJobRunning; }
  bool IsFinished() const { return FFinished; }
  // "name: reason" for every file not converted so far.
  const std::vector<String>& GetFailures() const { return FFailures; }

 private:
  struct TTask {
    String Source;
    TTaskInfo* Task;
  };
  // Starts the file at Index or, skipping those that cannot be converted, a later one; ends the
  // run when none is left.
  void StartFrom(Integer Index);
  // Describes the file's job and runs it; false, with the reason noted, when it was skipped.
  bool StartTask(Integer Index);
  void Skip(Integer Index, const String& Reason);
  void Finish();
  void EngineState(Integer State);
  void ShowCounter();
  void WatchTick(TObject* Sender);
  void SetJobRunning(bool Running);

  TMediaConverter* FConverter;
  TFormats* FFormats;
  std::vector<TTask> FTasks;
  String FOutDir;
  Integer FCurrent = 0;
  bool FJobRunning = false;
  bool FFinished = false;
  bool FCancelled = false;
  bool FBusy = false;
  TProgressFigures FFigures;
  std::vector<String> FFailures;
  std::unique_ptr<TTimer> FFinishWatch;
};
