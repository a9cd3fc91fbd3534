// SPDX-License-Identifier: MIT
#include "Startup.h"

#include "CommandLine.h"
#include "Program.h"
#include "ToolkitTranslator.h"
#include "WindowIcon.h"
#include "ui/Accessibility.h"
#include "ui/Look.h"

#include <QApplication>
#include <QLocale>
#include <QStyle>
#include <QStyleFactory>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

namespace app {

void prepareApplication(QApplication& application)
{
    QApplication::setApplicationName(QStringLiteral("Ringtafel"));
    QApplication::setDesktopFileName(QStringLiteral("de.ringtafel.Ringtafel"));
    new WindowIconAfterFirstFrame(application);   // owned by the application
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
    QApplication::installTranslator(new ToolkitTranslator(german, &application));   // owned by the application
}

namespace {

// While the toolkit opens the display, its messages are held back: when no
// display opens, the player gets one line, naming the display variable of each
// platform the toolkit tried, and exit code 1 instead of the toolkit's abort.
// Once the display is open they are passed on.
class DisplayOpening {
public:
    DisplayOpening() { previous_ = qInstallMessageHandler(&DisplayOpening::handle); }
    ~DisplayOpening()
    {
        qInstallMessageHandler(previous_);
        for (const Held& message : held_) {
            const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
            previous_(message.type, context, message.text);
        }
        held_.clear();
    }
    DisplayOpening(const DisplayOpening&) = delete;
    DisplayOpening& operator=(const DisplayOpening&) = delete;

private:
    struct Held {
        QtMsgType type;
        QByteArray category;
        QString text;
    };

    struct Platform {
        const char* name;   // as the toolkit's plugin is called, a prefix
        const char* variable;
    };
    static constexpr Platform Platforms[] = {{"wayland", "WAYLAND_DISPLAY"}, {"xcb", "DISPLAY"}};

    static const char* variableOf(QStringView platform)
    {
        for (const Platform& p : Platforms) {
            if (platform.startsWith(QLatin1String(p.name)))
                return p.variable;
        }
        return nullptr;
    }

    // The toolkit names each platform plugin that failed in a message of its
    // own; without one, the platform asked for in the environment counts.
    static std::vector<const char*> triedVariables()
    {
        std::vector<const char*> variables;
        const auto add = [&variables](const char* variable) {
            if (variable != nullptr && std::find(variables.begin(), variables.end(), variable) == variables.end())
                variables.push_back(variable);
        };
        static constexpr QStringView Named = u"platform plugin \"";
        for (const Held& message : held_) {
            const qsizetype at = message.text.indexOf(Named);
            if (at >= 0)
                add(variableOf(QStringView(message.text).mid(at + Named.size())));
        }
        if (variables.empty())
            add(variableOf(qEnvironmentVariable("QT_QPA_PLATFORM")));
        add(variables.empty() ? "DISPLAY" : nullptr);
        return variables;
    }

    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        if (type == QtFatalMsg) {
            QByteArray line = "Ringtafel: Es konnte keine Anzeige geöffnet werden (";
            for (const char* variable : triedVariables()) {
                if (!line.endsWith('('))
                    line += ", ";
                const QByteArray value = qgetenv(variable);
                line += variable;
                line += value.isEmpty() ? QByteArray(" ist nicht gesetzt") : "=" + value;
            }
            line += ").\n";
            std::fputs(line.constData(), stderr);
            std::fflush(stderr);
            std::_Exit(1);   // the toolkit is half set up: nothing more may run
        }
        held_.push_back({type, context.category, text});
    }

    static inline QtMessageHandler previous_ = nullptr;
    static inline std::vector<Held> held_;
};

} // namespace

int runGame(int argc, char** argv)
{
    // Help, version and a refused argument need no display, and get no window.
    if (const std::optional<int> answered = answerCommandLine(argc, argv, stdout, stderr))
        return *answered;
    std::optional<DisplayOpening> opening(std::in_place);
    QApplication application(argc, argv);
    opening.reset();
    prepareApplication(application);
    RealProgram game;
    game.program().start();
    return QApplication::exec();
}

} // namespace app
