#include "app/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tuvako {

// Qt's own folder of translations (Linux), then "translations" beside the program, where a
// Windows installation, which brings its Qt along, keeps them.
bool InstallQtTranslations(QCoreApplication& application, const QLocale& locale) {
    const QString folders[] = {
        QLibraryInfo::path(QLibraryInfo::TranslationsPath),
        QCoreApplication::applicationDirPath() + QStringLiteral("/translations")};
    for (const QString& folder : folders) {
        auto* translator = new QTranslator(&application);
        // "qtbase" holds the texts of Qt Widgets and Qt Gui, all that the terminal shows of Qt's.
        if (translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), folder))
            return QCoreApplication::installTranslator(translator);
        delete translator;
    }
    return false;
}

}  // namespace tuvako
