// The view-level lookups that layout owners use over an item's permitted levels.

#include "toolkit/bars/qzBarItemViewInfo.h"

namespace {

TqzBarItemViewLevel FirstViewLevelFrom(TqzBarItemViewLevels ALevels, Integer AStart) {
  for (Integer level = AStart; level < ivlDefault; ++level)
    if (ALevels.Contains(static_cast<TqzBarItemViewLevel>(level))) return static_cast<TqzBarItemViewLevel>(level);
  return ivlDefault;
}

}  // namespace

TqzBarItemViewLevel FirstViewLevel(TqzBarItemViewLevels ALevels) { return FirstViewLevelFrom(ALevels, 0); }

TqzBarItemViewLevel NextViewLevel(TqzBarItemViewLevels ALevels, TqzBarItemViewLevel ALevel) {
  return FirstViewLevelFrom(ALevels, ALevel + 1);
}
