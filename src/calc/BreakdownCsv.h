#pragma once

#include "calc/RunObserver.h"
#include "calc/RunState.h"

#include <string>
#include <string_view>

namespace tarvek {

// "Stück" for a price line of kind "t", "Bund" for any other; empty without a price line.
std::string_view kindText(const BreakdownRow& row);

// The cost breakdown as CSV for German spreadsheet programs: UTF-8 with a byte-order mark,
// fields separated by ";" and quoted where needed, CR LF line ends; a German header row, one row
// per tally entry, then the bill's amounts (label in the first column, amount in "Betrag").
// Amounts are plain whole numbers so that the spreadsheet reads them as numbers.
std::string breakdownCsv(const RunState& state, FeeChoice fees);

// One CSV field: quoted, with doubled quotes, when it holds ";", a quote or a line end.
std::string csvField(std::string_view text);
// A text field from outside (a price line's name): one that a spreadsheet would take as a formula
// (beginning with "=", "+", "-", "@", a tab or a line end) gets an apostrophe in front, so that
// opening the file never runs what a price list says.
std::string csvTextField(std::string_view text);

} // namespace tarvek
