#pragma once
// Constant data of the inspector controls: the theme failure message and two colour-name tables
// (web colour keywords with their hexadecimal values, and the names of the framework's colour
// constants), kept for code that offers colour choices by name.

#include <array>

constexpr const char* SErrorInThemes = "Error in Themes";

// "transparent" then the 140 web colour keywords, each followed by its "#RRGGBB" text.
extern const std::array<const char*, 282> WebColorNames;
// The framework's colour constants by name, from clBlack to clWindowText.
extern const std::array<const char*, 52> ColorConstantNames;
