// SPDX-License-Identifier: MIT
// The floor for press-to-pixels: a window with a picture of a fixed target
// and a text box that counts the presses on it. Nothing else runs.
#include "ReferenceLayout.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QWidget>

namespace {

class TargetPicture final : public QWidget {
public:
    TargetPicture(QLineEdit& count, QWidget* parent) : QWidget(parent), count_(count), image_(draw())
    {
        setFocusPolicy(Qt::StrongFocus);   // takes the focus, so the box shows no blinking cursor
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, image_); }
    void mousePressEvent(QMouseEvent*) override { count_.setText(QString::number(++presses_)); }

private:
    static QImage draw()
    {
        using namespace bench::reference;
        QImage image(Picture.size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        const QColor colours[] = {Qt::yellow, Qt::red, Qt::green, Qt::blue, Qt::black};
        const QPointF centre(Picture.width() / 2, Picture.height() / 2);
        for (int r = 1; r <= TargetRadius; ++r) {
            painter.setPen(QPen(colours[(r - 1) * 5 / TargetRadius], 3));
            painter.drawEllipse(centre, r, r);
        }
        return image;
    }

    QLineEdit& count_;
    QImage image_;
    int presses_ = 0;
};

} // namespace

int main(int argc, char** argv)
{
    using namespace bench::reference;
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QString::fromLatin1(Title));
    window.setGeometry(QRect(Position, WindowSize));
    auto* count = new QLineEdit(QStringLiteral("0"), &window);   // owned by the window
    count->setGeometry(CountBox);
    count->setAlignment(Qt::AlignCenter);
    QFont bold = count->font();
    bold.setPointSize(12);
    bold.setBold(true);
    count->setFont(bold);
    auto* picture = new TargetPicture(*count, &window);   // owned by the window
    picture->setGeometry(Picture);
    picture->setFocus();
    window.show();
    return QApplication::exec();
}
