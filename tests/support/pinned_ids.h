// Every id the module registers, as the literal chosen for it. The editor stores projects by
// these values: a change to any of them breaks every saved project, so a failing pin must
// never be "fixed" by editing a literal here.
#pragma once

#include <string>

#include "effects/corvane_ids.h"

namespace pinned {

struct PinnedId {
    const char* name;
    const GUID& id;
    const char* text;
};

#define PIN(id, text) \
    { #id, id, text }

inline const PinnedId kIds[] = {
    PIN(corvane_id::plugin::Plugin, "{552175BE-2360-46A9-B715-D6EF0B47DDA2}"),
    PIN(corvane_id::plugin::Vendor, "{29188D34-947D-4540-93C8-EED4FF24B7D0}"),
    PIN(corvane_id::component::Generic, "{A07E3777-46A5-4E71-B2B4-BBEAF5C10B03}"),
    PIN(corvane_id::component::AlphaAdvanced, "{066393E3-1E2A-4EB5-8CB9-CFE91CACA1BA}"),
    PIN(corvane_id::component::MatteKey, "{0BF59D4E-F7E6-480F-88BD-C8A96358BC1A}"),
    PIN(corvane_id::component::Oscilloscope, "{7A526326-37E5-47B4-8AB4-910756C9F8BD}"),
    PIN(corvane_id::component::FieldSwap, "{46273242-E12E-4B63-86AC-401C55B996C4}"),
    PIN(corvane_id::creation_class::Generic, "{855762D8-A075-4929-9B0B-27CB4AF924E8}"),
    PIN(corvane_id::creation_class::AlphaAdvanced, "{4EAD474D-D07F-489A-B7B7-FCE8B6F74F98}"),
    PIN(corvane_id::creation_class::MatteKey, "{2BF60998-10D4-4552-B53F-B678D0E4CCF5}"),
    PIN(corvane_id::creation_class::Oscilloscope, "{26D36B7A-DB7D-405B-B85F-CB7569AD5B15}"),
    PIN(corvane_id::creation_class::FieldSwap, "{7891D659-09DA-4F46-944F-139F98310039}"),
    PIN(corvane_id::pin::InputOne, "{8980DD81-0A43-42D1-A079-980FFCD05068}"),
    PIN(corvane_id::pin::InputTwo, "{14A1617B-4C7C-43BF-B777-8E27B3C26C0A}"),
    PIN(corvane_id::pin::InputThree, "{A6E2484F-5BAE-482B-8201-439570B42B21}"),
    PIN(corvane_id::pin::Output, "{7B95A7FB-D01A-44A4-889B-958DB2730078}"),
    PIN(corvane_id::param::Bypass, "{B92C4C1F-88C9-4E2E-84EC-28F31541170D}"),
    PIN(corvane_id::param::BlendMode, "{145C7AFA-C390-4B2D-9043-B1A894FBCEF7}"),
    PIN(corvane_id::param::Mix, "{3825DADD-9F1B-4F6A-A508-602B8B835AB4}"),
    PIN(corvane_id::param::Magic, "{C7BDBB58-46EF-4FC2-BCBF-339DE69380AC}"),
    PIN(corvane_id::param::ClampToLegal, "{288D6384-3333-49D0-8B23-CB6B2DD45B4D}"),
    PIN(corvane_id::param::FgCorrection, "{C2F1D029-28B9-481F-BDE8-1EC260DB685C}"),
    PIN(corvane_id::param::InvertFg, "{9DC15595-1126-4C5D-8723-C72164E0C447}"),
    PIN(corvane_id::param::FgSaturation, "{122C14DD-19A9-4C33-87ED-13637400FEAA}"),
    PIN(corvane_id::param::FgBrightness, "{7D0060EC-5451-4F73-8FFD-92BDB6D43E9C}"),
    PIN(corvane_id::param::FgContrast, "{162B7F22-7932-40DA-9E22-22CA3B5558AC}"),
    PIN(corvane_id::param::FgShift, "{C12E1A6E-5653-4C8D-8EA6-94942A5A967E}"),
    PIN(corvane_id::param::OutCorrection, "{0B149FC2-E240-4DEA-9833-CDDD37F65B7B}"),
    PIN(corvane_id::param::InvertOut, "{2ADA724F-7A8B-4651-9AB8-E2361D824C92}"),
    PIN(corvane_id::param::OutSaturation, "{9AA032D2-38EC-4C14-AA22-4E6D6D84AAF3}"),
    PIN(corvane_id::param::OutBrightness, "{BD90FFE3-277A-4F71-A95B-763879494D27}"),
    PIN(corvane_id::param::OutContrast, "{DD2FC068-F9AE-4634-B768-FC9470B1D2EB}"),
    PIN(corvane_id::param::OutShift, "{7D4AFDBE-18F9-47AB-895F-CBFE8C82A16A}"),
    PIN(corvane_id::param::MatteLayer, "{08D4C0EB-D112-4780-ACB7-CCDB61371685}"),
    PIN(corvane_id::param::ForegroundLayer, "{8702A2DF-BE99-4232-9430-FB85E031A2C2}"),
    PIN(corvane_id::param::BackgroundLayer, "{64830B52-C20B-4163-AC9C-10D3426330BE}"),
    PIN(corvane_id::param::AlphaSource, "{E98E81B8-B609-4A31-AB3E-491B6D6F1B79}"),
    PIN(corvane_id::param::AlphaEnabled, "{6AC0BF25-DC17-487A-96AC-131B65DEB017}"),
    PIN(corvane_id::param::Unpremultiply, "{A304D9EB-BE1D-4E00-9910-06AFEEBA75C9}"),
    PIN(corvane_id::param::InvertAlpha, "{CF80B7C8-1206-4EBF-86E2-8064A6F7034C}"),
    PIN(corvane_id::param::ShowAlpha, "{39A372AC-9E83-4001-A5B7-91F9CF860883}"),
    PIN(corvane_id::param::AlphaRotate, "{B3BF101B-B193-4574-A2DD-8B3A1743AFF4}"),
    PIN(corvane_id::param::AlphaRangeEnabled, "{6B20CB38-60DE-4736-9362-C2885F759BA1}"),
    PIN(corvane_id::param::NormalizeAlpha, "{CB302765-C7E4-45F4-AABB-47E983DE21C9}"),
    PIN(corvane_id::param::BlackoutHighlights, "{E56D3859-A24F-408E-9A36-40C00802AEF9}"),
    PIN(corvane_id::param::AlphaValue, "{13C144B4-BA52-4900-A3AE-F5B7848C847B}"),
    PIN(corvane_id::param::AlphaRange, "{B1FDC51D-94F9-471D-96E8-718A20BE0DE4}"),
    PIN(corvane_id::param::AlphaSoftHigh, "{EA1DF53F-6947-4316-8691-1C8481A99827}"),
    PIN(corvane_id::param::AlphaSoftLow, "{4D951C0F-FD1F-4C26-9E4D-91AB07A0BDCF}"),
    PIN(corvane_id::control::Bypass, "{8868A6E3-2277-450C-BC6D-53FFE10C15CA}"),
    PIN(corvane_id::control::BlendModeList, "{1BFBE409-7DB2-41F2-A9E6-C59374003B89}"),
    PIN(corvane_id::control::MixSlider, "{2980563E-6F44-48AB-BF73-9CEC8ACDACEC}"),
    PIN(corvane_id::control::MagicSlider, "{5662D304-7155-4234-8F21-7C7E5291D2E3}"),
    PIN(corvane_id::control::MagicEnabledBy, "{CD632975-F86F-4266-8A82-FE37A9E73E4D}"),
    PIN(corvane_id::control::ClampToLegal, "{860F6A74-1D19-4571-9183-1DE76FEAC88B}"),
    PIN(corvane_id::control::FgGroup, "{77CDD680-02A0-41EA-A789-E52271BC4D75}"),
    PIN(corvane_id::control::OutGroup, "{9409FBA0-BF9A-4499-9E80-301F244B98CE}"),
    PIN(corvane_id::control::InvertCheckBox, "{7F1E475D-33C7-40BE-9BA6-49FBF213C525}"),
    PIN(corvane_id::control::FgSaturation, "{33303E24-D6C6-4C84-AD56-42C82E40FDD4}"),
    PIN(corvane_id::control::FgBrightness, "{ECBFC126-9678-485F-9B3D-39A901B6A603}"),
    PIN(corvane_id::control::FgContrast, "{E061C6C3-5E9F-4D5C-96D0-AAED83E2199C}"),
    PIN(corvane_id::control::FgShift, "{AFAE45B3-01E9-4B54-A963-5508B713E8AE}"),
    PIN(corvane_id::control::InvertOut, "{ECA98E23-7C1A-4A81-9729-164D7CA3D20D}"),
    PIN(corvane_id::control::OutSaturation, "{A1877087-15C6-465E-BCEA-6ABC73C49B9E}"),
    PIN(corvane_id::control::OutBrightness, "{1F4D8B83-75C1-421B-9A9A-D553DC0E1D85}"),
    PIN(corvane_id::control::OutContrast, "{418AD3B5-5B5F-48D0-BFB4-62ECFA4729E4}"),
    PIN(corvane_id::control::OutShift, "{D35A5D55-D070-473A-89D3-71E434D1A8C6}"),
    PIN(corvane_id::control::LayerGroup, "{F9D19301-1398-4281-A6AB-7B03BF730CBB}"),
    PIN(corvane_id::control::MatteLayerList, "{FB0A64CC-F313-418C-B78A-E74959C95DAC}"),
    PIN(corvane_id::control::ForegroundLayerList, "{A38A5BD9-7494-407E-ACF2-1D9625CB56C9}"),
    PIN(corvane_id::control::BackgroundLayerList, "{7F967994-91B7-4C27-B380-ACF3EF0B9951}"),
    PIN(corvane_id::control::AlphaGroup, "{5835935E-B545-4384-AF1D-E68320AAC149}"),
    PIN(corvane_id::control::AlphaSourceList, "{270F3B9F-F067-4A88-A345-5337C710BEA4}"),
    PIN(corvane_id::control::ShowAlpha, "{24AA8A24-97EC-437C-A6F6-98A6D8B6EC1E}"),
    PIN(corvane_id::control::RotateSlider, "{AC32F50F-FCB7-4E74-8E4B-F83B88D6B671}"),
    PIN(corvane_id::control::AlphaRangeGroup, "{5FDD40F8-DB79-4F84-9B51-F4479FA94206}"),
    PIN(corvane_id::control::Normalize, "{896DED49-04EE-4458-96D0-A3C057170FD7}"),
    PIN(corvane_id::control::Blackout, "{245AB3E4-CD69-41D1-99B9-9A405176E86A}"),
    PIN(corvane_id::control::ValueSlider, "{AE7EA862-FD12-4808-9A89-AD923D29FCD5}"),
    PIN(corvane_id::control::RangeSlider, "{36F57AC9-8550-4E94-B6FC-7FCBC023F086}"),
    PIN(corvane_id::control::SoftHighSlider, "{611CBC81-DB0C-4BAD-811C-66E6273930FD}"),
    PIN(corvane_id::control::SoftLowSlider, "{6BEDB4D1-A1CB-46A5-8980-6422ECC357C9}"),
    PIN(corvane_id::entry::ModeNormal, "{AF43025B-115D-4143-A7D8-5EE4110D1DA8}"),
    PIN(corvane_id::entry::ModeBlackfill, "{3C618C0E-B5D8-48E7-8A5F-26483D19A039}"),
    PIN(corvane_id::entry::ModeDarken, "{17389AA5-90F9-47DA-B3A0-57AF41613130}"),
    PIN(corvane_id::entry::ModeMultiply, "{EAAD252A-323C-4A93-B4A3-A251932B4ED4}"),
    PIN(corvane_id::entry::ModeColorburn, "{3D96D8F8-5E9D-41F3-9F4C-37F5ABE5F661}"),
    PIN(corvane_id::entry::ModeLinearburn, "{B0ED5071-89F9-4D42-A180-FDD60C388302}"),
    PIN(corvane_id::entry::ModeLighten, "{7704902A-D8E3-401F-8A00-4E6DE27A052C}"),
    PIN(corvane_id::entry::ModeScreen, "{DCF59DCF-0BF9-4087-8F3A-63BA29ED77B6}"),
    PIN(corvane_id::entry::ModeColordodge, "{790D187D-7D52-48B6-A24C-3799F0F118F0}"),
    PIN(corvane_id::entry::ModeAdd, "{868BC444-5015-46F2-ACA8-117E946F1F5D}"),
    PIN(corvane_id::entry::ModeLineardodge, "{7C62573A-C52C-44D9-98A7-F6137D51AAFD}"),
    PIN(corvane_id::entry::ModeOverlay, "{D7E4A977-7A2F-415B-B59A-501E0772F837}"),
    PIN(corvane_id::entry::ModeSoftlight, "{9A86ACAC-7C27-4B16-9AB6-5933E711513B}"),
    PIN(corvane_id::entry::ModeHardlight, "{A4E10BCD-263D-4A7E-A9F1-E175E4E0D974}"),
    PIN(corvane_id::entry::ModeVividlight, "{2C307C01-D4D4-4594-968F-AC2020ACA984}"),
    PIN(corvane_id::entry::ModeLinearlight, "{B019866F-BD37-45B5-B668-EE7F67118803}"),
    PIN(corvane_id::entry::ModePinlight, "{0308C91F-C06C-4CC4-9341-BE028D115E48}"),
    PIN(corvane_id::entry::ModeHardmix, "{BB218605-F8B1-42ED-AE6C-541B0265068A}"),
    PIN(corvane_id::entry::ModeDifference, "{4EFFEFFC-68F3-4925-BA33-0E766468074C}"),
    PIN(corvane_id::entry::ModeExclusion, "{D18F057A-9BB4-4314-BFC8-5BFE471829BB}"),
    PIN(corvane_id::entry::ModeSubtract, "{07B05994-3CBD-40B6-8600-62F461A415F2}"),
    PIN(corvane_id::entry::ModeNegation, "{DCE4306D-3150-40CD-B5FA-E845B4F71D60}"),
    PIN(corvane_id::entry::ModeReflect, "{A481CA35-9908-401D-8E8D-1D074C8590E0}"),
    PIN(corvane_id::entry::ModeGlow, "{7C1FAD34-44A2-43D7-BC1A-45840E3F0D24}"),
    PIN(corvane_id::entry::ModePhoenix, "{2565B24A-8993-45A6-9978-B9A9DD823D34}"),
    PIN(corvane_id::entry::MatteCurrent, "{50E71B01-8ED2-481C-82AF-B92F07C89DCB}"),
    PIN(corvane_id::entry::Matte1stBelow, "{DE89F8DB-6495-4F82-BD1F-AB116BF2C454}"),
    PIN(corvane_id::entry::Matte2ndBelow, "{974AC330-5A85-49C1-BC26-56F6C529ED45}"),
    PIN(corvane_id::entry::FgCurrent, "{192092CB-6D33-47AD-9AC3-FA7AE6164FCA}"),
    PIN(corvane_id::entry::Fg1stBelow, "{CEDFB675-03C7-4453-B071-E7058B7A0E98}"),
    PIN(corvane_id::entry::Fg2ndBelow, "{12B983C4-D6D5-4B33-97EA-FE1F1E4D34C7}"),
    PIN(corvane_id::entry::BgCurrent, "{AEF53606-2398-4256-BEE5-9B496B8155BC}"),
    PIN(corvane_id::entry::Bg1stBelow, "{87B61AAC-0AD4-4C95-BAF3-8981884F4FBC}"),
    PIN(corvane_id::entry::Bg2ndBelow, "{5BF91780-C6D2-46AC-AE5A-6D181A3B861E}"),
    PIN(corvane_id::entry::AlphaMatte, "{03DCE966-9B88-47D2-AB24-85010EEFD57D}"),
    PIN(corvane_id::entry::AlphaRed, "{A2309B50-2B8B-4D72-BC06-7BE1325789EF}"),
    PIN(corvane_id::entry::AlphaGreen, "{EECAFB6F-5B85-494E-8534-07BFFE46284E}"),
    PIN(corvane_id::entry::AlphaBlue, "{9B7A9577-5BFA-4DBC-849D-9424A5D80B5C}"),
    PIN(corvane_id::entry::AlphaHue, "{068355ED-BF87-46D4-8DE7-14250760D652}"),
    PIN(corvane_id::entry::AlphaSaturation, "{E0EEC4E7-ED3E-4595-AA9B-7F74B785FAE5}"),
    PIN(corvane_id::entry::AlphaValue, "{7E39F65A-D147-4E82-9063-7AF9AA014D60}"),
    PIN(corvane_id::entry::AlphaLuma, "{5334BAC7-6768-432F-B0D6-5219C96CC8A2}"),
    PIN(corvane_id::entry::AlphaLightness, "{0E6C6A38-FE4F-4EB6-966B-FF852E133BD2}"),
};
#undef PIN

// "component::Generic" for the id of corvane_id::component::Generic, for readable dumps.
inline std::string shortName(const char* qualified) {
    std::string s = qualified;
    const std::string prefix = "corvane_id::";
    return s.rfind(prefix, 0) == 0 ? s.substr(prefix.size()) : s;
}

}  // namespace pinned
