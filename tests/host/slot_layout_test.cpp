// Pins the slot number of every host operation the module calls, and of every operation the
// module implements for the host. A missing or extra placeholder moves a slot and fails here.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "host/interfaces.h"

namespace {

// Under the Itanium C++ ABI (g++ and clang on Linux, and mingw-w64), a pointer to a virtual
// member function holds 1 + the byte offset of its entry in the table of operations.
template <class Member>
int slotOf(Member member) {
    static_assert(sizeof(Member) == 2 * sizeof(uintptr_t));
    uintptr_t raw[2];
    std::memcpy(raw, &member, sizeof raw);
    EXPECT_EQ(raw[0] % sizeof(void*), 1u) << "not a virtual member";
    return static_cast<int>((raw[0] - 1) / sizeof(void*));
}

#define EXPECT_SLOT(Interface, Operation, slot) \
    EXPECT_EQ(slotOf(&Interface::Operation), slot) << #Interface "::" #Operation

TEST(SlotLayout, EveryOperationKeepsItsSlot) {
    EXPECT_SLOT(IACFUnknown, QueryInterface, 0);
    EXPECT_SLOT(IACFUnknown, AddRef, 1);
    EXPECT_SLOT(IACFUnknown, Release, 2);
    EXPECT_SLOT(IACFHostFactory, CreateObject, 3);
    EXPECT_SLOT(IACFHostFactory, FindObject, 6);
    EXPECT_SLOT(IACFPluginRecord, SetAttribute, 3);
    EXPECT_SLOT(IACFPluginRecord, DescribePlugin, 6);
    EXPECT_SLOT(IAVXComponentRecord, SetAttribute, 3);
    EXPECT_SLOT(IAVXComponentRecord, DescribeComponent, 6);
    EXPECT_SLOT(IAVXComponentRecord, AddInputPin, 7);
    EXPECT_SLOT(IAVXComponentRecord, AddOutputPin, 9);
    EXPECT_SLOT(IAVXComponentRecord, AddSupportedFormat, 11);
    EXPECT_SLOT(IAVXComponentRecord, AddLayoutItem, 15);
    EXPECT_SLOT(IAVXParamRecord, SetAttribute, 3);
    EXPECT_SLOT(IAVXParamRecord, DescribeParam, 6);
    EXPECT_SLOT(IAVXLayoutRecord, SetAttribute, 3);
    EXPECT_SLOT(IAVXLayoutRecord, DescribeLayout, 6);
    EXPECT_SLOT(IAVXLayoutRecord, AddChild, 7);
    EXPECT_SLOT(IAVXEffect, EffectSlot3, 3);
    EXPECT_SLOT(IAVXEffect, SetUpInstance, 4);
    EXPECT_SLOT(IAVXEffect, EffectSlot5, 5);
    EXPECT_SLOT(IAVXEffect, EffectSlot7, 7);
    EXPECT_SLOT(IAVXEffect, Render, 8);
    EXPECT_SLOT(IAVXEffect, EffectSlot9, 9);
    EXPECT_SLOT(IAVXEffect, EffectSlot11, 11);
    EXPECT_SLOT(IACFClassFactory, CreateInstance, 3);
    EXPECT_SLOT(IAVXTimeNeighborhood, NeighborhoodSlot3, 3);
    EXPECT_SLOT(IAVXTimeNeighborhood, NeighborhoodSlot5, 5);
    EXPECT_SLOT(IAVXEffectContext, GetAuxWidth, 4);
    EXPECT_SLOT(IAVXEffectContext, GetAuxHeight, 5);
    EXPECT_SLOT(IAVXEffectContext, GetProjectWidth, 6);
    EXPECT_SLOT(IAVXEffectContext, GetProjectHeight, 7);
    EXPECT_SLOT(IAVXEffectContext, GetFrameCount, 9);
    EXPECT_SLOT(IAVXEffectContext, GetInputCount, 11);
    EXPECT_SLOT(IAVXEffectContext, GetInput, 12);
    EXPECT_SLOT(IAVXEffectContext, GetParam, 18);
    EXPECT_SLOT(IAVXEffectContext, GetUsageKind, 22);
    EXPECT_SLOT(IAVXParamAccess, SetValue, 6);
    EXPECT_SLOT(IAVXParamAccess, GetValueAt, 9);
    EXPECT_SLOT(IAVXParamAccess, SetValueAt, 10);
    EXPECT_SLOT(IAVXParamAccess, QueryState, 11);
    EXPECT_SLOT(IAVXParamKeys, SetKey, 21);
    EXPECT_SLOT(IAVXInputTrack, FetchFrame, 5);
    EXPECT_SLOT(IAVXOutputSet, GetOutputFrame, 4);
    EXPECT_SLOT(IAVXFrameBuffer, GetWidth, 4);
    EXPECT_SLOT(IAVXFrameBuffer, GetHeight, 5);
    EXPECT_SLOT(IAVXFrameBuffer, GetFieldMode, 8);
    EXPECT_SLOT(IAVXFrameBuffer, GetFieldSubMode, 9);
    EXPECT_SLOT(IAVXFrameBuffer, GetLayout, 10);
    EXPECT_SLOT(IAVXFrameBuffer, GetFrameField, 12);
    EXPECT_SLOT(IAVXFrameBuffer, GetByteCount, 16);
    EXPECT_SLOT(IAVXFrameBuffer, GetPixels, 17);
    EXPECT_SLOT(IAVXFrameLayout, GetColourSpace, 3);
    EXPECT_SLOT(IAVXFrameLayout, GetBytesPerPixel, 9);
    EXPECT_SLOT(IAVXFrameLayout, GetDepthCode, 14);
    EXPECT_SLOT(IAVXFrameLayout, GetLayoutCode, 15);
    EXPECT_SLOT(IAVXFrameLayout, GetRangeCode, 16);
    EXPECT_SLOT(IAVXRenderTime, GetFrameTime, 3);
    EXPECT_SLOT(IAVXRenderField, GetParamTime, 3);
    EXPECT_SLOT(IAVXRenderField, GetField, 4);
    EXPECT_SLOT(IACFHostLog, Print, 7);
    EXPECT_SLOT(IACFHostLog, PrintAlert, 8);
}

// No interface carries data or a hidden destructor: each is exactly one table pointer.
TEST(SlotLayout, InterfacesAreOnePointer) {
    EXPECT_EQ(sizeof(IAVXEffectContext), sizeof(void*));
    EXPECT_EQ(sizeof(IAVXFrameBuffer), sizeof(void*));
    EXPECT_EQ(sizeof(IACFHostLog), sizeof(void*));
    EXPECT_FALSE(std::has_virtual_destructor_v<IACFUnknown>);
    EXPECT_FALSE(std::has_virtual_destructor_v<IAVXEffect>);
}

}  // namespace
