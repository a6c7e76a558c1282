#include "landscape/landscape.h"

int32_t generatingPicture = 0;
int32_t stopRequest = 0;
