#pragma once

#include "calc/CalculationRun.h"
#include "calc/RecordingObserver.h"
#include "importfile/ImportLines.h"

#include <QDir>
#include <QFile>
#include <QString>

// The sample house as a player who means harm might send it: the z lines of the barrel (which may
// not be imported) and of the two nested backpacks carry an Escape and a chat command behind a
// number that passes the four-character cut.
struct CraftedImport
{
    QString movableLine; // the barrel's line in the list of items that may not be imported
    QString nestedLine;  // the backpacks' line in the list of nested items

    // The go-to that the nested line may type, with the Escape and Return around it.
    static constexpr const char* kNestedKeys = "\x1b\r.go  1435, 1613, 6\r";

    // Writes the file into `folder` and runs it as "Berechnung starten" does; empty lines when
    // the run did not list both items.
    static CraftedImport run(const QDir& folder)
    {
        CraftedImport crafted;
        auto lines = tarvek::readImportLines(TARVEK_SOURCE_DIR "/examples/Haus.cfg");
        if (!lines) {
            return crafted;
        }
        const std::string attack = "\x1b.say Hallo\x1b";
        for (std::size_t i = 0; i + 3 < lines->size(); ++i) {
            if ((*lines)[i] == "\tgraphic\t3703") {
                (*lines)[i + 3] = "\tz\t0000" + attack;
            } else if ((*lines)[i] == "\tgraphic\t3701") {
                (*lines)[i + 3] = "\tz\t0006" + attack;
            }
        }
        const QString path = folder.filePath(QStringLiteral("Angriff.cfg"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            return crafted;
        }
        file.write(QByteArray::fromStdString(tarvek::joinLinesCrLf(*lines)));
        file.close();

        tarvek::RecordingObserver observer;
        observer.setAnswer(tarvek::Answer::Yes);
        tarvek::RunSettings settings;
        settings.importFileName = QDir::toNativeSeparators(path).toStdString();
        settings.priceListFile = TARVEK_SOURCE_DIR "/examples/Preisliste.txt";
        tarvek::RunState state;
        tarvek::CalculationRun(std::move(settings), state, observer).execute();
        const auto& movable = observer.list(tarvek::ResultList::Movable).entries;
        const auto& nested = observer.list(tarvek::ResultList::Nested).entries;
        if (movable.size() == 1 && !nested.empty()) {
            crafted.movableLine = QString::fromUtf8(movable[0].text);
            crafted.nestedLine = QString::fromUtf8(nested[0].text);
        }
        return crafted;
    }
};
