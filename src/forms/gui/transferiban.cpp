#include "forms/gui/transferiban.h"

#include "bankdata/bankdirectory.h"
#include "bankdata/gui/bankfields.h"
#include "bankdata/iban.h"
#include "forms/gui/transferpage.h"
#include "forms/gui/transferprint.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <exception>
#include <optional>

namespace formidor::gui {

namespace {

constexpr const char* kToneProperty = "ibanTone";
// The BIC this page last put into EBank, so that a later exit may replace it again.
constexpr const char* kFilledBicProperty = "filledBic";
// The IBAN this page last proposed, so that the status line keeps saying it was computed.
constexpr const char* kComputedProperty = "computedIban";

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QColor toneColour(IbanTone tone) {
    switch (tone) {
    case IbanTone::Valid:
        return QColor(0, 110, 0);
    case IbanTone::Warning:
        return QColor(160, 90, 0);
    case IbanTone::Invalid:
        return QColor(200, 0, 0);
    case IbanTone::None:
        break;
    }
    return QColor(Qt::black);
}

void setStatus(QLabel* status, IbanTone tone, const QString& text, const QString& tip) {
    QPalette pal = status->palette();
    pal.setColor(QPalette::WindowText, toneColour(tone));
    status->setPalette(pal);
    status->setProperty(kToneProperty, static_cast<int>(tone));
    // The line is as wide as the form leaves it; the whole verdict is in the tooltip.
    status->setText(status->fontMetrics().elidedText(text, Qt::ElideRight, status->width()));
    status->setToolTip(tip.isEmpty() ? text : tip);
}

void clearStatus(QLabel* status) {
    setStatus(status, IbanTone::None, QString(), QString());
}

IbanTone toneOf(const IbanCheck& c) {
    switch (c.verdict) {
    case IbanVerdict::Invalid:
        return IbanTone::Invalid;
    case IbanVerdict::BankUnknown:
    case IbanVerdict::AccountWrong:
        return IbanTone::Warning;
    case IbanVerdict::Valid:
        break;
    }
    return IbanTone::Valid;
}

// Looks a German IBAN up in the directory file, read afresh up to the bank's line. The file error
// is handed back, so that the status line still shows what could be checked before the message box
// tells why the rest could not.
std::exception_ptr lookUp(IbanCheck& c) {
    if (c.verdict == IbanVerdict::Invalid || !c.german()) return nullptr;
    try {
        lookUpGermanBank(c, bankDirectoryFile());
        return nullptr;
    } catch (const EBankFileError&) {
        return std::current_exception();
    }
}

void showVerdict(QLabel* status, const IbanCheck& c, bool computed, bool unread) {
    QString text = qs(ibanStatusText(c));
    IbanTone tone = toneOf(c);
    if (unread) {
        text = QStringLiteral("Prüfziffern stimmen, Bank nicht nachgeschlagen (Bankverzeichnis "
                              "nicht lesbar)");
        tone = IbanTone::Warning;
    }
    if (!computed) {
        setStatus(status, tone, text, text);
        return;
    }
    const QString note = QStringLiteral("IBAN ") + qs(kComputedIbanNote) + QStringLiteral(".");
    if (tone == IbanTone::Valid)
        setStatus(status, IbanTone::Warning,
                  QStringLiteral("IBAN berechnet, ohne Sonderregeln der Bank: bitte prüfen"),
                  text + QStringLiteral("\n") + note);
    else
        setStatus(status, tone, QStringLiteral("Berechnet: ") + text,
                  text + QStringLiteral("\n") + note);
}

// EBank takes the directory's BIC unless the user has typed something of their own there.
void fillBic(TransferPage& p, const IbanCheck& c) {
    if (c.verdict == IbanVerdict::Invalid) return;
    const QString bic = qs(c.bic);
    const QString now = p.EBank->text().trimmed();
    const QString filled = p.EBank->property(kFilledBicProperty).toString();
    const bool ours = now.isEmpty() || (!filled.isEmpty() && now == filled) ||
                      (!bic.isEmpty() && !c.bankName.empty() && now == qs(c.bankName));
    if (!ours || now == bic) return;
    p.EBank->setText(bic);
    p.EBank->setProperty(kFilledBicProperty, bic);
}

void checkRecipient(TransferPage& p) {
    const std::string text = p.EIBANEmpf->text().toStdString();
    IbanCheck c = checkIbanText(text);
    if (c.fault == IbanFault::Empty) {
        clearStatus(p.LIBANEmpfStatus);
        return;
    }
    const QString proposed = p.EIBANEmpf->property(kComputedProperty).toString();
    const bool computed = !proposed.isEmpty() && qs(c.iban) == proposed;
    std::exception_ptr error = lookUp(c);
    showVerdict(p.LIBANEmpfStatus, c, computed, error != nullptr);
    if (error) std::rethrow_exception(error);
    fillBic(p, c);
}

bool sepaChecked(const TransferPage& p) {
    auto v = checkedTransferVariant(p);
    return v && forms::transferVariant(*v).layout == forms::TransferLayoutKind::Sepa;
}

} // namespace

IbanTone ibanTone(const QLabel* status) {
    return static_cast<IbanTone>(status->property(kToneProperty).toInt());
}

void EIBANEmpfExit(TransferPage& p) {
    checkRecipient(p);
}

void EIBANAuftragExit(TransferPage& p) {
    const std::string text = p.EIBANAuftrag->text().toStdString();
    if (normaliseIban(text).empty()) {
        clearStatus(p.LIBANAuftragStatus);
        return;
    }
    IbanCheck c = checkOriginatorIbanText(text);
    std::exception_ptr error = lookUp(c);
    showVerdict(p.LIBANAuftragStatus, c, false, error != nullptr);
    if (error) std::rethrow_exception(error);
}

void proposeRecipientIban(TransferPage& p) {
    if (!sepaChecked(p)) return;
    p.EIBANEmpf->setProperty(kComputedProperty, QString());
    if (p.EIBANEmpf->text().trimmed().isEmpty()) {
        ComputedIban r =
            germanIban(fieldText(p.EBLZ).toStdString(), fieldText(p.EKontonr).toStdString());
        if (!r.iban.empty()) {
            p.EIBANEmpf->setText(qs(r.iban));
            p.EIBANEmpf->setProperty(kComputedProperty, qs(r.iban));
        }
    }
    checkRecipient(p);
}

void clearRecipientIbanStatus(TransferPage& p) {
    clearStatus(p.LIBANEmpfStatus);
}

void showIbanStatusLines(TransferPage& p, bool sepa) {
    p.LIBANEmpfStatus->setVisible(sepa);
    p.LIBANAuftragStatus->setVisible(sepa);
}

void bindTransferIbanFields(TransferPage* p) {
    onFieldExit(p->EIBANEmpf, [p] { EIBANEmpfExit(*p); });
    onFieldExit(p->EIBANAuftrag, [p] { EIBANAuftragExit(*p); });
}

} // namespace formidor::gui
