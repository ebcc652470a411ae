// "Edit Graph" on each page with the real editor dialog: a series colour through the colour
// dialog, an axis limit (and a refused one), the chart title, then Close; the chart shows each
// change and keeps it.
#include "journey.h"

#include "chart/editor/chart_editor.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>

namespace journey {
namespace {

struct EditCase {
    const char* name;
    int page;
    int series = 0; // a series shown at the start: its row in the editor's list
};

std::ostream& operator<<(std::ostream& out, const EditCase& c) {
    return out << c.name;
}

// Pixels of exactly this colour in the chart as it shows.
int CountPixels(TChart* chart, QRgb colour) {
    const QImage& image = chart->RenderedBuffer();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            count += (line[x] & 0xFFFFFF) == (colour & 0xFFFFFF);
        }
    }
    return count;
}

class EditGraph : public Journey, public ::testing::WithParamInterface<EditCase> {
protected:
    TChart* ChartOf(int page) {
        TChart* charts[] = {window->chReflectance, window->chTransmittance, window->chPolarization,
                            window->chPhase};
        return charts[page];
    }
    TVkURLLabel* LinkOf(int page) {
        TVkURLLabel* links[] = {window->reflectanceEditLink, window->transmittanceEditLink,
                                window->polarizationEditLink, window->phaseEditLink};
        return links[page];
    }
    // Selects a tab of a tab widget by a click on its tab.
    void ClickTab(QTabWidget* tabs, const QString& text) {
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->tabText(i) == text) {
                x.Click(tabs->tabBar(), tabs->tabBar()->tabRect(i).center());
                ASSERT_EQ(tabs->currentIndex(), i) << text.toStdString();
                return;
            }
        }
        FAIL() << "no tab " << text.toStdString();
    }
    template <typename W> W* Find(QWidget* in, const QString& name) {
        W* w = in->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    // The check box with this caption in the row of `field` (its parent widget).
    QCheckBox* BoxBeside(QWidget* field, const QString& caption) {
        for (QCheckBox* box : field->parentWidget()->findChildren<QCheckBox*>()) {
            if (box->text() == caption) {
                return box;
            }
        }
        ADD_FAILURE() << "no box " << caption.toStdString();
        return nullptr;
    }
    // A shown check box with this caption; a page made at its first showing shows its controls
    // a moment later.
    QCheckBox* BoxCalled(QWidget* in, const QString& caption) {
        QCheckBox* found = nullptr;
        vkx::WaitUntil([&] {
            for (QCheckBox* box : in->findChildren<QCheckBox*>()) {
                if (box->text() == caption && box->isVisible()) {
                    found = box;
                }
            }
            return found != nullptr;
        });
        EXPECT_NE(found, nullptr) << "no box " << caption.toStdString();
        return found;
    }
    // Replaces the text of a one-line field and leaves it with Tab, as a user finishes an entry.
    void Enter(QLineEdit* field, const QString& text) {
        x.Click(field);
        x.Key(Qt::Key_A, Qt::ControlModifier);
        x.Type(text);
        x.Key(Qt::Key_Tab);
    }
    void Redrawn(TChart* chart, int before) {
        EXPECT_TRUE(vkx::WaitUntil([&] {
            return chart->RedrawCount() > before && !chart->BufferStale();
        })) << "the chart behind the dialog redraws";
    }
};

TEST_P(EditGraph, ColourAxisLimitAndTitleShowOnTheChartAndStay) {
    const EditCase& c = GetParam();
    x.Click(W().btnPlot);
    x.Click(W().resultPages, W().resultPages->TabRect(c.page).center());
    TChart* chart = ChartOf(c.page);
    ASSERT_TRUE(vkx::WaitUntil([&] { return chart->isVisible() && !chart->BufferStale(); }));
    TChartSeries& first = chart->SeriesAtPosition(c.series);
    ASSERT_TRUE(first.Active());
    const QRgb chosen = qRgb(0x13, 0x57, 0x9B);
    ASSERT_EQ(CountPixels(chart, chosen), 0);

    bool edited = false;
    QPointer<QDialog> editor;
    WhenModalIs<TChartEditForm>([&](TChartEditForm* form) {
        editor = form;
        EXPECT_EQ(form->windowTitle(), QStringLiteral("Edit Graph"));
        EXPECT_EQ(form->Chart(), chart) << "the editor works on its page's chart";

        // Series: a double click on a shown series' colour box opens the colour dialog.
        auto* list = Find<QTableWidget>(form, QStringLiteral("SeriesList"));
        ASSERT_NE(list, nullptr);
        ASSERT_NE(list->item(c.series, 2), nullptr);
        bool picked = false;
        WhenModalIs<QColorDialog>([&](QColorDialog* colours) {
            QLineEdit* html = nullptr;
            for (QLineEdit* edit : colours->findChildren<QLineEdit*>()) {
                if (edit->text().startsWith(QLatin1Char('#'))) {
                    html = edit;
                }
            }
            ASSERT_NE(html, nullptr) << "the colour dialog's HTML field";
            x.Click(html);
            x.Key(Qt::Key_A, Qt::ControlModifier);
            x.Type(QStringLiteral("#13579b"));
            auto* buttons = colours->findChild<QDialogButtonBox*>();
            ASSERT_NE(buttons, nullptr);
            x.Click(buttons->button(QDialogButtonBox::Ok));
            picked = true;
        });
        int redraws = chart->RedrawCount();
        x.DoubleClick(list->viewport(), list->visualItemRect(list->item(c.series, 2)).center());
        ASSERT_TRUE(picked);
        EXPECT_EQ(chart->SeriesDrawColor(first), TColor(0x9B5713))
            << "#13579b, red in the low byte";
        Redrawn(chart, redraws);
        EXPECT_GT(CountPixels(chart, chosen), 20) << "the curve is drawn in it";

        // Axis: the left axis' maximum typed in; a minimum above it is refused with a message.
        ClickTab(form->ChartTabs(), QStringLiteral("Axis"));
        auto* maximum = Find<QLineEdit>(form, QStringLiteral("EMaximum"));
        auto* minimum = Find<QLineEdit>(form, QStringLiteral("EMinimum"));
        ASSERT_TRUE(maximum && minimum);
        QCheckBox* automatic = BoxCalled(form, QStringLiteral("Automatic"));
        ASSERT_NE(automatic, nullptr);
        x.Click(automatic);
        QCheckBox* maximumAuto = BoxBeside(maximum, QStringLiteral("Auto"));
        ASSERT_NE(maximumAuto, nullptr);
        x.Click(maximumAuto);
        ASSERT_TRUE(maximum->isEnabled());
        redraws = chart->RedrawCount();
        Enter(maximum, Shown(QStringLiteral("0.5")));
        EXPECT_EQ(chart->LeftAxis.Maximum(), 0.5);
        EXPECT_FALSE(chart->LeftAxis.AutomaticMaximum);
        Redrawn(chart, redraws);
        // The top of the axis, or the axis' offset below it (the Phase chart keeps its curves a
        // few pixels off the frame).
        const TChartAxis& left = chart->LeftAxis;
        if (left.MaximumOffset == 0) {
            EXPECT_EQ(left.Layout().HighValue, 0.5);
        }
        EXPECT_NEAR(left.ValueToPixel(0.5), left.Layout().PixelStart + left.MaximumOffset, 1);

        QCheckBox* minimumAuto = BoxBeside(minimum, QStringLiteral("Auto"));
        ASSERT_NE(minimumAuto, nullptr);
        x.Click(minimumAuto);
        const double minimumBefore = chart->LeftAxis.Minimum();
        SeenBox refusal;
        WhenModalIs<QMessageBox>([&](QMessageBox* box) {
            refusal = {box->windowTitle(), box->text(), box->icon()};
            x.Click(box->button(QMessageBox::Ok));
        });
        Enter(minimum, Shown(QStringLiteral("0.8")));
        EXPECT_EQ(refusal.text, QStringLiteral("Axis Minimum Value must be <= Maximum"));
        EXPECT_EQ(chart->LeftAxis.Minimum(), minimumBefore);
        EXPECT_EQ(chart->LeftAxis.Maximum(), 0.5);
        EXPECT_TRUE(form->isVisible()) << "a refused entry leaves the editor open";

        // Titles: the chart title's text.
        ClickTab(form->ChartTabs(), QStringLiteral("Titles"));
        auto* text = Find<QPlainTextEdit>(form, QStringLiteral("MemoText"));
        ASSERT_NE(text, nullptr);
        ASSERT_TRUE(vkx::WaitUntil([text] { return text->isVisible(); }));
        redraws = chart->RedrawCount();
        x.Click(text);
        x.Key(Qt::Key_A, Qt::ControlModifier);
        x.Type(QStringLiteral("Journey title"));
        EXPECT_EQ(TitleOf(chart), QStringLiteral("Journey title"));
        Redrawn(chart, redraws);
        EXPECT_TRUE(chart->Title.Layout().Drawn);

        x.Click(form->CloseButton());
        edited = true;
    });
    x.Click(LinkOf(c.page));
    ASSERT_TRUE(edited);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(editor.isNull()) << "the dialog is gone after Close";

    // The chart keeps every change after the dialog has closed.
    EXPECT_EQ(chart->SeriesDrawColor(first), TColor(0x9B5713));
    EXPECT_EQ(chart->LeftAxis.Maximum(), 0.5);
    EXPECT_EQ(TitleOf(chart), QStringLiteral("Journey title"));
    ASSERT_TRUE(vkx::WaitUntil([&] { return !chart->BufferStale(); }));
    EXPECT_GT(CountPixels(chart, chosen), 20);
    // The other charts are as they were.
    for (int page = 0; page < 3; ++page) {
        if (page != c.page) {
            EXPECT_NE(TitleOf(ChartOf(page)), QStringLiteral("Journey title"));
            EXPECT_TRUE(ChartOf(page)->LeftAxis.AutomaticMaximum);
        }
    }
    // A run brings its own title back and keeps the colour and the limit.
    x.Click(W().btnPlot);
    EXPECT_TRUE(Summary()[0].startsWith(TitleOf(chart)));
    EXPECT_EQ(chart->SeriesDrawColor(first), TColor(0x9B5713));
    EXPECT_EQ(chart->LeftAxis.Maximum(), 0.5);
}

bool SameFont(const TChartFont& a, const TChartFont& b) {
    return a.Name == b.Name && a.Size == b.Size && a.Height == b.Height && a.Bold == b.Bold &&
           a.Italic == b.Italic && a.Underline == b.Underline && a.StrikeOut == b.StrikeOut;
}

std::string Describe(const TChartFont& f) {
    return f.Name + " size " + std::to_string(f.Size) + " height " + std::to_string(f.Height) +
           (f.Bold ? " bold" : "") + (f.Italic ? " italic" : "");
}

TEST_P(EditGraph, TheTitleFontKeepsItsFontOnOkAndTakesARealChange) {
    const EditCase& c = GetParam();
    x.Click(W().btnPlot);
    x.Click(W().resultPages, W().resultPages->TabRect(c.page).center());
    TChart* chart = ChartOf(c.page);
    ASSERT_TRUE(vkx::WaitUntil([&] { return chart->isVisible() && !chart->BufferStale(); }));
    const TChartFont before = chart->Title.Font;
    const int titleHeight = chart->Title.Layout().Rect.Height();

    bool done = false;
    WhenModalIs<TChartEditForm>([&](TChartEditForm* form) {
        ClickTab(form->ChartTabs(), QStringLiteral("Titles"));
        QPushButton* fontButton = nullptr;
        ASSERT_TRUE(vkx::WaitUntil([&] {
            for (QPushButton* b : form->findChildren<QPushButton*>()) {
                if (b->text() == QStringLiteral("&Font...") && b->isVisible()) {
                    fontButton = b;
                }
            }
            return fontButton != nullptr;
        }));

        // OK without touching anything.
        WhenModalIs<QFontDialog>([&](QFontDialog* fonts) {
            auto* buttons = fonts->findChild<QDialogButtonBox*>();
            ASSERT_NE(buttons, nullptr);
            x.Click(buttons->button(QDialogButtonBox::Ok));
        });
        x.Click(fontButton);
        EXPECT_TRUE(SameFont(chart->Title.Font, before))
            << Describe(before) << " became " << Describe(chart->Title.Font);

        // A size picked from the list is what the title then has.
        WhenModalIs<QFontDialog>([&](QFontDialog* fonts) {
            bool clicked = false;
            for (QListView* view : fonts->findChildren<QListView*>()) {
                const QModelIndexList rows =
                    view->model()->match(view->model()->index(0, 0), Qt::DisplayRole,
                                         QStringLiteral("20"), 1, Qt::MatchExactly);
                if (!rows.isEmpty()) {
                    view->scrollTo(rows.first());
                    x.Click(view->viewport(), view->visualRect(rows.first()).center());
                    clicked = true;
                    break;
                }
            }
            EXPECT_TRUE(clicked) << "the size list offers 20";
            auto* buttons = fonts->findChild<QDialogButtonBox*>();
            ASSERT_NE(buttons, nullptr);
            x.Click(buttons->button(QDialogButtonBox::Ok));
        });
        const int redraws = chart->RedrawCount();
        x.Click(fontButton);
        EXPECT_EQ(chart->Title.Font.Size, 20);
        EXPECT_EQ(chart->Title.Font.Name, before.Name) << "the family stays";
        EXPECT_EQ(chart->Title.Font.Bold, before.Bold);
        Redrawn(chart, redraws);
        EXPECT_GT(chart->Title.Layout().Rect.Height(), titleHeight) << "the title grew";

        // Enter on a refused axis value shows the refusal and leaves the editor open.
        ClickTab(form->ChartTabs(), QStringLiteral("Axis"));
        auto* increment = Find<QLineEdit>(form, QStringLiteral("EIncrement"));
        ASSERT_NE(increment, nullptr);
        ASSERT_TRUE(vkx::WaitUntil([increment] { return increment->isVisible(); }));
        bool refused = false;
        WhenModalIs<QMessageBox>([&](QMessageBox* box) {
            refused = true;
            x.Click(box->button(QMessageBox::Ok));
        });
        x.Click(increment);
        x.Key(Qt::Key_A, Qt::ControlModifier);
        x.Type(Shown(QStringLiteral("-1")));
        x.Key(Qt::Key_Return);
        EXPECT_TRUE(refused);
        EXPECT_TRUE(form->isVisible());
        x.Click(form->CloseButton());
        done = true;
    });
    x.Click(LinkOf(c.page));
    ASSERT_TRUE(done);
    EXPECT_EQ(chart->Title.Font.Size, 20);
}

INSTANTIATE_TEST_SUITE_P(EachPage, EditGraph,
                         ::testing::Values(EditCase{"Reflectance", 0}, EditCase{"Transmittance", 1},
                                           EditCase{"Polarization", 2}, EditCase{"Phase", 3, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace journey
