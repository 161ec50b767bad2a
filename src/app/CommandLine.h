#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <QByteArray>

#include <functional>
#include <vector>

// The program's command line: tarvek [OPTIONEN] [IMPORTDATEI].
//
// Read once, before any application object exists. Without options the window starts, with the
// import file loaded when one is given. --help and --version print and end the program without a
// display; every usage error is German and ends it with exit status 2, also an option given
// twice (except --help and --version) and an export that would overwrite one of its own inputs.
// The window system's own options (-platform, -style, ...) are known here, so that their values
// are not taken for the import file, and are handed, alone, to the one application object that
// main() then creates (WindowSystemArguments).
//
// An export (an option that writes a file without any window and ends the program) is one row of
// exports() in CommandLine.cpp: its option, the options that only modify it, and the function
// that runs it. main() runs it before the single-instance lock is taken and before a window
// exists.
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

    // One option of the program as the help lists it.
    struct Option
    {
        QString name;      // without dashes: "pdf"
        QChar letter;      // the short form ("h" for -h), or none
        QString valueName; // empty for an option without a value
        QString description;
    };

    struct Export
    {
        QString option;
        QStringList modifiers;
        // Runs the export; the result is the program's exit code.
        std::function<int(int& argc, char** argv, const CommandLine& line)> run;
    };

    // arguments: the program's name, then its arguments.
    explicit CommandLine(const QStringList& arguments);

    // The program's arguments, its name first, before an application object exists: from the
    // engine's commandLineArguments (the wide command line on Windows, so that any file name
    // arrives whole).
    static QStringList programArguments(int argc, char** argv);

    Action action() const { return m_action; }
    // The import file as an absolute path; empty when none was given.
    QString importFile() const { return m_importFile; }
    // The German help, version or error text, ending in a line end.
    QString text() const { return m_text; }
    bool isSet(const QString& option) const { return m_values.contains(option); }
    // The value of an option given with one; empty otherwise.
    QString value(const QString& option) const { return m_values.value(option); }
    // The window system's own options as the line gave them, with their values.
    QStringList windowSystemOptions() const { return m_windowSystemOptions; }
    int runExport(int& argc, char** argv) const;

    static QString helpText();
    // Every option of the program in the order the help lists it.
    static const QList<Option>& options();

private:
    static const QList<Export>& exports();
    // Reads the arguments into m_values and m_importFile; the problem when they do not parse.
    QString parse(const QStringList& arguments);
    // The problem when the options do not fit together; sets m_export.
    QString checkCombination();
    // The problem when the export's output is one of its inputs, which it would overwrite.
    QString overwrittenInput(const Export& chosen) const;

    Action m_action = Action::Window;
    QString m_importFile;
    QString m_text;
    QMap<QString, QString> m_values; // the options given, by name
    QStringList m_files;
    QStringList m_windowSystemOptions;
    const Export* m_export = nullptr;
};

// What the window system's application object is given in place of the program's arguments: the
// program's name and the window system's own options, nothing else. Neither a file name (also
// one after "--", such as "-style") nor a value of Tarvek's options (a PDF named "-platform") is
// then taken for one of its options. Lives as long as the application object.
class WindowSystemArguments
{
public:
    WindowSystemArguments(const char* programName, const CommandLine& line);
    WindowSystemArguments(const WindowSystemArguments&) = delete;
    WindowSystemArguments& operator=(const WindowSystemArguments&) = delete;

    int& argc() { return m_argc; }
    char** argv() { return m_pointers.data(); }

private:
    std::vector<QByteArray> m_bytes;
    std::vector<char*> m_pointers;
    int m_argc = 0;
};
