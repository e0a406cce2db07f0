#pragma once
// Where a picture stream is cut into parts that are encoded side by side: at the source's key
// frames, so that each part decodes on its own, into parts of about equal length that are a few
// seconds long at least.

#include <vector>

#include "rtl/Types.h"

class MediaSource;

// Cut times (100 ns, source time line) among `keyFrames` (sorted) for at most `parts` parts of
// the range from `start` to `end`, none shorter than `shortest`, each cut the key frame nearest
// to an equal share of the rest. Empty when the range makes one part only.
std::vector<Int64> ChooseCuts(const std::vector<Int64>& keyFrames, Int64 start, Int64 end, int parts, Int64 shortest);

// The times of the key frames that the stream's index lists (100 ns, source time line; decoding
// times in some formats); empty when the file has no index, as then a part could not be found
// again by seeking.
std::vector<Int64> IndexedKeyFrames(const MediaSource& source, int stream);

// The presentation time of the key frame that seeking to `time` lands on, as its packet gives
// it; -1 when there is none. Reads the source: seek it again before decoding.
Int64 KeyFrameAt(MediaSource& source, int stream, Int64 time);
