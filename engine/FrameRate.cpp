#include "engine/FrameRate.h"

#include <cmath>

namespace {

constexpr double kMaxRate = 240.0;
constexpr double kTolerance = 0.001;

AVRational TidyRate(double fps) {
  if (!(fps >= 1.0 && fps <= kMaxRate)) return AVRational{25, 1};
  for (int whole : {24, 30, 60})
    if (std::fabs(fps - whole * 1000.0 / 1001.0) < kTolerance) return AVRational{whole * 1000, 1001};
  if (std::fabs(fps - std::round(fps)) < kTolerance) return AVRational{int(std::lround(fps)), 1};
  return av_d2q(fps, 65535);
}

}  // namespace

AVRational RateOfFrameDuration(Int64 duration) {
  return duration > 0 ? TidyRate(1e7 / double(duration)) : AVRational{25, 1};
}

AVRational TidyFrameRate(AVRational rate) {
  return rate.num > 0 && rate.den > 0 ? TidyRate(av_q2d(rate)) : AVRational{25, 1};
}
