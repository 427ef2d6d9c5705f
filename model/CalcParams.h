// The nine parameters of one run, as read from the window's fields. Times in seconds,
// Amplitude and U0 in volts, R in ohms, C in farads.
#pragma once

struct CalcParams {
  double T1 = 0;         // start of the pulse and first time point
  double T2 = 0;         // end of the rising edge
  double T3 = 0;         // end of the plateau
  double T4 = 0;         // end of the pulse and of the run
  double Step = 0;       // time step
  double Amplitude = 0;  // plateau voltage
  double R = 0;
  double C = 0;
  double U0 = 0;         // initial capacitor voltage
};
