#pragma once
// One conversion: a pipeline of plain stages on engine threads, joined by bounded queues so
// that decoding, filtering and encoding overlap:
//
//   decode stage --pictures--> picture stage --frames--> picture encoder --+
//                \--sound----> sound filter + sound encoder ---------------+--> output file
//
// A long picture stream is cut at key frames into parts (VideoSegment) that decode and encode
// side by side, each on threads of its own, into spools; the sound is one stream, spooled too.
// At the end the spools are written into the output in order: the time stamps continue across
// the parts, as one encoder would have written them.
//
// A supervisor thread waits for the stages, then finishes the output file and renames it, or
// removes it when the job was cancelled or failed.

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "engine/CodecTable.h"
#include "engine/DecodeStage.h"
#include "engine/EncodeStage.h"
#include "engine/EngineResult.h"
#include "engine/PictureFilter.h"
#include "engine/StageGate.h"
#include "engine/VideoFilterStage.h"

class FrameSnapshot;
class MediaSource;
class OutputFile;
class PacketSpool;
class VideoSegment;

// The most parts a picture stream is cut into: 0 for one per processor core the process may use
// (the default), 1 for a single stream.
void SetConversionParts(int parts);

// A job as the caller described it.
struct TJobSettings {
  String OutputPath;
  TContainer Container = TContainer::Asf;
  Integer Volume = 100;  // per cent
  Integer Brightness = 0;
  Integer Contrast = 0;
  TRect Crop{};    // source pixels; empty: the whole picture
  TSize Aspect{};  // the picture's shape in the frame; 0 x 0 fills the frame
  Int64 Start = 0;   // 100 ns on the source time line
  Int64 Length = 0;  // 100 ns; 0 or less: to the end
  bool HasVideo = false;
  Integer VideoCodec = 0;
  TSize FrameSize{};        // 0 x 0: the source (cropped) size
  Int64 FrameDuration = 0;  // 100 ns; 0: the source rate
  Integer VideoBitRate = 0;
  bool HasAudio = false;
  Integer AudioCodec = 0;
  Integer Channels = 0;
  Integer SampleRate = 0;
  Integer AudioBitRate = 0;
};

class ConversionJob {
 public:
  // Sets the whole job up (decoders, encoders, the output file and its header) so that set-up
  // failures come back at once: raises EEngineError with their code.
  ConversionJob(std::unique_ptr<MediaSource> source, const TJobSettings& settings, FrameSnapshot& snapshot);
  ~ConversionJob();  // cancels a running job

  // Starts the engine threads and returns.
  void Start();
  void Pause();
  void Continue();
  // Stops the job and waits for its threads. Once it returns, the output name is never written.
  void Cancel();

  bool Finished() const { return FFinished.load(); }
  // 0, or the code of the failure that ended the job.
  TEngineResult Result() const { return FResult.load(); }
  // How far the conversion has got, 100 ns on the source time line.
  Int64 Position() const;

 private:
  template <class Body>
  void RunStage(const char* name, Body&& body);
  void Fail(TEngineResult code, const char* stage, const String& message);
  void StopStages();
  void Supervise();
  void RunVideoEncoder();
  void RunAudio();
  // Sets up the parts of the picture stream when the job is long enough and the source has
  // key frames that can be found again; false for a single stream.
  bool SetUpSegments(const TPictureLayout& layout, const TVideoTarget& target);
  void RunSegments(std::vector<std::thread>& stages);
  void SegmentFinished(size_t index);

  std::unique_ptr<MediaSource> FSource;
  TJobSettings FSettings;
  FrameQueue FDecodedVideo;
  FrameQueue FFilteredVideo;
  FrameQueue FDecodedAudio;
  std::unique_ptr<DecodeStage> FDecoder;
  std::unique_ptr<OutputFile> FOutput;
  std::optional<EncodeStage> FVideoEncoder;
  std::optional<EncodeStage> FAudioEncoder;
  std::unique_ptr<PictureFilter> FPictureFilter;
  std::unique_ptr<VideoFilterStage> FVideoStage;
  AVRational FFrameRate{25, 1};
  StageGate FGate;
  FrameSnapshot& FSnapshot;

  std::mutex FSegmentsLock;  // the supervisor's clearing and StopStages exclude each other
  std::vector<std::unique_ptr<VideoSegment>> FSegments;  // empty: a single picture stream
  bool FSegmented = false;
  std::unique_ptr<PacketSpool> FAudioSpool;               // the sound while there are parts
  int FVideoOutputStream = -1;
  int FAudioOutputStream = -1;
  std::mutex FLiveLock;
  std::vector<bool> FSegmentDone;  // guarded by FLiveLock
  std::atomic<size_t> FLiveSegment{0};  // the first unfinished part: the one snapshots show
  std::atomic<Int64> FFramesDone{0};  // by the parts

  std::thread FSupervisor;
  std::mutex FCommitLock;  // the rename and Cancel exclude each other
  bool FCancelled = false; // guarded by FCommitLock
  std::atomic<bool> FFinished{false};
  std::atomic<TEngineResult> FResult{erSuccess};
  std::atomic<Int64> FVideoPosition;
  std::atomic<Int64> FAudioPosition;
  std::atomic<bool> FVideoDone{true};
  std::atomic<bool> FAudioDone{true};
  std::atomic<Int64> FEncodedUnits{0};  // pictures and sound frames given to the encoders
};
