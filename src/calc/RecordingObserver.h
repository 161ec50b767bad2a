#pragma once

#include "calc/RunObserver.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvek {

// An observer that keeps what the main window would show: the six lists with their selection,
// the lamps (starting as on a newly created window: off, on-colour lime), the displays, every
// message and question. Answers questions with a set answer and can request a cancel. Used by
// tarvek-calc, the tests and the fuzz targets.
class RecordingObserver : public RunObserver
{
public:
    struct Entry
    {
        std::string_view text; // UTF-8, valid as long as its list is not cleared
        Colour colour = 0;
        bool operator==(const Entry&) const = default;
    };
    // The entries of a list, their texts kept together in large blocks: a hostile file can make
    // a list of millions of short lines, and a string of its own for each would take more memory
    // than the file (and a single growing buffer twice that while it grows).
    class Entries
    {
    public:
        class const_iterator
        {
        public:
            using iterator_category = std::input_iterator_tag; // an entry is made when read
            using value_type = Entry;
            using difference_type = std::ptrdiff_t;
            using pointer = void;
            using reference = Entry;
            const_iterator() = default;
            const_iterator(const Entries* list, std::size_t index) : m_list(list), m_index(index) {}
            Entry operator*() const { return (*m_list)[m_index]; }
            const_iterator& operator++()
            {
                ++m_index;
                return *this;
            }
            const_iterator operator++(int)
            {
                const_iterator before = *this;
                ++m_index;
                return before;
            }
            bool operator==(const const_iterator& other) const { return m_index == other.m_index; }

        private:
            const Entries* m_list = nullptr;
            std::size_t m_index = 0;
        };

        void push_back(std::string_view text, Colour colour);
        std::size_t size() const { return m_slots.size(); }
        bool empty() const { return m_slots.empty(); }
        Entry operator[](std::size_t index) const;
        Entry back() const { return (*this)[size() - 1]; }
        const_iterator begin() const { return {this, 0}; }
        const_iterator end() const { return {this, size()}; }

    private:
        struct Slot
        {
            std::uint32_t block;
            std::uint32_t offset;
            std::uint32_t length;
            Colour colour;
        };
        std::vector<std::string> m_blocks;
        std::deque<Slot> m_slots;
    };
    struct List
    {
        Entries entries;
        int selected = -1; // index of the selected entry, -1: none
    };
    struct LampState
    {
        bool on = false;
        Colour colour = kColourLampGreen;
    };
    struct Message
    {
        enum class Kind
        {
            Error,
            Information,
            Question
        } kind = Kind::Error;
        std::string title;
        std::string text;
        std::optional<Answer> answer; // questions only
    };

    RecordingObserver();

    // --- RunObserver
    void appendLine(ResultList list, std::string_view utf8Text, Colour colour) override;
    void selectLastEntry(ResultList list) override;
    void clearList(ResultList list) override;
    void setLampOn(Lamp lamp, bool on) override;
    void setLampColour(Lamp lamp, Colour colour) override;
    void setProgress(int percent) override;
    void setDisplay(NumberDisplay display, std::int64_t value) override;
    void Resetten() override;
    void schalterschalt(bool on) override;
    void showMessage(MessageKind kind, std::string_view title, std::string_view text) override;
    Answer askYesNo(std::string_view title, std::string_view text) override;
    FeeChoice feeChoice() override { return m_fees; }
    bool pump() override;
    std::size_t pumpEvery() const override { return m_pumpEvery; }

    // --- Set-up
    void setAnswer(Answer answer) { m_answer = answer; }
    void setFeeChoice(FeeChoice fees) { m_fees = fees; }
    // Called at every pump() with its running number (from 1); returning true sets the cancel
    // flag, which stays set (as CancelRequested does) until clearCancel().
    void setCancelHook(std::function<bool(std::uint64_t pumpNumber)> hook)
    {
        m_hook = std::move(hook);
    }
    void clearCancel() { m_cancel = false; }
    // Lets a run call pump() only every `lines` lines (1, the default: after every line).
    void setPumpEvery(std::size_t lines) { m_pumpEvery = lines; }

    // --- What was recorded
    const List& list(ResultList which) const { return m_lists[index(which)]; }
    std::vector<std::string> texts(ResultList which) const;
    const LampState& lamp(Lamp which) const { return m_lamps[static_cast<int>(which)]; }
    int progress() const { return m_progress; }
    std::int64_t display(NumberDisplay which) const { return m_displays[static_cast<int>(which)]; }
    const std::vector<Message>& messages() const { return m_messages; }
    std::uint64_t pumpCount() const { return m_pumps; }
    int resetCount() const { return m_resets; }
    // The last schalterschalt argument (true: idle look), and how often it was called.
    bool controlsIdle() const { return m_idle; }
    int switchCount() const { return m_switches; }

private:
    static int index(ResultList which) { return static_cast<int>(which) - 1; }

    std::array<List, 6> m_lists;
    std::array<LampState, 10> m_lamps; // by BLED number; 0 and 8 unused
    std::array<std::int64_t, 6> m_displays{};
    int m_progress = 0;
    std::vector<Message> m_messages;
    Answer m_answer = Answer::Yes;
    FeeChoice m_fees;
    std::function<bool(std::uint64_t)> m_hook;
    bool m_cancel = false;
    std::uint64_t m_pumps = 0;
    std::size_t m_pumpEvery = 1;
    int m_resets = 0;
    bool m_idle = true;
    int m_switches = 0;
};

} // namespace tarvek
