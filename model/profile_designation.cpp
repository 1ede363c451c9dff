#include "model/profile_designation.h"

#include "model/drive_model.h"
#include "text/string_routines.h"

namespace kv5 {

std::string ProfileDesignation(bool withStrands) {
  const DriveModel& m = model;
  if (m.editable) return "";
  std::string text = TrimBlanks(m.chain.designation);
  if (withStrands) text += "-" + std::to_string(m.strands);
  if (m.chainStandard == 1) return text + " - ISO 606";
  return text + " - " + TrimBlanks(m.chain.standardNote);
}

}  // namespace kv5
