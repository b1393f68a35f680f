// One fuzz case: a component registered, set up and rendered on a host of its own, as the
// input's bytes decide, with every oracle checked after each step. A broken oracle aborts.
#pragma once

#include <cstddef>
#include <cstdint>

#include "loaded_module.h"

void runCase(LoadedModule& module, const uint8_t* data, size_t size);
