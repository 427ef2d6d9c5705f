#include "model/ExactVoltage.h"

#include <algorithm>
#include <cmath>

#include "model/Errors.h"

namespace {

// e^x - 1 - x without the cancellation that subtracting x from expm1(x) suffers near 0.
Extended ExpM1MinusX(Extended x) {
  if (std::fabs(x) >= 0.5L) return std::expm1(x) - x;
  // x^2/2! + x^3/3! + ...; for |x| < 0.5 the terms fall below the last bit within 20 terms.
  Extended term = x * x / 2;
  Extended sum = term;
  for (int k = 3; k < 40; ++k) {
    term *= x / k;
    const Extended next = sum + term;
    if (next == sum) break;
    sum = next;
  }
  return sum;
}

// The parameters are finite doubles, so a result that is not finite grew past the extended
// range (an infinity, or two of them cancelling to a NaN).
Extended CheckedResult(Extended value) {
  if (!std::isfinite(value)) throw EOverflow();
  return value;
}

}  // namespace

ExactSolution::ExactSolution(const CalcParams& params) : params_(params) {
  // The run's slope divides by R*C rounded to a double; a zero there is a division by zero.
  if (StoreDouble(Extended(params.R) * params.C) == 0) throw EZeroDivide();
  timeConstant_ = Extended(params.R) * params.C;

  corners_ = {params.T1, params.T2, params.T3, params.T4};
  std::sort(corners_.begin(), corners_.end());
  corners_.erase(std::unique(corners_.begin(), corners_.end()), corners_.end());
  startCorner_ = static_cast<std::size_t>(
      std::find(corners_.begin(), corners_.end(), Extended(params.T1)) - corners_.begin());

  cornerValues_.assign(corners_.size(), 0);
  cornerValues_[startCorner_] = params.U0;
  for (std::size_t i = startCorner_ + 1; i < corners_.size(); ++i) {
    cornerValues_[i] = CheckedResult(
        Advance(PieceBetween(i - 1, i), corners_[i - 1], cornerValues_[i - 1], corners_[i]));
  }
  for (std::size_t i = startCorner_; i > 0; --i) {
    cornerValues_[i - 1] = CheckedResult(
        Advance(PieceBetween(i - 1, i), corners_[i], cornerValues_[i], corners_[i - 1]));
  }
}

Extended ExactSolution::operator()(double t) const {
  const Extended time = t;
  // Start from the corner on T1's side of t, so that only the piece holding t is crossed.
  std::size_t from = startCorner_;
  if (time >= corners_[startCorner_]) {
    while (from + 1 < corners_.size() && corners_[from + 1] <= time) ++from;
    const Piece piece = from + 1 < corners_.size() ? PieceBetween(from, from + 1) : Piece{};
    return CheckedResult(Advance(piece, corners_[from], cornerValues_[from], time));
  }
  while (from > 0 && corners_[from - 1] >= time) --from;
  const Piece piece = from > 0 ? PieceBetween(from - 1, from) : Piece{};
  return CheckedResult(Advance(piece, corners_[from], cornerValues_[from], time));
}

ExactSolution::Piece ExactSolution::PieceBetween(std::size_t lowerCorner,
                                                 std::size_t upperCorner) const {
  // Between two distinct doubles their extended midpoint lies strictly inside.
  return PieceAround((corners_[lowerCorner] + corners_[upperCorner]) / 2);
}

ExactSolution::Piece ExactSolution::PieceAround(Extended inside) const {
  // The same tests as SourceSignal, in its order: a later match overrides an earlier one.
  const CalcParams& p = params_;
  Piece piece;  // 0 outside every test
  if (p.T2 <= inside && inside <= p.T3) piece = {inside, p.Amplitude, 0};
  if (p.T1 < inside && inside < p.T2)
    piece = {p.T1, 0, Extended(p.Amplitude) / (Extended(p.T2) - p.T1)};
  if (p.T3 < inside && inside < p.T4)
    piece = {p.T4, 0, Extended(p.Amplitude) / (Extended(p.T3) - p.T4)};
  return piece;
}

Extended ExactSolution::Advance(const Piece& piece, Extended from, Extended fromValue,
                                Extended to) const {
  // With E(x) = E(from) + slope*(x - from), u(x) = E(x) - slope*tau + c*e^(-(x - from)/tau);
  // written around `from` with x = -(to - from)/tau:
  //   u(to) = u(from) + (u(from) - E(from))*(e^x - 1) + slope*tau*(e^x - 1 - x),
  // whose terms all vanish with the step instead of cancelling.
  const Extended x = -(to - from) / timeConstant_;
  const Extended sourceAtFrom = piece.ValueAt(from);
  return fromValue + (fromValue - sourceAtFrom) * std::expm1(x) +
         piece.slope * timeConstant_ * ExpM1MinusX(x);
}

Extended ExactVoltage(const CalcParams& params, double t) { return ExactSolution(params)(t); }
