#pragma once
// Mouse moves over editors with buttons against a full repaint (EditMouseBench.cpp).

void RunEditMouseBench();
