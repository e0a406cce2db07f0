#pragma once
// System sounds. The platform has no sound scheme: PlaySound plays nothing and answers FALSE, but
// keeps the last request so that callers can be checked.

#include "rtl/WinTypes.h"

constexpr DWORD SND_SYNC = 0x0000;
constexpr DWORD SND_ASYNC = 0x0001;
constexpr DWORD SND_NODEFAULT = 0x0002;
constexpr DWORD SND_NOSTOP = 0x0010;
constexpr DWORD SND_NOWAIT = 0x00002000;
constexpr DWORD SND_ALIAS = 0x00010000;

BOOL PlaySoundA(const char* sound, HMODULE module, DWORD flags);
inline BOOL PlaySound(const char* sound, HMODULE module, DWORD flags) { return PlaySoundA(sound, module, flags); }

struct SoundRequest {
  bool hasName = false;  // a request without a name stops the sound playing
  String name;
  DWORD flags = 0;
  unsigned count = 0;    // requests made so far
};
SoundRequest LastSoundRequest();
