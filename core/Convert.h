#pragma once
// The engine's error model, the wrappers of the probe, preview and conversion libraries, and the
// job settings of one source file.
//
// Every wrapper operation is one engine call. A non-zero result becomes EMediaException; the
// player and the converter wrap any failure into EPlayException or EConvertException. Out values
// are zeroed before each call, so a value the engine leaves untouched reads as 0.

#include "rtl/Events.h"
#include "rtl/Exceptions.h"
#include "rtl/Object.h"
#include "rtl/WinTypes.h"

struct FormatDetail;

// ---- Errors ----------------------------------------------------------------------------------

// An engine failure code; the message names it ("Cannot find input file" for 1 ...).
class EMediaException : public Exception {
 public:
  explicit EMediaException(Integer Code);
  const char* ClassName() const noexcept override { return "EMediaException"; }
};

// The message of an engine failure code.
String MediaErrorText(Integer Code);

class EPlayException : public Exception {
 public:
  // "Playback occured exception", CR LF, the inner message.
  explicit EPlayException(const String& Inner);
  const char* ClassName() const noexcept override { return "EPlayException"; }
};

class EConvertException : public Exception {
 public:
  // "Converting occured exception", CR LF, the inner message.
  explicit EConvertException(const String& Inner);
  const char* ClassName() const noexcept override { return "EConvertException"; }
};

// ---- Probe -----------------------------------------------------------------------------------

constexpr Integer stVideo = 1;
constexpr Integer stAudio = 2;

// The 44-byte stream description the probe fills; only the picture size of a video stream is read.
struct TStreamRecord {
  Byte Data[44] = {};
  Integer Width() const;   // bytes 16-19, little-endian
  Integer Height() const;  // bytes 20-23
};

// The probe library keeps the opened file; the next Open replaces it.
class TMediaInfo : public TObject {
  TAVREN_CLASS(TMediaInfo, TObject)
 public:
  TMediaInfo() = default;
  // Closes the probed file; a failure is logged.
  ~TMediaInfo() override;

  void Open(const String& Path);
  Int64 Duration();
  Integer StreamCount();
  void StreamInfo(Integer Index, TStreamRecord& Record);
  // stVideo, stAudio, or another value the caller ignores.
  Integer StreamType(Integer Index);
  void Close();
};

// ---- Preview ---------------------------------------------------------------------------------

// The player reports 0 when it plays and 1 when it pauses; the converter the other way round.
using TStateEvent = TEvent<void(Integer State)>;

class TMediaPlayer : public TObject {
  TAVREN_CLASS(TMediaPlayer, TObject)
 public:
  TMediaPlayer() = default;
  // Stops playback; a failure is logged.
  ~TMediaPlayer() override;

  // Both keep OnState, even when the call then fails, and report 0 on success.
  void Play(const String& Path, HWND Window, TStateEvent OnState);
  void PlayDVD(const String& Path, HWND Window, Integer Selector1, Integer Selector2, Integer Selector3,
               TStateEvent OnState);
  // Moves playback to Start; Length is the range the caller is interested in (0: to the end).
  void Seek(Int64 Start, Int64 Length);
  void Pause();   // reports 1
  void Resume();  // reports 0
  void SetVolume(Integer Value);
  void SetBrightness(Integer Value);
  void SetContrast(Integer Value);
  // Size: in, the capacity of Buffer in bytes; out, the bytes the picture needs. A caller whose
  // buffer was too small allocates Size bytes and asks again.
  void GetSnapshot(Byte* Buffer, Integer& Size, Integer& Width, Integer& Height);
  Int64 Position();
  void Stop();

 private:
  void Report(Integer State) const;
  TStateEvent FOnState;
};

// ---- Conversion ------------------------------------------------------------------------------

// How the converted picture is shaped in the output frame.
constexpr Integer lbFullScreen = 0;    // the profile's picture size
constexpr Integer lbKeepOriginal = 1;  // the crop rectangle's shape
constexpr Integer lbWide = 2;          // 16:9
constexpr Integer lbFourByThree = 3;   // 4:3 (not lbStandard: the list box style has that name)

// The job settings of one source file.
class TTaskInfo : public TObject {
  TAVREN_CLASS(TTaskInfo, TObject)
 public:
  Integer DvdSelector1 = -1;  // 0 or more: the source is a DVD
  Integer DvdSelector2 = 0;
  Integer DvdSelector3 = -1;
  String OutName;             // destination name without folder and extension
  Integer Volume = 100;       // per cent
  Integer Brightness = 0;     // -127 to 127
  Integer Contrast = 0;       // -127 to 127
  TRect Crop{};               // in source pixels
  Integer LetterboxMode = lbFullScreen;
  Int64 StartTime = 0;        // 100 ns
  Int64 EndTime = 0;

  // EndTime - StartTime, or 0 when the range is empty or reversed.
  Int64 TrimmedLength() const;
};

class TMediaConverter : public TObject {
  TAVREN_CLASS(TMediaConverter, TObject)
 public:
  TMediaConverter() = default;
  // Cancels the job; a failure is logged.
  ~TMediaConverter() override;

  void AddInputFile(const String& Path);
  void AddInputDVD(const String& Path, Integer Selector1, Integer Selector2, Integer Selector3);
  void CreateOutput(const String& Path, const String& OutFormat);
  void SetVolume(Integer Value);
  void SetBrightness(Integer Value);
  void SetContrast(Integer Value);
  void SetCrop(const TRect& Rect);
  void SetAspect(Integer Width, Integer Height);
  void SetRange(Int64 Start, Int64 Length);
  void SetVideo(Integer CodecID, Integer Width, Integer Height, Int64 FrameDuration, Integer BitRate);
  void SetAudio(Integer CodecID, Integer Channels, Integer SampleRate, Integer BitRate);
  // Keeps OnState and starts the job; returns at once.
  void Run(TStateEvent OnState);
  void Pause();                 // reports 0
  void Resume(bool Notify);     // reports 1 when Notify
  void Cancel();
  // The picture being converted, in a buffer the library owns; answers its size (below 1: none).
  Integer GetSnapshot(Byte*& Buffer, Integer& Width, Integer& Height);
  Int64 Position();
  // Does not wait. The job's result code stays readable through GetJobResult.
  Byte IsFinished();
  // The code that ended the last job, as the last IsFinished read it (0: completed or cancelled).
  Byte GetJobResult() const { return FJobResult; }

  // Describes one job in the order the library expects, from the task's settings and a profile:
  // input, output, for a profile with video the aspect, effects, crop and picture, then the
  // sound and the range. Run starts it.
  void DescribeJob(const String& Source, const TTaskInfo& Task, const FormatDetail& Detail,
                   const String& OutputPath);

 private:
  void Report(Integer State) const;
  TStateEvent FOnState;
  Byte FJobResult = 0;
};
