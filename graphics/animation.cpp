#include "graphics/animation.h"

#include <algorithm>

#include "cad/cad_channel.h"
#include "graphics/graphics_window.h"
#include "graphics/tooth_outline.h"
#include "graphics/wheel2_views.h"
#include "model/drive_model.h"
#include "text/message_explanations.h"
#include "text/numeric.h"

namespace kv5 {

namespace {

AnimationHooks animationHooks;

void DrawFrame(Real phi1, Real rackTravelPerRad) {
  const DriveModel& m = model;
  CadSetPen(0);
  CadInsert("rad1va", 0, 0, phi1, 1, 1);
  if (m.pinRack) {
    // At φ1 = 0 pin z1 div 2, counted from the middle pin, lies on the x axis.
    const Real y = phi1 * kPi / 180 * rackTravelPerRad - (m.z1 / 2) * m.chain.p;
    CadInsert("rad2va", m.a, y, 0, 1, 1);
  } else {
    const Real phi2 = m.z2 != 0 ? -phi1 * m.z1 / m.z2 : 0;
    CadInsert("rad2va", m.a, 0, phi2, 1, 1);
  }
}

}  // namespace

void SetAnimationHooks(AnimationHooks hooks) {
  animationHooks = std::move(hooks);
}

void RunAnimation() {
  abortFlag = false;
  if (calcFailed) {
    ShowMessageList();
    return;
  }
  AnimationParameters p;
  {
    AnimationDialog dialog;
    dialog.Preset(135, 90, 20);
    if (animationHooks.showDialog)
      animationHooks.showDialog(dialog);
    else
      abortFlag = true;
    if (!abortFlag) p = dialog.Parameters();
  }
  if (abortFlag) return;
  graphicsWindow.singleStep = p.singleStep;
  CadBegin(kCadScreen);
  if (abortFlag) return;
  DrawAnimationFrames(p);
}

void DrawAnimationFrames(const AnimationParameters& p) {
  const DriveModel& m = model;
  // One turn of wheel 1 moves the rack by z1 pitches: K/2 per radian.
  const Real k = m.chain.p * m.z1 / kPi;
  const Real da1 = m.daMax[1], da2 = m.daMax[2];
  if (m.pinRack) {
    CadSetLimits(-0.6L * da1, -0.6L * da1, 0.6L * da1, 0.6L * da1, 0);
  } else {
    const Real r = 0.6L * std::max(da1, da2);
    CadSetLimits(-0.6L * da1, -r, m.a + 0.6L * da2, r, 0);
  }
  CadTables(2);
  CadBeginBlocks();
  CadBeginBlock("TOOTH1");
  DrawToothOutline(m.z1, m.alphaMean[1], m.riMean[1], m.reMean[1], m.dfMean[1], m.daMin[1]);
  CadEndBlock();
  CadBeginBlock("RAD1VA");
  DrawWheel1Front(1, m.z1, m.d[1], m.daMax[1], m.dB[1]);
  CadEndBlock();
  CadBeginBlock("RAD2VA");
  if (m.pinRack)
    DrawRackFront(0, false, 0, 0, 0, 0);
  else
    DrawPinWheelFront(0, false, 0, 0);
  CadEndBlock();
  CadEndSection();
  CadBeginEntities();
  CadSetPen(5);

  const int frames = std::max(p.frames, 0);
  const Real step = frames > 0 ? p.rotationAngle / frames : 0;
  for (int r = 1; r <= p.repetitions; ++r) {
    Real phi1 = p.startAngle - step;
    for (int j = 0; j <= frames; ++j) {
      phi1 += step;
      DrawFrame(phi1, k / 2);
      if (!(j == frames && r == p.repetitions)) {
        CadDelay(p.pauseMs);
        // In erase mode pen 0 is the background colour and the pens of the
        // block entities leave it, so the frame is wiped.
        CadSetPenMode(2);
        DrawFrame(phi1, k / 2);
        CadSetPenMode(0);
      }
      if (abortFlag) break;
    }
  }
  CadSetPen(0);
  CadEndSection();
  CadEnd();
}

}  // namespace kv5
