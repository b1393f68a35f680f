#include "case_frames.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "host/status.h"
#include "testhost/records.h"

namespace {

using testhost::Frame;
using testhost::FrameShape;
using testhost::Placement;

// Depth, layout, range, colour space and pixel size.
void decodeFormat(FuzzBytes& in, const testhost::ComponentRecord& component, FrameShape& shape) {
    const uint8_t f = in.byte();
    if (f < 200 && !component.formats.empty()) {
        const testhost::Format& format = component.formats[f % component.formats.size()];
        shape.layout = static_cast<int32_t>(format.layout);
        shape.depth = static_cast<int32_t>(format.depth);
    } else if (f < 240) {
        shape.layout = static_cast<int32_t>(in.below(14));
        shape.depth = static_cast<int32_t>(in.below(8));
    } else {
        shape.layout = in.i32();
        shape.depth = in.i32();
    }
    shape.range = in.code(5);
    shape.colourSpace = in.code(5);

    // The storage fits the depth, or not; now and then the layout reports yet another size,
    // which the byte count then contradicts.
    static constexpr uint32_t kSizes[] = {1, 2, 3, 4, 5, 6, 8, 12, 16, 24, 32};
    const uint8_t p = in.byte();
    const uint32_t derived = testhost::derivedPixelBytes(shape.depth, shape.layout);
    shape.pixelBytes = p < 192 && derived ? derived : kSizes[p % std::size(kSizes)];
    static constexpr uint32_t kReported[] = {0, 1, 2, 4, 8, 16, 64, 0xFFFFFFFFu};
    if (p >= 240) shape.bytesPerPixelOverride = kReported[p % std::size(kReported)];
}

// Which end meets a guard page, and a gap of 0 to 15 bytes before it now and then, which
// moves the first pixel to any alignment.
void decodePlacement(FuzzBytes& in, FrameShape& shape) {
    const uint8_t b = in.byte();
    shape.placement = b & 1 ? Placement::GuardPageStart : Placement::GuardPage;
    shape.guardGap = b & 0x80 ? (b >> 1) & 15 : 0;
}

// Zeros, ones, noise, or float specials (NaN, infinities, huge, tiny) that also make extreme
// 2.14 and 8-bit samples.
void fillPixels(Frame& frame, uint8_t how, uint32_t seed) {
    auto bytes = frame.bytes();
    switch (how % 4) {
        case 0:
            frame.fill(0);
            return;
        case 1:
            frame.fill(0xFF);
            return;
        case 2: {
            uint32_t x = seed * 2654435761u + 1;
            for (uint8_t& b : bytes) {
                x ^= x << 13;
                x ^= x >> 17;
                x ^= x << 5;
                b = static_cast<uint8_t>(x);
            }
            return;
        }
        default: {
            static constexpr float kSpecial[] = {std::numeric_limits<float>::quiet_NaN(),
                                                 std::numeric_limits<float>::infinity(),
                                                 -std::numeric_limits<float>::infinity(),
                                                 1e30f,
                                                 -1e30f,
                                                 0.5f,
                                                 1.5f,
                                                 -0.25f,
                                                 std::numeric_limits<float>::denorm_min()};
            for (size_t i = 0; i + 4 <= bytes.size(); i += 4) {
                const float v = kSpecial[(i / 4 + seed) % std::size(kSpecial)];
                std::memcpy(&bytes[i], &v, 4);
            }
        }
    }
}

Frame& makeFrame(FuzzBytes& in, testhost::Host& host, const FrameShape& shape, std::string name,
                 uint32_t seed) {
    Frame& frame = host.makeFrame(shape, std::move(name));
    fillPixels(frame, in.byte(), seed);
    if (in.byte() >= 240) frame.setPixelsNull(true);
    return frame;
}

// 0 to 64 most of the time; now and then up to 192, large enough for the scope's markers.
uint32_t side(FuzzBytes& in) {
    const uint8_t b = in.byte();
    return b < 240 ? b % 65 : 64 + 8 * (b - 239u);
}

uint32_t resized(FuzzBytes& in, uint32_t size) {
    const int32_t delta = static_cast<int32_t>(in.below(5)) - 2;
    return static_cast<uint32_t>(std::max(static_cast<int32_t>(size) + delta, 0));
}

}  // namespace

CaseFrames decodeFrames(FuzzBytes& in, testhost::Host& host,
                        const testhost::ComponentRecord& component,
                        testhost::EffectContext& context) {
    CaseFrames frames;
    FrameShape out;
    decodeFormat(in, component, out);
    out.width = side(in);
    out.height = side(in);
    out.fieldMode = in.code(5);
    out.fieldSubMode = in.code(5);
    out.frameField = in.code(4);
    decodePlacement(in, out);
    frames.output = &makeFrame(in, host, out, "output", 0);
    frames.outputSet = &host.makeOutput("output set", frames.output);
    frames.all.push_back(frames.output);

    const uint32_t count = in.below(6);
    if (in.byte() >= 232) {
        static constexpr int32_t kCounts[] = {-1, 0, 1, 2, 3, 4, 6, 7, INT_MIN, INT_MAX};
        context.setInputCount(in.pick(kCounts));
    }
    std::vector<Frame*> inputs, owned;
    for (uint32_t i = 0; i < count; ++i) {
        testhost::InputTrack& track = host.makeInput("input " + std::to_string(i));
        context.addInput(track);
        Frame* frame = nullptr;
        switch (in.below(8)) {
            case 4:  // the output frame itself
                frame = frames.output;
                break;
            case 5:  // an earlier input's frame, or the output when there is none
                frame = inputs.empty() ? frames.output : inputs[in.below(inputs.size())];
                break;
            case 6: {  // a frame of its own that hands out the output's pixels
                FrameShape shape = frames.output->shape();
                shape.placement = Placement::Aligned16;
                frame = &host.makeFrame(shape, "alias " + std::to_string(i));
                frame->sharePixelsWith(*frames.output);
                frames.all.push_back(frame);
                break;
            }
            case 7: {  // no frame: every fetch fails, or only one field's does
                static constexpr int32_t kRefusals[] = {status::kUnexpected, status::kNullObject,
                                                        kHostOwnFailure};
                const int32_t field = static_cast<int32_t>(in.below(4));
                const int32_t refusal = in.pick(kRefusals);
                if (in.byte() & 1) break;
                track.refuseField(field, refusal);
                [[fallthrough]];
            }
            default: {  // a frame of its own
                FrameShape shape = out;
                if (in.byte() >= 200) decodeFormat(in, component, shape);
                switch (in.below(3)) {
                    case 1:
                        shape.width = resized(in, shape.width);
                        shape.height = resized(in, shape.height);
                        break;
                    case 2:
                        shape.width = side(in);
                        shape.height = side(in);
                        break;
                }
                decodePlacement(in, shape);
                frame = &makeFrame(in, host, shape, "input " + std::to_string(i), i + 1);
                frames.all.push_back(frame);
                owned.push_back(frame);
            }
        }
        track.setFrame(frame);
        if (!frame) continue;
        inputs.push_back(frame);
        if (std::find(frames.inputs.begin(), frames.inputs.end(), frame) == frames.inputs.end())
            frames.inputs.push_back(frame);
    }

    // The output as a view into an input's pixels, overlapping them unless it starts past them.
    const uint64_t outBytes = frames.output->byteCount();
    if (in.byte() >= 232 && !owned.empty() && outBytes != 0) {
        Frame& holder = *owned[in.below(owned.size())];
        if (holder.byteCount() >= outBytes) {
            const uint64_t room = holder.byteCount() - outBytes;
            frames.output->sharePixelsWith(holder, static_cast<size_t>(in.u32() % (room + 1)));
        }
    }
    return frames;
}
