#pragma once
// The practice exam window: one question at a time ("Question 7 of 35", identifier, text,
// figure, choices A-D), a strip of numbered cells to jump with, and Hand In; then the
// result page. In drill mode it asks every question of one subelement, says "Correct!" or
// "Try Again!" after the first attempt at each and shows the correct answer.
//
// The window keeps its own copy of the pool, so loading another pool in the study window
// leaves a sitting alone. It records nothing itself: it reports through handedIn and
// drillAnswered, and whoever opened it stores what it reports.

#include "exam/session.h"
#include "questions/pool.h"

#include <QWidget>

#include <functional>
#include <optional>

class QButtonGroup;
class QLabel;
class QPushButton;
class QRadioButton;
class QShortcut;
class QStackedWidget;

namespace figures {
class FigureView;
class FigureWindow;
} // namespace figures

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
    const questions::Pool &pool() const { return m_pool; }
    int current() const;
    bool isShowingResult() const;

    // Widgets, for tests and screenshots.
    QLabel *positionLabel() const { return m_position; }
    QLabel *questionLabel() const { return m_text; }
    QLabel *feedbackLabel() const { return m_feedback; }
    figures::FigureView *figureView() const { return m_figure; }
    QRadioButton *choice(int i) const { return m_choices[i]; }
    QLabel *choiceText(int i) const { return m_choiceTexts[i]; }
    QuestionStrip *strip() const { return m_strip; }
    QPushButton *handInButton() const { return m_handIn; }
    ResultPage *resultPage() const { return m_result; }

    // Hand In: asks first when questions are unanswered; returns whether it was handed in.
    bool handIn();

Q_SIGNALS:
    void handedIn(const exam::ExamResult &result);
    // The first attempt at a drill question.
    void drillAnswered(const questions::Question &question, QChar chosen, bool correct);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build(int count);
    void buildShortcuts();
    void choose(QChar letter);
    void goTo(int position);
    void showQuestion();
    void showDrillSummary();
    int count() const;
    int questionIndex(int position) const;
    QChar answerAt(int position) const;

    questions::Pool m_pool;
    std::optional<exam::ExamSession> m_exam;
    std::optional<exam::DrillSession> m_drill;
    QDateTime m_drillStarted;
    Confirm m_confirm;

    QStackedWidget *m_pages = nullptr;
    QLabel *m_position = nullptr;
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
    QuestionStrip *m_strip = nullptr;
    ResultPage *m_result = nullptr;
    QList<QShortcut *> m_shortcuts;
};

} // namespace examwindow
