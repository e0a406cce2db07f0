#include "app/MainPreview.h"

#include <algorithm>

#include "core/GlobalFun.h"
#include "rtl/FileUtils.h"
#include "rtl/Math.h"
#include "rtl/SysUtils.h"

TAVREN_CLASS_IMPL(TPreviewPane)

TPreviewPane::TPreviewPane(TMediaPlayer* Player, const TPreviewControls& Controls)
    : FPlayer(Player), FControls(Controls) {
  TImage* bar = Controls.ImageBar;
  TImage* knob = Controls.ImagePos;
  knob->SetTop(Integer(Round(bar->GetHeight() / 2.0)) + bar->GetTop() - Integer(Round(knob->GetHeight() / 2.0)));
  knob->SetLeft(bar->GetLeft());
}

void TPreviewPane::Play(const String& Path, Int64 Duration, Integer Width, Integer Height) {
  FDuration = Duration;
  FControls.lblName->SetCaption(ExtractFileName(Path));
  FControls.lblLength->SetCaption(FormatTicks(true, Duration));
  FControls.lblSize->SetCaption(Format("%d x %d", Width, Height));
  FPlayer->Play(Path, FControls.PanelPlay->GetHandle(), MakeEvent<&TPreviewPane::OnPlayerState>(this));
}

void TPreviewPane::OnPlayerState(Integer State) {
  const TPreviewControls& c = FControls;
  switch (State) {
    case 0:
      c.PanelPlay->Show();
      c.ImagePlayerBG->Hide();
      c.TimerUpdatePos->SetEnabled(true);
      c.ImagePos->SetEnabled(true);
      c.ImagePlay->Hide();
      c.ImagePlay->SetEnabled(false);
      c.ImagePause->Show();
      c.ImagePause->SetEnabled(true);
      break;
    case 1:
      c.TimerUpdatePos->SetEnabled(false);
      c.ImagePlay->Show();
      c.ImagePlay->SetEnabled(true);
      c.ImagePause->Hide();
      c.ImagePause->SetEnabled(false);
      break;
    case 2:
      c.PanelPlay->Hide();
      c.ImagePlayerBG->Show();
      c.TimerUpdatePos->SetEnabled(false);
      SetKnobPosition(c.ImageBar->GetLeft());
      c.ImagePos->SetEnabled(false);
      c.ImagePlay->Show();
      c.ImagePlay->SetEnabled(false);
      c.ImagePause->Hide();
      c.ImagePause->SetEnabled(false);
      c.lblName->SetCaption("");
      c.lblLength->SetCaption("");
      c.lblSize->SetCaption("");
      break;
    default: break;
  }
}

Integer TPreviewPane::KnobTravel() const {
  return std::max(FControls.ImageBar->GetWidth() - FControls.ImagePos->GetWidth(), 0);
}

void TPreviewPane::SetKnobPosition(Integer X) {
  const Integer left = FControls.ImageBar->GetLeft();
  FControls.ImagePos->SetLeft(std::clamp(X, left, left + KnobTravel()));
}

void TPreviewPane::UpdatePosition() {
  try {
    const Int64 position = FPlayer->Position();
    if (position >= FDuration) FPlayer->Stop();
    // A file without a length keeps the knob at the start.
    const Double share = FDuration > 0 ? Double(position) / Double(FDuration) : 0.0;
    SetKnobPosition(Integer(Round(share * KnobTravel())) + FControls.ImageBar->GetLeft());
  } catch (...) {
    // The handler reports the failure once, not at every tick.
    FControls.TimerUpdatePos->SetEnabled(false);
    throw;
  }
}

void TPreviewPane::KnobDown() {
  FControls.TimerUpdatePos->SetEnabled(false);
  FDragging = true;
}

void TPreviewPane::KnobMove(Integer X) {
  if (FDragging) SetKnobPosition(X + FControls.ImagePos->GetLeft());
}

void TPreviewPane::KnobUp() {
  FDragging = false;
  const Integer travel = KnobTravel();
  const Double share = travel > 0 ? Double(FControls.ImagePos->GetLeft() - FControls.ImageBar->GetLeft()) / travel : 0.0;
  FPlayer->Seek(Round(share * Double(FDuration)), 0);
  FControls.TimerUpdatePos->SetEnabled(true);
}

void TPreviewPane::PauseClick() { FPlayer->Pause(); }

void TPreviewPane::PlayClick() { FPlayer->Resume(); }
