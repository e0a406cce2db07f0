#include "engine/CodecTable.h"

#include <strings.h>

namespace {

const TCodecEntry kCodecs[] = {
    {kVideoWindowsMedia7, "wmv1", "Windows Media Video 7"},
    {kVideoWindowsMedia8, "wmv2", "Windows Media Video 8"},
    {kVideoWindowsMedia9, "wmv2", "Windows Media Video 9 (written as Windows Media Video 8)"},
    {kAudioWindowsMedia2, "wmav2", "Windows Media Audio 2"},
    {kAudioMp3, "libmp3lame", "MP3"},
};
constexpr int kFirstAudio = 3;
constexpr int kCodecCount = sizeof kCodecs / sizeof kCodecs[0];

const TCodecEntry* Find(Integer id, int from, int to) {
  for (int i = from; i < to; ++i)
    if (kCodecs[i].Id == id) return &kCodecs[i];
  return nullptr;
}

}  // namespace

const TCodecEntry* FindVideoCodec(Integer id) { return Find(id, 0, kFirstAudio); }

const TCodecEntry* FindAudioCodec(Integer id) { return Find(id, kFirstAudio, kCodecCount); }

const TCodecEntry* CodecEntries(Integer& count) {
  count = kCodecCount;
  return kCodecs;
}

bool FindContainer(const String& name, TContainer& container) {
  if (strcasecmp(name.c_str(), "asf") == 0) container = TContainer::Asf;
  else if (strcasecmp(name.c_str(), "wma") == 0) container = TContainer::Wma;
  else if (strcasecmp(name.c_str(), "mp3") == 0) container = TContainer::Mp3;
  else return false;
  return true;
}

bool ContainerHasVideo(TContainer container) { return container == TContainer::Asf; }

const char* MuxerFor(TContainer container, Integer audioCodec) {
  switch (container) {
    case TContainer::Asf: return "asf";
    case TContainer::Wma: return audioCodec == kAudioMp3 ? "mp3" : "asf";
    case TContainer::Mp3: return "mp3";
  }
  return "asf";
}
