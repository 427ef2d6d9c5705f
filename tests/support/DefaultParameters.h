// The exercise's default parameters as numbers (the window's default texts 0; 0,5; 0,001;
// 0,1; 0,4; 3; 9000; 5e-6; 0 read under a comma locale), and the global error of the default
// run as the result box shows it under a comma locale.
#pragma once

#include <string>
#include <string_view>

#include "model/CalcParams.h"

inline CalcParams DefaultCalcParams() {
  CalcParams p;
  p.T1 = 0;
  p.T4 = 0.5;
  p.Step = 0.001;
  p.T2 = 0.1;
  p.T3 = 0.4;
  p.Amplitude = 3;
  p.R = 9000;
  p.C = 5e-6;
  p.U0 = 0;
  return p;
}

// This program's output, kept to catch any change; it agrees with the worked example's
// "about 0.0267126" and is reached at the row t ≈ 0.1 where the source stops rising.
inline constexpr std::string_view kDefaultGlobalErrorText = "0,0267125657585205";
inline constexpr std::string_view kDefaultResultText = "Глобальная погрешность = 0,0267125657585205";

// The runner's result line of the default run.
inline std::string DefaultResultLine() {
  std::string line(kDefaultResultText);
  line.push_back('\n');
  return line;
}
