#pragma once

#include <QHash>
#include <QImage>
#include <QStyledItemDelegate>

namespace host {

// Draws a list's entries as the style does, keeping each entry's image for the state it was
// drawn in. Laying out a line of text costs far more than copying its pixels, and a list box
// draws the same few entries again and again as the chosen one changes. The image is drawn
// on the list's own background, in the format of the surface it goes to, so that copying it
// gives the pixels drawing it there would; where that cannot be assured (another kind of
// surface, a transformed painter, a background that is not one colour, an entry with more
// than text) the entry is drawn directly.
class RowImageDelegate : public QStyledItemDelegate {
    Q_OBJECT
    Q_DISABLE_COPY(RowImageDelegate)
public:
    explicit RowImageDelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

private:
    struct Key {
        QString text;
        int state = 0;
        int features = 0;
        int alignment = 0;
        int elide = 0;
        int position = 0;
        int direction = 0;
        bool decorationSelected = false;
        QRect rect;
        qint64 palette = 0;
        QString font;
        int hints = 0;
        QRgb background = 0;
        int format = 0;
        bool operator==(const Key &) const = default;
    };
    friend size_t qHash(const Key &key, size_t seed) noexcept;

    // Beyond this many images the oldest state no longer matters: start again.
    static constexpr qsizetype kMaxImages = 256;

    mutable QHash<Key, QImage> m_images;
};

} // namespace host
