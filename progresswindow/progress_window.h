#pragma once
// The Progress window: for the loaded pool, a table and a chart per subelement, the totals,
// the chance to pass on a chosen exam day, the practice exams taken, the CSV export and the
// forgetting of a pool's progress. Non-modal, built with ordinary layouts beside the study
// window's design.

#include "progress/summary.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class QDateTimeEdit;
class QLabel;
class QPushButton;
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
    QDateTimeEdit *examMomentEdit() const { return m_moment; }
    QPushButton *drillButton() const { return m_drill; }
    QChartView *chartView() const { return m_chart; }

public Q_SLOTS:
    void forgetPool();

Q_SIGNALS:
    // The user asked to drill a subelement (its row's Drill button, a double-click, Enter).
    void drillRequested(const QString &subelementId);

private:
    void build();
    void fillTable();
    void fillChart();
    void fillExams();
    void updateChance();
    void examMomentChanged();
    void chooseExportFile();
    void requestDrill();
    QString selectedSubelement() const;

    progress::Store &m_store;
    std::function<QDateTime()> m_now;
    std::function<bool(const QString &)> m_confirm;
    const questions::Pool *m_pool = nullptr;
    QString m_key;
    progress::PoolSummary m_summary;
    QString m_readFault; // why the latest refresh could not read everything

    QLabel *m_notice = nullptr;
    QLabel *m_title = nullptr;
    QTableWidget *m_table = nullptr;
    QChartView *m_chart = nullptr;
    QDateTimeEdit *m_moment = nullptr;
    QLabel *m_chance = nullptr;
    QTableWidget *m_exams = nullptr;
    QPushButton *m_drill = nullptr;
    QPushButton *m_export = nullptr;
    QPushButton *m_forget = nullptr;
};

} // namespace progresswindow
