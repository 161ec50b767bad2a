#pragma once

#include "DownloadSettings.h"

#include <functional>

// DownloadSettings made of the program's own functions, so that the main window can hand over
// its options reader without deriving from anything.
class DownloadCallbacks : public DownloadSettings
{
public:
    using ServerReader = std::function<QString()>;

    DownloadCallbacks(ServerReader server, QString programDir)
        : m_server(std::move(server)), m_programDir(std::move(programDir))
    {}

    QString server() override { return m_server(); }
    QString programDir() const override { return m_programDir; }

private:
    ServerReader m_server;
    QString m_programDir;
};
