#include "app/gui/UeberweisM.h"

#include "addressbook/gui/datamanagement.h"
#include "addressbook/gui/datapage.h"
#include "app/gui/backuprestore.h"
#include "app/gui/calibrationsheets.h"
#include "app/settings.h"
#include "bankdata/gui/BLZSuche.h"
#include "bankdata/gui/bankfields.h"
#include "forms/deposit.h"
#include "forms/gui/addressbinding.h"
#include "forms/gui/cashondeliverypage.h"
#include "forms/gui/chequepage.h"
#include "forms/gui/chequeprint.h"
#include "forms/gui/depositpage.h"
#include "forms/gui/depositprint.h"
#include "forms/gui/directdebitpage.h"
#include "forms/gui/directdebitprint.h"
#include "forms/gui/foreignwindow.h"
#include "forms/gui/parcelpage.h"
#include "forms/gui/postalprint.h"
#include "forms/gui/reports.h"
#include "forms/gui/transferpage.h"
#include "forms/gui/transferprint.h"
#include "forms/gui/z1.h"
#include "journal/gui/journaldrucken.h"
#include "journal/gui/journalmodel.h"
#include "journal/gui/journalpage.h"
#include "journal/journal.h"
#include "platform/datetime.h"
#include "platform/gui/guard.h"
#include "platform/gui/printdialogs.h"
#include "platform/gui/shell.h"
#include "platform/gui/taborder.h"
#include "platform/printer.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

namespace formidor::gui {

namespace {
constexpr int kClientWidth = 548;
constexpr int kClientHeight = 524;
constexpr int kStripHeight = 51;

QString today() {
    return QString::fromStdString(DateToStr(Date()));
}

void run(const std::function<void()>& step) {
    if (step) step();
}
} // namespace

int ApplicationPrinterSelection::printerCount() const {
    return ThePrinter().PrinterCount();
}
int ApplicationPrinterSelection::printerIndex() const {
    return ThePrinter().PrinterIndex();
}
void ApplicationPrinterSelection::setPrinterIndex(int index) {
    try {
        ThePrinter().SetPrinterIndex(index);
    } catch (const EPrinter&) {
        ThePrinter().SetPrinterIndex(-1);
    }
}

TMainForm::TMainForm(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QString::fromUtf8(kMainCaption));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(kClientWidth, kClientHeight);
    QFont windowFont(QStringLiteral("Arial"));
    windowFont.setStyleHint(QFont::SansSerif);
    windowFont.setPixelSize(11);
    setFont(windowFont);

    PageControl1 = new TPageControl(this);
    PageControl1->setGeometry(0, 0, kClientWidth, kClientHeight - kStripHeight);
    TabSheet2 = new TransferPage;
    TabSheet3 = new ChequePage;
    TabSheet1 = new DirectDebitPage;
    TabSheet6 = new CashOnDeliveryPage;
    TabSheet10 = new DepositPage;
    JournalX = new JournalPage;
    TabSheet13 = new DataPage;
    TabSheet4 = new PrinterPage;
    TabSheet12 = new ParcelPage;
    PageControl1->addPage(TabSheet2, QStringLiteral("Überweisungen"));
    PageControl1->addPage(TabSheet3, QStringLiteral("Verrechnungsschecks"));
    PageControl1->addPage(TabSheet1, QStringLiteral("Lastschrift"));
    PageControl1->addPage(TabSheet6, QStringLiteral("Nachnahme"));
    PageControl1->addPage(TabSheet10, QStringLiteral("Scheckeinreichung"));
    PageControl1->addPage(JournalX, QStringLiteral("Journal"));
    PageControl1->addPage(TabSheet13, QStringLiteral("Datenverwaltung"));
    PageControl1->addPage(TabSheet4, QStringLiteral("Druckereinstellungen"));
    PageControl1->addPage(TabSheet12, QStringLiteral("Paket und Päckchen D+EU"));
    PageControl1->setCurrentWidget(TabSheet2);
    TabSheet4->setPrinterSelection(&printer_);

    Panel1 = new GradientPanel(this);
    Panel1->setGeometry(0, kClientHeight - kStripHeight, kClientWidth, kStripHeight);

    PrinterSetupDialog = [](QWidget* parent) { execPrinterSetupDialog(ThePrinter(), parent); };

    connect(PageControl1, &TPageControl::currentChanged, this,
            [this](int) { runGuarded([this] { PageControl1Change(); }, this); });
    for (QPushButton* b : PrinterChangeButtons())
        connectGuarded(b, &QPushButton::clicked, this, [this] { Button2Click(); });
    connectGuarded(TabSheet2->Button29, &QPushButton::clicked, this, [this] { Button29Click(); });
    connectGuarded(TabSheet4->Button40, &QPushButton::clicked, this, [this] { Button40Click(); });
    connectGuarded(TabSheet4->Button39, &QPushButton::clicked, this, [this] { Button39Click(); });
    connectGuarded(TabSheet4->Label31, &QLabel::linkActivated, this, [this] { Label31Click(); });
    connectGuarded(TabSheet4->Image2, &QLabel::linkActivated, this, [this] { Image2Click(); });
    onFocusOut(TabSheet3->EOrt,
               [this] { settings::EOrtExit(TabSheet3->EOrt->text().toStdString()); });
    wireSubsystems();
    tabInReadingOrder(this);
}

void TMainForm::wireSubsystems() {
    journal_ = std::make_unique<Journal>();
    const AddressPages pages{TabSheet2, TabSheet3, TabSheet1, TabSheet6, TabSheet10, TabSheet12};

    LoadEmpfaenger = [pages] { formidor::gui::LoadEmpfaenger(pages); };
    EAuftraggeberClick = [this] { formidor::gui::EAuftraggeberClick(*TabSheet2); };
    ENameZEmpfClick = [this] { formidor::gui::ENameZEmpfClick(*TabSheet1); };
    EEmpfNClick = [this] { formidor::gui::EEmpfNClick(*TabSheet6); };
    JournalLaden = [this] { showJournalAtStart(JournalX->StringGrid1, *journal_); };
    StringGrid1Click = [this] { formidor::gui::StringGrid1Click(JournalX->StringGrid1); };
    JournalSpeichern = [this] { journal_->saveAtClose(); };

    bindBankCodeField(TabSheet2->EBLZ, TabSheet2->EBank);
    bindDirectDebitBankField(TabSheet1->EBLZZ, TabSheet1->EBankZ, TabSheet1->EKontonrZ,
                             TabSheet1->StatusZ);
    connectGuarded(TabSheet1->BitBtn2, &QToolButton::clicked, this,
                   [this] { BitBtn2Click(TabSheet1->EBLZZ, this); });

    bindAddressHandlers(pages);
    bindCounterfoilButtons(*TabSheet3);
    setupTransferPage(TabSheet2, {&Calibration(), journal_.get(), LoadEmpfaenger, nullptr});
    setupChequePage(TabSheet3, {&Calibration(), journal_.get(), LoadEmpfaenger, nullptr});
    setupDirectDebitPage(TabSheet1,
                         {&Calibration(), journal_.get(), LoadEmpfaenger,
                          [this] { return TabSheet2->EAuftraggeber->currentText().toStdString(); },
                          nullptr});
    setupDepositPage(TabSheet10, {&Calibration(), journal_.get(), LoadEmpfaenger, nullptr, {}});
    setupPostalPages(TabSheet6, TabSheet12, {&Calibration(), LoadEmpfaenger, nullptr});
    setupDataPage(TabSheet13, this);
    setupCalibrationSheets(TabSheet4, mainWindowForms(*this));
    setupTransferReport(TabSheet2);
    setupChequeReport(TabSheet3);
    setupDepositReport(TabSheet10, [] { return forms::LastDepositBank(); });
    setupBackupRestore(*this);
}

TMainForm::~TMainForm() = default;

void TMainForm::CreateOtherWindows() {
    Ausl = new TAusl(this);
    tabInReadingOrder(Ausl);
    setupAusl(Ausl, {&Calibration(), journal_.get(), nullptr, [this](QWidget* parent) {
                         if (PrinterSetupDialog) PrinterSetupDialog(parent);
                     }});
    BLZSucheF = new TBLZSucheF(this);
    DruckerHilfeF = new TDruckerHilfeF(this);
    JournalDruckenF = new TJournalDruckenF(this);
    setupJournalPage(JournalX, JournalDruckenF, journal_.get());
    UmfrageF = new TUmfrageF(this);
    UmfrageDruckenF = new TUmfrageDruckenF(this);
    UmfrageF->DruckenF = UmfrageDruckenF;
}

QList<QPushButton*> TMainForm::PrinterChangeButtons() const {
    return {TabSheet2->Button2,  TabSheet3->Button4,   TabSheet1->Button14, TabSheet1->Button16,
            TabSheet6->Button19, TabSheet10->Button24, TabSheet6->Button33, TabSheet12->Button37};
}

void TMainForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shown_ || event->spontaneous()) return;
    shown_ = true;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    runGuarded([this] { FormShow(); }, this);
}

void TMainForm::FormShow() {
    settings::LoadSettings(*TabSheet4, &printer_, settings::LoadForm::Start);
    run(LoadEmpfaenger);
    TabSheet2->RB13->setChecked(true);
    const QString originator = QString::fromStdString(settings::Empfaenger());
    TabSheet2->EAuftraggeber->setEditText(originator);
    run(EAuftraggeberClick);
    TabSheet2->EDatumUnterschrift->setText(today());
    TabSheet3->EOrt->setText(QString::fromStdString(settings::Ausstellort()));
    TabSheet1->ENameZEmpf->setEditText(originator);
    run(ENameZEmpfClick);
    TabSheet1->EDatumD->setText(today());
    TabSheet6->EEmpfN->setEditText(originator);
    run(EEmpfNClick);
    TabSheet3->EDatum->setText(today());
    TabSheet6->NNEinlieferungsdatum->setText(today());
    if (JournalX->StringGrid1->model()) {
        JournalX->StringGrid1->setColumnWidth(0, 30);
        JournalX->StringGrid1->setColumnWidth(1, 505);
    }
    run(JournalLaden);
    if (JournalX->StringGrid1->model()) {
        JournalX->StringGrid1->setColumnWidth(0, 30);
        JournalX->StringGrid1->setColumnWidth(1, 505);
    }
    run(StringGrid1Click);
}

void TMainForm::PageControl1Change() {
    if (PageControl1->currentWidget() == TabSheet4) {
        settings::LoadSettings(*TabSheet4, &printer_, settings::LoadForm::Page);
    } else {
        TabSheet4->refreshTakenOverOffsets();
        settings::SaveSettings(*TabSheet4, nullptr);
        settings::ReapplyPrinter(printer_);
    }
}

bool TMainForm::FormClose() {
    TabSheet4->refreshTakenOverOffsets();
    settings::SaveSettings(*TabSheet4, &printer_);
    run(JournalSpeichern);
    return true;
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (ending_) { // a restore took the data in: the window stores nothing over them
        event->accept();
        return;
    }
    // A bad offset keeps the window open, so the user can correct it; nothing else is
    // written then, the journal included.
    if (runGuarded([this] { FormClose(); }, this))
        event->accept();
    else
        event->ignore();
}

void TMainForm::Button2Click() {
    if (PrinterSetupDialog) PrinterSetupDialog(this);
    settings::storePrinter(ThePrinter().PrinterIndex());
    // The orientation chosen in the dialog becomes the foreign transfer's.
    const bool portrait = ThePrinter().Orientation() == TPrinterOrientation::poPortrait;
    settings::storeOrientation('A', portrait);
    (portrait ? TabSheet4->RBHochformatA : TabSheet4->RBQuerformatA)->setChecked(true);
}

void TMainForm::Button29Click() {
    if (Ausl) Ausl->exec();
}

void TMainForm::Button40Click() {
    if (DruckerHilfeF) DruckerHilfeF->exec();
}

void TMainForm::Button39Click() {
    if (UmfrageF) UmfrageF->exec();
}

void TMainForm::Label31Click() {
    openMailLink(QStringLiteral("info@quillon-software.example"));
}

void TMainForm::Image2Click() {
    openWebLink(QStringLiteral("https://www.quillon-software.example/"));
}

std::unique_ptr<TMainForm> CreateApplicationWindows() {
    auto main = std::make_unique<TMainForm>();
    main->CreateOtherWindows();
    return main;
}

} // namespace formidor::gui
