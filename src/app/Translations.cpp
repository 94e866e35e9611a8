#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

const QString ourFolder = QStringLiteral(":/i18n");

// The file's name is cut back at each '_' until one loads: "de_AT" finds zembrak_de.
QTranslator* installFile(const QString& name, const QString& folder)
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(name, folder) && QCoreApplication::installTranslator(translator))
        return translator;
    delete translator;
    return nullptr;
}

} // namespace

QString Translations::install(const QStringList& uiLanguages)
{
    // English's own plural forms, as the source texts say "%n minute(s)". The
    // one installed first is asked last, so it also fills what a language lacks.
    installFile(QStringLiteral("zembrak_en"), ourFolder);
    for (QString language : uiLanguages) {
        if (QLocale(language).language() == QLocale::English)
            break;
        language.replace(QLatin1Char('-'), QLatin1Char('_'));
        if (const QTranslator* ours =
                installFile(QStringLiteral("zembrak_") + language, ourFolder)) {
            installFile(QStringLiteral("qtbase_") + language,
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath));
            return ours->language();
        }
    }
    return QStringLiteral("en");
}
