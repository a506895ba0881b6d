#pragma once
// The bank directory: the Deutsche Bundesbank's bank code file, one bank per line in fixed
// columns, in the ANSI code page. Nothing of it is kept between lookups; reading it is one
// read of the file, so a lookup stays well under a millisecond.
//
// Columns (1-based): 1–8 bank code, 9 feature, 10–67 name, 68–72 postal code, 73–107 place,
// 108–134 short name, 135–139 PAN, 140–150 BIC, 151–152 check-digit method, 153–158 record
// number, 159 change mark, 160 deletion mark, 161–168 successor code.
#include "bankdata/pruefziffer.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace formidor {

// The directory file cannot be opened or read; the message is the user's German text.
class EBankFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr std::string_view kNichtVorhanden = "nicht vorhanden";

// The directory file the program uses: the one set by setBankDirectoryFile, else blz.asc in
// the program directory.
std::filesystem::path bankDirectoryFile();
// Tests and the command line point the program at another file; an empty path restores the
// default.
void setBankDirectoryFile(const std::filesystem::path& file);

// Columns from..to (1-based, inclusive) of a line as raw bytes; what lies beyond the end of
// the line is absent.
std::string_view column(std::string_view line, size_t from, size_t to);
// The check-digit method of a line, or -1 when columns 151–152 are not two digits.
int methodCode(std::string_view line);
// The short name (columns 108–134) in UTF-8 without trailing blanks: the name shown beside a
// bank-code field.
std::string shortName(std::string_view line);

// One row of the search dialog, UTF-8, columns as they stand in the file.
struct SearchHit {
    std::string blz, name, plz, ort;
};

class BankDirectory {
public:
    // Reads the whole file; throws EBankFileError.
    static BankDirectory read(const std::filesystem::path& file);
    explicit BankDirectory(std::string bytes);
    BankDirectory(BankDirectory&& other) noexcept;
    BankDirectory& operator=(BankDirectory&& other) noexcept;
    BankDirectory(const BankDirectory&) = delete;
    BankDirectory& operator=(const BankDirectory&) = delete;
    ~BankDirectory();

    std::string_view bytes() const { return {data_, size_}; }

    // The first line, in file order, whose bank-code column equals blz exactly; without its
    // line end. A code standing elsewhere in a record does not count.
    std::optional<std::string_view> findLine(std::string_view blz) const;
    // The same line read straight from the file, in pieces, stopping at the line: for a single
    // lookup, which then needs neither the whole file in memory nor an index. Throws
    // EBankFileError as read does.
    static std::optional<std::string> findLineInFile(const std::filesystem::path& file,
                                                     std::string_view blz);

    // Lines whose name column (10–67) contains name and whose place column (73–107) contains
    // ort, compared with only a–z folded to A–Z; an empty criterion is not applied, and with
    // both empty nothing matches. UTF-8 criteria.
    std::vector<SearchHit> search(std::string_view name, std::string_view ort) const;

private:
    BankDirectory() = default;
    std::unique_ptr<char[]> owned_;
    const char* data_ = nullptr;
    size_t size_ = 0;
};

// Method of every bank code, first line wins: for checking many accounts with one read.
class MethodIndex {
public:
    explicit MethodIndex(const BankDirectory& dir);
    // Straight from the file, through a small buffer: only the index is kept. Throws
    // EBankFileError as BankDirectory::read does.
    static MethodIndex fromFile(const std::filesystem::path& file);
    // nullopt when no line holds the bank code.
    std::optional<int> method(std::string_view blz) const;

private:
    MethodIndex();
    void add(std::string_view line);
    void grow();
    // Bank codes are at most eight bytes: each kept as one word in an open-addressing table
    // that stays in the cache, since a file of accounts looks codes up in random order; beside
    // it the code's length and its method + 1 (0: a free slot).
    std::vector<uint64_t> keys_;
    std::vector<uint16_t> meta_;
    size_t mask_ = 0;
    size_t used_ = 0;
};

// The bank-code field's exit on the transfer page (and in the foreign transfer window): the
// name for the bank-name field, or nullopt when the field holds eight blanks and nothing
// changes. "nicht vorhanden" when no line holds the code. Reads the file afresh.
std::optional<std::string> bankNameForField(std::string_view blzText);
std::optional<std::string> bankNameForField(std::string_view blzText,
                                            const std::filesystem::path& file);
std::optional<std::string> bankNameForField(std::string_view blzText, const BankDirectory& dir);

// The direct debit page's account normalisation: "0" in front up to ten characters, longer
// texts cut to their first ten characters.
std::string normaliseAccount(std::string_view konto);

// The direct debit page's bank-code exit, every step: bank name, account normalisation and
// verification. The steps before a failure stay done, as the page shows them.
struct DirectDebitExit {
    bool unchanged = false;              // eight blanks: nothing changes
    std::string bankName;                // for the bank-name field
    bool verified = false;               // the bank was found: status shown, account normalised
    std::string account;                 // the normalised account, when verified
    std::optional<Pruefergebnis> result; // when the check delivered one
    std::string error;                   // the conversion message, when the check raised one
};
DirectDebitExit directDebitExit(std::string_view blzText, std::string_view konto);
DirectDebitExit directDebitExit(std::string_view blzText, std::string_view konto,
                                const BankDirectory& dir);

} // namespace formidor
