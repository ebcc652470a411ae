#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>
#include <vector>

#include "chart/model/custom_chart.h"
#include "chart/qt_measurer.h"

struct TChartPaintOptions;

// The chart control of the result pages (chReflectance, chTransmittance, chPolarization): the
// chart model with a window. Repaint requests of the model (points added, a series shown or hidden,
// an axis range changed) only mark the off-screen buffer stale and ask Qt for one update, so a plot
// run of thousands of points redraws once when the event loop paints. A paint draws the whole
// chart into the buffer when it is stale and otherwise just copies it. Mouse presses go to the
// legend check boxes, the zoom rectangle (left drag; a drag to the left undoes) and the scroll
// (right drag); the wheel moves the vertical range. Over the buffer, never in it, the widget
// draws the reading cursor: a thin vertical line at one of the angles it is given and a marker
// on each shown curve there, following the pointer over the plot or standing at an angle the
// program shows (a selected table row).
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

    // ---- the reading cursor
    // The ascending values the cursor stands at (the angles of the last run); the pointer picks
    // the one nearest its own value. New stops move a cursor the pointer holds to the stop
    // nearest the pointer again and hide one the program placed.
    void SetCursorStops(std::vector<double> stops);
    const std::vector<double>& CursorStops() const { return cursorStops_; }
    // Places the cursor at stop `index` until the pointer enters the plot; -1 (or an index
    // without a stop) hides it.
    void ShowCursorAt(int index);
    // The stop the cursor stands at, -1 when it is hidden; whether the pointer holds it.
    int CursorIndex() const { return cursorIndex_; }
    bool CursorFollowsPointer() const { return cursorFollowsPointer_; }
    // The cursor as the last layout places it (an empty geometry while hidden).
    TCursorGeometry CursorShape() const;
    // The cursor drawn onto a painter over the buffer's pixels (the widget's paint does this).
    void PaintCursor(QPainter& painter) const;
    QColor CursorColour{80, 80, 80};

signals:
    // A series was shown or hidden, by whatever route: the legend, the editor or the program.
    // Views that list the series' active state (the editor's series list) follow it.
    void SeriesActiveChanged(TChartSeries* series);
    // Something of the chart changed and it will draw again (every repaint request): views of
    // the chart's settings outside it (the editor's enabled states, the print preview) follow.
    void ChartChanged();
    // The pointer over the plot moved the cursor to another stop; -1 when it left the plot.
    void CursorMoved(int index);
    // A left click in the plot that was not a zoom drag, at the stop nearest the pointer.
    void CursorClicked(int index);
    // A right click that was not a scroll drag (nor a press on the legend), at `pos` in the
    // widget: the place for a menu.
    void MenuRequested(QPoint pos);

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
    void leaveEvent(QEvent* event) override;

private:
    // The options of a drawing in this window's measurer, style and palette.
    TChartPaintOptions PaintOptions(const QPalette& palette);
    void UpdateBuffer();
    // Draws (or, drawn again, erases) the zoom rectangle on the buffer as it stands.
    void InvertZoomRectangle();
    // The pointer at `pos`: the cursor follows it over the plot and goes when it leaves.
    void TrackPointer(QPoint pos);
    bool InPlot(QPoint pos) const;
    int StopNearestPixel(int x) const;
    // Moves the cursor (to stop -1: hides it), repainting only the columns it left and took.
    void SetCursor(int index, bool fromPointer);
    QRect CursorArea() const;

    QImage buffer_;
    bool bufferStale_ = true;
    int redraws_ = 0;
    int wheelRemainder_ = 0;
    std::vector<double> cursorStops_;
    int cursorIndex_ = -1;
    bool cursorFollowsPointer_ = false;
    // The pointer's last position over the widget while no button is held, for a cursor that
    // must follow a new layout; (-1, -1) when it is elsewhere.
    QPoint pointer_{-1, -1};
    // A press that may end as a click in the plot (left) or a menu (right), and whether a scroll
    // moved an axis since.
    bool pressInPlot_ = false;
    bool pressOnLegend_ = false;
    bool scrolled_ = false;
    TQtTextMeasurer measurer_;
};
