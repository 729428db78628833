// The game reaching into the simulator's internals and up into the records.
#pragma once

#include "match/engines/engine_client.h"
#include "match/records/record_json.h"
#include "simulator/delivery.h"
#include "simulator/sheet.h"
