#pragma once

#include <QDialog>

class QLabel;
class TVkLabel;
class TVkPanel;
class TVkURLLabel;

// The About window: the product name, what the program computes, the emblem, the version and
// the web link beside a decorative picture. The main window builds a new one for every showing;
// a click anywhere but on the link closes it, and it destroys itself when closed. Every widget
// keeps the name it had when the window was designed (noted beside its member) as its objectName.
class TFAbout : public QDialog {
    Q_OBJECT
public:
    explicit TFAbout(QWidget* owner);

    TVkPanel* picturePanel = nullptr; // VkPanel1
    QLabel* picture = nullptr;        // Image1
    TVkLabel* productName = nullptr;  // VkLabel1
    QLabel* description = nullptr;    // Label3
    QLabel* emblem = nullptr;         // Image2
    QLabel* version = nullptr;        // Label4
    TVkURLLabel* webLink = nullptr;   // VkURLLabel1

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void closesOnClick(QWidget* element);
};
