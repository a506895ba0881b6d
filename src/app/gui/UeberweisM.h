#pragma once
// The main window "Formidor 2021 13.0": one page per paper form type plus the journal, the
// address data and the printer settings, and the three moments at which it moves settings
// between the printer page and the settings key — first shown, page changed, closed.
#include "app/calibration.h"
#include "app/gui/auxwindows.h"
#include "app/gui/gradientpanel.h"
#include "app/gui/pagecontrol.h"
#include "app/gui/printerpage.h"

#include <QWidget>
#include <functional>
#include <memory>

class QDialog;

namespace formidor {
class Journal;
}
namespace formidor::dialogs {
class TFolderDialog;
}

namespace formidor::gui {

class TransferPage;
class ChequePage;
class DirectDebitPage;
class CashOnDeliveryPage;
class DepositPage;
class JournalPage;
class DataPage;
class ParcelPage;
class TAusl;
class TJournalDruckenF;

inline constexpr const char* kMainCaption = "Formidor 2021 13.0";

// The application's printer as the settings store sees it (ThePrinter()).
class ApplicationPrinterSelection : public PrinterSelection {
public:
    int printerCount() const override;
    int printerIndex() const override;
    void setPrinterIndex(int index) override;
};

class TMainForm : public QWidget {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    TPageControl* PageControl1;
    TransferPage* TabSheet2;
    ChequePage* TabSheet3;
    DirectDebitPage* TabSheet1;
    CashOnDeliveryPage* TabSheet6;
    DepositPage* TabSheet10;
    JournalPage* JournalX;
    DataPage* TabSheet13;
    PrinterPage* TabSheet4;
    ParcelPage* TabSheet12;
    GradientPanel* Panel1;

    // The other windows, created at start right after this one and shown modally by handlers.
    TAusl* Ausl = nullptr;
    QDialog* BLZSucheF = nullptr;
    TDruckerHilfeF* DruckerHilfeF = nullptr;
    TJournalDruckenF* JournalDruckenF = nullptr;
    TUmfrageF* UmfrageF = nullptr;
    TUmfrageDruckenF* UmfrageDruckenF = nullptr;
    void CreateOtherWindows();

    // The calibration as the form printers read it: the printer page's controls.
    const CalibrationView& Calibration() const { return *TabSheet4; }

    // Steps of the three moments that belong to the address book, the transfer variants and
    // the journal. Each is empty until that part of the program sets it.
    std::function<void()> LoadEmpfaenger;     // fill every name box from the address book
    std::function<void()> EAuftraggeberClick; // originator picked on the transfer page
    std::function<void()> ENameZEmpfClick;    // payee picked on the direct debit page
    std::function<void()> EEmpfNClick;        // receiver picked on the cash-on-delivery page
    std::function<void()> JournalLaden;       // load the journal file into list and page
    std::function<void()> StringGrid1Click;   // select the journal record under the cursor
    std::function<void()> JournalSpeichern;   // write the journal file

    // The printer selection dialog behind every "Drucker ändern"; tests answer it themselves.
    std::function<void(QWidget*)> PrinterSetupDialog;

    void FormShow();
    void PageControl1Change();
    // True when the window may close: settings stored and journal written.
    bool FormClose();
    void Button2Click();
    void Button29Click();
    void Button40Click();
    void Button39Click();
    void Label31Click();
    void Image2Click();

    // "Daten sichern" and "Daten einlesen" with the folder browser they share; the question,
    // the message and the end of the application after a restore can be answered by tests.
    dialogs::TFolderDialog* Folder = nullptr;
    std::function<bool(const QString&)> AskYesNo;
    std::function<void(const QString&)> ShowMessage;
    std::function<void()> EndApplication;
    void Button38Click();
    void Button41Click();

    PrinterSelection& Printer() { return printer_; }
    // The journal of this run: loaded when the window is first shown, written when it closes.
    Journal& TheJournal() { return *journal_; }
    // Buttons bound to Button2Click.
    QList<QPushButton*> PrinterChangeButtons() const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Connects the pages to the address book, the transfer printer and the journal.
    void wireSubsystems();

    ApplicationPrinterSelection printer_;
    std::unique_ptr<Journal> journal_;
    bool shown_ = false;
    bool ending_ = false; // after a restore: nothing more is stored
};

// Creates the windows in their start order, the main window first.
std::unique_ptr<TMainForm> CreateApplicationWindows();

} // namespace formidor::gui
