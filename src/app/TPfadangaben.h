#pragma once

#include <QDialog>

class OptionsFile;
class QLineEdit;

// The path settings dialog. Its edit field is where the running program keeps the current
// import folder: the main window fills it at start, the dialog reloads it from the options file
// each time it opens, and the file-open dialog for import files starts in the folder it names.
class TPfadangaben : public QDialog
{
    Q_OBJECT

public:
    TPfadangaben(const OptionsFile& options, QWidget* parent = nullptr);

    QString importFolder() const;
    void setImportFolder(const QString& folder);

    void BitBtn1Click(); // "Wählen": folder chooser
    void BitBtn2Click(); // "OK": save and close
    void BitBtn3Click(); // "Abbruch": close without saving

protected:
    void showEvent(QShowEvent* event) override;

private:
    const OptionsFile& m_options;
    QLineEdit* m_edit1;
};
