#include "TestProgram.h"

#include <fstream>
#include <string>

#include "backend/BackendStart.h"
#include "controls/ControlsUnits.h"
#include "gdi/GdiUnits.h"
#include "rtl/RtlUnits.h"
#include "user/UserUnits.h"
#include "vcl/StdCtrls.h"
#include "vcl/VclUnits.h"

namespace {

struct CloseMarker : TObject {
  std::string file;
  void FormClose(TObject*, TCloseAction&) { std::ofstream(file) << "closed"; }
};

}  // namespace

int RunTestProgram(const char* markerFile) {
  RtlStart();
  GdiStart();
  UserStart();
  BackendStart();
  ControlsStart();
  VclStart();
  CloseMarker marker;
  marker.file = markerFile;
  TForm* form = nullptr;
  Application()->CreateForm(form);
  form->SetCaption(kTestProgramCaption);
  form->SetBounds(kTestProgramLeft, kTestProgramTop, kTestProgramWidth, kTestProgramHeight);
  form->SetOnClose(MakeEvent<&CloseMarker::FormClose>(&marker));
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  edit->SetBounds(16, 16, 200, 24);
  Application()->Run();
  VclEnd();
  ControlsEnd();
  BackendEnd();
  UserEnd();
  GdiEnd();
  RtlEnd();
  return 0;
}
