#pragma once
// The last stage's file: a muxer writing into a temporary file beside the output, created
// exclusively under an unpredictable name. Only a complete file is renamed to the output name;
// a file that is not committed is removed, so nothing incomplete ever stands under that name.

#include <mutex>

#include "engine/AvHandles.h"
#include "rtl/Types.h"

// The folder part of a file path ("." for a bare name).
String FolderOf(const String& path);

class OutputFile {
 public:
  // Raises EEngineError erCannotCreateOutput when the temporary file cannot be made.
  OutputFile(const String& path, const char* muxer);
  ~OutputFile();  // removes the temporary file unless committed

  bool NeedsGlobalHeader() const;
  // A stream for the opened encoder; its index.
  int AddStream(const AVCodecContext* encoder);
  // Raises erOutputParameters when the format refuses the streams, erCannotCreateOutput when
  // writing fails.
  void WriteHeader();
  // Thread-safe; the packet's time stamps are in the encoder's time base. Raises
  // erCannotCreateOutput when writing fails (a full disk).
  void WritePacket(AVPacket* packet, AVRational encoderTimeBase);
  // Writes the end of the file and puts it on the disk; raises erCannotCreateOutput on failure.
  void Finish();
  // Renames the finished file to the output name.
  void Commit();

 private:
  static int WriteCallback(void* opaque, uint8_t* data, int size);
  static int64_t SeekCallback(void* opaque, int64_t offset, int whence);
  void CheckWritten(int error, const char* what);
  void Close();

  String FPath;
  String FTempPath;
  int FFile = -1;
  AVFormatContext* FFormat = nullptr;
  AVIOContext* FIo = nullptr;
  std::mutex FWriteLock;
  bool FCommitted = false;
};
