// The true voltage u(t) in volts of du/dt = (E(t) - u) / (R*C) with u(T1) = U0, E the
// trapezoidal pulse of SourceSignal, in extended precision: on every linear piece of E the
// solution is that piece's straight-line response plus a decaying exponential.
#pragma once

#include <cstddef>
#include <vector>

#include "model/CalcParams.h"
#include "model/FloatingPoint.h"

// The solution of one parameter set, with its values at the pulse's corners worked out once;
// each evaluation then costs one piece. Valid for any order of T1..T4 (T2 = T1, T2 > T3, T1
// past T4) and any t, also before T1 (the equation followed backwards in time). Where the
// pulse's tests overlap, the pieces follow SourceSignal's override order.
//
// The time constant is the circuit's R*C held in extended precision. When R*C rounds to a zero
// double the equation has no solution of this kind and the constructor raises EZeroDivide, as
// the run's first slope does. A negative R*C is no circuit, but the same closed form still
// solves the equation (a growing exponential); a result beyond the extended range raises
// EOverflow.
class ExactSolution {
 public:
  explicit ExactSolution(const CalcParams& params);

  [[nodiscard]] Extended operator()(double t) const;

 private:
  // E on the open interval between two neighbouring corners, as a straight line.
  struct Piece {
    Extended origin = 0;
    Extended valueAtOrigin = 0;
    Extended slope = 0;
    Extended ValueAt(Extended x) const { return valueAtOrigin + slope * (x - origin); }
  };

  Piece PieceAround(Extended inside) const;
  Piece PieceBetween(std::size_t lowerCorner, std::size_t upperCorner) const;
  // The solution at `to` from its value at `from`, both ends of (or inside) one piece.
  Extended Advance(const Piece& piece, Extended from, Extended fromValue, Extended to) const;

  CalcParams params_;
  Extended timeConstant_ = 0;
  std::vector<Extended> corners_;       // the distinct pulse times, ascending
  std::vector<Extended> cornerValues_;  // the solution at each of them
  std::size_t startCorner_ = 0;         // corners_[startCorner_] == T1
};

// One evaluation without keeping the solution; for many times build an ExactSolution once.
[[nodiscard]] Extended ExactVoltage(const CalcParams& params, double t);
