#include "Palette.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>

namespace {

double Linear(double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); }

std::string Trim(const std::string& s) {
  size_t a = s.find_first_not_of(" \t\r"), b = s.find_last_not_of(" \t\r");
  return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

const Rgb kBlack{0.07, 0.07, 0.08}, kWhite{0.97, 0.97, 0.98};

// Near-black or near-white, whichever reads better on Back.
Rgb TextOn(const Rgb& Back) { return Contrast(Back, kBlack) >= Contrast(Back, kWhite) ? kBlack : kWhite; }

}  // namespace

Rgb Mix(const Rgb& A, const Rgb& B, double T) {
  return Rgb{A.r + (B.r - A.r) * T, A.g + (B.g - A.g) * T, A.b + (B.b - A.b) * T};
}
Rgb Lighter(const Rgb& C, double T) { return Mix(C, Rgb{1, 1, 1}, T); }
Rgb Darker(const Rgb& C, double T) { return Mix(C, Rgb{0, 0, 0}, T); }

double Luminance(const Rgb& C) { return 0.2126 * Linear(C.r) + 0.7152 * Linear(C.g) + 0.0722 * Linear(C.b); }

double Contrast(const Rgb& A, const Rgb& B) {
  double a = Luminance(A), b = Luminance(B);
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

TColor ToColor(const Rgb& C) {
  auto byte = [](double v) { return static_cast<TColor>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
  return byte(C.r) | (byte(C.g) << 8) | (byte(C.b) << 16);
}

Rgb ParseRgb(const std::string& Text) {
  if (Text.size() != 7 || Text[0] != '#') throw std::runtime_error("a colour is written #RRGGBB: " + Text);
  unsigned long v = std::stoul(Text.substr(1), nullptr, 16);
  return Rgb{((v >> 16) & 0xFF) / 255.0, ((v >> 8) & 0xFF) / 255.0, (v & 0xFF) / 255.0};
}

Description ReadDescription(const std::string& Path) {
  std::ifstream in(Path);
  if (!in) throw std::runtime_error("cannot read " + Path);
  Description d;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    line = Trim(line);
    if (line.empty() || line[0] == '#') continue;
    size_t eq = line.find('=');
    if (eq == std::string::npos) throw std::runtime_error(Path + ":" + std::to_string(number) + ": key = value");
    std::string key = Trim(line.substr(0, eq)), value = Trim(line.substr(eq + 1));
    try {
      if (key == "name") d.name = value;
      else if (key == "caption") d.caption = ParseRgb(value);
      else if (key == "face") d.face = ParseRgb(value);
      else if (key == "accent") d.accent = ParseRgb(value), d.hasAccent = true;
      else if (key == "dark") d.dark = value == "yes";
      else if (key == "surface") d.surface = value == "flat" ? Surface::Flat : value == "glossy" ? Surface::Glossy : Surface::Soft;
      else if (key == "radius") d.radius = std::clamp(std::stoi(value), 0, 6);
      else throw std::runtime_error("unknown key " + key);
    } catch (const std::exception& e) {
      throw std::runtime_error(Path + ":" + std::to_string(number) + ": " + e.what());
    }
  }
  if (d.name.empty()) throw std::runtime_error(Path + ": no name");
  return d;
}

Palette DerivePalette(const Description& D) {
  Palette p;
  p.dark = D.dark;
  p.surface = D.surface;
  p.radius = D.radius;
  p.face = D.face;
  p.caption = D.caption;
  p.text = TextOn(p.face);
  // Windows sit a little off the faces: lighter on light skins, deeper on dark ones.
  p.window = D.dark ? Darker(p.face, 0.25) : Lighter(p.face, 0.45);
  p.content = D.dark ? Darker(p.face, 0.45) : Lighter(p.face, 0.85);
  p.contentText = TextOn(p.content);
  p.textDisabled = Mix(p.text, p.face, 0.55);
  p.accent = D.hasAccent                  ? D.accent
             : Luminance(D.caption) > 0.35 ? Darker(D.caption, 0.2)
             : D.dark                      ? Lighter(D.caption, 0.25)
                                           : D.caption;
  p.accentText = TextOn(p.accent);
  p.faceHot = Mix(p.face, p.accent, D.dark ? 0.22 : 0.14);
  p.facePressed = D.dark ? Lighter(Mix(p.face, p.accent, 0.3), 0.05) : Darker(Mix(p.face, p.accent, 0.22), 0.06);
  p.faceDisabled = Mix(p.face, p.window, 0.6);
  p.border = D.dark ? Lighter(p.face, 0.22) : Darker(p.face, 0.28);
  p.borderHot = Mix(p.border, p.accent, 0.7);
  p.borderPressed = Darker(p.borderHot, 0.15);
  p.borderDisabled = Mix(p.border, p.window, 0.55);
  p.selection = Mix(p.accent, p.content, 0.1);
  p.selectionText = TextOn(p.selection);
  p.captionText = TextOn(p.caption);
  p.captionInactive = Mix(p.caption, p.face, 0.6);
  p.captionTextInactive = Mix(TextOn(p.captionInactive), p.captionInactive, 0.35);
  p.frame = Darker(p.caption, 0.12);
  p.frameInactive = Mix(p.frame, p.face, 0.6);
  p.header = D.dark ? Lighter(p.face, 0.06) : Darker(p.face, 0.04);
  p.line = Mix(p.border, p.content, 0.5);
  p.track = D.dark ? Darker(p.face, 0.15) : Mix(p.face, p.window, 0.5);
  p.trackPressed = Mix(p.track, p.accent, 0.25);
  p.glyph = Mix(p.text, p.face, 0.15);
  p.glyphDisabled = p.textDisabled;
  p.closeHot = Rgb{0.80, 0.22, 0.20};
  return p;
}
