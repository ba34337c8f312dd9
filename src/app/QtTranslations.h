// Qt's own texts in the language of the system.
#pragma once

class QCoreApplication;
class QLocale;

namespace tuvako {

// Installs Qt's translations of its own texts (the colour dialog's, the standard buttons') for
// `locale`, from the translations folder of the Qt installation (Debian ships them in
// qt6-translations-l10n), so that an operator with a Finnish locale gets Finnish dialogs. The
// terminal's own texts are fixed code page 1252 texts that no translation touches. Returns
// false, changing nothing, where Qt has no translation for that locale.
bool InstallQtTranslations(QCoreApplication& application, const QLocale& locale);

}  // namespace tuvako
