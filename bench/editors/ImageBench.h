#pragma once
// The image editor with a 4000 x 3000 JPEG against the platform's TImage with the same picture
// (ImageBench.cpp).

void RunImageBench();
