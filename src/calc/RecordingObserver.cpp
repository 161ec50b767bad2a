#include "calc/RecordingObserver.h"

namespace tarvek {

RecordingObserver::RecordingObserver() = default;

void RecordingObserver::appendLine(ResultList list, std::string_view utf8Text, Colour colour)
{
    m_lists[index(list)].entries.push_back({std::string(utf8Text), colour});
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
        out.push_back(e.text);
    }
    return out;
}

} // namespace tarvek
