#pragma once
// Start and end of the component framework's units, in their defined order (ends run in
// reverse). Called after UserStart (and ControlsStart) and before their ends. The start makes
// Mouse, Screen and Application; the end frees them (and the forms the application owns), after
// which their getters answer nullptr.

void VclStart();
void VclEnd();
