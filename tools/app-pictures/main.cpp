// Draws the program's pictures:
//   app-pictures <output folder>
// The clip editor's: the seek bar's background, track, selected band, start and end handles and
// position marker; the preview's play and pause buttons; the state pictures of the bitmap buttons,
// all 24-bit BMP files. Handles and the marker are shown transparently: their bottom left pixel
// holds the colour left out. The buttons' corners hold olive, the bitmap buttons' transparent colour.
// And the main window's (MainWindowPictures.h).

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "Bmp.h"
#include "MainWindowPictures.h"

namespace {

// The clip editor's background gradient where the round buttons sit, under the preview; their
// rim is smoothed against it.
const Rgb kBehindButtons{200, 219, 237};
const Rgb kOlive{128, 128, 0};
const Rgb kKey{255, 0, 255};        // left out of handles and marker

// ---- Seek bar -----------------------------------------------------------------------------------

Rgb Client(int, int y) { return y == 22 ? Rgb{190, 196, 206} : Mix({248, 249, 251}, {226, 230, 237}, y / 21.0); }

// A sunken groove: dark top and ends, a light floor.
Rgb Track(int x, int y, int w) {
  if (y == 0) return {132, 140, 152};
  if (y == 15) return {255, 255, 255};
  if (x == 0 || x == w - 1) return {150, 157, 168};
  if (y == 1) return {188, 193, 201};
  return Mix({232, 235, 240}, {252, 252, 253}, (y - 2) / 12.0);
}

Rgb Band(int, int y) {
  if (y == 0) return {24, 72, 140};
  if (y == 1) return {122, 171, 234};
  if (y == 15) return {20, 62, 124};
  return Mix({76, 134, 214}, {36, 94, 178}, (y - 2) / 12.0);
}

// A shape's pixels: the outline (an outside neighbour) dark, the inside lighter.
std::vector<uint8_t> Shape(int w, int h, const std::function<bool(int, int)>& inside, Rgb outline, Rgb fill) {
  auto in = [&](int x, int y) { return x >= 0 && y >= 0 && x < w && y < h && inside(x, y); };
  return BmpFile(w, h, [&](int x, int y) {
    if (!in(x, y)) return kKey;
    bool edge = !in(x - 1, y) || !in(x + 1, y) || !in(x, y - 1) || !in(x, y + 1);
    return edge ? outline : fill;
  });
}

// A bracket opening to the right (the start handle; the end handle is its mirror).
// Its outer corners and its last column stay clear, so that the bottom left pixel of both
// handles holds the colour left out.
bool Bracket(int x, int y) {
  if (x == 0 && (y == 0 || y == 18)) return false;
  return x <= 2 || ((y <= 2 || y >= 16) && x <= 5);
}

// A small triangle pointing down over a line, centred on columns 4 and 5.
bool Marker(int x, int y) {
  if (y <= 4) return x >= y && x <= 9 - y;
  return x == 4 || x == 5;
}

// ---- Round buttons -------------------------------------------------------------------------------

// A 22 x 22 round button, smoothed at its rim, with a glyph.
std::vector<uint8_t> RoundButton(const std::function<bool(double, double)>& glyph) {
  return BmpFile(22, 22, [&](int x, int y) {
    int inside = 0, rim = 0, mark = 0;
    for (int sy = 0; sy < 4; ++sy)
      for (int sx = 0; sx < 4; ++sx) {
        double px = x + (sx + 0.5) / 4, py = y + (sy + 0.5) / 4;
        double d = std::hypot(px - 11, py - 11);
        if (d <= 10.5) ++inside;
        if (d > 9.5 && d <= 10.5) ++rim;
        else if (d <= 9.5 && glyph(px, py)) ++mark;
      }
    Rgb face = Mix({250, 251, 253}, {196, 204, 218}, y / 21.0);
    Rgb c = Mix(face, {92, 106, 130}, rim / 16.0 / std::max(inside / 16.0, 1e-9));
    c = Mix(c, {36, 58, 96}, mark / 16.0 / std::max(inside / 16.0, 1e-9));
    return Mix(kBehindButtons, c, inside / 16.0);
  });
}

bool PlayGlyph(double x, double y) { return x >= 8 && x <= 16 && std::abs(y - 11) <= (16 - x) * 0.6; }
bool PauseGlyph(double x, double y) { return y >= 6.5 && y <= 15.5 && ((x >= 7 && x <= 9.8) || (x >= 12.2 && x <= 15)); }

// ---- Bitmap buttons ------------------------------------------------------------------------------

enum class Look { Up, Down, Hot, Disabled };

// A 56 x 24 face with rounded corners; the caption is the button's own.
std::vector<uint8_t> ButtonFace(Look look) {
  return BmpFile(56, 24, [look](int x, int y) {
    const bool corner = (x == 0 || x == 55) && (y == 0 || y == 23);
    if (corner) return kOlive;
    const bool border = x == 0 || x == 55 || y == 0 || y == 23;
    const double t = y / 23.0;
    switch (look) {
      case Look::Up:
        if (border) return Rgb{112, 128, 154};
        return y == 1 ? Rgb{255, 255, 255} : Mix({250, 251, 253}, {214, 221, 232}, t);
      case Look::Hot:
        if (border) return Rgb{214, 144, 40};
        return y == 1 ? Rgb{255, 252, 240} : Mix({255, 247, 222}, {252, 214, 142}, t);
      case Look::Down:
        if (border) return Rgb{160, 100, 20};
        return y == 1 ? Rgb{214, 156, 72} : Mix({246, 190, 108}, {254, 228, 176}, t);
      case Look::Disabled:
        if (border) return Rgb{176, 178, 182};
        return Mix({238, 238, 238}, {226, 226, 226}, t);
    }
    return kOlive;
  });
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: app-pictures <output folder>\n");
    return 2;
  }
  const std::string dir = argv[1];
  const Rgb handleLine{18, 42, 80}, handleFill{58, 104, 176};
  std::vector<NamedPicture> files = {
      {"seekbar_client.bmp", BmpFile(262, 23, Client)},
      {"seekbar_track.bmp", BmpFile(246, 16, [](int x, int y) { return Track(x, y, 246); })},
      {"seekbar_band.bmp", BmpFile(96, 16, Band)},
      {"seekbar_start.bmp", Shape(7, 19, Bracket, handleLine, handleFill)},
      {"seekbar_end.bmp", Shape(7, 19, [](int x, int y) { return Bracket(6 - x, y); }, handleLine, handleFill)},
      {"seekbar_position.bmp", Shape(10, 22, Marker, {142, 27, 18}, {226, 70, 44})},
      {"preview_play.bmp", RoundButton(PlayGlyph)},
      {"preview_pause.bmp", RoundButton(PauseGlyph)},
      {"clip_button_up.bmp", ButtonFace(Look::Up)},
      {"clip_button_down.bmp", ButtonFace(Look::Down)},
      {"clip_button_hot.bmp", ButtonFace(Look::Hot)},
      {"clip_button_disabled.bmp", ButtonFace(Look::Disabled)},
  };
  for (NamedPicture& picture : MainWindowPictures()) files.push_back(std::move(picture));
  for (const auto& [name, data] : files)
    if (!WriteFile(dir + "/" + name, data)) {
      std::fprintf(stderr, "app-pictures: cannot write %s/%s\n", dir.c_str(), name.c_str());
      return 1;
    }
  return 0;
}
