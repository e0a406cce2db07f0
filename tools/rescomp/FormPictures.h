#pragma once
// Pictures inside form texts. A form names a picture drawn at build time instead of holding its
// bytes:
//     Bitmaps.Up.Data = picture 'clip_reset_up.bmp'
// and the resource compiler writes the binary value the reader expects in its place: a 32-bit
// length followed by the BMP file, in hex between braces.

#include <functional>
#include <string>
#include <vector>

// Expands every picture reference of the form text. Resolve turns a picture's name into its file
// (throwing when there is none); Pictures receives every file read. Throws std::runtime_error
// naming the line of a malformed reference.
std::string ExpandFormPictures(const std::string& text, const std::string& where,
                               const std::function<std::string(const std::string&)>& resolve,
                               std::vector<std::string>& pictures);
