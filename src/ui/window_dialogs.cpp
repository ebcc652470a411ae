#include "ui/window_dialogs.h"

#include "ui/application.h"

#include <QFileDialog>
#include <QMessageBox>

void TWindowDialogs::ShowMessage(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, kApplicationTitle, QString::fromStdString(text),
                    QMessageBox::Ok, owner_);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

QStringList SaveDialogNameFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString caption = parts[i];
        QString pattern = parts[i + 1];
        if (pattern == QLatin1String("*.*")) {
            pattern = QStringLiteral("*");
        }
        // The caption shows its patterns in parentheses; the dialog filters by what is there.
        const qsizetype open = caption.lastIndexOf(QLatin1Char('('));
        if (open >= 0) {
            caption = caption.left(open).trimmed();
        }
        filters << QStringLiteral("%1 (%2)").arg(caption, QString(pattern).replace(';', ' '));
    }
    return filters;
}

std::string TWindowDialogs::PromptSaveFileName(const TSaveDialogRequest& request) {
    QFileDialog dialog(owner_, QString::fromStdString(request.Title));
    dialog.setObjectName(QStringLiteral("SaveDialog"));
    // Qt's own dialog looks and behaves the same on every desktop.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.OverwritePrompt);
    dialog.setSizeGripEnabled(request.EnableSizing);
    const QStringList filters = SaveDialogNameFilters(request.Filter);
    dialog.setNameFilters(filters);
    if (request.FilterIndex >= 1 && request.FilterIndex <= filters.size()) {
        dialog.selectNameFilter(filters[request.FilterIndex - 1]);
    }
    dialog.setDefaultSuffix(QString::fromStdString(request.DefaultExt));
    dialog.setDirectory(QString::fromStdString(request.InitialDir));
    dialog.selectFile(QString::fromStdString(request.FileName));
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? std::string() : chosen.first().toStdString();
}
