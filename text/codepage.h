// Conversion between the program's UTF-8 strings and the single-byte code
// pages of its files: code page 850 for the files the program keeps as its
// own (project, configuration, explanation and help texts), code page 1252
// for texts in CAD files.
#pragma once

#include <string>

namespace kv5 {

// Bytes of code page 850 to UTF-8. Every byte has a character, so this
// never fails.
std::string Cp850ToUtf8(const std::string& bytes);
// UTF-8 to code page 850; characters the page lacks become "?". Invalid
// UTF-8 bytes are taken as code page 850 bytes already.
std::string Utf8ToCp850(const std::string& text);
// UTF-8 to Windows code page 1252; characters it lacks become "?".
std::string Utf8ToCp1252(const std::string& text);
std::string Cp1252ToUtf8(const std::string& bytes);

// Whether the text is valid UTF-8.
bool IsValidUtf8(const std::string& text);
// Number of characters (code points) of a UTF-8 text; invalid bytes count
// one each.
size_t Utf8Length(const std::string& text);
// The first n characters of a UTF-8 text.
std::string Utf8Left(const std::string& text, size_t n);
// Bytes of the character that starts at byte i (1 for an invalid byte, 0 at
// the end of the text).
size_t Utf8CharBytes(const std::string& text, size_t i);
// Byte offset of the character with the 0-based index n (the text's size
// when it has no more than n characters).
size_t Utf8Offset(const std::string& text, size_t n);

}  // namespace kv5
