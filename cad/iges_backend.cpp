#include "cad/iges_backend.h"

#include <algorithm>
#include <cmath>

#include "app/core/identity.h"
#include "cad/cad_channel.h"
#include "cad/cad_settings.h"
#include "dialogs/file_checks.h"
#include "platform/platform.h"
#include "text/messages.h"
#include "text/number_format.h"
#include "text/numeric.h"
#include "text/text_conversion.h"

namespace kv5 {

namespace {

constexpr const char* kStatusIndependent = "00000000";
constexpr const char* kStatusDependent = "00010000";
// A subfigure definition is blanked and used as a definition (02): readers
// draw it only through its instances, never on its own at the origin (a
// block that is never inserted, or one inserted only at other scales).
constexpr const char* kStatusDefinition = "01000200";
constexpr int kMembersPerCall = 12;

std::string IgesPoint(Real x, Real y) {
  return IgesLength(x) + "," + IgesLength(y);
}

std::string TwoDigits(int n) {
  return ZeroPad(((n % 100) + 100) % 100, 2);
}

// Colour index of the pen table (pen mode 0), and the line font.
void PenAttributes(int pen, int penMode, int& colourIndex, int& lineFont) {
  lineFont = pen == 1 ? 4 : (pen == 2 ? 2 : 1);
  if (penMode != 0)
    colourIndex = pen % 16 + 1;
  else if (pen == 0)
    colourIndex = 7;
  else if (pen <= 5 || pen >= 16)
    colourIndex = CadPenColour(pen);
  else
    colourIndex = pen % 16 + 1;
}

}  // namespace

bool IgesBackend::Create(const std::string& fileName) {
  if (!file_.Create(fileName)) return false;
  if (!parameters_.Create()) {
    file_.Discard();
    return false;
  }
  return true;
}

void IgesBackend::PutRecord(const std::string& content, char section, int& counter) {
  file_.PutLine(IgesRecord(content, section, ++counter));
}

void IgesBackend::Header(Real maximumCoordinate) {
  headerWritten_ = true;
  sCount_ = gCount_ = dCount_ = pCount_ = 0;
  entityPointer_ = -1;
  parameterPointer_ = 1;
  colour_ = 0;
  lineFont_ = 1;
  inSubfigure_ = false;
  members_.clear();
  subfigureCount_ = 0;
  depth_ = 0;
  depthOf_.clear();
  blockCalls_.clear();
  recording_ = nullptr;
  scaledCopies_.clear();
  copying_.clear();

  const std::string name = ShortenMiddle(BaseNamePart(file_.FileName()), 30);
  PutRecord(std::string("IGES-Datei generiert von ") + programName, 'S', sCount_);
  PutRecord("Uebersetzer von KELMARO GMBH, Uebersetzerversion 3.1", 'S', sCount_);

  std::string author = EnvironmentVariable("USERNAME");
  if (author.empty()) author = EnvironmentVariable("USER");
  const std::string date =
      TwoDigits(date_.year) + TwoDigits(date_.month) + TwoDigits(date_.day) + ".140920";
  const std::string calls[5] = {
      ",," + IgesHollerith("FILE") + "," + IgesHollerith(name) + "," +
          IgesHollerith(std::string(programName) + " V" + programVersion) + "," +
          IgesHollerith("3.1") + ",",
      "16,38,6,99,15,", IgesHollerith(name) + ",1.0,2," + IgesHollerith("MM") + ",32767,3.2767D1,",
      IgesHollerith(date) + ",1.0D-8," + IgesLength(maximumCoordinate) + ",",
      (author.empty() ? std::string() : IgesHollerith(author)) + "," +
          IgesHollerith("KELMARO GMBH") + ",4,0;"};
  for (const std::string& call : calls)
    for (const std::string& piece : SplitIgesParameters(call, kIgesContentWidth))
      PutRecord(piece, 'G', gCount_);
}

void IgesBackend::EnsureHeader() {
  if (!headerWritten_) Header(std::max(CadLimits{}.xmax, CadLimits{}.ymax));
}

void IgesBackend::Limits(const CadLimits& limits) {
  // The Start and Global sections come first and only once.
  if (!headerWritten_) Header(std::max(limits.xmax, limits.ymax));
}

int IgesBackend::Write(const Entity& entity) {
  EnsureHeader();
  entityPointer_ += 2;
  const int pointer = entityPointer_;
  int count = 0;
  for (const std::string& call : entity.calls)
    for (const std::string& piece : SplitIgesParameters(call, kIgesParameterWidth)) {
      parameters_.PutRecord(IgesRecord(piece, 'P', ++pCount_, std::to_string(pointer)));
      ++count;
    }
  IgesDirectoryEntry d;
  d.type = entity.type;
  d.parameterPointer = parameterPointer_;
  d.lineFont = lineFont_;
  d.level = colour_;
  d.transform = entity.transform;
  d.status = entity.type == 308                      ? kStatusDefinition
             : entity.forceDependent || inSubfigure_ ? kStatusDependent
                                                     : kStatusIndependent;
  d.colour = colour_;
  d.parameterCount = count;
  d.form = entity.form;
  d.label = entity.label;
  for (const std::string& record : IgesDirectoryRecords(d, dCount_ + 1)) {
    file_.PutLine(record);
    ++dCount_;
  }
  parameterPointer_ += count;
  if (inSubfigure_ && entity.member) members_.push_back(pointer);
  return pointer;
}

void IgesBackend::SetPen(int pen, const std::string& /*layer*/) {
  int index = 0;
  PenAttributes(pen, cadState.penMode, index, lineFont_);
  colour_ = IgesColourNumber(index);
  const int colour = colour_, lineFont = lineFont_;
  Record([this, colour, lineFont](Real) {
    colour_ = colour;
    lineFont_ = lineFont;
  });
}

void IgesBackend::Record(BlockCall call) {
  if (recording_) recording_->push_back(std::move(call));
}

void IgesBackend::Line(Real x1, Real y1, Real x2, Real y2) {
  Record([=, this](Real s) { WriteLine(s * x1, s * y1, s * x2, s * y2); });
  WriteLine(x1, y1, x2, y2);
}

void IgesBackend::WriteLine(Real x1, Real y1, Real x2, Real y2) {
  // A line whose ends are one point in the file (the first chord of a
  // circle drawn as chords) has no curve a reader could make of it.
  if (IgesPoint(x1, y1) == IgesPoint(x2, y2)) return;
  Entity e;
  e.type = 110;
  e.calls = {"110," + IgesPoint(x1, y1) + ",0.0," + IgesPoint(x2, y2) + ",0.0;"};
  Write(e);
}

void IgesBackend::ArcEntity(Real x, Real y, Real fromDeg, Real toDeg, Real r) {
  const Real a = DegToRad(fromDeg), b = DegToRad(toDeg);
  Entity e;
  e.type = 100;
  e.transform = "0";
  e.calls = {"100,0.0," + IgesPoint(x, y) + "," +
             IgesPoint(x + r * std::cos(a), y + r * std::sin(a)) + "," +
             IgesPoint(x + r * std::cos(b), y + r * std::sin(b)) + ";"};
  Write(e);
}

void IgesBackend::Circle(Real x, Real y, Real r, bool /*hole*/) {
  Arc(x, y, 0, 0, r);
}

void IgesBackend::Arc(Real x, Real y, Real start, Real end, Real r) {
  Record([=, this](Real s) { ArcEntity(s * x, s * y, start, end, s * r); });
  ArcEntity(x, y, start, end, r);
}

void IgesBackend::ArcSweep(Real x, Real y, Real start, Real end, Real r, Real sweep) {
  if (sweep < 0)
    Arc(x, y, end, start, r);
  else
    Arc(x, y, start, end, r);
}

void IgesBackend::Text(const std::string& text, Real x, Real y) {
  const CadTextStyle style = style_;
  Record([=, this](Real s) {
    CadTextStyle scaled = style;
    scaled.height *= s;
    WriteText(text, s * x, s * y, scaled);
  });
  WriteText(text, x, y, style);
}

void IgesBackend::WriteText(const std::string& text, Real x, Real y, const CadTextStyle& style) {
  const std::string bytes = IgesFileText(ConvertCadText(text));
  if (bytes.empty()) return;  // "0H" is no string
  const size_t count = bytes.size();
  Entity e;
  e.type = 212;
  e.transform = "0";
  e.calls = {"212,1," + std::to_string(count) + "," +
                 IgesLength(static_cast<Real>(count) * style.height * style.widthFactor) + "," +
                 IgesLength(style.height) + ",1,," + IgesAngle(DegToRad(style.angle)) + ",0,0," +
                 IgesPoint(x, y) + ",0.0,",
             std::to_string(count) + "H" + bytes + ";"};
  Write(e);
}

// The outline of a DXF-ordered quadrilateral runs P1, P2, P4, P3.
void IgesBackend::Solid(Real x1, Real y1, Real x2, Real y2, Real x3, Real y3, Real x4, Real y4) {
  const std::array<Real, 8> corners{x1, y1, x2, y2, x3, y3, x4, y4};
  Record([=, this](Real s) {
    std::array<Real, 8> scaled = corners;
    for (Real& v : scaled) v *= s;
    WriteSolid(scaled);
  });
  WriteSolid(corners);
}

void IgesBackend::WriteSolid(const std::array<Real, 8>& c) {
  const Real x1 = c[0], y1 = c[1], x2 = c[2], y2 = c[3], x3 = c[4], y3 = c[5], x4 = c[6], y4 = c[7];
  Entity e;
  e.type = 106;
  e.transform = "0";
  e.form = "11";
  e.calls = {"106,1,5,0.0," + IgesPoint(x1, y1) + ",", IgesPoint(x2, y2) + ",",
             IgesPoint(x4, y4) + ",", IgesPoint(x3, y3) + ",", IgesPoint(x1, y1) + ";"};
  Write(e);
}

int IgesBackend::FindSubfigure(const std::string& name) const {
  for (int i = 0; i < subfigureCount_; ++i)
    if (blockRecs[static_cast<size_t>(i)].name == name)
      return blockRecs[static_cast<size_t>(i)].second;
  return 0;
}

void IgesBackend::Insert(const std::string& name, Real x, Real y, Real angle, Real xscale,
                         Real yscale) {
  // A subfigure instance scales uniformly; unequal scales keep the x scale,
  // as radii do when blocks are replayed.
  Real scale = std::fabs(xscale);
  if (scale == 0) scale = std::fabs(yscale);
  if (scale == 0) scale = 1;
  Record([=, this](Real s) { WriteInsert(name, s * x, s * y, angle, s * scale); });
  WriteInsert(name, x, y, angle, scale);
}

int IgesBackend::SubfigureAt(const std::string& name, Real scale) {
  const int definition = FindSubfigure(name);
  const std::string scaleText = IgesMatrixEntry(scale);
  if (definition == 0 || scaleText == IgesMatrixEntry(1)) return definition;
  const auto key = std::make_pair(name, scaleText);
  if (auto copy = scaledCopies_.find(key); copy != scaledCopies_.end()) return copy->second;
  auto calls = blockCalls_.find(name);
  // A block inserted into its own body has no complete body to copy.
  if (calls == blockCalls_.end() ||
      std::find(copying_.begin(), copying_.end(), name) != copying_.end())
    return definition;
  OpenSubfigure open{inSubfigure_, subfigureName_, std::move(members_), depth_, colour_,
                     lineFont_,    style_};
  std::vector<BlockCall>* recording = recording_;
  recording_ = nullptr;  // the copy is no call of the block being defined
  copying_.push_back(name);
  inSubfigure_ = true;
  subfigureName_ = name;
  members_.clear();
  depth_ = 0;
  for (const BlockCall& call : calls->second) call(scale);
  const int copy = WriteSubfigure(name);
  copying_.pop_back();
  recording_ = recording;
  inSubfigure_ = open.inSubfigure;
  subfigureName_ = open.name;
  members_ = std::move(open.members);
  depth_ = open.depth;
  colour_ = open.colour;
  lineFont_ = open.lineFont;
  style_ = open.style;
  scaledCopies_[key] = copy;
  return copy;
}

void IgesBackend::WriteInsert(const std::string& name, Real x, Real y, Real angle, Real scale) {
  if (FindSubfigure(name) == 0) {
    // An instance pointing nowhere would make the whole file unreadable.
    AddMessage("Blockname " + name + " not found !");
    return;
  }
  const int definition = SubfigureAt(name, scale);
  // The scaled copy carries the scale; only a block that cannot be copied
  // keeps it in its instance.
  const std::string scaleText = IgesMatrixEntry(definition != FindSubfigure(name) ? 1 : scale);
  if (inSubfigure_) depth_ = std::max(depth_, depthOf_[definition] + 1);
  Entity instance;
  instance.type = 408;
  if (angle == 0) {
    instance.calls = {"408," + std::to_string(definition) + "," + IgesPoint(x, y) + ",0.0," +
                      scaleText + ";"};
  } else {
    const Real a = DegToRad(angle), c = std::cos(a), s = std::sin(a);
    Entity matrix;
    matrix.type = 124;
    matrix.form = "0";
    matrix.member = false;
    matrix.forceDependent = true;
    matrix.calls = {
        "124," + IgesMatrixEntry(c) + "," + IgesMatrixEntry(-s) + ",0.0," + IgesLength(x) + ",",
        IgesMatrixEntry(s) + "," + IgesMatrixEntry(c) + ",0.0," + IgesLength(y) + ",",
        "0.0,0.0,1.0,0.0;"};
    instance.transform = std::to_string(Write(matrix));
    instance.calls = {"408," + std::to_string(definition) + ",0.0,0.0,0.0," + scaleText + ";"};
  }
  Write(instance);
}

void IgesBackend::BeginBlock(const std::string& name) {
  EnsureHeader();
  inSubfigure_ = true;
  subfigureName_ = name;
  members_.clear();
  depth_ = 0;
  // The first definition of a name is the one instances find.
  auto [calls, added] = blockCalls_.try_emplace(name);
  recording_ = added ? &calls->second : nullptr;
  const int colour = colour_, lineFont = lineFont_;
  const CadTextStyle style = style_;
  Record([this, colour, lineFont, style](Real) {
    colour_ = colour;
    lineFont_ = lineFont;
    style_ = style;
  });
}

int IgesBackend::WriteSubfigure(const std::string& name) {
  inSubfigure_ = false;
  Entity e;
  e.type = 308;
  e.label = name;
  e.calls.push_back("308," + std::to_string(depth_) + "," + IgesHollerith(name) + "," +
                    std::to_string(members_.size()) + ",");
  for (size_t i = 0; i < members_.size(); i += kMembersPerCall) {
    std::string call;
    for (size_t k = i; k < std::min(members_.size(), i + kMembersPerCall); ++k)
      call += std::to_string(members_[k]) + ",";
    e.calls.push_back(call);
  }
  e.calls.back().back() = ';';
  const int pointer = Write(e);
  depthOf_[pointer] = depth_;
  members_.clear();
  depth_ = 0;
  return pointer;
}

void IgesBackend::EndBlock() {
  if (!inSubfigure_) return;
  recording_ = nullptr;
  const int pointer = WriteSubfigure(subfigureName_);
  if (subfigureCount_ < kBlockRecCount) {
    blockRecs[static_cast<size_t>(subfigureCount_)].name = subfigureName_;
    blockRecs[static_cast<size_t>(subfigureCount_)].second = pointer;
    ++subfigureCount_;
  } else {
    AddMessage("Blockname " + subfigureName_ + ": more than 3000 blocks !");
  }
}

bool IgesBackend::Finish() {
  if (!file_.IsOpen()) return !Failed();  // finished before
  if (inSubfigure_) EndBlock();
  EnsureHeader();
  const bool copied = parameters_.CopyTo(file_);
  file_.PutLine(IgesTerminateRecord(sCount_, gCount_, dCount_, pCount_));
  if (!copied) {
    file_.Discard();
    abortFlag = true;
    return false;
  }
  return file_.Close();
}

void IgesBackend::Abandon() {
  parameters_.Remove();
  file_.Discard();
}

}  // namespace kv5
