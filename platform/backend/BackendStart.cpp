#include "backend/BackendStart.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "backend/HeadlessBackend.h"
#include "backend/SdlBackend.h"

namespace {

std::unique_ptr<DisplayBackend> gBackend;
HeadlessBackend* gHeadless = nullptr;

bool DisplayPresent() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 && *x11) || (wayland && *wayland);
}

}  // namespace

BackendKind BackendStart() {
  BackendEnd();
  const char* forced = std::getenv("TAVREN_BACKEND");
  bool wantSdl = forced && std::strcmp(forced, "sdl") == 0;
  bool wantHeadless = forced && std::strcmp(forced, "headless") == 0;
  if (!wantHeadless && (wantSdl || DisplayPresent())) {
    if (std::unique_ptr<SdlBackend> sdl = SdlBackend::Create()) {
      gBackend = std::move(sdl);
      SetDisplayBackend(gBackend.get());
      return BackendKind::Sdl;
    }
    if (wantSdl) std::fprintf(stderr, "SDL video could not start; running without a display\n");
  }
  auto headless = std::make_unique<HeadlessBackend>();
  gHeadless = headless.get();
  gBackend = std::move(headless);
  SetDisplayBackend(gBackend.get());
  return BackendKind::Headless;
}

void BackendEnd() {
  if (!gBackend) return;
  SetDisplayBackend(nullptr);
  gBackend.reset();
  gHeadless = nullptr;
}

HeadlessBackend* CurrentHeadlessBackend() { return gHeadless; }
