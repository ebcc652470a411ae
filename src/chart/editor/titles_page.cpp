// "Chart" ▸ "Titles": the four titles of the chart, one at a time.

#include <QBoxLayout>
#include <QComboBox>
#include <QFormLayout>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTabWidget>

#include "chart/chart.h"
#include "chart/editor/editor_controls.h"
#include "chart/editor/editor_pages.h"

namespace {

class TTitlesPage : public QWidget {
public:
    TTitlesPage(TChart& chart, QWidget* parent) : QWidget(parent), chart_(chart) {
        setObjectName(QStringLiteral("TitlesPage"));
        auto* v = new QVBoxLayout(this);
        v->setContentsMargins(4, 4, 4, 4);
        which_ = new QComboBox(this);
        which_->setObjectName(QStringLiteral("CBTitles"));
        which_->addItems({QStringLiteral("Title"), QStringLiteral("SubTitle"),
                          QStringLiteral("SubFoot"), QStringLiteral("Foot")});
        v->addWidget(which_);
        tabs_ = new QTabWidget(this);
        v->addWidget(tabs_, 1);
        connect(which_, &QComboBox::currentIndexChanged, this, [this](int i) { Build(i); });
        Build(0);
    }

    TChartTitle& TitleAt(int i) {
        switch (i) {
        case 1:
            return chart_.SubTitle;
        case 2:
            return chart_.SubFoot;
        case 3:
            return chart_.Foot;
        default:
            return chart_.Title;
        }
    }

    void Build(int which) {
        const int tab = ClearTabs(tabs_);
        TChartTitle& t = TitleAt(which);
        tabs_->addTab(Scrollable(Style(t)), QStringLiteral("Style"));
        tabs_->addTab(Scrollable(Position(t)), QStringLiteral("Position"));
        tabs_->setCurrentIndex(tab < 0 ? 0 : tab);
    }

    QWidget* Style(TChartTitle& t) {
        auto* page = new QWidget;
        auto* h = new QHBoxLayout(page);
        auto* text = new QPlainTextEdit(page);
        text->setObjectName(QStringLiteral("MemoText"));
        QStringList lines;
        for (const std::string& l : t.Text()) {
            lines << EditorText(l);
        }
        text->setPlainText(lines.join(QLatin1Char('\n')));
        connect(text, &QPlainTextEdit::textChanged, text, [this, text, &t] {
            std::vector<std::string> out;
            const QStringList parts = text->toPlainText().split(QLatin1Char('\n'));
            // An emptied text means no lines, not one empty line.
            if (!(parts.size() == 1 && parts[0].isEmpty())) {
                for (const QString& p : parts) {
                    out.push_back(EditorString(p));
                }
            }
            ApplyChartChange(chart_, text, [&] { t.SetText(std::move(out)); });
        });
        h->addWidget(text, 1);
        auto* side = new QVBoxLayout;
        side->addWidget(AddCheck(page, QStringLiteral("Visible"), t.Visible(), chart_,
                                 [&t](bool v) { t.SetVisible(v); }));
        auto* adjust = AddCheck(page, QStringLiteral("Adjust Frame"), t.AdjustFrame, chart_);
        adjust->setObjectName(QStringLiteral("CBAdjustFrame"));
        side->addWidget(adjust);
        // Combo order Left, Center, Right; the model's order is Left, Right, Center.
        static const TTitleAlignment order[] = {TTitleAlignment::taLeftJustify,
                                                TTitleAlignment::taCenter,
                                                TTitleAlignment::taRightJustify};
        int index = 0;
        for (int i = 0; i < 3; ++i) {
            if (order[i] == t.Alignment) {
                index = i;
            }
        }
        side->addWidget(AddCombo(page, {"Left", "Center", "Right"}, index, chart_,
                                 [&t](int i) { t.Alignment = order[i]; }));
        side->addWidget(AddFontRow(page, QStringLiteral("&Font..."), chart_, t.Font));
        auto* transparent = AddCheck(page, QStringLiteral("Transparent"), t.Transparent, chart_);
        transparent->setObjectName(QStringLiteral("CBTitleTransparent"));
        transparent_ = transparent;
        // A back colour makes the title opaque, so that the colour shows; the box says so.
        side->addWidget(AddColourButton(
            page, QStringLiteral("&Back Color..."), chart_, [&t] { return t.Color; },
            [&t, transparent](TColor c) {
                t.Color = c;
                t.Transparent = false;
                transparent->setChecked(false); // the frame controls follow
            }));
        side->addWidget(transparent);
        FollowTransparency(adjust);
        side->addStretch(1);
        h->addLayout(side);
        return page;
    }

    QWidget* Position(TChartTitle& t) {
        auto* page = new QWidget;
        auto* form = NewPageForm(page);
        form->addRow(QStringLiteral("Vertical margin:"),
                     AddSpin(page, 0, 200, t.VertMargin, chart_));
        AddPenRows(form, QStringLiteral("Frame:"), chart_, t.Frame);
        QWidget* frame = form->itemAt(form->rowCount() - 1, QFormLayout::FieldRole)->widget();
        frame->setObjectName(QStringLiteral("TitleFrame"));
        FollowTransparency(frame);
        AddCustomPositionRows(form, chart_, t.CustomPosition, t.Left, t.Top,
                              [&t] { return t.Layout().Rect; });
        return page;
    }

private:
    // Frame settings show only on an opaque title (a transparent one draws text alone).
    void FollowTransparency(QWidget* w) {
        w->setToolTip(QStringLiteral("A transparent title draws no frame; clear Transparent"));
        w->setEnabled(transparent_ && !transparent_->isChecked());
        if (transparent_) {
            connect(transparent_, &QCheckBox::toggled, w, [w](bool on) { w->setEnabled(!on); });
        }
    }

    TChart& chart_;
    QPointer<QCheckBox> transparent_;
    QComboBox* which_ = nullptr;
    QTabWidget* tabs_ = nullptr;
};

} // namespace

QWidget* CreateTitlesPage(TChart& chart, QWidget* parent) {
    return new TTitlesPage(chart, parent);
}
