#include "ClipEditorTestSupport.h"

#include "rtl/Math.h"

void ClipEditorTest::SetUp() {
  VclTest::SetUp();
  SetCoreHost(&host);
  CreateMainForm();
  Application()->CreateForm(editor);
  forms.push_back(editor);
  editor->SetLeft(20);
  editor->SetTop(20);
}

void ClipEditorTest::TearDown() {
  if (editor->GetVisible()) editor->Close();
  VclTest::TearDown();
  SetCoreHost(nullptr);
}

void ClipEditorTest::OpenClip(const String& Path, Integer Width, Integer Height, Int64 Duration) {
  context.Path = Path;
  context.HasVideo = Width > 0;
  context.Width = Width;
  context.Height = Height;
  context.Duration = Duration;
  context.Task = &task;
  if (task.EndTime == 0) task.EndTime = Duration;
  if (context.HasVideo && task.Crop == TRect{}) task.Crop = TRect{0, 0, Width, Height};
  editor->Show();
  editor->Open(&player, &context);
  Settle();
}

void ClipEditorTest::SendSelection(Integer Left, Integer Top, Integer Right, Integer Bottom) {
  int32_t rect[4] = {Left, Top, Right, Bottom};
  SendMessage(editor->GetHandle(), WM_SELRECT, reinterpret_cast<WPARAM>(rect), 0);
}

POINT ClipEditorTest::At(TControl* Control, Integer X, Integer Y) {
  TPoint p = Control->ClientToScreen({X, Y});
  return {p.X, p.Y};
}

TRect ClipEditorTest::SpinCrop() const {
  return TRect{Integer(Round(editor->speLeft->GetValue())), Integer(Round(editor->speTop->GetValue())),
               Integer(Round(editor->speRight->GetValue())), Integer(Round(editor->speBottom->GetValue()))};
}
