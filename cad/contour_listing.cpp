#include "cad/contour_listing.h"

#include "text/number_format.h"

namespace kv5 {

void ContourListingBackend::SetZ(Real bottom, Real top) {
  file_.PutLine("  c_setz(" + FormatAutoDot(bottom) + "," + FormatAutoDot(top) + ");");
}

void ContourListingBackend::SetZThickness(Real bottom, Real thickness) {
  file_.PutLine("  c_setzb(" + FormatAutoDot(bottom) + "," + FormatAutoDot(thickness) + ");");
}

void ContourListingBackend::PolyBegin(bool closed) {
  file_.PutLine(std::string("  c_polyline_begin(") + (closed ? "1" : "0") + ");");
}

void ContourListingBackend::PolyVertex(Real x, Real y, Real sweep) {
  file_.PutLine("  c_poly(" + FormatAutoDot(x) + "," + FormatAutoDot(y) + "," +
                FormatAutoDot(sweep) + ");");
}

void ContourListingBackend::PolyEnd() {
  file_.PutLine("  c_polyline_end;");
}

}  // namespace kv5
