#pragma once
// Unit start: registers the image blending library "msimg32" (AlphaBlend, GradientFill,
// TransparentBlt) for run-time binding.

void MsImg32Start();
