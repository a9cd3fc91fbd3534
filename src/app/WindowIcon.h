// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QObject>

namespace app {

// The game's icon: the installed icon theme's, else the built-in one.
QIcon gameIcon();

// Gives every window the game's icon once the first window has shown its
// first frame. Looking the icon up in the icon theme and decoding its
// pictures for the window system cost a start-up more than all of the main
// window's controls; the window comes first, its icon right after it.
// Installs itself on the application, which owns it, and goes once done.
class WindowIconAfterFirstFrame final : public QObject {
    Q_OBJECT
public:
    explicit WindowIconAfterFirstFrame(QObject& application);

    bool eventFilter(QObject* watched, QEvent* event) override;

protected:
    bool event(QEvent* event) override;

private:
    bool painted_ = false;
};

} // namespace app
