#pragma once
// The log library: one log file per run that the engine and FFmpeg write into.
//
// Levels: 0 nothing; 1 errors; 2 also warnings and the engine's notes on jobs and codecs (the
// program's level); 3 also FFmpeg's informational messages; 4 also engine and FFmpeg details;
// 5 everything FFmpeg says.

#include "engine/EngineResult.h"

extern "C" {

// Opens `path` for appending (created 0600 when missing). A symbolic link or anything but a
// regular file is refused with erCannotCreateOutput and leaves logging closed.
TEngineResult LogSetFileByName(const char* path);
TEngineResult LogSetLevel(Integer level);
// Closes the file so that it can be read; LogSetFileByName opens it again.
TEngineResult LogClose();

}
