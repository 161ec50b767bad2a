#include "app/TPfadangaben.h"

#include "app/Icons.h"
#include "app/OptionsFile.h"
#include "gui/Controls.h"
#include "gui/Dialogs.h"
#include "gui/ErrorReport.h"
#include "gui/VisibleText.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TPfadangaben::TPfadangaben(const OptionsFile& options, QWidget* parent)
    : QDialog(parent), m_options(options)
{
    setUpFixedDialog(this, "Pfadangaben", QStringLiteral("Pfadangaben"), QSize(322, 120));

    auto* label = new QLabel(QStringLiteral("Pfad für Importfiles:"), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->move(11, 25);
    label->adjustSize();

    m_edit1 = new QLineEdit(this);
    m_edit1->setObjectName(QStringLiteral("Edit1"));
    m_edit1->setGeometry(11, 42, 225, 21);
    label->setBuddy(m_edit1); // the field's name for assistive technology

    QPushButton* choose =
        makeButton(this, "BitBtn1", QStringLiteral("Wählen"), QRect(239, 40, 73, 25));
    choose->setIcon(Icons::icon(QStringLiteral("waehlen"), QSize(16, 16)));
    QPushButton* ok = makeButton(this, "BitBtn2", QStringLiteral("OK"), QRect(86, 81, 75, 25));
    QPushButton* cancel =
        makeButton(this, "BitBtn3", QStringLiteral("Abbruch"), QRect(161, 81, 75, 25));
    ok->setDefault(true);

    connect(choose, &QPushButton::clicked, this, &TPfadangaben::BitBtn1Click);
    connect(ok, &QPushButton::clicked, this, &TPfadangaben::BitBtn2Click);
    connect(cancel, &QPushButton::clicked, this, &TPfadangaben::BitBtn3Click);
}

QString TPfadangaben::importFolder() const
{
    return m_edit1->text();
}

void TPfadangaben::setImportFolder(const QString& folder)
{
    m_edit1->setText(folder);
}

void TPfadangaben::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ErrorReport::guard(this, [this] {
        m_edit1->setText(OptionsFile::trimmed(m_options.get(Options::Importpfad)));
    });
}

void TPfadangaben::BitBtn1Click()
{
    QString folder = Dialogs::ChooseFolder(this, QStringLiteral("Wähle bitte ein Verzeichnis aus:"),
                                           m_edit1->text().trimmed());
    // A cancelled chooser leaves the field as it was.
    if (folder.isEmpty()) {
        return;
    }
    folder = QDir::toNativeSeparators(folder);
    if (!folder.endsWith(QDir::separator())) {
        folder += QDir::separator();
    }
    m_edit1->setText(folder);
}

void TPfadangaben::BitBtn2Click()
{
    // A folder that does not exist is stored only when the user confirms it; otherwise, and
    // when the options cannot be written, the dialog stays open.
    const QString folder = OptionsFile::trimmed(m_edit1->text());
    if (!folder.isEmpty() && !QFileInfo(folder).isDir() &&
        !Dialogs::ask(this,
                      QStringLiteral("Das Verzeichnis %1 gibt es nicht. Soll es trotzdem als "
                                     "Pfad für Importfiles gespeichert werden?")
                          .arg(shownPath(folder)),
                      QStringLiteral("Pfadangaben"))) {
        return;
    }
    if (ErrorReport::guard(this, [this, &folder] { m_options.set(Options::Importpfad, folder); })) {
        accept();
    }
}

void TPfadangaben::BitBtn3Click()
{
    reject();
}
