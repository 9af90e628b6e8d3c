// The language of the window and of veskctl, chosen once at the start as
// Qt programs choose it: the first of the user's languages
// (QLocale::uiLanguages(), which follows LANGUAGE, then LC_ALL, LC_MESSAGES
// and LANG) that has a catalogue; Czech, the language the texts are written
// in, where none has.  Qt's own texts (the standard buttons, the file
// dialogs, the command-line parser's messages) follow the same choice.
//
// Nothing the program sends, writes or decides depends on the language:
// only what it shows does.
#pragma once

#include <QLocale>
#include <QString>
#include <QTranslator>

// Where the catalogues (vesk_<language>.qm) lie: the data folder beside the
// program's own folder, installed as in the build tree.
QString TranslationsFolder();

// Installs the catalogues into the application for as long as it lives.
class Language {
public:
    explicit Language(const QLocale& locale = QLocale(), const QString& folder = TranslationsFolder());
    ~Language();
    Language(const Language&) = delete;
    Language& operator=(const Language&) = delete;

    // "cs", "en": what the texts are shown in.
    QString Name() const { return name_; }

private:
    QTranslator program_, qt_;
    QString name_;
};
