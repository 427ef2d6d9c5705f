// The program's error kinds. Every failure is one of these, carrying the exact text the
// error box shows (before the period rule). Texts of our own are UTF-8.
#pragma once

#include <exception>
#include <string>
#include <utility>

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// A failed operation on the results file; the code is the operating-system error number as
// the results file maps it.
class EInOutError : public Exception {
 public:
  explicit EInOutError(int code);
  // A code whose message is not the table's, such as an operating-system error number that
  // happens to equal one of the table's codes without meaning the same failure.
  EInOutError(int code, std::string message) : Exception(std::move(message)), code_(code) {}
  int ErrorCode() const noexcept { return code_; }
  static std::string MessageForCode(int code);

 private:
  int code_;
};

class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

class EExternal : public Exception {
 public:
  using Exception::Exception;
};

class EMathError : public EExternal {
 public:
  using EExternal::EExternal;
};

class EZeroDivide : public EMathError {
 public:
  EZeroDivide() : EMathError("Floating point division by zero") {}
};

class EOverflow : public EMathError {
 public:
  EOverflow() : EMathError("Floating point overflow") {}
};

class EInvalidOp : public EMathError {
 public:
  EInvalidOp() : EMathError("Invalid floating point operation") {}
};

class EHeapException : public Exception {
 public:
  using Exception::Exception;
};

class EOutOfMemory : public EHeapException {
 public:
  EOutOfMemory() : EHeapException("Out of memory") {}
};

// A run refused because it would never end: a step that does not advance the time, or more
// rows than the run allows.
class ERunRefused : public Exception {
 public:
  using Exception::Exception;
};

// A run the user stopped before its end (the progress dialog's "Отмена"): abandoned like a
// failed one, but reported as information, not as an error.
class ERunCancelled : public Exception {
 public:
  ERunCancelled() : Exception("Расчёт прерван.") {}
};
