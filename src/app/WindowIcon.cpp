// SPDX-License-Identifier: MIT
#include "WindowIcon.h"

#include <QApplication>
#include <QEvent>
#include <QIconEngine>

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

// Comes after every event posted at normal priority, the reports of the
// first frame among them.
const QEvent::Type SetIcon = static_cast<QEvent::Type>(QEvent::registerEventType());

} // namespace

QIcon gameIcon()
{
    registerBuiltInIcons();
    const QIcon builtInIcon(new BuiltInIconEngine);   // the icon owns its engine
    return QIcon::fromTheme(QStringLiteral("de.ringtafel.Ringtafel"), builtInIcon);
}

WindowIconAfterFirstFrame::WindowIconAfterFirstFrame(QObject& application) : QObject(&application)
{
    application.installEventFilter(this);
}

bool WindowIconAfterFirstFrame::eventFilter(QObject* watched, QEvent* event)
{
    // Whichever window paints first, the main window or an error's message box.
    if (!painted_ && event->type() == QEvent::Paint && watched->isWidgetType()) {
        painted_ = true;
        QCoreApplication::postEvent(this, new QEvent(SetIcon), Qt::LowEventPriority);   // owned by the queue
    }
    return QObject::eventFilter(watched, event);
}

bool WindowIconAfterFirstFrame::event(QEvent* event)
{
    if (event->type() != SetIcon)
        return QObject::event(event);
    parent()->removeEventFilter(this);
    // Every window without an icon of its own takes the application's, the
    // shown ones at once.
    QApplication::setWindowIcon(gameIcon());
    deleteLater();
    return true;
}

} // namespace app
