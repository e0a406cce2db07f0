#pragma once
// The main window's preview pane: a double-clicked file plays into a black panel, its name,
// length and picture size shown beside it, and a knob follows the position along a bar. The user
// pauses, resumes and drags the knob to seek. The pane's controls belong to the main window; this
// is what they do.

#include "core/Convert.h"
#include "vcl/ExtCtrls.h"
#include "vcl/StdCtrls.h"
#include "vcl/Timers.h"

// The pane's controls, as the main window's form holds them.
struct TPreviewControls {
  TPanel* PanelPlay = nullptr;       // the playback surface
  TImage* ImagePlayerBG = nullptr;   // the still shown while nothing plays
  TImage* ImageBar = nullptr;
  TImage* ImagePos = nullptr;        // the knob
  TImage* ImagePlay = nullptr;
  TImage* ImagePause = nullptr;
  TLabel* lblName = nullptr;
  TLabel* lblLength = nullptr;
  TLabel* lblSize = nullptr;
  TTimer* TimerUpdatePos = nullptr;  // 100 ms
};

class TPreviewPane : public TObject {
  TAVREN_CLASS(TPreviewPane, TObject)
 public:
  // Centres the knob on the bar, at its left end.
  TPreviewPane(TMediaPlayer* Player, const TPreviewControls& Controls);

  // Shows the file's name, length and size and plays it.
  void Play(const String& Path, Int64 Duration, Integer Width, Integer Height);
  // The player's states (0 playing, 1 paused) and the pane's own 2, stopped; others change nothing.
  void OnPlayerState(Integer State);
  // Puts the knob's left edge at X, kept on the bar.
  void SetKnobPosition(Integer X);

  // The timer's tick: the knob follows the position; the end of the file stops the player.
  void UpdatePosition();
  void KnobDown();
  // X inside the knob.
  void KnobMove(Integer X);
  // Seeks to where the knob was let go.
  void KnobUp();
  void PauseClick();
  void PlayClick();

  Int64 GetDuration() const { return FDuration; }
  bool IsDragging() const { return FDragging; }

 private:
  Integer KnobTravel() const;

  TMediaPlayer* FPlayer;
  TPreviewControls FControls;
  Int64 FDuration = 0;
  bool FDragging = false;
};
