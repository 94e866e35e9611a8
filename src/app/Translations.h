#pragma once

#include <QLocale>
#include <QStringList>

// Our texts and Qt's own in the first of the user's languages that Zembrak
// speaks (the desktop's list: LANGUAGE, then LC_ALL, LC_MESSAGES, LANG);
// English otherwise.
class Translations
{
public:
    // Installs into the running application, which owns the translators.
    // Returns the language chosen, "en" when none of the list is translated.
    static QString install(const QStringList& uiLanguages = QLocale().uiLanguages());
};
