#pragma once

#include <QListWidget>

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
    void showEnabledState();
    void notePaint();

    bool m_takingFocus = false;
    // The enabled states the list was painted in, in whole or in part, since it was last
    // asked to paint itself whole: a paint while a handler runs (a flush of the window)
    // may show a state that the handler changes again before it returns.
    bool m_paintedEnabled = false;
    bool m_paintedDisabled = false;
    bool m_enabledCheckQueued = false;
};

} // namespace host
