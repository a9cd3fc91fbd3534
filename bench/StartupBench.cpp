// SPDX-License-Identifier: MIT
#include "Benchmarks.h"
#include "Stats.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>

#include <cstdio>
#include <optional>

namespace bench {

namespace {

struct ProbeReport {
    double firstFrameMs;
    double beforeMainMs;
    double peakMb;
};

// Launches a probe beside this executable and reads the line it prints at its
// first frame. Its start-up runs from just before the launch, so loading the
// libraries counts too.
std::optional<ProbeReport> launch(const QString& probe, const QStringList& arguments, const QString& display)
{
    QProcess process;
    if (!display.isEmpty())
        process.setProcessEnvironment(onXServer(display));
    const QString path = QCoreApplication::applicationDirPath() + QLatin1Char('/') + probe;
    const std::int64_t launched = monotonicNs();
    process.start(path, arguments);
    const bool finished = process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit
                          && process.exitCode() == 0;

    static const QRegularExpression line(
        QStringLiteral(R"(main_ns=(\d+) first_frame_ns=(\d+) peak_rss_kb=(\d+))"));
    const QRegularExpressionMatch match = line.match(QString::fromUtf8(process.readAllStandardOutput()));
    if (!finished || !match.hasMatch()) {
        // The toolkit's warnings are noise while all goes well, a clue when not.
        std::fprintf(stderr, "%s failed:\n%s\n", qPrintable(probe), process.readAllStandardError().constData());
        return std::nullopt;
    }
    const auto msSinceLaunch = [&](int field) { return double(match.captured(field).toLongLong() - launched) / 1e6; };
    return ProbeReport{msSinceLaunch(2), msSinceLaunch(1), match.captured(3).toDouble() / 1024.0};
}

struct Samples {
    std::vector<double> firstFrame, beforeMain, peak;
    int failures = 0;

    void add(const std::optional<ProbeReport>& report)
    {
        if (!report) {
            ++failures;
            return;
        }
        firstFrame.push_back(report->firstFrameMs);
        beforeMain.push_back(report->beforeMainMs);
        peak.push_back(report->peakMb);
    }
    StartupFigures figures(int runs) const
    {
        return {median(firstFrame), median(beforeMain), median(peak), runs, failures};
    }
};

// Game over a yardstick, one ratio for each pair of runs that both succeeded.
struct Ratios {
    std::vector<double> time, memory;

    void add(const std::optional<ProbeReport>& game, const std::optional<ProbeReport>& yardstick)
    {
        if (!game || !yardstick)
            return;
        time.push_back(game->firstFrameMs / yardstick->firstFrameMs);
        memory.push_back(game->peakMb / yardstick->peakMb);
    }
};

} // namespace

StartupComparison measureStartup(QSize gameWindow, int runs, const QString& display)
{
    const QString game = QStringLiteral("bench_startup_game");
    const QString sameLayout = QStringLiteral("bench_same_layout_window");
    const QString window = QStringLiteral("bench_empty_window");
    const QStringList withLabel{QString::number(gameWindow.width()), QString::number(gameWindow.height()),
                                QStringLiteral("label")};
    // One launch of each first, unmeasured, so that all find the libraries
    // and the font cache in memory.
    launch(game, {}, display);
    launch(sameLayout, {}, display);
    launch(window, withLabel, display);

    // In turn, so that whatever else the machine does weighs on all alike.
    Samples gameRuns, sameLayoutRuns, labelRuns;
    Ratios toSameLayout, toLabel;
    for (int run = 0; run < runs; ++run) {
        const std::optional<ProbeReport> gameRun = launch(game, {}, display);
        const std::optional<ProbeReport> sameLayoutRun = launch(sameLayout, {}, display);
        const std::optional<ProbeReport> labelRun = launch(window, withLabel, display);
        gameRuns.add(gameRun);
        sameLayoutRuns.add(sameLayoutRun);
        labelRuns.add(labelRun);
        toSameLayout.add(gameRun, sameLayoutRun);
        toLabel.add(gameRun, labelRun);
    }
    return {gameRuns.figures(runs),
            sameLayoutRuns.figures(runs),
            labelRuns.figures(runs),
            median(toSameLayout.time),
            median(toSameLayout.memory),
            median(toLabel.time),
            median(toLabel.memory)};
}

} // namespace bench
