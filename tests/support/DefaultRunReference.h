// Selected rows of the default run (row number from 1, t, u, E) to five decimals, as the
// worked example of the exercise gives them, and a check of a run's rows against them.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <vector>

#include "model/ResultRow.h"

struct ReferenceRow {
  std::size_t row;
  double t, u, e;
};

inline constexpr ReferenceRow kDefaultRunReference[] = {
    {1, 0, 0, 0},          {2, 0.001, 0.00033, 0.03},  {3, 0.002, 0.00131, 0.06},
    {51, 0.05, 0.59441, 1.5}, {101, 0.1, 1.79630, 3},  {201, 0.2, 2.86956, 3},
    {401, 0.4, 2.99847, 3},  {402, 0.401, 2.99823, 2.97}, {451, 0.45, 2.40510, 1.5},
    {501, 0.5, 1.20354, 0}};

inline void ExpectDefaultRunReferenceRows(const std::vector<ResultRow>& rows) {
  ASSERT_EQ(rows.size(), 501u);
  const auto round5 = [](double x) { return std::round(x * 1e5) / 1e5; };
  for (const ReferenceRow& ref : kDefaultRunReference) {
    const ResultRow& row = rows[ref.row - 1];
    EXPECT_EQ(round5(row.t), ref.t) << "row " << ref.row;
    EXPECT_EQ(round5(row.u), ref.u) << "row " << ref.row;
    EXPECT_EQ(round5(row.E), ref.e) << "row " << ref.row;
  }
}
