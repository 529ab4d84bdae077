#pragma once
// A style over another that draws the item views' tick boxes and the tree's expand arrows itself,
// outlined in the row's text colour, so that they contrast with the row as its text does; all else
// is the underlying style's.

#include <QProxyStyle>

namespace thld {

class IndicatorStyle : public QProxyStyle {
public:
    // Takes ownership of `base`.
    explicit IndicatorStyle(QStyle* base) : QProxyStyle(base) {}

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};

}  // namespace thld
