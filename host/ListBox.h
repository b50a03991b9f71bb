#pragma once

#include <QListWidget>
#include <QRegion>

namespace host {

// The runtime's list box: fixed text items, one of them chosen (the current row). Click is
// raised once for every change of the chosen entry, whether by the keys, by the left mouse
// button or by the program, and once more for a left press on the entry already chosen.
// Only a left press on an entry chooses: other buttons, and presses beside the entries,
// change nothing; so does taking the focus. A list box disabled while it has the keyboard
// focus keeps it. Disabled and enabled again before the event loop runs, it draws nothing
// anew unless it was painted in between; once the event loop runs it shows the state it is
// in.
class ListBox : public QListWidget {
    Q_OBJECT
    Q_DISABLE_COPY(ListBox)
public:
    explicit ListBox(QWidget *parent = nullptr);

    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;

signals:
    void Click();

protected:
    bool event(QEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // Where the list and its entries were painted in each enabled state since the state
    // was last looked at: a paint while a handler runs (a flush of the window) may show a
    // state that the handler changes again before it returns.
    struct PaintedParts {
        QRegion frame;   // the list's own coordinates
        QRegion entries; // the viewport's
    };

    void showEnabledState();
    PaintedParts &paintedIn(bool enabled) { return enabled ? m_paintedEnabled : m_paintedDisabled; }

    bool m_takingFocus = false;
    PaintedParts m_paintedEnabled;
    PaintedParts m_paintedDisabled;
    bool m_enabledCheckQueued = false;
};

} // namespace host
