// The drawing frame of the production drawings (A4 sheet): sheet edge,
// inner border, title block after DIN 6771 or ISO 7200 with the ISO
// revision table, protection note, zone border and millimetre scale, the
// user's drawing texts, footer, program title line and the user's DXF
// snippets (logo, head, insert) from the temporary folder.
#pragma once

#include <string>

#include "model/drive_model.h"

namespace kv5 {

// Format 4 (A4): CadSetLimits(−5, −5, 215, 307, 0).
void SetSheetLimits(int format);
// Body of the block "FRAME_1" / "FRAME_2" for an A4 sheet (format 4).
void DrawFrame(int format, const std::string& drawingName, const std::string& drawingName2,
               const std::string& drawingNumber);
void DrawTitleBlock(const std::string& drawingName, const std::string& drawingName2,
                    const std::string& drawingNumber);
void DrawRevisionTable();
void DrawProtectionNote();
void DrawZoneBorder(int nx, int ny, Real x1, Real y1, Real x2, Real y2, Real w);

// Label of change n: style 0 "a", "b", …; 1 "1", "2", …; 2 "A", "B", …;
// any other style "".
std::string RevisionLabel(int style, int n);
// The label of the current revision in the ISO title block.
std::string CurrentRevisionLabel();

}  // namespace kv5
