#pragma once
// Start and end of the runtime library's units, in their defined order (ends run in reverse).
// The program and every test binary call these before and after everything else.

void RtlStart();
void RtlEnd();
