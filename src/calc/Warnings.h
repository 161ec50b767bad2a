#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tarvek {

// Warnings of the list "Unbedingt prüfen" that other reports than the window take up too.

// The owner types' largest areas in square steps, each with the warning phase 4 writes.
struct AreaLimit
{
    std::int32_t squareSteps;
    std::string_view owner;
    std::string_view warning;
};
inline constexpr std::array<AreaLimit, 4> kAreaLimits = {{
    {300, "Einzelperson", "QS überschreiten eventuell das Maximum für Einzelperson"},
    {450, "Paare", "QS überschreiten eventuell das Maximum für Paare"},
    {1000, "nicht anerkannte Gilden",
     "QS überschreiten event. das Maximum für nicht anerkannte Gilden"},
    {3000, "anerkannte Gilden", "QS überschreiten event. das Maximum für anerkannte Gilden"},
}};

// The limits phase 4 warns of, in their order: beyond a pair's area only the pair's is named,
// not a single person's as well.
inline std::vector<AreaLimit> exceededAreaLimits(std::int32_t squareSteps)
{
    std::vector<AreaLimit> exceeded;
    for (std::size_t i = 0; i < kAreaLimits.size(); ++i) {
        const bool beyondNext = i == 0 && squareSteps > kAreaLimits[1].squareSteps;
        if (squareSteps > kAreaLimits[i].squareSteps && !beyondNext) {
            exceeded.push_back(kAreaLimits[i]);
        }
    }
    return exceeded;
}

// Phase 8's warning for each build-zone border it finds.
inline constexpr std::string_view kBorderWarning = "Achtung: Bauzonenränder sind noch vorhanden!!!";

} // namespace tarvek
