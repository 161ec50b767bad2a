#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The options file Optionen.txt: one option per line, made of a key, "|" and
// a value (the value may itself hold "|"). Lines of other keys, empty lines and lines without
// "|" survive every write unchanged; a changed option keeps its line, a new one is added last.
// Nothing is cached: every read and every write goes to the file. Failures are thrown as
// std::runtime_error with the German message for the general error report.
class OptionsFile
{
public:
    // folder: where the options file lives (FileLocations), ending in a separator.
    explicit OptionsFile(const QString& folder);
    // The options file `path` itself (FileLocations::optionsFile: the spelling of "Optionen.txt"
    // that exists, letter case ignored).
    static OptionsFile atPath(const QString& path);

    QString path() const { return m_path; }

    // The value of the first line with this key; empty text when no line has it.
    QString Optionenladen(const QString& key) const;
    // Replaces the first line with this key, or adds one at the end, and writes the file.
    void Optionenspeichern(const QString& key, const QString& value) const;

    // Removes blanks and control characters (codes 0 to 32) at both ends.
    static QString trimmed(const QString& text);

private:
    void ensureExists() const;
    QList<QByteArray> readLines() const;
    void writeLines(const QList<QByteArray>& lines) const;
    static QByteArray keyOf(const QByteArray& line, bool* hasKey);

    QString m_path;
};
