#include "backend/X11ErrorFilter.h"

#include <X11/Xlib.h>
#include <X11/Xproto.h>

namespace {

XErrorHandler previousHandler = nullptr;
bool installed = false;

int FilterError(Display* display, XErrorEvent* error) {
  if (IsStaleWakeupError(error->error_code, error->request_code)) return 0;
  return previousHandler ? previousHandler(display, error) : 0;
}

}  // namespace

bool IsStaleWakeupError(unsigned char errorCode, unsigned char requestCode) {
  return errorCode == BadWindow && requestCode == X_SendEvent;
}

void FilterStaleWakeupErrors() {
  if (installed) return;
  installed = true;
  previousHandler = XSetErrorHandler(FilterError);
}
