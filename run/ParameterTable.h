// The nine parameters of a run in one table, in the order a run reads them: the CalcParams
// member each one fills, its runner option (also its column in a batch file), its default
// text as the window shows it, its unit and its meaning. Everything that lists, reads, names
// or explains the parameters loops over this table; outside the window a parameter is named
// by its entry, never by a widget.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "model/CalcParams.h"

enum class Parameter { T1, T4, Step, T2, T3, Amplitude, R, C, U0 };

struct ParameterInfo {
  Parameter parameter;
  double CalcParams::*member;
  std::string_view option;       // "t1": the runner's --t1
  std::string_view defaultText;  // written with a decimal comma, as the exercise gives it
  std::string_view unit;         // UTF-8
  std::string_view meaning;      // a few words, UTF-8, lower case
};

inline constexpr std::array<ParameterInfo, 9> kParameterTable{{
    {Parameter::T1, &CalcParams::T1, "t1", "0", "с", "время начала сигнала t1, первая точка расчёта"},
    {Parameter::T4, &CalcParams::T4, "t4", "0,5", "с", "время окончания сигнала t4, конец расчёта"},
    {Parameter::Step, &CalcParams::Step, "step", "0,001", "с", "шаг времени"},
    {Parameter::T2, &CalcParams::T2, "t2", "0,1", "с", "время t2: конец нарастания, начало плато"},
    {Parameter::T3, &CalcParams::T3, "t3", "0,4", "с", "время t3: конец плато, начало спада"},
    {Parameter::Amplitude, &CalcParams::Amplitude, "voltage", "3", "В", "напряжение плато импульса"},
    {Parameter::R, &CalcParams::R, "r", "9000", "Ом", "сопротивление R"},
    {Parameter::C, &CalcParams::C, "c", "5e-6", "Ф", "ёмкость C"},
    {Parameter::U0, &CalcParams::U0, "u0", "0", "В", "начальное напряжение на ёмкости u(t1)"},
}};

[[nodiscard]] constexpr const ParameterInfo& ParameterInfoOf(Parameter parameter) {
  return kParameterTable[static_cast<std::size_t>(parameter)];
}

// Each entry stands at the index of its enumerator, so ParameterInfoOf is a plain lookup.
static_assert([] {
  for (std::size_t i = 0; i < kParameterTable.size(); ++i)
    if (static_cast<std::size_t>(kParameterTable[i].parameter) != i) return false;
  return true;
}());
