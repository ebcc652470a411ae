#include "chart/model/result_charts.h"

#include <string>

namespace {

struct SeriesSetup {
    const char* name;
    const char* title;
    TColor colour;
    bool active;
};

// Settings the three result charts share: a flat white chart whose legend rows carry check boxes
// and a squared symbol, a hidden title in bold 13-pixel Calibri, and the axis number formats.
void ConfigureCommon(TCustomChart& chart, const char* bottomCaption, const char* leftCaption) {
    chart.Color = clWhite;
    chart.View3D = false;
    chart.Legend.CheckBoxes = true;
    chart.Legend.SetColorWidth(50);
    chart.Legend.Symbol.Width = 50;
    chart.Legend.Symbol.Squared = true;
    chart.Title.SetText("TChart");
    chart.Title.SetVisible(false);
    chart.Title.Font.Name = "Calibri";
    chart.Title.Font.Bold = true;
    chart.Title.Font.Color = clBlack;
    chart.Title.Font.Height = 13;
    chart.BottomAxis.AxisValuesFormat = "#0.###\u00B0";
    chart.BottomAxis.Title.Caption = bottomCaption;
    chart.LeftAxis.AxisValuesFormat = "0.####";
    chart.LeftAxis.Title.Caption = leftCaption;
    chart.Zoom.Pen.Color = clSilver;
    chart.ColorPaletteIndex = 13;
}

void AddSeries(TCustomChart& chart, const SeriesSetup& setup) {
    TLineSeries& series = chart.AddLineSeries(setup.name);
    series.Title = setup.title;
    series.SetSeriesColor(setup.colour);
    series.SetActive(setup.active);
    series.Marks.Visible = false;
    series.Pointer.Visible = false;
    series.Pointer.Style = TSeriesPointerStyle::psRectangle;
    series.Pointer.InflateMargins = true;
    series.XValues.Order = TChartListOrder::loAscending;
    series.YValues.Order = TChartListOrder::loNone;
}

} // namespace

void ConfigureReflectanceChart(TCustomChart& chart) {
    chart.Name = "chReflectance";
    ConfigureCommon(chart, "Incidence Angle", "Regular Reflectance");
    AddSeries(chart, {"Series1", "Rp   ", clBlue, true});
    AddSeries(chart, {"Series2", "Rs   ", clGreen, true});
    AddSeries(chart, {"Series3", "R   ", clRed, true});
    AddSeries(chart, {"Series4", "Rp / Rs", clBlack, false});
}

void ConfigureTransmittanceChart(TCustomChart& chart) {
    chart.Name = "chTransmittance";
    ConfigureCommon(chart, "Incidence Angle", "Regular Transmittance");
    AddSeries(chart, {"LineSeries1", "Tp   ", clBlue, true});
    AddSeries(chart, {"LineSeries2", "Ts   ", clGreen, true});
    AddSeries(chart, {"LineSeries3", "T   ", clRed, true});
}

void ConfigurePolarizationChart(TCustomChart& chart) {
    chart.Name = "chPolarization";
    ConfigureCommon(chart, "Incidence Angle ", "Polarization Degree (%)");
    chart.Legend.Title.Text = {"Polarization Degree ", "of Radiation:"};
    AddSeries(chart, {"LineSeries7", "Reflected (PR)", 16711808u, true});
    AddSeries(chart, {"LineSeries8", "Transmitted (PT)", 8421440u, true});
}

void ConfigurePhaseChart(TCustomChart& chart) {
    chart.Name = "chPhase";
    ConfigureCommon(chart, "Incidence Angle", "Phase and Ellipsometric Angles");
    chart.LeftAxis.AxisValuesFormat = "#0.###\u00B0";
    // Phases sit at 0 and 180 degrees for whole stretches (a transparent pair below and above its
    // Brewster angle): a few pixels between the plot's edges and the data keep those lines off
    // the frame.
    chart.LeftAxis.MinimumOffset = 6;
    chart.LeftAxis.MaximumOffset = 6;
    AddSeries(chart, {"LineSeries9", "\u03B4p   ", clBlue, false});
    AddSeries(chart, {"LineSeries10", "\u03B4s   ", clGreen, false});
    AddSeries(chart, {"LineSeries11", "\u0394   ", clRed, true});
    AddSeries(chart, {"LineSeries12", "\u03C8   ", clBlack, true});
}
