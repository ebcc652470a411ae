#pragma once

#include <QImage>
#include <QWidget>

#include "chart/model/custom_chart.h"
#include "chart/qt_measurer.h"

struct TChartPaintOptions;

// The chart control of the result pages (chReflectance, chTransmittance, chPolarization): the
// chart model with a window. Repaint requests of the model (points added, a series shown or hidden,
// an axis range changed) only mark the off-screen buffer stale and ask Qt for one update, so a plot
// run of thousands of points redraws once when the event loop paints. A paint draws the whole
// chart into the buffer when it is stale and otherwise just copies it. Mouse presses go to the
// legend check boxes, the zoom rectangle (left drag; a drag to the left undoes) and the scroll
// (right drag); the wheel moves the vertical range.
class TChart : public QWidget, public TCustomChart {
    Q_OBJECT
public:
    explicit TChart(QWidget* parent = nullptr);

    // Draws the whole chart onto `device` at its size, as a paint of a stale buffer does, and
    // leaves the layout of that drawing in the chart for the mouse handling. A 32-bit image gets
    // the pixels of the window; another device (an SVG generator) gets vector shapes.
    void DrawChart(QPaintDevice& device);
    // The same drawing as vector shapes through an active painter, as a chart of `size` pixels
    // in the painter's coordinates (a printed page), with soft edges when `smooth`. The window
    // lays itself out again at its own size for its next paint.
    void DrawChartOn(QPainter& painter, QSize size, bool smooth);
    // The buffer as the window shows it, redrawn first when stale.
    const QImage& RenderedBuffer();
    bool BufferStale() const { return bufferStale_; }
    // Full redraws so far.
    int RedrawCount() const { return redraws_; }

    // Dense series are drawn as one vertical extent per pixel column (same pixels, less work);
    // switched off only to check that claim.
    bool ReduceColumns = true;

    const TQtTextMeasurer& Measurer() const { return measurer_; }

signals:
    // A series was shown or hidden, by whatever route: the legend, the editor or the program.
    // Views that list the series' active state (the editor's series list) follow it.
    void SeriesActiveChanged(TChartSeries* series);
    // Something of the chart changed and it will draw again (every repaint request): views of
    // the chart's settings outside it (the editor's enabled states, the print preview) follow.
    void ChartChanged();

protected:
    void InvalidateChart() override;
    void RedrawNow() override;
    void SeriesVisibilityChanged(TChartSeries& series) override;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // The options of a drawing in this window's measurer, style and palette.
    TChartPaintOptions PaintOptions(const QPalette& palette);
    void UpdateBuffer();
    // Draws (or, drawn again, erases) the zoom rectangle on the buffer as it stands.
    void InvertZoomRectangle();

    QImage buffer_;
    bool bufferStale_ = true;
    int redraws_ = 0;
    int wheelRemainder_ = 0;
    TQtTextMeasurer measurer_;
};
