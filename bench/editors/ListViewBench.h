#pragma once
// A report list view of 100,000 owner-data rows against drawing its visible cells with DrawText
// (ListViewBench.cpp).

void RunListViewBench();
