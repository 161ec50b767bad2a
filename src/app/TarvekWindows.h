#pragma once

#include <QString>

class THauptformular;
class TImportedit;
class TInfo;
class TPfadangaben;

// All windows of the program, created once at start in their fixed order and reused until the
// program ends. The main window comes first; every other window is its child, so it closes with
// it. Windows of other parts of the program are added here in their place of the order.
class TarvekWindows
{
public:
    // programDir: see THauptformular.
    explicit TarvekWindows(const QString& programDir = QString());
    ~TarvekWindows();
    TarvekWindows(const TarvekWindows&) = delete;
    TarvekWindows& operator=(const TarvekWindows&) = delete;

    THauptformular& hauptformular() const { return *m_hauptformular; }
    TPfadangaben& pfadangaben() const { return *m_pfadangaben; }
    TImportedit& importedit() const { return *m_importedit; }
    TInfo& info() const { return *m_info; }

private:
    THauptformular* m_hauptformular; // 1 (owned; deletes the others as its children)
    // 2: the view of an item that may not be imported
    TPfadangaben* m_pfadangaben; // 3
    TImportedit* m_importedit;   // 4
    TInfo* m_info;               // 5
    // 6, 7: the connection-wait and download progress windows of the price list update
    // 8, 9: the views of a nested item and of an item without a price
};
