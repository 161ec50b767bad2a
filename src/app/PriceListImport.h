#pragma once

#include <QString>

class OptionsFile;
class QWidget;

// "Optionen > Preisliste einlesen ...": copies a price list the user already has (from the
// server's web site, from another player) into the folder where the calculation looks for it.
// The chosen file must read as a price list; the copy replaces an older list only once it is
// complete, so a failure leaves the old list as it was.
class PriceListImport
{
public:
    // folder: where the price list belongs (FileLocations::priceListDir).
    explicit PriceListImport(QString folder) : m_folder(std::move(folder)) {}

    // Asks for a file and copies it in; every failure is told in a German message. True when a
    // price list was copied.
    bool PreislisteEinlesen1Click(QWidget* parent) const;
    // Copies `source` in and returns where it went. Throws std::runtime_error with the German
    // message when the file cannot be read, is no price list or cannot be written.
    QString copyIn(const QString& source) const;
    // At a start without a price list: offers the import, once per options file; a "Nein"
    // changes nothing else.
    void offerOnce(QWidget* parent, const OptionsFile& options) const;

    bool hasPriceList() const;

private:
    QString m_folder;
};
