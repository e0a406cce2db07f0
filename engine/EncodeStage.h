#pragma once
// An opened encoder: frames in, packets out to a sink (a stream of the output file, or the spool
// of a part of a picture stream).

#include <functional>

#include "engine/AvHandles.h"
#include "engine/DecodeStage.h"
#include "rtl/Types.h"

class OutputFile;

struct TVideoTarget {
  const char* Encoder;  // FFmpeg's encoder name
  Integer Width;
  Integer Height;
  AVRational FrameRate;
  Integer BitRate;  // bits per second; 0 leaves the encoder's own
};

struct TAudioTarget {
  const char* Encoder;
  Integer Channels;
  Integer SampleRate;
  Integer BitRate;
};

// Takes an encoder's packets, time stamps in the encoder's time base.
using PacketSink = std::function<void(AVPacket* packet)>;

class EncodeStage {
 public:
  // Raise EEngineError erEncoderFailed when the encoder is missing or will not open,
  // erOutputParameters when it does not take the parameters.
  static AvCodecContextPtr OpenVideo(const TVideoTarget& target, bool globalHeader);
  static AvCodecContextPtr OpenAudio(const TAudioTarget& target, bool globalHeader);
  // An opened encoder feeding a new stream of `output`.
  static EncodeStage IntoFile(AvCodecContextPtr encoder, OutputFile& output);

  EncodeStage(AvCodecContextPtr encoder, PacketSink sink);

  const AVCodecContext* Context() const { return FEncoder.get(); }
  // Encodes `frame` (pts in the encoder's time base; null drains the encoder at the end) and
  // hands on the packets that are ready.
  void Encode(const AVFrame* frame);

 private:
  AvCodecContextPtr FEncoder;
  PacketSink FSink;
  AvPacketPtr FPacket;
};

// The encoding stage of a pipeline: encodes the frames of `input` until it ends (then drains the
// encoder) or the gate stops; `encoded` is called after each frame.
void EncodeQueue(StageGate& gate, FrameQueue& input, EncodeStage& encoder,
                 const std::function<void(const AVFrame* frame)>& encoded);
