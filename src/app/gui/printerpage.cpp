#include "app/gui/printerpage.h"

#include "platform/gui/guard.h"
#include "platform/gui/printdialogs.h"

#include <QApplication>
#include <QFrame>
#include <exception>
#include <stdexcept>

namespace formidor::gui {

namespace {

QFont smallFont(int px = 11, bool bold = false) {
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

QLabel* text(QWidget* parent, const QString& s, int x, int y, const QFont& f = smallFont()) {
    auto* l = new QLabel(s, parent);
    l->setFont(f);
    l->move(x, y);
    l->adjustSize();
    return l;
}

QRadioButton* radio(QWidget* parent, const QString& s, int x) {
    auto* r = new QRadioButton(s, parent);
    r->setFont(smallFont());
    r->move(x, 0);
    r->adjustSize();
    return r;
}

// Sets a pair of radio buttons to the given states, including "neither checked", which an
// exclusive pair does not allow by itself. Becoming checked runs the button's handler.
void setPair(QRadioButton* a, QRadioButton* b, bool aChecked, bool bChecked) {
    if (aChecked) {
        a->setChecked(true);
    } else if (bChecked) {
        b->setChecked(true);
    } else {
        for (QRadioButton* r : {a, b}) {
            r->setAutoExclusive(false);
            r->setChecked(false);
            r->setAutoExclusive(true);
        }
    }
}

bool defaultFontDialog(QWidget* parent, settings::FontChoice& choice) {
    FontChoice c;
    c.face = QString::fromStdString(choice.name);
    c.pointSize = choice.size > 0 ? choice.size : 8;
    c.bold = choice.bold;
    if (!execFontDialog(c, parent)) return false;
    choice.name = c.face.toStdString();
    choice.size = c.pointSize;
    choice.bold = c.bold;
    choice.italic = c.italic;
    choice.underline = c.underline;
    choice.strikeOut = c.strikeOut;
    return true;
}

} // namespace

PrinterPage::PrinterPage(QWidget* parent) : QWidget(parent), fontDialog_(defaultFontDialog) {
    setObjectName(QStringLiteral("TabSheet4"));
    setFont(smallFont());

    LVersion = text(this, QStringLiteral("Formidor 2021 - 13.0"), 8, 4, smallFont(13, true));

    GroupBoxKorrektur = new QGroupBox(
        QStringLiteral("Druckereinstellung zur Korrektur (werden automatisch gespeichert!)"), this);
    GroupBoxKorrektur->setGeometry(4, 24, 532, 250);
    PageControl4 = new QTabWidget(GroupBoxKorrektur);
    PageControl4->setGeometry(8, 20, 516, 222);
    PageControl4->setUsesScrollButtons(false);
    // Seven sub-pages share one row: tabs only as wide as their captions.
    PageControl4->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 3px 6px; }"));

    {
        Sub& s = subs_[0];
        s.code = 'U';
        buildSub(s, "TabSheet15", "Überweis.", "Button5");
        TabSheet15 = s.page;

        EKVU = s.kv;
        EKHU = s.kh;
        UDKVU = s.udkv;
        UDKHU = s.udkh;
        RBHochformatU = s.normal;
        RBQuerformatU = s.hochkant;
        RBrechtsU = s.rechts;
        RBlinksU = s.links;
        LFontNameU = s.fontName;
        LFontSizeU = s.fontSize;
        LFontStyleU = s.fontStyle;
        Button5 = s.font;
    }
    {
        Sub& s = subs_[1];
        s.code = 'V';
        buildSub(s, "TabSheet16", "V-Schecks", "BSchriftV");
        TabSheet16 = s.page;
        CBgleichV = s.gleich;
        EKVV = s.kv;
        EKHV = s.kh;
        UDKVV = s.udkv;
        UDKHV = s.udkh;
        RBHochformatV = s.normal;
        RBQuerformatV = s.hochkant;
        RBrechtsV = s.rechts;
        RBlinksV = s.links;
        LFontNameV = s.fontName;
        LFontSizeV = s.fontSize;
        LFontStyleV = s.fontStyle;
        BSchriftV = s.font;
    }
    {
        Sub& s = subs_[2];
        s.code = 'L';
        buildSub(s, "TabSheet18", "Lastschrift", "BSchriftL");
        TabSheet18 = s.page;
        CBgleichL = s.gleich;
        EKVL = s.kv;
        EKHL = s.kh;
        UDKVL = s.udkv;
        UDKHL = s.udkh;
        RBHochformatL = s.normal;
        RBQuerformatL = s.hochkant;
        RBrechtsL = s.rechts;
        RBlinksL = s.links;
        LFontNameL = s.fontName;
        LFontSizeL = s.fontSize;
        LFontStyleL = s.fontStyle;
        BSchriftL = s.font;
    }
    {
        Sub& s = subs_[3];
        s.code = 'P';
        buildSub(s, "TabSheet19", "Paket/Päckchen", "BSchriftP");
        TabSheet19 = s.page;
        CBgleichP = s.gleich;
        EKVP = s.kv;
        EKHP = s.kh;
        UDKVP = s.udkv;
        UDKHP = s.udkh;
        RBHochformatP = s.normal;
        RBQuerformatP = s.hochkant;
        RBrechtsP = s.rechts;
        RBlinksP = s.links;
        LFontNameP = s.fontName;
        LFontSizeP = s.fontSize;
        LFontStyleP = s.fontStyle;
        BSchriftP = s.font;
    }
    {
        Sub& s = subs_[4];
        s.code = 'S';
        buildSub(s, "TabSheet20", "Scheckeinr.", "BSchriftS");
        TabSheet20 = s.page;
        CBgleichS = s.gleich;
        EKVS = s.kv;
        EKHS = s.kh;
        UDKVS = s.udkv;
        UDKHS = s.udkh;
        RBHochformatS = s.normal;
        RBQuerformatS = s.hochkant;
        RBrechtsS = s.rechts;
        RBlinksS = s.links;
        LFontNameS = s.fontName;
        LFontSizeS = s.fontSize;
        LFontStyleS = s.fontStyle;
        BSchriftS = s.font;
    }
    {
        Sub& s = subs_[5];
        s.code = 'A';
        buildSub(s, "TabSheet21", "Ausl.-Überw.", "BSchriftA");
        TabSheet21 = s.page;
        CBgleichA = s.gleich;
        EKVA = s.kv;
        EKHA = s.kh;
        UDKVA = s.udkv;
        UDKHA = s.udkh;
        RBHochformatA = s.normal;
        RBQuerformatA = s.hochkant;
        RBrechtsA = s.rechts;
        RBlinksA = s.links;
        LFontNameA = s.fontName;
        LFontSizeA = s.fontSize;
        LFontStyleA = s.fontStyle;
        BSchriftA = s.font;
    }
    {
        Sub& s = subs_[6];
        s.code = 'N';
        buildSub(s, "TabSheet17", "Nachnahme", "BSchriftN");
        TabSheet17 = s.page;
        CBgleichN = s.gleich;
        EKVN = s.kv;
        EKHN = s.kh;
        UDKVN = s.udkv;
        UDKHN = s.udkh;

        LFontNameN = s.fontName;
        LFontSizeN = s.fontSize;
        LFontStyleN = s.fontStyle;
        BSchriftN = s.font;
    }

    // The cash-on-delivery sub-page is the one shown when the page is first opened.
    PageControl4->setCurrentWidget(TabSheet17);
    // The store of the old sub-page's values comes before the new sub-page is filled, as a
    // change of sub-page is announced before it happens.
    shownSub_ = PageControl4->currentIndex();
    connect(PageControl4, &QTabWidget::currentChanged, this, [this](int i) {
        runGuarded([this] { PageControl4Changing(); });
        shownSub_ = i;
        if (i >= 0 && i < 7) runGuarded([this, i] { subPageShow(subs_[i].code); });
    });

    GroupBoxImpressum = new QGroupBox(QStringLiteral("Impressum"), this);
    GroupBoxImpressum->setGeometry(4, 280, 340, 106);
    text(GroupBoxImpressum, QStringLiteral("Quillon Software"), 10, 20, smallFont(11, true));
    text(GroupBoxImpressum, QStringLiteral("Postfach 10 20 30 · 12345 Musterstadt"), 10, 36);
    text(GroupBoxImpressum, QStringLiteral("Telefon 01234 56789-0"), 10, 50);
    Label31 = text(GroupBoxImpressum,
                   QStringLiteral("E-Mail: <a href=\"mailto:info@quillon-software.example\">"
                                  "info@quillon-software.example</a>"),
                   10, 66);
    Image2 = text(GroupBoxImpressum,
                  QStringLiteral("Internet: <a href=\"https://www.quillon-software.example/\">"
                                 "www.quillon-software.example</a>"),
                  10, 82);
    for (QLabel* l : {Label31, Image2}) {
        l->setTextFormat(Qt::RichText);
        l->setOpenExternalLinks(false);
        l->setCursor(Qt::PointingHandCursor);
        l->adjustSize();
    }

    auto side = [this](const char* s, int y) {
        auto* b = new QPushButton(QString::fromUtf8(s), this);
        b->setGeometry(356, y, 180, 24);
        return b;
    };
    Button40 = side("HILFE", 284);
    Button39 = side("UMFRAGE", 310);
    Button38 = side("Daten sichern", 336);
    Button41 = side("Daten einlesen", 362);

    // Leaving the printer page for another control of the main window brings every
    // "wie Überweisungen" copy up to date. A dialog opened from the page (the font dialog, a
    // message) takes the focus into another window: that is not leaving the page.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (old && now && isAncestorOf(old) && !isAncestorOf(now) && now->window() == window())
            runGuarded([this] { TabSheet4Exit(); });
    });
}

void PrinterPage::buildSub(Sub& s, const char* pageName, const char* caption,
                           const char* buttonName) {
    const char x = s.code;
    auto* p = new QWidget;
    p->setObjectName(QString::fromUtf8(pageName));
    s.page = p;
    PageControl4->addTab(p, QString::fromUtf8(caption));

    s.gleich = nullptr;
    if (x != 'U') {
        s.gleich = new QCheckBox(QStringLiteral("wie Überweisungen"), p);
        s.gleich->setFont(smallFont(11, true));
        s.gleich->move(8, 6);
        s.gleich->adjustSize();
        s.gleich->setChecked(true);
    }

    const QFont heading = smallFont(11, true);
    const QFont tiny = smallFont(10);
    auto offsetBlock = [&](int y, const QString& title, const QString& up, const QString& down,
                           QLineEdit*& edit, TUpDown*& ud) {
        text(p, title, 8, y, heading);
        edit = new QLineEdit(QStringLiteral("0"), p);
        edit->setGeometry(8, y + 16, 60, 22);
        ud = new TUpDown(edit, -5000, 5000, p);
        text(p, up, 92, y + 14, tiny);
        text(p, down, 92, y + 27, tiny);
        text(p, QStringLiteral("in 1/10 mm auf dem gedruckten Formular"), 8, y + 41, tiny);
    };
    offsetBlock(30, QStringLiteral("Rechts/Links Korrektur"), QStringLiteral("nach rechts"),
                QStringLiteral("nach links"), s.kv, s.udkv);
    offsetBlock(92, QStringLiteral("Oben/Unten Korrektur"), QStringLiteral("nach unten"),
                QStringLiteral("nach oben"), s.kh, s.udkh);
    onFocusOut(s.kv, [this, x] { EKVExit(x); });
    onFocusOut(s.udkv, [this, x] { EKVExit(x); });
    onFocusOut(s.kh, [this, x] { EKHExit(x); });
    onFocusOut(s.udkh, [this, x] { EKHExit(x); });

    s.normal = s.hochkant = s.rechts = s.links = nullptr;
    if (hasOrientation(x)) {
        text(p, QStringLiteral("Das Formular ist"), 260, 30, heading);
        auto* orientation = new QWidget(p);
        orientation->setGeometry(260, 46, 230, 20);
        s.normal = radio(orientation, QStringLiteral("normal"), 0);
        s.hochkant = radio(orientation, QStringLiteral("hochkant"), 100);
        text(p, QStringLiteral("auf der"), 260, 72, heading);
        auto* feed = new QWidget(p);
        feed->setGeometry(260, 88, 230, 20);
        s.rechts = radio(feed, QStringLiteral("rechten"), 0);
        s.links = radio(feed, QStringLiteral("linken"), 100);
        s.links->setChecked(true); // forms are fed at the left until the user says otherwise
        text(p, QStringLiteral("im Drucker"), 260, 112, heading);
        onRadioChecked(s.normal, this, [this, x] { orientationClick(x); });
        onRadioChecked(s.hochkant, this, [this, x] { orientationClick(x); });
        onRadioChecked(s.rechts, this, [this, x] { feedClick(x); });
        onRadioChecked(s.links, this, [this, x] { feedClick(x); });
    }

    auto* line = new QFrame(p);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(8, 150, 490, 2);
    s.fontName = text(p, QStringLiteral("Schrift: "), 8, 164);
    s.fontName->resize(190, 16);
    s.fontSize = text(p, QStringLiteral("Größe: "), 206, 164);
    s.fontSize->resize(80, 16);
    s.fontStyle = text(p, QString(), 290, 164);
    s.fontStyle->resize(90, 16);
    s.font = new QPushButton(QStringLiteral("Ändern"), p);
    s.font->setObjectName(QString::fromUtf8(buttonName));
    s.font->setGeometry(398, 160, 96, 24);
    connectGuarded(s.font, &QPushButton::clicked, this, [this, x] { fontClick(x); });
    s.probe = new QPushButton(QStringLiteral("Probedruck"), p);
    s.probe->setGeometry(398, 118, 96, 24);

    if (s.gleich) onCheckBoxClicked(s.gleich, this, [this, x] { gleichClick(x); });
    // Shown with the printer page: the sub-page's show handler runs at once. Shown by a change
    // of sub-page: the change handler runs it after the store.
    onShow(p, [this, x, p] {
        if (PageControl4->indexOf(p) == shownSub_) subPageShow(x);
    });
}

const PrinterPage::Sub& PrinterPage::sub(char x) const {
    for (const Sub& s : subs_)
        if (s.code == x) return s;
    throw std::invalid_argument("unknown form code");
}

// --- handlers ---

void PrinterPage::EKVExit(char x) {
    settings::storeOffset(x, true, sub(x).kv->text().toStdString());
}

void PrinterPage::EKHExit(char x) {
    settings::storeOffset(x, false, sub(x).kh->text().toStdString());
}

void PrinterPage::orientationClick(char x) {
    settings::storeOrientation(x, sub(x).normal->isChecked());
}

void PrinterPage::feedClick(char x) {
    settings::storeFeed(x, sub(x).rechts->isChecked());
}

void PrinterPage::fontClick(char x) {
    const Sub& s = sub(x);
    const settings::FontSetting stored = settings::readFont(x);
    settings::FontChoice choice;
    choice.name = stored.name;
    choice.size = stored.size;
    choice.bold = stored.bold;
    if (fontDialog_ && fontDialog_(this, choice)) {
        if (auto style = settings::storeFontChoice(x, choice))
            s.fontStyle->setText(QString::fromStdString(*style));
    }
    refreshFontLabels(x);
}

void PrinterPage::refreshFontLabels(char x) {
    const Sub& s = sub(x);
    s.fontSize->setText(QString::fromStdString(settings::fontSizeLabel(x)));
    s.fontName->setText(QString::fromStdString(settings::fontNameLabel(x)));
}

void PrinterPage::gleichClick(char x) {
    const Sub& s = sub(x);
    if (!s.gleich) return;
    const bool same = s.gleich->isChecked();
    for (QWidget* w : s.page->findChildren<QWidget*>())
        if (w != s.gleich && w != s.probe) w->setEnabled(!same);
    if (same) {
        const Sub& u = sub('U');
        s.kv->setText(u.kv->text());
        s.kh->setText(u.kh->text());
        if (hasOrientation(x)) {
            setPair(s.links, s.rechts, u.links->isChecked(), u.rechts->isChecked());
            setPair(s.normal, s.hochkant, u.normal->isChecked(), u.hochkant->isChecked());
        }
        EKVExit(x);
        EKHExit(x);
        settings::copyTransferFont(x);
        refreshFontLabels(x);
        s.fontStyle->setText(
            QString::fromStdString(settings::fontStyleLabel(settings::readFont(x).bold)));
    } else {
        settings::showStoredCalibration(*this, x);
    }
}

void PrinterPage::subPageShow(char x) {
    if (x == 'U')
        settings::showStoredCalibration(*this, 'U');
    else
        gleichClick(x);
}

void PrinterPage::TabSheet4Exit() {
    // Every type is brought up to date; a wrong transfer offset fails each of them alike, and
    // is reported once.
    std::exception_ptr first;
    for (char x : std::string_view("VLPSAN")) {
        try {
            gleichClick(x);
        } catch (...) {
            if (!first) first = std::current_exception();
        }
    }
    if (first) std::rethrow_exception(first);
}

void PrinterPage::refreshTakenOverOffsets() {
    const Sub& u = sub('U');
    for (const Sub& s : subs_) {
        if (!s.gleich || !s.gleich->isChecked()) continue;
        s.kv->setText(u.kv->text());
        s.kh->setText(u.kh->text());
    }
}

void PrinterPage::PageControl4Changing() {
    refreshTakenOverOffsets();
    settings::SaveSettings(*this, nullptr);
    if (printer_) settings::ReapplyPrinter(*printer_);
}

// --- CalibrationControls ---

std::string PrinterPage::offsetText(char x, bool horizontal) const {
    return (horizontal ? sub(x).kv : sub(x).kh)->text().toStdString();
}

bool PrinterPage::isNormal(char x) const {
    return sub(x).normal && sub(x).normal->isChecked();
}
bool PrinterPage::isHochkant(char x) const {
    return sub(x).hochkant && sub(x).hochkant->isChecked();
}
bool PrinterPage::isRightFeed(char x) const {
    return sub(x).rechts && sub(x).rechts->isChecked();
}
bool PrinterPage::isLeftFeed(char x) const {
    return sub(x).links && sub(x).links->isChecked();
}

void PrinterPage::setOffsetText(char x, bool horizontal, const std::string& text) {
    (horizontal ? sub(x).kv : sub(x).kh)->setText(QString::fromStdString(text));
}

void PrinterPage::checkOrientation(char x, bool normal) {
    const Sub& s = sub(x);
    if (s.normal) (normal ? s.normal : s.hochkant)->setChecked(true);
}

void PrinterPage::checkFeed(char x, bool right) {
    const Sub& s = sub(x);
    if (s.rechts) (right ? s.rechts : s.links)->setChecked(true);
}

bool PrinterPage::sameAsTransfer(char x) const {
    return sub(x).gleich && sub(x).gleich->isChecked();
}

void PrinterPage::setSameAsTransfer(char x, bool checked) {
    if (sub(x).gleich) sub(x).gleich->setChecked(checked);
}

void PrinterPage::showFont(char x, const std::string& name, const std::string& size,
                           const std::string& style) {
    const Sub& s = sub(x);
    s.fontName->setText(QString::fromStdString(name));
    s.fontSize->setText(QString::fromStdString(size));
    s.fontStyle->setText(QString::fromStdString(style));
}

} // namespace formidor::gui
