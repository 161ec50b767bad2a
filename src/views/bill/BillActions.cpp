#include "views/bill/BillActions.h"

#include "gui/Dialogs.h"
#include "views/bill/BillDocument.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>

#include <exception>

void BillActions::save(QWidget* parent, const BillData& data)
{
    const QFileInfo import(data.importFile);
    const QString suggestion =
        import.absoluteDir().filePath(import.completeBaseName() + QStringLiteral(".pdf"));
    const QString path = Dialogs::saveFileName(parent, QStringLiteral("Rechnung speichern"),
                                               suggestion, QStringLiteral("PDF-Dokumente (*.pdf)"));
    if (path.isEmpty()) {
        return;
    }
    try {
        BillDocument(data).writePdf(path);
    } catch (const std::exception& e) {
        Dialogs::error(parent, QString::fromUtf8(e.what()));
    }
}

void BillActions::print(QWidget* parent, const BillData& data)
{
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

void BillActions::copy(const BillData& data)
{
    const BillDocument document(data);
    auto* mime = new QMimeData;
    mime->setText(document.plainText());
    mime->setHtml(document.tablesHtml());
    QGuiApplication::clipboard()->setMimeData(mime);
}
