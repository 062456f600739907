// The style strings the plug-ins give their styles by default: one colour each,
// all in the same size and font.
#pragma once

inline constexpr char kBlueStyle[] = "08:#3d4c9e;09;00;Monaco";
inline constexpr char kGreenStyle[] = "08:#1e843b;09;00;Monaco";
inline constexpr char kRedStyle[] = "08:#9b2e35;09;00;Monaco";
inline constexpr char kGreyStyle[] = "08:#666666;09;00;Monaco";
inline constexpr char kOrangeStyle[] = "08:#ad6739;09;00;Monaco";
inline constexpr char kTealStyle[] = "08:#005454;09;00;Monaco";
inline constexpr char kSeaStyle[] = "08:#31917a;09;00;Monaco";
inline constexpr char kOliveStyle[] = "08:#756719;09;00;Monaco";
inline constexpr char kKhakiStyle[] = "08:#6D663F;09;00;Monaco";
