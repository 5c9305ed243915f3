// What zv does before its main window: its command line, the start directory of
// --start-dir (made on the first start, as the desktop entry's ~/Zirrova is), and the
// program icon drawn from icons/zv.svg.

#include "support/test_files.h"
#include "ui/command_line.h"
#include "ui/icons.h"

#include <QDir>
#include <QImage>
#include <QTest>
#include <filesystem>
#include <string>
#include <vector>

Q_DECLARE_METATYPE(std::vector<std::string>)
Q_DECLARE_METATYPE(zv::GuiCommandLine::Action)

namespace zv {

namespace fs = std::filesystem;

class ProgramStartTest : public QObject {
    Q_OBJECT

private slots:
    void commandLine_data() {
        using Action = GuiCommandLine::Action;
        using Args = std::vector<std::string>;
        QTest::addColumn<Args>("args");
        QTest::addColumn<Action>("action");
        QTest::addColumn<QString>("startDir");
        QTest::addColumn<bool>("quitAfterStart");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("error");

        QTest::newRow("nothing: the current directory")
            << Args{} << Action::Start << "" << false << ""
            << "";
        QTest::newRow("start dir")
            << Args{"--start-dir", "~/Zirrova"} << Action::Start << "~/Zirrova" << false << ""
            << "";
        QTest::newRow("start dir with =")
            << Args{"--start-dir=/tmp/a b"} << Action::Start << "/tmp/a b" << false << ""
            << "";
        QTest::newRow("all of it") << Args{"--quit-after-start", "Flugbuch.log", "--start-dir", "d"}
                                   << Action::Start << "d" << true << "Flugbuch.log"
                                   << "";
        QTest::newRow("a file after --")
            << Args{"--", "--start-dir"} << Action::Start << "" << false << "--start-dir"
            << "";
        QTest::newRow("help") << Args{"--help"} << Action::Help << "" << false << ""
                              << "";
        QTest::newRow("-h") << Args{"-h"} << Action::Help << "" << false << ""
                            << "";
        QTest::newRow("version") << Args{"--version"} << Action::Version << "" << false << ""
                                 << "";
        QTest::newRow("help wins over a wrong word")
            << Args{"-style", "fusion", "--help"} << Action::Help << "" << false << "fusion"
            << "";
        QTest::newRow("start dir without directory")
            << Args{"--start-dir"} << Action::UsageError << "" << false << ""
            << "--start-dir braucht ein Verzeichnis";
        QTest::newRow("start dir empty")
            << Args{"--start-dir="} << Action::UsageError << "" << false << ""
            << "--start-dir braucht ein Verzeichnis";
        QTest::newRow("start dir twice") << Args{"--start-dir", "a", "--start-dir", "b"}
                                         << Action::UsageError << "b" << false << ""
                                         << "--start-dir doppelt angegeben";
        QTest::newRow("unknown option")
            << Args{"--frobnicate"} << Action::UsageError << "" << false << ""
            << "unbekannte Option --frobnicate";
        QTest::newRow("two files") << Args{"a", "b"} << Action::UsageError << "" << false << ""
                                   << "mehr als eine Datei angegeben";
    }

    void commandLine() {
        QFETCH(std::vector<std::string>, args);
        QFETCH(GuiCommandLine::Action, action);
        QFETCH(QString, startDir);
        QFETCH(bool, quitAfterStart);
        QFETCH(QString, file);
        QFETCH(QString, error);
        const GuiCommandLine line = parseGuiCommandLine(args);
        QCOMPARE(line.action, action);
        QCOMPARE(QString::fromStdString(line.error), error);
        if (action == GuiCommandLine::Action::Start) {
            QCOMPARE(QString::fromStdString(line.startDir), startDir);
            QCOMPARE(line.quitAfterStart, quitAfterStart);
            QCOMPARE(QString::fromStdString(line.file), file);
        }
    }

    void startDirectoryPath_data() {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("path");
        QTest::newRow("home") << "~"
                              << "/home/pilot";
        QTest::newRow("under home") << "~/Zirrova"
                                    << "/home/pilot/Zirrova";
        QTest::newRow("deeper under home") << "~/Fliegen/Zirrova"
                                           << "/home/pilot/Fliegen/Zirrova";
        QTest::newRow("another user's home stays a name") << "~hans/Zirrova"
                                                          << "~hans/Zirrova";
        QTest::newRow("absolute") << "/srv/zv"
                                  << "/srv/zv";
        QTest::newRow("relative") << "Zirrova/2026"
                                  << "Zirrova/2026";
    }

    void startDirectoryPath() {
        QFETCH(QString, given);
        QFETCH(QString, path);
        QCOMPARE(QString::fromStdString(
                     zv::startDirectoryPath(given.toStdString(), "/home/pilot").string()),
                 path);
    }

    // The first start: the directory and its parents are made and become the current
    // directory; a directory that is there already is simply entered.
    void aMissingStartDirectoryIsMadeAndEntered() {
        const QString before = QDir::currentPath();
        test::TempDir root;
        const fs::path dir = root.path() / "home" / "Zirrova";
        for (int start = 0; start < 2; ++start) {
            const auto refusal = enterStartDirectory(dir);
            QVERIFY2(!refusal, refusal.value_or("").c_str());
            QVERIFY(fs::is_directory(dir));
            QCOMPARE(fs::current_path(), dir);
            QVERIFY(QDir::setCurrent(before));
        }
    }

    void aStartDirectoryThatCannotBeMadeIsRefused_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("dir");
        QTest::newRow("a file of that name") << "Zirrova"
                                             << "Zirrova";
        QTest::newRow("a file in the path") << "home"
                                            << "home/Zirrova";
    }

    void aStartDirectoryThatCannotBeMadeIsRefused() {
        QFETCH(QString, file);
        QFETCH(QString, dir);
        const QString before = QDir::currentPath();
        test::TempDir root;
        test::writeBytes(root.path() / file.toStdString(), "not a directory");
        const fs::path target = root.path() / dir.toStdString();
        const auto refusal = enterStartDirectory(target);
        QVERIFY(refusal);
        QCOMPARE(QString::fromStdString(*refusal),
                 QString::fromStdString("Das Startverzeichnis\n" + target.string() +
                                        "\nlässt sich nicht anlegen: eine Datei steht im Weg."));
        QCOMPARE(QDir::currentPath(), before);
    }

    // The window icon is the drawing of icons/zv.svg: the blue disc with transparent
    // corners, at every size the desktop asks for.
    void theProgramIconIsTheDrawing() {
        const QIcon icon = icons::program();
        for (const int size : {16, 32, 48, 256}) {
            const QImage image = icon.pixmap(size, size).toImage();
            QCOMPARE(image.size(), QSize(size, size));
            QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
            const QColor disc = image.pixelColor(size / 2, size * 3 / 32);
            QCOMPARE(disc, QColor(0x1e, 0x5a, 0xaa));
        }
    }
};

} // namespace zv

QTEST_MAIN(zv::ProgramStartTest)
#include "program_start_test.moc"
