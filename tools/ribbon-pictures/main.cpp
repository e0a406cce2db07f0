// Draws the ribbon's atlases as 32-bit RGBA PNG files:
//   ribbon-pictures <output folder>
// writes ribboncommon.png (shared by every scheme) and, for Blue, Black and Silver, ribbon<scheme>.png
// and form<scheme>.png, and the status bar's lamps qzstatusbar_<colour>.bmp. Every picture is drawn where the skins' cut table says the skins will cut
// it, in each state the table lists; everything else stays transparent. The same program gives
// the same bytes.

#include <cairo.h>

#include <cctype>
#include <cstdio>
#include <set>
#include <string>
#include <utility>

#include "Lamps.h"
#include "Looks.h"

namespace {

bool DrawAtlas(TqzRibbonAtlas Atlas, const SchemeLook* Scheme, const std::string& Path) {
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kRibbonAtlasWidth[Atlas], kRibbonAtlasHeight[Atlas]);
  cairo_t* cr = cairo_create(surface);
  // States that share a copy share its picture: the first state that takes a copy draws it.
  std::set<std::pair<int, int>> drawn;
  for (const TqzRibbonCutRow& row : kRibbonCutRows) {
    if (row.atlas != Atlas) continue;
    ForEachRibbonPart(row, [&](const TqzRibbonCutRow& r, const TqzRibbonPiece& piece, int state, int, int, int x, int y) {
      if (!drawn.insert({x, y}).second) return;
      DrawElement(cr, Scheme, piece.element, state, Box{double(x), double(y), double(r.width), double(r.height)});
    });
  }
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  const bool written = cairo_surface_write_to_png(surface, Path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  if (!written) std::fprintf(stderr, "ribbon-pictures: cannot write %s\n", Path.c_str());
  return written;
}

std::string Lower(std::string Text) {
  for (char& c : Text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return Text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: ribbon-pictures <output folder>\n");
    return 2;
  }
  const std::string out = argv[1];
  bool ok = DrawAtlas(raCommon, nullptr, out + "/ribboncommon.png");
  for (const SchemeLook* scheme : {&kBlueLook, &kBlackLook, &kSilverLook}) {
    const std::string word = Lower(scheme->word);
    ok = DrawAtlas(raScheme, scheme, out + "/ribbon" + word + ".png") && ok;
    ok = DrawAtlas(raForm, scheme, out + "/form" + word + ".png") && ok;
  }
  ok = WriteLamps(out) && ok;
  return ok ? 0 : 1;
}
