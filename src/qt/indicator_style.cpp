#include "qt/indicator_style.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleOption>

#include <algorithm>

namespace thld {

namespace {

QColor InkOf(const QStyleOption& option)
{
    return option.state.testFlag(QStyle::State_Selected) ? option.palette.color(QPalette::HighlightedText)
                                                         : option.palette.color(QPalette::Text);
}

void DrawTickBox(const QStyleOption& option, QPainter& painter)
{
    const int side = std::max(8, std::min(option.rect.width(), option.rect.height()) - 2);
    QRectF box(0, 0, side, side);
    box.moveCenter(QRectF(option.rect).center());
    const QColor ink = InkOf(option);
    const QColor paper = option.state.testFlag(QStyle::State_Selected) ? option.palette.color(QPalette::Highlight)
                                                                       : option.palette.color(QPalette::Base);
    painter.fillRect(box, paper);
    const qreal pen = std::max<qreal>(1.5, side / 8.0);
    painter.setPen(QPen(ink, pen));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box.adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2));
    if (option.state.testFlag(QStyle::State_On)) {
        QPainterPath tick;
        tick.moveTo(box.left() + side * 0.22, box.top() + side * 0.52);
        tick.lineTo(box.left() + side * 0.42, box.top() + side * 0.72);
        tick.lineTo(box.left() + side * 0.78, box.top() + side * 0.28);
        painter.setPen(QPen(ink, pen * 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(tick);
    } else if (option.state.testFlag(QStyle::State_NoChange)) {
        painter.fillRect(box.adjusted(side * 0.25, side * 0.42, -side * 0.25, -side * 0.42), ink);
    }
}

// A filled triangle pointing right (closed) or down (open), in the middle of the branch area.
void DrawArrow(const QStyleOption& option, QPainter& painter)
{
    const qreal half = std::max<qreal>(3.5, std::min(option.rect.width(), option.rect.height()) / 4.0);
    const QPointF c = QRectF(option.rect).center();
    QPolygonF arrow;
    if (option.state.testFlag(QStyle::State_Open))
        arrow << QPointF(c.x() - half, c.y() - half / 2) << QPointF(c.x() + half, c.y() - half / 2)
              << QPointF(c.x(), c.y() + half / 2 + 1);
    else
        arrow << QPointF(c.x() - half / 2, c.y() - half) << QPointF(c.x() - half / 2, c.y() + half)
              << QPointF(c.x() + half / 2 + 1, c.y());
    painter.setPen(Qt::NoPen);
    painter.setBrush(InkOf(option));
    painter.drawPolygon(arrow);
}

}  // namespace

void IndicatorStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                   const QWidget* widget) const
{
    if (element == PE_IndicatorItemViewItemCheck) {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        DrawTickBox(*option, *painter);
        painter->restore();
        return;
    }
    if (element == PE_IndicatorBranch && option->state.testFlag(State_Children)) {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        DrawArrow(*option, *painter);
        painter->restore();
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

}  // namespace thld
