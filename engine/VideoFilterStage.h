#pragma once
// The picture stage of a conversion: takes decoded pictures on the source time line and gives
// the encoder a constant frame rate over the converted range. Each output frame shows the source
// picture current at its time; pictures are dropped or repeated to meet the rate, and only
// pictures that are shown are filtered.

#include "engine/DecodeStage.h"
#include "engine/PictureFilter.h"

class FrameSnapshot;

class VideoFilterStage {
 public:
  // `rate`: output frames per second; `sourceRate` gives the last picture its length; `start`
  // and `length` in 100 ns (length <= 0: to the end). Output frames carry pts = frame number.
  VideoFilterStage(FrameQueue& input, FrameQueue& output, PictureFilter& filter, AVRational rate,
                   AVRational sourceRate, Int64 start, Int64 length, FrameSnapshot& snapshot);

  void Run(StageGate& gate);

 private:
  // The output frame number at source time `time`.
  Int64 IndexAt(Int64 time) const;
  // Sends the held picture for every frame number up to `end` (exclusive); false when the output
  // queue no longer takes frames.
  bool EmitUntil(Int64 end);

  FrameQueue& FInput;
  FrameQueue& FOutput;
  PictureFilter& FFilter;
  AVRational FRate;
  AVRational FSourceRate;
  Int64 FStart;
  Int64 FLastIndex;  // frame numbers end here (exclusive)
  FrameSnapshot& FSnapshot;
  AvFramePtr FHeld;      // the decoded picture current now
  AvFramePtr FFiltered;  // FHeld after the filter, made when first shown
  Int64 FNextIndex = 0;
};
