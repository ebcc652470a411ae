#pragma once

#include "chart/model/custom_chart.h"

// The result charts of the main window and their series, configured the same way for the window,
// the command line and the tests. Each function expects a chart without series.
void ConfigureReflectanceChart(TCustomChart& chart);   // chReflectance: Rp, Rs, R, Rp / Rs
void ConfigureTransmittanceChart(TCustomChart& chart); // chTransmittance: Tp, Ts, T
void ConfigurePolarizationChart(TCustomChart& chart);  // chPolarization: PR, PT
void ConfigurePhaseChart(TCustomChart& chart);         // chPhase: delta p, delta s, Delta, psi
