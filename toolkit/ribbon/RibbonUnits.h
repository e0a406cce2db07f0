#pragma once
// Start and end of the ribbon's units, in their defined order (ends run in reverse). Called after
// the bars have started.

void RibbonStart();
void RibbonEnd();
