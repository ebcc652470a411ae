// End to end: the main window's commands and links: Save As through the real dialog and its
// errors, About, the column hints, Edit Graph and Close.
#include "main_window_fixture.h"

namespace {

// Fills the real save dialog's file name field with `path` and accepts it, after checking how
// the window set the dialog up.
struct SeenSaveDialog {
    bool shown = false;
    QString title;
    QString suggestion;
    QStringList filters;
    QString suffix;
};

void SaveThroughDialog(const QString& path, SeenSaveDialog& seen) {
    WhenModalAppears<QFileDialog>([path, &seen](QFileDialog* dialog) {
        seen.shown = true;
        seen.title = dialog->windowTitle();
        seen.filters = dialog->nameFilters();
        seen.suffix = dialog->defaultSuffix();
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        seen.suggestion = name->text();
        name->setText(path);
        QTest::keyClick(name, Qt::Key_Return);
    });
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(MainWindow, SaveAsWritesTheGoldenFileThroughTheRealDialog) {
    TFMain& w = *window;
    click(w.btnPlot);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("reflectance"));

    SeenSaveDialog seen;
    SaveThroughDialog(path, seen);
    click(w.btnSave);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, QStringLiteral("Vitreo-K: Save Reflectance Data in Text File"));
    EXPECT_EQ(seen.suggestion, QStringLiteral("R_Fr(1_00000,0;2_00000,0)"));
    EXPECT_EQ(seen.suffix, QStringLiteral("txt"));
    ASSERT_FALSE(seen.filters.isEmpty());
    EXPECT_TRUE(seen.filters[0].startsWith(QStringLiteral("Text Files (*.txt)")));

    const QByteArray written = readAll(path + QStringLiteral(".txt"));
    const QByteArray golden =
        readAll(QStringLiteral(VK_TEST_DATA_DIR "/workflow/default_reflectance.txt"));
    ASSERT_FALSE(golden.isEmpty());
    EXPECT_EQ(written, golden);

    // The Transmittance page saves its own columns under its own prefix.
    w.resultPages->SetActivePageIndex(1);
    SeenSaveDialog second;
    SaveThroughDialog(folder.filePath(QStringLiteral("t.txt")), second);
    click(w.btnSave);
    EXPECT_EQ(second.suggestion, QStringLiteral("T_Fr(1_00000,0;2_00000,0)"));
    EXPECT_EQ(readAll(folder.filePath(QStringLiteral("t.txt"))),
              readAll(QStringLiteral(VK_TEST_DATA_DIR "/workflow/default_transmittance.txt")));
}

// The message for a folder that does not exist names the missing path, and shows the path as it
// is, tags and all.
TEST_F(MainWindow, AMissingFolderIsReportedAsAPathInPlainText) {
    TFMain& w = *window;
    click(w.btnPlot);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("<b>gone</b>/r.txt"));
    SeenSaveDialog seen;
    SaveThroughDialog(path, seen);
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    WhenModalAppears<QMessageBox>([&](QMessageBox* box) {
        text = box->text();
        format = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->textFormat();
        box->button(QMessageBox::Ok)->click();
    });
    click(w.btnSave);
    EXPECT_EQ(text,
              QStringLiteral("Cannot create file ") + path + QStringLiteral(": Path not found"));
    EXPECT_EQ(format, Qt::PlainText);
}

// The save dialog opens in "data" beside the program, made on the first save; where that cannot
// be written it opens in the documents folder's "Vitreo-K", made on the first save.
TEST_F(MainWindow, TheSaveDialogStartsInAFolderThatCanBeWritten) {
    TFMain& w = *window;
    click(w.btnPlot);
    const QString data = QCoreApplication::applicationDirPath() + QStringLiteral("/data");
    QString opened;
    auto cancelNextDialog = [&opened] {
        WhenModalAppears<QFileDialog>([&opened](QFileDialog* dialog) {
            opened = dialog->directory().absolutePath();
            dialog->reject();
        });
    };
    cancelNextDialog();
    click(w.btnSave);
    EXPECT_EQ(opened, data);
    EXPECT_TRUE(QFileInfo(data).isDir());

    QTemporaryDir home;
    QFile blocker(home.filePath(QStringLiteral("program")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the program folder would be
    blocker.close();
    w.Calculation().SetDataFolder(home.filePath(QStringLiteral("program/data")).toStdString());
    w.Calculation().SetDocumentsFolder(home.filePath(QStringLiteral("Documents")).toStdString());
    cancelNextDialog();
    click(w.btnSave);
    EXPECT_EQ(opened, home.filePath(QStringLiteral("Documents/Vitreo-K")));
    EXPECT_TRUE(QFileInfo(opened).isDir());
}

TEST_F(MainWindow, AWriteFailureIsShownByTheGeneralErrorHandler) {
    TFMain& w = *window;
    click(w.btnPlot);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("full.txt"));

    // A file size limit of 100 bytes makes the export's write fail as a full disk would.
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = previous;
    small.rlim_cur = 100;
    setrlimit(RLIMIT_FSIZE, &small);

    SeenSaveDialog seen;
    SaveThroughDialog(path, seen);
    SeenMessage error;
    CloseNextMessageBox(error);
    click(w.btnSave);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    ASSERT_TRUE(error.shown);
    EXPECT_EQ(error.text, QStringLiteral("I/O error 27."));
    EXPECT_EQ(error.icon, QMessageBox::Critical);
    EXPECT_EQ(error.caption, QStringLiteral("VITREO-K"));
    // The window goes on.
    QApplication::setActiveWindow(&w);
    click(w.edN2->Button(sbUp));
    EXPECT_EQ(w.edN2->text(), shown("2.100"));
    EXPECT_TRUE(memoLines(w.summary)[0].contains(QStringLiteral("n2 = ") + shown("2.10000")))
        << w.summary->toPlainText().toStdString();
}

TEST_F(MainWindow, AboutIsANewWindowEachTime) {
    TFMain& w = *window;
    for (int round = 0; round < 2; ++round) {
        QPointer<TFAbout> seen;
        bool linkKeptItOpen = false;
        WhenModalAppears<TFAbout>([&](TFAbout* modal) {
            seen = modal;
            EXPECT_EQ(seen->windowTitle(), QStringLiteral("About Vitreo-K"));
            EXPECT_EQ(seen->size(), QSize(552, 246));
            ASSERT_FALSE(seen->picture->pixmap().isNull());
            EXPECT_EQ(seen->picture->pixmap().size(), QSize(207, 225));
            EXPECT_EQ(seen->emblem->pixmap().size(), QSize(32, 32));
            EXPECT_EQ(seen->version->text(), QStringLiteral("Version 1.3"));
            EXPECT_EQ(seen->productName->text(), QStringLiteral("Vitreo-K"));
            // Escape does nothing, the link opens the site and leaves the window open.
            QTest::keyClick(seen, Qt::Key_Escape);
            int opened = 0;
            seen->webLink->Opener = [&opened](const QString&) { return ++opened, true; };
            QTest::mouseClick(seen->webLink, Qt::LeftButton);
            linkKeptItOpen = seen->isVisible() && opened == 1;
            QWidget* target = round == 0 ? static_cast<QWidget*>(seen->productName)
                                         : static_cast<QWidget*>(seen->picturePanel);
            QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(5, 5));
        });
        click(w.btnAbout);
        EXPECT_TRUE(linkKeptItOpen);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(seen.isNull()) << "the About window is destroyed when closed";
    }
}

TEST_F(MainWindow, ColumnHintsShowOverTheHeaderRowOnly) {
    TFMain& w = *window;
    TVkStringGrid* grid = w.sgReflectance;
    QWidget* cells = grid->ClientArea();
    const QRect header = grid->CellRect(1, 0);
    QTest::mouseMove(cells, header.center());
    EXPECT_TRUE(grid->ShowHint());
    EXPECT_EQ(grid->Hint(), QStringLiteral("Reflectance for parallel polarization state"));
    QTest::mouseMove(cells, grid->CellRect(4, 3).center());
    EXPECT_FALSE(grid->ShowHint());
    EXPECT_EQ(grid->Hint(), QStringLiteral("Ratio of reflectances for parallel and perpendicular "
                                           "polarization states"));
}

// The column hints open at the next move over a header, also while the pointer keeps moving
// along it, in 11-pixel Tahoma, with the tail at the pointer.
TEST_F(MainWindow, ColumnHintsOpenAtOnceWhileThePointerMoves) {
    TFMain& w = *window;
    EXPECT_EQ(w.balloonHints->HintPause(), 0);
    EXPECT_EQ(w.balloonHints->CenterThreshold(), 0);
    EXPECT_EQ(w.balloonHints->Font().family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(w.balloonHints->Font().pixelSize(), 11);

    TVkHintManager& manager = TVkHintManager::Instance();
    TVkStringGrid* grid = w.sgReflectance;
    QWidget* cells = grid->ClientArea();
    const QRect header = grid->CellRect(1, 0);
    // Moves of a few pixels every 20 ms along the header, as a hand moves the mouse.
    bool opened = false;
    for (int step = 0; step < 8 && !opened; ++step) {
        QTest::mouseMove(cells, header.topLeft() + QPoint(4 + 3 * step, header.height() / 2));
        QTest::qWait(20);
        opened = manager.HintWindow() != nullptr && manager.HintWindow()->isVisible();
    }
    ASSERT_TRUE(opened);
    auto* balloon = dynamic_cast<TVkCustomHintWindow*>(manager.HintWindow());
    ASSERT_NE(balloon, nullptr);
    EXPECT_EQ(balloon->HintText(), QStringLiteral("Reflectance for parallel polarization state"));
    EXPECT_EQ(balloon->Settings().Font.pixelSize(), 11);
    EXPECT_EQ(balloon->Anchor(), QCursor::pos());
    manager.CancelHint();
}

TEST_F(MainWindow, EditGraphOpensTheChartEditorOfItsPage) {
    TFMain& w = *window;
    click(w.btnPlot);
    const std::pair<TVkURLLabel*, TChart*> links[] = {{w.reflectanceEditLink, w.chReflectance},
                                                      {w.transmittanceEditLink, w.chTransmittance},
                                                      {w.polarizationEditLink, w.chPolarization},
                                                      {w.phaseEditLink, w.chPhase}};
    for (int page = 0; page < 4; ++page) {
        const auto [link, chart] = links[page];
        w.resultPages->SetActivePageIndex(page);
        QString title;
        WhenModalAppears<QDialog>([&title](QDialog* editor) {
            title = editor->windowTitle();
            editor->reject();
        });
        QTest::mouseClick(link, Qt::LeftButton);
        EXPECT_EQ(title, QStringLiteral("Edit Graph"));
        EXPECT_EQ(w.chartEditor->Chart(), chart) << page;
    }
}

TEST_F(MainWindow, CloseEndsTheEventLoop) {
    TFMain& w = *window;
    QTimer::singleShot(0, &w, [&w] { QTest::mouseClick(w.btnClose, Qt::LeftButton); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(w.isVisible());
}

} // namespace
