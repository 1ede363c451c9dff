// The animation dialog "Animation" without its window: the start angle,
// rotation angle, number of frames, repetitions and pause as the person
// types them, the "<" proposals, and the single-step check box. The window
// layer shows the fields and calls the handlers.
#pragma once

#include <functional>
#include <string>

#include "model/drive_model.h"

namespace kv5 {

// What the animation plays: wheel 1 turns from the start angle through the
// rotation angle in `frames` steps, `repetitions` times, waiting `pauseMs`
// after each frame.
struct AnimationParameters {
  Real startAngle = 135;  // degrees
  Real rotationAngle = 90;
  int frames = 20;
  int repetitions = 1;
  int pauseMs = 10;
  bool singleStep = false;
  bool operator==(const AnimationParameters&) const = default;
};

class AnimationDialog {
 public:
  struct Fields {
    std::string startAngle;
    std::string rotationAngle;
    std::string frames;
    std::string repetitions;
    std::string pauseMs;
    bool singleStep = false;
  };

  static constexpr int kHelpTopic = 5600;

  // Shows a help text by its topic number.
  std::function<void(int topic)> showHelp;

  // The form's own texts "0", "360", "90", "1", "10".
  AnimationDialog();

  // Captions (shown through DosToDisplay).
  static std::string Caption();  // "Animation"
  static std::string StartAngleLabel();
  static std::string RotationAngleLabel();
  static std::string FramesLabel();
  static std::string RepetitionsLabel();
  static std::string PauseLabel();
  static std::string SingleStepCaption();  // "Pause nach jedem Einzelbild ?"
  static std::string AngleUnit();          // the degree unit
  static std::string PauseUnit();          // "ms"

  // Puts the start angle, rotation angle and frame count into the fields
  // (the values the command shows when the dialog opens).
  void Preset(Real startAngle, Real rotationAngle, int frames);

  const Fields& fields() const { return fields_; }
  void SetStartAngle(const std::string& text) { fields_.startAngle = text; }
  void SetRotationAngle(const std::string& text) { fields_.rotationAngle = text; }
  void SetFrames(const std::string& text) { fields_.frames = text; }
  void SetRepetitions(const std::string& text) { fields_.repetitions = text; }
  void SetPause(const std::string& text) { fields_.pauseMs = text; }
  void SetSingleStep(bool on) { fields_.singleStep = on; }

  // "<" buttons: start 0, rotation 360 − start angle, 30 frames, 1
  // repetition, 50 ms.
  void ProposeStartAngle();
  void ProposeRotationAngle();
  void ProposeFrames();
  void ProposeRepetitions();
  void ProposePause();

  // The values as typed: angles by ParseNumber, the counts and the pause
  // by ParseInt (a text that is no number gives 0).
  AnimationParameters Parameters() const;

  // Buttons; each returns whether the dialog closes (always).
  bool Ok();      // clears abortFlag
  bool Cancel();  // sets abortFlag
  void Help() const;

 private:
  Fields fields_;
};

}  // namespace kv5
