// zv: the desktop companion of the Zirrova flight instrument.

#include "platform/profile.h"
#include "ui/command_line.h"
#include "ui/gui_app.h"
#include "ui/icons.h"
#include "ui/main_frame.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTimer>
#include <QTranslator>
#include <clocale>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> toStrings(const QStringList& arguments) {
    std::vector<std::string> strings;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        strings.push_back(arguments.at(i).toStdString());
    }
    return strings;
}

} // namespace

int main(int argc, char* argv[]) {
    // --help and --version need no screen: they are answered before Qt starts.
    {
        const zv::GuiCommandLine early =
            zv::parseGuiCommandLine(std::vector<std::string>(argv + 1, argv + argc));
        if (early.action == zv::GuiCommandLine::Action::Help) {
            std::cout << zv::guiHelpText();
            return 0;
        }
        if (early.action == zv::GuiCommandLine::Action::Version) {
            std::cout << zv::guiVersionText();
            return 0;
        }
    }

    QApplication app(argc, argv);
    // The core formats numbers the C way; Qt has set the user's locale.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("zv"));
    QApplication::setWindowIcon(zv::icons::program());
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    // What Qt left of the arguments: Qt's own options are gone.
    const zv::GuiCommandLine commandLine =
        zv::parseGuiCommandLine(toStrings(QApplication::arguments()));
    if (commandLine.action == zv::GuiCommandLine::Action::UsageError) {
        std::cerr << "zv: " << commandLine.error << "\n" << zv::guiUsageText();
        return 2;
    }

    // The standard dialogs and buttons speak German.
    QTranslator qtbase;
    if (qtbase.load(QStringLiteral("qtbase_de"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtbase);
    }

    // A file named on the command line stays the file it named in the shell's directory.
    QString file;
    if (!commandLine.file.empty()) {
        file = QDir::current().absoluteFilePath(QString::fromStdString(commandLine.file));
    }
    if (!commandLine.startDir.empty()) {
        const std::filesystem::path dir = zv::startDirectoryPath(
            commandLine.startDir, std::filesystem::path(QDir::homePath().toStdString()));
        if (const auto refusal = zv::enterStartDirectory(dir)) {
            QMessageBox::critical(nullptr, QStringLiteral("zv"), QString::fromStdString(*refusal));
            return 1;
        }
    }

    zv::Profile::applyLocationFromEnvironment();
    zv::ZvGuiApp zvApp;
    if (!zvApp.initInstance(file)) {
        return 1;
    }
    if (commandLine.quitAfterStart) {
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    }
    const int status = QApplication::exec();
    zvApp.exitInstance();
    return status;
}
