#include "engine/ConversionJob.h"

#include <sched.h>

#include <algorithm>
#include <vector>

#include "engine/AudioFilter.h"
#include "engine/EngineError.h"
#include "engine/FrameRate.h"
#include "engine/FrameSnapshot.h"
#include "engine/MediaSource.h"
#include "engine/OutputFile.h"
#include "engine/PacketSpool.h"
#include "engine/SegmentPlan.h"
#include "engine/VideoSegment.h"

namespace {

// Queue lengths: enough for the stages to run ahead of each other by a few frames while
// keeping only a few pictures in memory.
constexpr size_t kDecodedPictures = 6;
constexpr size_t kFilteredPictures = 4;
constexpr size_t kDecodedSound = 64;

// Parts of a picture stream are this long at least: shorter ones gain little over their set-up,
// and the encoder's rate control needs a few seconds to settle.
constexpr Int64 kShortestPart = 5 * 10000000LL;
// Each part holds about this many pictures (its decoder's, those queued, its encoder's) and
// this much besides (demuxer, decoder and encoder tables); all parts together hold no more than
// the budget, so that large pictures make fewer parts.
constexpr double kPicturesPerPart = 12;
constexpr double kPartOverhead = 4.0 * 1024 * 1024;
constexpr double kPartMemoryBudget = 72.0 * 1024 * 1024;

std::atomic<int> gPartLimit{0};

// The cores this process may run on (a container or taskset may allow fewer than there are).
int ProcessorCount() {
  cpu_set_t set;
  CPU_ZERO(&set);
  if (sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0) return CPU_COUNT(&set);
  return int(std::max(1u, std::thread::hardware_concurrency()));
}

int PartLimit() {
  const int limit = gPartLimit.load();
  return limit > 0 ? limit : ProcessorCount();
}

}  // namespace

void SetConversionParts(int parts) { gPartLimit = std::max(0, parts); }

ConversionJob::ConversionJob(std::unique_ptr<MediaSource> source, const TJobSettings& settings,
                             FrameSnapshot& snapshot)
    : FSource(std::move(source)),
      FSettings(settings),
      FDecodedVideo(kDecodedPictures),
      FFilteredVideo(kFilteredPictures),
      FDecodedAudio(kDecodedSound),
      FSnapshot(snapshot),
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
  FOutput = std::make_unique<OutputFile>(settings.OutputPath, muxer);

  bool segmented = false;
  if (video) {
    const AVStream* stream = FSource->Format()->streams[FSource->VideoStream()];
    const TPictureLayout layout = LayoutPicture(TSize{stream->codecpar->width, stream->codecpar->height},
                                                settings.Crop, settings.FrameSize, settings.Aspect);
    const AVRational sourceRate = av_guess_frame_rate(FSource->Format(), const_cast<AVStream*>(stream), nullptr);
    FFrameRate = settings.FrameDuration > 0 ? RateOfFrameDuration(settings.FrameDuration) : TidyFrameRate(sourceRate);
    const TCodecEntry* codec = FindVideoCodec(settings.VideoCodec);
    if (codec == nullptr) RaiseEngineError(erEncoderFailed, "unknown picture codec " + std::to_string(settings.VideoCodec));
    if (settings.VideoCodec == kVideoWindowsMedia9)
      EngineLog(TLogKind::Info, "Windows Media Video 9 has no free encoder: writing Windows Media Video 8");
    const TVideoTarget target{codec->Encoder, layout.FrameWidth, layout.FrameHeight, FFrameRate, settings.VideoBitRate};
    segmented = SetUpSegments(layout, target);
    if (!segmented) {
      FVideoEncoder.emplace(
          EncodeStage::IntoFile(EncodeStage::OpenVideo(target, FOutput->NeedsGlobalHeader()), *FOutput));
      FPictureFilter = std::make_unique<PictureFilter>(layout, settings.Brightness, settings.Contrast);
    }
    EngineLog(TLogKind::Info, "picture: %s %dx%d at %d/%d fps, %d bit/s, picture at (%d,%d)-(%d,%d), %d part(s)",
              codec->Encoder, layout.FrameWidth, layout.FrameHeight, FFrameRate.num, FFrameRate.den,
              settings.VideoBitRate, layout.Picture.Left, layout.Picture.Top, layout.Picture.Right,
              layout.Picture.Bottom, segmented ? int(FSegments.size()) : 1);
  }
  // The job's own decoder: the picture and the sound, or the sound only while parts decode the
  // picture.
  const bool ownVideo = video && !segmented;
  FDecoder = std::make_unique<DecodeStage>(*FSource, ownVideo ? FSource->VideoStream() : -1, &FDecodedVideo,
                                           audio ? FSource->AudioStream() : -1, &FDecodedAudio);
  FDecoder->Seek(settings.Start);
  if (ownVideo)
    FVideoStage = std::make_unique<VideoFilterStage>(
        FDecodedVideo, FFilteredVideo, *FPictureFilter, FFrameRate, FDecoder->VideoFrameRate(), settings.Start,
        settings.Length, [this](const AVFrame* frame) { FSnapshot.Update(frame); });
  if (audio) {
    const TCodecEntry* codec = FindAudioCodec(settings.AudioCodec);
    if (codec == nullptr) RaiseEngineError(erEncoderFailed, "unknown sound codec " + std::to_string(settings.AudioCodec));
    AvCodecContextPtr encoder = EncodeStage::OpenAudio(
        TAudioTarget{codec->Encoder, settings.Channels, settings.SampleRate, settings.AudioBitRate},
        FOutput->NeedsGlobalHeader());
    if (segmented) {
      FAudioOutputStream = FOutput->AddStream(encoder.get());
      FAudioSpool = std::make_unique<PacketSpool>(FolderOf(settings.OutputPath), encoder->time_base);
      FAudioEncoder.emplace(std::move(encoder), [this](AVPacket* packet) { FAudioSpool->Write(packet); });
    } else {
      FAudioEncoder.emplace(EncodeStage::IntoFile(std::move(encoder), *FOutput));
    }
    EngineLog(TLogKind::Info, "sound: %s %d channels at %d Hz, %d bit/s", codec->Encoder, settings.Channels,
              settings.SampleRate, settings.AudioBitRate);
  }
  FOutput->WriteHeader();
  FVideoDone = !video;
  FAudioDone = !audio;
}

bool ConversionJob::SetUpSegments(const TPictureLayout& layout, const TVideoTarget& target) {
  const int stream = FSource->VideoStream();
  const AVCodecParameters* source = FSource->Format()->streams[stream]->codecpar;
  const double pictureBytes = 1.5 * std::max(double(source->width) * source->height,
                                             double(layout.FrameWidth) * layout.FrameHeight);
  const int parts = std::min(PartLimit(), int(kPartMemoryBudget / (kPicturesPerPart * pictureBytes + kPartOverhead)));
  const Int64 end = FSettings.Length > 0 ? FSettings.Start + FSettings.Length : FSource->Duration();
  if (parts < 2 || end - FSettings.Start < 2 * kShortestPart) return false;
  const std::vector<Int64> cuts =
      ChooseCuts(IndexedKeyFrames(*FSource, stream), FSettings.Start, end, parts, kShortestPart);
  // The index may give decoding times: each part starts where its key frame is shown.
  std::vector<TSegment> plan{TSegment{FSettings.Start, 0, 0}};
  for (Int64 cut : cuts) {
    const Int64 key = KeyFrameAt(*FSource, stream, cut);
    const Int64 first = FrameIndexAt(key, FSettings.Start, FFrameRate);
    if (key < 0 || first <= plan.back().First) continue;
    plan.back().End = first;
    plan.push_back(TSegment{key, first, 0});
  }
  FSource->Rewind();
  if (plan.size() < 2) return false;
  plan.back().End = std::numeric_limits<Int64>::max();

  TSegmentJob job;
  job.Path = FSource->Path();
  job.Layout = layout;
  job.Brightness = FSettings.Brightness;
  job.Contrast = FSettings.Contrast;
  job.Rate = FFrameRate;
  job.Start = FSettings.Start;
  job.Length = FSettings.Length;
  job.Target = target;
  job.GlobalHeader = FOutput->NeedsGlobalHeader();
  job.SpoolFolder = FolderOf(FSettings.OutputPath);
  job.DecoderThreads = std::max(1, ProcessorCount() / int(plan.size()));
  for (size_t i = 0; i < plan.size(); ++i)
    FSegments.push_back(std::make_unique<VideoSegment>(job, plan[i], [this, i](const AVFrame* frame) {
      if (FLiveSegment.load() == i) FSnapshot.Update(frame);
    }));
  FSegmentDone.assign(FSegments.size(), false);
  FSegmented = true;
  // Every part's encoder is set up alike: the first describes the stream.
  FVideoOutputStream = FOutput->AddStream(FSegments.front()->Encoder());
  return true;
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
  // With parts, the share of the frames done, on the source time line.
  const Int64 video = FSegmented ? FSettings.Start + av_rescale_q(FFramesDone.load(), av_inv_q(FFrameRate), kTime100ns)
                                 : FVideoPosition.load();
  const Int64 audio = FAudioPosition.load();
  const bool videoDone = FVideoDone.load(), audioDone = FAudioDone.load();
  // The stream that lags tells how far the job is; a stream that has ended no longer counts.
  if (!videoDone && !audioDone) return std::min(video, audio);
  if (!videoDone) return video;
  if (!audioDone) return audio;
  return std::max(video, audio);
}

void ConversionJob::StopStages() {
  FGate.Stop();
  {
    std::lock_guard lock(FSegmentsLock);
    for (const auto& segment : FSegments) segment->Stop();
  }
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
  RunSegments(stages);
  if (FAudioEncoder) stages.emplace_back([this] { RunStage("sound encoding", [this] { RunAudio(); }); });
  for (std::thread& stage : stages) stage.join();

  RunStage("writing", [this] {
    if (FGate.Stopped()) return;
    // The file may not say its length, or say it wrongly: a range past the end shows here.
    if (FEncodedUnits == 0) RaiseEngineError(erOutputParameters, "nothing of the source lies in the range");
    if (!FSegments.empty()) {
      std::vector<PacketSpool*> parts;
      for (const auto& segment : FSegments) parts.push_back(&segment->Spool());
      WriteSpoolsInOrder(parts, FVideoOutputStream, FAudioSpool.get(), FAudioOutputStream, *FOutput, FGate);
      if (FGate.Stopped()) return;
    }
    FOutput->Finish();
    std::lock_guard lock(FCommitLock);
    if (!FCancelled) {
      FOutput->Commit();
      EngineLog(TLogKind::Info, "finished %s", FSettings.OutputPath.c_str());
    }
  });
  // A finished job holds no file, decoder or decoding thread.
  FOutput.reset();  // removes the temporary file unless it was committed
  {
    std::lock_guard lock(FSegmentsLock);
    FSegments.clear();
  }
  FAudioSpool.reset();
  FVideoStage.reset();
  FPictureFilter.reset();
  FAudioEncoder.reset();
  FVideoEncoder.reset();
  FDecoder.reset();
  FSource.reset();
  FFinished = true;
}

void ConversionJob::RunVideoEncoder() {
  EncodeQueue(FGate, FFilteredVideo, *FVideoEncoder, [this](const AVFrame* frame) {
    ++FEncodedUnits;
    FVideoPosition = FSettings.Start + av_rescale_q(frame->pts + 1, av_inv_q(FFrameRate), kTime100ns);
  });
  FVideoDone = true;
}

void ConversionJob::RunSegments(std::vector<std::thread>& stages) {
  for (size_t i = 0; i < FSegments.size(); ++i) {
    VideoSegment& segment = *FSegments[i];
    stages.emplace_back([this, &segment] { RunStage("decoding a part", [&] { segment.Decode(FGate); }); });
    stages.emplace_back([this, &segment] { RunStage("filtering a part", [&] { segment.Filter(FGate); }); });
    stages.emplace_back([this, &segment, i] {
      RunStage("encoding a part", [&] {
        segment.Encode(FGate, [this](const AVFrame*) {
          ++FEncodedUnits;
          ++FFramesDone;
        });
      });
      SegmentFinished(i);
    });
  }
}

void ConversionJob::SegmentFinished(size_t index) {
  std::lock_guard lock(FLiveLock);
  FSegmentDone[index] = true;
  size_t live = FLiveSegment.load();
  while (live < FSegmentDone.size() && FSegmentDone[live]) ++live;
  FLiveSegment = live;
  if (live == FSegmentDone.size()) FVideoDone = true;
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
