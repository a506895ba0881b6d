#include "bankdata/gui/bankfields.h"

#include "bankdata/bankdirectory.h"
#include "platform/convert.h"
#include "platform/gui/guard.h"
#include "platform/gui/maskedit.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <functional>

namespace formidor::gui {

namespace {

std::string utf8(const QString& s) {
    return s.toStdString();
}
QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Delivers a field's exit: focus leaving for another control.
class ExitFilter : public QObject {
public:
    ExitFilter(QObject* parent, std::function<void()> handler)
        : QObject(parent), handler_(std::move(handler)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusOut) {
            auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                runGuarded(handler_, qobject_cast<QWidget*>(watched));
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> handler_;
};

} // namespace

QString fieldText(const QLineEdit* edit) {
    if (auto* m = qobject_cast<const MaskEdit*>(edit)) return m->text();
    return edit->text();
}

void setFieldText(QLineEdit* edit, const QString& text) {
    if (auto* m = qobject_cast<MaskEdit*>(edit))
        m->setText(text);
    else
        edit->setText(text);
}

void EBLZExit(QLineEdit* blz, QLineEdit* bankName) {
    auto name = bankNameForField(utf8(fieldText(blz)));
    if (name) setFieldText(bankName, qs(*name));
}

void EAuftraggeberBLZExit(QLineEdit* blz, QLineEdit* bankName) {
    EBLZExit(blz, bankName);
}

void EBLZZExit(QLineEdit* blz, QLineEdit* bankName, QLineEdit* konto, QLabel* status) {
    DirectDebitExit r = directDebitExit(utf8(fieldText(blz)), utf8(fieldText(konto)));
    if (r.unchanged) return;
    setFieldText(bankName, qs(r.bankName));
    if (!r.verified) return;
    status->setVisible(true);
    setFieldText(konto, qs(r.account));
    if (!r.result) throw EConvertError(r.error); // the status line keeps its text
    status->setText(qs(pruefergebnisText(*r.result)));
}

void onFieldExit(QWidget* field, std::function<void()> handler) {
    field->installEventFilter(new ExitFilter(field, std::move(handler)));
}

void bindBankCodeField(QLineEdit* blz, QLineEdit* bankName) {
    blz->installEventFilter(new ExitFilter(blz, [blz, bankName] { EBLZExit(blz, bankName); }));
}

void bindDirectDebitBankField(QLineEdit* blz, QLineEdit* bankName, QLineEdit* konto,
                              QLabel* status) {
    status->setText("Status");
    status->setVisible(false);
    blz->installEventFilter(new ExitFilter(
        blz, [blz, bankName, konto, status] { EBLZZExit(blz, bankName, konto, status); }));
}

} // namespace formidor::gui
