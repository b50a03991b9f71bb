#include "ListBox.h"

#include "RowImageDelegate.h"

#include <QMouseEvent>
#include <QPaintEvent>

#include <utility>

namespace host {

ListBox::ListBox(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Every entry is one line of the list's font: measuring each again on every paint
    // would only cost.
    setUniformItemSizes(true);
    setItemDelegate(new RowImageDelegate(this));
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && !m_takingFocus)
            emit Click();
    });
    viewport()->installEventFilter(this);
    // Entries do not light up under the pointer, so moving over them draws nothing.
    viewport()->setAttribute(Qt::WA_Hover, false);
}

// Qt redraws the whole list, every entry's text laid out anew, at each change of its
// enabled state. A handler that disables the list while it works and enables it again
// before it returns would have it redrawn for nothing; the list is redrawn once the event
// loop runs, and only the parts painted in another state than it is in then. What was
// painted counts, not what was asked for: a flush of the window during a long handler
// paints the list as it is at that moment.
void ListBox::changeEvent(QEvent *event)
{
    if (event->type() != QEvent::EnabledChange) {
        QListWidget::changeEvent(event);
        return;
    }
    if (!m_enabledCheckQueued) {
        m_enabledCheckQueued = true;
        QMetaObject::invokeMethod(this, &ListBox::showEnabledState, Qt::QueuedConnection);
    }
}

bool ListBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == viewport() && event->type() == QEvent::EnabledChange)
        return true;
    return QListWidget::eventFilter(watched, event);
}

bool ListBox::event(QEvent *event)
{
    if (event->type() == QEvent::Paint)
        paintedIn(isEnabled()).frame += static_cast<QPaintEvent *>(event)->region();
    return QListWidget::event(event);
}

bool ListBox::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::Paint)
        paintedIn(isEnabled()).entries += static_cast<QPaintEvent *>(event)->region();
    return QListWidget::viewportEvent(event);
}

void ListBox::showEnabledState()
{
    m_enabledCheckQueued = false;
    // Only what shows the other state is drawn again.
    const PaintedParts stale = std::exchange(paintedIn(!isEnabled()), {});
    paintedIn(isEnabled()) = {};
    if (!stale.frame.isEmpty())
        update(stale.frame);
    if (!stale.entries.isEmpty())
        viewport()->update(stale.entries);
}

// Qt asks to show the chosen entry again half a second after each press (once no double
// click can follow) and after each key, and redraws it even where it already shows whole: a
// second drawing and a second trip to the display server for every choice, to give the same
// pixels. An entry that shows whole has nothing to be scrolled for.
void ListBox::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    if (hint == EnsureVisible && viewport()->rect().contains(visualRect(index)))
        return;
    QListWidget::scrollTo(index, hint);
}

void ListBox::mousePressEvent(QMouseEvent *event)
{
    const QListWidgetItem *item = itemAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !item) {
        event->accept();
        return;
    }
    const int chosen = currentRow();
    QListWidget::mousePressEvent(event);
    // A new entry raised Click through the row change; the one already chosen is chosen
    // again.
    if (row(item) == chosen && currentRow() == chosen)
        emit Click();
}

// The second press of a double click on the same entry is no new choice; on another entry
// it comes back here as an ordinary press.
void ListBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    QListWidget::mouseDoubleClickEvent(event);
}

void ListBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    QListWidget::mouseReleaseEvent(event);
}

// Qt makes the first entry current when a list without one gets the focus from the keyboard
// or the window; that chooses nothing, and Down then chooses the first entry.
void ListBox::focusInEvent(QFocusEvent *event)
{
    const bool noneChosen = currentRow() < 0;
    m_takingFocus = true;
    QListWidget::focusInEvent(event);
    m_takingFocus = false;
    if (noneChosen && currentRow() >= 0)
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
}

// Qt hands the focus of a widget being disabled to the next one in the tab order, so keys
// pressed after the list is enabled again would go elsewhere. The list keeps it instead;
// while it is disabled the keys do not reach it.
bool ListBox::focusNextPrevChild(bool next)
{
    if (!isEnabled() && !isHidden())
        return true;
    return QListWidget::focusNextPrevChild(next);
}

} // namespace host

#include "moc_ListBox.cpp"
