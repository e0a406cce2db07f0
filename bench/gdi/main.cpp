#include "gdi/GdiUnits.h"
#include "rtl/RtlUnits.h"

void RunTextBench();
void RunBlitBench();

int main() {
  RtlStart();
  GdiStart();
  RunTextBench();
  RunBlitBench();
  GdiEnd();
  RtlEnd();
  return 0;
}
