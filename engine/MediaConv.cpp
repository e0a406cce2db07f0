#include "engine/MediaConv.h"

#include <sys/stat.h>
#include <unistd.h>

#include <mutex>
#include <vector>

#include "engine/ConversionJob.h"
#include "engine/EngineError.h"
#include "engine/FrameSnapshot.h"
#include "engine/MediaSource.h"
#include "engine/OutputFile.h"

namespace {

// The library's one job: its description, then the running job.
struct TConverter {
  FrameSnapshot Snapshot;  // outlives the job, whose threads update it
  std::vector<uint8_t> SnapPixels;
  std::unique_ptr<MediaSource> Source;
  bool OutputSet = false;
  TJobSettings Settings;
  std::unique_ptr<ConversionJob> Job;
  TEngineResult IdleResult = erSuccess;
  Int64 LastPosition = 0;
};

std::mutex gConverterLock;
std::unique_ptr<TConverter> gConverter;  // guarded by gConverterLock, made on first use

TConverter& Converter() {
  if (!gConverter) gConverter = std::make_unique<TConverter>();
  return *gConverter;
}

void EndJob(TConverter& c) {
  if (!c.Job) return;
  c.Job->Cancel();
  c.LastPosition = c.Job->Position();
  c.Job.reset();
}

// Runs a description call: its failure leaves the library idle with the code.
template <class Body>
TEngineResult Describe(const char* name, Body&& body) {
  std::lock_guard lock(gConverterLock);
  TConverter& c = Converter();
  TEngineResult result = EngineCall(name, [&] { body(c); });
  if (result != erSuccess && (!c.Job || c.Job->Finished())) {
    EndJob(c);
    c.IdleResult = result;
  }
  return result;
}

void CheckOutputPath(const String& path) {
  struct stat info {};
  const String folder = FolderOf(path);
  if (path.empty() || path.back() == '/') RaiseEngineError(erCannotCreateOutput, "no output file name");
  if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || access(folder.c_str(), W_OK | X_OK) != 0)
    RaiseEngineError(erCannotCreateOutput, "cannot write into " + folder);
  if (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
    RaiseEngineError(erCannotCreateOutput, path + " is a folder");
}

}  // namespace

extern "C" {

TEngineResult MediaConv_AddInputFile(const char* path) {
  return Describe("MediaConv_AddInputFile", [&](TConverter& c) {
    EndJob(c);
    c.Source.reset();
    c.OutputSet = false;
    c.Settings = TJobSettings{};
    c.IdleResult = erSuccess;
    c.Source = MediaSource::Open(path ? path : "");
  });
}

TEngineResult MediaConv_AddInputDVD(const char* path, Integer, Integer, Integer) {
  return Describe("MediaConv_AddInputDVD", [&](TConverter& c) {
    EndJob(c);
    c.Source.reset();
    RaiseEngineError(erUnsupportedFormat, String("DVD input is not supported: ") + (path ? path : ""));
  });
}

TEngineResult MediaConv_CreateOutput(const char* path, const char* format) {
  return Describe("MediaConv_CreateOutput", [&](TConverter& c) {
    TContainer container;
    if (!FindContainer(format ? format : "", container))
      RaiseEngineError(erUnsupportedFormat, String("unknown output format ") + (format ? format : "(none)"));
    CheckOutputPath(path ? path : "");
    c.Settings.OutputPath = path;
    c.Settings.Container = container;
    c.OutputSet = true;
  });
}

TEngineResult MediaConv_SetVolume(Integer percent) {
  return Describe("MediaConv_SetVolume", [&](TConverter& c) { c.Settings.Volume = percent; });
}

TEngineResult MediaConv_SetBrightness(Integer value) {
  return Describe("MediaConv_SetBrightness", [&](TConverter& c) { c.Settings.Brightness = value; });
}

TEngineResult MediaConv_SetContrast(Integer value) {
  return Describe("MediaConv_SetContrast", [&](TConverter& c) { c.Settings.Contrast = value; });
}

TEngineResult MediaConv_SetCrop(Integer left, Integer top, Integer right, Integer bottom) {
  return Describe("MediaConv_SetCrop", [&](TConverter& c) { c.Settings.Crop = TRect{left, top, right, bottom}; });
}

TEngineResult MediaConv_SetAspect(Integer width, Integer height) {
  return Describe("MediaConv_SetAspect", [&](TConverter& c) { c.Settings.Aspect = TSize{width, height}; });
}

TEngineResult MediaConv_SetRange(Int64 start, Int64 length) {
  return Describe("MediaConv_SetRange", [&](TConverter& c) {
    c.Settings.Start = start > 0 ? start : 0;
    c.Settings.Length = length > 0 ? length : 0;
  });
}

TEngineResult MediaConv_SetVideo(Integer codec, Integer width, Integer height, Int64 frameDuration, Integer bitRate) {
  return Describe("MediaConv_SetVideo", [&](TConverter& c) {
    if (FindVideoCodec(codec) == nullptr) RaiseEngineError(erEncoderFailed, "unknown picture codec " + std::to_string(codec));
    const bool original = width == 0 && height == 0;
    if (!original && (width <= 0 || height <= 0 || width % 2 != 0 || height % 2 != 0))
      RaiseEngineError(erOutputParameters, "picture size " + std::to_string(width) + "x" + std::to_string(height));
    if (frameDuration < 0 || bitRate < 0) RaiseEngineError(erOutputParameters, "negative frame length or bit rate");
    c.Settings.HasVideo = true;
    c.Settings.VideoCodec = codec;
    c.Settings.FrameSize = TSize{width, height};
    c.Settings.FrameDuration = frameDuration;
    c.Settings.VideoBitRate = bitRate;
  });
}

TEngineResult MediaConv_SetAudio(Integer codec, Integer channels, Integer sampleRate, Integer bitRate) {
  return Describe("MediaConv_SetAudio", [&](TConverter& c) {
    if (FindAudioCodec(codec) == nullptr) RaiseEngineError(erEncoderFailed, "unknown sound codec " + std::to_string(codec));
    if (channels < 1 || channels > 2 || sampleRate <= 0 || bitRate < 0)
      RaiseEngineError(erOutputParameters, std::to_string(channels) + " channels at " + std::to_string(sampleRate) + " Hz");
    c.Settings.HasAudio = true;
    c.Settings.AudioCodec = codec;
    c.Settings.Channels = channels;
    c.Settings.SampleRate = sampleRate;
    c.Settings.AudioBitRate = bitRate;
  });
}

TEngineResult MediaConv_Run() {
  return Describe("MediaConv_Run", [&](TConverter& c) {
    if (!c.Source) RaiseEngineError(erInputNotFound, "no input file was given");
    if (!c.OutputSet) RaiseEngineError(erCannotCreateOutput, "no output file was given");
    EndJob(c);
    c.Snapshot.Clear();
    c.IdleResult = erSuccess;
    c.LastPosition = c.Settings.Start;
    c.Job = std::make_unique<ConversionJob>(std::move(c.Source), c.Settings, c.Snapshot);
    c.OutputSet = false;
    c.Job->Start();
  });
}

TEngineResult MediaConv_Pause() {
  std::lock_guard lock(gConverterLock);
  if (Converter().Job) Converter().Job->Pause();
  return erSuccess;
}

TEngineResult MediaConv_Continue() {
  std::lock_guard lock(gConverterLock);
  if (Converter().Job) Converter().Job->Continue();
  return erSuccess;
}

TEngineResult MediaConv_Cancel() {
  std::lock_guard lock(gConverterLock);
  TConverter& c = Converter();
  if (c.Job) c.Job->Cancel();
  c.Source.reset();
  c.OutputSet = false;
  return erSuccess;
}

TEngineResult MediaConv_GetSnap(Byte** buffer, Integer* size, Integer* width, Integer* height) {
  std::lock_guard lock(gConverterLock);
  if (buffer) *buffer = nullptr;
  if (size) *size = 0;
  if (width) *width = 0;
  if (height) *height = 0;
  return EngineCall("MediaConv_GetSnap", [&] {
    TConverter& c = Converter();
    Integer w = 0, h = 0;
    if (!c.Snapshot.CopyBgra(c.SnapPixels, w, h)) return;
    if (buffer) *buffer = c.SnapPixels.data();
    if (size) *size = Integer(c.SnapPixels.size());
    if (width) *width = w;
    if (height) *height = h;
  });
}

TEngineResult MediaConv_GetCurrentPosition(Int64* position) {
  std::lock_guard lock(gConverterLock);
  TConverter& c = Converter();
  if (position) *position = c.Job ? c.Job->Position() : c.LastPosition;
  return erSuccess;
}

TEngineResult MediaConv_WaitFor(Byte* finished, Byte* result) {
  std::lock_guard lock(gConverterLock);
  TConverter& c = Converter();
  const bool done = !c.Job || c.Job->Finished();
  if (finished) *finished = done ? 1 : 0;
  TEngineResult code = erSuccess;
  if (done) code = c.Job ? c.Job->Result() : c.IdleResult;
  if (result) *result = code;
  return erSuccess;
}

}

void MediaConvEnd() {
  std::lock_guard lock(gConverterLock);
  gConverter.reset();  // cancels a running job
}

void MediaConvSetParts(Integer parts) { SetConversionParts(parts); }
