// Qt's own texts in the user's language: the file dialogs, the standard buttons and the
// questions Qt asks itself (a file that already exists) follow the program's language
// index, at start-up and whenever the language changes.
#pragma once

#include <QString>

namespace zx::app {

// Installs Qt's Chinese translation for language 2 and removes it for any other index.
// Returns false when the Chinese translation is wanted but cannot be loaded (the package
// with Qt's translations is missing); Qt's texts then stay English.
bool useQtTranslations(int language);

// The folder Qt's translations are loaded from.
QString qtTranslationsFolder();

} // namespace zx::app
