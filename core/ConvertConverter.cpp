#include "core/Convert.h"
#include "core/ConvertCall.h"
#include "core/EngineApi.h"
#include "core/Formats.h"

TAVREN_CLASS_IMPL(TMediaConverter)

namespace {
template <class Call>
void ConverterCall(Call&& call) {
  WrapEngineCall<EConvertException>(call);
}
const TMediaConvApi& Converter() { return Engine().MediaConv; }
}  // namespace

TMediaConverter::~TMediaConverter() {
  try {
    Cancel();
  } catch (const Exception& e) {
    LogCoreError("Cancelling the conversion failed: " + e.Message());
  }
}

void TMediaConverter::Report(Integer State) const {
  if (FOnState) FOnState(State);
}

void TMediaConverter::AddInputFile(const String& Path) {
  ConverterCall([&] { return Converter().AddInputFile(Path.c_str()); });
}

void TMediaConverter::AddInputDVD(const String& Path, Integer Selector1, Integer Selector2, Integer Selector3) {
  ConverterCall([&] { return Converter().AddInputDVD(Path.c_str(), Selector1, Selector2, Selector3); });
}

void TMediaConverter::CreateOutput(const String& Path, const String& OutFormat) {
  ConverterCall([&] { return Converter().CreateOutput(Path.c_str(), OutFormat.c_str()); });
}

void TMediaConverter::SetVolume(Integer Value) {
  ConverterCall([&] { return Converter().SetVolume(Value); });
}

void TMediaConverter::SetBrightness(Integer Value) {
  ConverterCall([&] { return Converter().SetBrightness(Value); });
}

void TMediaConverter::SetContrast(Integer Value) {
  ConverterCall([&] { return Converter().SetContrast(Value); });
}

void TMediaConverter::SetCrop(const TRect& Rect) {
  ConverterCall([&] { return Converter().SetCrop(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); });
}

void TMediaConverter::SetAspect(Integer Width, Integer Height) {
  ConverterCall([&] { return Converter().SetAspect(Width, Height); });
}

void TMediaConverter::SetRange(Int64 Start, Int64 Length) {
  ConverterCall([&] { return Converter().SetRange(Start, Length); });
}

void TMediaConverter::SetVideo(Integer CodecID, Integer Width, Integer Height, Int64 FrameDuration,
                               Integer BitRate) {
  ConverterCall([&] { return Converter().SetVideo(CodecID, Width, Height, FrameDuration, BitRate); });
}

void TMediaConverter::SetAudio(Integer CodecID, Integer Channels, Integer SampleRate, Integer BitRate) {
  ConverterCall([&] { return Converter().SetAudio(CodecID, Channels, SampleRate, BitRate); });
}

void TMediaConverter::Run(TStateEvent OnState) {
  FOnState = OnState;
  ConverterCall([&] { return Converter().Run(); });
}

void TMediaConverter::Pause() {
  ConverterCall([&] { return Converter().Pause(); });
  Report(0);
}

void TMediaConverter::Resume(bool Notify) {
  ConverterCall([&] { return Converter().Continue(); });
  if (Notify) Report(1);
}

void TMediaConverter::Cancel() {
  ConverterCall([&] { return Converter().Cancel(); });
}

Integer TMediaConverter::GetSnapshot(Byte*& Buffer, Integer& Width, Integer& Height) {
  Buffer = nullptr;
  Integer size = 0;
  Width = 0;
  Height = 0;
  ConverterCall([&] { return Converter().GetSnap(&Buffer, &size, &Width, &Height); });
  return size;
}

Int64 TMediaConverter::Position() {
  Int64 position = 0;
  ConverterCall([&] { return Converter().GetCurrentPosition(&position); });
  return position;
}

Byte TMediaConverter::IsFinished() {
  Byte finished = 0;
  Byte result = 0;
  ConverterCall([&] { return Converter().WaitFor(&finished, &result); });
  FJobResult = result;
  return finished;
}

void TMediaConverter::DescribeJob(const String& Source, const TTaskInfo& Task, const FormatDetail& Detail,
                                  const String& OutputPath) {
  if (Task.DvdSelector1 >= 0)
    AddInputDVD(Source, Task.DvdSelector1, Task.DvdSelector2, Task.DvdSelector3);
  else
    AddInputFile(Source);
  CreateOutput(OutputPath, Detail.OutFormat);
  if (Detail.VCodecID > 0) {
    switch (Task.LetterboxMode) {
      case lbKeepOriginal: SetAspect(Task.Crop.Width(), Task.Crop.Height()); break;
      case lbWide: SetAspect(16, 9); break;
      case lbFourByThree: SetAspect(4, 3); break;
      default: SetAspect(Detail.Width, Detail.Height); break;
    }
    SetVolume(Task.Volume);
    SetBrightness(Task.Brightness);
    SetContrast(Task.Contrast);
    SetCrop(Task.Crop);
    SetVideo(Detail.VCodecID, Detail.Width, Detail.Height, FrameDurationOf(Detail), Detail.VBitRate);
  } else {
    // A sound-only profile still honours the volume the user set for the file.
    SetVolume(Task.Volume);
  }
  SetAudio(Detail.ACodecID, Detail.Channels, Detail.SampleRate, Detail.ABitRate);
  SetRange(Task.StartTime, Task.EndTime - Task.StartTime);
}
