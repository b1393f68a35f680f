#pragma once

#include "effects/catalogue.h"

struct IACFHostFactory;
struct IAVXComponentRecord;

// Defines every parameter of `group` (in table order), then builds each top-level control's
// tree and adds the trees to the component in order. Raises a host failure on a failing
// status or a missing record; every record it obtained is released on every path.
void defineParamGroup(IACFHostFactory& factory, IAVXComponentRecord& component,
                      const ParamGroupDef& group);

// Runs the steps of a panel built interleaved, in order. Raises as defineParamGroup does.
void buildPanel(IACFHostFactory& factory, IAVXComponentRecord& component,
                std::span<const BuildStep> steps);
