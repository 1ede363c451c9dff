// The meshing animation: wheel 1 turns and wheel 2 (pin wheel or pin rack)
// follows it in mesh, frame by frame, in the graphics window. Each frame
// inserts the two wheel blocks; after a pause it is drawn again in the
// background colour to wipe it. The frames become records of the display
// list (lines, pauses, colour 0), which the window plays when it paints.
#pragma once

#include <functional>

#include "dialogs/animation_dialog.h"

namespace kv5 {

// The window layer shows the animation dialog modally over the logic; the
// dialog's OK and Cancel set abortFlag. Without a hook the command counts
// as cancelled.
struct AnimationHooks {
  std::function<void(AnimationDialog&)> showDialog;
};
void SetAnimationHooks(AnimationHooks hooks);

// The command "Animation": the message list when the last calculation
// failed; otherwise the dialog (start 135°, rotation 90°, 20 frames), the
// single-step mode for the graphics window, and the frames on the screen.
void RunAnimation();

// The frames of one animation on the output run that has begun (limits,
// tables, the blocks TOOTH1, RAD1VA, RAD2VA, then the inserts) up to CadEnd.
// A frame count of 0 or less plays the start position only: without a
// step there is nothing to turn through.
void DrawAnimationFrames(const AnimationParameters& p);

}  // namespace kv5
