// Elementary streams for the parser tests, with the offsets the expectations are computed from.
#pragma once

#include <vector>

#include "support/stream_builder.h"

namespace tessivo::test {

// The quantiser_scale_code of picture i in the built streams.
inline uint8_t QuantiserOf(int picture) {
  return static_cast<uint8_t>(picture % 31 + 1);
}

// Sum of QuantiserOf over pictures [first, last].
inline double QuantiserSum(int first, int last) {
  double sum = 0;
  for (int i = first; i <= last; ++i) sum += QuantiserOf(i);
  return sum;
}

struct BuiltStream {
  StreamBuilder builder;
  std::vector<size_t> pictureOffsets;     // of each picture start code
  std::vector<size_t> firstSliceOffsets;  // of each picture's first slice start code

  void AddPicture(char type, uint8_t quantiser, size_t sliceBytes = 20, int slices = 2) {
    pictureOffsets.push_back(builder.size());
    builder.Picture(type);
    firstSliceOffsets.push_back(builder.size());
    for (int row = 1; row <= slices; ++row) {
      builder.Slice(quantiser, sliceBytes, static_cast<uint8_t>(row));
    }
  }
};

// MPEG-1: one GOP, then an I picture every 12 and P pictures between, picture i's two slices
// carrying QuantiserOf(i).
inline BuiltStream Mpeg1(int pictures, uint8_t frameRateCode = 3) {
  BuiltStream stream;
  SequenceHeaderFields fields;
  fields.frameRateCode = frameRateCode;
  stream.builder.SequenceHeader(fields).Gop(0, 0, 0, 0);
  for (int i = 0; i < pictures; ++i) stream.AddPicture(i % 12 ? 'P' : 'I', QuantiserOf(i));
  return stream;
}

}  // namespace tessivo::test
