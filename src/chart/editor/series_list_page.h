#pragma once

#include <QString>
#include <functional>

class QWidget;
class TChartSeries;

// Asks for a series' new title ("Change Series Title" / "New Series Title:"), prefilled with
// `text`; false when cancelled. Tests replace it.
extern std::function<bool(QWidget* parent, QString& text)> AskSeriesTitle;

// The rename rule of "&Title...": an empty text changes nothing, the series' component name clears
// its own title (the legend then shows the name), any other text becomes the title.
void RenameSeries(TChartSeries& series, const QString& newTitle);
