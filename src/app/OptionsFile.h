#pragma once

#include "app/Options.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The options file Optionen.txt: one option per line, made of a key, "|" and
// a value (the value may itself hold "|"). Lines of other keys, empty lines and lines without
// "|" survive every write unchanged; a changed option keeps its line, a new one is added last.
// Nothing is cached: every read and every write goes to the file. Failures are thrown as
// std::runtime_error with the German message for the general error report. The program reads
// and writes its options by the typed keys of Options.h.
class OptionsFile
{
public:
    // folder: where the options file lives (FileLocations), ending in a separator.
    explicit OptionsFile(const QString& folder);
    // The options file `path` itself (FileLocations::optionsFile: the spelling of "Optionen.txt"
    // that exists, letter case ignored).
    static OptionsFile atPath(const QString& path);

    QString path() const { return m_path; }

    QString get(const SettingKey<QString>& key) const;
    bool get(const SettingKey<bool>& key) const;
    bool get(const SettingKey<Mark>& key) const;
    // Writes the option's line at once.
    void set(const SettingKey<QString>& key, const QString& value) const;
    void set(const SettingKey<bool>& key, bool value) const;
    void set(const SettingKey<Mark>& key) const;
    // Writes the option only when the file does not hold this very text already.
    void update(const SettingKey<QString>& key, const QString& value) const;
    void update(const SettingKey<bool>& key, bool value) const;

    // The lines under the typed options, by the key's text.
    // The value of the first line with this key; empty text when no line has it.
    QString Optionenladen(const QString& key) const;
    // Replaces the first line with this key, or adds one at the end, and writes the file.
    void Optionenspeichern(const QString& key, const QString& value) const;

    // Removes blanks and control characters (codes 0 to 32) at both ends.
    static QString trimmed(const QString& text);

private:
    static QString textOf(bool value);

    void ensureExists() const;
    QList<QByteArray> readLines() const;
    void writeLines(const QList<QByteArray>& lines) const;
    static QByteArray keyOf(const QByteArray& line, bool* hasKey);

    QString m_path;
};
