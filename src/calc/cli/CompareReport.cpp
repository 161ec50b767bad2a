#include "calc/cli/CompareReport.h"

#include "calc/cli/Report.h"

namespace tarvek {
namespace {

std::string jsonStrings(const std::vector<std::string>& texts)
{
    std::string o = "[";
    for (std::size_t i = 0; i < texts.size(); ++i) {
        o += (i == 0 ? "" : ", ") + jsonString(texts[i]);
    }
    return o + "]";
}

std::string jsonItems(const std::vector<ItemChange>& changes)
{
    std::string o = "[";
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const ItemChange& c = changes[i];
        const auto coordinate = [&c](std::int32_t value) {
            return c.key.hasPosition ? std::to_string(value) : std::string("null");
        };
        o += i == 0 ? "\n" : ",\n";
        o += "    {\"graphic\": " + std::to_string(c.key.graphic) +
             ", \"x\": " + coordinate(c.key.x) + ", \"y\": " + coordinate(c.key.y) +
             ", \"z\": " + coordinate(c.key.z) + ", \"old\": " + std::to_string(c.oldCount) +
             ", \"new\": " + std::to_string(c.newCount) + "}";
    }
    return o + (changes.empty() ? "]" : "\n  ]");
}

} // namespace

std::string compareJson(const ComparedFiles& files, const Comparison& comparison)
{
    std::string o = "{\n  \"outcome\": " + jsonString(comparison.alike() ? "alike" : "different") +
                    ",\n  \"old\": " + jsonString(files.oldFile) +
                    ",\n  \"new\": " + jsonString(files.newFile) + ",\n  \"figures\": [";
    for (std::size_t i = 0; i < comparison.figures.size(); ++i) {
        const FigureRow& row = comparison.figures[i];
        o += i == 0 ? "\n" : ",\n";
        o += "    {\"label\": " + jsonString(row.label) +
             ", \"old\": " + std::to_string(row.oldValue) +
             ", \"new\": " + std::to_string(row.newValue) +
             ", \"difference\": " + std::to_string(row.difference()) + "}";
    }
    o += "\n  ],\n  \"added\": " + jsonItems(comparison.added) +
         ",\n  \"removed\": " + jsonItems(comparison.removed) + ",\n  \"findings\": [";
    for (std::size_t i = 0; i < kFindingLists.size(); ++i) {
        o += i == 0 ? "\n" : ",\n";
        o += "    {\"list\": " + jsonString(listCaption(kFindingLists[i])) +
             ", \"resolved\": " + jsonStrings(comparison.findings[i].resolved) +
             ", \"new\": " + jsonStrings(comparison.findings[i].added) + "}";
    }
    return o + "\n  ]\n}\n";
}

} // namespace tarvek
