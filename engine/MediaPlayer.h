#pragma once
// The preview library: plays one media file at a time into a window, with sound, and is polled
// for its position. Playback runs on engine threads; pictures reach the window through the
// platform's video surface only. All calls come from the user-interface thread.
//
// Every out value is written on every call, also on failure.

#include "engine/EngineResult.h"
#include "rtl/WinTypes.h"

extern "C" {

// Stops what was playing and plays `path` from its start into `window`'s client area (a null
// window plays the sound only). erInputNotFound, erUnsupportedFormat, erDecoderFailed.
TEngineResult MediaPlayer_Play(const char* path, HWND window);
// DVD input is not supported: stops what was playing and answers erUnsupportedFormat.
TEngineResult MediaPlayer_PlayDVD(const char* path, HWND window, Integer selector1, Integer selector2,
                                  Integer selector3);
// Plays from `start` (100 ns on the file's time line) to start + `length`, where playback ends
// and the position holds; a length of 0 or less plays to the end of the file. A paused preview
// stays paused and shows the picture at `start`. Nothing playing: nothing to do.
TEngineResult MediaPlayer_Seek(Int64 start, Int64 length);
TEngineResult MediaPlayer_Pause();
TEngineResult MediaPlayer_Continue();
TEngineResult MediaPlayer_Stop();
// Per cent of the original loudness (negative: silent); applied at once.
TEngineResult MediaPlayer_SetVolume(Integer percent);
// -127 to 127 (clamped), as the converter applies them; applied at once, also when paused.
TEngineResult MediaPlayer_SetBrightness(Integer value);
TEngineResult MediaPlayer_SetContrast(Integer value);
// The picture shown last: 32-bit B, G, R, A pixels, rows top to bottom without padding. `size`
// is the capacity of `buffer` in bytes on the way in and the bytes the picture needs on the way
// out; the pixels are copied only when they fit (the caller then grows its buffer and asks
// again). No picture yet: size, width and height 0.
TEngineResult MediaPlayer_GetSnap(Byte* buffer, Integer* size, Integer* width, Integer* height);
// 100 ns on the file's time line; 0 when nothing plays.
TEngineResult MediaPlayer_GetCurrentPosition(Int64* position);

}

// Unit end: stops playback and releases the sound output.
void MediaPlayerEnd();
