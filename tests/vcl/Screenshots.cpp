#include "Screenshots.h"

#include <sys/stat.h>

#include <cstdlib>

#include "backend/BackendStart.h"
#include "backend/HeadlessBackend.h"
#include "user/Painting.h"

bool SaveWindowShot(HWND Window, const String& Name) {
  const char* output = std::getenv("TAVREN_TEST_OUTPUT");
  if (!output || !*output) return true;
  mkdir(output, 0755);
  // What is still to paint (a dialog that has just been shown) shows in the picture.
  UpdateAllWindows();
  HeadlessBackend* backend = CurrentHeadlessBackend();
  return backend && backend->SaveWindowPng(Window, String(output) + "/" + Name + ".png");
}
