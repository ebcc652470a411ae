#include <QApplication>
#include <QKeyEvent>
#include <benchmark/benchmark.h>

#include "controls/spin_edit.h"
#include "qt_test_app.h"

// A step of a spin edit whose change notification starts nothing must return at once: the user
// holds a button or the wheel and expects the text to keep up.

namespace {

// Laid out like the main window's n2 field.
void Configure(TVkSpinEdit& ed) {
    ed.SetAllowKeyEdit(true);
    ed.SetCheckRange(true);
    ed.SetDecimals(3);
    ed.SetIncrement(0.1L);
    ed.SetIntegersOnly(false);
    ed.SetMax(1e9L);
    ed.SetValue(2);
    ed.SetFrameHotTrack(true);
    ed.resize(121, 21);
    ed.show();
}

void BM_SpinEditStep(benchmark::State& state) {
    TestApp();
    TVkSpinEdit ed;
    Configure(ed);
    bool up = true;
    for (auto _ : state) {
        if (up) {
            ed.StepUp(ed.Increment());
        } else {
            ed.StepDown(ed.Increment());
        }
        up = !up;
        benchmark::DoNotOptimize(ed.text().size());
    }
    QApplication::processEvents();
}
BENCHMARK(BM_SpinEditStep);

// The same step arriving as an Up or Down key press, through the event dispatch.
void BM_SpinEditArrowKey(benchmark::State& state) {
    TestApp();
    TVkSpinEdit ed;
    Configure(ed);
    QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    bool goUp = true;
    for (auto _ : state) {
        QApplication::sendEvent(&ed, goUp ? &up : &down);
        goUp = !goUp;
    }
    QApplication::processEvents();
}
BENCHMARK(BM_SpinEditArrowKey);
} // namespace
