#include "Screenshots.h"

#include <sys/stat.h>

#include <cstdlib>

#include "backend/BackendStart.h"
#include "backend/HeadlessBackend.h"

bool SaveWindowShot(HWND Window, const String& Name) {
  const char* output = std::getenv("TAVREN_TEST_OUTPUT");
  if (!output || !*output) return true;
  mkdir(output, 0755);
  HeadlessBackend* backend = CurrentHeadlessBackend();
  return backend && backend->SaveWindowPng(Window, String(output) + "/" + Name + ".png");
}
