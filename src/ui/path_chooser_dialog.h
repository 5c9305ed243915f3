#pragma once

// "Pfad wählen": the program's own directory chooser. It starts in the process's current
// directory and moves the current directory as the user navigates (it stays there after
// the dialog closes). The "drives" are the file system roots and mount points.

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace zv {

// The mount points of /proc/mounts worth offering ("/" first, no kernel file systems).
QStringList mountPoints();
// The directory reached from `current` by the list entry `name` ("..": the parent), or an
// empty text when that path would be longer than 259 characters.
QString enterDirectory(const QString& current, const QString& name);

class CPathChooserDialog : public QDialog {
    Q_OBJECT
public:
    explicit CPathChooserDialog(const QString& title, QWidget* parent = nullptr);

    QString chosenPath() const { return chosenPath_; }

    // The list entries as shown, for the keyboard and the tests.
    QStringList entries() const;
    void activateEntry(const QString& name);
    void chooseDrive(const QString& mountPoint);

private:
    void relist();
    void refreshDrives();

    QComboBox* drives_;
    QListWidget* list_;
    QLineEdit* current_;
    QString chosenPath_;
};

} // namespace zv
