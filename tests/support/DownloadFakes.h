#pragma once

#include "support/GuiTest.h"

#include "download/DownloadPrompter.h"
#include "download/DownloadSettings.h"

#include <QApplication>
#include <QMap>
#include <QStringList>

#include <functional>
#include <stdexcept>

// Options in memory; a writer that fails on request, as a write-protected folder would.
class FakeSettings : public DownloadSettings
{
public:
    explicit FakeSettings(const QString& dir) : m_dir(dir) {}

    QString readOption(const QString& key) override { return options.value(key); }
    void writeOption(const QString& key, const QString& value) override
    {
        if (failWrites)
            throw std::runtime_error("Datei \"Optionen.txt\" kann nicht erstellt werden. Zugriff "
                                     "verweigert");
        options.insert(key, value);
    }
    QString programDir() const override { return m_dir; }

    QMap<QString, QString> options;
    bool failWrites = false;

private:
    QString m_dir;
};

// Answers the question as told and records everything that would have been shown.
class FakePrompter : public DownloadPrompter
{
public:
    bool askYesNo(const QString& title, const QString& text) override
    {
        questions.append(title + "|" + text);
        if (onQuestion)
            onQuestion();
        return answer;
    }
    void reportError(const QString& text) override { reports.append(text); }
    void showError(const QString& text) override { errors.append(text); }

    bool answer = true;
    std::function<void()> onQuestion;
    QStringList questions;
    QStringList reports;
    QStringList errors;
};
