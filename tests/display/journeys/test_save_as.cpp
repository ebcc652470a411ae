// Save As through the real save dialog on each page: the file equals its golden file; a folder
// that does not exist and a folder that may not be written give their messages, and the window
// goes on.
#include "journey.h"

#include "../../support/obey_file_permissions.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>

namespace journey {
namespace {

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray Golden(const char* name) {
    return ReadFile(QStringLiteral(VK_TEST_DATA_DIR "/workflow/") + QLatin1String(name));
}

// What the save dialog showed before it was filled in.
struct SeenDialog {
    bool shown = false;
    QString title;
    QString suggestion;
    QString suffix;
    QStringList filters;
    QString folder;
    bool asked = false; // the dialog asked before replacing a file
};

class SaveAs : public Journey {
protected:
    // Arms the next save dialog: notes how it was set up, types `path` (without an extension)
    // over the suggested name and presses Enter. `confirm` answers a question of the dialog's own
    // (the file exists) with Yes.
    void FillNextSaveDialog(const QString& path, SeenDialog& seen, bool confirm = false) {
        WhenModalIs<QFileDialog>([this, path, &seen, confirm](QFileDialog* dialog) {
            seen.shown = true;
            seen.title = dialog->windowTitle();
            seen.suffix = dialog->defaultSuffix();
            seen.filters = dialog->nameFilters();
            seen.folder = dialog->directory().absolutePath();
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            seen.suggestion = name->text();
            x.Click(name);
            x.Key(Qt::Key_A, Qt::ControlModifier);
            x.Type(path);
            if (confirm) {
                WhenModalIs<QMessageBox>([this, &seen](QMessageBox* question) {
                    seen.asked = true;
                    QAbstractButton* yes = question->button(QMessageBox::Yes);
                    ASSERT_NE(yes, nullptr) << question->text().toStdString();
                    x.Click(yes);
                });
            }
            // The name field's completion list may open after the typing (it reads the folder
            // in the background) and then takes the first Enter for itself.
            for (int i = 0; i < 3 && dialog->isVisible(); ++i) {
                x.Key(Qt::Key_Return);
                vkx::WaitUntil([dialog] { return !dialog->isVisible(); }, 1000);
            }
            EXPECT_FALSE(dialog->isVisible()) << "Enter saves";
        });
    }

    void TypeMedia(const char* n1, const char* k1, const char* n2, const char* k2) {
        TVkSpinEdit* fields[] = {W().edN1, W().edK1, W().edN2, W().edK2};
        const char* texts[] = {n1, k1, n2, k2};
        for (int i = 0; i < 4; ++i) {
            if (texts[i]) {
                TypeOver(fields[i], QString::fromLatin1(texts[i]));
            }
        }
    }

    void ShowPage(int page) {
        x.Click(W().resultPages, W().resultPages->TabRect(page).center());
        ASSERT_EQ(W().resultPages->ActivePageIndex(), page);
    }

    QTemporaryDir folder;
};

struct SaveCase {
    const char* name;
    int page;
    const char *n1, *k1, *n2, *k2; // typed over the layout's values; null keeps a value
    const char* what;
    const char* suggestion;
    const char* golden;
};

std::ostream& operator<<(std::ostream& out, const SaveCase& c) {
    return out << c.name;
}

const SaveCase kSaves[] = {
    {"DefaultReflectance", 0, nullptr, nullptr, nullptr, nullptr, "Reflectance Data",
     "R_Fr(1_00000,0;2_00000,0)", "default_reflectance.txt"},
    {"DefaultTransmittance", 1, nullptr, nullptr, nullptr, nullptr, "Transmittance Data",
     "T_Fr(1_00000,0;2_00000,0)", "default_transmittance.txt"},
    {"DefaultPolarization", 2, nullptr, nullptr, nullptr, nullptr, "Polarization Data",
     "P_Fr(1_00000,0;2_00000,0)", "default_polarization.txt"},
    {"AbsorbingMediumReflectance", 0, nullptr, nullptr, nullptr, "1", "Reflectance Data",
     "R_Fr(1_00000,0;2_00000,1)", "absorbing_reflectance.txt"},
    {"CriticalPairPolarization", 2, "1.5", nullptr, "1", nullptr, "Polarization Data",
     "P_Fr(1_50000,0;1_00000,0)", "critical_polarization.txt"},
    {"IdenticalMediaPolarization", 2, "1.5", nullptr, "1.5", nullptr, "Polarization Data",
     "P_Fr(1_50000,0;1_50000,0)", "identical_polarization.txt"},
    {"DefaultPhase", 3, nullptr, nullptr, nullptr, nullptr, "Phase Data",
     "Ph_Fr(1_00000,0;2_00000,0)", "default_phase.txt"},
};

class SaveEachPage : public SaveAs, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SaveEachPage, TheFileEqualsItsGoldenFile) {
    const SaveCase& c = GetParam();
    MessageBoxWatch boxes(-1);
    TypeMedia(c.n1, c.k1, c.n2, c.k2);
    x.Click(W().btnPlot);
    ShowPage(c.page);
    const QByteArray golden = Golden(c.golden);
    ASSERT_FALSE(golden.isEmpty()) << c.golden;

    // A name without extension gets ".txt".
    const QString path = folder.filePath(QStringLiteral("saved"));
    SeenDialog seen;
    FillNextSaveDialog(path, seen);
    x.Click(W().btnSave);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, QStringLiteral("Vitreo-K: Save %1 in Text File").arg(c.what));
    EXPECT_EQ(seen.suggestion, QLatin1String(c.suggestion));
    EXPECT_EQ(seen.suffix, QStringLiteral("txt"));
    ASSERT_FALSE(seen.filters.isEmpty());
    EXPECT_TRUE(seen.filters[0].startsWith(QStringLiteral("Text Files (*.txt)")));
    EXPECT_EQ(ReadFile(path + QStringLiteral(".txt")), golden);

    // The same name again: the dialog asks before it replaces the file, which is then wholly new.
    {
        QFile old(path + QStringLiteral(".txt"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly | QIODevice::Truncate));
        old.write(QByteArray(20000, '#'));
    }
    SeenDialog again;
    FillNextSaveDialog(path, again, true);
    x.Click(W().btnSave);
    EXPECT_EQ(ReadFile(path + QStringLiteral(".txt")), golden);
    for (const SeenBox& box : boxes.Boxes()) {
        EXPECT_NE(box.caption, QStringLiteral("VITREO-K")) << "no message of the program";
    }
    EXPECT_TRUE(again.asked);
}

INSTANTIATE_TEST_SUITE_P(Pages, SaveEachPage, ::testing::ValuesIn(kSaves),
                         [](const auto& info) { return std::string(info.param.name); });

// Saves into `path` through the dialog and returns the message the program showed; the window
// must take input again afterwards.
class SaveRefused : public SaveAs {
protected:
    SeenBox SaveAndReadMessage(const QString& path) {
        SeenBox message;
        bool shown = false;
        WhenModalIs<QMessageBox>([this, &message, &shown](QMessageBox* box) {
            shown = true;
            message = {box->windowTitle(), box->text(), box->icon()};
            x.Click(box->button(QMessageBox::Ok));
        });
        SeenDialog seen;
        FillNextSaveDialog(path, seen);
        x.Click(W().btnSave);
        EXPECT_TRUE(seen.shown);
        EXPECT_TRUE(shown) << "a message tells why nothing was saved";
        return message;
    }

    void ExpectTheWindowGoesOn() {
        ASSERT_TRUE(vkx::Activate(window.get()));
        const int before = runs->Count();
        x.Click(UpButton(W().edN2));
        EXPECT_EQ(W().edN2->text(), Shown("2.100"));
        EXPECT_EQ(runs->Count(), before + 1);
        EXPECT_TRUE(Summary()[0].contains(QStringLiteral("n2 = ") + Shown("2.10000")));
    }
};

TEST_F(SaveRefused, AFolderThatMayNotBeWrittenSaysFileAccessDenied) {
    x.Click(W().btnPlot);
    const QString readOnly = folder.filePath(QStringLiteral("read-only"));
    ASSERT_TRUE(QDir().mkdir(readOnly));
    ASSERT_TRUE(QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ExeOwner |
                                                    QFile::ReadGroup | QFile::ExeGroup));
    const QString path = readOnly + QStringLiteral("/r.txt");
    SeenBox message;
    {
        // Root writes into any folder; without these capabilities it obeys the bits as a user.
        ObeyFilePermissions asAnyUser;
        QFile probe(readOnly + QStringLiteral("/probe"));
        ASSERT_FALSE(probe.open(QIODevice::WriteOnly)) << "the folder refuses new files";
        message = SaveAndReadMessage(readOnly + QStringLiteral("/r"));
    }
    EXPECT_EQ(message.text, QStringLiteral("Cannot create file %1: File access denied").arg(path));
    EXPECT_EQ(message.caption, QStringLiteral("VITREO-K"));
    EXPECT_FALSE(QFile::exists(path));
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ExpectTheWindowGoesOn();
}

TEST_F(SaveRefused, AFolderThatDoesNotExistSaysPathNotFound) {
    x.Click(W().btnPlot);
    const QString path = folder.filePath(QStringLiteral("missing/r.txt"));
    const SeenBox message = SaveAndReadMessage(folder.filePath(QStringLiteral("missing/r")));
    EXPECT_EQ(message.text, QStringLiteral("Cannot create file %1: Path not found").arg(path));
    EXPECT_EQ(message.caption, QStringLiteral("VITREO-K"));
    EXPECT_FALSE(QFile::exists(path));
    ExpectTheWindowGoesOn();
}

TEST_F(SaveAs, TheDialogStartsInTheDataFolderBesideTheProgram) {
    x.Click(W().btnPlot);
    const QString data =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("data"));
    SeenDialog seen;
    WhenModalIs<QFileDialog>([this, &seen](QFileDialog* dialog) {
        seen.shown = true;
        seen.folder = dialog->directory().absolutePath();
        x.Key(Qt::Key_Escape);
        EXPECT_FALSE(dialog->isVisible()) << "Escape cancels";
    });
    MessageBoxWatch boxes;
    x.Click(W().btnSave);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(boxes.Count(), 0) << "a cancelled save says nothing";
    EXPECT_EQ(seen.folder, QDir(data).absolutePath());
    EXPECT_TRUE(QDir(data).exists()) << "made for the first save";
}

} // namespace
} // namespace journey
