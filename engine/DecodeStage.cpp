#include "engine/DecodeStage.h"

#include "engine/EngineError.h"
#include "engine/MediaSource.h"

namespace {

// More failed pictures in a row than a decoder has threads and reordering delay: it is stuck.
constexpr int kMaxFailuresInARow = 64;

}  // namespace

// One decoder with the queue its frames go to, and the time stamp to use when a frame has none.
class DecodeStage::StreamDecoder {
 public:
  StreamDecoder(MediaSource& source, int streamIndex, FrameQueue* queue, int threads)
      : FStream(source.Format()->streams[streamIndex]), FQueue(queue), FStartOffset(source.StartOffset()) {
    const AVCodec* codec = avcodec_find_decoder(FStream->codecpar->codec_id);
    if (codec == nullptr)
      RaiseEngineError(erDecoderFailed, String("no decoder for ") + avcodec_get_name(FStream->codecpar->codec_id));
    FContext.reset(avcodec_alloc_context3(codec));
    if (!FContext) throw std::bad_alloc();
    int error = avcodec_parameters_to_context(FContext.get(), FStream->codecpar);
    if (error < 0) RaiseEngineError(erDecoderFailed, "decoder parameters: " + AvErrorText(error));
    FContext->pkt_timebase = FStream->time_base;
    if (codec->type == AVMEDIA_TYPE_VIDEO) {
      // The picture decoder is the stage that most often limits a single conversion.
      FContext->thread_count = threads;
      FContext->thread_type = FF_THREAD_FRAME | FF_THREAD_SLICE;
    }
    error = avcodec_open2(FContext.get(), codec, nullptr);
    if (error < 0) RaiseEngineError(erDecoderFailed, String("cannot open decoder ") + codec->name + ": " + AvErrorText(error));
    FFrameRate = av_guess_frame_rate(source.Format(), FStream, nullptr);
    if (FFrameRate.num <= 0 || FFrameRate.den <= 0) FFrameRate = AVRational{25, 1};
  }

  int StreamIndex() const { return FStream->index; }
  const AVCodecContext* Context() const { return FContext.get(); }
  AVRational FrameRate() const { return FFrameRate; }
  bool Wanted() const { return !FDone && !FQueue->Abandoned(); }
  void Reset() {
    avcodec_flush_buffers(FContext.get());
    FNextTime = AV_NOPTS_VALUE;
  }
  void Finish() { FQueue->Finish(); }

  // Decodes one packet (null: drains the decoder at the end) and queues the frames.
  void Decode(const AVPacket* packet) {
    int error = avcodec_send_packet(FContext.get(), packet);
    if (error < 0 && error != AVERROR_EOF) {
      EngineLog(TLogKind::Detail, "stream %d: damaged packet skipped: %s", FStream->index, AvErrorText(error).c_str());
      if (packet != nullptr) return;
    }
    // A picture that fails to decode does not end the stream: the decoder still holds the
    // pictures after it (frame threads, reordering), which would otherwise be lost when draining.
    for (int failures = 0;;) {
      AvFramePtr frame = NewFrame();
      error = avcodec_receive_frame(FContext.get(), frame.get());
      if (error == AVERROR(EAGAIN) || error == AVERROR_EOF) return;
      if (error < 0) {
        EngineLog(TLogKind::Detail, "stream %d: frame lost: %s", FStream->index, AvErrorText(error).c_str());
        // A decoder that only fails would keep this loop going for ever.
        if (++failures > kMaxFailuresInARow) return;
        continue;
      }
      failures = 0;
      Stamp(frame.get());
      if (!FQueue->Push(std::move(frame))) {
        FDone = true;
        return;
      }
    }
  }

 private:
  void Stamp(AVFrame* frame) {
    Int64 time = frame->best_effort_timestamp;
    if (time != AV_NOPTS_VALUE) {
      time = av_rescale_q(time, FStream->time_base, kTime100ns) - FStartOffset;
    } else {
      time = FNextTime == AV_NOPTS_VALUE ? 0 : FNextTime;
    }
    Int64 length;
    if (FContext->codec_type == AVMEDIA_TYPE_AUDIO && frame->sample_rate > 0)
      length = av_rescale(frame->nb_samples, kTime100ns.den, frame->sample_rate);
    else
      length = av_rescale_q(1, av_inv_q(FFrameRate), kTime100ns);
    frame->pts = time;
    FNextTime = time + length;
  }

  AVStream* FStream;
  FrameQueue* FQueue;
  Int64 FStartOffset;
  AvCodecContextPtr FContext;
  AVRational FFrameRate{25, 1};
  Int64 FNextTime = AV_NOPTS_VALUE;
  bool FDone = false;
};

DecodeStage::DecodeStage(MediaSource& source, int videoStream, FrameQueue* video, int audioStream,
                         FrameQueue* audio, int videoThreads)
    : FSource(source) {
  if (videoStream >= 0 && video != nullptr) {
    FDecoders.push_back(std::make_unique<StreamDecoder>(source, videoStream, video, videoThreads));
    FVideo = FDecoders.back().get();
  }
  if (audioStream >= 0 && audio != nullptr)
    FDecoders.push_back(std::make_unique<StreamDecoder>(source, audioStream, audio, 0));
  // Streams nobody decodes are not even demuxed where the format allows it.
  AVFormatContext* format = source.Format();
  for (unsigned i = 0; i < format->nb_streams; ++i) {
    bool used = false;
    for (const auto& decoder : FDecoders) used = used || decoder->StreamIndex() == int(i);
    format->streams[i]->discard = used ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
  }
}

DecodeStage::~DecodeStage() = default;

const AVCodecContext* DecodeStage::VideoDecoder() const { return FVideo ? FVideo->Context() : nullptr; }

AVRational DecodeStage::VideoFrameRate() const { return FVideo ? FVideo->FrameRate() : AVRational{25, 1}; }

void DecodeStage::Seek(Int64 time) {
  if (time > 0) {
    Int64 target = av_rescale_q(time + FSource.StartOffset(), kTime100ns, AV_TIME_BASE_Q);
    int error = avformat_seek_file(FSource.Format(), -1, INT64_MIN, target, target, 0);
    // Without a seek the frames before `time` are decoded and dropped downstream: slower, same result.
    if (error < 0) EngineLog(TLogKind::Warning, "cannot seek in %s: %s", FSource.Path().c_str(), AvErrorText(error).c_str());
  }
  for (auto& decoder : FDecoders) decoder->Reset();
}

void DecodeStage::Run(StageGate& gate) {
  AvPacketPtr packet = NewPacket();
  auto anyWanted = [&] {
    for (auto& decoder : FDecoders)
      if (decoder->Wanted()) return true;
    return false;
  };
  bool ended = false;
  while (anyWanted() && gate.Proceed()) {
    int error = av_read_frame(FSource.Format(), packet.get());
    if (error < 0) {
      if (error != AVERROR_EOF)
        EngineLog(TLogKind::Warning, "reading %s stops: %s", FSource.Path().c_str(), AvErrorText(error).c_str());
      ended = true;
      break;
    }
    for (auto& decoder : FDecoders)
      if (decoder->StreamIndex() == packet->stream_index && decoder->Wanted()) decoder->Decode(packet.get());
    av_packet_unref(packet.get());
  }
  if (ended && !gate.Stopped())
    for (auto& decoder : FDecoders)
      if (decoder->Wanted()) decoder->Decode(nullptr);
  for (auto& decoder : FDecoders) decoder->Finish();
}
