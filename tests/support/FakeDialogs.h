#pragma once

#include "support/GuiTest.h"

#include "gui/Dialogs.h"

#include <QApplication>
#include <QList>
#include <QStringList>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <ostream>

// Answers the program's message boxes and file dialogs in tests and records what was shown.
class FakeDialogs : public Dialogs::Handler
{
public:
    struct Shown
    {
        Dialogs::Icon icon;
        QString title;
        QString text;
        Qt::TextFormat format; // how the box would lay out its text
    };

    FakeDialogs() { Dialogs::setHandler(this); }
    ~FakeDialogs() override { Dialogs::setHandler(nullptr); }
    FakeDialogs(const FakeDialogs&) = delete;
    FakeDialogs& operator=(const FakeDialogs&) = delete;

    QMessageBox::StandardButton message(QMessageBox& box) override
    {
        messages.append({Dialogs::iconOf(box), box.windowTitle(), box.text(), box.textFormat()});
        if (onMessage) {
            onMessage(box.text());
        }
        if (box.standardButtons().testFlag(QMessageBox::Yes)) {
            const bool yes = answers.empty() ? true : answers.front();
            if (!answers.empty()) {
                answers.pop_front();
            }
            return yes ? QMessageBox::Yes : QMessageBox::No;
        }
        return QMessageBox::Ok;
    }

    QString openFileName(QWidget*, const QString& caption, const QString& dir,
                         const QString& filter) override
    {
        openCalls.append(caption + u'|' + dir + u'|' + filter);
        return nextFile;
    }

    QString saveFileName(QWidget*, const QString& caption, const QString& path,
                         const QString& filter, QString* selectedFilter) override
    {
        saveCalls.append(caption + u'|' + path + u'|' + filter);
        if (selectedFilter != nullptr) {
            *selectedFilter = filter.section(QStringLiteral(";;"), 0, 0);
        }
        return nextSaveFile;
    }

    QStringList openFileNames(QWidget*, const QString& caption, const QString& start,
                              const QString& filter) override
    {
        openCalls.append(caption + u'|' + start + u'|' + filter);
        return nextFiles;
    }

    QString existingDirectory(QWidget*, const QString& prompt, const QString& start) override
    {
        folderPrompts.append(prompt);
        folderStarts.append(start);
        return nextFolder;
    }

    QStringList texts() const
    {
        QStringList all;
        for (const Shown& shown : messages) {
            all.append(shown.text);
        }
        return all;
    }

    // Everything shown but the questions.
    QStringList notices() const
    {
        QStringList all;
        for (const Shown& shown : messages) {
            if (shown.icon != Dialogs::Icon::Question) {
                all.append(shown.text);
            }
        }
        return all;
    }

    QList<Shown> messages;
    std::deque<bool> answers; // answers to Yes/No questions, Yes when empty
    std::function<void(const QString&)> onMessage;
    QString nextFile;
    QString nextFolder;
    QStringList nextFiles;
    QStringList openCalls;
    QString nextSaveFile;
    QStringList saveCalls;
    QStringList folderPrompts;
    QStringList folderStarts;
};

// Readable QString values in test failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
