#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <functional>
#include <stdexcept>
#include <string>

#include "chart/model/custom_chart.h"

class QIODevice;
class TChart;

// The exporters behind the editor's "Export" tab: the chart's points as text, XML, an HTML table
// or an Excel workbook, and the chart as a PNG, BMP or SVG picture. They only read the chart, so
// the tab and the tests call the same functions.

enum class TDataExportFormat { Text, XML, HTML, Excel };

struct TDataExportOptions {
    TDataExportFormat Format = TDataExportFormat::Text;
    // Field separator of the text format ("Space", "Tab", "Comma", "Colon" or a custom text).
    std::string Delimiter = "\t";
    // Put around every text field (labels and the header); a quote inside is doubled.
    std::string TextQuotes;
    bool IncludeLabels = true;
    bool IncludeIndex = false;
    bool IncludeHeader = true;
    bool IncludeColors = false;
    // Null for all series, else only this one.
    const TChartSeries* Series = nullptr;
};

// The delimiter chosen by name ("Space", "Tab", "Comma", "Colon"); any other name means `custom`.
std::string DelimiterByName(const std::string& name, const std::string& custom);

// A chart value as the exports write it: the shortest text that reads back as the same double,
// with a point as the decimal separator.
std::string ExportNumber(double value);
// "#RRGGBB" of a point or series colour; empty for the automatic colour.
std::string ExportColour(TColor colour);

std::string ExportDataText(const TCustomChart& chart, const TDataExportOptions& options);
std::string ExportDataXML(const TCustomChart& chart, const TDataExportOptions& options);
std::string ExportDataHTML(const TCustomChart& chart, const TDataExportOptions& options);
// Text, XML or HTML by options.Format (Excel is binary: see ExportDataExcel).
std::string ExportData(const TCustomChart& chart, const TDataExportOptions& options);

// An .xlsx workbook with one sheet laid out as the text export. Throws EExportError with the
// writer's message when the file cannot be written.
class EExportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
void ExportDataExcel(const TCustomChart& chart, const TDataExportOptions& options,
                     const std::string& path);

enum class TPictureFormat { PNG, BMP, SVG };

// The chart drawn at `size` pixels (the widget's own size when `size` is empty).
QImage RenderChartImage(TChart& chart, QSize size);
// The picture file's bytes. The SVG holds the drawing as vector shapes (rectangles, lines,
// polylines and text) in a view box of the given size in pixels. A picture that cannot be encoded
// (too large for the memory, say) throws EExportError.
QByteArray ExportPicture(TChart& chart, TPictureFormat format, QSize size);
// Writes a bitmap in a format Qt encodes ("PNG", "BMP"); false when it could not. Tests replace
// it.
extern std::function<bool(const QImage& image, QIODevice& device, const char* format)>
    EncodeChartImage;
// File suffix and file dialog filter of a format.
QString PictureSuffix(TPictureFormat format);
