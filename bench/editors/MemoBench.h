#pragma once

// The log window's case: a read-only memo given 20,000 lines, against the platform's memo.
void RunMemoBench();
