#pragma once
// An opened encoder feeding one stream of the output file: frames in, packets written.

#include "engine/AvHandles.h"
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

class EncodeStage {
 public:
  // Raise EEngineError erEncoderFailed when the encoder is missing or will not open,
  // erOutputParameters when it does not take the parameters.
  static EncodeStage Video(const TVideoTarget& target, OutputFile& output);
  static EncodeStage Audio(const TAudioTarget& target, OutputFile& output);

  const AVCodecContext* Context() const { return FEncoder.get(); }
  // Encodes `frame` (pts in the encoder's time base; null drains the encoder at the end) and
  // writes the packets that are ready.
  void Encode(const AVFrame* frame);

 private:
  EncodeStage(AvCodecContextPtr encoder, OutputFile& output);

  AvCodecContextPtr FEncoder;
  OutputFile* FOutput;
  int FStream;
  AvPacketPtr FPacket;
};
