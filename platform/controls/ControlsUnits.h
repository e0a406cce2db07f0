#pragma once
// The standard window classes: registered at start, taken away at the end.

void ControlsStart();
void ControlsEnd();
