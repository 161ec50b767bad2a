#include "views/plan/PlanExport.h"

#include "calc/CalculationRun.h"
#include "calc/ItemRecord.h"
#include "calc/RecordingObserver.h"
#include "importfile/ImportFormat.h"
#include "views/plan/PlanPicture.h"
#include "views/plan/PlanTiles.h"

#include <QCoreApplication>

#include <cstdio>
#include <stdexcept>

namespace {

int fail(const std::string& message)
{
    std::fprintf(stderr, "tarvek: %s\n", message.c_str());
    return 1;
}

} // namespace

int writePlanPng(const QString& importFile, const QString& outFile, const QString& programDir)
{
    const std::string path = importFile.toStdString();
    std::string reason;
    auto lines = tarvek::readImportLines(path, &reason);
    if (!lines) {
        return fail(tarvek::fileOpenErrorText(path, reason));
    }
    if (!tarvek::pruefeimportdatei(*lines)) {
        return fail("Die Datei " + path + " ist keine gültige Importdatei.");
    }
    tarvek::RecordingObserver window; // answers the nested-items question with Yes
    tarvek::RunState state;
    tarvek::ItemRecord record;
    tarvek::RunSettings settings;
    settings.importFileName = path;
    settings.programDir =
        (programDir.isEmpty() ? QCoreApplication::applicationDirPath() + u'/' : programDir)
            .toStdString();
    settings.separators = tarvek::systemLocaleSeparators();
    settings.items = &record;
    tarvek::CalculationRun run(std::move(settings), state, window);
    if (run.execute(std::move(*lines)) != tarvek::RunOutcome::Complete) {
        std::string messages;
        for (const auto& message : window.messages()) {
            messages += "\n" + message.text;
        }
        return fail("Die Berechnung ist nicht zu Ende gelaufen." + messages);
    }
    try {
        const tarvek::plan::PlanTiles tiles(record.items(), std::nullopt);
        tarvek::plan::PlanPicture(record, tiles, QStringLiteral("Alle Ebenen")).save(outFile);
    } catch (const std::exception& error) {
        return fail(error.what());
    }
    return 0;
}
