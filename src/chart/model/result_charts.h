#pragma once

#include "chart/model/custom_chart.h"

// The three result charts of the main window and their series, configured the same way for the
// window and for the tests. Each function expects a chart without series.
void ConfigureReflectanceChart(TCustomChart& chart);   // chReflectance: Rp, Rs, R, Rp / Rs
void ConfigureTransmittanceChart(TCustomChart& chart); // chTransmittance: Tp, Ts, T
void ConfigurePolarizationChart(TCustomChart& chart);  // chPolarization: PR, PT
