#pragma once

#include <QString>

#include <stdexcept>

// An error that ends the update check: an HTTP error status, a broken piece of the download or a
// target file that cannot be written. The text is what the user is shown.
class DownloadError : public std::runtime_error
{
public:
    explicit DownloadError(const QString& text)
        : std::runtime_error(text.toStdString()), m_text(text)
    {}

    const QString& text() const { return m_text; }

private:
    QString m_text;
};
