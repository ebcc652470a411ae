// The editor's exports of a plotted chart: data as text, XML, HTML and Excel read back, pictures
// at a chosen size, and the "Export" tab's save, copy and send actions with their failures.

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSvgRenderer>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QUrlQuery>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include "../default_run.h"
#include "chart/editor/chart_data_export.h"
#include "chart/editor/chart_editor.h"
#include "chart/editor/export_editor.h"
#include "editor_tab_fixture.h"
#include "widget_text.h"

namespace {

QStringList SplitLines(const std::string& text) {
    QStringList lines = QString::fromStdString(text).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines.takeLast(), QString()) << "every line ends with CR LF";
    return lines;
}

// Fields of a delimited line, quotes removed and doubled quotes made single.
QStringList Fields(const QString& line, QChar delimiter, QChar quote) {
    QStringList out;
    QString field;
    bool quoted = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c == quote && i + 1 < line.size() && line[i + 1] == quote) {
                field += quote;
                ++i;
            } else if (c == quote) {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == quote) {
            quoted = true;
        } else if (c == delimiter) {
            out << field;
            field.clear();
        } else {
            field += c;
        }
    }
    out << field;
    return out;
}

class ChartExport : public EditorTab {
protected:
    const TChartSeries& Series(int i) const { return chart.SeriesAtPosition(i); }
};

TEST_F(ChartExport, TextReadsBackToTheSameValuesUnderEveryDelimiter) {
    ASSERT_EQ(Series(0).PointCount(), 91u);
    // A shorter series leaves its cells empty below its last point.
    TChartSeries& ratio = chart.SeriesAtPosition(3);
    while (ratio.PointCount() > 10) {
        ratio.DeletePoint(10);
    }
    struct Case {
        const char* name;
        QChar delimiter;
    };
    for (const Case& k : {Case{"Tab", '\t'}, Case{"Space", ' '}, Case{"Comma", ','},
                          Case{"Colon", ':'}, Case{"Custom", ';'}}) {
        TDataExportOptions options;
        options.Delimiter = DelimiterByName(k.name, ";");
        options.IncludeLabels = false;
        options.IncludeIndex = true;
        const QStringList lines = SplitLines(ExportDataText(chart, options));
        ASSERT_EQ(lines.size(), 92) << k.name; // header + 91 points
        // The hidden "Rp / Rs" keeps its columns: the table has every series.
        EXPECT_EQ(Fields(lines[0], k.delimiter, '"'),
                  QStringList({"Index", "Rp X", "Rp Y", "Rs X", "Rs Y", "R X", "R Y", "Rp / Rs X",
                               "Rp / Rs Y"}))
            << k.name;
        for (int r = 0; r < 91; ++r) {
            const QStringList f = Fields(lines[r + 1], k.delimiter, '"');
            ASSERT_EQ(f.size(), 9);
            EXPECT_EQ(f[0].toInt(), r);
            for (int s = 0; s < 4 && r < static_cast<int>(Series(s).PointCount()); ++s) {
                // Exactly the stored doubles, not a rounded text.
                EXPECT_EQ(f[1 + 2 * s].toDouble(), Series(s).XValues[r]);
                EXPECT_EQ(f[2 + 2 * s].toDouble(), Series(s).YValues[r]);
            }
            if (r >= 10) {
                EXPECT_EQ(f[7], QString());
                EXPECT_EQ(f[8], QString());
            }
        }
    }
}

TEST_F(ChartExport, TextQuotesLabelsAndColoursOfOneSeries) {
    TChartSeries& rs = chart.SeriesAtPosition(1);
    rs.SetPointLabel(3, "say \"3\", twice");
    rs.SetPointColor(4, RGBColor(0x12, 0x34, 0x56));
    TDataExportOptions options;
    options.Series = &rs;
    options.Delimiter = ",";
    options.TextQuotes = "\"";
    options.IncludeColors = true;
    const QStringList lines = SplitLines(ExportDataText(chart, options));
    ASSERT_EQ(lines.size(), 92);
    EXPECT_EQ(lines[0], QStringLiteral("\"Rs Label\",\"Rs X\",\"Rs Y\",\"Rs Color\""));
    EXPECT_EQ(lines[4].section(',', 0, 1), QStringLiteral("\"say \"\"3\"\", twice\""));
    EXPECT_EQ(Fields(lines[4], ',', '"')[0], QStringLiteral("say \"3\", twice"));
    EXPECT_EQ(Fields(lines[5], ',', '"')[3], QStringLiteral("#123456"));
    // Points without a colour of their own carry the series colour (green).
    EXPECT_EQ(Fields(lines[1], ',', '"')[3], QStringLiteral("#008000"));

    // A delimiter inside a field without quotes chosen: the field is quoted anyway, numbers too.
    options.TextQuotes.clear();
    options.Delimiter = ".";
    options.IncludeColors = false;
    const QStringList dotted = SplitLines(ExportDataText(chart, options));
    EXPECT_EQ(Fields(dotted[2], '.', '"')[2].toDouble(), rs.YValues[1]);
    EXPECT_EQ(DelimiterByName("Custom", ""), "\t");

    options.Delimiter = ",";
    options.IncludeHeader = false;
    options.IncludeLabels = false;
    options.IncludeColors = false;
    EXPECT_EQ(SplitLines(ExportDataText(chart, options)).first(),
              QStringLiteral("0,%1").arg(QString::fromStdString(ExportNumber(rs.YValues[0]))));
}

TEST_F(ChartExport, HtmlTableParsesBackCellForCell) {
    chart.SeriesAtPosition(0).SetPointLabel(0, "<a & b>");
    TDataExportOptions options;
    options.Format = TDataExportFormat::HTML;
    const std::string html = ExportData(chart, options);
    QXmlStreamReader xml(QString::fromStdString(html));
    QList<QStringList> rows;
    QStringList header;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QStringLiteral("tr")) {
            rows.append(QStringList());
        } else if (xml.isStartElement() &&
                   (xml.name() == QStringLiteral("td") || xml.name() == QStringLiteral("th"))) {
            const bool isHeader = xml.name() == QStringLiteral("th");
            const QString text = xml.readElementText();
            (isHeader ? header : rows.last()) << text;
        }
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(header,
              QStringList({"Rp Label", "Rp X", "Rp Y", "Rs Label", "Rs X", "Rs Y", "R Label", "R X",
                           "R Y", "Rp / Rs Label", "Rp / Rs X", "Rp / Rs Y"}));
    ASSERT_EQ(rows.size(), 1 + 91); // the header row, then the points
    EXPECT_EQ(rows[1][0], QStringLiteral("<a & b>"));
    for (int r = 0; r < 91; ++r) {
        const QStringList& cells = rows[r + 1];
        ASSERT_EQ(cells.size(), 12);
        EXPECT_EQ(cells[1].toDouble(), Series(0).XValues[r]);
        EXPECT_EQ(cells[8].toDouble(), Series(2).YValues[r]);
    }
}

TEST_F(ChartExport, XmlListsEveryPointOfEverySeries) {
    TDataExportOptions options;
    options.Format = TDataExportFormat::XML;
    options.IncludeIndex = true;
    QXmlStreamReader xml(QString::fromStdString(ExportData(chart, options)));
    QStringList titles;
    int points = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) {
            continue;
        }
        const auto a = xml.attributes();
        if (xml.name() == QStringLiteral("series")) {
            titles << a.value("title").toString();
        } else if (xml.name() == QStringLiteral("point")) {
            const TChartSeries& s = Series(static_cast<int>(titles.size()) - 1);
            const auto i = static_cast<std::size_t>(a.value("index").toInt());
            EXPECT_EQ(a.value("X").toDouble(), s.XValues[i]);
            EXPECT_EQ(a.value("Y").toDouble(), s.YValues[i]);
            ++points;
        }
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(titles, QStringList({"Rp   ", "Rs   ", "R   ", "Rp / Rs"}));
    EXPECT_EQ(points, 4 * 91);
}

TEST_F(ChartExport, XmlPointsCarryTheirTextExactlyWithLabelsIncluded) {
    chart.SeriesAtPosition(1).SetPointLabel(2, "Brewster");
    for (const bool labels : {true, false}) {
        SCOPED_TRACE(labels);
        TDataExportOptions options;
        options.Format = TDataExportFormat::XML;
        options.IncludeLabels = labels;
        QXmlStreamReader xml(QString::fromStdString(ExportData(chart, options)));
        int withText = 0;
        int points = 0;
        QStringList texts;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QStringLiteral("point")) {
                ++points;
                if (xml.attributes().hasAttribute("text")) {
                    ++withText;
                    if (!xml.attributes().value("text").isEmpty()) {
                        texts << xml.attributes().value("text").toString();
                    }
                }
            }
        }
        ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
        EXPECT_EQ(points, 4 * 91);
        EXPECT_EQ(withText, labels ? points : 0);
        EXPECT_EQ(texts, labels ? QStringList({"Brewster"}) : QStringList());
    }
}

TEST_F(ChartExport, ExcelWritesAWorkbookAndReportsAPathItCannotWrite) {
    QTemporaryDir dir;
    const QString path = dir.filePath("data.xlsx");
    TDataExportOptions options;
    options.Format = TDataExportFormat::Excel;
    ExportDataExcel(chart, options, path.toStdString());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("PK")) << "an .xlsx is a zip archive";
    EXPECT_TRUE(bytes.contains("xl/worksheets/sheet1.xml"));
    EXPECT_THROW(ExportDataExcel(chart, options, dir.filePath("missing/data.xlsx").toStdString()),
                 EExportError);
    // A label longer than a cell may hold is refused, not dropped silently.
    chart.SeriesAtPosition(0).SetPointLabel(0, std::string(40000, 'a'));
    EXPECT_THROW(ExportDataExcel(chart, options, dir.filePath("long.xlsx").toStdString()),
                 EExportError);
}

TEST_F(ChartExport, PicturesHaveTheChosenSizeAndLeaveTheWindowAlone) {
    chart.RenderedBuffer();
    const TRect plot = chart.Layout().PlotRect;
    for (TPictureFormat format : {TPictureFormat::PNG, TPictureFormat::BMP}) {
        const QImage image = QImage::fromData(ExportPicture(chart, format, QSize(640, 200)));
        EXPECT_EQ(image.size(), QSize(640, 200));
        // The blue Rp curve is in the picture.
        bool blue = false;
        for (int y = 0; y < image.height() && !blue; ++y) {
            for (int x = 0; x < image.width() && !blue; ++x) {
                blue = (image.pixel(x, y) & 0xFFFFFF) == 0x0000FF;
            }
        }
        EXPECT_TRUE(blue);
    }
    QSvgRenderer svg(ExportPicture(chart, TPictureFormat::SVG, QSize(300, 150)));
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBox(), QRect(0, 0, 300, 150));
    // The window draws at its own size again.
    chart.RenderedBuffer();
    EXPECT_EQ(chart.RenderedBuffer().size(), chart.size());
    EXPECT_EQ(chart.Layout().PlotRect, plot);
}

// Names of the elements of an SVG document, in order.
QStringList SvgElements(const QByteArray& svg) {
    QStringList names;
    QXmlStreamReader xml(svg);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement) {
            names << xml.name().toString();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return names;
}

TEST_F(ChartExport, SvgHoldsVectorShapesThatLookLikeThePixels) {
    chart.SeriesAtPosition(0).Transparency = 30; // drawn with opacity, not mixed pixels
    static_cast<TLineSeries&>(chart.SeriesAtPosition(1)).LinePen.Style = TPenStyle::psDash;
    const QSize size(449, 345);
    const QImage pixels = QImage::fromData(ExportPicture(chart, TPictureFormat::PNG, size))
                              .convertToFormat(QImage::Format_RGB32);
    const QByteArray bytes = ExportPicture(chart, TPictureFormat::SVG, size);
    const QStringList elements = SvgElements(bytes);
    EXPECT_FALSE(elements.contains(QStringLiteral("image"))) << "no embedded bitmap";
    EXPECT_TRUE(elements.contains(QStringLiteral("rect")) ||
                elements.contains(QStringLiteral("path")));
    EXPECT_TRUE(elements.contains(QStringLiteral("text")));

    // The blue Rp curve as stroked geometry in its colour, the Rs curve with its dashes.
    QXmlStreamReader xml(bytes);
    int blueStrokes = 0;
    bool dashed = false;
    QString group; // the style of the enclosing group, where the generator puts the pen
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == QStringLiteral("g")) {
            group = a.value("stroke").toString() + ";" + a.value("stroke-dasharray").toString();
        }
        const bool shape =
            xml.name() == QStringLiteral("polyline") || xml.name() == QStringLiteral("path");
        if (shape && group.startsWith(QStringLiteral("#0000ff"), Qt::CaseInsensitive)) {
            ++blueStrokes;
        }
        if (shape && group.section(';', 1) != QString() &&
            group.section(';', 1) != QStringLiteral("none")) {
            dashed = true;
        }
    }
    EXPECT_GE(blueStrokes, 1);
    EXPECT_TRUE(dashed);

    // Drawn again from the file, it matches the window's pixels but for the smoothed edges.
    QSvgRenderer renderer(bytes);
    ASSERT_TRUE(renderer.isValid());
    QImage vector(size, QImage::Format_RGB32);
    vector.fill(Qt::black);
    QPainter painter(&vector);
    renderer.render(&painter);
    painter.end();
    auto near = [](QRgb a, QRgb b, int tolerance) {
        return std::abs(qRed(a) - qRed(b)) <= tolerance &&
               std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
               std::abs(qBlue(a) - qBlue(b)) <= tolerance;
    };
    int alike = 0;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            alike += near(pixels.pixel(x, y), vector.pixel(x, y), 40);
        }
    }
    EXPECT_GT(alike, size.width() * size.height() * 95 / 100);
    // The plot's back, and the Rp curve where the pixels have it (at 70 % over white), show in
    // the drawing from the file.
    const TRect plot = chart.Layout().PlotRect;
    const QPoint back(plot.Left + 5, plot.Top + 5);
    EXPECT_TRUE(near(vector.pixel(back), pixels.pixel(back), 8));
    int curve = 0;
    int curveShown = 0;
    for (int x = plot.Left + 2; x < plot.Right - 2; x += 7) {
        for (int y = plot.Top + 1; y < plot.Bottom - 1; ++y) {
            const QRgb p = pixels.pixel(x, y);
            if (near(p, qRgb(77, 77, 255), 2)) {
                ++curve;
                curveShown += qBlue(vector.pixel(x, y)) > 200 && qRed(vector.pixel(x, y)) < 170;
                break;
            }
        }
    }
    EXPECT_GE(curve, 10);
    EXPECT_GE(curveShown, curve * 8 / 10);
}

class ExportTab : public ChartExport {
protected:
    QTemporaryDir dir;
    QStringList messages;
    QList<QUrl> opened;
    bool mailWorks = true;
    QString nextFile;
    TExportTab tab{chart, nullptr};

    void SetUp() override {
        ChartExport::SetUp();
        ChartEditorMessage = [this](QWidget*, const QString& m) { messages << m; };
        ExportSaveFileName = [this](QWidget*, const QString&, const QString&, const QString&) {
            return nextFile;
        };
        ExportOpenUrl = [this](const QUrl& url) {
            opened << url;
            return mailWorks;
        };
    }
    static QByteArray Read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(ExportTab, SaveWritesWhatTheControlsChoose) {
    tab.Tabs()->setCurrentIndex(1);
    tab.dataFormats[2]->setChecked(true); // "HTML Table"
    tab.includeLabels->setChecked(false);
    nextFile = dir.filePath("table.htm");
    EXPECT_EQ(tab.SaveToFile(), nextFile);
    TDataExportOptions options;
    options.Format = TDataExportFormat::HTML;
    options.IncludeLabels = false;
    EXPECT_EQ(Read(nextFile).toStdString(), ExportDataHTML(chart, options));

    tab.dataFormats[0]->setChecked(true);
    tab.delimiter->setCurrentText("Custom");
    tab.customDelimiter->setText("|");
    tab.seriesChoice->setCurrentIndex(3); // "R"
    EXPECT_EQ(tab.DataOptions().Delimiter, "|");
    EXPECT_EQ(tab.DataOptions().Series, &Series(2));
    nextFile = dir.filePath("r.txt");
    tab.SaveToFile();
    EXPECT_TRUE(Read(nextFile).startsWith("R X|R Y\r\n"));

    tab.Tabs()->setCurrentIndex(0);
    tab.pictureFormat->setCurrentIndex(1); // BMP
    tab.keepAspect->setChecked(false);
    tab.pictureWidth->setValue(320);
    tab.pictureHeight->setValue(100);
    nextFile = dir.filePath("chart.bmp");
    tab.SaveToFile();
    EXPECT_EQ(QImage(nextFile, "BMP").size(), QSize(320, 100));
    EXPECT_TRUE(messages.isEmpty());

    nextFile.clear(); // cancelled
    EXPECT_EQ(tab.SaveToFile(), QString());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ExportTab, KeepAspectFollowsTheChartsProportions) {
    tab.keepAspect->setChecked(true);
    tab.pictureWidth->setValue(chart.width() * 2);
    EXPECT_EQ(tab.pictureHeight->value(), chart.height() * 2);
}

TEST_F(ExportTab, AFileThatCannotBeWrittenIsReportedNotClaimed) {
    tab.Tabs()->setCurrentIndex(1);
    nextFile = dir.path(); // a folder
    EXPECT_EQ(tab.SaveToFile(), QString());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("Cannot write")) << messages[0].toStdString();

    tab.dataFormats[3]->setChecked(true); // Excel
    nextFile = dir.filePath("missing/book.xlsx");
    EXPECT_EQ(tab.SaveToFile(), QString());
    EXPECT_EQ(messages.size(), 2);
}

TEST_F(ExportTab, CopyPutsTextOrThePictureOnTheClipboard) {
    tab.Tabs()->setCurrentIndex(1);
    tab.CopyToClipboard();
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
              ExportDataText(chart, tab.DataOptions()));
    tab.Tabs()->setCurrentIndex(0);
    tab.keepAspect->setChecked(false);
    tab.pictureWidth->setValue(200);
    tab.pictureHeight->setValue(120);
    tab.CopyToClipboard();
    EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(200, 120));
}

TEST_F(ExportTab, SendHandsTheSavedFileToTheMailProgram) {
    tab.Tabs()->setCurrentIndex(1);
    const QString path = tab.SendByMail();
    ASSERT_FALSE(path.isEmpty());
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0].scheme(), QStringLiteral("mailto"));
    const QUrlQuery query(opened[0]);
    EXPECT_EQ(QUrl(query.queryItemValue("attachment", QUrl::FullyDecoded)).toLocalFile(), path);
    EXPECT_EQ(Read(path).toStdString(), ExportDataText(chart, tab.DataOptions()));
    EXPECT_TRUE(messages.isEmpty());

    // Without a mail program the user learns where the file is.
    mailWorks = false;
    tab.SendByMail();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QDir::toNativeSeparators(path)));
}

// "&Copy" with the SVG format puts the SVG drawing on the clipboard as image/svg+xml, and a bitmap
// beside it for the programs that take only pictures; it used to put the bitmap alone.
TEST_F(ExportTab, CopyWithTheSvgFormatPutsTheDrawingAndABitmap) {
    tab.Tabs()->setCurrentIndex(0);
    tab.pictureFormat->setCurrentIndex(static_cast<int>(TPictureFormat::SVG));
    tab.keepAspect->setChecked(false);
    tab.pictureWidth->setValue(300);
    tab.pictureHeight->setValue(200);
    tab.CopyToClipboard();
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    ASSERT_TRUE(mime->hasFormat(QStringLiteral("image/svg+xml")));
    QSvgRenderer svg(mime->data(QStringLiteral("image/svg+xml")));
    EXPECT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBox().size(), QSize(300, 200));
    ASSERT_TRUE(mime->hasImage());
    EXPECT_EQ(qvariant_cast<QImage>(mime->imageData()).size(), QSize(300, 200));
    // The bitmap formats put the bitmap alone.
    tab.pictureFormat->setCurrentIndex(static_cast<int>(TPictureFormat::PNG));
    tab.CopyToClipboard();
    EXPECT_FALSE(QApplication::clipboard()->mimeData()->hasFormat(QStringLiteral("image/svg+xml")));
    EXPECT_TRUE(QApplication::clipboard()->mimeData()->hasImage());
}

// A picture that cannot be encoded is an error the user sees, not a success; no file is left
// behind, and a file that was there stays as it was.
TEST_F(ExportTab, APictureThatCannotBeEncodedIsReportedAndWritesNoFile) {
    const auto encode = EncodeChartImage;
    EncodeChartImage = [](const QImage&, QIODevice&, const char*) { return false; };
    tab.Tabs()->setCurrentIndex(0);
    for (TPictureFormat format : {TPictureFormat::PNG, TPictureFormat::BMP}) {
        tab.pictureFormat->setCurrentIndex(static_cast<int>(format));
        nextFile = dir.filePath(QStringLiteral("chart.") + PictureSuffix(format));
        EXPECT_EQ(tab.SaveToFile(), QString());
        EXPECT_FALSE(QFile::exists(nextFile));
    }
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[0], QStringLiteral("The picture could not be encoded as PNG."));
    EXPECT_EQ(messages[1], QStringLiteral("The picture could not be encoded as BMP."));
    nextFile = dir.filePath(QStringLiteral("kept.png"));
    {
        QFile kept(nextFile);
        ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
        kept.write("earlier picture");
    }
    tab.pictureFormat->setCurrentIndex(static_cast<int>(TPictureFormat::PNG));
    EXPECT_EQ(tab.SaveToFile(), QString());
    EXPECT_EQ(Read(nextFile), QByteArray("earlier picture"));
    EncodeChartImage = encode;
    EXPECT_EQ(tab.SaveToFile(), nextFile);
    EXPECT_TRUE(Read(nextFile).startsWith("\x89PNG"));
}

// Choices that the chosen format does not use are disabled with the reason in their tip.
TEST_F(ExportTab, DisabledChoicesSayWhy) {
    QPushButton* copy = WithText<QPushButton>(&tab, "&Copy");
    ASSERT_NE(copy, nullptr);
    tab.Tabs()->setCurrentIndex(1);
    auto idle = [](QWidget* w) { return !w->isEnabled() && !w->toolTip().isEmpty(); };
    EXPECT_TRUE(idle(tab.customDelimiter)) << "waits for Custom";
    tab.dataFormats[1]->setChecked(true); // XML
    for (QWidget* w : std::initializer_list<QWidget*>{tab.delimiter, tab.customDelimiter,
                                                      tab.textQuotes, tab.includeHeader}) {
        EXPECT_TRUE(idle(w)) << w->metaObject()->className();
    }
    tab.dataFormats[3]->setChecked(true); // Excel
    EXPECT_TRUE(idle(copy));
    EXPECT_TRUE(tab.includeHeader->isEnabled());
    tab.dataFormats[0]->setChecked(true);
    EXPECT_TRUE(copy->isEnabled());
    EXPECT_TRUE(tab.delimiter->isEnabled());
    EXPECT_TRUE(tab.delimiter->toolTip().isEmpty());
}

} // namespace
