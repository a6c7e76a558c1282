// The landscape commands.
//
// Not built yet: commands 116, 117 and 118 reach this operation, which does nothing.

#include "landscape/landscape.h"

void GenerateBackground(int32_t) {}
