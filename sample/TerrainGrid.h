#pragma once

#include "Terrain.h"

#include <vector>

namespace sample {

// A chapter's cells, row by row. Features may reach over the edge of the map: writes
// outside are dropped and reads outside match no terrain.
class TerrainGrid {
public:
    TerrainGrid(int width, int height, Terrain fill)
        : m_width(width), m_height(height),
          m_cells(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill)
    {
    }

    int width() const { return m_width; }
    int height() const { return m_height; }

    bool contains(int x, int y) const { return x >= 0 && x < m_width && y >= 0 && y < m_height; }

    bool is(int x, int y, Terrain terrain) const
    {
        return contains(x, y) && m_cells[index(x, y)] == terrain;
    }

    // The cell must lie inside the map.
    Terrain at(int x, int y) const { return m_cells[index(x, y)]; }

    void set(int x, int y, Terrain terrain)
    {
        if (contains(x, y))
            m_cells[index(x, y)] = terrain;
    }

private:
    std::size_t index(int x, int y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
               static_cast<std::size_t>(x);
    }

    int m_width;
    int m_height;
    std::vector<Terrain> m_cells;
};

} // namespace sample
