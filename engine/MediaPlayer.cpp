#include "engine/MediaPlayer.h"

#include <algorithm>
#include <memory>
#include <mutex>

#include "engine/AudioDevice.h"
#include "engine/EngineError.h"
#include "engine/MediaSource.h"
#include "engine/PlaybackSession.h"
#include "engine/PreviewPicture.h"
#include "user/VideoSurface.h"

namespace {

// The library's one preview.
struct TPlayer {
  TPlayerEffects Effects;
  HWND Window = nullptr;  // read by the display thread through the picture's output
  PreviewPicture Picture{[this](const uint8_t* pixels, Integer width, Integer height) {
    if (Window != nullptr) VideoSurfaceShowFrame(Window, pixels, width, height, width * 4);
  }};
  std::unique_ptr<MediaSource> Source;
  std::unique_ptr<AudioDevice> Device;
  std::unique_ptr<PlaybackSession> Session;
  bool Paused = false;
};

std::mutex gPlayerLock;
std::unique_ptr<TPlayer> gPlayer;  // guarded by gPlayerLock, made on first use

TPlayer& Player() {
  if (!gPlayer) gPlayer = std::make_unique<TPlayer>();
  return *gPlayer;
}

void StopPlayback(TPlayer& p) {
  p.Session.reset();  // joins the engine threads before anything they use goes
  p.Device.reset();
  p.Source.reset();
  if (p.Window != nullptr) VideoSurfaceClear(p.Window);
  p.Window = nullptr;
  p.Picture.Clear();
  p.Paused = false;
}

template <class Body>
TEngineResult PlayerCall(const char* name, Body&& body) {
  std::lock_guard lock(gPlayerLock);
  TPlayer& p = Player();
  return EngineCall(name, [&] { body(p); });
}

}  // namespace

extern "C" {

TEngineResult MediaPlayer_Play(const char* path, HWND window) {
  return PlayerCall("MediaPlayer_Play", [&](TPlayer& p) {
    StopPlayback(p);
    p.Source = MediaSource::Open(path ? path : "");
    if (p.Source->AudioStream() >= 0) {
      const AVCodecParameters* sound = p.Source->Format()->streams[p.Source->AudioStream()]->codecpar;
      p.Device = AudioDevice::Open(sound->sample_rate, sound->ch_layout.nb_channels);
    }
    p.Window = window;
    try {
      p.Session = std::make_unique<PlaybackSession>(*p.Source, 0, 0, false, p.Picture, p.Device.get(), p.Effects);
    } catch (...) {
      StopPlayback(p);
      throw;
    }
  });
}

TEngineResult MediaPlayer_PlayDVD(const char* path, HWND, Integer, Integer, Integer) {
  return PlayerCall("MediaPlayer_PlayDVD", [&](TPlayer& p) {
    StopPlayback(p);
    RaiseEngineError(erUnsupportedFormat, String("DVD input is not supported: ") + (path ? path : ""));
  });
}

TEngineResult MediaPlayer_Seek(Int64 start, Int64 length) {
  return PlayerCall("MediaPlayer_Seek", [&](TPlayer& p) {
    if (!p.Source) return;
    start = std::max<Int64>(start, 0);
    // A length past the end of the time line plays to the end of the file.
    const Int64 end = length > 0 && length <= INT64_MAX - start ? start + length : 0;
    p.Session.reset();
    p.Session = std::make_unique<PlaybackSession>(*p.Source, start, end, p.Paused, p.Picture, p.Device.get(), p.Effects);
  });
}

TEngineResult MediaPlayer_Pause() {
  return PlayerCall("MediaPlayer_Pause", [&](TPlayer& p) {
    if (!p.Session) return;
    p.Session->Pause();
    p.Paused = true;
  });
}

TEngineResult MediaPlayer_Continue() {
  return PlayerCall("MediaPlayer_Continue", [&](TPlayer& p) {
    if (!p.Session) return;
    p.Session->Continue();
    p.Paused = false;
  });
}

TEngineResult MediaPlayer_Stop() {
  return PlayerCall("MediaPlayer_Stop", [&](TPlayer& p) { StopPlayback(p); });
}

TEngineResult MediaPlayer_SetVolume(Integer percent) {
  return PlayerCall("MediaPlayer_SetVolume", [&](TPlayer& p) { p.Effects.Volume = percent; });
}

TEngineResult MediaPlayer_SetBrightness(Integer value) {
  return PlayerCall("MediaPlayer_SetBrightness", [&](TPlayer& p) {
    p.Effects.Brightness = std::clamp(value, -127, 127);
    ++p.Effects.PictureVersion;
  });
}

TEngineResult MediaPlayer_SetContrast(Integer value) {
  return PlayerCall("MediaPlayer_SetContrast", [&](TPlayer& p) {
    p.Effects.Contrast = std::clamp(value, -127, 127);
    ++p.Effects.PictureVersion;
  });
}

TEngineResult MediaPlayer_GetSnap(Byte* buffer, Integer* size, Integer* width, Integer* height) {
  Integer capacity = size ? std::max<Integer>(*size, 0) : 0;
  if (size) *size = 0;
  if (width) *width = 0;
  if (height) *height = 0;
  return PlayerCall("MediaPlayer_GetSnap", [&](TPlayer& p) {
    Integer w = 0, h = 0;
    p.Picture.Copy(buffer, capacity, w, h);
    if (size) *size = capacity;
    if (width) *width = w;
    if (height) *height = h;
  });
}

TEngineResult MediaPlayer_GetCurrentPosition(Int64* position) {
  if (position) *position = 0;
  return PlayerCall("MediaPlayer_GetCurrentPosition", [&](TPlayer& p) {
    if (position && p.Session) *position = p.Session->Position();
  });
}

}

void MediaPlayerEnd() {
  {
    std::lock_guard lock(gPlayerLock);
    if (gPlayer) StopPlayback(*gPlayer);
    gPlayer.reset();
  }
  AudioDeviceEnd();
}
