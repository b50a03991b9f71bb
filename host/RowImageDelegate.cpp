#include "RowImageDelegate.h"

#include <QAbstractScrollArea>
#include <QPaintEngine>
#include <QPainter>

#include <optional>

namespace host {

size_t qHash(const RowImageDelegate::Key &key, size_t seed) noexcept
{
    return qHashMulti(seed, key.text, key.state, key.rect.top(), key.rect.width(), key.palette);
}

namespace {

// The one colour the list's entries are drawn over, or nothing when it is not one colour.
std::optional<QRgb> listBackground(const QWidget *list)
{
    const auto *area = qobject_cast<const QAbstractScrollArea *>(list);
    if (!area || !area->viewport()->autoFillBackground())
        return std::nullopt;
    const QBrush brush = area->viewport()->palette().brush(area->viewport()->backgroundRole());
    if (brush.style() != Qt::SolidPattern || !brush.isOpaque())
        return std::nullopt;
    return brush.color().rgba();
}

// The image a painter finally draws on (a widget's painter draws on its window's surface),
// when it draws there at whole-pixel offsets; otherwise nothing.
const QImage *plainImageSurface(QPainter *painter)
{
    const QPaintDevice *device = painter->paintEngine() ? painter->paintEngine()->paintDevice()
                                                        : nullptr;
    if (!device || device->devType() != QInternal::Image)
        return nullptr;
    const auto *surface = static_cast<const QImage *>(device);
    const QTransform transform = painter->deviceTransform();
    if (transform.type() > QTransform::TxTranslate || transform.dx() != qRound(transform.dx()) ||
        transform.dy() != qRound(transform.dy()) || surface->devicePixelRatio() != 1 ||
        painter->opacity() != 1 ||
        painter->compositionMode() != QPainter::CompositionMode_SourceOver)
        return nullptr;
    return surface;
}

} // namespace

RowImageDelegate::RowImageDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

void RowImageDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    const QImage *surface = plainImageSurface(painter);
    const std::optional<QRgb> background = listBackground(option.widget);
    const bool textOnly = !(item.features & (QStyleOptionViewItem::HasDecoration |
                                             QStyleOptionViewItem::HasCheckIndicator)) &&
                          item.backgroundBrush.style() == Qt::NoBrush;
    if (!surface || !background || !textOnly || option.rect.isEmpty()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }

    const Key key{item.text,
                  static_cast<int>(item.state),
                  static_cast<int>(item.features),
                  static_cast<int>(item.displayAlignment),
                  static_cast<int>(item.textElideMode),
                  static_cast<int>(item.viewItemPosition),
                  static_cast<int>(item.direction),
                  item.showDecorationSelected,
                  option.rect,
                  item.palette.cacheKey(),
                  item.font.key(),
                  static_cast<int>(painter->renderHints()),
                  *background,
                  static_cast<int>(surface->format())};
    auto found = m_images.constFind(key);
    if (found == m_images.constEnd()) {
        if (m_images.size() >= kMaxImages)
            m_images.clear();
        QImage image(option.rect.size(), surface->format());
        image.fill(*background);
        QPainter imagePainter(&image);
        imagePainter.setRenderHints(painter->renderHints());
        // At the list's own coordinates: gradients and curves come out to the same pixels
        // only where they are drawn from the same numbers.
        imagePainter.translate(-option.rect.topLeft());
        QStyledItemDelegate::paint(&imagePainter, option, index);
        imagePainter.end();
        found = m_images.insert(key, image);
    }
    painter->drawImage(option.rect.topLeft(), *found);
}

} // namespace host

#include "moc_RowImageDelegate.cpp"
