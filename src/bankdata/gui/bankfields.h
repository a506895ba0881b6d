#pragma once
// The bank-code fields of the form pages: leaving one puts the bank's name beside it; on the
// direct debit page the account is then normalised and verified and the verdict shown.
// The fields may be plain QLineEdits or MaskEdits (whose masked text is read and written).
#include <QString>
#include <functional>

class QLabel;
class QLineEdit;
class QWidget;

namespace formidor::gui {

// The field's text by the masked field rule when it is a MaskEdit, else its plain text.
QString fieldText(const QLineEdit* edit);
void setFieldText(QLineEdit* edit, const QString& text);

// The exit handlers. They throw what the lookup raises (file errors, conversion messages);
// call them guarded. EBLZExit also serves the foreign transfer window's EAuftraggeberBLZExit.
void EBLZExit(QLineEdit* blz, QLineEdit* bankName);
void EAuftraggeberBLZExit(QLineEdit* blz, QLineEdit* bankName);
void EBLZZExit(QLineEdit* blz, QLineEdit* bankName, QLineEdit* konto, QLabel* status);

// Runs handler, guarded, whenever field loses the focus to another control of the application
// (not when the window is merely deactivated): the exit event of any entry field.
void onFieldExit(QWidget* field, std::function<void()> handler);

// Runs the exit handler, guarded, whenever blz loses the focus to another control of the
// application (not when the window is merely deactivated).
void bindBankCodeField(QLineEdit* blz, QLineEdit* bankName);
// The same for the direct debit page; also gives status its starting state (hidden, "Status").
void bindDirectDebitBankField(QLineEdit* blz, QLineEdit* bankName, QLineEdit* konto,
                              QLabel* status);

} // namespace formidor::gui
