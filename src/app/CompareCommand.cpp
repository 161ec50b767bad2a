#include "app/CompareCommand.h"

#include "calc/Comparison.h"
#include "gui/Dialogs.h"
#include "gui/FileNameText.h"
#include "views/art/TUOArt.h"
#include "views/compare/TVergleich.h"

#include <QApplication>
#include <QFileInfo>
#include <QScopeGuard>
#include <QStatusBar>

CompareCommand::CompareCommand(const Context& context)
    : m_context(context), m_window(new TVergleich(context.window))
{
    // What the comparison saved or copied is said in its own status line; the main window's
    // line would speak of an older deed (the clipboard holds the comparison now).
    QObject::connect(m_window, &TVergleich::said, context.status, &QStatusBar::clearMessage);
    m_window->setArtSource(&TUOArt::sharedArtSource);
}

void CompareCommand::Vergleichen1Click()
{
    const QString oldFile = Dialogs::openFileName(
        m_context.window, QStringLiteral("Ältere Fassung wählen"),
        QFileInfo(m_context.importFile).absolutePath(), QStringLiteral("SCP Dateien (*.cfg)"));
    if (!oldFile.isEmpty()) {
        compareWith(oldFile);
    }
}

void CompareCommand::compareWith(const QString& oldFile)
{
    tarvek::FileComparison comparison;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        comparison =
            tarvek::compareFiles(engineFileName(oldFile), engineFileName(m_context.importFile),
                                 {.importFile = {},
                                  .programDir = engineFileName(m_context.priceListDir),
                                  .priceListFile = {},
                                  .fees = m_context.fees(),
                                  .nested = tarvek::Answer::Yes,
                                  .recordItems = true});
    }
    m_window->showComparison(oldFile, m_context.importFile, std::move(comparison));
}
