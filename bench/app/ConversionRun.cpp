// Five clips of 5 s converted to WMV by a conversion run that the progress window's 300 ms timer
// polls, against the same jobs run back to back by the engine with a poll every 10 ms: the run's
// time as a share more than the engine's (goal: at most 5 %).

#include <cstdio>
#include <thread>
#include <vector>

#include "../PreviewClip.h"
#include "AppBench.h"
#include "app/ProgressRun.h"
#include "core/VideoList.h"
#include "rtl/FileUtils.h"
#include "vcl/Timers.h"

namespace {

struct TPollTimer : TObject {
  TProgressRun* Run = nullptr;
  void Tick(TObject*) { Run->Poll(); }
};

std::vector<TTaskInfo> Tasks(const std::vector<std::string>& Clips) {
  std::vector<TTaskInfo> tasks(Clips.size());
  for (size_t i = 0; i < Clips.size(); ++i) {
    tasks[i].OutName = DestinationName(Clips[i]);
    tasks[i].Crop = TRect{0, 0, 640, 480};
    tasks[i].EndTime = 50000000;
  }
  return tasks;
}

double Seconds(std::chrono::steady_clock::time_point Since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - Since).count();
}

}  // namespace

int ConversionRunFigure(const std::string& Folder) {
  std::vector<std::string> clips;
  for (int i = 0; i < 5; ++i) {
    clips.push_back(Folder + "/clip" + std::to_string(i) + ".mp4");
    if (!MakeClip(clips.back(), 5)) return 1;
  }
  TFormats formats("Zune,WMV,WMA,MP3", Folder + "/configure.ini");
  for (Integer i = 0; i < formats.GetCount(); ++i)
    if (formats.GetRoot().GetItems(i).GetName() == "WMV") {
      TFormatSelection selection;
      selection.Format = i;
      formats.SetSelection(selection);
      formats.ApplyDefaults();
    }
  FormatDetail detail;
  formats.BuildDetail(detail);
  TMediaConverter converter;
  std::vector<TTaskInfo> tasks = Tasks(clips);

  // The engine alone, each job started as soon as the last one ends.
  const std::string direct = Folder + "/direct/";
  ForceDirectories(direct);
  auto started = std::chrono::steady_clock::now();
  for (size_t i = 0; i < clips.size(); ++i) {
    converter.DescribeJob(clips[i], tasks[i], detail, direct + tasks[i].OutName + "." + detail.FileExt);
    converter.Run({});
    while (!converter.IsFinished()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  const double engine = Seconds(started);

  // The same through a run, polled by a timer as the progress window does.
  const std::string polled = Folder + "/polled/";
  ForceDirectories(polled);
  TProgressRun run(&converter, &formats);
  run.SetOutDir(polled);
  for (size_t i = 0; i < clips.size(); ++i) run.AddTask(clips[i], &tasks[i]);
  TTimer timer(nullptr);
  TPollTimer poll;
  poll.Run = &run;
  timer.SetInterval(300);
  timer.SetOnTimer(MakeEvent<&TPollTimer::Tick>(&poll));
  started = std::chrono::steady_clock::now();
  run.Start();
  timer.SetEnabled(true);
  RunLoopUntil([&] { return run.IsFinished(); }, started + std::chrono::seconds(int(engine * 3) + 30));
  const double window = Seconds(started);
  timer.SetEnabled(false);
  const bool complete = run.IsFinished() && run.GetFailures().empty();
  printf("five 5 s clips to WMV: engine back to back %.2f s, through a run polled every 300 ms %.2f s, "
         "%+.1f %% (goal: at most +5 %%)%s\n",
         engine, window, 100.0 * (window / engine - 1), complete ? "" : " - the run did not complete");
  return complete ? 0 : 1;
}
