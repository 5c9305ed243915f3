#pragma once

// "Eigenschaftsblatt": the settings sheet with its four pages. The pages edit copies of the
// fourteen settings; the record changes only when the sheet is confirmed with OK.

#include "app/settings_checks.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace zv {

class UserInterface;

class CMyPropertySheet : public QDialog {
    Q_OBJECT
public:
    // Runs the directory chooser with a title; returns the chosen path, empty on cancel.
    using PathChooser = std::function<QString(const QString& title)>;

    CMyPropertySheet(const AppSettings& settings, UserInterface& ui, QWidget* parent = nullptr);

    // The entries as the pages hold them now.
    SettingsEntries entries() const;
    void setPathChooser(PathChooser chooser) { pathChooser_ = std::move(chooser); }

    QTabWidget* tabs() const { return tabs_; }
    QPushButton* applyButton() const { return apply_; }
    QLineEdit* edit(SettingsField field) const;
    QLineEdit* zvViewEdit() const { return zvView_; }
    QRadioButton* portButton(int port) const { return port == 0 ? com1_ : com2_; }
    // The serial device that stands for COM1 (0) or COM2 (1): one of the ports present or
    // typed; kept in the per-user profile when the sheet is confirmed with OK.
    QComboBox* deviceBox(int port) const { return port == 0 ? device1_ : device2_; }

    // The browse buttons, by the field they fill.
    QPushButton* browseButton(SettingsField field) const;

    // Checks the page; shows the message and puts the cursor into the entry on failure.
    bool checkPage(int page);

public slots:
    void accept() override;

private:
    QWidget* buildLogbookPage();
    QWidget* buildWaypointsPage();
    QWidget* buildOtherDirsPage();
    QWidget* buildZirrovaPage();
    void connectBrowseButtons();
    void showEntries(const SettingsEntries& entries);
    void browseFile(SettingsField field, QLineEdit* target, const char* filter,
                    const char* extension);
    void browseDirectory(QLineEdit* target, const QString& title);
    void pageChanged(int index);
    void apply();

    AppSettings settings_; // what the entries are checked against on OK (startDir)
    UserInterface& ui_;
    PathChooser pathChooser_;
    QTabWidget* tabs_;
    QWidget* zirrovaPage_ = nullptr;
    QPushButton* apply_ = nullptr;
    int currentPage_ = 0;
    bool reverting_ = false;

    QLineEdit* logbookFile_;
    QLineEdit* firstFlightNumber_;
    QLineEdit* logbookDir_;
    QLineEdit* flightsPerPage_;
    QLineEdit* routeDir_;
    QLineEdit* waypointDir_;
    QLineEdit* oziDir_;
    QLineEdit* oziExplorerPath_;
    QLineEdit* liftDir_;
    QLineEdit* liftDatabase_;
    QLineEdit* takeoffDir_;
    QLineEdit* zvView_;
    QLineEdit* serialNumber_;
    QRadioButton* com1_;
    QRadioButton* com2_;
    QComboBox* device1_;
    QComboBox* device2_;

    QPushButton* browseLogbook_;
    QPushButton* browseRouteDir_;
    QPushButton* browseWaypointDir_;
    QPushButton* browseOziDir_;
    QPushButton* browseOziExplorer_;
    QPushButton* browseLiftDatabase_;
    QPushButton* browseTakeoffDir_;
    QPushButton* browseZvView_;
};

} // namespace zv
