// The text tables of the drawings beside the wheel 1 table: the wheel 2
// (pin wheel or pin rack) table, the drive table (load and safety) and the
// table of the calculation messages.
#pragma once

#include "model/drive_model.h"

namespace kv5 {

void DrawWheel2Table(int wheel, Real x0, Real y0, Real h);
void DrawDriveTable(Real x0, Real y0, Real h);
// Nothing when the message list is empty. h 0 means 2, widthChars 0 means
// 42; with more than one message and maxHeight > 0.1 the character height
// becomes min(maxHeight / count / 2, h).
void DrawMessageTable(Real x0, Real y0, Real h, int widthChars, Real maxHeight);

}  // namespace kv5
