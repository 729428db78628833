// The game reaching into the simulator's internals and up into the records,
// in the namespace of the folder above its own.
#pragma once

#include "match/engines/engine_client.h"
#include "match/records/record_json.h"
#include "simulator/delivery.h"
#include "simulator/sheet.h"

namespace match {

struct Flow {};

}  // namespace match
