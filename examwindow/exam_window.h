#pragma once
// The practice exam window: one question at a time ("Question 7 of 35", identifier, text,
// figure, choices A-D), a strip of numbered cells to jump with, and Hand In; then the
// result page. In drill mode it asks every question of one subelement, says "Correct!" or
// "Not quite: the answer is C" after the first attempt at each and marks the correct answer.
//
// In every mode it opens inside the screen where it was last left, its question and choice
// text is at least the size the opener asks for (the study window's question size) and
// Ctrl + plus / minus / 0 change it, and "Shuffle choices" shows the choices in another
// order; what it records is always the pool's letter. All three are remembered.
//
// The window keeps its own copy of the pool, so loading another pool in the study window
// leaves a sitting alone. It records nothing itself: it reports through handedIn and
// drillAnswered, and whoever opened it stores what it reports.
//
// A review is a drill of chosen questions from the whole pool: it ends with the change in
// the chance to pass and offers another review.

#include "exam/session.h"
#include "exam/shuffle.h"
#include "examwindow/eliding_label.h"
#include "questions/pool.h"

#include <QWidget>

#include <functional>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QShortcut;
class QStackedWidget;

namespace figures {
class FigureView;
class FigureWindow;
} // namespace figures

namespace windowstate {
class TextZoom;
}

namespace examwindow {

class QuestionStrip;
class ResultPage;

class ExamWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ExamWindow)

public:
    // An exam of the drawn questions (one per group, in group order).
    ExamWindow(questions::Pool pool, questions::ExamRules rules, QList<int> drawn, QWidget *parent = nullptr);
    // A drill of one subelement's questions in the given order.
    ExamWindow(questions::Pool pool, QString subelement, QList<int> order, QWidget *parent = nullptr);
    ~ExamWindow() override;

    // Asks the user a yes/no question; a message box unless replaced (tests answer it themselves).
    using Confirm = std::function<bool(const QString &text)>;
    void setConfirm(Confirm confirm) { m_confirm = std::move(confirm); }

    // The folder holding the pools' figure files ("t-1.png").
    void setFiguresFolder(const QString &folder);

    bool isDrill() const { return m_drill.has_value(); }
    // Makes a drill a review; `outcome` gives the line its end shows ("Chance to pass: 41 % → 58 %").
    void setReview(std::function<QString()> outcome);
    bool isReview() const { return bool(m_reviewOutcome); }
    const questions::Pool &pool() const { return m_pool; }
    int current() const;
    bool isShowingResult() const;

    // The smallest size of the question and choice text, in points.
    void setBaseTextSize(double pointSize);
    windowstate::TextZoom *textZoom() const { return m_zoom; }
    // The name its geometry and text size are remembered under.
    QString settingsKey() const;

    // Shuffled choices: the display order of each position's choices (the pool's order
    // when not shuffled).
    bool isShuffled() const;
    void setShuffled(bool shuffled);
    const exam::ChoiceOrder &choiceOrder(int position) const { return m_orders[position]; }
    QList<exam::ChoiceOrder> choiceOrders() const { return m_orders; }

    // Widgets, for tests and screenshots.
    ElidingLabel *positionLabel() const { return m_position; }
    QLabel *questionLabel() const { return m_text; }
    QLabel *feedbackLabel() const { return m_feedback; }
    figures::FigureView *figureView() const { return m_figure; }
    QRadioButton *choice(int i) const { return m_choices[i]; }
    QLabel *choiceText(int i) const { return m_choiceTexts[i]; }
    QuestionStrip *strip() const { return m_strip; }
    QPushButton *handInButton() const { return m_handIn; }
    QCheckBox *shuffleBox() const { return m_shuffle; }
    QLabel *legendLabel() const { return m_legend; }
    ResultPage *resultPage() const { return m_result; }

    // Hand In: asks first when questions are unanswered; returns whether it was handed in.
    bool handIn();

Q_SIGNALS:
    void handedIn(const exam::ExamResult &result);
    // The first attempt at a drill question.
    void drillAnswered(const questions::Question &question, QChar chosen, bool correct);
    // The end of a review: the user asks for another.
    void reviewAgainRequested();
    // The exam result: the user asks to review its missed questions (indices into the pool).
    void missedReviewRequested(const QList<int> &questions);

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build(int count);
    void buildShortcuts();
    void choose(QChar letter);
    void goTo(int position);
    void showQuestion();
    void showDrillSummary();
    void addMissedReview(const exam::ExamResult &result);
    int count() const;
    int questionIndex(int position) const;
    QChar answerAt(int position) const;
    // Runs the shortcut of `key` as if pressed here (keys pressed in the figure window).
    bool forwardKey(int key);
    void applyTextSize(double pointSize);
    void shuffle(bool shuffled);

    questions::Pool m_pool;
    std::optional<exam::ExamSession> m_exam;
    std::optional<exam::DrillSession> m_drill;
    QDateTime m_drillStarted;
    Confirm m_confirm;

    QStackedWidget *m_pages = nullptr;
    ElidingLabel *m_position = nullptr;
    QLabel *m_id = nullptr;
    QLabel *m_text = nullptr;
    QString m_figuresFolder;
    figures::FigureView *m_figure = nullptr;
    figures::FigureWindow *m_figureWindow = nullptr;
    QButtonGroup *m_group = nullptr;
    QRadioButton *m_choices[4] = {};
    QLabel *m_choiceTexts[4] = {};
    QLabel *m_feedback = nullptr;
    QPushButton *m_previous = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_handIn = nullptr;
    QCheckBox *m_shuffle = nullptr;
    QuestionStrip *m_strip = nullptr;
    QScrollArea *m_stripScroll = nullptr;
    QLabel *m_legend = nullptr;
    windowstate::TextZoom *m_zoom = nullptr;
    QList<exam::ChoiceOrder> m_orders;
    bool m_placed = false;
    ResultPage *m_result = nullptr;
    QList<QShortcut *> m_shortcuts;
    std::function<QString()> m_reviewOutcome;
};

} // namespace examwindow
