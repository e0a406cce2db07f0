#include "engine/MediaSource.h"

#include <sys/stat.h>

#include <cerrno>

#include "engine/EngineError.h"

extern "C" {
#include <libavutil/imgutils.h>
}

namespace {

void CheckIsReadableFile(const String& path) {
  struct stat info {};
  if (path.empty() || stat(path.c_str(), &info) != 0)
    RaiseEngineError(erInputNotFound, "no file " + path);
  if (S_ISDIR(info.st_mode)) RaiseEngineError(erInputNotFound, path + " is a folder");
  // A FIFO or a device would block or never end: only plain files are media here.
  if (!S_ISREG(info.st_mode)) RaiseEngineError(erUnsupportedFormat, path + " is not a plain file");
}

}  // namespace

Integer StreamKind(const AVStream* stream) {
  switch (stream->codecpar->codec_type) {
    case AVMEDIA_TYPE_VIDEO:
      return (stream->disposition & AV_DISPOSITION_ATTACHED_PIC) ? 0 : 1;
    case AVMEDIA_TYPE_AUDIO: return 2;
    default: return 0;
  }
}

std::unique_ptr<MediaSource> MediaSource::Open(const String& path) {
  CheckIsReadableFile(path);
  std::unique_ptr<MediaSource> source(new MediaSource());
  source->FPath = path;

  // The "file:" prefix and the protocol list keep a name from being read as a network address
  // or a protocol chain.
  AVDictionary* options = nullptr;
  av_dict_set(&options, "protocol_whitelist", "file", 0);
  AVFormatContext* format = nullptr;
  int error = avformat_open_input(&format, ("file:" + path).c_str(), nullptr, &options);
  av_dict_free(&options);
  if (error < 0) {
    TEngineResult code = (error == AVERROR(ENOENT) || error == AVERROR(EACCES)) ? erInputNotFound
                                                                                : erUnsupportedFormat;
    RaiseEngineError(code, "cannot open " + path + ": " + AvErrorText(error));
  }
  source->FFormat.reset(format);
  error = avformat_find_stream_info(format, nullptr);
  if (error < 0) RaiseEngineError(erUnsupportedFormat, "no stream information in " + path + ": " + AvErrorText(error));

  Int64 bestArea = -1;
  for (unsigned i = 0; i < format->nb_streams; ++i) {
    const AVStream* stream = format->streams[i];
    switch (StreamKind(stream)) {
      case 1: {
        const int width = stream->codecpar->width, height = stream->codecpar->height;
        // A damaged header can claim any size; none of FFmpeg's decoders takes such a picture.
        const bool sized = width > 0 && height > 0;
        if (width < 0 || height < 0 || (sized && av_image_check_size(unsigned(width), unsigned(height), 0, nullptr) < 0))
          RaiseEngineError(erUnsupportedFormat, "picture size " + std::to_string(width) + "x" + std::to_string(height) +
                                                    " in " + path);
        const Int64 area = Int64(width) * height;
        if (area > bestArea) {
          bestArea = area;
          source->FVideoStream = int(i);
        }
        break;
      }
      case 2:
        if (source->FAudioStream < 0) source->FAudioStream = int(i);
        break;
    }
  }
  int bestAudio = av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, source->FVideoStream, nullptr, 0);
  if (bestAudio >= 0) source->FAudioStream = bestAudio;
  if (source->FVideoStream < 0 && source->FAudioStream < 0)
    RaiseEngineError(erUnsupportedFormat, "neither picture nor sound in " + path);
  return source;
}

Int64 MediaSource::Duration() const {
  if (FFormat->duration != AV_NOPTS_VALUE && FFormat->duration > 0)
    return av_rescale_q(FFormat->duration, AV_TIME_BASE_Q, kTime100ns);
  Int64 longest = 0;
  for (unsigned i = 0; i < FFormat->nb_streams; ++i) {
    const AVStream* stream = FFormat->streams[i];
    if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0)
      longest = std::max(longest, av_rescale_q(stream->duration, stream->time_base, kTime100ns));
  }
  return longest;
}

Int64 MediaSource::StartOffset() const {
  if (FFormat->start_time == AV_NOPTS_VALUE) return 0;
  return av_rescale_q(FFormat->start_time, AV_TIME_BASE_Q, kTime100ns);
}

void MediaSource::Rewind() {
  const Int64 start = FFormat->start_time == AV_NOPTS_VALUE ? 0 : FFormat->start_time;
  avformat_seek_file(FFormat.get(), -1, INT64_MIN, start, start, 0);
}
