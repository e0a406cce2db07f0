#include "core/EngineApi.h"

#include "engine/CodecMgr.h"
#include "engine/EngineLog.h"
#include "engine/LibUtil.h"
#include "engine/MediaConv.h"
#include "engine/MediaInfo.h"

// The preview library is linked only into programs that have one: its entry points are weak
// here, and a program without it gets a player that cannot open anything.
extern "C" {
TEngineResult MediaPlayer_Play(const char* path, HWND window) __attribute__((weak));
TEngineResult MediaPlayer_PlayDVD(const char* path, HWND window, Integer selector1, Integer selector2,
                                  Integer selector3) __attribute__((weak));
TEngineResult MediaPlayer_Seek(Int64 start, Int64 length) __attribute__((weak));
TEngineResult MediaPlayer_Pause() __attribute__((weak));
TEngineResult MediaPlayer_Continue() __attribute__((weak));
TEngineResult MediaPlayer_SetVolume(Integer value) __attribute__((weak));
TEngineResult MediaPlayer_SetBrightness(Integer value) __attribute__((weak));
TEngineResult MediaPlayer_SetContrast(Integer value) __attribute__((weak));
TEngineResult MediaPlayer_GetSnap(Byte* buffer, Integer* size, Integer* width, Integer* height)
    __attribute__((weak));
TEngineResult MediaPlayer_GetCurrentPosition(Int64* position) __attribute__((weak));
TEngineResult MediaPlayer_Stop() __attribute__((weak));
}

namespace {

template <class... A>
TEngineResult NoPlayer(A...) {
  return erDecoderFailed;
}
template <class... A>
TEngineResult NothingPlays(A...) {
  return erSuccess;
}

template <class F>
F Either(F real, F fallback) {
  return real ? real : fallback;
}

void WriteLogLine(const char* text) { EngineLog(TLogKind::Error, "%s", text); }

TEngineApi MakeRealEngine() {
  TEngineApi api{};
  api.MediaInfo = {MediaInfo_OpenFile, MediaInfo_GetDur, MediaInfo_GetStreamCount,
                   MediaInfo_GetInfo, MediaInfo_GetType, MediaInfo_Close};
  api.MediaPlayer = {
      Either(MediaPlayer_Play, NoPlayer<const char*, HWND>),
      Either(MediaPlayer_PlayDVD, NoPlayer<const char*, HWND, Integer, Integer, Integer>),
      Either(MediaPlayer_Seek, NothingPlays<Int64, Int64>),
      Either(MediaPlayer_Pause, NothingPlays<>),
      Either(MediaPlayer_Continue, NothingPlays<>),
      Either(MediaPlayer_SetVolume, NothingPlays<Integer>),
      Either(MediaPlayer_SetBrightness, NothingPlays<Integer>),
      Either(MediaPlayer_SetContrast, NothingPlays<Integer>),
      Either(MediaPlayer_GetSnap, NoPlayer<Byte*, Integer*, Integer*, Integer*>),
      Either(MediaPlayer_GetCurrentPosition, NothingPlays<Int64*>),
      Either(MediaPlayer_Stop, NothingPlays<>),
  };
  api.MediaConv = {MediaConv_AddInputFile, MediaConv_AddInputDVD,   MediaConv_CreateOutput,
                   MediaConv_SetVolume,    MediaConv_SetBrightness, MediaConv_SetContrast,
                   MediaConv_SetCrop,      MediaConv_SetAspect,     MediaConv_SetRange,
                   MediaConv_SetVideo,     MediaConv_SetAudio,      MediaConv_Run,
                   MediaConv_Pause,        MediaConv_Continue,      MediaConv_Cancel,
                   MediaConv_GetSnap,      MediaConv_GetCurrentPosition, MediaConv_WaitFor};
  api.LibUtil = {LogSetFileByName, LogSetLevel, LogClose, WriteLogLine};
  api.CodecMgr = {CodecMgrInit};
  return api;
}

TEngineApi& CurrentEngine() {
  static TEngineApi current = RealEngine();
  return current;
}

}  // namespace

const TEngineApi& RealEngine() {
  static const TEngineApi real = MakeRealEngine();
  return real;
}

const TEngineApi& Engine() { return CurrentEngine(); }

void SetEngine(const TEngineApi& Api) { CurrentEngine() = Api; }

void LogCoreError(const String& Text) { Engine().LibUtil.LogWrite(Text.c_str()); }
