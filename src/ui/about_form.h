#pragma once

#include <QDialog>

class QLabel;
class TVkLabel;
class TVkPanel;
class TVkURLLabel;

// The About window: the product name, what the program computes, the emblem, the version and
// the web link beside a decorative picture. The main window builds a new one for every showing;
// a click anywhere but on the link closes it, and it destroys itself when closed.
class TFAbout : public QDialog {
    Q_OBJECT
public:
    explicit TFAbout(QWidget* owner);

    TVkPanel* VkPanel1 = nullptr;
    QLabel* Image1 = nullptr;
    TVkLabel* VkLabel1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* Label4 = nullptr;
    TVkURLLabel* VkURLLabel1 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void closesOnClick(QWidget* element);
};
