#include "examwindow/exam_window.h"

#include "examwindow/eliding_label.h"
#include "examwindow/question_strip.h"
#include "examwindow/result_page.h"
#include "figures/figure_view.h"
#include "figures/figure_window.h"
#include "windowstate/text_zoom.h"
#include "windowstate/window_state.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QScrollArea>
#include <QSettings>
#include <QShortcut>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace examwindow {

namespace {

QLabel *plainLabel(QWidget *parent, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

// The choice shown at display position i, with its shown letter.
QString letteredChoice(const questions::Question &q, const exam::ChoiceOrder &order, int i)
{
    return QString(QChar(u'A' + i)) + QStringLiteral(": ") + q.choice(order[std::size_t(i)]).toString();
}

const QString kShuffleKey = QStringLiteral("choices/shuffle");

} // namespace

ExamWindow::ExamWindow(questions::Pool pool, questions::ExamRules rules, QList<int> drawn, QWidget *parent)
    : QWidget(parent), m_pool(std::move(pool))
{
    m_exam.emplace(std::move(rules), std::move(drawn), QDateTime::currentDateTime());
    setWindowTitle(QStringLiteral("Practice Exam: %1").arg(m_exam->rules().className));
    build(m_exam->count());
    showQuestion();
}

ExamWindow::ExamWindow(questions::Pool pool, QString subelement, QList<int> order, QWidget *parent)
    : QWidget(parent), m_pool(std::move(pool)), m_drillStarted(QDateTime::currentDateTime())
{
    m_drill.emplace(std::move(subelement), std::move(order));
    setWindowTitle(QStringLiteral("Drill: Subelement %1").arg(m_drill->subelement()));
    build(m_drill->count());
    showQuestion();
}

ExamWindow::~ExamWindow() = default;

int ExamWindow::count() const
{
    return m_exam ? m_exam->count() : m_drill->count();
}

int ExamWindow::current() const
{
    return m_exam ? m_exam->current() : m_drill->current();
}

int ExamWindow::questionIndex(int position) const
{
    return m_exam ? m_exam->questionAt(position) : m_drill->questionAt(position);
}

QChar ExamWindow::answerAt(int position) const
{
    return m_exam ? m_exam->chosen(position) : m_drill->firstAnswer(position);
}

void ExamWindow::setFiguresFolder(const QString &folder)
{
    m_figuresFolder = folder;
    if (!isShowingResult())
        showQuestion();
}

bool ExamWindow::isShowingResult() const
{
    return m_pages->currentWidget() == m_result;
}

void ExamWindow::build(int count)
{
    setAttribute(Qt::WA_QuitOnClose, false);
    // Both questions put a sitting at stake, so Enter answers No.
    m_confirm = [this](const QString &text) {
        return QMessageBox::question(this, windowTitle(), text, QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::No) == QMessageBox::Yes;
    };
    m_orders = QList<exam::ChoiceOrder>(count, exam::kPoolOrder);

    auto *questionPage = new QWidget(this);
    // The question scrolls when the screen is too small for it; the buttons and the strip
    // below stay in sight.
    auto *scroll = new QScrollArea(questionPage);
    scroll->setObjectName(QStringLiteral("questionScroll"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto *content = new QWidget(scroll);
    m_position = new ElidingLabel(content);
    m_position->setObjectName(QStringLiteral("position"));
    QFont bold = m_position->font();
    bold.setBold(true);
    m_position->setFont(bold);
    m_id = plainLabel(content, "identifier");
    m_id->setWordWrap(false);
    m_text = plainLabel(content, "question");
    m_figure = new figures::FigureView(content);
    m_figure->setObjectName(QStringLiteral("figure"));
    m_figure->setMinimumSize(240, 160);
    m_figure->setHint(QStringLiteral("Click to enlarge"));
    connect(m_figure, &figures::FigureView::activated, this, [this] {
        if (!m_figureWindow) {
            m_figureWindow = new figures::FigureWindow(this);
            m_figureWindow->setKeyHandler([this](int key) { return forwardKey(key); });
        }
        m_figureWindow->showFigure(m_figure->figure());
    });

    auto *answers = new QGroupBox(QStringLiteral("Answer"), content);
    answers->setObjectName(QStringLiteral("answers"));
    // Each choice is a radio button "A:" with its text in a wrapping label beside it: the
    // longest choices would otherwise make the window wider than the screen.
    auto *answerLayout = new QGridLayout(answers);
    answerLayout->setColumnStretch(1, 1);
    m_group = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        const QChar letter(u'A' + i);
        m_choices[i] = new QRadioButton(QString(letter) + u':', answers);
        m_choices[i]->setObjectName(QStringLiteral("choice") + letter);
        m_choiceTexts[i] = plainLabel(answers, "choiceText");
        m_choiceTexts[i]->installEventFilter(this);
        m_group->addButton(m_choices[i], i);
        answerLayout->addWidget(m_choices[i], i, 0, Qt::AlignTop);
        answerLayout->addWidget(m_choiceTexts[i], i, 1);
    }
    connect(m_group, &QButtonGroup::idClicked, this, [this](int id) { choose(QChar(u'A' + id)); });
    m_feedback = plainLabel(content, "feedback");
    QFont feedbackFont = m_feedback->font();
    feedbackFont.setBold(true);
    m_feedback->setFont(feedbackFont);
    m_feedback->setVisible(isDrill());

    m_previous = new QPushButton(QStringLiteral("&Previous"), questionPage);
    m_next = new QPushButton(QStringLiteral("&Next"), questionPage);
    m_handIn =
        new QPushButton(isDrill() ? QStringLiteral("&Finish") : QStringLiteral("&Hand In"), questionPage);
    m_previous->setObjectName(QStringLiteral("previous"));
    m_next->setObjectName(QStringLiteral("next"));
    m_handIn->setObjectName(QStringLiteral("handIn"));
    connect(m_previous, &QPushButton::clicked, this, [this] { goTo(current() - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { goTo(current() + 1); });
    connect(m_handIn, &QPushButton::clicked, this, [this] { handIn(); });
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_previous);
    buttons->addWidget(m_next);
    buttons->addStretch();
    m_shuffle = new QCheckBox(tr("&Shuffle choices"), questionPage);
    m_shuffle->setObjectName(QStringLiteral("shuffle"));
    m_shuffle->setToolTip(tr("Show each question's choices in a random order"));
    buttons->addWidget(m_shuffle);
    buttons->addWidget(m_handIn);

    m_strip = new QuestionStrip(count, questionPage);
    m_strip->setObjectName(QStringLiteral("strip"));
    connect(m_strip, &QuestionStrip::jumpRequested, this, [this](int position) { goTo(position); });
    // A long drill's cells scroll after three rows, so they never push the question away.
    m_stripScroll = new QScrollArea(questionPage);
    m_stripScroll->setObjectName(QStringLiteral("stripScroll"));
    m_stripScroll->setWidget(m_strip);
    m_stripScroll->setWidgetResizable(true);
    m_stripScroll->setFrameShape(QFrame::NoFrame);
    m_stripScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_stripScroll->setMinimumWidth(m_strip->minimumSizeHint().width());
    if (count > 0) {
        const int row = m_strip->cell(0)->sizeHint().height() + 2;
        m_stripScroll->setMaximumHeight(std::min(m_strip->sizeHint().height(), 3 * row));
        m_stripScroll->setMinimumHeight(std::min(m_strip->sizeHint().height(), row));
    }

    m_legend = new QLabel(QuestionStrip::legend(), questionPage);
    m_legend->setObjectName(QStringLiteral("legend"));
    m_legend->setTextFormat(Qt::PlainText);
    m_legend->setWordWrap(true);

    auto *header = new QHBoxLayout;
    header->addWidget(m_position, 1);
    header->addWidget(m_id);
    auto *contentLayout = new QVBoxLayout(content);
    contentLayout->addLayout(header);
    contentLayout->addWidget(m_text);
    contentLayout->addWidget(m_figure, 2);
    contentLayout->addWidget(answers);
    contentLayout->addWidget(m_feedback);
    contentLayout->addStretch();
    scroll->setWidget(content);
    auto *layout = new QVBoxLayout(questionPage);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttons);
    layout->addWidget(m_stripScroll);
    layout->addWidget(m_legend);

    m_result = new ResultPage(this);
    m_pages = new QStackedWidget(this);
    m_pages->addWidget(questionPage);
    m_pages->addWidget(m_result);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_pages);

    buildShortcuts();
    // Escape asks as the window's close does (exam), or closes (drill, result).
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);

    m_zoom = new windowstate::TextZoom(*this, settingsKey());
    connect(m_zoom, &windowstate::TextZoom::changed, this, &ExamWindow::applyTextSize);
    applyTextSize(m_zoom->pointSize());

    m_shuffle->setChecked(windowstate::openSettings()->value(kShuffleKey, false).toBool());
    shuffle(m_shuffle->isChecked());
    connect(m_shuffle, &QCheckBox::toggled, this, &ExamWindow::setShuffled);

    m_choices[0]->setFocus();
    resize(760, 680);
}

QString ExamWindow::settingsKey() const
{
    return isDrill() ? QStringLiteral("drill") : QStringLiteral("exam");
}

void ExamWindow::showEvent(QShowEvent *event)
{
    if (!m_placed) {
        m_placed = true;
        windowstate::restoreGeometry(*this, settingsKey(), QSize(760, 680), windowstate::ownerOf(*this));
        windowstate::rememberGeometry(*this, settingsKey());
    }
    QWidget::showEvent(event);
}

void ExamWindow::setBaseTextSize(double pointSize)
{
    m_zoom->setBaseSize(pointSize);
}

void ExamWindow::applyTextSize(double pointSize)
{
    const auto resize = [pointSize](QWidget *w) {
        QFont font = w->font();
        font.setPointSizeF(pointSize);
        w->setFont(font);
    };
    for (QWidget *w : std::initializer_list<QWidget *>{m_position, m_id, m_text, m_feedback})
        resize(w);
    for (int i = 0; i < 4; ++i) {
        resize(m_choices[i]);
        resize(m_choiceTexts[i]);
    }
    resize(m_result->review());
    resize(m_result->detailsLabel());
}

bool ExamWindow::isShuffled() const
{
    return m_shuffle->isChecked();
}

void ExamWindow::setShuffled(bool shuffled)
{
    if (m_shuffle->isChecked() != shuffled) {
        m_shuffle->setChecked(shuffled); // comes back here through toggled
        return;
    }
    windowstate::openSettings()->setValue(kShuffleKey, shuffled);
    shuffle(shuffled);
}

void ExamWindow::shuffle(bool shuffled)
{
    for (int i = 0; i < count(); ++i) {
        const questions::Question &q = m_pool.questions[questionIndex(i)];
        const std::array<QString, 4> choices{q.choice(0).toString(), q.choice(1).toString(),
                                             q.choice(2).toString(), q.choice(3).toString()};
        m_orders[i] = shuffled ? exam::shuffledOrder(choices, *QRandomGenerator::global()) : exam::kPoolOrder;
    }
    if (!isShowingResult() && count() > 0)
        showQuestion();
}

bool ExamWindow::forwardKey(int key)
{
    const QKeySequence pressed(key);
    for (QShortcut *shortcut : std::as_const(m_shortcuts)) {
        if (shortcut->isEnabled() && shortcut->key() == pressed) {
            Q_EMIT shortcut->activated();
            return true;
        }
    }
    return false;
}

void ExamWindow::buildShortcuts()
{
    const auto add = [this](QKeyCombination key, auto action) {
        auto *shortcut = new QShortcut(QKeySequence(key), this);
        connect(shortcut, &QShortcut::activated, this, action);
        m_shortcuts.append(shortcut);
    };
    for (int i = 0; i < 4; ++i)
        add(QKeyCombination(Qt::Key(Qt::Key_A + i)), [this, i] { choose(QChar(u'A' + i)); });
    add(QKeyCombination(Qt::Key_N), [this] { goTo(current() + 1); });
    add(QKeyCombination(Qt::Key_Right), [this] { goTo(current() + 1); });
    add(QKeyCombination(Qt::Key_P), [this] { goTo(current() - 1); });
    add(QKeyCombination(Qt::Key_Left), [this] { goTo(current() - 1); });
}

void ExamWindow::choose(QChar shown)
{
    if (isShowingResult() || count() == 0)
        return;
    const QChar letter = exam::poolLetter(m_orders[current()], shown);
    if (m_exam) {
        m_exam->choose(letter);
    } else if (m_drill->attempt(letter)) {
        const questions::Question &q = m_pool.questions[questionIndex(current())];
        Q_EMIT drillAnswered(q, letter, letter == q.correct());
    }
    showQuestion();
}

void ExamWindow::goTo(int position)
{
    if (isShowingResult())
        return;
    if (m_exam)
        m_exam->goTo(position);
    else
        m_drill->goTo(position);
    showQuestion();
}

void ExamWindow::showQuestion()
{
    const int n = count();
    if (n == 0) {
        m_position->setText(QStringLiteral("No questions"));
        return;
    }
    const int position = current();
    const questions::Question &q = m_pool.questions[questionIndex(position)];
    QString where = QStringLiteral("Question %1 of %2").arg(position + 1).arg(n);
    if (isReview())
        where += QStringLiteral(", review");
    else if (m_drill)
        where += QStringLiteral(", drill of subelement ") + m_drill->subelement();
    m_position->setFullText(where);
    m_id->setText(q.id().toString());
    m_text->setText(q.text().toString());
    if (q.figure().isEmpty())
        m_figure->clear();
    else
        m_figure->showFigure(q.figure(),
                             QDir(m_figuresFolder).filePath(questions::figureFileName(q.figure())));
    m_figure->setVisible(!q.figure().isEmpty());
    // An open figure window follows the question, and goes when it has no figure.
    if (m_figureWindow && m_figureWindow->isVisible()) {
        if (q.figure().isEmpty())
            m_figureWindow->hide();
        else if (m_figureWindow->figure().figure != q.figure())
            m_figureWindow->showFigure(m_figure->figure());
    }

    const exam::ChoiceOrder &order = m_orders[position];
    const QChar answer = answerAt(position);
    const QChar shownAnswer = exam::shownLetter(order, answer);
    const QChar shownCorrect = exam::shownLetter(order, q.correct());
    // An exclusive group cannot show "none chosen"; it is lifted while the marks are set.
    m_group->setExclusive(false);
    for (int i = 0; i < 4; ++i) {
        m_choiceTexts[i]->setText(q.choice(order[std::size_t(i)]).toString());
        m_choices[i]->setAccessibleName(letteredChoice(q, order, i));
        m_choices[i]->setChecked(shownAnswer == QChar(u'A' + i));
    }
    m_group->setExclusive(true);
    // A screen reader reaching the choices hears where it is and the question.
    m_choices[0]->parentWidget()->setAccessibleName(where + QStringLiteral(", ") + q.id().toString());
    m_choices[0]->parentWidget()->setAccessibleDescription(q.text().toString());

    for (int i = 0; i < n; ++i)
        m_strip->setAnswered(i, !answerAt(i).isNull());
    m_strip->setCurrent(position);
    m_stripScroll->ensureWidgetVisible(m_strip->cell(position), 0, 0);
    m_previous->setEnabled(position > 0);
    m_next->setEnabled(position + 1 < n);

    if (m_drill) {
        if (answer.isNull())
            m_feedback->clear();
        else if (answer == q.correct())
            m_feedback->setText(tr("Correct!"));
        else // the answer shows in bold below: words that say so, not "Try Again!"
            m_feedback->setText(tr("Not quite: the answer is %1").arg(shownCorrect));
        m_feedback->setAccessibleName(m_feedback->text());
        // After the first attempt the correct choice stands out.
        for (int i = 0; i < 4; ++i) {
            QFont font = m_choiceTexts[i]->font();
            font.setBold(!answer.isNull() && shownCorrect == QChar(u'A' + i));
            m_choiceTexts[i]->setFont(font);
        }
    }
}

bool ExamWindow::handIn()
{
    if (isShowingResult())
        return false;
    if (m_drill) {
        showDrillSummary();
        return true;
    }
    const int unanswered = m_exam->unanswered();
    if (unanswered > 0) {
        const QString text =
            unanswered == 1
                ? QStringLiteral("1 question is unanswered and counts as wrong. Hand in the exam now?")
                : QStringLiteral("%1 questions are unanswered and count as wrong. Hand in the exam now?")
                      .arg(unanswered);
        if (!m_confirm(text))
            return false;
    }
    const exam::ExamResult result = m_exam->handIn(m_pool, QDateTime::currentDateTime());
    for (QShortcut *shortcut : std::as_const(m_shortcuts))
        shortcut->setEnabled(false);
    m_result->show(result.summary(), {result.passMarkText(), result.timeTakenText()}, result.bySubelement,
                   m_pool, result.questions, result.chosen, m_orders);
    m_pages->setCurrentWidget(m_result);
    m_result->closeButton()->setFocus();
    addMissedReview(result);
    Q_EMIT handedIn(result);
    return true;
}

void ExamWindow::showDrillSummary()
{
    const exam::DrillSession &drill = *m_drill;
    QList<int> order;
    QList<QChar> answers;
    for (int i = 0; i < drill.count(); ++i) {
        order.append(drill.questionAt(i));
        answers.append(drill.firstAnswer(i));
    }
    const int right = drill.rightFirstTime(m_pool);
    QStringList details{isReview() ? m_reviewOutcome()
                                   : QStringLiteral("Drill of subelement %1.").arg(drill.subelement())};
    if (drill.attempted() < drill.count())
        details.append(QStringLiteral("%1 of %2 not attempted.")
                           .arg(drill.count() - drill.attempted())
                           .arg(drill.count()));
    details.append(exam::timeTakenText(m_drillStarted, QDateTime::currentDateTime()));
    for (QShortcut *shortcut : std::as_const(m_shortcuts))
        shortcut->setEnabled(false);
    m_result->show(QStringLiteral("%1 of %2 right at the first attempt").arg(right).arg(drill.count()),
                   details, {}, m_pool, order, answers, m_orders);
    m_pages->setCurrentWidget(m_result);
    m_result->closeButton()->setFocus();
    if (isReview()) {
        QPushButton *again = m_result->addAction(QStringLiteral("Review &again"));
        again->setObjectName(QStringLiteral("reviewAgain"));
        connect(again, &QPushButton::clicked, this, &ExamWindow::reviewAgainRequested);
    }
}

void ExamWindow::setReview(std::function<QString()> outcome)
{
    m_reviewOutcome = std::move(outcome);
    if (isReview()) {
        setWindowTitle(QStringLiteral("Review"));
        showQuestion();
    }
}

void ExamWindow::addMissedReview(const exam::ExamResult &result)
{
    QList<int> missed;
    for (int i = 0; i < result.total(); ++i)
        if (!result.isRight(i))
            missed.append(result.questions[i]);
    if (missed.isEmpty())
        return;
    QPushButton *review = m_result->addAction(
        missed.size() == 1 ? QStringLiteral("&Review the missed question")
                           : QStringLiteral("&Review these %1 missed questions").arg(missed.size()));
    review->setObjectName(QStringLiteral("reviewMissed"));
    connect(review, &QPushButton::clicked, this, [this, missed] { Q_EMIT missedReviewRequested(missed); });
}

bool ExamWindow::eventFilter(QObject *watched, QEvent *event)
{
    // A click on a choice's text chooses it, as a click on the button does.
    if (event->type() == QEvent::MouseButtonRelease)
        for (int i = 0; i < 4; ++i)
            if (watched == m_choiceTexts[i] &&
                static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
                m_choices[i]->click();
                return true;
            }
    return QWidget::eventFilter(watched, event);
}

void ExamWindow::closeEvent(QCloseEvent *event)
{
    if (m_exam && !m_exam->handedIn() &&
        !m_confirm(QStringLiteral("Close the exam without handing it in? Nothing of it will be recorded."))) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace examwindow
