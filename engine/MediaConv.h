#pragma once
// The conversion library: one job at a time, described call by call, run on engine threads and
// polled. A description starts with MediaConv_AddInputFile; Run consumes it.
//
// Out values are written on every call, also on failure. A failing description call makes the
// library idle with that code: WaitFor then answers finished with it.

#include "engine/EngineResult.h"

extern "C" {

// Opens the source (erInputNotFound, erUnsupportedFormat). A job still running is cancelled.
TEngineResult MediaConv_AddInputFile(const char* path);
// DVD input is not supported: always erUnsupportedFormat.
TEngineResult MediaConv_AddInputDVD(const char* path, Integer selector1, Integer selector2, Integer selector3);
// `format`: "asf", "wma" or "mp3" (erUnsupportedFormat otherwise). erCannotCreateOutput when the
// folder of `path` is missing or not writable, or `path` is a folder.
TEngineResult MediaConv_CreateOutput(const char* path, const char* format);
TEngineResult MediaConv_SetVolume(Integer percent);
TEngineResult MediaConv_SetBrightness(Integer value);  // -127 to 127
TEngineResult MediaConv_SetContrast(Integer value);    // -127 to 127
// The part of the source picture to convert, in source pixels; an empty rectangle is all of it.
TEngineResult MediaConv_SetCrop(Integer left, Integer top, Integer right, Integer bottom);
// The shape the picture keeps in the output frame, black bars filling the rest; 0 x 0 fills it.
TEngineResult MediaConv_SetAspect(Integer width, Integer height);
// 100-ns units on the source time line; a length of 0 or less converts to the end.
TEngineResult MediaConv_SetRange(Int64 start, Int64 length);
// Codecs 18, 19, 74 (74 is written with the codec of 19); others erEncoderFailed. 0 x 0 is the
// source size; an odd or negative size erOutputParameters. A frame duration of 0 keeps the
// source rate. Without this call the output has no picture.
TEngineResult MediaConv_SetVideo(Integer codec, Integer width, Integer height, Int64 frameDuration, Integer bitRate);
// Codecs 1 and 86017, others erEncoderFailed; 1 or 2 channels. Without this call the output has
// no sound.
TEngineResult MediaConv_SetAudio(Integer codec, Integer channels, Integer sampleRate, Integer bitRate);
// Sets the job up and starts it; set-up failures come back here, later ones through WaitFor.
TEngineResult MediaConv_Run();
TEngineResult MediaConv_Pause();
TEngineResult MediaConv_Continue();
// Stops the job and waits for it; nothing is left under the output name.
TEngineResult MediaConv_Cancel();
// The picture being converted: 32-bit B, G, R, A pixels, rows top to bottom, in a buffer the
// library owns and keeps unchanged until the next call. Size 0 and a null buffer: no picture.
TEngineResult MediaConv_GetSnap(Byte** buffer, Integer* size, Integer* width, Integer* height);
TEngineResult MediaConv_GetCurrentPosition(Int64* position);
// Answers at once: `finished` 1 when no job is running, and `result` the code that ended the
// last job (0 when it completed or was cancelled).
TEngineResult MediaConv_WaitFor(Byte* finished, Byte* result);

}

// Unit end: cancels a running job and frees what the library holds.
void MediaConvEnd();

// The most parts a long picture stream is cut into, each encoded on threads of its own, for
// jobs run after the call: 0 for one per processor core (the default), 1 for a single stream.
void MediaConvSetParts(Integer parts);
