#include "render_job.h"

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <future>
#include <mutex>
#include <optional>
#include <thread>

#include "frame_prefetch.h"
#include "testhost/text.h"
#include "tool_error.h"

namespace corvane {

namespace {

// One render pass of a frame: the whole frame (field 0) or one field of it.
struct Pass {
    int32_t field = 0;
    int firstRow = 0;  // rows firstRow, firstRow + step, ...
    int step = 1;
    std::vector<testhost::Frame*> inputs;
    testhost::Frame* output = nullptr;
};

class Slot {
public:
    Slot(ModuleSession& session, const RenderPlan& plan, int number, int64_t frames)
        : plan_(plan),
          name_(testhost::utf8(plan.component->displayName)),
          context_(
              session.host().makeContextFor(*plan.component, "slot " + std::to_string(number))),
          outputs_(session.host().makeOutput("output set " + std::to_string(number))),
          time_(session.host().makeRenderTime(0)),
          field_(session.host().makeRenderField(0.0, 0)) {
        const SourceInfo& first = plan.inputs.front()->info();
        width_ = first.width;
        height_ = first.height;
        effect_ = session.createEffect(*plan.component);
        context_.setFrameCount(static_cast<int32_t>(std::max<int64_t>(frames, 1)));
        context_.setProjectSize(width_, height_);
        context_.setAuxSize(width_, height_);
        for (size_t i = 0; i < plan.inputs.size(); ++i) {
            tracks_.push_back(&session.host().makeInput("input " + std::to_string(i)));
            context_.addInput(*tracks_.back());
            toWorking_.emplace_back(plan.working, plan.inputs[i]->info());
        }
        checkModule(effect_->SetUpInstance(&context_), name_ + " refused its set-up");
        for (const auto& s : plan.settings) applySetting(s, context_.params());
        if (plan.outputFormat != AV_PIX_FMT_NONE)
            fromWorking_.emplace(plan.working, plan.outputFormat, width_, height_);

        const bool interlaced = first.interlaced;
        const size_t bytes = static_cast<size_t>(width_) * height_ * plan.working.pixelBytes();
        auto shape = [&](int rows, int32_t fieldMode) {
            testhost::FrameShape s;
            s.width = static_cast<uint32_t>(width_);
            s.height = static_cast<uint32_t>(rows);
            s.depth = plan.working.depth;
            s.layout = plan.working.layout;
            s.range = plan.working.range;
            s.colourSpace = plan.working.colourSpace;
            s.fieldMode = fieldMode;
            return s;
        };
        auto makePass = [&](int32_t field, int firstRow, int step, int rows) {
            Pass p{field, firstRow, step, {}, nullptr};
            for (size_t i = 0; i < plan.inputs.size(); ++i)
                p.inputs.push_back(
                    &session.host().makeFrame(shape(rows, interlaced ? 1 : 0), "in"));
            p.output = &session.host().makeFrame(shape(rows, interlaced ? 1 : 0), "out");
            passes_.push_back(p);
        };
        if (interlaced) {
            // Field 1 is the first in time: the top lines of top-field-first material.
            const int top = first.topFieldFirst ? 0 : 1;
            makePass(1, top, 2, (height_ - top + 1) / 2);
            makePass(2, 1 - top, 2, (height_ - (1 - top) + 1) / 2);
            for (size_t i = 0; i < tracks_.size(); ++i)
                for (const Pass& p : passes_) tracks_[i]->setFrameForField(p.field, *p.inputs[i]);
            workingIn_.assign(plan.inputs.size(), std::vector<uint8_t>(bytes));
            workingOut_.resize(bytes);
        } else {
            makePass(0, 0, 1, height_);
            for (size_t i = 0; i < tracks_.size(); ++i) tracks_[i]->setFrame(*passes_[0].inputs[i]);
        }
    }

    RenderedFrame render(int64_t index, std::vector<FramePtr> inputs) {
        const size_t row = static_cast<size_t>(width_) * plan_.working.pixelBytes();
        const bool fields = passes_.size() > 1;
        for (size_t i = 0; i < inputs.size(); ++i) {
            if (!fields) {
                toWorking_[i](*inputs[i], passes_[0].inputs[i]->data());
                continue;
            }
            toWorking_[i](*inputs[i], workingIn_[i].data());
            for (const Pass& p : passes_)
                for (uint32_t r = 0; r < p.inputs[i]->shape().height; ++r)
                    std::memcpy(p.inputs[i]->data() + r * row,
                                workingIn_[i].data() + (p.firstRow + r * p.step) * row, row);
        }
        RenderedFrame out;
        out.index = index;
        for (const Pass& p : passes_) {
            outputs_.setFrame(*p.output);
            time_.setFrameTime(static_cast<int32_t>(index));
            field_.setParamTime(static_cast<double>(index));
            field_.setField(p.field);
            const int32_t s =
                effect_->Render(&context_, nullptr, nullptr, &time_, nullptr, &field_, &outputs_);
            checkModule(s, name_ + " failed on frame " + std::to_string(index) +
                               (p.field ? " field " + std::to_string(p.field) : ""));
            if (fields)
                for (uint32_t r = 0; r < p.output->shape().height; ++r)
                    std::memcpy(workingOut_.data() + (p.firstRow + r * p.step) * row,
                                p.output->data() + r * row, row);
        }
        if (fromWorking_)
            out.output = (*fromWorking_)(fields ? workingOut_.data() : passes_[0].output->data());
        return out;
    }

private:
    const RenderPlan& plan_;
    std::string name_;
    testhost::EffectContext& context_;
    testhost::OutputSet& outputs_;
    testhost::RenderTime& time_;
    testhost::RenderField& field_;
    HostRef<IAVXEffect> effect_;
    std::vector<testhost::InputTrack*> tracks_;
    std::vector<ToWorking> toWorking_;
    std::optional<FromWorking> fromWorking_;
    std::vector<Pass> passes_;
    std::vector<std::vector<uint8_t>> workingIn_;
    std::vector<uint8_t> workingOut_;
    int width_ = 0, height_ = 0;
};

void checkPlan(const RenderPlan& plan) {
    const auto& c = *plan.component;
    const std::string name = testhost::utf8(c.displayName);
    if (plan.inputs.empty()) throw ToolError(name + " needs an input (-i FILE)");
    if (plan.inputs.size() > c.inputPins.size())
        throw ToolError(name + " takes at most " + std::to_string(c.inputPins.size()) +
                        " inputs, got " + std::to_string(plan.inputs.size()));
    const SourceInfo& first = plan.inputs.front()->info();
    for (size_t i = 1; i < plan.inputs.size(); ++i) {
        const SourceInfo& s = plan.inputs[i]->info();
        if (s.width != first.width || s.height != first.height)
            throw ToolError("size mismatch: " + s.path + " is " + std::to_string(s.width) + "x" +
                            std::to_string(s.height) + " but " + first.path + " is " +
                            std::to_string(first.width) + "x" + std::to_string(first.height));
    }
    const bool taken =
        std::any_of(c.formats.begin(), c.formats.end(), [&](const testhost::Format& f) {
            return static_cast<int32_t>(f.layout) == plan.working.layout &&
                   static_cast<int32_t>(f.depth) == plan.working.depth;
        });
    if (!taken) {
        std::string list;
        for (const auto& f : c.formats)
            list += (list.empty() ? "" : ", ") +
                    std::string(layoutName(static_cast<int32_t>(f.layout))) + " " +
                    depthName(static_cast<int32_t>(f.depth));
        throw ToolError(name + " does not take " + layoutName(plan.working.layout) + " " +
                        depthName(plan.working.depth) + "; it takes " + list);
    }
}

// N worker threads, each with its slot, taking frames from one queue.
class Workers {
public:
    Workers(ModuleSession& session, const RenderPlan& plan, int64_t frames) {
        const int n = std::max(1, plan.threads);
        for (int i = 0; i < n; ++i)
            slots_.push_back(std::make_unique<Slot>(session, plan, i, frames));
        for (int i = 0; i < n; ++i)
            threads_.emplace_back([this, i] { work(*slots_[static_cast<size_t>(i)]); });
    }
    ~Workers() {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        for (auto& t : threads_) t.join();
    }

    std::future<RenderedFrame> submit(int64_t index, std::vector<FramePtr> inputs) {
        Job job{index, std::move(inputs), {}};
        auto result = job.promise.get_future();
        {
            std::lock_guard lock(mutex_);
            jobs_.push_back(std::move(job));
        }
        wake_.notify_one();
        return result;
    }

private:
    struct Job {
        int64_t index;
        std::vector<FramePtr> inputs;
        std::promise<RenderedFrame> promise;
    };

    void work(Slot& slot) {
        for (;;) {
            Job job;
            {
                std::unique_lock lock(mutex_);
                wake_.wait(lock, [&] { return stop_ || !jobs_.empty(); });
                if (stop_) return;
                job = std::move(jobs_.front());
                jobs_.pop_front();
            }
            try {
                job.promise.set_value(slot.render(job.index, std::move(job.inputs)));
            } catch (...) {
                job.promise.set_exception(std::current_exception());
            }
        }
    }

    std::vector<std::unique_ptr<Slot>> slots_;
    std::vector<std::thread> threads_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    bool stop_ = false;
};

}  // namespace

int64_t plannedFrames(const RenderPlan& plan) {
    int64_t shortest = -1;
    bool anyClip = false;
    for (const FrameSource* in : plan.inputs) {
        const SourceInfo& s = in->info();
        if (s.still) continue;
        anyClip = true;
        if (s.frameCount >= 0)
            shortest = shortest < 0 ? s.frameCount : std::min(shortest, s.frameCount);
    }
    int64_t end = anyClip ? shortest : 1;  // exclusive, -1 unknown
    if (plan.last >= 0) end = end < 0 ? plan.last + 1 : std::min(end, plan.last + 1);
    if (end < 0) return -1;
    return std::max<int64_t>(0, end - plan.first);
}

void runRender(ModuleSession& session, const RenderPlan& plan,
               const std::function<void(RenderedFrame&)>& sink) {
    checkPlan(plan);
    const int64_t frames = plannedFrames(plan);
    const bool allStill = std::all_of(plan.inputs.begin(), plan.inputs.end(),
                                      [](const FrameSource* s) { return s->info().still; });
    // Skip what comes before the first frame asked.
    for (int64_t i = 0; i < plan.first && !allStill; ++i)
        for (FrameSource* in : plan.inputs)
            if (!in->next())
                throw ToolError(in->info().path + " ends before frame " +
                                std::to_string(plan.first));

    Workers workers(session, plan, frames);
    std::deque<std::future<RenderedFrame>> pending;
    const size_t window = static_cast<size_t>(std::max(1, plan.threads)) * 2;
    FramePrefetch reader(plan.inputs, frames, window);
    int64_t index = plan.first;
    bool more = true;
    while (more || !pending.empty()) {
        while (more && pending.size() < window) {
            std::vector<FramePtr> inputs = reader.next();
            more = !inputs.empty();
            if (more) pending.push_back(workers.submit(index++, std::move(inputs)));
        }
        if (pending.empty()) break;
        RenderedFrame done = pending.front().get();
        pending.pop_front();
        for (auto& line : session.host().log().take()) done.log.push_back(std::move(line.text));
        session.host().journal().clear();
        sink(done);
    }
}

}  // namespace corvane
