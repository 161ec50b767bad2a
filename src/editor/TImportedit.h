#pragma once

#include "base/TextEncoding.h"

#include <QByteArray>
#include <QDialog>
#include <QString>

#include <optional>

class QPlainTextEdit;
class QPushButton;
class TFindDialog;

// The import file editor: shows the file as plain text in a fixed-pitch field, searches in it
// and saves it back to the same file, in the encoding it was read in; saving an unedited text
// writes the same bytes again (every line then ends in CR LF). A text that its file's encoding
// cannot hold as it stands (a character that Windows-1252 lacks, the stand-in for bytes of a
// UTF-8 file that are no UTF-8) is not saved: an error names its line, and the editor stays open.
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
    QString editorText() const;
    // The file's new content: every line of the text in the file's encoding, followed by CR LF
    // (an empty text is an empty file). Nothing when a line cannot be written as it shows: then
    // the error names it and the cursor stands at its start.
    std::optional<QByteArray> fileContent();
    // The title with "*" in front while there are unsaved changes.
    void markChanges(bool changed);

    QString m_editFileName;
    // The encoding of the file as loaded; saving keeps it (and a UTF-8 byte-order mark).
    tarvek::TextEncoding m_encoding = tarvek::TextEncoding::Windows1252;
    // The file holds bytes that are no UTF-8 in a UTF-8 file; the editor shows U+FFFD for them.
    bool m_malformed = false;
    int m_findPos = 0;
    QPlainTextEdit* m_memo1;
    QPushButton* m_save;
    TFindDialog* m_findDialog;
};
