#include "app/CleanCommand.h"

#include "app/BillState.h"
#include "calc/Cleaning.h"
#include "gui/Dialogs.h"
#include "gui/FileNameText.h"
#include "gui/FileWriter.h"
#include "gui/VisibleText.h"
#include "importfile/ImportFormat.h"
#include "views/clean/TBereinigen.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>

#include <stdexcept>

CleanCommand::CleanCommand(const Context& context)
    : m_context(context), m_dialog(new TBereinigen(context.window))
{
    m_context.action->setEnabled(false);
    QObject::connect(&m_context.bill, &BillState::changed, m_context.action,
                     [this](BillState::Status status) {
                         if (status == BillState::Status::Stale) {
                             m_runComplete = false;
                         }
                         update();
                     });
}

void CleanCommand::setRunComplete(bool complete)
{
    m_runComplete = complete;
    update();
}

void CleanCommand::update()
{
    m_context.action->setEnabled(m_runComplete || m_context.bill.current());
}

void CleanCommand::Bereinigen1Click()
{
    QWidget* window = m_context.window;
    // A run that ended early never looked for build-zone borders.
    if (!m_runComplete) {
        Dialogs::notice(window, QString::fromUtf8(tarvek::kCleaningNeedsCompleteRun));
        return;
    }
    const std::string path = engineFileName(m_context.importFile);
    const auto source = tarvek::readCleaningSource(path);
    if (!source) {
        throw std::runtime_error(tarvek::fileOpenErrorText(path, source.error().reason));
    }
    std::string reason;
    auto plain = tarvek::planCleaning(*source, m_context.record, false, reason);
    auto withCopies = tarvek::planCleaning(*source, m_context.record, true, reason);
    if (!plain || !withCopies) {
        Dialogs::notice(window, QString::fromUtf8(reason));
        return;
    }
    if (withCopies->empty()) {
        Dialogs::notice(window, QString::fromUtf8(tarvek::kNothingToClean));
        return;
    }
    m_dialog->setPlans(std::move(*plain), std::move(*withCopies));
    if (m_dialog->exec() != QDialog::Accepted) {
        return;
    }
    const QFileInfo original(m_context.importFile);
    const QString target =
        Dialogs::saveFileName(window, QStringLiteral("Bereinigte Importdatei speichern"),
                              original.absoluteDir().filePath(original.completeBaseName() +
                                                              QStringLiteral("-bereinigt.cfg")),
                              QStringLiteral("SCP Dateien (*.cfg)"));
    if (target.isEmpty()) {
        return;
    }
    if (QFileInfo(target).canonicalFilePath() == original.canonicalFilePath()) {
        Dialogs::error(window, QStringLiteral("Die bereinigte Kopie darf die Importdatei nicht "
                                              "ersetzen. Bitte einen anderen Namen wählen."));
        return;
    }
    const auto bytes = tarvek::cleanedBytes(*source, m_dialog->chosenPlan());
    if (!bytes) {
        Dialogs::notice(window, QString::fromUtf8(tarvek::kCleaningFileChanged));
        return;
    }
    FileWriter::writeAll(target, QByteArray::fromStdString(*bytes));
    if (Dialogs::ask(window, QStringLiteral("Die bereinigte Kopie wurde gespeichert:\n%1\n\nSoll "
                                            "sie jetzt geladen und berechnet werden?")
                                 .arg(shownPath(target)))) {
        m_context.loadAndRun(target);
    }
}
