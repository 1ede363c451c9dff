// The two drives whose every result is worked out by hand in
// tests/data/reports/README.md: drive 1 a pin rack, drive 2 a pin wheel.
#pragma once

#include "model/drive_model.h"

namespace kv5::testing {

// Pin rack after ISO 606 08B-1, z1 17, 40 pins entered (41 after the
// calculation), pins of 5 mm, 0.1 kW at 100/min, KA 1.25, bore 25 mm; the
// hand calculation of every result is in tests/data/reports/README.md
// (drive 1).
inline void SetUpRackDrive() {
  DriveModel& m = model;
  m.chain.designation = " 08B-1 ";
  m.chain.standardNote = "ISO 606";
  m.chain.p = 12.7;
  m.chain.d1 = 8.51;
  m.chain.b1 = 7.75;
  m.chain.h2 = 11.81;
  m.chainStandard = 1;
  m.z1 = 17;
  m.z2 = 40;
  m.pinRack = true;
  m.d2 = 5;
  m.P = 0.1L;
  m.n[1] = 100;
  m.KA = 1.25L;
  m.dB[1] = 25;
  m.drawingName[1] = "Kettenrad";
  m.drawingNumber[1] = "KV-100";
  m.drawingName[2] = "Triebstock";
  m.drawingNumber[2] = "KV-200";
}

// Pin wheel after DIN 8187 10B-1, z1 9, 30 pins of 6 mm, 2 kW at 200/min,
// KA 1.5, no bore (drive 2 of the same README): five messages.
inline void SetUpWheelDrive() {
  DriveModel& m = model;
  m.chain.designation = "10B-1";
  m.chain.standardNote = "  DIN 8187  ";
  m.chain.p = 15.875;
  m.chain.d1 = 10.16;
  m.chain.b1 = 9.65;
  m.chain.h2 = 14.73;
  m.chainStandard = 0;
  m.z1 = 9;
  m.z2 = 30;
  m.pinRack = false;
  m.d2 = 6;
  m.P = 2;
  m.n[1] = 200;
  m.KA = 1.5L;
  m.dB[1] = 0;
  m.drawingName[1] = "Zahnrad";
  m.drawingNumber[1] = "TR-1";
  m.drawingName[2] = "Triebstockrad";
  m.drawingNumber[2] = "TR-2";
}

}  // namespace kv5::testing
