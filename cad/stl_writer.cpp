#include "cad/stl_writer.h"

#include <bit>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <limits>

#include "app/core/identity.h"
#include "dialogs/message_boxes.h"
#include "text/output_files.h"

namespace kv5 {

std::string FormatStlNumber(Real x) {
  double value = static_cast<double>(x);
  if (value == 0) value = 0;  // no "-0.00E+00"
  char buffer[32];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific,
                              kStlAsciiSignificantDigits - 1);
  std::string text(buffer, result.ptr);
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::string StlBinaryHeader() {
  // Must not begin with "solid", or readers take the file for ASCII.
  std::string header = std::string("KELMARO ") + programName + " V" + programVersion +
                       " - binary STL of a pin rack drive part";
  header.resize(kStlHeaderBytes, ' ');
  return header;
}

namespace {

void PutUint32(std::string& bytes, size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

void AppendFloat(std::string& bytes, Real value) {
  std::uint32_t bits = std::bit_cast<std::uint32_t>(static_cast<float>(value));
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
}

void AppendVector(std::string& bytes, const StlVector& v) {
  AppendFloat(bytes, v.x);
  AppendFloat(bytes, v.y);
  AppendFloat(bytes, v.z);
}

// Whether every coordinate survives as a finite single-precision float:
// STL readers take the numbers of both forms as such.
bool FitsSinglePrecision(std::initializer_list<const StlVector*> vectors) {
  constexpr Real kLargest = std::numeric_limits<float>::max();
  for (const StlVector* v : vectors)
    for (Real x : {v->x, v->y, v->z})
      if (!(std::fabs(x) <= kLargest)) return false;
  return true;
}

std::string VectorText(const StlVector& v) {
  return FormatStlNumber(v.x) + " " + FormatStlNumber(v.y) + " " + FormatStlNumber(v.z);
}

}  // namespace

bool StlWriter::Start(const std::string& fileName, const std::string& solidName, StlFormat format) {
  Abandon();
  failed_ = false;
  if (fileName.empty()) {
    ShowError("invalid File name");
    abortFlag = true;
    return false;
  }
  fileName_ = fileName;
  solidName_ = solidName;
  format_ = format;
  facetCount_ = 0;
  if (format_ == StlFormat::Ascii) {
    if (!asciiFile_.Create(fileName)) {
      failed_ = true;
      return false;
    }
    asciiFile_.PutLine("solid " + solidName_);
  } else {
    binary_ = StlBinaryHeader();
    binary_.append(kStlCountBytes, '\0');
  }
  open_ = true;
  return true;
}

void StlWriter::Facet(const StlVector& normal, const StlVector& v1, const StlVector& v2,
                      const StlVector& v3) {
  if (!open_ || failed_) return;
  // A drive far beyond any real size would otherwise leave infinities in the
  // file; the run fails like a write error instead.
  if (!FitsSinglePrecision({&normal, &v1, &v2, &v3})) {
    Fail(ERANGE);
    return;
  }
  if (inverted_) {
    const StlVector turned{-normal.x, -normal.y, -normal.z};
    if (format_ == StlFormat::Ascii)
      AsciiFacet(turned, v1, v3, v2);
    else
      BinaryFacet(turned, v1, v3, v2);
  } else if (format_ == StlFormat::Ascii) {
    AsciiFacet(normal, v1, v2, v3);
  } else {
    BinaryFacet(normal, v1, v2, v3);
  }
  ++facetCount_;
}

void StlWriter::AsciiFacet(const StlVector& normal, const StlVector& v1, const StlVector& v2,
                           const StlVector& v3) {
  asciiFile_.PutLine("  facet normal " + VectorText(normal));
  asciiFile_.PutLine("    outer loop");
  for (const StlVector* v : {&v1, &v2, &v3}) asciiFile_.PutLine("      vertex " + VectorText(*v));
  asciiFile_.PutLine("    endloop");
  asciiFile_.PutLine("  endfacet");
  if (asciiFile_.Failed()) failed_ = true;
}

void StlWriter::BinaryFacet(const StlVector& normal, const StlVector& v1, const StlVector& v2,
                            const StlVector& v3) {
  // The count field has 32 bits; a solid that outgrows it cannot be written.
  if (facetCount_ >= std::numeric_limits<std::uint32_t>::max()) {
    Fail(EFBIG);
    return;
  }
  AppendVector(binary_, normal);
  AppendVector(binary_, v1);
  AppendVector(binary_, v2);
  AppendVector(binary_, v3);
  binary_.push_back(static_cast<char>(kStlAttributeWord & 0xFF));
  binary_.push_back(static_cast<char>(kStlAttributeWord >> 8));
}

void StlWriter::Fail(int errorNumber) {
  if (!failed_) ShowError(CadIoErrorText(fileName_, errorNumber ? errorNumber : EIO));
  failed_ = true;
  abortFlag = true;
}

bool StlWriter::Finish() {
  if (!open_) return false;
  open_ = false;
  if (format_ == StlFormat::Ascii) {
    if (failed_) {
      asciiFile_.Discard();
      abortFlag = true;
      return false;
    }
    asciiFile_.PutLine("endsolid " + solidName_);
    if (!asciiFile_.Close()) failed_ = true;
    return !failed_;
  }
  return FinishBinary();
}

bool StlWriter::FinishBinary() {
  std::string bytes;
  bytes.swap(binary_);  // released whatever happens
  if (failed_) {
    abortFlag = true;
    return false;
  }
  PutUint32(bytes, kStlHeaderBytes, static_cast<std::uint32_t>(facetCount_));
  FileFailure failure = ReplaceFile(fileName_, bytes);
  if (failure.Failed()) {
    Fail(failure.errorNumber);
    return false;
  }
  return true;
}

void StlWriter::Abandon() {
  asciiFile_.Discard();
  std::string().swap(binary_);
  open_ = false;
}

}  // namespace kv5
