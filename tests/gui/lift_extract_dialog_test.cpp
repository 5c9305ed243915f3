// "Aufwinde extrahieren": what the dialog shows, what OK refuses and keeps, and "...".
#include "base/app_settings.h"
#include "support/scripted_user_interface.h"
#include "support/test_files.h"
#include "ui/lift_extract_dialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class LiftExtractDialogTest : public QObject {
    Q_OBJECT

private:
    zv::AppSettings settings() const {
        zv::AppSettings s;
        s.liftDir = dir_.path().string();
        s.liftDatabase = "Lifts.lft";
        return s;
    }

    zv::test::TempDir dir_;

private slots:
    void showsTheEntriesWithSixSignificantDigits() {
        zv::test::ScriptedUserInterface ui;
        const zv::AppSettings s = settings();
        zv::LiftExtractDialogData data;
        data.latLow = 50.233833f;
        data.latHigh = 51;
        data.lonLow = -7.5f;
        data.lonHigh = 11;
        data.windFilter = true;
        data.windFrom = 46;
        data.windTo = 46;
        data.fileName = "Taunus.lft";
        zv::CLiftExtractDialog dialog(nullptr, s, ui, data);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Aufwinde extrahieren"));
        QCOMPARE(dialog.latLowEdit()->text(), QStringLiteral("50.2338"));
        QCOMPARE(dialog.latHighEdit()->text(), QStringLiteral("51"));
        QCOMPARE(dialog.lonLowEdit()->text(), QStringLiteral("-7.5"));
        QVERIFY(dialog.windFilterBox()->isChecked());
        QCOMPARE(dialog.windFromEdit()->text(), QStringLiteral("46"));
        QCOMPARE(dialog.fileNameEdit()->text(), QStringLiteral("Taunus.lft"));
    }

    void okRefusesInOrderAndKeepsTheEntries() {
        zv::test::ScriptedUserInterface ui;
        const zv::AppSettings s = settings();
        zv::LiftExtractDialogData data;
        zv::CLiftExtractDialog dialog(nullptr, s, ui, data);
        dialog.latLowEdit()->setText(QStringLiteral("51"));
        dialog.latHighEdit()->setText(QStringLiteral("50"));
        dialog.windToEdit()->setText(QStringLiteral("400"));
        dialog.accept();
        dialog.windToEdit()->setText(QStringLiteral("360"));
        dialog.accept();
        dialog.latLowEdit()->setText(QStringLiteral("40"));
        dialog.accept();
        dialog.fileNameEdit()->setText(QStringLiteral("Lifts.lft"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(ui.texts(),
                 (std::vector<std::string>{
                     "Geben Sie bitte eine ganze Zahl zwischen 0 und 360 ein.",
                     "Latitude-Koordintenfenster nicht korrekt!\nuntere Ecke > obere Ecke",
                     "Bitte Namen für neue Liftdatei eingeben!",
                     "Sie haben die Aufwinddatenbank ausgewählt.\nBitte wählen Sie eine andere "
                     "Aufwinddatei!"}));
        QCOMPARE(ui.messages.back().icon, zv::Icon::Information);
        QCOMPARE(dialog.fileNameEdit()->text(), QStringLiteral("Lifts.lft"));

        dialog.latHighEdit()->setText(QStringLiteral("50"));
        dialog.fileNameEdit()->setText(QStringLiteral("neu.lft"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.data().latLow, 40.0f);
        QCOMPARE(dialog.data().latHigh, 50.0f);
        QCOMPARE(dialog.data().windTo, 360);
        QCOMPARE(dialog.data().fileName, std::string("neu.lft"));
    }

    void browseTakesTheChosenFileAndKeepsTheOtherEntries() {
        zv::test::ScriptedUserInterface ui;
        const zv::AppSettings s = settings();
        const std::string existing = dir_ / "alt.lft";
        zv::test::writeBytes(existing, "x\r\n");
        ui.fileChoices = {{existing}, {dir_ / "neu.lft"}};
        ui.answers = {zv::Answer::No};
        zv::CLiftExtractDialog dialog(nullptr, s, ui, zv::LiftExtractDialogData{});
        dialog.latLowEdit()->setText(QStringLiteral("45.5"));
        QTest::mouseClick(dialog.browseButton(), Qt::LeftButton);
        QCOMPARE(dialog.fileNameEdit()->text(), QString::fromStdString(dir_ / "neu.lft"));
        QCOMPARE(dialog.latLowEdit()->text(), QStringLiteral("45.5"));
        QCOMPARE(ui.fileRequests.size(), std::size_t{2});

        // Cancelling the file dialog leaves the edit as it was.
        QTest::mouseClick(dialog.browseButton(), Qt::LeftButton);
        QCOMPARE(dialog.fileNameEdit()->text(), QString::fromStdString(dir_ / "neu.lft"));
    }
};

QTEST_MAIN(LiftExtractDialogTest)
#include "lift_extract_dialog_test.moc"
