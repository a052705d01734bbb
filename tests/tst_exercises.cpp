#include "exercises/conditions.h"
#include "exercises/exercise.h"
#include "exercises/practice.h"
#include "exercises/predicates.h"
#include "ui/canvas.h"
#include "ui/controls.h"
#include "ui/views/message_box.h"
#include "ui/platform.h"
#include "support/fakes.h"
#include "support/harness.h"

#include <QApplication>
#include <QMessageBox>
#include <QtTest>

#include <array>
#include <numeric>
#include <set>
#include <utility>
#include <vector>

using namespace quorrel;
using namespace quorrel::exercises;

namespace {

// Slots 0 to 10, all 1/1 but those a list such as "1/2 - 10/12" names
// ("-": that slot does not exist).
class FakeSlots final : public fractions::SlotValues {
public:
    explicit FakeSlots(const QString& list = {})
    {
        values_.fill(std::pair{1, 1});
        const QStringList items = list.split(' ', Qt::SkipEmptyParts);
        for (int i = 0; i < items.size(); ++i) {
            const QStringList parts = items[i].split('/');
            if (parts.size() == 2)
                set(i, parts[0].toInt(), parts[1].toInt());
            else
                values_[i].reset();
        }
    }
    void set(int slot, int num, int den) { values_[slot] = std::pair{num, den}; }
    std::optional<fractions::Fraction> value(int slot) const override
    {
        if (slot < 0 || slot >= int(values_.size()) || !values_[slot])
            return std::nullopt;
        return fractions::Fraction::make(values_[slot]->first, values_[slot]->second);
    }

private:
    std::array<std::optional<std::pair<int, int>>, 11> values_;
};

using testing::RecordingDialogs;

QStringList texts(const RecordingDialogs& dialogs)
{
    QStringList list;
    for (const std::string& text : dialogs.messages)
        list.append(QString::fromStdString(text));
    return list;
}

// The reference: exact rationals in lowest terms with a positive
// denominator, so equal values are equal pairs.
struct Rational {
    std::int64_t n;
    std::int64_t d;
    friend bool operator==(const Rational&, const Rational&) = default;
};

std::optional<Rational> rational(std::int64_t n, std::int64_t d)
{
    if (d == 0)
        return std::nullopt;
    const std::int64_t g = std::gcd(n, d) * (d < 0 ? -1 : 1);
    return Rational{n / g, d / g};
}

// Every n/d with n and d in the ranges, but d = 0.
std::vector<std::pair<int, int>> numeral_pairs(int num_low, int num_high, int den_low, int den_high)
{
    std::vector<std::pair<int, int>> pairs;
    for (int n = num_low; n <= num_high; ++n) {
        for (int d = den_low; d <= den_high; ++d) {
            if (d != 0)
                pairs.emplace_back(n, d);
        }
    }
    return pairs;
}

bool apply(const QString& predicate, const fractions::SlotValues& s)
{
    if (predicate == "sum")
        return isfracsum(s, 0, 1, 2);
    if (predicate == "diff")
        return isfracdiff(s, 0, 1, 2);
    if (predicate == "product")
        return isfracproduct(s, 0, 1, 2);
    if (predicate == "quotient")
        return isfracquotient(s, 0, 1, 2);
    if (predicate == "equiv")
        return fracequiv(s, 0, 1);
    return isfracreduced(s, 0);
}

// A practice screen on fake slots; show_fraction writes them.
struct PracticeRig {
    explicit PracticeRig(std::uint64_t seed = 1) : random(ui::Random::fixed(seed)) {}
    FakeSlots fractions;
    ui::TextBox message{"tbox_message"};
    ui::Random random;
    QList<QList<int>> shown;
    Practice practice{fractions, message, random, [this](int slot, fractions::Fraction f) {
                          fractions.set(slot, int(f.num()), int(f.den()));
                          shown.append({slot, int(f.num()), int(f.den())});
                      }};
};

} // namespace

Q_DECLARE_METATYPE(quorrel::exercises::Condition)

class TestExercises : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void arithmeticMatchesExactRationals();
    void gcdReducedAndOrderMatchReference();
    void fractionArithmeticMatchesExactRationals();
    void fractionArithmeticAtTheEdges();
    void predicatesAtEdges_data();
    void predicatesAtEdges();
    void typedConditions_data();
    void typedConditions();
    void genericAndUnknownConditions_data();
    void genericAndUnknownConditions();
    void conditionMessages_data();
    void conditionMessages();
    void arithmeticChecks_data();
    void arithmeticChecks();
    void checkReduced_data();
    void checkReduced();
    void newProblemIsReproducibleAndInRange();

    void wrongAnswerFlashesAndWaitsAgain();
    void linkGivesUpOrPraisesACorrectedAnswer();
    void stopEndsADrillAfterItsExercise_data();
    void stopEndsADrillAfterItsExercise();
    void exercisesAfterAStopAreAsked();
    void questionTakesNoInputDuringADrill();
    void answerAutoAnswersEvenTheImpossible();
    void drillsNeverDealAWholeNumber();
    void drillEndsEvenWhenItsRangesHoldOnlyWholeNumbers();
    void conditionMessageBoxesAreModal();
};

void TestExercises::arithmeticMatchesExactRationals()
{
    using Predicate = bool (*)(const fractions::SlotValues&, int, int, int);
    using Reference = std::optional<Rational> (*)(Rational, Rational);
    struct Operation {
        const char* name;
        Predicate predicate;
        Reference reference;
    };
    const Operation operations[] = {
        {"isfracsum", isfracsum, [](Rational x, Rational y) { return rational(x.n * y.d + y.n * x.d, x.d * y.d); }},
        {"isfracdiff", isfracdiff, [](Rational x, Rational y) { return rational(y.n * x.d - x.n * y.d, x.d * y.d); }},
        {"isfracproduct", isfracproduct, [](Rational x, Rational y) { return rational(x.n * y.n, x.d * y.d); }},
        {"isfracquotient", isfracquotient, [](Rational x, Rational y) { return rational(x.n * y.d, x.d * y.n); }},
    };
    FakeSlots values;
    QString failure;
    const auto expect = [&](bool got, bool want, const char* name, std::int64_t n, std::int64_t d) {
        if (got != want && failure.isEmpty()) {
            failure = QString("%1 of %2/%3 %4/%5 %6/%7 is %8")
                          .arg(name)
                          .arg(values.value(0)->num()).arg(values.value(0)->den())
                          .arg(values.value(1)->num()).arg(values.value(1)->den())
                          .arg(n).arg(d)
                          .arg(got ? "true" : "false");
        }
    };
    const auto pairs = numeral_pairs(0, 20, 1, 20);
    for (const auto& [an, ad] : pairs) {
        for (const auto& [bn, bd] : pairs) {
            values.set(0, an, ad);
            values.set(1, bn, bd);
            const Rational a = *rational(an, ad);
            const Rational b = *rational(bn, bd);
            expect(fracequiv(values, 0, 1), a == b, "fracequiv", 0, 0);
            for (const Operation& op : operations) {
                const auto want = op.reference(a, b);
                // The result unreduced, the result one off, the other operand order, zero.
                std::array<std::optional<Rational>, 4> answers = {Rational{0, 1}, std::nullopt, std::nullopt,
                                                                  op.reference(b, a)};
                if (want) {
                    answers[1] = Rational{2 * want->n, 2 * want->d};
                    answers[2] = Rational{want->n + 1, want->d};
                }
                for (const auto& answer : answers) {
                    if (!answer)
                        continue;
                    values.set(2, int(answer->n), int(answer->d));
                    expect(op.predicate(values, 0, 1, 2), want && rational(answer->n, answer->d) == want, op.name,
                           answer->n, answer->d);
                }
            }
        }
    }
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

void TestExercises::gcdReducedAndOrderMatchReference()
{
    FakeSlots values;
    for (int n = -40; n <= 40; ++n) {
        for (int d = -40; d <= 40; ++d) {
            QCOMPARE(fractions::gcd(n, d), std::int64_t{std::gcd(n, d)});
            values.set(0, n, d);
            QCOMPARE(isfracreduced(values, 0), d != 0 && std::gcd(n, d) == 1);
            if (const auto f = fractions::Fraction::make(n, d)) {
                const Rational lowest = *rational(n, d);
                QCOMPARE(f->reduced().num(), lowest.n);
                QCOMPARE(f->reduced().den(), lowest.d);
            }
        }
    }
    QCOMPARE(fractions::gcd(std::numeric_limits<std::int64_t>::min(), 6), std::int64_t{2});
    QCOMPARE(fractions::gcd(std::numeric_limits<std::int32_t>::min(), 0), std::int64_t{1} << 31);

    const auto pairs = numeral_pairs(-6, 6, -6, 6);
    for (const auto& [an, ad] : pairs) {
        for (const auto& [bn, bd] : pairs) {
            const double x = double(an) / ad;
            const double y = double(bn) / bd;
            const auto order = *fractions::Fraction::make(an, ad) <=> *fractions::Fraction::make(bn, bd);
            QVERIFY2((order < 0) == (x < y) && (order == 0) == (x == y),
                     qPrintable(QString("%1/%2 <=> %3/%4").arg(an).arg(ad).arg(bn).arg(bd)));
        }
    }
}

void TestExercises::fractionArithmeticMatchesExactRationals()
{
    using fractions::Fraction;
    struct Operation {
        const char* name;
        std::optional<Fraction> (*op)(Fraction, Fraction);
        std::optional<Rational> (*reference)(Rational, Rational);
    };
    const Operation operations[] = {
        {"+", [](Fraction x, Fraction y) { return x + y; },
         [](Rational x, Rational y) { return rational(x.n * y.d + y.n * x.d, x.d * y.d); }},
        {"-", [](Fraction x, Fraction y) { return x - y; },
         [](Rational x, Rational y) { return rational(x.n * y.d - y.n * x.d, x.d * y.d); }},
        {"*", [](Fraction x, Fraction y) { return x * y; },
         [](Rational x, Rational y) { return rational(x.n * y.n, x.d * y.d); }},
        {"/", [](Fraction x, Fraction y) { return x / y; },
         [](Rational x, Rational y) { return rational(x.n * y.d, x.d * y.n); }},
    };
    const auto pairs = numeral_pairs(-12, 12, -12, 12);
    for (const auto& [an, ad] : pairs) {
        for (const auto& [bn, bd] : pairs) {
            const Fraction a = *Fraction::make(an, ad);
            const Fraction b = *Fraction::make(bn, bd);
            for (const Operation& op : operations) {
                const auto got = op.op(a, b);
                const auto want = op.reference(*rational(an, ad), *rational(bn, bd));
                // Results come in lowest terms, so equal values are equal pairs.
                const bool same = got.has_value() == want.has_value() &&
                                  (!got || (got->num() == want->n && got->den() == want->d));
                QVERIFY2(same, qPrintable(QString("%1/%2 %3 %4/%5").arg(an).arg(ad).arg(op.name).arg(bn).arg(bd)));
            }
        }
    }
}

void TestExercises::fractionArithmeticAtTheEdges()
{
    using fractions::Fraction;
    constexpr std::int64_t top = std::numeric_limits<std::int64_t>::max();
    const Fraction tiny = *Fraction::make(1, std::numeric_limits<std::int32_t>::max());
    const Fraction huge = *Fraction::make64(top, 1);
    // 1/(2^31 - 1) squared fits; its square does not, and says so.
    const auto square = tiny * tiny;
    QVERIFY(square);
    QVERIFY(!(*square * *square));
    QVERIFY(!(huge + huge));
    QVERIFY(!(-huge - huge));
    QCOMPARE(*(huge - huge), *Fraction::make(0, 1));
    QCOMPARE((huge * *Fraction::make64(1, top))->den(), 1);
    QVERIFY(!(huge / *Fraction::make(0, 5)));
    // Cancelling before multiplying keeps a result that fits.
    QCOMPARE(*(huge * *Fraction::make64(2, top)), *Fraction::make(2, 1));
    QVERIFY(!Fraction::make64(std::numeric_limits<std::int64_t>::min(), 1));
    QVERIFY(!Fraction::make64(1, 0));
    // Comparison never wraps, however large the terms.
    QVERIFY(*Fraction::make64(top, top - 1) < *Fraction::make64(top - 1, top - 2));
    QVERIFY(*Fraction::make64(top - 1, top) < *Fraction::make64(top, top - 1));
    QVERIFY(Fraction::make(2, 4)->same_numerals(*Fraction::make(-2, -4)));
    QVERIFY(!Fraction::make(2, 4)->same_numerals(*Fraction::make(1, 2)));
}

void TestExercises::predicatesAtEdges_data()
{
    QTest::addColumn<QString>("values");
    QTest::addColumn<QString>("predicate");
    QTest::addColumn<bool>("holds");
    QTest::newRow("largest sum") << "32767/2 32767/2 32767/1" << "sum" << true;
    QTest::newRow("largest sum to one") << "1/32767 32766/32767 32767/32767" << "sum" << true;
    QTest::newRow("largest sum one off") << "1/32767 32766/32767 32766/32767" << "sum" << false;
    QTest::newRow("largest difference") << "1/32767 32767/32767 32766/32767" << "diff" << true;
    QTest::newRow("difference is second minus first") << "32767/32767 1/32767 32766/32767" << "diff" << false;
    QTest::newRow("largest product") << "32767/32766 32766/32767 32767/32767" << "product" << true;
    QTest::newRow("largest product off") << "32767/32766 32766/32767 32766/32767" << "product" << false;
    QTest::newRow("largest quotient") << "32767/2 32767/1 1/2" << "quotient" << true;
    QTest::newRow("quotient is first over second") << "32767/1 32767/2 1/2" << "quotient" << false;
    QTest::newRow("largest near miss") << "32767/32766 32766/32765" << "equiv" << false;
    QTest::newRow("largest reduced") << "32767/32766" << "reduced" << true;
    QTest::newRow("largest not reduced") << "32767/7" << "reduced" << false;
    QTest::newRow("negative denominator sum") << "1/-2 1/2 0/1" << "sum" << true;
    QTest::newRow("negative denominator equiv") << "-1/-2 1/2" << "equiv" << true;
    QTest::newRow("zero of five") << "0/5" << "reduced" << false;
    QTest::newRow("zero of one") << "0/1" << "reduced" << true;
    QTest::newRow("whole") << "7/1" << "reduced" << true;
    QTest::newRow("no denominator, reduced") << "1/0" << "reduced" << false;
    QTest::newRow("no denominators, sum") << "1/0 1/0 1/0" << "sum" << false;
    QTest::newRow("no denominator, product") << "0/0 5/7 0/1" << "product" << false;
    QTest::newRow("no denominator, equiv") << "0/0 0/0" << "equiv" << false;
    QTest::newRow("zero over zero") << "0/1 0/1 5/7" << "quotient" << false;
    QTest::newRow("zero over three quarters") << "0/1 3/4 0/1" << "quotient" << true;
    QTest::newRow("missing operand") << "- 1/2 1/2" << "equiv" << false;
    QTest::newRow("missing result") << "1/2 1/3 -" << "product" << false;
}

void TestExercises::predicatesAtEdges()
{
    QFETCH(QString, values);
    QFETCH(QString, predicate);
    QFETCH(bool, holds);
    QCOMPARE(apply(predicate, FakeSlots(values)), holds);
}

void TestExercises::typedConditions_data()
{
    QTest::addColumn<Condition>("condition");
    QTest::addColumn<QString>("holding");
    QTest::addColumn<QString>("failing");
    QTest::newRow("shows exactly") << Condition{ShowsExactly{1, 4, 11}} << "1/1 4/11" << "1/1 8/22";
    QTest::newRow("shows exactly, other slot") << Condition{ShowsExactly{1, 7, 11}} << "1/1 7/11" << "7/11 1/1";
    QTest::newRow("exact form") << Condition{ExactForm{2, 3, 2}} << "1/1 1/1 3/2" << "1/1 1/1 2/3";
    QTest::newRow("same numerals") << Condition{SameNumerals{0, 1}} << "3/5 3/5" << "3/5 6/10";
    QTest::newRow("same numerals, the other way") << Condition{SameNumerals{1, 0}} << "7/4 7/4" << "7/4 7/5";
    QTest::newRow("denominator is") << Condition{PartIs{0, Part::denominator, 45}} << "7/45" << "45/7";
    QTest::newRow("numerator is") << Condition{PartIs{0, Part::numerator, 30}} << "30/7" << "7/30";
    QTest::newRow("expanded by a numerator") << Condition{Expanded{1, 0, 2, Part::numerator}} << "2/3 6/9 3/1"
                                             << "2/3 4/6 3/1";
    QTest::newRow("expanded by a denominator")
        << Condition{Expanded{0, 3, 4, Part::denominator}} << "8/20 1/1 1/1 2/5 1/4" << "4/10 1/1 1/1 2/5 1/4";
    QTest::newRow("reduced by a numerator") << Condition{ReducedBy{0, 1, 2}} << "10/12 5/6" << "10/12 5/7";
    QTest::newRow("lowest terms") << Condition{ReducedForm{0, 1}} << "6/9 2/3" << "6/9 3/2";
    QTest::newRow("equivalent") << Condition{Equivalent{0, 1}} << "2/4 1/2" << "2/4 1/3";
    QTest::newRow("equivalent to no fraction") << Condition{Equivalent{0, 1}} << "3/9 1/3" << "3/9 1/0";
    QTest::newRow("equivalent to a missing slot") << Condition{Equivalent{0, 1}} << "5/5 1/1" << "- 1/1";
    QTest::newRow("reduced sum") << Condition{ReducedArithmetic{{Operation::sum, 2, 3, 4}, Reminder::after_sum}}
                                 << "1/1 1/1 13/20 2/5 1/4" << "1/1 1/1 13/21 2/5 1/4";
    QTest::newRow("reduced product") << Condition{ReducedArithmetic{{Operation::product, 2, 3, 4}, Reminder::framed}}
                                     << "1/1 1/1 1/10 2/5 1/4" << "1/1 1/1 1/9 2/5 1/4";
    QTest::newRow("reduced quotient")
        << Condition{ReducedArithmetic{{Operation::quotient, 2, 3, 4}, Reminder::framed}} << "1/1 1/1 8/5 2/5 1/4"
        << "1/1 1/1 5/8 2/5 1/4";
}

void TestExercises::typedConditions()
{
    QFETCH(Condition, condition);
    QFETCH(QString, holding);
    QFETCH(QString, failing);
    RecordingDialogs dialogs;
    ui::Canvas box(400, 300, ui::colors::white);
    const ConditionEffects effects{dialogs, box};
    QVERIFY(evaluate(condition, FakeSlots(holding), effects));
    QVERIFY(!evaluate(condition, FakeSlots(failing), effects));
    QCOMPARE(texts(dialogs), QStringList());
}

void TestExercises::genericAndUnknownConditions_data()
{
    QTest::addColumn<QString>("condition");
    QTest::addColumn<QString>("values");
    QTest::addColumn<bool>("holds");
    QTest::newRow("sum") << "condition 2 0 + 1" << "1/2 1/3 5/6" << true;
    QTest::newRow("sum unreduced") << "condition 2 0 + 1" << "1/2 1/3 10/12" << true;
    QTest::newRow("sum wrong") << "condition 2 0 + 1" << "1/2 1/3 2/5" << false;
    QTest::newRow("difference") << "condition 2 0 - 1" << "1/4 3/4 1/2" << true;
    QTest::newRow("difference reversed") << "condition 2 0 - 1" << "3/4 1/4 1/2" << false;
    QTest::newRow("product") << "condition 2 0 * 1" << "2/3 3/4 1/2" << true;
    QTest::newRow("quotient") << "condition 2 0 / 1" << "2/3 4/5 10/12" << true;
    QTest::newRow("quotient reversed") << "condition 2 1 / 0" << "2/3 4/5 10/12" << false;
    QTest::newRow("other values") << "condition 0 3 + 4" << "5/6 1/1 1/1 1/2 1/3" << true;
    QTest::newRow("unknown operator") << "condition 2 0 % 1" << "1/2 1/3 5/6" << false;
    QTest::newRow("slot x") << "condition x 0 + 1" << "1/2 1/3 5/6" << false;
    QTest::newRow("slot -1") << "condition 2 -1 + 1" << "1/2 1/3 5/6" << false;
    QTest::newRow("slot 11") << "condition 2 0 + 11" << "1/2 1/3 5/6" << false;
    QTest::newRow("slot 2.5") << "condition 2.5 0 + 1" << "1/2 1/3 5/6" << false;
    QTest::newRow("missing slot") << "condition 2 0 + 1" << "1/2 1/3 -" << false;
    QTest::newRow("too few words") << "condition 2 0 +" << "1/2 1/3 5/6" << false;
    // Blanks and tabs as a hand-written line may have them.
    QTest::newRow("trailing blank") << "condition 2 0 + 1 " << "1/2 1/3 5/6" << true;
    QTest::newRow("runs of blanks and tabs") << " condition  2\t0 +  1\t" << "1/2 1/3 5/6" << true;
    QTest::newRow("blanks around a wrong sum") << "condition 2 0 + 1  " << "1/2 1/3 2/5" << false;
    QTest::newRow("sixth word") << "condition 2 0 + 1 1" << "1/2 1/3 5/6" << false;
    QTest::newRow("capital") << "Condition 2 0 + 1" << "1/2 1/3 5/6" << false;
    QTest::newRow("never") << "000" << "1/1 1/1 1/1" << false;
    QTest::newRow("unknown name") << "1a9" << "1/1 4/11" << false;
    QTest::newRow("name and space") << "1a1 " << "1/1 4/11" << false;
    QTest::newRow("empty") << "" << "1/1 1/1 1/1" << false;
}

void TestExercises::genericAndUnknownConditions()
{
    QFETCH(QString, condition);
    QFETCH(QString, values);
    QFETCH(bool, holds);
    RecordingDialogs dialogs;
    ui::Canvas box(400, 300, ui::colors::white);
    QCOMPARE(check_condition(condition.toStdString(), FakeSlots(values), {dialogs, box}), holds);
}

void TestExercises::conditionMessages_data()
{
    const QString lowest = "Correct, but you need to rewrite your answer in lowest terms.";
    const QString para = "\r\n      ";
    const QString keep_on = "Reduced correctly but not completely. Keep on reducing!";
    const Condition by_numerator = ReducedBy{0, 1, 2};
    const Condition sum = ReducedArithmetic{{Operation::sum, 2, 3, 4}, Reminder::after_sum};
    QTest::addColumn<Condition>("condition");
    QTest::addColumn<QString>("values");
    QTest::addColumn<bool>("holds");
    QTest::addColumn<QString>("message");
    QTest::addColumn<double>("drop");
    QTest::newRow("reduced not far enough") << by_numerator << "10/12 10/12" << false << keep_on << 0.0;
    QTest::newRow("reduced") << by_numerator << "10/12 5/6" << true << "" << 0.0;
    // 6/12 divided by 3, as the drill asks, is 2/4: right, though not lowest terms.
    QTest::newRow("divided as asked") << by_numerator << "6/12 2/4 3/3" << true << "" << 0.0;
    QTest::newRow("divided by another") << by_numerator << "6/12 3/6 3/3" << false << keep_on << 0.0;
    QTest::newRow("divided too far") << by_numerator << "6/12 1/2 3/3" << true << "" << 0.0;
    QTest::newRow("lowest terms asked") << Condition{ReducedForm{0, 1}} << "6/12 2/4 3/3" << false << keep_on << 0.0;
    // 3a has just taught "add the numerators and keep the denominator".
    QTest::newRow("exact form as taught") << Condition{ExactForm{2, 3, 1}} << "5/3 4/3 9/3" << false << lowest << 0.0;
    QTest::newRow("exact form doubled") << Condition{ExactForm{2, 8, 3}} << "1/1 1/1 16/6" << false << lowest << 0.0;
    QTest::newRow("exact form lowest") << Condition{ExactForm{2, 3, 1}} << "5/3 4/3 3/1" << true << "" << 0.0;
    QTest::newRow("exact form wrong") << Condition{ExactForm{2, 3, 1}} << "5/3 4/3 9/6" << false << "" << 0.0;
    QTest::newRow("sum unreduced") << sum << "1/1 1/1 2/4 1/4 1/4" << false << lowest + para << 50.0;
    QTest::newRow("sum reduced") << sum << "1/1 1/1 1/2 1/4 1/4" << true << "" << 0.0;
    QTest::newRow("product unreduced") << Condition{ReducedArithmetic{{Operation::product, 2, 3, 4}, Reminder::framed}}
                                       << "1/1 1/1 2/6 1/2 2/3" << false << para + lowest + para << 0.0;
    QTest::newRow("quotient unreduced")
        << Condition{ReducedArithmetic{{Operation::quotient, 2, 3, 4}, Reminder::framed}} << "1/1 1/1 4/6 1/2 3/4"
        << false << para + lowest + para << 0.0;
}

void TestExercises::conditionMessages()
{
    QFETCH(Condition, condition);
    QFETCH(QString, values);
    QFETCH(bool, holds);
    QFETCH(QString, message);
    QFETCH(double, drop);
    RecordingDialogs dialogs;
    ui::Canvas box(400, 300, ui::colors::white);
    box.set_pen(box.pen_x(), 100);
    // Every check in that state shows the message again.
    for (int check = 1; check <= 2; ++check) {
        QCOMPARE(evaluate(condition, FakeSlots(values), {dialogs, box}), holds);
        QCOMPARE(texts(dialogs), message.isEmpty() ? QStringList() : QStringList(check, message));
        QCOMPARE(box.pen_y(), 100 + check * drop);
    }
}

void TestExercises::arithmeticChecks_data()
{
    const QString good = "Good. Check if the answer is reduced.";
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("dealt");
    QTest::addColumn<QString>("numerals");
    QTest::addColumn<QString>("message");
    QTest::newRow("sum rewritten") << "sum" << "3/4 5/6" << "9/12 10/12 19/12" << good;
    QTest::newRow("sum unreduced") << "sum" << "3/4 5/6" << "3/4 5/6 38/24" << good;
    QTest::newRow("sum top wrong") << "sum" << "3/4 5/6" << "8/12 10/12 18/12"
                                   << "top fraction rewritten incorrectly. Try again";
    QTest::newRow("sum bottom wrong") << "sum" << "3/4 5/6" << "9/12 11/12 20/12"
                                      << "bottom fraction rewritten incorrectly. Try again";
    QTest::newRow("sum wrong") << "sum" << "3/4 5/6" << "9/12 10/12 18/12" << "Added incorrectly. Try again";
    QTest::newRow("sum top without denominator") << "sum" << "3/4 5/6" << "0/0 5/6 5/6"
                                                 << "top fraction rewritten incorrectly. Try again";
    QTest::newRow("sum, nothing dealt") << "sum" << "" << "1/1 1/1 1/1" << "Added incorrectly. Try again";
    QTest::newRow("sum of ones, nothing dealt") << "sum" << "" << "1/1 1/1 2/1" << good;
    QTest::newRow("product unreduced") << "product" << "" << "3/2 4/9 12/18" << good;
    QTest::newRow("product wrong") << "product" << "" << "3/2 4/9 12/19" << "Try again. ";
    QTest::newRow("product without denominator") << "product" << "" << "0/0 5/7 0/1" << "Try again. ";
    QTest::newRow("quotient") << "quotient" << "" << "3/4 5/6 18/20" << good;
    QTest::newRow("quotient reversed") << "quotient" << "" << "3/4 5/6 20/18" << "Try again. ";
    QTest::newRow("zero over zero") << "quotient" << "" << "0/1 0/1 5/7" << "Try again. ";
}

void TestExercises::arithmeticChecks()
{
    QFETCH(QString, button);
    QFETCH(QString, dealt);
    QFETCH(QString, numerals);
    QFETCH(QString, message);
    PracticeRig rig;
    if (!dealt.isEmpty()) {
        const FakeSlots problem(dealt);
        rig.practice.deal(*problem.value(0), *problem.value(1));
    }
    rig.fractions = FakeSlots(numerals);
    if (button == "sum")
        rig.practice.cmd_checksum_Click();
    else if (button == "product")
        rig.practice.cmd_checkproduct_Click();
    else
        rig.practice.cmd_checkquotient_Click();
    QCOMPARE(QString::fromStdString(rig.message.text()), "   " + message);
}

void TestExercises::checkReduced_data()
{
    QTest::addColumn<QString>("checked");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("message");
    QTest::newRow("38/24") << "38/24" << "38/24" << "2 is a common factor. Try again.";
    QTest::newRow("12/18") << "12/18" << "12/18" << "2 is a common factor. Try again.";
    QTest::newRow("9/15 for 3/5") << "3/5" << "9/15" << "3 is a common factor. Try again.";
    QTest::newRow("7/14") << "7/14" << "7/14" << "7 is a common factor. Try again.";
    QTest::newRow("5/7") << "5/7" << "5/7" << "It's reduced.";
    QTest::newRow("3/1 for 6/2") << "6/2" << "3/1" << "It's reduced.";
    QTest::newRow("6/3") << "6/3" << "6/3" << "Try again: the fraction reduces to a whole number.";
    QTest::newRow("4/4") << "4/4" << "4/4" << "Try again.";
    QTest::newRow("20/12 after 19/12") << "19/12" << "20/12" << "Not equivalent. Try again.";
    QTest::newRow("no denominator") << "1/2" << "3/0" << "Not equivalent. Try again.";
    QTest::newRow("nothing checked") << "" << "2/4" << "2 is a common factor. Try again.";
}

void TestExercises::checkReduced()
{
    QFETCH(QString, checked);
    QFETCH(QString, shown);
    QFETCH(QString, message);
    PracticeRig rig;
    if (!checked.isEmpty()) {
        rig.fractions = FakeSlots("1/1 1/1 " + checked);
        rig.practice.cmd_checkproduct_Click();
    }
    rig.fractions = FakeSlots("1/1 1/1 " + shown);
    rig.practice.cmd_checkreduced_Click();
    QCOMPARE(QString::fromStdString(rig.message.text()), "   " + message);
}

void TestExercises::newProblemIsReproducibleAndInRange()
{
    PracticeRig first(11);
    PracticeRig second(11);
    first.message.hide();
    first.practice.cmd_newprob_Click();
    second.practice.cmd_newprob_Click();
    QVERIFY(first.message.visible());
    QCOMPARE(QString::fromStdString(first.message.text()), "Set the yellow fraction to the sum, product, or quotient of the blue fractions "
                                   "and click a button to check your answer.");
    QCOMPARE(first.shown, second.shown);

    // Drawn bottom denominator first, top numerator last.
    ui::Random reference = ui::Random::fixed(11);
    const int bottom_den = int(8 * reference.next()) + 2;
    const int top_den = int(8 * reference.next()) + 2;
    const int bottom_num = int(4 * reference.next()) + 3;
    const int top_num = int(3 * reference.next()) + 3;
    QCOMPARE(first.shown, (QList<QList<int>>{{0, top_num, top_den}, {1, bottom_num, bottom_den}, {2, 1, 1}}));

    std::set<int> top_nums, top_dens, bottom_nums, bottom_dens;
    for (int deal = 0; deal < 500; ++deal) {
        first.practice.new_problem();
        top_nums.insert(int(first.practice.top()->num()));
        top_dens.insert(int(first.practice.top()->den()));
        bottom_nums.insert(int(first.practice.bottom()->num()));
        bottom_dens.insert(int(first.practice.bottom()->den()));
        QCOMPARE(first.practice.answer()->num(), 1);
        QCOMPARE(first.practice.answer()->den(), 1);
    }
    QCOMPARE(top_nums, (std::set<int>{3, 4, 5}));
    QCOMPARE(bottom_nums, (std::set<int>{3, 4, 5, 6}));
    QCOMPARE(top_dens, (std::set<int>{2, 3, 4, 5, 6, 7, 8, 9}));
    QCOMPARE(bottom_dens, top_dens);
}

namespace {

// A headless tutor on its empty lesson screen, slot 0 at 2/5: `script`
// plays there as a lesson.
struct RunnerRig {
    bool play(const testing::Harness::Script& script)
    {
        return h.play([&](const lessons::Stage& s) {
            s.screen.reset_screen();
            s.pages.page(1);
            script(s);
        });
    }
    bool history_has(const std::string& text)
    {
        return h.probe().message_history().find(text) != std::string::npos;
    }
    testing::Harness h;
};

const Condition five_twelfths = ShowsExactly{0, 5, 12};
// The drills of mixed numbers: the dealt slot's numerals copied to the other.
Drill copy_drill(int question)
{
    return {.question = question,
            .condition = SameNumerals{1 - question, question},
            .intro = "Practice.",
            .numerators = {10, 30},
            .denominators = {5, 4},
            .prompt = "copy it.",
            .restate = Restate::nothing,
            .compare_pictures = true};
}

bool asks(const testing::Harness& h, const Condition& condition)
{
    const Condition* asked = h.probe().asked();
    return asked && *asked == condition;
}

} // namespace

void TestExercises::wrongAnswerFlashesAndWaitsAgain()
{
    RunnerRig rig;
    auto& h = rig.h;
    bool link_after_wrong = false;
    h.set_learner([&](testing::Harness& l) {
        if (l.pump.turns == 1) { // the prompt: answer wrongly (slot 0 still shows 2/5)
            l.click_text();
            return;
        }
        link_after_wrong = l.probe().find("pbox_go_on")->visible();
        if (l.pump.turns == 2) { // asked again: still wrong
            l.click_text();
            return;
        }
        QVERIFY(l.set_fraction(0, 5, 12));
        l.click_text();
    });
    bool link_after_good = true;
    rig.play([&](const lessons::Stage& s) {
        s.ask.exercise(five_twelfths, "set the fraction to 5/12");
        link_after_good = h.probe().find("pbox_go_on")->visible();
        QVERIFY(rig.history_has("Please set the fraction to 5/12"));
    });
    QCOMPARE(h.pump.turns, 3);
    QVERIFY(link_after_wrong);
    // Two rounds of three flashes at 0.3 s, then "Good!" for a second.
    QVERIFY(qAbs(h.pump.paused - (2 * 0.9 + 1.0)) < 1e-6);
    QVERIFY(!link_after_good);
}

void TestExercises::linkGivesUpOrPraisesACorrectedAnswer()
{
    {
        RunnerRig rig; // wrong, then the link: the exercise ends unanswered
        rig.h.set_learner([](testing::Harness& l) {
            if (l.pump.turns == 1)
                l.click_text();
            else if (l.pump.turns == 2)
                l.click_go_on();
            else
                l.tutor().quit();
        });
        bool praised = true;
        rig.play([&](const lessons::Stage& s) {
            s.ask.exercise(five_twelfths, "set the fraction to 5/12");
            praised = rig.history_has("Please set the fraction to 5/12");
            // Giving up was for that exercise alone: the next one asks.
            s.ask.exercise(five_twelfths, "set the fraction to 5/12 now");
        });
        QCOMPARE(rig.h.pump.turns, 3);
        QVERIFY(qAbs(rig.h.pump.paused - 0.9) < 1e-6); // no "Good!"
        QVERIFY(!praised);
    }
    {
        RunnerRig rig; // wrong, corrected, then the link: checked once more and praised
        rig.h.set_learner([](testing::Harness& l) {
            if (l.pump.turns == 1) {
                l.click_text();
                return;
            }
            QVERIFY(l.set_fraction(0, 5, 12));
            l.click_go_on();
        });
        bool praised = false;
        rig.play([&](const lessons::Stage& s) {
            s.ask.exercise(five_twelfths, "set the fraction to 5/12");
            praised = rig.history_has("Please set the fraction to 5/12");
        });
        QVERIFY(qAbs(rig.h.pump.paused - 1.9) < 1e-6);
        QVERIFY(praised);
    }
}

void TestExercises::stopEndsADrillAfterItsExercise_data()
{
    QTest::addColumn<bool>("answered");
    QTest::newRow("answered, then Stop") << true;
    QTest::newRow("Stop without an answer") << false;
}

void TestExercises::stopEndsADrillAfterItsExercise()
{
    QFETCH(bool, answered);
    RunnerRig rig;
    auto& h = rig.h;
    int exercises = 0;
    int checks = 0;
    const Drill drill = copy_drill(0);
    h.set_learner([&](testing::Harness& l) {
        if (!asks(l, drill.condition)) {
            checks += l.last_line().find("Check that the fraction pictures match") != std::string::npos;
            l.click_text();
            return;
        }
        ++exercises;
        if (exercises == 3)
            l.press_stop();
        if (exercises < 3 || answered)
            QVERIFY(l.set_fraction(1, l.num(0), l.den(0)));
        l.click_text();
    });
    bool stop_shown = true;
    bool marked = true;
    rig.play([&](const lessons::Stage& s) {
        s.board.make_slot(1);
        s.ask.quiz(drill);
        stop_shown = h.probe().find("cmd_stop")->visible();
        marked = s.ask.quit_marked();
    });
    QCOMPARE(exercises, 3);
    // The stopped turn neither asks for the pictures to be checked nor
    // flashes "Please try again": only the "Good!" pauses of its answers.
    QCOMPARE(checks, 2);
    QVERIFY(qAbs(h.pump.paused - (answered ? 3.0 : 2.0)) < 1e-6);
    QVERIFY(!marked);
    QVERIFY(!stop_shown);
}

void TestExercises::exercisesAfterAStopAreAsked()
{
    RunnerRig rig;
    auto& h = rig.h;
    int asked = 0;
    const Drill drill = copy_drill(0);
    h.set_learner([&](testing::Harness& l) {
        if (asks(l, drill.condition)) {
            l.press_stop();
        } else if (asks(l, five_twelfths)) {
            ++asked;
            QVERIFY(l.set_fraction(0, 5, 12));
        }
        l.click_text();
    });
    rig.play([&](const lessons::Stage& s) {
        s.board.make_slot(1);
        s.ask.quiz(drill);
        s.ask.exercise(five_twelfths, "set the fraction to 5/12");
    });
    QCOMPARE(asked, 1);

    // A Stop pressed between lessons ends with the lesson that follows.
    h.add_lesson("1d", [&](const lessons::Stage& s) {
        s.board.show_fraction(0, 2, 5);
        s.ask.exercise(five_twelfths, "set the fraction to 5/12");
    });
    h.control<ui::Button>("cmd_stop").click();
    h.start_lesson("1d");
    h.settle();
    QCOMPARE(asked, 2);
}

void TestExercises::questionTakesNoInputDuringADrill()
{
    RunnerRig rig;
    auto& h = rig.h;
    const auto slider = [&h](const char* name) -> ui::Slider& { return h.control<ui::Slider>(std::string(name) + "(1)"); };
    const auto box = [&h](const std::string& name) -> ui::TextBox& { return h.control<ui::TextBox>(name); };
    std::pair<int, int> first;
    std::pair<int, int> second;
    int asked = 0;
    bool judged_wrong = false;
    Drill drill = copy_drill(1);
    drill.intro = "";
    drill.compare_pictures = false;
    h.set_learner([&](testing::Harness& l) {
        if (!asks(l, drill.condition)) {
            l.click_text();
            return;
        }
        const std::pair<int, int> question{l.num(1), l.den(1)};
        switch (++asked) {
        case 1: {
            first = question;
            // The answer refuses a numeral its sliders cannot hold, and
            // stays as it was.
            const std::pair<int, int> answer{l.num(0), l.den(0)};
            l.type_into(box("inbox(0)"), "300");
            QCOMPARE(std::pair(l.num(0), l.den(0)), answer);
            QCOMPARE(box("inbox(0)").text(), std::to_string(answer.first));
            QVERIFY(l.set_fraction(0, question.first, question.second));
            break;
        }
        case 2: {
            // Bend the question to the answer already standing in slot 0:
            // its sliders are greyed, its boxes take no typing.
            second = question;
            QVERIFY(second != first);
            QVERIFY(!slider("slider_fracnum").enabled() && !box("inbox(2)").takes_typing());
            slider("slider_fracden").user_change(first.second);
            slider("slider_fracnum").user_change(first.first);
            l.type_into(box("inbox(3)"), std::to_string(first.second));
            l.type_into(box("inbox(2)"), std::to_string(first.first % first.second));
            l.type_into(box("wholepart(1)"), std::to_string(first.first / first.second));
            QCOMPARE(std::pair(l.num(1), l.den(1)), second);
            QCOMPARE(box("inbox(2)").text(), std::to_string(second.first % second.second));
            QCOMPARE(box("wholepart(1)").text(), std::to_string(second.first / second.second));
            break;
        }
        default:
            judged_wrong = l.probe().find("pbox_go_on")->visible();
            l.press_stop();
            QVERIFY(l.set_fraction(0, question.first, question.second));
        }
        l.click_text();
    });
    int after = 0;
    rig.play([&](const lessons::Stage& s) {
        s.board.make_slot(1);
        s.board.set_mixed(1, true);
        s.ask.quiz(drill);
        // The drill over, the slot takes the learner's input again.
        slider("slider_fracnum").user_change(h.num(1) + 1);
        after = h.num(1);
    });
    QCOMPARE(asked, 3);
    QVERIFY(judged_wrong);
    QVERIFY(qAbs(h.pump.paused - (2 * 1.0 + 0.9)) < 1e-6); // one "Good!" each, one round of flashes
    QCOMPARE(after, second.first + 1);
}

void TestExercises::answerAutoAnswersEvenTheImpossible()
{
    RunnerRig rig;
    rig.h.menu("mnu_auto").set_checked(true);
    rig.play([](const lessons::Stage& s) {
        s.ask.exercise(Never{}, "do the impossible.");
        s.ask.exercise(parse_condition("no such condition").value_or(Never{}), "guess.");
    });
    QCOMPARE(rig.h.pump.turns, 0);
    QVERIFY(qAbs(rig.h.pump.paused - 1.0) < 1e-6);
}

void TestExercises::drillsNeverDealAWholeNumber()
{
    RunnerRig rig;
    auto& h = rig.h;
    std::set<std::pair<int, int>> dealt;
    int turns = 0;
    Drill drill = copy_drill(1);
    drill.compare_pictures = false;
    h.set_learner([&](testing::Harness& l) {
        if (!asks(l, drill.condition)) {
            l.click_text();
            return;
        }
        const int n = l.num(1);
        const int d = l.den(1);
        QVERIFY2(n >= 10 && n <= 39 && d >= 5 && d <= 8, qPrintable(QString("%1/%2").arg(n).arg(d)));
        QVERIFY2(n % d != 0, qPrintable(QString("%1/%2").arg(n).arg(d)));
        dealt.insert({n, d});
        if (++turns == 150)
            l.press_stop();
        QVERIFY(l.set_fraction(0, n, d));
        l.click_text();
    });
    rig.play([&](const lessons::Stage& s) {
        s.board.make_slot(1);
        s.ask.quiz(drill);
    });
    QCOMPARE(turns, 150);
    QVERIFY(dealt.size() > 50); // many different fractions, none of them whole
}

void TestExercises::drillEndsEvenWhenItsRangesHoldOnlyWholeNumbers()
{
    RunnerRig rig;
    rig.h.menu("mnu_auto").set_checked(true);
    // 4/2 is all these ranges hold: it is dealt, and the drill runs its turns.
    rig.play([](const lessons::Stage& s) {
        s.ask.quiz({.question = 0, .numerators = {4, 1}, .denominators = {2, 1}, .prompt = "look."});
    });
    QCOMPARE(rig.h.num(0), 4);
    QCOMPARE(rig.h.den(0), 2);
    QVERIFY(qAbs(rig.h.pump.paused - 1000 * 0.5) < 1e-3);
}

void TestExercises::conditionMessageBoxesAreModal()
{
    FakeSlots slots("10/12 10/12");
    ui::Canvas box(100, 100, ui::colors::yellow);
    ui::MessageBoxDialogs dialogs;
    QStringList seen;
    // Answer the modal box from a timer, as a learner clicks OK.
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* message_box = qobject_cast<QMessageBox*>(modal)) {
            seen << message_box->text();
            message_box->accept();
        }
    });
    QVERIFY(!evaluate(ReducedBy{0, 1, 2}, slots, {dialogs, box}));
    QCOMPARE(seen, QStringList{"Reduced correctly but not completely. Keep on reducing!"});
}

QTEST_MAIN(TestExercises)
#include "tst_exercises.moc"
