// Responsiveness of the real main window: from an input event to the repainted chart.
#include "chart_probe.h"

#include "chart/chart.h"
#include "controls/status_bar.h"

#include "controls/bit_button.h"
#include "controls/check_box.h"
#include "controls/spin_edit.h"
#include "numtext/numtext.h"
#include "ui/application.h"
#include "ui/main_form.h"

#include <QMouseEvent>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

TFMain* window = nullptr;

QString local(const char* text) {
    return QString::fromLatin1(text).replace(QLatin1Char('.'),
                                             QLatin1Char(LocaleDecimalSeparator()));
}

void typeInto(TVkSpinEdit* edit, const char* text) {
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, local(text));
}

// Lets the event loop paint until the reflectance chart has redrawn its buffer and nothing is
// left to do, as the window is when it answers the next event.
void waitForRepaint(int redrawsBefore) {
    while (RedrawCount(window->chReflectance) == redrawsBefore) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void setUpInputs(const char* resolution, bool automatic) {
    if (!window->cbAutoCompute->isEnabled() || window->cbAutoCompute->isChecked() != automatic) {
        typeInto(window->edAngleRes, "1");
        if (window->cbAutoCompute->isChecked() != automatic) {
            QTest::mouseClick(window->cbAutoCompute, Qt::LeftButton);
        }
    }
    typeInto(window->edAngleRes, resolution);
    QCoreApplication::processEvents();
}

// One keystroke (Up, then Down, alternately) in n2 with automatic calculation on.
void KeystrokeInN2(benchmark::State& state, const char* resolution) {
    setUpInputs(resolution, true);
    bool up = true;
    for (auto _ : state) {
        const int before = RedrawCount(window->chReflectance);
        QTest::keyClick(window->edN2, up ? Qt::Key_Up : Qt::Key_Down);
        waitForRepaint(before);
        up = !up;
    }
    state.counters["points"] = PointCounts(window->chReflectance).at(0);
}

void BM_KeystrokeInN2_91Points(benchmark::State& state) {
    KeystrokeInN2(state, "1");
}
void BM_KeystrokeInN2_901Points(benchmark::State& state) {
    KeystrokeInN2(state, "0.1");
}

// The Plot button with the largest point count, until the window is repainted and idle.
void BM_PlotButton_90001Points(benchmark::State& state) {
    setUpInputs("0.001", false);
    for (auto _ : state) {
        const int before = RedrawCount(window->chReflectance);
        QTest::mouseClick(window->btnPlot, Qt::LeftButton);
        waitForRepaint(before);
    }
    state.counters["points"] = PointCounts(window->chReflectance).at(0);
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return QObject::eventFilter(watched, event);
    }
};

// Where the cursor is drawn over the chart (empty while hidden).
QRect CursorArea(TChart* chart) {
    const TCursorGeometry cursor = chart->CursorShape();
    return cursor.Visible ? QRect(QPoint(cursor.X - 3, cursor.Top - 3),
                                  QPoint(cursor.X + 3, cursor.Bottom + 3))
                          : QRect();
}

// The pointer moving one pixel column over the plot of a 90001-point chart: the nearest angle
// found, the readout written into the status bar, and the cursor's old and new columns painted
// again from the buffer (which is not redrawn). Each column holds some 200 points, so every move
// reads another point.
void BM_MouseMoveOverChart_90001Points(benchmark::State& state) {
    setUpInputs("0.001", false);
    TChart* chart = window->chReflectance;
    const int before = RedrawCount(chart);
    QTest::mouseClick(window->btnPlot, Qt::LeftButton);
    waitForRepaint(before);
    const TRect plot = chart->Layout().PlotRect;
    const int y = (plot.Top + plot.Bottom) / 2;
    const int redraws = RedrawCount(chart);
    PaintCounter counter;
    chart->installEventFilter(&counter);
    int x = plot.Left + 1;
    int lastIndex = -2;
    int moves = 0;
    int changes = 0;
    for (auto _ : state) {
        x = x + 1 < plot.Right ? x + 1 : plot.Left + 1;
        const QPointF at(x, y);
        QMouseEvent move(QEvent::MouseMove, at, chart->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        const QRect before = CursorArea(chart);
        QApplication::sendEvent(chart, &move);
        // Qt paints what a move marked at its next frame, on a timer; the paint is done here
        // at once, so that its cost counts: the cursor's old and new columns and the pane.
        chart->repaint(QRegion(before) + CursorArea(chart));
        window->validationPane->repaint();
        QCoreApplication::processEvents();
        ++moves;
        changes += chart->CursorIndex() != lastIndex;
        lastIndex = chart->CursorIndex();
    }
    chart->removeEventFilter(&counter);
    if (counter.paints < moves) {
        state.SkipWithError("a move was not painted");
    }
    if (RedrawCount(chart) != redraws) {
        state.SkipWithError("a mouse move redrew the chart's buffer");
    }
    if (changes < moves) {
        state.SkipWithError("a move read no new point");
    }
    state.counters["points"] = PointCounts(chart).at(0);
}

} // namespace

BENCHMARK(BM_MouseMoveOverChart_90001Points)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeystrokeInN2_91Points)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeystrokeInN2_901Points)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlotButton_90001Points)->Unit(benchmark::kMillisecond)->Iterations(10);

int main(int argc, char** argv) {
    PrepareApplicationStart(true);
    TVkApplication app(argc, argv);
    InitializeApplication(app);
    auto main = std::make_unique<TFMain>();
    window = main.get();
    window->show();
    (void)QTest::qWaitForWindowExposed(window);
    QApplication::setActiveWindow(window);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
