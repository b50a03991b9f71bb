#include "MapTool.h"

#include "ImageDocument.h"

namespace app {

const core::ChapterMap &MapTool::chapter() const
{
    return m_canvas.document().chapters()[static_cast<std::size_t>(m_chapter)];
}

const core::Cartridge &MapTool::image() const
{
    return m_canvas.document().image();
}

void MapTool::store(const core::CellChanges &changes, const QString &name)
{
    ImageDocument &document = m_canvas.document();
    document.push(
        std::make_unique<CellEdit>(document, m_chapter, changes.changed(image(), chapter()), name));
}

void MapTool::endPreview(std::optional<core::CellChanges> &preview)
{
    if (!preview)
        return;
    const std::vector<core::Cell> cells = preview->cells();
    preview.reset();
    m_canvas.previewChanged(cells);
}

} // namespace app
