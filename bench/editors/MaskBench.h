#pragma once
// Compiling and typing into regular-expression masks, hostile ones included.
void RunMaskBench();
