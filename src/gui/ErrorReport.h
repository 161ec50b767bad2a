#pragma once

#include <QString>

#include <exception>
#include <utility>

class QWidget;

// The application's general error report: an error that escapes an event handler ends that
// handler and is shown in a message box; the program then goes on with the next event.
class ErrorReport
{
public:
    // The text shown for an error: its message, with a "." added when the last character has a
    // code above that of ".".
    static QString text(const QString& message);
    static void show(QWidget* parent, const QString& message);
    static void show(QWidget* parent, const std::exception& error);

    // Runs one handler and reports what escapes it. Returns false when it ended with an error.
    template <typename Handler> static bool guard(QWidget* parent, Handler&& handler)
    {
        try {
            std::forward<Handler>(handler)();
            return true;
        } catch (const std::exception& error) {
            show(parent, error);
        } catch (...) {
            show(parent, QStringLiteral("Unbekannter Fehler"));
        }
        return false;
    }
};
