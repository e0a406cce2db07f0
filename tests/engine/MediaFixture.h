#pragma once
// Media for the engine's tests, made by the ffmpeg program into a temporary folder, and the
// independent checks of what the engine wrote (ffprobe and ffmpeg).

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "engine/EngineResult.h"
#include "rtl/Types.h"

// The generated files; made once for the whole test run by MediaEnvironment.
struct TMediaFiles {
  String Folder;  // the temporary folder everything lives in
  String Mp4;     // 2 s, 320x240 at 25 fps, H.264 + AAC stereo 44.1 kHz
  String Avi;     // 2 s, 320x240 at 30000/1001 fps, MPEG-4 + MP3 stereo 48 kHz
  String Wav;     // 2 s, PCM mono 48 kHz
  String Mp3;     // 2 s, MP3 mono 44.1 kHz
  String Halves;  // 2 s, 320x240 at 25 fps, left half white, right half black, with a tone
  String Long;    // 10 s, 320x240 at 25 fps, H.264 + AAC
};

class MediaEnvironment : public testing::Environment {
 public:
  void SetUp() override;
  void TearDown() override;
};

const TMediaFiles& Media();
// Makes `path` with the ffmpeg program from `arguments` (its inputs and options); aborts the
// run when it cannot.
void Make(const String& path, const String& arguments);

// A new empty folder inside the media folder, for one test's outputs.
String NewOutputFolder(const String& name);
// Names in a folder, "." and ".." left out.
std::vector<String> FolderEntries(const String& folder);

// Runs a shell command; its standard output, and its exit status in `status`.
String RunCommand(const String& command, int* status = nullptr);
String Quote(const String& text);

// What ffprobe says of a file: the format's fields and each stream's, by name.
struct TProbe {
  std::map<String, String> Format;
  std::vector<std::map<String, String>> Streams;
  const std::map<String, String>* StreamOf(const String& type) const;
};
TProbe FFprobe(const String& path);
// The packets of the file's first stream of `kind` ("v" or "a"), in file order.
struct TPacket {
  double Time;  // presentation time, seconds
  long Size;
  bool Key;
  bool operator==(const TPacket& other) const {
    return Time == other.Time && Size == other.Size && Key == other.Key;
  }
};
std::vector<TPacket> Packets(const String& path, const char* kind);
// PSNR of the file's pictures against `reference` (same size), dB over all frames.
double PsnrAgainst(const String& path, const String& reference);
// Decoded length of the file's sound in seconds, and its mean level in dB.
double SoundSeconds(const String& path);
double MeanVolumeDb(const String& path);
// The luma of the decoded picture `index` of the file.
std::vector<uint8_t> GrayFrame(const String& path, int index, int& width, int& height);
double MeanOf(const std::vector<uint8_t>& gray, int width, int left, int top, int right, int bottom);

// A job described in the order the conversion core sends it.
struct TJobSpec {
  String Input;
  String Output;
  String Format = "asf";
  Integer VideoCodec = 0;  // 0: no SetVideo call (sound-only profiles)
  Integer Width = 0;
  Integer Height = 0;
  Int64 FrameDuration = 0;
  Integer VideoBitRate = 800000;
  Integer AudioCodec = 1;  // 0: no SetAudio call
  Integer Channels = 2;
  Integer SampleRate = 44100;
  Integer AudioBitRate = 128000;
  Integer Volume = 100;
  Integer Brightness = 0;
  Integer Contrast = 0;
  TRect Crop{};
  TSize Aspect{};
  Int64 Start = 0;
  Int64 Length = 0;
};

// The first failing call's code, or the code of Run.
TEngineResult StartJob(const TJobSpec& spec);
// Polls WaitFor until the job is finished (a minute at most); the job's result code.
TEngineResult WaitForJob();
// StartJob and WaitForJob; the first non-zero code.
TEngineResult Convert(const TJobSpec& spec);
// Convert in a child process that may write 64 KiB per file, as on a full disk; its code.
TEngineResult ConvertOnAFullDisk(const TJobSpec& spec);

inline constexpr Int64 kSecond = 10000000;
