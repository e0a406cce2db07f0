#pragma once
// What every windowing fixture does around its tests: run the queue dry, and leave no window,
// capture, queued message or pressed key behind for the next test.

#include <vector>

#include "user/User.h"

// Dispatches everything queued until the queue is empty or WM_QUIT comes (timers due later stay).
inline void DispatchQueued() {
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) break;
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
}

inline void ResetWindowManager() {
  std::vector<HWND> all;
  EnumWindows([](HWND h, LPARAM p) { reinterpret_cast<std::vector<HWND>*>(p)->push_back(h); return TRUE; },
              reinterpret_cast<LPARAM>(&all));
  for (HWND h : all) DestroyWindow(h);
  ReleaseCapture();
  InputDropHeld();
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
  BYTE keys[256] = {};
  SetKeyboardState(keys);
}
