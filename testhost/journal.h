// The journal of every host operation the module calls, in call order, and the injector
// that makes a chosen call fail (with a status) or come back empty (a null object).
//
// Calls are numbered from the injector's last reset: `seq` overall, `nth` per operation.
// That numbering is what the injector matches, so a test can run once, read the journal,
// and then fail each failable call in turn.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace testhost {

// What an operation gives back, and so which injections it can take.
enum class Result {
    Value,      // a plain value (GetWidth): journaled only
    Status,     // a status (SetAttribute): can fail
    StatusOut,  // a status and an out object (FetchFrame): can fail or hand back null
    Pointer,    // a pointer (GetPixels): can hand back null
};

struct Call {
    std::string op;      // "FetchFrame"
    std::string object;  // "input 'background'"
    std::string detail;  // the arguments
    bool failable = false;
    bool nullable = false;
    uint64_t seq = 0;  // 1-based, overall, since the injector's reset
    uint64_t nth = 0;  // 1-based, of this op, since the injector's reset
    std::optional<int32_t> injectedStatus;
    bool injectedNull = false;
};

struct Verdict {
    enum class Kind { Proceed, Fail, Null };
    Kind kind = Kind::Proceed;
    int32_t status = 0;

    bool failed() const { return kind == Kind::Fail; }
    bool nulled() const { return kind == Kind::Null; }
};

class Counted;

class Journal {
public:
    Journal() = default;
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    std::vector<Call> calls() const;
    std::vector<std::string> ops() const;
    size_t size() const;
    size_t count(std::string_view op) const;
    // Forgets the recorded calls; the numbering goes on until the injector is reset.
    void clear();

    // AddRef and Release are left out unless asked for: they would drown everything else.
    void recordCounts(bool on);

    // Records one call and says how it must end.
    Verdict enter(std::string_view op, std::string object, std::string detail, Result result);
    void noteCount(std::string_view op, const Counted& object, uint32_t count);

private:
    friend class Injector;
    struct Rule {
        std::string op;  // empty: any op, matched by seq
        uint64_t n;
        bool null;
        int32_t status;
    };

    mutable std::mutex mutex_;
    std::vector<Call> calls_;
    std::vector<Rule> rules_;
    std::map<std::string, uint64_t, std::less<>> perOp_;
    uint64_t seq_ = 0;
    uint64_t hits_ = 0;
    bool counts_ = false;
};

class Injector {
public:
    explicit Injector(Journal& journal) : journal_(journal) {}

    // The nth call of `op` returns `status` with its out argument null.
    void fail(std::string op, uint64_t nth, int32_t status);
    // The nth call of `op` returns 0 with a null out argument (GetPixels: returns null).
    void null(std::string op, uint64_t nth);
    // The k-th call overall fails with `status`, if that call returns a status.
    void failCall(uint64_t k, int32_t status);
    // The k-th call overall hands back null, if it hands back an object or a pointer.
    void nullCall(uint64_t k);
    // Drops every rule and restarts the numbering.
    void reset();

    // How many calls an injection has changed since the last reset.
    size_t hits() const;

private:
    Journal& journal_;
};

}  // namespace testhost
