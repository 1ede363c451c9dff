// The STL file of the CAD output: a solid of triangle facets, written as
// ASCII STL or binary STL.
//
// ASCII: "solid <name>", per facet the seven lines "facet normal" …
// "endfacet", "endsolid <name>", lines ended by CR LF, numbers in exponent
// format with "." as decimal mark whatever the locale and as many
// significant digits as the single-precision floats of binary STL hold. Binary (little-endian): an
// 80-byte header of blanks after the program's identification, the facet count as unsigned 32-bit,
// then one 50-byte record per facet (12 single-precision floats: normal, vertex 1, vertex 2, vertex
// 3, and the attribute word 0x58 0x58). The binary facets are kept in memory and the file is
// written at the end, with the count filled in then.
//
// Both forms put the file in place only when it is complete: a failed run
// shows one error box naming the I/O error, sets abortFlag and leaves an
// older file of that name as it was.
#pragma once

#include <cstdint>
#include <string>

#include "cad/cad_output_file.h"
#include "model/drive_model.h"

namespace kv5 {

struct StlVector {
  Real x = 0;
  Real y = 0;
  Real z = 0;
};

enum class StlFormat { Binary, Ascii };

inline constexpr size_t kStlHeaderBytes = 80;
inline constexpr size_t kStlCountBytes = 4;
inline constexpr size_t kStlRecordBytes = 50;
inline constexpr std::uint16_t kStlAttributeWord = 22616;  // the bytes 0x58 0x58

class StlWriter {
 public:
  // Begins the solid `solidName`. An empty file name shows
  // "invalid File name", sets abortFlag and gives false; so does an ASCII
  // file that cannot be created (I/O error box).
  bool Start(const std::string& fileName, const std::string& solidName, StlFormat format);
  // Writes one facet; with `inverted` ("STL Dir invers") its vertices 2 and
  // 3 change places and the normal turns with them, so that normal and
  // vertex order still agree. Nothing happens unless the solid is open. A
  // value beyond the single-precision range (or not finite) fails the run
  // with the I/O error box of ERANGE: no file, an older one stays.
  void Facet(const StlVector& normal, const StlVector& v1, const StlVector& v2,
             const StlVector& v3);
  // Ends the solid and puts the file in place. False (error box, abortFlag)
  // when anything failed.
  bool Finish();
  // Gives up: nothing is written, an older file stays.
  void Abandon();

  void SetInverted(bool inverted) { inverted_ = inverted; }
  bool IsOpen() const { return open_; }
  bool Failed() const { return failed_; }
  std::uint64_t FacetCount() const { return facetCount_; }
  const std::string& FileName() const { return fileName_; }
  const std::string& SolidName() const { return solidName_; }

 private:
  void AsciiFacet(const StlVector& normal, const StlVector& v1, const StlVector& v2,
                  const StlVector& v3);
  void BinaryFacet(const StlVector& normal, const StlVector& v1, const StlVector& v2,
                   const StlVector& v3);
  bool FinishBinary();
  void Fail(int errorNumber);

  StlFormat format_ = StlFormat::Binary;
  bool inverted_ = false;
  bool open_ = false;
  bool failed_ = false;
  std::string fileName_;
  std::string solidName_ = "MYSOLID";
  std::uint64_t facetCount_ = 0;
  CadOutputFile asciiFile_;
  std::string binary_;  // header, count and records of the binary file
};

// Significant digits of the ASCII numbers. Three digits would put the
// corners of a 0.1 mm chord on a 100 mm circle onto a 1 mm grid: chords
// collapse into zero-area facets and walls move by up to half a millimetre.
inline constexpr int kStlAsciiSignificantDigits = 7;

// A number as ASCII STL writes it: 1.5 → "1.500000E+00",
// 123.456 → "1.234560E+02", at least two exponent digits.
std::string FormatStlNumber(Real x);

// The 80 header bytes of a binary STL file.
std::string StlBinaryHeader();

}  // namespace kv5
