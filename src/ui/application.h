#pragma once

#include <QApplication>
#include <QString>

#include <exception>

// The program's application object. Its notify() is the general error handler: an exception
// that escapes an event handler is shown to the user in an error box and the program goes on
// with the next event. It also keeps the number text's separators in step with the locale.
class TVkApplication : public QApplication {
public:
    TVkApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// "VITREO-K": the caption of every message box and the name of the program's task-bar button.
inline const QString kApplicationTitle = QStringLiteral("VITREO-K");

// Start-up before the application object exists: the number text's separators from the locale
// and no pixel-density scaling (the window's layout counts pixels). Tests and benchmarks ask for
// the offscreen platform unless one is chosen.
void PrepareApplicationStart(bool offscreenByDefault = false);

// Start-up steps that need the application object: title, icon, style, font names.
void InitializeApplication(QApplication& app);

// Copies the decimal and thousands separators of the system locale into the number text layer.
void ApplySystemLocaleSeparators();

// Shows the message of an escaped error: an error box captioned with the application title; a
// '.' is appended when the message's last character sorts after '.'.
void ShowErrorMessage(const QString& message);

// Shows an escaped exception through ShowErrorMessage.
void ReportException(const std::exception& error);
void ReportUnknownException();

// Runs `handler` and routes any exception it throws to the general error handler, so that a
// handler connected to a signal never unwinds through the toolkit's own frames.
template <typename Handler> void RunGuarded(Handler&& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        ReportException(error);
    } catch (...) {
        ReportUnknownException();
    }
}

// The program's icon in all its drawn sizes.
class QIcon;
QIcon ProgramIcon();
