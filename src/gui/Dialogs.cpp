#include "gui/Dialogs.h"

#include "base/Version.h"
#include "gui/QtDialogTraces.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>

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

// Every box of the program: its text as plain text, since Qt's default takes any text that
// looks like HTML for rich text (a file's line quoted in a message would show as a link, or hide
// the words after it); its buttons German.
void makeReady(QMessageBox& box)
{
    box.setTextFormat(Qt::PlainText);
    setGermanButtonTexts(box);
}

// Qt's own file dialog writes the dates of its detail view in the system's format; the program's
// formats are German (QtGerman), in the dialog as everywhere else.
class ProgramLocaleDates final : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (files != nullptr && role == Qt::DisplayRole && index.column() == DateColumn) {
            return QLocale().toString(files->lastModified(mapToSource(index)),
                                      QLocale::ShortFormat);
        }
        return QIdentityProxyModel::data(index, role);
    }

private:
    static constexpr int DateColumn = 3;
};

// Whether a file dialog shows Qt's widgets or the system's dialog is settled when it shows; only
// Qt's widgets take the dates' model.
class DatesWhenShown final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            auto* dialog = static_cast<QFileDialog*>(watched);
            dialog->removeEventFilter(this);
            dialog->setProxyModel(new ProgramLocaleDates(dialog));
        }
        return false;
    }
};

// Shows a file dialog with the program's dates; the files chosen, none when it was cancelled.
QStringList chosenFiles(QFileDialog& dialog)
{
    dialog.installEventFilter(new DatesWhenShown(&dialog));
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
}

class QtDialogs final : public Dialogs::Handler
{
public:
    QMessageBox::StandardButton message(QMessageBox& box) override
    {
        return static_cast<QMessageBox::StandardButton>(box.exec());
    }

    QString openFileName(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter) override
    {
        QFileDialog dialog(parent, caption, dir, filter);
        dialog.setFileMode(QFileDialog::ExistingFile);
        return chosenFiles(dialog).value(0);
    }

    QString existingDirectory(QWidget* parent, const QString& prompt, const QString& start) override
    {
        QFileDialog dialog(parent, prompt, start);
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        // The native chooser labels its button in the system's language unless told.
        dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Ordner wählen"));
        dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Abbrechen"));
        return chosenFiles(dialog).value(0);
    }
};

constexpr struct
{
    Dialogs::Icon icon;
    QMessageBox::Icon qt;
} kIcons[] = {
    {Dialogs::Icon::None, QMessageBox::NoIcon},
    {Dialogs::Icon::Information, QMessageBox::Information},
    {Dialogs::Icon::Question, QMessageBox::Question},
    {Dialogs::Icon::Critical, QMessageBox::Critical},
};

QMessageBox::Icon toQt(Dialogs::Icon icon)
{
    for (const auto& entry : kIcons) {
        if (entry.icon == icon) {
            return entry.qt;
        }
    }
    return QMessageBox::NoIcon;
}

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

Dialogs::Icon Dialogs::iconOf(const QMessageBox& box)
{
    for (const auto& entry : kIcons) {
        if (entry.qt == box.icon()) {
            return entry.icon;
        }
    }
    return Icon::None;
}

QMessageBox::StandardButton Dialogs::message(QWidget* parent, Icon icon, const QString& title,
                                             const QString& text,
                                             QMessageBox::StandardButtons buttons)
{
    QMessageBox box(toQt(icon), title, text, buttons, parent);
    makeReady(box);
    return handler().message(box);
}

void Dialogs::notice(QWidget* parent, const QString& text)
{
    message(parent, Icon::Information, QStringLiteral("Hinweis"), text, QMessageBox::Ok);
}

void Dialogs::error(QWidget* parent, const QString& text)
{
    message(parent, Icon::Critical, QStringLiteral("Fehler"), text, QMessageBox::Ok);
}

void Dialogs::show(QWidget* parent, Icon icon, const QString& title, const QString& text)
{
    message(parent, icon, title, text, QMessageBox::Ok);
}

bool Dialogs::ask(QWidget* parent, const QString& text, const QString& title)
{
    return message(parent, Icon::Question, title, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

void Dialogs::plain(QWidget* parent, const QString& title, const QString& text)
{
    message(parent, Icon::None, title, text, QMessageBox::Ok);
}

void Dialogs::report(QWidget* parent, const QString& text)
{
    message(parent, Icon::Critical, QStringLiteral("Tarvek " TARVEK_VERSION), text,
            QMessageBox::Ok);
}

bool Dialogs::choose(QWidget* parent, const QString& title, const QString& text, const QString& yes,
                     const QString& no)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    makeReady(box);
    box.button(QMessageBox::Yes)->setText(yes);
    box.button(QMessageBox::No)->setText(no);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return handler().message(box) == QMessageBox::Yes;
}

QString Dialogs::openFileName(QWidget* parent, const QString& caption, const QString& dir,
                              const QString& filter)
{
    const QtDialogTraces traces;
    return handler().openFileName(parent, caption, dir, filter);
}

QStringList Dialogs::Handler::openFileNames(QWidget* parent, const QString& caption,
                                            const QString& start, const QString& filter)
{
    QFileDialog dialog(parent, caption, start, filter);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    return chosenFiles(dialog);
}

QStringList Dialogs::openFileNames(QWidget* parent, const QString& caption, const QString& filter,
                                   const QString& current)
{
    const QtDialogTraces traces;
    return handler().openFileNames(parent, caption, startFolder({current}), filter);
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
    QString chosen = chosenFiles(dialog).value(0);
    if (!chosen.isEmpty() && selectedFilter != nullptr) {
        *selectedFilter = dialog.selectedNameFilter();
    }
    return chosen;
}

QString Dialogs::saveFileName(QWidget* parent, const QString& caption, const QString& path,
                              const QString& filter, QString* selectedFilter)
{
    const QtDialogTraces traces;
    return handler().saveFileName(parent, caption, path, filter, selectedFilter);
}

QString Dialogs::ChooseFolder(QWidget* parent, const QString& prompt, const QString& current)
{
    const QtDialogTraces traces;
    return handler().existingDirectory(parent, prompt, startFolder({current}));
}

QString Dialogs::startFolder(const QStringList& candidates)
{
    for (const QString& candidate : candidates) {
        if (!candidate.trimmed().isEmpty() && QFileInfo(candidate).isDir()) {
            return QDir::cleanPath(QFileInfo(candidate).absoluteFilePath());
        }
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}
