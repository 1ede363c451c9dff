#include "cad/step_backend.h"

#include <cmath>

#include "dialogs/file_checks.h"
#include "dialogs/message_boxes.h"
#include "platform/platform.h"
#include "text/string_routines.h"

namespace kv5 {

namespace {

// The number of the shape representation of the drawing's segments.
constexpr long kShapeRepresentation = 25;

// The preamble of every pass: the assembly product #7 with its placement
// representation #10, the representation context #19 and its units.
const char* const kPreamble[] = {
    "APPLICATION_PROTOCOL_DEFINITION('committee draft','automotive_design',1997,#2);",
    "APPLICATION_CONTEXT('core data for automotive mechanical design processes');",
    "SHAPE_DEFINITION_REPRESENTATION(#4,#10);",
    "PRODUCT_DEFINITION_SHAPE('','',#5);",
    "PRODUCT_DEFINITION('design','',#6,#9);",
    "PRODUCT_DEFINITION_FORMATION('','',#7);",
    "PRODUCT('ASSEMBLY','ASSEMBLY','',(#8));",
    "MECHANICAL_CONTEXT('',#2,'mechanical');",
    "PRODUCT_DEFINITION_CONTEXT('part definition',#2,'design');",
    "SHAPE_REPRESENTATION('',(#11,#15),#19);",
    "AXIS2_PLACEMENT_3D('',#12,#13,#14);",
    "CARTESIAN_POINT('',(0.E+000,0.E+000,0.E+000));",
    "DIRECTION('',(0.E+000,0.E+000,1.));",
    "DIRECTION('',(1.,0.E+000,-0.E+000));",
    "AXIS2_PLACEMENT_3D('',#16,#17,#18);",
    "CARTESIAN_POINT('',(0.E+000,0.E+000,0.E+000));",
    "DIRECTION('',(0.E+000,0.E+000,1.));",
    "DIRECTION('',(1.,0.E+000,0.E+000));",
    "( GEOMETRIC_REPRESENTATION_CONTEXT(3) GLOBAL_UNCERTAINTY_ASSIGNED_CONTEXT((#23)) "
    "GLOBAL_UNIT_ASSIGNED_CONTEXT((#20,#21,#22)) REPRESENTATION_CONTEXT('Context #1', '3D Context "
    "with UNIT and UNCERTAINTY') );",
    "( LENGTH_UNIT() NAMED_UNIT(*) SI_UNIT(.MILLI.,.METRE.) );",
    "( NAMED_UNIT(*) PLANE_ANGLE_UNIT() SI_UNIT($,.RADIAN.) );",
    "( NAMED_UNIT(*) SI_UNIT($,.STERADIAN.) SOLID_ANGLE_UNIT() );",
    "UNCERTAINTY_MEASURE_WITH_UNIT(LENGTH_MEASURE(1.E-007),#20,'distance_accuracy_value',"
    "'confusion accuracy');",
    "PRODUCT_TYPE('part',$,(#7));",
};

// The author named in the file: the user of the session.
std::string Author() {
  std::string name = EnvironmentVariable("USERNAME");
  if (name.empty()) name = EnvironmentVariable("USER");
  return name;
}

}  // namespace

void StepBackend::Header() {
  writer_.Header(file_.FileName(), LocalNow(), Author());
  headerWritten_ = true;
  curveSets_.clear();
  segments_ = 0;
}

void StepBackend::Limits(const CadLimits& /*limits*/) {
  // Once per file, however often the drawing sets its limits.
  if (!headerWritten_) Header();
}

void StepBackend::BeginEntities() {
  if (!headerWritten_) Header();
  ++passesBegun_;
  inPass_ = true;
  writer_.RestartNumbering();
  writer_.Plain("DATA;");
  for (const char* entity : kPreamble) writer_.Entity(entity);
  segments_ = 0;
}

void StepBackend::Line(Real x1, Real y1, Real x2, Real y2) {
  if (!inPass_) return;
  const Real length = std::hypot(x2 - x1, y2 - y1);
  // A trimmed line needs two distinct ends that the file can hold; a
  // segment of no length (the first chord of an arc, a vertex repeated) or
  // with coordinates out of range would make the file unreadable.
  if (!std::isfinite(length) || length <= 1e-7L) return;
  if (segments_ == 0) {
    writer_.Entity("SHAPE_REPRESENTATION('',(#11" + curveSets_ + ")," + StepRef(contextNumber_) +
                   ");");
    curveSets_.clear();
  }
  const long c = writer_.LastNumber();
  curveSets_ += "," + StepRef(c + 1);
  ++segments_;
  const Real angle = std::atan2(y2 - y1, x2 - x1);
  const std::string p1 = FormatStepReal(x1) + "," + FormatStepReal(y1);
  writer_.Entity("GEOMETRIC_CURVE_SET('',(" + StepRef(c + 2) + "));");
  writer_.Entity("TRIMMED_CURVE(''," + StepRef(c + 3) + ",(" + StepRef(c + 7) +
                 ",PARAMETER_VALUE(0.E+000)),(" + StepRef(c + 8) + ",PARAMETER_VALUE(" +
                 FormatStepReal(length) + ")),.T.,.PARAMETER.);");
  writer_.Entity("LINE(''," + StepRef(c + 4) + "," + StepRef(c + 5) + ");");
  writer_.Entity("CARTESIAN_POINT('',(" + p1 + "," + FormatStepReal(0) + "));");
  writer_.Entity("VECTOR(''," + StepRef(c + 6) + ",1.);");
  writer_.Entity("DIRECTION('',(" + FormatStepReal(std::cos(angle)) + "," +
                 FormatStepReal(std::sin(angle)) + "," + FormatStepReal(0) + "));");
  writer_.Entity("CARTESIAN_POINT('',(" + p1 + ",0.E+000));");
  writer_.Entity("CARTESIAN_POINT('',(" + FormatStepReal(x2) + "," + FormatStepReal(y2) +
                 ",0.E+000));");
  contextNumber_ = writer_.LastNumber() + 1;
}

bool StepBackend::PassDone() {
  inPass_ = false;
  const bool wasWriting = writer_.Output();
  if (!wasWriting) {
    countedEntities_ = writer_.LastNumber();
    countedSegments_ = segments_;
  }
  writer_.SetOutput(true);
  return wasWriting;
}

void StepBackend::Trailer() {
  const long c = writer_.LastNumber();
  const auto ref = [c](long k) { return StepRef(c + k); };
  const std::string product = StepString(BaseNamePart(file_.FileName()));
  writer_.Entity("( GEOMETRIC_REPRESENTATION_CONTEXT(3)  GLOBAL_UNCERTAINTY_ASSIGNED_CONTEXT((" +
                 ref(5) + ")) GLOBAL_UNIT_ASSIGNED_CONTEXT((" + ref(2) + "," + ref(3) + "," +
                 ref(4) +
                 ")) REPRESENTATION_CONTEXT('Context #1','3D Context with UNIT and "
                 "UNCERTAINTY') );");
  writer_.Entity("( LENGTH_UNIT() NAMED_UNIT(*) SI_UNIT(.MILLI.,.METRE.) );");
  writer_.Entity("( NAMED_UNIT(*) PLANE_ANGLE_UNIT() SI_UNIT($,.RADIAN.) );");
  writer_.Entity("( NAMED_UNIT(*) SI_UNIT($,.STERADIAN.) SOLID_ANGLE_UNIT() );");
  writer_.Entity("UNCERTAINTY_MEASURE_WITH_UNIT(LENGTH_MEASURE(1.E-007)," + ref(2) +
                 ",'distance_accuracy_value','confusion accuracy');");
  writer_.Entity("SHAPE_DEFINITION_REPRESENTATION(" + ref(7) + "," + StepRef(kShapeRepresentation) +
                 ");");
  writer_.Entity("PRODUCT_DEFINITION_SHAPE(''," + std::string("''") + "," + ref(8) + ");");
  writer_.Entity("PRODUCT_DEFINITION('design',''," + ref(9) + "," + ref(12) + ");");
  writer_.Entity("PRODUCT_DEFINITION_FORMATION(''," + std::string("''") + "," + ref(10) + ");");
  writer_.Entity("PRODUCT(" + product + "," + product + ",'',(" + ref(11) + "));");
  writer_.Entity("MECHANICAL_CONTEXT('',#2,'mechanical');");
  writer_.Entity("PRODUCT_DEFINITION_CONTEXT('part definition',#2,'design');");
  writer_.Entity("CONTEXT_DEPENDENT_SHAPE_REPRESENTATION(" + ref(14) + "," + ref(16) + ");");
  writer_.Entity("( REPRESENTATION_RELATIONSHIP(''," + std::string("''") + "," +
                 StepRef(kShapeRepresentation) + ",#10)");
  writer_.Plain("REPRESENTATION_RELATIONSHIP_WITH_TRANSFORMATION(" + ref(15) + ")");
  writer_.Plain("SHAPE_REPRESENTATION_RELATIONSHIP() );");
  writer_.Entity("ITEM_DEFINED_TRANSFORMATION('','',#11,#15);");
  writer_.Entity("PRODUCT_DEFINITION_SHAPE('Placement','Placement of an item'," + ref(17) + ");");
  writer_.Entity("NEXT_ASSEMBLY_USAGE_OCCURRENCE('2','=>[0:1:1:2]','',#5," + ref(8) + ",$);");
  writer_.Entity("PRODUCT_TYPE('part',$,(" + ref(10) + "));");
  // The colour of the curves; it styles the first curve set, so a drawing
  // without segments has none.
  if (segments_ == 0) return;
  writer_.Entity("MECHANICAL_DESIGN_GEOMETRIC_PRESENTATION_REPRESENTATION('',(" + ref(20) + ")," +
                 ref(1) + ");");
  writer_.Entity("STYLED_ITEM('color',(" + ref(21) + ")," + StepRef(kShapeRepresentation + 1) +
                 ");");
  writer_.Entity("PRESENTATION_STYLE_ASSIGNMENT((" + ref(22) + "," + ref(28) + "));");
  writer_.Entity("SURFACE_STYLE_USAGE(.BOTH.," + ref(23) + ");");
  writer_.Entity("SURFACE_SIDE_STYLE('',(" + ref(24) + "));");
  writer_.Entity("SURFACE_STYLE_FILL_AREA(" + ref(25) + ");");
  writer_.Entity("FILL_AREA_STYLE('',(" + ref(26) + "));");
  writer_.Entity("FILL_AREA_STYLE_COLOUR(''," + ref(27) + ");");
  writer_.Entity("COLOUR_RGB('',0.800000011921,0.800000011921,0.800000011921);");
  writer_.Entity("CURVE_STYLE(''," + ref(29) + ",POSITIVE_LENGTH_MEASURE(0.1)," + ref(27) + ");");
  writer_.Entity("DRAUGHTING_PRE_DEFINED_CURVE_FONT('continuous');");
}

bool StepBackend::Finish() {
  if (!file_.IsOpen()) return !file_.Failed();  // finished before
  if (file_.Failed()) return file_.Close();     // removes the new file
  // The shape representation of the writing pass lists the curve sets the
  // counting pass found; a writing pass that was not made, was cut short
  // or drew something else would leave references to nothing.
  const bool sound = writer_.Output() && passesBegun_ == 2 &&
                     writer_.LastNumber() == countedEntities_ && segments_ == countedSegments_;
  if (!sound) {
    file_.Discard();
    if (!abortFlag)
      ShowError(
          "STEP-Ausgabe abgebrochen: die Zeichnung kam nicht in zwei gleichen "
          "Durchgängen: " +
          file_.FileName());
    return false;
  }
  // Without segments #25 is still the shape representation the trailer
  // names, empty, in the context that follows it.
  if (segments_ == 0)
    writer_.Entity("SHAPE_REPRESENTATION('',(#11)," + StepRef(kShapeRepresentation + 1) + ");");
  Trailer();
  writer_.Plain("ENDSEC;");
  writer_.Plain("END-ISO-10303-21;");
  return file_.Close();
}

}  // namespace kv5
