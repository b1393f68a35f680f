// Input frames on the tracks of an effect context and one output frame, as the editor hands
// them to a render, and the check every render makes: no input changed, and nothing written
// just before or after the pixels of any frame.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "testhost/host.h"

struct RenderFrames {
    std::vector<testhost::Frame*> inputs;
    std::vector<testhost::InputTrack*> tracks;
    testhost::Frame* output = nullptr;
    testhost::OutputSet* outputs = nullptr;

    // Each input holds a pattern of its own; the output holds 0xEE.
    RenderFrames(testhost::Host& host, testhost::EffectContext& context, int count,
                 const testhost::FrameShape& shape) {
        for (int i = 0; i < count; ++i) {
            testhost::Frame& f = host.makeFrame(shape, "input " + std::to_string(i));
            for (size_t b = 0; b < f.bytes().size(); ++b)
                f.bytes()[b] = static_cast<uint8_t>(b * 13 + 70 * i + 5);
            inputs.push_back(&f);
            tracks.push_back(&host.makeInput("track " + std::to_string(i), &f));
            context.addInput(*tracks.back());
        }
        output = &host.makeFrame(shape, "output");
        output->fill(0xEE);
        outputs = &host.makeOutput("outputs", output);
    }

    bool outputUntouched() const {
        return std::ranges::all_of(output->bytes(), [](uint8_t b) { return b == 0xEE; });
    }

    // Runs `render` (which returns its status) with the check.
    template <class Render>
    int32_t checked(Render&& render) {
        std::vector<std::vector<uint8_t>> given;
        for (const testhost::Frame* f : inputs)
            given.emplace_back(f->bytes().begin(), f->bytes().end());
        const int32_t result = render();
        for (size_t i = 0; i < inputs.size(); ++i) {
            EXPECT_TRUE(std::ranges::equal(inputs[i]->bytes(), given[i]))
                << "input " << i << " written";
            EXPECT_TRUE(inputs[i]->guardsIntact()) << "a write just outside input " << i;
        }
        EXPECT_TRUE(output->guardsIntact()) << "a write just outside the output";
        return result;
    }
};
