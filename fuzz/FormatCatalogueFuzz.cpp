// The format catalogue's typed view of its XML: every format, list and attribute of a damaged
// catalogue reads without harm (numbers that are not numbers raise the conversion error).

#include "FuzzTarget.h"
#include "core/XMLFormats.h"
#include "rtl/SysUtils.h"

namespace {

template <class List, class Read>
void Each(const List& list, Read read) {
  for (Integer i = 0; i < list.GetCount(); ++i) {
    try {
      read(list[i]);
    } catch (const EConvertError&) {
    }
  }
}

void ReadFormat(const TXMLFormatType& format) {
  format.GetName();
  format.GetDescription();
  format.GetGeneral().GetOutFormat();
  format.GetGeneral().GetFileExt();
  format.GetID();
  const TXMLVideoType video = format.GetVideo();
  if (video.GetNode()) {
    Each(video.GetCodec(), [](const TXMLCodecType& c) { return c.GetName() + IntToStr(c.GetID()); });
    Each(video.GetSize(), [](const TXMLSizeType& s) { return s.GetWidth() + s.GetHeight(); });
    Each(video.GetBitRate(), [](Integer rate) { return rate; });
    Each(video.GetFps(), [](const TXMLFpsType& f) { return f.GetNum() + f.GetDen(); });
    Each(video.GetAspect(), [](const TXMLAspectType& a) { return a.GetNum() + a.GetDen(); });
    video.GetDefSize();
  }
  const TXMLAudioType audio = format.GetAudio();
  if (audio.GetNode()) {
    Each(audio.GetBitRate(), [](Integer rate) { return rate; });
    Each(audio.GetSampleRate(), [](Integer rate) { return rate; });
    Each(audio.GetChannels(), [](const TXMLChannelsType& c) { return c.GetValue(); });
    if (audio.GetCodec().GetNode()) audio.GetCodec().GetID();
  }
}

}  // namespace

TAVREN_FUZZ_TARGET(FormatCatalogue) {
  TXMLDocument document;
  TXMLFormatsType formats(nullptr);
  try {
    document.LoadFromXML(String(FuzzText(data, size)));
    formats = GetFormats(&document);  // refuses a document that is no catalogue
  } catch (const EXMLDocError&) {
    return;
  }
  formats.GetVersion();
  Each(formats, [](const TXMLFormatType& f) { ReadFormat(f); });
}
