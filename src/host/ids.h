// Identities that belong to the host: interface ids, value type ids, record creation
// classes and the fixed arguments of the frame requests. The module passes them unchanged.
#pragma once

#include "host/guid.h"

namespace iid {

inline constexpr GUID IACFUnknown = makeGuid("{00000000-0000-0000-C000-000000000046}");
inline constexpr GUID IACFClassFactory = makeGuid("{80996EEE-7FCF-11D6-ACA8-00306542A024}");
inline constexpr GUID IACFHostFactory = makeGuid("{382B6A96-7FD0-11D6-BCFE-00306542A024}");
inline constexpr GUID IACFHostAuxiliary = makeGuid("{E51741F1-7FCF-11D6-AAC3-00306542A024}");
inline constexpr GUID IACFHostLog = makeGuid("{908C3A6B-F119-11D6-AD24-00039383008C}");
inline constexpr GUID IACFPluginRecord = makeGuid("{00EEF015-7FD0-11D6-8485-00306542A024}");
inline constexpr GUID IAVXComponentRecord = makeGuid("{EA08C929-6B1C-4195-A0F8-872444E150A4}");
inline constexpr GUID IAVXParamRecord = makeGuid("{3DA89D01-6896-4C78-9071-33B1CF6BF4CD}");
inline constexpr GUID IAVXLayoutRecord = makeGuid("{5977BECB-3906-4A95-974A-B9F7FB40DE76}");
inline constexpr GUID IAVXEffect = makeGuid("{31FF7105-88A3-4496-9DCA-C2A208623B5B}");
inline constexpr GUID IAVXTimeNeighborhood = makeGuid("{6A6755C0-0C99-4374-866F-E1E08F190636}");
inline constexpr GUID IAVXParamAccess = makeGuid("{8311B97A-ACC0-446F-AA15-D21326391173}");
inline constexpr GUID IAVXParamKeys = makeGuid("{2D226E5F-7391-4A47-9029-BE17B8F3EB5B}");
inline constexpr GUID IAVXInputTrack = makeGuid("{C4B91F61-2C72-4545-9D6F-4A040A58ECC0}");
inline constexpr GUID IAVXFrameBuffer = makeGuid("{9D942896-AB0A-430A-9FB0-29A4935DA1DC}");

}  // namespace iid

// Creation classes passed to IACFHostFactory::CreateObject.
namespace record_class {

inline constexpr GUID PluginRecord = makeGuid("{6F8508AE-7295-11D6-8952-0030658A6504}");
inline constexpr GUID ComponentRecord = makeGuid("{FA6CE63D-35C3-469C-8D80-F9CF8FCE7A01}");
inline constexpr GUID ParamRecord = makeGuid("{2CA1D73C-7DE5-4F8C-81E0-40A0655F9A4A}");
inline constexpr GUID LayoutRecord = makeGuid("{B710C2BC-DD00-4F3C-A8CC-ED5451F20BB4}");

}  // namespace record_class

// Type ids that travel with every value: (type id, pointer, byte count).
namespace value_type {

inline constexpr GUID Bool = makeGuid("{27A179D8-7103-11D6-94F7-0030658A6504}");
inline constexpr GUID Int = makeGuid("{4EB1A950-7103-11D6-A663-0030658A6504}");
inline constexpr GUID Double = makeGuid("{B6F8CE00-7233-11D6-ACF3-0030658A6504}");
inline constexpr GUID String = makeGuid("{40C6B9BA-7103-11D6-BB30-0030658A6504}");
inline constexpr GUID Guid = makeGuid("{905DBB84-7104-11D6-AED3-0030658A6504}");
inline constexpr GUID Triple = makeGuid("{AA3FDAF4-7971-11D6-8793-00306542A024}");

inline constexpr uint32_t kBoolBytes = 4;
inline constexpr uint32_t kIntBytes = 4;
inline constexpr uint32_t kDoubleBytes = 8;
inline constexpr uint32_t kGuidBytes = 16;
inline constexpr uint32_t kTripleBytes = 24;
// A String value is a zero-terminated char16_t string; its byte count is this marker.
inline constexpr uint32_t kStringBytes = 0xFFFFFFFFu;

}  // namespace value_type

// Fixed arguments of IAVXEffectContext::GetInput and IAVXOutputSet::GetOutputFrame.
namespace frame_request {

inline constexpr GUID InputTrackKind = makeGuid("{4ABD6F8B-F4D6-47FF-A213-706E37A5E5EC}");
inline constexpr GUID OutputFrameKind = makeGuid("{A3F7AE7E-4DA7-4C20-851E-4736E86E705E}");
inline constexpr int32_t kOutputIndex = 0;

}  // namespace frame_request

// Kinds of panel control a layout record can describe; a group passes no kind at all.
namespace control_kind {

inline constexpr GUID CheckBox = makeGuid("{DFDCD5CA-1E9A-00B0-B001-DFED26BEDE85}");
inline constexpr GUID ChoiceList = makeGuid("{F22BC77F-0E0A-00B0-B0A5-3EFAE9EFA7E1}");
inline constexpr GUID ListEntry = makeGuid("{1E2EDEA8-3314-00B0-B03B-F3C9C211D57A}");
inline constexpr GUID Slider = makeGuid("{B456BE51-430D-00A9-A90E-0231CF964291}");
inline constexpr GUID SliderSecondKind = makeGuid("{D238FF99-2CD7-009D-9DA6-4FDA5FD4B3B7}");

}  // namespace control_kind

// Attribute ids set on records with SetAttribute.
namespace attribute {

// Parameter and control records.
inline constexpr GUID Value = makeGuid("{BD3BFEEB-042D-3AAE-BF21-70EBC74646A8}");
inline constexpr GUID Min = makeGuid("{81864EE2-A3F1-3235-90C6-1B1651F03BF5}");
inline constexpr GUID Max = makeGuid("{F41F6E7C-34D5-3F4F-B3FF-AB02AF32AE63}");
inline constexpr GUID SliderFlag = makeGuid("{FC03F25F-39C5-0082-82E7-CBB20245E54E}");
inline constexpr GUID EnabledBy = makeGuid("{D9597D01-641F-00B7-B7CC-F4E14F5A82FF}");
inline constexpr GUID GroupFlag = makeGuid("{3CE128C3-4EFD-00A2-A282-D678B150F419}");

// Plug-in and component records.
inline constexpr GUID PluginDescription = makeGuid("{3C099C4A-7FD2-11D6-9AEF-00306542A024}");
inline constexpr GUID ComponentCategory = makeGuid("{A9DADEFC-D63D-46D9-BD5D-527B495FED97}");
inline constexpr GUID ComponentFlag1 = makeGuid("{B3ECFBE6-E2A7-11D6-9012-00306542A024}");
inline constexpr GUID ComponentFlag2 = makeGuid("{B3BC1BFB-E2A7-11D6-826D-00306542A024}");
inline constexpr GUID ComponentFlag3 = makeGuid("{F5E3AF26-9092-00B1-B13F-E55C3181DD8E}");

}  // namespace attribute

// The kind every component of the module registers as.
inline constexpr GUID kEffectComponentKind = makeGuid("{30F97600-68FC-11D5-8CC5-8AB41B9EF840}");
