#pragma once

// The program is German by design: Qt's own texts (the buttons of message boxes, the file and
// folder choosers, the context menus of text fields) are loaded in German at start, whatever the
// system's locale, and Qt's locale-dependent formats (dates in the choosers) follow.
class QtGerman
{
public:
    // Installs Qt's German translation into the running application once; false when the
    // translation is not installed on this machine (our own message boxes are German anyway).
    static bool install();
};
