#include "engine/CodecMgr.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include "engine/CodecTable.h"
#include "engine/EngineLog.h"

extern "C" TEngineResult CodecMgrInit(const char* folder) {
  EngineLog(TLogKind::Info, "codec manager started for %s; FFmpeg %s", folder ? folder : "(none)",
            av_version_info());
  bool complete = true;
  Integer count = 0;
  const TCodecEntry* entries = CodecEntries(count);
  for (Integer i = 0; i < count; ++i) {
    const bool found = avcodec_find_encoder_by_name(entries[i].Encoder) != nullptr;
    EngineLog(found ? TLogKind::Info : TLogKind::Error, "codec %d %s: encoder %s %s", entries[i].Id,
              entries[i].Name, entries[i].Encoder, found ? "found" : "missing");
    complete = complete && found;
  }
  for (const char* muxer : {"asf", "mp3"}) {
    const bool found = av_guess_format(muxer, nullptr, nullptr) != nullptr;
    EngineLog(found ? TLogKind::Info : TLogKind::Error, "file writer %s %s", muxer, found ? "found" : "missing");
    complete = complete && found;
  }
  return complete ? erSuccess : erEncoderFailed;
}
