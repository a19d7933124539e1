// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/connectionprofile.h"

#include "drawing/drawingstyle.h"
#include "drawing/labelplacer.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <array>
#include <vector>

namespace drawing {
namespace {

// Shares of the width: upstream canal, inlet transition, flume, outlet
// transition, downstream canal.
constexpr std::array<double, 5> kStretchShare = {0.10, 0.14, 0.52, 0.14, 0.10};
constexpr double kLeft = 70, kRight = 24, kTop = 58, kBottom = 62;
const QColor kIncreased{200, 30, 30};

struct Frame {
    QRectF plot;
    double low, high;        // elevations at the bottom and the top, m
    std::array<double, 6> x; // stretch edges, canvas units
    QStringList latin;       // faces of the labels' Latin letters first

    double Y(double level) const {
        return plot.bottom() - (level - low) / (high - low) * plot.height();
    }
    QPointF At(double xx, double level) const { return {xx, Y(level)}; }
};

QString Level(double value) {
    return QString::number(value, 'f', 3);
}

// The elevations the drawing cannot do without.
bool Complete(const hydraulics::Connection& c) {
    const hydraulics::ConnectionLevels& e = c.levels;
    return e.bedUpstream && e.bedInlet && e.bedOutlet && e.bedDownstream && e.levelUpstream &&
           e.levelDownstream;
}

Frame MakeFrame(const QRectF& box, const hydraulics::Connection& c, double h) {
    const hydraulics::ConnectionLevels& e = c.levels;
    const hydraulics::ConnectionIncreased& r = c.increased;
    std::vector<double> levels{*e.bedUpstream,   *e.bedInlet,      *e.bedOutlet,
                               *e.bedDownstream, *e.levelUpstream, *e.levelDownstream,
                               *e.bedInlet + h};
    for (const auto& v :
         {r.requiredH1 ? std::optional(*e.bedUpstream + *r.requiredH1) : std::nullopt,
          r.levelDownstream, r.maxDepth ? std::optional(*e.bedInlet + *r.maxDepth) : std::nullopt})
        if (v)
            levels.push_back(*v);
    const auto [lo, hi] = std::minmax_element(levels.begin(), levels.end());
    const double span = std::max(*hi - *lo, 0.5);
    Frame f{
        box.adjusted(kLeft, kTop, -kRight, -kBottom), *lo - 0.25 * span, *hi + 0.12 * span, {}, {}};
    double at = f.plot.left();
    for (std::size_t k = 0; k < kStretchShare.size(); ++k) {
        f.x[k] = at;
        at += kStretchShare[k] * f.plot.width();
    }
    f.x[5] = f.plot.right();
    return f;
}

// The bed from the upstream canal to the downstream one, with the ground.
QPolygonF PaintBeds(QPainter& p, const Frame& f, const hydraulics::ConnectionLevels& e) {
    const QPolygonF bed{f.At(f.x[0], *e.bedUpstream),   f.At(f.x[1], *e.bedUpstream),
                        f.At(f.x[2], *e.bedInlet),      f.At(f.x[3], *e.bedOutlet),
                        f.At(f.x[4], *e.bedDownstream), f.At(f.x[5], *e.bedDownstream)};
    QPolygonF ground = bed;
    ground << QPointF(f.x[5], f.plot.bottom()) << QPointF(f.x[0], f.plot.bottom());
    p.setPen(Qt::NoPen);
    p.setBrush(kConcrete);
    p.drawPolygon(ground);
    p.setPen(QPen(kInk, 1.6));
    p.drawPolyline(bed);
    return bed;
}

// The surface at the design discharge, the water under it filled.
QPolygonF PaintDesignWater(QPainter& p, const Frame& f, const hydraulics::Connection& c, double h) {
    const hydraulics::ConnectionLevels& e = c.levels;
    const QPolygonF surface{f.At(f.x[0], *e.levelUpstream),   f.At(f.x[1], *e.levelUpstream),
                            f.At(f.x[2], *e.bedInlet + h),    f.At(f.x[3], *e.bedOutlet + h),
                            f.At(f.x[4], *e.levelDownstream), f.At(f.x[5], *e.levelDownstream)};
    QPolygonF water = surface;
    water << f.At(f.x[5], *e.bedDownstream) << f.At(f.x[4], *e.bedDownstream)
          << f.At(f.x[3], *e.bedOutlet) << f.At(f.x[2], *e.bedInlet) << f.At(f.x[1], *e.bedUpstream)
          << f.At(f.x[0], *e.bedUpstream);
    p.setPen(Qt::NoPen);
    p.setBrush(kWater);
    p.drawPolygon(water);
    p.setPen(QPen(kSurface, 1.6));
    p.drawPolyline(surface);
    return surface;
}

// The surface at the increased discharge: canal levels, and the profile
// traced up the flume from its outlet.
QPolygonF PaintIncreased(QPainter& p, const Frame& f, const hydraulics::Connection& c, double L) {
    const hydraulics::ConnectionLevels& e = c.levels;
    const hydraulics::ConnectionIncreased& r = c.increased;
    if (!r.requiredH1 || !r.levelDownstream || r.profile.empty() || !(L > 0))
        return {};
    QPolygonF surface{f.At(f.x[0], *e.bedUpstream + *r.requiredH1),
                      f.At(f.x[1], *e.bedUpstream + *r.requiredH1)};
    for (auto it = r.profile.rbegin(); it != r.profile.rend(); ++it) { // inlet to outlet
        const double share = it->distance / L;                         // 0 at the outlet
        const double bed = *e.bedOutlet + (*e.bedInlet - *e.bedOutlet) * share;
        surface << f.At(f.x[3] - share * (f.x[3] - f.x[2]), bed + it->depth);
    }
    surface << f.At(f.x[4], *r.levelDownstream) << f.At(f.x[5], *r.levelDownstream);
    p.setPen(QPen(kIncreased, 1.4, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(surface);
    return surface;
}

// A label's box centred on `x` below (`below`) or above level `y`, `gap`
// units from it.
QRectF Beside(QPainter& p, const QString& text, double x, double y, bool below, double gap = 3) {
    const QSizeF size = LabelSize(p, text);
    return QRectF(QPointF(x - size.width() / 2, below ? y + gap : y - gap - size.height()), size);
}

// The bed elevations under the beds, the canals' design levels over their
// surfaces, each stretch named under the plot; clear of the beds, the
// surfaces and each other.
void PaintLabels(QPainter& p, LabelPlacer& placer, const Frame& f, const hydraulics::Connection& c,
                 double L) {
    const hydraulics::ConnectionLevels& e = c.levels;
    p.setFont(WithLatin(SongTiPx(12), f.latin));
    const QFontMetricsF m(p.font(), p.device());
    p.setPen(QPen(kGuide, 0.8, Qt::DashLine));
    for (int k = 1; k <= 4; ++k)
        p.drawLine(QPointF(f.x[k], f.plot.top()), QPointF(f.x[k], f.plot.bottom() + 6));
    p.setPen(kInk);
    const hydraulics::ConnectionDesign& d = c.design;
    const QString stretches[] = {
        QStringLiteral("上游渠道"), QStringLiteral("进口渐变段\nL₁ = %1 m").arg(Fixed3(d.L1)),
        QStringLiteral("槽身\nL = %1 m").arg(Fixed3(L)),
        QStringLiteral("出口渐变段\nL₂ = %1 m").arg(Fixed3(d.L2)), QStringLiteral("下游渠道")};
    for (int k = 0; k < 5; ++k) {
        const QRectF room(f.x[k], f.plot.bottom() + 8, f.x[k + 1] - f.x[k], 2 * m.height());
        const QRectF used = p.boundingRect(room, Qt::AlignHCenter | Qt::AlignTop, stretches[k]);
        DrawLabel(p, placer, stretches[k], {used}, used.center(), QPointF(0, 4), 12);
    }
    const std::array<std::pair<double, QString>, 4> beds = {{
        {(f.x[0] + f.x[1]) / 2, QStringLiteral("∇₃ %1").arg(Level(*e.bedUpstream))},
        {f.x[2], QStringLiteral("∇₁ %1").arg(Level(*e.bedInlet))},
        {f.x[3], QStringLiteral("∇₂ %1").arg(Level(*e.bedOutlet))},
        {(f.x[4] + f.x[5]) / 2, QStringLiteral("∇₄ %1").arg(Level(*e.bedDownstream))},
    }};
    const double levels[] = {*e.bedUpstream, *e.bedInlet, *e.bedOutlet, *e.bedDownstream};
    for (std::size_t k = 0; k < beds.size(); ++k) {
        const double x = beds[k].first, y = f.Y(levels[k]);
        const QString& text = beds[k].second;
        const double half = Beside(p, text, x, y, true).width() / 2;
        DrawLabel(p, placer, text,
                  {Beside(p, text, x, y, true), Beside(p, text, x + half + 4, y, true),
                   Beside(p, text, x - half - 4, y, true)},
                  QPointF(x, y), QPointF(0, m.height() / 2), 12);
    }
    p.setPen(kSurface); // the design levels of the canals above their surfaces
    const std::pair<double, double> canals[] = {{(f.x[0] + f.x[1]) / 2, *e.levelUpstream},
                                                {(f.x[4] + f.x[5]) / 2, *e.levelDownstream}};
    for (const auto& [x, level] : canals) {
        const QString text = Level(level);
        DrawLabel(p, placer, text, {Beside(p, text, x, f.Y(level), false)}, QPointF(x, f.Y(level)),
                  QPointF(0, -m.height() / 2), 12);
    }
}

// Where the title and the legend stand, for the labels to keep clear of.
std::vector<QRectF> LegendBoxes(const QRectF& box, const ProfileMarks& marks) {
    std::vector<QRectF> boxes{QRectF(box.left() + kLeft, box.top() + 28, 320, 20)};
    if (marks.title)
        boxes.emplace_back(box.left(), box.top() + 6, box.width(), 20);
    return boxes;
}

// The title (left out where a caption names the figure) and the legend.
void PaintTitle(QPainter& p, const QRectF& box, const ProfileMarks& marks) {
    p.setPen(kInk);
    if (marks.title) {
        p.setFont(HeiTiPx(15));
        p.drawText(QRectF(box.left(), box.top() + 6, box.width(), 20), Qt::AlignHCenter,
                   QStringLiteral("纵断面示意（高程按比例，长度不按比例）"));
    }
    p.setFont(WithLatin(SongTiPx(12), marks.latinFaces));
    const double y = box.top() + 38;
    const double x = box.left() + kLeft;
    p.setPen(QPen(kSurface, 1.6));
    p.drawLine(QPointF(x, y), QPointF(x + 30, y));
    p.setPen(QPen(kIncreased, 1.4, Qt::DashLine));
    p.drawLine(QPointF(x + 190, y), QPointF(x + 220, y));
    p.setPen(kInk);
    p.drawText(QPointF(x + 36, y + 4), QStringLiteral("设计流量水面"));
    p.drawText(QPointF(x + 226, y + 4), QStringLiteral("加大流量水面"));
}

} // namespace

QSizeF ConnectionProfileCanvas() {
    return {760, 340};
}

void PaintConnectionProfile(QPainter& painter, const QRectF& box, const hydraulics::Connection& c,
                            double h, double L, const ProfileMarks& marks) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    PaintTitle(painter, box, marks);
    if (!Complete(c)) {
        painter.setFont(SongTiPx(14));
        painter.drawText(box, Qt::AlignCenter, QStringLiteral("渠道资料不全，高程无法确定。"));
        painter.restore();
        return;
    }
    Frame f = MakeFrame(box, c, h);
    f.latin = marks.latinFaces;
    LabelPlacer placer(box);
    placer.avoidLine(PaintBeds(painter, f, c.levels));
    placer.avoidLine(PaintDesignWater(painter, f, c, h));
    placer.avoidLine(PaintIncreased(painter, f, c, L));
    for (const QRectF& legend : LegendBoxes(box, marks))
        placer.avoidBox(legend);
    PaintLabels(painter, placer, f, c, L);
    placer.report(marks.labels);
    painter.restore();
}

} // namespace drawing
