#include "app/TPreislistenServer.h"

#include "app/OptionsFile.h"
#include "download/ServerAddress.h"
#include "gui/Controls.h"
#include "gui/Dialogs.h"
#include "gui/ErrorReport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

const QString TPreislistenServer::InvalidText = QStringLiteral(
    "Der Preislisten-Server ist ungültig. Bitte einen Rechnernamen oder eine Adresse angeben, "
    "bei Bedarf mit Port (zum Beispiel preise.example.org oder preise.example.org:8080).");

TPreislistenServer::TPreislistenServer(const OptionsFile& options, QWidget* parent)
    : QDialog(parent), m_options(options)
{
    setUpFixedDialog(this, "PreislistenServer", QStringLiteral("Preislisten-Server"),
                     QSize(322, 120));

    auto* label = new QLabel(QStringLiteral("Server (Rechnername oder Rechnername:Port):"), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->move(11, 25);
    label->adjustSize();

    m_edit1 = new QLineEdit(this);
    m_edit1->setObjectName(QStringLiteral("Edit1"));
    m_edit1->setAccessibleName(QStringLiteral("Preislisten-Server"));
    m_edit1->setGeometry(11, 42, 301, 21);
    m_edit1->setPlaceholderText(
        QStringLiteral("preise.example.org oder https://preise.example.org"));
    m_edit1->setToolTip(
        QStringLiteral("Rechnername allein: Download über HTTP; mit \"https://\" davor: "
                       "verschlüsselt, das Zertifikat des Servers wird geprüft."));
    label->setBuddy(m_edit1);

    QPushButton* ok = makeButton(this, "BitBtn2", QStringLiteral("OK"), QRect(86, 81, 75, 25));
    QPushButton* cancel =
        makeButton(this, "BitBtn3", QStringLiteral("Abbruch"), QRect(161, 81, 75, 25));
    ok->setAccessibleName(QStringLiteral("OK"));
    cancel->setAccessibleName(QStringLiteral("Abbruch"));
    ok->setDefault(true);

    connect(ok, &QPushButton::clicked, this, &TPreislistenServer::BitBtn2Click);
    connect(cancel, &QPushButton::clicked, this, &TPreislistenServer::BitBtn3Click);
}

void TPreislistenServer::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ErrorReport::guard(this,
                       [this] { m_edit1->setText(m_options.get(Options::Server).trimmed()); });
    m_edit1->setFocus();
}

void TPreislistenServer::BitBtn2Click()
{
    const QString typed = m_edit1->text().trimmed();
    const QString server = ServerAddress::normalized(typed);
    if (!typed.isEmpty() && server.isEmpty()) {
        Dialogs::error(this, InvalidText);
        m_edit1->setFocus();
        m_edit1->selectAll();
        return;
    }
    // When the options cannot be written, the dialog stays open.
    if (ErrorReport::guard(this, [this, &server] { m_options.set(Options::Server, server); })) {
        accept();
    }
}

void TPreislistenServer::BitBtn3Click()
{
    reject();
}
