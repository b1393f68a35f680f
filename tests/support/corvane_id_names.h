// A test host with a host factory and one fresh component record, as the editor hands them
// to the module while it registers a component.
#pragma once

#include <gtest/gtest.h>

#include "host/host_ref.h"
#include "host/ids.h"
#include "pinned_ids.h"
#include "record_dump.h"
#include "testhost/host.h"
#include "testhost/text.h"

inline record_dump::Names corvaneIdNames() {
    record_dump::Names names;
    for (const auto& pin : pinned::kIds)
        names[testhost::guidText(pin.id)] = pinned::shortName(pin.name);
    return names;
}

struct RegistrationHost {
    testhost::Host host;
    HostRef<IACFHostFactory> factory;

    RegistrationHost() {
        EXPECT_EQ(host.unknown()->QueryInterface(iid::IACFHostFactory, factory.putVoid()), 0);
    }

    // A component record the way the entry point creates it; the caller owns the reference.
    HostRef<IAVXComponentRecord> newComponent() {
        HostRef<IAVXComponentRecord> record;
        EXPECT_EQ(factory->CreateObject(record_class::ComponentRecord, nullptr,
                                        iid::IAVXComponentRecord, record.putVoid()),
                  0);
        return record;
    }

    testhost::ComponentRecord& componentAt(size_t index) {
        return *host.records().components().at(index);
    }
};
