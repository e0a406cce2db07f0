#pragma once
// Start and end of the Wb control set's units, in their defined order (ends run in reverse).
// Called after the framework's own starts and before its ends.

void WbControlsStart();
void WbControlsEnd();
