#pragma once

// User journeys through the real X server: the main window as the program shows it, driven only
// by XTest key and pointer input; assertions read the widgets and the chart models directly.

#include "x_input.h"

#include "chart/chart.h"
#include "controls/bit_button.h"
#include "controls/check_box.h"
#include "controls/memo.h"
#include "controls/page_control.h"
#include "controls/panels.h"
#include "controls/spin_edit.h"
#include "controls/status_bar.h"
#include "controls/string_grid.h"
#include "controls/url_label.h"
#include "numtext/numtext.h"
#include "ui/main_form.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace journey {

// A number written with '.' as the fields show it, with the locale's decimal separator.
inline QString Shown(const QString& text) {
    return QString(text).replace(QLatin1Char('.'), QLatin1Char(LocaleDecimalSeparator()));
}

// The chart's one title line ("" while it has none).
inline QString TitleOf(TChart* chart) {
    const auto& lines = chart->Title.Text();
    return lines.empty() ? QString() : QString::fromStdString(lines.front());
}

inline std::vector<std::size_t> PointCounts(TChart* chart) {
    std::vector<std::size_t> counts;
    for (int i = 0; i < chart->NumberOfSeries(); ++i) {
        counts.push_back(chart->SeriesAtPosition(i).PointCount());
    }
    return counts;
}

// A chart point in the chart widget's pixels from a value pair, by the last paint's mapping.
inline QPoint PixelOf(TChart* chart, double x, double y) {
    return {chart->BottomAxis.ValueToPixel(x), chart->LeftAxis.ValueToPixel(y)};
}

// Counts the plot runs of a window: every run empties the summary before it writes it anew.
class RunCounter {
public:
    explicit RunCounter(QPlainTextEdit* memo) {
        QObject::connect(memo, &QPlainTextEdit::textChanged, &context, [this, memo] {
            if (memo->document()->isEmpty()) {
                ++count;
            }
        });
    }
    int Count() const { return count; }

private:
    QObject context;
    int count = 0;
};

// What a message box showed when it was closed.
struct SeenBox {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Counts the message boxes that show while it lives and closes each one after `closeAfterMs`
// (a box left open would block the test); -1 leaves them to the test.
class MessageBoxWatch : public QObject {
public:
    explicit MessageBoxWatch(int closeAfterMs = 300) : closeAfter(closeAfterMs) {
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, this, [this] { look(); });
        timer.start();
    }
    int Count() const { return static_cast<int>(seen.size()); }
    const std::vector<SeenBox>& Boxes() const { return seen; }

private:
    void look() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            return;
        }
        if (box != current) {
            current = box;
            since.start();
            seen.push_back({box->windowTitle(), box->text(), box->icon()});
        } else if (closeAfter >= 0 && since.elapsed() > closeAfter) {
            box->done(QMessageBox::Ok);
        }
    }
    int closeAfter;
    QTimer timer;
    QPointer<QMessageBox> current;
    QElapsedTimer since;
    std::vector<SeenBox> seen;
};

// Runs `drive` inside the loop of the next modal window of class Modal, made active first (polled
// every 10 ms). Arm it before the input that opens the window: that input returns only when the
// window has closed.
template <typename Modal>
void WhenModalIs(std::function<void(Modal*)> drive, int timeoutMs = 20000) {
    auto* timer = new QTimer(qApp);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [timer, clock, drive, timeoutMs] {
        auto* modal = qobject_cast<Modal*>(QApplication::activeModalWidget());
        if (!modal && clock->elapsed() < timeoutMs) {
            return;
        }
        // Copies: the timer and this function object go while the window's loop runs.
        const std::function<void(Modal*)> run = drive;
        timer->stop();
        timer->deleteLater();
        if (!modal) {
            ADD_FAILURE() << "no " << Modal::staticMetaObject.className() << " appeared";
            return;
        }
        vkx::Activate(modal);
        run(modal);
    });
    timer->start(10);
}

// The main window, shown and active, and the user's keyboard and mouse.
class Journey : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<TFMain>();
        ASSERT_TRUE(vkx::ShowActive(window.get()));
        runs = std::make_unique<RunCounter>(window->summary);
    }
    void TearDown() override {
        x.ReleaseAll();
        runs.reset();
        window.reset();
    }

    TFMain& W() { return *window; }

    // Replaces the whole text of a field as a user does: a click into it, Ctrl+A, the keys.
    void TypeOver(TVkSpinEdit* edit, const QString& text) {
        x.Click(edit, QPoint(8, edit->height() / 2));
        ASSERT_TRUE(edit->hasFocus()) << edit->objectName().toStdString();
        x.Key(Qt::Key_A, Qt::ControlModifier);
        x.Type(Shown(text));
    }

    // The step buttons of a field, in the field's coordinates.
    QWidget* UpButton(TVkSpinEdit* edit) { return edit->Button(sbUp); }
    QWidget* DownButton(TVkSpinEdit* edit) { return edit->Button(sbDown); }

    QStringList Summary() const {
        const QString text = window->summary->toPlainText();
        return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
    }

    // The chart titles hold the summary's header line after every run.
    void ExpectTitlesFollowSummary() {
        const QStringList summary = Summary();
        ASSERT_FALSE(summary.isEmpty());
        for (TChart* chart : {window->chReflectance, window->chTransmittance,
                              window->chPolarization, window->chPhase}) {
            EXPECT_TRUE(chart->Title.Visible());
            EXPECT_TRUE(summary[0].startsWith(TitleOf(chart) + QStringLiteral(";   ")))
                << TitleOf(chart).toStdString() << " | " << summary[0].toStdString();
        }
    }

    // After a run of `points` points: the summary counts them, every table has a row for each
    // below its header and the reflectance curves hold them.
    void ExpectRunOf(int points) {
        const QStringList summary = Summary();
        ASSERT_FALSE(summary.isEmpty());
        EXPECT_TRUE(summary[0].endsWith(QStringLiteral(";   %1 points").arg(points)))
            << summary[0].toStdString();
        for (TVkStringGrid* grid : {window->sgReflectance, window->sgTransmittance,
                                    window->sgPolarization, window->sgPhase}) {
            EXPECT_EQ(grid->RowCount(), points + 1);
        }
        EXPECT_EQ(window->chReflectance->SeriesAtPosition(0).PointCount(),
                  static_cast<std::size_t>(points));
        ExpectTitlesFollowSummary();
    }

    std::unique_ptr<TFMain> window;
    std::unique_ptr<RunCounter> runs;
    XInput x;
};

} // namespace journey
