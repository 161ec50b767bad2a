#pragma once

#include "DownloadSettings.h"

#include <functional>

// DownloadSettings made of the program's own functions, so that the main window can hand over
// its options reader and writer without deriving from anything.
class DownloadCallbacks : public DownloadSettings
{
public:
    using Reader = std::function<QString(const QString& key)>;
    using Writer = std::function<void(const QString& key, const QString& value)>;

    DownloadCallbacks(Reader reader, Writer writer, QString programDir)
        : m_reader(std::move(reader)), m_writer(std::move(writer)),
          m_programDir(std::move(programDir))
    {}

    QString readOption(const QString& key) override { return m_reader(key); }
    void writeOption(const QString& key, const QString& value) override { m_writer(key, value); }
    QString programDir() const override { return m_programDir; }

private:
    Reader m_reader;
    Writer m_writer;
    QString m_programDir;
};
