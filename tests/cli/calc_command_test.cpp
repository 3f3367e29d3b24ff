// tessivo-cli calc: the calculator's tabs as text.
#include <gtest/gtest.h>

#include "support/test_files.h"

namespace tessivo {
namespace {

TEST(CalcCommandTest, BitrateTabAtItsInitialValues) {
  const test::CliResult result = test::RunCli({"calc", "bitrate"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out,
            "1150800 bps\n1124 Kbps\n1 Mpps\n"
            "Additional audiostream bitrate: 192 Kbps\n"
            "168426.00 Byte/sec\n  164.48 KByte/sec\n    0.16 MByte/sec\n"
            "Compliance: VCD,S-VCD,DVD-VIDEO\n"
            "CD-ROM 650MB         CDROM/XA  ~ 73:58\n"
            "CD-ROM 700MB         CDROM/XA  ~ 79:39\n"
            "DVD-RAM 2.6GB        UDFS      ~ 255:00\n"
            "DVD-R/RW/RAM 4.7GB   UDFS      ~ 464:19\n"
            "DVD-R 3.9GB          UDFS      ~ 385:55\n");
}

TEST(CalcCommandTest, BitrateTabFollowsTheRateGiven) {
  const test::CliResult kbps = test::RunCli({"calc", "bitrate", "--kbps", "1125"});
  EXPECT_EQ(kbps.out.rfind("1152000 bps\n1125 Kbps\n1 Mpps\n", 0), 0u) << kbps.out;
  const test::CliResult vcd = test::RunCli({"calc", "bitrate", "--bps", "1376000", "--audio", "0"});
  EXPECT_NE(vcd.out.find("Compliance: VCD,S-VCD,DVD-VIDEO\n"), std::string::npos);
  const test::CliResult below =
      test::RunCli({"calc", "bitrate", "--bps", "1344000", "--audio", "0", "--kilo", "1000"});
  EXPECT_NE(below.out.find("Compliance: S-VCD,DVD-VIDEO\n"), std::string::npos);
  EXPECT_NE(below.out.find("1344 Kbps\n"), std::string::npos);
  const test::CliResult zero = test::RunCli({"calc", "bitrate", "--mbps", "0", "--audio", "0"});
  EXPECT_NE(zero.out.find("DVD-R/RW/RAM 4.7GB   UDFS      ~ --:--\n"), std::string::npos);
}

TEST(CalcCommandTest, LengthTab) {
  const test::CliResult initial = test::RunCli({"calc", "length"});
  ASSERT_EQ(initial.exitCode, 0) << initial.err;
  EXPECT_NE(initial.out.find("Res: Full-D1 PAL 720*576\n"), std::string::npos);
  EXPECT_NE(initial.out.find("Media type: RVR-R/RW/RAM 4.7GB\n"), std::string::npos);
  EXPECT_NE(initial.out.find("Suggested bitrate (Kbps): 5885\nQ: 42 (Average quality)\n"),
            std::string::npos);

  const test::CliResult cd =
      test::RunCli({"calc", "length", "--media", "5", "--custom", "700", "--minutes", "80",
                    "--audio", "0", "--kilo", "1000", "--resolution", "0"});
  EXPECT_NE(cd.out.find("Suggested bitrate (Kbps): 1166\nQ: 52 (Average quality)\n"),
            std::string::npos)
      << cd.out;
  const test::CliResult full = test::RunCli({"calc", "length", "--extra", "5000"});
  EXPECT_NE(full.out.find("Suggested bitrate (Kbps): Error!\n"), std::string::npos);
}

TEST(CalcCommandTest, BadArgumentsAreUsageErrors) {
  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {"calc"},
           {"calc", "bitrate", "length"},
           {"calc", "bitrate", "--bps", "1", "--kbps", "1"},
           {"calc", "bitrate", "--kilo", "1012"},
           {"calc", "length", "--media", "6"},
           {"calc", "length", "--extra", "lots"},
       }) {
    EXPECT_EQ(test::RunCli(arguments).exitCode, 64) << arguments.back();
  }
}

}  // namespace
}  // namespace tessivo
