#include "core/Global.h"

#include "core/Convert.h"
#include "core/CoreHost.h"
#include "core/EngineApi.h"
#include "core/Exception.h"
#include "core/Formats.h"
#include "core/GlobalFun.h"
#include "core/VideoList.h"
#include "rtl/StringList.h"

TAVREN_CLASS_IMPL(TInitGlobal)

String ProductName;
String ProductId;
String FormatList;
String UpdateUrl;
String HomeUrl;

TFormats* GlobalFormats = nullptr;
TVideoList* GlobalVideoList = nullptr;
TMediaInfo* GlobalMediaInfo = nullptr;
TMediaPlayer* GlobalMediaPlayer = nullptr;
TMediaConverter* GlobalMediaConverter = nullptr;

TInitGlobal::TInitGlobal(const String& ConfigFile, const String& LogFile) {
  const TEngineApi& engine = Engine();
  try {
    FLogPath = LogFile.empty() ? MakeTempFileName("log") : LogFile;
    engine.LibUtil.LogSetFileByName(FLogPath.c_str());
    engine.LibUtil.LogSetLevel(2);
    // The program runs without the codec manager's blessing (sound-only profiles may still work),
    // but the reason later conversions fail must be in the log.
    if (TEngineResult code = engine.CodecMgr.CodecMgrInit((ExecutableFolder() + "Codec").c_str()))
      LogCoreError("The codec manager did not start: " + MediaErrorText(code));
  } catch (...) {
    throw FinalException("Failed to initialize convert library!");
  }
  try {
    GlobalFormats = new TFormats(FormatList, ConfigFile);
    GlobalVideoList = new TVideoList(ConfigFile);
    GlobalMediaInfo = new TMediaInfo;
    GlobalMediaPlayer = new TMediaPlayer;
    GlobalMediaConverter = new TMediaConverter;
  } catch (...) {
    FreeServices();
    throw;
  }
}

TInitGlobal::~TInitGlobal() { FreeServices(); }

void TInitGlobal::FreeServices() noexcept {
  // The services' destructors catch their own failures; one failing never keeps the rest alive.
  delete GlobalFormats;
  GlobalFormats = nullptr;
  delete GlobalVideoList;
  GlobalVideoList = nullptr;
  delete GlobalMediaInfo;
  GlobalMediaInfo = nullptr;
  delete GlobalMediaPlayer;
  GlobalMediaPlayer = nullptr;
  delete GlobalMediaConverter;
  GlobalMediaConverter = nullptr;
}

namespace {
String MessageOf(Exception* E) {
  if (!E) return "Unknow exception";
  if (dynamic_cast<EExternalException*>(E)) return "Unknown external exception!";
  return E->Message();
}
}  // namespace

void TInitGlobal::HandleException(TObject* /*Sender*/, Exception* E) {
  const String message = MessageOf(E);
  if (FHandling) {
    // The log is closed while its window is up: keep the line until it is open again.
    FPendingLog.push_back("Exception while another was shown: " + message);
    return;
  }
  FHandling = true;
  const TEngineApi& engine = Engine();
  try {
    ShowError(message);
    engine.LibUtil.LogClose();
    TStringList lines;
    try {
      lines.LoadFromFile(FLogPath);
    } catch (const Exception&) {
      lines.Clear();  // a missing or unreadable log shows as an empty one
    }
    if (TCoreHost* host = CoreHost()) host->ShowLog(&lines);
  } catch (const Exception& e) {
    FPendingLog.push_back("Showing an exception failed: " + e.Message());
  } catch (...) {
    FPendingLog.push_back("Showing an exception failed");
  }
  engine.LibUtil.LogSetFileByName(FLogPath.c_str());
  for (const String& line : FPendingLog) LogCoreError(line);
  FPendingLog.clear();
  FHandling = false;
}
