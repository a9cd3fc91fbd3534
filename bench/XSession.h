// SPDX-License-Identifier: MIT
#pragma once

#include <QProcess>
#include <QRect>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

struct xcb_connection_t;

namespace bench {

// A private Xvfb for the figures a player sees: started on a display that is
// free (the server picks it and tells), ended with this object.
class XvfbServer {
public:
    // Starts the server; display() is empty if it could not be started.
    XvfbServer(int width, int height);
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    const QString& display() const { return display_; }

private:
    QProcess server_;
    QString display_;   // ":N"
};

// The pixels of a screen area, one 32-bit word per pixel (0x00RRGGBB).
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> words;

    std::uint32_t at(int x, int y) const { return words[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
    friend bool operator==(const Pixels&, const Pixels&) = default;
};

// The benchmark's own client of the server: finds windows, reads pixels back
// and sends input through XTest, as a player's mouse would.
class XClient {
public:
    explicit XClient(const QString& display);
    ~XClient();
    XClient(const XClient&) = delete;
    XClient& operator=(const XClient&) = delete;

    bool connected() const { return connection_ != nullptr; }

    // Top-left corner on the screen of the shown top-level window with the
    // given title, waiting up to timeoutMs for it.
    std::optional<QPoint> findWindow(const char* title, int timeoutMs);

    // What the screen shows in the area, windows on top included.
    Pixels grab(const QRect& area);

    void movePointer(QPoint onScreen);
    // Sends the press or release of the left button and hands it to the
    // server at once.
    void pressButton();
    void releaseButton();
    // Waits until the server has handled everything sent so far.
    void sync();

private:
    xcb_connection_t* connection_ = nullptr;
    std::uint32_t root_ = 0;
};

} // namespace bench
