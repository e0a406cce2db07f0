#pragma once
// The status bar's state lamps: 16-colour 17 x 8 bitmaps, one per colour, written as .bmp files.

#include <string>

// Writes qzstatusbar_<colour>.bmp for gray, yellow, blue, green, red, teal and purple into Folder;
// false when a file cannot be written.
bool WriteLamps(const std::string& Folder);
