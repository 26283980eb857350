// Where the records of a KLM Level 1b file are, found from the bytes alone: the optional archive
// header, the data type, the record length (and with it the sample word size), the header records
// to skip and the data records present.
#pragma once

#include <cstddef>
#include <string>

#include "avhrr/level1b/big_endian.h"
#include "avhrr/level1b/sample_packing.h"
#include "avhrr/pass.h"

namespace kestrova::avhrr::level1b {

struct KlmLayout {
  std::size_t headerOffset = 0;  // 512 behind an archive header, else 0
  std::size_t recordLength = 0;
  SampleWord word = SampleWord::Packed10;
  DataType dataType = DataType::Lac;
  int width = kFullWidth;
  int version = 0;
  std::size_t firstDataRecord = 0;  // byte offset
  std::size_t dataRecords = 0;
};

// Whether a KLM header record (site, blank, small version number) starts at the file's first
// byte or right after a 512-byte archive header.
bool looksLikeKlm(Bytes file);

// Throws Error naming the file, the offset and the cause when no layout fits.
KlmLayout findKlmLayout(Bytes file, const std::string& fileName);

// Record length of a KLM data record.
std::size_t klmRecordLength(DataType type, SampleWord word);

}  // namespace kestrova::avhrr::level1b
