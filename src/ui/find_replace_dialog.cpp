#include "ui/find_replace_dialog.h"

#include "ui/about_help.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include <QVBoxLayout>

namespace zv {

FindReplaceDialog::FindReplaceDialog(bool replace, ActiveEditor activeEditor, QWidget* parent)
    : QDialog(parent), activeEditor_(std::move(activeEditor)), find_(new QLineEdit(this)),
      wholeWord_(new QCheckBox(QStringLiteral("Nur &ganzes Wort suchen"), this)),
      matchCase_(new QCheckBox(QStringLiteral("Groß-/&Kleinschreibung beachten"), this)) {
    setWindowTitle(replace ? QStringLiteral("Ersetzen") : QStringLiteral("Suchen"));
    setHelpSection(this, QString::fromLatin1(help::textWindows));
    setModal(false);
    auto* grid = new QGridLayout;
    auto* findLabel = new QLabel(QStringLiteral("Suchen &nach:"), this);
    findLabel->setBuddy(find_);
    grid->addWidget(findLabel, 0, 0);
    grid->addWidget(find_, 0, 1);
    if (replace) {
        replace_ = new QLineEdit(this);
        auto* replaceLabel = new QLabel(QStringLiteral("Ersetzen &durch:"), this);
        replaceLabel->setBuddy(replace_);
        grid->addWidget(replaceLabel, 1, 0);
        grid->addWidget(replace_, 1, 1);
    }
    auto* left = new QVBoxLayout;
    left->addLayout(grid);
    left->addWidget(wholeWord_);
    left->addWidget(matchCase_);
    if (!replace) {
        auto* direction = new QGroupBox(QStringLiteral("Richtung"), this);
        auto* row = new QHBoxLayout(direction);
        up_ = new QRadioButton(QStringLiteral("Nach &oben"), direction);
        auto* down = new QRadioButton(QStringLiteral("Nach &unten"), direction);
        down->setChecked(true);
        row->addWidget(up_);
        row->addWidget(down);
        left->addWidget(direction);
    }
    left->addStretch();

    auto* buttons = new QVBoxLayout;
    auto* next = new QPushButton(QStringLiteral("&Weitersuchen"), this);
    next->setDefault(true);
    buttons->addWidget(next);
    connect(next, &QPushButton::clicked, this, &FindReplaceDialog::findNext);
    if (replace) {
        auto* one = new QPushButton(QStringLiteral("&Ersetzen"), this);
        auto* all = new QPushButton(QStringLiteral("&Alle ersetzen"), this);
        buttons->addWidget(one);
        buttons->addWidget(all);
        connect(one, &QPushButton::clicked, this, &FindReplaceDialog::replaceCurrent);
        connect(all, &QPushButton::clicked, this, &FindReplaceDialog::replaceAll);
    }
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    buttons->addWidget(cancel);
    buttons->addStretch();
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(buttons);
}

void FindReplaceDialog::setFindText(const QString& text) {
    find_->setText(text);
}

void FindReplaceDialog::setReplaceText(const QString& text) {
    if (replace_) {
        replace_->setText(text);
    }
}

QTextDocument::FindFlags FindReplaceDialog::flags(bool forceForward) const {
    QTextDocument::FindFlags result;
    if (wholeWord_->isChecked()) {
        result |= QTextDocument::FindWholeWords;
    }
    if (matchCase_->isChecked()) {
        result |= QTextDocument::FindCaseSensitively;
    }
    if (!forceForward && up_ && up_->isChecked()) {
        result |= QTextDocument::FindBackward;
    }
    return result;
}

bool FindReplaceDialog::findNext() {
    QPlainTextEdit* editor = activeEditor_();
    if (!editor || find_->text().isEmpty()) {
        return false;
    }
    if (!editor->find(find_->text(), flags())) {
        QApplication::beep();
        return false;
    }
    return true;
}

bool FindReplaceDialog::selectionMatches(QPlainTextEdit* editor) const {
    const QString selected = editor->textCursor().selectedText();
    const Qt::CaseSensitivity cs =
        matchCase_->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive;
    return !selected.isEmpty() && selected.compare(find_->text(), cs) == 0;
}

bool FindReplaceDialog::replaceCurrent() {
    QPlainTextEdit* editor = activeEditor_();
    if (!editor || find_->text().isEmpty()) {
        return false;
    }
    if (selectionMatches(editor)) {
        editor->textCursor().insertText(replace_ ? replace_->text() : QString());
    }
    return findNext();
}

int FindReplaceDialog::replaceAll() {
    QPlainTextEdit* editor = activeEditor_();
    if (!editor || find_->text().isEmpty()) {
        return 0;
    }
    QTextDocument* document = editor->document();
    QTextCursor edit(document);
    edit.beginEditBlock();
    int count = 0;
    QTextCursor found = document->find(find_->text(), 0, flags(true));
    while (!found.isNull()) {
        found.insertText(replace_ ? replace_->text() : QString());
        ++count;
        found = document->find(find_->text(), found, flags(true));
    }
    edit.endEditBlock();
    if (count == 0) {
        QApplication::beep();
    }
    return count;
}

} // namespace zv
