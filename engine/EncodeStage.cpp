#include "engine/EncodeStage.h"

#include "engine/EngineError.h"
#include "engine/OutputFile.h"

namespace {

// The lowest bit rate the Windows Media Audio encoder accepts.
constexpr Integer kWmaMinimumBitRate = 24000;

AvCodecContextPtr NewEncoder(const char* name, const AVCodec*& codec) {
  codec = avcodec_find_encoder_by_name(name);
  if (codec == nullptr) RaiseEngineError(erEncoderFailed, String("no encoder ") + name);
  AvCodecContextPtr context(avcodec_alloc_context3(codec));
  if (!context) throw std::bad_alloc();
  return context;
}

void OpenEncoder(AVCodecContext* context, const AVCodec* codec, bool globalHeader) {
  if (globalHeader) context->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  int error = avcodec_open2(context, codec, nullptr);
  if (error == AVERROR(EINVAL) || error == AVERROR(ERANGE) || error == AVERROR_PATCHWELCOME)
    RaiseEngineError(erOutputParameters, String("encoder ") + codec->name + " refuses the parameters: " + AvErrorText(error));
  if (error < 0) RaiseEngineError(erEncoderFailed, String("cannot open encoder ") + codec->name + ": " + AvErrorText(error));
}

bool Supports(const int* rates, int rate) {
  if (rates == nullptr) return true;
  for (; *rates != 0; ++rates)
    if (*rates == rate) return true;
  return false;
}

bool SupportsPlanarFloat(const AVSampleFormat* formats) {
  for (; formats != nullptr && *formats != AV_SAMPLE_FMT_NONE; ++formats)
    if (*formats == AV_SAMPLE_FMT_FLTP) return true;
  return false;
}

}  // namespace

EncodeStage::EncodeStage(AvCodecContextPtr encoder, PacketSink sink)
    : FEncoder(std::move(encoder)), FSink(std::move(sink)), FPacket(NewPacket()) {}

EncodeStage EncodeStage::IntoFile(AvCodecContextPtr encoder, OutputFile& output) {
  const int stream = output.AddStream(encoder.get());
  const AVRational timeBase = encoder->time_base;
  return EncodeStage(std::move(encoder), [&output, stream, timeBase](AVPacket* packet) {
    packet->stream_index = stream;
    output.WritePacket(packet, timeBase);
  });
}

AvCodecContextPtr EncodeStage::OpenVideo(const TVideoTarget& target, bool globalHeader) {
  const AVCodec* codec = nullptr;
  AvCodecContextPtr context = NewEncoder(target.Encoder, codec);
  context->width = target.Width;
  context->height = target.Height;
  context->pix_fmt = AV_PIX_FMT_YUV420P;
  context->framerate = target.FrameRate;
  context->time_base = av_inv_q(target.FrameRate);
  context->sample_aspect_ratio = AVRational{1, 1};
  if (target.BitRate > 0) {
    context->bit_rate = target.BitRate;
    // The rate control makes up for what it spent too much within half a second, rather than
    // the encoder's default of several megabits: an encoder starting on a part of a stream
    // overspends on its first pictures as one starting on the whole stream does.
    context->bit_rate_tolerance = target.BitRate / 2;
  }
  // Slice threads where the encoder has them; the pipeline already runs it beside decoding.
  if (codec->capabilities & (AV_CODEC_CAP_SLICE_THREADS | AV_CODEC_CAP_FRAME_THREADS)) context->thread_count = 0;
  OpenEncoder(context.get(), codec, globalHeader);
  return context;
}

AvCodecContextPtr EncodeStage::OpenAudio(const TAudioTarget& target, bool globalHeader) {
  const AVCodec* codec = nullptr;
  AvCodecContextPtr context = NewEncoder(target.Encoder, codec);
  if (!Supports(codec->supported_samplerates, target.SampleRate))
    RaiseEngineError(erOutputParameters, String(codec->name) + " cannot write " + std::to_string(target.SampleRate) + " Hz");
  if (!SupportsPlanarFloat(codec->sample_fmts))
    RaiseEngineError(erOutputParameters, String(codec->name) + " takes no planar float samples");
  context->sample_fmt = AV_SAMPLE_FMT_FLTP;
  context->sample_rate = target.SampleRate;
  av_channel_layout_default(&context->ch_layout, target.Channels);
  context->time_base = AVRational{1, target.SampleRate};
  Integer bitRate = target.BitRate;
  if (codec->id == AV_CODEC_ID_WMAV2 && bitRate > 0 && bitRate < kWmaMinimumBitRate) {
    EngineLog(TLogKind::Warning, "audio bit rate %d raised to %d, the encoder's lowest", bitRate, kWmaMinimumBitRate);
    bitRate = kWmaMinimumBitRate;
  }
  if (bitRate > 0) context->bit_rate = bitRate;
  OpenEncoder(context.get(), codec, globalHeader);
  return context;
}

void EncodeStage::Encode(const AVFrame* frame) {
  int error = avcodec_send_frame(FEncoder.get(), frame);
  if (error < 0 && error != AVERROR_EOF)
    RaiseEngineError(erEncoderFailed, String("encoder ") + FEncoder->codec->name + ": " + AvErrorText(error));
  for (;;) {
    error = avcodec_receive_packet(FEncoder.get(), FPacket.get());
    if (error == AVERROR(EAGAIN) || error == AVERROR_EOF) return;
    if (error < 0) RaiseEngineError(erEncoderFailed, String("encoder ") + FEncoder->codec->name + ": " + AvErrorText(error));
    // Pictures come at a constant rate: each lasts one frame, the last one too (the file's
    // length in its header counts it).
    if (FEncoder->codec_type == AVMEDIA_TYPE_VIDEO && FPacket->duration <= 0)
      FPacket->duration = av_rescale_q(1, av_inv_q(FEncoder->framerate), FEncoder->time_base);
    FSink(FPacket.get());
    av_packet_unref(FPacket.get());
  }
}

void EncodeQueue(StageGate& gate, FrameQueue& input, EncodeStage& encoder,
                 const std::function<void(const AVFrame* frame)>& encoded) {
  AvFramePtr frame;
  while (gate.Proceed() && input.Pop(frame)) {
    encoder.Encode(frame.get());
    encoded(frame.get());
  }
  input.Abandon();
  if (!gate.Stopped()) encoder.Encode(nullptr);
}
