#include "Glyphs.h"

#include <map>

#include "Bmp.h"

namespace {

// One character a pixel, top row first.
using Rows = const char* [16];

const std::map<char, Rgb> kPalette = {
    {'.', {255, 0, 255}}, {'k', {0, 0, 0}},       {'d', {64, 64, 64}},  {'g', {128, 128, 128}},
    {'s', {192, 192, 192}}, {'w', {255, 255, 255}}, {'r', {224, 32, 32}}, {'G', {32, 160, 48}},
    {'b', {40, 80, 216}},  {'n', {0, 0, 128}},     {'y', {248, 208, 48}}, {'m', {128, 0, 0}},
};

std::vector<uint8_t> Picture(const Rows& rows) {
  return BmpFile(16, 16, [&rows](int x, int y) { return kPalette.at(rows[y][x]); });
}

// A combo box: a white field with a drop button at the right; the field's content varies.
const Rows kColorCombo = {
    "................", "................", "................", "................",
    "gggggggggggggggg", "gwwwwwwwwwwsssdk", "gwkkkkkkwwwssssk", "gwkrrrrkwwwskkdk",
    "gwkrrrrkwwwsskdk", "gwkrrrrkwwwssssk", "gwkkkkkkwwwsdddk", "gwwwwwwwwwwddddk",
    "kkkkkkkkkkkkkkkk", "................", "................", "................"};

const Rows kFontNameCombo = {
    "................", "................", "................", "................",
    "gggggggggggggggg", "gwwwwkwwwwwsssdk", "gwwwkwkwwwwssssk", "gwwwkwkwwwwskkdk",
    "gwwkkkkkwwwsskdk", "gwwkwwwkwwwssssk", "gwkkwwwkkwwsdddk", "gwwwwwwwwwwddddk",
    "kkkkkkkkkkkkkkkk", "................", "................", "................"};

const Rows kImageCombo = {
    "................", "................", "................", "................",
    "gggggggggggggggg", "gwbbbbbbwwwsssdk", "gwbbbbybwwwssssk", "gwbbGbbbwwwskkdk",
    "gwbGGGbbwwwsskdk", "gwGGGGGbwwwssssk", "gwGGGGGGwwwsdddk", "gwwwwwwwwwwddddk",
    "kkkkkkkkkkkkkkkk", "................", "................", "................"};

// A calendar sheet with a red band and a grid of days.
const Rows kDateCombo = {
    "................", ".kkkkkkkkkkkkkk.", ".krrrrrrrrrrrrk.", ".krrrrrrrrrrrrk.",
    ".kkkkkkkkkkkkkk.", ".kwwwwwwwwwwwwk.", ".kwkwkwkwkwkwwk.", ".kwwwwwwwwwwwwk.",
    ".kwkwkwkwbbkwwk.", ".kwwwwwwwbbwwwk.", ".kwkwkwkwkwkwwk.", ".kwwwwwwwwwwwwk.",
    ".kwkwkwkwwwwwwk.", ".kwwwwwwwwwwwwk.", ".kkkkkkkkkkkkkk.", "................"};

// Three nodes on tree lines.
const Rows kTreeViewCombo = {
    "................", ".kkkkk..........", ".kwwwk..........", ".kwkwk..........",
    ".kwwwk..........", ".kkkkk..........", "...g............", "...g...kkkkk....",
    "...gggg.kyyyk...", "...g...kyyyk....", "...g...kkkkk....", "...g............",
    "...g...kkkkk....", "...gggg.kbbbk...", ".......kbbbk....", ".......kkkkk...."};

// Two overlapping letters T: an outline font.
const Rows kTrueTypeFont = {
    "................", "................", "................", "gggggggg........",
    "g..gg..g........", "...gg...........", "...gg.nnnnnnnn..", "...gg.n..nn..n..",
    "...gg....nn.....", "...gg....nn.....", "..gggg...nn.....", ".........nn.....",
    ".........nn.....", "........nnnn....", "................", "................"};

// A letter A drawn in steps: a font of fixed sizes.
const Rows kNonTrueTypeFont = {
    "................", "................", "................", "......mm........",
    "......mm........", ".....m..m.......", ".....m..m.......", "....m....m......",
    "....m....m......", "...mmmmmmmm.....", "...m......m.....", "..m........m....",
    "..m........m....", ".mmm......mmm...", "................", "................"};

}  // namespace

std::vector<GlyphPicture> ItemGlyphs() {
  return {
      {"qzbar_colorcombo.bmp", Picture(kColorCombo)},
      {"qzbar_fontnamecombo.bmp", Picture(kFontNameCombo)},
      {"qzbar_datecombo.bmp", Picture(kDateCombo)},
      {"qzbar_imagecombo.bmp", Picture(kImageCombo)},
      {"qzbar_treeviewcombo.bmp", Picture(kTreeViewCombo)},
      {"qzbar_truetypefont.bmp", Picture(kTrueTypeFont)},
      {"qzbar_nontruetypefont.bmp", Picture(kNonTrueTypeFont)},
  };
}
