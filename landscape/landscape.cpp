#include "landscape/landscape.h"

#include "landscape/generators.h"

int32_t stopRequest = 0;

void ResetLandscapeState() {
  stopRequest = 0;
  ForgetColourStrips();
}

void RequestStop() { stopRequest = 1; }

void ClearStopRequest() { stopRequest = 0; }

bool TakeStopRequest() {
  if (!stopRequest) return false;
  stopRequest = 0;
  return true;
}
