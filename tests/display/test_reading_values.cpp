// Reading values off the results through real X input: the cursor readout in the status bar and
// the cursor drawn over the chart (the screen's pixels, without a redraw of the chart), a click
// in the plot selecting the table row, a selected row shown on the chart, the summary's angles
// as jumps, every entry of the chart's menu with the clipboard read back, and Ctrl+E.
#include "x_input.h"

#include "chart/chart.h"
#include "chart/editor/chart_editor.h"
#include "controls/bit_button.h"
#include "controls/check_box.h"
#include "controls/memo.h"
#include "controls/page_control.h"
#include "controls/spin_edit.h"
#include "controls/status_bar.h"
#include "controls/string_grid.h"
#include "controls/system_colours.h"
#include "numtext/numtext.h"
#include "ui/main_form.h"
#include "ui/reading_links.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

QString Shown(const QString& text) {
    return QString(text).replace(QLatin1Char('.'), QLatin1Char(LocaleDecimalSeparator()));
}

// What the screen shows of a widget: the X server's pixels, not the widget's own drawing.
QImage OnScreen(QWidget* widget) {
    const QPoint at = widget->mapToGlobal(QPoint(0, 0));
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, at.x(), at.y(), widget->width(), widget->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

QRgb Rgb(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFFu;
}

class ReadingValues : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<TFMain>();
        ASSERT_TRUE(vkx::ShowActive(window.get()));
    }
    void TearDown() override {
        x.ReleaseAll();
        window.reset();
    }

    TFMain& W() { return *window; }
    TChart* Chart(int page) {
        TChart* charts[] = {W().chReflectance, W().chTransmittance, W().chPolarization,
                            W().chPhase};
        return charts[page];
    }
    TVkStringGrid* Table(int page) {
        TVkStringGrid* tables[] = {W().sgReflectance, W().sgTransmittance, W().sgPolarization,
                                   W().sgPhase};
        return tables[page];
    }

    void Plot() {
        x.Click(W().btnPlot);
        ASSERT_TRUE(vkx::WaitUntil([&] { return !W().summary->toPlainText().isEmpty(); }));
        ASSERT_TRUE(vkx::WaitUntil([&] { return !Chart(0)->BufferStale(); }));
    }
    void TypeOver(TVkSpinEdit* edit, const QString& text) {
        x.Click(edit, QPoint(8, edit->height() / 2));
        ASSERT_TRUE(edit->hasFocus());
        x.Key(Qt::Key_A, Qt::ControlModifier);
        x.Type(Shown(text));
    }
    void ShowPage(int page) {
        x.Click(W().resultPages, W().resultPages->TabRect(page).center());
        ASSERT_EQ(W().resultPages->ActivePageIndex(), page);
        ASSERT_TRUE(vkx::WaitUntil([&] { return !Chart(page)->BufferStale(); }));
    }
    // A point of the plot at an angle, halfway up.
    QPoint AtAngle(TChart* chart, double angle) {
        const TRect& plot = chart->Layout().PlotRect;
        return {chart->BottomAxis.ValueToPixel(angle), (plot.Top + plot.Bottom) / 2};
    }
    QString Pane() const { return window->validationPane->Caption(); }

    // The readout the table's row says it should be: "θ = " angle "°" and each shown column.
    QString RowReadout(int page, int row, const std::vector<std::pair<int, QString>>& columns,
                       const QString& unit = QString()) {
        QString text = QStringLiteral("\u03B8 = ") + Table(page)->Cells(0, row) + QChar(0xB0);
        for (const auto& [column, label] : columns) {
            const QString cell = Table(page)->Cells(column, row);
            text += QStringLiteral("   ") + label + QStringLiteral(" = ") +
                    (cell.isEmpty() || cell == QStringLiteral("N/A") ? QStringLiteral("N/A")
                                                                     : cell + unit);
        }
        return text;
    }

    // Right-clicks the chart at `pos` and picks the menu entry `name` with the mouse (a disabled
    // one closes the menu with Escape); `look` sees the entry first. Dialogs the entry opens
    // are to be armed before.
    void MenuEntry(TChart* chart, QPoint pos, const char* name,
                   const std::function<void(QAction*)>& look = {}) {
        bool seen = false;
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, [&, poll] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu || !menu->isVisible()) {
                return;
            }
            poll->stop();
            seen = true;
            EXPECT_EQ(menu, W().Reading().ActiveMenu());
            auto* action = menu->findChild<QAction*>(QString::fromLatin1(name));
            ASSERT_NE(action, nullptr) << name;
            if (look) {
                look(action);
            }
            // A disabled entry does not close the menu; Escape does.
            if (action->isEnabled()) {
                x.Click(menu, menu->actionGeometry(action).center());
            } else {
                x.Key(Qt::Key_Escape);
            }
        });
        poll->start(10);
        x.Click(chart, pos, Qt::RightButton);
        EXPECT_TRUE(vkx::WaitUntil([&] { return seen && !QApplication::activePopupWidget(); }))
            << name;
        delete poll;
    }

    std::unique_ptr<TFMain> window;
    XInput x;
};

TEST_F(ReadingValues, ReadoutOfEachPageEqualsTheTableRow) {
    Plot();
    TChart* chart = Chart(0);
    // Default media at 56°: Rp, Rs and R (the ratio is hidden at start).
    x.MoveTo(chart, AtAngle(chart, 56));
    ASSERT_TRUE(vkx::WaitUntil([&] { return !Pane().isEmpty(); }));
    EXPECT_EQ(chart->CursorIndex(), 56);
    const QString at56 = RowReadout(0, 57, {{1, "Rp"}, {2, "Rs"}, {3, "R"}});
    EXPECT_EQ(Pane(), at56);
    EXPECT_EQ(Pane(), Shown(QStringLiteral("\u03B8 = 56.000\u00B0   Rp = 0.01055   Rs = 0.28084   "
                                           "R = 0.14570")));
    EXPECT_TRUE(W().validationPane->isVisible());
    EXPECT_EQ(W().validationPane->CaptionColor(), SysColor::clWindowText());

    // The ratio shown through its legend box joins the readout.
    const TLegendRow ratio = chart->Legend.Layout().Rows[3];
    x.Click(chart, QPoint(ratio.TextX + 5, ratio.TextY + 5));
    EXPECT_TRUE(Pane().isEmpty()) << "the legend is outside the plot";
    ASSERT_TRUE(vkx::WaitUntil([&] { return !chart->BufferStale(); }));
    x.MoveTo(chart, AtAngle(chart, 56));
    EXPECT_EQ(Pane(), RowReadout(0, 57, {{1, "Rp"}, {2, "Rs"}, {3, "R"}, {4, "Rp / Rs"}}));

    // Leaving the plot clears the pane.
    x.MoveTo(W().sgReflectance);
    EXPECT_TRUE(vkx::WaitUntil([&] { return Pane().isEmpty(); }));
    EXPECT_FALSE(W().validationPane->isVisible());

    ShowPage(1);
    x.MoveTo(Chart(1), AtAngle(Chart(1), 56));
    EXPECT_TRUE(vkx::WaitUntil([&] {
        return Pane() == RowReadout(1, 57, {{1, "Tp"}, {2, "Ts"}, {3, "T"}});
    })) << Pane().toStdString();
    ShowPage(2);
    x.MoveTo(Chart(2), AtAngle(Chart(2), 56));
    EXPECT_TRUE(vkx::WaitUntil([&] {
        return Pane() == RowReadout(2, 57, {{1, "PR"}, {2, "PT"}}, "%");
    })) << Pane().toStdString();
}

TEST_F(ReadingValues, ARefusedRangeMessageComesBackWhenThePointerLeaves) {
    Plot();
    // A run over 80° ... 90°, then a maximum below the minimum.
    TypeOver(W().edAngleMin, QStringLiteral("80"));
    ASSERT_TRUE(vkx::WaitUntil([&] { return Chart(0)->CursorStops().size() == 11; }));
    TypeOver(W().edAngleMax, QStringLiteral("10"));
    const QString message = Pane();
    ASSERT_FALSE(message.isEmpty());
    const QColor red = W().validationPane->CaptionColor();
    ASSERT_TRUE(vkx::WaitUntil([&] { return !Chart(0)->BufferStale(); }));
    x.MoveTo(Chart(0), AtAngle(Chart(0), 85));
    EXPECT_TRUE(vkx::WaitUntil([&] { return Pane().startsWith(QStringLiteral("\u03B8 = ")); }));
    EXPECT_NE(W().validationPane->CaptionColor(), red);
    x.MoveTo(W().summary);
    EXPECT_TRUE(vkx::WaitUntil([&] { return Pane() == message; }));
    EXPECT_EQ(W().validationPane->CaptionColor(), red);
    EXPECT_TRUE(W().validationPane->isVisible());
}

TEST_F(ReadingValues, TheCursorIsDrawnAndTakenAwayWithoutAChartRedraw) {
    Plot();
    TChart* chart = Chart(0);
    x.MoveTo(W().summary);
    const QImage buffer = chart->RenderedBuffer().copy();
    ASSERT_TRUE(vkx::WaitUntil([&] { return OnScreen(chart) == buffer; }));
    const int redraws = chart->RedrawCount();
    const QRgb line = chart->CursorColour.rgb() & 0xFFFFFFu;
    const int row = AtAngle(chart, 56).y();

    for (double angle : {56.0, 70.0, 20.0}) {
        const int column = chart->BottomAxis.ValueToPixel(angle);
        x.MoveTo(chart, AtAngle(chart, angle));
        ASSERT_TRUE(vkx::WaitUntil([&] { return Rgb(OnScreen(chart), column, row) == line; }))
            << angle;
        const QImage shown = OnScreen(chart);
        // A marker ringed in white on the blue Rp curve.
        const int rp = chart->LeftAxis.ValueToPixel(
            chart->SeriesAtPosition(0).YValues[static_cast<std::size_t>(angle)]);
        EXPECT_EQ(Rgb(shown, column, rp), 0x0000FFu) << angle;
        EXPECT_EQ(Rgb(shown, column - 3, rp), 0xFFFFFFu) << angle;
        // Away from the cursor the screen shows the buffer as it is.
        EXPECT_EQ(shown.copy(0, 0, column - 4, shown.height()),
                  buffer.copy(0, 0, column - 4, buffer.height()));
    }
    x.MoveTo(chart, QPoint(chart->Layout().PlotRect.Left - 6, row));
    EXPECT_TRUE(vkx::WaitUntil([&] { return OnScreen(chart) == buffer; }));
    EXPECT_EQ(chart->RedrawCount(), redraws);
    EXPECT_FALSE(chart->BufferStale());
}

TEST_F(ReadingValues, AClickSelectsTheRowAndASelectedRowShowsTheCursor) {
    // 0.1° steps: 901 rows, most of them out of view.
    TypeOver(W().edAngleRes, QStringLiteral("0.1"));
    ASSERT_TRUE(vkx::WaitUntil([&] { return Chart(0)->CursorStops().size() == 901; }));
    ASSERT_TRUE(vkx::WaitUntil([&] { return !Chart(0)->BufferStale(); }));
    TChart* chart = Chart(0);
    TVkStringGrid* table = Table(0);
    ASSERT_EQ(table->TopRow(), 1);

    x.Click(chart, AtAngle(chart, 56.3));
    const int index = chart->CursorIndex();
    ASSERT_GE(index, 0);
    EXPECT_NEAR(chart->CursorStops()[index], 56.3, 0.3);
    EXPECT_EQ(table->Row(), index + 1);
    EXPECT_GE(table->Row(), table->TopRow());
    EXPECT_LT(table->Row(), table->TopRow() + table->VisibleRowCount());
    EXPECT_EQ(Pane(), RowReadout(0, index + 1, {{1, "Rp"}, {2, "Rs"}, {3, "R"}}));
    EXPECT_TRUE(chart->CursorFollowsPointer()) << "the pointer keeps the cursor";
    // A drag of more than 16 pixels zooms and selects nothing.
    x.Drag(chart, AtAngle(chart, 20) - QPoint(0, 40), AtAngle(chart, 40) + QPoint(0, 40),
           Qt::LeftButton);
    EXPECT_TRUE(chart->Zoomed);
    EXPECT_EQ(table->Row(), index + 1);

    // A row clicked in the table, then the keys: the cursor stands at the row's angle.
    x.MoveTo(W().summary);
    ASSERT_TRUE(vkx::WaitUntil([&] { return chart->CursorIndex() == -1; }));
    chart->RevertZoom();
    ASSERT_TRUE(vkx::WaitUntil([&] { return !chart->BufferStale(); }));
    const QRect cell = table->CellRect(0, table->TopRow() + 2);
    x.Click(table->ClientArea(), cell.center());
    const int clickedRow = table->Row();
    EXPECT_EQ(chart->CursorIndex(), clickedRow - 1);
    EXPECT_FALSE(chart->CursorFollowsPointer());
    x.Key(Qt::Key_Down);
    x.Key(Qt::Key_Down);
    EXPECT_EQ(chart->CursorIndex(), clickedRow + 1);
    const int column = chart->BottomAxis.ValueToPixel(chart->CursorStops()[clickedRow + 1]);
    const QRgb line = chart->CursorColour.rgb() & 0xFFFFFFu;
    EXPECT_TRUE(vkx::WaitUntil(
        [&] { return Rgb(OnScreen(chart), column, AtAngle(chart, 0).y()) == line; }));
    EXPECT_TRUE(Pane().isEmpty()) << "a row shows the line, the table shows the values";
    // The pointer entering the plot takes the cursor over.
    x.MoveTo(chart, AtAngle(chart, 80));
    EXPECT_TRUE(chart->CursorFollowsPointer());
    EXPECT_NEAR(chart->CursorStops()[chart->CursorIndex()], 80, 0.3);
}

TEST_F(ReadingValues, ADoubleClickOnASummaryAngleSelectsTheNearestRow) {
    TypeOver(W().edN1, QStringLiteral("1.5"));
    TypeOver(W().edN2, QStringLiteral("1"));
    ASSERT_TRUE(vkx::WaitUntil(
        [&] { return W().summary->toPlainText().contains(QStringLiteral("Crirical Angle")); }));
    TVkMemo* memo = W().summary;
    auto lineAt = [&](int block) {
        const QTextCursor cursor(memo->document()->findBlockByNumber(block));
        return memo->cursorRect(cursor).center() + QPoint(20, 0);
    };
    // Brewster 33.69007° is nearest row 35 (34°), critical 41.81° row 43 (42°).
    const std::pair<int, int> jumps[] = {{2, 35}, {3, 43}};
    for (auto [line, row] : jumps) {
        x.DoubleClick(memo->viewport(), lineAt(line));
        EXPECT_EQ(W().sgReflectance->Row(), row) << line;
        EXPECT_EQ(Chart(0)->CursorIndex(), row - 1) << line;
    }
    // A line without an angle jumps nowhere; on the Polarization page the same angle selects
    // that page's row.
    x.DoubleClick(memo->viewport(), lineAt(1));
    EXPECT_EQ(W().sgReflectance->Row(), 43);
    ShowPage(2);
    x.DoubleClick(memo->viewport(), lineAt(2));
    EXPECT_EQ(W().sgPolarization->Row(), 35);
    EXPECT_EQ(Chart(2)->CursorIndex(), 34);
}

TEST_F(ReadingValues, CopyPictureAndCopyDataPutWhatTheChartShowsOnTheClipboard) {
    Plot();
    TChart* chart = Chart(0);
    QApplication::clipboard()->clear();
    MenuEntry(chart, AtAngle(chart, 30), "miCopyPicture");
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    const QImage buffer = chart->RenderedBuffer().convertToFormat(QImage::Format_RGB32);
    const QImage picture = qvariant_cast<QImage>(mime->imageData());
    EXPECT_EQ(picture.convertToFormat(QImage::Format_RGB32), buffer);
    ASSERT_TRUE(mime->hasFormat(QStringLiteral("image/png")));
    EXPECT_EQ(QImage::fromData(mime->data(QStringLiteral("image/png")), "PNG")
                  .convertToFormat(QImage::Format_RGB32),
              buffer);
    ASSERT_TRUE(mime->hasFormat(QStringLiteral("image/svg+xml")));
    QSvgRenderer svg(mime->data(QStringLiteral("image/svg+xml")));
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBox(), QRect(QPoint(0, 0), chart->size()));
    EXPECT_TRUE(mime->data(QStringLiteral("image/svg+xml")).contains("Regular Reflectance"));

    // Copy Data: the angle and the shown series (Rs hidden) as the table shows them.
    chart->SeriesAtPosition(1).SetActive(false);
    MenuEntry(chart, AtAngle(chart, 30), "miCopyData");
    QString expected = QStringLiteral("IA (\u00B0)\tRp\tR\n");
    for (int row = 1; row <= 91; ++row) {
        expected += Table(0)->Cells(0, row) + QLatin1Char('\t') + Table(0)->Cells(1, row) +
                    QLatin1Char('\t') + Table(0)->Cells(3, row) + QLatin1Char('\n');
    }
    EXPECT_EQ(QApplication::clipboard()->text(), expected);
}

TEST_F(ReadingValues, SavePictureAsWritesPngAndSvg) {
    Plot();
    TChart* chart = Chart(1);
    ShowPage(1);
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const char* name : {"picture.png", "vector.svg"}) {
        const QString path = folder.filePath(QString::fromLatin1(name));
        vkx::WhenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->objectName(), QStringLiteral("SavePictureDialog"));
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(edit, nullptr);
            EXPECT_TRUE(edit->text().endsWith(QStringLiteral(".png")));
            x.Click(edit);
            x.Key(Qt::Key_A, Qt::ControlModifier);
            x.Type(path);
            x.Key(Qt::Key_Return);
        });
        MenuEntry(chart, AtAngle(chart, 30), "miSavePicture");
        ASSERT_TRUE(vkx::WaitUntil([&] { return QFile::exists(path); })) << name;
    }
    EXPECT_EQ(QImage(folder.filePath(QStringLiteral("picture.png")))
                  .convertToFormat(QImage::Format_RGB32),
              chart->RenderedBuffer().convertToFormat(QImage::Format_RGB32));
    QSvgRenderer svg(folder.filePath(QStringLiteral("vector.svg")));
    EXPECT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBox(), QRect(QPoint(0, 0), chart->size()));
}

TEST_F(ReadingValues, CharacteristicAngleLinesStandAtTheSummarysAngles) {
    TypeOver(W().edN1, QStringLiteral("1.5"));
    TypeOver(W().edN2, QStringLiteral("1"));
    ASSERT_TRUE(vkx::WaitUntil(
        [&] { return W().summary->toPlainText().contains(QStringLiteral("Crirical Angle")); }));
    TChart* chart = Chart(0);
    ASSERT_TRUE(vkx::WaitUntil([&] { return !chart->BufferStale(); }));
    // The angles as the summary writes them.
    std::vector<double> angles;
    for (const QString& line : W().summary->toPlainText().split(QLatin1Char('\n'))) {
        if (line.contains(QStringLiteral("Angle = "))) {
            QString number = line.section(QStringLiteral(" = "), 1).chopped(1);
            angles.push_back(ParseDecimal(number.toStdString()));
        }
    }
    ASSERT_EQ(angles.size(), 2u);
    EXPECT_TRUE(chart->VerticalLines().empty());

    MenuEntry(chart, AtAngle(chart, 60), "miShowAngles",
              [](QAction* action) { EXPECT_FALSE(action->isChecked()); });
    EXPECT_TRUE(W().Reading().ShowsAngles(0));
    ASSERT_TRUE(vkx::WaitUntil([&] { return !chart->BufferStale(); }));
    x.MoveTo(W().summary);
    const QImage screen = [&] {
        QImage shown;
        vkx::WaitUntil([&] {
            shown = OnScreen(chart);
            return shown == chart->RenderedBuffer().convertToFormat(QImage::Format_RGB32);
        });
        return shown;
    }();
    const TRect& plot = chart->Layout().PlotRect;
    const QRgb colours[] = {qRgb(200, 0, 200) & 0xFFFFFFu, qRgb(230, 120, 0) & 0xFFFFFFu};
    for (std::size_t k = 0; k < angles.size(); ++k) {
        const int column = chart->BottomAxis.ValueToPixel(angles[k]);
        int dashes = 0;
        for (int y = plot.Top + 1; y < plot.Bottom; ++y) {
            dashes += Rgb(screen, column, y) == colours[k];
        }
        EXPECT_GT(dashes, (plot.Bottom - plot.Top) / 2) << angles[k];
        EXPECT_EQ(Rgb(screen, column - 2, (plot.Top + plot.Bottom) / 2) == colours[k], false);
    }
    // Other charts keep theirs off; the entry is checked now, and takes them away again.
    EXPECT_TRUE(Chart(1)->VerticalLines().empty());
    MenuEntry(chart, AtAngle(chart, 60), "miShowAngles",
              [](QAction* action) { EXPECT_TRUE(action->isChecked()); });
    EXPECT_TRUE(chart->VerticalLines().empty());
}

TEST_F(ReadingValues, ResetZoomUndoesAZoom) {
    Plot();
    TChart* chart = Chart(0);
    MenuEntry(chart, AtAngle(chart, 60), "miResetZoom",
              [](QAction* action) { EXPECT_FALSE(action->isEnabled()); });
    x.Drag(chart, AtAngle(chart, 20) - QPoint(0, 40), AtAngle(chart, 50) + QPoint(0, 40),
           Qt::LeftButton);
    ASSERT_TRUE(chart->Zoomed);
    ASSERT_TRUE(vkx::WaitUntil([&] { return !chart->BufferStale(); }));
    MenuEntry(chart, AtAngle(chart, 30), "miResetZoom",
              [](QAction* action) { EXPECT_TRUE(action->isEnabled()); });
    EXPECT_FALSE(chart->Zoomed);
    EXPECT_TRUE(chart->BottomAxis.Automatic);
    ASSERT_TRUE(vkx::WaitUntil([&] { return !chart->BufferStale(); }));
    EXPECT_NEAR(chart->BottomAxis.Layout().HighValue, 90, 1e-6);
}

TEST_F(ReadingValues, CtrlEOpensTheEditorOfThePageInFront) {
    Plot();
    for (int page : {0, 1, 2, 3}) {
        ShowPage(page);
        TChart* edited = nullptr;
        vkx::WhenModal([&](QWidget* modal) {
            auto* form = qobject_cast<TChartEditForm*>(modal);
            ASSERT_NE(form, nullptr);
            edited = form->Chart();
            form->close();
        });
        // From a field of the input panel, from the summary and from the page's table.
        if (page == 0) {
            x.Click(W().edN1);
        } else if (page == 1) {
            x.Click(W().summary);
        } else if (page == 3) {
            x.Click(W().edAngleRes);
        } else {
            x.Click(Table(page)->ClientArea(), Table(page)->CellRect(0, 2).center());
        }
        x.Key(Qt::Key_E, Qt::ControlModifier);
        EXPECT_TRUE(vkx::WaitUntil([&] { return edited != nullptr; })) << page;
        EXPECT_EQ(edited, Chart(page));
        vkx::Activate(window.get());
    }
}

} // namespace
