#include "core/Formats.h"

#include <algorithm>
#include <climits>

#include "core/EngineApi.h"
#include "core/Exception.h"
#include "rtl/Math.h"
#include "rtl/Resources.h"
#include "rtl/Streams.h"
#include "rtl/SysUtils.h"

TAVREN_CLASS_IMPL(TFormats)

Int64 FrameDurationOf(const FormatDetail& Detail) {
  if (Detail.VCodecID <= 0 || Detail.FpsDen == 0) return 0;
  const Int64 product = Int64{Detail.FpsNum} * 10000000;
  return static_cast<Int64>(static_cast<long double>(product) / Detail.FpsDen);
}

TFormats::TFormats(const String& Filter, const String& ConfigFile) {
  // A missing resource is the framework's resource error, not a damaged catalogue.
  TResourceStream stream(HInstance, 101, "XML");
  try {
    FDocument = std::make_unique<TXMLDocument>();
    FDocument->LoadFromStream(&stream);
    FRoot = GetFormats(FDocument.get());
    FilterFormats(Filter);
    if (FRoot.GetCount() == 0) throw EListError("No format is left");
  } catch (const Exception&) {
    throw FinalException(Format("Lost or breaken configure file %s", "XMLFormats.xml"));
  }
  FIni = std::make_unique<TFormatsIni>(ConfigFile);
  FSelection.Format = FIni->GetFormat();
  if (FSelection.Format < 0 || FSelection.Format >= GetCount()) FSelection.Format = 0;
  ApplyDefaults();
  // A stored index replaces the default; negative means "the default" and out-of-range values
  // (a settings file from another catalogue, or edited by hand) fall back to it as well.
  TFormatSelection stored = FSelection;
  auto take = [](Integer value, Integer& field) {
    if (value >= 0) field = value;
  };
  take(FIni->GetVCodec(), stored.VCodec);
  take(FIni->GetVBitrate(), stored.VBitrate);
  take(FIni->GetSize(), stored.Size);
  take(FIni->GetFps(), stored.Fps);
  take(FIni->GetAspect(), stored.Aspect);
  take(FIni->GetABitrate(), stored.ABitrate);
  take(FIni->GetSampleRate(), stored.SampleRate);
  take(FIni->GetChannels(), stored.Channels);
  FSelection = Validated(stored);
}

TFormats::~TFormats() {
  try {
    FIni->SetFormat(FSelection.Format);
    FIni->SetVCodec(FSelection.VCodec);
    FIni->SetVBitrate(FSelection.VBitrate);
    FIni->SetSize(FSelection.Size);
    FIni->SetFps(FSelection.Fps);
    FIni->SetAspect(FSelection.Aspect);
    FIni->SetABitrate(FSelection.ABitrate);
    FIni->SetSampleRate(FSelection.SampleRate);
    FIni->SetChannels(FSelection.Channels);
  } catch (const Exception& e) {
    LogCoreError("Saving the format selection failed: " + e.Message());
  }
}

TFormatSelection TFormats::Defaults(Integer Format) const {
  TXMLFormatType format = FRoot.GetItems(Format);
  TXMLVideoType video = format.GetVideo();
  TXMLAudioType audio = format.GetAudio();
  TFormatSelection d;
  d.Format = Format;
  d.VCodec = 0;
  d.Size = video.GetDefSize();
  d.VBitrate = video.GetDefBitRate();
  d.Fps = video.GetDefFps();
  d.Aspect = video.GetDefAspect();
  d.ABitrate = audio.GetDefBitRate();
  d.SampleRate = audio.GetDefSampleRate();
  d.Channels = audio.GetDefChannels();
  return d;
}

TFormatSelection TFormats::Validated(const TFormatSelection& Selection) const {
  TFormatSelection s = Selection;
  if (s.Format < 0 || s.Format >= GetCount()) s.Format = 0;
  const TFormatSelection d = Defaults(s.Format);
  TXMLFormatType format = FRoot.GetItems(s.Format);
  TXMLVideoType video = format.GetVideo();
  TXMLAudioType audio = format.GetAudio();
  auto fit = [](Integer& index, Integer count, Integer fallback) {
    if (index < 0 || index >= count) index = fallback;
  };
  fit(s.VCodec, video.GetCodec().GetCount(), d.VCodec);
  fit(s.VBitrate, video.GetBitRate().GetCount(), d.VBitrate);
  fit(s.Size, video.GetSize().GetCount(), d.Size);
  fit(s.Fps, video.GetFps().GetCount(), d.Fps);
  fit(s.Aspect, video.GetAspect().GetCount(), d.Aspect);
  fit(s.ABitrate, audio.GetBitRate().GetCount(), d.ABitrate);
  fit(s.SampleRate, audio.GetSampleRate().GetCount(), d.SampleRate);
  fit(s.Channels, audio.GetChannels().GetCount(), d.Channels);
  return s;
}

void TFormats::SetSelection(const TFormatSelection& Selection) {
  FSelection = Validated(Selection);
  Notify();
}

void TFormats::ApplyDefaults() {
  FSelection = Defaults(FSelection.Format);
  Notify();
}

void TFormats::BuildDetailFor(FormatDetail& Detail, const TFormatSelection& Selection) const {
  Detail = FormatDetail();
  TXMLFormatType format = FRoot.GetItems(Selection.Format);
  Detail.Size = 60;
  TXMLGeneralType general = format.GetGeneral();
  TXMLVideoType video = format.GetVideo();
  TXMLAudioType audio = format.GetAudio();
  Detail.OutFormat = general.GetOutFormat();
  Detail.FileExt = general.GetFileExt();
  TXMLSizeType size = video.GetSize()[Selection.Size];
  Detail.Width = size.GetWidth();
  Detail.Height = size.GetHeight();
  TXMLFpsType fps = video.GetFps()[Selection.Fps];
  Detail.FpsDen = fps.GetDen();
  Detail.FpsNum = fps.GetNum();
  TXMLAspectType aspect = video.GetAspect()[Selection.Aspect];
  Detail.AspectDen = aspect.GetDen();
  Detail.AspectNum = aspect.GetNum();
  Detail.VCodecID = video.GetCodec()[Selection.VCodec].GetID();
  // The catalogue lists video rates in kbit/s; 32-bit arithmetic would wrap for large entries.
  Detail.VBitRate = static_cast<Integer>(std::clamp<Int64>(Int64{video.GetBitRate()[Selection.VBitrate]} * 1000,
                                                           INT32_MIN, INT32_MAX));
  Detail.Channels = audio.GetChannels()[Selection.Channels].GetValue();
  Detail.SampleRate = audio.GetSampleRate()[Selection.SampleRate];
  Detail.ACodecID = audio.GetCodec().GetID();
  Detail.ABitRate = audio.GetBitRate()[Selection.ABitrate];
}

void TFormats::FilterFormats(const String& Filter) {
  if (Filter.empty()) return;
  Integer i = 0;
  while (i < FRoot.GetCount()) {
    String name = FRoot.GetItems(i).GetName();
    if (!name.empty() && Filter.find(name) != String::npos)
      ++i;
    else
      FRoot.Delete(i);
  }
}
