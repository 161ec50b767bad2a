#include "app/PriceListImport.h"

#include "app/OptionsFile.h"
#include "gui/Dialogs.h"
#include "gui/ErrorReport.h"
#include "gui/FileErrors.h"
#include "gui/FileNameText.h"
#include "gui/FileWriter.h"
#include "gui/VisibleText.h"
#include "pricing/PriceList.h"

#include <QDir>
#include <QStandardPaths>

#include <stdexcept>

namespace {

[[noreturn]] void fail(const QString& message)
{
    throw std::runtime_error(message.toStdString());
}

QString native(const QString& path)
{
    return shownPath(path);
}

// Whether a file's bytes hold a price line; never for bytes that are no text at all.
bool holdsPriceLine(const QByteArray& bytes)
{
    if (bytes.contains('\0')) {
        return false;
    }
    const tarvek::PriceList list = tarvek::PriceList::fromBytes(bytes.toStdString());
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (tarvek::isPriceLine(list.line(i))) {
            return true;
        }
    }
    return false;
}

} // namespace

bool PriceListImport::hasPriceList() const
{
    return tarvek::findPriceList(engineFileName(m_folder)).has_value();
}

QString PriceListImport::copyIn(const QString& source) const
{
    // Read as the calculation reads a price list: a pipe, a device, a file beyond the limit or
    // UTF-16 is refused with its reason.
    const auto read = tarvek::readPriceListFile(engineFileName(source));
    if (!read) {
        fail(FileErrors::cannotOpen(source, QString::fromStdString(read.error().reason)));
    }
    const QByteArray bytes = QByteArray::fromStdString(*read);
    if (!holdsPriceLine(bytes)) {
        fail(QStringLiteral("Die Datei %1 ist keine Preisliste: keine ihrer Zeilen hat die Form "
                            "einer Preiszeile wie 0x0e75|Name|120|t|1|0|0|0.")
                 .arg(native(source)));
    }
    // An older list is replaced under its own spelling of the name, so that the folder never
    // holds two lists of which the calculation reads the other.
    QString target = qtFileName(tarvek::priceListPath(engineFileName(m_folder)));
    QDir().mkpath(m_folder);
    FileWriter::writeAll(target, bytes);
    return target;
}

bool PriceListImport::PreislisteEinlesen1Click(QWidget* parent) const
{
    const QString source = Dialogs::openFileName(
        parent, QStringLiteral("Preisliste einlesen"),
        // Inside the folder: a path without its last separator would be
        // taken for a file's name where the folder does not exist.
        Dialogs::startFolder({QStandardPaths::writableLocation(QStandardPaths::DownloadLocation)}) +
            u'/',
        QStringLiteral("Preislisten (*.txt);;Alle Dateien (*)"));
    if (source.isEmpty()) {
        return false;
    }
    QString target;
    try {
        target = copyIn(source);
    } catch (const std::exception& error) {
        Dialogs::error(parent,
                       ErrorReport::text(QString::fromUtf8(error.what())) +
                           QStringLiteral("\n\nDie bisherige Preisliste bleibt unverändert."));
        return false;
    }
    Dialogs::notice(parent,
                    QStringLiteral("Die Preisliste ist eingelesen. Sie liegt jetzt hier:\n%1")
                        .arg(native(target)));
    return true;
}

void PriceListImport::offerOnce(QWidget* parent, const OptionsFile& options) const
{
    if (hasPriceList()) {
        return;
    }
    // Remembered before asking, so that the question never comes back. An options file that
    // cannot be read or written has had its message at start already; then nothing is offered.
    try {
        if (options.get(Options::PreislisteAngeboten)) {
            return;
        }
        options.set(Options::PreislisteAngeboten);
    } catch (const std::exception&) {
        return;
    }
    const QString question =
        QStringLiteral("Tarvek hat noch keine Preisliste; ohne sie kann keine Berechnung den "
                       "Preis ermitteln. Tarvek sucht die Datei Preisliste.txt im Ordner\n%1\n\n"
                       "Jetzt eine vorhandene Preisliste einlesen?")
            .arg(native(m_folder));
    if (Dialogs::ask(parent, question, QStringLiteral("Preisliste einlesen"))) {
        PreislisteEinlesen1Click(parent);
    }
}
