#pragma once

// A fixed pseudo-random walk through the settings the chart editor reaches (and values beyond
// its spin boxes where the model takes them), for the robustness tests of the painter.

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "chart/chart.h"

// xorshift64*: small, and the same sequence on every platform.
class TSettingsWalk {
public:
    explicit TSettingsWalk(std::uint64_t state) : state_(state != 0 ? state : 1) {}
    std::uint64_t Next() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 0x2545F4914F6CDD1DULL;
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
    bool Coin() { return Below(2) == 0; }
    template <typename T> T Pick(std::initializer_list<T> values) {
        return *(values.begin() + Below(static_cast<int>(values.size())));
    }
    template <typename E> E Enum(int count) { return static_cast<E>(Below(count)); }
    // Integers across and beyond what the editor's spin boxes allow.
    int Int() {
        return Pick({0,   0,   1,   2,    3,    5,      10, 20, 50,   100,
                     359, 360, 500, 1000, 5000, 100000, -1, -5, -100, -5000});
    }
    // Percentages and pixel positions, with start > end, 100 % and far outside.
    double Position() { return Pick({0.0, 100.0, 50.0, 99.0, 1.0, -50.0, 150.0, 1e6, -1e6, 1e-9}); }
    int Angle() { return Pick({0, 0, 45, 90, 135, 180, 270, 315, 359, 360, -90, 1000}); }
    std::string Text() {
        switch (Below(5)) {
        case 0:
            return {};
        case 1:
            return "Reflectance";
        case 2:
            return std::string(400, 'W');
        case 3:
            return "two\rlines";
        default:
            return "\xC3\xA9\xE2\x80\x94 \xF0\x9F\x98\x80";
        }
    }
    TColor Color() {
        return Pick({clRed, clBlack, clWhite, clNone, AutomaticColour, clBtnFace, clInfoBk,
                     static_cast<TColor>(0xFFFFFFFFu)});
    }
    TChartPen Pen() {
        TChartPen pen;
        pen.Color = Color();
        pen.Width = Pick({0, 1, 2, 3, 10, 10, 50, 1000, 100000, -1});
        pen.Style = Enum<TPenStyle>(6);
        pen.Visible = Below(4) != 0;
        return pen;
    }
    TChartShadow Shadow() {
        TChartShadow s;
        s.Color = Color();
        s.HorizSize = Int();
        s.VertSize = Int();
        s.Visible = Coin();
        s.Smooth = Coin();
        return s;
    }
    double Value() {
        constexpr double inf = std::numeric_limits<double>::infinity();
        return Pick({0.0, 1.0, -1.0, 0.5, 1e-300, 1e300, -1e300, inf, -inf,
                     std::numeric_limits<double>::quiet_NaN(), 90.0, -1e-9});
    }

private:
    std::uint64_t state_;
};

// Start of the walk; each configuration starts from its own state derived from it so that one can
// be rerun alone.
constexpr std::uint64_t kFirstState = 0x0123456789ABCDEFULL;
constexpr int kConfigurations = 300;

inline void SetAxis(TSettingsWalk& w, TChartAxis& a) {
    switch (w.Below(30)) {
    case 0:
        a.PositionPercent = w.Position();
        break;
    case 1:
        a.PositionUnits = w.Enum<TAxisPositionUnits>(2);
        break;
    case 2:
        a.StartPosition = w.Position();
        break;
    case 3:
        a.EndPosition = w.Position();
        break;
    case 4:
        a.OtherSide = !a.OtherSide;
        break;
    case 5:
        a.Title.Angle = w.Angle();
        a.Title.Caption = w.Text();
        break;
    case 6:
        a.Logarithmic = !a.Logarithmic;
        break;
    case 7:
        a.Inverted = !a.Inverted;
        break;
    case 8:
        a.LabelsAngle = w.Angle();
        break;
    case 9:
        a.LabelsAlternate = !a.LabelsAlternate;
        a.LabelsMultiLine = w.Coin();
        break;
    case 10:
        a.SetMinimum(w.Value());
        break;
    case 11:
        a.SetMaximum(w.Value());
        break;
    case 12:
        a.Automatic = false;
        a.AutomaticMinimum = w.Coin();
        a.AutomaticMaximum = w.Coin();
        a.SetMinMax(w.Value(), w.Value());
        break;
    case 13:
        a.SetIncrement(w.Value());
        break;
    case 14:
        a.SetLabelsSeparation(w.Int());
        break;
    case 15:
        a.Axis = w.Pen();
        break;
    case 16:
        a.Grid = w.Pen();
        a.MinorGrid = w.Pen();
        a.GridCentered = w.Coin();
        break;
    case 17:
        a.Ticks = w.Pen();
        a.TicksInner = w.Pen();
        a.MinorTicks = w.Pen();
        break;
    case 18:
        a.TickLength = w.Int();
        a.TickInnerLength = w.Int();
        a.MinorTickLength = w.Int();
        break;
    case 19:
        a.MinorTickCount = w.Pick({0, 1, 3, 100, -1, 1000});
        break;
    case 20:
        a.DrawEvery = w.Pick({1, 2, 100, 0, -1});
        break;
    case 21:
        a.Visible = !a.Visible;
        break;
    case 22:
        a.Labels = w.Coin();
        a.LabelStyle = w.Enum<TAxisLabelStyle>(5);
        a.LabelsOnAxis = w.Coin();
        break;
    case 23:
        a.LabelsSize = w.Int();
        a.TitleSize = w.Int();
        break;
    case 24:
        a.TickOnLabelsOnly = w.Coin();
        a.RoundFirstLabel = w.Coin();
        break;
    case 25:
        a.MinimumOffset = w.Int();
        a.MaximumOffset = w.Int();
        break;
    case 26:
        a.MinimumRound = w.Coin();
        a.MaximumRound = w.Coin();
        break;
    case 27:
        a.LogarithmicBase = w.Pick({10.0, 2.0, 1.0, 0.0, -2.0, 0.5});
        break;
    case 28:
        a.LabelsFont.Size = w.Pick({1, 8, 72, 200});
        a.Title.Font.Size = w.Pick({1, 8, 72, 200});
        break;
    default:
        a.AxisValuesFormat = w.Pick({"#,##0.###", "", "0.00E+00", "%", "0.000000000000000000000"});
        break;
    }
}

inline void SetLegend(TSettingsWalk& w, TChartLegend& lg) {
    switch (w.Below(22)) {
    case 0:
        lg.Visible = !lg.Visible;
        break;
    case 1:
        lg.Alignment = w.Enum<TLegendAlignment>(4);
        break;
    case 2:
        lg.LegendStyle = w.Enum<TLegendStyle>(5);
        break;
    case 3:
        lg.TextStyle = w.Enum<TLegendTextStyle>(10);
        break;
    case 4:
        lg.CheckBoxes = w.Coin();
        lg.CheckBoxesStyle = w.Enum<TCheckBoxesStyle>(2);
        break;
    case 5:
        lg.TopPos = w.Int();
        lg.HorizMargin = w.Int();
        lg.VertMargin = w.Int();
        break;
    case 6:
        lg.VertSpacing = w.Int();
        lg.ResizeChart = w.Coin();
        break;
    case 7:
        lg.CustomPosition = w.Coin();
        lg.Left = w.Int();
        lg.Top = w.Int();
        break;
    case 8:
        lg.FirstValue = w.Int();
        lg.Inverted = w.Coin();
        break;
    case 9:
        lg.MaxNumRows = w.Pick({0, 1, 10, 1000, -1});
        break;
    case 10:
        lg.FontSeriesColor = w.Coin();
        lg.DividingLines = w.Pen();
        break;
    case 11:
        lg.Frame = w.Pen();
        lg.Shadow = w.Shadow();
        lg.Transparent = w.Coin();
        lg.Color = w.Color();
        break;
    case 12:
        lg.Symbol.Visible = w.Coin();
        lg.Symbol.Squared = w.Coin();
        break;
    case 13:
        lg.Symbol.Width = w.Int();
        lg.Symbol.WidthUnits = w.Enum<TLegendSymbolSize>(2);
        break;
    case 14:
        lg.Symbol.Position = w.Enum<TLegendSymbolPosition>(2);
        lg.Symbol.Continuous = w.Coin();
        break;
    case 15:
        lg.Symbol.DefaultPen = w.Coin();
        lg.Symbol.Pen = w.Pen();
        break;
    case 16:
        lg.Symbol.Shadow = w.Shadow();
        break;
    case 17:
        lg.Title.Text = {w.Text(), w.Text()};
        lg.Title.Visible = w.Coin();
        break;
    case 18:
        lg.Title.TextAlignment = w.Enum<TTitleAlignment>(3);
        lg.Title.Transparent = w.Coin();
        lg.Title.Color = w.Color();
        break;
    case 19:
        lg.Font.Size = w.Pick({1, 8, 72, 200});
        break;
    case 20:
        lg.Symbol.Continuous = true;
        lg.LegendStyle = w.Enum<TLegendStyle>(5);
        break;
    default:
        lg.Title.Font.Size = w.Pick({1, 8, 72});
        break;
    }
}

inline void SetTitle(TSettingsWalk& w, TChartTitle& t) {
    switch (w.Below(8)) {
    case 0:
        t.SetText(w.Text());
        break;
    case 1:
        t.SetText(std::vector<std::string>{w.Text(), w.Text(), w.Text()});
        break;
    case 2:
        t.SetVisible(w.Coin());
        break;
    case 3:
        t.Alignment = w.Enum<TTitleAlignment>(3);
        t.AdjustFrame = w.Coin();
        break;
    case 4:
        t.CustomPosition = w.Coin();
        t.Left = w.Int();
        t.Top = w.Int();
        break;
    case 5:
        t.VertMargin = w.Int();
        break;
    case 6:
        t.Frame = w.Pen();
        t.Transparent = w.Coin();
        t.Color = w.Color();
        t.Shadow = w.Shadow();
        break;
    default:
        t.Font.Size = w.Pick({1, 8, 72, 200});
        break;
    }
}

inline void SetSeries(TSettingsWalk& w, TLineSeries& s) {
    switch (w.Below(20)) {
    case 0:
        s.LinePen = w.Pen();
        break;
    case 1:
        s.Pointer.Visible = w.Coin();
        s.Pointer.Style = w.Enum<TSeriesPointerStyle>(9);
        break;
    case 2:
        s.Pointer.HorizSize = w.Pick({0, 1, 4, 50, 200, -3});
        s.Pointer.VertSize = w.Pick({0, 1, 4, 50, 200, -3});
        s.Pointer.InflateMargins = w.Coin();
        break;
    case 3:
        s.Pointer.Pen = w.Pen();
        s.Pointer.Brush = {w.Color(), w.Enum<TBrushStyle>(2)};
        break;
    case 4:
        s.Marks.Visible = w.Coin();
        s.Marks.Style = w.Enum<TSeriesMarksStyle>(10);
        break;
    case 5:
        s.Marks.ArrowLength = w.Int();
        s.Marks.Arrow = w.Pen();
        break;
    case 6:
        s.Marks.MarginLeft = w.Int();
        s.Marks.MarginTop = w.Int();
        s.Marks.MarginRight = w.Int();
        s.Marks.MarginBottom = w.Int();
        break;
    case 7:
        s.Marks.Symbol = w.Coin();
        s.Marks.Transparent = w.Coin();
        s.Marks.Frame = w.Pen();
        s.Marks.BackColor = w.Color();
        break;
    case 8:
        s.Stairs = w.Coin();
        s.InvertedStairs = w.Coin();
        break;
    case 9:
        s.TreatNulls = w.Enum<TTreatNulls>(3);
        break;
    case 10:
        s.Transparency = w.Pick({0, 50, 100, -10, 1000});
        break;
    case 11:
        if (s.PointCount() > 0) {
            s.SetNull(static_cast<std::size_t>(w.Below(static_cast<int>(s.PointCount()))));
        }
        break;
    case 12:
        s.AddPoint(w.Value(), w.Value());
        break;
    case 13:
        s.SetActive(w.Coin());
        s.ShowInLegend = w.Coin();
        break;
    case 14:
        s.Title = w.Text();
        break;
    case 15:
        s.HorizAxis = w.Enum<THorizAxis>(4);
        s.VertAxis = w.Enum<TVertAxis>(4);
        break;
    case 16:
        s.SetSeriesColor(w.Color());
        break;
    case 17:
        s.ValueFormat = w.Pick({"#,##0.###", "", "0.00E+00", "%"});
        s.PercentFormat = w.Pick({"##0.## %", "", "0.0000000000000000000000 %"});
        break;
    case 18:
        if (w.Coin()) {
            s.ClearPoints();
        }
        break;
    default:
        if (s.PointCount() > 0) {
            s.SetPointLabel(static_cast<std::size_t>(w.Below(static_cast<int>(s.PointCount()))),
                            w.Text());
        }
        break;
    }
}

inline void SetPanel(TSettingsWalk& w, TChart& c) {
    switch (w.Below(16)) {
    case 0:
        c.BevelOuter = w.Enum<TPanelBevel>(3);
        c.BevelInner = w.Enum<TPanelBevel>(3);
        break;
    case 1:
        c.BevelWidth = w.Int();
        break;
    case 2:
        c.BorderWidth = w.Int();
        break;
    case 3:
        c.BorderRound = w.Int();
        break;
    case 4:
        c.Border = w.Pen();
        break;
    case 5:
        c.MarginLeft = w.Int();
        c.MarginRight = w.Int();
        break;
    case 6:
        c.MarginTop = w.Int();
        c.MarginBottom = w.Int();
        break;
    case 7:
        c.MarginUnits = w.Enum<TMarginUnits>(2);
        break;
    case 8:
        c.Gradient.Visible = w.Coin();
        c.Gradient.Direction = w.Enum<TChartGradientDirection>(4);
        c.Gradient.StartColor = w.Color();
        c.Gradient.EndColor = w.Color();
        break;
    case 9:
        c.Shadow = w.Shadow();
        break;
    case 10:
        c.BackWall.Visible = w.Coin();
        c.BackWall.Transparent = w.Coin();
        c.BackWall.Pen = w.Pen();
        c.BackWall.Color = w.Color();
        break;
    case 11:
        c.AxisVisible = w.Coin();
        c.AxisBehind = w.Coin();
        c.ClipPoints = w.Coin();
        break;
    case 12:
        c.Color = w.Color();
        break;
    case 13:
        c.View3D = w.Coin();
        c.View3DWalls = w.Coin();
        break;
    case 14:
        // A zoom drag in progress is drawn inverted onto the buffer.
        c.Zoom.Pen = w.Pen();
        c.Zoom.Brush = {w.Color(), w.Enum<TBrushStyle>(2)};
        c.ZoomDrag = {w.Coin(), w.Int(), w.Int(), w.Int(), w.Int()};
        c.Zoom.Direction = w.Enum<TZoomDirection>(3);
        c.Zoom.Animated = w.Coin();
        c.Zoom.AnimatedSteps = w.Pick({0, 3, -1});
        c.AllowPanning = w.Enum<TPanningMode>(4);
        break;
    default:
        c.ColorPaletteIndex = w.Pick({0, 1, 5, -1, 1000});
        break;
    }
}

// One random setting of the chart; a refusal by the model is the model at work.
inline void SetSomething(TSettingsWalk& w, TChart& c) {
    try {
        switch (w.Below(6)) {
        case 0:
            SetPanel(w, c);
            break;
        case 1: {
            const auto axes = c.Axes();
            SetAxis(w, *axes[static_cast<std::size_t>(w.Below(4))]);
            break;
        }
        case 2:
            SetLegend(w, c.Legend);
            break;
        case 3: {
            TChartTitle* titles[] = {&c.Title, &c.SubTitle, &c.Foot, &c.SubFoot};
            SetTitle(w, *titles[w.Below(4)]);
            break;
        }
        default:
            if (c.NumberOfSeries() > 0) {
                SetSeries(
                    w, static_cast<TLineSeries&>(c.SeriesAtPosition(w.Below(c.NumberOfSeries()))));
            }
            break;
        }
    } catch (const EChartException&) {
    }
}
