// The delivered help text files are made at build time from UTF-8 sources
// (data/kelmaro.hlp.txt, data/kv5.hlp.txt). The source is checked so that
// every topic reads back as written: headers at multiples of 5, at most
// five text lines, numbered lines only where the look-up takes them, texts
// that code page 850 can hold, and pictures that exist.
#pragma once

#include <string>
#include <vector>

namespace kv5 {

struct HelpSourceTopic {
  int topic = 0;
  std::string picture;  // empty: none
  int textLines = 0;
};

struct HelpSource {
  std::vector<HelpSourceTopic> topics;
  std::vector<std::string> errors;  // "<line>: <fault>"
};

// Reads a help text file (UTF-8 source or the delivered file, CR LF or LF).
// With a non-empty pictureFolder every picture named must exist there as
// <name>.plt.
HelpSource ParseHelpSource(const std::string& text, const std::string& pictureFolder = "");

// The delivered file: code page 850, CR LF.
std::string HelpFileBytes(const std::string& utf8Source);

}  // namespace kv5
