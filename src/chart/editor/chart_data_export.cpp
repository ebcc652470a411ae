#include "chart/editor/chart_data_export.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>
#include <xlsxwriter.h>

#include "chart/chart.h"
#include "chart/chart_painter.h"

namespace {

// One cell of the exported table: a number or a text, and the colour a colour cell shows.
struct TCell {
    std::string Text;
    bool Number = false;
    double Value = 0;
    TColor Colour = AutomaticColour;
    bool IsColour = false;
};

struct TTable {
    std::vector<std::string> Header;
    std::vector<std::vector<TCell>> Rows;
};

std::vector<const TChartSeries*> ExportedSeries(const TCustomChart& chart,
                                                const TDataExportOptions& options) {
    std::vector<const TChartSeries*> list;
    for (int i = 0; i < chart.NumberOfSeries(); ++i) {
        const TChartSeries& s = chart.SeriesAtPosition(i);
        if (options.Series == nullptr || options.Series == &s) {
            list.push_back(&s);
        }
    }
    return list;
}

std::string Trimmed(std::string text) {
    const auto notSpace = [](unsigned char c) { return !std::isspace(c); };
    text.erase(std::find_if(text.rbegin(), text.rend(), notSpace).base(), text.end());
    text.erase(text.begin(), std::find_if(text.begin(), text.end(), notSpace));
    return text;
}

// Columns: the point index, then per series its labels, X, Y and colours; one row per point
// index up to the longest series, shorter series leaving their cells empty.
TTable BuildTable(const TCustomChart& chart, const TDataExportOptions& options) {
    const std::vector<const TChartSeries*> series = ExportedSeries(chart, options);
    TTable table;
    if (options.IncludeIndex) {
        table.Header.push_back("Index");
    }
    std::size_t rows = 0;
    for (const TChartSeries* s : series) {
        const std::string title = Trimmed(s->LegendText());
        const std::string prefix = title.empty() ? std::string() : title + " ";
        if (options.IncludeLabels) {
            table.Header.push_back(prefix + "Label");
        }
        table.Header.push_back(prefix + s->XValues.Name);
        table.Header.push_back(prefix + s->YValues.Name);
        if (options.IncludeColors) {
            table.Header.push_back(prefix + "Color");
        }
        rows = std::max(rows, s->PointCount());
    }
    table.Rows.resize(rows);
    for (std::size_t r = 0; r < rows; ++r) {
        std::vector<TCell>& row = table.Rows[r];
        if (options.IncludeIndex) {
            row.push_back({std::to_string(r), true, static_cast<double>(r)});
        }
        for (const TChartSeries* s : series) {
            const bool has = r < s->PointCount();
            if (options.IncludeLabels) {
                row.push_back({has ? s->PointLabel(r) : std::string()});
            }
            if (has) {
                row.push_back({ExportNumber(s->XValues[r]), true, s->XValues[r]});
                row.push_back({ExportNumber(s->YValues[r]), true, s->YValues[r]});
            } else {
                row.push_back({});
                row.push_back({});
            }
            if (options.IncludeColors) {
                TCell cell;
                cell.IsColour = true;
                if (has) {
                    cell.Colour = s->PointColor(r) == AutomaticColour ? chart.SeriesDrawColor(*s)
                                                                      : s->PointColor(r);
                    cell.Text = cell.Colour == clNone ? std::string() : ExportColour(cell.Colour);
                }
                row.push_back(cell);
            }
        }
    }
    return table;
}

// A text field in the chosen quotes. Without quotes, a field that holds the delimiter or a line
// break is still put in double quotes, so that the file reads back into the same columns.
std::string Quoted(const std::string& text, std::string quote, const std::string& delimiter) {
    if (quote.empty()) {
        const bool splits = (!delimiter.empty() && text.find(delimiter) != std::string::npos) ||
                            text.find_first_of("\r\n") != std::string::npos;
        if (!splits) {
            return text;
        }
        quote = "\"";
    }
    std::string out = quote;
    for (std::size_t i = 0; i < text.size();) {
        if (text.compare(i, quote.size(), quote) == 0) {
            out += quote + quote;
            i += quote.size();
        } else {
            out += text[i++];
        }
    }
    return out + quote;
}

std::string XmlEscaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace

std::string DelimiterByName(const std::string& name, const std::string& custom) {
    if (name == "Space") {
        return " ";
    }
    if (name == "Tab") {
        return "\t";
    }
    if (name == "Comma") {
        return ",";
    }
    if (name == "Colon") {
        return ":";
    }
    // Fields run together without a delimiter; an empty custom one falls back to the tab.
    return custom.empty() ? std::string("\t") : custom;
}

std::string ExportNumber(double value) {
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value > 0 ? "INF" : "-INF";
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string ExportColour(TColor colour) {
    if (colour == AutomaticColour || colour == clNone || IsSystemColor(colour)) {
        return {};
    }
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", ColorRed(colour), ColorGreen(colour),
                  ColorBlue(colour));
    return buffer;
}

std::string ExportDataText(const TCustomChart& chart, const TDataExportOptions& options) {
    const TTable table = BuildTable(chart, options);
    std::string out;
    auto line = [&](const auto& cells, auto text) {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (i > 0) {
                out += options.Delimiter;
            }
            out += text(cells[i]);
        }
        out += "\r\n";
    };
    if (options.IncludeHeader) {
        line(table.Header, [&](const std::string& h) {
            return Quoted(h, options.TextQuotes, options.Delimiter);
        });
    }
    for (const auto& row : table.Rows) {
        line(row, [&](const TCell& c) {
            // Numbers take no quotes unless the delimiter is a character of theirs.
            return c.Text.empty() ? c.Text
                                  : Quoted(c.Text, c.Number ? std::string() : options.TextQuotes,
                                           options.Delimiter);
        });
    }
    return out;
}

std::string ExportDataXML(const TCustomChart& chart, const TDataExportOptions& options) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";
    out += "<chart name=\"" + XmlEscaped(chart.Name) + "\">\r\n";
    for (const TChartSeries* s : ExportedSeries(chart, options)) {
        out += "<series name=\"" + XmlEscaped(s->Name) + "\" title=\"" +
               XmlEscaped(s->LegendText()) + "\" count=\"" + std::to_string(s->PointCount()) + "\"";
        if (options.IncludeColors) {
            out += " color=\"" + ExportColour(chart.SeriesDrawColor(*s)) + "\"";
        }
        out += ">\r\n";
        for (std::size_t i = 0; i < s->PointCount(); ++i) {
            out += "<point";
            if (options.IncludeIndex) {
                out += " index=\"" + std::to_string(i) + "\"";
            }
            // Every point carries its text, empty or not, as the other formats' label column
            // does: the option shows even on points without labels.
            if (options.IncludeLabels) {
                out += " text=\"" + XmlEscaped(s->PointLabel(i)) + "\"";
            }
            out += " " + s->XValues.Name + "=\"" + ExportNumber(s->XValues[i]) + "\" " +
                   s->YValues.Name + "=\"" + ExportNumber(s->YValues[i]) + "\"";
            if (options.IncludeColors && s->PointColor(i) != AutomaticColour) {
                out += " color=\"" + ExportColour(s->PointColor(i)) + "\"";
            }
            out += "/>\r\n";
        }
        out += "</series>\r\n";
    }
    out += "</chart>\r\n";
    return out;
}

std::string ExportDataHTML(const TCustomChart& chart, const TDataExportOptions& options) {
    const TTable table = BuildTable(chart, options);
    std::string out = "<table border=\"1\">\r\n";
    if (options.IncludeHeader) {
        out += "<tr>";
        for (const std::string& h : table.Header) {
            out += "<th>" + XmlEscaped(h) + "</th>";
        }
        out += "</tr>\r\n";
    }
    for (const auto& row : table.Rows) {
        out += "<tr>";
        for (const TCell& c : row) {
            if (c.IsColour && !c.Text.empty()) {
                out += "<td bgcolor=\"" + c.Text + "\">" + c.Text + "</td>";
            } else {
                out += "<td>" + XmlEscaped(c.Text) + "</td>";
            }
        }
        out += "</tr>\r\n";
    }
    out += "</table>\r\n";
    return out;
}

std::string ExportData(const TCustomChart& chart, const TDataExportOptions& options) {
    switch (options.Format) {
    case TDataExportFormat::XML:
        return ExportDataXML(chart, options);
    case TDataExportFormat::HTML:
        return ExportDataHTML(chart, options);
    default:
        return ExportDataText(chart, options);
    }
}

void ExportDataExcel(const TCustomChart& chart, const TDataExportOptions& options,
                     const std::string& path) {
    const TTable table = BuildTable(chart, options);
    lxw_workbook* book = workbook_new(path.c_str());
    if (book == nullptr) {
        throw EExportError("Cannot create the workbook " + path);
    }
    lxw_worksheet* sheet = workbook_add_worksheet(book, "Data");
    lxw_format* bold = workbook_add_format(book);
    format_set_bold(bold);
    lxw_row_t r = 0;
    // The first refused cell (a text beyond the sheet's limits, say) fails the export, so that
    // a workbook with missing cells is not reported as written.
    lxw_error refused = LXW_NO_ERROR;
    auto keep = [&refused](lxw_error e) {
        if (refused == LXW_NO_ERROR) {
            refused = e;
        }
    };
    if (options.IncludeHeader) {
        for (std::size_t c = 0; c < table.Header.size(); ++c) {
            keep(worksheet_write_string(sheet, r, static_cast<lxw_col_t>(c),
                                        table.Header[c].c_str(), bold));
        }
        ++r;
    }
    std::vector<std::pair<TColor, lxw_format*>> fills;
    auto fillOf = [&](TColor colour) {
        for (const auto& f : fills) {
            if (f.first == colour) {
                return f.second;
            }
        }
        lxw_format* f = workbook_add_format(book);
        format_set_bg_color(f, static_cast<lxw_color_t>((ColorRed(colour) << 16) |
                                                        (ColorGreen(colour) << 8) |
                                                        ColorBlue(colour)));
        fills.emplace_back(colour, f);
        return f;
    };
    for (const auto& row : table.Rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            const TCell& cell = row[c];
            const auto col = static_cast<lxw_col_t>(c);
            if (cell.Number && std::isfinite(cell.Value)) {
                keep(worksheet_write_number(sheet, r, col, cell.Value, nullptr));
            } else if (cell.IsColour && !cell.Text.empty()) {
                keep(worksheet_write_string(sheet, r, col, cell.Text.c_str(), fillOf(cell.Colour)));
            } else if (!cell.Text.empty()) {
                keep(worksheet_write_string(sheet, r, col, cell.Text.c_str(), nullptr));
            }
        }
        ++r;
    }
    const lxw_error closed = workbook_close(book);
    const lxw_error error = refused != LXW_NO_ERROR ? refused : closed;
    if (error != LXW_NO_ERROR) {
        throw EExportError("Cannot write " + path + ": " + lxw_strerror(error));
    }
}

std::function<bool(const QImage&, QIODevice&, const char*)> EncodeChartImage =
    [](const QImage& image, QIODevice& device, const char* format) {
        return !image.isNull() && image.save(&device, format);
    };

QImage RenderChartImage(TChart& chart, QSize size) {
    if (size.isEmpty()) {
        size = chart.size();
    }
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    chart.DrawChart(image);
    // The export draws at another size than the window; the window's next paint lays it out
    // again at its own.
    chart.RequestRepaint();
    return image;
}

QByteArray ExportPicture(TChart& chart, TPictureFormat format, QSize size) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (format == TPictureFormat::SVG) {
        if (size.isEmpty()) {
            size = chart.size();
        }
        size = size.expandedTo(QSize(1, 1));
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        // One unit per pixel at the screen's resolution, so that text keeps the size the layout
        // measured it at.
        svg.setResolution(QImage(1, 1, QImage::Format_RGB32).logicalDpiX());
        svg.setTitle(QString::fromStdString(chart.Name));
        chart.DrawChart(svg);
        // As for the images: the window lays out again at its own size.
        chart.RequestRepaint();
    } else {
        const QImage image = RenderChartImage(chart, size);
        if (!EncodeChartImage(image, buffer, format == TPictureFormat::PNG ? "PNG" : "BMP")) {
            throw EExportError("The picture could not be encoded as " +
                               PictureSuffix(format).toUpper().toStdString() + ".");
        }
    }
    if (bytes.isEmpty()) {
        throw EExportError("The picture could not be encoded as " +
                           PictureSuffix(format).toUpper().toStdString() + ".");
    }
    return bytes;
}

QString PictureSuffix(TPictureFormat format) {
    switch (format) {
    case TPictureFormat::BMP:
        return QStringLiteral("bmp");
    case TPictureFormat::SVG:
        return QStringLiteral("svg");
    default:
        return QStringLiteral("png");
    }
}
