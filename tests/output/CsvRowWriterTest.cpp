#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "model/Errors.h"
#include "output/CsvRowWriter.h"
#include "tests/support/TemporaryDirectory.h"

namespace {

class CsvRowWriterTest : public testing::Test {
 protected:
  std::string Path(const char* name) const { return (directory_ / name).string(); }
  static std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  TemporaryDirectory directory_;
};

TEST_F(CsvRowWriterTest, WritesAHeaderAndSeventeenSignificantDigits) {
  const std::string path = Path("rows.csv");
  CsvRowWriter csv(path, false);
  csv.Write({0, 0, 0});
  csv.Write({0.1, -0.0, 3});
  csv.Write({1e-300, 2.0 / 3, 1e22});
  csv.Close();
  // As printf("%.17g") writes them (checked with Python's "%.17g" % value).
  EXPECT_EQ(Contents(path),
            "t,u,E\n"
            "0,0,0\n"
            "0.10000000000000001,-0,3\n"
            "1e-300,0.66666666666666663,1e+22\n");
}

TEST_F(CsvRowWriterTest, AddsTheExactValueAndTheError) {
  const std::string path = Path("exact.csv");
  CsvRowWriter csv(path, true);
  csv.Write({0.5, 1.25, 0}, 1.2500000000000000001L, 1e-19L);
  csv.Close();
  EXPECT_EQ(Contents(path), "t,u,E,u_exact,error\n0.5,1.25,0,1.25,1e-19\n");
}

TEST_F(CsvRowWriterTest, EveryNumberReadsBackAsTheSameDouble) {
  const std::string path = Path("roundtrip.csv");
  const double values[] = {0.001, 0.30000000000000004, 1.2035412345678901, -2.5e-310, 5e-324,
                           1.7976931348623157e308};
  {
    CsvRowWriter csv(path, false);
    for (double v : values) csv.Write({v, -v, v / 3});
    csv.Close();
  }
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  for (double v : values) {
    ASSERT_TRUE(std::getline(in, line));
    std::istringstream fields(line);
    std::string t, u, e;
    std::getline(fields, t, ',');
    std::getline(fields, u, ',');
    std::getline(fields, e, ',');
    EXPECT_EQ(std::strtod(t.c_str(), nullptr), v) << line;
    EXPECT_EQ(std::strtod(u.c_str(), nullptr), -v) << line;
    EXPECT_EQ(std::strtod(e.c_str(), nullptr), v / 3) << line;
  }
}

TEST_F(CsvRowWriterTest, AFileThatCannotBeCreatedIsAnInOutError) {
  EXPECT_THROW(CsvRowWriter(Path("missing/rows.csv"), false), EInOutError);
}

}  // namespace
