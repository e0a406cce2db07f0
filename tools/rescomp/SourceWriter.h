#pragma once
// Writes the C++ source that carries a program's resources, and the dependency file that tells
// the build which files it was made from.
//
// Files are pulled in by the assembler (.incbin in a top-level asm block), so several megabytes
// cost the compiler nothing; a bitmap skips its 14-byte file header, as resource compilers have
// always stored bitmaps. String-table blocks and the version record are small and written as
// byte arrays.

#include <string>
#include <vector>

#include "ResourceList.h"
#include "StringTable.h"

std::string GenerateResourceSource(const std::vector<ResourceLine>& lines, const StringTable& strings);

// "output: dep dep ..." in the form make and ninja read.
std::string GenerateDepfile(const std::string& output, const std::vector<std::string>& dependencies);
