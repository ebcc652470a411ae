#pragma once

#include <cstddef>
#include <string>
#include <vector>

class TChart;

// What a test reads from a result chart: the point count of each series and the title.
std::vector<std::size_t> PointCounts(TChart* chart);
bool TitleVisible(TChart* chart);
std::string TitleLine(TChart* chart);
int RedrawCount(TChart* chart);
class QWidget;
QWidget* AsWidget(TChart* chart);
