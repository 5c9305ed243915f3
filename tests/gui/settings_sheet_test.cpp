// The settings sheet: its refusals, its "..." buttons and what OK and Cancel do to the
// record.

#include "platform/serial_devices.h"
#include "support/scripted_user_interface.h"
#include "support/test_files.h"
#include "ui/property_sheet.h"
#include "ui/qt_user_interface.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace zv {

namespace {

AppSettings sampleSettings() {
    AppSettings settings;
    settings.versionMark = "Version1.4";
    settings.firstFlightNumber = 1;
    settings.flightsPerPage = 12;
    settings.logbookDir = "/flug/Logbuch";
    settings.logbookFile = "Flugbuch.log";
    settings.oziDir = "/flug";
    settings.routeDir = "/flug/Routen";
    settings.waypointDir = "/flug/Zv";
    settings.liftDir = "/flug/Lifts";
    settings.liftDatabase = "Lifts.lft";
    settings.serialNumber = 1596;
    return settings;
}

bool sameSheetFields(const AppSettings& a, const AppSettings& b) {
    return a.logbookDir == b.logbookDir && a.logbookFile == b.logbookFile &&
           a.firstFlightNumber == b.firstFlightNumber && a.flightsPerPage == b.flightsPerPage &&
           a.oziDir == b.oziDir && a.routeDir == b.routeDir && a.waypointDir == b.waypointDir &&
           a.oziExplorerPath == b.oziExplorerPath && a.liftDir == b.liftDir &&
           a.liftDatabase == b.liftDatabase && a.takeoffDir == b.takeoffDir &&
           a.zvViewPath == b.zvViewPath && a.serialNumber == b.serialNumber &&
           a.comPort == b.comPort;
}

} // namespace

class SettingsSheetTest : public QObject {
    Q_OBJECT

    test::TempDir profileDir_;

private slots:
    void initTestCase() {
        // The sheet keeps the serial devices in the per-user profile: a private one here.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(profileDir_.path().string()));
    }

    void okRefusesBadEntriesOnTheirPage() {
        struct Case {
            SettingsField field;
            int page;
            QString value;
            std::string message;
        };
        const Case cases[] = {
            {SettingsField::SerialNumber, 3, "10001",
             "Geben Sie bitte eine ganze Zahl zwischen 0 und 10000 ein."},
            {SettingsField::FirstFlightNumber, 0, "0",
             "Geben Sie bitte eine ganze Zahl zwischen 1 und 10000 ein."},
            {SettingsField::FlightsPerPage, 0, "zwölf",
             "Geben Sie bitte eine positive ganze Zahl ein."},
        };
        for (const Case& c : cases) {
            const AppSettings settings = sampleSettings();
            test::ScriptedUserInterface ui;
            CMyPropertySheet sheet(settings, ui);
            sheet.edit(c.field)->setText(c.value);
            sheet.tabs()->setCurrentIndex(1); // leaving page 0 checks it
            sheet.tabs()->setCurrentIndex(2);
            sheet.accept();
            QVERIFY(sheet.result() != QDialog::Accepted);
            QCOMPARE(sheet.tabs()->currentIndex(), c.page);
            QVERIFY(!ui.messages.empty());
            QCOMPARE(ui.messages.back().text, c.message);
            QCOMPARE(ui.messages.back().icon, Icon::Exclamation);
        }
    }

    // One base name in one directory would give the logbook and the lift database one
    // backup: OK names the two files and the sheet stays open.
    void settingsThatMakeTwoFilesOneAreRefusedOnOk() {
        const AppSettings settings = sampleSettings();
        test::ScriptedUserInterface ui;
        CMyPropertySheet sheet(settings, ui);
        sheet.edit(SettingsField::LiftDir)->setText("/flug/Logbuch");
        sheet.edit(SettingsField::LiftDatabase)->setText("Flugbuch.lft");
        sheet.accept();
        QVERIFY(sheet.result() != QDialog::Accepted);
        QCOMPARE(ui.messages.size(), std::size_t{1});
        QCOMPARE(ui.messages[0].text,
                 std::string("Die Sicherungskopie des Flugbuchs und die Sicherungskopie der "
                             "Aufwinddatenbank\nwären dieselbe Datei:\n/flug/Logbuch/Flugbuch.bak"
                             "\nBitte wählen Sie einen anderen Namen oder ein anderes "
                             "Verzeichnis!"));
        QCOMPARE(ui.messages[0].icon, Icon::Exclamation);
    }

    void aTooLongLiftDatabaseFromTheFileIsShownAndRefused() {
        AppSettings settings = sampleSettings();
        settings.liftDatabase = std::string(31, 'L');
        test::ScriptedUserInterface ui;
        CMyPropertySheet sheet(settings, ui);
        QLineEdit* edit = sheet.edit(SettingsField::LiftDatabase);
        QCOMPARE(edit->text().size(), 31);
        // Typing cannot make it longer.
        edit->setCursorPosition(31);
        QTest::keyClicks(edit, "X");
        QCOMPARE(edit->text().size(), 31);
        sheet.tabs()->setCurrentIndex(2);
        QVERIFY(ui.messages.empty());
        sheet.tabs()->setCurrentIndex(3); // leaving page 3 refuses it and stays
        QCOMPARE(sheet.tabs()->currentIndex(), 2);
        QCOMPARE(ui.messages.size(), std::size_t{1});
        QCOMPARE(ui.messages[0].text,
                 std::string("Geben Sie bitte nicht mehr als 30 Zeichen ein."));
        // With 30 characters the page may be left.
        edit->setText(QString(30, 'L'));
        sheet.tabs()->setCurrentIndex(3);
        QCOMPARE(sheet.tabs()->currentIndex(), 3);
        QCOMPARE(ui.messages.size(), std::size_t{1});
    }

    void browseButtonsKeepTypedEntries() {
        const AppSettings settings = sampleSettings();
        test::ScriptedUserInterface ui;
        CMyPropertySheet sheet(settings, ui);
        QStringList titles;
        sheet.setPathChooser([&titles](const QString& title) {
            titles << title;
            return titles.size() == 1 ? QString("/karten/ozi") : QString(); // then cancelled
        });
        sheet.edit(SettingsField::RouteDir)->setText("/getippt/Routen");
        sheet.browseButton(SettingsField::OziDir)->click();
        QCOMPARE(sheet.edit(SettingsField::RouteDir)->text(), QString("/getippt/Routen"));
        QCOMPARE(sheet.edit(SettingsField::OziDir)->text(), QString("/karten/ozi"));
        sheet.browseButton(SettingsField::TakeoffDir)->click();
        QCOMPARE(sheet.edit(SettingsField::TakeoffDir)->text(), QString());
        QCOMPARE(titles, QStringList({"Pfad zu den Ozi-Wegpunkten wählen",
                                      "Pfad zu den Startplatz-Daten wählen"}));

        // The main file is split at its last separator into directory and name.
        sheet.edit(SettingsField::FirstFlightNumber)->setText("77");
        ui.fileChoices.push_back({"/Flugbuch.log"});
        ui.fileChoices.push_back({"/daten/lifts/Alpen.lft"});
        sheet.browseButton(SettingsField::LogbookFile)->click();
        sheet.browseButton(SettingsField::LiftDatabase)->click();
        QCOMPARE(sheet.edit(SettingsField::LogbookFile)->text(), QString("Flugbuch.log"));
        QCOMPARE(sheet.edit(SettingsField::LogbookDir)->text(), QString(""));
        QCOMPARE(sheet.edit(SettingsField::FirstFlightNumber)->text(), QString("77"));
        QCOMPARE(sheet.edit(SettingsField::LiftDatabase)->text(), QString("Alpen.lft"));
        QCOMPARE(sheet.edit(SettingsField::LiftDir)->text(), QString("/daten/lifts"));
        QCOMPARE(ui.fileRequests[0].filter, std::string("Flugbuch (*.log) |*.log||"));
        QCOMPARE(ui.fileRequests[1].defaultExtension, std::string("lft"));
        QVERIFY(ui.fileRequests[1].mustExist);
    }

    void cancelLeavesTheRecordAndOkCopiesTheFourteenFields() {
        qunsetenv("ZV_COM1");
        qunsetenv("ZV_COM2");
        QtUserInterface ui;
        const AppSettings original = sampleSettings();
        for (const bool confirm : {false, true}) {
            AppSettings settings = original;
            QTimer::singleShot(0, [confirm] {
                auto* sheet = qobject_cast<CMyPropertySheet*>(QApplication::activeModalWidget());
                QVERIFY(sheet);
                sheet->edit(SettingsField::WaypointDir)->setText("/neu/Zv");
                sheet->tabs()->setCurrentIndex(3);
                sheet->portButton(1)->setChecked(true);
                sheet->edit(SettingsField::SerialNumber)->setText("42");
                sheet->deviceBox(0)->setCurrentText("/dev/ttyUSB0");
                sheet->deviceBox(1)->setCurrentText(" /dev/ttyACM1 ");
                sheet->applyButton()->click(); // apply alone changes nothing
                if (confirm) {
                    sheet->accept();
                } else {
                    sheet->reject();
                }
            });
            QCOMPARE(ui.runSettingsSheet(settings), confirm);
            if (!confirm) {
                QVERIFY(sameSheetFields(settings, original));
                // The devices stay as they were, too.
                QCOMPARE(serialDeviceName(0), QString("/dev/ttyS0"));
                QCOMPARE(serialDeviceName(1), QString("/dev/ttyS1"));
                continue;
            }
            QCOMPARE(serialDeviceName(0), QString("/dev/ttyUSB0"));
            QCOMPARE(serialDeviceName(1), QString("/dev/ttyACM1"));
            QCOMPARE(settings.waypointDir, std::string("/neu/Zv"));
            QCOMPARE(settings.comPort, 1);
            QCOMPARE(settings.serialNumber, 42);
            QCOMPARE(settings.logbookFile, original.logbookFile);
            QCOMPARE(settings.versionMark, original.versionMark);
        }
    }

    void theZirrovaPageShowsTheStoredDevicesAndThePortsPresent() {
        setProfileSerialDevice(0, "/dev/ttyUSB3");
        setProfileSerialDevice(1, "");
        test::ScriptedUserInterface ui;
        CMyPropertySheet sheet(sampleSettings(), ui);
        QCOMPARE(sheet.deviceBox(0)->currentText(), QString("/dev/ttyUSB3"));
        QCOMPARE(sheet.deviceBox(1)->currentText(), QString("/dev/ttyS1"));
        QVERIFY(sheet.deviceBox(0)->isEditable());
        QStringList offered;
        for (int i = 0; i < sheet.deviceBox(1)->count(); ++i) {
            offered << sheet.deviceBox(1)->itemText(i);
        }
        QCOMPARE(offered, presentSerialDevices());
    }

    void editingTheMainFileEnablesApply() {
        test::ScriptedUserInterface ui;
        CMyPropertySheet sheet(sampleSettings(), ui);
        QVERIFY(!sheet.applyButton()->isEnabled());
        QTest::keyClicks(sheet.edit(SettingsField::LogbookFile), "x");
        QVERIFY(sheet.applyButton()->isEnabled());
        sheet.applyButton()->click();
        QVERIFY(!sheet.applyButton()->isEnabled());
    }
};

} // namespace zv

QTEST_MAIN(zv::SettingsSheetTest)
#include "settings_sheet_test.moc"
