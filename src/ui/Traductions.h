// Qt's own texts in French, as the rest of the window: the file dialog, its questions and
// the standard buttons come from Qt's translations (qtbase_fr, which Debian ships in
// qt6-translations-l10n), in Qt's translations folder.
#pragma once

class QCoreApplication;

namespace tarvex {

// Loads them into `application` and makes French the default locale of Qt's widgets (the
// dates and sizes of the file dialog). False, changing nothing, when they are not installed.
bool installerTraductionsQt(QCoreApplication& application);

} // namespace tarvex
