#include "ui/zv_doc.h"

#include "formats/cp1252.h"
#include "formats/regular_file.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextDocument>
#include <cstdint>

namespace zv {

namespace {

// The line end that followed a block when it was loaded; the last block of a document
// carries an empty one (the file ended there).
class LineEndData : public QTextBlockUserData {
public:
    explicit LineEndData(QByteArray end) : end(std::move(end)) {}
    QByteArray end;
};

QString bytesToText(const QByteArray& bytes) {
    const std::string utf8 = cp1252ToUtf8(std::string_view(bytes.constData(), bytes.size()));
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QByteArray textToBytes(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    const std::string bytes = utf8ToCp1252(std::string_view(utf8.constData(), utf8.size()));
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

} // namespace

DecodedText decodeText(const QByteArray& bytes) {
    DecodedText decoded;
    QByteArray line;
    QStringList lines;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        if (c != '\r' && c != '\n') {
            line.append(c);
            continue;
        }
        QByteArray end(1, c);
        if (c == '\r' && i + 1 < bytes.size() && bytes.at(i + 1) == '\n') {
            end = "\r\n";
            ++i;
        }
        lines << bytesToText(line);
        decoded.lineEnds << end;
        line.clear();
    }
    lines << bytesToText(line);
    decoded.text = lines.join(QLatin1Char('\n'));
    decoded.defaultLineEnd =
        decoded.lineEnds.isEmpty() ? QByteArray("\r\n") : decoded.lineEnds.first();
    return decoded;
}

void setDocumentText(QTextDocument& document, const DecodedText& decoded) {
    document.setPlainText(decoded.text);
    int index = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next(), ++index) {
        block.setUserData(new LineEndData(
            index < decoded.lineEnds.size() ? decoded.lineEnds.at(index) : QByteArray()));
    }
    document.setModified(false);
}

QByteArray documentBytes(const QTextDocument& document, const QByteArray& defaultLineEnd) {
    QByteArray bytes;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        bytes += textToBytes(block.text());
        const auto* data = dynamic_cast<const LineEndData*>(block.userData());
        if (block.next().isValid()) {
            bytes += (data && !data->end.isEmpty()) ? data->end : defaultLineEnd;
        } else if (data) {
            bytes += data->end;
        }
    }
    return bytes;
}

CZvView::CZvView(QWidget* parent) : QPlainTextEdit(parent) {
    // Long lines scroll sideways, so the columns of the files stay intact.
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setWordWrapMode(QTextOption::NoWrap);
    // Until the user chooses a font, a fixed-pitch one keeps the columns of the instrument
    // files aligned.
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

bool CZvDoc::load(const QString& path, QString& error) {
    // Only a regular file: opening a FIFO would wait for a writer for ever, and a device
    // such as /dev/zero has no end.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        error = QStringLiteral("Das ist keine gewöhnliche Datei.");
        return false;
    }
    if (static_cast<std::uintmax_t>(info.size()) > maxReadableFileSize) {
        error = QStringLiteral("Die Datei ist größer als 1 GiB.");
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = file.errorString();
        return false;
    }
    const DecodedText decoded = decodeText(bytes);
    setDocumentText(*view_.document(), decoded);
    defaultLineEnd_ = decoded.defaultLineEnd;
    path_ = path;
    return true;
}

bool CZvDoc::save(const QString& path, QString& error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    const QByteArray bytes = documentBytes(*view_.document(), defaultLineEnd_);
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        error = file.errorString();
        return false;
    }
    path_ = path;
    view_.document()->setModified(false);
    return true;
}

QString CZvDoc::title() const {
    return QFileInfo(path_).fileName();
}

bool CZvDoc::isModified() const {
    return view_.document()->isModified();
}

CChildFrame::CChildFrame(QWidget* parent)
    : QMdiSubWindow(parent), view_(new CZvView(this)), document_(*view_) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(view_);
    connect(view_->document(), &QTextDocument::modificationChanged, this,
            &QMdiSubWindow::setWindowModified);
}

QString CChildFrame::canonicalPath() const {
    return QFileInfo(document_.path()).canonicalFilePath();
}

void CChildFrame::updateTitle() {
    setWindowTitle(document_.title() + QStringLiteral("[*]"));
    setWindowModified(document_.isModified());
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    bool accept = true;
    emit closeRequested(this, &accept);
    if (accept) {
        event->accept();
    } else {
        event->ignore();
    }
}

} // namespace zv
