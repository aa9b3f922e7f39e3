#include "mainwindow/artwork.h"

#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace mainwindow {

namespace {

const QColor kNavy(0, 0, 128);
const QColor kSky(70, 130, 200);
const QColor kAmber(255, 196, 40);
const QColor kGreen(60, 170, 80);

QPixmap blank(QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A morse key on its base, with the dots and dashes of "CQ" above it.
void paintMorseMentor(QPainter &p, QRectF r)
{
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0, QColor(20, 30, 90));
    sky.setColorAt(1, QColor(60, 90, 170));
    p.fillRect(r, sky);
    const double u = r.width() / 26;
    p.setPen(Qt::NoPen);
    p.setBrush(kAmber);
    // C = -.-.  Q = --.-
    const char *code = "-.-. --.-";
    double x = r.left() + 2 * u;
    for (const char *c = code; *c; ++c) {
        if (*c == ' ') {
            x += 1.5 * u;
            continue;
        }
        const double w = *c == '-' ? 2.4 * u : 0.8 * u;
        p.drawRoundedRect(QRectF(x, r.top() + 2.5 * u, w, 0.8 * u), 0.4 * u, 0.4 * u);
        x += w + 0.7 * u;
    }
    // The base, the lever and the knob.
    p.setBrush(QColor(90, 60, 30));
    p.drawRoundedRect(QRectF(r.left() + 3 * u, r.bottom() - 4 * u, 20 * u, 2.4 * u), 0.6 * u, 0.6 * u);
    p.setBrush(QColor(200, 200, 210));
    p.drawRect(QRectF(r.left() + 6 * u, r.bottom() - 6 * u, 14 * u, 0.9 * u));
    p.drawRect(QRectF(r.left() + 12 * u, r.bottom() - 5.2 * u, 1.2 * u, 1.3 * u));
    p.setBrush(QColor(20, 20, 20));
    p.drawEllipse(QRectF(r.left() + 17.5 * u, r.bottom() - 8 * u, 4 * u, 2.6 * u));
}

// A band scope: a spectrum trace over a waterfall.
void paintBandScout(QPainter &p, QRectF r)
{
    p.fillRect(r, QColor(8, 12, 30));
    const QRectF fall(r.left(), r.center().y(), r.width(), r.height() / 2);
    // The cells are placed on the device: a painter that scales would fill each of
    // the 960 rectangles as a general path.
    const QTransform toDevice = p.worldTransform();
    p.save();
    p.resetTransform();
    for (int row = 0; row < 24; ++row) {
        for (int col = 0; col < 40; ++col) {
            const double signal = std::exp(-std::pow((col - 12 - row % 3) / 2.0, 2)) +
                                  0.8 * std::exp(-std::pow((col - 28) / 1.5, 2)) * ((row / 4) % 2) +
                                  0.15 * ((row * 7 + col * 13) % 5) / 4.0;
            const int level = std::min(255, int(signal * 220));
            const QRectF cell(fall.left() + col * fall.width() / 40, fall.top() + row * fall.height() / 24,
                              fall.width() / 40 + 1, fall.height() / 24 + 1);
            p.fillRect(toDevice.mapRect(cell), QColor(level, level / 2, 255 - level));
        }
    }
    p.restore();
    QPainterPath trace;
    const double base = r.center().y() - r.height() * 0.06;
    for (int i = 0; i <= 200; ++i) {
        const double t = i / 200.0 * 40;
        const double y = std::exp(-std::pow((t - 13) / 2.0, 2)) +
                         0.8 * std::exp(-std::pow((t - 28) / 1.5, 2)) + 0.05 * std::sin(t * 5.3);
        const QPointF pt(r.left() + i / 200.0 * r.width(), base - y * r.height() * 0.33);
        i == 0 ? trace.moveTo(pt) : trace.lineTo(pt);
    }
    p.setPen(QPen(QColor(120, 255, 140), std::max(1.0, r.width() / 130)));
    p.setBrush(Qt::NoBrush);
    p.drawPath(trace);
}

// An open logbook with ruled lines and a pencil across it.
void paintLogKeeper(QPainter &p, QRectF r)
{
    p.fillRect(r, QColor(60, 110, 80));
    const QRectF book = r.adjusted(r.width() * 0.08, r.height() * 0.1, -r.width() * 0.08, -r.height() * 0.1);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(QColor(250, 246, 230));
    p.drawRect(book);
    p.drawLine(QPointF(book.center().x(), book.top()), QPointF(book.center().x(), book.bottom()));
    p.setPen(QPen(kSky, 1));
    for (int i = 1; i < 9; ++i) {
        const double y = book.top() + i * book.height() / 9;
        p.drawLine(QPointF(book.left() + 4, y), QPointF(book.right() - 4, y));
    }
    p.setPen(QPen(QColor(200, 40, 40), 1));
    p.drawLine(QPointF(book.left() + book.width() * 0.12, book.top()),
               QPointF(book.left() + book.width() * 0.12, book.bottom()));
    p.save();
    p.translate(r.left() + r.width() * 0.62, r.top() + r.height() * 0.62);
    p.rotate(-35);
    const double len = r.width() * 0.45, th = r.height() * 0.07;
    p.setPen(Qt::NoPen);
    p.setBrush(kAmber);
    p.drawRect(QRectF(-len / 2, -th / 2, len, th));
    p.setBrush(QColor(240, 200, 160));
    QPolygonF tip;
    tip << QPointF(len / 2, -th / 2) << QPointF(len / 2 + th * 1.4, 0) << QPointF(len / 2, th / 2);
    p.drawPolygon(tip);
    p.setBrush(QColor(230, 120, 140));
    p.drawRect(QRectF(-len / 2 - th, -th / 2, th, th));
    p.restore();
}

} // namespace

QPixmap drawIcon(int size)
{
    QPixmap pixmap = blank(QSize(size, size));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    p.setPen(Qt::NoPen);
    p.setBrush(kNavy);
    p.drawRoundedRect(QRectF(0, 0, s, s), s * 0.18, s * 0.18);
    // A mast with two radio waves on each side.
    const QPointF top(s * 0.42, s * 0.2);
    p.setPen(QPen(Qt::white, std::max(1.0, s * 0.06), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(top, QPointF(s * 0.26, s * 0.84));
    p.drawLine(top, QPointF(s * 0.58, s * 0.84));
    if (size >= 32)
        p.drawLine(QPointF(s * 0.31, s * 0.64), QPointF(s * 0.53, s * 0.64));
    p.setPen(QPen(kAmber, std::max(1.0, s * 0.05), Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 2; ++i) {
        const double r = s * 0.11 * i;
        const QRectF arc(top.x() - r, top.y() - r, 2 * r, 2 * r);
        p.drawArc(arc, -50 * 16, 100 * 16);
        p.drawArc(arc, 130 * 16, 100 * 16);
    }
    // A check mark: the answer is right.
    p.setPen(QPen(kGreen.lighter(130), std::max(1.5, s * 0.09), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPolygonF tick;
    tick << QPointF(s * 0.62, s * 0.66) << QPointF(s * 0.72, s * 0.77) << QPointF(s * 0.9, s * 0.5);
    p.drawPolyline(tick);
    return pixmap;
}

namespace {

// The window icon, drawn at its sizes only once something asks for a picture of it:
// a desktop asks when the window first shows, a headless run never does.
class DrawnIconEngine final : public QIconEngine
{
public:
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        // The sizes are known without drawing; they are the normal, off images.
        if (mode != QIcon::Normal || state != QIcon::Off)
            return {};
        QList<QSize> sizes;
        for (int size : kSizes)
            sizes << QSize(size, size);
        return sizes;
    }
    QIconEngine *clone() const override { return new DrawnIconEngine; }
    QString key() const override { return QStringLiteral("examora-drawn"); }

private:
    static constexpr int kSizes[] = {16, 32, 48, 256};

    const QIcon &icon()
    {
        if (m_icon.isNull())
            for (int size : kSizes)
                m_icon.addPixmap(drawIcon(size));
        return m_icon;
    }

    QIcon m_icon;
};

} // namespace

QIcon windowIcon()
{
    return QIcon(new DrawnIconEngine);
}

QString productName(int index)
{
    switch (index) {
    case 0:
        return QStringLiteral("Morse Mentor");
    case 1:
        return QStringLiteral("Band Scout");
    case 2:
        return QStringLiteral("Log Keeper");
    default:
        return QString();
    }
}

QSize productPictureSize(int index)
{
    return QSize(259, index == 0 ? 194 : 197);
}

void paintProductPicture(int index, QPainter &p)
{
    const QRectF r(QPointF(0, 0), productPictureSize(index));
    switch (index) {
    case 0:
        paintMorseMentor(p, r);
        break;
    case 1:
        paintBandScout(p, r);
        break;
    default:
        paintLogKeeper(p, r);
        break;
    }
}

QCursor linkCursor()
{
    QPixmap pixmap = blank(QSize(32, 32));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // A hand with the index finger raised; the finger tip is the hot spot.
    QPainterPath hand;
    hand.moveTo(10, 3);
    hand.quadTo(12, 0.5, 14, 3);
    hand.lineTo(14, 12);
    hand.quadTo(16, 10, 18, 12.5);
    hand.quadTo(20, 11, 22, 13.5);
    hand.quadTo(24.5, 12.5, 26, 15);
    hand.lineTo(26, 22);
    hand.quadTo(25, 27, 22, 29);
    hand.lineTo(12, 29);
    hand.quadTo(8, 25, 4, 19);
    hand.quadTo(4.5, 16, 7.5, 17.5);
    hand.lineTo(10, 20);
    hand.closeSubpath();
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::white);
    p.drawPath(hand);
    p.setPen(QPen(Qt::black, 0.8));
    p.drawLine(QPointF(18, 13), QPointF(18, 19));
    p.drawLine(QPointF(22, 14), QPointF(22, 19));
    p.end();
    return QCursor(pixmap, 12, 1);
}

} // namespace mainwindow
