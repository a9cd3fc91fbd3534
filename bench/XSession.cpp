// SPDX-License-Identifier: MIT
#include "XSession.h"

#include "Stats.h"

#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <cstdlib>
#include <cstring>
#include <thread>

namespace bench {

XvfbServer::XvfbServer(int width, int height)
{
    // -displayfd: the server takes the first free display and writes its
    // number to our pipe once clients can connect.
    const QString screen = QStringLiteral("%1x%2x24").arg(width).arg(height);
    server_.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                           QStringLiteral("0"), screen, QStringLiteral("-dpi"), QStringLiteral("96"),
                                           QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-br")});
    if (!server_.waitForStarted(5000))
        return;
    QByteArray number;
    const std::int64_t deadline = monotonicNs() + 10'000'000'000;
    while (!number.contains('\n') && monotonicNs() < deadline && server_.state() == QProcess::Running) {
        server_.waitForReadyRead(100);
        number += server_.readAllStandardOutput();
    }
    bool ok = false;
    const int display = number.trimmed().toInt(&ok);
    if (ok)
        display_ = QStringLiteral(":%1").arg(display);
}

XvfbServer::~XvfbServer()
{
    if (server_.state() != QProcess::NotRunning) {
        server_.terminate();
        if (!server_.waitForFinished(5000)) {
            server_.kill();
            server_.waitForFinished(5000);
        }
    }
}

XClient::XClient(const QString& display)
{
    int screenNumber = 0;
    connection_ = xcb_connect(display.toLocal8Bit().constData(), &screenNumber);
    if (xcb_connection_has_error(connection_)) {
        xcb_disconnect(connection_);
        connection_ = nullptr;
        return;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    root_ = screens.data->root;
}

XClient::~XClient()
{
    if (connection_)
        xcb_disconnect(connection_);
}

namespace {

// Replies of xcb are malloc'ed and freed by the caller.
template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPtr<Reply> owned(Reply* reply)
{
    return ReplyPtr<Reply>(reply, &std::free);
}

} // namespace

std::optional<QPoint> XClient::findWindow(const char* title, int timeoutMs)
{
    const std::int64_t deadline = monotonicNs() + std::int64_t(timeoutMs) * 1'000'000;
    do {
        auto tree = owned(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, root_), nullptr));
        const xcb_window_t* children = tree ? xcb_query_tree_children(tree.get()) : nullptr;
        const int count = tree ? xcb_query_tree_children_length(tree.get()) : 0;
        for (int i = 0; i < count; ++i) {
            const xcb_window_t window = children[i];
            auto name = owned(xcb_get_property_reply(
                connection_,
                xcb_get_property(connection_, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256),
                nullptr));
            if (!name || std::size_t(xcb_get_property_value_length(name.get())) != std::strlen(title)
                || std::memcmp(xcb_get_property_value(name.get()), title, std::strlen(title)) != 0)
                continue;
            auto attributes = owned(xcb_get_window_attributes_reply(
                connection_, xcb_get_window_attributes(connection_, window), nullptr));
            if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE)
                continue;
            auto place = owned(xcb_translate_coordinates_reply(
                connection_, xcb_translate_coordinates(connection_, window, root_, 0, 0), nullptr));
            if (place)
                return QPoint(place->dst_x, place->dst_y);
        }
        if (monotonicNs() >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    } while (true);
}

Pixels XClient::grab(const QRect& area)
{
    Pixels pixels;
    auto image = owned(xcb_get_image_reply(
        connection_,
        xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, root_, std::int16_t(area.x()), std::int16_t(area.y()),
                      std::uint16_t(area.width()), std::uint16_t(area.height()), ~0u),
        nullptr));
    // A 24-bit screen comes as one little-endian 32-bit word per pixel.
    const std::size_t count = std::size_t(area.width()) * std::size_t(area.height());
    if (!image || std::size_t(xcb_get_image_data_length(image.get())) != count * 4)
        return pixels;
    pixels.width = area.width();
    pixels.height = area.height();
    pixels.words.resize(count);
    std::memcpy(pixels.words.data(), xcb_get_image_data(image.get()), count * 4);
    for (std::uint32_t& word : pixels.words)
        word &= 0x00ffffffu;
    return pixels;
}

void XClient::movePointer(QPoint onScreen)
{
    xcb_test_fake_input(connection_, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root_, std::int16_t(onScreen.x()),
                        std::int16_t(onScreen.y()), 0);
    sync();
}

void XClient::pressButton()
{
    xcb_test_fake_input(connection_, XCB_BUTTON_PRESS, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_flush(connection_);
}

void XClient::releaseButton()
{
    xcb_test_fake_input(connection_, XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_flush(connection_);
}

void XClient::sync()
{
    free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
}

} // namespace bench
