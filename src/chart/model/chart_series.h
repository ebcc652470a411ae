#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "chart/model/chart_types.h"

class TCustomChart;

enum class TChartListOrder { loNone, loAscending, loDescending };

// One coordinate of a series' points (x or y), with the statistics the axes read on every paint.
// The array grows in steps of 1000 entries at its end, so that a sweep of 90001 points
// reallocates 91 times. It also keeps room before its first value: points that arrive against
// the list's order (a "Descending" series filled by an ascending sweep) go in at the front, and
// moving every later value for each of them would make a run quadratic.
class TChartValueList {
public:
    static constexpr std::size_t kGrowStep = 1000;

    TChartValueList(std::string name, TChartListOrder order)
        : Name(std::move(name)), Order(order) {}

    std::string Name;
    TChartListOrder Order;

    ~TChartValueList();
    TChartValueList(const TChartValueList&) = delete;
    TChartValueList& operator=(const TChartValueList&) = delete;

    std::size_t Count() const { return count_; }
    std::size_t Capacity() const { return capacity_; }
    double Value(std::size_t index) const { return values_[index]; }
    double operator[](std::size_t index) const { return values_[index]; }
    const double* Data() const { return values_; }
    double Last() const { return values_[count_ - 1]; }

    // Index at which a new value goes under the list's Order: ascending lists keep a value after
    // every equal one; loNone always appends. The list is taken to be in its order.
    std::size_t InsertionIndex(double value) const;
    void InsertAt(std::size_t index, double value);
    // Replaces one value (the data grid of the chart editor); the order is not checked here.
    void SetValue(std::size_t index, double value);
    void DeleteAt(std::size_t index);
    void Clear();

    // Statistics of the finite values, recomputed in one pass when read after a change.
    // An empty list (or one without a finite value) reports 0 for all four.
    double MinValue() const { return Statistics().minValue_; }
    double MaxValue() const { return Statistics().maxValue_; }
    double Total() const { return Statistics().total_; }
    double TotalABS() const { return Statistics().totalAbs_; }
    bool Modified() const { return modified_; }
    // Values moved so far to open or close a gap for an insertion or a deletion (not counting
    // what the C library copies when it grows the block); the cost checks read it.
    std::size_t ShiftedValues() const { return shifted_; }

private:
    // The list with its statistics brought up to date after a change.
    const TChartValueList& Statistics() const;
    void GrowBack();
    void GrowFront();

    // A plain block grown with realloc at its end: the C library can often extend it in place,
    // so the fixed growth step does not turn a long sweep into repeated copies of the whole
    // array. The values start `head_` entries into the block.
    double* block_ = nullptr;
    double* values_ = nullptr;
    std::size_t head_ = 0;
    std::size_t count_ = 0;
    std::size_t capacity_ = 0;
    std::size_t shifted_ = 0;
    mutable bool modified_ = true;
    mutable double minValue_ = 0;
    mutable double maxValue_ = 0;
    mutable double total_ = 0;
    mutable double totalAbs_ = 0;
};

enum class THorizAxis { aTopAxis, aBottomAxis, aBothHorizAxis, aCustomHorizAxis };
enum class TVertAxis { aLeftAxis, aRightAxis, aBothVertAxis, aCustomVertAxis };
enum class TTreatNulls { tnDontPaint, tnSkip, tnIgnore };
enum class TSeriesPointerStyle {
    psRectangle,
    psCircle,
    psTriangle,
    psDownTriangle,
    psCross,
    psDiagCross,
    psStar,
    psDiamond,
    psSmallDot
};

struct TSeriesPointer {
    bool Visible = true;
    TSeriesPointerStyle Style = TSeriesPointerStyle::psRectangle;
    int HorizSize = 4;
    int VertSize = 4;
    bool InflateMargins = true;
    TChartPen Pen;
    TChartBrush Brush;
};

// What the mark beside each point shows.
enum class TSeriesMarksStyle {
    smsValue,
    smsPercent,
    smsLabel,
    smsLabelPercent,
    smsLabelValue,
    smsLegend,
    smsPercentTotal,
    smsLabelPercentTotal,
    smsXValue,
    smsXY
};

struct TSeriesMarks {
    bool Visible = false;
    TSeriesMarksStyle Style = TSeriesMarksStyle::smsLabel;
    TChartFont Font;
    TChartPen Arrow;
    int ArrowLength = 8;
    // The mark's box: background (unless Transparent), frame, and the room around the text.
    TColor BackColor = clInfoBk;
    bool Transparent = false;
    TChartPen Frame;
    int MarginLeft = 2;
    int MarginTop = 1;
    int MarginRight = 2;
    int MarginBottom = 1;
    // A small square in the series colour before the text.
    bool Symbol = false;
};

// A chart series: its points (XValues, YValues, optional per-point colours and labels), whether it
// is shown, how the legend names it and which axes carry it. Owned by its chart; the plot run fills
// it through ClearPoints / AddPoint, the legend toggles Active, the widget draws it.
class TChartSeries {
public:
    explicit TChartSeries(std::string name = {});
    virtual ~TChartSeries() = default;
    TChartSeries(const TChartSeries&) = delete;
    TChartSeries& operator=(const TChartSeries&) = delete;

    // Component name ("Series1"); the legend shows it when Title is empty.
    std::string Name;
    std::string Title;
    bool ShowInLegend = true;
    TChartValueList XValues{"X", TChartListOrder::loAscending};
    TChartValueList YValues{"Y", TChartListOrder::loNone};
    TSeriesMarks Marks;
    THorizAxis HorizAxis = THorizAxis::aBottomAxis;
    TVertAxis VertAxis = TVertAxis::aLeftAxis;
    // Visible index range of the last layout; -1 when nothing was visible.
    int FirstValueIndex() const { return firstValueIndex_; }
    int LastValueIndex() const { return lastValueIndex_; }

    bool Active() const { return active_; }
    void SetActive(bool value);
    TColor SeriesColor() const { return seriesColor_; }
    void SetSeriesColor(TColor value);

    TCustomChart* ParentChart() const { return chart_; }

    std::size_t PointCount() const { return XValues.Count(); }
    // Stores the point where XValues' order puts it and returns its index.
    std::size_t AddPoint(double x, double y, const std::string& label = {},
                         TColor colour = AutomaticColour);
    void ClearPoints();

    // Per-point colours and labels exist only once a point needed them.
    bool HasPointColors() const { return colors_ != nullptr; }
    bool HasPointLabels() const { return labels_ != nullptr; }
    TColor PointColor(std::size_t index) const;
    std::string PointLabel(std::size_t index) const;

    void SetPointColor(std::size_t index, TColor colour);
    void SetPointLabel(std::size_t index, const std::string& label);
    // A null point keeps its values but is drawn as the series' TreatNulls says; it is marked by
    // the colour clNone.
    bool IsNull(std::size_t index) const { return PointColor(index) == clNone; }
    void SetNull(std::size_t index) { SetPointColor(index, clNone); }
    void DeletePoint(std::size_t index);
    // Puts the points in the order of XValues.Order (stable; loNone leaves them as they are) and
    // returns the new position of the point that was at `follow`.
    std::size_t SortByX(std::size_t follow = 0);

    // Number formats of the marks' values and percentages.
    std::string ValueFormat = "#,##0.###";
    std::string PercentFormat = "##0.## %";
    // 0 (opaque) to 100 (invisible): how much of what lies below shows through the series.
    int Transparency = 0;

    // The text of a point's mark under Marks.Style, with ValueFormat and PercentFormat (a
    // percentage is of the total of the absolute values). A format that cannot be used gives
    // the general number text.
    std::string MarkText(std::size_t index) const;

    // The text the legend shows: the title with character 6 made a blank, or the name.
    std::string LegendText() const;

    // Pixels the series asks for at both ends of its horizontal / vertical axis.
    virtual int HorizMargin() const { return 0; }
    virtual int VertMargin() const { return 0; }

private:
    friend class TCustomChart;
    void RequestRepaint() const;

    TCustomChart* chart_ = nullptr;
    int firstValueIndex_ = -1;
    int lastValueIndex_ = -1;
    bool active_ = true;
    TColor seriesColor_ = AutomaticColour;
    std::unique_ptr<std::vector<TColor>> colors_;
    std::unique_ptr<std::vector<std::string>> labels_;
};

// The line series of the result charts: a polyline in LinePen (coloured by SeriesColor).
class TLineSeries : public TChartSeries {
public:
    using TChartSeries::TChartSeries;

    TChartPen LinePen;
    TSeriesPointer Pointer;
    bool Stairs = false;
    bool InvertedStairs = false;
    TTreatNulls TreatNulls = TTreatNulls::tnDontPaint;

    int HorizMargin() const override;
    int VertMargin() const override;
};

// A value in a series' number format (ValueFormat, PercentFormat); a pattern the formatter refuses
// gives the value with 15 significant digits instead.
std::string FormatSeriesNumber(const std::string& pattern, double value);
