#include "ui/qt_user_interface.h"

#include "ui/about_help.h"
#include "ui/insert_flight_dialog.h"
#include "ui/lift_extract_dialog.h"
#include "ui/main_frame.h"
#include "ui/property_sheet.h"
#include "ui/time_span_dialog.h"
#include "ui/transfer_progress_dialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace zv {

namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

// F1 in a message box or file dialog opens the help of the command that shows it (or of
// the dialog it belongs to).
void takeHelpSection(QWidget* window) {
    const QString section = HelpContext::current();
    if (!section.isEmpty()) {
        setHelpSection(window, section);
    }
}

QMessageBox::Icon qtIcon(Icon icon) {
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Stop:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QStringList qtNameFilters(const std::string& stored) {
    // Pairs of description and pattern separated by "|"; "||" ends the list.
    QStringList filters;
    const QStringList parts = qt(stored).split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts.at(i).trimmed();
        const QString patterns = parts.at(i + 1).trimmed();
        if (description.isEmpty() && patterns.isEmpty()) {
            break;
        }
        QString spaced = patterns;
        spaced.replace(QLatin1Char(';'), QLatin1Char(' '));
        // QFileDialog takes the patterns from the parentheses of the description.
        if (description.endsWith(QLatin1Char('(') + spaced + QLatin1Char(')'))) {
            filters << description;
        } else {
            filters << description + QStringLiteral(" (") + spaced + QLatin1Char(')');
        }
    }
    if (filters.isEmpty()) {
        filters << QStringLiteral("Alle Dateien (*)");
    }
    return filters;
}

QtUserInterface::~QtUserInterface() {
    delete progress_.data();
}

CTransferProgressDialog* QtUserInterface::progressDialog() const {
    return progress_;
}

QWidget* QtUserInterface::dialogParent() const {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    return frame_;
}

void QtUserInterface::message(const std::string& text, Icon icon) {
    QMessageBox box(qtIcon(icon), QStringLiteral("zv"), qt(text), QMessageBox::Ok, dialogParent());
    takeHelpSection(&box);
    box.exec();
}

Answer QtUserInterface::ask(const std::string& text, Icon icon, Buttons buttons) {
    QMessageBox::StandardButtons standard = QMessageBox::Ok;
    switch (buttons) {
    case Buttons::Ok:
        standard = QMessageBox::Ok;
        break;
    case Buttons::OkCancel:
        standard = QMessageBox::Ok | QMessageBox::Cancel;
        break;
    case Buttons::YesNo:
        standard = QMessageBox::Yes | QMessageBox::No;
        break;
    case Buttons::YesNoCancel:
        standard = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        break;
    }
    QMessageBox box(qtIcon(icon), QStringLiteral("zv"), qt(text), standard, dialogParent());
    takeHelpSection(&box);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Ok:
        return Answer::Ok;
    default:
        // Escape or the close box: the safe answer.
        return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
}

std::vector<std::filesystem::path> QtUserInterface::chooseFiles(const FileDialogRequest& request) {
    QFileDialog dialog(dialogParent(), qt(request.title), qt(request.initialDir.string()));
    takeHelpSection(&dialog);
    dialog.setNameFilters(qtNameFilters(request.filter));
    // A typed name without extension gets the default one.
    dialog.setDefaultSuffix(qt(request.defaultExtension));
    if (request.save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(request.multiple ? QFileDialog::ExistingFiles
                                            : (request.mustExist ? QFileDialog::ExistingFile
                                                                 : QFileDialog::AnyFile));
    }
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (!request.initialName.empty()) {
        dialog.selectFile(qt(request.initialName));
    }
    std::vector<std::filesystem::path> paths;
    if (dialog.exec() != QDialog::Accepted) {
        return paths;
    }
    for (const QString& file : dialog.selectedFiles()) {
        paths.emplace_back(file.toStdString());
    }
    return paths;
}

void QtUserInterface::openDocument(const std::filesystem::path& path) {
    if (frame_) {
        frame_->openDocument(qt(path.string()));
    }
}

void QtUserInterface::closeAllDocuments() {
    if (frame_) {
        frame_->closeAllDocuments(true);
    }
}

void QtUserInterface::showFlightHoursChart(const FlightHoursTable& table) {
    if (frame_) {
        frame_->showFlightHoursChart(table);
    }
}

void QtUserInterface::showTakeoffSitesChart(const TakeoffSiteTable& table) {
    if (frame_) {
        frame_->showTakeoffSitesChart(table);
    }
}

void QtUserInterface::beginWait() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtUserInterface::endWait() {
    QApplication::restoreOverrideCursor();
}

CTransferProgressDialog& QtUserInterface::progress() {
    if (!progress_) {
        progress_ = new CTransferProgressDialog(frame_);
    }
    return *progress_;
}

void QtUserInterface::progressShow(const std::string& firstText, const std::string& secondText) {
    progress().showCentred(qt(firstText), qt(secondText));
}

void QtUserInterface::progressSetFirstText(const std::string& text) {
    progress().setFirstText(qt(text));
}

void QtUserInterface::progressSetSecondText(const std::string& text) {
    progress().setSecondText(qt(text));
}

void QtUserInterface::progressSetStep(int step) {
    progress().setStep(step);
}

void QtUserInterface::progressSetRange(int maximum) {
    progress().setRange(maximum);
}

void QtUserInterface::progressAdvance() {
    progress().advance();
}

void QtUserInterface::progressClose() {
    if (progress_) {
        progress_->hide();
    }
}

bool QtUserInterface::runSettingsSheet(AppSettings& settings) {
    CMyPropertySheet sheet(settings, *this, dialogParent());
    if (sheet.exec() != QDialog::Accepted) {
        return false;
    }
    applySettingsEntries(sheet.entries(), settings);
    return true;
}

bool QtUserInterface::runLiftExtractDialog(LiftExtractDialogData& data) {
    if (!frame_) {
        return false;
    }
    // The free function of the dialog, hidden here by this method's own name.
    return zv::runLiftExtractDialog(dialogParent(), frame_->settings(), *this, data);
}

bool QtUserInterface::runInsertFlightDialog(InsertFlightDialogData& data) {
    return zv::runInsertFlightDialog(dialogParent(), data);
}

bool QtUserInterface::runTimeSpanDialog(TimeSpanDialogData& data) {
    return zv::runTimeSpanDialog(dialogParent(), data);
}

} // namespace zv
