#include "core/EngineApi.h"

#include "engine/CodecMgr.h"
#include "engine/EngineLog.h"
#include "engine/LibUtil.h"
#include "engine/MediaConv.h"
#include "engine/MediaInfo.h"
#include "engine/MediaPlayer.h"

namespace {

void WriteLogLine(const char* text) { EngineLog(TLogKind::Error, "%s", text); }

TEngineApi MakeRealEngine() {
  TEngineApi api{};
  api.MediaInfo = {MediaInfo_OpenFile, MediaInfo_GetDur, MediaInfo_GetStreamCount,
                   MediaInfo_GetInfo, MediaInfo_GetType, MediaInfo_Close};
  api.MediaPlayer = {MediaPlayer_Play,          MediaPlayer_PlayDVD,     MediaPlayer_Seek,
                     MediaPlayer_Pause,         MediaPlayer_Continue,    MediaPlayer_SetVolume,
                     MediaPlayer_SetBrightness, MediaPlayer_SetContrast, MediaPlayer_GetSnap,
                     MediaPlayer_GetCurrentPosition, MediaPlayer_Stop};
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
