#pragma once
// Where the picture of a conversion comes from and where it goes: the crop rectangle in the
// source, the output frame, and the rectangle of that frame the picture fills (the rest is
// black: letterbox or pillarbox bars).

#include "rtl/Types.h"

struct TPictureLayout {
  TRect Crop;            // source pixels, inside the source picture
  Integer FrameWidth = 0;
  Integer FrameHeight = 0;
  TRect Picture;         // inside the frame; even coordinates, as 4:2:0 pictures need
};

// `crop`: an empty rectangle means the whole picture; it is clipped to the picture.
// `frame`: 0 x 0 means the cropped size, made even for the encoder.
// `aspect`: the shape the picture keeps inside the frame; 0 x 0 fills the frame.
// Raises EEngineError erOutputParameters for a frame size no encoder takes (odd, negative, or
// one side 0).
TPictureLayout LayoutPicture(TSize source, TRect crop, TSize frame, TSize aspect);

// The crop rectangle clipped to a picture of `width` x `height` (the whole picture when it
// leaves nothing).
TRect ClipCrop(TRect crop, Integer width, Integer height);
