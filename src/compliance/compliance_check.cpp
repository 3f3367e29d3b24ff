#include "compliance/compliance_check.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "buffer/display_timing.h"

namespace tessivo {

namespace {

constexpr const char* kNeedsFacts = "needs the picture facts of a run; a result file has none";
constexpr uint64_t kBitRateUnit = 400;
constexpr uint64_t kVbvBufferUnit = 16384;
constexpr double kAssumedFrameRate = 25.0;

std::string Format(const char* format, auto... values) {
  char text[160];
  std::snprintf(text, sizeof text, format, values...);
  return text;
}

std::string AtMost(uint64_t found, uint64_t limit, const char* unit) {
  return Format("%llu %s, at most %llu", static_cast<unsigned long long>(found), unit,
                static_cast<unsigned long long>(limit));
}

std::string AtMost(const char* what, uint64_t found, uint64_t limit, const char* unit) {
  return std::string(what) + " " + AtMost(found, limit, unit);
}

// Codes past the 16 a mask holds (from a damaged result file) are never allowed.
bool Allows(uint16_t codes, uint32_t code) {
  return code < 16 && (codes >> code & 1) != 0;
}

uint8_t VersionOf(const SequenceFacts& sequence) {
  return sequence.isMpeg2 ? kMpeg2 : kMpeg1;
}

// A damaged result file may hold any 32-bit value; past 255 stays past every allowed code.
uint8_t Code(uint32_t value) {
  return static_cast<uint8_t>(std::min<uint32_t>(value, 255));
}

// What the first sequence header and extensions in the summary tell, for a loaded result.
SequenceFacts SummarySequence(const SequenceSummary& summary) {
  SequenceFacts facts{};
  facts.bitRate = uint64_t{summary.bitRateValue} * kBitRateUnit;
  facts.vbvBufferSize = uint64_t{summary.vbvBufferSize} * kVbvBufferUnit;
  facts.frameRate = FrameRateOf(summary.frameRateIndex);
  facts.horizontalSize = summary.horizontalSize;
  facts.verticalSize = summary.verticalSize;
  facts.aspectRatioCode = Code(summary.aspectRatioCode);
  facts.frameRateCode = Code(summary.frameRateIndex);
  facts.constrainedParameters = summary.constrainedParameters;
  facts.isMpeg2 = summary.isMpeg2;
  facts.profileLevel = summary.profileLevel;
  facts.chromaFormat = Code(summary.chromaFormat);
  facts.progressiveSequence = summary.progressiveSequence != 0;
  return facts;
}

struct SequenceInForce {
  SequenceFacts facts;
  uint32_t firstPicture;
};

class Checker {
 public:
  Checker(const ComplianceProfile& profile, const ComplianceInput& input);
  RuleResult Check(const ComplianceRule& rule) const;

 private:
  using Finding = std::optional<std::string>;  // a failure's detail, or none

  bool HasFacts() const { return stores_.pictureFactsAvailable; }
  uint32_t pictureCount() const { return stores_.summary.pictureCount; }
  uint32_t gopCount() const { return stores_.recordedGopCount(); }
  const PictureFacts& facts(uint32_t picture) const { return stores_.pictureFacts()[picture]; }
  const SequenceFacts& sequenceOf(uint32_t picture) const {
    return stores_.sequenceFacts()[facts(picture).sequence];
  }
  bool Applies(const ComplianceRule& rule, uint8_t version) const {
    return (rule.versions & version) != 0;
  }

  void Fail(RuleResult& result, uint32_t gop, uint32_t second, uint32_t picture,
            std::string detail) const;
  void FailAtPicture(RuleResult& result, uint32_t picture, std::string detail) const;
  void FailAtGop(RuleResult& result, uint32_t gop, std::string detail) const;

  template <typename Test>
  void EachSequence(const ComplianceRule& rule, RuleResult& result, Test test) const;
  template <typename Test>
  void EachPicture(const ComplianceRule& rule, RuleResult& result, Test test) const;

  std::vector<const FrameFormat*> Candidates(const SequenceFacts& sequence) const;
  Finding FrameSize(const SequenceFacts& sequence) const;
  Finding FrameRate(const SequenceFacts& sequence) const;
  Finding AspectRatio(const SequenceFacts& sequence) const;
  Finding ProfileLevel(const SequenceFacts& sequence) const;

  void MeasuredBitrate(const ComplianceRule& rule, RuleResult& result) const;
  void BufferModel(RuleResult& result) const;
  void GopLengths(const ComplianceRule& rule, RuleResult& result) const;
  void GopFlags(const ComplianceRule& rule, RuleResult& result) const;
  void ConstantRate(const ComplianceRule& rule, RuleResult& result) const;
  // Each false when the rule is not of its kind.
  bool CheckEachSequence(const ComplianceRule& rule, RuleResult& result) const;
  bool CheckEachPicture(const ComplianceRule& rule, RuleResult& result) const;
  void CheckWholeStream(const ComplianceRule& rule, RuleResult& result) const;

  const ComplianceProfile& profile_;
  const ComplianceInput& input_;
  const RecordStores& stores_;
  std::vector<SequenceInForce> sequences_;
  std::vector<uint32_t> gopFirstPicture_;
  uint8_t streamVersion_;
};

Checker::Checker(const ComplianceProfile& profile, const ComplianceInput& input)
    : profile_(profile), input_(input), stores_(input.stores) {
  if (HasFacts() && stores_.sequenceFactsCount > 0) {
    for (uint32_t s = 0; s < stores_.sequenceFactsCount; ++s) {
      sequences_.push_back({stores_.sequenceFacts()[s], kNoPicture});
    }
    for (uint32_t p = 0; p < pictureCount(); ++p) {
      SequenceInForce& sequence = sequences_[facts(p).sequence];
      if (sequence.firstPicture == kNoPicture) sequence.firstPicture = p;
    }
  } else {
    sequences_.push_back({SummarySequence(stores_.summary), pictureCount() > 0 ? 0 : kNoPicture});
  }
  streamVersion_ = VersionOf(sequences_.front().facts);

  gopFirstPicture_.assign(gopCount(), kNoPicture);
  if (HasFacts()) {
    for (uint32_t p = pictureCount(); p-- > 0;) {
      if (facts(p).gop < gopCount()) gopFirstPicture_[facts(p).gop] = p;
    }
  } else {
    // Pictures no GOP pattern holds come before the first GOP.
    uint64_t inGops = 0;
    for (uint32_t g = 0; g < gopCount(); ++g) inGops += stores_.gops()[g].count;
    uint64_t next = pictureCount() - std::min<uint64_t>(inGops, pictureCount());
    for (uint32_t g = 0; g < gopCount() && next < pictureCount(); ++g) {
      gopFirstPicture_[g] = static_cast<uint32_t>(next);
      next += stores_.gops()[g].count;
    }
  }
}

void Checker::Fail(RuleResult& result, uint32_t gop, uint32_t second, uint32_t picture,
                   std::string detail) const {
  result.outcome = RuleOutcome::kFail;
  ++result.failureCount;
  if (result.failures.size() < kListedFailures) {
    result.failures.push_back({gop, second, picture, std::move(detail)});
  }
}

void Checker::FailAtPicture(RuleResult& result, uint32_t picture, std::string detail) const {
  if (picture == kNoPicture || !HasFacts()) {
    const uint32_t gop = picture != kNoPicture && gopCount() > 0 ? 0 : kNoGop;
    Fail(result, gop, kNoSecond, picture, std::move(detail));
    return;
  }
  Fail(result, facts(picture).gop, facts(picture).second, picture, std::move(detail));
}

void Checker::FailAtGop(RuleResult& result, uint32_t gop, std::string detail) const {
  const uint32_t picture = gopFirstPicture_[gop];
  const uint32_t second = picture != kNoPicture && HasFacts() ? facts(picture).second : kNoSecond;
  Fail(result, gop, second, picture, std::move(detail));
}

template <typename Test>
void Checker::EachSequence(const ComplianceRule& rule, RuleResult& result, Test test) const {
  bool applied = false;
  for (const SequenceInForce& sequence : sequences_) {
    if (!Applies(rule, VersionOf(sequence.facts))) continue;
    applied = true;
    if (Finding finding = test(sequence.facts)) {
      FailAtPicture(result, sequence.firstPicture, std::move(*finding));
    }
  }
  if (!applied) result.outcome = RuleOutcome::kNotApplicable;
}

template <typename Test>
void Checker::EachPicture(const ComplianceRule& rule, RuleResult& result, Test test) const {
  if (!HasFacts()) {
    result.outcome = RuleOutcome::kNotChecked;
    result.note = kNeedsFacts;
    return;
  }
  bool applied = false;
  for (uint32_t p = 0; p < pictureCount(); ++p) {
    if (!Applies(rule, VersionOf(sequenceOf(p)))) continue;
    applied = true;
    if (Finding finding = test(facts(p))) FailAtPicture(result, p, std::move(*finding));
  }
  if (!applied) result.outcome = RuleOutcome::kNotApplicable;
}

// The frame formats of the sequence's size, or all of its version when the size is not one.
std::vector<const FrameFormat*> Checker::Candidates(const SequenceFacts& sequence) const {
  std::vector<const FrameFormat*> sized;
  std::vector<const FrameFormat*> any;
  for (const FrameFormat& format : profile_.formats) {
    if ((format.versions & VersionOf(sequence)) == 0) continue;
    any.push_back(&format);
    if (format.width == sequence.horizontalSize && format.height == sequence.verticalSize) {
      sized.push_back(&format);
    }
  }
  return sized.empty() ? any : sized;
}

Checker::Finding Checker::FrameSize(const SequenceFacts& sequence) const {
  for (const FrameFormat& format : profile_.formats) {
    if ((format.versions & VersionOf(sequence)) != 0 && format.width == sequence.horizontalSize &&
        format.height == sequence.verticalSize) {
      return std::nullopt;
    }
  }
  return Format("%ux%u", sequence.horizontalSize, sequence.verticalSize);
}

Checker::Finding Checker::FrameRate(const SequenceFacts& sequence) const {
  const bool interlaced = sequence.isMpeg2 && !sequence.progressiveSequence;
  const uint8_t scan = interlaced ? kInterlacedScan : kProgressiveScan;
  for (const FrameFormat* format : Candidates(sequence)) {
    if (Allows(format->frameRateCodes, sequence.frameRateCode) && (format->scans & scan)) {
      return std::nullopt;
    }
  }
  return Format("frame_rate_code %u (%.3f Hz), %s", sequence.frameRateCode,
                FrameRateOf(sequence.frameRateCode), interlaced ? "interlaced" : "progressive");
}

Checker::Finding Checker::AspectRatio(const SequenceFacts& sequence) const {
  for (const FrameFormat* format : Candidates(sequence)) {
    if (Allows(format->aspectCodes, sequence.aspectRatioCode)) return std::nullopt;
  }
  return Format("aspect_ratio_information %u at %ux%u", sequence.aspectRatioCode,
                sequence.horizontalSize, sequence.verticalSize);
}

Checker::Finding Checker::ProfileLevel(const SequenceFacts& sequence) const {
  const auto& levels = profile_.profileLevels;
  if (std::find(levels.begin(), levels.end(), sequence.profileLevel) != levels.end()) {
    return std::nullopt;
  }
  return Format("profile_and_level_indication 0x%02X", sequence.profileLevel);
}

// Each second's coded bits over its frames (two field pictures make a frame), scaled to a
// second at the nominal frame rate, as the seconds records measure; from those records when the
// pictures' facts are missing.
void Checker::MeasuredBitrate(const ComplianceRule& rule, RuleResult& result) const {
  if (!HasFacts()) {
    for (uint32_t s = 0; s < input_.secondCount && s < stores_.secondCapacity(); ++s) {
      const uint64_t rate = uint64_t{stores_.seconds()[s].bitrate} * input_.kiloBase;
      if (rate > rule.limit) {
        Fail(result, kNoGop, s, kNoPicture, AtMost(rate, rule.limit, "bit/s"));
      }
    }
    return;
  }
  uint32_t first = 0;
  while (first < pictureCount()) {
    const uint32_t second = facts(first).second;
    uint64_t bits = 0;
    uint32_t halfFrames = 0;
    uint32_t p = first;
    for (; p < pictureCount() && facts(p).second == second; ++p) {
      bits += uint64_t{stores_.pictures()[p].size} * 8;
      halfFrames += facts(p).pictureStructure == kFrameStructure ? 2 : 1;
    }
    const double frameRate =
        sequenceOf(first).frameRate > 0.0 ? sequenceOf(first).frameRate : kAssumedFrameRate;
    const auto rate = static_cast<uint64_t>(static_cast<double>(bits) * 2.0 * frameRate /
                                            static_cast<double>(halfFrames));
    if (rate > rule.limit) {
      Fail(result, facts(first).gop, second, first, AtMost(rate, rule.limit, "bit/s"));
    }
    first = p;
  }
}

void Checker::BufferModel(RuleResult& result) const {
  const VbvResult* vbv = input_.vbv;
  if (vbv == nullptr || vbv->mode == VbvMode::kNone) {
    result.outcome = RuleOutcome::kNotChecked;
    result.note =
        HasFacts() ? "the buffer was not modelled (no pictures or no bit rate)" : kNeedsFacts;
    return;
  }
  for (const VbvEvent& event : vbv->events) {
    if (event.kind == VbvEventKind::kUnderflow) {
      Fail(result, event.gop, event.second, event.picture,
           Format("underflow, %lld bits missing", static_cast<long long>(event.bits)));
    } else if (event.kind == VbvEventKind::kOverflow) {
      Fail(result, event.gop, event.second, event.picture,
           Format("overflow, %lld bits above the buffer", static_cast<long long>(event.bits)));
    }
  }
}

// Frames, fields and display time of each GOP.
void Checker::GopLengths(const ComplianceRule& rule, RuleResult& result) const {
  const SequenceFacts& opening = sequences_.front().facts;
  const double openingRate = opening.frameRate > 0.0 ? opening.frameRate : kAssumedFrameRate;
  if (!HasFacts()) {
    if (rule.kind == RuleKind::kGopFields) {
      result.outcome = RuleOutcome::kNotChecked;
      result.note = kNeedsFacts;
      return;
    }
    // The parser's count; a GOP of 100 pictures or more shows as 100.
    const bool fields = stores_.summary.isMpeg2 && stores_.summary.pictureStructure != 3;
    for (uint32_t g = 0; g < gopCount(); ++g) {
      const uint32_t count = stores_.gops()[g].count;
      const double frames = fields ? count / 2.0 : count;
      if (rule.kind == RuleKind::kGopPictures && frames > static_cast<double>(rule.limit)) {
        FailAtGop(result, g,
                  Format("%.1f pictures, at most %llu", frames,
                         static_cast<unsigned long long>(rule.limit)));
      }
      const double milliseconds = 1000.0 * frames / openingRate;
      if (rule.kind == RuleKind::kGopDuration && milliseconds > static_cast<double>(rule.limit)) {
        FailAtGop(result, g,
                  Format("%.2f s, at most %.2f s", milliseconds / 1000.0,
                         static_cast<double>(rule.limit) / 1000.0));
      }
    }
    return;
  }
  uint32_t p = 0;
  while (p < pictureCount() && facts(p).gop == kNoGop) ++p;
  while (p < pictureCount()) {
    const uint32_t gop = facts(p).gop;
    uint32_t halfFrames = 0;
    uint32_t fields = 0;
    double seconds = 0.0;
    for (; p < pictureCount() && facts(p).gop == gop; ++p) {
      halfFrames += facts(p).pictureStructure == kFrameStructure ? 2 : 1;
      const uint32_t shown = DisplayFields(facts(p), sequenceOf(p));
      fields += shown;
      seconds += shown * FieldPeriod(sequenceOf(p));
    }
    if (rule.kind == RuleKind::kGopPictures && halfFrames > 2 * rule.limit) {
      FailAtGop(result, gop,
                Format(halfFrames % 2 ? "%u.5 pictures, at most %llu" : "%u pictures, at most %llu",
                       halfFrames / 2, static_cast<unsigned long long>(rule.limit)));
    } else if (rule.kind == RuleKind::kGopFields && fields > rule.limit) {
      FailAtGop(result, gop, AtMost(fields, rule.limit, "fields"));
    } else if (rule.kind == RuleKind::kGopDuration &&
               seconds * 1000.0 > static_cast<double>(rule.limit) + 1e-6) {
      FailAtGop(
          result, gop,
          Format("%.2f s, at most %.2f s", seconds, static_cast<double>(rule.limit) / 1000.0));
    }
  }
}

void Checker::GopFlags(const ComplianceRule& rule, RuleResult& result) const {
  if (gopCount() == 0) {
    Fail(result, kNoGop, kNoSecond, kNoPicture, "no GOP header");
    return;
  }
  if (rule.kind == RuleKind::kClosedFirstGop) {
    if (!stores_.gops()[0].closedGop) FailAtGop(result, 0, "the first GOP is open");
    return;
  }
  for (uint32_t g = 0; g < gopCount(); ++g) {
    if (!stores_.gops()[g].sequenceHeader) FailAtGop(result, g, "no sequence header before it");
  }
}

void Checker::ConstantRate(const ComplianceRule& rule, RuleResult& result) const {
  if (!HasFacts()) {
    if (!Applies(rule, streamVersion_)) {
      result.outcome = RuleOutcome::kNotApplicable;
      return;
    }
    // A result file keeps only whether the first picture had vbv_delay 0xFFFF.
    if (stores_.summary.vbrFlag) {
      FailAtPicture(result, 0, "vbv_delay 0xFFFF (variable rate)");
    } else {
      result.outcome = RuleOutcome::kNotChecked;
      result.note = kNeedsFacts;
    }
    return;
  }
  EachPicture(rule, result, [](const PictureFacts& picture) -> Finding {
    if (picture.vbvDelay != kVariableRateVbvDelay) return std::nullopt;
    return "vbv_delay 0xFFFF (variable rate)";
  });
}

bool Checker::CheckEachSequence(const ComplianceRule& rule, RuleResult& result) const {
  switch (rule.kind) {
    case RuleKind::kMpegVersion:
      for (const SequenceInForce& sequence : sequences_) {
        if ((rule.limit & VersionOf(sequence.facts)) == 0) {
          FailAtPicture(result, sequence.firstPicture,
                        sequence.facts.isMpeg2 ? "MPEG-2" : "MPEG-1");
        }
      }
      return true;
    case RuleKind::kProfileLevel:
      EachSequence(rule, result, [this](const SequenceFacts& s) { return ProfileLevel(s); });
      return true;
    case RuleKind::kFrameSize:
      EachSequence(rule, result, [this](const SequenceFacts& s) { return FrameSize(s); });
      return true;
    case RuleKind::kFrameRate:
      EachSequence(rule, result, [this](const SequenceFacts& s) { return FrameRate(s); });
      return true;
    case RuleKind::kAspectRatio:
      EachSequence(rule, result, [this](const SequenceFacts& s) { return AspectRatio(s); });
      return true;
    case RuleKind::kChromaFormat:
      EachSequence(rule, result, [&rule](const SequenceFacts& s) -> Finding {
        if (s.chromaFormat == rule.limit) return std::nullopt;
        return Format("chroma_format %u", s.chromaFormat);
      });
      return true;
    case RuleKind::kNominalBitrate:
      EachSequence(rule, result, [&rule](const SequenceFacts& s) -> Finding {
        if (s.bitRate <= rule.limit) return std::nullopt;
        return AtMost("bit_rate", s.bitRate, rule.limit, "bit/s");
      });
      return true;
    case RuleKind::kVbvBufferSize:
      EachSequence(rule, result, [&rule](const SequenceFacts& s) -> Finding {
        if (s.vbvBufferSize <= rule.limit) return std::nullopt;
        return AtMost("vbv_buffer_size", s.vbvBufferSize, rule.limit, "bits");
      });
      return true;
    case RuleKind::kConstrainedParameters:
      EachSequence(rule, result, [](const SequenceFacts& s) -> Finding {
        if (s.constrainedParameters) return std::nullopt;
        return "constrained_parameters_flag 0";
      });
      return true;
    case RuleKind::kLowDelay:
      if (!HasFacts()) {
        result.outcome = RuleOutcome::kNotChecked;
        result.note = kNeedsFacts;
        return true;
      }
      EachSequence(rule, result, [](const SequenceFacts& s) -> Finding {
        if (!s.lowDelay) return std::nullopt;
        return "low_delay 1";
      });
      return true;
    default:
      return false;
  }
}

bool Checker::CheckEachPicture(const ComplianceRule& rule, RuleResult& result) const {
  switch (rule.kind) {
    case RuleKind::kVbvDelayLimit:
      EachPicture(rule, result, [&rule](const PictureFacts& picture) -> Finding {
        if (picture.vbvDelay <= rule.limit) return std::nullopt;
        return AtMost("vbv_delay", picture.vbvDelay, rule.limit, "ticks");
      });
      return true;
    case RuleKind::kConstantRate:
      ConstantRate(rule, result);
      return true;
    default:
      return false;
  }
}

// These judge the stream as a whole, by the version it starts with.
void Checker::CheckWholeStream(const ComplianceRule& rule, RuleResult& result) const {
  if (!Applies(rule, streamVersion_)) {
    result.outcome = RuleOutcome::kNotApplicable;
    return;
  }
  switch (rule.kind) {
    case RuleKind::kMeasuredBitrate:
      MeasuredBitrate(rule, result);
      break;
    case RuleKind::kBufferModel:
      BufferModel(result);
      break;
    case RuleKind::kGopPictures:
    case RuleKind::kGopFields:
    case RuleKind::kGopDuration:
      GopLengths(rule, result);
      break;
    case RuleKind::kClosedFirstGop:
    case RuleKind::kSequenceHeaderEveryGop:
      GopFlags(rule, result);
      break;
    default:
      break;
  }
}

RuleResult Checker::Check(const ComplianceRule& rule) const {
  RuleResult result;
  result.rule = &rule;
  if (!CheckEachSequence(rule, result) && !CheckEachPicture(rule, result)) {
    CheckWholeStream(rule, result);
  }
  return result;
}

}  // namespace

bool ComplianceReport::passed() const {
  return std::none_of(rules.begin(), rules.end(),
                      [](const RuleResult& r) { return r.outcome == RuleOutcome::kFail; });
}

ComplianceReport CheckCompliance(const ComplianceProfile& profile, const ComplianceInput& input) {
  ComplianceReport report;
  report.profile = &profile;
  const Checker checker(profile, input);
  for (const ComplianceRule& rule : profile.rules) report.rules.push_back(checker.Check(rule));
  return report;
}

}  // namespace tessivo
