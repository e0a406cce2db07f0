#pragma once
// Start and end of the skins' units, in their defined order (ends run in reverse). Called after
// the foundation's starts and before its ends.

void SkinsStart();
void SkinsEnd();
