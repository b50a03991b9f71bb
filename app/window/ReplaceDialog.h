#pragma once

#include "Cartridge.h"
#include "CodeReplacement.h"
#include "CodeRules.h"
#include "Picture.h"

#include <QDialog>
#include <QRect>

#include <cstdint>
#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QPushButton;

namespace app {

// Ctrl+H: the code to replace and the code to put, each typed in hexadecimal or chosen from
// a list that shows the tile pictures, and where: the shown chapter, all chapters, or the
// rectangle last captured in it. It shows how many cells of each chapter will change as the
// choice changes; Enter replaces, Escape closes. It changes nothing itself: its caller takes
// the replacement it describes.
class ReplaceDialog : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY(ReplaceDialog)
public:
    enum class Where { ShownChapter, AllChapters, CapturedRectangle };
    struct Setting {
        const core::Cartridge &image;
        int shownChapter = 0; // 0..24
        std::optional<QRect> captured;
        std::uint8_t from = 0;
        std::optional<std::uint8_t> to;
        std::function<host::Picture(std::uint8_t)> tilePicture;
    };
    ReplaceDialog(const Setting &setting, QWidget *parent);

    // The codes as typed or chosen; nothing where the text is no code.
    std::optional<std::uint8_t> from() const;
    std::optional<std::uint8_t> to() const;
    Where where() const;
    void setFrom(std::uint8_t code);
    void setTo(std::uint8_t code);
    void setWhere(Where where);

    // Where the replacement goes.
    core::ReplaceScope scope() const;
    // What replacing would change now: nothing while a code is missing.
    std::optional<core::CodeReplacement> replacement() const;
    // The counts the dialog shows.
    QString countText() const;

private:
    QComboBox *codeBox(std::optional<std::uint8_t> code);
    void update();

    const core::Cartridge &m_image;
    int m_shownChapter;
    std::optional<QRect> m_captured;
    std::function<host::Picture(std::uint8_t)> m_tilePicture;
    QComboBox *m_from;
    QComboBox *m_to;
    QComboBox *m_where;
    QLabel *m_counts;
    QPushButton *m_replace;
};

} // namespace app
