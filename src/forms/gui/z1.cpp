#include "forms/gui/z1.h"

namespace formidor::gui {

TAusl::TAusl(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Ausl"));
    setWindowTitle(QStringLiteral("Auslandsüberweisungen"));
    resize(560, 480);
}

} // namespace formidor::gui
