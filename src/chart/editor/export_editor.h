#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>
#include <functional>

#include "chart/editor/chart_data_export.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class TChart;

// The editor's "Export" tab: "Picture" (PNG, BMP, SVG at a chosen size) and "Data" ("Text",
// "XML", "HTML Table", "Excel" with the delimiter, quote and include options), and the buttons
// "&Copy" (clipboard), "&Save..." (file) and "S&end..." (a saved file handed to the mail
// program). The work is done by the exporters of chart_data_export.h.
class TExportTab : public QWidget {
    Q_OBJECT
public:
    TExportTab(TChart& chart, QWidget* parent);

    QTabWidget* Tabs() const { return tabs_; }
    // The choices of the two pages as the exporters take them.
    TPictureFormat PictureFormat() const;
    QSize PictureSize() const;
    TDataExportOptions DataOptions() const;
    bool PictureSelected() const;

    // The three buttons' actions. Save and Send return the written file ("" when cancelled or
    // failed; failures are shown to the user).
    void CopyToClipboard();
    QString SaveToFile();
    QString SendByMail();

    // The controls, for the tests.
    QComboBox* pictureFormat;
    QSpinBox* pictureWidth;
    QSpinBox* pictureHeight;
    QCheckBox* keepAspect;
    QRadioButton* dataFormats[4];
    QComboBox* seriesChoice;
    QComboBox* delimiter;
    QLineEdit* customDelimiter;
    QLineEdit* textQuotes;
    QCheckBox* includeLabels;
    QCheckBox* includeIndex;
    QCheckBox* includeHeader;
    QCheckBox* includeColors;

private:
    // Writes the current export to `path`; false (after telling the user) on failure.
    bool WriteFile(const QString& path);
    QString Suffix() const;

    TChart& chart_;
    QTabWidget* tabs_;
};

// Dialog and desktop services of the tab; tests replace them. SaveFileName returns "" on
// cancel; OpenUrl is QDesktopServices::openUrl.
extern std::function<QString(QWidget* parent, const QString& caption, const QString& filter,
                             const QString& suffix)>
    ExportSaveFileName;
extern std::function<bool(const QUrl& url)> ExportOpenUrl;

// The mailto: address that hands `file` to the mail program as an attachment.
QUrl MailUrlForAttachment(const QString& file, const QString& subject);
