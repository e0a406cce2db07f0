#pragma once
// Prints the repaint and live-resize costs of a skinned form against the platform's frame.
void BenchSkinnedForm();
