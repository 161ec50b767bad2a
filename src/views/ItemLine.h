#pragma once

#include <QString>

#include <array>
#include <span>
#include <utility>
#include <vector>

namespace tarvek::views {

// The fields an item line of a result list can carry, in the order of the view dialogs' rows.
enum class ItemField
{
    D, // graphic number, decimal
    H, // graphic number, hexadecimal text
    X,
    Y,
    Z,
    Anzahl // number of items
};

// One field of a line form and the marker that ends it; no marker: the field is the rest.
struct FieldCut
{
    ItemField field;
    const char* endMarker;
};

// The line form of an item with its place, as the list of items that may not be imported writes
// it (and the plan for any item): D:3701, H:0x0e75, Pos. X:1432, Y:1610, Z:20
inline constexpr std::array<FieldCut, 5> kPlaceLine{{
    {ItemField::D, ", H:"},
    {ItemField::H, ", Pos. X:"},
    {ItemField::X, ", Y:"},
    {ItemField::Y, ", Z:"},
    {ItemField::Z, nullptr},
}};

// Takes an item line apart, for example "D:3645, H:0x0e3d, Pos. X:1000, Y:2000, Z:5": the first
// two characters (the "D:" marker) are dropped, then each field is the text before the first
// occurrence of its end marker, and the line goes on after that marker. A line that lacks a
// marker (the writers never produce one) gives that field the rest of the line and the later
// fields the empty text.
std::vector<std::pair<ItemField, QString>> splitItemLine(const QString& line,
                                                         std::span<const FieldCut> form);

} // namespace tarvek::views
