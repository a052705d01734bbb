#pragma once

#include "fractions/fraction.h"
#include "fractions/geometry.h"
#include "ui/color.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <optional>

namespace quorrel::fractions {

inline constexpr int slot_count = 11;

struct SlotState {
    bool circle_mode = false; // pizzas as well as the stick
    bool mixed_mode = false;  // numeral as a mixed number
    RulerSide ruler_side = RulerSide::above;
    ui::Color bar_color = ui::colors::fraction_blue;
    // The last pair the learner's input was allowed to set; too long a stick
    // snaps back to it.
    int last_num = 1;
    int last_den = 1;
    // While set, the learner's input cannot change the slot (a drill's
    // question): the value it keeps.
    std::optional<Fraction> locked;
};

// How each slot shows its value, apart from any control: reads of a bad
// index give the start-up state, writes to it are ignored.
class SlotModes {
public:
    void init_tables() { states_.fill(SlotState{}); }

    const SlotState& state(int i) const
    {
        static const SlotState start_up{};
        return in_range(i) ? states_[std::size_t(i)] : start_up;
    }
    SlotState* mutable_state(int i) { return in_range(i) ? &states_[std::size_t(i)] : nullptr; }

    double unit_length() const { return unit_length_; }
    // The most rows a stick on show may take, when the screen has room for
    // no more (see Board::set_unit_length).
    std::optional<int> most_rows() const { return most_rows_; }
    // False, and nothing changed, for a length that is not positive or a
    // row limit under 1.
    bool set_unit_length(double length, std::optional<int> most_rows = std::nullopt)
    {
        if (!(length > 0) || !std::isfinite(length) || (most_rows && *most_rows < 1))
            return false;
        unit_length_ = length;
        most_rows_ = most_rows;
        return true;
    }

    static constexpr bool in_range(int i) { return i >= 0 && i < slot_count; }

private:
    std::array<SlotState, slot_count> states_{};
    double unit_length_ = 120;
    std::optional<int> most_rows_;
};

} // namespace quorrel::fractions
