#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

// The program's command line: tarvek [OPTIONEN] [IMPORTDATEI].
//
// Without options the window starts, with the import file loaded when one is given. --help and
// --version print and end the program without a display. An export (an option that writes a
// file without any window and ends the program) is one row of exports() in CommandLine.cpp: its
// option, the options that only modify it, and the function that runs it. main() runs it before
// the single-instance lock is taken and before a window exists.
class CommandLine
{
public:
    enum class Action
    {
        Window,  // start the window, with importFile() loaded when not empty
        Help,    // print text() to the standard output, exit code 0
        Version, // as Help
        Export,  // runExport()
        Error    // print text() to the standard error, exit code 2
    };

    struct Export
    {
        QCommandLineOption option;
        QList<QCommandLineOption> modifiers;
        // Runs the export; the result is the program's exit code.
        std::function<int(int& argc, char** argv, const CommandLine& line)> run;
    };

    // arguments: the program's name, then its arguments.
    explicit CommandLine(const QStringList& arguments);

    Action action() const { return m_action; }
    // The import file as an absolute path; empty when none was given.
    QString importFile() const { return m_importFile; }
    // The German help, version or error text, ending in a line end.
    QString text() const { return m_text; }
    // The parsed options, for an export that reads its values.
    const QCommandLineParser& parser() const { return *m_parser; }
    int runExport(int& argc, char** argv) const;
    // An Error because of an option this line does not know, which may be one of the window
    // system's own (-style, -platform, ...).
    bool hasUnknownOption() const { return m_unknownOption; }

    static QString helpText();

private:
    static const QList<Export>& exports();
    // Every option in the order the help lists it.
    static QList<QCommandLineOption> options();

    std::unique_ptr<QCommandLineParser> m_parser;
    Action m_action = Action::Window;
    QString m_importFile;
    QString m_text;
    const Export* m_export = nullptr;
    bool m_unknownOption = false;
};
