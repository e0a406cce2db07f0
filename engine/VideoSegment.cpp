#include "engine/VideoSegment.h"

#include "engine/MediaSource.h"

namespace {

// Each part keeps fewer pictures waiting than a single conversion: there are several of them.
constexpr size_t kDecodedPictures = 2;
constexpr size_t kFilteredPictures = 2;
// 1 ms; the next key frame is seconds away.
constexpr Int64 kSeekSlack = 10000;

}  // namespace

VideoSegment::VideoSegment(const TSegmentJob& job, const TSegment& part, VideoFilterStage::Shown shown)
    : FSource(MediaSource::Open(job.Path)),
      FDecoded(kDecodedPictures),
      FFiltered(kFilteredPictures),
      FPictureFilter(job.Layout, job.Brightness, job.Contrast),
      FSpool(job.SpoolFolder, av_inv_q(job.Rate)) {
  FDecoder = std::make_unique<DecodeStage>(*FSource, FSource->VideoStream(), &FDecoded, -1, nullptr, job.DecoderThreads);
  // Later parts seek a little past their key frame: its time rounded on the way into the file's
  // time base must not fall before it, or decoding would start a whole group of pictures earlier.
  // The first part starts as a single stream does.
  FDecoder->Seek(part.First > 0 ? part.SourceStart + kSeekSlack : part.SourceStart);
  FFilter = std::make_unique<VideoFilterStage>(FDecoded, FFiltered, FPictureFilter, job.Rate, FDecoder->VideoFrameRate(),
                                               job.Start, job.Length, std::move(shown), part.First, part.End);
  // The encoder counts from 0; the spool keeps the job's frame numbers.
  const Int64 first = part.First;
  FEncoder = std::make_unique<EncodeStage>(EncodeStage::OpenVideo(job.Target, job.GlobalHeader),
                                           [this, first](AVPacket* packet) {
                                             packet->pts += first;
                                             packet->dts += first;
                                             FSpool.Write(packet);
                                           });
}

VideoSegment::~VideoSegment() = default;

void VideoSegment::Decode(StageGate& gate) { FDecoder->Run(gate); }

void VideoSegment::Filter(StageGate& gate) { FFilter->Run(gate); }

void VideoSegment::Encode(StageGate& gate, const std::function<void(const AVFrame*)>& encoded) {
  EncodeQueue(gate, FFiltered, *FEncoder, encoded);
}

void VideoSegment::Stop() {
  FDecoded.Abandon();
  FFiltered.Abandon();
}
