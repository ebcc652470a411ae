#include "chart/model/chart_title.h"

#include "chart/model/custom_chart.h"
#include "chart/model/layout_helpers.h"

// The titles: their texts and visibility, and their places in the layout.

void TChartTitle::SetText(std::vector<std::string> lines) {
    if (lines == text_) {
        return;
    }
    text_ = std::move(lines);
    chart_->RequestRepaint();
}

void TChartTitle::SetVisible(bool value) {
    if (value == visible_) {
        return;
    }
    visible_ = value;
    chart_->RequestRepaint();
}

void TCustomChart::CalculateTitle(const TTextMeasurer& m, TChartTitle& title) {
    title.layout_.Drawn = false;
    title.layout_.Rect = {};
    title.layout_.LinePositions.clear();
    if (!title.Visible() || title.Text().empty()) {
        return;
    }
    const int f =
        title.Frame.Visible && title.Frame.Color != AutomaticColour ? title.Frame.Width : 0;
    const int h = m.TextHeight(title.Font, "W");
    const int lines = static_cast<int>(title.Text().size());
    TRect r{layout_.PlotRect.Left, 0, layout_.PlotRect.Right, 0};
    if (title.AtTop()) {
        r.Top = layout_.PlotRect.Top + f;
        r.Bottom = r.Top + lines * h;
    } else {
        r.Bottom = layout_.PlotRect.Bottom - f;
        r.Top = r.Bottom - lines * h;
    }
    r = TRect{r.Left - f, r.Top - f, r.Right + f, r.Bottom + f};
    const int wWidth = m.TextWidth(title.Font, "W");
    if (title.AdjustFrame) {
        const int w = wWidth + f + layout::WidestLine(m, title.Font, title.Text());
        switch (title.Alignment) {
        case TTitleAlignment::taCenter: {
            const int mid = (r.Left + r.Right) / 2;
            r.Left = mid - w / 2;
            r.Right = mid + w / 2;
            break;
        }
        case TTitleAlignment::taLeftJustify:
            r.Right = r.Left + w;
            break;
        case TTitleAlignment::taRightJustify:
            r.Left = r.Right - w;
            break;
        }
    }
    if (title.CustomPosition) {
        r = TRect{title.Left, title.Top, title.Left + r.Width(), title.Top + r.Height()};
    }
    for (int i = 0; i < lines; ++i) {
        const int lineWidth = m.TextWidth(title.Font, title.Text()[i]);
        int x;
        switch (title.Alignment) {
        case TTitleAlignment::taLeftJustify:
            x = r.Left + wWidth / 2;
            break;
        case TTitleAlignment::taRightJustify:
            x = r.Right - lineWidth - wWidth / 2;
            break;
        default:
            x = (r.Left + r.Right) / 2 - lineWidth / 2;
            break;
        }
        title.layout_.LinePositions.push_back({x, r.Top + i * h + f});
    }
    title.layout_.Drawn = true;
    title.layout_.Rect = r;
    if (title.CustomPosition) {
        return; // drawn where the user put it, over the chart
    }
    const int shadow = !title.Transparent && title.Shadow.Visible ? title.Shadow.VertSize : 0;
    if (title.AtTop()) {
        layout_.PlotRect.Top = r.Bottom + title.VertMargin + f + shadow;
    } else {
        layout_.PlotRect.Bottom = r.Top - title.VertMargin - f - shadow;
    }
    layout::Normalise(layout_.PlotRect, layout_.PanelRect);
}
