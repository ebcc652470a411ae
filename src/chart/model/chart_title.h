#pragma once

#include <string>
#include <vector>

#include "chart/model/chart_types.h"

class TCustomChart;

enum class TTitleAlignment { taLeftJustify, taRightJustify, taCenter };

// Where the chart's layout put a title on the last paint: its rectangle (empty when it is not
// drawn) and the top-left of each line. Only the layout writes it.
struct TTitleLayout {
    bool Drawn = false;
    TRect Rect;
    struct Line {
        int X = 0;
        int Y = 0;
    };
    std::vector<Line> LinePositions;
};

// A chart title (Title, SubTitle, Foot, SubFoot): its lines, look, and the rectangle it took in
// the last layout. Changing text or visibility asks the chart for a repaint.
class TChartTitle {
public:
    TChartTitle(TCustomChart& chart, bool atTop) : chart_(&chart), atTop_(atTop) {}
    TChartTitle(const TChartTitle&) = delete;
    TChartTitle& operator=(const TChartTitle&) = delete;

    const std::vector<std::string>& Text() const { return text_; }
    void SetText(std::vector<std::string> lines);
    void SetText(const std::string& line) { SetText(std::vector<std::string>{line}); }
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    bool AtTop() const { return atTop_; }

    TChartFont Font;
    TTitleAlignment Alignment = TTitleAlignment::taCenter;
    bool AdjustFrame = true;
    int VertMargin = 5;
    bool Transparent = true;
    TChartPen Frame;
    TColor Color = clWhite;
    TChartShadow Shadow;
    // A title placed by the user: its rectangle's top-left in widget pixels, taking no band
    // from the plot.
    bool CustomPosition = false;
    int Left = 0;
    int Top = 0;

    const TTitleLayout& Layout() const { return layout_; }

private:
    friend class TCustomChart; // its layout places the title
    TTitleLayout layout_;
    TCustomChart* chart_;
    bool atTop_;
    std::vector<std::string> text_;
    bool visible_ = true;
};
