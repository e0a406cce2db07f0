#pragma once
// The engine as the conversion core sees it: one table of entry points per engine library.
//
// The wrappers never call an engine function by name; they go through Engine(), which answers the
// real entry points unless a test has installed a table of its own (SetEngine). That keeps the
// wrappers testable against a scripted engine without touching the libraries themselves.
//
// Every entry point answers one result byte, 0 for success (engine/EngineResult.h).

#include "engine/EngineResult.h"
#include "rtl/WinTypes.h"

struct TMediaInfoApi {
  TEngineResult (*OpenFile)(const char* path);
  TEngineResult (*GetDur)(Int64* duration);
  TEngineResult (*GetStreamCount)(Integer* count);
  TEngineResult (*GetInfo)(Integer index, void* record);
  TEngineResult (*GetType)(Integer index, Integer* type);
  TEngineResult (*Close)();
};

struct TMediaPlayerApi {
  TEngineResult (*Play)(const char* path, HWND window);
  TEngineResult (*PlayDVD)(const char* path, HWND window, Integer selector1, Integer selector2, Integer selector3);
  TEngineResult (*Seek)(Int64 start, Int64 length);
  TEngineResult (*Pause)();
  TEngineResult (*Continue)();
  TEngineResult (*SetVolume)(Integer value);
  TEngineResult (*SetBrightness)(Integer value);
  TEngineResult (*SetContrast)(Integer value);
  // size: in, the capacity of buffer; out, the bytes the picture needs.
  TEngineResult (*GetSnap)(Byte* buffer, Integer* size, Integer* width, Integer* height);
  TEngineResult (*GetCurrentPosition)(Int64* position);
  TEngineResult (*Stop)();
};

struct TMediaConvApi {
  TEngineResult (*AddInputFile)(const char* path);
  TEngineResult (*AddInputDVD)(const char* path, Integer selector1, Integer selector2, Integer selector3);
  TEngineResult (*CreateOutput)(const char* path, const char* format);
  TEngineResult (*SetVolume)(Integer value);
  TEngineResult (*SetBrightness)(Integer value);
  TEngineResult (*SetContrast)(Integer value);
  TEngineResult (*SetCrop)(Integer left, Integer top, Integer right, Integer bottom);
  TEngineResult (*SetAspect)(Integer width, Integer height);
  TEngineResult (*SetRange)(Int64 start, Int64 length);
  TEngineResult (*SetVideo)(Integer codec, Integer width, Integer height, Int64 frameDuration, Integer bitRate);
  TEngineResult (*SetAudio)(Integer codec, Integer channels, Integer sampleRate, Integer bitRate);
  TEngineResult (*Run)();
  TEngineResult (*Pause)();
  TEngineResult (*Continue)();
  TEngineResult (*Cancel)();
  // The library owns the picture buffer it hands out.
  TEngineResult (*GetSnap)(Byte** buffer, Integer* size, Integer* width, Integer* height);
  TEngineResult (*GetCurrentPosition)(Int64* position);
  TEngineResult (*WaitFor)(Byte* finished, Byte* result);
};

struct TLibUtilApi {
  TEngineResult (*LogSetFileByName)(const char* path);
  TEngineResult (*LogSetLevel)(Integer level);
  TEngineResult (*LogClose)();
  // Writes one line of the core's own into the log (failures nobody else reports).
  void (*LogWrite)(const char* text);
};

struct TCodecMgrApi {
  TEngineResult (*CodecMgrInit)(const char* folder);
};

struct TEngineApi {
  TMediaInfoApi MediaInfo;
  TMediaPlayerApi MediaPlayer;
  TMediaConvApi MediaConv;
  TLibUtilApi LibUtil;
  TCodecMgrApi CodecMgr;
};

// The table the wrappers call now.
const TEngineApi& Engine();
// The engine libraries' own entry points.
const TEngineApi& RealEngine();
// Replaces the table (tests); SetEngine(RealEngine()) restores it.
void SetEngine(const TEngineApi& Api);

// A line in the log about a failure that has nowhere else to go.
void LogCoreError(const String& Text);
