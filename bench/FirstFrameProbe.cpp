// SPDX-License-Identifier: MIT
#include "FirstFrameProbe.h"

#include "Stats.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <cstdio>
#include <fstream>
#include <string>

namespace bench {

namespace {

// VmHWM: the most resident memory the process has had so far.
long peakResidentKb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

} // namespace

FirstFrameProbe::FirstFrameProbe(QWidget& window, std::int64_t mainEnteredNs) : mainEnteredNs_(mainEnteredNs)
{
    window.installEventFilter(this);
}

bool FirstFrameProbe::eventFilter(QObject* watched, QEvent* event)
{
    if (!painted_ && event->type() == QEvent::Paint) {
        painted_ = true;
        // The window's own paint comes first; its children are painted and
        // the frame is flushed before the event loop gets to a queued call.
        QMetaObject::invokeMethod(this, [this] { report(); }, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void FirstFrameProbe::report() const
{
    const std::int64_t frameDone = monotonicNs();
    std::printf("main_ns=%lld first_frame_ns=%lld peak_rss_kb=%ld\n", static_cast<long long>(mainEnteredNs_),
                static_cast<long long>(frameDone), peakResidentKb());
    std::fflush(stdout);
    QCoreApplication::exit(0);
}

} // namespace bench
