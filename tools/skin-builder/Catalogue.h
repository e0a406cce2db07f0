#pragma once
// The element catalogue: every element a skin carries, with the recipe that draws it, its frame
// size, states, image count, margins and content offset. One catalogue serves all skins; a
// skin's description only gives the palette and the shape of its surfaces.

#include <memory>

#include "Palette.h"
#include "toolkit/skins/qzSkinsCore.h"

// The groups of a skin stream, in stream order.
extern const char* const kSkinGroups[13];

// A whole skin from its description: groups, elements with their pictures, colours and
// properties.
std::unique_ptr<TqzSkin> AssembleSkin(const Description& D);
