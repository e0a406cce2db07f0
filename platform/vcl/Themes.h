#pragma once
// The framework's theme services. Visual styles are not in use on this platform, so every
// control takes its classic branch; the answers are fixed.

class TThemeServices {
 public:
  bool ThemesAvailable() const { return false; }
  bool ThemesEnabled() const { return false; }
  // Nothing to refresh: the answers never change.
  void ApplyThemeChange() {}
  void UpdateThemes() {}
};

// The one instance.
inline TThemeServices* ThemeServices() {
  static TThemeServices services;
  return &services;
}
