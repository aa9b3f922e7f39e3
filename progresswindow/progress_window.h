#pragma once
// The Progress window: for the loaded pool, a table and a chart per subelement, the totals,
// the chance to pass on a chosen exam day with a line that explains it, the practice exams
// taken each beside the forecast made before it, a Review of the questions that raise the
// chance most, the CSV export and the forgetting of a pool's progress. Non-modal, built with ordinary layouts
// beside the study window's design.

#include "forecast/exam_day.h"
#include "progress/summary.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class QDateTimeEdit;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

QT_FORWARD_DECLARE_CLASS(QChartView)

namespace progress {
class Store;
}

namespace progresswindow {

class ProgressWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProgressWindow)

public:
    // `now` gives the moment the default exam moment counts from; tests hand a fixed one.
    explicit ProgressWindow(progress::Store &store, QWidget *parent = nullptr,
                            std::function<QDateTime()> now = {});
    ~ProgressWindow() override;

    // Shows the pool's progress; `key` names it in the store ("T 2026-2030"). The pool must
    // outlive the window or the next call. A null pool shows an empty window.
    void setPool(const questions::Pool *pool, const QString &key);
    // The folder of the user's own installed copy the pool was read from; empty for the
    // shipped pool. The title says so from the next setPool() or refresh().
    void setUserPoolFolder(const QString &folder);
    // Reads the store again: the answers, the exams and the saving notice.
    void refresh();

    // Writes every recorded answer as CSV, under a cancellable progress dialog, through the
    // writer that refuses FIFOs and devices; the error for the user, empty on success.
    // Nothing is written when the answers could not all be read.
    QString exportCsv(const QString &path);
    // Asks before forgetting; tests answer in place of the message box.
    void setConfirmation(std::function<bool(const QString &question)> confirm);

    QTableWidget *subelementTable() const { return m_table; }
    QTableWidget *examTable() const { return m_exams; }
    QLabel *chanceLabel() const { return m_chance; }
    QLabel *noticeLabel() const { return m_notice; }
    QLabel *titleLabel() const { return m_title; }
    QLabel *exportedLabel() const { return m_exported; }
    QDateTimeEdit *examMomentEdit() const { return m_moment; }
    QPushButton *drillButton() const { return m_drill; }
    QLabel *explanationLabel() const { return m_explain; }
    QLabel *momentNoteLabel() const { return m_momentNote; }
    QLabel *examAverageLabel() const { return m_examAverage; }
    QPushButton *reviewButton() const { return m_review; }
    QSpinBox *reviewCountBox() const { return m_reviewCount; }
    // The exam moment the chance is shown for.
    QDateTime examMoment() const;
    QChartView *chartView() const { return m_chart; }

    // The pool as the title and the questions name it: "Extra pool, 2024–2028".
    QString poolName() const;
    // Says on its own line that `answers` answers went to `path`.
    void showExported(int answers, const QString &path);

public Q_SLOTS:
    void forgetPool();

Q_SIGNALS:
    // The user asked to drill a subelement (its row's Drill button, a double-click, Enter).
    void drillRequested(const QString &subelementId);
    // The user asked for a review of this many questions.
    void reviewRequested(int count);

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void build();
    void fillTable();
    void fillChart();
    void fillExams();
    void updateChance();
    void showExamMoment();
    void examMomentChanged();
    void chooseExportFile();
    void requestDrill();
    QString selectedSubelement() const;

    progress::Store &m_store;
    std::function<QDateTime()> m_now;
    std::function<bool(const QString &)> m_confirm;
    const questions::Pool *m_pool = nullptr;
    QString m_key;
    QString m_userFolder;
    progress::PoolSummary m_summary;
    forecast::StudyDays m_days;
    QList<forecast::PoolMemory> m_memories; // now, then before each practice exam
    QList<progress::ExamRecord> m_examRecords;
    QString m_readFault;          // why the latest refresh could not read everything
    qint64 m_exportedAnswers = 0; // rows of the latest export that was written
    bool m_placed = false;

    QLabel *m_notice = nullptr;
    QLabel *m_title = nullptr;
    QTableWidget *m_table = nullptr;
    QChartView *m_chart = nullptr;
    QDateTimeEdit *m_moment = nullptr;
    QLabel *m_chance = nullptr;
    QLabel *m_explain = nullptr;
    QLabel *m_momentNote = nullptr;
    QLabel *m_examAverage = nullptr;
    QPushButton *m_review = nullptr;
    QSpinBox *m_reviewCount = nullptr;
    QTableWidget *m_exams = nullptr;
    QPushButton *m_drill = nullptr;
    QLabel *m_exported = nullptr;
    QPushButton *m_export = nullptr;
    QPushButton *m_forget = nullptr;
};

// The number of questions a review of the pool asks, as last chosen (20 at first; 5-100).
int rememberedReviewCount(const QString &poolKey);
void rememberReviewCount(const QString &poolKey, int count);

} // namespace progresswindow
