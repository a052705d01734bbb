#pragma once

#include "fractions/slot_values.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <variant>

namespace quorrel::ui {
class Canvas;
class Dialogs;
} // namespace quorrel::ui

namespace quorrel::exercises {

// The answer conditions of the exercises: a lesson states one of the forms
// below where it asks; a scene script's text is parsed into one once, and
// then evaluated on every check.

enum class Part : std::uint8_t { numerator, denominator };
enum class Operation : std::uint8_t { sum, difference, product, quotient };

struct Never {
    friend bool operator==(Never, Never) = default;
};

struct ShowsExactly {
    int slot;
    int num;
    int den;

    friend bool operator==(const ShowsExactly&, const ShowsExactly&) = default;
};

// As ShowsExactly, for an answer the lesson has just shown how to reach: the
// right value in another form earns the reminder to write it in lowest terms.
struct ExactForm {
    int slot;
    int num;
    int den;

    friend bool operator==(const ExactForm&, const ExactForm&) = default;
};

struct PartIs {
    int slot;
    Part part;
    int value;

    friend bool operator==(const PartIs&, const PartIs&) = default;
};

// `answer` shows the numerals of `given`, whatever form each is drawn in.
struct SameNumerals {
    int answer;
    int given;

    friend bool operator==(const SameNumerals&, const SameNumerals&) = default;
};

// `answer` shows `given` with numerator and denominator both multiplied by
// the `part` of slot `by`.
struct Expanded {
    int answer;
    int given;
    int by;
    Part part;

    friend bool operator==(const Expanded&, const Expanded&) = default;
};

struct Equivalent {
    int first;
    int second;

    friend bool operator==(const Equivalent&, const Equivalent&) = default;
};

// `answer` is `given` in lowest terms; equivalent but not reduced far
// enough earns a message.
struct ReducedForm {
    int given;
    int answer;

    friend bool operator==(const ReducedForm&, const ReducedForm&) = default;
};

// `answer` is `given` with numerator and denominator divided by the
// numerator (above 1) of slot `by`, as asked, even where that leaves it
// unreduced; or else `given` in lowest terms, as for ReducedForm.
struct ReducedBy {
    int given;
    int answer;
    int by;

    friend bool operator==(const ReducedBy&, const ReducedBy&) = default;
};

// `result` = `left` op `right`, except that a difference is `right` - `left`:
// scene scripts written with the authoring window rely on that order.
struct Arithmetic {
    Operation op;
    int result;
    int left;
    int right;

    friend bool operator==(const Arithmetic&, const Arithmetic&) = default;
};

// How the reminder to reduce is laid out: after a sum it ends with a
// paragraph break and the message box's pen moves down past the box; after a
// product or quotient it is framed by paragraph breaks.
enum class Reminder : std::uint8_t { after_sum, framed };

// The arithmetic holds and its result is in lowest terms.
struct ReducedArithmetic {
    Arithmetic arithmetic;
    Reminder reminder;

    friend bool operator==(const ReducedArithmetic&, const ReducedArithmetic&) = default;
};

using Condition = std::variant<Never, ShowsExactly, ExactForm, PartIs, SameNumerals, Expanded, Equivalent,
                               ReducedForm, ReducedBy, Arithmetic, ReducedArithmetic>;

// The text "condition R A op B" with whole slot numbers and op one of
// + - * /. Empty for anything else; such a condition never holds.
std::optional<Condition> parse_condition(std::string_view text);

// Where a check's messages go: modal boxes, and the message box whose pen a
// reminder moves.
struct ConditionEffects {
    ui::Dialogs& dialogs;
    ui::Canvas& message_box;
};

bool evaluate(const Condition& condition, const fractions::SlotValues& values, const ConditionEffects& effects);

// Parses and evaluates; a runner that checks repeatedly parses once instead.
bool check_condition(std::string_view text, const fractions::SlotValues& values, const ConditionEffects& effects);

} // namespace quorrel::exercises
