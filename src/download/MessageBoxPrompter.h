#pragma once

#include "DownloadPrompter.h"

class QWidget;

// The prompter of the running program: the program's own message boxes (Dialogs).
class MessageBoxPrompter : public DownloadPrompter
{
public:
    explicit MessageBoxPrompter(QWidget* parent = nullptr) : m_parent(parent) {}

    bool askYesNo(const QString& title, const QString& text) override;
    void reportError(const QString& text) override;
    void showError(const QString& text) override;

    // The text of the general error report: a "." is added when the last character has a code
    // above that of ".".
    static QString reportText(const QString& message);

private:
    QWidget* m_parent;
};
