#include "landscape/landscape.h"

int32_t stopRequest = 0;
