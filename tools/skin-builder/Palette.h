#pragma once
// A skin description (a few key colours and the shape of its surfaces) and the palette every
// element of the skin is painted from.

#include <string>

#include "rtl/Types.h"

struct Rgb {
  double r = 0, g = 0, b = 0;  // 0..1, sRGB
};

Rgb Mix(const Rgb& A, const Rgb& B, double T);
Rgb Lighter(const Rgb& C, double T);
Rgb Darker(const Rgb& C, double T);
double Luminance(const Rgb& C);
double Contrast(const Rgb& A, const Rgb& B);
TColor ToColor(const Rgb& C);
Rgb ParseRgb(const std::string& Text);

enum class Surface { Flat, Soft, Glossy };

struct Description {
  std::string name;
  Rgb caption, face;
  // The colour of marks, bars and hot outlines; derived from the caption when not given.
  Rgb accent;
  bool hasAccent = false;
  bool dark = false;
  Surface surface = Surface::Soft;
  int radius = 3;
};

// Reads "key = value" lines; throws std::runtime_error naming the file and line.
Description ReadDescription(const std::string& Path);

struct Palette {
  bool dark;
  Surface surface;
  int radius;
  Rgb window, content, contentText, text, textDisabled;
  Rgb face, faceHot, facePressed, faceDisabled;
  Rgb border, borderHot, borderPressed, borderDisabled;
  Rgb accent, accentText, selection, selectionText;
  Rgb caption, captionInactive, captionText, captionTextInactive, frame, frameInactive;
  Rgb header, line, track, trackPressed, glyph, glyphDisabled, closeHot;
};

Palette DerivePalette(const Description& D);
