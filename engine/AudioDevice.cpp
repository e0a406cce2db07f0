#include "engine/AudioDevice.h"

#include <SDL2/SDL.h>

#include <mutex>

#include "engine/EngineLog.h"

namespace {

std::mutex gSoundLock;
bool gSoundTried = false;
bool gSoundReady = false;  // guarded by gSoundLock

// SDL's audio part is started on first use: most runs never preview, and a machine without
// sound must not slow down the start of the program.
bool SoundReady() {
  std::lock_guard lock(gSoundLock);
  if (!gSoundTried) {
    gSoundTried = true;
    gSoundReady = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    if (!gSoundReady) EngineLog(TLogKind::Info, "no sound output: %s", SDL_GetError());
  }
  return gSoundReady;
}

}  // namespace

std::unique_ptr<AudioDevice> AudioDevice::Open(int sampleRate, int channels) {
  if (!SoundReady()) return nullptr;
  SDL_AudioSpec wanted{};
  wanted.freq = sampleRate > 0 ? sampleRate : 44100;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = Uint8(channels == 1 ? 1 : 2);
  wanted.samples = 1024;
  SDL_AudioSpec got{};
  const SDL_AudioDeviceID device = SDL_OpenAudioDevice(
      nullptr, 0, &wanted, &got, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
  if (device == 0) {
    EngineLog(TLogKind::Info, "no sound output: %s", SDL_GetError());
    return nullptr;
  }
  return std::unique_ptr<AudioDevice>(new AudioDevice(device, got.freq, got.channels));
}

AudioDevice::AudioDevice(uint32_t device, int sampleRate, int channels)
    : FDevice(device), FSampleRate(sampleRate), FChannels(channels) {}

AudioDevice::~AudioDevice() { SDL_CloseAudioDevice(FDevice); }

void AudioDevice::Queue(const int16_t* samples, int frames) {
  if (frames <= 0) return;
  if (SDL_QueueAudio(FDevice, samples, Uint32(frames) * Uint32(FChannels) * sizeof(int16_t)) != 0)
    EngineLog(TLogKind::Warning, "sound lost: %s", SDL_GetError());
}

Int64 AudioDevice::QueuedTime() const {
  const Int64 bytesPerSecond = Int64(FSampleRate) * FChannels * Int64(sizeof(int16_t));
  return Int64(SDL_GetQueuedAudioSize(FDevice)) * 10000000 / bytesPerSecond;
}

void AudioDevice::Pause(bool paused) { SDL_PauseAudioDevice(FDevice, paused ? 1 : 0); }

void AudioDevice::Clear() { SDL_ClearQueuedAudio(FDevice); }

void AudioDeviceEnd() {
  std::lock_guard lock(gSoundLock);
  if (gSoundReady) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  gSoundTried = gSoundReady = false;
}
