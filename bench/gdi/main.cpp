#include "gdi/GdiUnits.h"
#include "rtl/RtlUnits.h"

void RunTextBench();

int main() {
  RtlStart();
  GdiStart();
  RunTextBench();
  GdiEnd();
  RtlEnd();
  return 0;
}
