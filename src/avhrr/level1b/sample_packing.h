// Earth-view samples of a Level 1b record: pixel-interleaved ch1..ch5, stored as 10-bit counts
// three to a big-endian 32-bit word (bits 29-20, 19-10, 9-0), as 16-bit words, or as bytes.
#pragma once

#include <cstddef>

#include "avhrr/level1b/big_endian.h"
#include "avhrr/pass.h"

namespace kestrova::avhrr::level1b {

enum class SampleWord { Bits8, Packed10, Bits16 };

// Bytes one line of `width` pixels takes in the given storage.
std::size_t earthDataBytes(SampleWord word, int width);

// Fills pass.row(c, line) for every channel from the record's earth data.
void unpackEarthData(Bytes earth, SampleWord word, Pass& pass, int line);

// Writes the line's counts as packed 10-bit words; `earth` holds earthDataBytes(Packed10, width).
void packEarthData(const Pass& pass, int line, MutableBytes earth);

}  // namespace kestrova::avhrr::level1b
