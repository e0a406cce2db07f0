#pragma once
// The sound filter of a conversion: resamples decoded sound to the encoder's rate and channels,
// applies the volume, cuts it to the converted range (sample-exact, with silence where the sound
// starts later than the range) and hands it on in frames of the encoder's size.

#include <functional>

#include "engine/AvHandles.h"
#include "rtl/Types.h"

class AudioFilter {
 public:
  using Sink = std::function<void(AVFrame*)>;

  // `encoder` is opened; `start` and `length` are 100-ns units on the source time line
  // (length <= 0: to the end); `sink` gets frames with pts counted in samples from 0.
  AudioFilter(const AVCodecContext* encoder, Integer volumePercent, Int64 start, Int64 length, Sink sink);
  ~AudioFilter();

  // Takes one decoded frame (pts in 100 ns); false once the range is complete.
  bool Push(const AVFrame* decoded);
  // Passes on what is left at the end of the source.
  void Finish();
  // The source time reached so far, 100 ns.
  Int64 Position() const;

 private:
  void Configure(const AVFrame* decoded);
  void Convert(const AVFrame* decoded);  // null drains the resampler
  void Append(uint8_t** planes, int samples);
  void Emit(bool last);

  const AVCodecContext* FEncoder;
  float FGain;
  Int64 FStart;
  Int64 FLimit;  // samples of the range at the output rate; -1 without a limit
  Sink FSink;
  SwrContextPtr FResampler;
  AVChannelLayout FInLayout{};
  int FInRate = 0;
  int FInFormat = -1;
  AvAudioFifoPtr FFifo;
  bool FStarted = false;
  Int64 FSkip = 0;     // output samples still to drop before the range starts
  Int64 FQueued = 0;   // samples taken into the range so far
  Int64 FEmitted = 0;  // samples handed to the sink
};
