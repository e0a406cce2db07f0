#pragma once
// The codec manager: checks at start-up that the encoders and writers the conversions need are
// present, and logs what it found.

#include "engine/EngineResult.h"

extern "C" {

// `folder` is where the program keeps its codec folder; the engine's codecs are built in, so it
// is only logged. erEncoderFailed when an encoder or a file writer is missing.
TEngineResult CodecMgrInit(const char* folder);

}
