// The command loop reaching up into the search.
#pragma once

#include "engine/token.h"
#include "search/search.h"
