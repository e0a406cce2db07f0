#include "engine/ConversionJob.h"

#include <vector>

#include "engine/AudioFilter.h"
#include "engine/EngineError.h"
#include "engine/FrameRate.h"
#include "engine/FrameSnapshot.h"
#include "engine/MediaSource.h"
#include "engine/OutputFile.h"

namespace {

// Queue lengths: enough for the stages to run ahead of each other by a few frames while
// keeping only a few pictures in memory.
constexpr size_t kDecodedPictures = 6;
constexpr size_t kFilteredPictures = 4;
constexpr size_t kDecodedSound = 64;

}  // namespace

ConversionJob::ConversionJob(std::unique_ptr<MediaSource> source, const TJobSettings& settings,
                             FrameSnapshot& snapshot)
    : FSource(std::move(source)),
      FSettings(settings),
      FDecodedVideo(kDecodedPictures),
      FFilteredVideo(kFilteredPictures),
      FDecodedAudio(kDecodedSound),
      FVideoPosition(settings.Start),
      FAudioPosition(settings.Start) {
  const bool video = settings.HasVideo && ContainerHasVideo(settings.Container) && FSource->VideoStream() >= 0;
  const bool audio = settings.HasAudio && FSource->AudioStream() >= 0;
  if (!video && !audio) RaiseEngineError(erOutputParameters, "nothing of the source fits this output format");
  const char* muxer = MuxerFor(settings.Container, settings.AudioCodec);
  if (String(muxer) == "mp3" && settings.AudioCodec != kAudioMp3)
    RaiseEngineError(erOutputParameters, "an MP3 file holds MP3 sound only");
  if (settings.HasVideo && !video)
    EngineLog(TLogKind::Info, "no picture written: %s", FSource->VideoStream() < 0 ? "the source has none" : "sound-only format");

  const Int64 length = FSource->Duration();
  if (length > 0 && settings.Start >= length)
    RaiseEngineError(erOutputParameters, "the range starts at " + std::to_string(settings.Start / 10000) +
                                             " ms, past the end of the source (" + std::to_string(length / 10000) + " ms)");

  FDecoder = std::make_unique<DecodeStage>(*FSource, video ? FSource->VideoStream() : -1, &FDecodedVideo,
                                           audio ? FSource->AudioStream() : -1, &FDecodedAudio);
  FDecoder->Seek(settings.Start);
  FOutput = std::make_unique<OutputFile>(settings.OutputPath, muxer);

  if (video) {
    const AVCodecContext* decoder = FDecoder->VideoDecoder();
    const TPictureLayout layout = LayoutPicture(TSize{decoder->width, decoder->height}, settings.Crop,
                                                settings.FrameSize, settings.Aspect);
    FFrameRate = settings.FrameDuration > 0 ? RateOfFrameDuration(settings.FrameDuration)
                                            : TidyFrameRate(FDecoder->VideoFrameRate());
    const TCodecEntry* codec = FindVideoCodec(settings.VideoCodec);
    if (codec == nullptr) RaiseEngineError(erEncoderFailed, "unknown picture codec " + std::to_string(settings.VideoCodec));
    if (settings.VideoCodec == kVideoWindowsMedia9)
      EngineLog(TLogKind::Info, "Windows Media Video 9 has no free encoder: writing Windows Media Video 8");
    FVideoEncoder.emplace(EncodeStage::Video(
        TVideoTarget{codec->Encoder, layout.FrameWidth, layout.FrameHeight, FFrameRate, settings.VideoBitRate}, *FOutput));
    FPictureFilter = std::make_unique<PictureFilter>(layout, settings.Brightness, settings.Contrast);
    FVideoStage = std::make_unique<VideoFilterStage>(FDecodedVideo, FFilteredVideo, *FPictureFilter, FFrameRate,
                                                     FDecoder->VideoFrameRate(), settings.Start, settings.Length,
                                                     snapshot);
    EngineLog(TLogKind::Info, "picture: %s %dx%d at %d/%d fps, %d bit/s, picture at (%d,%d)-(%d,%d)", codec->Encoder,
              layout.FrameWidth, layout.FrameHeight, FFrameRate.num, FFrameRate.den, settings.VideoBitRate,
              layout.Picture.Left, layout.Picture.Top, layout.Picture.Right, layout.Picture.Bottom);
  }
  if (audio) {
    const TCodecEntry* codec = FindAudioCodec(settings.AudioCodec);
    if (codec == nullptr) RaiseEngineError(erEncoderFailed, "unknown sound codec " + std::to_string(settings.AudioCodec));
    FAudioEncoder.emplace(EncodeStage::Audio(
        TAudioTarget{codec->Encoder, settings.Channels, settings.SampleRate, settings.AudioBitRate}, *FOutput));
    EngineLog(TLogKind::Info, "sound: %s %d channels at %d Hz, %d bit/s", codec->Encoder, settings.Channels,
              settings.SampleRate, settings.AudioBitRate);
  }
  FOutput->WriteHeader();
  FVideoDone = !video;
  FAudioDone = !audio;
}

ConversionJob::~ConversionJob() { Cancel(); }

void ConversionJob::Start() {
  EngineLog(TLogKind::Info, "converting %s into %s", FSource->Path().c_str(), FSettings.OutputPath.c_str());
  FSupervisor = std::thread([this] { Supervise(); });
}

void ConversionJob::Pause() { FGate.Pause(); }

void ConversionJob::Continue() { FGate.Continue(); }

void ConversionJob::Cancel() {
  {
    std::lock_guard lock(FCommitLock);
    if (!FFinished && !FCancelled) EngineLog(TLogKind::Info, "conversion into %s cancelled", FSettings.OutputPath.c_str());
    FCancelled = true;
  }
  StopStages();
  if (FSupervisor.joinable()) FSupervisor.join();
  FFinished = true;
}

Int64 ConversionJob::Position() const {
  const Int64 video = FVideoPosition.load(), audio = FAudioPosition.load();
  const bool videoDone = FVideoDone.load(), audioDone = FAudioDone.load();
  // The stream that lags tells how far the job is; a stream that has ended no longer counts.
  if (!videoDone && !audioDone) return std::min(video, audio);
  if (!videoDone) return video;
  if (!audioDone) return audio;
  return std::max(video, audio);
}

void ConversionJob::StopStages() {
  FGate.Stop();
  FDecodedVideo.Abandon();
  FFilteredVideo.Abandon();
  FDecodedAudio.Abandon();
}

void ConversionJob::Fail(TEngineResult code, const char* stage, const String& message) {
  EngineLog(TLogKind::Error, "%s: %s (code %d)", stage, message.c_str(), int(code));
  TEngineResult none = erSuccess;
  FResult.compare_exchange_strong(none, code);
  StopStages();
}

template <class Body>
void ConversionJob::RunStage(const char* name, Body&& body) {
  try {
    body();
  } catch (const EEngineError& e) {
    Fail(e.Code(), name, e.Message());
  } catch (const std::exception& e) {
    Fail(erUnsupportedFormat, name, e.what());
  }
}

void ConversionJob::Supervise() {
  std::vector<std::thread> stages;
  stages.emplace_back([this] { RunStage("decoding", [this] { FDecoder->Run(FGate); }); });
  if (FVideoEncoder) {
    stages.emplace_back([this] { RunStage("picture filter", [this] { FVideoStage->Run(FGate); }); });
    stages.emplace_back([this] { RunStage("picture encoding", [this] { RunVideoEncoder(); }); });
  }
  if (FAudioEncoder) stages.emplace_back([this] { RunStage("sound encoding", [this] { RunAudio(); }); });
  for (std::thread& stage : stages) stage.join();

  RunStage("writing", [this] {
    if (FGate.Stopped()) return;
    // The file may not say its length, or say it wrongly: a range past the end shows here.
    if (FEncodedUnits == 0) RaiseEngineError(erOutputParameters, "nothing of the source lies in the range");
    FOutput->Finish();
    std::lock_guard lock(FCommitLock);
    if (!FCancelled) {
      FOutput->Commit();
      EngineLog(TLogKind::Info, "finished %s", FSettings.OutputPath.c_str());
    }
  });
  // A finished job holds no file, decoder or decoding thread.
  FOutput.reset();  // removes the temporary file unless it was committed
  FVideoStage.reset();
  FPictureFilter.reset();
  FAudioEncoder.reset();
  FVideoEncoder.reset();
  FDecoder.reset();
  FSource.reset();
  FFinished = true;
}

void ConversionJob::RunVideoEncoder() {
  AvFramePtr frame;
  while (FGate.Proceed() && FFilteredVideo.Pop(frame)) {
    FVideoEncoder->Encode(frame.get());
    ++FEncodedUnits;
    FVideoPosition = FSettings.Start + av_rescale_q(frame->pts + 1, av_inv_q(FFrameRate), kTime100ns);
  }
  FFilteredVideo.Abandon();
  if (!FGate.Stopped()) FVideoEncoder->Encode(nullptr);
  FVideoDone = true;
}

void ConversionJob::RunAudio() {
  AudioFilter filter(FAudioEncoder->Context(), FSettings.Volume, FSettings.Start, FSettings.Length,
                     [this](AVFrame* frame) {
                       FAudioEncoder->Encode(frame);
                       ++FEncodedUnits;
                     });
  AvFramePtr frame;
  while (FGate.Proceed() && FDecodedAudio.Pop(frame)) {
    const bool more = filter.Push(frame.get());
    FAudioPosition = filter.Position();
    if (!more) break;
  }
  FDecodedAudio.Abandon();
  if (!FGate.Stopped()) {
    filter.Finish();
    FAudioEncoder->Encode(nullptr);
  }
  FAudioPosition = filter.Position();
  FAudioDone = true;
}
