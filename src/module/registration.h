// What the module registers with the host: its plug-in record and its five components.
#pragma once

#include <cstdint>

#include "module/class_factory.h"

struct IACFUnknown;
struct IACFPluginRecord;
struct IAVXComponentRecord;

inline constexpr uint32_t kComponentCount = 5;

int32_t registerPlugin(IACFUnknown* host, IACFPluginRecord** out);
int32_t registerComponent(IACFUnknown* host, uint32_t index, IAVXComponentRecord** out);

// The creator of the effect class that `classId` names, or null.
EffectCreator creatorFor(const GUID& classId);
