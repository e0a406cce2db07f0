#include "core/Convert.h"
#include "core/ConvertCall.h"
#include "core/EngineApi.h"

TAVREN_CLASS_IMPL(TMediaPlayer)

namespace {
template <class Call>
void PlayerCall(Call&& call) {
  WrapEngineCall<EPlayException>(call);
}
const TMediaPlayerApi& Player() { return Engine().MediaPlayer; }
}  // namespace

TMediaPlayer::~TMediaPlayer() {
  try {
    Stop();
  } catch (const Exception& e) {
    LogCoreError("Stopping the preview failed: " + e.Message());
  }
}

void TMediaPlayer::Report(Integer State) const {
  if (FOnState) FOnState(State);
}

void TMediaPlayer::Play(const String& Path, HWND Window, TStateEvent OnState) {
  FOnState = OnState;
  PlayerCall([&] { return Player().Play(Path.c_str(), Window); });
  Report(0);
}

void TMediaPlayer::PlayDVD(const String& Path, HWND Window, Integer Selector1, Integer Selector2,
                           Integer Selector3, TStateEvent OnState) {
  FOnState = OnState;
  PlayerCall([&] { return Player().PlayDVD(Path.c_str(), Window, Selector1, Selector2, Selector3); });
  Report(0);
}

void TMediaPlayer::Seek(Int64 Start, Int64 Length) {
  PlayerCall([&] { return Player().Seek(Start, Length); });
}

void TMediaPlayer::Pause() {
  PlayerCall([&] { return Player().Pause(); });
  Report(1);
}

void TMediaPlayer::Resume() {
  PlayerCall([&] { return Player().Continue(); });
  Report(0);
}

void TMediaPlayer::SetVolume(Integer Value) {
  PlayerCall([&] { return Player().SetVolume(Value); });
}

void TMediaPlayer::SetBrightness(Integer Value) {
  PlayerCall([&] { return Player().SetBrightness(Value); });
}

void TMediaPlayer::SetContrast(Integer Value) {
  PlayerCall([&] { return Player().SetContrast(Value); });
}

void TMediaPlayer::GetSnapshot(Byte* Buffer, Integer& Size, Integer& Width, Integer& Height) {
  Width = 0;
  Height = 0;
  PlayerCall([&] { return Player().GetSnap(Buffer, &Size, &Width, &Height); });
}

Int64 TMediaPlayer::Position() {
  Int64 position = 0;
  PlayerCall([&] { return Player().GetCurrentPosition(&position); });
  return position;
}

void TMediaPlayer::Stop() {
  PlayerCall([&] { return Player().Stop(); });
}
