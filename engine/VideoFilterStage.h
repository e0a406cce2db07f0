#pragma once
// The picture stage of a conversion: takes decoded pictures on the source time line and gives
// the encoder a constant frame rate over the converted range. Each output frame shows the source
// picture current at its time; pictures are dropped or repeated to meet the rate, and only
// pictures that are shown are filtered.

#include <functional>
#include <limits>

#include "engine/DecodeStage.h"
#include "engine/PictureFilter.h"

// The output frame number at source time `time` for frames at `rate` counted from `start`
// (100 ns): the nearest, so that time stamps rounded to 100 ns do not shift a picture by one.
Int64 FrameIndexAt(Int64 time, Int64 start, AVRational rate);

class VideoFilterStage {
 public:
  // Gets each picture that is filtered, as it is given to the encoder.
  using Shown = std::function<void(const AVFrame* frame)>;

  // `rate`: output frames per second; `sourceRate` gives the last picture its length; `start`
  // and `length` in 100 ns (length <= 0: to the end). Frames are numbered from `start`; only
  // the numbers from `first` up to `end` (exclusive) are given on, so that a part of the range
  // can be made on its own. Output frames carry pts = frame number - `first`: an encoder's rate
  // control counts its budget from pts 0.
  VideoFilterStage(FrameQueue& input, FrameQueue& output, PictureFilter& filter, AVRational rate,
                   AVRational sourceRate, Int64 start, Int64 length, Shown shown,
                   Int64 first = 0, Int64 end = std::numeric_limits<Int64>::max());

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
  Shown FShown;
  AvFramePtr FHeld;      // the decoded picture current now
  AvFramePtr FFiltered;  // FHeld after the filter, made when first shown
  Int64 FFirst;
  Int64 FNextIndex;
};
