#include "app/Converter.h"

#include <memory>

#include "app/About.h"
#include "app/AppHost.h"
#include "app/AppWindows.h"
#include "app/ConverterSetup.h"
#include "app/Log.h"
#include "app/Main.h"
#include "app/Progress.h"
#include "app/VideoEdit.h"
#include "core/Global.h"
#include "user/MessageBox.h"

namespace {

std::unique_ptr<TInitGlobal> gServices;
std::unique_ptr<TAppHost> gHost;

// The windows in the reverse of their making; the main window last.
void FreeWindows() {
  delete FormLog;
  FormLog = nullptr;
  delete FormProgress;
  FormProgress = nullptr;
  delete FormVideoEdit;
  FormVideoEdit = nullptr;
  delete FormAbout;
  FormAbout = nullptr;
  delete FormMain;
  FormMain = nullptr;
}

void StartFailed(const String& Message) {
  Application()->MessageBox(Message, Application()->GetTitle(), MB_OK);
  Application()->Terminate();
  // The windows made so far go; the services stay, so that nothing is written back.
  if (gHost) SetCoreHost(nullptr);
  gHost.reset();
  FreeWindows();
  static_cast<void>(gServices.release());
}

}  // namespace

bool StartConverter() {
  try {
    Application()->Initialize();
    const String folder = ConfigFolder();
    gServices = std::make_unique<TInitGlobal>(folder + "configure.ini", StartRunLog(folder));
    Application()->SetOnException(MakeEvent<&TInitGlobal::HandleException>(gServices.get()));
    Application()->CreateForm(FormMain);
    Application()->CreateForm(FormAbout);
    Application()->CreateForm(FormVideoEdit);
    Application()->CreateForm(FormProgress);
    Application()->CreateForm(FormLog);
    gHost = std::make_unique<TAppHost>(FormLog);
    SetCoreHost(gHost.get());
    return true;
  } catch (const Exception& e) {
    StartFailed(e.Message());
  } catch (...) {
    StartFailed("Failed to initialize(Unknown)");
  }
  return false;
}

void EndConverter() {
  Application()->SetOnException(nullptr);
  gServices.reset();
  SetCoreHost(nullptr);
  gHost.reset();
  FreeWindows();
}

int RunConverter() {
  SetProductGlobals();
  if (!StartConverter()) return 1;
  Application()->Run();
  EndConverter();
  return 0;
}
