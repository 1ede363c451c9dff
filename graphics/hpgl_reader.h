// Reading the plot files of the help pictures (a subset of HP-GL/2): the
// character stream with its blanks and line ends, the comma-separated
// parameters of a command, labels up to ETX and the numbers of encoded
// polylines (PE). Nothing here reads past the end of the bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/drive_model.h"

namespace kv5 {

class HpglReader {
 public:
  explicit HpglReader(std::string bytes) : bytes_(std::move(bytes)) {}

  bool AtEnd() const { return next_ >= bytes_.size(); }
  // The next character that is not a blank, carriage return or line feed;
  // false at the end.
  bool NextSignificant(char& c);
  // The same, but peeks without taking it.
  bool PeekSignificant(char& c);
  // The next character as it is; false at the end.
  bool NextRaw(char& c);

  // Set by a parameter that ended with ";" (and by SkipCommand); cleared
  // when a new command starts.
  bool endOfCommand = false;

  // One parameter: the characters up to the next "," or ";" without
  // blanks and line ends. Once the command has ended with ";", further
  // parameters are empty and nothing is read. False when the bytes end
  // before the parameter is closed (the parameter is then unusable).
  bool ReadParameter(std::string& text);
  // Skips up to and including the next ";" (or to the end).
  void SkipCommand();

  // Label text up to ETX (code 3), carriage returns and line feeds left
  // out, at most kMaxLabel characters (the longest text the window shows);
  // longer texts are cut and the rest up to the ETX skipped, so that it is
  // not taken for commands. With character set 3 a "}" turns the letter
  // before it into its umlaut (code page 850). The result is in code page
  // 850.
  static constexpr size_t kMaxLabel = 254;
  std::string ReadLabel(int characterSet);

  // One number of an encoded polyline, starting with the character `first`
  // (already read): digits 63…126 continue and 191…254 end it in 8-bit
  // mode, 63…94 continue and 95…126 end it in 7-bit mode; each character
  // adds its digit shifted by 6 (7-bit: 5) more bits than the one before;
  // other characters add nothing but still take a digit place. Blanks and
  // line ends are left out; a ";" (not taken) or the end of the bytes ends
  // an unfinished number, which is then reported as not complete. The sum
  // s gives s/80 mm when even and (1 − s)/80 mm when odd.
  struct EncodedNumber {
    Real millimetres = 0;
    bool complete = false;
  };
  EncodedNumber ReadEncodedNumber(char first, bool sevenBit);

 private:
  std::string bytes_;
  size_t next_ = 0;
};

// Whether the character starts a number of an encoded polyline.
inline bool StartsEncodedNumber(char c) {
  const unsigned code = static_cast<unsigned char>(c);
  return code >= 63 && code <= 254;
}

// The value of an encoded sum: s/80 when even, (1 − s)/80 when odd (the
// sign in the lowest bit, half plotter units of 0.025 mm).
Real EncodedSumToMillimetres(std::uint64_t sum);

}  // namespace kv5
