#include "ReportPrimitives.h"

void translate(PagePrimitive &primitive, const QPointF &offset)
{
    std::visit(
        [&](auto &item) {
            using T = std::decay_t<decltype(item)>;
            if constexpr (std::is_same_v<T, LineItem>)
                item.line.translate(offset);
            else
                item.box.translate(offset);
        },
        primitive);
}

QRectF boundsOf(const PagePrimitive &primitive)
{
    return std::visit(
        [](const auto &item) -> QRectF {
            using T = std::decay_t<decltype(item)>;
            if constexpr (std::is_same_v<T, LineItem>)
                return QRectF(item.line.p1(), item.line.p2()).normalized();
            else
                return item.box;
        },
        primitive);
}
