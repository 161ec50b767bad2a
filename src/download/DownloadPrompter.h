#pragma once

#include <QString>

// Everything the update check says to the user. The program shows message boxes; tests answer
// the question themselves and record what would have been shown.
class DownloadPrompter
{
public:
    virtual ~DownloadPrompter() = default;

    // A question with the question icon and the buttons Yes and No; true for Yes.
    virtual bool askYesNo(const QString& title, const QString& text) = 0;
    // The application's general error report: the error's text in a box titled with the
    // application's title.
    virtual void reportError(const QString& text) = 0;
    // An error with the title "Fehler" and the error icon.
    virtual void showError(const QString& text) = 0;
};
