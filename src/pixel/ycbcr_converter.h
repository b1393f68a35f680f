// Converters between the stored samples of a 4:2:2 YCbCr frame and a working form of
// normalised floats, a group of pairs at a time (four pairs, eight pixels, at four lanes).
//
// One class per sample depth over a base whose operations do nothing. The depth classes are
// final and defined here, so a pass templated on the concrete class (see
// withConcreteConverter) and flattened, as the blend loops are, runs without a call per
// group; the virtual interface serves the callers that do not care. The classes are
// templates over the lane width (`Lanes`); the xmm names are their four-lane forms.
//
// Use within a pass: `load` each group that is read; change the working vectors; `store` the
// group, or `copySaved` to write it as it was loaded; `finish` once after the last write,
// before the frame is handed back (float frames are written with streaming stores).
#pragma once

#include <cstdint>
#include <memory>
#include <type_traits>

#include "pixel/frame_format.h"
#include "pixel/xmm_lanes.h"
#include "scope/false_colour_lookup.h"

template <class LaneSet>
class PixelYCbCr_mtx {
public:
    using Lanes = LaneSet;
    using V = typename Lanes::Float;
    using Quad = typename Lanes::Quad;
    static constexpr int kPairs = Lanes::kPairs;

    explicit PixelYCbCr_mtx(PixelLayout layout, PixelDepth depth = PixelDepth::None)
        : layoutCode(static_cast<int32_t>(layout)),
          order_(Lanes::orderFor(layout == PixelLayout::YCbYCr_NoA)),
          depth_(depth) {}
    PixelYCbCr_mtx(const PixelYCbCr_mtx&) = delete;
    PixelYCbCr_mtx& operator=(const PixelYCbCr_mtx&) = delete;
    virtual ~PixelYCbCr_mtx() = default;

    // Copies one stored group into the saved group and unpacks it into the working vectors.
    virtual void load(const uint8_t* /*source*/) {}
    // Writes the working vectors as one stored group: the bytes toStorageOrder and storeRaw
    // would write, but the working vectors stay as they are, so a second store (or a
    // storeSaved after a store) writes the same group again.
    virtual void store(uint8_t* /*destination*/) {}
    // Scales the working vectors back to sample units and re-interleaves them in place:
    // vector k (in the order cb, y0, cr, y1) then holds pair k in storage order.
    virtual void toStorageOrder() {}
    // store into the saved group.
    virtual void storeSaved() {}
    // Writes the working vectors as they stand, vector after vector, without scaling or
    // re-interleaving.
    virtual void storeRaw(uint8_t* /*destination*/) {}
    // Writes the saved group, byte for byte.
    virtual void copySaved(uint8_t* /*destination*/) const {}
    // Ends a pass's writes: after it, everything written is visible to other threads.
    virtual void finish() {}

    // The sample depth this object converts; None for the base, which converts nothing.
    PixelDepth depth() const { return depth_; }

    // After load: Cb, first Y, Cr and second Y of pair k in lane k, normalised so that legal
    // black is 0, white 1 and neutral chroma 0. Zero in a fresh converter: black.
    V cb = V::zero(), y0 = V::zero(), cr = V::zero(), y1 = V::zero();
    // The last group loaded, or the last storeSaved result.
    alignas(16) uint8_t saved[kPairs * 16] = {};
    V lumaOffset = V::zero();
    V lumaScale = V::all(1.0f);
    // Exact rather than the processor's estimate, so every 2.14 code survives a load and a
    // truncating store.
    V lumaScaleRcp = V::all(1.0f);
    int32_t layoutCode;
    // The palette area: the false-colour lookup a pass builds for its frame.
    FalseColourLookup falseColour;

protected:
    // The layout's sample order as shuffles, made once.
    const typename Lanes::Order& order() const { return order_; }
    // Channels in sample units -> working vectors holding one stored pair each.
    void toPairs(V cbv, V y0v, V crv, V y1v) {
        const Quad p = Lanes::inStorageOrder(Lanes::transpose({cbv, y0v, crv, y1v}), order_);
        cb = p.v0, y0 = p.v1, cr = p.v2, y1 = p.v3;
    }
    void take(const Quad& channels) {
        cb = channels.v0, y0 = channels.v1, cr = channels.v2, y1 = channels.v3;
    }

private:
    typename Lanes::Order order_;  // layout 1: Y0 Cb Y1 Cr; every other layout: Cb Y0 Cr Y1
    PixelDepth depth_;
};

// 8-bit: luma (code - lumaOffset) / lumaScale, 16 / 219 at video levels, 0 / 255 otherwise;
// chroma (code - 128) / 224 at every range. Stores round to nearest, ties to even.
template <class LaneSet>
class PixelYCbCr_8bit final : public PixelYCbCr_mtx<LaneSet> {
    using Base = PixelYCbCr_mtx<LaneSet>;

public:
    using Base::cb, Base::y0, Base::cr, Base::y1, Base::saved;
    using Base::lumaOffset, Base::lumaScale, Base::lumaScaleRcp;
    using typename Base::Lanes;
    using typename Base::Quad;
    using typename Base::V;
    static constexpr int kGroupBytes = Base::kPairs * 4;

    PixelYCbCr_8bit(ValueRange range, PixelLayout layout) : Base(layout, PixelDepth::Bits8) {
        const bool video = range == ValueRange::Video;
        lumaOffset = V::all(video ? 16.0f : 0.0f);
        lumaScale = V::all(video ? 219.0f : 255.0f);
        lumaScaleRcp = V::all(1.0f / (video ? 219.0f : 255.0f));
        const int16_t offset = video ? 16 : 0;
        codeOffsets_ = Lanes::codeOffsets(128, offset, 128, offset);
        lumaCeiling_ = V::all(255.0f - offset);
    }

    void load(const uint8_t* source) override {
        this->take(normalised(Lanes::loadBytes(source, saved, this->order())));
    }
    // The working vectors a load of `source` would give, with the converter left as it is:
    // for a pass that wants the values and writes by other means.
    Quad unpack(const uint8_t* source) const {
        return normalised(Lanes::readBytes(source, this->order()));
    }
    void store(uint8_t* destination) override {
        // Scaled, bounded above while still float (bound first, so that NaN passes), rounded,
        // and only then moved by the centre and the luma offset, as whole numbers. NaN, -inf
        // and everything below the lowest integer convert to the lowest integer, which the
        // saturating packs and adds turn into 0 as they do every negative code: no byte is
        // ever the conversion's indefinite value.
        const V scale224 = V::all(224.0f), chromaCeiling = V::all(127.0f);
        Lanes::template storeBytes<VectorsHold::Channels>(
            destination,
            {min(chromaCeiling, cb * scale224), min(lumaCeiling_, y0 * lumaScale),
             min(chromaCeiling, cr * scale224), min(lumaCeiling_, y1 * lumaScale)},
            this->order(), codeOffsets_);
    }
    void toStorageOrder() override {
        this->toPairs(chromaCode(cb), lumaCode(y0), chromaCode(cr), lumaCode(y1));
    }
    void storeSaved() override { store(saved); }
    void storeRaw(uint8_t* destination) override {
        Lanes::template storeBytes<VectorsHold::Pairs>(
            destination, {inRange(cb), inRange(y0), inRange(cr), inRange(y1)}, this->order(),
            Lanes::codeOffsets(0, 0, 0, 0));
    }
    void copySaved(uint8_t* destination) const override {
        Lanes::template copy<kGroupBytes>(destination, saved);
    }

private:
    typename Lanes::CodeOffsets codeOffsets_;
    V lumaCeiling_;

    // Byte codes -> working values.
    Quad normalised(Quad q) const {
        const V centre = V::all(128.0f), rcp224 = V::all(1.0f / 224.0f);
        return {(q.v0 - centre) * rcp224, (q.v1 - lumaOffset) * lumaScaleRcp,
                (q.v2 - centre) * rcp224, (q.v3 - lumaOffset) * lumaScaleRcp};
    }

    static V chromaCode(V x) { return x * V::all(224.0f) + V::all(128.0f); }
    V lumaCode(V x) const { return x * lumaScale + lumaOffset; }
    // Sample units bounded as in store.
    static V inRange(V x) { return min(V::all(255.0f), x); }
};

// 2.14 fixed point: every sample code / 16384, chroma signed around 0, no offset. Stores
// truncate toward zero.
template <class LaneSet>
class PixelYCbCr_214bit final : public PixelYCbCr_mtx<LaneSet> {
    using Base = PixelYCbCr_mtx<LaneSet>;

public:
    using Base::cb, Base::y0, Base::cr, Base::y1, Base::saved;
    using Base::lumaScale, Base::lumaScaleRcp;
    using typename Base::Lanes;
    using typename Base::V;
    static constexpr int kGroupBytes = Base::kPairs * 8;

    explicit PixelYCbCr_214bit(PixelLayout layout) : Base(layout, PixelDepth::Fixed2_14) {
        lumaScale = V::all(16384.0f);
        lumaScaleRcp = V::all(1.0f / 16384.0f);
    }

    void load(const uint8_t* source) override {
        this->take(Lanes::loadWords(source, saved, this->order()));
        cb = cb * lumaScaleRcp;
        y0 = y0 * lumaScaleRcp;
        cr = cr * lumaScaleRcp;
        y1 = y1 * lumaScaleRcp;
    }
    void store(uint8_t* destination) override {
        Lanes::template storeWords<VectorsHold::Channels>(
            destination, {code(cb), code(y0), code(cr), code(y1)}, this->order());
    }
    void toStorageOrder() override {
        this->toPairs(cb * lumaScale, y0 * lumaScale, cr * lumaScale, y1 * lumaScale);
    }
    void storeSaved() override { store(saved); }
    void storeRaw(uint8_t* destination) override {
        Lanes::template storeWords<VectorsHold::Pairs>(
            destination, {inRange(cb), inRange(y0), inRange(cr), inRange(y1)}, this->order());
    }
    void copySaved(uint8_t* destination) const override {
        Lanes::template copy<kGroupBytes>(destination, saved);
    }

private:
    V code(V x) const { return inRange(x * lumaScale); }
    // Upper bound in float as at 8-bit; the lower bound is the saturating pack's (-32768).
    // The store truncates.
    static V inRange(V x) { return min(V::all(32767.0f), x); }
};

// 32-bit float: samples as they are, written back unclamped. Frames are read and written
// with streaming accesses where they start on a 16-byte boundary, plain ones elsewhere.
template <class LaneSet>
class PixelYCbCr_32bit final : public PixelYCbCr_mtx<LaneSet> {
    using Base = PixelYCbCr_mtx<LaneSet>;

public:
    using Base::cb, Base::y0, Base::cr, Base::y1, Base::saved;
    using typename Base::Lanes;
    using typename Base::V;
    static constexpr int kGroupBytes = Base::kPairs * 16;

    explicit PixelYCbCr_32bit(PixelLayout layout) : Base(layout, PixelDepth::Float32) {}
    // A pass that forgot finish() still leaves no stores in flight.
    ~PixelYCbCr_32bit() override { Lanes::fence(); }

    void load(const uint8_t* source) override {
        this->take(Lanes::loadFloats(source, saved, this->order()));
    }
    void store(uint8_t* destination) override { write(destination, true); }
    void toStorageOrder() override { this->toPairs(cb, y0, cr, y1); }
    void storeSaved() override { write(saved, false); }
    void storeRaw(uint8_t* destination) override {
        Lanes::template storeFloats<VectorsHold::Pairs>(destination, {cb, y0, cr, y1},
                                                        this->order(), true);
    }
    void copySaved(uint8_t* destination) const override {
        Lanes::copyFloats(destination, saved, this->order());
    }
    void finish() override { Lanes::fence(); }

private:
    void write(uint8_t* destination, bool toFrame) const {
        Lanes::template storeFloats<VectorsHold::Channels>(destination, {cb, y0, cr, y1},
                                                           this->order(), toFrame);
    }
};

using xmmPixelYCbCr_mtx = PixelYCbCr_mtx<XmmLanes>;
using xmmPixelYCbCr_8bit = PixelYCbCr_8bit<XmmLanes>;
using xmmPixelYCbCr_214bit = PixelYCbCr_214bit<XmmLanes>;
using xmmPixelYCbCr_32bit = PixelYCbCr_32bit<XmmLanes>;

// A new converter for the frame's codes. `pixelBytes` must be the 4:2:2 size of the depth
// (ycbcr422PixelBytes); any other size, like any depth without a class, gives the base, which
// reads and writes nothing, so no group is read past what the frame holds.
std::unique_ptr<xmmPixelYCbCr_mtx> makePixelConverter(PixelDepth depth, ValueRange range,
                                                      PixelLayout layout, uint64_t pixelBytes);

// Calls `pass(converter)` with the converter as its concrete class.
template <class LaneSet, class Pass>
void withConcreteConverter(PixelYCbCr_mtx<LaneSet>& converter, Pass&& pass) {
    switch (converter.depth()) {
        case PixelDepth::Bits8:
            pass(static_cast<PixelYCbCr_8bit<LaneSet>&>(converter));
            break;
        case PixelDepth::Fixed2_14:
            pass(static_cast<PixelYCbCr_214bit<LaneSet>&>(converter));
            break;
        case PixelDepth::Float32:
            pass(static_cast<PixelYCbCr_32bit<LaneSet>&>(converter));
            break;
        default:
            pass(converter);
    }
}

// The same, only for a converter of a depth it reads: the base, which reads nothing, is
// passed over.
template <class LaneSet, class Pass>
void withReadingConverter(PixelYCbCr_mtx<LaneSet>& converter, Pass&& pass) {
    withConcreteConverter(converter, [&pass](auto& c) {
        if constexpr (requires { std::remove_reference_t<decltype(c)>::kGroupBytes; }) pass(c);
    });
}
