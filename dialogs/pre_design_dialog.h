// The pre-design dialog "Vorauslegung" without its window: the load (torque
// in the user's moment unit, power, speed, application factor, the derived
// one of them), the ratio with tooth and pin numbers (one of u, z1, z2
// derived), the chain standard and the pin rack switch. The window layer
// shows the fields and calls the handlers; the dialog writes the model
// only on OK.
#pragma once

#include <functional>
#include <string>

#include "model/drive_model.h"

namespace kv5 {

class PreDesignDialog {
 public:
  enum Derived { kTorque = 0, kPower = 1, kSpeed = 2 };
  // Which of u, z1, z2 follows from the other two.
  enum RatioItem { kRatioDerived = 0, kZ1Derived = 1, kZ2Derived = 2 };

  struct Fields {
    std::string torque;  // T1 in the moment unit
    std::string power;   // P, kW
    std::string speed;   // n1, 1/min
    std::string applicationFactor;
    int derived = kTorque;
    int ratioItem = kZ2Derived;
    std::string u, z1, z2;
    int chainStandard = 1;  // 0 DIN 8187 / 8188, 1 ISO 606
    bool pinRack = true;
  };

  std::function<void(int topic)> showHelp;
  static constexpr int kHelpTopic = 9030;

  // Window caption: the program's short name + " Vorauslegung".
  static std::string Caption();
  // The caption of the ratio group (with z2/z1 and n2 once both numbers
  // are given).
  const std::string& ratioCaption() const { return ratioCaption_; }

  void FillFromModel();
  void ApplyToModel() const;

  const Fields& fields() const { return fields_; }

  // Enabling and visibility.
  bool TorqueEnabled() const { return fields_.derived != kTorque; }
  bool PowerEnabled() const { return fields_.derived != kPower; }
  bool SpeedEnabled() const { return fields_.derived != kSpeed; }
  bool RatioEnabled() const { return fields_.ratioItem != kRatioDerived; }
  bool Z1Enabled() const { return fields_.ratioItem != kZ1Derived; }
  bool Z2Enabled() const { return fields_.ratioItem != kZ2Derived; }
  // The pin rack has no ratio: group, u and z2 hidden, the z1 label shown.
  bool RatioVisible() const { return !fields_.pinRack; }
  bool Z2Visible() const { return !fields_.pinRack; }
  bool Z1LabelVisible() const { return fields_.pinRack; }

  // Typing and choosing.
  void SetTorque(const std::string& text);
  void SetPower(const std::string& text);
  void SetSpeed(const std::string& text);
  void SetApplicationFactor(const std::string& text);
  void SetDerived(int derived);
  void SetRatioItem(int item);
  void SetU(const std::string& text);
  void SetZ1(const std::string& text);
  void SetZ2(const std::string& text);
  void SetChainStandard(int standard) { fields_.chainStandard = standard == 0 ? 0 : 1; }
  void SetPinRack(bool on);

  // Buttons. Ok and Cancel return whether the dialog closes (always).
  bool Ok();
  bool Cancel();
  void Help() const;
  void SwitchUnits();  // "mm <--> inch"
  void ProposeZ1();    // "<": 17

  // Derived load field (T, P or n) and derived ratio field (u, z1 or z2).
  void UpdateDerived();
  void UpdateRatio();

 private:
  void FillFrom(const DriveModel& source);
  void ApplyTo(DriveModel& target) const;

  Fields fields_;
  std::string ratioCaption_ = "Übersetzung";
};

// Nearest integer, halves to the even neighbour (the rounding of the
// pre-design).
long long RoundHalfEven(Real x);

}  // namespace kv5
