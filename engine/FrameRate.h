#pragma once
// Frame rates as encoders take them: small fractions, with the broadcast rates (24000/1001,
// 30000/1001, 60000/1001) recognised from their rounded frame lengths.

extern "C" {
#include <libavutil/rational.h>
}

#include "rtl/Types.h"

// The rate of frames lasting `duration` 100-ns units (333666 -> 30000/1001).
AVRational RateOfFrameDuration(Int64 duration);
// `rate` as a small fraction; 25/1 for a missing rate or one no encoder could write.
AVRational TidyFrameRate(AVRational rate);
