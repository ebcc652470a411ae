#pragma once

#include "workflow/ports.h"

#include <QPointer>
#include <QWidget>

// The workflow's modal dialogs on the real desktop: plain message boxes captioned "VITREO-K"
// with no icon, and the save-file dialog set up as the workflow asks.
class TWindowDialogs : public DialogPort {
public:
    explicit TWindowDialogs(QWidget* owner) : owner_(owner) {}

    void ShowMessage(const std::string& text) override;
    std::string PromptSaveFileName(const TSaveDialogRequest& request) override;

private:
    QPointer<QWidget> owner_;
};

// "Text Files (*.txt)|*.txt|All Files (*.*)|*.*" as the save dialog's name filters. "*.*" becomes
// "*", which on this system also matches the many files whose names have no extension.
QStringList SaveDialogNameFilters(const std::string& filter);
