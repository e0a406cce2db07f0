#pragma once
// The framework's theme services. Visual styles are not in use on this platform, so every
// control takes its classic branch; a theme provider that a test installs (gdi/UxTheme.h) turns
// the themed branches on so that they can be tested.

#include "gdi/UxTheme.h"

class TThemeServices {
 public:
  bool ThemesAvailable() const { return IsThemeActive() != FALSE; }
  bool ThemesEnabled() const { return IsThemeActive() && IsAppThemed(); }
  // Nothing to refresh: the answers follow the provider.
  void ApplyThemeChange() {}
  void UpdateThemes() {}
};

// The one instance.
inline TThemeServices* ThemeServices() {
  static TThemeServices services;
  return &services;
}
