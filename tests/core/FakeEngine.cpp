#include "FakeEngine.h"

#include <algorithm>
#include <cstring>
#include <sstream>

namespace {

TFakeEngine* Current = nullptr;

template <class... A>
std::string CallText(const char* name, A... args) {
  std::ostringstream text;
  text << name << "(";
  bool first = true;
  ((text << (first ? "" : ",") << args, first = false), ...);
  text << ")";
  return text.str();
}

template <class... A>
Byte Record(const char* name, A... args) {
  return Current->Answer(CallText(name, args...));
}

bool Outs() { return Current->WriteOuts; }

TEngineApi MakeFake() {
  TEngineApi api{};
  api.MediaInfo.OpenFile = [](const char* p) { return Record("MediaInfo_OpenFile", p); };
  api.MediaInfo.GetDur = [](Int64* d) {
    if (Outs()) *d = Current->Duration;
    return Record("MediaInfo_GetDur");
  };
  api.MediaInfo.GetStreamCount = [](Integer* c) {
    if (Outs()) *c = static_cast<Integer>(Current->Streams.size());
    return Record("MediaInfo_GetStreamCount");
  };
  api.MediaInfo.GetInfo = [](Integer i, void* record) {
    if (Outs() && i < static_cast<Integer>(Current->Streams.size())) {
      std::memcpy(static_cast<Byte*>(record) + 16, &Current->Streams[i].Width, 4);
      std::memcpy(static_cast<Byte*>(record) + 20, &Current->Streams[i].Height, 4);
    }
    return Record("MediaInfo_GetInfo", i);
  };
  api.MediaInfo.GetType = [](Integer i, Integer* t) {
    if (Outs() && i < static_cast<Integer>(Current->Streams.size())) *t = Current->Streams[i].Type;
    return Record("MediaInfo_GetType", i);
  };
  api.MediaInfo.Close = [] { return Record("MediaInfo_Close"); };

  api.MediaPlayer.Play = [](const char* p, HWND w) { return Record("MediaPlayer_Play", p, w); };
  api.MediaPlayer.PlayDVD = [](const char* p, HWND w, Integer a, Integer b, Integer c) {
    return Record("MediaPlayer_PlayDVD", p, w, a, b, c);
  };
  api.MediaPlayer.Seek = [](Int64 s, Int64 l) { return Record("MediaPlayer_Seek", s, l); };
  api.MediaPlayer.Pause = [] { return Record("MediaPlayer_Pause"); };
  api.MediaPlayer.Continue = [] { return Record("MediaPlayer_Continue"); };
  api.MediaPlayer.SetVolume = [](Integer v) { return Record("MediaPlayer_SetVolume", v); };
  api.MediaPlayer.SetBrightness = [](Integer v) { return Record("MediaPlayer_SetBrightness", v); };
  api.MediaPlayer.SetContrast = [](Integer v) { return Record("MediaPlayer_SetContrast", v); };
  api.MediaPlayer.GetSnap = [](Byte* buffer, Integer* size, Integer* w, Integer* h) {
    const Integer needed = static_cast<Integer>(Current->Snapshot.size());
    if (Outs()) {
      if (*size >= needed) std::copy(Current->Snapshot.begin(), Current->Snapshot.end(), buffer);
      *size = needed;
      *w = Current->SnapWidth;
      *h = Current->SnapHeight;
    }
    return Record("MediaPlayer_GetSnap");
  };
  api.MediaPlayer.GetCurrentPosition = [](Int64* p) {
    if (Outs()) *p = Current->Position;
    return Record("MediaPlayer_GetCurrentPosition");
  };
  api.MediaPlayer.Stop = [] { return Record("MediaPlayer_Stop"); };

  api.MediaConv.AddInputFile = [](const char* p) { return Record("MediaConv_AddInputFile", p); };
  api.MediaConv.AddInputDVD = [](const char* p, Integer a, Integer b, Integer c) {
    return Record("MediaConv_AddInputDVD", p, a, b, c);
  };
  api.MediaConv.CreateOutput = [](const char* p, const char* f) { return Record("MediaConv_CreateOutput", p, f); };
  api.MediaConv.SetVolume = [](Integer v) { return Record("MediaConv_SetVolume", v); };
  api.MediaConv.SetBrightness = [](Integer v) { return Record("MediaConv_SetBrightness", v); };
  api.MediaConv.SetContrast = [](Integer v) { return Record("MediaConv_SetContrast", v); };
  api.MediaConv.SetCrop = [](Integer l, Integer t, Integer r, Integer b) {
    return Record("MediaConv_SetCrop", l, t, r, b);
  };
  api.MediaConv.SetAspect = [](Integer w, Integer h) { return Record("MediaConv_SetAspect", w, h); };
  api.MediaConv.SetRange = [](Int64 s, Int64 l) { return Record("MediaConv_SetRange", s, l); };
  api.MediaConv.SetVideo = [](Integer c, Integer w, Integer h, Int64 d, Integer b) {
    return Record("MediaConv_SetVideo", c, w, h, d, b);
  };
  api.MediaConv.SetAudio = [](Integer c, Integer ch, Integer sr, Integer b) {
    return Record("MediaConv_SetAudio", c, ch, sr, b);
  };
  api.MediaConv.Run = [] { return Record("MediaConv_Run"); };
  api.MediaConv.Pause = [] { return Record("MediaConv_Pause"); };
  api.MediaConv.Continue = [] { return Record("MediaConv_Continue"); };
  api.MediaConv.Cancel = [] { return Record("MediaConv_Cancel"); };
  api.MediaConv.GetSnap = [](Byte** buffer, Integer* size, Integer* w, Integer* h) {
    if (Outs()) {
      *buffer = Current->Snapshot.data();
      *size = static_cast<Integer>(Current->Snapshot.size());
      *w = Current->SnapWidth;
      *h = Current->SnapHeight;
    }
    return Record("MediaConv_GetSnap");
  };
  api.MediaConv.GetCurrentPosition = [](Int64* p) {
    if (Outs()) *p = Current->Position;
    return Record("MediaConv_GetCurrentPosition");
  };
  api.MediaConv.WaitFor = [](Byte* f, Byte* r) {
    if (Outs()) {
      *f = Current->Finished;
      *r = Current->JobResult;
    }
    return Record("MediaConv_WaitFor");
  };

  api.LibUtil.LogSetFileByName = [](const char* p) { return Record("LogSetFileByName", p); };
  api.LibUtil.LogSetLevel = [](Integer l) { return Record("LogSetLevel", l); };
  api.LibUtil.LogClose = [] { return Record("LogClose"); };
  api.LibUtil.LogWrite = [](const char* t) { Record("LogWrite", t); };
  api.CodecMgr.CodecMgrInit = [](const char* f) { return Record("CodecMgrInit", f); };
  return api;
}

}  // namespace

std::vector<std::string> TFakeEngine::CallsOf(const std::string& Prefix) const {
  std::vector<std::string> result;
  for (const auto& call : Calls)
    if (call.rfind(Prefix, 0) == 0) result.push_back(call);
  return result;
}

Byte TFakeEngine::Answer(const std::string& Call) {
  Calls.push_back(Call);
  const std::string name = Call.substr(0, Call.find('('));
  if (auto action = Actions.find(name); action != Actions.end()) action->second();
  auto code = Codes.find(name);
  return code == Codes.end() ? 0 : code->second;
}

TFakeEngineScope::TFakeEngineScope() : FEngine(new TFakeEngine), FOuter(Current) {
  Current = FEngine;
  SetEngine(MakeFake());
}

TFakeEngineScope::~TFakeEngineScope() {
  Current = FOuter;
  if (!FOuter) SetEngine(RealEngine());
  delete FEngine;
}

TFakeEngine& TFakeEngineScope::operator*() const { return *FEngine; }
