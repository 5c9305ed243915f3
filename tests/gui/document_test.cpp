// The text windows: bytes in, bytes out, and the window of an open file found again.

#include "support/test_files.h"
#include "ui/zv_doc.h"

#include <QPlainTextEdit>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

namespace zv {

class DocumentTest : public QObject {
    Q_OBJECT

private:
    // Loads `bytes` into a window and saves it again; returns what was written.
    static QByteArray roundTrip(const QByteArray& bytes,
                                const std::function<void(CZvView&)>& edit = {}) {
        test::TempDir dir;
        test::writeBytes(dir.path() / "in.txt", bytes.toStdString());
        CChildFrame frame;
        QString error;
        if (!frame.document().load(QString::fromStdString(dir / "in.txt"), error)) {
            return "load failed: " + error.toUtf8();
        }
        if (edit) {
            edit(*frame.view());
        }
        if (!frame.document().save(QString::fromStdString(dir / "out.txt"), error)) {
            return "save failed: " + error.toUtf8();
        }
        const std::string out = test::readBytes(dir.path() / "out.txt");
        return QByteArray(out.data(), static_cast<qsizetype>(out.size()));
    }

private slots:
    void everyByteValueSurvives() {
        // All 256 byte values, in lines ended by CR LF, with a form feed line between.
        QByteArray bytes;
        for (int value = 0; value < 256; ++value) {
            if (value == '\r' || value == '\n') {
                continue;
            }
            bytes.append(static_cast<char>(value));
            if (value % 32 == 31) {
                bytes.append("\r\n");
            }
        }
        bytes.append("\f\r\n@EOF");
        bytes.append("\r\n\r\n");
        QCOMPARE(roundTrip(bytes), bytes);
    }

    void lineEndsStayAsTheyWere() {
        const QList<QByteArray> cases = {
            "",
            "one line without end",
            "a\r\nb\r\n",
            "a\nb\n",
            "a\rb\r",
            "mixed\r\nends\nhere\rand none",
            "\r\n\r\n\n\r",
            "page one\r\n\f\r\npage two\f\r\n",
            "\r\r\n\n\r",
        };
        for (const QByteArray& bytes : cases) {
            QCOMPARE(roundTrip(bytes), bytes);
        }
    }

    void linesTypedLaterGetTheFileLineEnd() {
        // A new line in an LF file ends with LF; a file without any gets CR LF.
        const auto typeAtEnd = [](CZvView& view) {
            QTextCursor cursor(view.document());
            cursor.movePosition(QTextCursor::End);
            cursor.insertText(QStringLiteral("\nneu"));
        };
        QCOMPARE(roundTrip("a\nb", typeAtEnd), QByteArray("a\nb\nneu"));
        QCOMPARE(roundTrip("a\r\nb\r\n", typeAtEnd), QByteArray("a\r\nb\r\n\r\nneu"));
        QCOMPARE(roundTrip("@EOF", typeAtEnd), QByteArray("@EOF\r\nneu"));
        // Umlauts typed in the window are written as Windows-1252 bytes.
        const auto typeUmlaut = [](CZvView& view) {
            QTextCursor cursor(view.document());
            cursor.insertText(QStringLiteral("Ä°"));
        };
        QCOMPARE(roundTrip("x\r\n", typeUmlaut), QByteArray("\xC4\xB0x\r\n"));
    }

    void theViewDoesNotWrapAndSavingClearsTheModifiedMark() {
        test::TempDir dir;
        test::writeBytes(dir.path() / "f.wpt", std::string(500, 'x') + "\r\n");
        CChildFrame frame;
        QString error;
        QVERIFY(frame.document().load(QString::fromStdString(dir / "f.wpt"), error));
        QCOMPARE(frame.view()->lineWrapMode(), QPlainTextEdit::NoWrap);
        frame.updateTitle();
        QCOMPARE(frame.windowTitle(), QStringLiteral("f.wpt[*]"));
        QVERIFY(!frame.document().isModified());
        frame.view()->moveCursor(QTextCursor::Start);
        frame.view()->insertPlainText(QStringLiteral("y"));
        QVERIFY(frame.document().isModified());
        QVERIFY(frame.isWindowModified());
        QVERIFY(frame.document().save(frame.document().path(), error));
        QVERIFY(!frame.isWindowModified());
        QCOMPARE(test::readBytes(dir.path() / "f.wpt"), "y" + std::string(500, 'x') + "\r\n");
    }

    void aFailedSaveLeavesTheOldFile() {
        test::TempDir dir;
        test::writeBytes(dir.path() / "f.log", "old\r\n");
        CChildFrame frame;
        QString error;
        QVERIFY(frame.document().load(QString::fromStdString(dir / "f.log"), error));
        frame.view()->insertPlainText(QStringLiteral("new "));
        QVERIFY(!frame.document().save(QString::fromStdString(dir / "missing/f.log"), error));
        QVERIFY(!error.isEmpty());
        QVERIFY(frame.document().isModified());
        QCOMPARE(frame.document().path(), QString::fromStdString(dir / "f.log"));
        QCOMPARE(test::readBytes(dir.path() / "f.log"), std::string("old\r\n"));
    }
};

} // namespace zv

QTEST_MAIN(zv::DocumentTest)
#include "document_test.moc"
