#include "bankdata/pruefziffer.h"

#include "bankdata/bankdirectory.h"
#include "platform/convert.h"
#include "platform/text.h"

#include <array>
#include <vector>

namespace formidor {

std::string_view pruefergebnisText(Pruefergebnis r) {
    switch (r) {
    case pzFalsch:
        return "Kontonummer lt. Prüfziffernverfahren falsch";
    case pzRichtig:
        return "Kontonummer lt. Prüfziffernverfahren richtig";
    case pzNichtPruefbar:
        return "Kontonummer ist nicht überprüfbar";
    case pzNichtVerfuegbar:
        break;
    }
    return "Prüfverfahren nicht verfügbar";
}

namespace {

// The account as a sequence of characters (code points), so that positions count characters
// and a stray "ä" is reported as itself. Preparation steps work on this copy.
class Chars {
public:
    explicit Chars(std::string_view utf8) {
        bool ascii = true;
        for (char c : utf8)
            if (static_cast<unsigned char>(c) >= 0x80) ascii = false;
        if (ascii && utf8.size() <= small_.size()) {
            for (size_t i = 0; i < utf8.size(); ++i)
                small_[i] = static_cast<unsigned char>(utf8[i]);
            n_ = utf8.size();
            return;
        }
        for (size_t pos = 0; pos < utf8.size();) big_.push_back(decodeUtf8(utf8, pos));
        n_ = big_.size();
    }

    size_t size() const { return n_; }
    // 1-based; 0 stands for a position beyond the end.
    char32_t at(size_t i) const { return i >= 1 && i <= n_ ? data()[i - 1] : 0; }
    void set(size_t i, char32_t c) {
        if (i >= 1 && i <= n_) data()[i - 1] = c;
    }
    void removeFirst() {
        if (n_ > 0) {
            ++off_;
            --n_;
        }
    }

    int digit(size_t i) const {
        char32_t c = at(i);
        if (c >= U'0' && c <= U'9') return static_cast<int>(c - U'0');
        std::string text;
        if (c != 0) appendUtf8(text, c);
        return StrToInt(text); // throws the conversion message for this character
    }

    // Compares the characters with an ASCII text the way strings compare.
    int compare(std::string_view s) const {
        for (size_t i = 0; i < n_ && i < s.size(); ++i) {
            char32_t a = data()[i], b = static_cast<unsigned char>(s[i]);
            if (a != b) return a < b ? -1 : 1;
        }
        if (n_ == s.size()) return 0;
        return n_ < s.size() ? -1 : 1;
    }

private:
    // An offset, not a pointer, so that copies stay valid.
    char32_t* data() { return (big_.empty() ? small_.data() : big_.data()) + off_; }
    const char32_t* data() const { return (big_.empty() ? small_.data() : big_.data()) + off_; }

    std::array<char32_t, 32> small_; // filled up to n_ by the constructor
    std::vector<char32_t> big_;
    size_t off_ = 0;
    size_t n_ = 0;
};

enum class Product { P, Q };
enum class Rule { R10, R11a, R11b, R11c, R11d, R11e };

int product(int d, int w, Product p) {
    int v = d * w;
    return (p == Product::Q && v >= 10) ? v - 9 : v;
}

// Computed check digit; 10 matches no digit.
int checkDigit(int s, Rule rule) {
    if (rule == Rule::R10) return (10 - s % 10) % 10;
    int r = s % 11;
    switch (rule) {
    case Rule::R11a:
        return r == 0 ? 0 : 11 - r;
    case Rule::R11b:
        return r <= 1 ? 0 : 11 - r;
    case Rule::R11c:
        return (r <= 1 || r == 10) ? 0 : 11 - r;
    case Rule::R11d:
        return r <= 1 ? 0 : (r == 10 ? 9 : 11 - r);
    case Rule::R11e:
        return r;
    default:
        return 10;
    }
}

struct Weighted {
    size_t first; // first position
    std::array<int, 10> weights;
    size_t count;
    Product product;
    Rule rule;
    size_t checkPos;
};

Pruefergebnis run(const Chars& t, const Weighted& m) {
    int s = 0;
    for (size_t k = 0; k < m.count; ++k)
        s += product(t.digit(m.first + k), m.weights[k], m.product);
    int expected = checkDigit(s, m.rule);
    return t.digit(m.checkPos) == expected ? pzRichtig : pzFalsch;
}

constexpr Weighted k00{1, {2, 1, 2, 1, 2, 1, 2, 1, 2}, 9, Product::Q, Rule::R10, 10};
constexpr Weighted k01{1, {1, 7, 3, 1, 7, 3, 1, 7, 3}, 9, Product::P, Rule::R10, 10};
constexpr Weighted k02{1, {2, 9, 8, 7, 6, 5, 4, 3, 2}, 9, Product::P, Rule::R11a, 10};
constexpr Weighted k03{1, {2, 1, 2, 1, 2, 1, 2, 1, 2}, 9, Product::P, Rule::R10, 10};
constexpr Weighted k04{1, {4, 3, 2, 7, 6, 5, 4, 3, 2}, 9, Product::P, Rule::R11a, 10};
constexpr Weighted k05{1, {1, 3, 7, 1, 3, 7, 1, 3, 7}, 9, Product::P, Rule::R10, 10};
constexpr Weighted k06{1, {4, 3, 2, 7, 6, 5, 4, 3, 2}, 9, Product::P, Rule::R11b, 10};
constexpr Weighted k10{1, {10, 9, 8, 7, 6, 5, 4, 3, 2}, 9, Product::P, Rule::R11b, 10};
constexpr Weighted k11{1, {10, 9, 8, 7, 6, 5, 4, 3, 2}, 9, Product::P, Rule::R11d, 10};
constexpr Weighted k13{1, {1, 2, 1, 2, 1, 2}, 6, Product::Q, Rule::R10, 7};
constexpr Weighted k14{4, {7, 6, 5, 4, 3, 2}, 6, Product::P, Rule::R11a, 10};
constexpr Weighted k20{1, {3, 9, 8, 7, 6, 5, 4, 3, 2}, 9, Product::P, Rule::R11b, 10};
constexpr Weighted k28{1, {8, 7, 6, 5, 4, 3, 2}, 7, Product::P, Rule::R11c, 8};
constexpr Weighted k33{5, {6, 5, 4, 3, 2}, 5, Product::P, Rule::R11b, 10};
constexpr Weighted k34{1, {7, 9, 10, 5, 8, 4, 2}, 7, Product::P, Rule::R11c, 8};
constexpr Weighted k38{4, {9, 10, 5, 8, 4, 2}, 6, Product::P, Rule::R11b, 10};
constexpr Weighted k39{3, {7, 9, 10, 5, 8, 4, 2}, 7, Product::P, Rule::R11b, 10};
constexpr Weighted k50{1, {7, 6, 5, 4, 3, 2}, 6, Product::P, Rule::R11b, 7};
constexpr Weighted k61{1, {2, 1, 2, 1, 2, 1, 2}, 7, Product::Q, Rule::R10, 8};
constexpr Weighted k76{1, {7, 6, 5, 4, 3, 2}, 6, Product::P, Rule::R11e, 7};
constexpr Weighted k81{4, {7, 6, 5, 4, 3, 2}, 6, Product::P, Rule::R11b, 10};
constexpr Weighted k69{1, {8, 7, 6, 5, 4, 3, 2}, 7, Product::P, Rule::R11c, 8};

void stripThree(Chars& t) {
    for (int i = 0; i < 3; ++i)
        if (t.at(1) == U'0') t.removeFirst();
}

void shift(Chars& t, int times) {
    for (int i = 0; i < times; ++i)
        if (t.at(2) == U'0') t.removeFirst();
}

Pruefergebnis method24(Chars t) {
    char32_t first = t.at(1);
    if (first >= U'3' && first <= U'6') t.set(1, U'0');
    while (t.size() > 0 && t.at(1) == U'0') t.removeFirst();
    // Nothing left of an all-zero account: there is no check digit to match.
    if (t.size() == 0) return pzFalsch;
    static constexpr int kWeights[3] = {1, 2, 3};
    int s = 0;
    for (size_t i = 1; i < t.size(); ++i) {
        int w = kWeights[(i - 1) % 3];
        s += (t.digit(i) * w + w) % 11;
    }
    return t.digit(t.size()) == s % 10 ? pzRichtig : pzFalsch;
}

Pruefergebnis method68(Chars t) {
    stripThree(t);
    size_t l = t.size();
    auto variant = [&](int count) {
        int s = 0;
        for (int k = 1; k <= count; ++k) {
            size_t pos = l > static_cast<size_t>(k) ? l - k : 0;
            s += product(t.digit(pos), (k % 2 == 1) ? 2 : 1, Product::Q);
        }
        return checkDigit(s, Rule::R10);
    };
    int check = t.digit(l);
    if (variant(6) == check) return pzRichtig;
    return variant(4) == check ? pzRichtig : pzFalsch;
}

Pruefergebnis method69(Chars t) {
    if (t.at(1) == U'0' && t.at(2) == U'0') {
        t.removeFirst();
        t.removeFirst();
    }
    // The method computes nothing for this range; the account cannot be checked.
    if (t.compare("9700000000") >= 0 && t.compare("9799999999") < 0) return pzNichtPruefbar;
    return run(t, k69);
}

} // namespace

Pruefergebnis PruefeMethode(int methode, std::string_view konto) {
    Chars t(konto);
    switch (methode) {
    case 0:
    case 8:
    case 74:
    case 78:
    case 94:
        return run(t, k00);
    case 1:
        return run(t, k01);
    case 2:
        return run(t, k02);
    case 3:
        return run(t, k03);
    case 4:
        return run(t, k04);
    case 5:
        return run(t, k05);
    case 6:
    case 32:
    case 70:
    case 93:
    case 95:
        return run(t, k06);
    case 9:
        return pzNichtPruefbar;
    case 10:
        return run(t, k10);
    case 11:
        return run(t, k11);
    case 13:
    case 63:
        stripThree(t);
        return run(t, k13);
    case 14:
        return run(t, k14);
    case 20:
        return run(t, k20);
    case 24:
        return method24(std::move(t));
    case 28:
        shift(t, 2);
        return run(t, k28);
    case 33:
    case 84:
        return run(t, k33);
    case 34:
        shift(t, 2);
        return run(t, k34);
    case 38:
        return run(t, k38);
    case 39:
        return run(t, k39);
    case 50:
        shift(t, 3);
        return run(t, k50);
    case 60:
        t.set(1, U'0');
        t.set(2, U'0');
        return run(t, k00);
    case 61:
    case 65:
        return run(t, k61);
    case 68:
        return method68(std::move(t));
    case 69:
        return method69(std::move(t));
    case 76:
        t.set(1, U'0');
        stripThree(t);
        return run(t, k76);
    case 81:
    case 88:
        return run(t, k81);
    default:
        return pzNichtVerfuegbar;
    }
}

Pruefergebnis PruefeKontonummer(std::string_view konto, std::string_view blz) {
    return PruefeKontonummer(konto, blz, bankDirectoryFile());
}

Pruefergebnis PruefeKontonummer(std::string_view konto, std::string_view blz,
                                const std::filesystem::path& file) {
    auto line = BankDirectory::findLineInFile(file, blz);
    if (!line) return pzNichtVerfuegbar;
    return PruefeMethode(methodCode(*line), konto);
}

} // namespace formidor
