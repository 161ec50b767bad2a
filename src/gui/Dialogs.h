#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

class QWidget;

// Every modal message box and file or folder dialog of the program goes through here, so that
// window tests can answer them without a person at the screen.
class Dialogs
{
public:
    enum class Icon
    {
        None,
        Information,
        Question,
        Critical
    };

    // What actually shows a dialog. The default shows Qt's dialogs; tests install their own.
    class Handler
    {
    public:
        virtual ~Handler() = default;
        // Shows a message box made ready here (icon, title, text, German buttons) and returns
        // the button chosen. Its text is plain text whoever asked for it: a message quotes file
        // names, lines of a file and a server's answers, which must never be taken for markup.
        virtual QMessageBox::StandardButton message(QMessageBox& box) = 0;
        virtual QString openFileName(QWidget* parent, const QString& caption, const QString& dir,
                                     const QString& filter) = 0;
        // A folder chooser that starts in `start`.
        virtual QString existingDirectory(QWidget* parent, const QString& prompt,
                                          const QString& start) = 0;
        // Several existing files at once, starting in `start`; the default shows Qt's dialog.
        virtual QStringList openFileNames(QWidget* parent, const QString& caption,
                                          const QString& start, const QString& filter);
        // The file-save dialog; the default shows Qt's, which adds the chosen filter's suffix to
        // a name typed without one before it asks whether to replace a file of that name.
        // *selectedFilter (when given) receives the filter chosen in the dialog.
        virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& path,
                                     const QString& filter, QString* selectedFilter);
    };

    // Installs a handler; nullptr brings back the real dialogs. The handler is not owned.
    static void setHandler(Handler* handler);
    // The icon a box made here was asked for.
    static Icon iconOf(const QMessageBox& box);

    // Notice: title "Hinweis", information icon, OK.
    static void notice(QWidget* parent, const QString& text);
    // Error: title "Fehler", error icon, OK.
    static void error(QWidget* parent, const QString& text);
    // Any box with an OK button.
    static void show(QWidget* parent, Icon icon, const QString& title, const QString& text);
    // Question with Yes and No (title "Bestätigen" unless given); true on Yes.
    static bool ask(QWidget* parent, const QString& text,
                    const QString& title = QStringLiteral("Bestätigen"));
    // Question whose buttons name the two answers (Yes and No with those texts); Escape answers
    // `no`; true on `yes`.
    static bool choose(QWidget* parent, const QString& title, const QString& text,
                       const QString& yes, const QString& no);
    // Plain box with an OK button and no icon.
    static void plain(QWidget* parent, const QString& title, const QString& text);
    // The application's general error report: title "Tarvek" and the version, error icon, OK.
    static void report(QWidget* parent, const QString& text);

    static QString openFileName(QWidget* parent, const QString& caption, const QString& dir,
                                const QString& filter);
    // Lets the user pick several files, starting at `current` when it exists and else in the
    // user's documents; an empty list when nothing was chosen.
    static QStringList openFileNames(QWidget* parent, const QString& caption, const QString& filter,
                                     const QString& current = QString());
    // Asks where to save a file, suggesting `path`; empty text when nothing was chosen.
    // `filter` may hold several filters separated by ";;"; *selectedFilter (when given) receives
    // the one chosen.
    static QString saveFileName(QWidget* parent, const QString& caption, const QString& path,
                                const QString& filter, QString* selectedFilter = nullptr);
    // Lets the user pick a folder, starting at `current` when it exists and else in the user's
    // documents; empty text when nothing was chosen.
    static QString ChooseFolder(QWidget* parent, const QString& prompt,
                                const QString& current = QString());
    // The first of `candidates` that is an existing folder, else the user's documents (or home).
    static QString startFolder(const QStringList& candidates);

private:
    static Handler& handler();
    static QMessageBox::StandardButton message(QWidget* parent, Icon icon, const QString& title,
                                               const QString& text,
                                               QMessageBox::StandardButtons buttons);
};
