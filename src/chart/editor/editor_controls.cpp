#include "chart/editor/editor_controls.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTabWidget>

#include "chart/chart.h"
#include "chart/editor/chart_editor.h"
#include "chart/editor/font_row.h"
#include "chart/qt_measurer.h"
#include "numtext/numtext.h"

std::function<bool(QWidget*, TColor, TColor&)> ChooseChartColour =
    [](QWidget* parent, TColor current, TColor& chosen) {
        const QColor c = QColorDialog::getColor(EditorColour(current), parent);
        if (!c.isValid()) {
            return false;
        }
        chosen = RGBColor(c.red(), c.green(), c.blue());
        return true;
    };

QString EditorText(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string EditorString(const QString& text) {
    return text.toUtf8().toStdString();
}

QColor EditorColour(TColor colour) {
    if (colour == clNone || colour == AutomaticColour) {
        return QColor(Qt::transparent);
    }
    return ToQColor(colour, QApplication::palette());
}

bool ApplyChartChange(TChart& chart, QWidget* owner, const std::function<void()>& change) {
    bool ok = true;
    try {
        change();
    } catch (const EChartException& e) {
        ok = false;
        ChartEditorMessage(owner, QString::fromUtf8(e.what()));
    } catch (const EConvertError& e) {
        ok = false;
        ChartEditorMessage(owner, QString::fromUtf8(e.what()));
    }
    chart.RequestRepaint();
    return ok;
}

QCheckBox* AddCheck(QWidget* parent, const QString& text, bool value, TChart& chart,
                    std::function<void(bool)> set) {
    auto* box = new QCheckBox(text, parent);
    box->setChecked(value);
    QObject::connect(box, &QCheckBox::toggled, box, [&chart, box, set](bool on) {
        ApplyChartChange(chart, box, [&] { set(on); });
    });
    return box;
}

QSpinBox* AddSpin(QWidget* parent, int minimum, int maximum, int value, TChart& chart,
                  std::function<void(int)> set) {
    auto* spin = new QSpinBox(parent);
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    QObject::connect(spin, &QSpinBox::valueChanged, spin, [&chart, spin, set](int v) {
        ApplyChartChange(chart, spin, [&] { set(v); });
    });
    return spin;
}

QComboBox* AddCombo(QWidget* parent, const QStringList& items, int index, TChart& chart,
                    std::function<void(int)> set) {
    auto* combo = new QComboBox(parent);
    combo->addItems(items);
    combo->setCurrentIndex(index);
    QObject::connect(combo, &QComboBox::currentIndexChanged, combo, [&chart, combo, set](int i) {
        if (i >= 0) {
            ApplyChartChange(chart, combo, [&] { set(i); });
        }
    });
    return combo;
}

QLineEdit* AddTextEdit(QWidget* parent, const QString& value, TChart& chart,
                       std::function<void(const QString&)> set) {
    auto* edit = new QLineEdit(value, parent);
    QObject::connect(edit, &QLineEdit::textEdited, edit, [&chart, edit, set](const QString& t) {
        ApplyChartChange(chart, edit, [&] { set(t); });
    });
    return edit;
}

namespace {
QString NumberText(double v) {
    return EditorText(FormatGeneral(static_cast<Extended>(v), 15, 0));
}
} // namespace

QLineEdit* AddNumberEdit(QWidget* parent, TChart& chart, std::function<double()> get,
                         std::function<void(double)> set) {
    auto* edit = new QLineEdit(NumberText(get()), parent);
    auto finish = [&chart, edit, get, set] {
        const QString text = edit->text().trimmed();
        if (text == NumberText(get())) {
            return true;
        }
        // Reset first: the message box takes the focus and would finish the entry again.
        const std::string entered = EditorString(text);
        edit->setText(NumberText(get()));
        const bool ok =
            ApplyChartChange(chart, edit, [&] { set(static_cast<double>(ParseDecimal(entered))); });
        edit->setText(NumberText(get()));
        return ok;
    };
    QObject::connect(edit, &QLineEdit::editingFinished, edit, finish);
    HoldEnterWhileRefused(edit, finish);
    return edit;
}

namespace {

class TEnterHold : public QObject {
public:
    TEnterHold(QObject* parent, std::function<bool()> finish)
        : QObject(parent), finish_(std::move(finish)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !finish_()) {
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<bool()> finish_;
};

} // namespace

void HoldEnterWhileRefused(QWidget* field, std::function<bool()> finish) {
    field->installEventFilter(new TEnterHold(field, std::move(finish)));
}

namespace {
QIcon Swatch(TColor colour) {
    QPixmap pm(16, 12);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.setBrush(EditorColour(colour));
    p.drawRect(0, 0, 15, 11);
    return QIcon(pm);
}
} // namespace

QPushButton* AddColourButton(QWidget* parent, const QString& text, TChart& chart,
                             std::function<TColor()> get, std::function<void(TColor)> set) {
    auto* button = new QPushButton(Swatch(get()), text, parent);
    QObject::connect(button, &QPushButton::clicked, button, [&chart, button, get, set] {
        TColor chosen = get();
        if (!ChooseChartColour(button, get(), chosen)) {
            return;
        }
        ApplyChartChange(chart, button, [&] { set(chosen); });
        button->setIcon(Swatch(get()));
    });
    return button;
}

QWidget* AddFontRow(QWidget* parent, const QString& text, TChart& chart, TChartFont& font) {
    auto* row = new QWidget(parent);
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    auto* button = new QPushButton(text, row);
    button->setObjectName(QStringLiteral("BFont"));
    QObject::connect(button, &QPushButton::clicked, button, [&chart, button, &font] {
        QFont shown;
        QFont chosen;
        if (!ChooseChartFont(button, DialogFontOf(font), shown, chosen)) {
            return;
        }
        ApplyChartChange(chart, button, [&] { ApplyFontChoice(font, shown, chosen); });
    });
    h->addWidget(button);
    auto* colour = AddColourButton(row, QStringLiteral("Text Colo&r..."), chart, font.Color);
    colour->setObjectName(QStringLiteral("BFontColor"));
    h->addWidget(colour);
    h->addStretch(1);
    return row;
}

int ClearTabs(QTabWidget* tabs) {
    const int selected = tabs->currentIndex();
    while (tabs->count() > 0) {
        QWidget* w = tabs->widget(0);
        tabs->removeTab(0);
        delete w;
    }
    return selected;
}

QWidget* Scrollable(QWidget* page) {
    auto* area = new QScrollArea;
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setWidget(page);
    return area;
}

QFormLayout* NewPageForm(QWidget* page) {
    auto* form = new QFormLayout(page);
    form->setContentsMargins(6, 6, 6, 6);
    form->setVerticalSpacing(3);
    form->setHorizontalSpacing(6);
    return form;
}

void EnableWithCheck(QCheckBox* box, const std::vector<QWidget*>& dependents) {
    for (QWidget* w : dependents) {
        w->setEnabled(box->isChecked());
        QObject::connect(box, &QCheckBox::toggled, w, &QWidget::setEnabled);
    }
}

void AddPenRows(QFormLayout* form, const QString& caption, TChart& chart, TChartPen& pen) {
    QWidget* parent = form->parentWidget();
    auto* row = new QWidget(parent);
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    auto* visible = AddCheck(row, QStringLiteral("Visible"), pen.Visible, chart);
    h->addWidget(visible);
    auto* colour = AddColourButton(row, QString(), chart, pen.Color);
    h->addWidget(colour);
    auto* width = AddSpin(row, 1, 10, pen.Width, chart);
    width->setToolTip(QStringLiteral("Width"));
    h->addWidget(width);
    auto* style = AddPenStyleCombo(row, chart, pen);
    h->addWidget(style);
    h->addStretch(1);
    EnableWithCheck(visible, {colour, width, style});
    form->addRow(caption, row);
}

QComboBox* AddPenStyleCombo(QWidget* parent, TChart& chart, TChartPen& pen) {
    // In the order of TPenStyle.
    return AddCombo(parent,
                    {QStringLiteral("Solid"), QStringLiteral("Dash"), QStringLiteral("Dot"),
                     QStringLiteral("Dash Dot"), QStringLiteral("Dash Dot Dot"),
                     QStringLiteral("Clear")},
                    static_cast<int>(pen.Style), chart,
                    [&pen](int i) { pen.Style = static_cast<TPenStyle>(i); });
}

void AddCustomPositionRows(QFormLayout* form, TChart& chart, bool& custom, int& left, int& top,
                           std::function<TRect()> current) {
    QWidget* parent = form->parentWidget();
    auto* leftSpin = AddSpin(parent, -10000, 10000, left, chart);
    auto* topSpin = AddSpin(parent, -10000, 10000, top, chart);
    leftSpin->setEnabled(custom);
    topSpin->setEnabled(custom);
    form->addRow(AddCheck(parent, QStringLiteral("Custom"), custom, chart,
                          [&, leftSpin, topSpin, current](bool on) {
                              if (on && !custom) {
                                  const TRect r = current();
                                  left = r.Left;
                                  top = r.Top;
                                  leftSpin->setValue(left);
                                  topSpin->setValue(top);
                              }
                              custom = on;
                              leftSpin->setEnabled(on);
                              topSpin->setEnabled(on);
                          }));
    form->addRow(QStringLiteral("Left:"), leftSpin);
    form->addRow(QStringLiteral("Top:"), topSpin);
}
