#pragma once
// The engine's own log writer, behind the log library's entry points: timestamped lines, written
// whole from any thread.

#include "rtl/Types.h"

enum class TLogKind { Error, Warning, Info, Detail, Debug };

void EngineLog(TLogKind kind, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Routes FFmpeg's messages into the log (and away from stderr); EngineLogEnd restores FFmpeg's
// own printer and closes the file.
void EngineLogStart();
void EngineLogEnd();
