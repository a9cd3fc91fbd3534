#include "Startup.h"

#include "Program.h"
#include "ui/Accessibility.h"
#include "ui/Look.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyle>
#include <QStyleFactory>
#include <QTranslator>

// Resources of a static library are registered by hand, outside any namespace.
static void registerBuiltInIcons()
{
    Q_INIT_RESOURCE(icons);
}

namespace app {

void prepareApplication(QApplication& application)
{
    QApplication::setApplicationName(QStringLiteral("Ringtafel"));
    QApplication::setDesktopFileName(QStringLiteral("de.ringtafel.Ringtafel"));
    registerBuiltInIcons();
    QIcon builtInIcon;   // for when no installed icon theme has ours
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        builtInIcon.addFile(QStringLiteral(":/icons/%1x%1/de.ringtafel.Ringtafel.png").arg(size));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("de.ringtafel.Ringtafel"), builtInIcon));
    QApplication::setQuitOnLastWindowClosed(false);   // only the main window ends the program
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // The windows have fixed light colours; a dark desktop theme must not
    // bring light text onto them.
    QApplication::setPalette(QApplication::style()->standardPalette());
    ui::installFontSubstitutes();
    ui::installAccessibility();

    // The game speaks German whatever the user's locale, the toolkit's own
    // texts included.
    const QLocale german(QLocale::German, QLocale::Germany);
    QLocale::setDefault(german);
    auto* translator = new QTranslator(&application);   // owned by the application
    if (translator->load(german, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

int runGame(int argc, char** argv)
{
    QApplication application(argc, argv);
    prepareApplication(application);
    RealProgram game;
    game.program().start();
    return QApplication::exec();
}

} // namespace app
