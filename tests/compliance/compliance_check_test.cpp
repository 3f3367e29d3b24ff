// Compliance checks on built streams with known values and on DVD-style encoder output.
#include "compliance/compliance_check.h"

#include <gtest/gtest.h>

#include <string>

#include "analysis/result_file.h"
#include "support/analysed_stream.h"
#include "support/stream_builder.h"
#include "support/test_files.h"
#include "support/unit_stream.h"

namespace tessivo {
namespace {

using test::AnalysedStream;
using test::FixturePath;
using test::PictureCodingFields;
using test::SequenceExtensionFields;
using test::SequenceHeaderFields;
using test::UnitStream;

struct Checked {
  explicit Checked(const std::vector<uint8_t>& bytes, const char* profile) : run(bytes) {
    Check(profile);
  }
  Checked(const std::string& fixture, const char* profile) : run(FixturePath(fixture), {}) {
    Check(profile);
  }
  void Check(const char* profile) {
    vbv = SimulateVbv(run.stores());
    const ComplianceInput input{run.stores(), run.context().secondsRead(), 1024, &vbv};
    report = CheckCompliance(*FindComplianceProfile(profile), input);
  }
  // The result of the rule of that name; fails the test when there is none.
  const RuleResult& Rule(const std::string& name) const {
    for (const RuleResult& rule : report.rules) {
      if (rule.rule->name == name) return rule;
    }
    ADD_FAILURE() << "no rule " << name;
    return report.rules.front();
  }
  std::vector<std::string> FailedRules() const {
    std::vector<std::string> names;
    for (const RuleResult& rule : report.rules) {
      if (rule.outcome == RuleOutcome::kFail) names.push_back(rule.rule->name);
    }
    return names;
  }

  AnalysedStream run;
  VbvResult vbv;
  ComplianceReport report;
};

SequenceHeaderFields Header(uint32_t width, uint32_t height, uint8_t aspect, uint8_t frameRate,
                            uint32_t bitRateValue, uint32_t vbvBufferSize) {
  SequenceHeaderFields header;
  header.width = width;
  header.height = height;
  header.aspectRatioCode = aspect;
  header.frameRateCode = frameRate;
  header.bitRateValue = bitRateValue;
  header.vbvBufferSize = vbvBufferSize;
  return header;
}

// A constant-rate stream of `count` frame pictures of one GOP, each unit one frame's worth of
// bits, decoded 0.1 s after the first start code: the buffer holds a tenth of a second of bits.
std::vector<uint8_t> SteadyStream(const SequenceHeaderFields& header,
                                  const SequenceExtensionFields* extension, double frameRate,
                                  int count) {
  UnitStream stream(header, extension);
  const auto unit = static_cast<size_t>(header.bitRateValue * 400.0 / frameRate / 8.0);
  PictureCodingFields coding;
  coding.progressiveFrame = extension == nullptr || extension->progressiveSequence;
  for (int k = 0; k < count; ++k) {
    stream.Add(k == 0 ? 'I' : 'P', unit, 9000, extension ? &coding : nullptr);
  }
  return stream.bytes();
}

SequenceExtensionFields Extension(uint8_t profileLevel, bool progressive) {
  SequenceExtensionFields extension;
  extension.profileLevel = profileLevel;
  extension.progressiveSequence = progressive;
  return extension;
}

TEST(ComplianceProfilesTest, TheFiveProfilesByTheirCommandLineNames) {
  for (const char* id : {"dvd-pal", "dvd-ntsc", "svcd", "vcd", "atsc"}) {
    const ComplianceProfile* profile = FindComplianceProfile(id);
    ASSERT_NE(profile, nullptr) << id;
    EXPECT_FALSE(profile->rules.empty());
    for (const ComplianceRule& rule : profile->rules) EXPECT_NE(std::string(rule.source), "");
  }
  EXPECT_EQ(ComplianceProfiles().size(), 5u);
  EXPECT_EQ(FindComplianceProfile("dvd"), nullptr);
}

TEST(ComplianceCheckTest, VideoCdStreamMeetingEveryLimit) {
  // 352 x 288 at 25 Hz, pel aspect 0.9157, 1 152 000 bit/s, 40 960-byte buffer, 30 frames.
  SequenceHeaderFields header = Header(352, 288, 8, 3, 2880, 20);
  header.constrained = true;
  Checked vcd(SteadyStream(header, nullptr, 25.0, 30), "vcd");
  EXPECT_TRUE(vcd.report.passed()) << testing::PrintToString(vcd.FailedRules());
  EXPECT_EQ(vcd.Rule("No buffer underflow or overflow").outcome, RuleOutcome::kPass);
  EXPECT_EQ(vcd.Rule("GOP length (time)").outcome, RuleOutcome::kPass);

  // One bit_rate unit more, no constrained parameters, and a GOP over 2 s.
  SequenceHeaderFields loose = header;
  loose.bitRateValue = 2881;
  loose.constrained = false;
  Checked failing(SteadyStream(loose, nullptr, 25.0, 51), "vcd");
  EXPECT_EQ(failing.FailedRules(),
            (std::vector<std::string>{"Nominal bitrate", "Bitrate of each second",
                                      "Constrained parameters", "GOP length (time)"}));
  const RuleResult& gop = failing.Rule("GOP length (time)");
  ASSERT_EQ(gop.failures.size(), 1u);
  EXPECT_EQ(gop.failures[0].gop, 0u);
  EXPECT_EQ(gop.failures[0].picture, 0u);
  EXPECT_EQ(gop.failures[0].detail, "2.04 s, at most 2.00 s");
  EXPECT_EQ(failing.Rule("Nominal bitrate").failures[0].detail,
            "bit_rate 1152400 bit/s, at most 1152000");
}

TEST(ComplianceCheckTest, AtscFrameRatesDependOnSizeAndScan) {
  const SequenceExtensionFields interlaced = Extension(0x44, false);
  const SequenceExtensionFields progressive = Extension(0x44, true);
  // 4 Mbit/s, the largest buffer allowed (488 units).
  Checked hd(SteadyStream(Header(1920, 1080, 3, 4, 10000, 488), &interlaced, 30000.0 / 1001, 8),
             "atsc");
  EXPECT_TRUE(hd.report.passed()) << testing::PrintToString(hd.FailedRules());

  Checked hd60(SteadyStream(Header(1920, 1080, 3, 7, 10000, 488), &progressive, 60000.0 / 1001, 8),
               "atsc");
  EXPECT_EQ(hd60.FailedRules(), std::vector<std::string>{"Frame rate and scan"});
  EXPECT_EQ(hd60.Rule("Frame rate and scan").failures[0].detail,
            "frame_rate_code 7 (59.940 Hz), progressive");
  Checked hd720(SteadyStream(Header(1280, 720, 3, 7, 10000, 488), &progressive, 60000.0 / 1001, 8),
                "atsc");
  EXPECT_TRUE(hd720.report.passed()) << testing::PrintToString(hd720.FailedRules());

  // 4:3 is not for 1920 pixels; 489 buffer units and 4:2:2 are over the limits.
  SequenceExtensionFields wideChroma = interlaced;
  wideChroma.chromaFormat = 2;
  Checked wrong(SteadyStream(Header(1920, 1080, 2, 4, 10000, 489), &wideChroma, 30000.0 / 1001, 8),
                "atsc");
  EXPECT_EQ(wrong.FailedRules(),
            (std::vector<std::string>{"Aspect ratio", "4:2:0 chroma", "VBV buffer size"}));
}

TEST(ComplianceCheckTest, DvdAspectRatiosAndMpeg1Rules) {
  const SequenceExtensionFields mpeg2 = Extension(0x48, false);
  Checked wide(SteadyStream(Header(720, 576, 3, 3, 15000, 112), &mpeg2, 25.0, 15), "dvd-pal");
  EXPECT_TRUE(wide.report.passed()) << testing::PrintToString(wide.FailedRules());
  Checked narrowWide(SteadyStream(Header(352, 576, 3, 3, 15000, 112), &mpeg2, 25.0, 15), "dvd-pal");
  EXPECT_EQ(narrowWide.FailedRules(), std::vector<std::string>{"Aspect ratio"});
  EXPECT_EQ(narrowWide.Rule("Aspect ratio").failures[0].detail,
            "aspect_ratio_information 3 at 352x576");

  // MPEG-1 at 352 x 288 is allowed at a constant rate; the MPEG-2 rows do not apply to it.
  Checked mpeg1(SteadyStream(Header(352, 288, 8, 3, 3000, 20), nullptr, 25.0, 15), "dvd-pal");
  EXPECT_TRUE(mpeg1.report.passed()) << testing::PrintToString(mpeg1.FailedRules());
  EXPECT_EQ(mpeg1.Rule("Nominal bitrate (MPEG-2)").outcome, RuleOutcome::kNotApplicable);
  EXPECT_EQ(mpeg1.Rule("Main profile at main level").outcome, RuleOutcome::kNotApplicable);
  EXPECT_EQ(mpeg1.Rule("Constant rate (MPEG-1)").outcome, RuleOutcome::kPass);

  test::StreamBuilder variable;
  variable.SequenceHeader(Header(352, 288, 8, 3, 3000, 20)).Gop(0, 0, 0, 0, true);
  for (int k = 0; k < 12; ++k) variable.FramePicture(k ? 'P' : 'I', 4);
  Checked vbr(variable.bytes(), "dvd-pal");
  const RuleResult& constant = vbr.Rule("Constant rate (MPEG-1)");
  EXPECT_EQ(constant.outcome, RuleOutcome::kFail);
  EXPECT_EQ(constant.failureCount, 12u) << "every picture with vbv_delay 0xFFFF";
}

TEST(ComplianceCheckTest, GopLengthsCountFramesAndDisplayedFields) {
  const SequenceExtensionFields interlaced = Extension(0x48, false);
  UnitStream stream(Header(720, 576, 2, 3, 15000, 112), &interlaced);
  // GOP 0: 15 frames as 30 field pictures, 30 fields. GOP 1: 12 frames with
  // repeat_first_field, 36 fields.
  PictureCodingFields top;
  top.pictureStructure = kTopFieldStructure;
  top.topFieldFirst = true;
  top.progressiveFrame = false;
  PictureCodingFields bottom = top;
  bottom.pictureStructure = kBottomFieldStructure;
  for (int frame = 0; frame < 15; ++frame) {
    stream.Add(frame ? 'P' : 'I', 3000, 9000, &top).Add('P', 3000, 9000, &bottom);
  }
  stream.builder().SequenceHeader(Header(720, 576, 2, 3, 15000, 112)).SequenceExtension(interlaced);
  stream.builder().Gop(0, 0, 0, 15);
  PictureCodingFields repeated;
  repeated.topFieldFirst = true;
  repeated.repeatFirstField = true;
  repeated.progressiveFrame = false;
  for (int frame = 0; frame < 12; ++frame) stream.Add(frame ? 'P' : 'I', 3000, 9000, &repeated);
  Checked dvd(stream.bytes(), "dvd-pal");
  EXPECT_EQ(dvd.Rule("GOP length (pictures)").outcome, RuleOutcome::kPass);
  const RuleResult& fields = dvd.Rule("GOP length (fields)");
  ASSERT_EQ(fields.failureCount, 1u);
  EXPECT_EQ(fields.failures[0].gop, 1u);
  EXPECT_EQ(fields.failures[0].picture, 30u);
  EXPECT_EQ(fields.failures[0].detail, "36 fields, at most 30");
}

TEST(ComplianceCheckTest, GopFlagsAndASequenceThatChangesSize) {
  const SequenceExtensionFields mpeg2 = Extension(0x48, false);
  // 1.5 Mbit/s: 7500 bytes a frame. The first GOP is open.
  UnitStream stream(Header(720, 576, 2, 3, 3750, 112), &mpeg2, false);
  for (int k = 0; k < 5; ++k) stream.Add(k ? 'P' : 'I', 7500, 9000);
  stream.builder().Gop(0, 0, 0, 5, true);  // no sequence header in front
  for (int k = 0; k < 5; ++k) stream.Add(k ? 'P' : 'I', 7500, 9000);
  stream.builder().SequenceHeader(Header(640, 576, 2, 3, 3750, 112)).SequenceExtension(mpeg2);
  stream.builder().Gop(0, 0, 0, 10, true);
  for (int k = 0; k < 5; ++k) stream.Add(k ? 'P' : 'I', 7500, 9000);
  Checked dvd(stream.bytes(), "dvd-pal");
  EXPECT_EQ(dvd.FailedRules(), (std::vector<std::string>{"Frame size", "First GOP closed",
                                                         "Sequence header before every GOP"}));
  const RuleFailure& size = dvd.Rule("Frame size").failures.at(0);
  EXPECT_EQ(size.detail, "640x576");
  EXPECT_EQ(size.gop, 2u);
  EXPECT_EQ(size.picture, 10u);
  const RuleFailure& header = dvd.Rule("Sequence header before every GOP").failures.at(0);
  EXPECT_EQ(header.gop, 1u);
  EXPECT_EQ(header.picture, 5u);
  EXPECT_EQ(dvd.Rule("First GOP closed").failures.at(0).gop, 0u);
}

TEST(ComplianceCheckTest, DvdTargetOutputPassesDvdPal) {
  Checked dvd("dvd_pal.vob", "dvd-pal");
  EXPECT_TRUE(dvd.report.passed()) << testing::PrintToString(dvd.FailedRules());
  for (const RuleResult& rule : dvd.report.rules) {
    EXPECT_NE(rule.outcome, RuleOutcome::kNotChecked) << rule.rule->name;
  }
}

TEST(ComplianceCheckTest, TwentyPictureGopFailsTheGopLengthRuleAtThatGop) {
  Checked dvd("dvd_pal_gop20.vob", "dvd-pal");
  EXPECT_EQ(dvd.FailedRules(),
            (std::vector<std::string>{"GOP length (pictures)", "GOP length (fields)"}));
  const RuleResult& pictures = dvd.Rule("GOP length (pictures)");
  ASSERT_EQ(pictures.failures.size(), 1u) << "the second GOP holds the other 10";
  EXPECT_EQ(pictures.failures[0].gop, 0u);
  EXPECT_EQ(pictures.failures[0].second, 0u);
  EXPECT_EQ(pictures.failures[0].picture, 0u);
  EXPECT_EQ(pictures.failures[0].detail, "20 pictures, at most 15");
}

TEST(ComplianceCheckTest, TwelveMegabitStreamFailsTheBitrateRulesNamingTheSeconds) {
  Checked dvd("dvd_pal_12mbit.vob", "dvd-pal");
  EXPECT_EQ(dvd.FailedRules(), (std::vector<std::string>{"Nominal bitrate (MPEG-2)",
                                                         "Bitrate of each second (MPEG-2)"}));
  const RuleResult& measured = dvd.Rule("Bitrate of each second (MPEG-2)");
  ASSERT_EQ(measured.failures.size(), 2u);
  EXPECT_EQ(measured.failures[1].second, 1u);
  EXPECT_EQ(measured.failures[1].gop, 1u);
  EXPECT_EQ(measured.failures[1].picture, 26u);
  EXPECT_NEAR(std::stod(measured.failures[1].detail), 12e6, 12e4);
  EXPECT_EQ(dvd.Rule("Nominal bitrate (MPEG-2)").failures[0].detail,
            "bit_rate 12000000 bit/s, at most 9800000");
}

TEST(ComplianceCheckTest, ALoadedResultChecksWhatItHoldsAndSaysWhatItCannot) {
  Checked dvd("dvd_pal_12mbit.vob", "dvd-pal");
  test::TempFile result(".tsr");
  ASSERT_TRUE(SaveResultFile(dvd.run.context(), result.path()).ok());
  ASSERT_TRUE(LoadResultFile(dvd.run.context(), result.path()).ok());
  dvd.Check("dvd-pal");
  EXPECT_EQ(dvd.Rule("GOP length (fields)").outcome, RuleOutcome::kNotChecked);
  EXPECT_EQ(dvd.Rule("No buffer underflow or overflow").outcome, RuleOutcome::kNotChecked);
  EXPECT_NE(dvd.Rule("No low delay").note, "");
  EXPECT_EQ(dvd.Rule("GOP length (pictures)").outcome, RuleOutcome::kPass);
  // The seconds records in kbit of 1024 bits: the second second still fails.
  const RuleResult& measured = dvd.Rule("Bitrate of each second (MPEG-2)");
  ASSERT_EQ(measured.outcome, RuleOutcome::kFail);
  EXPECT_EQ(measured.failures.back().second, 1u);
  EXPECT_EQ(measured.failures.back().gop, kNoGop);
  EXPECT_EQ(dvd.Rule("Nominal bitrate (MPEG-2)").outcome, RuleOutcome::kFail);

  // A damaged file's codes past every table fail their rules and nothing else.
  SequenceSummary& summary = dvd.run.context().stores().summary;
  summary.aspectRatioCode = 259;
  summary.frameRateIndex = 200;
  dvd.Check("dvd-pal");
  EXPECT_EQ(dvd.Rule("Aspect ratio").outcome, RuleOutcome::kFail);
  EXPECT_EQ(dvd.Rule("Frame rate").outcome, RuleOutcome::kFail);
}

TEST(ComplianceCheckTest, ALoadedResultOfAVariableRateDvdFailsNoRuleOfTheOtherVersion) {
  Checked dvd("dvd_pal.vob", "dvd-pal");
  ASSERT_TRUE(dvd.run.summary().vbrFlag) << "ffmpeg's DVD target writes vbv_delay 0xFFFF";
  test::TempFile result(".tsr");
  ASSERT_TRUE(SaveResultFile(dvd.run.context(), result.path()).ok());
  ASSERT_TRUE(LoadResultFile(dvd.run.context(), result.path()).ok());
  dvd.Check("dvd-pal");
  // Only MPEG-1 on DVD must keep a constant rate.
  EXPECT_EQ(dvd.Rule("Constant rate (MPEG-1)").outcome, RuleOutcome::kNotApplicable);
  EXPECT_TRUE(dvd.FailedRules().empty());
  EXPECT_TRUE(dvd.report.passed());
}

}  // namespace
}  // namespace tessivo
