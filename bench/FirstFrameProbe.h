// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

#include <cstdint>

class QWidget;

namespace bench {

// Watches a window for its first paint. Once that frame is finished, children
// and all, it prints one line on stdout and ends the event loop:
//   main_ns=<N> first_frame_ns=<N> peak_rss_kb=<N>
// Times are on the monotonic clock, so the launching process can tell how
// long the start-up took from its own launch time.
class FirstFrameProbe final : public QObject {
public:
    // mainEnteredNs: the monotonic time taken first thing in main().
    FirstFrameProbe(QWidget& window, std::int64_t mainEnteredNs);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void report() const;

    std::int64_t mainEnteredNs_;
    bool painted_ = false;
};

} // namespace bench
