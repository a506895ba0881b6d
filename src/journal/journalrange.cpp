#include "journal/journalrange.h"

#include <algorithm>
#include <cmath>

namespace formidor {

namespace {

TDateTime pickerDay(TDateTime d) {
    if (!std::isfinite(d)) return kJournalFirstPickerDay;
    return std::clamp(d, kJournalFirstPickerDay, kJournalLastPickerDay);
}

// The page header, in the order it is drawn.
struct HeaderLabel {
    int x;
    int y;
    std::string_view text;
};
constexpr HeaderLabel kColumnLabels[] = {
    {150, -200, "ID"},
    {300, -200, "Typ"},
    {600, -200, "Datum"},
    {850, -200, "Betrag"},
    {1150, -200, "Verwendungszweck"},
    {250, -250, "Auftraggeber"},
    {1100, -250, "Empfänger"},
};
constexpr std::string_view kJournalTitle = "Formidor 2016 - Druck-Journal";
constexpr int kSmallHeight = 30;
constexpr int kTitleHeight = 60;

void setFont(Canvas& c, int height, bool bold) {
    TFont f = c.Font();
    f.Name = "Arial";
    f.Height = height;
    f.Bold = bold;
    f.Italic = f.Underline = f.StrikeOut = false;
    f.Color = clBlack;
    c.SetFont(f);
}

void rule(Canvas& c, int y, int right) {
    c.MoveTo(0, y);
    c.LineTo(right, y);
}

// Draws the header of page `page` and returns the line position it leaves.
int printHeader(Canvas& c, int page) {
    // The rules run as far as the page is long, as the printer reports it in millimetres.
    const int right = 10 * c.GetDeviceCaps(VERTSIZE);
    setFont(c, kSmallHeight, false);
    c.SetTextAlign(TA_LEFT | TA_TOP);
    c.TextOut(1800, -10, "Seite " + std::to_string(page));
    setFont(c, kTitleHeight, false);
    c.Pen().Width = 5;
    rule(c, -50, right);
    c.SetTextAlign(TA_CENTER | TA_TOP);
    c.TextOut(1050, -60, kJournalTitle);
    c.SetTextAlign(TA_LEFT | TA_TOP);
    rule(c, -120, right);
    setFont(c, kSmallHeight, true);
    for (const auto& l : kColumnLabels) c.TextOut(l.x, l.y, l.text);
    c.Pen().Width = 2;
    rule(c, -300, right);
    return -150;
}

} // namespace

JournalRange journalDialogDefaults(const Journal& journal) {
    JournalRange r{journal.niedrigsteNummer(), journal.hoechsteNummer(), journal.fruehestesDatum(),
                   journal.spaetestesDatum()};
    if (!(r.vonDatum <= r.bisDatum)) {
        // Nothing seen yet: the start values 9999999 and 0 lie beyond what a picker shows, and
        // read as the widest range the pickers can offer.
        r.vonDatum = kJournalFirstPickerDay;
        r.bisDatum = kJournalLastPickerDay;
    } else {
        r.vonDatum = pickerDay(r.vonDatum);
        r.bisDatum = pickerDay(r.bisDatum);
    }
    return r;
}

bool journalSelected(const TJournal& record, const JournalRange& range) {
    const int32_t id = record.ID();
    if (id < range.vonNummer || id > range.bisNummer) return false;
    const double day = std::trunc(record.Datum());
    return std::trunc(range.vonDatum) <= day && day <= std::trunc(range.bisDatum);
}

std::vector<const TJournal*> journalSelection(const std::vector<TJournal>& list,
                                              const JournalRange& range) {
    std::vector<const TJournal*> out;
    for (const auto& r : list)
        if (journalSelected(r, range)) out.push_back(&r);
    return out;
}

size_t deleteJournalRange(Journal& journal, const JournalRange& range) {
    auto& list = journal.Liste();
    std::vector<size_t> marked;
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i].Flag() == 0 && journalSelected(list[i], range)) {
            list[i].SetFlag(1);
            marked.push_back(i);
        }
    }
    try {
        journal.JournalSpeichern();
    } catch (const EJournalError& e) {
        // The file still holds every record; so must the list.
        for (size_t i : marked) list[i].SetFlag(0);
        throw EJournalError(std::string(e.what()) + " Es wurde nichts gelöscht.");
    }
    try {
        journal.JournalLaden();
    } catch (const EJournalError& e) {
        // The file holds the remaining records; the list is made to match it.
        std::erase_if(list, [](const TJournal& r) { return r.Flag() != 0; });
        throw EJournalError(std::string(e.what()) + " Die " + std::to_string(marked.size()) +
                            " Einträge wurden aus der Datei gelöscht.");
    }
    return marked.size();
}

std::vector<JournalPrintText> journalRecordTexts(const TJournal& r, int y,
                                                 const FormatSettings& fs) {
    std::vector<JournalPrintText> t;
    t.reserve(10);
    t.push_back({150, y, std::to_string(r.ID())});
    t.push_back({300, y, std::string(journalTypText(r.Typ()))});
    t.push_back({600, y, journalDateText(r.Datum(), fs)});
    t.push_back({850, y, journalAmountText(r.Betrag(), fs) + " €"});
    t.push_back({1150, y, r.Verwendungszweck()});
    const int y2 = y - kJournalSecondLineOffset;
    auto optional = [&](int x, std::string_view label, const std::string& value) {
        if (!value.empty()) t.push_back({x, y2, std::string(label) + value});
    };
    t.push_back({250, y2, r.AuftraggeberName()});
    optional(550, "Kto.: ", r.AuftraggeberKonto());
    optional(800, "BLZ: ", r.AuftraggeberBLZ());
    t.push_back({1100, y2, r.EmpfaengerName()});
    optional(1400, "Kto.: ", r.EmpfaengerKonto());
    optional(1650, "BLZ: ", r.EmpfaengerBLZ());
    return t;
}

int printJournalRange(Printer& printer, const std::vector<TJournal>& list,
                      const JournalRange& range, const FormatSettings& fs) {
    printer.SetTitle("");
    printer.BeginDoc();
    try {
        Canvas* c = &printer.GetCanvas();
        c->SetMapMode(TMapMode::LoMetric);
        int y = printHeader(*c, printer.PageNumber()) - 200;
        for (const TJournal& r : list) {
            if (!journalSelected(r, range)) continue;
            if (y < kJournalLowestLineY) {
                printer.NewPage();
                c = &printer.GetCanvas();
                printHeader(*c, printer.PageNumber());
                y = kJournalFirstLineY;
            }
            setFont(*c, kSmallHeight, false);
            c->SetTextAlign(TA_LEFT | TA_TOP);
            for (const auto& t : journalRecordTexts(r, y, fs)) c->TextOut(t.x, t.y, t.text);
            y -= kJournalRecordPitch;
        }
        const int pages = printer.PageNumber();
        printer.EndDoc();
        return pages;
    } catch (...) {
        if (printer.Printing()) printer.Abort();
        throw;
    }
}

} // namespace formidor
