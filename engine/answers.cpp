// Answer checking, feedback and the scores.
#include "engine/study_state.h"

#include <cmath>

namespace engine {

namespace {
constexpr view::Colour kLightGreen = 0x00C0FFC0;
constexpr view::Colour kRed = 0x000000FF;

QString wholeNumber(float value) { return QString::number(qint64(value)); }
} // namespace

void StudyEngine::setScoreResetTexts()
{
    m_c.Label2->setText(QStringLiteral("Total Correct = 0"));
    m_c.Label3->setText(QStringLiteral("Total Incorrect = 0"));
    m_c.Label4->setText(QStringLiteral("Percentage = 0"));
}

void StudyEngine::CheckAnswer(QChar letter)
{
    // Claimed before any feedback runs, so that no second answer to this display can
    // count as a first attempt, whatever the repaint lets through.
    const bool firstAttempt = m_state.answered == 0;
    m_state.answered = 1;
    const int q = toIndex(m_state.currentQuestion);
    const bool scored = q >= 0 && q < kPoolRows;

    const QChar correct = correctLetter();
    const bool right = !correct.isNull() && correct == letter;
    if (right) {
        m_state.lastAnswer = QString(letter);
        ShowCorrect();
        if (firstAttempt) {
            m_state.totalCorrect += 1;
            m_c.Label2->setText(QStringLiteral("Total Correct: ") + wholeNumber(m_state.totalCorrect));
            if (scored)
                m_state.questionScore[std::size_t(q)] += 1;
        }
    } else {
        ShowTryAgain();
        if (firstAttempt) {
            m_state.totalIncorrect += 1;
            m_c.Label3->setText(QStringLiteral("Total Incorrect: ") + wholeNumber(m_state.totalIncorrect));
            if (scored)
                m_state.questionScore[std::size_t(q)] -= 1;
        }
    }
    ShowPercentage();
    m_c.Command1->setFocus();

    // Told only now, so that no listener delays the feedback.
    if (firstAttempt) {
        if (const questions::Question *shown = displayedQuestion())
            for (StudyListener *listener : m_listeners)
                listener->firstAttempt(*shown, letter, right, m_hinted);
    }
}

void StudyEngine::ShowCorrect()
{
    for (int i = 0; i < 4; ++i)
        if (m_state.lastAnswer != QString(QChar(u'A' + i)))
            m_c.lblDist[std::size_t(i)]->setText(QString());
    for (view::Button *button : m_c.cmdAnswer)
        button->setVisible(false);
    m_c.Label11->setBackColor(kLightGreen);
    m_c.Label11->setText(QStringLiteral("Correct!"));
    m_c.Label11->setVisible(true);
    m_services.repaintNow();
    if (m_c.Check1->value() == 1)
        PlaySound(QStringLiteral("Correct"));
    // A second correct answer while a move is pending keeps the running count.
    if (m_c.Check2->value() == 1 && !m_c.Timer1->isEnabled())
        m_c.Timer1->setEnabled(true);
}

void StudyEngine::ShowTryAgain()
{
    m_c.Label11->setBackColor(kRed);
    m_c.Label11->setText(QStringLiteral("Try Again!"));
    m_c.Label11->setVisible(true);
    m_services.repaintNow();
    if (m_c.Check1->value() == 1)
        PlaySound(QStringLiteral("Try"));
}

void StudyEngine::ShowPercentage()
{
    const float n = m_state.totalCorrect + m_state.totalIncorrect;
    if (!(n > 0))
        return;
    const float ratio = m_state.totalCorrect / n;
    // "###%": times 100, halves up, and no digit at all for zero.
    const auto percent = qint64(std::floor(double(ratio) * 100.0 + 0.5));
    const QString digits = percent == 0 ? QString() : QString::number(percent);
    m_c.Label4->setText(QStringLiteral("Percentage: ") + digits + QStringLiteral("%"));
}

void StudyEngine::NewTest()
{
    m_state.randomMode = 0;
    m_state.totalIncorrect = 0;
    m_state.totalCorrect = 0;
    m_state.currentQuestion = 0;
    ShowQuestion();
    setScoreResetTexts();
    m_c.Command1->setFocus();
}

void StudyEngine::ResetHistory()
{
    std::fill(m_state.questionScore.begin(), m_state.questionScore.end() - 1, 0.0f);
    if (m_c.window == nullptr || m_c.window->isShowing())
        m_c.Command1->setFocus();
}

void StudyEngine::AnswerClicked(int choice)
{
    if (choice >= 0 && choice < 4)
        CheckAnswer(QChar(u'A' + choice));
}

void StudyEngine::ChoiceLabelClicked(int choice)
{
    if (choice >= 0 && choice < 4 && m_c.lblDist[std::size_t(choice)]->isEnabled())
        AnswerClicked(choice);
}

} // namespace engine
