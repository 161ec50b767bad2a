#pragma once

#include "calc/CalculationRun.h"
#include "calc/RecordingObserver.h"
#include "importfile/ImportLines.h"

#include <optional>
#include <string>
#include <vector>

namespace tarvek::testing {

// One item of a made-up import file; values are written as given.
struct Item
{
    std::string graphic;
    std::string x = "100";
    std::string y = "200";
    std::string z = "0";
    std::string color = "0";
    std::string kind = "I";
};

inline Item item(std::string graphic, std::string x = "100", std::string y = "200",
                 std::string z = "0", std::string color = "0")
{
    return Item{std::move(graphic), std::move(x),     std::move(y),
                std::move(z),       std::move(color), "I"};
}

// An import file: header, then one entry per item (graphic, x, y, z, color directly below
// each other), CR LF line ends.
inline std::string importFile(const std::vector<Item>& items)
{
    std::string out = "Entry Header\r\n{\r\n\tVersion\t2\r\n}\r\n";
    for (const auto& it : items) {
        out += "Entry " + it.kind + " 0x40000001\r\n{\r\n";
        out += "\tgraphic\t" + it.graphic + "\r\n";
        out += "\tx\t" + it.x + "\r\n";
        out += "\ty\t" + it.y + "\r\n";
        out += "\tz\t" + it.z + "\r\n";
        out += "\tcolor\t" + it.color + "\r\n";
        out += "}\r\n";
    }
    return out;
}

inline std::string lines(const std::vector<std::string>& ls)
{
    std::string out;
    for (const auto& l : ls) {
        out += l + "\r\n";
    }
    return out;
}

// A run on bytes with a fixed clock (12:34:56) and a price list given as bytes (nothing: the
// price list is missing).
struct RunFixture
{
    RecordingObserver window;
    RunState state;
    FixedClock clock{{12, 34, 56}};
    std::optional<std::string> priceList = std::string();
    int priceListReads = 0;
    RunOutcome outcome = RunOutcome::Aborted;

    RunOutcome run(const std::string& importBytes)
    {
        RunSettings settings;
        settings.readPriceList = [this]() {
            ++priceListReads;
            return priceList;
        };
        settings.clock = &clock;
        CalculationRun run(std::move(settings), state, window);
        outcome = run.execute(splitLines(importBytes));
        return outcome;
    }

    std::vector<std::string> texts(ResultList list) const { return window.texts(list); }
    std::vector<std::string> protocol() const { return window.texts(ResultList::Protocol); }
    bool hasProtocol(const std::string& text) const
    {
        for (const auto& t : protocol()) {
            if (t == text) {
                return true;
            }
        }
        return false;
    }
};

} // namespace tarvek::testing
