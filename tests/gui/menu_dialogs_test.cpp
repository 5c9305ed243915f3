// The menu commands with a dialog of their own: "Flug einfügen", the two statistics and
// the lift extraction reach their dialogs through the desktop user interface, and what the
// pilot enters there reaches the logbook, the reports and the new lift file.

#include "support/test_files.h"
#include "ui/insert_flight_dialog.h"
#include "ui/lift_extract_dialog.h"
#include "ui/main_frame.h"
#include "ui/qt_user_interface.h"
#include "ui/time_span_dialog.h"
#include "ui/zv_doc.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimeEdit>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

namespace zv {

namespace {

// The main window on a temporary data directory, with the real dialogs.
struct Window {
    test::TempDir dir;
    AppSettings settings;
    QtUserInterface ui;
    std::unique_ptr<CMainFrame> frame;
    QStringList boxes; // the texts of the message boxes that came up

    explicit Window(const char* logbook) {
        settings.logbookDir = dir.path().string();
        settings.logbookFile = "Flugbuch.log";
        settings.flightsPerPage = 12;
        settings.firstFlightNumber = 1;
        settings.serialNumber = 1596;
        settings.liftDir = dir.path().string();
        settings.liftDatabase = "Lifts.lft";
        settings.logbookCommandsEnabled = true;
        settings.liftDbCommandsEnabled = true;
        test::writeBytes(dir.path() / "Flugbuch.log", test::readBytes(test::testData(logbook)));
        test::writeBytes(dir.path() / "Lifts.lft",
                         test::readBytes(test::testData("lifts/database.lft")));
        frame = std::make_unique<CMainFrame>(
            settings, ui,
            [this](const CMainFrame::Command& command) { return command(settings, ui); },
            WorkspaceState{});
        ui.setMainFrame(frame.get());
    }
    ~Window() { ui.setMainFrame(nullptr); }

    // Runs the menu command; `drive` gets the command's dialog once it is shown. Message
    // boxes are noted and closed, so that no test waits for a hand.
    void run(const char* command, const std::function<void(QDialog*)>& drive) {
        bool driven = false;
        QTimer watcher;
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                boxes << box->text();
                box->reject();
            } else if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && !driven) {
                driven = true;
                drive(dialog);
            }
        });
        watcher.start(0);
        frame->findChild<QAction*>(QString::fromLatin1(command))->trigger();
        QVERIFY(driven);
    }

    std::string file(const char* name) const { return test::readBytes(dir.path() / name); }
    QString activeDocumentPath() const {
        CChildFrame* child = frame->activeDocument();
        return child ? child->canonicalPath() : QString();
    }
    QString canonical(const char* name) const {
        return QFileInfo(QString::fromStdString((dir.path() / name).string())).canonicalFilePath();
    }
};

void pressOk(QDialog* dialog) {
    QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                      Qt::LeftButton);
}

} // namespace

class MenuDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void insertFlightWritesTheEnteredFlight() {
        Window w("logbook/append_main.log");
        w.run("logbookInsert", [](QDialog* dialog) {
            auto* insert = qobject_cast<InsertFlightDialog*>(dialog);
            QVERIFY(insert != nullptr);
            insert->dateEdit()->setDate(QDate(2003, 6, 5));
            insert->siteEdit()->setText(QStringLiteral("kössen"));
            insert->takeoffTimeEdit()->setTime(QTime(10, 0));
            insert->takeoffAltitudeEdit()->setText(QStringLiteral("1500"));
            insert->landingTimeEdit()->setTime(QTime(10, 45));
            insert->landingAltitudeEdit()->setText(QStringLiteral("600"));
            insert->distanceEdit()->setText(QStringLiteral("12.5"));
            pressOk(insert);
        });
        QVERIFY2(w.boxes.isEmpty(), qPrintable(w.boxes.join('\n')));
        const std::string lines =
            "       4           10:00       10:45       00:45            0 m      - 0.0 m/s\r\n"
            "   03-06-05        1500 m       600 m       12.5 km         0 m      - 0.0 m/s\r\n"
            "   K\xD6SSEN             0 hPa   PARA 0                        0 m       \r\n"
            "\r\n@EOF\r\n";
        const std::string written = w.file("Flugbuch.log");
        QVERIFY(written.size() >= lines.size());
        QCOMPARE(written.substr(written.size() - lines.size()), lines);
        QCOMPARE(w.file("Flugbuch.bak"),
                 test::readBytes(test::testData("logbook/append_main.log")));
        QCOMPARE(w.activeDocumentPath(), w.canonical("Flugbuch.log"));
    }

    void cancelledInsertLeavesTheLogbook() {
        Window w("logbook/append_main.log");
        w.run("logbookInsert", [](QDialog* dialog) { dialog->reject(); });
        QCOMPARE(w.file("Flugbuch.log"),
                 test::readBytes(test::testData("logbook/append_main.log")));
        QVERIFY(!std::filesystem::exists(w.dir.path() / "Flugbuch.bak"));
        QVERIFY(w.frame->documents().isEmpty());
    }

    void statisticsReportTheChosenSpan_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("logbook");
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Flugstunden")
            << "statsHours"
            << "logbook/hours.log" << QDate(1995, 1, 1) << QDate(2005, 12, 31) << "Flugbuch.mfs"
            << "logbook/hours~1995-2005.mfs";
        QTest::newRow("Startplätze")
            << "statsSites"
            << "logbook/sites.log" << QDate(2004, 3, 1) << QDate(2004, 3, 31) << "Flugbuch.tfs"
            << "logbook/sites~march_2004.tfs";
    }
    void statisticsReportTheChosenSpan() {
        QFETCH(QString, command);
        QFETCH(QString, logbook);
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        QFETCH(QString, report);
        QFETCH(QString, expected);
        Window w(logbook.toLatin1().constData());
        w.run(command.toLatin1().constData(), [&](QDialog* dialog) {
            auto* span = qobject_cast<TimeSpanDialog*>(dialog);
            QVERIFY(span != nullptr);
            span->startEdit()->setDate(start);
            span->endEdit()->setDate(end);
            pressOk(span);
        });
        QVERIFY2(w.boxes.isEmpty(), qPrintable(w.boxes.join('\n')));
        QCOMPARE(w.file(report.toLatin1().constData()),
                 test::readBytes(test::testData(expected.toStdString())));
        QCOMPARE(w.activeDocumentPath(), w.canonical(report.toLatin1().constData()));
    }

    void extractionWritesTheLiftsOfTheRectangle() {
        Window w("logbook/append_main.log");
        w.run("liftDbExtract", [](QDialog* dialog) {
            auto* extract = qobject_cast<CLiftExtractDialog*>(dialog);
            QVERIFY(extract != nullptr);
            extract->latLowEdit()->setText(QStringLiteral("46"));
            extract->latHighEdit()->setText(QStringLiteral("48"));
            extract->lonLowEdit()->setText(QStringLiteral("7"));
            extract->lonHighEdit()->setText(QStringLiteral("13"));
            extract->windFilterBox()->setChecked(false);
            extract->fileNameEdit()->setText(QStringLiteral("Alpen.lft"));
            pressOk(extract);
        });
        QVERIFY2(w.boxes.isEmpty(), qPrintable(w.boxes.join('\n')));
        const std::string lifts = w.file("Alpen.lft");
        QVERIFY(lifts.find("CH.NIE") != std::string::npos);
        QVERIFY(lifts.find("DE.BOP") == std::string::npos); // north of the rectangle
        QCOMPARE(w.activeDocumentPath(), w.canonical("Alpen.lft"));
        // The next extraction starts from these entries.
        QCOMPARE(w.settings.extractLatMax, 48.0f);
        QCOMPARE(w.settings.lastExtractFile, std::string("Alpen.lft"));
    }
};

} // namespace zv

QTEST_MAIN(zv::MenuDialogsTest)
#include "menu_dialogs_test.moc"
