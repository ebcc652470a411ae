// Writes the pictures of the four result charts after a default run, of the reflectance chart
// while a zoom rectangle is dragged, and of the transmittance chart restyled the way the chart
// editor can (dashed lines, marker borders, a moved axis, a turned title, round corners, a legend
// of values), into the folder given as the first argument.

#include <QMouseEvent>
#include <cstdio>

#include "default_run.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: chart_screenshots <folder>\n");
        return 2;
    }
    EnsureApplication();
    const QString folder = QString::fromLocal8Bit(argv[1]);
    TResultChartWidgets charts;
    if (!charts.Plot()) {
        std::fprintf(stderr, "the default inputs did not run\n");
        return 1;
    }
    const std::pair<TChart*, const char*> shots[] = {
        {&charts.chReflectance, "chart-reflectance.png"},
        {&charts.chTransmittance, "chart-transmittance.png"},
        {&charts.chPolarization, "chart-polarization.png"},
        {&charts.chPhase, "chart-phase.png"}};
    for (const auto& [chart, file] : shots) {
        if (!chart->RenderedBuffer().save(folder + "/" + file)) {
            std::fprintf(stderr, "cannot write %s\n", file);
            return 1;
        }
    }
    // A zoom drag in progress, from the data around 50 degrees down to the right.
    TChart& chart = charts.chReflectance;
    chart.RenderedBuffer();
    const QPoint from(chart.BottomAxis.ValueToPixel(45), chart.LeftAxis.ValueToPixel(0.5));
    const QPoint to(chart.BottomAxis.ValueToPixel(75), chart.LeftAxis.ValueToPixel(0.02));
    QMouseEvent press(QEvent::MouseButtonPress, from, chart.mapToGlobal(from), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&chart, &press);
    QMouseEvent move(QEvent::MouseMove, to, chart.mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&chart, &move);
    if (!chart.RenderedBuffer().save(folder + "/chart-zoom-drag.png")) {
        std::fprintf(stderr, "cannot write chart-zoom-drag.png\n");
        return 1;
    }
    // The transmittance chart restyled.
    TChart& styled = charts.chTransmittance;
    styled.BorderRound = 14;
    styled.SeriesAtPosition(0).SetActive(false);
    auto* tp = dynamic_cast<TLineSeries*>(&styled.SeriesAtPosition(1));
    auto* ts = dynamic_cast<TLineSeries*>(&styled.SeriesAtPosition(2));
    if (tp == nullptr || ts == nullptr) {
        std::fprintf(stderr, "the transmittance chart has no line series\n");
        return 1;
    }
    tp->LinePen.Style = TPenStyle::psDash;
    tp->LinePen.Width = 2;
    ts->LinePen.Style = TPenStyle::psDot;
    ts->Pointer.Visible = true;
    ts->Pointer.Style = TSeriesPointerStyle::psCircle;
    ts->Pointer.Pen = TChartPen{clBlack, 2};
    styled.LeftAxis.Title.Angle = 0;
    styled.BottomAxis.PositionPercent = 30;
    styled.BottomAxis.OtherSide = true;
    styled.Legend.Symbol.Continuous = true;
    styled.Legend.Symbol.DefaultPen = false;
    styled.Legend.Symbol.Pen = TChartPen{clNavy, 1};
    styled.RequestRepaint();
    if (!styled.RenderedBuffer().save(folder + "/chart-restyled.png")) {
        std::fprintf(stderr, "cannot write chart-restyled.png\n");
        return 1;
    }
    return 0;
}
