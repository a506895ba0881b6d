#include "app/gui/auxwindows.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace formidor::gui {

namespace {

constexpr const char* kPrinterHelp = R"(<h3>So legen Sie die Formulare richtig ein</h3>
<p>Auf der Seite <b>Druckereinstellungen</b> stellen Sie für jede Formularart ein, wie das
Formular im Drucker liegt (<b>normal</b> oder <b>hochkant</b>) und an welcher Seite es eingezogen
wird (<b>rechten</b> oder <b>linken</b>). Drucken Sie zuerst einen Probedruck auf Normalpapier,
legen Sie ihn mit dem Formular gegen das Licht und verschieben Sie den Druck mit den
Korrekturwerten (in 1/10 mm). Alle Werte werden sofort gespeichert.</p>

<h4>HP DeskJet, OfficeJet und ENVY (Tintenstrahl, Papier vorne)</h4>
<p>Das Formular mit der Schrift nach unten und der Oberkante voran in das Hauptfach legen und
die Papierführung bis an das Formular schieben. Es liegt dann an der <b>rechten</b> Seite des
Fachs: wählen Sie <b>normal</b> und <b>rechten</b>. Kleine Formulare (Überweisungen, Schecks)
werden bei manchen Modellen nur quer sicher eingezogen; dann <b>hochkant</b> und
<b>rechten</b> wählen.</p>

<h4>Canon PIXMA (hinterer Einzug)</h4>
<p>Das Formular mit der Schrift nach vorn und der Oberkante nach unten in den hinteren Einzug
stellen, rechts an die Kante. Wählen Sie <b>normal</b> und <b>rechten</b>. Wird das Formular in
der Mitte eingezogen, stellen Sie <b>linken</b> ein und gleichen Sie mit der Rechts/Links-Korrektur
aus.</p>

<h4>Epson Stylus, WorkForce und EcoTank (hinterer Einzug)</h4>
<p>Das Formular mit der Schrift nach vorn an die <b>rechte</b> Papierführung stellen und die
linke Führung heranschieben. Wählen Sie <b>normal</b> und <b>rechten</b>; für Schecks und
Überweisungen im Querformat <b>hochkant</b> und <b>rechten</b>.</p>

<h4>Laserdrucker von Brother, Kyocera und HP LaserJet (Einzelblatteinzug)</h4>
<p>Das Formular mit der Schrift nach oben in den manuellen Einzug oder das Mehrzweckfach legen,
an die <b>linke</b> Papierführung. Wählen Sie <b>normal</b> und <b>linken</b>. Laserdrucker
ziehen sehr kleine Formulare oft nicht ein; legen Sie sie dann quer ein und wählen Sie
<b>hochkant</b>.</p>

<p>Sitzt der ganze Druck zu weit rechts, verringern Sie die Rechts/Links-Korrektur; sitzt er zu
tief, verringern Sie die Oben/Unten-Korrektur. 10 entspricht einem Millimeter.</p>)";

} // namespace

TDruckerHilfeF::TDruckerHilfeF(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DruckerHilfeF"));
    setWindowTitle(QStringLiteral("Hilfe bei der Druckereinstellung"));
    resize(520, 480);
    Memo1 = new QTextBrowser(this);
    Memo1->setHtml(QString::fromUtf8(kPrinterHelp));
    Button1 = new QPushButton(QStringLiteral("Schließen"), this);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    auto* l = new QVBoxLayout(this);
    l->addWidget(Memo1);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(Button1);
    l->addLayout(row);
}

TUmfrageDruckenF::TUmfrageDruckenF(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("UmfrageDruckenF"));
    setWindowTitle(QStringLiteral("UmfrageDruckenF"));
    resize(420, 320);
    auto* hint =
        new QLabel(QStringLiteral("Ihre Antworten – vielen Dank für Ihre Mithilfe!"), this);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setReadOnly(true);
    Button1 = new QPushButton(QStringLiteral("Schließen"), this);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    auto* l = new QVBoxLayout(this);
    l->addWidget(hint);
    l->addWidget(Memo1);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(Button1);
    l->addLayout(row);
}

void TUmfrageDruckenF::setAnswers(const QString& text) {
    Memo1->setPlainText(text);
}

TUmfrageF::TUmfrageF(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("UmfrageF"));
    setWindowTitle(QStringLiteral("Umfrage"));
    resize(440, 440);
    auto* l = new QVBoxLayout(this);
    l->addWidget(new QLabel(
        QStringLiteral("Helfen Sie uns, Formidor zu verbessern. Die Umfrage ist freiwillig."),
        this));

    auto* forms = new QGroupBox(QStringLiteral("Welche Formulare drucken Sie?"), this);
    auto* fl = new QVBoxLayout(forms);
    auto box = [&](const char* t) {
        auto* c = new QCheckBox(QString::fromUtf8(t), forms);
        fl->addWidget(c);
        return c;
    };
    CBUeberweisung = box("Überweisungen");
    CBScheck = box("Verrechnungsschecks");
    CBLastschrift = box("Lastschriften");
    CBEinreichung = box("Scheckeinreichungen");
    CBNachnahme = box("Nachnahmeformulare");
    CBPaket = box("Paketscheine und Päckchen");
    CBAusland = box("Auslandsüberweisungen");
    l->addWidget(forms);

    auto* often = new QGroupBox(QStringLiteral("Wie oft drucken Sie Formulare?"), this);
    auto* ol = new QHBoxLayout(often);
    auto choice = [&](const char* t) {
        auto* r = new QRadioButton(QString::fromUtf8(t), often);
        ol->addWidget(r);
        return r;
    };
    RBTaeglich = choice("täglich");
    RBWoechentlich = choice("wöchentlich");
    RBMonatlich = choice("monatlich");
    RBSelten = choice("seltener");
    l->addWidget(often);

    l->addWidget(new QLabel(QStringLiteral("Welchen Drucker benutzen Sie?"), this));
    EDrucker = new QLineEdit(this);
    l->addWidget(EDrucker);
    l->addWidget(new QLabel(QStringLiteral("Was wünschen Sie sich?"), this));
    MemoWuensche = new QPlainTextEdit(this);
    l->addWidget(MemoWuensche, 1);

    Button1 = new QPushButton(QStringLiteral("Antworten anzeigen"), this);
    Button2 = new QPushButton(QStringLiteral("Schließen"), this);
    auto* row = new QHBoxLayout;
    row->addWidget(Button1);
    row->addStretch();
    row->addWidget(Button2);
    l->addLayout(row);
    connect(Button2, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button1, &QPushButton::clicked, this, [this] {
        if (!DruckenF) return;
        DruckenF->setAnswers(answers());
        DruckenF->exec();
    });
}

QString TUmfrageF::answers() const {
    QStringList forms;
    for (QCheckBox* c :
         {CBUeberweisung, CBScheck, CBLastschrift, CBEinreichung, CBNachnahme, CBPaket, CBAusland})
        if (c->isChecked()) forms << c->text();
    QString often;
    for (QRadioButton* r : {RBTaeglich, RBWoechentlich, RBMonatlich, RBSelten})
        if (r->isChecked()) often = r->text();
    return QStringLiteral("Formulare: %1\nHäufigkeit: %2\nDrucker: %3\nWünsche: %4\n")
        .arg(forms.isEmpty() ? QStringLiteral("-") : forms.join(QStringLiteral(", ")),
             often.isEmpty() ? QStringLiteral("-") : often, EDrucker->text(),
             MemoWuensche->toPlainText());
}

} // namespace formidor::gui
