#include "calc/RecordingObserver.h"

#include <algorithm>

namespace tarvek {

namespace {

// The size of the blocks that hold a list's texts; a longer text gets a block of its own.
constexpr std::size_t kBlock = std::size_t(1) << 20;

} // namespace

void RecordingObserver::Entries::push_back(std::string_view text, Colour colour)
{
    if (m_blocks.empty() || m_blocks.back().capacity() - m_blocks.back().size() < text.size()) {
        m_blocks.emplace_back().reserve(std::max(kBlock, text.size()));
    }
    std::string& block = m_blocks.back();
    m_slots.push_back({static_cast<std::uint32_t>(m_blocks.size() - 1),
                       static_cast<std::uint32_t>(block.size()),
                       static_cast<std::uint32_t>(text.size()), colour});
    block.append(text);
}

RecordingObserver::Entry RecordingObserver::Entries::operator[](std::size_t index) const
{
    const Slot& slot = m_slots[index];
    return {std::string_view(m_blocks[slot.block]).substr(slot.offset, slot.length), slot.colour};
}

RecordingObserver::RecordingObserver() = default;

void RecordingObserver::appendLine(ResultList list, std::string_view utf8Text, Colour colour)
{
    m_lists[index(list)].entries.push_back(utf8Text, colour);
}

void RecordingObserver::selectLastEntry(ResultList list)
{
    auto& l = m_lists[index(list)];
    l.selected = static_cast<int>(l.entries.size()) - 1;
}

void RecordingObserver::clearList(ResultList list)
{
    m_lists[index(list)] = List{};
}

void RecordingObserver::setLampOn(Lamp lamp, bool on)
{
    m_lamps[static_cast<int>(lamp)].on = on;
}

void RecordingObserver::setLampColour(Lamp lamp, Colour colour)
{
    m_lamps[static_cast<int>(lamp)].colour = colour;
}

void RecordingObserver::setProgress(int percent)
{
    m_progress = percent < 0 ? 0 : (percent > 100 ? 100 : percent);
}

void RecordingObserver::setDisplay(NumberDisplay display, std::int64_t value)
{
    m_displays[static_cast<int>(display)] = value;
}

void RecordingObserver::Resetten()
{
    ++m_resets;
    for (auto& lamp : m_lamps) {
        lamp.colour = kColourLampGrey;
    }
    m_progress = 0;
    m_displays.fill(0);
    for (auto& list : m_lists) {
        list = List{};
    }
}

void RecordingObserver::schalterschalt(bool on)
{
    m_idle = on;
    ++m_switches;
}

void RecordingObserver::showMessage(MessageKind kind, std::string_view title, std::string_view text)
{
    Message m;
    m.kind = kind == MessageKind::Error ? Message::Kind::Error : Message::Kind::Information;
    m.title = title;
    m.text = text;
    m_messages.push_back(std::move(m));
}

Answer RecordingObserver::askYesNo(std::string_view title, std::string_view text)
{
    Message m;
    m.kind = Message::Kind::Question;
    m.title = title;
    m.text = text;
    m.answer = m_answer;
    m_messages.push_back(std::move(m));
    return m_answer;
}

bool RecordingObserver::pump()
{
    ++m_pumps;
    if (m_hook && !m_cancel && m_hook(m_pumps)) {
        m_cancel = true;
    }
    return m_cancel;
}

std::vector<std::string> RecordingObserver::texts(ResultList which) const
{
    std::vector<std::string> out;
    for (const auto& e : list(which).entries) {
        out.emplace_back(e.text);
    }
    return out;
}

} // namespace tarvek
