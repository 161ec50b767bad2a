#pragma once

#include <QDialog>

class OptionsFile;
class QLineEdit;

// "Optionen > Preislisten-Server ...": the server of the price list update check, one field
// holding host or host:port (plain HTTP), or https://host[:port]. "OK" checks the address and
// stores it as the option "Server"; an empty field stores no server, which turns the check into
// a silent no-op.
class TPreislistenServer : public QDialog
{
    Q_OBJECT

public:
    TPreislistenServer(const OptionsFile& options, QWidget* parent = nullptr);

    void BitBtn2Click(); // "OK": check, save and close
    void BitBtn3Click(); // "Abbruch": close without saving

    static const QString InvalidText;

protected:
    void showEvent(QShowEvent* event) override;

private:
    const OptionsFile& m_options;
    QLineEdit* m_edit1;
};
