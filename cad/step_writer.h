// STEP output: the low level of an ISO 10303-21 exchange file, as the STEP
// back end (cad/step_backend.h) writes it: the header section, entity
// numbering with an output switch for the counting pass, and the forms of
// reals and strings.
//
// An entity line is "#" + number + " = " + text; lines end with CR LF.
#pragma once

#include <string>

#include "cad/cad_output_file.h"
#include "model/drive_model.h"
#include "text/string_routines.h"

namespace kv5 {

// A real in exponent form with 6 significant digits and at least three
// exponent digits, "." as decimal mark whatever the locale: 100 is
// "1.00000E+002", 0 is "0.00000E+000", -0.5 is "-5.00000E-001". A value
// that is not finite has no form in the file; it is written as 0.
std::string FormatStepReal(Real x);

// A string literal of the file, quotes included: an apostrophe is doubled,
// a backslash doubled, and every character outside printable ASCII goes
// out as its ISO 10646 code in hexadecimal between "\X2\" and "\X0\" (four
// digits each) or "\X4\" and "\X0\" (eight digits, beyond the basic plane).
// The text is read as UTF-8; a byte that is not part of a valid UTF-8
// sequence is taken as the ISO 8859-1 character of that code.
std::string StepString(const std::string& text);

// "#" + n.
std::string StepRef(long n);

class StepWriter {
 public:
  explicit StepWriter(CadLineSink& sink) : sink_(sink) {}

  // The header section and the empty line after it; written whatever the
  // output switch. Afterwards numbering starts again and output is off.
  void Header(const std::string& filePath, const DateTime& when, const std::string& author);

  // Numbers the entity and writes it while output is on. Returns its number.
  long Entity(const std::string& text);
  // A line without number (the DATA keyword, continuation lines, the end
  // of the file), written only while output is on.
  void Plain(const std::string& text);

  void RestartNumbering() { lastNumber_ = 0; }
  long LastNumber() const { return lastNumber_; }
  void SetOutput(bool on) { output_ = on; }
  bool Output() const { return output_; }

 private:
  CadLineSink& sink_;
  long lastNumber_ = 0;
  bool output_ = false;
};

}  // namespace kv5
