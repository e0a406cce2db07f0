#pragma once
// The first stage of every pipeline: reads packets from the source and decodes the chosen
// picture and sound streams into frame queues. Frames leave with their pts in 100-ns units on
// the source time line (0 = the start of the file). The queues are finished at the end.

#include <memory>
#include <vector>

#include "engine/AvHandles.h"
#include "engine/BoundedQueue.h"
#include "engine/StageGate.h"
#include "rtl/Types.h"

class MediaSource;

using FrameQueue = BoundedQueue<AvFramePtr>;

class DecodeStage {
 public:
  // A stream index of -1 (or a null queue) leaves that kind out. `videoThreads` decode the
  // pictures; 0 lets FFmpeg choose for this machine. Opens the decoders: raises EEngineError
  // erDecoderFailed when one is missing or does not open.
  DecodeStage(MediaSource& source, int videoStream, FrameQueue* video, int audioStream, FrameQueue* audio,
              int videoThreads = 0);
  ~DecodeStage();

  // Moves reading to the key frame at or before `time` (100 ns, source time line); the frames
  // before `time` still come out, so that consumers can start exactly at it.
  void Seek(Int64 time);
  // Reads and decodes until the end of the file, until every consumer has abandoned its queue,
  // or until the gate stops; then finishes the queues. A damaged packet is skipped; a read
  // error ends the stream as if the file ended there.
  void Run(StageGate& gate);

  // The decoder of the picture stream, for its size and format; null without picture.
  const AVCodecContext* VideoDecoder() const;
  // The picture stream's frame rate as the file gives it (25 when it gives none).
  AVRational VideoFrameRate() const;

 private:
  class StreamDecoder;

  MediaSource& FSource;
  std::vector<std::unique_ptr<StreamDecoder>> FDecoders;
  StreamDecoder* FVideo = nullptr;
};
