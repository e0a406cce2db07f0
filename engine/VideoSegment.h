#pragma once
// One part of a picture stream, converted on its own so that the parts of a job run side by
// side: a demuxer and decoder of its own from the key frame the part starts at, the picture
// filter over the part's frame numbers, and an encoder of its own whose packets wait in a spool
// until the parts before are written.
//
//   decode (own source) --pictures--> picture filter --frames--> encoder --> spool

#include <functional>
#include <memory>

#include "engine/DecodeStage.h"
#include "engine/EncodeStage.h"
#include "engine/PacketSpool.h"
#include "engine/PictureFilter.h"
#include "engine/VideoFilterStage.h"

class MediaSource;

// What every part of a job shares.
struct TSegmentJob {
  String Path;  // the source file
  TPictureLayout Layout;
  Integer Brightness = 0;
  Integer Contrast = 0;
  AVRational Rate{25, 1};  // output frames per second
  Int64 Start = 0;         // the job's range, 100 ns on the source time line
  Int64 Length = 0;
  TVideoTarget Target{};
  bool GlobalHeader = false;
  String SpoolFolder;
  int DecoderThreads = 1;
};

// A part: where its decoding starts and the output frame numbers it makes.
struct TSegment {
  Int64 SourceStart = 0;  // 100 ns, source time line: the key frame the part starts at
  Int64 First = 0;
  Int64 End = 0;  // exclusive; the largest Int64 for the last part: the job's own end
};

class VideoSegment {
 public:
  // Opens the source again, its decoder, the encoder and the spool: raises EEngineError with
  // the code of what fails. `shown` gets the pictures as they are filtered.
  VideoSegment(const TSegmentJob& job, const TSegment& part, VideoFilterStage::Shown shown);
  ~VideoSegment();

  // The part's three stages, each on a thread of its own.
  void Decode(StageGate& gate);
  void Filter(StageGate& gate);
  // Encodes into the spool; `encoded` is called after each frame.
  void Encode(StageGate& gate, const std::function<void(const AVFrame*)>& encoded);
  // Releases stages waiting on the queues, so that a stopping job ends.
  void Stop();

  const AVCodecContext* Encoder() const { return FEncoder->Context(); }
  PacketSpool& Spool() { return FSpool; }

 private:
  std::unique_ptr<MediaSource> FSource;
  FrameQueue FDecoded;
  FrameQueue FFiltered;
  std::unique_ptr<DecodeStage> FDecoder;
  PictureFilter FPictureFilter;
  std::unique_ptr<VideoFilterStage> FFilter;
  PacketSpool FSpool;
  std::unique_ptr<EncodeStage> FEncoder;
};
