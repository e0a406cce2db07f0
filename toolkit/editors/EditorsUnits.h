#pragma once
// Start and end of the editor framework's units, in their defined order (ends run in reverse).
// Called after the foundation's start and before its end.

void EditorsStart();
void EditorsEnd();
