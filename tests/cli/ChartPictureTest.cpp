// rcpulse-cli --png / --pdf: the run's chart drawn off screen, with no display and no output
// but the result line; REZ.TXT as without them.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "CliProcess.h"
#include "tests/support/DefaultParameters.h"

namespace {

const std::string kResultLine = DefaultResultLine();
// No display at all, and a platform asked for that would need one.
const Environment kNoDisplay = {
    {"DISPLAY", std::nullopt}, {"WAYLAND_DISPLAY", std::nullopt}, {"QT_QPA_PLATFORM", "xcb"}};

// Width and height from a PNG's IHDR chunk (big-endian, bytes 16..23).
std::pair<std::uint32_t, std::uint32_t> PngSize(const std::string& png) {
  const auto word = [&](std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<unsigned char>(png[at + i]);
    return value;
  };
  return {word(16), word(20)};
}

class ChartPicture : public ::testing::Test {
 protected:
  TemporaryDirectory directory_;
  CurrentDirectoryScope inside_{directory_.Path()};  // the runner writes into its current folder
};

TEST_F(ChartPicture, PngAndPdfAreDrawnWithoutADisplay) {
  const CliResult plain = RunCli({"--decimal-separator", ","});
  const std::string plainFile = ReadWholeFile("REZ.TXT");
  const CliResult r =
      RunCli({"--decimal-separator", ",", "--png", "chart.png", "--pdf", "chart.pdf"}, kNoDisplay);
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, kResultLine);
  EXPECT_EQ(r.err, "");
  EXPECT_TRUE(ReadWholeFile("REZ.TXT") == plainFile);
  const std::string png = ReadWholeFile("chart.png");
  ASSERT_GE(png.size(), 24u);
  EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
  EXPECT_EQ(PngSize(png), std::make_pair(407u, 410u));
  EXPECT_TRUE(ReadWholeFile("chart.pdf").starts_with("%PDF"));
  EXPECT_EQ(plain.out, kResultLine);
}

TEST_F(ChartPicture, SizeIsChosenWithSize) {
  const CliResult r = RunCli({"--decimal-separator", ",", "--png", "big.png", "--size", "800x600"}, kNoDisplay);
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(PngSize(ReadWholeFile("big.png")), std::make_pair(800u, 600u));
  const CliResult bad = RunCli({"--png", "x.png", "--size", "800"});
  EXPECT_EQ(bad.exitCode, 2);
  EXPECT_EQ(bad.out, "");
}

TEST_F(ChartPicture, ARunErrorIsReportedAloneAndNoPictureWritten) {
  const CliResult r = RunCli({"--decimal-separator", ",", "--png", "chart.png", "--r", "0"}, kNoDisplay);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "Floating point division by zero.\n");
  EXPECT_FALSE(std::filesystem::exists("chart.png"));
}

}  // namespace
