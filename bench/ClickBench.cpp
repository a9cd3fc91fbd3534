// SPDX-License-Identifier: MIT
#include "Benchmarks.h"
#include "Stats.h"

#include "ui/main/Form1.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>

namespace bench {

ClickFigures measureClick(ui::Form1& form, int clicks)
{
    // A finished target on the screen, aimed at in its middle.
    form.state().Anzahl = 1;
    form.Timer1_Timer();
    QApplication::processEvents();
    const QPointF centre(form.state().xx.toDouble() + 30.0, form.state().yy.toDouble() + 30.0);
    const QPointF at = QPointF(form.Picture1->contentsRect().topLeft()) + centre;
    const QPointF global = form.Picture1->mapToGlobal(at);

    ClickFigures figures;
    figures.clicks = clicks;
    std::vector<double> times;
    for (int click = 0; click < clicks + 10; ++click) {   // the first ten warm up
        const QString scoreBefore = form.Text5->text();
        QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        const std::int64_t start = monotonicNs();
        QApplication::sendEvent(form.Picture1, &press);
        const std::int64_t end = monotonicNs();
        QApplication::sendEvent(form.Picture1, &release);
        QApplication::processEvents();   // the score box is painted before the next click, as in play
        if (click < 10)
            continue;
        times.push_back(double(end - start) / 1e3);
        if (form.Text5->text() == scoreBefore)
            ++figures.misses;
    }
    figures.medianUs = median(times);
    figures.worstUs = *std::max_element(times.begin(), times.end());
    return figures;
}

} // namespace bench
