#pragma once
// A masked entry field: a QLineEdit that, once given a mask ("00000000;1;-", "!90/90/;1;_", …),
// shows the mask's literals and blank characters, takes only what each position accepts and
// overwrites as the user types. Without a mask it is a plain line edit taking free text.
//
// text() is the field's text by the masked field rule (empty positions as blanks, literals kept
// unless the mask says otherwise): an empty "00000000;1;-" field reads "        ". Call text()
// and setText() through a MaskEdit pointer — QLineEdit's own are not virtual; displayText() is
// what the user sees. textChanged/textEdited carry the shown text; read text() in handlers.
#include "platform/editmask.h"

#include <QLineEdit>
#include <QString>

namespace formidor::gui {

class MaskEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit MaskEdit(QWidget* parent = nullptr);
    explicit MaskEdit(const QString& mask, QWidget* parent = nullptr);

    // An empty mask text removes the mask; the current text is kept as far as the new mask
    // takes it.
    void setEditMask(const QString& mask);
    QString editMask() const;
    bool isMasked() const { return !mask_.empty(); }
    const EditMask& mask() const { return mask_; }

    QString text() const;
    void setText(const QString& text);
    void clear();
    // Every required position of the mask is filled (always true without a mask).
    bool isComplete() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    void applyEditText(const std::string& editText, size_t cursor, bool edited);
    void typeText(const QString& typed);

    EditMask mask_;
};

} // namespace formidor::gui
