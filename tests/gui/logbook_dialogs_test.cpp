// The dialogs of the logbook commands: "Flug einfügen" and "Auswertung Flugstunden".
#include "ui/insert_flight_dialog.h"
#include "ui/time_span_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QTimer>
#include <QtTest>

namespace {

// Presses OK of the modal dialog that exec() is about to show.
void pressOkWhenShown() {
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog != nullptr);
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
}

} // namespace

class LogbookDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void insertFlightTakesEveryEntry() {
        zv::InsertFlightDialogData data;
        data.date = {7, 12, 2026};
        pressOkWhenShown();
        zv::InsertFlightDialog dialog(nullptr, data);
        dialog.dateEdit()->setDate(QDate(2003, 6, 5));
        dialog.siteEdit()->setText(QStringLiteral("kössen"));
        dialog.takeoffTimeEdit()->setTime(QTime(10, 0));
        dialog.takeoffAltitudeEdit()->setText(QStringLiteral("1500"));
        dialog.landingTimeEdit()->setTime(QTime(10, 45));
        dialog.landingAltitudeEdit()->setText(QStringLiteral("600"));
        dialog.distanceEdit()->setText(QStringLiteral("12.5"));
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        const zv::InsertFlightDialogData& entered = dialog.data();
        QCOMPARE(entered.date, (zv::CalendarDate{5, 6, 2003}));
        QCOMPARE(QString::fromStdString(entered.takeoffSite), QStringLiteral("kössen"));
        QCOMPARE(entered.takeoffHour, 10);
        QCOMPARE(entered.takeoffMinute, 0);
        QCOMPARE(entered.takeoffAltitude, 1500);
        QCOMPARE(entered.landingHour, 10);
        QCOMPARE(entered.landingMinute, 45);
        QCOMPARE(entered.landingAltitude, 600);
        QCOMPARE(entered.distance, 12.5);
    }

    void insertFlightRefusesWithTheFrameworkMessages_data() {
        QTest::addColumn<QString>("site");
        QTest::addColumn<QString>("landingAltitude");
        QTest::addColumn<QString>("distance");
        QTest::addColumn<QString>("message");
        QTest::newRow("altitude") << "KOSSEN"
                                  << "10001"
                                  << "0"
                                  << "Geben Sie bitte eine ganze Zahl zwischen 0 und 10000 ein.";
        QTest::newRow("no number") << "KOSSEN"
                                   << "12a"
                                   << "0"
                                   << "Geben Sie bitte eine ganze Zahl ein.";
        QTest::newRow("distance") << "KOSSEN"
                                  << "0"
                                  << "1000.5"
                                  << "Geben Sie bitte eine Zahl zwischen 0 und 1000 ein.";
        QTest::newRow("site") << "KOSSEN;X"
                              << "0"
                              << "0"
                              << "Der Startplatz darf nur Buchstaben, Ziffern, Leerzeichen und "
                                 "die Zeichen _ / - . ! ° > : enthalten.";
    }

    void insertFlightRefusesWithTheFrameworkMessages() {
        QFETCH(QString, site);
        QFETCH(QString, landingAltitude);
        QFETCH(QString, distance);
        QFETCH(QString, message);
        zv::InsertFlightDialog dialog(nullptr, zv::InsertFlightDialogData{});
        QStringList shown;
        dialog.showRefusal = [&shown](const QString& text) { shown << text; };
        dialog.siteEdit()->setText(site);
        dialog.landingAltitudeEdit()->setText(landingAltitude);
        dialog.distanceEdit()->setText(distance);
        dialog.show();
        dialog.accept();
        QCOMPARE(shown, QStringList{message});
        QVERIFY(dialog.isVisible()); // the dialog stays open
        QCOMPARE(dialog.data().landingAltitude, 0);
    }

    void timeSpanRefusesAnEndNotAfterTheStart() {
        zv::TimeSpanDialog dialog(nullptr,
                                  zv::TimeSpanDialogData{{5, 5, 2005}, {5, 5, 2005}, false});
        QStringList shown;
        dialog.showRefusal = [&shown](const QString& text) { shown << text; };
        dialog.show();
        dialog.accept();
        QCOMPARE(shown,
                 QStringList{QStringLiteral("Ende der Auswertung muß später sein als Beginn!")});
        QVERIFY(dialog.isVisible());

        dialog.allFlightsBox()->setChecked(true);
        dialog.accept();
        QCOMPARE(shown.size(), 1);
        QVERIFY(dialog.data().allFlights);
    }

    void runTimeSpanDialogReturnsTheSpan() {
        zv::TimeSpanDialogData data{{1, 1, 2000}, {2, 1, 2000}, false};
        pressOkWhenShown();
        QVERIFY(zv::runTimeSpanDialog(nullptr, data));
        QCOMPARE(data.start, (zv::CalendarDate{1, 1, 2000}));
        QCOMPARE(data.end, (zv::CalendarDate{2, 1, 2000}));
        QVERIFY(!data.allFlights);
    }
};

QTEST_MAIN(LogbookDialogsTest)
#include "logbook_dialogs_test.moc"
