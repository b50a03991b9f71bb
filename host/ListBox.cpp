#include "ListBox.h"

#include <QMouseEvent>

namespace host {

ListBox::ListBox(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && !m_takingFocus)
            emit Click();
    });
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
