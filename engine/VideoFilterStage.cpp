#include "engine/VideoFilterStage.h"

#include <algorithm>

VideoFilterStage::VideoFilterStage(FrameQueue& input, FrameQueue& output, PictureFilter& filter, AVRational rate,
                                   AVRational sourceRate, Int64 start, Int64 length, Shown shown, Int64 first,
                                   Int64 end)
    : FInput(input),
      FOutput(output),
      FFilter(filter),
      FRate(rate),
      FSourceRate(sourceRate),
      FStart(start),
      FLastIndex(end),
      FShown(std::move(shown)),
      FFirst(first),
      FNextIndex(first) {
  if (length > 0) FLastIndex = std::min(FLastIndex, IndexAt(start + length));
}

Int64 FrameIndexAt(Int64 time, Int64 start, AVRational rate) {
  return av_rescale_rnd(time - start, rate.num, Int64(rate.den) * kTime100ns.den, AV_ROUND_NEAR_INF);
}

Int64 VideoFilterStage::IndexAt(Int64 time) const { return FrameIndexAt(time, FStart, FRate); }

bool VideoFilterStage::EmitUntil(Int64 end) {
  end = std::min(end, FLastIndex);
  for (; FNextIndex < end; ++FNextIndex) {
    if (!FFiltered) {
      FFiltered = FFilter.Apply(FHeld.get());
      FShown(FFiltered.get());
    }
    AvFramePtr frame = RefFrame(FFiltered.get());
    frame->pts = FNextIndex - FFirst;
    // A picture passed through unchanged still carries the source's picture type: the encoder
    // would make every source key frame one of its own instead of following its group size.
    frame->pict_type = AV_PICTURE_TYPE_NONE;
    frame->key_frame = 0;
    if (!FOutput.Push(std::move(frame))) return false;
  }
  return true;
}

void VideoFilterStage::Run(StageGate& gate) {
  AvFramePtr frame;
  bool open = true;
  while (open && FNextIndex < FLastIndex && gate.Proceed() && FInput.Pop(frame)) {
    if (FHeld) open = EmitUntil(IndexAt(frame->pts));
    FHeld = std::move(frame);
    FFiltered.reset();
  }
  // The last picture lasts one source frame (EmitUntil keeps to the range).
  if (open && FHeld && !gate.Stopped())
    EmitUntil(IndexAt(FHeld->pts + av_rescale_q(1, av_inv_q(FSourceRate), kTime100ns)));
  FInput.Abandon();  // the decoder can stop reading pictures
  FOutput.Finish();
}
