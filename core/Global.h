#pragma once
// What the whole program shares: the product globals, the five service objects of the conversion
// core, and TInitGlobal, which starts the engine side and handles every exception no window does.

#include <vector>

#include "core/TaskConf.h"
#include "rtl/Exceptions.h"
#include "rtl/Object.h"

class TFormats;
class TVideoList;
class TMediaInfo;
class TMediaPlayer;
class TMediaConverter;

// Set by the program before anything else.
extern String ProductName;
extern String ProductId;
extern String FormatList;
extern String UpdateUrl;
extern String HomeUrl;

// Alive while the one TInitGlobal is.
extern TFormats* GlobalFormats;
extern TVideoList* GlobalVideoList;
extern TMediaInfo* GlobalMediaInfo;
extern TMediaPlayer* GlobalMediaPlayer;
extern TMediaConverter* GlobalMediaConverter;

class TInitGlobal : public TObject {
  TAVREN_CLASS(TInitGlobal, TObject)
 public:
  // Opens this run's log (LogFile, or a new file in the temporary folder when it is empty), starts
  // the codec manager (FinalException "Failed to initialize convert library!" when either
  // raises), then creates the services in order; a failure there passes on after the services
  // already made are freed again.
  explicit TInitGlobal(const String& ConfigFile = DefaultConfigFile(), const String& LogFile = "");
  // Frees the services in the order they were made; never throws.
  ~TInitGlobal() override;

  const String& GetLogPath() const { return FLogPath; }

  // The application's exception handler: an error box with the message, then the log window with
  // this run's log. Logging always continues in the same file afterwards. An exception raised
  // while the boxes are up (a timer firing meanwhile) is only written to the log.
  void HandleException(TObject* Sender, Exception* E);

 private:
  void FreeServices() noexcept;

  String FLogPath;
  bool FHandling = false;
  std::vector<String> FPendingLog;
};
