// A ByteSource over bytes written to a file and read through the real reader.
#pragma once

#include <gtest/gtest.h>

#include "mpeg/byte_source.h"
#include "support/recording_observer.h"
#include "support/test_files.h"

namespace tessivo::test {

class ByteSourceFixture {
 public:
  explicit ByteSourceFixture(const std::vector<uint8_t>& bytes)
      : file_(bytes), reader_(observer_, true), source_(reader_, block_) {
    EXPECT_TRUE(reader_.OpenInputFile(file_.path()));
  }
  ByteSource& source() { return source_; }
  FirstSequenceBlock& block() { return block_; }

 private:
  TempFile file_;
  RecordingObserver observer_;
  FileReader reader_;
  FirstSequenceBlock block_{};
  ByteSource source_;
};

}  // namespace tessivo::test
