#include "PreviewTestSupport.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "MediaFixture.h"
#include "user/User.h"

const String& RampClip() {
  static String path;
  if (path.empty()) {
    path = Media().Folder + "/ramp.mp4";
    int status = 0;
    RunCommand("ffmpeg -v error -nostdin -y -f lavfi -i \"nullsrc=size=64x48:rate=25:duration=2,format=yuv420p,"
               "geq=lum='16+4*N':cb=128:cr=128\" -f lavfi -i sine=frequency=440:sample_rate=44100:duration=2 "
               "-c:v libx264 -qp 0 -preset ultrafast -pix_fmt yuv420p -c:a aac -ac 2 " + Quote(path) + " 2>&1",
               &status);
    if (status != 0) {
      fprintf(stderr, "cannot make %s\n", path.c_str());
      abort();
    }
  }
  return path;
}

int RampFrame(uint8_t grey) {
  // Limited-range luma 16 + 4n becomes full-range grey 4n * 255 / 219.
  return int(std::lround(grey * 219.0 / 255.0 / 4.0));
}

HWND MakeTestWindow(int x, int y, int width, int height) {
  static bool registered = false;
  if (!registered) {
    WNDCLASS c;
    c.lpfnWndProc = DefWindowProc;
    c.lpszClassName = "PreviewTestWindow";
    RegisterClass(&c);
    registered = true;
  }
  return CreateWindowEx(0, "PreviewTestWindow", "", WS_POPUP | WS_VISIBLE, x, y, width, height, nullptr, nullptr,
                        nullptr, nullptr);
}

bool PumpUntil(const std::function<bool()>& done, double seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  for (;;) {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
    UpdateAllWindows();
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}
