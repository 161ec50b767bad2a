#include "views/bill/BillActions.h"

#include "gui/Dialogs.h"
#include "gui/PagedDocument.h"
#include "gui/VisibleText.h"
#include "views/bill/BillDocument.h"

#include <QDir>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <exception>

QString BillActions::save(QWidget* parent, const BillData& data)
{
    const QFileInfo import(data.importFile);
    const QString suggestion =
        import.absoluteDir().filePath(import.completeBaseName() + QStringLiteral(".pdf"));
    const QString path = Dialogs::saveFileName(parent, QStringLiteral("Rechnung speichern"),
                                               suggestion, QStringLiteral("PDF-Dokumente (*.pdf)"));
    if (path.isEmpty()) {
        return {};
    }
    try {
        BillDocument(data).writePdf(path);
    } catch (const std::exception& e) {
        Dialogs::error(parent, QString::fromUtf8(e.what()));
        return {};
    }
    return QStringLiteral("Rechnung gespeichert: %1").arg(shownPath(path));
}

void BillActions::print(QWidget* parent, const BillData& data)
{
    // Without a printer the system's dialog shows nothing at all.
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        Dialogs::notice(parent, QStringLiteral("Es ist kein Drucker eingerichtet. Die Rechnung "
                                               "kann mit \"Rechnung speichern ...\" als PDF-Datei "
                                               "gespeichert werden."));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Rechnung ") + QFileInfo(data.importFile).fileName());
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Rechnung drucken"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintCollateCopies |
                      QAbstractPrintDialog::PrintShowPageSize);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    if (!BillDocument(data).print(printer)) {
        Dialogs::error(parent, QStringLiteral("Die Rechnung konnte nicht gedruckt werden: Der "
                                              "Drucker ist nicht bereit, oder die gewählten "
                                              "Seiten gibt es nicht."));
    }
}

QString BillActions::copy(const BillData& data)
{
    const BillDocument document(data);
    putOnClipboard(document.plainText(), document.tablesHtml());
    return QStringLiteral("Die Rechnung ist in der Zwischenablage.");
}
