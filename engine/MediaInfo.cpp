#include "engine/MediaInfo.h"

#include <cstring>
#include <mutex>
#include <vector>

#include "engine/EngineError.h"
#include "engine/MediaSource.h"

namespace {

// What the probe keeps of the opened file: the demuxer is closed at once, so an open probe
// holds no file descriptor.
struct TProbedFile {
  bool Open = false;
  Int64 Duration = 0;
  std::vector<TStreamDescription> Streams;
};

std::mutex gProbeLock;
TProbedFile gProbed;  // guarded by gProbeLock

Integer ClampToInteger(Int64 value) {
  return value > INT32_MAX ? INT32_MAX : (value < 0 ? 0 : Integer(value));
}

TStreamDescription Describe(const AVStream* stream) {
  TStreamDescription d{};
  const AVCodecParameters* codec = stream->codecpar;
  d.StreamType = StreamKind(stream);
  d.CodecId = Integer(codec->codec_id);
  if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0)
    d.Duration = av_rescale_q(stream->duration, stream->time_base, kTime100ns);
  d.BitRate = ClampToInteger(codec->bit_rate);
  if (d.StreamType == 1) {
    d.Width = codec->width;
    d.Height = codec->height;
    AVRational rate = stream->avg_frame_rate.num > 0 ? stream->avg_frame_rate : stream->r_frame_rate;
    d.FrameRateNum = rate.num;
    d.FrameRateDen = rate.den;
  } else if (d.StreamType == 2) {
    d.SampleRate = codec->sample_rate;
    d.Channels = codec->ch_layout.nb_channels;
  }
  return d;
}

const TStreamDescription* StreamAt(Integer index) {
  if (!gProbed.Open) RaiseEngineError(erInputNotFound, "no file is open");
  if (index < 0 || size_t(index) >= gProbed.Streams.size())
    RaiseEngineError(erUnsupportedFormat, "no stream " + std::to_string(index));
  return &gProbed.Streams[size_t(index)];
}

}  // namespace

extern "C" {

TEngineResult MediaInfo_OpenFile(const char* path) {
  std::lock_guard lock(gProbeLock);
  gProbed = TProbedFile{};
  return EngineCall("MediaInfo_OpenFile", [&] {
    std::unique_ptr<MediaSource> source = MediaSource::Open(path ? path : "");
    TProbedFile probed;
    probed.Duration = source->Duration();
    AVFormatContext* format = source->Format();
    for (unsigned i = 0; i < format->nb_streams; ++i) probed.Streams.push_back(Describe(format->streams[i]));
    probed.Open = true;
    gProbed = std::move(probed);
    EngineLog(TLogKind::Info, "probed %s: %u streams, %.3f s", path, format->nb_streams,
              double(gProbed.Duration) / kTime100ns.den);
  });
}

TEngineResult MediaInfo_GetDur(Int64* duration) {
  std::lock_guard lock(gProbeLock);
  if (duration) *duration = 0;
  return EngineCall("MediaInfo_GetDur", [&] {
    if (!gProbed.Open) RaiseEngineError(erInputNotFound, "no file is open");
    if (duration) *duration = gProbed.Duration;
  });
}

TEngineResult MediaInfo_GetStreamCount(Integer* count) {
  std::lock_guard lock(gProbeLock);
  if (count) *count = 0;
  return EngineCall("MediaInfo_GetStreamCount", [&] {
    if (!gProbed.Open) RaiseEngineError(erInputNotFound, "no file is open");
    if (count) *count = Integer(gProbed.Streams.size());
  });
}

TEngineResult MediaInfo_GetType(Integer index, Integer* type) {
  std::lock_guard lock(gProbeLock);
  if (type) *type = 0;
  return EngineCall("MediaInfo_GetType", [&] {
    const TStreamDescription* stream = StreamAt(index);
    if (type) *type = stream->StreamType;
  });
}

TEngineResult MediaInfo_GetInfo(Integer index, void* description) {
  std::lock_guard lock(gProbeLock);
  if (description) memset(description, 0, sizeof(TStreamDescription));
  return EngineCall("MediaInfo_GetInfo", [&] {
    const TStreamDescription* stream = StreamAt(index);
    if (description) memcpy(description, stream, sizeof(TStreamDescription));
  });
}

TEngineResult MediaInfo_Close() {
  std::lock_guard lock(gProbeLock);
  gProbed = TProbedFile{};
  return erSuccess;
}

}
