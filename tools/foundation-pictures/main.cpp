// Draws the glyphs of the toolkit foundation as 24-bit BMP files:
//   foundation-pictures <output folder>
// writes the Office-11 glyphs qzsubmenuexpand.bmp, qzexpandbutton_minus.bmp and
// qzexpandbutton_plus.bmp, and the six indicator glyphs kv_arrowbitmap.bmp ... kv_filterbitmap.bmp.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Rgb {
  uint8_t r, g, b;
};

class Picture {
 public:
  Picture(int width, int height, Rgb fill) : FWidth(width), FHeight(height), FPixels(width * height, fill) {}
  void Set(int x, int y, Rgb c) { FPixels[y * FWidth + x] = c; }

  // Bottom-up rows of blue, green, red, each padded to four bytes.
  bool Save(const std::string& path) const {
    int stride = (FWidth * 3 + 3) & ~3;
    uint32_t imageSize = stride * FHeight;
    std::vector<uint8_t> out;
    auto put16 = [&](uint32_t v) { out.push_back(v & 0xFF); out.push_back((v >> 8) & 0xFF); };
    auto put32 = [&](uint32_t v) { put16(v & 0xFFFF); put16(v >> 16); };
    out.push_back('B');
    out.push_back('M');
    put32(14 + 40 + imageSize);
    put32(0);
    put32(14 + 40);
    put32(40);
    put32(FWidth);
    put32(FHeight);
    put16(1);
    put16(24);
    put32(0);
    put32(imageSize);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    for (int y = FHeight - 1; y >= 0; --y) {
      for (int x = 0; x < FWidth; ++x) {
        const Rgb& c = FPixels[y * FWidth + x];
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
      }
      for (int pad = FWidth * 3; pad < stride; ++pad) out.push_back(0);
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool ok = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    return std::fclose(file) == 0 && ok;
  }

 private:
  int FWidth, FHeight;
  std::vector<Rgb> FPixels;
};

const Rgb kKey{255, 0, 255};

// A right-pointing arrow, 4 x 7 pixels, shaded from dark at its base to light at its tip, on the
// key colour in pixel (0, 0). The shades are respread over the scheme's colours when loaded.
Picture SubMenuExpand() {
  Picture p(6, 9, kKey);
  for (int y = 1; y < 8; ++y) {
    int length = 4 - std::abs(y - 4);
    for (int x = 1; x < 1 + length; ++x) {
      uint8_t shade = static_cast<uint8_t>(0x50 + 0x30 * (x - 1));
      p.Set(x, y, Rgb{shade, shade, shade});
    }
  }
  return p;
}

// An 11 x 11 box: a slate frame, a white-to-silver face and a black minus, or plus.
Picture ExpandButton(bool plus) {
  Picture p(11, 11, Rgb{255, 255, 255});
  const Rgb frame{122, 138, 153};
  for (int i = 0; i < 11; ++i) {
    p.Set(i, 0, frame);
    p.Set(i, 10, frame);
    p.Set(0, i, frame);
    p.Set(10, i, frame);
  }
  for (int y = 1; y < 10; ++y) {
    uint8_t face = static_cast<uint8_t>(255 - (y - 1) * 5);
    for (int x = 1; x < 10; ++x) p.Set(x, y, Rgb{face, face, static_cast<uint8_t>(face > 250 ? 255 : face + 4)});
  }
  const Rgb mark{0, 0, 0};
  for (int i = 3; i <= 7; ++i) {
    p.Set(i, 5, mark);
    if (plus) p.Set(5, i, mark);
  }
  return p;
}

// An 8 x 9 indicator glyph from its rows, top first: "#" black, "." white (the transparent colour).
Picture Indicator(const char* const (&rows)[9]) {
  Picture p(8, 9, Rgb{255, 255, 255});
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 8; ++x)
      if (rows[y][x] == '#') p.Set(x, y, Rgb{0, 0, 0});
  return p;
}

const char* const kArrow[9] = {"..#.....", "..##....", "..###...", "..####..", "..#####.",
                               "..####..", "..###...", "..##....", "..#....."};
const char* const kEdit[9] = {".##.##..", "...#....", "...#....", "...#....", "...#....",
                              "...#....", "...#....", "...#....", ".##.##.."};
const char* const kInsert[9] = {"........", "...#....", ".#.#.#..", "..###...", "...#....",
                                "..###...", ".#.#.#..", "...#....", "........"};
const char* const kMultiDot[9] = {"........", "........", "...#....", "..###...", "..###...",
                                  "..###...", "...#....", "........", "........"};
const char* const kMultiArrow[9] = {"..#.....", "..##....", "....#...", "..#..#..", "..##.##.",
                                    "..#..#..", "....#...", "..##....", "..#....."};
const char* const kFilter[9] = {"........", "########", "#......#", "#......#", ".#....#.",
                                "..####..", "..#..#..", "..#..#..", "..####.."};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: foundation-pictures <output folder>\n");
    return 2;
  }
  std::string folder = argv[1];
  struct Output {
    const char* name;
    Picture picture;
  } outputs[] = {
      {"qzsubmenuexpand.bmp", SubMenuExpand()},
      {"qzexpandbutton_minus.bmp", ExpandButton(false)},
      {"qzexpandbutton_plus.bmp", ExpandButton(true)},
      {"kv_arrowbitmap.bmp", Indicator(kArrow)},
      {"kv_editbitmap.bmp", Indicator(kEdit)},
      {"kv_insertbitmap.bmp", Indicator(kInsert)},
      {"kv_multidotbitmap.bmp", Indicator(kMultiDot)},
      {"kv_multiarrowbitmap.bmp", Indicator(kMultiArrow)},
      {"kv_filterbitmap.bmp", Indicator(kFilter)},
  };
  for (const Output& output : outputs) {
    if (!output.picture.Save(folder + "/" + output.name)) {
      std::fprintf(stderr, "foundation-pictures: cannot write %s/%s\n", folder.c_str(), output.name);
      return 1;
    }
  }
  return 0;
}
