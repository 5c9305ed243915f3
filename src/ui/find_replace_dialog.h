#pragma once

// "Suchen" and "Ersetzen": the modeless find and replace dialogs of the text windows. They
// always work on the active document window.

#include <QDialog>
#include <QTextDocument>
#include <functional>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

namespace zv {

class FindReplaceDialog : public QDialog {
    Q_OBJECT
public:
    using ActiveEditor = std::function<QPlainTextEdit*()>;

    FindReplaceDialog(bool replace, ActiveEditor activeEditor, QWidget* parent = nullptr);

    void setFindText(const QString& text);
    void setReplaceText(const QString& text);
    // Selects the next match; false (with a beep) when there is none.
    bool findNext();
    // Replaces the selected match and selects the next one.
    bool replaceCurrent();
    // Replaces every match from the start; returns how many.
    int replaceAll();

private:
    QTextDocument::FindFlags flags(bool forceForward = false) const;
    bool selectionMatches(QPlainTextEdit* editor) const;

    ActiveEditor activeEditor_;
    QLineEdit* find_;
    QLineEdit* replace_ = nullptr;
    QCheckBox* wholeWord_;
    QCheckBox* matchCase_;
    QRadioButton* up_ = nullptr;
};

} // namespace zv
