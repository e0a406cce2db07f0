// Draws the Wb track bar's thumbs and cursors:
//   wb-pictures <output folder>
// The classic thumbs are 4-bit bitmaps with the standard 16-colour palette, drawn in palette roles
// that the track bar recolours at load time (silver face, white and olive outer ring, yellow and
// gray inner ring, red/maroon/fuchsia for the hot look, blue/navy grip, purple/lime/teal flat).
// The XP thumbs are 24-bit with 1-bit masks. Every image is black outside the thumb; every mask
// is black inside it and white outside. Vertical thumbs are the horizontal ones turned a quarter,
// shaded again so that the light still falls from the top left.

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

// ---- Files ---------------------------------------------------------------------------------

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& data) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool ok = std::fwrite(data.data(), 1, data.size(), file) == data.size();
  return std::fclose(file) == 0 && ok;
}

struct Rgb {
  uint8_t r, g, b;
};

// The standard 16-colour palette, by index.
const Rgb kPalette[16] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0}, {0, 0, 128},   {128, 0, 128},
                          {0, 128, 128},   {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0},
                          {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
enum Role : uint8_t {
  Black = 0, Maroon = 1, Green = 2, Olive = 3, Navy = 4, Purple = 5, Teal = 6, Silver = 7,
  Gray = 8, Red = 9, Lime = 10, Yellow = 11, Blue = 12, Fuchsia = 13, Aqua = 14, White = 15
};

// A BMP file: the headers, an optional colour table, then rows bottom-up padded to 4 bytes.
std::vector<uint8_t> BmpFile(int width, int height, int bits, const std::vector<Rgb>& table,
                             const std::function<uint32_t(int, int)>& pixel) {
  const int rowBytes = ((width * bits + 31) / 32) * 4;
  const uint32_t offset = 14 + 40 + uint32_t(table.size()) * 4;
  const uint32_t size = offset + uint32_t(rowBytes * height);
  std::vector<uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  Put32(out, size);
  Put32(out, 0);
  Put32(out, offset);
  Put32(out, 40);
  Put32(out, uint32_t(width));
  Put32(out, uint32_t(height));
  Put16(out, 1);
  Put16(out, uint32_t(bits));
  Put32(out, 0);
  Put32(out, uint32_t(rowBytes * height));
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, uint32_t(table.size()));
  Put32(out, 0);
  for (const Rgb& c : table) {
    out.push_back(c.b);
    out.push_back(c.g);
    out.push_back(c.r);
    out.push_back(0);
  }
  for (int y = height - 1; y >= 0; --y) {
    std::vector<uint8_t> row(size_t(rowBytes), 0);
    for (int x = 0; x < width; ++x) {
      uint32_t v = pixel(x, y);
      if (bits == 24) {
        row[size_t(x * 3)] = v & 0xFF;  // v is 0xRRGGBB; files hold blue, green, red
        row[size_t(x * 3 + 1)] = (v >> 8) & 0xFF;
        row[size_t(x * 3 + 2)] = (v >> 16) & 0xFF;
      } else if (bits == 4) {
        row[size_t(x / 2)] |= uint8_t((v & 0xF) << (x % 2 ? 0 : 4));
      } else {
        if (v) row[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

// ---- Shapes --------------------------------------------------------------------------------

// Which pixels belong to the thumb, and how far each lies inside the outline (1 = the outline).
struct Shape {
  int W = 0, H = 0;
  std::vector<int> Depth;  // 0 outside

  Shape(int w, int h, const std::function<bool(int, int)>& inside) : W(w), H(h), Depth(size_t(w * h), 0) {
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) Depth[size_t(y * W + x)] = inside(x, y) ? 1000 : 0;
    // Distance inward, counted over the four neighbours (the image edge counts as outside).
    for (int d = 1; d < 8; ++d)
      for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
          int& v = Depth[size_t(y * W + x)];
          if (v != 1000) continue;
          for (auto [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
            int n = At(x + dx, y + dy);
            if (n == d - 1 && n != 1000) v = d;
          }
        }
  }
  int At(int x, int y) const { return x < 0 || y < 0 || x >= W || y >= H ? 0 : Depth[size_t(y * W + x)]; }
  bool Inside(int x, int y) const { return At(x, y) > 0; }
  // A ring pixel faces the light when the outside lies above or to its left.
  bool Lit(int x, int y) const {
    int d = At(x, y);
    return At(x - d, y) == 0 || At(x, y - d) == 0 || At(x - d, y - d) == 0;
  }
  // A quarter turn: the top goes to the left.
  Shape Turned() const {
    return Shape(H, W, [this](int x, int y) { return Inside(W - 1 - y, x); });
  }
};

Shape Box(int w, int h) {
  return Shape(w, h, [](int, int) { return true; });
}

// A box ending in a point on the top (Up) or the bottom.
Shape Pointer(int w, int h, bool up) {
  return Shape(w, h, [w, h, up](int x, int y) {
    int r = up ? y : h - 1 - y;
    int half = r < 5 ? r + 1 : w;
    return std::abs(x - (w - 1) / 2) <= half;
  });
}

Shape Rounded(const Shape& s) {
  return Shape(s.W, s.H, [&s](int x, int y) {
    if (!s.Inside(x, y)) return false;
    // Corners where the outline turns square are left out.
    int outsideNeighbours = !s.Inside(x - 1, y) + !s.Inside(x + 1, y) + !s.Inside(x, y - 1) + !s.Inside(x, y + 1);
    return outsideNeighbours < 2;
  });
}

// ---- Classic looks -------------------------------------------------------------------------

enum class Look { Normal, Hot, Disabled };

std::vector<uint8_t> ClassicImage(const Shape& s, Look look, const std::function<int(int, int)>& extra) {
  return BmpFile(s.W, s.H, 4, std::vector<Rgb>(std::begin(kPalette), std::end(kPalette)), [&](int x, int y) -> uint32_t {
    int d = s.At(x, y);
    if (d == 0) return Black;
    bool lit = s.Lit(x, y);
    if (look == Look::Disabled) {
      if (d == 1) return Gray;
      if (d == 2 && lit) return White;
      return Silver;
    }
    if (d == 1) return lit ? White : Olive;
    if (d == 2) {
      if (look == Look::Hot) return lit ? Red : Maroon;
      return lit ? Yellow : Gray;
    }
    int role = extra ? extra(x, y) : -1;
    if (role >= 0) return uint32_t(role);
    return look == Look::Hot ? Fuchsia : Silver;
  });
}

std::vector<uint8_t> Mask(const Shape& s) {
  return BmpFile(s.W, s.H, 4, std::vector<Rgb>(std::begin(kPalette), std::end(kPalette)),
                 [&](int x, int y) -> uint32_t { return s.Inside(x, y) ? Black : White; });
}

// The flat thumb: a purple outline, a lime face and a teal centre line.
std::vector<uint8_t> FlatImage(const Shape& s, Look look, bool vertical) {
  return BmpFile(s.W, s.H, 4, std::vector<Rgb>(std::begin(kPalette), std::end(kPalette)), [&](int x, int y) -> uint32_t {
    int d = s.At(x, y);
    if (d == 0) return Black;
    if (look == Look::Disabled) return d == 1 ? Gray : Silver;
    if (d == 1) return look == Look::Hot ? Maroon : Purple;
    bool centre = vertical ? y == s.H / 2 - 1 : x == s.W / 2 - 1;
    if (centre && d >= 2) return look == Look::Hot ? Red : Teal;
    return look == Look::Hot ? Fuchsia : Lime;
  });
}

// ---- XP looks ------------------------------------------------------------------------------

uint32_t RgbOf(int r, int g, int b) { return uint32_t(r << 16 | g << 8 | b); }

uint32_t Mix(uint32_t a, uint32_t b, double t) {
  auto ch = [&](int shift) {
    double v = ((a >> shift) & 0xFF) * (1 - t) + ((b >> shift) & 0xFF) * t;
    return uint32_t(v + 0.5) << shift;
  };
  return ch(16) | ch(8) | ch(0);
}

// Band: the three face pixels next to the pointing end of each column (or row), at one end or both.
std::vector<uint8_t> XPImage(const Shape& s, Look look, bool vertical, int pointingEnd /* -1 start, 1 end, 0 both */) {
  const uint32_t outline = look == Look::Disabled ? RgbOf(172, 168, 153) : RgbOf(112, 130, 160);
  const uint32_t top = RgbOf(255, 255, 255);
  const uint32_t bottom = look == Look::Disabled ? RgbOf(236, 233, 216) : RgbOf(220, 224, 232);
  const uint32_t band = look == Look::Hot ? RgbOf(248, 179, 48)
                        : look == Look::Disabled ? RgbOf(200, 200, 200)
                                                 : RgbOf(33, 161, 33);
  const int along = vertical ? s.W : s.H;
  auto inBand = [&](int x, int y) {
    // Face pixels counted from each end along the thumb's length.
    auto count = [&](int from, int step) {
      int n = 0;
      for (int p = from; p >= 0 && p < along; p += step) {
        int px = vertical ? p : x, py = vertical ? y : p;
        if (s.At(px, py) >= 2) {
          ++n;
          if ((vertical ? px == x : py == y)) return n;
        }
      }
      return 1000;
    };
    if (pointingEnd <= 0 && count(0, 1) <= 3) return true;
    if (pointingEnd >= 0 && count(along - 1, -1) <= 3) return true;
    return false;
  };
  return BmpFile(s.W, s.H, 24, {}, [&](int x, int y) -> uint32_t {
    int d = s.At(x, y);
    if (d == 0) return 0;
    if (d == 1) return outline;
    if (inBand(x, y)) return band;
    double t = double(vertical ? x : y) / double(along - 1);
    return Mix(top, bottom, vertical ? 1 - t : t);
  });
}

std::vector<uint8_t> XPMask(const Shape& s) {
  return BmpFile(s.W, s.H, 1, {{0, 0, 0}, {255, 255, 255}},
                 [&](int x, int y) -> uint32_t { return s.Inside(x, y) ? 0 : 1; });
}

// ---- Sample button pictures ---------------------------------------------------------------

// A 56 x 24 push-button picture on olive (left out when drawn): rounded outline, a vertical blend
// and a soft highlight line, in the look given.
std::vector<uint8_t> ButtonPicture(Look look, bool down) {
  const Shape s = Rounded(Rounded(Box(56, 24)));
  const uint32_t outline = look == Look::Disabled ? RgbOf(160, 160, 160) : look == Look::Hot ? RgbOf(200, 120, 30)
                                                                                           : RgbOf(70, 90, 130);
  uint32_t top = look == Look::Hot ? RgbOf(255, 244, 214) : RgbOf(252, 252, 255);
  uint32_t bottom = look == Look::Hot ? RgbOf(247, 196, 96) : look == Look::Disabled ? RgbOf(226, 226, 226)
                                                                                     : RgbOf(196, 210, 234);
  if (down) std::swap(top, bottom);
  return BmpFile(56, 24, 24, {}, [&](int x, int y) -> uint32_t {
    int d = s.At(x, y);
    if (d == 0) return RgbOf(128, 128, 0);
    if (d == 1) return outline;
    if (d == 2 && y < 12 && !down) return Mix(top, RgbOf(255, 255, 255), 0.6);
    return Mix(top, bottom, double(y) / 23.0);
  });
}

// ---- Cursors -------------------------------------------------------------------------------

// A 32 x 32 monochrome cursor: a two-headed arrow through a grip bar.
std::vector<uint8_t> GripCursor(bool horizontal) {
  enum Ink { Clear, Dark, Light };
  std::vector<Ink> ink(32 * 32, Clear);
  auto set = [&](int x, int y, Ink i) {
    if (!horizontal) std::swap(x, y);
    if (x >= 0 && y >= 0 && x < 32 && y < 32) ink[size_t(y * 32 + x)] = i;
  };
  // Shaft along y = 15, heads at x = 4 and x = 26, bar across x = 14..16.
  for (int x = 6; x <= 24; ++x) set(x, 15, Dark);
  for (int r = 0; r < 5; ++r)
    for (int dy = -r; dy <= r; ++dy) {
      set(4 + r, 15 + dy, Dark);
      set(26 - r, 15 + dy, Dark);
    }
  for (int y = 7; y <= 23; ++y)
    for (int x = 14; x <= 16; ++x) set(x, y, x == 15 ? Light : Dark);
  // A white outline so the shape reads on any background.
  std::vector<Ink> copy = ink;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      if (copy[size_t(y * 32 + x)] != Clear) continue;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
          int nx = x + dx, ny = y + dy;
          if (nx >= 0 && ny >= 0 && nx < 32 && ny < 32 && copy[size_t(ny * 32 + nx)] == Dark)
            ink[size_t(y * 32 + x)] = Light;
        }
    }
  const int hot = 15;
  std::vector<uint8_t> out;
  Put16(out, 0);
  Put16(out, 2);
  Put16(out, 1);
  out.push_back(32);
  out.push_back(32);
  out.push_back(2);
  out.push_back(0);
  Put16(out, hot);
  Put16(out, hot);
  Put32(out, 40 + 8 + 2 * 4 * 32);
  Put32(out, 6 + 16);
  Put32(out, 40);
  Put32(out, 32);
  Put32(out, 64);
  Put16(out, 1);
  Put16(out, 1);
  Put32(out, 0);
  Put32(out, 2 * 4 * 32);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 2);
  Put32(out, 0);
  Put32(out, 0x00000000);
  Put32(out, 0x00FFFFFF);
  for (bool mask : {false, true})
    for (int y = 31; y >= 0; --y)
      for (int byte = 0; byte < 4; ++byte) {
        uint8_t bits = 0;
        for (int bit = 0; bit < 8; ++bit) {
          Ink i = ink[size_t(y * 32 + byte * 8 + bit)];
          if (mask ? i == Clear : i == Light) bits |= uint8_t(0x80 >> bit);
        }
        out.push_back(bits);
      }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: wb-pictures <output folder>\n");
    return 2;
  }
  const std::string dir = argv[1];
  struct File {
    std::string Name;
    std::vector<uint8_t> Data;
  };
  std::vector<File> files;
  auto classicSet = [&](const std::string& base, const Shape& s, std::function<int(int, int)> extra) {
    files.push_back({base, ClassicImage(s, Look::Normal, extra)});
    files.push_back({base + "_hot", ClassicImage(s, Look::Hot, extra)});
    files.push_back({base + "_disabled", ClassicImage(s, Look::Disabled, nullptr)});
    files.push_back({base + "_mask", Mask(s)});
  };
  const Shape hBox = Box(11, 21), hPtr = Pointer(11, 21, true), win95 = Pointer(11, 21, false);
  classicSet("wbtrkbar_h_box", hBox, nullptr);
  classicSet("wbtrkbar_v_box", hBox.Turned(), nullptr);
  classicSet("wbtrkbar_h_ptr", hPtr, nullptr);
  classicSet("wbtrkbar_v_ptr", hPtr.Turned(), nullptr);
  classicSet("wbtrkbar_win95", win95, nullptr);
  // The mixer cap: a grip line across its middle, blue over navy.
  const Shape hMixer = Box(21, 16), vMixer = hMixer.Turned();
  classicSet("wbtrkbar_h_mixer", hMixer, [](int x, int y) { return y >= 3 && y <= 12 ? (x == 10 ? Blue : x == 9 ? Navy : -1) : -1; });
  classicSet("wbtrkbar_v_mixer", vMixer, [](int x, int y) { return x >= 3 && x <= 12 ? (y == 10 ? Blue : y == 11 ? Navy : -1) : -1; });
  for (bool vertical : {false, true}) {
    const Shape flat = vertical ? Box(10, 20).Turned() : Box(10, 20);
    const std::string base = vertical ? "wbtrkbar_v_flat" : "wbtrkbar_h_flat";
    files.push_back({base, FlatImage(flat, Look::Normal, vertical)});
    files.push_back({base + "_hot", FlatImage(flat, Look::Hot, vertical)});
    files.push_back({base + "_disabled", FlatImage(flat, Look::Disabled, vertical)});
    files.push_back({base + "_mask", Mask(flat)});
  }
  auto xpSet = [&](const std::string& base, const Shape& s, bool vertical, int end) {
    files.push_back({base, XPImage(s, Look::Normal, vertical, end)});
    files.push_back({base + "_hot", XPImage(s, Look::Hot, vertical, end)});
    files.push_back({base + "_disabled", XPImage(s, Look::Disabled, vertical, end)});
    files.push_back({base + "_mask", XPMask(s)});
  };
  xpSet("wbtrkbar_h_xpptr", Rounded(hPtr), false, -1);
  xpSet("wbtrkbar_v_xpptr", Rounded(hPtr.Turned()), true, -1);
  xpSet("wbtrkbar_h_xpbox", Rounded(hBox), false, 0);
  xpSet("wbtrkbar_v_xpbox", Rounded(hBox.Turned()), true, 0);
  files.push_back({"wb_sample_button_up", ButtonPicture(Look::Normal, false)});
  files.push_back({"wb_sample_button_down", ButtonPicture(Look::Normal, true)});
  files.push_back({"wb_sample_button_hot", ButtonPicture(Look::Hot, false)});
  files.push_back({"wb_sample_button_disabled", ButtonPicture(Look::Disabled, false)});
  for (const File& f : files)
    if (!WriteFile(dir + "/" + f.Name + ".bmp", f.Data)) {
      std::fprintf(stderr, "wb-pictures: cannot write %s\n", f.Name.c_str());
      return 1;
    }
  if (!WriteFile(dir + "/wbtrkbar_h_cursor.cur", GripCursor(true)) ||
      !WriteFile(dir + "/wbtrkbar_v_cursor.cur", GripCursor(false))) {
    std::fprintf(stderr, "wb-pictures: cannot write the cursors\n");
    return 1;
  }
  return 0;
}
