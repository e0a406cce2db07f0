// The clip editor's crop page while the preview plays: the preview draws into its hidden panel,
// and every 300 ms the editor takes a still and hands it to the selection window.

#include <cstdio>

#include "../PreviewClip.h"
#include "AppBench.h"
#include "app/VideoEdit.h"

int CropPageFigure(const std::string& Clip, int Seconds) {
  int result = 0;
  TMediaPlayer player;
  TTaskInfo task;
  task.EndTime = Int64(Seconds) * 10000000;
  task.Crop = TRect{0, 0, 640, 480};
  TPlayContext context;
  context.Path = Clip;
  context.HasVideo = true;
  context.Width = 640;
  context.Height = 480;
  context.Duration = task.EndTime;
  context.Task = &task;
  TFormVideoEdit* editor = nullptr;
  Application()->CreateForm(editor);
  editor->Show();
  const double cpuBefore = CpuSeconds();
  const auto wallBefore = std::chrono::steady_clock::now();
  try {
    editor->Open(&player, &context);
    editor->ShowCropPage();
    // The editor loops its preview inside the range; stop just before the end comes round.
    RunLoopUntil([&] { return player.Position() >= task.EndTime - 2000000; },
                 wallBefore + std::chrono::seconds(Seconds * 3 + 10));
  } catch (const Exception& e) {
    fprintf(stderr, "%s\n", e.Message().c_str());
    result = 1;
  }
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
  const double cpu = CpuSeconds() - cpuBefore;
  editor->Close();
  printf("crop page over a preview of %d s, 640x480 at 30 fps, stills every 300 ms: wall %.2f s, CPU %.2f s, "
         "%.1f %% of one core (goal: under 25 %%)\n",
         Seconds, wall, cpu, 100.0 * cpu / wall);
  delete editor;
  return result;
}
