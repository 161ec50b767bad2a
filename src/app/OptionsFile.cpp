#include "app/OptionsFile.h"

#include "gui/FileErrors.h"
#include "gui/FileWriter.h"
#include "gui/TextCodec.h"

#include <QFile>

#include <cerrno>
#include <stdexcept>

namespace {

[[noreturn]] void fail(const QString& message)
{
    throw std::runtime_error(message.toStdString());
}

} // namespace

OptionsFile::OptionsFile(const QString& folder) : m_path(folder + QStringLiteral("Optionen.txt")) {}

OptionsFile OptionsFile::atPath(const QString& path)
{
    OptionsFile file{QString()};
    file.m_path = path;
    return file;
}

QString OptionsFile::trimmed(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32) {
        ++begin;
    }
    while (end > begin && text.at(end - 1).unicode() <= 32) {
        --end;
    }
    return text.mid(begin, end - begin);
}

QString OptionsFile::textOf(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

QString OptionsFile::get(const SettingKey<QString>& key) const
{
    return Optionenladen(QString::fromLatin1(key.name));
}

bool OptionsFile::get(const SettingKey<bool>& key) const
{
    return Optionenladen(QString::fromLatin1(key.name)) == textOf(!key.fallback) ? !key.fallback
                                                                                 : key.fallback;
}

bool OptionsFile::get(const SettingKey<Mark>& key) const
{
    return !Optionenladen(QString::fromLatin1(key.name)).isEmpty();
}

void OptionsFile::set(const SettingKey<QString>& key, const QString& value) const
{
    Optionenspeichern(QString::fromLatin1(key.name), value);
}

void OptionsFile::set(const SettingKey<bool>& key, bool value) const
{
    Optionenspeichern(QString::fromLatin1(key.name), textOf(value));
}

void OptionsFile::set(const SettingKey<Mark>& key) const
{
    Optionenspeichern(QString::fromLatin1(key.name), textOf(true));
}

void OptionsFile::update(const SettingKey<QString>& key, const QString& value) const
{
    if (get(key) != value) {
        set(key, value);
    }
}

void OptionsFile::update(const SettingKey<bool>& key, bool value) const
{
    if (Optionenladen(QString::fromLatin1(key.name)) != textOf(value)) {
        set(key, value);
    }
}

QString OptionsFile::Optionenladen(const QString& key) const
{
    ensureExists();
    const QByteArray wanted = TextCodec::toBytes(key);
    for (const QByteArray& line : readLines()) {
        bool hasKey = false;
        if (keyOf(line, &hasKey) == wanted && hasKey) {
            return TextCodec::toText(line.mid(wanted.size() + 1));
        }
    }
    return QString();
}

void OptionsFile::Optionenspeichern(const QString& key, const QString& value) const
{
    ensureExists();
    const QByteArray wanted = TextCodec::toBytes(key);
    const QByteArray newLine = wanted + '|' + TextCodec::toBytes(value);
    QList<QByteArray> lines = readLines();
    bool replaced = false;
    for (QByteArray& line : lines) {
        bool hasKey = false;
        if (keyOf(line, &hasKey) == wanted && hasKey) {
            line = newLine;
            replaced = true;
            break;
        }
    }
    if (!replaced) {
        lines.append(newLine);
    }
    writeLines(lines);
}

void OptionsFile::ensureExists() const
{
    if (QFile::exists(m_path)) {
        return;
    }
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly)) {
        fail(FileErrors::cannotCreate(m_path, FileErrors::reason(file, errno)));
    }
}

QList<QByteArray> OptionsFile::readLines() const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(FileErrors::cannotOpen(m_path, FileErrors::reason(file, errno)));
    }
    return TextCodec::splitLines(file.readAll());
}

void OptionsFile::writeLines(const QList<QByteArray>& lines) const
{
    QByteArray content;
    for (const QByteArray& line : lines) {
        content += line;
        content += "\r\n";
    }
    FileWriter::writeAll(m_path, content);
}

QByteArray OptionsFile::keyOf(const QByteArray& line, bool* hasKey)
{
    const qsizetype bar = line.indexOf('|');
    *hasKey = bar >= 0;
    return bar >= 0 ? line.left(bar) : QByteArray();
}
