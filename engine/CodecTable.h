#pragma once
// The codec and container identifiers of the engine's interface and the FFmpeg encoders and
// muxers behind them.

#include "rtl/Types.h"

enum : Integer {
  kVideoWindowsMedia7 = 18,
  kVideoWindowsMedia8 = 19,
  kVideoWindowsMedia9 = 74,
  kAudioWindowsMedia2 = 1,
  kAudioMp3 = 86017,
};

struct TCodecEntry {
  Integer Id;
  const char* Encoder;  // FFmpeg's encoder name
  const char* Name;     // what the log calls it
};

// Null for an identifier the engine does not know. Windows Media 9 has no free encoder: its
// entry names the Windows Media 8 encoder.
const TCodecEntry* FindVideoCodec(Integer id);
const TCodecEntry* FindAudioCodec(Integer id);

// Every codec entry, for the codec manager's check.
const TCodecEntry* CodecEntries(Integer& count);

enum class TContainer { Asf, Wma, Mp3 };

// "asf", "wma" or "mp3" in any case; false for any other name.
bool FindContainer(const String& name, TContainer& container);
bool ContainerHasVideo(TContainer container);
// The muxer that writes `container` with the audio codec `audioCodec`: an audio-only "wma"
// output with MP3 sound is a plain MP3 file, so that it plays as its ".mp3" name says.
const char* MuxerFor(TContainer container, Integer audioCodec);
