#include "platform/gui/maskedit.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>

namespace formidor::gui {

MaskEdit::MaskEdit(QWidget* parent) : QLineEdit(parent) {}

MaskEdit::MaskEdit(const QString& mask, QWidget* parent) : QLineEdit(parent) {
    setEditMask(mask);
}

void MaskEdit::setEditMask(const QString& mask) {
    QString current = text();
    mask_ = mask.isEmpty() ? EditMask() : EditMask(mask.toStdString());
    // Pasting and dropping would go around the mask; typing and the keyboard paste do not.
    setContextMenuPolicy(isMasked() ? Qt::NoContextMenu : Qt::DefaultContextMenu);
    setAcceptDrops(!isMasked());
    if (isMasked()) {
        setMaxLength(static_cast<int>(mask_.length()));
        applyEditText(mask_.editTextFor(current.toStdString()), 0, false);
    } else {
        setMaxLength(32767);
        QLineEdit::setText(current);
    }
}

QString MaskEdit::editMask() const {
    return QString::fromStdString(mask_.maskText());
}

QString MaskEdit::text() const {
    if (!isMasked()) return QLineEdit::text();
    return QString::fromStdString(mask_.text(QLineEdit::text().toStdString()));
}

void MaskEdit::setText(const QString& text) {
    if (!isMasked()) {
        QLineEdit::setText(text);
        return;
    }
    applyEditText(mask_.editTextFor(text.toStdString()), 0, false);
}

void MaskEdit::clear() {
    setText(QString());
}

bool MaskEdit::isComplete() const {
    return !isMasked() || mask_.isComplete(QLineEdit::text().toStdString());
}

void MaskEdit::applyEditText(const std::string& editText, size_t cursor, bool edited) {
    QString shown = QString::fromStdString(editText);
    bool changed = shown != QLineEdit::text();
    QLineEdit::setText(shown);
    setCursorPosition(static_cast<int>(cursor));
    if (edited && changed) emit textEdited(shown);
}

void MaskEdit::typeText(const QString& typed) {
    std::string shown = QLineEdit::text().toStdString();
    size_t cursor = static_cast<size_t>(cursorPosition());
    if (hasSelectedText()) {
        size_t from = static_cast<size_t>(selectionStart());
        size_t to = from + static_cast<size_t>(selectedText().size());
        mask_.clearRange(shown, from, to);
        cursor = from;
    }
    for (char32_t c : typed.toUcs4()) mask_.typeChar(shown, cursor, c);
    applyEditText(shown, cursor, true);
}

void MaskEdit::keyPressEvent(QKeyEvent* event) {
    if (!isMasked() || isReadOnly()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (event == QKeySequence::Paste) {
        typeText(QApplication::clipboard()->text());
        return;
    }
    if (event == QKeySequence::Cut) {
        copy();
        typeText(QString());
        return;
    }
    std::string shown = QLineEdit::text().toStdString();
    size_t cursor = static_cast<size_t>(cursorPosition());
    switch (event->key()) {
    case Qt::Key_Backspace:
        if (hasSelectedText()) {
            typeText(QString());
        } else {
            mask_.backspace(shown, cursor);
            applyEditText(shown, cursor, true);
        }
        return;
    case Qt::Key_Delete:
        if (hasSelectedText()) {
            typeText(QString());
        } else {
            mask_.clearRange(shown, cursor, cursor + 1);
            applyEditText(shown, cursor, true);
        }
        return;
    default:
        break;
    }
    QString typed = event->text();
    bool printable = !typed.isEmpty() && typed.at(0).isPrint() &&
                     !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (printable) {
        typeText(typed);
        return;
    }
    // Navigation, selection, copy, undo …
    QLineEdit::keyPressEvent(event);
}

void MaskEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (!isMasked()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    if (!event->commitString().isEmpty()) typeText(event->commitString());
    event->accept();
}

} // namespace formidor::gui
