#include "model/input_checks.h"

#include <cmath>

#include "text/messages.h"

namespace kv5 {

namespace {

// The fault of a value that is not a finite number, or empty.
std::string NonFiniteFault(Real value) {
  if (!std::isfinite(value)) return " ungültig !";
  return {};
}

bool Fail(const std::string& name, const std::string& fault) {
  StopCalculation(name + fault);
  return false;
}

}  // namespace

void StopCalculation(const std::string& text) {
  AddMessage(kFatalTag + text);
  calcFailed = true;
}

bool CheckToothNumber(const std::string& name, int z) {
  if (z == 0) return Fail(name, " = 0 !");
  if (z < 2) return Fail(name, " < 2 !");
  return true;
}

bool CheckPositive(const std::string& name, Real value) {
  const std::string fault = NonFiniteFault(value);
  if (!fault.empty()) return Fail(name, fault);
  if (value == 0) return Fail(name, " = 0 !");
  if (value < 0) return Fail(name, " < 0 !");
  return true;
}

bool CheckNotNegative(const std::string& name, Real value) {
  const std::string fault = NonFiniteFault(value);
  if (!fault.empty()) return Fail(name, fault);
  if (value < 0) return Fail(name, " < 0 !");
  return true;
}

}  // namespace kv5
