#include "app/Log.h"

#include "rtl/ClassRegistry.h"
#include "rtl/TypInfo.h"
#include "toolkit/editors/kvButtons.h"
#include "toolkit/editors/kvMemo.h"

TStrings* TFormLog::GetLogLines() { return MemoLog->GetLines(); }

void TFormLog::FormCreate(TObject*) {
  lblLogNote->SetCaption("Please save and send log file to us to help us improve!");
}

void TFormLog::SaveClick(TObject*) {
  if (SaveDialog->Execute()) MemoLog->GetLines()->SaveToFile(SaveDialog->GetFileName());
}

TAVREN_CLASS_IMPL_PUBLISHED(TFormLog,
    FIELD(MemoLog), FIELD(lblLogNote), FIELD(Save), FIELD(Cancel), FIELD(SaveDialog), METHOD(FormCreate),
    METHOD(SaveClick))

void LogStart() { RegisterClasses({TFormLog::ClassInfo(), TkvMemo::ClassInfo(), TSaveDialog::ClassInfo()}); }
