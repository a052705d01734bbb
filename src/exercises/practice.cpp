#include "exercises/practice.h"

#include "exercises/predicates.h"
#include "ui/controls.h"
#include "ui/platform.h"

#include <string>
#include <utility>

namespace quorrel::exercises {

using fractions::Fraction;

namespace {

constexpr std::string_view good = "Good. Check if the answer is reduced.";
constexpr std::string_view reduced = "It's reduced.";

// Whether `shown` has the value of `reference`. A reference that names no
// fraction (nothing dealt or recorded yet) accepts anything, so the screen
// works before a problem is dealt.
bool matches(const std::optional<Fraction>& reference, const std::optional<Fraction>& shown)
{
    return !reference || (shown && *shown == *reference);
}

// The smallest factor above 1 of n, which is at least 2.
std::int64_t smallest_factor(std::int64_t n)
{
    for (std::int64_t k = 2; k * k <= n; ++k) {
        if (n % k == 0)
            return k;
    }
    return n;
}

std::string reduced_verdict(const std::optional<Fraction>& fraction, const std::optional<Fraction>& answer)
{
    if (fraction && fraction->num() == fraction->den() && fraction->den() >= 2)
        return "Try again.";
    if (!fraction || !matches(answer, fraction))
        return "Not equivalent. Try again.";
    if (fraction->num() == 1 || fraction->den() == 1)
        return std::string(reduced);
    if (fraction->reduced().den() == 1)
        return "Try again: the fraction reduces to a whole number.";
    // Any common factor counts, however large: 7/14 is not reduced.
    const std::int64_t common = fractions::gcd(fraction->num(), fraction->den());
    if (common == 1)
        return std::string(reduced);
    return std::to_string(smallest_factor(common)) + " is a common factor. Try again.";
}

} // namespace

Practice::Practice(const fractions::SlotValues& values, ui::TextBox& message, ui::Random& random, ShowFraction show_fraction)
    : values_(values), message_(message), random_(random), show_fraction_(std::move(show_fraction))
{
}

void Practice::cmd_newprob_Click()
{
    message_.show();
    message_.set_text("Set the yellow fraction to the sum, product, or quotient of the blue fractions and click a "
                      "button to check your answer.");
    new_problem();
}

void Practice::new_problem()
{
    const auto draw = [this](int count, int low) {
        return static_cast<std::int16_t>(static_cast<int>(count * random_.next()) + low);
    };
    const std::int16_t bottom_den = draw(8, 2);
    const std::int16_t top_den = draw(8, 2);
    const std::int16_t bottom_num = draw(4, 3);
    const std::int16_t top_num = draw(3, 3);
    // Denominators from 2 up: both always name a fraction.
    deal(*Fraction::make(top_num, top_den), *Fraction::make(bottom_num, bottom_den));
}

void Practice::deal(Fraction top, Fraction bottom)
{
    const Fraction one = *Fraction::make(1, 1);
    top_ = top;
    bottom_ = bottom;
    answer_ = one;
    show_fraction_(0, top);
    show_fraction_(1, bottom);
    show_fraction_(2, one);
}

void Practice::check_sum(int a, int b, int c)
{
    record_answer(c);
    if (!matches(top_, values_.value(a)))
        verdict("sum", c, "top fraction rewritten incorrectly. Try again");
    else if (!matches(bottom_, values_.value(b)))
        verdict("sum", c, "bottom fraction rewritten incorrectly. Try again");
    else if (!isfracsum(values_, a, b, c))
        verdict("sum", c, "Added incorrectly. Try again");
    else
        verdict("sum", c, good);
}

void Practice::check_product(int a, int b, int c)
{
    record_answer(c);
    verdict("product", c, isfracproduct(values_, a, b, c) ? good : "Try again. ");
}

void Practice::check_quotient(int a, int b, int c)
{
    record_answer(c);
    verdict("quotient", c, isfracquotient(values_, a, b, c) ? good : "Try again. ");
}

void Practice::check_reduced(int slot) { verdict("reduced", slot, reduced_verdict(values_.value(slot), answer_)); }

void Practice::verdict(std::string_view kind, int slot, std::string_view message)
{
    show_feedback(message);
    const auto text = [](const std::optional<Fraction>& f) {
        return f ? std::to_string(f->num()) + "/" + std::to_string(f->den()) : std::string("?");
    };
    const bool right = message == good || message == reduced;
    recorder_->record(progress::Lesson4Check{std::string(kind), text(top_) + " and " + text(bottom_),
                                             text(values_.value(slot)),
                                             right ? progress::Verdict::right : progress::Verdict::wrong});
}

void Practice::show_feedback(std::string_view message) { message_.set_text("   " + std::string(message)); }

void Practice::record_answer(int slot) { answer_ = values_.value(slot); }

void Practice::clear()
{
    top_.reset();
    bottom_.reset();
    answer_.reset();
    message_.set_text("");
}

} // namespace quorrel::exercises
