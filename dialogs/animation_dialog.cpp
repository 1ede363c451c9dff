#include "dialogs/animation_dialog.h"

#include "model/drive_model.h"
#include "text/number_format.h"
#include "text/units.h"

namespace kv5 {

AnimationDialog::AnimationDialog() {
  fields_.startAngle = "0";
  fields_.rotationAngle = "360";
  fields_.frames = "90";
  fields_.repetitions = "1";
  fields_.pauseMs = "10";
}

std::string AnimationDialog::Caption() {
  return "Animation";
}
std::string AnimationDialog::StartAngleLabel() {
  return "Startwinkel";
}
std::string AnimationDialog::RotationAngleLabel() {
  return "Drehwinkel";
}
std::string AnimationDialog::FramesLabel() {
  return "Anzahl der Einzelbilder";
}
std::string AnimationDialog::RepetitionsLabel() {
  return "Anzahl der Wiederholungen";
}
std::string AnimationDialog::PauseLabel() {
  return "Pause nach jedem Einzelbild";
}
std::string AnimationDialog::SingleStepCaption() {
  return PauseLabel() + " ?";
}
std::string AnimationDialog::AngleUnit() {
  return DegreeUnit();
}
std::string AnimationDialog::PauseUnit() {
  return "ms";
}

void AnimationDialog::Preset(Real startAngle, Real rotationAngle, int frames) {
  fields_.startAngle = FormatAuto(startAngle);
  fields_.rotationAngle = FormatAuto(rotationAngle);
  fields_.frames = std::to_string(frames);
}

void AnimationDialog::ProposeStartAngle() {
  fields_.startAngle = "0";
}
void AnimationDialog::ProposeRotationAngle() {
  fields_.rotationAngle = FormatAuto(360 - ParseNumber(fields_.startAngle));
}
void AnimationDialog::ProposeFrames() {
  fields_.frames = "30";
}
void AnimationDialog::ProposeRepetitions() {
  fields_.repetitions = "1";
}
void AnimationDialog::ProposePause() {
  fields_.pauseMs = "50";
}

AnimationParameters AnimationDialog::Parameters() const {
  AnimationParameters p;
  p.startAngle = ParseNumber(fields_.startAngle);
  p.rotationAngle = ParseNumber(fields_.rotationAngle);
  p.frames = ParseInt(fields_.frames);
  p.repetitions = ParseInt(fields_.repetitions);
  p.pauseMs = ParseInt(fields_.pauseMs);
  p.singleStep = fields_.singleStep;
  return p;
}

bool AnimationDialog::Ok() {
  abortFlag = false;
  return true;
}

bool AnimationDialog::Cancel() {
  abortFlag = true;
  return true;
}

void AnimationDialog::Help() const {
  if (showHelp) showHelp(kHelpTopic);
}

}  // namespace kv5
