// zv: the desktop companion of the Zirrova flight instrument.

#include "platform/profile.h"
#include "ui/gui_app.h"
#include "ui/icons.h"
#include "ui/main_frame.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <clocale>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // The core formats numbers the C way; Qt has set the user's locale.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("zv"));
    QApplication::setWindowIcon(zv::icons::program());
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    // The standard dialogs and buttons speak German.
    QTranslator qtbase;
    if (qtbase.load(QStringLiteral("qtbase_de"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtbase);
    }

    zv::Profile::applyLocationFromEnvironment();
    zv::ZvGuiApp zvApp;
    const QStringList arguments = QApplication::arguments();
    if (!zvApp.initInstance(arguments.size() > 1 ? arguments.at(1) : QString())) {
        return 1;
    }
    const int status = QApplication::exec();
    zvApp.exitInstance();
    return status;
}
