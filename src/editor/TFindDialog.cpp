#include "editor/TFindDialog.h"

#include "gui/Fonts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFindDialog::TFindDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FindDialog1"));
    setWindowTitle(QStringLiteral("Suchen"));
    setModal(false);
    setFont(Fonts::sansSerif(11));

    auto* label = new QLabel(QStringLiteral("Suchen nach:"), this);
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("FindText"));
    label->setBuddy(m_text);

    auto* next = new QPushButton(QStringLiteral("Weitersuchen"), this);
    next->setObjectName(QStringLiteral("FindNext"));
    next->setDefault(true);
    auto* close = new QPushButton(QStringLiteral("Schließen"), this);
    close->setObjectName(QStringLiteral("FindClose"));

    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_text, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(next);
    buttons->addWidget(close);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(row, 1);
    layout->addLayout(buttons);
    setFixedSize(360, 80);

    // There is nothing to look for in an empty text.
    next->setEnabled(false);
    connect(m_text, &QLineEdit::textChanged, next,
            [next](const QString& text) { next->setEnabled(!text.isEmpty()); });
    connect(next, &QPushButton::clicked, this, [this] { emit find(m_text->text()); });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
}

QString TFindDialog::findText() const
{
    return m_text->text();
}

void TFindDialog::setFindText(const QString& text)
{
    m_text->setText(text);
}
