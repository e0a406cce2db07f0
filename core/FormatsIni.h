#pragma once
// The profile selection as the settings file keeps it: section "Formats", nine integers, read and
// written at once. A negative value means the format's default.

#include <memory>

#include "core/TaskConf.h"
#include "rtl/IniFiles.h"

class TFormatsIni : public TObject {
  TAVREN_CLASS(TFormatsIni, TObject)
 public:
  explicit TFormatsIni(const String& FileName = DefaultConfigFile());
  ~TFormatsIni() override;

  // Missing keys and text that is not a number give 0 for Format and -1 for the others.
  Integer GetFormat() { return Read("Format", 0); }
  Integer GetVCodec() { return Read("VCodec", -1); }
  Integer GetVBitrate() { return Read("VBitrate", -1); }
  Integer GetSize() { return Read("Size", -1); }
  Integer GetFps() { return Read("Fps", -1); }
  Integer GetAspect() { return Read("Aspect", -1); }
  Integer GetABitrate() { return Read("ABitrate", -1); }
  Integer GetSampleRate() { return Read("SampleRate", -1); }
  Integer GetChannels() { return Read("Channels", -1); }
  void SetFormat(Integer Value) { Write("Format", Value); }
  void SetVCodec(Integer Value) { Write("VCodec", Value); }
  void SetVBitrate(Integer Value) { Write("VBitrate", Value); }
  void SetSize(Integer Value) { Write("Size", Value); }
  void SetFps(Integer Value) { Write("Fps", Value); }
  void SetAspect(Integer Value) { Write("Aspect", Value); }
  void SetABitrate(Integer Value) { Write("ABitrate", Value); }
  void SetSampleRate(Integer Value) { Write("SampleRate", Value); }
  void SetChannels(Integer Value) { Write("Channels", Value); }

 private:
  Integer Read(const char* Key, Integer Default);
  void Write(const char* Key, Integer Value);

  std::unique_ptr<TIniFile> FIni;
  const String FSection = "Formats";
};
