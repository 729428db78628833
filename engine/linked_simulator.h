// For a program that links the simulator library rather than loading it (the
// self-play harness, the runner and curling-analyze): the searches' entry
// points are set to the linked functions.
#pragma once

namespace engine {

// Sets the entry points of engine/library_binding.h. Call it before any
// thread starts; they are only read afterwards.
void BindLinkedSimulator();

}  // namespace engine
