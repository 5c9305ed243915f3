#include "ui/path_chooser_dialog.h"

#include "ui/about_help.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStyle>
#include <QVBoxLayout>

namespace zv {

namespace {

constexpr int maxPathLength = 259;

// /proc/mounts writes blanks, tabs, newlines and backslashes in octal.
QString unescapeMountPath(const QByteArray& field) {
    QByteArray out;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field.at(i) == '\\' && i + 3 < field.size()) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                out.append(static_cast<char>(code));
                i += 3;
                continue;
            }
        }
        out.append(field.at(i));
    }
    return QFile::decodeName(out);
}

bool kernelArea(const QString& path) {
    for (const char* area : {"/proc", "/sys", "/dev", "/run"}) {
        const QString prefix = QString::fromLatin1(area);
        if (path == prefix || path.startsWith(prefix + QLatin1Char('/'))) {
            return true;
        }
    }
    return false;
}

QString parentOf(const QString& dir) {
    QDir d(dir);
    return d.cdUp() ? d.absolutePath() : dir;
}

} // namespace

QStringList mountPoints() {
    QStringList points{QStringLiteral("/")};
    QFile mounts(QStringLiteral("/proc/mounts"));
    if (mounts.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> lines = mounts.readAll().split('\n');
        for (const QByteArray& line : lines) {
            const QList<QByteArray> fields = line.split(' ');
            if (fields.size() < 2) {
                continue;
            }
            const QString point = unescapeMountPath(fields.at(1));
            if (!point.startsWith(QLatin1Char('/')) || kernelArea(point) ||
                points.contains(point) || !QFileInfo(point).isDir()) {
                continue;
            }
            points << point;
        }
    }
    std::sort(points.begin() + 1, points.end());
    return points;
}

QString enterDirectory(const QString& current, const QString& name) {
    if (name == QStringLiteral("..")) {
        return parentOf(current);
    }
    const QString next =
        current.endsWith(QLatin1Char('/')) ? current + name : current + QLatin1Char('/') + name;
    return next.size() > maxPathLength ? QString() : next;
}

CPathChooserDialog::CPathChooserDialog(const QString& title, QWidget* parent)
    : QDialog(parent), drives_(new QComboBox(this)), list_(new QListWidget(this)),
      current_(new QLineEdit(this)) {
    setWindowTitle(title);
    setHelpSection(this, QString::fromLatin1(help::settings));
    auto* layout = new QVBoxLayout(this);
    auto* driveLabel = new QLabel(QStringLiteral("&Laufwerk wählen"), this);
    driveLabel->setBuddy(drives_);
    auto* listLabel = new QLabel(QStringLiteral("&Pfad wählen"), this);
    listLabel->setBuddy(list_);
    auto* currentLabel = new QLabel(QStringLiteral("&aktueller Pfad:"), this);
    currentLabel->setBuddy(current_);
    layout->addWidget(driveLabel);
    layout->addWidget(drives_);
    layout->addWidget(listLabel);
    layout->addWidget(list_);
    layout->addWidget(currentLabel);
    layout->addWidget(current_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { activateEntry(item->text()); });
    connect(drives_, &QComboBox::activated, this,
            [this](int index) { chooseDrive(drives_->itemText(index)); });
    resize(360, 400);
    refreshDrives();
    relist();
}

QStringList CPathChooserDialog::entries() const {
    QStringList names;
    for (int i = 0; i < list_->count(); ++i) {
        names << list_->item(i)->text();
    }
    return names;
}

void CPathChooserDialog::activateEntry(const QString& name) {
    const QString next = enterDirectory(QDir::currentPath(), name);
    if (!next.isEmpty() && QDir::setCurrent(next)) {
        relist();
    }
}

void CPathChooserDialog::chooseDrive(const QString& mountPoint) {
    if (QDir::setCurrent(mountPoint)) {
        relist();
    }
}

void CPathChooserDialog::refreshDrives() {
    drives_->clear();
    drives_->addItems(mountPoints());
}

void CPathChooserDialog::relist() {
    const QString current = QDir::currentPath();
    // The drive holding the current directory: the longest mount point that contains it.
    int best = 0;
    for (int i = 0; i < drives_->count(); ++i) {
        const QString point = drives_->itemText(i);
        if ((current == point || current.startsWith(point + QLatin1Char('/'))) &&
            point.size() > drives_->itemText(best).size()) {
            best = i;
        }
    }
    drives_->setCurrentIndex(best);

    list_->clear();
    const QIcon folder = style()->standardIcon(QStyle::SP_DirIcon);
    if (current != QStringLiteral("/")) {
        list_->addItem(new QListWidgetItem(folder, QStringLiteral("..")));
    }
    const QStringList names =
        QDir(current).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : names) {
        list_->addItem(new QListWidgetItem(folder, name));
    }
    current_->setText(current);
    chosenPath_ = current_->text();
}

} // namespace zv
