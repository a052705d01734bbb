#pragma once

#include "exercises/slots.h"

#include <functional>
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
    using ShowFraction = std::function<void(int slot, int num, int den)>;

    Practice(const SlotValues& values, ui::TextBox& message, ui::Random& random, ShowFraction show_fraction);
    Practice(const Practice&) = delete;
    Practice& operator=(const Practice&) = delete;

    void cmd_newprob_Click();
    void cmd_checksum_Click() { check_sum(0, 1, 2); }
    void cmd_checkproduct_Click() { check_product(0, 1, 2); }
    void cmd_checkquotient_Click() { check_quotient(0, 1, 2); }
    void cmd_checkreduced_Click() { check_reduced(2); }

    // Deals two random fractions; deal() sets a chosen pair.
    void new_problem();
    void deal(Numerals top, Numerals bottom);

    void check_sum(int a, int b, int c);
    void check_product(int a, int b, int c);
    void check_quotient(int a, int b, int c);
    // Accepts only a fraction equivalent to the answer of the last
    // arithmetic check, and names a common factor when one is left.
    void check_reduced(int slot);
    void show_feedback(std::string_view message);

    // As dealt (0/0 before the first problem), and the answer as it stood at
    // the last arithmetic check (0/0 before any).
    int top_num() const { return top_.num; }
    int top_den() const { return top_.den; }
    int bottom_num() const { return bottom_.num; }
    int bottom_den() const { return bottom_.den; }
    int answer_num() const { return answer_.num; }
    int answer_den() const { return answer_.den; }

private:
    void record_answer(int slot);

    const SlotValues& values_;
    ui::TextBox& message_;
    ui::Random& random_;
    ShowFraction show_fraction_;
    Numerals top_;
    Numerals bottom_;
    Numerals answer_;
};

} // namespace quorrel::exercises
