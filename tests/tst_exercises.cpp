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

class TestExercises : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void arithmeticMatchesExactRationals();
    void gcdReducedAndOrderMatchReference();
    void fractionArithmeticMatchesExactRationals();
    void fractionArithmeticAtTheEdges();
    void predicatesAtEdges_data();
    void predicatesAtEdges();
    void namedConditions_data();
    void namedConditions();
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

void TestExercises::namedConditions_data()
{
    QTest::addColumn<QString>("holding");
    QTest::addColumn<QString>("failing");
    QTest::newRow("1a1") << "1/1 4/11" << "1/1 8/22";
    QTest::newRow("1a2") << "1/1 7/11" << "7/11 1/1";
    QTest::newRow("1a3") << "1/1 10/11" << "1/1 10/12";
    QTest::newRow("1a4") << "1/1 13/11" << "1/1 26/22";
    QTest::newRow("1c1") << "13/12" << "13/11";
    QTest::newRow("1c2") << "7/30" << "14/60";
    QTest::newRow("1d1") << "5/12" << "10/24";
    QTest::newRow("1d2") << "7/30" << "1/1 7/30";
    QTest::newRow("1d3") << "11/7" << "22/14";
    QTest::newRow("1d4") << "5/23" << "5/24";
    QTest::newRow("1d5") << "17/12" << "34/24";
    QTest::newRow("1eq1") << "3/5 3/5" << "3/5 6/10";
    QTest::newRow("1eq2") << "7/4 7/4" << "7/4 7/5";
    QTest::newRow("2aq1") << "2/3 6/9 3/1" << "2/3 4/6 3/1";
    QTest::newRow("2a1") << "4/7" << "8/14";
    QTest::newRow("2a2") << "4/6" << "2/3";
    QTest::newRow("2a3") << "10/15" << "2/3";
    QTest::newRow("2a4") << "7/45" << "45/7";
    QTest::newRow("2a4a") << "30/7" << "7/30";
    QTest::newRow("2a5") << "30/36" << "5/6";
    QTest::newRow("2a6") << "20/24" << "5/6";
    QTest::newRow("2a7") << "30/42" << "5/7";
    QTest::newRow("2a8") << "20/28" << "5/7";
    QTest::newRow("2bq1") << "10/12 5/6" << "10/12 5/7";
    QTest::newRow("2bq2") << "6/9 2/3" << "6/9 3/2";
    QTest::newRow("2b1") << "5/6" << "10/12";
    QTest::newRow("2b2") << "4/6" << "2/3";
    QTest::newRow("2b3") << "10/15" << "20/30";
    QTest::newRow("2b4") << "2/3" << "4/6";
    QTest::newRow("2b5") << "12/30" << "2/5";
    QTest::newRow("2b6") << "2/5" << "12/30";
    QTest::newRow("2c1") << "2/4 1/2" << "2/4 1/3";
    QTest::newRow("2c2") << "1/2 2/4" << "1/2 3/4";
    QTest::newRow("2c3") << "3/9 1/3" << "3/9 1/0";
    QTest::newRow("2c4") << "5/5 1/1" << "- 1/1";
    QTest::newRow("3a1") << "1/1 1/1 12/11" << "1/1 1/1 12/22";
    QTest::newRow("3a2") << "1/1 1/1 3/1" << "1/1 1/1 1/3";
    QTest::newRow("3a3") << "1/1 1/1 3/2" << "1/1 1/1 2/3";
    QTest::newRow("3a4") << "1/1 1/1 7/11" << "7/11 1/1 1/1";
    QTest::newRow("3a5") << "1/1 1/1 8/3" << "1/1 1/1 8/6";
    QTest::newRow("3a6") << "1/1 1/1 5/6" << "1/1 1/1 5/7";
    QTest::newRow("3ex1a") << "8/20" << "2/5";
    QTest::newRow("3ex1b") << "1/1 5/20" << "1/1 1/4";
    QTest::newRow("3ex1c") << "1/1 1/1 13/20" << "1/1 1/1 13/21";
    QTest::newRow("3ex2a") << "9/21" << "3/7";
    QTest::newRow("3ex2b") << "1/1 14/21" << "1/1 2/3";
    QTest::newRow("3ex2c") << "1/1 1/1 23/21" << "1/1 1/1 46/42";
    QTest::newRow("3ex3a") << "8/20 1/1 1/1 2/5 1/4" << "4/10 1/1 1/1 2/5 1/4";
    QTest::newRow("3ex3b") << "1/1 5/20 1/1 2/5 1/4" << "1/1 1/4 1/1 2/5 1/4";
    QTest::newRow("3ex3c") << "1/1 1/1 13/20 2/5 1/4" << "1/1 1/1 13/21 2/5 1/4";
    QTest::newRow("3ex3d") << "1/1 1/1 1/10 2/5 1/4" << "1/1 1/1 1/9 2/5 1/4";
    QTest::newRow("3ex3e") << "1/1 1/1 8/5 2/5 1/4" << "1/1 1/1 5/8 2/5 1/4";
}

void TestExercises::namedConditions()
{
    QFETCH(QString, holding);
    QFETCH(QString, failing);
    const std::string name = QTest::currentDataTag();
    RecordingDialogs dialogs;
    ui::Canvas box(400, 300, ui::colors::white);
    const ConditionEffects effects{dialogs, box};
    QVERIFY(check_condition(name, FakeSlots(holding), effects));
    QVERIFY(!check_condition(name, FakeSlots(failing), effects));
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
    QTest::newRow("trailing space") << "condition 2 0 + 1 " << "1/2 1/3 5/6" << false;
    QTest::newRow("double space") << "condition  2 0 + 1" << "1/2 1/3 5/6" << false;
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
    QTest::addColumn<QString>("condition");
    QTest::addColumn<QString>("values");
    QTest::addColumn<bool>("holds");
    QTest::addColumn<QString>("message");
    QTest::addColumn<double>("drop");
    QTest::newRow("2bq1 not far enough") << "2bq1" << "10/12 10/12" << false
                                         << "Reduced correctly but not completely. Keep on reducing!" << 0.0;
    QTest::newRow("2bq1 reduced") << "2bq1" << "10/12 5/6" << true << "" << 0.0;
    // 6/12 divided by 3, as the drill asks, is 2/4: right, though not lowest terms.
    QTest::newRow("2bq1 divided as asked") << "2bq1" << "6/12 2/4 3/3" << true << "" << 0.0;
    QTest::newRow("2bq1 divided by another") << "2bq1" << "6/12 3/6 3/3" << false
                                             << "Reduced correctly but not completely. Keep on reducing!" << 0.0;
    QTest::newRow("2bq1 divided too far") << "2bq1" << "6/12 1/2 3/3" << true << "" << 0.0;
    QTest::newRow("2bq2 asks for lowest terms") << "2bq2" << "6/12 2/4 3/3" << false
                                                << "Reduced correctly but not completely. Keep on reducing!" << 0.0;
    // 3a has just taught "add the numerators and keep the denominator".
    QTest::newRow("3a2 as taught") << "3a2" << "5/3 4/3 9/3" << false << lowest << 0.0;
    QTest::newRow("3a3 as taught") << "3a3" << "7/6 2/6 9/6" << false << lowest << 0.0;
    QTest::newRow("3a5 doubled") << "3a5" << "1/1 1/1 16/6" << false << lowest << 0.0;
    QTest::newRow("3a2 lowest") << "3a2" << "5/3 4/3 3/1" << true << "" << 0.0;
    QTest::newRow("3a2 wrong") << "3a2" << "5/3 4/3 9/6" << false << "" << 0.0;
    QTest::newRow("3ex3c unreduced") << "3ex3c" << "1/1 1/1 2/4 1/4 1/4" << false << lowest + para << 50.0;
    QTest::newRow("3ex3c reduced") << "3ex3c" << "1/1 1/1 1/2 1/4 1/4" << true << "" << 0.0;
    QTest::newRow("3ex3d unreduced") << "3ex3d" << "1/1 1/1 2/6 1/2 2/3" << false << para + lowest + para << 0.0;
    QTest::newRow("3ex3e unreduced") << "3ex3e" << "1/1 1/1 4/6 1/2 3/4" << false << para + lowest + para << 0.0;
}

void TestExercises::conditionMessages()
{
    QFETCH(QString, condition);
    QFETCH(QString, values);
    QFETCH(bool, holds);
    QFETCH(QString, message);
    QFETCH(double, drop);
    RecordingDialogs dialogs;
    ui::Canvas box(400, 300, ui::colors::white);
    box.set_pen_y(100);
    const auto parsed = parse_condition(condition.toStdString());
    QVERIFY(parsed);
    // Every check in that state shows the message again.
    for (int check = 1; check <= 2; ++check) {
        QCOMPARE(evaluate(*parsed, FakeSlots(values), {dialogs, box}), holds);
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

// A headless tutor on its empty lesson screen, slot 0 at 2/5.
struct RunnerRig {
    RunnerRig()
    {
        h.tutor().reset_screen();
        h.tutor().course.set_current_lesson("1d");
        h.tutor().course.page(1);
    }
    bool history_has(const std::string& text)
    {
        return h.tutor().writer.message_history().find(text) != std::string::npos;
    }
    testing::Harness h;
};

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
        link_after_wrong = l.tutor().form.pbox_go_on.visible();
        if (l.pump.turns == 2) { // asked again: still wrong
            l.click_text();
            return;
        }
        QVERIFY(l.set_fraction(0, 5, 12));
        l.click_text();
    });
    h.run([&] { h.tutor().exercises.exercise("1d1", "set the fraction to 5/12"); });
    QCOMPARE(h.pump.turns, 3);
    QVERIFY(link_after_wrong);
    // Two rounds of three flashes at 0.3 s, then "Good!" for a second.
    QVERIFY(qAbs(h.pump.paused - (2 * 0.9 + 1.0)) < 1e-6);
    QVERIFY(rig.history_has("Please set the fraction to 5/12"));
    QVERIFY(!h.tutor().form.pbox_go_on.visible());
}

void TestExercises::linkGivesUpOrPraisesACorrectedAnswer()
{
    {
        RunnerRig rig; // wrong, then the link: the exercise ends unanswered
        rig.h.set_learner([](testing::Harness& l) {
            if (l.pump.turns == 1)
                l.click_text();
            else
                l.click_go_on();
        });
        rig.h.run([&] { rig.h.tutor().exercises.exercise("1d1", "set the fraction to 5/12"); });
        QCOMPARE(rig.h.pump.turns, 2);
        QVERIFY(qAbs(rig.h.pump.paused - 0.9) < 1e-6); // no "Good!"
        QVERIFY(!rig.history_has("Please set the fraction to 5/12"));
        QVERIFY(!rig.h.tutor().exercises.go_on_mark());
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
        rig.h.run([&] { rig.h.tutor().exercises.exercise("1d1", "set the fraction to 5/12"); });
        QVERIFY(qAbs(rig.h.pump.paused - 1.9) < 1e-6);
        QVERIFY(rig.history_has("Please set the fraction to 5/12"));
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
    h.set_learner([&](testing::Harness& l) {
        auto& slots = l.tutor().slots;
        if (l.tutor().exercises.current_condition() != "1eq2") {
            checks += l.last_line().find("Check that the fraction pictures match") != std::string::npos;
            l.click_text();
            return;
        }
        ++exercises;
        if (exercises == 3)
            l.press_stop();
        if (exercises < 3 || answered)
            QVERIFY(l.set_fraction(1, slots.num(0), slots.den(0)));
        l.click_text();
    });
    h.tutor().slots.make_slot(1);
    h.run([&] { h.tutor().exercises.quiz(0, "1eq2", "Practice.", "", 10, 30, 5, 4, "copy it.", Restate::nothing); });
    QCOMPARE(exercises, 3);
    // The stopped turn neither asks for the pictures to be checked nor
    // flashes "Please try again": only the "Good!" pauses of its answers.
    QCOMPARE(checks, 2);
    QVERIFY(qAbs(h.pump.paused - (answered ? 3.0 : 2.0)) < 1e-6);
    QVERIFY(!h.tutor().exercises.quit_mark());
    QVERIFY(!h.tutor().form.cmd_stop.visible());
}

void TestExercises::exercisesAfterAStopAreAsked()
{
    RunnerRig rig;
    auto& h = rig.h;
    int asked = 0;
    h.set_learner([&](testing::Harness& l) {
        const std::string& condition = l.tutor().exercises.current_condition();
        if (condition == "1eq2") {
            l.press_stop();
        } else if (condition == "1d1") {
            ++asked;
            QVERIFY(l.set_fraction(0, 5, 12));
        }
        l.click_text();
    });
    h.tutor().slots.make_slot(1);
    h.run([&] {
        h.tutor().exercises.quiz(0, "1eq2", "Practice.", "", 10, 30, 5, 4, "copy it.", Restate::nothing);
        h.tutor().exercises.exercise("1d1", "set the fraction to 5/12");
    });
    QCOMPARE(asked, 1);

    // A Stop left over from anywhere else ends with the lesson that follows.
    h.add_lesson("1d", [&] {
        h.tutor().slots.show_fraction(0, 2, 5);
        h.tutor().exercises.exercise("1d1", "set the fraction to 5/12");
    });
    h.tutor().exercises.set_quit_mark(true);
    h.tutor().course.start_lesson("1d");
    h.settle();
    QCOMPARE(asked, 2);
}

void TestExercises::questionTakesNoInputDuringADrill()
{
    RunnerRig rig;
    auto& h = rig.h;
    auto& slots = h.tutor().slots;
    slots.make_slot(1);
    slots.set_mixed_mode(1, true);
    std::pair<int, int> first;
    std::pair<int, int> second;
    int asked = 0;
    bool judged_wrong = false;
    h.set_learner([&](testing::Harness& l) {
        if (l.tutor().exercises.current_condition() != "1eq1") {
            l.click_text();
            return;
        }
        const std::pair<int, int> question{slots.num(1), slots.den(1)};
        switch (++asked) {
        case 1:
            first = question;
            QVERIFY(l.set_fraction(0, question.first, question.second));
            break;
        case 2: {
            // Bend the question to the answer already standing in slot 0.
            second = question;
            QVERIFY(second != first);
            slots.slider_fracden(1)->user_change(first.second);
            slots.slider_fracnum(1)->user_change(first.first);
            l.type_into(*slots.inbox(3), std::to_string(first.second));
            l.type_into(*slots.inbox(2), std::to_string(first.first % first.second));
            l.type_into(*slots.wholepart(1), std::to_string(first.first / first.second));
            QCOMPARE(std::pair(slots.num(1), slots.den(1)), second);
            QCOMPARE(slots.inbox(2)->text(), std::to_string(second.first % second.second));
            QCOMPARE(slots.wholepart(1)->text(), std::to_string(second.first / second.second));
            break;
        }
        default:
            judged_wrong = l.tutor().form.pbox_go_on.visible();
            l.press_stop();
            QVERIFY(l.set_fraction(0, question.first, question.second));
        }
        l.click_text();
    });
    h.run([&] { h.tutor().exercises.quiz(1, "1eq1", "", "", 10, 30, 5, 4, "copy it.", Restate::nothing); });
    QCOMPARE(asked, 3);
    QVERIFY(judged_wrong);
    QVERIFY(qAbs(h.pump.paused - (2 * 1.0 + 0.9)) < 1e-6); // one "Good!" each, one round of flashes
    // The drill over, the slot takes the learner's input again.
    slots.slider_fracnum(1)->user_change(slots.num(1) + 1);
    QCOMPARE(slots.num(1), second.first + 1);
}

void TestExercises::answerAutoAnswersEvenTheImpossible()
{
    RunnerRig rig;
    rig.h.tutor().form.mnu_auto.set_checked(true);
    rig.h.run([&] {
        rig.h.tutor().exercises.exercise("000", "do the impossible.");
        rig.h.tutor().exercises.exercise("no such condition", "guess.");
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
    h.tutor().slots.make_slot(1);
    h.set_learner([&](testing::Harness& l) {
        auto& slots = l.tutor().slots;
        if (l.tutor().exercises.current_condition() != "1eq1") {
            l.click_text();
            return;
        }
        const int n = slots.num(1);
        const int d = slots.den(1);
        QVERIFY2(n >= 10 && n <= 39 && d >= 5 && d <= 8, qPrintable(QString("%1/%2").arg(n).arg(d)));
        QVERIFY2(n % d != 0, qPrintable(QString("%1/%2").arg(n).arg(d)));
        dealt.insert({n, d});
        if (++turns == 150)
            l.press_stop();
        QVERIFY(l.set_fraction(0, n, d));
        l.click_text();
    });
    h.run([&] { h.tutor().exercises.quiz(1, "1eq1", "", "", 10, 30, 5, 4, "copy it.", Restate::nothing); });
    QCOMPARE(turns, 150);
    QVERIFY(dealt.size() > 50); // many different fractions, none of them whole
}

void TestExercises::drillEndsEvenWhenItsRangesHoldOnlyWholeNumbers()
{
    RunnerRig rig;
    rig.h.tutor().form.mnu_auto.set_checked(true);
    // 4/2 is all these ranges hold: it is dealt, and the drill runs its turns.
    rig.h.run([&] { rig.h.tutor().exercises.quiz(0, "000", "", "", 4, 1, 2, 1, "look.", Restate::nothing); });
    QCOMPARE(rig.h.tutor().slots.num(0), 4);
    QCOMPARE(rig.h.tutor().slots.den(0), 2);
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
    QVERIFY(!check_condition("2bq1", slots, {dialogs, box}));
    QCOMPARE(seen, QStringList{"Reduced correctly but not completely. Keep on reducing!"});
}

QTEST_MAIN(TestExercises)
#include "tst_exercises.moc"
