#pragma once
// The common dialogs around printing: printer setup (any printer of the list, portrait or
// landscape), print (printer and page range) and font (face, size and exact style, scalable
// faces only). They work on any Printer, so tests drive them against a RecordingPrinter.
#include "platform/printer.h"

#include <QDialog>
#include <QFont>
#include <QString>

class QComboBox;
class QRadioButton;
class QSpinBox;
class QFontDialog;

namespace formidor::gui {

// "Druckereinrichtung": printer and orientation. Accepting writes both into the printer.
class PrinterSetupDialog : public QDialog {
    Q_OBJECT
public:
    explicit PrinterSetupDialog(Printer& printer, QWidget* parent = nullptr);
    QComboBox* printerBox() const { return printers_; }
    QRadioButton* portraitButton() const { return portrait_; }
    QRadioButton* landscapeButton() const { return landscape_; }
    void accept() override;

private:
    Printer& printer_;
    QComboBox* printers_;
    QRadioButton* portrait_;
    QRadioButton* landscape_;
};

// "Drucken": printer and the pages from … to within minimum … maximum. Accepting selects the
// printer and leaves the range in fromPage() / toPage().
class PrintDialog : public QDialog {
    Q_OBJECT
public:
    PrintDialog(Printer& printer, int minPage, int maxPage, int fromPage, int toPage,
                QWidget* parent = nullptr);
    QComboBox* printerBox() const { return printers_; }
    QRadioButton* allPagesButton() const { return all_; }
    QRadioButton* rangeButton() const { return range_; }
    QSpinBox* fromBox() const { return from_; }
    QSpinBox* toBox() const { return to_; }
    int fromPage() const;
    int toPage() const;
    void accept() override;

private:
    Printer& printer_;
    int min_;
    int max_;
    QComboBox* printers_;
    QRadioButton* all_;
    QRadioButton* range_;
    QSpinBox* from_;
    QSpinBox* to_;
};

// Runs the dialogs modally; true when confirmed.
bool execPrinterSetupDialog(Printer& printer, QWidget* parent = nullptr);
bool execPrintDialog(Printer& printer, int minPage, int maxPage, int& fromPage, int& toPage,
                     QWidget* parent = nullptr);

struct FontChoice {
    QString face;
    int pointSize = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool operator==(const FontChoice&) const = default;
};

FontChoice fontChoiceOf(const QFont& font);
QFont toQFont(const FontChoice& choice);
// The installed face a face name is drawn with: "Courier New" and "Arial" are drawn with their
// metric-compatible substitutes, and the font dialog lists only installed faces.
QString installedFace(const QString& face);
// The font dialog, set up as ours: scalable faces only, effects (underline, strike-out) shown,
// preset with the installed face of initial's face, its size and style.
QFontDialog* makeFontDialog(const FontChoice& initial, QWidget* parent = nullptr);
// Runs it modally; on confirmation choice holds what the user picked. A face left as it was
// shown keeps the name it came with, so confirming without a change returns choice unchanged.
bool execFontDialog(FontChoice& choice, QWidget* parent = nullptr);

} // namespace formidor::gui
