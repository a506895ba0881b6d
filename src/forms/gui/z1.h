#pragma once
// The foreign transfer window "Auslandsüberweisungen", shown modally from the transfer page.
#include <QDialog>

namespace formidor::gui {

class TAusl : public QDialog {
    Q_OBJECT
public:
    explicit TAusl(QWidget* parent = nullptr);
};

} // namespace formidor::gui
