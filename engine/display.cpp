// Showing the question at currentQuestion.
#include "engine/study_state.h"

namespace engine {

namespace {
const QString kEmpty;
} // namespace

const QString &StudyEngine::poolLine(int line) const
{
    const int q = toIndex(m_state.currentQuestion);
    if (q < 0 || q >= kPoolRows)
        return kEmpty; // no record to show: everything reads as empty text
    return m_state.questionPool[std::size_t(q)][std::size_t(line)];
}

QChar StudyEngine::correctLetter() const
{
    const QString &line0 = poolLine(0);
    const qsizetype open = line0.indexOf(u'(');
    if (open < 0 || open + 1 >= line0.size())
        return {};
    return line0[open + 1];
}

const questions::Question *StudyEngine::displayedQuestion() const
{
    // Rows 0 .. count-1 hold the loaded pool's records; any other row is not its question.
    const int q = toIndex(m_state.currentQuestion);
    if (q < 0 || q >= m_pool.questions.size())
        return nullptr;
    return &m_pool.questions[q];
}

void StudyEngine::ShowQuestion()
{
    m_state.answered = 0;
    m_hinted = false;
    m_c.Label11->setVisible(false);
    for (view::Label *choice : m_c.lblDist)
        choice->setEnabled(true);
    for (view::Button *button : m_c.cmdAnswer)
        button->setVisible(true);

    m_c.lblQuestion->setText(poolLine(1));
    for (int i = 0; i < 4; ++i)
        m_c.lblDist[std::size_t(i)]->setText(poolLine(2 + i).mid(4)); // shorter lines show empty

    // The heading is line 0 with its "(X)" answer mark cut out; a line without a whole
    // mark shows no identifier rather than a wrong one.
    const QString &line0 = poolLine(0);
    const qsizetype open = line0.indexOf(u'(');
    QString identifier;
    if (open >= 0 && open + 3 <= line0.size())
        identifier = line0.left(open) + line0.mid(open + 3);
    const int q = toIndex(m_state.currentQuestion);
    if (q < 0 || q >= kPoolRows)
        m_c.Label1->setText(QString());
    else
        m_c.Label1->setText(QStringLiteral(" Question # ") + QString::number(q + 1) + QStringLiteral("  ") +
                            identifier);

    const questions::Question *shown = displayedQuestion();
    for (StudyListener *listener : m_listeners)
        listener->questionShown(shown);
}

} // namespace engine
