// The smaller windows: page margins, the directory chooser, the transfer progress window,
// the file dialog filters and the profile values of the text windows.

#include "platform/profile.h"
#include "support/test_files.h"
#include "ui/page_setup.h"
#include "ui/path_chooser_dialog.h"
#include "ui/qt_user_interface.h"
#include "ui/transfer_progress_dialog.h"

#include <QApplication>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <filesystem>

namespace zv {

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void marginsAreShownInMillimetresAndStoredBackUnchanged() {
        PageSetupDialog dialog(PrintMargins{});
        QCOMPARE(dialog.leftBox()->text(),
                 QString("21.2 mm").replace('.', QLocale().decimalPoint()));
        QCOMPARE(dialog.leftBox()->value(), 21.2);
        for (const QDoubleSpinBox* box : {dialog.topBox(), dialog.rightBox(), dialog.bottomBox()}) {
            QCOMPARE(box->value(), 12.7);
        }
        QCOMPARE(dialog.margins(), (PrintMargins{1200, 720, 720, 720}));
        dialog.topBox()->setValue(25.0);
        QCOMPARE(dialog.margins().top, 1420); // 2500 * 1000 / 1763 = 1418.0 -> 1420
    }

    void twipConversionsRoundHalvesAwayFromZero() {
        struct Case {
            int twips;
            int dialog;
            int back;
        };
        const Case cases[] = {
            {1200, 2120, 1200}, {720, 1270, 720},    {0, 0, 0},          {1, 0, 0},
            {3, 10, 10},        {-720, -1270, -720}, {1440, 2540, 1440}, {284, 500, 280},
        };
        for (const Case& c : cases) {
            QCOMPARE(twipsToDialogUnits(c.twips), c.dialog);
            QCOMPARE(dialogUnitsToTwips(c.dialog), c.back);
        }
        QCOMPARE(mulDivRounded(5, 1, 2), 3);
        QCOMPARE(mulDivRounded(-5, 1, 2), -3);
        QCOMPARE(roundToTens(15), 20);
        QCOMPARE(roundToTens(-15), -20);
        QCOMPARE(roundToTens(14), 10);
    }

    void thePathChooserWalksAndMovesTheCurrentDirectory() {
        const QString before = QDir::currentPath();
        test::TempDir dir;
        std::filesystem::create_directories(dir.path() / "b" / "inner");
        std::filesystem::create_directories(dir.path() / "A");
        test::writeBytes(dir.path() / "file.txt", "");
        const QString root =
            QString::fromStdString(std::filesystem::canonical(dir.path()).string());
        QVERIFY(QDir::setCurrent(root));
        {
            CPathChooserDialog chooser("Pfad zu den Zv-Routen wählen");
            QCOMPARE(chooser.windowTitle(), QString("Pfad zu den Zv-Routen wählen"));
            QCOMPARE(chooser.entries(), QStringList({"..", "A", "b"}));
            QCOMPARE(chooser.chosenPath(), root);
            chooser.activateEntry("b");
            QCOMPARE(chooser.chosenPath(), root + "/b");
            QCOMPARE(chooser.entries(), QStringList({"..", "inner"}));
            chooser.activateEntry("..");
            QCOMPARE(chooser.chosenPath(), root);
            chooser.chooseDrive("/");
            QCOMPARE(chooser.chosenPath(), QString("/"));
            QVERIFY(!chooser.entries().contains(".."));
        }
        // The chooser leaves the current directory where it went.
        QCOMPARE(QDir::currentPath(), QString("/"));
        QVERIFY(QDir::setCurrent(before));

        QCOMPARE(enterDirectory("/", "tmp"), QString("/tmp"));
        QCOMPARE(enterDirectory("/tmp", "a"), QString("/tmp/a"));
        QCOMPARE(enterDirectory("/tmp/a", ".."), QString("/tmp"));
        QCOMPARE(enterDirectory("/", ".."), QString("/"));
        QCOMPARE(enterDirectory("/" + QString(250, 'x'), "toolong").size(), 259);
        QCOMPARE(enterDirectory("/" + QString(251, 'x'), "toolong"), QString());
        QCOMPARE(mountPoints().value(0), QString("/"));
    }

    void theProgressWindowWrapsPastItsMaximum() {
        CTransferProgressDialog progress;
        QCOMPARE(progress.windowTitle(), QString("Übertragung vom und zum Zirrova"));
        QVERIFY(!(progress.windowFlags() & Qt::WindowCloseButtonHint));
        progress.showCentred("Daten werden übertragen", "");
        QCOMPARE(progress.firstText(), QString("Daten werden übertragen"));
        progress.setStep(10);
        progress.setRange(25);
        progress.advance();
        progress.advance();
        QCOMPARE(progress.position(), 20);
        progress.advance(); // 30 > 25
        QCOMPARE(progress.position(), 0);
        progress.setSecondText("Der Timer endet in 10 sec");
        QCOMPARE(progress.secondText(), QString("Der Timer endet in 10 sec"));
        progress.close();
    }

    void storedFiltersBecomeFileDialogFilters() {
        QCOMPARE(qtNameFilters("Flugbuch (*.log) |*.log||"), QStringList{"Flugbuch (*.log)"});
        QCOMPARE(qtNameFilters("Startplätze (*.tof) |*.tof||"), QStringList{"Startplätze (*.tof)"});
        QCOMPARE(qtNameFilters("Texte|*.txt;*.log|Alle|*.*||"),
                 QStringList({"Texte (*.txt *.log)", "Alle (*.*)"}));
        QCOMPARE(qtNameFilters(""), QStringList{"Alle Dateien (*)"});
    }

    void aTypedNameWithoutExtensionGetsTheDefaultOne() {
        test::TempDir dir;
        test::writeBytes(dir.path() / "Flugbuch.log", "x\r\n");
        test::writeBytes(dir.path() / "Flugbuch", "no extension\r\n");
        QtUserInterface ui;
        FileDialogRequest request;
        request.filter = "Flugbuch (*.log) |*.log||";
        request.defaultExtension = "log";
        request.initialDir = dir.path();
        request.mustExist = true;
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QCOMPARE(dialog->nameFilters(), QStringList{"Flugbuch (*.log)"});
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            QVERIFY(name);
            name->setText("Flugbuch");
            QMetaObject::invokeMethod(dialog, "accept");
        });
        const auto chosen = ui.chooseFiles(request);
        QCOMPARE(chosen.size(), std::size_t{1});
        QCOMPARE(chosen[0].filename().string(), std::string("Flugbuch.log"));
    }

    void theProfileWritesTheFontOnlyWhenOneWasChosen() {
        QTemporaryDir dir;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
        {
            Profile profile;
            const FontRecord font = profile.loadFont();
            QCOMPARE(font, FontRecord{});
            QCOMPARE(profile.loadMargins(), (PrintMargins{1200, 720, 720, 720}));
            profile.saveFont(font, font);
            profile.saveMargins(PrintMargins{1200, 720, 720, 720});
            profile.saveRecentFiles({"/a.log", "/b.wpt"});
        }
        QSettings stored{QString::fromLatin1(profileOrganisation),
                         QString::fromLatin1(profileApplication)};
        QVERIFY(!stored.childGroups().contains("Font"));
        QCOMPARE(stored.value("Print/left").toInt(), 1200);
        QCOMPARE(stored.value("Print/bot").toInt(), 720);
        {
            Profile profile;
            QCOMPARE(profile.loadRecentFiles(), QStringList({"/a.log", "/b.wpt"}));
            const FontRecord atStart = profile.loadFont();
            FontRecord chosen = atStart;
            chosen.height = -16;
            chosen.weight = 700;
            chosen.faceName = "DejaVu Sans Mono";
            profile.saveFont(chosen, atStart);
        }
        stored.sync();
        QCOMPARE(stored.value("Font/Height").toInt(), -16);
        QCOMPARE(stored.value("Font/Weight").toInt(), 700);
        QCOMPARE(stored.value("Font/FaceName").toString(), QString("DejaVu Sans Mono"));
        QVERIFY(!stored.contains("Font/Italic")); // unchanged values are not written
        {
            Profile profile;
            const FontRecord font = profile.loadFont();
            QCOMPARE(font.height, -16);
            QCOMPARE(font.charSet, 1);
        }
        // A stored left margin of 0 means the defaults, whatever the others say.
        stored.setValue("Print/left", 0);
        stored.setValue("Print/top", 5);
        stored.sync();
        QCOMPARE(Profile().loadMargins(), (PrintMargins{1200, 720, 720, 720}));
    }
};

} // namespace zv

QTEST_MAIN(zv::DialogsTest)
#include "dialogs_test.moc"
