// "Chart" ▸ "Axis": one axis at a time, chosen from the axes list (the left axis first).

#include <cmath>

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>

#include "chart/chart.h"
#include "chart/editor/editor_controls.h"
#include "chart/editor/editor_pages.h"
#include "numtext/numtext.h"

namespace {

class TAxisPage : public QWidget {
public:
    TAxisPage(TChart& chart, QWidget* parent) : QWidget(parent), chart_(chart) {
        setObjectName(QStringLiteral("AxisPage"));
        auto* h = new QHBoxLayout(this);
        h->setContentsMargins(4, 4, 4, 4);
        axes_ = new QListWidget(this);
        axes_->setObjectName(QStringLiteral("AxesList"));
        for (const char* name : {"Left", "Right", "Top", "Bottom"}) {
            axes_->addItem(QLatin1String(name));
        }
        axes_->setMaximumWidth(56);
        h->addWidget(axes_);
        auto* right = new QVBoxLayout;
        right->setContentsMargins(0, 0, 0, 0);
        note_ = new QLabel(
            QStringLiteral("No shown series uses this axis, so the chart leaves it out; a series "
                           "takes it on the Series tab (General)."),
            this);
        note_->setObjectName(QStringLiteral("LUnusedAxis"));
        note_->setWordWrap(true);
        note_->hide();
        right->addWidget(note_);
        tabs_ = new QTabWidget(this);
        tabs_->setObjectName(QStringLiteral("AxisTabs"));
        tabs_->setUsesScrollButtons(true);
        right->addWidget(tabs_, 1);
        h->addLayout(right, 1);
        connect(axes_, &QListWidget::currentRowChanged, this, [this](int row) { Build(row); });
        axes_->setCurrentRow(0);
        // Every redraw of the chart may move an automatic range; the limit fields follow it.
        chart_.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &chart_ && event->type() == QEvent::Paint) {
            QTimer::singleShot(0, this, [this] { RefreshLimits(); });
        }
        return QWidget::eventFilter(watched, event);
    }

    // The automatic limits show the range the chart draws, from its latest layout.
    void RefreshLimits() {
        if (!minEdit_ || !maxEdit_) {
            return;
        }
        const TChartAxis& a = AxisAt(axes_->currentRow());
        // Settings of an axis the chart leaves out cannot show; the note says why.
        note_->setHidden(!a.Visible || !chart_.AxisVisible || chart_.IsAxisShown(a));
        const bool automatic = a.Automatic || a.AutomaticMinimum || a.AutomaticMaximum;
        if (automatic) {
            chart_.RenderedBuffer(); // lays the chart out again when a change left it stale
        }
        auto show = [](QLineEdit* edit, double v) {
            const QString text = NumberShown(v);
            if (!edit->hasFocus() && edit->text() != text) {
                edit->setText(text);
            }
        };
        show(minEdit_, LimitShown(a, true));
        show(maxEdit_, LimitShown(a, false));
    }

    // A number as the page's number fields show it.
    static QString NumberShown(double v) {
        return EditorText(FormatGeneral(static_cast<Extended>(v), 15, 0));
    }

    static double LimitShown(const TChartAxis& a, bool minimum) {
        if (minimum) {
            return a.Automatic || a.AutomaticMinimum ? a.Layout().LowValue : a.Minimum();
        }
        return a.Automatic || a.AutomaticMaximum ? a.Layout().HighValue : a.Maximum();
    }

    TChartAxis& AxisAt(int row) {
        switch (row) {
        case 1:
            return chart_.RightAxis;
        case 2:
            return chart_.TopAxis;
        case 3:
            return chart_.BottomAxis;
        default:
            return chart_.LeftAxis;
        }
    }

    // The tabs show the selected axis; they are built again for another axis.
    void Build(int row) {
        const int tab = ClearTabs(tabs_);
        TChartAxis& a = AxisAt(row);
        tabs_->addTab(Scrollable(Scales(a)), QStringLiteral("Scales"));
        tabs_->addTab(Scrollable(Title(a)), QStringLiteral("Title"));
        tabs_->addTab(Scrollable(Labels(a)), QStringLiteral("Labels"));
        tabs_->addTab(Scrollable(Ticks(a)), QStringLiteral("Ticks"));
        tabs_->addTab(Scrollable(Grid(a)), QStringLiteral("Grid"));
        tabs_->addTab(Scrollable(Position(a)), QStringLiteral("Position"));
        tabs_->setCurrentIndex(tab < 0 ? 0 : tab);
        WatchChanges();
        RefreshLimits();
    }

    // After every change made on the tabs (each control has already written into the chart and
    // asked it to redraw), the limit fields show the new layout's range.
    void WatchChanges() {
        auto refresh = [this] { RefreshLimits(); };
        for (QCheckBox* w : tabs_->findChildren<QCheckBox*>()) {
            connect(w, &QCheckBox::toggled, this, refresh);
        }
        for (QSpinBox* w : tabs_->findChildren<QSpinBox*>()) {
            connect(w, &QSpinBox::valueChanged, this, refresh);
        }
        for (QComboBox* w : tabs_->findChildren<QComboBox*>()) {
            connect(w, &QComboBox::currentIndexChanged, this, refresh);
        }
        for (QLineEdit* w : tabs_->findChildren<QLineEdit*>()) {
            if (w->parent() && qobject_cast<QSpinBox*>(w->parent())) {
                continue; // a spin box's own editor
            }
            connect(w, &QLineEdit::editingFinished, this, refresh);
        }
        for (QPushButton* w : tabs_->findChildren<QPushButton*>()) {
            connect(w, &QPushButton::clicked, this, refresh);
        }
    }

    QWidget* Scales(TChartAxis& a) {
        auto* page = new QWidget;
        auto* form = NewPageForm(page);
        auto* top = new QGridLayout;
        top->addWidget(AddCheck(page, QStringLiteral("Automatic"), a.Automatic, chart_,
                                [&a, this](bool v) {
                                    a.Automatic = v;
                                    EnableLimits(a);
                                }),
                       0, 0);
        top->addWidget(AddCheck(page, QStringLiteral("Visible"), a.Visible, chart_), 0, 1);
        top->addWidget(AddCheck(page, QStringLiteral("Inverted"), a.Inverted, chart_), 0, 2);
        form->addRow(top);

        auto limit = [&](bool minimum) {
            auto* row = new QWidget(page);
            auto* h = new QHBoxLayout(row);
            h->setContentsMargins(0, 0, 0, 0);
            auto* autoBox = AddCheck(row, QStringLiteral("Auto"),
                                     minimum ? a.AutomaticMinimum : a.AutomaticMaximum, chart_,
                                     [&a, minimum, this](bool v) {
                                         (minimum ? a.AutomaticMinimum : a.AutomaticMaximum) = v;
                                         EnableLimits(a);
                                     });
            auto* edit = AddNumberEdit(
                row, chart_, [&a, minimum] { return LimitShown(a, minimum); },
                [&a, minimum](double v) {
                    // Typing a limit means the user wants it, not the automatic one.
                    if (minimum) {
                        a.SetMinimum(v);
                        a.AutomaticMinimum = false;
                    } else {
                        a.SetMaximum(v);
                        a.AutomaticMaximum = false;
                    }
                });
            edit->setObjectName(minimum ? QStringLiteral("EMinimum") : QStringLiteral("EMaximum"));
            h->addWidget(autoBox);
            h->addWidget(edit, 1);
            (minimum ? minAuto_ : maxAuto_) = autoBox;
            (minimum ? minEdit_ : maxEdit_) = edit;
            return row;
        };
        form->addRow(QStringLiteral("Minimum:"), limit(true));
        form->addRow(QStringLiteral("Maximum:"), limit(false));
        auto* inc = AddNumberEdit(
            page, chart_, [&a] { return a.Increment(); }, [&a](double v) { a.SetIncrement(v); });
        inc->setObjectName(QStringLiteral("EIncrement"));
        form->addRow(QStringLiteral("Increment:"), inc);

        auto* log = new QHBoxLayout;
        auto* logarithmic = AddCheck(page, QStringLiteral("Logarithmic"), a.Logarithmic, chart_);
        log->addWidget(logarithmic);
        log->addWidget(new QLabel(QStringLiteral("Base:"), page));
        auto* base = AddNumberEdit(
            page, chart_, [&a] { return a.LogarithmicBase; },
            [&a](double v) {
                if (!(v > 1)) {
                    throw EChartException("Logarithmic base must be greater than 1");
                }
                a.LogarithmicBase = v;
            });
        base->setObjectName(QStringLiteral("ELogBase"));
        // A linear axis has no base.
        base->setToolTip(QStringLiteral("The base of a logarithmic axis; check Logarithmic"));
        EnableWithCheck(logarithmic, {base});
        log->addWidget(base);
        form->addRow(log);
        showAll_ = AddCheck(page, QStringLiteral("Show &all labels"), a.LabelsSeparation() == 0,
                            chart_, [&a, this](bool v) {
                                a.SetLabelsSeparation(v ? 0 : 10);
                                ShowSeparation(a);
                            });
        showAll_->setObjectName(QStringLiteral("CBShowAllLabels"));
        form->addRow(showAll_);
        EnableLimits(a);
        return page;
    }

    // "Show all labels" and "Min. separation %" edit the same setting: each shows it as it is.
    void ShowSeparation(const TChartAxis& a) {
        if (showAll_ && showAll_->isChecked() != (a.LabelsSeparation() == 0)) {
            const QSignalBlocker quiet(showAll_);
            showAll_->setChecked(a.LabelsSeparation() == 0);
        }
        if (separation_ && separation_->value() != a.LabelsSeparation()) {
            const QSignalBlocker quiet(separation_);
            separation_->setValue(a.LabelsSeparation());
        }
    }

    void EnableLimits(TChartAxis& a) {
        if (!minAuto_) {
            return;
        }
        minAuto_->setEnabled(!a.Automatic);
        maxAuto_->setEnabled(!a.Automatic);
        minEdit_->setEnabled(!a.Automatic && !a.AutomaticMinimum);
        maxEdit_->setEnabled(!a.Automatic && !a.AutomaticMaximum);
        // A disabled control says what it waits for.
        const QString whole = QStringLiteral(
            "Automatic: the axis follows the data at both ends; clear Automatic to set them");
        for (QCheckBox* box : {minAuto_.data(), maxAuto_.data()}) {
            box->setToolTip(a.Automatic ? whole : QString());
        }
        auto tip = [&](QLineEdit* edit, bool automaticEnd, const QString& end) {
            edit->setToolTip(a.Automatic    ? whole
                             : automaticEnd ? QStringLiteral("Auto: the %1 follows the data; "
                                                             "clear Auto to type it")
                                                  .arg(end)
                                            : QString());
        };
        tip(minEdit_, a.AutomaticMinimum, QStringLiteral("minimum"));
        tip(maxEdit_, a.AutomaticMaximum, QStringLiteral("maximum"));
    }

    QWidget* Title(TChartAxis& a) {
        auto* page = new QWidget;
        auto* form = NewPageForm(page);
        form->addRow(QStringLiteral("Title:"),
                     AddTextEdit(page, EditorText(a.Title.Caption), chart_,
                                 [&a](const QString& t) { a.Title.Caption = EditorString(t); }));
        auto* angle = AddSpin(page, 0, 359, ((a.Title.Angle % 360) + 360) % 360, chart_,
                              [&a](int v) { a.Title.Angle = v; });
        angle->setObjectName(QStringLiteral("ETitleAngle"));
        angle->setSuffix(QStringLiteral("°"));
        form->addRow(QStringLiteral("Angle:"), angle);
        form->addRow(QStringLiteral("Size:"), AddSpin(page, 0, 500, a.TitleSize, chart_));
        form->addRow(AddCheck(page, QStringLiteral("Visible"), a.Title.Visible, chart_));
        form->addRow(AddFontRow(page, QStringLiteral("&Font..."), chart_, a.Title.Font));
        return page;
    }

    QWidget* Labels(TChartAxis& a) {
        auto* page = new QWidget;
        auto* form = NewPageForm(page);
        auto* checks = new QGridLayout;
        labelsVisible_ = AddCheck(page, QStringLiteral("Visible"), a.Labels, chart_);
        labelsVisible_->setObjectName(QStringLiteral("CBLabelsVisible"));
        checks->addWidget(labelsVisible_, 0, 0);
        auto* multiLine = AddCheck(page, QStringLiteral("Multi-line"), a.LabelsMultiLine, chart_);
        multiLine->setToolTip(QStringLiteral(
            "Breaks each label into lines at its blanks, such as the one of the format \"0.0 °\""));
        checks->addWidget(multiLine, 0, 1);
        checks->addWidget(AddCheck(page, QStringLiteral("On axis"), a.LabelsOnAxis, chart_), 1, 0);
        checks->addWidget(AddCheck(page, QStringLiteral("Round first"), a.RoundFirstLabel, chart_),
                          1, 1);
        auto* alternate = AddCheck(page, QStringLiteral("Alternate"), a.LabelsAlternate, chart_);
        alternate->setObjectName(QStringLiteral("CBLabelsAlternate"));
        alternate->setToolTip(
            QStringLiteral("Twice as many labels, every other one in a second row"));
        checks->addWidget(alternate, 2, 0);
        form->addRow(checks);
        form->addRow(QStringLiteral("Style:"),
                     AddCombo(page, {"Auto", "None", "Value", "Mark", "Text"},
                              static_cast<int>(a.LabelStyle), chart_,
                              [&a](int i) { a.LabelStyle = static_cast<TAxisLabelStyle>(i); }));
        form->addRow(QStringLiteral("Angle:"),
                     AddCombo(page, {"0", "90", "180", "270"}, a.LabelsAngle / 90 % 4, chart_,
                              [&a](int i) { a.LabelsAngle = i * 90; }));
        form->addRow(QStringLiteral("Size:"), AddSpin(page, 0, 500, a.LabelsSize, chart_));
        separation_ = AddSpin(page, 0, 1000, a.LabelsSeparation(), chart_, [&a, this](int v) {
            a.SetLabelsSeparation(v);
            ShowSeparation(a);
        });
        separation_->setObjectName(QStringLiteral("ELabelsSeparation"));
        form->addRow(QStringLiteral("Min. separation %:"), separation_);
        auto* format = new QHBoxLayout;
        auto* formatEdit =
            AddTextEdit(page, EditorText(a.AxisValuesFormat), chart_, [&a, this](const QString& t) {
                a.AxisValuesFormat = EditorString(t);
                // The box follows a format typed by hand.
                const bool exponent = IsExponentFormat(a.AxisValuesFormat);
                if (exponential_ && exponential_->isChecked() != exponent) {
                    const QSignalBlocker quiet(exponential_);
                    exponential_->setChecked(exponent);
                }
            });
        formatEdit->setObjectName(QStringLiteral("EValuesFormat"));
        format->addWidget(formatEdit, 1);
        // A plain format counts once it is entered, not at every keystroke on the way.
        auto remember = [&a, this] {
            if (!IsExponentFormat(a.AxisValuesFormat)) {
                RememberPlainFormat(a);
            }
        };
        remember();
        connect(formatEdit, &QLineEdit::editingFinished, this, remember);
        exponential_ =
            AddCheck(page, QStringLiteral("Exponential"), IsExponentFormat(a.AxisValuesFormat),
                     chart_, [&a, formatEdit, this](bool v) {
                         // Off again: the format the axis had before, with its own
                         // decimals and units (the degree sign of an angle axis).
                         if (v && !IsExponentFormat(a.AxisValuesFormat)) {
                             RememberPlainFormat(a);
                         }
                         a.AxisValuesFormat = v ? "0.0##E+00" : PlainFormat(a);
                         formatEdit->setText(EditorText(a.AxisValuesFormat));
                     });
        exponential_->setObjectName(QStringLiteral("CBExponential"));
        format->addWidget(exponential_);
        form->addRow(QStringLiteral("Format:"), format);
        form->addRow(AddFontRow(page, QStringLiteral("&Font..."), chart_, a.LabelsFont));
        return page;
    }

    QWidget* Ticks(TChartAxis& a) {
        auto* page = new QWidget;
        auto* form = NewPageForm(page);
        AddPenRows(form, QStringLiteral("Axis:"), chart_, a.Axis);
        AddPenRows(form, QStringLiteral("Outer:"), chart_, a.Ticks);
        form->addRow(QStringLiteral("Length:"), AddSpin(page, 0, 100, a.TickLength, chart_));
        AddPenRows(form, QStringLiteral("Inner:"), chart_, a.TicksInner);
        QWidget* innerPen = form->itemAt(form->rowCount() - 1, QFormLayout::FieldRole)->widget();
        innerPen->setObjectName(QStringLiteral("InnerTicksPen"));
        auto* innerLength = AddSpin(page, 0, 100, a.TickInnerLength, chart_);
        innerLength->setObjectName(QStringLiteral("EInnerTickLength"));
        form->addRow(QStringLiteral("Length:"), innerLength);
        // Inner ticks of no length are not drawn, whatever their pen.
        innerPen->setToolTip(QStringLiteral("Inner ticks show once they have a length"));
        innerPen->setEnabled(a.TickInnerLength > 0);
        connect(innerLength, &QSpinBox::valueChanged, innerPen,
                [innerPen](int v) { innerPen->setEnabled(v > 0); });
        AddPenRows(form, QStringLiteral("Minor:"), chart_, a.MinorTicks);
        form->addRow(QStringLiteral("Length:"), AddSpin(page, 0, 100, a.MinorTickLength, chart_));
        form->addRow(QStringLiteral("Count:"), AddSpin(page, 0, 100, a.MinorTickCount, chart_));
        auto* atLabels =
            AddCheck(page, QStringLiteral("At labels only"), a.TickOnLabelsOnly, chart_);
        atLabels->setObjectName(QStringLiteral("CBTickOnLabelsOnly"));
        // Shown labels always have their ticks; the choice counts for hidden labels.
        atLabels->setToolTip(
            QStringLiteral("Ticks only where labels are drawn; counts while the labels are hidden "
                           "(Labels tab)"));
        if (labelsVisible_) {
            atLabels->setEnabled(!labelsVisible_->isChecked());
            connect(labelsVisible_, &QCheckBox::toggled, atLabels,
                    [atLabels](bool on) { atLabels->setEnabled(!on); });
        }
        form->addRow(atLabels);
        return page;
    }

    QWidget* Grid(TChartAxis& a) {
        auto* page = new QWidget;
        auto* form = NewPageForm(page);
        AddPenRows(form, QStringLiteral("Grid:"), chart_, a.Grid);
        AddPenRows(form, QStringLiteral("Minor grid:"), chart_, a.MinorGrid);
        form->addRow(AddCheck(page, QStringLiteral("Centered"), a.GridCentered, chart_));
        form->addRow(QStringLiteral("Draw every:"), AddSpin(page, 1, 100, a.DrawEvery, chart_));
        return page;
    }

    QWidget* Position(TChartAxis& a) {
        auto* page = new QWidget;
        auto* form = NewPageForm(page);
        const bool percent = a.PositionUnits == TAxisPositionUnits::puPercent;
        auto* position = AddNumberEdit(
            page, chart_, [&a] { return a.PositionPercent; },
            [&a](double v) {
                CheckPosition(a, v);
                a.PositionPercent = v;
            });
        position->setObjectName(QStringLiteral("EPosition"));
        auto end = [&](double& field) {
            return AddNumberEdit(
                page, chart_, [&field] { return field; },
                [&field, &a](double v) {
                    CheckPosition(a, v);
                    const double start = &field == &a.StartPosition ? v : a.StartPosition;
                    const double end = &field == &a.EndPosition ? v : a.EndPosition;
                    if (start >= end) {
                        throw EChartException("Axis start must be less than its end");
                    }
                    field = v;
                });
        };
        auto* start = end(a.StartPosition);
        start->setObjectName(QStringLiteral("EStart"));
        auto* finish = end(a.EndPosition);
        finish->setObjectName(QStringLiteral("EEnd"));
        auto* positionLabel = new QLabel(page);
        auto* startLabel = new QLabel(page);
        auto* endLabel = new QLabel(page);
        auto caption = [positionLabel, startLabel, endLabel](bool inPercent) {
            const QString unit = inPercent ? QStringLiteral(" %:") : QStringLiteral(" (pixels):");
            positionLabel->setText(QStringLiteral("Position") + unit);
            startLabel->setText(QStringLiteral("Start") + unit);
            endLabel->setText(QStringLiteral("End") + unit);
        };
        caption(percent);
        auto* units = AddCombo(page, {"Percentage", "Pixels"}, percent ? 0 : 1, chart_,
                               [&a, caption, position, start, finish, this](int i) {
                                   ConvertUnits(a, i == 0 ? TAxisPositionUnits::puPercent
                                                          : TAxisPositionUnits::puPixels);
                                   caption(i == 0);
                                   position->setText(NumberShown(a.PositionPercent));
                                   start->setText(NumberShown(a.StartPosition));
                                   finish->setText(NumberShown(a.EndPosition));
                               });
        units->setObjectName(QStringLiteral("CBPositionUnits"));
        form->addRow(QStringLiteral("Units:"), units);
        form->addRow(positionLabel, position);
        form->addRow(startLabel, start);
        form->addRow(endLabel, finish);

        auto* other = AddCheck(page, QStringLiteral("Other side"), a.OtherSide, chart_);
        other->setObjectName(QStringLiteral("CBOtherSide"));
        other->setToolTip(QStringLiteral(
            "Labels and title to the right of a vertical axis line, above a horizontal one"));
        form->addRow(other);
        auto* horizontal = AddCheck(page, QStringLiteral("Horizontal"), a.Horizontal, chart_);
        horizontal->setObjectName(QStringLiteral("CBHorizontal"));
        // The left and right axes carry the values, the bottom and top ones the angles: their
        // direction follows from the side of the plot they belong to.
        horizontal->setEnabled(false);
        horizontal->setToolTip(QStringLiteral(
            "The left, right, top and bottom axes keep the direction of their plot side"));
        form->addRow(horizontal);
        return page;
    }

protected:
    void showEvent(QShowEvent* event) override {
        QWidget::showEvent(event);
        RefreshLimits();
    }

private:
    // A pattern in exponent form ("E+", "E-", "e+" or "e-").
    static bool IsExponentFormat(const std::string& format) {
        for (const char* marker : {"E+", "E-", "e+", "e-"}) {
            if (format.find(marker) != std::string::npos) {
                return true;
            }
        }
        return false;
    }

    // The axis's last format without an exponent, kept with the chart (it outlives this page)
    // so that "Exponential" switched off gives it back.
    QByteArray PlainFormatKey(const TChartAxis& a) const {
        return QByteArrayLiteral("vkPlainAxisFormat") +
               QByteArray::number(static_cast<int>(a.Kind()));
    }
    void RememberPlainFormat(const TChartAxis& a) {
        chart_.setProperty(PlainFormatKey(a).constData(), EditorText(a.AxisValuesFormat));
    }
    std::string PlainFormat(const TChartAxis& a) const {
        const QVariant kept = chart_.property(PlainFormatKey(a).constData());
        // An axis that has had an exponent format since before this dialog: the default one.
        return kept.isValid() ? EditorString(kept.toString()) : std::string("#,##0.###");
    }

    // The axis's position and ends in other units, converted on the plot of the last drawing so
    // that the axis stays in place.
    void ConvertUnits(TChartAxis& a, TAxisPositionUnits to) {
        if (to == a.PositionUnits) {
            return;
        }
        const TRect& plot = chart_.Layout().PlotRect;
        const double along = a.Horizontal ? plot.Width() : plot.Height();
        const double across = a.Horizontal ? plot.Height() : plot.Width();
        auto convert = [to](double v, double length) {
            if (!(length > 0)) {
                return v;
            }
            return to == TAxisPositionUnits::puPixels ? std::nearbyint(v * length / 100)
                                                      : v * 100 / length;
        };
        a.PositionPercent = convert(a.PositionPercent, across);
        a.StartPosition = convert(a.StartPosition, along);
        a.EndPosition = convert(a.EndPosition, along);
        a.PositionUnits = to;
    }

    // A position in the axis's units: 0 to 100 percent, or any number of pixels from 0 up.
    static void CheckPosition(const TChartAxis& a, double v) {
        if (a.PositionUnits == TAxisPositionUnits::puPercent) {
            if (v < 0 || v > 100) {
                throw EChartException("Axis position must be between 0 and 100");
            }
        } else if (v < 0) {
            throw EChartException("Axis position must not be negative");
        }
    }

    TChart& chart_;
    QListWidget* axes_ = nullptr;
    QLabel* note_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QPointer<QCheckBox> minAuto_;
    QPointer<QCheckBox> maxAuto_;
    QPointer<QLineEdit> minEdit_;
    QPointer<QLineEdit> maxEdit_;
    QPointer<QCheckBox> labelsVisible_;
    QPointer<QCheckBox> showAll_;
    QPointer<QSpinBox> separation_;
    QPointer<QCheckBox> exponential_;
};

} // namespace

QWidget* CreateAxisPage(TChart& chart, QWidget* parent) {
    return new TAxisPage(chart, parent);
}
