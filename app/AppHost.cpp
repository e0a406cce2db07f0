#include "app/AppHost.h"

#include "app/Log.h"
#include "gdi/Gdi.h"
#include "user/MessageBox.h"
#include "vcl/Graphics.h"

Integer TAppHost::ShowMessageBox(const String& Text, const String& Caption, TBoxKind Kind) {
  return Application()->MessageBox(Text, Caption, MB_OK | (Kind == TBoxKind::Error ? MB_ICONERROR : MB_ICONINFORMATION));
}

void TAppHost::ShowLog(TStrings* Lines) {
  FLogWindow->GetLogLines()->Assign(Lines);
  FLogWindow->ShowModal();
}

// Anything but a bitmap cannot take the picture; the section is not leaked then.
void TAppHost::SetBitmapImage(TObject* Bitmap, HBITMAP Section) {
  if (auto* bitmap = dynamic_cast<TBitmap*>(Bitmap))
    bitmap->SetHandle(Section);
  else if (Section)
    DeleteObject(Section);
}
