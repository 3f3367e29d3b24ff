#include "analysis/result_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>
#include <system_error>

#include "base/partial_file.h"

namespace tessivo {

namespace {

constexpr size_t kChunkRecords = 256;

// After the picture records, only when a value does not fit its 32-bit field: a tag, the length
// of what follows it, the 64-bit streamBytes and one 64-bit position per GOP. Readers that go by
// the counts never look past the pictures.
constexpr uint8_t kTrailerTag[4] = {'T', 'S', '6', '4'};
constexpr uint64_t kTrailerHeadSize = sizeof kTrailerTag + 8;

uint64_t TrailerBodySize(uint32_t gopCount) {
  return 8 + 8 * uint64_t{gopCount};
}

bool Beyond32Bits(uint64_t value) {
  return value > std::numeric_limits<uint32_t>::max();
}

bool NeedsTrailer(const RecordStores& stores, uint32_t gopCount) {
  if (Beyond32Bits(stores.streamByteCount)) return true;
  return std::any_of(stores.gopPositions(), stores.gopPositions() + gopCount, Beyond32Bits);
}

// Little-endian field access at fixed offsets of a stored record.
void Put8(uint8_t* at, uint8_t value) {
  *at = value;
}
void Put32(uint8_t* at, uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}
void PutDouble(uint8_t* at, double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  for (int i = 0; i < 8; ++i) at[i] = static_cast<uint8_t>(bits >> (8 * i));
}
void Put64(uint8_t* at, uint64_t value) {
  for (int i = 0; i < 8; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}
uint64_t Get64(const uint8_t* at) {
  uint64_t value = 0;
  for (int i = 0; i < 8; ++i) value |= uint64_t{at[i]} << (8 * i);
  return value;
}
uint32_t Get32(const uint8_t* at) {
  return uint32_t{at[0]} | uint32_t{at[1]} << 8 | uint32_t{at[2]} << 16 | uint32_t{at[3]} << 24;
}
double GetDouble(const uint8_t* at) {
  uint64_t bits = 0;
  for (int i = 0; i < 8; ++i) bits |= uint64_t{at[i]} << (8 * i);
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

void EncodeHeader(const SequenceSummary& s, uint8_t* out) {
  std::memset(out, 0, kResultHeaderSize);
  for (size_t i = 0; i + 1 < kFileNameSize && s.fileName[i] != '\0'; ++i) {
    out[i] = static_cast<uint8_t>(s.fileName[i]);
  }
  Put8(out + 128, s.isMpeg2);
  Put8(out + 129, s.profileLevel);
  Put32(out + 132, s.progressiveSequence);
  Put32(out + 136, s.chromaFormat);
  Put8(out + 140, s.vbrFlag);
  Put32(out + 144, s.horizontalSize);
  Put32(out + 148, s.verticalSize);
  Put32(out + 152, s.aspectRatioCode);
  Put32(out + 156, s.frameRateIndex);
  Put32(out + 160, s.bitRateValue);
  Put32(out + 164, s.vbvBufferSize);
  Put8(out + 168, s.constrainedParameters);
  Put32(out + 172, s.intraDcPrecision);
  Put32(out + 176, s.pictureStructure);
  Put8(out + 180, s.topFieldFirst);
  Put8(out + 181, s.framePredFrameDct);
  Put8(out + 182, s.qScaleType);
  Put8(out + 183, s.alternateScan);
  Put8(out + 184, s.progressiveFrame);
  Put32(out + 188, s.streamBytes);
  Put32(out + 192, s.pictureCount);
  Put32(out + 196, s.peakBitrate);
  Put32(out + 200, s.averageBitrate);
  PutDouble(out + 208, s.peakQuant);
  PutDouble(out + 216, s.averageQuant);
  Put32(out + 224, s.savedSecondCount);
  Put32(out + 228, s.savedGopCount);
}

void DecodeHeader(const uint8_t* in, SequenceSummary& s) {
  std::memset(&s, 0, sizeof s);
  std::memcpy(s.fileName, in, kFileNameSize - 1);
  s.isMpeg2 = in[128];
  s.profileLevel = in[129];
  s.progressiveSequence = Get32(in + 132);
  s.chromaFormat = Get32(in + 136);
  s.vbrFlag = in[140];
  s.horizontalSize = Get32(in + 144);
  s.verticalSize = Get32(in + 148);
  s.aspectRatioCode = Get32(in + 152);
  s.frameRateIndex = Get32(in + 156);
  s.bitRateValue = Get32(in + 160);
  s.vbvBufferSize = Get32(in + 164);
  s.constrainedParameters = in[168];
  s.intraDcPrecision = Get32(in + 172);
  s.pictureStructure = Get32(in + 176);
  s.topFieldFirst = in[180];
  s.framePredFrameDct = in[181];
  s.qScaleType = in[182];
  s.alternateScan = in[183];
  s.progressiveFrame = in[184];
  s.streamBytes = Get32(in + 188);
  s.pictureCount = Get32(in + 192);
  s.peakBitrate = Get32(in + 196);
  s.averageBitrate = Get32(in + 200);
  s.peakQuant = GetDouble(in + 208);
  s.averageQuant = GetDouble(in + 216);
  s.savedSecondCount = Get32(in + 224);
  s.savedGopCount = Get32(in + 228);
}

void EncodeSecond(const PerSecondStats& r, uint8_t* out) {
  std::memset(out, 0, kStoredSecondSize);
  Put32(out + 4, r.bitrate);
  PutDouble(out + 8, r.quant);
  Put8(out + 16, r.valid);
}

void DecodeSecond(const uint8_t* in, PerSecondStats& r) {
  r.reserved = 0;
  r.bitrate = Get32(in + 4);
  r.quant = GetDouble(in + 8);
  r.valid = in[16];
}

void EncodeGop(const GopRecord& r, uint8_t* out) {
  std::memset(out, 0, kStoredGopSize);
  Put8(out + 0, r.hours);
  Put8(out + 1, r.minutes);
  Put8(out + 2, r.seconds);
  Put8(out + 3, r.pictures);
  std::memcpy(out + 4, r.pattern, kPatternSize);
  Put8(out + 105, r.count);
  Put8(out + 106, r.closedGop);
  Put8(out + 107, r.brokenLink);
  Put8(out + 108, r.sequenceHeader);
  Put32(out + 112, r.position);
}

void DecodeGop(const uint8_t* in, GopRecord& r) {
  r.hours = in[0];
  r.minutes = in[1];
  r.seconds = in[2];
  r.pictures = in[3];
  std::memcpy(r.pattern, in + 4, kPatternSize);
  r.pattern[kPatternSize - 1] = '\0';  // a foreign file may leave it open
  r.count = in[105];
  r.closedGop = in[106];
  r.brokenLink = in[107];
  r.sequenceHeader = in[108];
  r.position = Get32(in + 112);
}

void EncodePicture(const PictureRecord& r, uint8_t* out) {
  std::memset(out, 0, kStoredPictureSize);
  Put8(out + 0, static_cast<uint8_t>(r.type));
  Put32(out + 4, r.size);
  Put32(out + 8, static_cast<uint32_t>(r.qmin));
  Put32(out + 12, static_cast<uint32_t>(r.qmax));
  PutDouble(out + 16, r.qavg);
}

void DecodePicture(const uint8_t* in, PictureRecord& r) {
  r.type = static_cast<char>(in[0]);
  r.size = Get32(in + 4);
  r.qmin = static_cast<int32_t>(Get32(in + 8));
  r.qmax = static_cast<int32_t>(Get32(in + 12));
  r.qavg = GetDouble(in + 16);
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

template <typename Record, typename Encoder>
bool WriteRecords(std::FILE* file, const Record* records, uint32_t count, size_t storedSize,
                  Encoder encode, uint8_t* chunk) {
  for (uint32_t first = 0; first < count; first += kChunkRecords) {
    const uint32_t n = std::min<uint32_t>(kChunkRecords, count - first);
    for (uint32_t i = 0; i < n; ++i) encode(records[first + i], chunk + i * storedSize);
    if (std::fwrite(chunk, storedSize, n, file) != n) return false;
  }
  return true;
}

template <typename Record, typename Decoder>
bool ReadRecords(std::FILE* file, Record* records, uint32_t count, size_t storedSize,
                 Decoder decode, uint8_t* chunk) {
  for (uint32_t first = 0; first < count; first += kChunkRecords) {
    const uint32_t n = std::min<uint32_t>(kChunkRecords, count - first);
    if (std::fread(chunk, storedSize, n, file) != n) return false;
    for (uint32_t i = 0; i < n; ++i) decode(chunk + i * storedSize, records[first + i]);
  }
  return true;
}

bool WriteTrailer(std::FILE* file, const RecordStores& stores, uint32_t gopCount, uint8_t* chunk) {
  uint8_t head[kTrailerHeadSize + 8];
  std::memcpy(head, kTrailerTag, sizeof kTrailerTag);
  Put64(head + sizeof kTrailerTag, TrailerBodySize(gopCount));
  Put64(head + kTrailerHeadSize, stores.streamByteCount);
  if (std::fwrite(head, sizeof head, 1, file) != 1) return false;
  const auto encode = [](uint64_t position, uint8_t* out) { Put64(out, position); };
  return WriteRecords(file, stores.gopPositions(), gopCount, 8, encode, chunk);
}

bool SeekTo(std::FILE* file, uint64_t offset) {
#ifdef _WIN32
  return _fseeki64(file, static_cast<__int64>(offset), SEEK_SET) == 0;
#else
  return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

// Checked before any record is read, so that a refused file leaves the records as they were:
// every wide value must agree with the low 32 bits its record holds, and a trailer with nothing
// beyond 32 bits was not written by a saver.
bool TrailerMatches(const std::string& path, const SequenceSummary& loaded, uint64_t gopOffset,
                    uint64_t trailerOffset, uint8_t* chunk) {
  File gops(std::fopen(path.c_str(), "rb"));
  File trailer(std::fopen(path.c_str(), "rb"));
  if (!gops || !trailer || !SeekTo(gops.get(), gopOffset) ||
      !SeekTo(trailer.get(), trailerOffset)) {
    return false;
  }
  uint8_t head[kTrailerHeadSize + 8];
  if (std::fread(head, sizeof head, 1, trailer.get()) != 1 ||
      std::memcmp(head, kTrailerTag, sizeof kTrailerTag) != 0 ||
      Get64(head + sizeof kTrailerTag) != TrailerBodySize(loaded.savedGopCount)) {
    return false;
  }
  const uint64_t streamBytes = Get64(head + kTrailerHeadSize);
  if (static_cast<uint32_t>(streamBytes) != loaded.streamBytes) return false;
  bool wide = Beyond32Bits(streamBytes);
  uint8_t positions[kChunkRecords * 8];
  for (uint32_t first = 0; first < loaded.savedGopCount; first += kChunkRecords) {
    const uint32_t n = std::min<uint32_t>(kChunkRecords, loaded.savedGopCount - first);
    if (std::fread(chunk, kStoredGopSize, n, gops.get()) != n ||
        std::fread(positions, 8, n, trailer.get()) != n) {
      return false;
    }
    for (uint32_t i = 0; i < n; ++i) {
      const uint64_t position = Get64(positions + size_t{8} * i);
      if (static_cast<uint32_t>(position) != Get32(chunk + size_t{i} * kStoredGopSize + 112))
        return false;
      wide = wide || Beyond32Bits(position);
    }
  }
  return wide;
}

bool ReadTrailer(std::FILE* file, RecordStores& stores, uint8_t* chunk) {
  uint8_t head[kTrailerHeadSize + 8];
  if (std::fread(head, sizeof head, 1, file) != 1) return false;
  stores.streamByteCount = Get64(head + kTrailerHeadSize);
  const auto decode = [](const uint8_t* in, uint64_t& position) { position = Get64(in); };
  return ReadRecords(file, stores.gopPositions(), stores.summary.savedGopCount, 8, decode, chunk);
}

// Where a result file's records lie, from the counts its header announces.
struct StoredLayout {
  uint64_t gopOffset = 0;
  uint64_t recordsEnd = 0;
  bool hasTrailer = false;
};

Status CheckLayout(const std::string& path, uint64_t length, const SequenceSummary& loaded,
                   const RecordStores& stores, StoredLayout& layout) {
  layout.gopOffset = kResultHeaderSize + kStoredSecondSize * loaded.savedSecondCount;
  layout.recordsEnd = layout.gopOffset + kStoredGopSize * loaded.savedGopCount +
                      kStoredPictureSize * loaded.pictureCount;
  layout.hasTrailer =
      length == layout.recordsEnd + kTrailerHeadSize + TrailerBodySize(loaded.savedGopCount);
  if (length != layout.recordsEnd && !layout.hasTrailer) {
    return Failure(StatusKind::kBadResultFile,
                   path +
                       " is not a result file: its length does not match the records it "
                       "announces");
  }
  if (loaded.savedSecondCount > stores.secondCapacity() ||
      loaded.savedGopCount > stores.capacity() || loaded.pictureCount > stores.capacity()) {
    return Failure(StatusKind::kBadResultFile,
                   path + " holds more records than this analysis can keep (Max. frames: " +
                       std::to_string(stores.capacity()) + ")");
  }
  return Status{};
}

// Replaces the stores' records with the file's; false when the file could not be read whole.
bool ReadStoredRecords(std::FILE* file, const SequenceSummary& loaded, bool hasTrailer,
                       RecordStores& stores, uint8_t* chunk) {
  stores.ClearSummary();
  stores.summary = loaded;
  stores.streamByteCount = loaded.streamBytes;
  stores.ClearSeconds();
  stores.ClearPicturesAndGops();
  const bool read =
      ReadRecords(file, stores.seconds(), loaded.savedSecondCount, kStoredSecondSize, DecodeSecond,
                  chunk) &&
      ReadRecords(file, stores.gops(), loaded.savedGopCount, kStoredGopSize, DecodeGop, chunk) &&
      ReadRecords(file, stores.pictures(), loaded.pictureCount, kStoredPictureSize, DecodePicture,
                  chunk);
  if (!read) return false;
  for (uint32_t i = 0; i < loaded.savedGopCount; ++i)
    stores.gopPositions()[i] = stores.gops()[i].position;
  return !hasTrailer || ReadTrailer(file, stores, chunk);
}

}  // namespace

Status SaveResultFile(AnalysisContext& context, const std::string& path) {
  RecordStores& stores = context.stores();
  SequenceSummary& summary = stores.summary;
  summary.savedSecondCount = stores.ValidSecondCount();
  summary.savedGopCount = stores.gopCount;

  PartialFile file(&context.observer());
  if (!file.Create(path))
    return Failure(StatusKind::kCannotWrite, "Cannot create the result file " + path);
  auto chunk = std::make_unique_for_overwrite<uint8_t[]>(kChunkRecords * kStoredGopSize);
  uint8_t header[kResultHeaderSize];
  EncodeHeader(summary, header);
  bool written = std::fwrite(header, kResultHeaderSize, 1, file.get()) == 1 &&
                 WriteRecords(file.get(), stores.seconds(), summary.savedSecondCount,
                              kStoredSecondSize, EncodeSecond, chunk.get()) &&
                 WriteRecords(file.get(), stores.gops(), summary.savedGopCount, kStoredGopSize,
                              EncodeGop, chunk.get()) &&
                 WriteRecords(file.get(), stores.pictures(), summary.pictureCount,
                              kStoredPictureSize, EncodePicture, chunk.get()) &&
                 (!NeedsTrailer(stores, summary.savedGopCount) ||
                  WriteTrailer(file.get(), stores, summary.savedGopCount, chunk.get()));
  if (!file.Commit(written))
    return Failure(StatusKind::kCannotWrite, "Cannot write the result file " + path);
  return Status{};
}

Status LoadResultFile(AnalysisContext& context, const std::string& path) {
  std::error_code error;
  const uint64_t length = std::filesystem::file_size(path, error);
  File file(error ? nullptr : std::fopen(path.c_str(), "rb"));
  if (!file) return Failure(StatusKind::kBadResultFile, "Cannot open the result file " + path);

  uint8_t header[kResultHeaderSize];
  if (length < kResultHeaderSize || std::fread(header, kResultHeaderSize, 1, file.get()) != 1) {
    return Failure(StatusKind::kBadResultFile,
                   path + " is not a result file: it is shorter than a result header");
  }
  SequenceSummary loaded;
  DecodeHeader(header, loaded);
  RecordStores& stores = context.stores();
  StoredLayout layout;
  Status layoutStatus = CheckLayout(path, length, loaded, stores, layout);
  if (!layoutStatus.ok()) return layoutStatus;
  auto chunk = std::make_unique_for_overwrite<uint8_t[]>(kChunkRecords * kStoredGopSize);
  if (layout.hasTrailer &&
      !TrailerMatches(path, loaded, layout.gopOffset, layout.recordsEnd, chunk.get())) {
    return Failure(StatusKind::kBadResultFile,
                   path +
                       " is not a result file: its trailer of 64-bit positions does not match its "
                       "records");
  }

  if (!ReadStoredRecords(file.get(), loaded, layout.hasTrailer, stores, chunk.get())) {
    // The file changed under us; leave no mixture of two analyses behind.
    stores.ClearSummary();
    stores.ClearSeconds();
    stores.ClearPicturesAndGops();
    context.MarkResultLoaded(0);
    return Failure(StatusKind::kBadResultFile, "Cannot read the result file " + path);
  }
  stores.gopCount = loaded.savedGopCount;
  // Every record the file counts is one of the analysis, whatever its flag says.
  for (uint32_t i = 0; i < loaded.savedSecondCount; ++i) stores.seconds()[i].valid = 1;
  context.MarkResultLoaded(loaded.savedSecondCount);
  return Status{};
}

}  // namespace tessivo
