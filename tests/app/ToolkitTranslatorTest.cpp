// SPDX-License-Identifier: MIT
#include "support/ProgramTestCase.h"
#include "support/TestMain.h"

#include "app/ToolkitTranslator.h"
#include "ui/main/Form1.h"

#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <memory>

class ToolkitTranslatorTest : public testing_support::ProgramTestCase {
    Q_OBJECT
private slots:
    // First: the process is as fresh as a start-up.
    void startingTheGameReadsNoCatalogue();
    void theWritingDirectionComesFromTheLocaleWithoutTheCatalogue_data();
    void theWritingDirectionComesFromTheLocaleWithoutTheCatalogue();
    void theFirstTextAskedForReadsTheCatalogue();
    void aTextBoxsMenuIsGerman_data();
    void aTextBoxsMenuIsGerman();
    void aMessageBoxsButtonsAreGerman_data();
    void aMessageBoxsButtonsAreGerman();
};

namespace {

const QLocale German(QLocale::German, QLocale::Germany);

app::ToolkitTranslator& installedTranslator()
{
    auto* translator = qApp->findChild<app::ToolkitTranslator*>(QString(), Qt::FindDirectChildrenOnly);
    if (translator == nullptr)
        qFatal("the application has no translator for the toolkit's texts");
    return *translator;
}

} // namespace

void ToolkitTranslatorTest::startingTheGameReadsNoCatalogue()
{
    ui::Form1& f = fixture->form1();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QCoreApplication::processEvents();
    QVERIFY(!installedTranslator().catalogueRead());
    QCOMPARE(QGuiApplication::layoutDirection(), Qt::LeftToRight);
}

void ToolkitTranslatorTest::theWritingDirectionComesFromTheLocaleWithoutTheCatalogue_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("direction");
    QTest::newRow("German") << German << "LTR";
    QTest::newRow("Arabic") << QLocale(QLocale::Arabic, QLocale::Egypt) << "RTL";
    QTest::newRow("Hebrew") << QLocale(QLocale::Hebrew, QLocale::Israel) << "RTL";
}

void ToolkitTranslatorTest::theWritingDirectionComesFromTheLocaleWithoutTheCatalogue()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, direction);
    const app::ToolkitTranslator translator(locale);
    QCOMPARE(translator.translate("QGuiApplication", "QT_LAYOUT_DIRECTION"), direction);
    QVERIFY(!translator.catalogueRead());
    QVERIFY(!translator.isEmpty());
}

void ToolkitTranslatorTest::theFirstTextAskedForReadsTheCatalogue()
{
    const app::ToolkitTranslator translator(German);
    QCOMPARE(translator.translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
    QVERIFY(translator.catalogueRead());
    // Unknown texts stay the toolkit's; nothing is read twice.
    QCOMPARE(translator.translate("NoSuchContext", "Anything"), QString());
    QCOMPARE(translator.translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
}

void ToolkitTranslatorTest::aTextBoxsMenuIsGerman_data()
{
    QTest::addColumn<QString>("entry");
    for (const char* entry : {"Rückgängig", "Wiederherstellen", "Ausschneiden", "Kopieren", "Einfügen", "Löschen",
                              "Alles auswählen"})
        QTest::newRow(entry) << QString::fromUtf8(entry);
}

void ToolkitTranslatorTest::aTextBoxsMenuIsGerman()
{
    QFETCH(QString, entry);
    // The tests run with LC_ALL=C.UTF-8, an English locale.
    const std::unique_ptr<QMenu> menu(fixture->form1().Text5->createStandardContextMenu());
    QStringList entries;
    for (const QAction* action : menu->actions())
        entries << action->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
    QVERIFY2(entries.contains(entry), qPrintable(entries.join(QLatin1Char('|'))));
}

void ToolkitTranslatorTest::aMessageBoxsButtonsAreGerman_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("caption");
    QTest::newRow("OK") << int(QMessageBox::Ok) << "OK";
    QTest::newRow("Cancel") << int(QMessageBox::Cancel) << "Abbrechen";
    QTest::newRow("Yes") << int(QMessageBox::Yes) << "Ja";
    QTest::newRow("No") << int(QMessageBox::No) << "Nein";
    QTest::newRow("Close") << int(QMessageBox::Close) << "Schließen";
    QTest::newRow("Save") << int(QMessageBox::Save) << "Speichern";
}

void ToolkitTranslatorTest::aMessageBoxsButtonsAreGerman()
{
    QFETCH(int, button);
    QFETCH(QString, caption);
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Ringtafel"), QStringLiteral("Fehler"),
                    QMessageBox::StandardButton(button));
    QCOMPARE(box.button(QMessageBox::StandardButton(button))->text().remove(QLatin1Char('&')), caption);
}

RINGTAFEL_TEST_MAIN(ToolkitTranslatorTest)
#include "ToolkitTranslatorTest.moc"
