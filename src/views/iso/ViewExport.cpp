#include "views/iso/ViewExport.h"

#include "calc/Calculation.h"
#include "gui/FileWriter.h"
#include "views/art/ClientFiles.h"
#include "views/iso/IsoScene.h"
#include "views/iso/PictureCache.h"
#include "views/plan/PlanExport.h"

#include <QBuffer>

#include <cstdio>
#include <stdexcept>

void saveViewPng(const tarvek::iso::IsoScene& scene, const QString& path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!scene.picture(tarvek::iso::SceneFilter{}).save(&buffer, "PNG")) {
        throw std::runtime_error("Das Bild lässt sich nicht als PNG schreiben");
    }
    FileWriter::writeAll(path, bytes);
}

int writeViewPng(const QString& importFile, const QString& outFile, const QString& programDir,
                 const QString& priceList, std::shared_ptr<const tarvek::art::ArtSource> art)
{
    tarvek::Calculation calc;
    if (!calculateForPicture(calc, importFile, programDir, priceList)) {
        return 1;
    }
    tarvek::iso::PictureCache pictures(
        std::make_shared<const tarvek::art::ClientFiles>(std::move(art)));
    const tarvek::art::ClientFiles& files = *pictures.files();
    if (!files.drawable()) {
        std::fprintf(stderr, "tarvek: %s: die Items werden als Rauten gezeigt\n",
                     files.problem().c_str());
    }
    try {
        saveViewPng(tarvek::iso::IsoScene(calc.items.items(), pictures), outFile);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tarvek: %s\n", error.what());
        return 1;
    }
    return 0;
}
