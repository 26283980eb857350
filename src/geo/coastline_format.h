#pragma once
// The coastline blob: shore, lake and border polylines plus a land mask, as committed in
// src/geo/data/coastline.bin and embedded in the library.
//
// Every number is little-endian. Layout, with no padding between the parts:
//
//   header, 32 bytes
//     char[8]  magic "KSTCOAST"
//     u32      version (kCoastlineVersion)
//     u32      segmentCount
//     u32      pointCount
//     u32      maskColumns        land mask cells west to east, 1..65535
//     u32      maskRows           land mask cells north to south, >= 1
//     u32      maskTransitionCount
//   segments, segmentCount × 8 bytes
//     u32      kind (SegmentKind)
//     u32      points in this polyline, >= 2; they add up to pointCount
//   points, pointCount × 8 bytes, the polylines one after another
//     i32      latitude in micro-degrees, -90e6..90e6
//     i32      longitude in micro-degrees, -180e6..180e6
//   mask row counts, maskRows × u32: transitions in each row, adding up to maskTransitionCount
//   mask transitions, maskTransitionCount × u16
//     per row, strictly rising column numbers below maskColumns where the row changes between
//     sea and land. Every row starts as sea at 180°W, so a cell is land when an odd number of the
//     row's transitions lie at or west of its column.
//
// The mask covers the globe in equal cells: row 0 starts at 90°N, column 0 at 180°W. Lakes are
// not land; islands in lakes are.
#include <array>
#include <cstdint>

namespace kestrova {

inline constexpr std::array<char, 8> kCoastlineMagic = {'K', 'S', 'T', 'C', 'O', 'A', 'S', 'T'};
inline constexpr std::uint32_t kCoastlineVersion = 1;
inline constexpr std::size_t kCoastlineHeaderSize = 32;
inline constexpr std::uint32_t kMaxMaskColumns = 65535;

enum class SegmentKind : std::uint32_t { Coast = 0, Lake = 1, Border = 2 };
inline constexpr std::uint32_t kSegmentKindCount = 3;

}  // namespace kestrova
