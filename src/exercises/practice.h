#pragma once

#include "fractions/fraction.h"
#include "fractions/slot_values.h"
#include "progress/events.h"

#include <functional>
#include <optional>
#include <string_view>

namespace quorrel::ui {
class Random;
class TextBox;
} // namespace quorrel::ui

namespace quorrel::exercises {

// Free practice in fraction arithmetic: two blue fractions (slots 0 and 1)
// are dealt, the learner sets the yellow one (slot 2) to their sum, product
// or quotient, and each button's verdict goes to the message text box.
class Practice {
public:
    // Sets and redraws a slot.
    using ShowFraction = std::function<void(int slot, fractions::Fraction value)>;

    Practice(const fractions::SlotValues& values, ui::TextBox& message, ui::Random& random, ShowFraction show_fraction);
    Practice(const Practice&) = delete;
    Practice& operator=(const Practice&) = delete;

    // Where each check and its verdict is reported.
    void set_recorder(progress::Recorder& recorder) { recorder_ = &recorder; }

    void cmd_newprob_Click();
    void cmd_checksum_Click() { check_sum(0, 1, 2); }
    void cmd_checkproduct_Click() { check_product(0, 1, 2); }
    void cmd_checkquotient_Click() { check_quotient(0, 1, 2); }
    void cmd_checkreduced_Click() { check_reduced(2); }

    // Deals two random fractions; deal() sets a chosen pair.
    void new_problem();
    void deal(fractions::Fraction top, fractions::Fraction bottom);

    void check_sum(int a, int b, int c);
    void check_product(int a, int b, int c);
    void check_quotient(int a, int b, int c);
    // Accepts only a fraction equivalent to the answer of the last
    // arithmetic check, and names a common factor when one is left.
    void check_reduced(int slot);
    void show_feedback(std::string_view message);
    // Forgets the problem, the checked answer and the verdict, as a new
    // visit to the practice screen must.
    void clear();

    // As dealt (nothing before the first problem), and the answer as it stood
    // at the last arithmetic check (nothing before any, or when that slot held
    // no fraction). A reference that is nothing accepts any answer, so the
    // screen works before a problem is dealt.
    std::optional<fractions::Fraction> top() const { return top_; }
    std::optional<fractions::Fraction> bottom() const { return bottom_; }
    std::optional<fractions::Fraction> answer() const { return answer_; }

private:
    void record_answer(int slot);
    // Shows the verdict on slot `slot`'s fraction and reports the check.
    void verdict(std::string_view kind, int slot, std::string_view message);

    const fractions::SlotValues& values_;
    ui::TextBox& message_;
    ui::Random& random_;
    ShowFraction show_fraction_;
    std::optional<fractions::Fraction> top_;
    std::optional<fractions::Fraction> bottom_;
    std::optional<fractions::Fraction> answer_;
    progress::NullRecorder no_recorder_;
    progress::Recorder* recorder_ = &no_recorder_;
};

} // namespace quorrel::exercises
