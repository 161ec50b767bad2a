#pragma once

#include "calc/RunObserver.h"
#include "calc/RunState.h"

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace tarvek {

// "Stück" for a price line of kind "t", "Bund" for any other; empty without a price line.
std::string_view kindText(const BreakdownRow& row);

// The cost breakdown as CSV for German spreadsheet programs: UTF-8 with a byte-order mark,
// fields separated by ";" and quoted where needed, CR LF line ends; a German header row, one row
// per tally entry; when the run computed a bill, the breakdown's sum rows and the bill's amounts
// (label in the first column, amount in "Betrag"). Amounts are plain whole numbers so that the
// spreadsheet reads them as numbers.
std::string breakdownCsv(const RunState& state, FeeChoice fees);

// One CSV field: quoted, with doubled quotes, when it holds ";", a quote or a line end.
std::string csvField(std::string_view text);
// A text from outside (a price line's name) as a spreadsheet must show it: one that it would take
// as a formula (beginning with "=", "+", "-", "@", a tab or a line end) gets an apostrophe in
// front, so that opening or pasting it never runs what a price list says.
std::string formulaGuarded(std::string_view text);
// A text field from outside: csvField of formulaGuarded.
std::string csvTextField(std::string_view text);

// One CSV line: the fields separated by ";", each as csvField, those of the columns in `texts`
// (texts from outside) as csvTextField; ended by CR LF.
template <typename Fields>
void appendCsvRow(std::string& out, const Fields& fields,
                  std::initializer_list<std::size_t> texts = {})
{
    std::size_t column = 0;
    for (const auto& field : fields) {
        if (column > 0) {
            out += ';';
        }
        const bool text = std::find(texts.begin(), texts.end(), column) != texts.end();
        out += text ? csvTextField(field) : csvField(field);
        ++column;
    }
    out += "\r\n";
}

} // namespace tarvek
