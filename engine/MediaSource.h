#pragma once
// An opened media file: its demuxer with the stream information read, and the streams that the
// probe, the player and the converter work with.

#include <memory>

#include "engine/AvHandles.h"
#include "rtl/Types.h"

class MediaSource {
 public:
  // Raises EEngineError: erInputNotFound when nothing readable is at `path` (missing, a folder,
  // no permission), erUnsupportedFormat when the content is not media we can read.
  static std::unique_ptr<MediaSource> Open(const String& path);

  AVFormatContext* Format() const { return FFormat.get(); }
  const String& Path() const { return FPath; }
  // The file's length in 100-ns units; 0 when the file does not say.
  Int64 Duration() const;
  // The first time stamp of the file in 100-ns units: the source time line starts here.
  Int64 StartOffset() const;
  // Moves reading back to the start of the file.
  void Rewind();
  // The picture stream (cover pictures excluded) and the sound stream; -1 when there is none.
  int VideoStream() const { return FVideoStream; }
  int AudioStream() const { return FAudioStream; }

 private:
  MediaSource() = default;

  String FPath;
  AvInputPtr FFormat;
  int FVideoStream = -1;
  int FAudioStream = -1;
};

// The stream's type as the probe reports it: 1 video, 2 audio, 0 anything else.
Integer StreamKind(const AVStream* stream);
