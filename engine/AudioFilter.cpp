#include "engine/AudioFilter.h"

#include <algorithm>

#include "engine/EngineError.h"

namespace {

// A writable frame of planar float samples.
AvFramePtr NewSoundFrame(const AVChannelLayout& layout, int sampleRate, int samples) {
  AvFramePtr frame = NewFrame();
  frame->format = AV_SAMPLE_FMT_FLTP;
  frame->nb_samples = samples;
  frame->sample_rate = sampleRate;
  if (av_channel_layout_copy(&frame->ch_layout, &layout) < 0 || av_frame_get_buffer(frame.get(), 0) < 0)
    throw std::bad_alloc();
  return frame;
}

}  // namespace

AudioFilter::AudioFilter(const AVCodecContext* encoder, Integer volumePercent, Int64 start, Int64 length, Sink sink)
    : FEncoder(encoder),
      FGain(float(std::max(volumePercent, 0)) / 100.0f),
      FStart(std::max<Int64>(start, 0)),
      FLimit(length > 0 ? av_rescale(length, encoder->sample_rate, kTime100ns.den) : -1),
      FSink(std::move(sink)) {
  FFifo.reset(av_audio_fifo_alloc(AV_SAMPLE_FMT_FLTP, encoder->ch_layout.nb_channels, 4096));
  if (!FFifo) throw std::bad_alloc();
}

AudioFilter::~AudioFilter() { av_channel_layout_uninit(&FInLayout); }

void AudioFilter::Configure(const AVFrame* decoded) {
  AVChannelLayout in{};
  if (decoded->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || av_channel_layout_check(&decoded->ch_layout) == 0)
    av_channel_layout_default(&in, decoded->ch_layout.nb_channels);
  else if (av_channel_layout_copy(&in, &decoded->ch_layout) < 0)
    throw std::bad_alloc();
  const bool same = FResampler && av_channel_layout_compare(&in, &FInLayout) == 0 &&
                    decoded->sample_rate == FInRate && decoded->format == FInFormat;
  if (same) {
    av_channel_layout_uninit(&in);
    return;
  }
  av_channel_layout_uninit(&FInLayout);
  FInLayout = in;
  FInRate = decoded->sample_rate;
  FInFormat = decoded->format;
  SwrContext* resampler = nullptr;
  // This FFmpeg takes the layouts through non-const pointers; it only reads them.
  int error = swr_alloc_set_opts2(&resampler, const_cast<AVChannelLayout*>(&FEncoder->ch_layout), AV_SAMPLE_FMT_FLTP, FEncoder->sample_rate,
                                  &FInLayout, AVSampleFormat(FInFormat), FInRate, 0, nullptr);
  FResampler.reset(resampler);
  if (error >= 0) error = swr_init(resampler);
  if (error < 0) RaiseEngineError(erDecoderFailed, "cannot resample the sound: " + AvErrorText(error));
}

bool AudioFilter::Push(const AVFrame* decoded) {
  if (FLimit >= 0 && FQueued >= FLimit) return false;
  if (decoded->nb_samples <= 0 || decoded->sample_rate <= 0) return true;
  Configure(decoded);
  if (!FStarted) {
    // The first sound decides where the range starts in it: silence when it starts late, samples
    // to drop when it starts early (a seek lands on the packet before the start).
    FStarted = true;
    const Int64 offset = av_rescale(decoded->pts - FStart, FEncoder->sample_rate, kTime100ns.den);
    if (offset > 0) {
      const int samples = int(std::min<Int64>(offset, FLimit >= 0 ? FLimit : offset));
      AvFramePtr silence = NewSoundFrame(FEncoder->ch_layout, FEncoder->sample_rate, samples);
      av_samples_set_silence(silence->extended_data, 0, silence->nb_samples, silence->ch_layout.nb_channels,
                             AV_SAMPLE_FMT_FLTP);
      Append(silence->extended_data, silence->nb_samples);
    } else {
      FSkip = -offset;
    }
  }
  Convert(decoded);
  Emit(false);
  return FLimit < 0 || FQueued < FLimit;
}

void AudioFilter::Convert(const AVFrame* decoded) {
  const int inSamples = decoded ? decoded->nb_samples : 0;
  const int capacity = swr_get_out_samples(FResampler.get(), inSamples);
  if (capacity < 0) RaiseEngineError(erDecoderFailed, "cannot resample the sound: " + AvErrorText(capacity));
  if (capacity == 0) return;
  AvFramePtr converted = NewSoundFrame(FEncoder->ch_layout, FEncoder->sample_rate, capacity);
  const int samples = swr_convert(FResampler.get(), converted->extended_data, capacity,
                                  decoded ? const_cast<const uint8_t**>(decoded->extended_data) : nullptr, inSamples);
  if (samples < 0) RaiseEngineError(erDecoderFailed, "cannot resample the sound: " + AvErrorText(samples));
  Append(converted->extended_data, samples);
}

void AudioFilter::Append(uint8_t** planes, int samples) {
  int from = int(std::min<Int64>(FSkip, samples));
  FSkip -= from;
  int count = samples - from;
  if (FLimit >= 0) count = int(std::min<Int64>(count, FLimit - FQueued));
  if (count <= 0) return;
  const int channels = FEncoder->ch_layout.nb_channels;
  void* start[AV_NUM_DATA_POINTERS] = {};
  for (int c = 0; c < channels && c < AV_NUM_DATA_POINTERS; ++c) {
    float* plane = reinterpret_cast<float*>(planes[c]) + from;
    start[c] = plane;
    if (FGain != 1.0f)
      for (int i = 0; i < count; ++i) plane[i] = std::clamp(plane[i] * FGain, -1.0f, 1.0f);
  }
  if (av_audio_fifo_write(FFifo.get(), start, count) < count) throw std::bad_alloc();
  FQueued += count;
}

void AudioFilter::Emit(bool last) {
  const int frameSize = FEncoder->frame_size > 0 ? FEncoder->frame_size : 1024;
  while (av_audio_fifo_size(FFifo.get()) >= frameSize || (last && av_audio_fifo_size(FFifo.get()) > 0)) {
    const int samples = std::min(frameSize, av_audio_fifo_size(FFifo.get()));
    AvFramePtr frame = NewSoundFrame(FEncoder->ch_layout, FEncoder->sample_rate, samples);
    av_audio_fifo_read(FFifo.get(), reinterpret_cast<void**>(frame->extended_data), frame->nb_samples);
    frame->pts = FEmitted;
    FEmitted += frame->nb_samples;
    FSink(frame.get());
  }
}

void AudioFilter::Finish() {
  // What the resampler still holds.
  if (FResampler && (FLimit < 0 || FQueued < FLimit)) Convert(nullptr);
  Emit(true);
}

Int64 AudioFilter::Position() const { return FStart + av_rescale(FEmitted, kTime100ns.den, FEncoder->sample_rate); }
