#include "forms/gui/z1.h"

#include "forms/foreign.h"
#include "forms/gui/pagebuild.h"

#include <QPalette>
#include <QShowEvent>

namespace formidor::gui {

using namespace build;

namespace {

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

const forms::ForeignTabInfo& tabInfo(forms::ForeignTab t) {
    return forms::foreignTabs()[static_cast<size_t>(t)];
}

QLabel* hint(QWidget* page, forms::ForeignTab t) {
    auto* l = new QLabel(qs(tabInfo(t).hint), page);
    l->setWordWrap(true);
    l->setGeometry(8, 6, 530, 30);
    return l;
}

// A list of the window in its start state: the entries, the start selection, and with nothing
// selected the start text shown all the same.
QComboBox* list(QWidget* parent, std::string_view control, int x, int y, int w) {
    const forms::ForeignList* l = forms::foreignList(control);
    auto* c = new QComboBox(parent);
    c->setObjectName(qs(control));
    c->setGeometry(x, y, w, kEditHeight + 2);
    for (auto e : l->entries) c->addItem(qs(e));
    c->setPlaceholderText(qs(l->entries[static_cast<size_t>(l->shown)]));
    // The start text looks like any chosen entry, not like a disabled box.
    QPalette pal = c->palette();
    pal.setColor(QPalette::PlaceholderText, pal.color(QPalette::ButtonText));
    c->setPalette(pal);
    c->setCurrentIndex(l->selected);
    return c;
}

QGroupBox* group(QWidget* parent, const QString& title, int x, int y, int w, int h) {
    auto* g = new QGroupBox(title, parent);
    g->setGeometry(x, y, w, h);
    return g;
}

} // namespace

TAusl::TAusl(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Ausl"));
    setWindowTitle(qs(forms::kForeignCaption));
    setFont(pageFont());
    setFixedSize(560, 452);
    const QFont f = entryFont();

    PageControl1 = new QTabWidget(this);
    PageControl1->setGeometry(4, 4, 552, 404);
    auto addTab = [&](QWidget*& sheet, const char* name, forms::ForeignTab t) {
        sheet = new QWidget;
        sheet->setObjectName(QString::fromLatin1(name));
        PageControl1->addTab(sheet, qs(tabInfo(t).caption));
    };
    addTab(TabSheet1, "Auftraggeberdaten", forms::ForeignTab::Auftraggeber);
    addTab(TabSheet2, "Empfaengerdaten", forms::ForeignTab::Empfaenger);
    addTab(TabSheet3, "Weisungen", forms::ForeignTab::Weisungen);
    addTab(TabSheet4, "Wareneinfuhr", forms::ForeignTab::Wareneinfuhr);

    // Rows of label and field, the label line 14 px above its field.
    constexpr int kRow = 40;
    auto top = [](int row) { return 44 + row * kRow; };
    auto at = [&](int row) { return top(row) + 15; };

    // --- Auftraggeberdaten ---
    QWidget* p = TabSheet1;
    LHinweisAuftraggeber = hint(p, forms::ForeignTab::Auftraggeber);
    label(p, QStringLiteral("Name"), 8, top(0));
    EAuftraggeberName = combo(p, 8, at(0), 400, f, false);
    label(p, QStringLiteral("Straße"), 8, top(1));
    EAuftraggeberStrasse = edit(p, 8, at(1), 400, f);
    label(p, QStringLiteral("PLZ + Ort"), 8, top(2));
    EAuftraggeberPLZOrt = edit(p, 8, at(2), 400, f);
    label(p, QStringLiteral("Kontonummer des Auftraggebers"), 8, top(3));
    EAuftraggeberKontonr = combo(p, 8, at(3), 250, f, false);
    label(p, QStringLiteral("Bankleitzahl des Auftraggebers"), 280, top(3));
    EAuftraggeberBLZ = maskEdit(p, 280, at(3), 128, f, qs(forms::kForeignBLZMask));
    EAuftraggeberBLZ->setMaxLength(8);
    label(p, QStringLiteral("Bankname des Auftraggebers"), 8, top(4));
    EAuftraggeberBank = edit(p, 8, at(4), 400, f);
    CBBankdrucken = check(p, QStringLiteral("drucken"), 420, at(4) + 1);
    label(p, QStringLiteral("Betrag"), 8, top(5));
    EBetrag = edit(p, 8, at(5), 150, f);
    label(p, QStringLiteral("Währung"), 170, top(5));
    EWaehrung = edit(p, 170, at(5), 60, f, qs(forms::kForeignCurrencyDefault));
    label(p, QStringLiteral("Zahlung zu Lasten von"), 280, top(5));
    CBZahlungzuLasten = list(p, "CBZahlungzuLasten", 280, at(5), 128);
    label(p, QStringLiteral("Referenz des Kontoinhabers"), 8, top(6));
    EReferenzKontoinhaber = edit(p, 8, at(6), 400, f);

    // --- Empfängerdaten: label beside field ---
    p = TabSheet2;
    LHinweisEmpfaenger = hint(p, forms::ForeignTab::Empfaenger);
    constexpr int kLine = 26;
    constexpr int kLabelX = 10, kFieldX = 130, kFieldW = 390;
    auto beside = [&](QWidget* g, int row, const QString& text) {
        label(g, text, kLabelX, 22 + row * kLine + 3);
        return 22 + row * kLine;
    };
    GBBeguenstigter = group(p, QStringLiteral("Begünstigter"), 6, 40, 532, 22 + 6 * kLine + 6);
    QWidget* g = GBBeguenstigter;
    EEmpfaengerName = combo(g, kFieldX, beside(g, 0, QStringLiteral("Name")), kFieldW, f, false);
    EEmpfaengerStrasse = edit(g, kFieldX, beside(g, 1, QStringLiteral("Straße")), kFieldW, f);
    EEmpfaengerOrtLand = edit(g, kFieldX, beside(g, 2, QStringLiteral("Ort, Land")), kFieldW, f);
    EKontonrIBAN = edit(g, kFieldX, beside(g, 3, QStringLiteral("Kontonr./IBAN")), kFieldW, f);
    EEmpfaengerBankcode = edit(g, kFieldX, beside(g, 4, QStringLiteral("Nat. Bankcode")), 200, f);
    EZielland = edit(g, kFieldX, beside(g, 5, QStringLiteral("Zielland der Zahlung")), 50, f);
    label(g, QStringLiteral("(2-Buchstaben-Code)"), kFieldX + 58, 22 + 5 * kLine + 3);
    GBBank = group(p, QStringLiteral("Bank des Begünstigten"), 6,
                   40 + GBBeguenstigter->height() + 8, 532, 22 + 4 * kLine + 6);
    g = GBBank;
    EEmpfaengerBankName =
        combo(g, kFieldX, beside(g, 0, QStringLiteral("Name")), kFieldW, f, false);
    EEmpfaengerBankStrasse = edit(g, kFieldX, beside(g, 1, QStringLiteral("Straße")), kFieldW, f);
    EEmpfaengerBankOrtLand =
        edit(g, kFieldX, beside(g, 2, QStringLiteral("Ort, Land")), kFieldW, f);
    EEmpfaengerBankSwift =
        edit(g, kFieldX, beside(g, 3, QStringLiteral("S.W.I.F.T.-Code")), 200, f);

    // --- Verwendungszweck/Weisungen ---
    p = TabSheet3;
    GBVerwendungszweck = group(p, QStringLiteral("Verwendungszweck (für Begünstigten)"), 6, 8, 532,
                               22 + 3 * kLine + 6);
    g = GBVerwendungszweck;
    EVerwendungszweck1 = edit(g, kLabelX, 22, 512, f);
    EVerwendungszweck2 = edit(g, kLabelX, 22 + kLine, 512, f);
    EVerwendungszweck3 = edit(g, kLabelX, 22 + 2 * kLine, 512, f);
    GBWeisungen = group(p, QStringLiteral("Weisungen"), 6, 8 + GBVerwendungszweck->height() + 8,
                        532, 22 + 5 * 34);
    g = GBWeisungen;
    constexpr int kListX = 220, kListW = 300;
    auto rowY = [](int row) { return 22 + row * 34; };
    label(g, QStringLiteral("Zus. Weisungen:"), kLabelX, rowY(0) + 3);
    EWeisungen = edit(g, kListX, rowY(0), kListW, f);
    auto listRow = [&](int row, std::string_view control) {
        auto* l = label(g, qs(forms::foreignList(control)->label), kLabelX, rowY(row) + 3, 200);
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        l->resize(200, 30);
        return list(g, control, kListX, rowY(row), kListW);
    };
    CBAusfuehrungsart = listRow(1, "CBAusfuehrungsart");
    CBWeisungsschluessel = listRow(2, "CBWeisungsschluessel");
    CBEntgeltregelung = listRow(3, "CBEntgeltregelung");
    CBEntgeltezuLasten = listRow(4, "CBEntgeltezuLasten");

    // --- Wareneinfuhr ---
    p = TabSheet4;
    CBTransit = check(p, QStringLiteral("100: Transithandel"), 8, 10);
    constexpr int kCol[] = {8, 150, 292};
    auto cell = [&](int row, int col, const QString& text, int w) {
        const int y = 40 + row * kRow;
        label(p, text, kCol[col], y);
        return edit(p, kCol[col], y + 15, w, f);
    };
    e105 = cell(0, 0, QStringLiteral("105: Kennzahl"), 120);
    e106 = cell(0, 1, QStringLiteral("106: Land"), 120);
    e107 = cell(0, 2, QStringLiteral("107: Betrag in o.g. Währung"), 200);
    e108 = cell(1, 0, QStringLiteral("108: Kennzahl"), 120);
    e109 = cell(1, 1, QStringLiteral("109: Land"), 120);
    e110 = cell(1, 2, QStringLiteral("110: Betrag in o.g. Währung"), 200);
    GB111 = group(p,
                  QStringLiteral("111: Nähere Angaben zu den zugrunde liegenden Leistungen bzw. "
                                 "zum Grundgeschäft"),
                  6, 130, 532, 22 + 3 * kLine + 6);
    g = GB111;
    e111_1 = edit(g, kLabelX, 22, 512, f);
    e111_2 = edit(g, kLabelX, 22 + kLine, 512, f);
    e111_3 = edit(g, kLabelX, 22 + 2 * kLine, 512, f);
    const int bottom = 130 + GB111->height() + 10;
    label(p, QStringLiteral("Datum"), 8, bottom);
    edatum = edit(p, 8, bottom + 15, 120, f);
    label(p, QStringLiteral("Telefon/Duchwahl"), 150, bottom);
    etelefon = edit(p, 150, bottom + 15, 200, f);

    constexpr int kButtonY = 416;
    Button1 = button(this, QStringLiteral("Drucken"), 4, kButtonY, 120);
    Button2 = button(this, QStringLiteral("Drucker ändern"), 128, kButtonY, 120);
    BVorschau = button(this, QStringLiteral("Vorschau"), 252, kButtonY, 120);
    Button10 = button(this, QStringLiteral("Löschen"), 436, kButtonY, 120);
}

void TAusl::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous() && OnShow) OnShow();
}

} // namespace formidor::gui
