#include "platform/gui/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace formidor::gui {

namespace {

// Qt's font database names styles through the translator ("Bold" becomes "Fett") but matches
// them against the untranslated names in the font files; the font dialog would then pick the
// wrong style for a font it is given. Its texts stay as the fonts name them.
bool isStyleWord(const char* s) {
    static const char* const words[] = {"Thin",    "Extra Light", "Light",       "Normal",
                                        "Medium",  "Demi Bold",   "Bold",        "Extra Bold",
                                        "Black",   "Demi",        "Italic",      "Oblique",
                                        "Regular", "Extra",       "Ultra Light", "Semi Bold"};
    for (const char* w : words)
        if (qstrcmp(s, w) == 0) return true;
    return false;
}

class GermanQtTranslator : public QTranslator {
public:
    using QTranslator::QTranslator;
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override {
        if (qstrcmp(context, "QFontDatabase") == 0 && isStyleWord(sourceText)) return {};
        return QTranslator::translate(context, sourceText, disambiguation, n);
    }
};

} // namespace

bool ensureGermanQtTexts() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return false;
    // Tied to the application object, so a new application (tests) installs afresh.
    static QPointer<QTranslator> installed;
    static QCoreApplication* installedFor = nullptr;
    if (installed && installedFor == app) return true;
    auto* translator = new GermanQtTranslator(app);
    if (!translator->load(QStringLiteral("qtbase_de"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
    installedFor = app;
    return true;
}

} // namespace formidor::gui
