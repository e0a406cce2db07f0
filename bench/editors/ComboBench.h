#pragma once
// A combo box of 10,000 items against the platform's combo box with the same items
// (ComboBench.cpp).

void RunComboBench();
