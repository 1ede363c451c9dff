// The load dialog "Last" without its window: the operating data of wheel 1
// as the person types them (power, torque, speed, application factor), the
// derived one of power, torque and speed kept up to date while typing, the
// field enabling and the tangential force line. The window layer shows the
// fields and calls the handlers; the dialog writes the model only on OK or
// Calc.
#pragma once

#include <functional>
#include <string>

namespace kv5 {

class LoadDialog {
 public:
  // Which of T, P, n is derived (the model's loadMode).
  enum Derived { kTorque = 0, kPower = 1, kSpeed = 2 };

  struct Fields {
    std::string torque;             // T1, Nm
    std::string power;              // P, kW
    std::string speed;              // n1, 1/min
    std::string applicationFactor;  // KA
    int derived = kTorque;
  };

  // Shows the start view of the main window after Calc.
  std::function<void()> showStartView;
  // Shows a help text by its topic number.
  std::function<void(int topic)> showHelp;

  // Help topics of the "Hilfe" button and of the "?" beside KA.
  static constexpr int kHelpTopic = 9020;
  static constexpr int kApplicationFactorHelpTopic = 4120;

  // Window caption: the program's short name + " Last".
  static std::string Caption();

  void FillFromModel();
  void ApplyToModel() const;

  const Fields& fields() const { return fields_; }
  // The force line below the fields ("Ft = ..."); empty until a calculation
  // has given a pitch diameter.
  const std::string& forceLine() const { return forceLine_; }
  bool TorqueEnabled() const { return fields_.derived != kTorque; }
  bool PowerEnabled() const { return fields_.derived != kPower; }
  bool SpeedEnabled() const { return fields_.derived != kSpeed; }

  // Typing into a field, choosing in the radio group.
  void SetTorque(const std::string& text);
  void SetPower(const std::string& text);
  void SetSpeed(const std::string& text);
  void SetApplicationFactor(const std::string& text);
  void SetDerived(int derived);

  // Buttons. Ok and Cancel return whether the dialog closes (always).
  bool Ok();
  bool Cancel();
  void Calc();
  void Help() const;
  void ApplicationFactorHelp() const;
  void ProposeApplicationFactor();  // "<": KA 1

 private:
  void UpdateDerived();

  Fields fields_;
  std::string forceLine_;
};

}  // namespace kv5
