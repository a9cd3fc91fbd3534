// SPDX-License-Identifier: MIT
// Runs under a screen scale factor set from outside (QT_SCALE_FACTOR): the
// windows scale as a whole, the field keeps its field pixels, and a click
// lands on the field pixel under the pointer.
#include "support/ProgramFixture.h"
#include "support/ProgramTestCase.h"
#include "support/TestMain.h"

#include "ui/main/Form1.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include <cmath>

using testing_support::ProgramFixture;

class ScalingTest : public testing_support::ProgramTestCase {
    Q_OBJECT
private slots:

    void theFieldKeepsItsPixelsAtAnyScale();
    void aClickOnTheCentreOnScreenScoresThirtyOne_data();
    void aClickOnTheCentreOnScreenScoresThirtyOne();
};

void ScalingTest::theFieldKeepsItsPixelsAtAnyScale()
{
    ui::Form1& f = fixture->form1();
    const qreal scale = f.devicePixelRatioF();
    qInfo("device pixel ratio %.2f", scale);
    QVERIFY(scale == qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble());
    QCOMPARE(f.Picture1->contentsRect().size(), QSize(357, 389));
    QCOMPARE(f.Picture1->image().size(), QSize(357, 389));
    const QImage screen = f.Picture1->grab().toImage();
    QCOMPARE(screen.size(), QSize(qRound(361 * scale), qRound(393 * scale)));
}

void ScalingTest::aClickOnTheCentreOnScreenScoresThirtyOne_data()
{
    QTest::addColumn<float>("a");
    QTest::addColumn<float>("b");
    QTest::addColumn<qreal>("inside");   // how far into its screen pixel the pointer rests
    QTest::newRow("top left") << 0.0f << 0.0f << 0.0;
    QTest::newRow("middle") << 0.5f << 0.5f << 0.0;
    QTest::newRow("bottom right") << 0.999f << 0.999f << 0.0;
    QTest::newRow("odd place") << 0.37f << 0.81f << 0.0;
    QTest::newRow("odd place, inside the screen pixels") << 0.37f << 0.81f << 0.9;
    QTest::newRow("top left, inside the screen pixels") << 0.0f << 0.0f << 0.5;
}

void ScalingTest::aClickOnTheCentreOnScreenScoresThirtyOne()
{
    QFETCH(float, a);
    QFETCH(float, b);
    QFETCH(qreal, inside);
    ui::Form1& f = fixture->form1();
    const QPoint centre = fixture->startWithTargetAt(a, b);
    const int cx = centre.x(), cy = centre.y();

    // Find the screen pixels the centre field pixel covers and press on each.
    const qreal scale = f.devicePixelRatioF();
    const QImage screen = f.Picture1->grab().toImage();
    const QPoint inner = f.Picture1->contentsRect().topLeft();
    int presses = 0;
    for (int dy = 0; dy < int(std::ceil(scale)) + 1; ++dy) {
        for (int dx = 0; dx < int(std::ceil(scale)) + 1; ++dx) {
            const QPoint device(int(std::floor((inner.x() + cx) * scale)) + dx,
                                int(std::floor((inner.y() + cy) * scale)) + dy);
            const QPointF logical = (QPointF(device) + QPointF(inside, inside)) / scale;
            // The field pixel this screen pixel shows, as the toolkit draws it.
            const bool onCentre = int(std::floor(device.x() / scale)) - inner.x() == cx
                                  && int(std::floor(device.y() / scale)) - inner.y() == cy;
            if (!onCentre)
                continue;
            QCOMPARE(screen.pixelColor(device), QColor(255, 255, 0));
            const double before = f.state().Punkte.toDouble();
            QMouseEvent press(QEvent::MouseButtonPress, logical, f.Picture1->mapToGlobal(logical), Qt::LeftButton,
                              Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(f.Picture1, &press);
            QCOMPARE(f.state().Punkte.toDouble() - before, 31.0);
            QCOMPARE(f.Text1->text(), QStringLiteral("X= %1").arg(cx));
            QCOMPARE(f.Text2->text(), QStringLiteral("Y= %1").arg(cy));
            ++presses;
        }
    }
    QVERIFY(presses >= 1);
}

RINGTAFEL_TEST_MAIN(ScalingTest)
#include "ScalingTest.moc"
