#pragma once
// The "Quittung drucken" / "Bericht drucken" buttons of the transfer, crossed cheque and cheque
// deposit pages: each prints its page's report straight to the printer as it is set up.
#include "forms/layout.h"

#include <functional>
#include <string>

namespace formidor {
class Printer;
}

namespace formidor::gui {

class TransferPage;
class ChequePage;
class DepositPage;

// The texts of the cheque and deposit pages by control name, as their reports read them.
forms::FormPage chequeReportPage(const ChequePage& page);
forms::FormPage depositReportPage(const DepositPage& page);

// The reports; printer nullptr means the application's printer. Printer errors propagate.
void Button7Click(const TransferPage& page, Printer* printer = nullptr);
void Button8Click(const ChequePage& page, Printer* printer = nullptr);
// lastDepositBank: the bank of the latest deposit print of the run (empty before the first).
void Button22Click(const DepositPage& page, const std::string& lastDepositBank,
                   Printer* printer = nullptr);

// Connects the buttons through the application's error handling. The deposit report asks
// lastDepositBank each time it prints.
void setupTransferReport(TransferPage* page, Printer* printer = nullptr);
void setupChequeReport(ChequePage* page, Printer* printer = nullptr);
void setupDepositReport(DepositPage* page, std::function<std::string()> lastDepositBank,
                        Printer* printer = nullptr);

} // namespace formidor::gui
