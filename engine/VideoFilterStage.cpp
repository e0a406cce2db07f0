#include "engine/VideoFilterStage.h"

#include <limits>

#include "engine/FrameSnapshot.h"

VideoFilterStage::VideoFilterStage(FrameQueue& input, FrameQueue& output, PictureFilter& filter, AVRational rate,
                                   AVRational sourceRate, Int64 start, Int64 length, FrameSnapshot& snapshot)
    : FInput(input),
      FOutput(output),
      FFilter(filter),
      FRate(rate),
      FSourceRate(sourceRate),
      FStart(start),
      FLastIndex(std::numeric_limits<Int64>::max()),
      FSnapshot(snapshot) {
  if (length > 0) FLastIndex = IndexAt(start + length);
}

Int64 VideoFilterStage::IndexAt(Int64 time) const {
  // Nearest frame number: time stamps rounded to 100 ns must not shift a picture by one frame.
  return av_rescale_rnd(time - FStart, FRate.num, Int64(FRate.den) * kTime100ns.den, AV_ROUND_NEAR_INF);
}

bool VideoFilterStage::EmitUntil(Int64 end) {
  end = std::min(end, FLastIndex);
  for (; FNextIndex < end; ++FNextIndex) {
    if (!FFiltered) {
      FFiltered = FFilter.Apply(FHeld.get());
      FSnapshot.Update(FFiltered.get());
    }
    AvFramePtr frame = RefFrame(FFiltered.get());
    frame->pts = FNextIndex;
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
