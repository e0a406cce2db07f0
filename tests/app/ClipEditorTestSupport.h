#pragma once
// The clip editor under test: made from its form resource, opened on a task, with the core's
// message boxes recorded instead of shown.

#include <gtest/gtest.h>

#include <vector>

#include "VclTestSupport.h"
#include "app/VideoEdit.h"
#include "RecordingHost.h"

class ClipEditorTest : public VclTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Opens the editor on a file of that picture size (0 x 0: sound only) and duration, with the
  // task's range Start..End (100 ns), and shows it.
  void OpenClip(const String& Path, Integer Width, Integer Height, Int64 Duration);
  // Sends the form the selection window's message with that rectangle.
  void SendSelection(Integer Left, Integer Top, Integer Right, Integer Bottom);
  POINT At(TControl* Control, Integer X, Integer Y);
  TRect SpinCrop() const;

  TRecordingHost host;
  TMediaPlayer player;
  TTaskInfo task;
  TPlayContext context;
  TFormVideoEdit* editor = nullptr;
};
