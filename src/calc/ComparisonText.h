#pragma once

#include "calc/Comparison.h"

#include <array>
#include <string>

namespace tarvek {

// The files compared, as the reports name them.
struct ComparedFiles
{
    std::string oldFile;
    std::string newFile;
};

// One figure's row as every report shows it: label, old value, new value, and the difference
// with its sign ("+5", "0", "-1"; empty for a limit, whose values are "ja"/"nein"). Money, the
// difference included, is the bill's money text with the thousands separator given ("38.840 GS",
// "+1.250 GS").
std::array<std::string, 4> figureCells(const FigureRow& row, std::string_view thousands);
// "Grafik 100, X:102, Y:200, Z:0, Anz.: 1".
std::string itemChangeText(const ItemChange& change);

// The comparison as readable text: the figures of both runs side by side with their difference,
// the items added and removed by position key, and per finding list the lines resolved and new.
// tarvek-calc --compare prints it, the window "Vergleich" copies it.
std::string compareText(const ComparedFiles& files, const Comparison& comparison);

// The same as CSV for German spreadsheet programs, as the cost breakdown's CSV writes it: one row
// per figure, changed item and changed finding, under the header
// "Bereich;Eintrag;Alt;Neu;Differenz".
std::string compareCsv(const Comparison& comparison);

} // namespace tarvek
