#include "platform/gui/guard.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

namespace formidor::gui {

namespace {
std::function<void(const QString&)>& sink() {
    static std::function<void(const QString&)> s;
    return s;
}
} // namespace

void setErrorSink(std::function<void(const QString&)> s) { sink() = std::move(s); }

void showError(const QString& text, QWidget* parent) {
    if (sink()) {
        sink()(text);
        return;
    }
    if (!parent) parent = QApplication::activeWindow();
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(kApplicationTitle), text,
                    QMessageBox::Ok, parent);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.exec();
}

bool runGuarded(const std::function<void()>& f, QWidget* parent) {
    try {
        f();
        return true;
    } catch (const std::exception& e) {
        showError(QString::fromUtf8(e.what()), parent);
    } catch (...) {
        showError(QStringLiteral("Unbekannter Fehler"), parent);
    }
    return false;
}

void onRadioChecked(QAbstractButton* radio, QObject* context, std::function<void()> handler) {
    QObject::connect(radio, &QAbstractButton::toggled, context,
                     [h = std::move(handler)](bool checked) {
                         if (checked) runGuarded(h);
                     });
}

void onCheckBoxClicked(QAbstractButton* box, QObject* context, std::function<void()> handler) {
    QObject::connect(box, &QAbstractButton::toggled, context,
                     [h = std::move(handler)](bool) { runGuarded(h); });
}

} // namespace formidor::gui
