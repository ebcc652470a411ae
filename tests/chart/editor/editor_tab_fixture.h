#pragma once

// The fixture of the chart editor's tab tests: a chart after a default run, and a way to find a
// tab's controls by their names.

#include <QWidget>
#include <gtest/gtest.h>

#include "../default_run.h"

struct ApplicationFirst {
    ApplicationFirst() { EnsureApplication(); }
};

class EditorTab : public ::testing::Test, public ApplicationFirst {
protected:
    TResultChartWidgets charts;
    TChart& chart = charts.chReflectance;

    void SetUp() override { ASSERT_TRUE(charts.Plot()); }
    TLineSeries& Line(int i) { return static_cast<TLineSeries&>(chart.SeriesAtPosition(i)); }
    // Runs `edit` and tells whether the chart was asked to redraw.
    template <typename F> bool Redraws(F edit) {
        chart.RenderedBuffer();
        edit();
        return chart.BufferStale();
    }
    template <typename W> W* Named(QWidget* tab, const char* name) {
        W* w = tab->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
};
