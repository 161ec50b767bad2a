#pragma once

#include "base/TextEncoding.h"

#include <QDialog>
#include <QString>

class QPlainTextEdit;
class QPushButton;
class TFindDialog;

// The import file editor: shows the file as plain text in a fixed-pitch field, searches in it
// and saves it back to the same file. The file is Windows-1252 text; saving an unedited text
// writes the same bytes again (every line then ends in CR LF).
class TImportedit : public QDialog
{
    Q_OBJECT

public:
    explicit TImportedit(QWidget* parent = nullptr);

    QString EditFileName() const { return m_editFileName; }
    void setEditFileName(const QString& fileName) { m_editFileName = fileName; }
    int FindPos() const { return m_findPos; }
    TFindDialog* findDialog() const { return m_findDialog; }

    void BitBtn1Click(); // "Suchen"
    void BitBtn2Click(); // "Speichern und schliessen"
    void BitBtn3Click(); // "Schliessen ohne speichern"
    void FindDialog1Find(const QString& text);
    // Whether the text differs from the file since it was loaded.
    bool hasUnsavedChanges() const;
    // Escape and the close box: with unsaved changes the user decides whether to discard them.
    void reject() override;

signals:
    // The file has been written; the main window tests it again and resets its displays before
    // the editor shows its notice.
    void saved(const QString& fileName);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void load();
    void save() const;
    QString editorText() const;
    // The title with "*" in front while there are unsaved changes.
    void markChanges(bool changed);

    QString m_editFileName;
    // The encoding of the file as loaded; saving keeps it (and a UTF-8 byte-order mark).
    tarvek::TextEncoding m_encoding = tarvek::TextEncoding::Windows1252;
    int m_findPos = 0;
    QPlainTextEdit* m_memo1;
    QPushButton* m_save;
    TFindDialog* m_findDialog;
};
