// The catalogues as the editor must see them, in the text of record_dump. Written out
// once from the catalogue's definition and checked line by line against it; stored projects
// depend on every field.
#pragma once

namespace golden {

inline const char* const kBlendParams = R"(P param::Bypass 'Bypass' key='' Bool flag=0 Value:Bool=0
P param::BlendMode 'Blend Mode' key='corvane.modelist.value' Int flag=0 Value:Int=6
P param::Mix 'Blend as Percent' key='corvane.blend.mixvalue' Double flag=1 Min:Double=0 Max:Double=100 Value:Double=100 SliderFlag:Bool=1
P param::Magic 'the Magic' key='corvane.blend.magicvalue' Double flag=1 Min:Double=-200 Max:Double=200 Value:Double=100 SliderFlag:Bool=1
P param::ClampToLegal 'Clamp to Legal' key='' Bool flag=0 Value:Bool=1
P param::FgCorrection 'Enable FG Correction' key='corvane.FGCC.enabler' Bool flag=0 Value:Bool=0
P param::InvertFg 'Invert FG' key='Invert FG' Bool flag=0 Value:Bool=0
P param::FgSaturation 'Saturation' key='corvane.FGCC.Saturation.val' Double flag=1 Min:Double=0 Max:Double=200 Value:Double=100 SliderFlag:Bool=1
P param::FgBrightness 'Brightness' key='corvane.FGCC.Brightness.val' Double flag=1 Min:Double=-255 Max:Double=255 Value:Double=0 SliderFlag:Bool=1
P param::FgContrast 'Contrast' key='corvane.FGCC.Contrast.val' Double flag=1 Min:Double=-255 Max:Double=255 Value:Double=0 SliderFlag:Bool=1
P param::FgShift 'RGB Shift' key='RGB Shift' Triple flag=1 Value:Triple=(0,0,0) Min:Triple=(-255,-255,-255) Max:Triple=(255,255,255)
P param::OutCorrection 'Enable Output Correction' key='corvane.FGOUT.enabler' Bool flag=0 Value:Bool=0
P param::InvertOut 'Invert Out' key='Invert Out' Bool flag=0 Value:Bool=0
P param::OutSaturation 'Saturation' key='corvane.OutCC.Saturation.val' Double flag=1 Min:Double=0 Max:Double=200 Value:Double=100 SliderFlag:Bool=1
P param::OutBrightness 'Brightness' key='corvane.OutCC.Brightness.val' Double flag=1 Min:Double=-255 Max:Double=255 Value:Double=0 SliderFlag:Bool=1
P param::OutContrast 'Contrast' key='corvane.OutCC.Contrast.val' Double flag=1 Min:Double=-255 Max:Double=255 Value:Double=0 SliderFlag:Bool=1
P param::OutShift 'RGB Shift' key='RGB Shift' Triple flag=1 Value:Triple=(0,0,0) Min:Triple=(-255,-255,-255) Max:Triple=(255,255,255)
)";

inline const char* const kBlendPanel =
    R"(checkbox control::Bypass 'Bypass' name='' shows param::Bypass
list control::BlendModeList 'Select blend mode' name='corvane.modelist' shows param::BlendMode
  entry entry::ModeNormal 'Normal' name='corvane.modelist.normal' Value:Int=1
  entry entry::ModeBlackfill 'Fill with Magic' name='corvane.modelist.blackfill' Value:Int=25
  entry entry::ModeDarken 'Darken' name='corvane.modelist.darken' Value:Int=10
  entry entry::ModeMultiply 'Multiply' name='corvane.modelist.multiply' Value:Int=5
  entry entry::ModeColorburn 'Color Burn' name='corvane.modelist.colorburn' Value:Int=15
  entry entry::ModeLinearburn 'Linear Burn' name='corvane.modelist.linearburn' Value:Int=17
  entry entry::ModeLighten 'Lighten' name='corvane.modelist.lighten' Value:Int=11
  entry entry::ModeScreen 'Screen' name='corvane.modelist.screen' Value:Int=6
  entry entry::ModeColordodge 'Color Dodge' name='corvane.modelist.colordodge' Value:Int=14
  entry entry::ModeAdd 'Add' name='corvane.modelist.add' Value:Int=2
  entry entry::ModeLineardodge 'Linear Dodge(Add)' name='corvane.modelist.lineardodge' Value:Int=16
  entry entry::ModeOverlay 'Overlay' name='corvane.modelist.overlay' Value:Int=7
  entry entry::ModeSoftlight 'Softlight' name='corvane.modelist.softlight' Value:Int=9
  entry entry::ModeHardlight 'Hardlight' name='corvane.modelist.hardlight' Value:Int=8
  entry entry::ModeVividlight 'Vivid Light' name='corvane.modelist.vividlight' Value:Int=19
  entry entry::ModeLinearlight 'Linear Light' name='corvane.modelist.linearlight' Value:Int=18
  entry entry::ModePinlight 'Pin Light' name='corvane.modelist.pinlight' Value:Int=20
  entry entry::ModeHardmix 'Hard Mix' name='corvane.modelist.hardmix' Value:Int=21
  entry entry::ModeDifference 'Difference' name='corvane.modelist.difference' Value:Int=4
  entry entry::ModeExclusion 'Exclusion' name='corvane.modelist.exclusion' Value:Int=13
  entry entry::ModeSubtract 'Subtract' name='corvane.modelist.subtract' Value:Int=3
  entry entry::ModeNegation 'Negation' name='corvane.modelist.negation' Value:Int=12
  entry entry::ModeReflect 'Reflect' name='corvane.modelist.reflect' Value:Int=22
  entry entry::ModeGlow 'Glow' name='corvane.modelist.glow' Value:Int=23
  entry entry::ModePhoenix 'Phoenix' name='corvane.modelist.phoenix' Value:Int=24
slider control::MixSlider 'Mix Percent' name='corvane.blend.mixvalueslider' shows param::Mix
slider control::MagicSlider 'the Magic slider' name='corvane.blend.magicvalueslider' shows param::Magic EnabledBy:Guid=control::MagicEnabledBy
checkbox control::ClampToLegal 'Clamp to Legal' name='' shows param::ClampToLegal
group control::FgGroup 'FG PreCorrection' name='FG Processing' EnabledBy:Guid=param::FgCorrection GroupFlag:Bool=0
  checkbox control::InvertCheckBox 'Invert FG' name='Invert FG' shows param::InvertFg
  slider control::FgSaturation 'Saturation' name='corvane.FGCC.Saturation.slider' shows param::FgSaturation
  slider control::FgBrightness 'Brightness' name='corvane.FGCC.Brightness.slider' shows param::FgBrightness
  slider control::FgContrast 'Contrast' name='corvane.FGCC.Contrast.slider' shows param::FgContrast
  slider control::FgShift 'RGB Shift' name='RGB Shift' shows param::FgShift
group control::OutGroup 'Output correction' name='Out Processing' EnabledBy:Guid=param::OutCorrection
  checkbox control::InvertOut 'Invert Out' name='Invert Out' shows param::InvertOut
  slider control::OutSaturation 'Saturation' name='corvane.OutCC.Saturation.slider' shows param::OutSaturation
  slider control::OutBrightness 'Brightness' name='corvane.OutCC.Brightness.slider' shows param::OutBrightness
  slider control::OutContrast 'Contrast' name='corvane.OutCC.Contrast.slider' shows param::OutContrast
  slider control::OutShift 'RGB Shift' name='RGB Shift' shows param::OutShift
)";

inline const char* const kLayerAndAlphaParams =
    R"(P param::MatteLayer 'Matte Layer' key='corvane.MTsrc' Int flag=0 Value:Int=2
P param::ForegroundLayer 'Foreground Layer' key='corvane.FGsrc' Int flag=0 Value:Int=1
P param::BackgroundLayer 'Background Layer' key='corvane.BGsrc' Int flag=0 Value:Int=0
P param::AlphaSource 'Alpha source' key='corvane.alphalist.value' Int flag=0 Value:Int=0
P param::AlphaEnabled 'Enable alpha' key='corvane.alphalist.enabler' Bool flag=0 Value:Bool=0
P param::Unpremultiply 'Unpremultiply' key='Unpremultiply Alpha' Bool flag=0 Value:Bool=0
P param::InvertAlpha 'Invert' key='Invert Alpha' Bool flag=0 Value:Bool=0
P param::ShowAlpha 'Show Alpha' key='Show Alpha' Bool flag=0 Value:Bool=0
P param::AlphaRotate 'Rotate' key='corvane.alphalist.rotate.val' Double flag=1 Min:Double=0 Max:Double=360 Value:Double=0 SliderFlag:Bool=0
P param::AlphaRangeEnabled 'Enable alpha range' key='corvane.alphalist.alpharange.enabler' Bool flag=0 Value:Bool=0
P param::NormalizeAlpha 'Normalize' key='Normalize Alpha' Bool flag=0 Value:Bool=1
P param::BlackoutHighlights 'Blackout highlights' key='Map upper bound to 0' Bool flag=0 Value:Bool=1
P param::AlphaValue 'Value' key='corvane.alphalist.alpharange.value.val' Double flag=1 Min:Double=0 Max:Double=255 Value:Double=0 SliderFlag:Bool=1
P param::AlphaRange 'Range' key='corvane.alphalist.alpharange.range.val' Double flag=1 Min:Double=0 Max:Double=255 Value:Double=255 SliderFlag:Bool=0
P param::AlphaSoftHigh 'SoftH' key='corvane.alphalist.alpharange.range.sfthi.val' Double flag=1 Min:Double=0 Max:Double=255 Value:Double=16 SliderFlag:Bool=0
P param::AlphaSoftLow 'SoftL' key='corvane.alphalist.alpharange.range.sftlo.val' Double flag=1 Min:Double=0 Max:Double=255 Value:Double=16 SliderFlag:Bool=0
)";

inline const char* const kLayerAndAlphaPanel =
    R"(group control::LayerGroup 'Layer Switcher' name='Layer Switcher' GroupFlag:Bool=1
  list control::MatteLayerList 'Matte Layer' name='corvane.MTSrclist' shows param::MatteLayer
    entry entry::MatteCurrent 'Matte layer: Current' name='corvane.srclist.MT2' Value:Int=2
    entry entry::Matte1stBelow 'Matte layer: 1st below' name='corvane.srclist.MT1' Value:Int=1
    entry entry::Matte2ndBelow 'Matte layer: 2nd below' name='corvane.srclist.MT0' Value:Int=0
  list control::ForegroundLayerList 'Foreground Layer' name='corvane.FGSrclist' shows param::ForegroundLayer
    entry entry::FgCurrent 'FGLayer: Current' name='corvane.srclist.FG2' Value:Int=2
    entry entry::Fg1stBelow 'FGLayer: 1st below' name='corvane.srclist.FG1' Value:Int=1
    entry entry::Fg2ndBelow 'FGLayer: 2nd below' name='corvane.srclist.FG0' Value:Int=0
  list control::BackgroundLayerList 'Background Layer' name='corvane.BGSrclist' shows param::BackgroundLayer
    entry entry::BgCurrent 'BGLayer: Current' name='corvane.srclist.BG2' Value:Int=2
    entry entry::Bg1stBelow 'BGLayer: 1st below' name='corvane.srclist.BG1' Value:Int=1
    entry entry::Bg2ndBelow 'BGLayer: 2nd below' name='corvane.srclist.BG0' Value:Int=0
group control::AlphaGroup 'Alpha Processing' name='Alpha Processing' EnabledBy:Guid=param::AlphaEnabled GroupFlag:Bool=0
  list control::AlphaSourceList 'Select Alpha source' name='corvane.alphalist' shows param::AlphaSource
    entry entry::AlphaMatte 'Alpha: Matte' name='corvane.alphalist.alpha' Value:Int=0
    entry entry::AlphaRed 'Alpha: Red' name='corvane.alphalist.red' Value:Int=1
    entry entry::AlphaGreen 'Alpha: Green' name='corvane.alphalist.green' Value:Int=2
    entry entry::AlphaBlue 'Alpha: Blue' name='corvane.alphalist.blue' Value:Int=3
    entry entry::AlphaHue 'Alpha: Hue' name='corvane.alphalist.Hue' Value:Int=5
    entry entry::AlphaSaturation 'Alpha: Saturation' name='corvane.alphalist.Saturation' Value:Int=6
    entry entry::AlphaValue 'Alpha: Value' name='corvane.alphalist.Value' Value:Int=7
    entry entry::AlphaLuma 'Alpha: Luminance' name='corvane.alphalist.luma' Value:Int=4
    entry entry::AlphaLightness 'Alpha: Lightness' name='corvane.alphalist.Value' Value:Int=8
  checkbox control::InvertCheckBox 'Unpremultiply' name='Unpremultiply Alpha' shows param::Unpremultiply
  checkbox control::InvertCheckBox 'Invert' name='Invert Alpha' shows param::InvertAlpha
  checkbox control::ShowAlpha 'Show Alpha' name='Show Alpha' shows param::ShowAlpha
  slider control::RotateSlider 'Rotate' name='corvane.alphalist.rotate.slider' shows param::AlphaRotate
  group control::AlphaRangeGroup 'Alpha range' name='Alpha range' EnabledBy:Guid=param::AlphaRangeEnabled
    checkbox control::Normalize 'Normalize' name='Normalize Alpha' shows param::NormalizeAlpha
    checkbox control::Blackout 'Blackout highlights' name='Map upper bound to 0' shows param::BlackoutHighlights
    slider2 control::ValueSlider 'Value' name='corvane.alphalist.alpharange.value.slider' shows param::AlphaValue
    slider control::RangeSlider 'Range' name='corvane.alphalist.alpharange.range.slider' shows param::AlphaRange
    slider control::SoftHighSlider 'SoftH' name='corvane.alphalist.alpharange.range.sfthi.slider' shows param::AlphaSoftHigh
    slider control::SoftLowSlider 'SoftL' name='corvane.alphalist.alpharange.range.sftlo.slider' shows param::AlphaSoftLow
)";

inline const char* const kScopeParams = R"(P param::Palette 'Palette' key='corvane.QCPalette.value' Int flag=0 Value:Int=0
P param::GammaShift 'False Color Gamma Shift' key='' Double flag=1 Min:Double=-999.9 Max:Double=1000 Value:Double=0 SliderFlag:Bool=1
P param::YPosition 'Y-Position' key='' Double flag=1 Min:Double=0 Max:Double=100 Value:Double=49 SliderFlag:Bool=1
P param::Scale 'Scale' key='' Double flag=1 Min:Double=25 Max:Double=120 Value:Double=100 SliderFlag:Bool=1
P param::ResizeWaveform 'Resize Waveform' key='' Bool flag=0 Value:Bool=1
P param::WaveIntensity 'Y waveform intensity' key='' Double flag=1 Min:Double=0 Max:Double=200 Value:Double=100 SliderFlag:Bool=1
P param::ScopeIntensity 'Vectroscope intensity' key='' Double flag=1 Min:Double=0 Max:Double=200 Value:Double=100 SliderFlag:Bool=1
P param::LogToConsole 'Enable log to Console' key='' Bool flag=0 Value:Bool=0
)";

inline const char* const kScopePanel =
    R"(group control::ScopeGroup 'False Color' name='False Color' EnabledBy:Guid=param::FalseColourOn GroupFlag:Bool=1 Value:Bool=0
  list control::PaletteList 'Select Palette' name='corvane.QCPalette' shows param::Palette
    entry entry::Palette0 '0: Default' name='corvane.QCPalette.0' Value:Int=0
    entry entry::Palette1 '1: No map' name='corvane.QCPalette.1' Value:Int=1
    entry entry::Palette2 '2: Shadows' name='corvane.QCPalette.2' Value:Int=2
    entry entry::Palette3 '3: Highlights' name='corvane.QCPalette.3' Value:Int=3
    entry entry::Palette4 '4: Shaded' name='corvane.QCPalette.4' Value:Int=4
    entry entry::Palette5 '5:' name='corvane.QCPalette.5' Value:Int=5
    entry entry::Palette6 '6:' name='corvane.QCPalette.6' Value:Int=6
  slider control::GammaShiftSlider 'False Color Gamma Shift' name='' shows param::GammaShift
group control::ScopeGroup 'Waveform' name='Waveform' EnabledBy:Guid=param::WaveformOn GroupFlag:Bool=1 Value:Bool=1
  checkbox control::ResizeCheckBox 'Resize Waveform' name='' shows param::ResizeWaveform
  slider control::ScaleSlider 'Scale' name='' shows param::Scale
  slider control::YPositionSlider 'Y-Position' name='' shows param::YPosition
  slider control::WaveIntensitySlider 'Y waveform intensity' name='' shows param::WaveIntensity
  slider control::ScopeIntensitySlider 'Vectroscope intensity' name='' shows param::ScopeIntensity
checkbox control::LogCheckBox 'Enable log to Console' name='' shows param::LogToConsole
)";

}  // namespace golden
