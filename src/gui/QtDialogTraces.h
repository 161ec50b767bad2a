#pragma once

#include <QString>
#include <QVariantMap>

// Qt's file dialog keeps its state (the folders visited, the view) in the settings of the
// organisation "QtProject" that all Qt programs of the user share: a key under
// HKEY_CURRENT_USER\Software on Windows, QtProject.conf in the settings folder elsewhere. Tarvek
// starts every dialog in a folder of its own choosing and needs none of it, so for the life of
// this guard what a dialog writes there is put back as it was: the whole store removed when there
// was none before, else the dialog's group restored.
class QtDialogTraces
{
public:
    QtDialogTraces();
    ~QtDialogTraces();
    QtDialogTraces(const QtDialogTraces&) = delete;
    QtDialogTraces& operator=(const QtDialogTraces&) = delete;

    // Whether the shared store exists (the registry key, or the file).
    static bool storeExists();

private:
    bool m_storeExisted;
    QVariantMap m_dialogGroup; // the dialog's values as they were, by key
};
