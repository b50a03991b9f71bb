#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <optional>
#include <variant>

namespace core {

// A tile code written in hexadecimal, as rule lists and the replace dialog take it: one or
// two digits, "0x" allowed in front ("10" is 0x10). Nothing for any other text.
std::optional<std::uint8_t> hexCode(QStringView text);
// A tile code as those take it back: two upper-case hexadecimal digits ("0A").
QString hexCodeText(std::uint8_t code);

// Which code each tile code becomes: rules `OLD NEW`, all applied at once to the codes the
// cells hold, so that `A B` with `B A` swaps the two and no rule's result is replaced again.
class CodeRules {
public:
    // Why a rule list was refused: the line (from 1; 0 for a rule given on its own) and what
    // is wrong with it.
    struct Fault {
        int line = 0;
        QString message;
    };

    // No rule: every code stays.
    CodeRules();

    // Reads a rule list: one rule a line, `OLD NEW` in hexadecimal, `#` starting a comment,
    // blank lines ignored. A malformed line, or an OLD given on two lines, refuses it all.
    static std::variant<CodeRules, Fault> parse(QStringView text);

    // Adds `from` -> `to`, told by `line` (0 for a rule on its own); refused where `from` has
    // a rule already.
    std::optional<Fault> add(std::uint8_t from, std::uint8_t to, int line = 0);

    // The code a cell holding `code` gets.
    std::uint8_t replaced(std::uint8_t code) const { return m_to[code]; }
    // Whether any rule changes a code.
    bool changesAny() const;
    int count() const { return m_count; }

private:
    std::array<std::uint8_t, 256> m_to{};
    // Where each code's rule was given: its line, 0 on its own; nothing without one.
    std::array<std::optional<int>, 256> m_line{};
    int m_count = 0;
};

} // namespace core
