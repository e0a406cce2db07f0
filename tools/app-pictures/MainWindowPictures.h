// The main window's pictures: the ribbon's 32 x 32 command images, the glyphs of Browse, Advance
// and Convert (with alpha), and the preview pane's still, position bar, knob and play and pause
// buttons (opaque, drawn on the pane's black).
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

using NamedPicture = std::pair<std::string, std::vector<uint8_t>>;

std::vector<NamedPicture> MainWindowPictures();
