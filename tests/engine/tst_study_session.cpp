// A study session against the in-memory window: display, answers and scores,
// navigation, the hint, keys, auto-advance and sound.
#include "study_fixture.h"

#include <QTest>

using engine::ExamClass;
using testing::poolText;
using testing::StudyFixture;

namespace {

// A fixture with a loaded pool of `count` questions whose answers are given by `answers`.
struct Session : StudyFixture
{
    explicit Session(int count = 35, const QByteArray &answers = "ABCD")
    {
        for (int i = 0; i < count; ++i)
            ids << "T0A" + QByteArray::number(i) + " (" + answers.at(i % answers.size()) + ") [97.1]";
        writeStartFile("questech.txt", poolText(ids));
        start();
    }
    QList<QByteArray> ids; // the identifier lines of the pool
    void go(int index)
    {
        state().currentQuestion = float(index);
        engine->ShowQuestion();
    }
    QStringList choices() { return {text("lblDist1"), text("lblDist2"), text("lblDist3"), text("lblDist4")}; }
    bool buttonsVisible()
    {
        for (const char *name : {"cmdA", "cmdB", "cmdC", "cmdD"})
            if (!static_cast<view::memory::MemButton *>(window.find(name))->m_visible)
                return false;
        return true;
    }
};

} // namespace

class StudySessionTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void the_heading_cuts_out_the_answer_mark_data()
    {
        QTest::addColumn<QString>("line0");
        QTest::addColumn<QString>("heading");
        QTest::newRow("mark in the middle") << "T1A12 (B) [97.1]"
                                            << " Question # 1  T1A12  [97.1]";
        QTest::newRow("mark at the end") << "T1A12 (B)"
                                         << " Question # 1  T1A12 ";
        QTest::newRow("no mark") << "T1A12 B"
                                 << " Question # 1  ";
        QTest::newRow("one character after the bracket") << "T1A12 (B"
                                                         << " Question # 1  ";
        QTest::newRow("empty line") << ""
                                    << " Question # 1  ";
        QTest::newRow("markup stays text") << "<b>T1</b> (A)"
                                           << " Question # 1  <b>T1</b> ";
    }
    void the_heading_cuts_out_the_answer_mark()
    {
        QFETCH(QString, line0);
        QFETCH(QString, heading);
        StudyFixture s;
        s.writeStartFile("questech.txt", poolText({line0.toUtf8()}));
        s.start();
        QCOMPARE(s.text("Label1"), heading);
    }

    void showing_a_question_rearms_every_control()
    {
        Session s;
        QByteArray text = poolText(s.ids);
        text.replace("Question of T0A3 (D) [97.1]?\r\nA.  first\r\nB.  second",
                     "Question of T0A3 (D) [97.1]?\r\nA.  \r\nB.");
        s.writeStartFile("questech.txt", text);
        QVERIFY(s.engine->LoadPool(ExamClass::Technician));
        s.engine->CheckAnswer(u'A');
        s.engine->Hint();
        QVERIFY(!s.buttonsVisible());
        s.go(3);
        QVERIFY(s.buttonsVisible());
        QVERIFY(!s.label("Label11")->m_visible);
        QCOMPARE(s.choices(), QStringList({"", "", "third", "fourth"}));
        for (int i = 1; i <= 4; ++i)
            QVERIFY(s.label(QString("lblDist%1").arg(i))->m_enabled);
        QCOMPARE(s.state().answered, 0);
        QCOMPARE(s.text("lblQuestion"), "Question of T0A3 (D) [97.1]?");
        s.go(1500);
        QCOMPARE(s.text("Label1"), " Question # 1501  ");
        s.go(-1);
        QCOMPARE(s.text("Label1"), "");
        QCOMPARE(s.choices(), QStringList({"", "", "", ""}));
    }

    void a_right_first_answer_counts_once()
    {
        Session s;
        s.engine->CheckAnswer(u'A');
        QCOMPARE(s.state().totalCorrect, 1.0f);
        QCOMPARE(s.state().questionScore[0], 1.0f);
        QCOMPARE(s.text("Label2"), "Total Correct: 1");
        QCOMPARE(s.text("Label3"), "Total Incorrect = 0");
        QCOMPARE(s.text("Label4"), "Percentage: 100%");
        QCOMPARE(s.text("Label11"), "Correct!");
        QCOMPARE(s.label("Label11")->m_back, 0x00C0FFC0u);
        QVERIFY(s.label("Label11")->m_visible);
        QCOMPARE(s.choices(), QStringList({"first", "", "", ""}));
        QVERIFY(!s.buttonsVisible());
        QCOMPARE(s.window.m_focus, "Command1");
        QCOMPARE(s.sound.played, QStringList{s.state().startDir + "/Correct.wav"});
        QVERIFY(s.timer1->m_enabled);

        s.engine->CheckAnswer(u'A'); // again: feedback, no count
        QCOMPARE(s.state().totalCorrect, 1.0f);
        QCOMPARE(s.state().questionScore[0], 1.0f);
        QCOMPARE(s.timer1->m_starts, 1); // the pending move keeps its count
        s.engine->CheckAnswer(u'C');     // a wrong letter after solving: red, no count
        QCOMPARE(s.text("Label11"), "Try Again!");
        QCOMPARE(s.label("Label11")->m_back, 0x000000FFu);
        QCOMPARE(s.state().totalIncorrect, 0.0f);
        QCOMPARE(s.sound.played.last(), s.state().startDir + "/Try.wav");
    }

    void a_wrong_first_answer_counts_against_the_question()
    {
        Session s;
        s.timer1->m_enabled = false;
        s.engine->CheckAnswer(u'B');
        QCOMPARE(s.state().totalIncorrect, 1.0f);
        QCOMPARE(s.state().questionScore[0], -1.0f);
        QCOMPARE(s.text("Label3"), "Total Incorrect: 1");
        QCOMPARE(s.text("Label2"), "Total Correct = 0");
        QCOMPARE(s.choices(), QStringList({"first", "second", "third", "fourth"}));
        QVERIFY(s.buttonsVisible());
        QVERIFY(!s.timer1->m_enabled);
        s.engine->CheckAnswer(u'A');
        QCOMPARE(s.state().totalCorrect, 0.0f);
        QCOMPARE(s.state().questionScore[0], -1.0f);
        QCOMPARE(s.text("Label4"), "Percentage: %");
        QCOMPARE(s.text("Label11"), "Correct!");
    }

    void only_an_exact_upper_case_letter_is_right()
    {
        Session s(2, "c");
        s.writeStartFile("questech.txt", poolText({s.ids[0], "no mark"}));
        QVERIFY(s.engine->LoadPool(ExamClass::Technician));
        s.engine->CheckAnswer(u'C');
        QCOMPARE(s.state().totalIncorrect, 1.0f);
        s.engine->Next();
        for (QChar letter : {u'A', u'B', u'C', u'D', u'n'})
            s.engine->CheckAnswer(letter);
        QCOMPARE(s.state().totalCorrect, 0.0f);
        QCOMPARE(s.state().totalIncorrect, 2.0f);
    }

    void percentages_round_halves_up_data()
    {
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("wrong");
        QTest::addColumn<QString>("text");
        QTest::newRow("1 of 1") << 1 << 0 << "Percentage: 100%";
        QTest::newRow("1 of 2") << 1 << 1 << "Percentage: 50%";
        QTest::newRow("1 of 3") << 1 << 2 << "Percentage: 33%";
        QTest::newRow("2 of 3") << 2 << 1 << "Percentage: 67%";
        QTest::newRow("1 of 8") << 1 << 7 << "Percentage: 13%";
        QTest::newRow("0 of 4") << 0 << 4 << "Percentage: %";
        QTest::newRow("none yet") << 0 << 0 << "Percentage = 0";
    }
    void percentages_round_halves_up()
    {
        QFETCH(int, right);
        QFETCH(int, wrong);
        QFETCH(QString, text);
        Session s(20, "A");
        for (int i = 0; i < right + wrong; ++i) {
            s.engine->CheckAnswer(i < right ? u'A' : u'B');
            s.engine->Next();
        }
        QCOMPARE(s.text("Label4"), text);
    }

    void new_test_and_reset_history_clear_their_own_scores()
    {
        Session s;
        s.engine->CheckAnswer(u'B');
        s.random.draws = {0.5f};
        s.engine->RandomQuestion();
        s.engine->CheckAnswer(u'B');
        s.state().questionScore[1500] = 3;
        s.engine->NewTest();
        QCOMPARE(s.state().totalCorrect + s.state().totalIncorrect, 0.0f);
        QCOMPARE(s.current(), 0);
        QCOMPARE(s.state().randomMode, 0);
        QCOMPARE(s.text("Label2"), "Total Correct = 0");
        QCOMPARE(s.text("Label3"), "Total Incorrect = 0");
        QCOMPARE(s.text("Label4"), "Percentage = 0");
        QCOMPARE(s.state().questionScore[0], -1.0f);

        s.engine->Next();
        s.engine->CheckAnswer(u'B');
        s.window.m_focus.clear();
        s.engine->ResetHistory();
        QCOMPARE(s.state().questionScore[0], 0.0f);
        QCOMPARE(s.state().questionScore[1], 0.0f);
        QCOMPARE(s.state().questionScore[1500], 3.0f);
        QCOMPARE(s.text("Label2"), "Total Correct: 1");
        QCOMPARE(s.current(), 1);
        QCOMPARE(s.window.m_focus, "Command1");
    }

    void moves_wrap_to_the_ends_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("to");
        using namespace engine;
        QTest::newRow("next past the end") << 35 << 34 << int(KeyN) << 0;
        QTest::newRow("previous before the start") << 35 << 0 << int(KeyP) << 34;
        QTest::newRow("forward 20 from 15") << 35 << 15 << int(KeyW) << 0;
        QTest::newRow("forward 20 from 14") << 35 << 14 << int(KeyW) << 34;
        QTest::newRow("back 20 from 19") << 35 << 19 << int(KeyK) << 34;
        QTest::newRow("back 20 from 20") << 35 << 20 << int(KeyK) << 0;
        QTest::newRow("forward 20 from 30 does not carry") << 35 << 30 << int(KeyW) << 0;
        QTest::newRow("one question: next") << 1 << 0 << int(KeyN) << 0;
        QTest::newRow("one question: back 20") << 1 << 0 << int(KeyK) << 0;
        QTest::newRow("no questions: next") << 0 << 0 << int(KeyN) << 0;
        QTest::newRow("no questions: forward 20") << 0 << 0 << int(KeyW) << 0;
        QTest::newRow("no questions: previous") << 0 << 0 << int(KeyP) << -1;
    }
    void moves_wrap_to_the_ends()
    {
        QFETCH(int, count);
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(int, to);
        Session s(count);
        s.go(from);
        int code = key;
        s.engine->KeyDown(code);
        QCOMPARE(code, 0);
        QCOMPARE(s.current(), to);
    }

    void random_draws_cover_the_pool_and_set_random_mode()
    {
        Session s(1501);
        s.random.draws = {0.0f, 0.5f, 0.99999994f};
        s.engine->RandomQuestion();
        QCOMPARE(s.current(), 0);
        s.engine->RandomQuestion();
        QCOMPARE(s.current(), 750);
        s.engine->RandomQuestion();
        QCOMPARE(s.current(), 1500);
        QCOMPARE(s.state().randomMode, 1);
        QCOMPARE(s.random.reseeds, 3);

        Session empty(0);
        empty.random.draws = {0.7f};
        empty.engine->RandomQuestion();
        QCOMPARE(empty.current(), 0);
    }

    void least_correct_finds_the_first_lowest_score_data()
    {
        QTest::addColumn<QList<float>>("scores");
        QTest::addColumn<int>("to");
        QTest::newRow("ties go to the first") << QList<float>{0, -2, -2, 1} << 1;
        QTest::newRow("all zero") << QList<float>{0, 0, 0, 0} << 0;
        QTest::newRow("last is lowest") << QList<float>{0, 0, 0, -1} << 3;
    }
    void least_correct_finds_the_first_lowest_score()
    {
        QFETCH(QList<float>, scores);
        QFETCH(int, to);
        Session s(4);
        s.random.draws = {0.9f};
        s.engine->RandomQuestion();
        for (int i = 0; i < scores.size(); ++i)
            s.state().questionScore[std::size_t(i)] = scores[i];
        s.engine->LeastCorrect();
        QCOMPARE(s.current(), to);
        QCOMPARE(s.state().randomMode, 1); // left as it was
    }

    void the_hint_never_removes_the_right_choice_data()
    {
        QTest::addColumn<QByteArray>("answer");
        // How often A..D go over 1200 evenly spread draws: the ends of the range come up
        // half as often as the middle, and the right choice passes its turn to the next.
        QTest::addColumn<QList<int>>("removals");
        QTest::newRow("answer B") << QByteArray("B") << QList<int>{200, 0, 800, 200};
        QTest::newRow("answer D") << QByteArray("D") << QList<int>{400, 400, 400, 0};
        QTest::newRow("lower-case answer") << QByteArray("b") << QList<int>{200, 400, 400, 200};
    }
    void the_hint_never_removes_the_right_choice()
    {
        QFETCH(QByteArray, answer);
        QFETCH(QList<int>, removals);
        QList<int> counts{0, 0, 0, 0};
        Session s(1, answer);
        for (int i = 0; i < 1200; ++i) {
            s.engine->ShowQuestion();
            s.random.draws = {(float(i) + 0.5f) / 1200.0f};
            s.engine->Hint();
            for (int c = 0; c < 4; ++c) {
                auto *choice = s.label(QString("lblDist%1").arg(c + 1));
                if (!choice->m_enabled) {
                    QCOMPARE(choice->m_text, "");
                    ++counts[c];
                }
            }
            QCOMPARE(s.window.m_focus, "Command1");
        }
        QCOMPARE(counts, removals);
    }

    void repeated_hints_leave_the_right_choice_alone()
    {
        Session s(1, "C");
        for (int i = 0; i < 40; ++i) {
            s.random.draws = {float(i % 12) / 12.0f};
            s.engine->Hint();
        }
        QCOMPARE(s.choices(), QStringList({"", "", "third", ""}));
        QVERIFY(s.label("lblDist3")->m_enabled);
        s.engine->ChoiceLabelClicked(0); // a removed choice's label ignores clicks
        QCOMPARE(s.state().answered, 0);
        s.engine->AnswerClicked(0); // its button still answers, wrongly
        QCOMPARE(s.state().totalIncorrect, 1.0f);
    }

    void keys_outside_the_table_pass_through()
    {
        Session s;
        for (int code : {13, 32, 70, 72, 90, 0x01000020}) {
            int key = code;
            s.engine->KeyDown(key);
            QCOMPARE(key, code);
        }
        QCOMPARE(s.current(), 0);
        QCOMPARE(s.state().answered, 0);
        int e = engine::KeyE;
        s.engine->KeyDown(e);
        QCOMPARE(e, 0);
    }

    void auto_advance_follows_the_last_move()
    {
        Session s;
        s.go(5);
        s.engine->CheckAnswer(u'B');
        QVERIFY(s.timer1->m_enabled);
        s.engine->Timer1Tick();
        QCOMPARE(s.current(), 6);
        QVERIFY(!s.timer1->m_enabled);

        // Previous during the wait: back one, then the timer moves forward again.
        s.engine->CheckAnswer(u'C');
        s.engine->Previous();
        QCOMPARE(s.current(), 5);
        s.engine->Timer1Tick();
        QCOMPARE(s.current(), 6);

        // Next cancels the pending move.
        s.engine->CheckAnswer(u'C');
        s.engine->Next();
        QVERIFY(!s.timer1->m_enabled);
        s.engine->Timer1Tick();
        QCOMPARE(s.current(), 7);

        // New Test during the wait lands on index 1 when the timer fires.
        s.engine->CheckAnswer(u'D');
        s.engine->NewTest();
        s.engine->Timer1Tick();
        QCOMPARE(s.current(), 1);

        // After Random, the timer draws again.
        s.random.draws = {0.5f, 0.1f};
        s.engine->RandomQuestion();
        QCOMPARE(s.current(), 17);
        s.engine->CheckAnswer(u'B');
        s.engine->LeastCorrect();
        s.engine->Timer1Tick();
        QCOMPARE(s.current(), 3);

        // Auto Advance unticked: no move is started.
        s.check2->m_value = 0;
        s.engine->CheckAnswer(QChar(u'A' + s.current() % 4));
        QVERIFY(!s.timer1->m_enabled);
    }

    void sound_is_silent_when_audio_is_off()
    {
        Session s;
        s.check1->m_value = 0;
        s.engine->CheckAnswer(u'B');
        s.engine->CheckAnswer(u'A');
        QVERIFY(s.sound.played.isEmpty());
        s.window.m_focus.clear();
        s.engine->Check1Clicked();
        QCOMPARE(s.window.m_focus, "Command1");
        s.engine->Unload();
        QCOMPARE(s.sound.closes, 1);
    }
};

QTEST_GUILESS_MAIN(StudySessionTest)
#include "tst_study_session.moc"
