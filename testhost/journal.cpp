#include "testhost/journal.h"

#include "testhost/object.h"

namespace testhost {

std::vector<Call> Journal::calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

std::vector<std::string> Journal::ops() const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> out;
    out.reserve(calls_.size());
    for (const Call& c : calls_) out.push_back(c.op);
    return out;
}

size_t Journal::size() const {
    std::lock_guard lock(mutex_);
    return calls_.size();
}

size_t Journal::count(std::string_view op) const {
    std::lock_guard lock(mutex_);
    size_t n = 0;
    for (const Call& c : calls_) n += c.op == op;
    return n;
}

void Journal::clear() {
    std::lock_guard lock(mutex_);
    calls_.clear();
}

void Journal::recordCounts(bool on) {
    std::lock_guard lock(mutex_);
    counts_ = on;
}

Verdict Journal::enter(std::string_view op, std::string object, std::string detail, Result result) {
    Call call;
    call.op = op;
    call.object = std::move(object);
    call.detail = std::move(detail);
    call.failable = result == Result::Status || result == Result::StatusOut;
    call.nullable = result == Result::StatusOut || result == Result::Pointer;

    std::lock_guard lock(mutex_);
    call.seq = ++seq_;
    auto it = perOp_.find(op);
    if (it == perOp_.end()) it = perOp_.emplace(std::string(op), 0).first;
    call.nth = ++it->second;

    Verdict verdict;
    for (const Rule& r : rules_) {
        const bool hit = r.op.empty() ? r.n == call.seq : (r.op == op && r.n == call.nth);
        if (!hit || (r.null ? !call.nullable : !call.failable)) continue;
        if (r.null) {
            verdict.kind = Verdict::Kind::Null;
            call.injectedNull = true;
        } else {
            verdict.kind = Verdict::Kind::Fail;
            verdict.status = r.status;
            call.injectedStatus = r.status;
        }
        ++hits_;
        break;
    }
    calls_.push_back(std::move(call));
    return verdict;
}

void Journal::noteCount(std::string_view op, const Counted& object, uint32_t count) {
    {
        std::lock_guard lock(mutex_);
        if (!counts_) return;
    }
    enter(op, object.describe(), "-> " + std::to_string(count), Result::Value);
}

void Injector::fail(std::string op, uint64_t nth, int32_t status) {
    std::lock_guard lock(journal_.mutex_);
    journal_.rules_.push_back({std::move(op), nth, false, status});
}

void Injector::null(std::string op, uint64_t nth) {
    std::lock_guard lock(journal_.mutex_);
    journal_.rules_.push_back({std::move(op), nth, true, 0});
}

void Injector::failCall(uint64_t k, int32_t status) {
    std::lock_guard lock(journal_.mutex_);
    journal_.rules_.push_back({"", k, false, status});
}

void Injector::nullCall(uint64_t k) {
    std::lock_guard lock(journal_.mutex_);
    journal_.rules_.push_back({"", k, true, 0});
}

void Injector::reset() {
    std::lock_guard lock(journal_.mutex_);
    journal_.rules_.clear();
    journal_.perOp_.clear();
    journal_.seq_ = 0;
    journal_.hits_ = 0;
}

size_t Injector::hits() const {
    std::lock_guard lock(journal_.mutex_);
    return journal_.hits_;
}

}  // namespace testhost
