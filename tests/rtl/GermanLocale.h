#pragma once
// The German locale, compiled into a scratch folder (LOCPATH) when the system has not installed it;
// tests that need it skip when neither works.

#include <cstdlib>
#include <optional>

#include "ScopedEnv.h"
#include "ScratchDir.h"
#include "rtl/FormatSettings.h"

class GermanLocale {
 public:
  GermanLocale() {
    TFormatSettings probe;
    GetLocaleFormatSettings("de_DE.UTF-8", probe);
    if (probe.DecimalSeparator == ',') return;
    const String command = "localedef -i de_DE -f UTF-8 " + FScratch.File("de_DE.UTF-8") + " >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) return;
    FLocPath.emplace("LOCPATH", FScratch.Path());
  }

 private:
  ScratchDir FScratch;
  std::optional<ScopedEnv> FLocPath;
};

// The process's FormatSettings read under the German locale (when it can be had) for the length
// of a scope, then read again under the environment's own.
class GermanFormatSettings {
 public:
  GermanFormatSettings() {
    GetLocaleFormatSettings("de_DE.UTF-8", FormatSettings);
    FAvailable = FormatSettings.DecimalSeparator == ',';
    if (!FAvailable) GetLocaleFormatSettings("", FormatSettings);
  }
  ~GermanFormatSettings() {
    FLocale.reset();
    GetLocaleFormatSettings("", FormatSettings);
  }
  GermanFormatSettings(const GermanFormatSettings&) = delete;
  GermanFormatSettings& operator=(const GermanFormatSettings&) = delete;
  bool Available() const { return FAvailable; }

 private:
  GermanLocale FGerman;
  std::optional<ScopedEnv> FLocale{std::in_place, "LC_ALL", "de_DE.UTF-8"};
  bool FAvailable = false;
};
