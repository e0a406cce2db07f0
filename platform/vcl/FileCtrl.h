#pragma once
// File-name routines for showing names in a limited width.

#include "vcl/Graphics.h"

// FileName shortened to MaxLen pixels in Canvas's font: leading folders give way to "..." one by
// one ("/home/ann/Videos/clip.mp4" becomes ".../Videos/clip.mp4"), then the name itself is cut.
String MinimizeName(const String& FileName, TCanvas* Canvas, Integer MaxLen);
