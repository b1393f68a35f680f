// Identities of everything the module registers. The editor stores projects by these
// values: once chosen they never change. A test pins every literal.
#pragma once

#include "host/guid.h"

namespace corvane_id {

// The plug-in and its vendor.
namespace plugin {
inline constexpr GUID Plugin = makeGuid("{552175BE-2360-46A9-B715-D6EF0B47DDA2}");
inline constexpr GUID Vendor = makeGuid("{29188D34-947D-4540-93C8-EED4FF24B7D0}");
}  // namespace plugin

// The five components, in registration order.
namespace component {
inline constexpr GUID Generic = makeGuid("{A07E3777-46A5-4E71-B2B4-BBEAF5C10B03}");
inline constexpr GUID AlphaAdvanced = makeGuid("{066393E3-1E2A-4EB5-8CB9-CFE91CACA1BA}");
inline constexpr GUID MatteKey = makeGuid("{0BF59D4E-F7E6-480F-88BD-C8A96358BC1A}");
inline constexpr GUID Oscilloscope = makeGuid("{7A526326-37E5-47B4-8AB4-910756C9F8BD}");
inline constexpr GUID FieldSwap = makeGuid("{46273242-E12E-4B63-86AC-401C55B996C4}");
}  // namespace component

// The creation classes that select an effect class in ACFGetClassFactory.
namespace creation_class {
inline constexpr GUID Generic = makeGuid("{855762D8-A075-4929-9B0B-27CB4AF924E8}");
inline constexpr GUID AlphaAdvanced = makeGuid("{4EAD474D-D07F-489A-B7B7-FCE8B6F74F98}");
inline constexpr GUID MatteKey = makeGuid("{2BF60998-10D4-4552-B53F-B678D0E4CCF5}");
inline constexpr GUID Oscilloscope = makeGuid("{26D36B7A-DB7D-405B-B85F-CB7569AD5B15}");
inline constexpr GUID FieldSwap = makeGuid("{7891D659-09DA-4F46-944F-139F98310039}");
}  // namespace creation_class

// Input and output pins.
namespace pin {
inline constexpr GUID InputOne = makeGuid("{8980DD81-0A43-42D1-A079-980FFCD05068}");
inline constexpr GUID InputTwo = makeGuid("{14A1617B-4C7C-43BF-B777-8E27B3C26C0A}");
inline constexpr GUID InputThree = makeGuid("{A6E2484F-5BAE-482B-8201-439570B42B21}");
inline constexpr GUID Output = makeGuid("{7B95A7FB-D01A-44A4-889B-958DB2730078}");
}  // namespace pin

// Parameters: the editor stores every project by these.
namespace param {
inline constexpr GUID Bypass = makeGuid("{B92C4C1F-88C9-4E2E-84EC-28F31541170D}");
inline constexpr GUID BlendMode = makeGuid("{145C7AFA-C390-4B2D-9043-B1A894FBCEF7}");
inline constexpr GUID Mix = makeGuid("{3825DADD-9F1B-4F6A-A508-602B8B835AB4}");
inline constexpr GUID Magic = makeGuid("{C7BDBB58-46EF-4FC2-BCBF-339DE69380AC}");
inline constexpr GUID ClampToLegal = makeGuid("{288D6384-3333-49D0-8B23-CB6B2DD45B4D}");
inline constexpr GUID FgCorrection = makeGuid("{C2F1D029-28B9-481F-BDE8-1EC260DB685C}");
inline constexpr GUID InvertFg = makeGuid("{9DC15595-1126-4C5D-8723-C72164E0C447}");
inline constexpr GUID FgSaturation = makeGuid("{122C14DD-19A9-4C33-87ED-13637400FEAA}");
inline constexpr GUID FgBrightness = makeGuid("{7D0060EC-5451-4F73-8FFD-92BDB6D43E9C}");
inline constexpr GUID FgContrast = makeGuid("{162B7F22-7932-40DA-9E22-22CA3B5558AC}");
inline constexpr GUID FgShift = makeGuid("{C12E1A6E-5653-4C8D-8EA6-94942A5A967E}");
inline constexpr GUID OutCorrection = makeGuid("{0B149FC2-E240-4DEA-9833-CDDD37F65B7B}");
inline constexpr GUID InvertOut = makeGuid("{2ADA724F-7A8B-4651-9AB8-E2361D824C92}");
inline constexpr GUID OutSaturation = makeGuid("{9AA032D2-38EC-4C14-AA22-4E6D6D84AAF3}");
inline constexpr GUID OutBrightness = makeGuid("{BD90FFE3-277A-4F71-A95B-763879494D27}");
inline constexpr GUID OutContrast = makeGuid("{DD2FC068-F9AE-4634-B768-FC9470B1D2EB}");
inline constexpr GUID OutShift = makeGuid("{7D4AFDBE-18F9-47AB-895F-CBFE8C82A16A}");
inline constexpr GUID MatteLayer = makeGuid("{08D4C0EB-D112-4780-ACB7-CCDB61371685}");
inline constexpr GUID ForegroundLayer = makeGuid("{8702A2DF-BE99-4232-9430-FB85E031A2C2}");
inline constexpr GUID BackgroundLayer = makeGuid("{64830B52-C20B-4163-AC9C-10D3426330BE}");
inline constexpr GUID AlphaSource = makeGuid("{E98E81B8-B609-4A31-AB3E-491B6D6F1B79}");
inline constexpr GUID AlphaEnabled = makeGuid("{6AC0BF25-DC17-487A-96AC-131B65DEB017}");
inline constexpr GUID Unpremultiply = makeGuid("{A304D9EB-BE1D-4E00-9910-06AFEEBA75C9}");
inline constexpr GUID InvertAlpha = makeGuid("{CF80B7C8-1206-4EBF-86E2-8064A6F7034C}");
inline constexpr GUID ShowAlpha = makeGuid("{39A372AC-9E83-4001-A5B7-91F9CF860883}");
inline constexpr GUID AlphaRotate = makeGuid("{B3BF101B-B193-4574-A2DD-8B3A1743AFF4}");
inline constexpr GUID AlphaRangeEnabled = makeGuid("{6B20CB38-60DE-4736-9362-C2885F759BA1}");
inline constexpr GUID NormalizeAlpha = makeGuid("{CB302765-C7E4-45F4-AABB-47E983DE21C9}");
inline constexpr GUID BlackoutHighlights = makeGuid("{E56D3859-A24F-408E-9A36-40C00802AEF9}");
inline constexpr GUID AlphaValue = makeGuid("{13C144B4-BA52-4900-A3AE-F5B7848C847B}");
inline constexpr GUID AlphaRange = makeGuid("{B1FDC51D-94F9-471D-96E8-718A20BE0DE4}");
inline constexpr GUID AlphaSoftHigh = makeGuid("{EA1DF53F-6947-4316-8691-1C8481A99827}");
inline constexpr GUID AlphaSoftLow = makeGuid("{4D951C0F-FD1F-4C26-9E4D-91AB07A0BDCF}");
// The oscilloscope. Its two group switches hold values the render reads like parameters.
inline constexpr GUID FalseColourOn = makeGuid("{27244F1D-BF68-4285-BB67-148765F0BDBF}");
inline constexpr GUID Palette = makeGuid("{3D99FB11-7293-400C-B08F-EE40732D0F89}");
inline constexpr GUID GammaShift = makeGuid("{2A65505B-8CB3-493D-85DA-80685CEDCEC4}");
inline constexpr GUID WaveformOn = makeGuid("{1A8F9CD2-DC37-4D46-802D-B2E6F04C78CA}");
inline constexpr GUID YPosition = makeGuid("{01CCCBD8-4771-443C-AE64-A3A28F32CBF3}");
inline constexpr GUID Scale = makeGuid("{C92FFACA-C872-4FF1-8A91-1D327D6B3C95}");
inline constexpr GUID ResizeWaveform = makeGuid("{E82EA67A-9B25-4A4E-93EB-F712B4E9E394}");
inline constexpr GUID WaveIntensity = makeGuid("{EADBDD3D-C040-4B7E-B68B-7FECECB44254}");
inline constexpr GUID ScopeIntensity = makeGuid("{02AB2633-BAF9-4B26-8C99-AE030B7540C8}");
inline constexpr GUID LogToConsole = makeGuid("{697BF3AC-F3EE-4FDA-8DA5-EBE3803D6AAE}");
}  // namespace param

// Panel controls. One check-box id serves "Invert FG", "Unpremultiply" and "Invert"; the
// EnabledBy id of "the Magic slider" names no parameter.
namespace control {
inline constexpr GUID Bypass = makeGuid("{8868A6E3-2277-450C-BC6D-53FFE10C15CA}");
inline constexpr GUID BlendModeList = makeGuid("{1BFBE409-7DB2-41F2-A9E6-C59374003B89}");
inline constexpr GUID MixSlider = makeGuid("{2980563E-6F44-48AB-BF73-9CEC8ACDACEC}");
inline constexpr GUID MagicSlider = makeGuid("{5662D304-7155-4234-8F21-7C7E5291D2E3}");
inline constexpr GUID MagicEnabledBy = makeGuid("{CD632975-F86F-4266-8A82-FE37A9E73E4D}");
inline constexpr GUID ClampToLegal = makeGuid("{860F6A74-1D19-4571-9183-1DE76FEAC88B}");
inline constexpr GUID FgGroup = makeGuid("{77CDD680-02A0-41EA-A789-E52271BC4D75}");
inline constexpr GUID OutGroup = makeGuid("{9409FBA0-BF9A-4499-9E80-301F244B98CE}");
inline constexpr GUID InvertCheckBox = makeGuid("{7F1E475D-33C7-40BE-9BA6-49FBF213C525}");
inline constexpr GUID FgSaturation = makeGuid("{33303E24-D6C6-4C84-AD56-42C82E40FDD4}");
inline constexpr GUID FgBrightness = makeGuid("{ECBFC126-9678-485F-9B3D-39A901B6A603}");
inline constexpr GUID FgContrast = makeGuid("{E061C6C3-5E9F-4D5C-96D0-AAED83E2199C}");
inline constexpr GUID FgShift = makeGuid("{AFAE45B3-01E9-4B54-A963-5508B713E8AE}");
inline constexpr GUID InvertOut = makeGuid("{ECA98E23-7C1A-4A81-9729-164D7CA3D20D}");
inline constexpr GUID OutSaturation = makeGuid("{A1877087-15C6-465E-BCEA-6ABC73C49B9E}");
inline constexpr GUID OutBrightness = makeGuid("{1F4D8B83-75C1-421B-9A9A-D553DC0E1D85}");
inline constexpr GUID OutContrast = makeGuid("{418AD3B5-5B5F-48D0-BFB4-62ECFA4729E4}");
inline constexpr GUID OutShift = makeGuid("{D35A5D55-D070-473A-89D3-71E434D1A8C6}");
inline constexpr GUID LayerGroup = makeGuid("{F9D19301-1398-4281-A6AB-7B03BF730CBB}");
inline constexpr GUID MatteLayerList = makeGuid("{FB0A64CC-F313-418C-B78A-E74959C95DAC}");
inline constexpr GUID ForegroundLayerList = makeGuid("{A38A5BD9-7494-407E-ACF2-1D9625CB56C9}");
inline constexpr GUID BackgroundLayerList = makeGuid("{7F967994-91B7-4C27-B380-ACF3EF0B9951}");
inline constexpr GUID AlphaGroup = makeGuid("{5835935E-B545-4384-AF1D-E68320AAC149}");
inline constexpr GUID AlphaSourceList = makeGuid("{270F3B9F-F067-4A88-A345-5337C710BEA4}");
inline constexpr GUID ShowAlpha = makeGuid("{24AA8A24-97EC-437C-A6F6-98A6D8B6EC1E}");
inline constexpr GUID RotateSlider = makeGuid("{AC32F50F-FCB7-4E74-8E4B-F83B88D6B671}");
inline constexpr GUID AlphaRangeGroup = makeGuid("{5FDD40F8-DB79-4F84-9B51-F4479FA94206}");
inline constexpr GUID Normalize = makeGuid("{896DED49-04EE-4458-96D0-A3C057170FD7}");
inline constexpr GUID Blackout = makeGuid("{245AB3E4-CD69-41D1-99B9-9A405176E86A}");
inline constexpr GUID ValueSlider = makeGuid("{AE7EA862-FD12-4808-9A89-AD923D29FCD5}");
inline constexpr GUID RangeSlider = makeGuid("{36F57AC9-8550-4E94-B6FC-7FCBC023F086}");
inline constexpr GUID SoftHighSlider = makeGuid("{611CBC81-DB0C-4BAD-811C-66E6273930FD}");
inline constexpr GUID SoftLowSlider = makeGuid("{6BEDB4D1-A1CB-46A5-8980-6422ECC357C9}");
// The oscilloscope's panel; both of its groups carry the one ScopeGroup id.
inline constexpr GUID ScopeGroup = makeGuid("{899565F7-9A5D-4EFA-8D7E-853A26FEFCA8}");
inline constexpr GUID PaletteList = makeGuid("{2761050C-E506-471C-B964-3AD44570CEFD}");
inline constexpr GUID GammaShiftSlider = makeGuid("{4D2CB5DA-1C7E-4B43-9AF9-164ECB7FE605}");
inline constexpr GUID YPositionSlider = makeGuid("{59A0D81F-9F69-4E13-BD3E-E64546777CDC}");
inline constexpr GUID ScaleSlider = makeGuid("{AE1265BF-0D86-43A7-ADA5-5F24733A6323}");
inline constexpr GUID ResizeCheckBox = makeGuid("{30FB9C93-A138-48E3-8C70-D0C249240FAA}");
inline constexpr GUID WaveIntensitySlider = makeGuid("{46B3B3A6-3A60-4A4C-910C-B92CF6982BA6}");
inline constexpr GUID ScopeIntensitySlider = makeGuid("{5E7035EA-5F4E-430E-BD4F-B220A8CFEE46}");
inline constexpr GUID LogCheckBox = makeGuid("{7E981720-72F2-4A81-8E11-0DB4C383388B}");
}  // namespace control

// Choice-list entries.
namespace entry {
inline constexpr GUID ModeNormal = makeGuid("{AF43025B-115D-4143-A7D8-5EE4110D1DA8}");
inline constexpr GUID ModeBlackfill = makeGuid("{3C618C0E-B5D8-48E7-8A5F-26483D19A039}");
inline constexpr GUID ModeDarken = makeGuid("{17389AA5-90F9-47DA-B3A0-57AF41613130}");
inline constexpr GUID ModeMultiply = makeGuid("{EAAD252A-323C-4A93-B4A3-A251932B4ED4}");
inline constexpr GUID ModeColorburn = makeGuid("{3D96D8F8-5E9D-41F3-9F4C-37F5ABE5F661}");
inline constexpr GUID ModeLinearburn = makeGuid("{B0ED5071-89F9-4D42-A180-FDD60C388302}");
inline constexpr GUID ModeLighten = makeGuid("{7704902A-D8E3-401F-8A00-4E6DE27A052C}");
inline constexpr GUID ModeScreen = makeGuid("{DCF59DCF-0BF9-4087-8F3A-63BA29ED77B6}");
inline constexpr GUID ModeColordodge = makeGuid("{790D187D-7D52-48B6-A24C-3799F0F118F0}");
inline constexpr GUID ModeAdd = makeGuid("{868BC444-5015-46F2-ACA8-117E946F1F5D}");
inline constexpr GUID ModeLineardodge = makeGuid("{7C62573A-C52C-44D9-98A7-F6137D51AAFD}");
inline constexpr GUID ModeOverlay = makeGuid("{D7E4A977-7A2F-415B-B59A-501E0772F837}");
inline constexpr GUID ModeSoftlight = makeGuid("{9A86ACAC-7C27-4B16-9AB6-5933E711513B}");
inline constexpr GUID ModeHardlight = makeGuid("{A4E10BCD-263D-4A7E-A9F1-E175E4E0D974}");
inline constexpr GUID ModeVividlight = makeGuid("{2C307C01-D4D4-4594-968F-AC2020ACA984}");
inline constexpr GUID ModeLinearlight = makeGuid("{B019866F-BD37-45B5-B668-EE7F67118803}");
inline constexpr GUID ModePinlight = makeGuid("{0308C91F-C06C-4CC4-9341-BE028D115E48}");
inline constexpr GUID ModeHardmix = makeGuid("{BB218605-F8B1-42ED-AE6C-541B0265068A}");
inline constexpr GUID ModeDifference = makeGuid("{4EFFEFFC-68F3-4925-BA33-0E766468074C}");
inline constexpr GUID ModeExclusion = makeGuid("{D18F057A-9BB4-4314-BFC8-5BFE471829BB}");
inline constexpr GUID ModeSubtract = makeGuid("{07B05994-3CBD-40B6-8600-62F461A415F2}");
inline constexpr GUID ModeNegation = makeGuid("{DCE4306D-3150-40CD-B5FA-E845B4F71D60}");
inline constexpr GUID ModeReflect = makeGuid("{A481CA35-9908-401D-8E8D-1D074C8590E0}");
inline constexpr GUID ModeGlow = makeGuid("{7C1FAD34-44A2-43D7-BC1A-45840E3F0D24}");
inline constexpr GUID ModePhoenix = makeGuid("{2565B24A-8993-45A6-9978-B9A9DD823D34}");
inline constexpr GUID MatteCurrent = makeGuid("{50E71B01-8ED2-481C-82AF-B92F07C89DCB}");
inline constexpr GUID Matte1stBelow = makeGuid("{DE89F8DB-6495-4F82-BD1F-AB116BF2C454}");
inline constexpr GUID Matte2ndBelow = makeGuid("{974AC330-5A85-49C1-BC26-56F6C529ED45}");
inline constexpr GUID FgCurrent = makeGuid("{192092CB-6D33-47AD-9AC3-FA7AE6164FCA}");
inline constexpr GUID Fg1stBelow = makeGuid("{CEDFB675-03C7-4453-B071-E7058B7A0E98}");
inline constexpr GUID Fg2ndBelow = makeGuid("{12B983C4-D6D5-4B33-97EA-FE1F1E4D34C7}");
inline constexpr GUID BgCurrent = makeGuid("{AEF53606-2398-4256-BEE5-9B496B8155BC}");
inline constexpr GUID Bg1stBelow = makeGuid("{87B61AAC-0AD4-4C95-BAF3-8981884F4FBC}");
inline constexpr GUID Bg2ndBelow = makeGuid("{5BF91780-C6D2-46AC-AE5A-6D181A3B861E}");
inline constexpr GUID AlphaMatte = makeGuid("{03DCE966-9B88-47D2-AB24-85010EEFD57D}");
inline constexpr GUID AlphaRed = makeGuid("{A2309B50-2B8B-4D72-BC06-7BE1325789EF}");
inline constexpr GUID AlphaGreen = makeGuid("{EECAFB6F-5B85-494E-8534-07BFFE46284E}");
inline constexpr GUID AlphaBlue = makeGuid("{9B7A9577-5BFA-4DBC-849D-9424A5D80B5C}");
inline constexpr GUID AlphaHue = makeGuid("{068355ED-BF87-46D4-8DE7-14250760D652}");
inline constexpr GUID AlphaSaturation = makeGuid("{E0EEC4E7-ED3E-4595-AA9B-7F74B785FAE5}");
inline constexpr GUID AlphaValue = makeGuid("{7E39F65A-D147-4E82-9063-7AF9AA014D60}");
inline constexpr GUID AlphaLuma = makeGuid("{5334BAC7-6768-432F-B0D6-5219C96CC8A2}");
inline constexpr GUID AlphaLightness = makeGuid("{0E6C6A38-FE4F-4EB6-966B-FF852E133BD2}");
inline constexpr GUID Palette0 = makeGuid("{AC338743-4E64-41C8-A3D5-2DEBFA47D5CE}");
inline constexpr GUID Palette1 = makeGuid("{654FF425-1D03-44BA-BBAF-5FBAE0A2A332}");
inline constexpr GUID Palette2 = makeGuid("{BDAC170E-B56E-4A58-BCC2-0C9B433D4596}");
inline constexpr GUID Palette3 = makeGuid("{531A8489-AC48-47A5-A7F8-E87CDF5B3472}");
inline constexpr GUID Palette4 = makeGuid("{85AFE485-0CAF-4EAA-A1C1-B9C023D6F987}");
inline constexpr GUID Palette5 = makeGuid("{2A725EE8-47E4-4ED5-9C7E-F4A9D61EFFB4}");
inline constexpr GUID Palette6 = makeGuid("{53EA8BE4-2068-4FDD-8730-13F1E200D782}");
}  // namespace entry

}  // namespace corvane_id
