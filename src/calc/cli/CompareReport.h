#pragma once

#include "calc/Comparison.h"

#include <string>

namespace tarvek {

// The files compared, as the reports name them.
struct ComparedFiles
{
    std::string oldFile;
    std::string newFile;
};

// The comparison of tarvek-calc --compare as readable text: the figures of both runs side by
// side with their difference, the items added and removed by position key, and per finding list
// the lines resolved and new.
std::string compareText(const ComparedFiles& files, const Comparison& comparison);

// The same as a JSON object, with a final line end.
std::string compareJson(const ComparedFiles& files, const Comparison& comparison);

// The same as CSV for German spreadsheet programs, as the cost breakdown's CSV writes it: one row
// per figure, changed item and changed finding, under the header
// "Bereich;Eintrag;Alt;Neu;Differenz".
std::string compareCsv(const Comparison& comparison);

} // namespace tarvek
