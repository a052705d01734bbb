#include "app/authoring_window.h"
#include "app/program.h"
#include "exercises/conditions.h"
#include "scenes/authoring.h"
#include "scenes/check.h"
#include "scenes/commands.h"
#include "scenes/playback.h"
#include "scenes/script_files.h"
#include "scenes/terms.h"
#include "ui/platform.h"
#include "support/fakes.h"
#include "support/harness.h"
#include "support/recording_stage.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QGroupBox>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

#include <ctime>
#include <map>
#include <random>

using namespace quorrel;
using namespace quorrel::scenes;
using testing::RecordingDialogs;
using testing::RecordingStage;

namespace {

// One readable line per command, for comparing whole scripts at once.
struct Describe {
    QString operator()(Wait) const { return "wait"; }
    QString operator()(const WriteLine& c) const { return "nw[" + q(c.text) + "]"; }
    QString operator()(const ClearScene& c) const { return "clear[" + q(c.title) + "]"; }
    QString operator()(const Draw& c) const { return "write[" + q(c.text) + "]"; }
    QString operator()(const SetFraction& c) const
    {
        return "setfraction[" + (c.slot ? QString::number(*c.slot) : QString("?")) + "][" + q(c.fraction) + "]";
    }
    QString operator()(const Exercise& c) const
    {
        return QString("exercise") + (c.restate ? "" : "3") + "[" + q(c.condition) + "][" + q(c.prompt) + "]";
    }
    static QString q(const std::string& s)
    {
        return QString::fromStdString(s).replace("\r", "\\r").replace("\n", "\\n");
    }
};

QStringList described(std::string_view script)
{
    QStringList out;
    for (const Command& c : parse_script(script))
        out << std::visit(Describe{}, c);
    return out;
}

QStringList to_qt(const std::vector<std::string>& lines)
{
    QStringList out;
    for (const auto& line : lines)
        out << QString::fromStdString(line);
    return out;
}

// Files in memory; a failing write leaves the old bytes, as the real one must.
class MemoryFiles final : public ScriptFiles {
public:
    std::variant<std::string, Failure> read(const std::string& name) override
    {
        const auto found = files.find(name);
        if (found == files.end())
            return Failure{"No such file or directory"};
        return found->second;
    }
    std::optional<Failure> write(const std::string& name, std::string_view bytes) override
    {
        if (fail_writes)
            return Failure{"No space left on device"};
        files[name] = std::string(bytes);
        return std::nullopt;
    }
    std::map<std::string, std::string> files;
    bool fail_writes = false;
};

constexpr auto setup_marker = "Lesson3_setup";

// Answers the next modal message box with `button` once it shows; returns
// its text through `text`.
void answer_next_box(QMessageBox::StandardButton button, QString* text = nullptr)
{
    QTimer::singleShot(0, [button, text] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            qFatal("no message box to answer");
        if (text)
            *text = box->text();
        box->button(button)->click();
    });
}

} // namespace

class TestScenes : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parse_data();
    void parse();
    void parse_survives_hostile_text_data();
    void parse_survives_hostile_text();
    void playback_worked_examples_data();
    void playback_worked_examples();
    void term_value_data();
    void term_value();
    void random_term_draws_ends_half_as_often();
    void setfraction_data();
    void setfraction();
    void setfraction_range_sets_both_maxima();
    void appends_data();
    void appends();
    void updowns_and_options();
    void round_trip_through_a_file();
    void save_failure_keeps_file_and_box_data();
    void save_failure_keeps_file_and_box();
    void disk_save_is_refused_without_harm();
    void load_failure_changes_nothing_data();
    void load_failure_changes_nothing();
    void file_text_becomes_script_lines_data();
    void file_text_becomes_script_lines();
    void files_come_back_as_they_were_data();
    void files_come_back_as_they_were();
    void authoring_window_clicked_through();
    void round_trip_plays_in_the_main_window();
    void playback_is_offered_to_authors_only_data();
    void playback_is_offered_to_authors_only();
    void playback_replaces_the_running_lesson();
    void missing_file_plays_nothing();
    void long_run_without_pauses_is_linear_and_answers();
    void check_names_each_line_that_will_not_play();
    void plays_from_a_line_and_stops();
    void example_scenes_check_clean_and_play_through_data();
    void example_scenes_check_clean_and_play_through();
    void test_menu_opens_a_window_that_closes_alone();
};

void TestScenes::parse_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QStringList>("commands");

    QTest::newRow("empty") << QByteArray() << QStringList{};
    QTest::newRow("as the wait button writes it") << QByteArray("\r\n#wait&") << QStringList{"wait"};
    QTest::newRow("wait with a blank") << QByteArray("#wait &x") << QStringList{"wait"};
    QTest::newRow("wait without fields") << QByteArray("#wait") << QStringList{"wait"};
    QTest::newRow("names are compared exactly")
        << QByteArray("#Wait&#wait  &# wait&#WRITE&x") << QStringList{};
    QTest::newRow("empty name and empty pieces")
        << QByteArray("##&text&##") << QStringList{};
    QTest::newRow("unknown name") << QByteArray("#jump&3&") << QStringList{};
    QTest::newRow("nw and clear")
        << QByteArray("#clear&Scene one&\r\n#nw&Hello there&\r\n")
        << QStringList{"clear[Scene one]", "nw[Hello there]"};
    QTest::newRow("a command missing its text is left out")
        << QByteArray("#nw#clear#write#setfraction&2") << QStringList{};
    QTest::newRow("write keeps the rest of its line")
        << QByteArray("\r\n#write&FontSize__20 Big\r\n#wait&")
        << QStringList{"write[FontSize__20 Big\\r\\n]", "wait"};
    QTest::newRow("exercise with condition and prompt")
        << QByteArray("#exercise&condition 2 0 + 1&set the sum")
        << QStringList{"exercise[condition 2 0 + 1][set the sum]"};
    QTest::newRow("exercise with a trailing & and line break has three fields")
        << QByteArray("#exercise&condition 2 0 + 1&set the sum&\r\n")
        << QStringList{"exercise3[condition 2 0 + 1][set the sum]"};
    QTest::newRow("exercise with one or four fields is left out")
        << QByteArray("#exercise&condition 2 0 + 1#exercise&a&b&c&d") << QStringList{};
    QTest::newRow("setfraction")
        << QByteArray("\r\n#setfraction&2&3/4\r\n")
        << QStringList{"setfraction[2][3/4\\r\\n]"};
    QTest::newRow("setfraction naming no slot is kept for its message")
        << QByteArray("#setfraction&two&3/4") << QStringList{"setfraction[?][3/4]"};
    QTest::newRow("text before the first # is a command too")
        << QByteArray("wait&#nw&x&") << QStringList{"wait", "nw[x]"};
    QTest::newRow("a # inside a line splits it")
        << QByteArray("#nw&Issue #wait&") << QStringList{"nw[Issue ]", "wait"};
}

void TestScenes::parse()
{
    QFETCH(QByteArray, script);
    QFETCH(QStringList, commands);
    QCOMPARE(described(script.toStdString()), commands);
}

void TestScenes::parse_survives_hostile_text_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<int>("commands");

    const int mib = 1 << 20;
    QTest::newRow("a MiB of &") << QByteArray("#exercise") + QByteArray(mib, '&') << 0;
    QTest::newRow("a MiB of #") << QByteArray(mib, '#') << 0;
    QTest::newRow("a MiB of waits") << QByteArray("#wait").repeated(mib / 5) << mib / 5;
    QTest::newRow("NUL bytes") << QByteArray("#nw&a\0b&", 8) << 1;
    QByteArray noise(mib, '\0');
    std::mt19937 engine(7);
    const char alphabet[] = "#&wait nexrcls/.0123456789\r\n\xff";
    for (auto& c : noise)
        c = alphabet[engine() % (sizeof alphabet - 1)];
    QTest::newRow("noise") << noise << -1;
}

void TestScenes::parse_survives_hostile_text()
{
    QFETCH(QByteArray, script);
    QFETCH(int, commands);
    const auto parsed = parse_script(std::string_view(script.constData(), std::size_t(script.size())));
    if (commands >= 0)
        QCOMPARE(int(parsed.size()), commands);
    // Each command holds at most its own text, so the whole stays near the
    // script's size.
    std::size_t held = 0;
    for (const auto& c : parsed)
        held += sizeof c + std::visit([](const auto& v) { return Describe{}(v).size(); }, c);
    QVERIFY(held < std::size_t(script.size()) * 64 + 1024);

    RecordingStage stage;
    play(stage.stage(), parsed, {});
    QVERIFY(stage.log.size() >= parsed.size());
}

void TestScenes::playback_worked_examples_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QStringList>("log");

    const QStringList start{setup_marker, "click"};
    QTest::newRow("a first wait returns at once, then the line")
        << QByteArray("\r\n#wait&\r\n#nw&Look at the blue stick.&\r\n")
        << start + QStringList{"wait", "write_line Look at the blue stick."};
    QTest::newRow("exercise with a third field")
        << QByteArray("#exercise&condition 2 0 + 1&req&\r\n")
        << start + QStringList{"exercise condition 2 0 + 1|req|extra"};
    QTest::newRow("exercise with two fields")
        << QByteArray("#exercise&condition 2 0 + 1&req")
        << start + QStringList{"exercise condition 2 0 + 1|req"};
    QTest::newRow("setfraction with slot 2 and 3/4")
        << QByteArray("#setfraction&2&3/4")
        << start + QStringList{"show_fraction 2 3/4", "set_slider 2 num max 7", "set_slider 2 den max 7"};
    QTest::newRow("unknown and empty names are skipped")
        << QByteArray("#hello&x&#&y&#clear&Title&#write&Hi")
        << start + QStringList{"clear_scene Title", "draw Hi"};
}

void TestScenes::playback_worked_examples()
{
    QFETCH(QByteArray, script);
    QFETCH(QStringList, log);
    RecordingStage stage;
    play(stage.stage(), script.toStdString(), [&] { stage.log.push_back(setup_marker); });
    QCOMPARE(to_qt(stage.log), log);
    if (!stage.calls("wait").empty())
        QCOMPARE(stage.waits_returned_at_once, 1);
}

void TestScenes::term_value_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value"); // -1: refused

    QTest::newRow("whole") << "3" << 3;
    QTest::newRow("blanks and line break around") << " 7 \r\n" << 7;
    QTest::newRow("plus sign") << "+4" << 4;
    QTest::newRow("half rounds to even, down") << "2.5" << 2;
    QTest::newRow("half rounds to even, up") << "3.5" << 4;
    QTest::newRow("point first") << ".6" << 1;
    QTest::newRow("point last") << "5." << 5;
    QTest::newRow("minus zero") << "-0" << 0;
    QTest::newRow("largest slider value") << "32767" << 32767;
    QTest::newRow("rounds past the slider") << "32767.5" << -1;
    QTest::newRow("negative") << "-1" << -1;
    QTest::newRow("huge") << "999999999999999999999999999999" << -1;
    QTest::newRow("exponent") << "1e3" << -1;
    QTest::newRow("inf") << "inf" << -1;
    QTest::newRow("nan") << "nan" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("a point alone") << "." << -1;
    QTest::newRow("two points") << "1.2.3" << -1;
    QTest::newRow("blank inside") << "1 2" << -1;
    QTest::newRow("word") << "three" << -1;
    QTest::newRow("one-value range") << "4..4" << 4;
    QTest::newRow("range with a third piece uses the first two") << "6..6..9" << 6;
    QTest::newRow("reversed range") << "5..2" << -1;
    QTest::newRow("range end not a number") << "a..3" << -1;
    QTest::newRow("range end missing") << "2.." << -1;
    QTest::newRow("range end negative") << "-2..3" << -1;
    QTest::newRow("range beyond the slider") << "1..40000" << -1;
}

void TestScenes::term_value()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    auto random = ui::Random::fixed(3);
    const auto got = scenes::term_value(text.toStdString(), random);
    QCOMPARE(got.value_or(-1), value);
}

void TestScenes::random_term_draws_ends_half_as_often()
{
    auto random = ui::Random::fixed(20240611);
    std::map<int, int> seen;
    const int draws = 100000;
    for (int i = 0; i < draws; ++i) {
        const auto v = random_term("2..5", random);
        QVERIFY(v);
        ++seen[*v];
    }
    QCOMPARE(int(seen.size()), 4);
    QCOMPARE(seen.begin()->first, 2);
    QCOMPARE(seen.rbegin()->first, 5);
    // Ends 1/6 each, inner values 1/3 each; 1% is about eight standard errors.
    for (int end : {2, 5})
        QVERIFY2(std::abs(seen[end] / double(draws) - 1.0 / 6) < 0.01, qPrintable(QString::number(seen[end])));
    for (int inner : {3, 4})
        QVERIFY2(std::abs(seen[inner] / double(draws) - 1.0 / 3) < 0.01, qPrintable(QString::number(seen[inner])));
}

void TestScenes::setfraction_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<QString>("fraction");
    QTest::addColumn<QString>("shown");   // "n/d max", or empty for no change
    QTest::addColumn<QString>("message"); // empty for none

    QTest::newRow("plain") << "2" << "3/4" << "3/4 7" << "";
    QTest::newRow("as the window writes it, line break after") << "2" << "3/4\r\n" << "3/4 7" << "";
    QTest::newRow("zero numerator") << "0" << "0/5" << "0/5 5" << "";
    QTest::newRow("sixteen units") << "1" << "16/1" << "16/1 17" << "";
    QTest::newRow("halves to even") << "1" << "2.5/3.5" << "2/4 6" << "";
    QTest::newRow("no slash") << "1" << "34" << "" << "";
    QTest::newRow("two slashes") << "1" << "3/4/5" << "" << "";
    QTest::newRow("zero denominator") << "1" << "3/0" << "" << "error in 3/0";
    QTest::newRow("negative numerator") << "1" << "-1/4" << "" << "error in -1";
    QTest::newRow("above the slider") << "1" << "40000/4" << "" << "error in 40000";
    QTest::newRow("more than sixteen units") << "1" << "17/1" << "" << "error in 17/1";
    QTest::newRow("reach beyond the slider") << "1" << "20000/16000" << "" << "error in 20000/16000";
    QTest::newRow("not a number") << "1" << "x/4" << "" << "error in x";
    QTest::newRow("range end not a number") << "1" << "a..3/4" << "" << "error in a..3";
    QTest::newRow("reversed range") << "1" << "3/5..2" << "" << "error in 5..2";
    QTest::newRow("slot not a number") << "two" << "3/4" << "" << "error in two";
    QTest::newRow("slot beyond the last") << "11" << "3/4" << "" << "error in 11";
}

void TestScenes::setfraction()
{
    QFETCH(QString, slot);
    QFETCH(QString, fraction);
    QFETCH(QString, shown);
    QFETCH(QString, message);

    const auto commands = parse_script("#setfraction&" + slot.toStdString() + "&" + fraction.toStdString());
    QCOMPARE(commands.size(), std::size_t(1));
    RecordingStage stage;
    play_command(stage.stage(), commands.front());

    QCOMPARE(to_qt(stage.dialogs.messages), message.isEmpty() ? QStringList{} : QStringList{message});
    const int index = slot.toInt();
    if (shown.isEmpty()) {
        QVERIFY(stage.calls("show_fraction").empty());
        QVERIFY(stage.calls("set_slider").empty());
        return;
    }
    const auto& s = stage.slots[std::size_t(index)];
    QCOMPARE(QString("%1/%2 %3").arg(s.num).arg(s.den).arg(s.num_max), shown);
    QCOMPARE(s.den_max, s.num_max);
}

void TestScenes::setfraction_range_sets_both_maxima()
{
    RecordingStage stage(99);
    std::map<int, int> numerators;
    for (int i = 0; i < 200; ++i) {
        scenes::setfraction(stage.stage(), SetFraction{1, "1", "1..3/4"});
        const auto& s = stage.slots[1];
        QCOMPARE(s.den, 4);
        QCOMPARE(s.num_max, s.num + 4);
        QCOMPARE(s.den_max, s.num + 4);
        ++numerators[s.num];
    }
    QCOMPARE(int(numerators.size()), 3);
    QCOMPARE(numerators.begin()->first, 1);
    QCOMPARE(numerators.rbegin()->first, 3);
    QVERIFY(stage.dialogs.messages.empty());
}

void TestScenes::appends_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QByteArray>("line");

    QTest::newRow("Wait") << "wait" << QByteArray("#wait&");
    QTest::newRow("Write") << "write" << QByteArray("#write&Look FontSize__20 here ½");
    QTest::newRow("Write with an empty Text1") << "write empty" << QByteArray("#write&");
    QTest::newRow("Test Condition") << "frame1" << QByteArray("#exercise&condition 2 0 + 1&set the sum");
    QTest::newRow("Test Condition, minus") << "frame1 -" << QByteArray("#exercise&condition 2 0 - 1&set the sum");
    QTest::newRow("Test Condition, divided") << "frame1 /" << QByteArray("#exercise&condition 2 0 / 1&set the sum");
    QTest::newRow("Test Condition, no operation") << "frame1 none"
                                                  << QByteArray("#exercise&condition 2 0  1&set the sum");
    QTest::newRow("Set Fraction") << "frame2" << QByteArray("#setfraction&2&1..3/4");
    QTest::newRow("Set Fraction as it starts") << "frame2 start" << QByteArray("#setfraction&0&1/1");
}

void TestScenes::appends()
{
    QFETCH(QString, button);
    QFETCH(QByteArray, line);

    for (const std::string& before : {std::string(), std::string("\r\n#wait&\r\n#nw&Hi&")}) {
        MemoryFiles files;
        RecordingDialogs dialogs;
        Authoring a(files, dialogs);
        a.set_writestring(before);
        a.Text1 = "Look FontSize__20 here ½";
        a.tbox_request = "set the sum";
        if (!button.endsWith("start")) {
            a.set_updown(0, 2);
            a.set_updown(1, 0);
            a.set_updown(2, 1);
            a.set_updown(3, 2);
            a.fraction = "1..3/4";
        }
        if (button.endsWith("empty"))
            a.Text1.clear();
        if (button.endsWith(" -"))
            a.select_op(1);
        if (button.endsWith(" /"))
            a.select_op(3);
        if (button.endsWith("none"))
            a.select_op(std::nullopt);

        if (button.startsWith("wait"))
            a.cmd_wait_Click();
        else if (button.startsWith("write"))
            a.cmd_write_Click();
        else if (button.startsWith("frame1"))
            a.Frame1_Click();
        else
            a.Frame2_Click();
        QCOMPARE(QByteArray::fromStdString(a.writestring()), QByteArray::fromStdString(before) + "\r\n" + line);
    }
}

void TestScenes::updowns_and_options()
{
    MemoryFiles files;
    RecordingDialogs dialogs;
    Authoring a(files, dialogs);
    QCOMPARE(a.updown_label(2), std::string("Frac 0"));
    a.set_updown(2, 1);
    QCOMPARE(a.updown_label(2), std::string("Frac 1"));
    a.set_updown(2, 99);
    QCOMPARE(a.updown(2), Authoring::updown_max);
    a.set_updown(2, -3);
    QCOMPARE(a.updown(2), 0);
    a.set_updown(4, 5); // no such up-down
    QCOMPARE(a.updown(4), 0);
    QCOMPARE(a.selected_op(), std::optional<int>(0));
    a.select_op(4);
    QCOMPARE(a.selected_op(), std::optional<int>(0));
}

void TestScenes::round_trip_through_a_file()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const std::string name = dir.filePath("scene.txt").toStdString();
    DiskScriptFiles files;
    RecordingDialogs dialogs;

    Authoring author(files, dialogs);
    author.tbox_filename = name;
    author.Text1 = "Two thirds and a half";
    author.cmd_write_Click();
    author.cmd_wait_Click();
    author.set_updown(3, 0);
    author.fraction = "2/3";
    author.Frame2_Click();
    author.set_updown(3, 1);
    author.fraction = "1/2";
    author.Frame2_Click();
    author.set_updown(0, 2);
    author.set_updown(1, 0);
    author.set_updown(2, 1);
    author.select_op(0);
    author.tbox_request = "set the yellow fraction to the sum";
    author.Frame1_Click();
    QVERIFY(author.cmd_savefile_Click());

    const QByteArray expected = "\r\n#write&Two thirds and a half"
                                "\r\n#wait&"
                                "\r\n#setfraction&0&2/3"
                                "\r\n#setfraction&1&1/2"
                                "\r\n#exercise&condition 2 0 + 1&set the yellow fraction to the sum"
                                "\r\n";
    QFile file(QString::fromStdString(name));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), expected);

    RecordingStage stage;
    int played = 0;
    Authoring reader(files, dialogs, [&] {
        ++played;
        play(stage.stage(), std::string_view(), {});
    });
    reader.tbox_filename = name;
    QVERIFY(reader.cmd_loadfile_Click());
    QCOMPARE(played, 1);
    QCOMPARE(QByteArray::fromStdString(reader.writestring()), expected);
    QVERIFY(to_qt(dialogs.messages).isEmpty());

    RecordingStage screen;
    play(screen.stage(), reader.writestring(), {});
    QCOMPARE(to_qt(screen.log), (QStringList{"click", "draw Two thirds and a half\r\n", "wait",
                                             "show_fraction 0 2/3", "set_slider 0 num max 5",
                                             "set_slider 0 den max 5", "show_fraction 1 1/2",
                                             "set_slider 1 num max 3", "set_slider 1 den max 3",
                                             "exercise condition 2 0 + 1|set the yellow fraction to the sum\r\n"}));
}

void TestScenes::save_failure_keeps_file_and_box_data()
{
    QTest::addColumn<bool>("full_disk");
    QTest::newRow("disk full") << true;
    QTest::newRow("folder missing") << false;
}

void TestScenes::save_failure_keeps_file_and_box()
{
    QFETCH(bool, full_disk);
    QTemporaryDir dir;
    MemoryFiles memory;
    memory.files["scene"] = "old bytes";
    memory.fail_writes = true;
    DiskScriptFiles disk;
    RecordingDialogs dialogs;
    Authoring a(full_disk ? static_cast<ScriptFiles&>(memory) : disk, dialogs);
    a.tbox_filename = full_disk ? "scene" : dir.filePath("no/such/folder/scene").toStdString();
    a.set_writestring("\r\n#wait&");

    QVERIFY(!a.cmd_savefile_Click());
    QCOMPARE(memory.files["scene"], std::string("old bytes"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{});
    QCOMPARE(a.writestring(), std::string("\r\n#wait&"));
    QCOMPARE(to_qt(dialogs.messages).size(), 1);
    QVERIFY(to_qt(dialogs.messages)[0].startsWith("Could not save the script to \"" + QString::fromStdString(a.tbox_filename) +
                                        "\": "));
    QVERIFY(!to_qt(dialogs.messages)[0].endsWith(": "));
}

void TestScenes::disk_save_is_refused_without_harm()
{
    QTemporaryDir dir;
    DiskScriptFiles disk;
    // A folder in the file's place is never replaced.
    QVERIFY(QDir(dir.path()).mkdir("scene"));
    QVERIFY(QFile::copy(QFINDTESTDATA("tst_scenes.cpp"), dir.filePath("scene/kept")));
    const auto failure = disk.write(dir.filePath("scene").toStdString(), "new");
    QVERIFY(failure.has_value());
    QVERIFY(!failure->reason.empty());
    QVERIFY(QFileInfo(dir.filePath("scene/kept")).isFile());
    // Nothing is left behind beside it.
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"scene"});
    QVERIFY(std::holds_alternative<ScriptFiles::Failure>(disk.read(dir.filePath("scene").toStdString())));

    // A FIFO would block the program: neither read nor replaced.
    const std::string fifo = dir.filePath("pipe").toStdString();
    QCOMPARE(mkfifo(fifo.c_str(), 0600), 0);
    QVERIFY(std::holds_alternative<ScriptFiles::Failure>(disk.read(fifo)));
    QVERIFY(disk.write(fifo, "new").has_value());
    QVERIFY(!QFileInfo(QString::fromStdString(fifo)).isFile());

    // What Load would refuse is not saved.
    MemoryFiles memory;
    RecordingDialogs dialogs;
    Authoring a(memory, dialogs);
    a.set_writestring(std::string(DiskScriptFiles::max_bytes, '#'));
    QVERIFY(!a.cmd_savefile_Click());
    QVERIFY(memory.files.empty());
    QVERIFY(to_qt(dialogs.messages).join("").contains("4 MiB"));
}

void TestScenes::load_failure_changes_nothing_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing") << "missing";
    QTest::newRow("a folder") << "folder";
    QTest::newRow("too large to be a script") << "large";
}

void TestScenes::load_failure_changes_nothing()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath("scene");
    if (kind == "folder")
        QVERIFY(QDir(dir.path()).mkdir("scene"));
    if (kind == "large") {
        QFile big(path);
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(DiskScriptFiles::max_bytes + 1));
    }
    DiskScriptFiles files;
    RecordingDialogs dialogs;
    int played = 0;
    Authoring a(files, dialogs, [&] { ++played; });
    a.set_writestring("\r\n#wait&");
    a.tbox_filename = path.toStdString();
    QVERIFY(!a.cmd_loadfile_Click());
    QCOMPARE(a.writestring(), std::string("\r\n#wait&"));
    QCOMPARE(played, 0);
    QCOMPARE(to_qt(dialogs.messages).size(), 1);
    QVERIFY(to_qt(dialogs.messages)[0].startsWith("Could not load the script from \"" + path + "\": "));
}

void TestScenes::file_text_becomes_script_lines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("script");

    QTest::newRow("three CRLF lines") << QByteArray("a\r\nb\r\nc\r\n") << QByteArray("a\r\nb\r\nc\r\n");
    QTest::newRow("LF lines") << QByteArray("\n#wait&\n#nw&x&\n") << QByteArray("\r\n#wait&\r\n#nw&x&\r\n");
    QTest::newRow("last line unended") << QByteArray("a\nb") << QByteArray("a\r\nb\r\n");
    QTest::newRow("lone CR") << QByteArray("a\rb") << QByteArray("a\r\nb\r\n");
    QTest::newRow("empty lines kept") << QByteArray("\r\n\r\n") << QByteArray("\r\n\r\n");
    QTest::newRow("empty file") << QByteArray() << QByteArray();
    QTest::newRow("byte-order mark dropped") << QByteArray("\xEF\xBB\xBF#wait&") << QByteArray("#wait&\r\n");
    QTest::newRow("UTF-8 kept") << QByteArray("#nw&\xC2\xBD of a pizza&") << QByteArray("#nw&\xC2\xBD of a pizza&\r\n");
    QTest::newRow("broken UTF-8 replaced") << QByteArray("#nw&\xFF&") << QByteArray("#nw&\xEF\xBF\xBD&\r\n");
}

void TestScenes::file_text_becomes_script_lines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, script);
    QCOMPARE(QByteArray::fromStdString(script_from_file(bytes.toStdString())), script);
}

void TestScenes::files_come_back_as_they_were_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("edited"); // saved after a wait line is added

    QTest::newRow("CRLF") << QByteArray("#wait&\r\n#nw&x&\r\n") << QByteArray("#wait&\r\n#nw&x&\r\n\r\n#wait&\r\n");
    QTest::newRow("LF") << QByteArray("\n#wait&\n#nw&x&\n") << QByteArray("\n#wait&\n#nw&x&\n\n#wait&\n");
    QTest::newRow("CR") << QByteArray("#wait&\r#nw&x&\r") << QByteArray("#wait&\r#nw&x&\r\r#wait&\r");
    QTest::newRow("last line unended") << QByteArray("#wait&\n#nw&x&") << QByteArray("#wait&\n#nw&x&\n\n#wait&\n");
    QTest::newRow("not UTF-8") << QByteArray("#nw&caf\xE9&\n") << QByteArray("#nw&caf\xEF\xBF\xBD&\n\n#wait&\n");
}

// Load then Save gives the file back byte for byte; an edited script keeps
// the file's line breaks, and only a file that is not UTF-8 warns.
void TestScenes::files_come_back_as_they_were()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, edited);
    MemoryFiles files;
    files.files["scene"] = bytes.toStdString();
    RecordingDialogs dialogs;
    Authoring a(files, dialogs);
    a.tbox_filename = "scene";
    QVERIFY(a.cmd_loadfile_Click());
    const bool utf8 = is_utf8(bytes.toStdString());
    QCOMPARE(dialogs.messages.size(), std::size_t(utf8 ? 0 : 1));
    QVERIFY(!a.modified());
    a.tbox_filename = "copy";
    QVERIFY(a.cmd_savefile_Click());
    QCOMPARE(QByteArray::fromStdString(files.files["copy"]), bytes);

    a.tbox_filename = "scene";
    a.cmd_wait_Click();
    QVERIFY(a.modified());
    QCOMPARE(a.save_replaces_bytes(), !utf8);
    QVERIFY(a.cmd_savefile_Click());
    QCOMPARE(QByteArray::fromStdString(files.files["scene"]), edited);
    QVERIFY(!a.modified());
    QVERIFY(!a.save_replaces_bytes());
}

void TestScenes::authoring_window_clicked_through()
{
    MemoryFiles files;
    RecordingDialogs dialogs;
    QStringList played;
    scenes::Authoring model(files, dialogs, [&] { played << QString::fromStdString(model.writestring()); });
    app::AuthoringWindow window(model);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.objectName(), QString("interface"));

    const auto find = [&](auto* type, const char* name) {
        auto* found = window.findChild<std::remove_pointer_t<decltype(type)>*>(name);
        if (!found)
            qFatal("no control %s", name);
        return found;
    };
    auto* filename = find(static_cast<QLineEdit*>(nullptr), "tbox_filename");
    auto* script = find(static_cast<QPlainTextEdit*>(nullptr), "writestring");
    auto* text1 = find(static_cast<QLineEdit*>(nullptr), "Text1");
    auto* request = find(static_cast<QLineEdit*>(nullptr), "tbox_request");
    auto* fraction = find(static_cast<QLineEdit*>(nullptr), "tbox_f(4)");
    QCOMPARE(filename->text(), QString("default_file"));
    QCOMPARE(request->text(), QString("req"));
    QCOMPARE(fraction->text(), QString("1/1"));
    QCOMPARE(script->toPlainText(), QString());
    QCOMPARE(text1->font().family(), QString("Arial Narrow"));
    QCOMPARE(find(static_cast<QPushButton*>(nullptr), "cmd_loadfile")->text(), QString("Load File"));
    QCOMPARE(find(static_cast<QPushButton*>(nullptr), "cmd_savefile")->text(), QString("Save File"));
    QCOMPARE(find(static_cast<QGroupBox*>(nullptr), "Frame1")->title(), QString("Test Condition"));
    QCOMPARE(find(static_cast<QGroupBox*>(nullptr), "Frame2")->title(), QString("Set Fraction"));
    for (int i = 0; i < 4; ++i)
        QCOMPARE(find(static_cast<QLabel*>(nullptr), qPrintable(QString("tbox_f(%1)").arg(i)))->text(), QString("Frac 0"));

    QTest::mouseClick(find(static_cast<QPushButton*>(nullptr), "cmd_wait"), Qt::LeftButton);
    QTest::keyClicks(text1, "Half FontSize__20 big");
    QTest::mouseClick(find(static_cast<QPushButton*>(nullptr), "cmd_write"), Qt::LeftButton);

    auto* result = find(static_cast<QSpinBox*>(nullptr), "UpDown_f(0)");
    QTest::keyClick(result, Qt::Key_Up);
    QTest::keyClick(result, Qt::Key_Up);
    QCOMPARE(find(static_cast<QLabel*>(nullptr), "tbox_f(0)")->text(), QString("Frac 2"));
    QTest::keyClick(find(static_cast<QSpinBox*>(nullptr), "UpDown_f(2)"), Qt::Key_Up);
    auto* times = find(static_cast<QRadioButton*>(nullptr), "option_op(2)");
    QCOMPARE(times->text(), QString("*"));
    QTest::mouseClick(times, Qt::LeftButton, {}, QPoint(6, times->height() / 2));
    QVERIFY(times->isChecked());
    request->selectAll();
    QTest::keyClicks(request, "multiply them");

    // A click on a label inside the frame is not a click on the frame.
    auto* frame1 = find(static_cast<QGroupBox*>(nullptr), "Frame1");
    const QString before = script->toPlainText();
    QTest::mouseClick(find(static_cast<QLabel*>(nullptr), "tbox_f(1)"), Qt::LeftButton);
    QCOMPARE(script->toPlainText(), before);
    const QPoint corner(frame1->width() - 3, frame1->height() - 3);
    QVERIFY(!frame1->childAt(corner));
    QTest::mouseClick(frame1, Qt::LeftButton, {}, corner);

    QTest::keyClick(find(static_cast<QSpinBox*>(nullptr), "UpDown_f(3)"), Qt::Key_Up);
    QCOMPARE(find(static_cast<QLabel*>(nullptr), "tbox_f(3)")->text(), QString("Frac 1"));
    fraction->selectAll();
    QTest::keyClicks(fraction, "1..3/4");
    auto* frame2 = find(static_cast<QGroupBox*>(nullptr), "Frame2");
    QTest::mouseClick(frame2, Qt::LeftButton, {}, QPoint(frame2->width() - 3, frame2->height() - 3));

    const std::string composed = "\r\n#wait&"
                                 "\r\n#write&Half FontSize__20 big"
                                 "\r\n#exercise&condition 2 0 * 1&multiply them"
                                 "\r\n#setfraction&1&1..3/4";
    QCOMPARE(QString::fromStdString(model.writestring()), QString::fromStdString(composed));
    QCOMPARE(script->toPlainText(), QString::fromStdString(composed).replace("\r\n", "\n"));

    // Typing into the box keeps CRLF line breaks in the script.
    script->moveCursor(QTextCursor::End);
    QTest::keyClick(script, Qt::Key_Return);
    QTest::keyClicks(script, "#nw&typed&");
    QCOMPARE(model.writestring(), composed + "\r\n#nw&typed&");

    filename->selectAll();
    QTest::keyClicks(filename, "scene.txt");
    QTest::mouseClick(find(static_cast<QPushButton*>(nullptr), "cmd_savefile"), Qt::LeftButton);
    QCOMPARE(files.files["scene.txt"], composed + "\r\n#nw&typed&\r\n");

    // Unsaved edits are asked about: Cancel keeps them, Discard loads.
    script->clear();
    QCOMPARE(model.writestring(), std::string());
    answer_next_box(QMessageBox::Cancel);
    QTest::mouseClick(find(static_cast<QPushButton*>(nullptr), "cmd_loadfile"), Qt::LeftButton);
    QVERIFY(played.isEmpty());
    QCOMPARE(model.writestring(), std::string());
    answer_next_box(QMessageBox::Discard);
    QTest::mouseClick(find(static_cast<QPushButton*>(nullptr), "cmd_loadfile"), Qt::LeftButton);
    QCOMPARE(played, QStringList{QString::fromStdString(composed + "\r\n#nw&typed&\r\n")});
    QCOMPARE(script->toPlainText(), QString::fromStdString(composed + "\r\n#nw&typed&\r\n").replace("\r\n", "\n"));
    QVERIFY(to_qt(dialogs.messages).isEmpty());

    // A missing file: a message, the box as it was, nothing played.
    filename->selectAll();
    QTest::keyClicks(filename, "missing.txt");
    QTest::mouseClick(find(static_cast<QPushButton*>(nullptr), "cmd_loadfile"), Qt::LeftButton);
    QCOMPARE(to_qt(dialogs.messages).size(), 1);
    QCOMPARE(played.size(), 1);
    QCOMPARE(model.writestring(), composed + "\r\n#nw&typed&\r\n");

    // The frames' buttons add the same lines as clicks on the frames.
    const std::string loaded = model.writestring();
    QTest::mouseClick(find(static_cast<QPushButton*>(nullptr), "add_exercise"), Qt::LeftButton);
    QTest::mouseClick(find(static_cast<QPushButton*>(nullptr), "add_fraction"), Qt::LeftButton);
    QCOMPARE(model.writestring(), loaded + "\r\n#exercise&condition 2 0 * 1&multiply them\r\n#setfraction&1&1..3/4");

    // Closing only hides the window.
    QVERIFY(window.close());
    QVERIFY(!window.isVisible());
    QVERIFY(!window.testAttribute(Qt::WA_QuitOnClose));
}

namespace {
int changed_pixels(const QImage& image, QRgb background)
{
    int changed = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            changed += image.pixel(x, y) != background;
    return changed;
}
} // namespace

void TestScenes::round_trip_plays_in_the_main_window()
{
    QTemporaryDir dir;
    testing::Harness h;
    app::Tutor& t = h.tutor();
    scenes::Authoring& a = t.authoring_model();
    a.tbox_filename = dir.filePath("scene").toStdString();
    a.Text1 = "Look at the blue stick.";
    a.cmd_write_Click();
    a.fraction = "2/3";
    a.Frame2_Click();
    a.cmd_wait_Click(); // returns at once: playback starts with a click
    a.cmd_wait_Click();
    a.fraction = "1/1";
    a.Frame2_Click();
    a.select_op(2);
    a.tbox_request = "multiply the fraction by itself";
    a.Frame1_Click(); // 1/1 * 1/1 = 1/1: holds at the first check
    QVERIFY(a.cmd_savefile_Click());
    const QByteArray bytes = "\r\n#write&Look at the blue stick."
                             "\r\n#setfraction&0&2/3"
                             "\r\n#wait&\r\n#wait&"
                             "\r\n#setfraction&0&1/1"
                             "\r\n#exercise&condition 0 0 * 0&multiply the fraction by itself\r\n";
    QFile file(dir.filePath("scene"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);

    a.set_writestring("");
    QStringList seen;
    h.set_learner([&](testing::Harness& l) {
        const auto shown = l.probe().slots().value(0);
        const QImage text = l.probe().find<ui::PictureBox>("pbox_text")->canvas().image();
        seen << QString("%1/%2 %3").arg(shown->num()).arg(shown->den()).arg(changed_pixels(text, text.pixel(2, 2)) > 50);
        l.click_text();
    });
    QVERIFY(a.cmd_loadfile_Click());
    QCOMPARE(QByteArray::fromStdString(a.writestring()), bytes);
    QVERIFY(!h.settle());
    QVERIFY(h.dialogs.messages.empty());
    // The second wait shows the stick at 2/3 under the written line; the
    // exercise's prompt waits with the slot at 1/1, is answered and stays.
    QCOMPARE(seen, (QStringList{"2/3 1", "1/1 1"}));
    QVERIFY(h.wrote("Please multiply the fraction by itself"));
    QCOMPARE(h.probe().find<ui::Slider>("slider_fracnum", 0)->max(), 2);
}

void TestScenes::playback_is_offered_to_authors_only_data()
{
    QTest::addColumn<bool>("author");
    QTest::newRow("learner") << false;
    QTest::newRow("author") << true;
}

void TestScenes::playback_is_offered_to_authors_only()
{
    QFETCH(bool, author);
    testing::Harness h;
    app::Tutor& t = h.tutor();
    if (author)
        t.offer_authoring({});
    QCOMPARE(h.menu("mnu_test").enabled(), author);
    QCOMPARE(h.menu("mnu_playback").enabled(), author);
    QCOMPARE(h.menu("mnu_1f").enabled(), author);
    t.authoring_model().set_writestring("\r\n#nw&A scene line&");
    h.choose("mnu_playback");
    QVERIFY(!h.settle());
    QCOMPARE(h.wrote("A scene line"), author);
}

void TestScenes::playback_replaces_the_running_lesson()
{
    testing::Harness h;
    app::Tutor& t = h.tutor();
    t.offer_authoring({});
    t.authoring_model().set_writestring("\r\n#nw&First scene line&\r\n#nw&Last scene line&");
    int turns = 0;
    h.set_learner([&](testing::Harness& l) {
        if (++turns == 2)
            l.choose("mnu_playback");
        else
            l.click_text();
    });
    QVERIFY(!h.start());
    // Lesson 1a gave way at its second wait and never came back; the scene's
    // first line passed on playback's own click, its last one waited.
    QCOMPARE(h.last_line(), std::string("Last scene line"));
    QVERIFY(h.probe().message_history().find("First scene line") != std::string::npos);
    QCOMPARE(turns, 3);
}

void TestScenes::missing_file_plays_nothing()
{
    QTemporaryDir dir;
    testing::Harness h;
    app::Tutor& t = h.tutor();
    t.authoring_model().set_writestring("\r\n#nw&Kept&");
    t.authoring_model().tbox_filename = dir.filePath("missing").toStdString();
    const QImage before = h.probe().find<ui::PictureBox>("pbox_text")->canvas().image();
    QVERIFY(!t.authoring_model().cmd_loadfile_Click());
    QVERIFY(!h.settle());
    QCOMPARE(t.authoring_model().writestring(), std::string("\r\n#nw&Kept&"));
    QCOMPARE(h.pump.turns, 0);
    QCOMPARE(h.probe().find<ui::PictureBox>("pbox_text")->canvas().image(), before);
    QCOMPARE(h.dialogs.messages.size(), std::size_t(1));
}

// Headings never pause: nothing may go over what came before again, and the
// window must answer "Exit" meanwhile. Processor time, so a busy machine
// does not fail it; the bench has the precise figures.
void TestScenes::long_run_without_pauses_is_linear_and_answers()
{
    const auto cpu_seconds = [](int count, bool exit_at_once) {
        std::string script;
        for (int i = 0; i < count; ++i)
            script += "\r\n#clear&x&";
        testing::Harness h;
        h.menu("mnu_waitt").set_checked(false);
        h.pump.deliver_qt_events = exit_at_once;
        if (exit_at_once)
            QTimer::singleShot(0, [&h] { h.tutor().quit(); });
        h.tutor().offer_authoring({});
        h.tutor().authoring_model().set_writestring(script);
        const std::clock_t start = std::clock();
        h.menu("mnu_playback").choose();
        if (h.settle() != exit_at_once)
            qFatal("the long scene ended the wrong way");
        return double(std::clock() - start) / CLOCKS_PER_SEC;
    };
    const double small = cpu_seconds(5000, false);
    const double large = cpu_seconds(50000, false);
    QVERIFY2(large < 2, qPrintable(QString::number(large)));
    QVERIFY2(large < 20 * small + 0.2, qPrintable(QString("%1 %2").arg(small).arg(large)));
    // "Exit" ends it within a few dozen commands.
    const double exited = cpu_seconds(50000, true);
    QVERIFY2(exited <= small, qPrintable(QString("%1 %2").arg(exited).arg(small)));
}

// One line of each kind that plays as nothing or fails, among lines that
// play well; the window lists them and takes the author to each.
void TestScenes::check_names_each_line_that_will_not_play()
{
    const std::string script = "\r\n#wait&"
                               "\r\n#nww&typo&"                              // 3 misspelt
                               "\r\n#nw&A fine FontSize__20 line&"
                               "\r\n#setfraction&0"                           // 5 field missing
                               "\r\n#exercise&condition 2 0 + 1"              // 6 prompt missing
                               "\r\n#exercise&condition 2 0 % 1&Do it&"       // 7 unreadable
                               "\r\n#exercise&condition 5 0 + 1&Do it&"       // 8 no slot 5
                               "\r\n#setfraction&1&40/1"                      // 9 sliders refuse
                               "\r\n#setfraction&7&1/2"                       // 10 no slot 7
                               "\r\n#write&Font_Italic__True x"               // 11 markup
                               "\r\n#exercise&condition 2 0 - 1 &Take 1/4 from 3/4&"
                               "\r\n#setfraction&2&1..3/4\r\n#clear&Title&\r\n#wait\r\n"; // 15 no "&"
    QList<int> lines;
    for (const Finding& f : check_script(script)) {
        lines << f.line;
        QVERIFY2(!f.problem.empty() && f.text.starts_with('#'), f.text.c_str());
    }
    QCOMPARE(lines, (QList<int>{3, 5, 6, 7, 8, 9, 10, 11, 15}));
    QVERIFY(check_script(script)[0].problem.find("\"nw\"") != std::string::npos);

    MemoryFiles files;
    RecordingDialogs dialogs;
    Authoring model(files, dialogs);
    model.set_writestring(script);
    app::AuthoringWindow window(model);
    window.refresh();
    window.show();
    QTest::mouseClick(window.findChild<QPushButton*>("cmd_check"), Qt::LeftButton);
    auto* list = window.findChild<QListWidget*>("findings");
    QVERIFY(list->isVisible());
    QCOMPARE(list->count(), 9);
    QVERIFY(list->item(4)->text().startsWith("Line 8: "));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(4)).center());
    QCOMPARE(window.findChild<QPlainTextEdit*>("writestring")->textCursor().blockNumber() + 1, 8);
    model.set_writestring("\r\n#wait&");
    QCOMPARE(window.check(), 0);
    QVERIFY(!list->isVisible());
}

// From a line on: fractions set before it are set, nothing before it is
// written; Stop ends the scene and leaves the screen.
void TestScenes::plays_from_a_line_and_stops()
{
    testing::Harness h;
    app::Tutor& t = h.tutor();
    t.offer_authoring({});
    const std::string script = "\r\n#nw&Before&\r\n#setfraction&0&2/3\r\n#nw&From here&\r\n#nw&Then this&"
                               "\r\n#nw&Not reached&";
    t.authoring_model().set_writestring(script);
    h.set_learner([](testing::Harness& l) { l.tutor().stop_scene(); });
    t.play_scene(script.find("#nw&From"));
    QVERIFY(!h.settle());
    // "From here" took playback's own click: the first wait is on the line after.
    QCOMPARE(h.transcript(), std::vector<std::string>{"Then this"});
    QCOMPARE(h.num(0), 2);
    QCOMPARE(h.den(0), 3);
    QCOMPARE(h.pump.turns, 1);
}

void TestScenes::example_scenes_check_clean_and_play_through_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("an exercise") << "adding-fractions.scene";
    QTest::newRow("a drill") << "subtraction-drill.scene";
}

// The scenes that ship, as the authors' guide shows them: nothing to report,
// and a learner who answers right gets through them.
void TestScenes::example_scenes_check_clean_and_play_through()
{
    QFETCH(QString, name);
    QFile file(QFINDTESTDATA("../data/scenes/" + name));
    QFile guide(QFINDTESTDATA("../docs/scenes.md"));
    QVERIFY(file.open(QIODevice::ReadOnly) && guide.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(guide.readAll().contains(QByteArray("```\n" + QByteArray(bytes).replace("\r\n", "\n") + "```\n")));
    QCOMPARE(check_script(bytes.toStdString()), std::vector<Finding>{});

    testing::Harness h;
    h.tutor().offer_authoring({});
    h.tutor().authoring_model().set_writestring(bytes.toStdString());
    int answered = 0;
    h.set_learner([&answered](testing::Harness& l) {
        if (const auto* asked = std::get_if<exercises::Arithmetic>(l.probe().asked())) {
            const int n0 = l.num(0), d0 = l.den(0), n1 = l.num(1), d1 = l.den(1);
            const bool sum = asked->op == exercises::Operation::sum;
            const int d = d0 == d1 ? d0 : d0 * d1; // as the learner is taught
            QVERIFY(l.set_fraction(2, sum ? n0 * (d / d0) + n1 * (d / d1) : n1 * (d / d1) - n0 * (d / d0), d));
            ++answered;
        }
        l.click_text();
    });
    h.choose("mnu_playback");
    QVERIFY(!h.settle());
    QVERIFY(!h.limit_reached());
    QVERIFY(h.dialogs.messages.empty());
    QCOMPARE(answered, name.contains("drill") ? 3 : 1);
}

void TestScenes::test_menu_opens_a_window_that_closes_alone()
{
    app::Program program(ui::Random::fixed(1), true);
    QVERIFY(!program.authoring_window());
    program.tutor().window().menu_bar().find("mnu_test")->choose();
    auto* window = program.authoring_window();
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QVERIFY(window->isWindow());
    QCOMPARE(window->objectName(), QString("interface"));
    QVERIFY(window->close());
    QVERIFY(!program.tutor().probe().quitting());
    // Opened again, it shows the script it held.
    program.tutor().authoring_model().cmd_wait_Click();
    program.tutor().window().menu_bar().find("mnu_test")->choose();
    QCOMPARE(program.authoring_window(), window);
    QCOMPARE(window->findChild<QPlainTextEdit*>("writestring")->toPlainText(), QString("\n#wait&"));

    // "Playback" lists what will not play as meant.
    auto* findings = window->findChild<QListWidget*>("findings");
    QVERIFY(findings->isHidden());
    program.tutor().authoring_model().set_writestring("\r\n#wait&\r\n#wiat&");
    program.tutor().window().menu_bar().find("mnu_playback")->choose();
    QCOMPARE(findings->count(), 1);
    program.tutor().authoring_model().set_writestring("\r\n#wait&");
    window->refresh();

    // Exit and closing the main window ask about the unsaved script.
    answer_next_box(QMessageBox::Cancel);
    program.tutor().window().menu_bar().find("mnu_exit")->choose();
    QVERIFY(!program.tutor().probe().quitting());
    program.window().show();
    answer_next_box(QMessageBox::Cancel);
    QVERIFY(!program.window().close());
    QVERIFY(!program.tutor().probe().quitting());
    answer_next_box(QMessageBox::Discard);
    QVERIFY(program.window().close());
    QVERIFY(program.tutor().probe().quitting());

    // A button's line is undone with Ctrl+Z; Return in the text adds a line.
    auto* script = window->findChild<QPlainTextEdit*>("writestring");
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTest::mouseClick(window->findChild<QPushButton*>("cmd_nw"), Qt::LeftButton);
    QCOMPARE(script->toPlainText(), QString("\n#wait&\n#nw&&"));
    QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(program.tutor().authoring_model().writestring(), std::string("\r\n#wait&"));
    QTest::keyClicks(window->findChild<QLineEdit*>("Text1"), "Hi");
    QTest::keyClick(window->findChild<QLineEdit*>("Text1"), Qt::Key_Return);
    QCOMPARE(program.tutor().authoring_model().writestring(), std::string("\r\n#wait&\r\n#write&Hi"));
}

QTEST_MAIN(TestScenes)
#include "tst_scenes.moc"
