// Short names for the module's ids, so that record dumps read "param::Mix".
#pragma once

#include "pinned_ids.h"
#include "record_dump.h"
#include "testhost/text.h"

inline record_dump::Names corvaneIdNames() {
    record_dump::Names names;
    for (const auto& pin : pinned::kIds)
        names[testhost::guidText(pin.id)] = pinned::shortName(pin.name);
    return names;
}
