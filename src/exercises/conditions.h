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

struct Never {};

struct ShowsExactly {
    int slot;
    int num;
    int den;
};

// As ShowsExactly, for an answer the lesson has just shown how to reach: the
// right value in another form earns the reminder to write it in lowest terms.
struct ExactForm {
    int slot;
    int num;
    int den;
};

struct PartIs {
    int slot;
    Part part;
    int value;
};

// `answer` shows the numerals of `given`, whatever form each is drawn in.
struct SameNumerals {
    int answer;
    int given;
};

// `answer` shows `given` with numerator and denominator both multiplied by
// the `part` of slot `by`.
struct Expanded {
    int answer;
    int given;
    int by;
    Part part;
};

struct Equivalent {
    int first;
    int second;
};

// `answer` is `given` in lowest terms; equivalent but not reduced far
// enough earns a message.
struct ReducedForm {
    int given;
    int answer;
};

// `answer` is `given` with numerator and denominator divided by the
// numerator (above 1) of slot `by`, as asked, even where that leaves it
// unreduced; or else `given` in lowest terms, as for ReducedForm.
struct ReducedBy {
    int given;
    int answer;
    int by;
};

// `result` = `left` op `right`, except that a difference is `right` - `left`:
// scene scripts written with the authoring window rely on that order.
struct Arithmetic {
    Operation op;
    int result;
    int left;
    int right;
};

// How the reminder to reduce is laid out: after a sum it ends with a
// paragraph break and the message box's pen moves down past the box; after a
// product or quotient it is framed by paragraph breaks.
enum class Reminder : std::uint8_t { after_sum, framed };

// The arithmetic holds and its result is in lowest terms.
struct ReducedArithmetic {
    Arithmetic arithmetic;
    Reminder reminder;
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
