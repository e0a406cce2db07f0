#pragma once
// The sound output of the preview: the default audio device through SDL2, fed by queueing
// 16-bit interleaved samples. Only SDL's audio part is started here, never its video.

#include <memory>

#include "rtl/Types.h"

class AudioDevice {
 public:
  // The default device, asked for `sampleRate` and `channels` (it may choose others); null when
  // the machine has no usable audio device, and the preview is then silent.
  static std::unique_ptr<AudioDevice> Open(int sampleRate, int channels);
  ~AudioDevice();
  AudioDevice(const AudioDevice&) = delete;
  AudioDevice& operator=(const AudioDevice&) = delete;

  int SampleRate() const { return FSampleRate; }
  int Channels() const { return FChannels; }

  // `frames` samples per channel, interleaved.
  void Queue(const int16_t* samples, int frames);
  // How long the sound queued but not yet played lasts, 100 ns.
  Int64 QueuedTime() const;
  void Pause(bool paused);
  void Clear();

 private:
  AudioDevice(uint32_t device, int sampleRate, int channels);

  uint32_t FDevice;
  int FSampleRate;
  int FChannels;
};

// Unit end: stops SDL's audio part when the preview started it.
void AudioDeviceEnd();
