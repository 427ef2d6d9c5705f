// The nine parameter texts, by field name ("Edit1" ... "Edit13"), exactly as typed. The
// window reads its edit fields; the headless runner its options.
#pragma once

#include <array>
#include <string>
#include <string_view>

class ParameterFields {
 public:
  virtual ~ParameterFields() = default;
  virtual std::string FieldText(std::string_view fieldName) const = 0;
};

struct FieldDefault {
  std::string_view fieldName;
  std::string_view defaultText;
};

// The fields in reading order with the window's default texts (decimal commas).
inline constexpr std::array<FieldDefault, 9> kParameterFieldDefaults{{
    {"Edit1", "0"},       // T1
    {"Edit2", "0,5"},     // T4
    {"Edit5", "0,001"},   // Step
    {"Edit9", "0,1"},     // T2
    {"Edit10", "0,4"},    // T3
    {"Edit6", "3"},       // Amplitude
    {"Edit7", "9000"},    // R
    {"Edit13", "5e-6"},   // C
    {"Edit11", "0"},      // U0
}};
