#include "Startup.h"

#include "Program.h"
#include "ui/Accessibility.h"
#include "ui/Look.h"

#include <QApplication>
#include <QIcon>
#include <QIconEngine>
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

namespace {

// The built-in window icon, for when no installed icon theme has ours. Its
// pictures are read on the first request for one, not at start-up: most of
// the time nothing asks (an installed theme has the icon, or the platform
// shows none), and decoding them all costs more than any window's controls.
class BuiltInIconEngine final : public QIconEngine {
public:
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (const int size : Sizes)
            sizes.append(QSize(size, size));
        return sizes;
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return pictures().pixmap(size, mode, state);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        pictures().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QIconEngine* clone() const override { return new BuiltInIconEngine(*this); }   // owned by the copying icon
    QString key() const override { return QStringLiteral("ringtafel-built-in"); }
    bool isNull() override { return false; }

private:
    static constexpr int Sizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

    const QIcon& pictures()
    {
        if (pictures_.isNull()) {
            for (const int size : Sizes)
                pictures_.addFile(QStringLiteral(":/icons/%1x%1/de.ringtafel.Ringtafel.png").arg(size));
        }
        return pictures_;
    }

    QIcon pictures_;
};

} // namespace

void prepareApplication(QApplication& application)
{
    QApplication::setApplicationName(QStringLiteral("Ringtafel"));
    QApplication::setDesktopFileName(QStringLiteral("de.ringtafel.Ringtafel"));
    registerBuiltInIcons();
    const QIcon builtInIcon(new BuiltInIconEngine);   // the icon owns its engine
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
