#pragma once
// Owning handles for FFmpeg's objects, so that every path frees what it allocated.

#include <memory>
#include <new>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/frame.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

struct AvInputCloser {
  void operator()(AVFormatContext* c) const { avformat_close_input(&c); }
};
struct AvCodecContextFreer {
  void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct AvFrameFreer {
  void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct AvPacketFreer {
  void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct SwsFreer {
  void operator()(SwsContext* c) const { sws_freeContext(c); }
};
struct SwrFreer {
  void operator()(SwrContext* c) const { swr_free(&c); }
};
struct AvAudioFifoFreer {
  void operator()(AVAudioFifo* f) const { av_audio_fifo_free(f); }
};

using AvInputPtr = std::unique_ptr<AVFormatContext, AvInputCloser>;
using AvCodecContextPtr = std::unique_ptr<AVCodecContext, AvCodecContextFreer>;
using AvFramePtr = std::unique_ptr<AVFrame, AvFrameFreer>;
using AvPacketPtr = std::unique_ptr<AVPacket, AvPacketFreer>;
using SwsContextPtr = std::unique_ptr<SwsContext, SwsFreer>;
using SwrContextPtr = std::unique_ptr<SwrContext, SwrFreer>;
using AvAudioFifoPtr = std::unique_ptr<AVAudioFifo, AvAudioFifoFreer>;

inline AvFramePtr NewFrame() {
  AVFrame* frame = av_frame_alloc();
  if (frame == nullptr) throw std::bad_alloc();
  return AvFramePtr(frame);
}

inline AvPacketPtr NewPacket() {
  AVPacket* packet = av_packet_alloc();
  if (packet == nullptr) throw std::bad_alloc();
  return AvPacketPtr(packet);
}

// A new reference to the same frame data.
inline AvFramePtr RefFrame(const AVFrame* source) {
  AvFramePtr frame = NewFrame();
  if (av_frame_ref(frame.get(), source) < 0) throw std::bad_alloc();
  return frame;
}

// The engine's time unit: 100 ns, as every entry point counts time.
inline constexpr AVRational kTime100ns{1, 10000000};
