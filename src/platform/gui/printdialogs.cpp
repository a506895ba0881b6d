#include "platform/gui/printdialogs.h"
#include "platform/gui/translations.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace formidor::gui {

namespace {

QComboBox* printerList(Printer& printer, QWidget* parent) {
    auto* box = new QComboBox(parent);
    for (const std::string& name : printer.Printers()) box->addItem(QString::fromStdString(name));
    box->setCurrentIndex(printer.PrinterIndex());
    return box;
}

QDialogButtonBox* okCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace

PrinterSetupDialog::PrinterSetupDialog(Printer& printer, QWidget* parent)
    : QDialog(parent), printer_(printer), printers_(printerList(printer, this)),
      portrait_(new QRadioButton(QStringLiteral("Hochformat"), this)),
      landscape_(new QRadioButton(QStringLiteral("Querformat"), this)) {
    setWindowTitle(QStringLiteral("Druckereinrichtung"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Name:"), printers_);
    layout->addLayout(form);
    auto* orientation = new QGroupBox(QStringLiteral("Ausrichtung"), this);
    auto* ol = new QVBoxLayout(orientation);
    ol->addWidget(portrait_);
    ol->addWidget(landscape_);
    layout->addWidget(orientation);
    layout->addWidget(okCancel(this));
    (printer.Orientation() == TPrinterOrientation::poLandscape ? landscape_ : portrait_)
        ->setChecked(true);
}

void PrinterSetupDialog::accept() {
    if (printers_->currentIndex() >= 0) printer_.SetPrinterIndex(printers_->currentIndex());
    printer_.SetOrientation(landscape_->isChecked() ? TPrinterOrientation::poLandscape
                                                    : TPrinterOrientation::poPortrait);
    QDialog::accept();
}

PrintDialog::PrintDialog(Printer& printer, int minPage, int maxPage, int fromPage, int toPage,
                         QWidget* parent)
    : QDialog(parent), printer_(printer), min_(minPage), max_(std::max(minPage, maxPage)),
      printers_(printerList(printer, this)), all_(new QRadioButton(QStringLiteral("&Alles"), this)),
      range_(new QRadioButton(QStringLiteral("&Seiten"), this)), from_(new QSpinBox(this)),
      to_(new QSpinBox(this)) {
    setWindowTitle(QStringLiteral("Drucken"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Name:"), printers_);
    layout->addLayout(form);
    auto* pages = new QGroupBox(QStringLiteral("Druckbereich"), this);
    auto* pl = new QVBoxLayout(pages);
    pl->addWidget(all_);
    auto* row = new QHBoxLayout;
    row->addWidget(range_);
    row->addWidget(new QLabel(QStringLiteral("von:"), this));
    row->addWidget(from_);
    row->addWidget(new QLabel(QStringLiteral("bis:"), this));
    row->addWidget(to_);
    pl->addLayout(row);
    layout->addWidget(pages);
    layout->addWidget(okCancel(this));
    for (QSpinBox* box : {from_, to_}) box->setRange(min_, max_);
    from_->setValue(std::clamp(fromPage, min_, max_));
    to_->setValue(std::clamp(toPage, min_, max_));
    all_->setChecked(true);
    // Typing a page number means printing a range.
    for (QSpinBox* box : {from_, to_})
        connect(box, &QSpinBox::valueChanged, this, [this] { range_->setChecked(true); });
}

int PrintDialog::fromPage() const {
    if (all_->isChecked()) return min_;
    return std::min(from_->value(), to_->value());
}

int PrintDialog::toPage() const {
    if (all_->isChecked()) return max_;
    return std::max(from_->value(), to_->value());
}

void PrintDialog::accept() {
    if (printers_->currentIndex() >= 0) printer_.SetPrinterIndex(printers_->currentIndex());
    QDialog::accept();
}

bool execPrinterSetupDialog(Printer& printer, QWidget* parent) {
    PrinterSetupDialog dialog(printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool execPrintDialog(Printer& printer, int minPage, int maxPage, int& fromPage, int& toPage,
                     QWidget* parent) {
    PrintDialog dialog(printer, minPage, maxPage, fromPage, toPage, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    fromPage = dialog.fromPage();
    toPage = dialog.toPage();
    return true;
}

FontChoice fontChoiceOf(const QFont& font) {
    FontChoice c;
    c.face = font.family();
    c.pointSize = font.pointSize() > 0 ? font.pointSize() : int(std::lround(font.pointSizeF()));
    c.bold = font.bold();
    c.italic = font.italic();
    c.underline = font.underline();
    c.strikeOut = font.strikeOut();
    return c;
}

QFont toQFont(const FontChoice& choice) {
    QFont f(choice.face);
    f.setPointSize(std::max(1, choice.pointSize));
    f.setBold(choice.bold);
    f.setItalic(choice.italic);
    f.setUnderline(choice.underline);
    f.setStrikeOut(choice.strikeOut);
    return f;
}

QString installedFace(const QString& face) {
    if (face.isEmpty()) return face;
    if (QFontDatabase::hasFamily(face)) return face;
    return QFontInfo(QFont(face)).family();
}

QFontDialog* makeFontDialog(const FontChoice& initial, QWidget* parent) {
    ensureGermanQtTexts();
    auto* dialog = new QFontDialog(parent);
    dialog->setWindowTitle(QStringLiteral("Schriftart"));
    // Only outline faces: the forms are printed at any size on any resolution.
    dialog->setOptions(QFontDialog::ScalableFonts | QFontDialog::DontUseNativeDialog);
    FontChoice shown = initial;
    shown.face = installedFace(initial.face);
    dialog->setCurrentFont(toQFont(shown));
    return dialog;
}

bool execFontDialog(FontChoice& choice, QWidget* parent) {
    std::unique_ptr<QFontDialog> dialog(makeFontDialog(choice, parent));
    if (dialog->exec() != QDialog::Accepted) return false;
    FontChoice picked = fontChoiceOf(dialog->selectedFont());
    if (!choice.face.isEmpty() && picked.face == installedFace(choice.face))
        picked.face = choice.face;
    choice = picked;
    return true;
}

} // namespace formidor::gui
