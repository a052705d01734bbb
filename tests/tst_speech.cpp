#include "support/harness.h"
#include "support/learner.h"

#include <QtTest>

#include <algorithm>

using namespace quorrel;
using testing::Harness;

namespace {

// Runs `steps` as lesson 1a with "Read aloud" checked, the learner clicking
// on at every wait. A step is "line:", "text:" or "title:" with its text,
// "page:k", "toggle" (the menu item) or "fail" (the engine breaks down).
void run_steps(Harness& h, const QStringList& steps)
{
    h.add_lesson("1a", [&h, steps](const lessons::Stage& s) {
        for (const QString& step : steps) {
            const std::string arg = step.section(':', 1).toStdString();
            if (step.startsWith("line:"))
                s.say.write_line(arg);
            else if (step.startsWith("text:"))
                s.say.write_text(arg);
            else if (step.startsWith("title:"))
                s.say.lesson_title(arg);
            else if (step.startsWith("page:"))
                s.pages.page(std::stoi(arg));
            else if (step == "toggle")
                h.choose("mnu_read");
            else if (step == "fail")
                h.speech.works = false;
        }
    });
    h.start_lesson("1a");
    h.settle();
}

QStringList told(const Harness& h)
{
    QStringList out;
    for (const std::string& entry : h.speech.told)
        out << QString::fromStdString(entry);
    return out;
}

} // namespace

class TestSpeech : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void reading_data();
    void reading();
    void startsUncheckedAtTheEndOfChoices();
    void unavailableEngineDisablesTheItem();
    void anotherLessonStopsTheLine();
    void wholeCourseReadsWithoutMarkup();
    void theVoiceIsLoadedOnlyWhenStarted();
    void theEngineIsJudgedByWhatItDoes_data();
    void theEngineIsJudgedByWhatItDoes();
    void aLineIsSaidInShortPhrasesAndNeverCut();
};

void TestSpeech::reading_data()
{
    QTest::addColumn<bool>("checked");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("told");

    // The voice stops as the lesson ends, as it does on a new page.
    QTest::newRow("each line after a click replaces the last")
        << true << QStringList{"line:The fraction 2/3 FontItalic__True matters FontItalic__False .", "line:Next."}
        << QStringList{"stop", "say: The fraction 2 over 3 matters.", "say: Next.", "stop"};
    QTest::newRow("a title and its first line are read as one")
        << true << QStringList{"title:2a", "line:A fraction can be rewritten."}
        << QStringList{"stop", "say: Lesson 2a: Expanding fractions",
                       "say: Lesson 2a: Expanding fractions. A fraction can be rewritten.", "stop"};
    QTest::newRow("text then its line")
        << true << QStringList{"text:In this case, ", "line:FontSize__30 2/3 = 10/15 FontSize__"}
        << QStringList{"stop", "say: In this case,", "say: In this case, 2 over 3 equals 10 over 15", "stop"};
    QTest::newRow("a page change stops the line")
        << true << QStringList{"line:One.", "page:2", "line:Two."}
        << QStringList{"stop", "say: One.", "stop", "say: Two.", "stop"};
    QTest::newRow("an empty line moves on too")
        << true << QStringList{"line:One.", "line:", "line:Two."}
        << QStringList{"stop", "say: One.", "stop", "say: Two.", "stop"};
    QTest::newRow("unchecked says nothing") << false << QStringList{"line:One.", "page:2", "line:Two."}
                                            << QStringList{};
    QTest::newRow("unchecking stops at once")
        << true << QStringList{"line:One.", "toggle", "line:Two."} << QStringList{"stop", "say: One.", "stop"};
    QTest::newRow("checking reads from the next line")
        << false << QStringList{"line:One.", "toggle", "line:Two."} << QStringList{"say: Two.", "stop"};
    QTest::newRow("a failed engine withdraws the item")
        << true << QStringList{"line:One.", "fail", "line:Two.", "page:2"} << QStringList{"stop", "say: One."};
}

void TestSpeech::reading()
{
    QFETCH(bool, checked);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, told);
    Harness h;
    if (checked)
        h.choose("mnu_read");
    run_steps(h, steps);
    QCOMPARE(::told(h), told);
    const ui::MenuItem& item = h.menu("mnu_read");
    QCOMPARE(item.enabled(), h.speech.works);
    if (!h.speech.works)
        QVERIFY(!item.checked());
}

void TestSpeech::startsUncheckedAtTheEndOfChoices()
{
    Harness h;
    const auto& choices = h.menu("mnu_modes").items();
    QCOMPARE(choices.back()->caption(), "Read aloud");
    QCOMPARE(choices[choices.size() - 2]->caption(), "Frac 2 Mixed");
    QVERIFY(choices.back()->checkable);
    QVERIFY(!choices.back()->checked());
    QVERIFY(choices.back()->enabled());
}

void TestSpeech::unavailableEngineDisablesTheItem()
{
    testing::FakeClock clock;
    testing::ScriptedPump pump(clock);
    testing::RecordingDialogs dialogs;
    testing::FakeSpeech speech;
    speech.works = false;
    app::Tutor tutor({pump, clock, dialogs, ui::Random::fixed(1), speech}, 1280, 1000);
    ui::MenuItem& item = *tutor.window().menu_bar().find("mnu_read");
    QVERIFY(!item.enabled());
    item.choose();
    QVERIFY(!item.checked());
    QVERIFY(speech.told.empty());
    // The system's engine, whatever this machine has, gives a usable answer.
    const auto system = ui::system_speech();
    system->stop();
}

void TestSpeech::anotherLessonStopsTheLine()
{
    Harness h;
    h.choose("mnu_read");
    h.add_lesson("1a", [](const lessons::Stage& s) { s.say.write_line("One."); });
    h.add_lesson("1b", [](const lessons::Stage& s) { s.say.write_text("Other."); });
    h.set_learner([](Harness& l) { l.choose("mnu_1b"); });
    h.start_lesson("1a");
    h.settle();
    // 1a stops as it unwinds, and 1b again as it starts clean.
    QCOMPARE(told(h), (QStringList{"stop", "say: One.", "stop", "stop", "say: Other.", "stop"}));
}

// The real lessons: nothing the voice is handed shows markup, a bullet or a
// built-up fraction's slash.
void TestSpeech::wholeCourseReadsWithoutMarkup()
{
    Harness h(7);
    h.choose("mnu_read");
    testing::Walker walker;
    h.set_learner([&walker](Harness& l) { walker(l); });
    h.start();
    const std::vector<std::string> said = h.speech.said();
    QVERIFY(said.size() > 500);
    if (qEnvironmentVariableIsSet("QUORREL_SHOW_SPEECH"))
        for (const std::string& text : said)
            qDebug("%s", text.c_str());
    for (const std::string& text : said) {
        QVERIFY2(text.find("__") == std::string::npos, text.c_str());
        QVERIFY2(text.find('\r') == std::string::npos && text.find('\n') == std::string::npos, text.c_str());
        QVERIFY2(text.find("  ") == std::string::npos, text.c_str());
    }
}

// Whether a library whose path holds any of `names` is mapped into this process.
bool mapped(const QStringList& names)
{
    QFile maps("/proc/self/maps");
    if (!maps.open(QIODevice::ReadOnly))
        return false;
    const QString all = QString::fromLatin1(maps.readAll());
    return std::ranges::any_of(names, [&all](const QString& name) { return all.contains(name); });
}

void TestSpeech::theVoiceIsLoadedOnlyWhenStarted()
{
    const QStringList voice{"TextToSpeech", "Multimedia", "libpulse", "libasound", "flite", "quorrel_speech"};
    if (qEnvironmentVariableIsEmpty("QUORREL_SPEECH_MODULE"))
        QSKIP("built without the speech module");
    QVERIFY(!mapped(voice));
    auto speech = ui::system_speech();
    QVERIFY(speech->available()); // not known to fail before it is tried
    QVERIFY(speech->fault().empty());
    speech->say("Nothing is said before the voice starts.");
    speech->stop();
    QVERIFY(!mapped(voice));
    const bool started = speech->start();
    QVERIFY(mapped({"quorrel_speech"}));
    // Started or not, it says why not in words, and a second start is the first's answer.
    QCOMPARE(speech->available(), started);
    QCOMPARE(speech->fault().empty(), started);
    QCOMPARE(speech->start(), started);
}

void TestSpeech::theEngineIsJudgedByWhatItDoes_data()
{
    QTest::addColumn<QByteArray>("mode"); // see tests/fake_voice
    QTest::addColumn<bool>("starts");
    QTest::addColumn<bool>("speaks");
    QTest::addColumn<QString>("why"); // words the greyed-out item shows
    QTest::newRow("works") << QByteArray("works") << true << true << QString();
    QTest::newRow("ready, with a stale reason from its start") << QByteArray("stale") << true << true << QString();
    QTest::newRow("no sound device") << QByteArray("mute") << false << false << "No sound device";
    QTest::newRow("does not start") << QByteArray("broken") << false << false << "could not be opened";
    QTest::newRow("fails while speaking") << QByteArray("breaks") << true << false << "went away";
}

void TestSpeech::theEngineIsJudgedByWhatItDoes()
{
    QFETCH(QByteArray, mode);
    QFETCH(bool, starts);
    QFETCH(bool, speaks);
    QFETCH(QString, why);
    if (qEnvironmentVariableIsEmpty("QUORREL_FAKE_VOICE_BUILT"))
        QSKIP("built without the speech module");
    qputenv("QUORREL_SPEECH_ENGINE", "fake");
    qputenv("QUORREL_FAKE_VOICE", mode);
    // A new voice each time: each loads its engine anew.
    const auto speech = ui::system_speech();
    QCOMPARE(speech->start(), starts);
    speech->say("One.");
    QCoreApplication::processEvents();
    QCOMPARE(speech->available(), speaks);
    QVERIFY2(QString::fromStdString(speech->fault()).contains(why), speech->fault().c_str());
    QCOMPARE(speech->fault().empty(), speaks);
}

void TestSpeech::aLineIsSaidInShortPhrasesAndNeverCut()
{
    if (qEnvironmentVariableIsEmpty("QUORREL_FAKE_VOICE_BUILT"))
        QSKIP("built without the speech module");
    QTemporaryDir dir;
    const QString log_path = dir.filePath("said");
    qputenv("QUORREL_SPEECH_ENGINE", "fake");
    qputenv("QUORREL_FAKE_VOICE", "works");
    qputenv("QUORREL_FAKE_VOICE_LOG", log_path.toUtf8());
    const auto speech = ui::system_speech();
    QVERIFY(speech->start());
    const QString first = "To add fractions with different denominators, first rewrite them, so that they "
                          "have the same denominator; then add the numerators. Try it with 1/2 and 1/3 now.";
    speech->say(first.toStdString());
    // A new line waits for the phrase being said: flite fails after a cut.
    speech->say("Next line.");
    QTest::qWait(20);
    speech->say("Another line that is long enough to be said in two phrases, at least it should be.");
    speech->stop(); // the phrase being said ends, nothing of its line follows
    QTest::qWait(20);
    // A line that goes on from the last (a title, then the title and its
    // first line) goes on from what was said, not from its start.
    speech->say("Lesson 2a: Expanding fractions");
    speech->say("Lesson 2a: Expanding fractions. A fraction can be rewritten.");
    QTest::qWait(20);
    QFile log(log_path);
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QStringList said = QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(said.size(), 5);
    QVERIFY(first.startsWith(said[0]));
    QCOMPARE(said[1], "Next line.");
    QVERIFY(said[2].startsWith("Another line"));
    QCOMPARE(said[3], "Lesson 2a: Expanding fractions");
    QCOMPARE(said[4], "A fraction can be rewritten.");
    for (const QString& phrase : said)
        QVERIFY2(phrase.size() <= 60, qPrintable(phrase));
}

QTEST_MAIN(TestSpeech)
#include "tst_speech.moc"
