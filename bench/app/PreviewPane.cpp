// The main window's preview pane playing a clip: the picture drawn into the pane's panel and the
// knob moved every 100 ms, as the main window's timer does.

#include <cstdio>

#include "../PreviewClip.h"
#include "AppBench.h"
#include "app/MainPreview.h"

namespace {
// The main window's timer handler.
struct TKnobTimer : TObject {
  TPreviewPane* Pane = nullptr;
  void Tick(TObject*) { Pane->UpdatePosition(); }
};
}  // namespace

int PreviewPaneFigure(const std::string& Clip, int Seconds) {
  int result = 0;
  TForm* form = nullptr;
  Application()->CreateForm(form);
  form->SetBounds(100, 100, 253, 256);
  TPreviewControls c;
  auto place = [&](auto* control, Integer x, Integer y, Integer w, Integer h) {
    control->SetParent(form);
    control->SetBounds(x, y, w, h);
    return control;
  };
  c.PanelPlay = place(new TPanel(form), 7, 5, 240, 180);
  c.PanelPlay->SetColor(clBlack);
  c.ImagePlayerBG = place(new TImage(form), 7, 5, 240, 180);
  c.ImageBar = place(new TImage(form), 29, 192, 214, 8);
  c.ImagePos = place(new TImage(form), 29, 189, 6, 14);
  c.ImagePlay = place(new TImage(form), 8, 187, 18, 18);
  c.ImagePause = place(new TImage(form), 8, 187, 18, 18);
  c.lblName = place(new TLabel(form), 8, 212, 200, 13);
  c.lblLength = place(new TLabel(form), 8, 226, 200, 13);
  c.lblSize = place(new TLabel(form), 8, 240, 200, 13);
  c.TimerUpdatePos = new TTimer(form);
  c.TimerUpdatePos->SetInterval(100);
  c.TimerUpdatePos->SetEnabled(false);
  TMediaPlayer player;
  TPreviewPane pane(&player, c);
  TKnobTimer tick;
  tick.Pane = &pane;
  c.TimerUpdatePos->SetOnTimer(MakeEvent<&TKnobTimer::Tick>(&tick));
  pane.OnPlayerState(2);
  form->Show();
  const Int64 duration = Int64(Seconds) * 10000000;
  const double cpuBefore = CpuSeconds();
  const auto wallBefore = std::chrono::steady_clock::now();
  try {
    pane.Play(Clip, duration, 640, 480);
    RunLoopUntil([&] { return player.Position() >= duration - 2000000; },
                 wallBefore + std::chrono::seconds(Seconds * 3 + 10));
  } catch (const Exception& e) {
    fprintf(stderr, "%s\n", e.Message().c_str());
    result = 1;
  }
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
  const double cpu = CpuSeconds() - cpuBefore;
  player.Stop();
  printf("main window preview of %d s, 640x480 at 30 fps, knob every 100 ms: wall %.2f s, CPU %.2f s, "
         "%.1f %% of one core (goal: under 25 %%)\n",
         Seconds, wall, cpu, 100.0 * cpu / wall);
  delete form;
  return result;
}
