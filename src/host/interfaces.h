// The host's interfaces as tables of virtual operations. Slot numbers are fixed by the host:
// every slot the module never calls is a placeholder taking no arguments, so the slots that
// are called sit exactly where the host expects them. No data members, no virtual
// destructors (a virtual destructor adds slots on some compilers), nothing thrown across.
#pragma once

#include <cstdarg>
#include <cstdint>

#include "host/guid.h"

#define CORVANE_PLACEHOLDER(n) virtual int32_t Reserved##n() = 0

struct IACFUnknown {
    virtual int32_t QueryInterface(const GUID& iid, void** out) = 0;  // 0
    virtual uint32_t AddRef() = 0;                                    // 1
    virtual uint32_t Release() = 0;                                   // 2
};

// ---- registration ----

struct IACFHostFactory : IACFUnknown {
    virtual int32_t CreateObject(const GUID& classId, IACFUnknown* outer, const GUID& iid,
                                 void** out) = 0;  // 3
    CORVANE_PLACEHOLDER(4);
    CORVANE_PLACEHOLDER(5);
    virtual int32_t FindObject(const GUID& objectId, const GUID& iid, void** out) = 0;  // 6
};

struct IACFHostAuxiliary : IACFUnknown {};

struct IACFPluginRecord : IACFUnknown {
    virtual int32_t SetAttribute(const GUID& attributeId, const GUID& typeId, const void* value,
                                 uint32_t byteCount) = 0;  // 3
    CORVANE_PLACEHOLDER(4);
    CORVANE_PLACEHOLDER(5);
    virtual int32_t DescribePlugin(const GUID& pluginId, uint32_t, uint32_t,
                                   const char16_t* moduleName, const GUID& vendorId,
                                   const char16_t* vendorName, uint32_t, uint32_t) = 0;  // 6
};

struct IAVXParamRecord;
struct IAVXLayoutRecord;

struct IAVXComponentRecord : IACFUnknown {
    virtual int32_t SetAttribute(const GUID& attributeId, const GUID& typeId, const void* value,
                                 uint32_t byteCount) = 0;  // 3
    CORVANE_PLACEHOLDER(4);
    CORVANE_PLACEHOLDER(5);
    virtual int32_t DescribeComponent(const GUID& componentId, const GUID& kindId, uint32_t,
                                      uint32_t, const GUID& classId,
                                      const char16_t* displayName) = 0;                  // 6
    virtual int32_t AddInputPin(const GUID& pinId, const char16_t* name, uint32_t) = 0;  // 7
    CORVANE_PLACEHOLDER(8);
    virtual int32_t AddOutputPin(const GUID& pinId, const char16_t* name, uint32_t) = 0;  // 9
    CORVANE_PLACEHOLDER(10);
    virtual int32_t AddSupportedFormat(uint32_t layoutCode, uint32_t depthCode,
                                       uint32_t) = 0;  // 11
    CORVANE_PLACEHOLDER(12);
    CORVANE_PLACEHOLDER(13);
    CORVANE_PLACEHOLDER(14);
    virtual int32_t AddLayoutItem(IAVXLayoutRecord* item) = 0;  // 15
};

struct IAVXParamRecord : IACFUnknown {
    virtual int32_t SetAttribute(const GUID& attributeId, const GUID& typeId, const void* value,
                                 uint32_t byteCount) = 0;  // 3
    CORVANE_PLACEHOLDER(4);
    CORVANE_PLACEHOLDER(5);
    virtual int32_t DescribeParam(const GUID& paramId, const char16_t* label, const char16_t* key,
                                  const GUID* typeId, int32_t flag, int32_t, int32_t,
                                  int32_t) = 0;  // 6
};

struct IAVXLayoutRecord : IACFUnknown {
    virtual int32_t SetAttribute(const GUID& attributeId, const GUID& typeId, const void* value,
                                 uint32_t byteCount) = 0;  // 3
    CORVANE_PLACEHOLDER(4);
    CORVANE_PLACEHOLDER(5);
    // controlKind is null for a group; param may be null.
    virtual int32_t DescribeLayout(const GUID& itemId, const char16_t* label, const char16_t* name,
                                   const GUID* controlKind, IAVXParamRecord* param) = 0;  // 6
    virtual int32_t AddChild(IAVXLayoutRecord* child) = 0;                                // 7
};

// ---- rendering: implemented by the module ----

struct IAVXEffectContext;
struct IAVXRenderTime;
struct IAVXRenderField;
struct IAVXOutputSet;

struct IAVXEffect : IACFUnknown {
    virtual int32_t EffectSlot3() = 0;                              // 3
    virtual int32_t SetUpInstance(IAVXEffectContext* context) = 0;  // 4
    virtual int32_t EffectSlot5() = 0;                              // 5
    virtual int32_t EffectSlot6() = 0;                              // 6
    virtual int32_t EffectSlot7() = 0;                              // 7
    virtual int32_t Render(IAVXEffectContext* context, void* a2, void* a3,
                           IAVXRenderTime* renderTime, void* a5, IAVXRenderField* renderField,
                           IAVXOutputSet* outputSet) = 0;  // 8
    virtual int32_t EffectSlot9() = 0;                     // 9
    virtual int32_t EffectSlot10() = 0;                    // 10
    virtual int32_t EffectSlot11() = 0;                    // 11
};

struct IACFClassFactory : IACFUnknown {
    virtual int32_t CreateInstance(IACFUnknown* host, IACFUnknown* outer, const GUID& iid,
                                   void** out) = 0;  // 3
};

struct IAVXTimeNeighborhood : IACFUnknown {
    virtual int32_t NeighborhoodSlot3() = 0;  // 3
    virtual int32_t NeighborhoodSlot4() = 0;  // 4
    virtual int32_t NeighborhoodSlot5() = 0;  // 5
};

// ---- rendering: implemented by the host ----

struct IAVXFrameBuffer;

struct IAVXEffectContext : IACFUnknown {
    CORVANE_PLACEHOLDER(3);
    virtual int32_t GetAuxWidth() = 0;       // 4
    virtual int32_t GetAuxHeight() = 0;      // 5
    virtual int32_t GetProjectWidth() = 0;   // 6
    virtual int32_t GetProjectHeight() = 0;  // 7
    CORVANE_PLACEHOLDER(8);
    virtual int32_t GetFrameCount() = 0;  // 9
    CORVANE_PLACEHOLDER(10);
    virtual int32_t GetInputCount() = 0;  // 11
    virtual int32_t GetInput(int32_t index, const GUID& trackKind, const GUID& iid,
                             void** out) = 0;  // 12
    CORVANE_PLACEHOLDER(13);
    CORVANE_PLACEHOLDER(14);
    CORVANE_PLACEHOLDER(15);
    CORVANE_PLACEHOLDER(16);
    CORVANE_PLACEHOLDER(17);
    virtual int32_t GetParam(const GUID& paramId, const GUID& iid, void** out) = 0;  // 18
    CORVANE_PLACEHOLDER(19);
    CORVANE_PLACEHOLDER(20);
    CORVANE_PLACEHOLDER(21);
    virtual int32_t GetUsageKind() = 0;  // 22
};

struct IAVXParamAccess : IACFUnknown {
    CORVANE_PLACEHOLDER(3);
    CORVANE_PLACEHOLDER(4);
    CORVANE_PLACEHOLDER(5);
    virtual int32_t SetValue(const GUID& typeId, const void* value, uint32_t byteCount) = 0;  // 6
    CORVANE_PLACEHOLDER(7);
    CORVANE_PLACEHOLDER(8);
    virtual int32_t GetValueAt(const double* time, const GUID& typeId, void* out,
                               uint32_t byteCount) = 0;  // 9
    virtual int32_t SetValueAt(const double* time, const GUID& typeId, const void* value,
                               uint32_t byteCount) = 0;  // 10
    virtual int32_t QueryState() = 0;                    // 11
};

struct IAVXParamKeys : IACFUnknown {
    CORVANE_PLACEHOLDER(3);
    CORVANE_PLACEHOLDER(4);
    CORVANE_PLACEHOLDER(5);
    CORVANE_PLACEHOLDER(6);
    CORVANE_PLACEHOLDER(7);
    CORVANE_PLACEHOLDER(8);
    CORVANE_PLACEHOLDER(9);
    CORVANE_PLACEHOLDER(10);
    CORVANE_PLACEHOLDER(11);
    CORVANE_PLACEHOLDER(12);
    CORVANE_PLACEHOLDER(13);
    CORVANE_PLACEHOLDER(14);
    CORVANE_PLACEHOLDER(15);
    CORVANE_PLACEHOLDER(16);
    CORVANE_PLACEHOLDER(17);
    CORVANE_PLACEHOLDER(18);
    CORVANE_PLACEHOLDER(19);
    CORVANE_PLACEHOLDER(20);
    virtual int32_t SetKey(const double* time, const GUID& typeId, const void* value,
                           uint32_t byteCount) = 0;  // 21
};

struct IAVXInputTrack : IACFUnknown {
    CORVANE_PLACEHOLDER(3);
    CORVANE_PLACEHOLDER(4);
    virtual int32_t FetchFrame(int32_t frameTime, int32_t field, int32_t fieldMode,
                               IAVXFrameBuffer** out) = 0;  // 5
};

struct IAVXOutputSet : IACFUnknown {
    CORVANE_PLACEHOLDER(3);
    virtual int32_t GetOutputFrame(int32_t index, const GUID& frameKind, const GUID& iid,
                                   void** out) = 0;  // 4
};

struct IAVXFrameLayout : IACFUnknown {
    virtual int32_t GetColourSpace() = 0;  // 3
    CORVANE_PLACEHOLDER(4);
    CORVANE_PLACEHOLDER(5);
    CORVANE_PLACEHOLDER(6);
    CORVANE_PLACEHOLDER(7);
    CORVANE_PLACEHOLDER(8);
    virtual uint32_t GetBytesPerPixel(int32_t plane) = 0;  // 9
    CORVANE_PLACEHOLDER(10);
    CORVANE_PLACEHOLDER(11);
    CORVANE_PLACEHOLDER(12);
    CORVANE_PLACEHOLDER(13);
    virtual int32_t GetDepthCode() = 0;   // 14
    virtual int32_t GetLayoutCode() = 0;  // 15
    virtual int32_t GetRangeCode() = 0;   // 16
};

struct IAVXFrameBuffer : IACFUnknown {
    CORVANE_PLACEHOLDER(3);
    virtual int32_t GetWidth() = 0;   // 4
    virtual int32_t GetHeight() = 0;  // 5
    CORVANE_PLACEHOLDER(6);
    CORVANE_PLACEHOLDER(7);
    virtual int32_t GetFieldMode() = 0;                    // 8
    virtual int32_t GetFieldSubMode() = 0;                 // 9
    virtual int32_t GetLayout(IAVXFrameLayout** out) = 0;  // 10
    CORVANE_PLACEHOLDER(11);
    virtual int32_t GetFrameField() = 0;  // 12
    CORVANE_PLACEHOLDER(13);
    CORVANE_PLACEHOLDER(14);
    CORVANE_PLACEHOLDER(15);
    virtual uint32_t GetByteCount() = 0;  // 16
    virtual void* GetPixels() = 0;        // 17
};

struct IAVXRenderTime : IACFUnknown {
    virtual int32_t GetFrameTime() = 0;  // 3
};

struct IAVXRenderField : IACFUnknown {
    virtual double GetParamTime() = 0;  // 3
    virtual int32_t GetField() = 0;     // 4
};

struct IACFHostLog : IACFUnknown {
    CORVANE_PLACEHOLDER(3);
    CORVANE_PLACEHOLDER(4);
    CORVANE_PLACEHOLDER(5);
    CORVANE_PLACEHOLDER(6);
    virtual int32_t Print(int32_t level, const char* format, va_list args) = 0;           // 7
    virtual int32_t PrintAlert(int32_t level, const char16_t* format, va_list args) = 0;  // 8
};

#undef CORVANE_PLACEHOLDER
