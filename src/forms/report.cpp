#include "forms/report.h"

#include <algorithm>

namespace formidor::forms {

namespace {

using sv = std::string_view;
using V = TransferVariant;
using K = ReportPiece::Kind;
using F = ReportFont;

constexpr ReportPiece lit(sv text) {
    return {K::Literal, text, 0};
}
constexpr ReportPiece fld(sv control) {
    return {K::Field, control, 0};
}
constexpr ReportPiece today() {
    return {K::Today, {}, 0};
}
constexpr ReportPiece memoLine(sv memo) {
    return {K::MemoLine, memo, 0};
}
constexpr ReportPiece yesNo(sv checkBox) {
    return {K::YesNo, checkBox, 0};
}
constexpr ReportPiece blockField(sv stem) {
    return {K::BlockField, stem, 0};
}
constexpr ReportPiece blockNumber() {
    return {K::BlockNumber, {}, 0};
}

constexpr uint32_t kAlways = ~uint32_t{0};

// --- transfer report: one case per variant ---

constexpr uint32_t bit(V v) {
    return uint32_t{1} << static_cast<int>(v);
}
constexpr uint32_t kSepa = bit(V::V13) | bit(V::Hypo);
constexpr uint32_t kAccountNumbers = (kAlways >> (32 - kTransferVariantCount)) & ~kSepa;
constexpr uint32_t kAnyVariant = kAlways >> (32 - kTransferVariantCount);

// The SEPA editions have no account number or bank code of the recipient: the page shows the
// IBAN and, in the bank field, the BIC, and the report lists those.
constexpr ReportRow kTransferReport[] = {
    {bit(V::V16) | bit(V::V18) | bit(V::V20) | bit(V::V24) | bit(V::Postbank) | bit(V::Hypo),
     F::Title,
     400,
     -100,
     {lit("Überweisungsbericht vom "), today()}},
    {bit(V::V13) | bit(V::V15),
     F::Title,
     300,
     -100,
     {lit("SEPA-Überweisungsbericht vom "), today()}},
    {bit(V::Postbank) | bit(V::V20) | bit(V::V15),
     F::LargeBold,
     400,
     -200,
     {lit("Auftraggeber: "), fld("EAuftraggeber"), lit(", Kontonummer: "), fld("EEigeneKontonr")}},
    {bit(V::V24) | bit(V::V16),
     F::LargeBold,
     300,
     -200,
     {lit("Auftraggeber: "), fld("EAuftraggeber"), lit(", Kontonummer: "), fld("EEigeneKontonr"),
      lit(", BLZ: "), fld("EAuftraggeberBLZ")}},
    {bit(V::Hypo),
     F::LargeBold,
     300,
     -200,
     {lit("Auftraggeber: "), fld("EAuftraggeber"), lit(", IBAN: "), fld("EIBANAuftrag"),
      lit(", BIC: "), fld("EAuftraggeberBLZ")}},
    {bit(V::V18),
     F::LargeBold,
     400,
     -175,
     {lit("Auftraggeber: "), fld("EAuftraggeber"), lit(", Kontonummer: "), fld("EEigeneKontonr")}},
    {bit(V::V18),
     F::LargeBold,
     400,
     -225,
     {lit("BLZ: "), fld("EAuftraggeberBLZ"), lit(", Institut: "), fld("EAuftraggeberBank")}},
    {kAlways, F::LargeBold, 400, -325, {lit("Betrag: "), fld("EBetrag")}},
    {kAnyVariant & ~bit(V::V13), F::Large, 150, -475, {lit("Empfänger:")}},
    {kAlways, F::Large, 600, -475, {fld("EEmpfaenger")}},
    {kAccountNumbers, F::Large, 1180, -475, {lit("Kontonummer:")}},
    {kAccountNumbers, F::Large, 1500, -475, {fld("EKontonr")}},
    {kSepa, F::Large, 1180, -475, {lit("IBAN:")}},
    {kSepa, F::Large, 1500, -475, {fld("EIBANEmpf")}},
    {kAccountNumbers, F::Large, 150, -525, {lit("Bankleitzahl:")}},
    {kAccountNumbers, F::Large, 600, -525, {fld("EBLZ")}},
    {kSepa, F::Large, 150, -525, {lit("BIC:")}},
    {kSepa, F::Large, 600, -525, {fld("EBank")}},
    {kAccountNumbers, F::Large, 1180, -525, {lit("Institut:")}},
    {kAccountNumbers, F::Large, 1500, -525, {fld("EBank")}},
    {bit(V::V15), F::Large, 1500, -575, {fld("EBank2")}},
    {kAlways, F::Large, 150, -625, {lit("Verwendungszweck 1:")}},
    {kAlways, F::Large, 600, -625, {fld("EVerwendung1")}},
    {kAlways, F::Large, 150, -675, {lit("Verwendungszweck 2:")}},
    {kAlways, F::Large, 600, -675, {fld("EVerwendung2")}},
    {bit(V::V24), F::Large, 150, -725, {lit("Ausführungsdatum")}},
    {bit(V::V24), F::Large, 600, -725, {fld("EAusfuehrungsdatum")}},
    {bit(V::Postbank), F::Large, 150, -725, {lit("Ausführungsdatum")}},
    {bit(V::Postbank), F::Large, 600, -725, {fld("EPostbankB")}},
    {bit(V::Postbank), F::Large, 150, -775, {lit("Auftragsbearbeitung")}},
    {bit(V::Postbank), F::Large, 600, -775, {fld("EPostbankA")}},
    {bit(V::Postbank), F::Large, 150, -825, {lit("Buchungsbestätigung")}},
    {bit(V::Postbank), F::Large, 600, -825, {yesNo("EPostbankC")}},
    {bit(V::V15), F::Large, 150, -725, {lit("Ausführungsart")}},
    {bit(V::V15), F::Large, 600, -725, {fld("EArt")}},
    {bit(V::V15), F::Large, 150, -775, {lit("Entgelt")}},
    {bit(V::V15), F::Large, 600, -775, {fld("EEntgelt")}},
    {bit(V::V15), F::Large, 150, -825, {lit("Zielland")}},
    {bit(V::V15), F::Large, 600, -825, {fld("EZielland")}},
};

// --- crossed cheque report: with a counterfoil, or "kein Abschnitt" ---

constexpr uint32_t kWithCounterfoil = 1;
constexpr int kChequeWithCounterfoil = 0;
constexpr int kChequeWithoutCounterfoil = 1;

constexpr ReportRow kChequeReport[] = {
    {kAlways, F::Title, 700, -100, {lit("Verrechnungsscheckbericht")}},
    {kAlways, F::Large, 150, -275, {lit("Empfänger:")}},
    {kAlways, F::Large, 600, -275, {fld("EAnredeE")}},
    {kAlways, F::Large, 600, -325, {fld("EEmpfaenger1")}},
    {kAlways, F::Large, 600, -375, {fld("EEmpfaenger2")}},
    {kAlways, F::Large, 600, -425, {fld("EPLZE")}},
    {kAlways, F::Large, 750, -425, {fld("EOrtEmpf")}},
    {kAlways, F::LargeBold, 150, -475, {lit("Betrag:")}},
    {kAlways, F::LargeBold, 600, -475, {lit("EUR "), fld("EBetragV")}},
    {kAlways, F::Large, 150, -525, {lit("Ausstellungsort:")}},
    {kAlways, F::Large, 600, -525, {fld("EOrt")}},
    {kAlways, F::Large, 150, -575, {lit("Datum:")}},
    {kAlways, F::Large, 600, -575, {fld("EDatum")}},
    {kWithCounterfoil, F::Large, 150, -625, {lit("Absender:")}},
    {kWithCounterfoil, F::Large, 600, -625, {memoLine("MemoDeutscheAbs")}, 5, -50},
    {kWithCounterfoil, F::Large, 150, -875, {lit("Verwendungszweck:")}},
    {kWithCounterfoil, F::Large, 600, -875, {memoLine("MemoDeutscheVerw")}, 17, -50},
};

// --- cheque deposit report: by the last deposit bank ---

enum DepositCase { kDeutsche, kCommerz, kDresdner, kSparkasse, kOtherBank };
constexpr uint32_t bank(DepositCase c) {
    return uint32_t{1} << c;
}
constexpr uint32_t kNotDeutsche = kAlways & ~bank(kDeutsche);

constexpr ReportRow kDepositHead[] = {
    {kAlways, F::Title, 700, -100, {lit("Scheckeinreichungsbericht")}},
    {bank(kDeutsche) | bank(kCommerz),
     F::LargeBold,
     300,
     -200,
     {lit("Kontonummer: "), fld("EEmpfaengerKontonr"), lit(" , Bankleitzahl: "), fld("EOrtDatum"),
      lit(", Kontoinhaber: "), fld("EKontoinhaber")}},
    {kAlways & ~(bank(kDeutsche) | bank(kCommerz)),
     F::LargeBold,
     400,
     -200,
     {lit("Kontonummer: "), fld("EEmpfaengerKontonr"), lit(", Kontoinhaber: "),
      fld("EKontoinhaber")}},
};

// One cheque, y relative to the block's top. Deutsche Bank's slip keeps the cheque number in
// the account field and the submitter's notes in the cheque number field.
constexpr ReportRow kDepositBlock[] = {
    {kAlways, F::LargeBold, 100, 0, {lit("Scheck "), blockNumber(), lit(":")}},
    {kAlways, F::Large, 150, -75, {lit("Schecknummer:")}},
    {bank(kDeutsche), F::Large, 600, -75, {blockField("EKontonr")}},
    {kNotDeutsche, F::Large, 600, -75, {blockField("ESchecknr")}},
    {bank(kDeutsche), F::Large, 1000, -75, {lit("Vermerke des Einreichers:")}},
    {kNotDeutsche, F::Large, 1000, -75, {lit("Ausstellerkontonr.:")}},
    {bank(kDeutsche), F::Large, 1500, -75, {blockField("ESchecknr")}},
    {kNotDeutsche, F::Large, 1500, -75, {blockField("EKontonr")}},
    {kAlways, F::Large, 150, -125, {lit("BLZ des Ausstellers:")}},
    {kAlways, F::Large, 600, -125, {blockField("EBLZ")}},
    {kAlways, F::Large, 1000, -125, {lit("Betrag:")}},
    {kAlways, F::Large, 1500, -125, {blockField("EBetrag"), lit(" "), fld("EDMEURS")}},
    {kAlways, F::Large, 150, -175, {lit("Kommentar:")}},
};
constexpr int kDepositBlockTops[] = {-400, -700, -1100, -1500, -1900};

constexpr ReportRow kDepositFoot[] = {
    {kAlways, F::LargeBold, 200, -2500, {lit("Stückzahl: "), fld("EStueck")}},
    {kAlways,
     F::LargeBold,
     500,
     -2500,
     {lit("Gesamtbetrag: "), fld("EGesamtbetrag"), lit(" "), fld("EDMEURS")}},
    {bank(kDresdner) | bank(kSparkasse),
     F::LargeBold,
     1200,
     -2500,
     {lit("Datum: "), fld("EOrtDatum")}},
    {bank(kDeutsche), F::LargeBold, 1200, -2500, {lit("Datum: "), fld("EWert")}},
};

DepositCase depositCase(sv lastBank) {
    if (lastBank == "Deutsche Bank") return kDeutsche;
    if (lastBank == "Commerzbank") return kCommerz;
    if (lastBank == "Dresdner Bank") return kDresdner;
    if (lastBank == "Sparkasse") return kSparkasse;
    return kOtherBank;
}

// Line `index` of a memo's text (lines end at a line feed; a carriage return before it is
// part of the break).
std::string memoLineOf(sv memo, int index) {
    size_t start = 0;
    for (int i = 0; i < index; ++i) {
        const size_t nl = memo.find('\n', start);
        if (nl == sv::npos) return {};
        start = nl + 1;
    }
    if (start > memo.size()) return {};
    sv line = memo.substr(start, memo.find('\n', start) - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return std::string(line);
}

struct Context {
    sv today;
    int block = 0; // 1 … 5 inside a cheque block
    int top = 0;   // added to every y
};

void place(std::span<const ReportRow> rows, const FormPage& page, int reportCase,
           const Context& ctx, std::vector<ReportText>& out) {
    for (const ReportRow& row : rows) {
        if (row.cases != kAlways && (reportCase < 0 || (row.cases >> reportCase & 1) == 0))
            continue;
        for (int i = 0; i < row.repeat; ++i) {
            std::string text;
            for (const ReportPiece& p : row.text) {
                switch (p.kind) {
                case K::None:
                    break;
                case K::Literal:
                    text += p.name;
                    break;
                case K::Field:
                    text += page.text(p.name);
                    break;
                case K::Today:
                    text += ctx.today;
                    break;
                case K::MemoLine:
                    text += memoLineOf(page.text(p.name), p.index + i);
                    break;
                case K::YesNo:
                    text += page.checked(p.name) ? "Ja" : "Nein";
                    break;
                case K::BlockField:
                    text += page.text(std::string(p.name) + std::to_string(ctx.block));
                    break;
                case K::BlockNumber:
                    text += std::to_string(ctx.block);
                    break;
                }
            }
            out.push_back({row.x, ctx.top + row.y + i * row.dy, row.font, std::move(text)});
        }
    }
}

void addControls(std::span<const ReportRow> rows, std::vector<std::string>& out, int blocks = 0) {
    for (const ReportRow& row : rows) {
        for (const ReportPiece& p : row.text) {
            std::vector<std::string> names;
            if (p.kind == K::Field || p.kind == K::MemoLine || p.kind == K::YesNo)
                names.emplace_back(p.name);
            if (p.kind == K::BlockField)
                for (int n = 1; n <= blocks; ++n)
                    names.push_back(std::string(p.name) + std::to_string(n));
            for (auto& n : names)
                if (std::find(out.begin(), out.end(), n) == out.end()) out.push_back(std::move(n));
        }
    }
}

} // namespace

std::vector<ReportText> transferReportTexts(std::optional<TransferVariant> v, const FormPage& page,
                                            std::string_view todayText) {
    std::vector<ReportText> out;
    place(kTransferReport, page, v ? static_cast<int>(*v) : -1, {todayText}, out);
    return out;
}

std::vector<ReportText> chequeReportTexts(const FormPage& page) {
    std::vector<ReportText> out;
    place(kChequeReport, page,
          page.checked("RBkein") ? kChequeWithoutCounterfoil : kChequeWithCounterfoil, {}, out);
    return out;
}

std::vector<ReportText> depositReportTexts(const FormPage& page, std::string_view lastDepositBank) {
    const int c = depositCase(lastDepositBank);
    std::vector<ReportText> out;
    place(kDepositHead, page, c, {}, out);
    for (int n = 1; n <= 5; ++n)
        place(kDepositBlock, page, c, {{}, n, kDepositBlockTops[n - 1]}, out);
    place(kDepositFoot, page, c, {}, out);
    return out;
}

std::vector<std::string> transferReportControls() {
    std::vector<std::string> out;
    addControls(kTransferReport, out);
    return out;
}

std::vector<std::string> chequeReportControls() {
    std::vector<std::string> out;
    addControls(kChequeReport, out);
    return out;
}

std::vector<std::string> depositReportControls() {
    std::vector<std::string> out;
    addControls(kDepositHead, out);
    addControls(kDepositBlock, out, 5);
    addControls(kDepositFoot, out);
    return out;
}

void printReport(Printer& printer, std::string_view title, const std::vector<ReportText>& texts) {
    printer.SetTitle(std::string(title));
    printer.BeginDoc();
    try {
        Canvas& c = printer.GetCanvas();
        // A first output in device units before the switch to 0.1 mm.
        c.TextOut(0, 0, " ");
        c.SetMapMode(TMapMode::LoMetric);
        c.SetTextAlign(TA_LEFT | TA_TOP);
        for (const ReportText& t : texts) {
            TFont f = c.Font();
            f.Name = "Arial";
            f.Color = clBlack;
            f.Height = t.font == ReportFont::Title ? 60 : 45;
            f.Bold = t.font != ReportFont::Large;
            f.Italic = f.Underline = f.StrikeOut = false;
            c.SetFont(f);
            c.TextOut(t.x, t.y, t.text);
        }
        printer.EndDoc();
    } catch (...) {
        if (printer.Printing()) printer.Abort();
        throw;
    }
}

} // namespace formidor::forms
