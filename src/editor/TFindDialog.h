#pragma once

#include <QDialog>

class QLineEdit;

// The editor's small find dialog: a search text, "Weitersuchen" and "Schließen". It stays open
// beside the editor; every "Weitersuchen" asks the editor for the next match.
class TFindDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TFindDialog(QWidget* parent = nullptr);

    QString findText() const;
    void setFindText(const QString& text);

signals:
    void find(const QString& text);

private:
    QLineEdit* m_text;
};
