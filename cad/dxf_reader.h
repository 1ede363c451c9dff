// DXF input: reading block files and replaying their entities through the
// insert transform into the current back end of the CAD channel.
//
// A block file is a DXF entity list without sections: pairs of a group
// code line and a value line, entities starting with (0, name), ending with
// (0, EOF) or the end of the file. Accepted entities: LINE, CIRCLE, ARC
// (group 230 < 0 marks a clockwise arc), TEXT, SOLID, POLYLINE with VERTEX
// and SEQEND, LWPOLYLINE, INSERT (nested blocks, up to four levels). Reals
// read with "," or "."; what is not a number reads as 0. A layer name equal
// to a named layer (pens 0..5) selects that pen; any other name is read as
// a pen number.
//
// Errors: a missing or unreadable file adds "Invalid temp directory" to the
// message list and sets abortFlag; an unknown entity adds "Fehler : DXF: " +
// name and ends the file there; a POLYLINE without VERTEX shows "Error in
// DXF File"; more than 100000 LWPOLYLINE vertices show "Elements > 100000 !"
// and set abortFlag; nesting deeper than four levels shows
// "error blockno." + level and sets abortFlag. An entity cut off by the end
// of the file is dropped. No input makes the reader crash or hang.
//
// A file is parsed once per output run: the parsed entity list is kept,
// keyed by the block name, the file's size and its modification time, and
// the cache is emptied whenever blocks are (re)defined and at CadBegin. A
// file changed on disk is therefore read again.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "model/drive_model.h"

namespace kv5 {

// One step of a parsed block, in block coordinates.
struct BlockItem {
  enum class Kind : unsigned char {
    Pen,      // pen
    Line,     // v: x1 y1 x2 y2
    Circle,   // v: x y r
    Arc,      // v: x y r start end sweep (degrees, signed)
    Text,     // v: x y height widthFactor angle; text
    Solid,    // v: x1 y1 .. x4 y4
    Insert,   // v: x y xscale yscale angle; text = block name
    Message,  // AddMessage(text)
    Error,    // ShowError(text)
    Abort,    // ShowError(text) and abortFlag
  };
  Kind kind = Kind::Line;
  int pen = 0;
  std::array<Real, 8> v{};
  std::string text;
};

struct ParsedBlock {
  std::vector<BlockItem> items;
};

// Parses the bytes of a block file. Texts in code page 1252 become UTF-8
// (texts that are valid UTF-8 already stay as they are).
ParsedBlock ParseBlockFile(const std::string& bytes);

// The layer name of group 8 as a pen number.
int PenOfLayer(const std::string& layer);

// The insert of a block from its block file: composes the insert transform
// of the channel with (x, y, angle, xscale, yscale), replays the entities
// and restores the transform. CadInsert resets the transform first.
void ReplayBlock(const std::string& name, Real x, Real y, Real angle, Real xscale, Real yscale);

// Empties the cache of parsed block files.
void ClearBlockCache();
// Number of block files parsed since the last ClearBlockCache (for tests
// and measurements).
long BlockParseCount();

}  // namespace kv5
