#pragma once

#include "calc/ComparisonText.h"

#include <string>

namespace tarvek {

// The comparison of tarvek-calc --compare --json, with a final line end.
std::string compareJson(const ComparedFiles& files, const Comparison& comparison);

} // namespace tarvek
