// The root of the test host: the host object the module is handed, and everything the
// module can reach from it or is given during a render. It owns every object it makes;
// they live until the Host goes, whatever the module does with its references. Including
// this header gives every part of the test host, with the host's ids and status codes.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "host/ids.h"
#include "host/interfaces.h"
#include "host/status.h"
#include "testhost/context.h"
#include "testhost/frames.h"
#include "testhost/inputs.h"
#include "testhost/journal.h"
#include "testhost/log.h"
#include "testhost/object.h"
#include "testhost/params.h"
#include "testhost/records.h"
#include "testhost/render_time.h"

namespace testhost {

class HostObject;
class HostAuxiliary;

class Host {
public:
    Host();
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // The host object to pass to the entry points. Borrowed: not counted as a reference.
    IACFUnknown* unknown();
    // Whether QueryInterface on the host object answers `iid` (IACFHostFactory,
    // IACFHostAuxiliary, IACFHostLog); all three are on at first.
    void offer(const GUID& iid, bool on);

    Census& census() { return census_; }
    Journal& journal() { return journal_; }
    Injector& inject() { return injector_; }
    Records& records() { return *records_; }
    Log& log() { return *log_; }

    // Throws std::logic_error for a format whose pixel size cannot be derived, and
    // std::bad_alloc when the pixels cannot be allocated.
    Frame& makeFrame(const FrameShape& shape, std::string name);
    InputTrack& makeInput(std::string name, Frame* frame = nullptr);
    OutputSet& makeOutput(std::string name, Frame* frame = nullptr);
    EffectContext& makeContext(std::string name);
    // A context whose parameters are those of the component's layout tree.
    EffectContext& makeContextFor(const ComponentRecord& component, std::string name);
    RenderTime& makeRenderTime(int32_t frameTime = 0, std::string name = "render time");
    RenderField& makeRenderField(double paramTime = 0.0, int32_t field = 0,
                                 std::string name = "render field");

private:
    template <class T, class... Args>
    T& keep(Args&&... args);

    // Declared first so that it outlives every object that reports to it.
    Census census_;
    Journal journal_;
    Injector injector_{journal_};
    std::unique_ptr<Records> records_;
    std::unique_ptr<Log> log_;
    std::unique_ptr<HostAuxiliary> auxiliary_;
    std::unique_ptr<HostObject> object_;
    std::mutex mutex_;
    std::vector<std::unique_ptr<Counted>> owned_;
};

}  // namespace testhost
