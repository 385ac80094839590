#pragma once

// The edition marker "wbpybz.lzh" in InstallDir. The IME reads the edition
// from it, terminator included. Nothing else writes these bytes, so they also
// mark a directory that holds this product.
inline constexpr char kEditionMarkerName[] = "wbpybz.lzh";
inline constexpr char kWubiMarker[] = "LZWBPYBZ=0";
inline constexpr char kPinyinMarker[] = "LZWBPYBZ=1";
static_assert(sizeof kWubiMarker == sizeof kPinyinMarker, "one length for both editions");

// Whether InstallDir holds the marker of either edition, byte for byte.
bool HoldsEditionMarker();
