#include "app/gui/calibrationsheets.h"

#include "app/gui/UeberweisM.h"
#include "app/gui/printerpage.h"
#include "forms/gui/cashondeliverypage.h"
#include "forms/gui/chequeprint.h"
#include "forms/gui/depositprint.h"
#include "forms/gui/directdebitprint.h"
#include "forms/gui/foreignwindow.h"
#include "forms/gui/postalprint.h"
#include "forms/gui/transferprint.h"
#include "platform/gui/guard.h"
#include "platform/printer.h"

namespace formidor::gui {

void printCalibrationSheets(PrinterPage& page, const FormsOfCode& forms, char x, Printer* printer) {
    Printer& target = printer ? *printer : ThePrinter();
    // The sheet takes the sub-page's calibration as it stands, even an offset typed but not
    // yet stored, as the form printers do.
    for (const FormPreviewSource& f : forms(x))
        forms::printCalibrationSheet(f.printer ? *f.printer : target, f.id, f.texts, page);
}

FormsOfCode mainWindowForms(TMainForm& m) {
    return [&m](char x) -> std::vector<FormPreviewSource> {
        const CalibrationView* cal = &m.Calibration();
        switch (x) {
        case 'U':
            return {transferPreviewSource(*m.TabSheet2, {cal, nullptr, {}, nullptr})};
        case 'V':
            return {chequePreviewSource(*m.TabSheet3, {cal, nullptr, {}, nullptr})};
        case 'L': {
            const DirectDebitPageContext ctx{cal, nullptr, {}, {}, nullptr};
            return {directDebitPreviewSource(*m.TabSheet1, ctx),
                    coverSheetPreviewSource(*m.TabSheet1, ctx)};
        }
        case 'N':
            return {cashOnDeliveryPreviewSource(*m.TabSheet6, {cal, {}, nullptr})};
        case 'P':
            return {parcelCardPreviewSource(*m.TabSheet6, {cal, {}, nullptr}),
                    smallParcelPreviewSource(*m.TabSheet12, {cal, {}, nullptr})};
        case 'S':
            return {depositPreviewSource(*m.TabSheet10, {cal, nullptr, {}, nullptr, {}})};
        case 'A':
            if (m.Ausl) return {auslPreviewSource(*m.Ausl, {cal, nullptr, nullptr, {}})};
            return {};
        }
        return {};
    };
}

void setupCalibrationSheets(PrinterPage* page, FormsOfCode forms) {
    for (char x : kFormCodes)
        connectGuarded(page->sub(x).probe, &QPushButton::clicked, page,
                       [page, forms, x] { printCalibrationSheets(*page, forms, x); });
}

} // namespace formidor::gui
