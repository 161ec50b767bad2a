#include "calc/cli/Report.h"

#include "base/Utf8.h"

#include <array>
#include <charconv>
#include <cstring>
#include <string>
#include <utility>

namespace tarvek {
namespace {

struct ListInfo
{
    ResultList list;
    const char* jsonName;
};

// The lists in the order of the JSON contract (the bill last).
constexpr std::array<ListInfo, 6> kLists = {{
    {ResultList::Protocol, "protocol"},
    {ResultList::Warnings, "warnings"},
    {ResultList::Movable, "movable"},
    {ResultList::Nested, "nested"},
    {ResultList::NotCalculated, "notCalculated"},
    {ResultList::Bill, "bill"},
}};

constexpr std::array<std::pair<Lamp, const char*>, 8> kLamps = {{
    {Lamp::BLED1, "BLED1"},
    {Lamp::BLED2, "BLED2"},
    {Lamp::BLED3, "BLED3"},
    {Lamp::BLED4, "BLED4"},
    {Lamp::BLED5, "BLED5"},
    {Lamp::BLED6, "BLED6"},
    {Lamp::BLED7, "BLED7"},
    {Lamp::BLED9, "BLED9"},
}};

const char* kindName(RecordingObserver::Message::Kind kind)
{
    switch (kind) {
    case RecordingObserver::Message::Kind::Error:
        return "error";
    case RecordingObserver::Message::Kind::Information:
        return "information";
    case RecordingObserver::Message::Kind::Question:
        return "question";
    }
    return "error";
}

// The breakdown rows as JSON objects; price line fields are null without a price line.
std::string breakdownJson(const Breakdown& breakdown)
{
    std::string o = "[";
    const auto& rows = breakdown.rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const BreakdownRow& r = rows[i];
        const auto orNull = [&r](const std::string& value) {
            return r.hasPriceLine ? value : std::string("null");
        };
        o += i == 0 ? "\n" : ",\n";
        o += "    {\"graphic\": " + std::to_string(r.graphic) + ", \"key\": " + jsonString(r.key) +
             ", \"items\": " + std::to_string(r.items) +
             ", \"name\": " + orNull(jsonString(r.name)) +
             ", \"price\": " + orNull(std::to_string(r.price)) +
             ", \"kind\": " + orNull(jsonString(r.kind)) +
             ", \"pieces\": " + (r.hasPriceLine && r.pieces ? std::to_string(*r.pieces) : "null") +
             ", \"class\": " + orNull(jsonString(className(r))) +
             ", \"amount\": " + std::to_string(r.amount) +
             ", \"status\": " + jsonString(statusName(r.status)) + "}";
    }
    o += rows.empty() ? "]" : "\n  ]";
    return o;
}

// A report on its way out: appended to, and handed on whenever a piece of about a mebibyte is
// full, so that the report of a file of millions of items is never held whole.
class Pieces
{
public:
    explicit Pieces(const ReportWrite& write) : m_write(write) { m_text.reserve(2 * kPiece); }
    std::string& text() { return m_text; }
    // Hands on what has gathered once it fills a piece.
    void spill()
    {
        if (m_text.size() >= kPiece) {
            handOn();
        }
    }
    // Hands on the rest; false when any piece could not be written.
    bool finish()
    {
        handOn();
        return m_written;
    }

private:
    static constexpr std::size_t kPiece = std::size_t(1) << 20;
    void handOn()
    {
        // After a failed write nothing more is written, but the report is still walked through.
        m_written = m_written && m_write(m_text);
        m_text.clear();
    }
    const ReportWrite& m_write;
    std::string m_text;
    bool m_written = true;
};

// The items of a complete run in file order, one object a line; values a phase could not read as
// a number (an entry without its x, y, z or color line where the layout puts them) are null.
void jsonItems(const ItemRecord* record, Pieces& pieces)
{
    if (record == nullptr || !record->complete() || record->items().empty()) {
        return;
    }
    std::string& o = pieces.text();
    bool first = true;
    for (const RecordedItem& item : record->items()) {
        // Each item written into room made for it at once (it takes at most 200 bytes), then
        // cut to its length: a house has tens of thousands.
        constexpr std::size_t kRoom = 256;
        const std::size_t at = o.size();
        o.resize(at + kRoom);
        char* out = o.data() + at;
        char* const end = out + kRoom;
        const auto put = [&out](std::string_view text) {
            std::memcpy(out, text.data(), text.size());
            out += text.size();
        };
        const auto value = [&](bool known, std::int32_t n) {
            if (known) {
                out = std::to_chars(out, end, n).ptr;
            } else {
                put("null");
            }
        };
        put(first ? "\n    {\"graphic\": " : ",\n    {\"graphic\": ");
        first = false;
        value(true, item.graphic);
        put(", \"x\": ");
        value(item.hasPosition, item.x);
        put(", \"y\": ");
        value(item.hasPosition, item.y);
        put(", \"z\": ");
        value(item.hasPosition, item.z);
        put(", \"color\": ");
        value(item.hasColour, item.colour);
        put(", \"category\": ");
        if (const auto category = item.category()) {
            // The category names are plain ASCII words: nothing to escape.
            put("\"");
            put(categoryName(*category));
            put("\"}");
        } else {
            put("null}");
        }
        o.resize(static_cast<std::size_t>(out - o.data()));
        pieces.spill();
    }
    o += "\n  ";
}

// A whole report made by one of the writers below.
template <class Writer> std::string wholeReport(const CalcResult& result, Writer writer)
{
    std::string whole;
    writer(result, [&whole](std::string_view piece) {
        whole += piece;
        return true;
    });
    return whole;
}

} // namespace

std::string jsonEscape(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 8);
    appendJsonEscaped(out, text);
    return out;
}

void appendJsonEscaped(std::string& out, std::string_view text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::size_t i = 0;
    while (i < text.size()) {
        // A run of printable ASCII without quotes or backslashes goes as it is, in one piece.
        std::size_t plain = i;
        while (plain < text.size()) {
            const auto c = static_cast<unsigned char>(text[plain]);
            if (c < 0x20 || c >= 0x7F || c == '"' || c == '\\') {
                break;
            }
            ++plain;
        }
        if (plain > i) {
            out.append(text.substr(i, plain - i));
            i = plain;
            continue;
        }
        const auto b = static_cast<unsigned char>(text[i]);
        if (b < 0x80) {
            switch (b) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (b < 0x20 || b == 0x7F) {
                    out += "\\u00";
                    out += kHex[b >> 4];
                    out += kHex[b & 0xF];
                } else {
                    out.push_back(static_cast<char>(b));
                }
            }
            ++i;
            continue;
        }
        // Validate one UTF-8 sequence; pass it through or replace it by U+FFFD.
        const std::optional<Utf8Sequence> sequence = decodeUtf8(text, i);
        if (!sequence) {
            appendUtf8(out, 0xFFFD);
            ++i;
            continue;
        }
        const char32_t cp = sequence->codePoint;
        const std::size_t len = sequence->length;
        if (cp >= 0x80 && cp <= 0x9F) {
            // C1 controls (the undefined Windows-1252 bytes) stay readable as escapes.
            out += "\\u00";
            out += kHex[cp >> 4];
            out += kHex[cp & 0xF];
        } else {
            out.append(text.substr(i, len));
        }
        i += len;
    }
}

std::string jsonString(std::string_view text)
{
    std::string out(1, '"');
    appendJsonEscaped(out, text);
    out += '"';
    return out;
}

bool writeJsonReport(const CalcResult& result, const ReportWrite& write)
{
    Pieces pieces(write);
    std::string& o = pieces.text();
    const RecordingObserver& w = result.window;
    const RunState& s = result.state;
    o = "{\n  \"outcome\": " + jsonString(result.outcome) + ",\n  \"lists\": {";
    bool firstList = true;
    for (const auto& info : kLists) {
        o += firstList ? "\n" : ",\n";
        firstList = false;
        o += "    \"" + std::string(info.jsonName) + "\": [";
        const auto& entries = w.list(info.list).entries;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            o += i == 0 ? "\n" : ",\n";
            o += "      {\"text\": \"";
            appendJsonEscaped(o, entries[i].text);
            o += "\", \"colour\": ";
            o += std::to_string(entries[i].colour);
            o += '}';
            pieces.spill();
        }
        o += entries.empty() ? "]" : "\n    ]";
    }
    o += "\n  },\n";
    o += "  \"displays\": {\"progress\": " + std::to_string(w.progress()) +
         ", \"itemCount\": " + std::to_string(w.display(NumberDisplay::ItemCount)) +
         ", \"lowestLevel\": " + std::to_string(w.display(NumberDisplay::LowestLevel)) +
         ", \"squareSteps\": " + std::to_string(w.display(NumberDisplay::SquareSteps)) +
         ", \"grandTotal\": " + std::to_string(w.display(NumberDisplay::GrandTotal)) + "},\n";
    o += "  \"lamps\": {";
    for (std::size_t i = 0; i < kLamps.size(); ++i) {
        const auto& lamp = w.lamp(kLamps[i].first);
        o += i == 0 ? "\n" : ",\n";
        o += "    \"" + std::string(kLamps[i].second) +
             "\": {\"lit\": " + (lamp.on ? "true" : "false") +
             ", \"colour\": " + std::to_string(lamp.colour) + "}";
    }
    o += "\n  },\n";
    o += "  \"sums\": {\"itemSumHZ\": " + std::to_string(s.itemSumHZ) +
         ", \"itemSumNHZ\": " + std::to_string(s.itemSumNHZ) +
         ", \"waterFlatFee\": " + std::to_string(s.waterFlatFee) +
         ", \"basementFlatFee\": " + std::to_string(s.basementFlatFee) +
         ", \"squareStepFee\": " + std::to_string(s.squareStepFee) +
         ", \"grandTotal\": " + std::to_string(s.grandTotal) + "},\n";
    o += "  \"breakdown\": " + breakdownJson(s.breakdown) + ",\n";
    o += "  \"spawnCount\": " + std::to_string(s.spawnCount) + ",\n";
    o += std::string("  \"billReady\": ") + (s.billReady ? "true" : "false") + ",\n";
    o += "  \"messages\": [";
    const auto& messages = w.messages();
    for (std::size_t i = 0; i < messages.size(); ++i) {
        const auto& m = messages[i];
        o += i == 0 ? "\n" : ",\n";
        o += std::string("    {\"kind\": \"") + kindName(m.kind) +
             "\", \"title\": " + jsonString(m.title) + ", \"text\": " + jsonString(m.text) +
             ", \"answer\": " +
             (m.answer ? (*m.answer == Answer::Yes ? "\"yes\"" : "\"no\"") : "null") + "}";
    }
    o += messages.empty() ? "],\n" : "\n  ],\n";
    o += "  \"items\": [";
    jsonItems(result.items, pieces);
    o += "]\n}\n";
    return pieces.finish();
}

std::string jsonReport(const CalcResult& result)
{
    return wholeReport(result, writeJsonReport);
}

bool writeTextReport(const CalcResult& result, const ReportWrite& write)
{
    const RecordingObserver& w = result.window;
    Pieces pieces(write);
    std::string& o = pieces.text();
    auto section = [&](const ListInfo& info) {
        o += listCaption(info.list);
        o += "\n";
        const auto& entries = w.list(info.list).entries;
        if (entries.empty()) {
            o += "  (leer)\n";
        }
        for (const auto& e : entries) {
            o += "  ";
            o += e.text;
            o += "\n";
            pieces.spill();
        }
        o += "\n";
    };
    for (const auto& info : kLists) {
        if (info.list != ResultList::Bill) {
            section(info);
        }
    }
    o += "Anzeigen\n";
    o += "  Fortschritt:                  " + std::to_string(w.progress()) + " %\n";
    o += "  Anzahl Items:                 " + std::to_string(w.display(NumberDisplay::ItemCount)) +
         "\n";
    o +=
        "  Niedrigstes Item auf Pos Z:   " + std::to_string(w.display(NumberDisplay::LowestLevel)) +
        "\n";
    o +=
        "  Ermittelte QS:                " + std::to_string(w.display(NumberDisplay::SquareSteps)) +
        "\n";
    o += "  Zu zahlende Gesamtsumme:      " + std::to_string(w.display(NumberDisplay::GrandTotal)) +
         "\n\n";
    section(kLists.back());
    for (const auto& m : w.messages()) {
        o += std::string("Meldung (") + kindName(m.kind) + ") " + m.title + ": ";
        for (const char c : m.text) {
            if (c != '\r') {
                o += c;
            }
        }
        if (m.answer) {
            o += *m.answer == Answer::Yes ? " -> Ja" : " -> Nein";
        }
        o += "\n";
    }
    o += "Ergebnis: " + result.outcome + "\n";
    return pieces.finish();
}

std::string textReport(const CalcResult& result)
{
    return wholeReport(result, writeTextReport);
}

} // namespace tarvek
