#include "user/SystemInfo.h"

#include <unistd.h>

#include <cstring>
#include <vector>

BOOL GetVersionEx(OSVERSIONINFO* info) {
  if (!info) return FALSE;
  DWORD size = info->dwOSVersionInfoSize;
  if (size != sizeof(OSVERSIONINFO) && size != sizeof(OSVERSIONINFOEX)) return FALSE;
  info->dwMajorVersion = 5;
  info->dwMinorVersion = 1;
  info->dwBuildNumber = 2600;
  info->dwPlatformId = VER_PLATFORM_WIN32_NT;
  std::memset(info->szCSDVersion, 0, sizeof info->szCSDVersion);
  if (size == sizeof(OSVERSIONINFOEX)) {
    auto* ex = static_cast<OSVERSIONINFOEX*>(info);
    ex->wServicePackMajor = ex->wServicePackMinor = 0;
    ex->wSuiteMask = 0;
    ex->wProductType = VER_NT_WORKSTATION;
    ex->wReserved = 0;
  }
  return TRUE;
}

DWORD GetVersion() { return (2600u << 16) | (1u << 8) | 5u; }

DWORD GetModuleFileName(HMODULE, char* buffer, DWORD size) {
  if (!buffer || size == 0) return 0;
  std::vector<char> path(4096);
  ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
  if (length <= 0 || static_cast<size_t>(length) >= path.size()) {
    buffer[0] = 0;
    return 0;
  }
  if (static_cast<DWORD>(length) >= size) {
    std::memcpy(buffer, path.data(), size - 1);
    buffer[size - 1] = 0;
    return size;
  }
  std::memcpy(buffer, path.data(), static_cast<size_t>(length));
  buffer[length] = 0;
  return static_cast<DWORD>(length);
}
