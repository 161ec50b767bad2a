#pragma once

#include <QApplication>

// The program's application object: its title, font, Qt's German texts and the last net of the
// general error report, for an error that escapes an event handler without a report of its own.
class TarvekApplication : public QApplication
{
    Q_OBJECT

public:
    TarvekApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
