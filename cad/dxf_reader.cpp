#include "cad/dxf_reader.h"

#include <sys/stat.h>

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string_view>

#include "cad/block_files.h"
#include "cad/cad_channel.h"
#include "cad/cad_settings.h"
#include "dialogs/message_boxes.h"
#include "text/codepage.h"
#include "text/messages.h"
#include "text/number_format.h"
#include "text/numeric.h"
#include "text/string_routines.h"

namespace kv5 {

namespace {

constexpr int kMaxNesting = 4;
constexpr long kMaxVertices = 100000;

// The pairs of a block file.
class PairReader {
 public:
  explicit PairReader(const std::string& bytes) : bytes_(bytes) {}

  // The next pair; false at the end of the file (also when a code line has
  // no value line).
  bool Next(int& code, std::string& value) {
    std::string_view codeLine;
    std::string_view valueLine;
    if (!NextLine(codeLine) || !NextLine(valueLine)) return false;
    code = ParseInt(std::string(codeLine));
    value.assign(valueLine);
    return true;
  }

 private:
  bool NextLine(std::string_view& line) {
    if (pos_ >= bytes_.size()) return false;
    size_t end = bytes_.find_first_of("\r\n", pos_);
    if (end == std::string::npos) end = bytes_.size();
    line = std::string_view(bytes_).substr(pos_, end - pos_);
    pos_ = end;
    if (pos_ < bytes_.size() && bytes_[pos_] == '\r') ++pos_;
    if (pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
    return true;
  }

  const std::string& bytes_;
  size_t pos_ = 0;
};

std::string EntityName(const std::string& value) {
  return TrimBlanks(value);
}

std::string TextValue(const std::string& bytes) {
  return IsValidUtf8(bytes) ? bytes : Cp1252ToUtf8(bytes);
}

struct Vertex {
  Real x = 0;
  Real y = 0;
  Real sweep = 0;  // degrees, of the segment to the next vertex
};

class BlockParser {
 public:
  explicit BlockParser(const std::string& bytes) : reader_(bytes) {}

  ParsedBlock Parse() {
    if (!reader_.Next(code_, value_)) return std::move(block_);
    for (;;) {
      if (code_ != 0) {
        if (!reader_.Next(code_, value_)) break;
        continue;
      }
      std::string name = EntityName(value_);
      if (name == "EOF") break;
      bool more = true;
      if (name == "LINE")
        more = ReadLine();
      else if (name == "CIRCLE")
        more = ReadCircle();
      else if (name == "ARC")
        more = ReadArc();
      else if (name == "TEXT")
        more = ReadText();
      else if (name == "SOLID")
        more = ReadSolid();
      else if (name == "POLYLINE")
        more = ReadPolyline();
      else if (UpperCase(name) == "LWPOLYLINE")
        more = ReadLwPolyline();
      else if (name == "INSERT")
        more = ReadInsert();
      else {
        Add(BlockItem::Kind::Message).text = "Fehler : DXF: " + name;
        break;
      }
      if (!more || stopped_) break;
    }
    return std::move(block_);
  }

 private:
  BlockItem& Add(BlockItem::Kind kind) {
    block_.items.emplace_back();
    block_.items.back().kind = kind;
    return block_.items.back();
  }
  // Selecting the pen that the previous selection chose already changes
  // nothing (nested inserts restore the pen they found).
  void SelectPen(int pen) {
    if (pen == lastPen_) return;
    Add(BlockItem::Kind::Pen).pen = pen;
    lastPen_ = pen;
  }

  Real Number() const { return ParseNumber(value_); }

  // Reads the groups of one entity up to the next (0, name) pair, which is
  // left as the current pair. False at the end of the file.
  template <typename Handle>
  bool Groups(Handle handle) {
    for (;;) {
      if (!reader_.Next(code_, value_)) return false;
      if (code_ == 0) return true;
      handle(code_);
    }
  }

  bool ReadLine() {
    int pen = 0;
    Real v[4] = {};
    bool complete = Groups([&](int code) {
      switch (code) {
        case 8:
          pen = PenOfLayer(value_);
          break;
        case 10:
          v[0] = Number();
          break;
        case 20:
          v[1] = Number();
          break;
        case 11:
          v[2] = Number();
          break;
        case 21:
          v[3] = Number();
          break;
      }
    });
    if (!complete) return false;
    SelectPen(pen);
    BlockItem& item = Add(BlockItem::Kind::Line);
    for (int i = 0; i < 4; ++i) item.v[static_cast<size_t>(i)] = v[i];
    return true;
  }

  bool ReadCircle() {
    int pen = -1;
    Real x = 0, y = 0, r = 0;
    bool complete = Groups([&](int code) {
      switch (code) {
        case 8:
          pen = PenOfLayer(value_);
          break;
        case 10:
          x = Number();
          break;
        case 20:
          y = Number();
          break;
        case 40:
          r = Number();
          break;
      }
    });
    if (!complete) return false;
    if (pen >= 0) SelectPen(pen);
    BlockItem& item = Add(BlockItem::Kind::Circle);
    item.v = {x, y, r};
    return true;
  }

  static Real Frac(Real x) { return x - std::trunc(x); }

  bool ReadArc() {
    int pen = -1;
    Real x = 0, y = 0, r = 0, s = 0, e = 0, z = 0;
    bool complete = Groups([&](int code) {
      switch (code) {
        case 8:
          pen = PenOfLayer(value_);
          break;
        case 10:
          x = Number();
          break;
        case 20:
          y = Number();
          break;
        case 40:
          r = Number();
          break;
        case 50:
          s = Number();
          break;
        case 51:
          e = Number();
          break;
        case 230:
          z = Number();
          break;
      }
    });
    if (!complete) return false;
    if (pen >= 0) SelectPen(pen);
    Real d = z >= 0 ? (Frac(e / 360) - Frac(s / 360)) * 360 : (Frac(s / 360) - Frac(e / 360)) * 360;
    if (d < 0) d += 360;
    BlockItem& item = Add(BlockItem::Kind::Arc);
    item.v = {x, y, r, s, e, z >= 0 ? d : -d};
    return true;
  }

  bool ReadText() {
    int pen = -1;
    Real x = 0, y = 0, height = 3.5L, widthFactor = 1, angle = 0;
    std::string text;
    bool complete = Groups([&](int code) {
      switch (code) {
        case 1:
          text = TextValue(value_);
          break;
        case 8:
          pen = PenOfLayer(value_);
          break;
        case 10:
          x = Number();
          break;
        case 20:
          y = Number();
          break;
        case 40:
          height = Number();
          break;
        case 41:
          widthFactor = Number();
          break;
        case 50:
          angle = Number();
          break;
      }
    });
    if (!complete) return false;
    if (pen >= 0) SelectPen(pen);
    BlockItem& item = Add(BlockItem::Kind::Text);
    item.v = {x, y, height, widthFactor, angle};
    item.text = std::move(text);
    return true;
  }

  bool ReadSolid() {
    int pen = -1;
    std::array<Real, 8> v{};
    bool complete = Groups([&](int code) {
      if (code == 8) pen = PenOfLayer(value_);
      if (code >= 10 && code <= 13) v[static_cast<size_t>(2 * (code - 10))] = Number();
      if (code >= 20 && code <= 23) v[static_cast<size_t>(2 * (code - 20) + 1)] = Number();
    });
    if (!complete) return false;
    if (pen >= 0) SelectPen(pen);
    Add(BlockItem::Kind::Solid).v = v;
    return true;
  }

  bool ReadInsert() {
    std::string name;
    Real x = 0, y = 0, xscale = 1, yscale = 1, angle = 0;
    bool complete = Groups([&](int code) {
      switch (code) {
        case 2:
          name = TextValue(TrimBlanks(value_));
          break;
        case 10:
          x = Number();
          break;
        case 20:
          y = Number();
          break;
        case 41:
          xscale = Number();
          break;
        case 42:
          yscale = Number();
          break;
        case 50:
          angle = Number();
          break;
      }
    });
    if (!complete) return false;
    BlockItem& item = Add(BlockItem::Kind::Insert);
    item.v = {x, y, xscale, yscale, angle};
    item.text = std::move(name);
    return true;
  }

  // The segment from `from` to `to` with the sweep of `from`: a line, or
  // the arc through both points.
  void Segment(const Vertex& from, const Vertex& to) {
    if (from.sweep == 0) {
      Add(BlockItem::Kind::Line).v = {from.x, from.y, to.x, to.y};
      return;
    }
    Real phi = DegToRad(from.sweep);
    Real cx = 0, cy = 0, r = 0;
    if (!ArcFromChord(from.x, from.y, to.x, to.y, phi, cx, cy, r)) return;
    Real start = RadToDeg(AngleOf(from.x - cx, from.y - cy));
    Real end = RadToDeg(AngleOf(to.x - cx, to.y - cy));
    Add(BlockItem::Kind::Arc).v = {cx, cy, r, start, end, from.sweep};
  }

  static Real SweepOfBulge(Real bulge) { return RadToDeg(4 * std::atan(bulge)); }

  // One VERTEX record: its groups up to the next (0, name).
  bool ReadVertex(Vertex& vertex, int& pen) {
    pen = -1;
    vertex = Vertex{};
    return Groups([&](int code) {
      switch (code) {
        case 8:
          pen = PenOfLayer(value_);
          break;
        case 10:
          vertex.x = Number();
          break;
        case 20:
          vertex.y = Number();
          break;
        case 42:
          vertex.sweep = SweepOfBulge(Number());
          break;
      }
    });
  }

  bool ReadPolyline() {
    int flags = 0;
    int ownPen = -1;
    if (!Groups([&](int code) {
          if (code == 70) flags = ParseInt(value_);
          if (code == 8) ownPen = PenOfLayer(value_);
        }))
      return false;
    if (EntityName(value_) != "VERTEX") {
      Add(BlockItem::Kind::Error).text = "Error in DXF File";
      return true;
    }
    Vertex first, previous, vertex;
    int pen = -1;
    if (!ReadVertex(first, pen)) return false;
    if (pen < 0) pen = ownPen;
    if (pen >= 0) SelectPen(pen);
    previous = first;
    while (EntityName(value_) == "VERTEX") {
      if (!ReadVertex(vertex, pen)) return false;
      if (pen < 0) pen = ownPen;
      if (pen >= 0) SelectPen(pen);
      Segment(previous, vertex);
      previous = vertex;
    }
    // Closed (flag bit 1): the last vertex joins the first with its own
    // bulge.
    if ((flags & 1) != 0) Segment(previous, first);
    if (EntityName(value_) == "SEQEND") {
      if (!reader_.Next(code_, value_)) return false;
    }
    return true;
  }

  bool ReadLwPolyline() {
    // Up to the subclass marker; the layer usually stands before it. A new
    // entity before the marker ends this one.
    for (;;) {
      if (!reader_.Next(code_, value_)) return false;
      if (code_ == 0) return true;
      if (code_ == 8) SelectPen(PenOfLayer(value_));
      if (code_ == 100 && TrimBlanks(value_) == "AcDbPolyline") break;
    }
    int flags = 0;
    long count = 0;
    Vertex first, previous, current;
    bool ended = false;
    bool more = true;
    auto completeVertex = [&]() {
      if (count >= 2) Segment(previous, current);
      if (count == 1) first = current;
      previous = current;
    };
    while (!ended) {
      if (!reader_.Next(code_, value_)) {
        more = false;
        break;
      }
      switch (code_) {
        case 10:
          if (count >= 1) completeVertex();
          if (++count > kMaxVertices) {
            Add(BlockItem::Kind::Abort).text = "Elements > " + std::to_string(kMaxVertices) + " !";
            stopped_ = true;
            return false;
          }
          current = Vertex{};
          current.x = Number();
          break;
        case 20:
          current.y = Number();
          break;
        case 42:
          current.sweep = SweepOfBulge(Number());
          break;
        case 70:
          flags = ParseInt(value_);
          break;
        case 38:
        case 39:
        case 40:
        case 41:
        case 43:
        case 90:
        case 210:
        case 220:
        case 230:
          break;
        case 8:
          SelectPen(PenOfLayer(value_));
          ended = true;
          break;
        default:
          ended = true;
          break;
      }
    }
    if (count >= 1) completeVertex();
    if ((flags & 1) != 0 && count >= 2) Segment(previous, first);
    if (!more) return false;
    // The rest of the entity up to the next (0, name).
    while (code_ != 0)
      if (!reader_.Next(code_, value_)) return false;
    return true;
  }

  PairReader reader_;
  ParsedBlock block_;
  int code_ = 0;
  std::string value_;
  bool stopped_ = false;
  int lastPen_ = -1;
};

// Parsed files of this run.
struct CachedBlock {
  std::string path;
  long long size = -1;
  long long mtime = 0;
  std::shared_ptr<const ParsedBlock> block;
};
std::map<std::string, CachedBlock> cache;
long parseCount = 0;

bool FileStamp(const std::string& path, long long& size, long long& mtime) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  size = static_cast<long long>(info.st_size);
  mtime = static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
  return true;
}

std::shared_ptr<const ParsedBlock> LoadBlock(const std::string& name) {
  long long size = 0, mtime = 0;
  auto found = cache.find(name);
  if (found != cache.end()) {
    const CachedBlock& cached = found->second;
    if (FileStamp(cached.path, size, mtime) && cached.size == size && cached.mtime == mtime)
      return cached.block;
    cache.erase(found);
  }
  std::string path = FindBlockFile(name);
  if (path.empty() || !FileStamp(path, size, mtime)) return nullptr;
  std::ifstream in(path, std::ios::binary);
  if (!in) return nullptr;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) return nullptr;
  auto block = std::make_shared<const ParsedBlock>(ParseBlockFile(bytes.str()));
  cache[name] = CachedBlock{path, size, mtime, block};
  return block;
}

// The insert transform with its rotation's cosine and sine worked out once.
struct Mapping {
  explicit Mapping(const CadTransform& transform)
      : t(transform), c(std::cos(DegToRad(t.angle))), s(std::sin(DegToRad(t.angle))) {}
  // The block point (px, py) in drawing coordinates.
  void operator()(Real px, Real py, Real& x, Real& y) const {
    x = t.x + t.xscale * px * c - t.yscale * py * s;
    y = t.y + t.xscale * px * s + t.yscale * py * c;
  }
  CadTransform t;
  Real c, s;
};

void ReplayItem(const BlockItem& item, const Mapping& map) {
  const CadTransform& t = map.t;
  const auto& v = item.v;
  Real x1, y1, x2, y2, x3, y3, x4, y4;
  switch (item.kind) {
    case BlockItem::Kind::Pen:
      CadSetPen(item.pen);
      break;
    case BlockItem::Kind::Line:
      map(v[0], v[1], x1, y1);
      map(v[2], v[3], x2, y2);
      CadLine(x1, y1, x2, y2);
      break;
    case BlockItem::Kind::Circle:
      map(v[0], v[1], x1, y1);
      CadCircle(x1, y1, v[2] * t.xscale);
      break;
    case BlockItem::Kind::Arc:
      map(v[0], v[1], x1, y1);
      CadArcSweep(x1, y1, v[3] + t.angle, v[4] + t.angle, v[2] * t.xscale, v[5]);
      break;
    case BlockItem::Kind::Text:
      CadSetTextStyle(2, v[4] + t.angle, v[2] * t.yscale, v[2] * v[3] * t.xscale);
      map(v[0], v[1], x1, y1);
      CadText(item.text, x1, y1);
      break;
    case BlockItem::Kind::Solid:
      map(v[0], v[1], x1, y1);
      map(v[2], v[3], x2, y2);
      map(v[4], v[5], x3, y3);
      map(v[6], v[7], x4, y4);
      CadSolid(x1, y1, x2, y2, x3, y3, x4, y4);
      break;
    case BlockItem::Kind::Insert: {
      int pen = cadState.pen;
      ReplayBlock(item.text, v[0], v[1], v[4], v[2], v[3]);
      CadSetPen(pen);
      break;
    }
    case BlockItem::Kind::Message:
      AddMessage(item.text);
      break;
    case BlockItem::Kind::Error:
      ShowError(item.text);
      break;
    case BlockItem::Kind::Abort:
      ShowError(item.text);
      abortFlag = true;
      break;
  }
}

}  // namespace

ParsedBlock ParseBlockFile(const std::string& bytes) {
  ++parseCount;
  return BlockParser(bytes).Parse();
}

int PenOfLayer(const std::string& layer) {
  std::string name = TextValue(TrimBlanks(layer));
  if (name == "0") return 0;
  for (int pen = 1; pen <= 5; ++pen)
    if (name == CadNamedLayer(pen)) return pen;
  return ParseInt(name);
}

void ReplayBlock(const std::string& name, Real x, Real y, Real angle, Real xscale, Real yscale) {
  const CadTransform saved = cadState.transform;
  CadTransform& t = cadState.transform;
  const int level = t.level + 1;
  if (level > kMaxNesting) {
    ShowError("error blockno." + std::to_string(level));
    abortFlag = true;
    return;
  }
  CadTransform composed;
  const Mapping outer(saved);
  outer(x, y, composed.x, composed.y);
  composed.angle = saved.angle + angle;
  composed.xscale = saved.xscale * xscale;
  composed.yscale = saved.yscale * yscale;
  composed.level = level;
  std::shared_ptr<const ParsedBlock> block = LoadBlock(name);
  if (!block) {
    AddMessage("Invalid temp directory");
    abortFlag = true;
    return;
  }
  t = composed;
  const Mapping map(composed);
  for (const BlockItem& item : block->items) {
    if (abortFlag) break;
    ReplayItem(item, map);
  }
  cadState.transform = saved;
}

void ClearBlockCache() {
  cache.clear();
  parseCount = 0;
}

long BlockParseCount() {
  return parseCount;
}

}  // namespace kv5
