#pragma once
// The probe library: opens one media file at a time and describes its streams.

#include "engine/EngineResult.h"

// The 44-byte description of one stream, as MediaInfo_GetInfo fills it (little-endian fields).
struct TStreamDescription {
  Integer StreamType;     // bytes 0-3: 1 video, 2 audio, 0 other
  Integer CodecId;        // bytes 4-7: FFmpeg's codec number
  Int64 Duration;         // bytes 8-15: the stream's length, 100 ns; 0 when unknown
  Integer Width;          // bytes 16-19: picture width in pixels (video)
  Integer Height;         // bytes 20-23: picture height in pixels (video)
  Integer FrameRateNum;   // bytes 24-27: frames per second as a fraction (video)
  Integer FrameRateDen;   // bytes 28-31
  Integer SampleRate;     // bytes 32-35: Hz (audio)
  Integer Channels;       // bytes 36-39 (audio)
  Integer BitRate;        // bytes 40-43: bits per second; 0 when unknown
} __attribute__((packed));
static_assert(sizeof(TStreamDescription) == 44);

extern "C" {

// Opens `path`, replacing the file opened before (which is closed even when this fails).
// erInputNotFound: nothing readable there; erUnsupportedFormat: not media we read.
TEngineResult MediaInfo_OpenFile(const char* path);
// Out values are written on every call: 0 when no file is open (erInputNotFound) or the index
// is not a stream (erUnsupportedFormat).
TEngineResult MediaInfo_GetDur(Int64* duration);
TEngineResult MediaInfo_GetStreamCount(Integer* count);
TEngineResult MediaInfo_GetType(Integer index, Integer* type);
TEngineResult MediaInfo_GetInfo(Integer index, void* description);
TEngineResult MediaInfo_Close();

}
