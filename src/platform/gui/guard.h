#pragma once
// The application's general error handling: no exception may leave a slot or an event
// handler. Every handler runs through runGuarded, which shows the message of anything thrown in
// a German message box captioned with the application title; the window stays usable.
#include <QAbstractButton>
#include <QObject>
#include <QString>
#include <exception>
#include <functional>

class QWidget;

namespace formidor::gui {

inline constexpr const char* kApplicationTitle = "Formidor 2021 by Quillon Software";

// Shows text in a modal error box captioned with the application title. Tests can replace the
// box by a recorder (setErrorSink) to see what the user would have been told.
void showError(const QString& text, QWidget* parent = nullptr);
void setErrorSink(std::function<void(const QString&)> sink);

// Runs f; an exception ends it and is reported through showError. Returns false when it threw.
bool runGuarded(const std::function<void()>& f, QWidget* parent = nullptr);

// connect() for handlers: the slot runs through runGuarded.
template <class Sender, class Signal, class F>
QMetaObject::Connection connectGuarded(Sender* sender, Signal signal, QObject* context, F&& f) {
    return QObject::connect(sender, signal, context,
                            [fn = std::function<void()>(std::forward<F>(f))](auto&&...) {
                                runGuarded(fn);
                            });
}

// A check box's or radio button's click handler runs whenever it becomes checked (radio
// buttons) or changes state (check boxes), whether a user clicked it or code set it — code
// elsewhere relies on that. The handler runs once per change.
void onRadioChecked(QAbstractButton* radio, QObject* context, std::function<void()> handler);
void onCheckBoxClicked(QAbstractButton* box, QObject* context, std::function<void()> handler);

} // namespace formidor::gui
