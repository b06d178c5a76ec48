#pragma once

namespace ios {

// The radio technologies `CTTelephonyNetworkInfo::currentRadioAccessTechnology` may report, as the
// platform spells them. Compare a reported value with these texts.
inline constexpr char CTRadioAccessTechnologyGPRS[] = "CTRadioAccessTechnologyGPRS";
inline constexpr char CTRadioAccessTechnologyEdge[] = "CTRadioAccessTechnologyEdge";
inline constexpr char CTRadioAccessTechnologyWCDMA[] = "CTRadioAccessTechnologyWCDMA";
inline constexpr char CTRadioAccessTechnologyHSDPA[] = "CTRadioAccessTechnologyHSDPA";
inline constexpr char CTRadioAccessTechnologyHSUPA[] = "CTRadioAccessTechnologyHSUPA";
inline constexpr char CTRadioAccessTechnologyCDMA1x[] = "CTRadioAccessTechnologyCDMA1x";
inline constexpr char CTRadioAccessTechnologyCDMAEVDORev0[] = "CTRadioAccessTechnologyCDMAEVDORev0";
inline constexpr char CTRadioAccessTechnologyCDMAEVDORevA[] = "CTRadioAccessTechnologyCDMAEVDORevA";
inline constexpr char CTRadioAccessTechnologyCDMAEVDORevB[] = "CTRadioAccessTechnologyCDMAEVDORevB";
inline constexpr char CTRadioAccessTechnologyeHRPD[] = "CTRadioAccessTechnologyeHRPD";
inline constexpr char CTRadioAccessTechnologyLTE[] = "CTRadioAccessTechnologyLTE";
inline constexpr char CTRadioAccessTechnologyNRNSA[] = "CTRadioAccessTechnologyNRNSA";
inline constexpr char CTRadioAccessTechnologyNR[] = "CTRadioAccessTechnologyNR";

}  // namespace ios
