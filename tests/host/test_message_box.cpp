// The host's own message box, as a person meets it: no seam answers it here.

#include "Dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

using host::MessageAnswer;

namespace {

struct Reply {
    const char *name;
    host::MessageButtons buttons;
    std::function<void(QMessageBox &)> act;
    MessageAnswer answer;
};

void PrintTo(const Reply &c, std::ostream *out)
{
    *out << c.name;
}

QAbstractButton *buttonNamed(QMessageBox &box, const QString &text)
{
    for (QAbstractButton *button : box.buttons())
        if (button->text() == text)
            return button;
    return nullptr;
}

std::function<void(QMessageBox &)> press(Qt::Key key)
{
    return [key](QMessageBox &box) { QTest::keyClick(&box, key); };
}

std::function<void(QMessageBox &)> click(const char16_t *text)
{
    return [text](QMessageBox &box) { buttonNamed(box, QString::fromUtf16(text))->click(); };
}

using host::MessageButtons;

const Reply kReplies[] = {
    {"SaveEnter", MessageButtons::SaveDiscardCancel, press(Qt::Key_Return), MessageAnswer::Save},
    {"SaveEscape", MessageButtons::SaveDiscardCancel, press(Qt::Key_Escape), MessageAnswer::Cancel},
    {"DontSave", MessageButtons::SaveDiscardCancel, click(u"不保存"), MessageAnswer::Discard},
    {"MergeEnter", MessageButtons::KeepMineUseFileCancel, press(Qt::Key_Return),
     MessageAnswer::KeepMine},
    {"MergeEscape", MessageButtons::KeepMineUseFileCancel, press(Qt::Key_Escape),
     MessageAnswer::Cancel},
    {"UseFile", MessageButtons::KeepMineUseFileCancel, click(u"使用文件中的"),
     MessageAnswer::UseFile},
    {"OverwriteEnter", MessageButtons::OverwriteCancel, press(Qt::Key_Return),
     MessageAnswer::Cancel},
    {"OverwriteEscape", MessageButtons::OverwriteCancel, press(Qt::Key_Escape),
     MessageAnswer::Cancel},
    {"Overwrite", MessageButtons::OverwriteCancel, click(u"覆盖"), MessageAnswer::Overwrite},
    {"RestoreEnter", MessageButtons::RestoreDeleteCancel, press(Qt::Key_Return),
     MessageAnswer::Cancel},
    {"RestoreEscape", MessageButtons::RestoreDeleteCancel, press(Qt::Key_Escape),
     MessageAnswer::Cancel},
    {"DeleteBackup", MessageButtons::RestoreDeleteCancel, click(u"删除备份"),
     MessageAnswer::DeleteBackup},
    {"Restore", MessageButtons::RestoreDeleteCancel, click(u"恢复备份"), MessageAnswer::Restore},
    {"RecoverEnter", MessageButtons::RecoverDiscardCancel, press(Qt::Key_Return),
     MessageAnswer::Restore},
    {"RecoverDiscard", MessageButtons::RecoverDiscardCancel, click(u"丢弃"),
     MessageAnswer::Discard},
    {"RecoverEscape", MessageButtons::RecoverDiscardCancel, press(Qt::Key_Escape),
     MessageAnswer::Cancel},
    {"DiscardEnter", MessageButtons::DiscardCancel, press(Qt::Key_Return), MessageAnswer::Cancel},
    {"Discard", MessageButtons::DiscardCancel, click(u"丢弃"), MessageAnswer::Discard},
};

// Each set's buttons, sorted, and its default.
struct ButtonSet {
    QStringList texts;
    QString defaultText;
};

ButtonSet expectedButtons(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::SaveDiscardCancel:
        return {{QStringLiteral("不保存"), QStringLiteral("保存"), QStringLiteral("取消")},
                QStringLiteral("保存")};
    case MessageButtons::KeepMineUseFileCancel:
        return {{QStringLiteral("使用文件中的"), QStringLiteral("保留我的修改"),
                 QStringLiteral("取消")},
                QStringLiteral("保留我的修改")};
    case MessageButtons::OverwriteCancel:
        return {{QStringLiteral("取消"), QStringLiteral("覆盖")}, QStringLiteral("取消")};
    case MessageButtons::RestoreDeleteCancel:
        return {{QStringLiteral("恢复备份"), QStringLiteral("删除备份"), QStringLiteral("取消")},
                QStringLiteral("取消")};
    case MessageButtons::RecoverDiscardCancel:
        return {{QStringLiteral("恢复"), QStringLiteral("丢弃"), QStringLiteral("取消")},
                QStringLiteral("恢复")};
    case MessageButtons::DiscardCancel:
        return {{QStringLiteral("丢弃"), QStringLiteral("取消")}, QStringLiteral("取消")};
    case MessageButtons::Ok:
        break;
    }
    return {};
}

class QuestionBox : public ::testing::TestWithParam<Reply> {};

} // namespace

TEST_P(QuestionBox, OffersItsButtonsWithTheirDefault)
{
    QStringList texts;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString defaultText;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        for (QAbstractButton *button : box->buttons())
            texts << button->text();
        icon = box->icon();
        title = box->windowTitle();
        if (box->defaultButton())
            defaultText = box->defaultButton()->text();
        GetParam().act(*box);
    });
    const MessageAnswer answer =
        host::MsgBox({nullptr, QStringLiteral("“a.nes”已修改。"), QStringLiteral("地图编辑器"),
                      host::MessageIcon::Question, GetParam().buttons});

    EXPECT_EQ(answer, GetParam().answer);
    texts.sort();
    const ButtonSet expected = expectedButtons(GetParam().buttons);
    QStringList expectedTexts = expected.texts;
    expectedTexts.sort();
    EXPECT_EQ(texts, expectedTexts);
    EXPECT_EQ(defaultText, expected.defaultText);
    EXPECT_EQ(icon, QMessageBox::Question);
    EXPECT_EQ(title, QStringLiteral("地图编辑器"));
}

INSTANTIATE_TEST_SUITE_P(EveryReply, QuestionBox, ::testing::ValuesIn(kReplies),
                         [](const auto &param) { return std::string(param.param.name); });
