#pragma once

#include "support/GuiTest.h"

#include "download/DownloadPrompter.h"
#include "download/DownloadSettings.h"

#include <QApplication>
#include <QStringList>

#include <functional>

// The server option in memory.
class FakeSettings : public DownloadSettings
{
public:
    explicit FakeSettings(const QString& dir) : m_dir(dir) {}

    QString server() override { return serverOption; }
    QString programDir() const override { return m_dir; }

    QString serverOption;

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
