#include "app/About.h"

#include "core/Global.h"
#include "core/GlobalFun.h"
#include "rtl/ClassRegistry.h"
#include "rtl/TypInfo.h"
#include "user/Shell.h"
#include "user/WindowPos.h"

void TFormAbout::FormCreate(TObject*) {
  Label2->SetCaption("Version " + GetFileVersionText(Application()->GetExeName()));
  // The program's own address, once it is set, over the one the form was designed with.
  if (!HomeUrl.empty()) lblHome->SetCaption(HomeUrl);
}

void TFormAbout::FormClick(TObject*) { Close(); }

void TFormAbout::lblHomeClick(TObject*) {
  ShellExecuteA(nullptr, nullptr, lblHome->GetCaption().c_str(), nullptr, nullptr, SW_SHOW);
  Close();
}

TAVREN_CLASS_IMPL_PUBLISHED(TFormAbout,
    FIELD(Label1), FIELD(Label2), FIELD(lblHome), METHOD(FormCreate), METHOD(FormClick), METHOD(lblHomeClick))

void AboutStart() { RegisterClasses({TFormAbout::ClassInfo()}); }
