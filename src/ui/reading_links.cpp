#include "ui/reading_links.h"

#include "chart/chart.h"
#include "chart/editor/chart_data_export.h"
#include "chart/model/chart_cursor.h"
#include "controls/memo.h"
#include "controls/status_bar.h"
#include "controls/string_grid.h"
#include "ui/application.h"
#include "ui/window_dialogs.h"
#include "workflow/calculation_workflow.h"
#include "workflow/result_reading.h"
#include "workflow/text_export.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QSaveFile>
#include <QTextBlock>

// ---- TStatusReadout

TStatusReadout::TStatusReadout(TVkStatusPane* pane, QColor messageColour)
    : pane_(pane), messageColour_(messageColour) {}

void TStatusReadout::Show(const QString& text, bool isMessage) {
    if (text.isEmpty()) {
        pane_->hide();
        pane_->SetCaption(QString());
        pane_->SetCaptionColor(messageColour_);
        return;
    }
    // An invalid colour is the window text colour.
    pane_->SetCaptionColor(isMessage ? messageColour_ : QColor());
    pane_->SetCaption(text);
    pane_->show();
}

void TStatusReadout::SetMessage(const QString& text) {
    message_ = text;
    if (!message_.isEmpty()) {
        Show(message_, true);
    } else if (!readout_.isEmpty()) {
        Show(readout_, false);
    } else {
        Show(QString(), true);
    }
}

void TStatusReadout::SetReadout(const QString& text) {
    readout_ = text;
    if (!readout_.isEmpty()) {
        Show(readout_, false);
    } else {
        Show(message_, true);
    }
}

// ---- TReadingLinks

namespace {

QString PageName(TResultPage page) {
    switch (page) {
    case TResultPage::Reflectance:
        return QStringLiteral("Reflectance");
    case TResultPage::Transmittance:
        return QStringLiteral("Transmittance");
    case TResultPage::Polarization:
        return QStringLiteral("Polarization");
    case TResultPage::Phase:
        return QStringLiteral("Phase");
    }
    return {};
}

// The colours of the characteristic angle lines: apart from every curve's colour.
constexpr TColor kBrewsterLineColour = RGBColor(200, 0, 200);
constexpr TColor kCriticalLineColour = RGBColor(230, 120, 0);

std::string AngleCaption(const TCharacteristicAngle& angle) {
    switch (angle.Kind) {
    case TCharacteristicAngleKind::Brewster:
        return "Brewster " + angle.Text;
    case TCharacteristicAngleKind::PseudoBrewster:
        return "Pseudo-Brewster " + angle.Text;
    case TCharacteristicAngleKind::Critical:
        return "Critical " + angle.Text;
    }
    return angle.Text;
}

QByteArray PngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        throw EExportError("The picture could not be encoded as PNG.");
    }
    return bytes;
}

} // namespace

TReadingLinks::TReadingLinks(QWidget* window, CalculationWorkflow& workflow,
                             TVkStatusPane* middlePane, QColor messageColour, TVkMemo* summary,
                             std::function<int()> activePage)
    : window_(window), workflow_(workflow), status_(middlePane, messageColour), summary_(summary),
      activePage_(std::move(activePage)) {
    summary_->viewport()->installEventFilter(this);
}

TReadingLinks::~TReadingLinks() = default;

void TReadingLinks::AddPage(const TReadingPage& page) {
    const int index = static_cast<int>(pages_.size());
    pages_.push_back(page);
    showAngles_.push_back(false);
    TChart* chart = page.Chart;
    connect(chart, &TChart::CursorMoved, this,
            [this, index](int stop) { RunGuarded([&] { ShowReadout(index, stop); }); });
    connect(chart, &TChart::CursorClicked, this, [this, index](int stop) {
        RunGuarded([&] {
            // The row is selected for the click; the cursor stays with the pointer.
            selectingFromChart_ = true;
            SelectRow(index, stop + 1);
            selectingFromChart_ = false;
        });
    });
    connect(chart, &TChart::MenuRequested, this,
            [this, index](QPoint pos) { RunGuarded([&] { OpenChartMenu(index, pos); }); });
    page.Table->OnCellFocused = [this, index](QObject*, int, int row) {
        RunGuarded([&] { TableRowFocused(index, row); });
    };
}

int TReadingLinks::LastCount() const {
    const auto& run = workflow_.LastRunInputs();
    return run ? run->Count : 0;
}

void TReadingLinks::RunFinished() {
    angles_.reset();
    const TSweepResults& results = workflow_.Results();
    const int count = LastCount();
    std::vector<double> stops(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        stops[static_cast<std::size_t>(i)] = static_cast<double>(results.IA[i + 1]);
    }
    for (int page = 0; page < PageCount(); ++page) {
        pages_[static_cast<std::size_t>(page)].Chart->SetCursorStops(stops);
        UpdateAngleLines(page);
    }
}

std::vector<int> TReadingLinks::ShownColumns(int page) const {
    const TReadingPage& p = Page(page);
    std::vector<int> columns;
    // Series i of a result chart draws table column i + 1.
    const int valueColumns = TableColumnCount(p.Page) - 1;
    for (int i = 0; i < p.Chart->NumberOfSeries() && i < valueColumns; ++i) {
        if (p.Chart->SeriesAtPosition(i).Active()) {
            columns.push_back(i + 1);
        }
    }
    return columns;
}

void TReadingLinks::ShowReadout(int page, int index) {
    if (index < 0 || index >= LastCount()) {
        status_.SetReadout(QString());
        return;
    }
    status_.SetReadout(QString::fromStdString(CursorReadout(
        workflow_.Results(), workflow_.Phases(), Page(page).Page, index + 1, ShownColumns(page))));
}

void TReadingLinks::SelectRow(int page, int row) {
    TVkStringGrid* table = Page(page).Table;
    table->FocusCell(table->Col(), row, true);
}

void TReadingLinks::TableRowFocused(int page, int row) {
    if (selectingFromChart_) {
        return;
    }
    // Row i is point i of the last run; a row beyond it (the row count follows the resolution
    // before the next run) has no point and shows no cursor.
    Page(page).Chart->ShowCursorAt(row >= 1 && row <= LastCount() ? row - 1 : -1);
}

const std::vector<TCharacteristicAngle>& TReadingLinks::Angles() {
    if (!angles_) {
        const auto& run = workflow_.LastRunInputs();
        angles_ = run ? CharacteristicAngles(*run, workflow_.Results())
                      : std::vector<TCharacteristicAngle>();
    }
    return *angles_;
}

void TReadingLinks::UpdateAngleLines(int page) {
    std::vector<TChartVerticalLine> lines;
    if (showAngles_[static_cast<std::size_t>(page)]) {
        for (const TCharacteristicAngle& angle : Angles()) {
            TChartVerticalLine line;
            line.Value = static_cast<double>(angle.Angle);
            line.Caption = AngleCaption(angle);
            line.Pen = {angle.Kind == TCharacteristicAngleKind::Critical ? kCriticalLineColour
                                                                         : kBrewsterLineColour,
                        1, TPenStyle::psDash};
            lines.push_back(line);
        }
    }
    Page(page).Chart->SetVerticalLines(std::move(lines));
}

void TReadingLinks::SetShowAngles(int page, bool on) {
    showAngles_.at(static_cast<std::size_t>(page)) = on;
    UpdateAngleLines(page);
}

bool TReadingLinks::ShowsAngles(int page) const {
    return showAngles_.at(static_cast<std::size_t>(page));
}

void TReadingLinks::CopyPicture(int page) {
    TChart& chart = *Page(page).Chart;
    // The window's own pixels (the cursor is drawn over them, not in them), and the same
    // drawing as vector shapes for the programs that take SVG.
    const QImage image = chart.RenderedBuffer().copy();
    auto mime = std::make_unique<QMimeData>();
    mime->setData(QStringLiteral("image/png"), PngBytes(image));
    mime->setData(QStringLiteral("image/svg+xml"),
                  ExportPicture(chart, TPictureFormat::SVG, chart.size()));
    mime->setImageData(image);
    QApplication::clipboard()->setMimeData(mime.release());
}

void TReadingLinks::SavePictureAs(int page) {
    TChart& chart = *Page(page).Chart;
    const QString png = QStringLiteral("PNG Picture (*.png)");
    const QString svg = QStringLiteral("SVG Picture (*.svg)");
    QFileDialog dialog(window_,
                       QStringLiteral("%1: Save %2 Chart as Picture")
                           .arg(QString::fromUtf8(ProductName), PageName(Page(page).Page)));
    dialog.setObjectName(QStringLiteral("SavePictureDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({png, svg});
    dialog.selectNameFilter(png);
    dialog.setDefaultSuffix(QStringLiteral("png"));
    // A name typed without a suffix takes the one of the chosen type.
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, svg](const QString& filter) {
        dialog.setDefaultSuffix(filter == svg ? QStringLiteral("svg") : QStringLiteral("png"));
    });
    dialog.setDirectory(QString::fromStdString(
        PrepareSaveFolder(workflow_.DataFolder(), workflow_.DocumentsFolder())));
    const auto& run = workflow_.LastRunInputs();
    dialog.selectFile((run ? QString::fromStdString(SuggestedFileName(Page(page).Page, *run))
                           : PageName(Page(page).Page)) +
                      QStringLiteral(".png"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const QString path = dialog.selectedFiles().first();
    const bool vector = path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive);
    // Encoded in full first; the file appears only when complete, and a failed write leaves
    // an existing one as it was.
    const QByteArray bytes = vector ? ExportPicture(chart, TPictureFormat::SVG, chart.size())
                                    : PngBytes(chart.RenderedBuffer());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        TWindowDialogs(window_).ShowMessage(QStringLiteral("Cannot write %1: %2")
                                                .arg(QDir::toNativeSeparators(path), reason)
                                                .toStdString());
    }
}

void TReadingLinks::CopyData(int page) {
    const std::string text = ColumnsText(workflow_.Results(), workflow_.Phases(), Page(page).Page,
                                         LastCount(), ShownColumns(page));
    QApplication::clipboard()->setText(QString::fromStdString(text));
}

void TReadingLinks::ResetZoom(int page) {
    Page(page).Chart->RevertZoom();
}

void TReadingLinks::OpenChartMenu(int page, QPoint pos) {
    TChart* chart = Page(page).Chart;
    QMenu menu(chart);
    menu.setObjectName(QStringLiteral("ChartMenu"));
    auto add = [&menu](const QString& text, const char* name) {
        QAction* action = menu.addAction(text);
        action->setObjectName(QLatin1String(name));
        return action;
    };
    QAction* copyPicture = add(QStringLiteral("Copy Picture"), "miCopyPicture");
    QAction* savePicture = add(QStringLiteral("Save Picture As..."), "miSavePicture");
    QAction* copyData = add(QStringLiteral("Copy Data"), "miCopyData");
    copyData->setEnabled(LastCount() > 0);
    menu.addSeparator();
    QAction* showAngles = add(QStringLiteral("Show Characteristic Angles"), "miShowAngles");
    showAngles->setCheckable(true);
    showAngles->setChecked(ShowsAngles(page));
    menu.addSeparator();
    QAction* resetZoom = add(QStringLiteral("Reset Zoom"), "miResetZoom");
    resetZoom->setEnabled(chart->HasSavedScales() || chart->Zoomed);

    menu_ = &menu;
    QAction* chosen = menu.exec(chart->mapToGlobal(pos));
    menu_ = nullptr;
    if (chosen == copyPicture) {
        CopyPicture(page);
    } else if (chosen == savePicture) {
        SavePictureAs(page);
    } else if (chosen == copyData) {
        CopyData(page);
    } else if (chosen == showAngles) {
        SetShowAngles(page, showAngles->isChecked());
    } else if (chosen == resetZoom) {
        ResetZoom(page);
    }
}

bool TReadingLinks::JumpToSummaryLine(int line) {
    const int page = activePage_();
    if (page < 0 || page >= PageCount() || LastCount() == 0) {
        return false;
    }
    for (const TCharacteristicAngle& angle : Angles()) {
        if (angle.SummaryLine != line) {
            continue;
        }
        const std::vector<double>& stops = Page(page).Chart->CursorStops();
        if (stops.empty()) {
            return false;
        }
        const std::size_t index =
            NearestAscendingIndex(stops.data(), stops.size(), static_cast<double>(angle.Angle));
        // Selecting the row shows the cursor on the chart, as a row the user selects does.
        SelectRow(page, static_cast<int>(index) + 1);
        return true;
    }
    return false;
}

bool TReadingLinks::eventFilter(QObject* watched, QEvent* event) {
    if (watched == summary_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            const QPoint pos = mouse->position().toPoint();
            const QTextCursor at = summary_->cursorForPosition(pos);
            // Below the last line the nearest position is still on it; only the line itself
            // counts.
            QTextCursor end(at.block());
            end.movePosition(QTextCursor::EndOfBlock);
            if (pos.y() <= summary_->cursorRect(end).bottom()) {
                RunGuarded([&] { JumpToSummaryLine(at.blockNumber()); });
            }
        }
    }
    // The summary still selects the word, as a double-click always did.
    return QObject::eventFilter(watched, event);
}
