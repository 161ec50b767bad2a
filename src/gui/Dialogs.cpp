#include "gui/Dialogs.h"

#include "base/Version.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>
#include <QRegularExpression>

namespace {

// The buttons of every box read German even where Qt's own translation is missing.
void setGermanButtonTexts(QMessageBox& box)
{
    static const struct
    {
        QMessageBox::StandardButton button;
        const char* text;
    } Texts[] = {
        {QMessageBox::Ok, "OK"},
        {QMessageBox::Yes, "&Ja"},
        {QMessageBox::No, "&Nein"},
        {QMessageBox::Cancel, "Abbrechen"},
    };
    for (const auto& entry : Texts) {
        if (QAbstractButton* button = box.button(entry.button)) {
            button->setText(QString::fromLatin1(entry.text));
        }
    }
}

class QtDialogs final : public Dialogs::Handler
{
public:
    QMessageBox::StandardButton message(QWidget* parent, Dialogs::Icon icon, const QString& title,
                                        const QString& text,
                                        QMessageBox::StandardButtons buttons) override
    {
        QMessageBox box(toQt(icon), title, text, buttons, parent);
        setGermanButtonTexts(box);
        return static_cast<QMessageBox::StandardButton>(box.exec());
    }

    QString openFileName(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter) override
    {
        return QFileDialog::getOpenFileName(parent, caption, dir, filter);
    }

    QString existingDirectory(QWidget* parent, const QString& prompt) override
    {
        return QFileDialog::getExistingDirectory(parent, prompt, QString(),
                                                 QFileDialog::ShowDirsOnly);
    }

private:
    static QMessageBox::Icon toQt(Dialogs::Icon icon)
    {
        switch (icon) {
        case Dialogs::Icon::Information:
            return QMessageBox::Information;
        case Dialogs::Icon::Question:
            return QMessageBox::Question;
        case Dialogs::Icon::Critical:
            return QMessageBox::Critical;
        case Dialogs::Icon::None:
            break;
        }
        return QMessageBox::NoIcon;
    }
};

QtDialogs g_qtDialogs;
Dialogs::Handler* g_handler = nullptr;

} // namespace

void Dialogs::setHandler(Handler* handler)
{
    g_handler = handler;
}

Dialogs::Handler& Dialogs::handler()
{
    return g_handler ? *g_handler : g_qtDialogs;
}

void Dialogs::notice(QWidget* parent, const QString& text)
{
    handler().message(parent, Icon::Information, QStringLiteral("Hinweis"), text, QMessageBox::Ok);
}

void Dialogs::error(QWidget* parent, const QString& text)
{
    handler().message(parent, Icon::Critical, QStringLiteral("Fehler"), text, QMessageBox::Ok);
}

void Dialogs::show(QWidget* parent, Icon icon, const QString& title, const QString& text)
{
    handler().message(parent, icon, title, text, QMessageBox::Ok);
}

bool Dialogs::ask(QWidget* parent, const QString& text, const QString& title)
{
    return handler().message(parent, Icon::Question, title, text,
                             QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void Dialogs::plain(QWidget* parent, const QString& title, const QString& text)
{
    handler().message(parent, Icon::None, title, text, QMessageBox::Ok);
}

void Dialogs::report(QWidget* parent, const QString& text)
{
    handler().message(parent, Icon::Critical, QStringLiteral("Tarvek " TARVEK_VERSION), text,
                      QMessageBox::Ok);
}

QString Dialogs::openFileName(QWidget* parent, const QString& caption, const QString& dir,
                              const QString& filter)
{
    return handler().openFileName(parent, caption, dir, filter);
}

QStringList Dialogs::Handler::openFileNames(QWidget* parent, const QString& caption,
                                            const QString& filter)
{
    return QFileDialog::getOpenFileNames(parent, caption, QString(), filter);
}

QStringList Dialogs::openFileNames(QWidget* parent, const QString& caption, const QString& filter)
{
    return handler().openFileNames(parent, caption, filter);
}

QString Dialogs::Handler::saveFileName(QWidget* parent, const QString& caption, const QString& path,
                                       const QString& filter, QString* selectedFilter)
{
    QFileDialog dialog(parent, caption, QFileInfo(path).absolutePath(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(QFileInfo(path).fileName());
    // A name typed without a suffix gets the chosen filter's ("(*.pdf)": ".pdf") before the
    // dialog asks whether to replace a file of that name.
    const auto useSuffixOf = [&dialog](const QString& chosen) {
        const QRegularExpressionMatch suffix =
            QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(chosen);
        dialog.setDefaultSuffix(suffix.hasMatch() ? suffix.captured(1) : QString());
    };
    useSuffixOf(dialog.selectedNameFilter());
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, useSuffixOf);
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    if (selectedFilter != nullptr) {
        *selectedFilter = dialog.selectedNameFilter();
    }
    return dialog.selectedFiles().value(0);
}

QString Dialogs::saveFileName(QWidget* parent, const QString& caption, const QString& path,
                              const QString& filter, QString* selectedFilter)
{
    return handler().saveFileName(parent, caption, path, filter, selectedFilter);
}

QString Dialogs::ChooseFolder(QWidget* parent, const QString& prompt)
{
    return handler().existingDirectory(parent, prompt);
}
