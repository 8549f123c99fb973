#pragma once

#include <QLineEdit>

namespace vardane {

// A text box holding a folder name. A typed name is applied when the user
// presses Enter, or when the focus leaves the box with a text that differs
// from the one it had on entering -- but not a second time right after Enter.
class FolderBox : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

    // Marks the box as naming no folder, with the reason as its tooltip;
    // an empty reason clears the mark.
    void set_problem(const QString& reason);
    bool has_problem() const { return !problem_.isEmpty(); }

signals:
    // The user's text should be applied (the receiver decides what the box
    // shows afterwards).
    void applyRequested(const QString& text);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString prevText_;       // text when the box received the focus
    bool enterFlag_ = false; // the last change was confirmed with Enter
    QString problem_;
    QString usualTip_;
};

} // namespace vardane
