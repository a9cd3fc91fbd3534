// SPDX-License-Identifier: MIT
#include "support/ProgramFixture.h"
#include "support/TestMain.h"

#include "app/WindowIcon.h"
#include "ui/explain/Form3.h"
#include "ui/main/Form1.h"
#include "ui/result/Form2.h"

#include <QMessageBox>
#include <QTest>

#include <memory>

using testing_support::ProgramFixture;

class WindowIconTest : public QObject {
    Q_OBJECT
private slots:
    void everyWindowHasTheIconOnceTheFirstWindowIsPainted_data();
    void everyWindowHasTheIconOnceTheFirstWindowIsPainted();
};

namespace {

// The middle of the ring target is light yellow.
bool showsTheTarget(const QIcon& icon, int size)
{
    const QImage picture = icon.pixmap(QSize(size, size)).toImage();
    return picture.size() == QSize(size, size) && picture.pixelColor(size / 2, size / 2) == QColor(255, 255, 0);
}

} // namespace

void WindowIconTest::everyWindowHasTheIconOnceTheFirstWindowIsPainted_data()
{
    QTest::addColumn<bool>("errorBoxFirst");
    QTest::newRow("main window first") << false;
    QTest::newRow("an error's message box first") << true;
}

void WindowIconTest::everyWindowHasTheIconOnceTheFirstWindowIsPainted()
{
    QFETCH(bool, errorBoxFirst);
    // As at start-up: no icon yet, one waiting for the first frame.
    QApplication::setWindowIcon(QIcon());
    new app::WindowIconAfterFirstFrame(*qApp);   // owned by the application, gone once done

    std::unique_ptr<QMessageBox> box;
    std::unique_ptr<ProgramFixture> fixture;
    QWidget* first = nullptr;
    if (errorBoxFirst) {
        box = std::make_unique<QMessageBox>(QMessageBox::Critical, QStringLiteral("Ringtafel"), QStringLiteral("Fehler"));
        first = box.get();
    } else {
        fixture = std::make_unique<ProgramFixture>();   // shows the main window
        first = &fixture->form1();
    }
    first->show();
    QVERIFY(first->windowIcon().isNull());
    QVERIFY(QTest::qWaitForWindowExposed(first));
    QTRY_VERIFY(!QApplication::windowIcon().isNull());
    QVERIFY(showsTheTarget(first->windowIcon(), 32));
    if (fixture) {
        for (QWidget* window : {static_cast<QWidget*>(&fixture->program().Form2()),
                                static_cast<QWidget*>(&fixture->program().Form3())})
            QVERIFY(showsTheTarget(window->windowIcon(), 32));
    }
    // Done once: the watcher has gone.
    QTRY_COMPARE(qApp->findChildren<app::WindowIconAfterFirstFrame*>().size(), 0);
}

RINGTAFEL_TEST_MAIN(WindowIconTest)
#include "WindowIconTest.moc"
