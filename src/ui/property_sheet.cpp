#include "ui/property_sheet.h"

#include "base/user_interface.h"
#include "formats/precious_files.h"
#include "platform/serial_devices.h"
#include "ui/about_help.h"
#include "ui/path_chooser_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QValidator>

namespace zv {

namespace {

// An entry that accepts no more characters than its limit while typing; a longer value
// that comes from the settings is still shown (and refused when the page is left), and
// typing never makes it longer than it came.
class LengthLimit : public QValidator {
public:
    LengthLimit(int limit, QObject* parent) : QValidator(parent), limit_(limit), allowed_(limit) {}
    // Called before the sheet shows a value from the settings.
    void allowShown(qsizetype length) const { allowed_ = std::max<qsizetype>(limit_, length); }
    State validate(QString& input, int&) const override {
        if (input.size() > allowed_) {
            return Invalid;
        }
        allowed_ = std::max<qsizetype>(limit_, input.size());
        return Acceptable;
    }

private:
    qsizetype limit_;
    mutable qsizetype allowed_;
};

// Shows a value in an entry, also one longer than the entry's limit.
void showText(QLineEdit* edit, const QString& text) {
    if (const auto* limit = dynamic_cast<const LengthLimit*>(edit->validator())) {
        limit->allowShown(text.size());
    }
    edit->setText(text);
}

QLineEdit* entry(QWidget* parent, const char* name, int limit = 0) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    if (limit > 0) {
        edit->setValidator(new LengthLimit(limit, edit));
    }
    edit->setMinimumWidth(300);
    return edit;
}

QPushButton* browse(QWidget* parent, const char* name) {
    auto* button = new QPushButton(QStringLiteral("..."), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFixedWidth(32);
    return button;
}

// A group with one entry and its "..." button.
QGroupBox* pathGroup(const QString& title, QLineEdit* edit, QPushButton* button, QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    auto* row = new QHBoxLayout(group);
    row->addWidget(edit);
    if (button) {
        row->addWidget(button);
    }
    return group;
}

// An editable list of the serial ports present, showing the device stored for the port.
QComboBox* deviceChoice(QWidget* parent, int port, const QStringList& present) {
    auto* box = new QComboBox(parent);
    box->setObjectName(port == 0 ? QStringLiteral("deviceCom1") : QStringLiteral("deviceCom2"));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(present);
    box->setCurrentText(profileSerialDevice(port));
    box->setMinimumWidth(220);
    return box;
}

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}
std::string toUtf8(const QLineEdit* edit) {
    return edit->text().toStdString();
}

} // namespace

CMyPropertySheet::CMyPropertySheet(const AppSettings& settings, UserInterface& ui, QWidget* parent)
    : QDialog(parent), settings_(settings), ui_(ui), tabs_(new QTabWidget(this)) {
    setWindowTitle(QStringLiteral("Eigenschaftsblatt"));
    pathChooser_ = [this](const QString& title) {
        CPathChooserDialog chooser(title, this);
        return chooser.exec() == QDialog::Accepted ? chooser.chosenPath() : QString();
    };

    tabs_->addTab(buildLogbookPage(), QStringLiteral("Flugbuch"));
    tabs_->addTab(buildWaypointsPage(), QStringLiteral("Wegpunkte"));
    tabs_->addTab(buildOtherDirsPage(), QStringLiteral("Andere Verzeichnisse"));
    zirrovaPage_ = buildZirrovaPage();
    tabs_->addTab(zirrovaPage_, QStringLiteral("Zirrova"));

    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    apply_ = buttons->button(QDialogButtonBox::Apply);
    apply_->setEnabled(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &CMyPropertySheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(apply_, &QPushButton::clicked, this, &CMyPropertySheet::apply);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);

    showEntries(settingsEntries(settings));

    // Editing the main file or the first flight number marks the sheet as changed.
    for (QLineEdit* edit : {logbookFile_, firstFlightNumber_}) {
        connect(edit, &QLineEdit::textEdited, this, [this] { apply_->setEnabled(true); });
    }
    connect(tabs_, &QTabWidget::currentChanged, this, &CMyPropertySheet::pageChanged);
    // F1: the settings, and on the page "Zirrova" the serial line of this computer.
    const auto helpOfPage = [this](int index) {
        setHelpSection(this,
                       QString::fromLatin1(tabs_->widget(index) == zirrovaPage_ ? help::serialLine
                                                                                : help::settings));
    };
    connect(tabs_, &QTabWidget::currentChanged, this, helpOfPage);
    helpOfPage(tabs_->currentIndex());

    connectBrowseButtons();
}

// The page "Flugbuch": the main logbook, its numbering and directory.
QWidget* CMyPropertySheet::buildLogbookPage() {
    auto* page = new QWidget(tabs_);
    logbookFile_ = entry(page, "logbookFile", maxPathChars);
    firstFlightNumber_ = entry(page, "firstFlightNumber");
    logbookDir_ = entry(page, "logbookDir", maxPathChars);
    flightsPerPage_ = entry(page, "flightsPerPage");
    browseLogbook_ = browse(page, "browseLogbookFile");
    {
        auto* group = new QGroupBox(QStringLiteral("Flugbuch-Einstellungen"), page);
        auto* grid = new QGridLayout(group);
        grid->addWidget(new QLabel(QStringLiteral("Hauptdatei"), group), 0, 0);
        grid->addWidget(logbookFile_, 0, 1);
        grid->addWidget(browseLogbook_, 0, 2);
        grid->addWidget(new QLabel(QStringLiteral("1. Flug Nr."), group), 1, 0);
        grid->addWidget(firstFlightNumber_, 1, 1);
        grid->addWidget(new QLabel(QStringLiteral("Pfad für Flugbuchdateien:"), group), 2, 0);
        grid->addWidget(logbookDir_, 2, 1);
        grid->addWidget(new QLabel(QStringLiteral("Flüge / Seite"), group), 3, 0);
        grid->addWidget(flightsPerPage_, 3, 1);
        auto* layout = new QVBoxLayout(page);
        layout->addWidget(group);
        layout->addStretch();
    }
    return page;
}

// The page "Wegpunkte": the directories of routes, waypoints and OziExplorer files.
QWidget* CMyPropertySheet::buildWaypointsPage() {
    auto* page = new QWidget(tabs_);
    routeDir_ = entry(page, "routeDir", maxPathChars);
    waypointDir_ = entry(page, "waypointDir", maxPathChars);
    oziDir_ = entry(page, "oziDir", maxPathChars);
    browseRouteDir_ = browse(page, "browseRouteDir");
    browseWaypointDir_ = browse(page, "browseWaypointDir");
    browseOziDir_ = browse(page, "browseOziDir");
    {
        auto* layout = new QVBoxLayout(page);
        layout->addWidget(
            pathGroup(QStringLiteral("Pfad für Routen"), routeDir_, browseRouteDir_, page));
        layout->addWidget(pathGroup(QStringLiteral("Pfad für Zv-Wegpunkte und Flüge (*.zvc)"),
                                    waypointDir_, browseWaypointDir_, page));
        layout->addWidget(
            pathGroup(QStringLiteral("Pfad für Ozi-Wegpunkte und Track-Plots (*.plt)"), oziDir_,
                      browseOziDir_, page));
        layout->addStretch();
    }
    return page;
}

// The page "Andere Verzeichnisse": the programs, lifts and takeoff sites.
QWidget* CMyPropertySheet::buildOtherDirsPage() {
    auto* page = new QWidget(tabs_);
    oziExplorerPath_ = entry(page, "oziExplorerPath", maxPathChars);
    liftDir_ = entry(page, "liftDir", maxPathChars);
    liftDatabase_ = entry(page, "liftDatabase", maxLiftDatabaseChars);
    takeoffDir_ = entry(page, "takeoffDir", maxPathChars);
    zvView_ = entry(page, "zvViewPath");
    browseOziExplorer_ = browse(page, "browseOziExplorer");
    browseLiftDatabase_ = browse(page, "browseLiftDatabase");
    browseTakeoffDir_ = browse(page, "browseTakeoffDir");
    browseZvView_ = browse(page, "browseZvView");
    {
        auto* layout = new QVBoxLayout(page);
        layout->addWidget(
            pathGroup(QStringLiteral("OziExplorer"), oziExplorerPath_, browseOziExplorer_, page));
        auto* lifts = new QGroupBox(QStringLiteral("Pfad für Aufwinde und Lines"), page);
        auto* grid = new QGridLayout(lifts);
        grid->addWidget(liftDir_, 0, 0, 1, 2);
        grid->addWidget(browseLiftDatabase_, 0, 2);
        grid->addWidget(new QLabel(QStringLiteral("Aufwinddatenbank:"), lifts), 1, 0);
        grid->addWidget(liftDatabase_, 1, 1);
        layout->addWidget(lifts);
        layout->addWidget(pathGroup(QStringLiteral("Pfad für Startplätze"), takeoffDir_,
                                    browseTakeoffDir_, page));
        layout->addWidget(
            pathGroup(QStringLiteral("Pfad für ZvView"), zvView_, browseZvView_, page));
        layout->addStretch();
    }
    return page;
}

// The page "Zirrova": the port and the serial number of the instrument.
QWidget* CMyPropertySheet::buildZirrovaPage() {
    auto* page = new QWidget(tabs_);
    com1_ = new QRadioButton(QStringLiteral("COM1"), page);
    com2_ = new QRadioButton(QStringLiteral("COM2"), page);
    serialNumber_ = entry(page, "serialNumber");
    {
        const QStringList present = presentSerialDevices();
        device1_ = deviceChoice(page, 0, present);
        device2_ = deviceChoice(page, 1, present);
        auto* port = new QGroupBox(QStringLiteral("Port"), page);
        auto* ports = new QGridLayout(port);
        ports->addWidget(com1_, 0, 0);
        ports->addWidget(new QLabel(QStringLiteral("Gerät:"), port), 0, 1);
        ports->addWidget(device1_, 0, 2);
        ports->addWidget(com2_, 1, 0);
        ports->addWidget(new QLabel(QStringLiteral("Gerät:"), port), 1, 1);
        ports->addWidget(device2_, 1, 2);
        ports->setColumnStretch(2, 1);
        auto* serial = new QGroupBox(QStringLiteral("Serien Nr."), page);
        auto* serialRow = new QHBoxLayout(serial);
        serialRow->addWidget(serialNumber_);
        auto* layout = new QVBoxLayout(page);
        layout->addWidget(port);
        layout->addWidget(serial);
        layout->addStretch();
    }
    return page;
}

// The "..." buttons: a file or a directory for their entry.
void CMyPropertySheet::connectBrowseButtons() {
    connect(browseLogbook_, &QPushButton::clicked, this, [this] {
        browseFile(SettingsField::LogbookFile, logbookDir_, "Flugbuch (*.log) |*.log||", "log");
    });
    connect(browseLiftDatabase_, &QPushButton::clicked, this, [this] {
        browseFile(SettingsField::LiftDatabase, liftDir_, "Aufwinde (*.lft) |*.lft||", "lft");
    });
    connect(browseOziExplorer_, &QPushButton::clicked, this,
            [this] { browseFile(SettingsField::OziExplorerPath, nullptr, "", ""); });
    connect(browseZvView_, &QPushButton::clicked, this,
            [this] { browseFile(SettingsField::OziExplorerPath, zvView_, "", ""); });
    connect(browseRouteDir_, &QPushButton::clicked, this,
            [this] { browseDirectory(routeDir_, QStringLiteral("Pfad zu den Zv-Routen wählen")); });
    connect(browseWaypointDir_, &QPushButton::clicked, this, [this] {
        browseDirectory(waypointDir_, QStringLiteral("Pfad zu den Zv-Wegpunkten wählen"));
    });
    connect(browseOziDir_, &QPushButton::clicked, this, [this] {
        browseDirectory(oziDir_, QStringLiteral("Pfad zu den Ozi-Wegpunkten wählen"));
    });
    connect(browseTakeoffDir_, &QPushButton::clicked, this, [this] {
        browseDirectory(takeoffDir_, QStringLiteral("Pfad zu den Startplatz-Daten wählen"));
    });
}

QLineEdit* CMyPropertySheet::edit(SettingsField field) const {
    switch (field) {
    case SettingsField::LogbookFile:
        return logbookFile_;
    case SettingsField::FirstFlightNumber:
        return firstFlightNumber_;
    case SettingsField::LogbookDir:
        return logbookDir_;
    case SettingsField::FlightsPerPage:
        return flightsPerPage_;
    case SettingsField::RouteDir:
        return routeDir_;
    case SettingsField::WaypointDir:
        return waypointDir_;
    case SettingsField::OziDir:
        return oziDir_;
    case SettingsField::OziExplorerPath:
        return oziExplorerPath_;
    case SettingsField::LiftDir:
        return liftDir_;
    case SettingsField::LiftDatabase:
        return liftDatabase_;
    case SettingsField::TakeoffDir:
        return takeoffDir_;
    case SettingsField::SerialNumber:
        return serialNumber_;
    }
    return nullptr;
}

QPushButton* CMyPropertySheet::browseButton(SettingsField field) const {
    switch (field) {
    case SettingsField::LogbookFile:
    case SettingsField::LogbookDir:
        return browseLogbook_;
    case SettingsField::RouteDir:
        return browseRouteDir_;
    case SettingsField::WaypointDir:
        return browseWaypointDir_;
    case SettingsField::OziDir:
        return browseOziDir_;
    case SettingsField::OziExplorerPath:
        return browseOziExplorer_;
    case SettingsField::LiftDir:
    case SettingsField::LiftDatabase:
        return browseLiftDatabase_;
    case SettingsField::TakeoffDir:
        return browseTakeoffDir_;
    default:
        return nullptr;
    }
}

SettingsEntries CMyPropertySheet::entries() const {
    SettingsEntries entries;
    entries.logbookFile = toUtf8(logbookFile_);
    entries.firstFlightNumber = toUtf8(firstFlightNumber_);
    entries.logbookDir = toUtf8(logbookDir_);
    entries.flightsPerPage = toUtf8(flightsPerPage_);
    entries.routeDir = toUtf8(routeDir_);
    entries.waypointDir = toUtf8(waypointDir_);
    entries.oziDir = toUtf8(oziDir_);
    entries.oziExplorerPath = toUtf8(oziExplorerPath_);
    entries.liftDir = toUtf8(liftDir_);
    entries.liftDatabase = toUtf8(liftDatabase_);
    entries.takeoffDir = toUtf8(takeoffDir_);
    entries.zvViewPath = toUtf8(zvView_);
    entries.comPort = com2_->isChecked() ? 1 : 0;
    entries.serialNumber = toUtf8(serialNumber_);
    return entries;
}

void CMyPropertySheet::showEntries(const SettingsEntries& entries) {
    showText(logbookFile_, fromUtf8(entries.logbookFile));
    showText(firstFlightNumber_, fromUtf8(entries.firstFlightNumber));
    showText(logbookDir_, fromUtf8(entries.logbookDir));
    showText(flightsPerPage_, fromUtf8(entries.flightsPerPage));
    showText(routeDir_, fromUtf8(entries.routeDir));
    showText(waypointDir_, fromUtf8(entries.waypointDir));
    showText(oziDir_, fromUtf8(entries.oziDir));
    showText(oziExplorerPath_, fromUtf8(entries.oziExplorerPath));
    showText(liftDir_, fromUtf8(entries.liftDir));
    showText(liftDatabase_, fromUtf8(entries.liftDatabase));
    showText(takeoffDir_, fromUtf8(entries.takeoffDir));
    showText(zvView_, fromUtf8(entries.zvViewPath));
    (entries.comPort == 1 ? com2_ : com1_)->setChecked(true);
    showText(serialNumber_, fromUtf8(entries.serialNumber));
}

bool CMyPropertySheet::checkPage(int page) {
    const auto problem = checkSettingsPage(static_cast<SettingsPage>(page), entries());
    if (!problem) {
        return true;
    }
    if (tabs_->currentIndex() != page) {
        reverting_ = true;
        tabs_->setCurrentIndex(page);
        currentPage_ = page;
        reverting_ = false;
    }
    ui_.message(problem->message, Icon::Exclamation);
    QLineEdit* field = edit(problem->field);
    field->setFocus();
    field->selectAll();
    return false;
}

void CMyPropertySheet::pageChanged(int index) {
    if (reverting_) {
        return;
    }
    const int left = currentPage_;
    currentPage_ = index;
    // The page that was left must pass its checks, or it comes back.
    checkPage(left);
}

void CMyPropertySheet::apply() {
    if (checkPage(tabs_->currentIndex())) {
        apply_->setEnabled(false);
    }
}

void CMyPropertySheet::accept() {
    // The page in front first, then the others: nothing unchecked reaches the settings.
    const int current = tabs_->currentIndex();
    if (!checkPage(current)) {
        return;
    }
    for (int page = 0; page < tabs_->count(); ++page) {
        if (page != current && !checkPage(page)) {
            return;
        }
    }
    // No two of the logbook's and the lift database's files may be one file (one base
    // name in one directory gives both one backup): the sheet stays open.
    AppSettings entered = settings_;
    applySettingsEntries(entries(), entered);
    if (const std::string refusal = sharedPathRefusal(entered); !refusal.empty()) {
        ui_.message(refusal, Icon::Exclamation);
        return;
    }
    // The devices go straight to the per-user profile; the settings record knows only
    // COM1 and COM2.
    for (int port = 0; port < 2; ++port) {
        setProfileSerialDevice(port, deviceBox(port)->currentText().trimmed());
    }
    QDialog::accept();
}

void CMyPropertySheet::browseFile(SettingsField field, QLineEdit* target, const char* filter,
                                  const char* extension) {
    // The entries typed so far on the page stay as they are; only the target changes.
    FileDialogRequest request;
    request.filter = filter;
    request.defaultExtension = extension;
    request.mustExist = true;
    const auto chosen = ui_.chooseFiles(request);
    if (chosen.empty()) {
        return;
    }
    const QString path = QString::fromStdString(chosen.front().string());
    if (field == SettingsField::LogbookFile || field == SettingsField::LiftDatabase) {
        // Split at the last separator: the directory without it, and the bare name.
        const qsizetype cut = path.lastIndexOf(QLatin1Char('/'));
        showText(edit(field), path.mid(cut + 1));
        showText(target, cut < 0 ? QString() : path.left(cut));
    } else {
        showText(target ? target : oziExplorerPath_, path);
    }
}

void CMyPropertySheet::browseDirectory(QLineEdit* target, const QString& title) {
    const QString chosen = pathChooser_(title);
    if (!chosen.isEmpty()) {
        showText(target, chosen);
    }
}

} // namespace zv
