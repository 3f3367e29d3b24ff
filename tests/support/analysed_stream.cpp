#include "support/analysed_stream.h"

#include <gtest/gtest.h>

namespace tessivo::test {

AnalysedStream::AnalysedStream(const std::vector<uint8_t>& bytes, AnalysisSettings settings)
    : file_(std::make_unique<TempFile>(bytes)) {
  Run(file_->path(), settings);
}

AnalysedStream::AnalysedStream(const std::string& path, AnalysisSettings settings) {
  Run(path, settings);
}

void AnalysedStream::Run(const std::string& path, const AnalysisSettings& settings) {
  context_ = AnalysisContext::Create(settings, observer_);
  EXPECT_NE(context_, nullptr);
  openStatus_ = context_->StartAnalysis(path);
  if (openStatus_.ok()) context_->ReadToEnd();
}

std::string AnalysedStream::PictureTypes() const {
  std::string types;
  for (uint32_t i = 0; i < summary().pictureCount; ++i) types += picture(i).type;
  return types;
}

}  // namespace tessivo::test
