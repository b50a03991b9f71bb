#pragma once

#include <QListWidget>

namespace host {

// The runtime's list box: fixed text items, one of them chosen (the current row). Click is
// raised once for every change of the chosen entry, whether by the keys, by the left mouse
// button or by the program, and once more for a left press on the entry already chosen.
// Only a left press on an entry chooses: other buttons, and presses beside the entries,
// change nothing; so does taking the focus. A list box disabled while it has the keyboard
// focus keeps it.
class ListBox : public QListWidget {
    Q_OBJECT
    Q_DISABLE_COPY(ListBox)
public:
    explicit ListBox(QWidget *parent = nullptr);

signals:
    void Click();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    bool m_takingFocus = false;
};

} // namespace host
