#include "user/Sound.h"

#include <mutex>

namespace {

std::mutex gSoundMutex;
SoundRequest gLastRequest;

}  // namespace

BOOL PlaySoundA(const char* sound, HMODULE, DWORD flags) {
  std::lock_guard<std::mutex> lock(gSoundMutex);
  gLastRequest.hasName = sound != nullptr;
  gLastRequest.name = sound ? sound : "";
  gLastRequest.flags = flags;
  ++gLastRequest.count;
  // No sound scheme names a sound for any alias: nothing is played.
  return FALSE;
}

SoundRequest LastSoundRequest() {
  std::lock_guard<std::mutex> lock(gSoundMutex);
  return gLastRequest;
}
