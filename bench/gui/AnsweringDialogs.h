#pragma once

#include "gui/Dialogs.h"

#include <cstdio>

// Answers every box with Yes or OK (printing notices and errors) and opens the given file: runs
// of the main window without a person at the screen.
class AnsweringDialogs final : public Dialogs::Handler
{
public:
    explicit AnsweringDialogs(QString file) : m_file(std::move(file)) { Dialogs::setHandler(this); }
    ~AnsweringDialogs() override { Dialogs::setHandler(nullptr); }
    AnsweringDialogs(const AnsweringDialogs&) = delete;
    AnsweringDialogs& operator=(const AnsweringDialogs&) = delete;

    QMessageBox::StandardButton message(QMessageBox& box) override
    {
        if (box.standardButtons().testFlag(QMessageBox::Yes)) {
            return QMessageBox::Yes;
        }
        std::fprintf(stderr, "Meldung: %s\n", qPrintable(box.text()));
        return QMessageBox::Ok;
    }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override
    {
        return m_file;
    }
    // The file that the next open dialogs give.
    void answerWith(QString file) { m_file = std::move(file); }
    QString existingDirectory(QWidget*, const QString&, const QString&) override
    {
        return QString();
    }

private:
    QString m_file;
};
