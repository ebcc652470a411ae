#include "chart/editor/print_editor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "chart/chart.h"
#include "chart/editor/chart_data_export.h"
#include "chart/editor/chart_editor.h"
#include "chart/editor/editor_pages.h"
#include "chart/editor/export_editor.h"

QRect PrintChartRect(const QRect& page, const TPrintMargins& margins, bool proportional,
                     QSize chartSize) {
    const auto part = [](int length, int percent) {
        return static_cast<int>(std::lround(1.0 * length * std::clamp(percent, 0, 100) / 100.0));
    };
    const int left = page.left() + part(page.width(), margins.Left);
    const int top = page.top() + part(page.height(), margins.Top);
    const int right = page.left() + page.width() - part(page.width(), margins.Right);
    const int bottom = page.top() + page.height() - part(page.height(), margins.Bottom);
    QRect r(QPoint(left, top), QSize(std::max(right - left, 1), std::max(bottom - top, 1)));
    if (!proportional || chartSize.isEmpty()) {
        return r;
    }
    const QSize fitted = chartSize.scaled(r.size(), Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    return QRect(QPoint(r.left() + (r.width() - fitted.width()) / 2, r.top()), fitted);
}

QSize PrintImageSize(QSize chartSize, QSize target, int detail) {
    const double scale = std::pow(2.0, (std::clamp(detail, 0, 100) - 50) / 50.0);
    const int width = std::max(16, static_cast<int>(std::lround(chartSize.width() * scale)));
    if (target.isEmpty()) {
        return {width, std::max(16, static_cast<int>(std::lround(chartSize.height() * scale)))};
    }
    const int height =
        std::max(16, static_cast<int>(std::lround(1.0 * width * target.height() / target.width())));
    return {width, height};
}

TPrintTab::TPrintTab(TChart& chart, QWidget* parent)
    : QWidget(parent), chart_(chart), printer_(std::make_unique<QPrinter>()) {
    printer_->setPageOrientation(QPageLayout::Landscape);
    auto* h = new QHBoxLayout(this);
    h->setContentsMargins(4, 4, 4, 4);

    auto* controls = new QWidget;
    auto* v = new QVBoxLayout(controls);
    v->setContentsMargins(0, 0, 4, 0);
    printerChoice = new QComboBox(controls);
    const QStringList printers = QPrinterInfo::availablePrinterNames();
    printerChoice->addItems(printers);
    printerChoice->addItem(QStringLiteral("PDF file"));
    printerChoice->setToolTip(QStringLiteral("Printer"));
    v->addWidget(printerChoice);
    auto* buttons = new QHBoxLayout;
    setupButton = new QPushButton(QStringLiteral("&Setup..."), controls);
    printButton = new QPushButton(QStringLiteral("&Print"), controls);
    buttons->addWidget(setupButton);
    buttons->addWidget(printButton);
    v->addLayout(buttons);

    auto* orientation = new QGroupBox(QStringLiteral("Orientation"), controls);
    auto* ov = new QVBoxLayout(orientation);
    portrait = new QRadioButton(QStringLiteral("P&ortrait"), orientation);
    landscape = new QRadioButton(QStringLiteral("&Landscape"), orientation);
    landscape->setChecked(true);
    ov->addWidget(portrait);
    ov->addWidget(landscape);
    v->addWidget(orientation);

    auto* margins = new QGroupBox(QStringLiteral("Margins (%)"), controls);
    auto* mg = new QGridLayout(margins);
    marginLeft = new QSpinBox(margins);
    marginTop = new QSpinBox(margins);
    marginRight = new QSpinBox(margins);
    marginBottom = new QSpinBox(margins);
    const TPrintMargins defaults;
    for (QSpinBox* s : {marginLeft, marginTop, marginRight, marginBottom}) {
        s->setRange(0, 45);
    }
    marginLeft->setValue(defaults.Left);
    marginTop->setValue(defaults.Top);
    marginRight->setValue(defaults.Right);
    marginBottom->setValue(defaults.Bottom);
    marginLeft->setToolTip(QStringLiteral("Left"));
    marginTop->setToolTip(QStringLiteral("Top"));
    marginRight->setToolTip(QStringLiteral("Right"));
    marginBottom->setToolTip(QStringLiteral("Bottom"));
    // Placed as on the page: top above, left and right beside, bottom below.
    mg->addWidget(marginTop, 0, 0, 1, 2, Qt::AlignHCenter);
    mg->addWidget(marginLeft, 1, 0);
    mg->addWidget(marginRight, 1, 1);
    mg->addWidget(marginBottom, 2, 0, 1, 2, Qt::AlignHCenter);
    resetMargins = new QPushButton(QStringLiteral("Reset &Margins"), margins);
    mg->addWidget(resetMargins, 3, 0, 1, 2);
    viewMargins = new QCheckBox(QStringLiteral("&View Margins"), margins);
    viewMargins->setChecked(true);
    mg->addWidget(viewMargins, 4, 0, 1, 2);
    v->addWidget(margins);

    auto* detailRow = new QHBoxLayout;
    detailRow->addWidget(new QLabel(QStringLiteral("Detail:"), controls));
    detail = new QSlider(Qt::Horizontal, controls);
    detail->setRange(0, 100);
    detail->setValue(50);
    detail->setToolTip(QStringLiteral("Less detail draws larger text and thicker lines"));
    detailRow->addWidget(detail, 1);
    v->addLayout(detailRow);
    proportional = new QCheckBox(QStringLiteral("Proport&ional"), controls);
    proportional->setChecked(true);
    smooth = new QCheckBox(QStringLiteral("S&mooth"), controls);
    smooth->setChecked(true);
    v->addWidget(proportional);
    v->addWidget(smooth);
    v->addStretch(1);

    auto* scroll = new QScrollArea(this);
    scroll->setWidget(controls);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setFixedWidth(controls->sizeHint().width() + 18);
    h->addWidget(scroll);

    preview_ = new QPrintPreviewWidget(printer_.get(), this);
    preview_->setZoomMode(QPrintPreviewWidget::FitInView);
    h->addWidget(preview_, 1);
    connect(preview_, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
        QPainter painter(printer);
        PaintPage(painter,
                  QRect(QPoint(0, 0),
                        printer->pageLayout().paintRectPixels(printer->resolution()).size()),
                  viewMargins->isChecked());
    });

    // A change of the chart while the page shows redraws the preview once the change is done
    // (several settings may change in one step); the preview's own drawing of the chart, which
    // also asks the chart to repaint, does not count.
    previewTimer_.setSingleShot(true);
    previewTimer_.setInterval(0);
    connect(&previewTimer_, &QTimer::timeout, this, [this] {
        if (isVisible()) {
            preview_->updatePreview();
        }
    });
    connect(&chart_, &TChart::ChartChanged, this, [this] {
        if (!painting_ && isVisible()) {
            previewTimer_.start();
        }
    });
    auto update = [this] { preview_->updatePreview(); };
    for (QSpinBox* s : {marginLeft, marginTop, marginRight, marginBottom}) {
        connect(s, &QSpinBox::valueChanged, this, update);
    }
    connect(resetMargins, &QPushButton::clicked, this, [this] {
        const TPrintMargins d;
        marginLeft->setValue(d.Left);
        marginTop->setValue(d.Top);
        marginRight->setValue(d.Right);
        marginBottom->setValue(d.Bottom);
    });
    connect(viewMargins, &QCheckBox::toggled, this, update);
    connect(detail, &QSlider::valueChanged, this, update);
    connect(proportional, &QCheckBox::toggled, this, update);
    connect(smooth, &QCheckBox::toggled, this, update);
    connect(portrait, &QRadioButton::toggled, this, [this](bool on) {
        preview_->setOrientation(on ? QPageLayout::Portrait : QPageLayout::Landscape);
    });
    connect(setupButton, &QPushButton::clicked, this, [this] {
        QPageSetupDialog dialog(printer_.get(), this);
        if (dialog.exec() == QDialog::Accepted) {
            const bool isPortrait = printer_->pageLayout().orientation() == QPageLayout::Portrait;
            (isPortrait ? portrait : landscape)->setChecked(true);
            preview_->updatePreview();
        }
    });
    connect(printButton, &QPushButton::clicked, this, [this] { PrintNow(); });
    connect(printerChoice, &QComboBox::currentIndexChanged, this,
            [this](int i) { ChoosePrinter(i); });
    ChoosePrinter(printerChoice->currentIndex());
}

TPrintTab::~TPrintTab() = default;

void TPrintTab::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The chart may have changed on another tab meanwhile.
    preview_->updatePreview();
}

TPrintMargins TPrintTab::Margins() const {
    return {marginLeft->value(), marginTop->value(), marginRight->value(), marginBottom->value()};
}

void TPrintTab::ChoosePrinter(int index) {
    const bool pdf = index == printerChoice->count() - 1;
    if (pdf) {
        printer_->setOutputFormat(QPrinter::PdfFormat);
    } else {
        printer_->setOutputFormat(QPrinter::NativeFormat);
        printer_->setPrinterName(printerChoice->itemText(index));
    }
    // The native page setup dialog only serves a real printer.
    setupButton->setEnabled(true);
    preview_->updatePreview();
}

void TPrintTab::PaintPage(QPainter& painter, const QRect& page, bool showMargins) {
    const QRect target = PrintChartRect(page, Margins(), proportional->isChecked(), chart_.size());
    // The chart is laid out at the detail's size in pixels and drawn as vector shapes scaled
    // onto the page, so that its lines and text are as sharp as the printer can make them.
    const QSize size = PrintImageSize(chart_.size(), target.size(), detail->value());
    const bool wasPainting = painting_;
    painting_ = true;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(static_cast<double>(target.width()) / size.width(),
                  static_cast<double>(target.height()) / size.height());
    painter.setClipRect(QRect(QPoint(0, 0), size), Qt::IntersectClip);
    chart_.DrawChartOn(painter, size, smooth->isChecked());
    painter.restore();
    painting_ = wasPainting;
    painter.save();
    if (showMargins) {
        const QRect inner = PrintChartRect(page, Margins(), false, chart_.size());
        painter.setPen(QPen(Qt::gray, 0, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(inner);
    }
    painter.restore();
}

void TPrintTab::PrintNow() {
    if (printer_->outputFormat() == QPrinter::PdfFormat) {
        const QString path =
            ExportSaveFileName(this, QStringLiteral("Print to PDF"),
                               QStringLiteral("PDF files (*.pdf)"), QStringLiteral("pdf"));
        if (path.isEmpty()) {
            return;
        }
        printer_->setOutputFileName(path);
    } else {
        QPrintDialog dialog(printer_.get(), this);
        if (dialog.exec() != QDialog::Accepted) {
            return;
        }
    }
    QPainter painter;
    if (!painter.begin(printer_.get())) {
        ChartEditorMessage(this, QStringLiteral("The printer could not be started."));
        return;
    }
    PaintPage(
        painter,
        QRect(QPoint(0, 0), printer_->pageLayout().paintRectPixels(printer_->resolution()).size()),
        false);
    painter.end();
    printer_->setOutputFileName(QString());
}

QWidget* CreatePrintTab(TChart& chart, QWidget* parent) {
    return new TPrintTab(chart, parent);
}
