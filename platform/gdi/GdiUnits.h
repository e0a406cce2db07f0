#pragma once
// Start and end of the graphics library's units, in their defined order (ends run in reverse).
// Called after RtlStart and before RtlEnd.

void GdiStart();
void GdiEnd();
