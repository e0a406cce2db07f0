#pragma once
// Start and end of the bars' units, in their defined order (ends run in reverse). Called after
// the editors have started.

void BarsStart();
void BarsEnd();
