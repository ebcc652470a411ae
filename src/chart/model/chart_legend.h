#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "chart/model/chart_title.h"
#include "chart/model/chart_types.h"

class TCustomChart;
class TChartSeries;

enum class TLegendAlignment { laLeft, laRight, laTop, laBottom };
enum class TLegendStyle { lsAuto, lsSeries, lsValues, lsLastValues, lsSeriesGroups };
enum class TCheckBoxesStyle { cbsCheck, cbsRadio };
enum class TLegendSymbolSize { lcsPercent, lcsPixels };
enum class TLegendSymbolPosition { spLeft, spRight };
// What a row of a legend that lists values shows: the point's label (or, for last values, the
// series title), its y value, its percent of the series total and its x value.
enum class TLegendTextStyle {
    ltsPlain,
    ltsLeftValue,
    ltsRightValue,
    ltsLeftPercent,
    ltsRightPercent,
    ltsXValue,
    ltsValue,
    ltsPercent,
    ltsXAndValue,
    ltsXAndPercent
};

struct TLegendSymbol {
    bool Visible = true;
    bool Squared = false;
    int Width = 20;
    TLegendSymbolSize WidthUnits = TLegendSymbolSize::lcsPercent;
    TLegendSymbolPosition Position = TLegendSymbolPosition::spLeft;
    // On: the symbol is framed by the series' own border (a plain line has none); off: by Pen.
    bool DefaultPen = true;
    TChartPen Pen;
    // The symbols of consecutive rows fill their whole rows and touch: one band of colours.
    bool Continuous = false;
    TChartShadow Shadow{clSilver, 3, 3, true, false};
};

struct TLegendTitle {
    std::vector<std::string> Text;
    bool Visible = true;
    TChartFont Font{"Arial", DefaultChartFontSize(), 0, true};
    TTitleAlignment TextAlignment = TTitleAlignment::taLeftJustify;
    bool Transparent = true;
    // The fill of the title's band when it is not transparent; the button face sets it off
    // from the legend's white rows.
    TColor Color = clBtnFace;
};

// The text of a legend row that shows point `index` of `series` under `style`. `name` is the
// label part: the point's label, or for a row of last values the series title when the point has
// none. Values use the series' ValueFormat, percentages its PercentFormat (of the total of the
// absolute values), as the marks do.
std::string LegendValueText(const TChartSeries& series, std::size_t index, TLegendTextStyle style,
                            const std::string& name);

// One row of the legend in the last layout.
struct TLegendRow {
    int SeriesIndex = -1; // position in the chart's series list
    int PointIndex = -1;  // the point a row of values shows; -1 for a series row
    int Top = 0;          // yk
    TRect CheckBox;       // 13 x 13; empty without check boxes
    TRect Symbol;
    int TextX = 0;
    int TextY = 0;
    std::string Text;
    bool Checked = false;
};

// The legend's layout of the last paint, kept for drawing and for the hit test of a press; only
// the chart's layout writes it.
struct TLegendLayout {
    bool Drawn = false;
    TRect Rect;
    int ItemHeight = 0;
    int ItemsTop = 0;
    int NumRows = 0;
    // Items side by side in a row (a legend at the top or bottom), each column this wide, and
    // the number of items shown in all.
    int Columns = 1;
    int ColumnWidth = 0;
    int ItemCount = 0;
    int FirstValue = 0;
    int LastValue = -1;
    int CheckBoxX = 0;
    int SymbolX = 0;
    int SymbolWidth = 0;
    int TextX = 0;
    bool TitleDrawn = false;
    int TitleLineHeight = 0;
    std::vector<int> TitleLineY;
    int TitleX = 0;
    std::vector<TLegendRow> Rows;
};

// The legend settings of a chart; the check boxes show and hide series.
class TChartLegend {
public:
    bool Visible = true;
    TLegendAlignment Alignment = TLegendAlignment::laRight;
    TLegendStyle LegendStyle = TLegendStyle::lsAuto;
    TLegendTextStyle TextStyle = TLegendTextStyle::ltsLeftValue;
    bool CheckBoxes = false;
    TCheckBoxesStyle CheckBoxesStyle = TCheckBoxesStyle::cbsCheck;
    int TopPos = 10;
    int HorizMargin = 0;
    int VertMargin = 0;
    int VertSpacing = 0;
    bool ResizeChart = true;
    // A legend placed by the user at Left, Top (widget pixels); it then takes no room from the
    // plot.
    bool CustomPosition = false;
    int Left = 0;
    int Top = 0;
    int FirstValue = 0;
    bool Inverted = false;
    int MaxNumRows = 10;
    bool FontSeriesColor = false;
    TChartPen DividingLines{clBlack, 1, TPenStyle::psSolid, false};
    TChartFont Font;
    TColor Color = clWhite;
    TChartPen Frame;
    TChartShadow Shadow;
    bool Transparent = false;
    TLegendSymbol Symbol;
    TLegendTitle Title;

    // ColorWidth is the symbol width under its older name.
    int ColorWidth() const { return Symbol.Width; }
    void SetColorWidth(int value) { Symbol.Width = value; }

    const TLegendLayout& Layout() const { return layout_; }

    // Row (plus FirstValue) under a point of the last layout, -1 when none.
    int LegendItemAt(int x, int y) const;

private:
    friend class TCustomChart; // its layout places the legend
    TLegendLayout layout_;
};
