#include "engine/SegmentPlan.h"

#include <algorithm>
#include <cstdlib>

#include "engine/AvHandles.h"
#include "engine/MediaSource.h"

namespace {

// Packets read at most after a seek to find the key frame's own packet.
constexpr int kScoutPackets = 4096;

}  // namespace

std::vector<Int64> ChooseCuts(const std::vector<Int64>& keyFrames, Int64 start, Int64 end, int parts, Int64 shortest) {
  std::vector<Int64> cuts;
  if (shortest <= 0 || end <= start) return cuts;
  parts = int(std::min<Int64>(parts, (end - start) / shortest));
  // Each cut is the key frame nearest to an equal share of what is left, so that a part that
  // came out long or short is made up for by the parts after it.
  for (Int64 from = start; parts > 1; --parts) {
    const Int64 ideal = from + (end - from) / parts;
    Int64 best = -1;
    for (Int64 key : keyFrames) {
      if (key - from < shortest || end - key < shortest) continue;
      if (best < 0 || std::llabs(key - ideal) < std::llabs(best - ideal)) best = key;
    }
    if (best < 0) break;
    cuts.push_back(best);
    from = best;
  }
  return cuts;
}

std::vector<Int64> IndexedKeyFrames(const MediaSource& source, int stream) {
  std::vector<Int64> keys;
  AVStream* s = source.Format()->streams[stream];
  const int count = avformat_index_get_entries_count(s);
  for (int i = 0; i < count; ++i) {
    const AVIndexEntry* entry = avformat_index_get_entry(s, i);
    if (entry != nullptr && (entry->flags & AVINDEX_KEYFRAME) && entry->timestamp != AV_NOPTS_VALUE)
      keys.push_back(av_rescale_q(entry->timestamp, s->time_base, kTime100ns) - source.StartOffset());
  }
  std::sort(keys.begin(), keys.end());
  return keys;
}

Int64 KeyFrameAt(MediaSource& source, int stream, Int64 time) {
  AVFormatContext* format = source.Format();
  const AVStream* s = format->streams[stream];
  const Int64 target = av_rescale_q(time + source.StartOffset(), kTime100ns, s->time_base);
  if (avformat_seek_file(format, stream, INT64_MIN, target, target, 0) < 0) return -1;
  AvPacketPtr packet = NewPacket();
  for (int i = 0; i < kScoutPackets && av_read_frame(format, packet.get()) >= 0; ++i) {
    const bool key = packet->stream_index == stream && (packet->flags & AV_PKT_FLAG_KEY);
    const Int64 stamp = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
    av_packet_unref(packet.get());
    if (key && stamp != AV_NOPTS_VALUE) return av_rescale_q(stamp, s->time_base, kTime100ns) - source.StartOffset();
  }
  return -1;
}
