// The document commands of the main window: opening, saving, printing, the font and
// find/replace of the text windows.
#include "app/command_enable.h"
#include "formats/precious_files.h"
#include "ui/about_help.h"
#include "ui/find_replace_dialog.h"
#include "ui/main_frame.h"
#include "ui/page_setup.h"
#include "ui/zv_doc.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QTimer>
#include <cmath>

namespace zv {

namespace {

QFont fontOf(const FontRecord& record) {
    QFont font(record.faceName);
    font.setPixelSize(std::max(1, std::abs(record.height)));
    font.setWeight(
        static_cast<QFont::Weight>(record.weight <= 0 ? 400 : std::min(record.weight, 1000)));
    font.setItalic(record.italic != 0);
    font.setUnderline(record.underline != 0);
    if ((record.pitchAndFamily & 3) == 1) {
        font.setFixedPitch(true);
        font.setStyleHint(QFont::TypeWriter);
    }
    return font;
}

FontRecord fontRecordOf(const QFont& font, const FontRecord& previous) {
    FontRecord record = previous;
    const int pixels = font.pixelSize() > 0
                           ? font.pixelSize()
                           : static_cast<int>(std::lround(font.pointSizeF() * 96.0 / 72.0));
    record.height = -std::max(1, pixels);
    record.weight = font.weight();
    record.italic = font.italic() ? 1 : 0;
    record.underline = font.underline() ? 1 : 0;
    // Fixed pitch with the modern family, or variable pitch with the swiss family.
    record.pitchAndFamily = font.fixedPitch() ? 0x31 : 0x22;
    record.faceName = font.family().left(31);
    return record;
}

void applyMargins(QPrinter& printer, const PrintMargins& margins) {
    const auto mm = [](int twips) { return twips / 1440.0 * 25.4; };
    printer.setPageMargins(
        QMarginsF(mm(margins.left), mm(margins.top), mm(margins.right), mm(margins.bottom)),
        QPageLayout::Millimeter);
}

} // namespace

QList<CChildFrame*> CMainFrame::documents() const {
    QList<CChildFrame*> frames;
    for (QMdiSubWindow* window : mdi_->subWindowList()) {
        if (auto* frame = qobject_cast<CChildFrame*>(window); frame && !frame->isHidden()) {
            frames << frame;
        }
    }
    return frames;
}

CChildFrame* CMainFrame::activeDocument() const {
    auto* frame = qobject_cast<CChildFrame*>(mdi_->activeSubWindow());
    if (frame && !frame->isHidden()) {
        return frame;
    }
    return nullptr;
}

CChildFrame* CMainFrame::openDocument(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (!canonical.isEmpty()) {
        for (CChildFrame* frame : documents()) {
            if (frame->canonicalPath() == canonical) {
                mdi_->setActiveSubWindow(frame);
                frame->showMaximized();
                return frame;
            }
        }
    }
    auto* frame = new CChildFrame;
    QString error;
    if (!frame->document().load(path, error)) {
        delete frame;
        ui_.message("Die Datei " + path.toStdString() + " kann nicht geöffnet werden.\n" +
                        error.toStdString(),
                    Icon::Stop);
        return nullptr;
    }
    if (workspace_.font.height != 0) {
        frame->view()->setFont(fontOf(workspace_.font));
    }
    frame->view()->setPrintMargins(workspace_.margins);
    connect(frame, &CChildFrame::closeRequested, this, &CMainFrame::documentCloseRequested);
    connect(frame->view()->document(), &QTextDocument::modificationChanged, this,
            [this] { updateCommands(); });
    mdi_->addSubWindow(frame);
    frame->updateTitle();
    frame->showMaximized();
    mdi_->setActiveSubWindow(frame);
    noteDocumentOpened(settings_, path.toStdString());
    addRecentFile(QFileInfo(path).absoluteFilePath());
    updateCommands();
    return frame;
}

bool CMainFrame::maybeSave(CChildFrame* frame) {
    if (!frame->document().isModified()) {
        return true;
    }
    mdi_->setActiveSubWindow(frame);
    const Answer answer =
        ui_.ask("Änderungen in " + frame->document().title().toStdString() + " speichern?",
                Icon::Exclamation, Buttons::YesNoCancel);
    if (answer == Answer::Yes) {
        return saveDocument(frame);
    }
    return answer == Answer::No;
}

void CMainFrame::documentCloseRequested(CChildFrame* frame, bool* accept) {
    if (!discardOnClose_ && !maybeSave(frame)) {
        *accept = false;
        return;
    }
    noteDocumentClosing(settings_, frame->document().title().toStdString());
    // The window is still in the list until it is gone; look again afterwards.
    QTimer::singleShot(0, this, &CMainFrame::updateCommands);
}

bool CMainFrame::closeAllDocuments(bool ask) {
    discardOnClose_ = !ask;
    for (CChildFrame* frame : documents()) {
        frame->close();
    }
    discardOnClose_ = false;
    updateCommands();
    return documents().isEmpty();
}

void CMainFrame::openAnyFile() {
    const QString path = QFileDialog::getOpenFileName(this, QString(), QString(),
                                                      QStringLiteral("Alle Dateien (*)"));
    if (!path.isEmpty()) {
        openDocument(path);
    }
}

void CMainFrame::closeDocument() {
    if (CChildFrame* frame = activeDocument()) {
        frame->close();
    }
}

bool CMainFrame::saveDocument(CChildFrame* frame) {
    if (!frame) {
        return false;
    }
    if (frame->document().path().isEmpty()) {
        return saveDocumentAs(frame);
    }
    return writeDocument(frame, frame->document().path());
}

bool CMainFrame::writeDocument(CChildFrame* frame, const QString& path) {
    // The logbook, the lift database, their backups and settings.ini are saved from the
    // text window under their lock, as every command that changes them is.
    std::optional<FileLock> lock;
    if (!preciousTargetRefusal(settings_, path.toStdString()).empty()) {
        lock = lockForChange(path.toStdString(), {}, ui_);
        if (!lock) {
            return false;
        }
    }
    QString error;
    if (!frame->document().save(path, error)) {
        ui_.message("Die Datei " + path.toStdString() + " konnte nicht gespeichert werden.\n" +
                        error.toStdString(),
                    Icon::Stop);
        return false;
    }
    return true;
}

bool CMainFrame::saveDocumentAs(CChildFrame* frame) {
    if (!frame) {
        return false;
    }
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Speichern unter"),
                                     frame->document().path(), QStringLiteral("Alle Dateien (*)"));
    if (path.isEmpty()) {
        return false;
    }
    if (!writeDocument(frame, path)) {
        return false;
    }
    frame->updateTitle();
    addRecentFile(QFileInfo(path).absoluteFilePath());
    updateCommands();
    return true;
}

void CMainFrame::printDocument() {
    CChildFrame* frame = activeDocument();
    if (!frame) {
        return;
    }
    applyMargins(*printer_, frame->view()->printMargins());
    printer_->setDocName(frame->document().title());
    QPrintDialog dialog(printer_.get(), this);
    if (dialog.exec() == QDialog::Accepted) {
        frame->view()->print(printer_.get());
    }
}

void CMainFrame::printPreview() {
    CChildFrame* frame = activeDocument();
    if (!frame) {
        return;
    }
    applyMargins(*printer_, frame->view()->printMargins());
    QPrintPreviewDialog preview(printer_.get(), this);
    preview.setWindowTitle(QStringLiteral("Seitenansicht"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [frame](QPrinter* printer) { frame->view()->print(printer); });
    preview.exec();
}

void CMainFrame::printerSetup() {
    QPrintDialog dialog(printer_.get(), this);
    dialog.setWindowTitle(QStringLiteral("Druckereinrichtung"));
    dialog.exec();
}

void CMainFrame::pageSetup() {
    PageSetupDialog dialog(workspace_.margins, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    workspace_.margins = dialog.margins();
    if (CChildFrame* frame = activeDocument()) {
        frame->view()->setPrintMargins(workspace_.margins);
    }
}

void CMainFrame::chooseFont() {
    CChildFrame* frame = activeDocument();
    if (!frame) {
        return;
    }
    const std::unique_ptr<QFontDialog> dialog = makeFontDialog(frame->view()->font(), this);
    if (dialog->exec() != QDialog::Accepted) {
        return;
    }
    const QFont font = dialog->selectedFont();
    // The active window and the windows opened later; the others keep theirs.
    frame->view()->setFont(font);
    workspace_.font = fontRecordOf(font, workspace_.font);
}

void CMainFrame::showFind(bool replace) {
    FindReplaceDialog*& dialog = replace ? replaceDialog_ : findDialog_;
    if (!dialog) {
        dialog = new FindReplaceDialog(
            replace,
            [this]() -> QPlainTextEdit* {
                CChildFrame* frame = activeDocument();
                return frame ? frame->view() : nullptr;
            },
            this);
    }
    if (CChildFrame* frame = activeDocument()) {
        const QString selected = frame->view()->textCursor().selectedText();
        if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator)) {
            dialog->setFindText(selected);
        }
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

std::unique_ptr<QFontDialog> makeFontDialog(const QFont& current, QWidget* parent) {
    // Only monospaced fonts keep the columns of the instrument files.
    QFont start = current;
    if (!QFontInfo(start).fixedPitch()) {
        // The system's fixed font under the name of the family it resolves to ("monospace"
        // is an alias the dialog does not list).
        const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        start = QFont(QFontInfo(fixed).family(), fixed.pointSize());
    }
    auto dialog = std::make_unique<QFontDialog>(parent);
    dialog->setWindowTitle(QStringLiteral("Schriftart"));
    setHelpSection(dialog.get(), QString::fromLatin1(help::textWindows));
    dialog->setOption(QFontDialog::MonospacedFonts);
    dialog->setCurrentFont(start);
    // The dialog picks the style by name and takes the first of the family when the name
    // is not one of its styles ("Oblique" before "Book"): keep an upright font upright.
    const QFont shown = dialog->currentFont();
    if (!start.italic() && shown.italic()) {
        const QString family = shown.family();
        for (const QString& style : QFontDatabase::styles(family)) {
            const QFont candidate = QFontDatabase::font(family, style, shown.pointSize());
            if (!candidate.italic() && candidate.weight() == start.weight()) {
                dialog->setCurrentFont(candidate);
                break;
            }
        }
    }
    return dialog;
}

} // namespace zv
