// The windows' costs beside a bare window of the same number of plain widgets: the
// study window built, scaled to the screen and shown; an answer's feedback painted;
// the privilege chart built in memory and in the real window.
//   bench_windows [benchmark flags]      the timings
//   bench_windows --rss form1|bare       a fresh process's first window: peak memory
//                                        before and after, in kB, and the start's
//                                        wall time in us (first use of the fonts included)
//   bench_windows --phases               mean wall time of each step of both windows' start
//   bench_windows --repeat form1|bare|chart N
//                                        one warm-up start, then N more inside
//                                        repeated(), for a profiler to collect
#include "app/application.h"
#include "bandplan/band_plan.h"
#include "bandplan/frm_band_plan.h"
#include "bandplan/privilege_chart.h"
#include "bare_window.h"
#include "mainwindow/artwork.h"
#include "mainwindow/fonts.h"
#include "mainwindow/form1.h"
#include "progress/store.h"
#include "view/memory_view.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <sys/resource.h>
#include <vector>

namespace {

const QString kData = QStringLiteral(EXAMORA_DATA_DIR);

// Wall time of each step of a window's start, summed over the starts it sees.
struct Phases
{
    QElapsedTimer clock;
    std::vector<std::pair<const char *, qint64>> sums;
    std::size_t step = 0;

    void start()
    {
        step = 0;
        clock.start();
    }
    void mark(const char *name)
    {
        if (step == sums.size())
            sums.emplace_back(name, 0);
        sums[step++].second += clock.nsecsElapsed();
        clock.start();
    }
};

void mark(Phases *phases, const char *name)
{
    if (phases)
        phases->mark(name);
}

// The study window's start: built, loaded (both scaling passes and the pool) and shown;
// with a progress store, opened once the window is shown, when a path is given, as the
// program starts.
std::unique_ptr<app::Application> startForm1(Phases *phases = nullptr, const QString &progressPath = {})
{
    auto application = std::make_unique<app::Application>(QStringLiteral("/dev/shm"), kData);
    mainwindow::Form1 &form = application->form();
    mark(phases, "built");
    form.Form_Load();
    mark(phases, "loaded and scaled");
    form.show();
    mark(phases, "shown");
    QCoreApplication::processEvents();
    mark(phases, "painted");
    if (!progressPath.isEmpty())
        application->attachProgress(std::make_unique<progress::Store>(progressPath));
    return application;
}

// The same number of plain widgets in a window with a menu bar, placed by hand.
std::unique_ptr<QWidget> startBareWindow(Phases *phases = nullptr)
{
    auto window = bench::buildBareWindow();
    mark(phases, "built");
    mark(phases, "loaded and scaled");
    window->show();
    mark(phases, "shown");
    QCoreApplication::processEvents();
    mark(phases, "painted");
    return window;
}

// Mean wall time of each step, in ms, over 300 starts after 20 to warm up.
void printPhases()
{
    constexpr int kWarm = 20, kRuns = 300;
    Phases form1, bare;
    for (int i = 0; i < kWarm + kRuns; ++i) {
        Phases scratch;
        Phases *f = i < kWarm ? &scratch : &form1;
        f->start();
        auto form = startForm1(f);
        form.reset();
        mark(f, "closed");
        Phases *b = i < kWarm ? &scratch : &bare;
        b->start();
        auto window = startBareWindow(b);
        window.reset();
        mark(b, "closed");
    }
    std::printf("%-20s %10s %10s\n", "step, ms", "study", "bare");
    for (std::size_t i = 0; i < form1.sums.size(); ++i)
        std::printf("%-20s %10.3f %10.3f\n", form1.sums[i].first, form1.sums[i].second / 1e6 / kRuns,
                    bare.sums[i].second / 1e6 / kRuns);
}

void BM_Window_Bare(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(startBareWindow());
}

void BM_Window_Form1(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(startForm1());
}

// The same start with the progress store opened and listening, over a file of 1,000 answers.
void BM_Window_Form1_Progress(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("progress.sqlite"));
    {
        progress::Store store(path);
        QList<progress::AnswerRecord> answers;
        for (int i = 0; i < 1000; ++i)
            answers.append({QDateTime::currentDateTimeUtc(), QStringLiteral("T 2026-2030"),
                            QStringLiteral("T1A%1").arg(i % 50 + 1, 2, 10, QChar(u'0')), u'A', i % 3 != 0,
                            false, progress::Mode::Study});
        progress::ExamRecord exam;
        store.recordExam(exam, answers);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(startForm1(nullptr, path));
}

// Two parts of the study window's start that the bare window has no counterpart
// for, timed on their own in a started window: the three product pictures drawn
// at the size they show, and the remembered pool's load.
void BM_Window_Form1_Pictures(benchmark::State &state)
{
    auto form = startForm1();
    for (auto _ : state) {
        for (int i = 0; i < mainwindow::kProductCount; ++i) {
            auto *picture = form->form().findAs<view::qt::QtPicture>(QStringLiteral("Image%1").arg(i + 1));
            // Drawn at once, at the widget's size, as when the window first shows.
            picture->setDrawing(mainwindow::productPictureSize(i),
                                [i](QPainter &painter) { mainwindow::paintProductPicture(i, painter); });
        }
    }
}

void BM_Window_Form1_PoolLoad(benchmark::State &state)
{
    auto form = startForm1();
    for (auto _ : state)
        form->engine().RestoreExamClass();
}

// A key press on the right letter, through the window's key handler, to the painted box.
void BM_AnswerFeedback_Painted(benchmark::State &state)
{
    auto form = startForm1();
    int i = 0;
    for (auto _ : state) {
        const QChar answer = form->engine().correctLetter();
        const int key = answer.isNull() ? Qt::Key_A : Qt::Key_A + (answer.unicode() - u'A');
        // Delivered as the platform delivers it: to the control with the focus.
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(answer));
        QWidget *focus = form->form().focusWidget() ? form->form().focusWidget() : &form->form();
        const float before = form->engine().state().totalCorrect + form->engine().state().totalIncorrect;
        QApplication::sendEvent(focus, &press);
        state.PauseTiming();
        const auto &st = form->engine().state();
        if (st.answered != 1 || (before == 0 && st.totalCorrect + st.totalIncorrect == 0)) {
            state.SkipWithError("the key press did not reach the study engine");
            break;
        }
        if (++i % 2 == 0)
            form->engine().Next();
        state.ResumeTiming();
    }
}

std::unique_ptr<view::memory::MemoryWindow> chartWindow()
{
    auto window = std::make_unique<view::memory::MemoryWindow>(15360, 11070);
    window->add<view::memory::MemLine>(QStringLiteral("Line1"), 192, 1152, 14976, 1152);
    return window;
}

void BM_Chart_Extra_InMemory(benchmark::State &state)
{
    bandplan::BandPlanTable table;
    bandplan::LoadBandPlan(table, kData + QStringLiteral("/BandPlan.txt"));
    auto window = chartWindow();
    const view::memory::MemScreen screen(1024, 768);
    for (auto _ : state)
        bandplan::BuildPrivilegeChart(QStringLiteral("E"), table, *window, screen);
}

// 20 bands of ten records each for one class: the largest chart a plan may ask for.
QString fullPlanFile(const QTemporaryDir &dir)
{
    QByteArray text = "\"January 1, 2027\"\r\n";
    for (int band = 0; band < 20; ++band) {
        const QByteArray name = "B" + QByteArray::number(band);
        const double low = 1000.0 * (band + 1);
        text += name + ",O,\"\"," + QByteArray::number(low) + "," + QByteArray::number(low + 100) + "\r\n";
        for (int seg = 0; seg < 9; ++seg)
            text += name + ",E," + (seg % 2 ? "CW," : "PH,") + QByteArray::number(low + seg * 10) + "," +
                    QByteArray::number(low + seg * 10 + 8) + "\r\n";
    }
    const QString path = dir.filePath(QStringLiteral("BandPlan.txt"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(text);
    return path;
}

void BM_Chart_20Rows_InMemory(benchmark::State &state)
{
    QTemporaryDir dir;
    bandplan::BandPlanTable table;
    bandplan::LoadBandPlan(table, fullPlanFile(dir));
    auto window = chartWindow();
    const view::memory::MemScreen screen(1024, 768);
    for (auto _ : state)
        bandplan::BuildPrivilegeChart(QStringLiteral("E"), table, *window, screen);
    state.counters["labels"] = window->controlCount();
}

// The class switch a user makes: a click on the class button builds the chart of real
// labels with the window's updates off; the event loop then paints it in one go.
void clickClass(bandplan::frmBandPlan &window, bandplan::Licence licence)
{
    const char *name = bandplan::kLicenceClasses[std::size_t(licence)].button;
    window.findAs<view::qt::QtButton>(QString::fromLatin1(name))->widget()->click();
}

void switchClass(bandplan::frmBandPlan &window, bandplan::Licence licence)
{
    clickClass(window, licence);
    QCoreApplication::processEvents();
}

// With paint false only the build is timed; the paint still runs, outside the timing.
void chartInWindow(benchmark::State &state, const QString &planPath, bandplan::Licence licence, bool paint)
{
    bandplan::frmBandPlan window;
    window.load({true, false, false}, planPath);
    window.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        clickClass(window, licence);
        if (!paint)
            state.PauseTiming();
        QCoreApplication::processEvents();
        if (!paint)
            state.ResumeTiming();
    }
    state.counters["labels"] = window.controlCount();
}

void BM_Chart_Extra_Window(benchmark::State &state)
{
    chartInWindow(state, kData + QStringLiteral("/BandPlan.txt"), bandplan::Licence::Extra, true);
}

void BM_Chart_20Rows_WindowBuild(benchmark::State &state)
{
    QTemporaryDir dir;
    chartInWindow(state, fullPlanFile(dir), bandplan::Licence::Extra, false);
}

void BM_Chart_20Rows_Window(benchmark::State &state)
{
    QTemporaryDir dir;
    chartInWindow(state, fullPlanFile(dir), bandplan::Licence::Extra, true);
}

// Kept out of line so that a profiler can collect just this call
// (valgrind --tool=callgrind --toggle-collect='*repeated*').
[[gnu::noinline]] void repeated(const std::function<void()> &run, int times)
{
    for (int i = 0; i < times; ++i)
        run();
}

int repeatForProfiler(const char *what, int times)
{
    std::function<void()> run;
    std::unique_ptr<bandplan::frmBandPlan> chart;
    QTemporaryDir dir;
    if (std::strcmp(what, "form1") == 0) {
        run = [] { startForm1(); };
    } else if (std::strcmp(what, "bare") == 0) {
        run = [] { startBareWindow(); };
    } else if (std::strcmp(what, "chart") == 0) {
        chart = std::make_unique<bandplan::frmBandPlan>();
        chart->load({true, false, false}, fullPlanFile(dir));
        chart->show();
        QCoreApplication::processEvents();
        run = [&chart] { switchClass(*chart, bandplan::Licence::Extra); };
    } else {
        return 2;
    }
    run();
    repeated(run, times);
    return 0;
}

long peakRssKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

BENCHMARK(BM_Window_Bare)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Window_Form1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Window_Form1_Progress)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Window_Form1_Pictures)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Window_Form1_PoolLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnswerFeedback_Painted)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Chart_Extra_InMemory)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Chart_20Rows_InMemory)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Chart_Extra_Window)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Chart_20Rows_WindowBuild)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Chart_20Rows_Window)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    mainwindow::installFontSubstitutions();
    if (argc == 3 && std::strcmp(argv[1], "--rss") == 0) {
        const bool form1 = std::strcmp(argv[2], "form1") == 0;
        const long before = peakRssKb();
        QElapsedTimer clock;
        clock.start();
        std::unique_ptr<app::Application> study;
        std::unique_ptr<QWidget> bare;
        if (form1)
            study = startForm1();
        else
            bare = startBareWindow();
        const qint64 us = clock.nsecsElapsed() / 1000;
        std::printf("%ld %ld %lld\n", before, peakRssKb(), static_cast<long long>(us));
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--phases") == 0) {
        printPhases();
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "--repeat") == 0)
        return repeatForProfiler(argv[2], std::atoi(argv[3]));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
