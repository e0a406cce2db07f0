#pragma once
// Answers for modal dialogs when no person is there: tests (through the headless backend) install
// a responder, and every modal dialog of the platform (message boxes, file dialogs) asks it once
// it is shown. The responder either answers at once (the dialog ends with that result) or scripts
// input for the dialog and answers 0, and the dialog runs its loop on that input.

#include <functional>

#include "rtl/Types.h"
#include "rtl/WinTypes.h"

struct ModalRequest {
  String kind;  // "MessageBox", or the dialog's own name
  HWND window = nullptr;  // the dialog, shown and focused
  String caption;
  String text;
  UINT flags = 0;
};

using ModalResponder = std::function<int(const ModalRequest& request)>;

// An empty responder removes it.
void SetModalResponder(ModalResponder responder);
bool HasModalResponder();
// The responder's answer; 0 when none is installed.
int AskModalResponder(const ModalRequest& request);
