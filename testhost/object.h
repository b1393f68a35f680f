// The base of every host-side object, and the census that lists what the module holds.
//
// Objects belong to their Host (C++ ownership); the interface count counts only references
// handed across the boundary, so Release never frees anything and a module that releases
// too often cannot turn into a use-after-free inside the test host. References the host
// keeps for itself (a layout item added to a component) are counted apart and never show
// up as held by the module.
#pragma once

#include <atomic>
#include <cstdint>
#include <initializer_list>
#include <mutex>
#include <string>
#include <vector>

#include "host/guid.h"

namespace testhost {

class Census;
class Counted;
class Journal;

struct CensusEntry {
    std::string kind;
    std::string name;
    uint32_t count = 0;

    // "frame 'output' held 2 times"
    std::string text() const;
};

class Census {
public:
    Census() = default;
    Census(const Census&) = delete;
    Census& operator=(const Census&) = delete;

    // Every object the module still holds, in the order the objects were made.
    std::vector<CensusEntry> held() const;
    // Objects released more often than they were referenced; count = how often.
    std::vector<CensusEntry> overReleases() const;
    // Other misuse seen by the host: an unknown object passed in, a placeholder slot called.
    std::vector<std::string> misuses() const;

    // True when nothing is held and nothing went wrong.
    bool clean() const;
    // One line per held object, over-release and misuse; empty when clean.
    std::string report() const;

    // Forgets over-releases and misuses (not the counts themselves).
    void clearErrors();

    void noteMisuse(std::string text);

private:
    friend class Counted;
    void enrol(const Counted* object);
    void leave(const Counted* object);
    void noteOverRelease(const Counted& object);

    mutable std::mutex mutex_;
    std::vector<const Counted*> objects_;
    struct OverRelease {
        const Counted* object;
        CensusEntry entry;
    };
    std::vector<OverRelease> overReleases_;
    std::vector<std::string> misuses_;
};

// One interface an object answers in QueryInterface. `owner` is the object whose count a
// handed-out reference raises; null means the answering object itself.
struct Face {
    GUID iid;
    void* pointer;
    Counted* owner = nullptr;
};

class Counted {
public:
    Counted(Census& census, Journal& journal, std::string kind, std::string name);
    virtual ~Counted();
    Counted(const Counted&) = delete;
    Counted& operator=(const Counted&) = delete;

    const std::string& kind() const { return kind_; }
    std::string name() const;
    void rename(std::string name);
    // "kind 'name'"
    std::string describe() const;

    // References the module holds now.
    int32_t count() const { return count_.load(std::memory_order_acquire); }
    // References the host keeps itself.
    uint32_t hostHeld() const { return hostHeld_.load(std::memory_order_acquire); }

    // Host-side reference changes, never journaled: handing a reference out raises the
    // module's count; `hostHold` notes a reference the host keeps.
    uint32_t addRef();
    uint32_t release();
    void hostHold() { hostHeld_.fetch_add(1, std::memory_order_acq_rel); }

protected:
    // Bodies of AddRef and Release as the module calls them.
    uint32_t moduleAddRef();
    uint32_t moduleRelease();

    // Body of QueryInterface: the IACFUnknown id gives the first face.
    int32_t answer(const GUID& iid, void** out, std::initializer_list<Face> faces) {
        return answer(iid, out, faces.begin(), faces.end());
    }
    int32_t answer(const GUID& iid, void** out, const Face* begin, const Face* end);

    // Body of every placeholder slot: journaled, reported as misuse, 0x80000001.
    int32_t reserved(int slot);

    Journal& journal() const { return journal_; }
    Census& census() const { return census_; }

private:
    Census& census_;
    Journal& journal_;
    const std::string kind_;
    mutable std::mutex nameMutex_;
    std::string name_;
    std::atomic<int32_t> count_{0};
    std::atomic<uint32_t> hostHeld_{0};
};

}  // namespace testhost

// The IACFUnknown counting slots of a class deriving from Counted.
#define TESTHOST_COUNTING                                 \
    uint32_t AddRef() override { return moduleAddRef(); } \
    uint32_t Release() override { return moduleRelease(); }

#define TESTHOST_RESERVED(n) \
    int32_t Reserved##n() override { return reserved(n); }
