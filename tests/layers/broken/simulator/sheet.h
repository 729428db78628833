// The bottom layer includes nothing above it.
#pragma once

#include "simulator/vec2.h"
