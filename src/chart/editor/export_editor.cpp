#include "chart/editor/export_editor.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QUrlQuery>
#include <QVBoxLayout>
#include <memory>

#include "chart/chart.h"
#include "chart/editor/chart_editor.h"
#include "chart/editor/editor_controls.h"
#include "chart/editor/editor_pages.h"

std::function<QString(QWidget*, const QString&, const QString&, const QString&)>
    ExportSaveFileName =
        [](QWidget* parent, const QString& caption, const QString& filter, const QString& suffix) {
            QFileDialog dialog(parent, caption, QString(), filter);
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            dialog.setDefaultSuffix(suffix);
            dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
            if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
                return QString();
            }
            return dialog.selectedFiles().first();
        };

std::function<bool(const QUrl&)> ExportOpenUrl = [](const QUrl& url) {
    return QDesktopServices::openUrl(url);
};

QUrl MailUrlForAttachment(const QString& file, const QString& subject) {
    QUrl url(QStringLiteral("mailto:"));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("subject"), subject);
    // "attachment" is understood by the common desktop mail programs (Thunderbird, Evolution,
    // KMail); others open the message without it.
    query.addQueryItem(QStringLiteral("attachment"), QUrl::fromLocalFile(file).toString());
    url.setQuery(query);
    return url;
}

namespace {

const char* const kDataFormatNames[] = {"Text", "XML", "HTML Table", "Excel"};

} // namespace

TExportTab::TExportTab(TChart& chart, QWidget* parent)
    : QWidget(parent), chart_(chart), tabs_(new QTabWidget(this)) {
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(4, 4, 4, 4);
    v->addWidget(tabs_, 1);

    // ---- Picture
    auto* picture = new QWidget(tabs_);
    auto* pf = new QFormLayout(picture);
    pictureFormat = new QComboBox(picture);
    pictureFormat->addItems({QStringLiteral("PNG bitmap"), QStringLiteral("BMP bitmap"),
                             QStringLiteral("SVG metafile")});
    pf->addRow(QStringLiteral("Format:"), pictureFormat);
    pictureWidth = new QSpinBox(picture);
    pictureHeight = new QSpinBox(picture);
    for (QSpinBox* s : {pictureWidth, pictureHeight}) {
        s->setRange(16, 10000);
    }
    pictureWidth->setValue(std::max(chart.width(), 16));
    pictureHeight->setValue(std::max(chart.height(), 16));
    pf->addRow(QStringLiteral("Width:"), pictureWidth);
    pf->addRow(QStringLiteral("Height:"), pictureHeight);
    keepAspect = new QCheckBox(QStringLiteral("&Keep aspect ratio"), picture);
    keepAspect->setChecked(true);
    pf->addRow(keepAspect);
    // With the aspect kept, a new width sets the height in the chart's own proportion.
    connect(pictureWidth, &QSpinBox::valueChanged, this, [this](int w) {
        if (keepAspect->isChecked() && chart_.width() > 0) {
            const QSignalBlocker block(pictureHeight);
            pictureHeight->setValue(std::max(
                16, static_cast<int>(std::lround(1.0 * w * chart_.height() / chart_.width()))));
        }
    });
    connect(pictureHeight, &QSpinBox::valueChanged, this, [this](int h) {
        if (keepAspect->isChecked() && chart_.height() > 0) {
            const QSignalBlocker block(pictureWidth);
            pictureWidth->setValue(std::max(
                16, static_cast<int>(std::lround(1.0 * h * chart_.width() / chart_.height()))));
        }
    });
    tabs_->addTab(picture, QStringLiteral("Picture"));

    // ---- Data
    // One form, the formats on one line and the include switches two by two, so that the page
    // fits the dialog's first size.
    auto* data = new QWidget(tabs_);
    auto* form = new QFormLayout(data);
    auto* formatRow = new QHBoxLayout;
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        dataFormats[i] = new QRadioButton(QString::fromLatin1(kDataFormatNames[i]), data);
        group->addButton(dataFormats[i], i);
        formatRow->addWidget(dataFormats[i]);
    }
    formatRow->addStretch(1);
    dataFormats[0]->setChecked(true);
    form->addRow(QStringLiteral("Format:"), formatRow);

    auto* include = new QGridLayout;
    includeLabels = new QCheckBox(QStringLiteral("Point &Labels"), data);
    includeIndex = new QCheckBox(QStringLiteral("Point &Index"), data);
    includeHeader = new QCheckBox(QStringLiteral("&Header"), data);
    includeColors = new QCheckBox(QStringLiteral("Point Colo&rs"), data);
    includeLabels->setChecked(true);
    includeHeader->setChecked(true);
    int at = 0;
    for (QCheckBox* c : {includeLabels, includeIndex, includeHeader, includeColors}) {
        include->addWidget(c, at / 2, at % 2);
        ++at;
    }
    form->addRow(QStringLiteral("Include:"), include);

    seriesChoice = new QComboBox(data);
    seriesChoice->addItem(QStringLiteral("(All)"));
    for (int i = 0; i < chart.NumberOfSeries(); ++i) {
        seriesChoice->addItem(EditorText(chart.SeriesAtPosition(i).LegendText()).trimmed());
    }
    form->addRow(QStringLiteral("Series:"), seriesChoice);
    delimiter = new QComboBox(data);
    delimiter->addItems({QStringLiteral("Space"), QStringLiteral("Tab"), QStringLiteral("Comma"),
                         QStringLiteral("Colon"), QStringLiteral("Custom")});
    delimiter->setCurrentIndex(1);
    customDelimiter = new QLineEdit(data);
    customDelimiter->setMaximumWidth(40);
    customDelimiter->setEnabled(false);
    textQuotes = new QLineEdit(data);
    textQuotes->setMaximumWidth(40);
    auto* delimiterRow = new QHBoxLayout;
    delimiterRow->addWidget(delimiter, 1);
    delimiterRow->addWidget(customDelimiter);
    auto* quotesLabel = new QLabel(QStringLiteral("Text &Quotes:"), data);
    quotesLabel->setBuddy(textQuotes);
    delimiterRow->addWidget(quotesLabel);
    delimiterRow->addWidget(textQuotes);
    form->addRow(QStringLiteral("Delimiter:"), delimiterRow);
    // A disabled choice says what it waits for.
    auto updateTextOptions = [this] {
        const bool text = dataFormats[0]->isChecked();
        const QString onlyText = QStringLiteral("Only the Text format has delimiters and quotes");
        delimiter->setEnabled(text);
        delimiter->setToolTip(text ? QString() : onlyText);
        customDelimiter->setEnabled(text && delimiter->currentIndex() == 4);
        customDelimiter->setToolTip(!text ? onlyText
                                    : delimiter->currentIndex() != 4
                                        ? QStringLiteral("Choose Custom to type a delimiter")
                                        : QString());
        textQuotes->setEnabled(text);
        textQuotes->setToolTip(text ? QString() : onlyText);
        includeHeader->setEnabled(!dataFormats[1]->isChecked());
        includeHeader->setToolTip(dataFormats[1]->isChecked()
                                      ? QStringLiteral("XML names every value by its own tags")
                                      : QString());
    };
    connect(group, &QButtonGroup::idToggled, this, updateTextOptions);
    connect(delimiter, &QComboBox::currentIndexChanged, this, updateTextOptions);
    updateTextOptions();
    tabs_->addTab(data, QStringLiteral("Data"));

    // ---- buttons
    auto* buttons = new QHBoxLayout;
    auto* copy = new QPushButton(QStringLiteral("&Copy"), this);
    auto* save = new QPushButton(QStringLiteral("&Save..."), this);
    auto* send = new QPushButton(QStringLiteral("S&end..."), this);
    connect(copy, &QPushButton::clicked, this, [this] { CopyToClipboard(); });
    connect(save, &QPushButton::clicked, this, [this] { SaveToFile(); });
    connect(send, &QPushButton::clicked, this, [this] { SendByMail(); });
    // Excel workbooks are files; the clipboard takes the other formats.
    auto updateCopy = [this, copy] {
        const bool can = PictureSelected() || !dataFormats[3]->isChecked();
        copy->setEnabled(can);
        copy->setToolTip(can ? QString()
                             : QStringLiteral("An Excel workbook is a file: save it instead"));
    };
    connect(group, &QButtonGroup::idToggled, this, updateCopy);
    connect(tabs_, &QTabWidget::currentChanged, this, updateCopy);
    buttons->addStretch(1);
    buttons->addWidget(copy);
    buttons->addWidget(save);
    buttons->addWidget(send);
    v->addLayout(buttons);
}

bool TExportTab::PictureSelected() const {
    return tabs_->currentIndex() == 0;
}

TPictureFormat TExportTab::PictureFormat() const {
    return static_cast<TPictureFormat>(std::max(pictureFormat->currentIndex(), 0));
}

QSize TExportTab::PictureSize() const {
    return {pictureWidth->value(), pictureHeight->value()};
}

TDataExportOptions TExportTab::DataOptions() const {
    TDataExportOptions o;
    for (int i = 0; i < 4; ++i) {
        if (dataFormats[i]->isChecked()) {
            o.Format = static_cast<TDataExportFormat>(i);
        }
    }
    o.Delimiter = DelimiterByName(EditorString(delimiter->currentText()),
                                  EditorString(customDelimiter->text()));
    o.TextQuotes = EditorString(textQuotes->text());
    o.IncludeLabels = includeLabels->isChecked();
    o.IncludeIndex = includeIndex->isChecked();
    o.IncludeHeader = includeHeader->isChecked();
    o.IncludeColors = includeColors->isChecked();
    const int s = seriesChoice->currentIndex() - 1;
    o.Series = s >= 0 && s < chart_.NumberOfSeries() ? &chart_.SeriesAtPosition(s) : nullptr;
    return o;
}

QString TExportTab::Suffix() const {
    if (PictureSelected()) {
        return PictureSuffix(PictureFormat());
    }
    switch (DataOptions().Format) {
    case TDataExportFormat::XML:
        return QStringLiteral("xml");
    case TDataExportFormat::HTML:
        return QStringLiteral("htm");
    case TDataExportFormat::Excel:
        return QStringLiteral("xlsx");
    default:
        return QStringLiteral("txt");
    }
}

void TExportTab::CopyToClipboard() {
    QClipboard* clipboard = QApplication::clipboard();
    if (PictureSelected()) {
        // The chosen format for the programs that take it, and the bitmap for every other.
        auto mime = std::make_unique<QMimeData>();
        if (PictureFormat() == TPictureFormat::SVG) {
            try {
                mime->setData(QStringLiteral("image/svg+xml"),
                              ExportPicture(chart_, TPictureFormat::SVG, PictureSize()));
            } catch (const std::exception& e) {
                ChartEditorMessage(this, QString::fromUtf8(e.what()));
                return;
            }
        }
        mime->setImageData(RenderChartImage(chart_, PictureSize()));
        clipboard->setMimeData(mime.release());
        return;
    }
    const TDataExportOptions options = DataOptions();
    if (options.Format == TDataExportFormat::Excel) {
        return;
    }
    const QString text = EditorText(ExportData(chart_, options));
    if (options.Format == TDataExportFormat::HTML) {
        auto* mime = new QMimeData;
        mime->setHtml(text);
        mime->setText(text);
        clipboard->setMimeData(mime);
    } else {
        clipboard->setText(text);
    }
}

bool TExportTab::WriteFile(const QString& path) {
    try {
        if (!PictureSelected() && DataOptions().Format == TDataExportFormat::Excel) {
            ExportDataExcel(chart_, DataOptions(), EditorString(path));
            return true;
        }
        // Encoded in full before the file is touched: a picture that cannot be encoded leaves
        // no file behind (and an existing one as it was).
        const QByteArray bytes = PictureSelected()
                                     ? ExportPicture(chart_, PictureFormat(), PictureSize())
                                     : QByteArray::fromStdString(ExportData(chart_, DataOptions()));
        // Written beside the target and put in its place only when complete.
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
            !file.commit()) {
            const QString reason = file.errorString();
            file.cancelWriting();
            ChartEditorMessage(
                this,
                QStringLiteral("Cannot write %1: %2").arg(QDir::toNativeSeparators(path), reason));
            return false;
        }
        return true;
    } catch (const std::exception& e) {
        ChartEditorMessage(this, QString::fromUtf8(e.what()));
        return false;
    }
}

QString TExportTab::SaveToFile() {
    const QString suffix = Suffix();
    const QString filter = QStringLiteral("%1 files (*.%2)").arg(suffix.toUpper(), suffix);
    const QString path = ExportSaveFileName(this, QStringLiteral("Save As"), filter, suffix);
    if (path.isEmpty()) {
        return {};
    }
    return WriteFile(path) ? path : QString();
}

QString TExportTab::SendByMail() {
    // The attachment must outlive this call: the mail program reads it later.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::TempLocation) +
                           QStringLiteral("/vitreo-k");
    QDir().mkpath(folder);
    const QString base = chart_.Name.empty() ? QStringLiteral("chart") : EditorText(chart_.Name);
    const QString path = folder + QLatin1Char('/') + base + QLatin1Char('.') + Suffix();
    if (!WriteFile(path)) {
        return {};
    }
    if (!ExportOpenUrl(MailUrlForAttachment(path, base))) {
        ChartEditorMessage(this,
                           QStringLiteral("No mail program could be started. The file was saved "
                                          "as %1; attach it to a message yourself.")
                               .arg(QDir::toNativeSeparators(path)));
    }
    return path;
}

QWidget* CreateExportTab(TChart& chart, QWidget* parent, bool hideNative) {
    // This chart has no file format of its own, so there is no "Native" page to show either way.
    (void)hideNative;
    return new TExportTab(chart, parent);
}
