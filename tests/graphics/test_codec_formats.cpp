#include <gtest/gtest.h>
#include "magick_util.h"
