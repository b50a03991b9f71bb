#include "ReplaceDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace app {

ReplaceDialog::ReplaceDialog(const Setting &setting, QWidget *parent)
    : QDialog(parent), m_image(setting.image), m_shownChapter(setting.shownChapter),
      m_captured(setting.captured), m_tilePicture(setting.tilePicture)
{
    setWindowTitle(QStringLiteral("替换图块"));
    m_from = codeBox(setting.from);
    m_to = codeBox(setting.to);
    m_where = new QComboBox(this);
    m_where->addItem(QStringLiteral("本章"), int(Where::ShownChapter));
    m_where->addItem(QStringLiteral("所有章节"), int(Where::AllChapters));
    if (m_captured)
        m_where->addItem(
            QStringLiteral("选定区域 (%1 × %2)").arg(m_captured->width()).arg(m_captured->height()),
            int(Where::CapturedRectangle));
    m_counts = new QLabel(this);
    m_counts->setWordWrap(true);
    m_counts->setMinimumWidth(260);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("查找图块"), m_from);
    form->addRow(QStringLiteral("替换为"), m_to);
    form->addRow(QStringLiteral("范围"), m_where);
    auto *buttons = new QDialogButtonBox(this);
    m_replace = buttons->addButton(QStringLiteral("替换"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole);
    m_replace->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_counts);
    layout->addWidget(buttons);

    for (QComboBox *box : {m_from, m_to})
        connect(box, &QComboBox::editTextChanged, this, &ReplaceDialog::update);
    connect(m_where, &QComboBox::currentIndexChanged, this, &ReplaceDialog::update);
    update();
}

QComboBox *ReplaceDialog::codeBox(std::optional<std::uint8_t> code)
{
    auto *box = new QComboBox(this);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setIconSize(QSize(16, 16));
    for (int c = 0; c < 256; ++c) {
        const auto value = static_cast<std::uint8_t>(c);
        const host::Picture picture = m_tilePicture ? m_tilePicture(value) : host::Picture();
        box->addItem(picture ? QIcon(QPixmap::fromImage(picture->image())) : QIcon(),
                     core::hexCodeText(value));
    }
    box->setCurrentIndex(code ? int(*code) : -1);
    box->setEditText(code ? core::hexCodeText(*code) : QString());
    return box;
}

std::optional<std::uint8_t> ReplaceDialog::from() const
{
    return core::hexCode(m_from->currentText());
}

std::optional<std::uint8_t> ReplaceDialog::to() const
{
    return core::hexCode(m_to->currentText());
}

ReplaceDialog::Where ReplaceDialog::where() const
{
    return static_cast<Where>(m_where->currentData().toInt());
}

void ReplaceDialog::setFrom(std::uint8_t code)
{
    m_from->setEditText(core::hexCodeText(code));
}

void ReplaceDialog::setTo(std::uint8_t code)
{
    m_to->setEditText(core::hexCodeText(code));
}

void ReplaceDialog::setWhere(Where where)
{
    if (const int index = m_where->findData(int(where)); index >= 0)
        m_where->setCurrentIndex(index);
}

core::ReplaceScope ReplaceDialog::scope() const
{
    switch (where()) {
    case Where::AllChapters:
        return core::ReplaceScope::allChapters();
    case Where::CapturedRectangle:
        return core::ReplaceScope{{m_shownChapter}, m_captured};
    case Where::ShownChapter:
        break;
    }
    return core::ReplaceScope{{m_shownChapter}, std::nullopt};
}

std::optional<core::CodeReplacement> ReplaceDialog::replacement() const
{
    const auto oldCode = from();
    const auto newCode = to();
    if (!oldCode || !newCode)
        return std::nullopt;
    core::CodeRules rules;
    rules.add(*oldCode, *newCode);
    return core::replaceCodes(m_image, rules, scope());
}

QString ReplaceDialog::countText() const
{
    if (!from())
        return QStringLiteral("请输入要查找的图块代码（十六进制，00～FF）");
    if (!to())
        return QStringLiteral("请输入替换成的图块代码（十六进制，00～FF）");
    const auto replacement = this->replacement();
    if (replacement->totalCells() == 0)
        return QStringLiteral("没有要修改的格子");
    QStringList chapters;
    for (int k = 0; k < core::kChapterCount; ++k)
        if (const int n = replacement->counts[static_cast<std::size_t>(k)]; n > 0)
            chapters << QStringLiteral("第%1章 %2 格").arg(k + 1).arg(n);
    return QStringLiteral("将修改：%1；共 %2 格")
        .arg(chapters.join(QStringLiteral("，")))
        .arg(replacement->totalCells());
}

void ReplaceDialog::update()
{
    m_counts->setText(countText());
    const auto replacement = this->replacement();
    m_replace->setEnabled(replacement && !replacement->empty());
}

} // namespace app

#include "moc_ReplaceDialog.cpp"
