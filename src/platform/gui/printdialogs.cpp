#include "platform/gui/printdialogs.h"

#include <QComboBox>
#include <QFontDialog>
#include <QRadioButton>
#include <QSpinBox>

namespace formidor::gui {

PrinterSetupDialog::PrinterSetupDialog(Printer& printer, QWidget* parent)
    : QDialog(parent), printer_(printer), printers_(new QComboBox(this)),
      portrait_(new QRadioButton(this)), landscape_(new QRadioButton(this)) {}
void PrinterSetupDialog::accept() {
    QDialog::accept();
}
PrintDialog::PrintDialog(Printer& printer, int minPage, int maxPage, int, int, QWidget* parent)
    : QDialog(parent), printer_(printer), min_(minPage), max_(maxPage),
      printers_(new QComboBox(this)), all_(new QRadioButton(this)), range_(new QRadioButton(this)),
      from_(new QSpinBox(this)), to_(new QSpinBox(this)) {}
int PrintDialog::fromPage() const {
    return min_;
}
int PrintDialog::toPage() const {
    return max_;
}
void PrintDialog::accept() {
    QDialog::accept();
}
bool execPrinterSetupDialog(Printer&, QWidget*) {
    return false;
}
bool execPrintDialog(Printer&, int, int, int&, int&, QWidget*) {
    return false;
}
FontChoice fontChoiceOf(const QFont&) {
    return {};
}
QFont toQFont(const FontChoice&) {
    return {};
}
QFontDialog* makeFontDialog(const FontChoice&, QWidget* parent) {
    return new QFontDialog(parent);
}
bool execFontDialog(FontChoice&, QWidget*) {
    return false;
}

} // namespace formidor::gui
