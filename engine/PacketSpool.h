#pragma once
// Encoded packets kept on disk until they can be written in order: the parts of a picture stream
// encoded side by side, and the sound beside them. The file is created without a name in the
// output's folder, so that it takes no memory, needs no cleaning up and fails as the output
// would on a full disk.

#include <cstdio>
#include <vector>

#include "engine/AvHandles.h"
#include "engine/StageGate.h"
#include "rtl/Types.h"

class OutputFile;

class PacketSpool {
 public:
  // `timeBase`: that of the packets' time stamps. Raises erCannotCreateOutput when no file can
  // be made in `folder`.
  PacketSpool(const String& folder, AVRational timeBase);
  ~PacketSpool();
  PacketSpool(const PacketSpool&) = delete;
  PacketSpool& operator=(const PacketSpool&) = delete;

  AVRational TimeBase() const { return FTimeBase; }
  // Keeps a copy of `packet` with its time stamps, flags and side data. Raises
  // erCannotCreateOutput when writing fails.
  void Write(const AVPacket* packet);
  // The packets in the order written, after the last Write; false after the last one.
  bool Read(AVPacket* packet);

 private:
  void Check(bool ok, const char* what);

  FILE* FFile = nullptr;
  AVRational FTimeBase;
  bool FReading = false;
};

// Writes the packets of `video` (one spool after the other) into the output stream
// `videoStream` and those of `audio` (may be null) into `audioStream`, in the order of their
// decoding times; holds while the gate is paused and stops when it stops.
void WriteSpoolsInOrder(const std::vector<PacketSpool*>& video, int videoStream, PacketSpool* audio, int audioStream,
                        OutputFile& output, StageGate& gate);
