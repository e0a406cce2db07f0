#include "engine/PlaybackSession.h"

#include <algorithm>

#include "engine/AudioDevice.h"
#include "engine/EngineError.h"
#include "engine/MediaSource.h"
#include "engine/PreviewPicture.h"

namespace {

constexpr auto kPoll = std::chrono::milliseconds(50);
// How much sound the device holds ahead of what is heard: enough to ride out a busy moment,
// little enough that volume changes are heard at once.
constexpr Int64 kSoundAhead = 2000000;  // 200 ms
// A picture this late is skipped, a few in a row at most, so that a slow machine catches up.
constexpr Int64 kLate = 1000000;  // 100 ms
constexpr int kMostSkipped = 4;

Int64 SamplesToTime(Int64 samples, int rate) { return rate > 0 ? av_rescale(samples, kTime100ns.den, rate) : 0; }
Int64 TimeToSamples(Int64 time, int rate) { return av_rescale(time, rate, kTime100ns.den); }

// A thread body that must not take the program down: a failure ends only its stream.
template <class Body>
void Guarded(const char* name, Body&& body) noexcept {
  try {
    body();
  } catch (const std::exception& e) {
    EngineLog(TLogKind::Error, "preview %s: %s", name, e.what());
  }
}

}  // namespace

PlaybackSession::PlaybackSession(MediaSource& source, Int64 start, Int64 end, bool paused, PreviewPicture& picture,
                                 AudioDevice* device, TPlayerEffects& effects)
    : FSource(source),
      FStart(std::max<Int64>(start, 0)),
      FEnd(end > FStart ? end : 0),
      FPicture(picture),
      FDevice(device),
      FEffects(effects),
      FClock(FStart),
      FVideoFrames(8),
      FSoundFrames(128) {
  const int video = source.VideoStream();
  const int sound = source.AudioStream();
  FDecode = std::make_unique<DecodeStage>(source, video, &FVideoFrames, sound, &FSoundFrames);
  FFrameTime = std::max<Int64>(av_rescale_q(1, av_inv_q(FDecode->VideoFrameRate()), kTime100ns), 1);
  if (FStart == 0) Rewind();  // the reader leaves a source alone for a start of 0
  FDecode->Seek(FStart);
  if (FDevice) {
    FDevice->Pause(true);
    FDevice->Clear();
  }
  if (paused) FClock.Pause();
  FPlayingStreams = (video >= 0 ? 1 : 0) + (sound >= 0 ? 1 : 0);
  FDecodeThread = std::thread([this] { Guarded("reading", [&] { FDecode->Run(FGate); }); });
  if (video >= 0) FPictureThread = std::thread([this] { Guarded("pictures", [&] { ShowPictures(); }); });
  if (sound >= 0) FSoundThread = std::thread([this] { Guarded("sound", [&] { PlaySound(); }); });
}

PlaybackSession::~PlaybackSession() {
  FStopping = true;
  FGate.Stop();
  FVideoFrames.Abandon();
  FSoundFrames.Abandon();
  FClock.Wake();
  for (std::thread* t : {&FDecodeThread, &FPictureThread, &FSoundThread})
    if (t->joinable()) t->join();
  if (FDevice) {
    FDevice->Pause(true);
    FDevice->Clear();
  }
  av_channel_layout_uninit(&FResamplerInput);
}

void PlaybackSession::Pause() {
  std::lock_guard lock(FLock);
  FClock.Pause();
  if (FDevice) FDevice->Pause(true);
}

void PlaybackSession::Continue() {
  std::lock_guard lock(FLock);
  FClock.Continue();
  if (FDevice && FSoundStarted) FDevice->Pause(false);
}

void PlaybackSession::Rewind() {
  // A source that played before (to its end, say) must be read from its first packet again.
  const Int64 first = av_rescale_q(FSource.StartOffset(), kTime100ns, AV_TIME_BASE_Q);
  int error = avformat_seek_file(FSource.Format(), -1, INT64_MIN, first, first, 0);
  if (error < 0 && FSource.Format()->pb != nullptr) error = int(avio_seek(FSource.Format()->pb, 0, SEEK_SET));
  if (error < 0) EngineLog(TLogKind::Warning, "cannot go back to the start of %s: %s", FSource.Path().c_str(),
                           AvErrorText(error).c_str());
}

Int64 PlaybackSession::Position() const { return std::max<Int64>(FClock.Now(), 0); }

bool PlaybackSession::WaitForClock(Int64 time) {
  while (!Stopping())
    if (FClock.WaitFor(time, kPoll)) return true;
  return false;
}

bool PlaybackSession::WaitForClock(Int64 time, const AVFrame* shown, unsigned& pictureVersion) {
  while (!Stopping()) {
    if (FClock.WaitFor(time, kPoll)) return true;
    // Brightness and contrast apply at once, also to a paused picture.
    if (shown && FEffects.PictureVersion != pictureVersion) ShowFrame(shown, pictureVersion);
  }
  return false;
}

void PlaybackSession::ShowFrame(const AVFrame* frame, unsigned& pictureVersion) {
  pictureVersion = FEffects.PictureVersion;
  FPicture.Show(frame, FEffects.Brightness, FEffects.Contrast);
}

void PlaybackSession::ShowPictures() {
  AvFramePtr frame;
  AvFramePtr shown;
  AvFramePtr skipped;  // the latest picture, when it came too late to be shown
  int skippedInARow = 0;
  unsigned version = 0;
  Int64 lastEnd = FStart;
  while (!Stopping() && FVideoFrames.Pop(frame)) {
    const Int64 time = frame->pts;
    if (time + FFrameTime <= FStart) continue;  // decoded from the key frame before the start
    if (FEnd > 0 && time >= FEnd) break;
    lastEnd = FEnd > 0 ? std::min(time + FFrameTime, FEnd) : time + FFrameTime;
    // The first picture is shown at once, also when paused: it is what a seek lands on.
    if (shown) {
      if (!WaitForClock(time, shown.get(), version)) return;
      if (FClock.Now() - time > std::max(kLate, 2 * FFrameTime) && skippedInARow < kMostSkipped) {
        ++skippedInARow;
        skipped = std::move(frame);
        continue;
      }
    }
    skippedInARow = 0;
    skipped.reset();
    ShowFrame(frame.get(), version);
    FClock.Start();
    shown = std::move(frame);
  }
  if (Stopping()) return;
  // The play range ends on its last picture, late or not.
  if (skipped) {
    ShowFrame(skipped.get(), version);
    shown = std::move(skipped);
  }
  FVideoFrames.Abandon();  // the range is over: the reader need not decode further pictures
  if (!WaitForClock(lastEnd, shown.get(), version)) return;
  StreamEnded(lastEnd);
  // The last picture stays, and still follows the effects.
  while (WaitForClock(INT64_MAX, shown.get(), version)) {
  }
}

void PlaybackSession::PlaySound() {
  AvFramePtr frame;
  Int64 lastEnd = FStart;
  while (!Stopping() && FSoundFrames.Pop(frame)) {
    const Int64 time = frame->pts;
    const Int64 length = SamplesToTime(frame->nb_samples, frame->sample_rate);
    if (time + length <= FStart) continue;
    if (FEnd > 0 && time >= FEnd) break;
    if (FDevice) {
      FeedDevice(frame.get());
    } else {
      // Silent: the sound only paces itself to the clock, which runs on the system clock from
      // the first picture, or from now when there is none.
      if (!FDecode->VideoDecoder()) FClock.Start();
      if (!WaitForClock(time)) return;
    }
    lastEnd = FEnd > 0 ? std::min(time + length, FEnd) : time + length;
  }
  if (Stopping()) return;
  FSoundFrames.Abandon();
  if (FDevice) {
    // Whatever was queued plays out before the sound counts as ended.
    StartSound();
    PaceSound(0);
  } else {
    if (!FDecode->VideoDecoder()) FClock.Start();
    if (!WaitForClock(lastEnd)) return;
  }
  StreamEnded(lastEnd);
}

void PlaybackSession::StartSound() {
  std::lock_guard lock(FLock);
  if (FSoundStarted) return;
  FSoundStarted = true;
  if (!FClock.Paused()) FDevice->Pause(false);
  FClock.Start();
}

void PlaybackSession::PaceSound(Int64 ahead) {
  while (!Stopping()) {
    const Int64 queued = FDevice->QueuedTime();
    if (FSoundStarted) FClock.FollowSound(FQueuedEnd - queued);  // only this thread sets FSoundStarted
    if (queued <= ahead) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

void PlaybackSession::FeedDevice(const AVFrame* frame) {
  if (frame->nb_samples <= 0 || frame->sample_rate <= 0) return;
  AVChannelLayout in{};
  if (frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || av_channel_layout_check(&frame->ch_layout) == 0)
    av_channel_layout_default(&in, frame->ch_layout.nb_channels);
  else if (av_channel_layout_copy(&in, &frame->ch_layout) < 0)
    throw std::bad_alloc();
  if (!FResampler || av_channel_layout_compare(&in, &FResamplerInput) != 0 || frame->sample_rate != FResamplerRate ||
      frame->format != FResamplerFormat) {
    av_channel_layout_uninit(&FResamplerInput);
    FResamplerInput = in;
    FResamplerRate = frame->sample_rate;
    FResamplerFormat = frame->format;
    AVChannelLayout out{};
    av_channel_layout_default(&out, FDevice->Channels());
    SwrContext* resampler = nullptr;
    int error = swr_alloc_set_opts2(&resampler, &out, AV_SAMPLE_FMT_S16, FDevice->SampleRate(), &FResamplerInput,
                                    AVSampleFormat(FResamplerFormat), FResamplerRate, 0, nullptr);
    FResampler.reset(resampler);
    if (error >= 0) error = swr_init(resampler);
    if (error < 0) {
      FResampler.reset();
      RaiseEngineError(erDecoderFailed, "cannot resample the sound: " + AvErrorText(error));
    }
  } else {
    av_channel_layout_uninit(&in);
  }

  const int rate = FDevice->SampleRate();
  const int channels = FDevice->Channels();
  const int capacity = swr_get_out_samples(FResampler.get(), frame->nb_samples);
  if (capacity <= 0) return;
  FSamples.resize(size_t(capacity) * size_t(channels));
  uint8_t* out[1] = {reinterpret_cast<uint8_t*>(FSamples.data())};
  const int converted = swr_convert(FResampler.get(), out, capacity, const_cast<const uint8_t**>(frame->extended_data),
                                    frame->nb_samples);
  if (converted <= 0) return;

  // Sample-exact cut to the play range.
  const Int64 skip = frame->pts < FStart ? std::min<Int64>(TimeToSamples(FStart - frame->pts, rate), converted) : 0;
  Int64 count = converted - skip;
  if (FEnd > 0) count = std::min(count, TimeToSamples(FEnd - frame->pts, rate) - skip);
  if (count <= 0) return;
  int16_t* samples = FSamples.data() + skip * channels;
  const Integer volume = std::max<Integer>(FEffects.Volume, 0);
  if (volume != 100) {
    for (Int64 i = 0; i < count * channels; ++i)
      samples[i] = int16_t(std::clamp<Int64>(Int64(samples[i]) * volume / 100, INT16_MIN, INT16_MAX));
  }

  PaceSound(kSoundAhead);
  if (Stopping()) return;
  FDevice->Queue(samples, int(count));
  FQueuedEnd = std::max(frame->pts, FStart) + SamplesToTime(count, rate);
  StartSound();
}

void PlaybackSession::StreamEnded(Int64 end) {
  std::lock_guard lock(FLock);
  FStreamsEnd = std::max(FStreamsEnd, end);
  if (--FPlayingStreams > 0) return;
  // At the end of the file the position reaches the file's length, which is what the player's
  // callers compare it with.
  const Int64 natural = std::max(FStreamsEnd, FSource.Duration());
  FClock.Hold(FEnd > 0 ? std::min(FEnd, natural) : natural);
  FEnded = true;
}
