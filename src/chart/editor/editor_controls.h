#pragma once

#include <QColor>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "chart/model/chart_types.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

class QFormLayout;
class QTabWidget;
class TChart;

// Building blocks of the "Chart" pages: each control writes its value straight into the live
// chart object and asks the chart to repaint; refusals of the chart are shown and not stored.

QString EditorText(const std::string& text);
std::string EditorString(const QString& text);
QColor EditorColour(TColor colour);

// Runs `change` and repaints the chart; an EChartException is shown to the user, and the chart
// repaints either way (a refused value leaves the stored one).
bool ApplyChartChange(TChart& chart, QWidget* owner, const std::function<void()>& change);

QCheckBox* AddCheck(QWidget* parent, const QString& text, bool value, TChart& chart,
                    std::function<void(bool)> set);
QSpinBox* AddSpin(QWidget* parent, int minimum, int maximum, int value, TChart& chart,
                  std::function<void(int)> set);
// A check box and a spin box that edit one setting of the chart in place.
inline QCheckBox* AddCheck(QWidget* parent, const QString& text, bool& setting, TChart& chart) {
    return AddCheck(parent, text, setting, chart, [&setting](bool v) { setting = v; });
}
inline QSpinBox* AddSpin(QWidget* parent, int minimum, int maximum, int& setting, TChart& chart) {
    return AddSpin(parent, minimum, maximum, setting, chart, [&setting](int v) { setting = v; });
}
QComboBox* AddCombo(QWidget* parent, const QStringList& items, int index, TChart& chart,
                    std::function<void(int)> set);
// A one-line text that is applied when the entry is finished (Enter or leaving the field).
QLineEdit* AddTextEdit(QWidget* parent, const QString& value, TChart& chart,
                       std::function<void(const QString&)> set);
// A number entry: parsed with the program's decimal rules; a bad text or a refused value shows
// the message and the field returns to the stored value given by `get`. Enter on a refused entry
// keeps the dialog open.
QLineEdit* AddNumberEdit(QWidget* parent, TChart& chart, std::function<double()> get,
                         std::function<void(double)> set);
// Enter and Return in `field` first run `finish`; when it refuses the entry (returns false) the
// key goes no further, so that the dialog's default button does not close it over the refusal.
void HoldEnterWhileRefused(QWidget* field, std::function<bool()> finish);
// A button with a colour swatch that opens the colour dialog.
QPushButton* AddColourButton(QWidget* parent, const QString& text, TChart& chart,
                             std::function<TColor()> get, std::function<void(TColor)> set);
// The same for one colour setting of the chart, edited in place.
inline QPushButton* AddColourButton(QWidget* parent, const QString& text, TChart& chart,
                                    TColor& setting) {
    return AddColourButton(
        parent, text, chart, [&setting] { return setting; }, [&setting](TColor c) { setting = c; });
}
// A row with the button that opens the font dialog on a chart font (font_row.h) and a button
// for the text's colour.
QWidget* AddFontRow(QWidget* parent, const QString& text, TChart& chart, TChartFont& font);
// `page` in a frameless scroll area, so that a tab with many rows scrolls inside a small dialog
// instead of widening the whole dialog.
QWidget* Scrollable(QWidget* page);
// Removes and deletes every tab (a page showing another object is built anew); returns the
// index that was selected, to select it again.
int ClearTabs(QTabWidget* tabs);
// A compact form of caption and control rows on a page.
QFormLayout* NewPageForm(QWidget* page);
// The `dependents` count only while `box` is checked: they are enabled with it, so that no
// control sits there with nothing to show.
void EnableWithCheck(QCheckBox* box, const std::vector<QWidget*>& dependents);
// Rows for a pen: visible, colour, width, style (the last three enabled while it is visible).
void AddPenRows(QFormLayout* form, const QString& caption, TChart& chart, TChartPen& pen);
// The combo of a pen's style: "Solid", "Dash", "Dot", "Dash Dot", "Dash Dot Dot", "Clear".
QComboBox* AddPenStyleCombo(QWidget* parent, TChart& chart, TChartPen& pen);

// "Custom" with Left and Top spins for a title or the legend placed by the user. Switching it on
// starts from `current`, the rectangle of the last drawing, so that nothing jumps.
void AddCustomPositionRows(QFormLayout* form, TChart& chart, bool& custom, int& left, int& top,
                           std::function<TRect()> current);

// The colour dialog used by every colour control; tests replace it. Returns false on cancel.
extern std::function<bool(QWidget* parent, TColor current, TColor& chosen)> ChooseChartColour;
