#pragma once

// A text document window: CZvDoc (the file and its bytes), CZvView (a plain text editor
// without word wrap) and CChildFrame (the always-maximized MDI child that holds them).
//
// Files are Windows-1252 bytes. Loading keeps the line end of every line (CR LF, LF or a
// lone CR) beside the block of the editor, so that saving writes the same bytes back; lines
// the user adds get the first line end of the file (CR LF in a file without any).

#include "platform/profile.h"

#include <QByteArray>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QString>

class QTextDocument;

namespace zv {

// The text of a file as editor lines and their line ends, and back.
struct DecodedText {
    QString text;               // lines joined with '\n'
    QList<QByteArray> lineEnds; // one per '\n' of `text`
    QByteArray defaultLineEnd;  // for lines added while editing
};
DecodedText decodeText(const QByteArray& bytes);
// Fills an editor document with the decoded lines and their line ends.
void setDocumentText(QTextDocument& document, const DecodedText& decoded);
// The bytes of an editor document, with the kept line ends.
QByteArray documentBytes(const QTextDocument& document, const QByteArray& defaultLineEnd);

class CZvView : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CZvView(QWidget* parent = nullptr);

    void setPrintMargins(const PrintMargins& margins) { margins_ = margins; }
    const PrintMargins& printMargins() const { return margins_; }

private:
    PrintMargins margins_;
};

class CZvDoc {
public:
    explicit CZvDoc(CZvView& view) : view_(view) {}

    // Loads the file; false with `error` set when it cannot be read.
    bool load(const QString& path, QString& error);
    // Saves atomically; false with `error` set when it fails (the old file is untouched).
    bool save(const QString& path, QString& error);

    const QString& path() const { return path_; }
    // The file name, as the window title shows it.
    QString title() const;
    bool isModified() const;

private:
    CZvView& view_;
    QString path_;
    QByteArray defaultLineEnd_ = "\r\n";
};

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit CChildFrame(QWidget* parent = nullptr);

    CZvView* view() const { return view_; }
    CZvDoc& document() { return document_; }
    const CZvDoc& document() const { return document_; }

    // Canonical path of the file, for finding the window of an open file again.
    QString canonicalPath() const;
    void updateTitle();

signals:
    // Asked by closeEvent: the main frame decides (save question, bookkeeping).
    void closeRequested(CChildFrame* frame, bool* accept);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CZvView* view_;
    CZvDoc document_;
};

} // namespace zv
