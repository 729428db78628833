// Two headers of one folder that include each other.
#pragma once

#include "engine/decision.h"
